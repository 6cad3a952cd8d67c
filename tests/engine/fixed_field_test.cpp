#include "fixed_field.h"

#include <gtest/gtest.h>

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
    };
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
        {0.9995, 10, 3, " 0.100E+01"},   // rounding carries into the exponent
        {0.00012346, 17, 4, "       0.1235E-03"},
        {0.125, 9, 2, " 0.13E+00"},       // an exact half rounds away from zero
        {1.0, 16, 4, "      0.1000E+01"},
        {1.0e-120, 10, 3, " 0.100-119"}, // three-digit exponents drop the E
        {123.0, 8, 3, ".123E+03"},        // the leading zero is optional
        {123.0, 7, 3, "*******"},
        {2000.0, 9, 2, " 0.20E+04"},
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
