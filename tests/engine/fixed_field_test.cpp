#include "report/fixed_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace vorna;

namespace {

struct FieldCase {
    double value;
    int width;
    int decimals;
    const char *expected;
};

TEST(FixedField, FixedPoint)
{
    // One case a line, with its note.
    // clang-format off
    const FieldCase cases[] = {
        {0.0, 6, 2, "  0.00"},
        {-1.5, 6, 2, " -1.50"},
        {300.0, 10, 1, "     300.0"},
        {2.5, 5, 2, " 2.50"},
        {0.125, 5, 2, " 0.13"},     // an exact half rounds away from zero
        {-0.125, 6, 2, " -0.13"},
        {2.675, 5, 2, " 2.67"},     // 2.675 is held as 2.67499999...
        {0.5, 3, 2, ".50"},         // the leading zero goes when the field is narrow
        {-0.5, 4, 2, "-.50"},
        {-0.001, 6, 2, " -0.00"},   // a negative value keeps its sign after rounding
        {9.999, 5, 2, "10.00"},
        {99.999, 5, 2, "*****"},    // carries into a sixth column
        {123456.0, 6, 1, "******"},
        {12.4, 5, 0, "  12."},
        {1.0e300, 10, 1, "**********"},
        {0.0, 3, 1, "0.0"},
        {0.06, 5, 0, "   0."},  // no decimals: the zero whole part still shows
        {0.0, 1, 0, "."},
        {-0.4, 3, 0, "-0."},
        {-0.0, 4, 1, " 0.0"},   // negative zero prints without its sign
        {1000.0, 7, 2, "1000.00"}, // a whole part of exactly a power of ten
    };
    // clang-format on
    for (const FieldCase &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(fieldF(c.value, c.width, c.decimals), c.expected);
    }
}

TEST(FixedField, Exponent)
{
    const FieldCase cases[] = {
        {120.0, 10, 3, " 0.120E+03"},
        {3600000.0, 9, 3, "0.360E+07"},
        {3600000.0, 10, 3, " 0.360E+07"},
        {0.0, 10, 3, " 0.000E+00"},
        {-120.0, 10, 3, "-0.120E+03"},
        {-120.0, 9, 3, "-.120E+03"},
        {1.0e10, 10, 3, " 0.100E+11"},
        {0.9995, 10, 3, " 0.100E+01"}, // rounding carries into the exponent
        {0.00012346, 17, 4, "       0.1235E-03"},
        {0.125, 9, 2, " 0.13E+00"}, // an exact half rounds away from zero
        {1.0, 16, 4, "      0.1000E+01"},
        {1.0e-120, 10, 3, " 0.100-119"}, // three-digit exponents drop the E
        {123.0, 8, 3, ".123E+03"},       // the leading zero is optional
        {123.0, 7, 3, "*******"},
        {2000.0, 9, 2, " 0.20E+04"},
        {std::nextafter(1.0e-5, 0.0), 10, 3, " 0.100E-04"}, // just below a power of ten
        {9.9995e-10, 10, 3, " 0.100E-08"}, // held just above the half: carries upward
        {-0.0, 10, 3, " 0.000E+00"},
    };
    for (const FieldCase &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(fieldE(c.value, c.width, c.decimals), c.expected);
    }
}

TEST(FixedField, NonFiniteValuesPrintAsAsterisks)
{
    EXPECT_EQ(fieldF(std::numeric_limits<double>::quiet_NaN(), 6, 2), "******");
    EXPECT_EQ(fieldE(std::numeric_limits<double>::infinity(), 10, 3), "**********");
}

TEST(FixedField, IntegerTextAndBlanks)
{
    EXPECT_EQ(fieldI(2, 5), "    2");
    EXPECT_EQ(fieldI(-12, 3), "-12");
    EXPECT_EQ(fieldI(1000, 3), "***");
    EXPECT_EQ(fieldI(10, 2), "10");
    EXPECT_EQ(fieldA("AB", 4), "  AB");
    EXPECT_EQ(fieldA("ABCDEF", 4), "ABCD");
    EXPECT_EQ(blanks(3), "   ");
    EXPECT_EQ(padded("2012.7.10", 12), "2012.7.10   ");
    EXPECT_EQ(padded("a very long version", 12), "a very long ");
}

} // namespace

namespace {

// Independent reference: the exact decimal expansion from the C library, rounded half away
// from zero by hand.
std::string referenceFixed(double value, int decimals)
{
    char text[512];
    std::snprintf(text, sizeof text, "%.80f", std::fabs(value));
    std::string s(text);
    const auto point = s.find('.');
    std::string digits =
        s.substr(0, point) + s.substr(point + 1, static_cast<std::size_t>(decimals));
    if (s[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<std::size_t>(i)];
    }
    std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    return (std::signbit(value) && value != 0.0 ? "-" : "") + whole + "." +
           digits.substr(digits.size() - static_cast<std::size_t>(decimals));
}

TEST(FixedField, AgreesWithTheExactExpansionOnManyValues)
{
    std::mt19937_64 random(20141210);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> power(-8, 9);
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, power(random));
        if (i % 4 == 0) // exact halves and their neighbours
            value = std::nextafter(std::round(value * 8.0) / 8.0 + 0.0625, i % 8 ? 0.0 : 1e9);
        const int decimals = i % 5;
        const std::string expected = referenceFixed(value, decimals);
        const std::string actual = fieldF(value, 40, decimals);
        ASSERT_EQ(actual.substr(actual.find_first_not_of(' ')), expected) << value;
    }
}

// The same for the exponent form, from the exact scientific expansion.
std::string referenceExponent(double value, int decimals)
{
    char text[512];
    std::snprintf(text, sizeof text, "%.80e", std::fabs(value));
    std::string s(text);
    const auto e = s.find('e');
    int exponent = std::stoi(s.substr(e + 1)) + 1;
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    std::string kept = digits.substr(0, static_cast<std::size_t>(decimals));
    if (digits[static_cast<std::size_t>(decimals)] >= '5') {
        int i = decimals - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i < 0) {
            kept = "1" + kept.substr(0, kept.size() - 1);
            ++exponent;
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (std::signbit(value) ? "-" : "") + std::string("0.") + kept + tail;
}

TEST(FixedField, ExponentFormAgreesWithTheExactExpansionOnManyValues)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> power(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, power(random));
        if (i % 4 == 0) // exact ties such as 0.125 and 2.5
            value = std::round(value) / 8.0 + (i % 8 ? 0.0 : 0.5);
        if (value == 0.0)
            continue;
        const int decimals = 2 + i % 3;
        const std::string actual = fieldE(value, 30, decimals);
        ASSERT_EQ(actual.substr(actual.find_first_not_of(' ')), referenceExponent(value, decimals))
            << value;
    }
}

} // namespace

#include "random_field_values.h"

namespace {

// The shorter way of fieldF and fieldE must give the exact writers' text on every value,
// including halves, negative zero, overflow to asterisks and every width in use;
// bench/field_writer_check runs the same comparison on tens of millions of values.
TEST(FixedField, ShortWayAgreesWithTheExactWriters)
{
    vorna::testing::RandomFieldValues values(18);
    for (int i = 0; i < 400000; ++i) {
        const auto f = values.next(false);
        ASSERT_EQ(fieldF(f.value, f.width, f.decimals), exactFieldF(f.value, f.width, f.decimals))
            << f.value << " F" << f.width << "." << f.decimals;
        const auto e = values.next(true);
        ASSERT_EQ(fieldE(e.value, e.width, e.decimals), exactFieldE(e.value, e.width, e.decimals))
            << e.value << " E" << e.width << "." << e.decimals;
        std::string line = "x";
        appendFieldF(line, f.value, f.width, f.decimals);
        appendFieldE(line, e.value, e.width, e.decimals);
        ASSERT_EQ(line, "x" + exactFieldF(f.value, f.width, f.decimals) +
                            exactFieldE(e.value, e.width, e.decimals));
    }
}

} // namespace
