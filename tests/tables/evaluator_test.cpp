#include "errors.h"
#include "evaluator.h"
#include "expect_throw_text.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace vorna;

namespace {

struct ValueCase {
    const char *name;
    const char *text;
    long double expected;
};

const ValueCase kValues[] = {
    {"power left to right", "2^3^2", 64.0L},
    {"product before sum", "2+3*4", 14.0L},
    {"parentheses first", "(2+3)*4", 20.0L},
    {"nested parentheses", "((1+2)*(3+4))/7", 3.0L},
    {"remainder", "7%3", 1.0L},
    {"remainder keeps sign of left", "-7%3", -1.0L},
    {"remainder truncates operands", "7.9%3", 1.0L},
    {"and false", "1&0", 0.0L},
    {"and false reversed", "0&1", 0.0L},
    {"and true", "2&3", 1.0L},
    {"or", "0|5", 1.0L},
    {"equal", "3=3", 1.0L},
    {"not equal", "3=4", 0.0L},
    {"equal binds last", "1+2=3", 1.0L},
    {"factorial", "5!", 120.0L},
    {"factorial of zero", "0!", 1.0L},
    {"factorial keeps sign", "-3!", -6.0L},
    {"hexadecimal", "$FF", 255.0L},
    {"hexadecimal lower case", "$ff", 255.0L},
    {"subtraction", "3-2", 1.0L},
    {"sign after operator", "3*-2", -6.0L},
    {"negative exponent", "1e-3", 0.001L},
    {"double minus", "--4", 4.0L},
    {"minus of a negative group", "5-(-3)", 8.0L},
    {"power of a negative group", "2^(-1)", 0.5L},
    {"sign binds before power", "-2^2", 4.0L},
    {"blanks ignored", "1 000", 1000.0L},
    {"tabs ignored", "2\t*\t3", 6.0L},
    {"pi", "pi", std::numbers::pi_v<long double>},
    {"negative pi", "-PI", -std::numbers::pi_v<long double>},
    {"euler", "e", std::numbers::e_v<long double>},
    {"function of a group", "sin(pi/2)", 1.0L},
    {"function with negative argument", "abs(-2.5)", 2.5L},
    {"nested functions", "sqrt(sqrt(16))", 2.0L},
    {"cotan is not cos", "cotan(pi/4)", 1.0L},
    {"arctan before arctanh prefix", "arctan(1)*4", std::numbers::pi_v<long double>},
    {"frac keeps sign", "frac(-2.25)", -0.25L},
    {"int truncates", "int(-2.7)", -2.0L},
    {"round half to even down", "round(2.5)", 2.0L},
    {"round half to even up", "round(3.5)", 4.0L},
    {"ceil", "ceil(1.2)", 2.0L},
    {"floor", "floor(-1.2)", -2.0L},
    {"log base ten", "log(1000)", 3.0L},
    {"natural log", "ln(e)", 1.0L},
    {"secant", "sec(0)", 1.0L},
    {"large group re-reads", "(10^20)*2", 2e20L},
    {"small group re-reads", "(10^-20)*2", 2e-20L},
    {"leading point", ".5*4", 2.0L},
    {"upper case exponent", "2E3", 2000.0L},
};

class EvaluatorValue : public testing::TestWithParam<ValueCase> {};

TEST_P(EvaluatorValue, Evaluates)
{
    const ValueCase &c = GetParam();
    const long double value = Evaluate(QString::fromUtf8(c.text));
    EXPECT_NEAR(static_cast<double>(value), static_cast<double>(c.expected),
                1e-15 * std::max(1.0, std::fabs(static_cast<double>(c.expected))))
        << c.text;
}

std::string caseName(const char *name)
{
    std::string s;
    for (const char *p = name; *p; ++p)
        s += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, EvaluatorValue, testing::ValuesIn(kValues),
                         [](const auto &row) { return caseName(row.param.name); });

struct FaultCase {
    const char *name;
    const char *text;
    const char *message;
};

const FaultCase kFaults[] = {
    {"blank", "", "Entry could not be evaluated:\rentry cannot be blank"},
    {"empty parentheses", "()", "Entry could not be evaluated:\rentry cannot be blank"},
    {"unmatched closing", "2)", "Entry could not be evaluated:\r() (parentheses) do not match"},
    {"closing before opening", ")(",
     "Entry could not be evaluated:\r() (parentheses) do not match"},
    {"unmatched opening", "(2",
     "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"two operators", "2**", "Entry could not be evaluated:\rinvalid expression"},
    {"operator at start", "*2", "Entry could not be evaluated:\rinvalid expression"},
    {"plus sign at start", "+2", "Entry could not be evaluated:\rinvalid expression"},
    {"fractional factorial", "2.5!",
     "Entry could not be evaluated:\r! (factoral) applicable to integers only"},
    {"bad hexadecimal", "$G", "Entry could not be evaluated:\rinvalid use of $ (hex function)"},
    {"empty hexadecimal", "$", "Entry could not be evaluated:\rinvalid use of $ (hex function)"},
    {"letters", "abc", "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"comma decimal", "1,5", "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"blank only", "   ", "Entry could not be evaluated:\rinvalid expression"},
    {"function without argument", "sin",
     "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"division by zero", "1/0", "Entry could not be evaluated:\rdivision by zero"},
    {"remainder by zero", "5%0.5", "Entry could not be evaluated:\rdivision by zero"},
    {"zero to a negative power", "0^-1", "Entry could not be evaluated:\rdivision by zero"},
    {"cotangent of zero", "cotan(0)", "Entry could not be evaluated:\rdivision by zero"},
    {"logarithm of zero", "log(0)",
     "Entry could not be evaluated:\rlogarithm of zero or of a negative number"},
    {"logarithm of negative", "ln(-1)",
     "Entry could not be evaluated:\rlogarithm of zero or of a negative number"},
    {"root of negative", "sqrt(-4)",
     "Entry could not be evaluated:\rsquare root of a negative number"},
    {"arcsine out of range", "arcsin(2)",
     "Entry could not be evaluated:\rresult is undefined (function argument out of range)"},
    {"negative base fractional power", "(-8)^0.5",
     "Entry could not be evaluated:\rresult is undefined (function argument out of range)"},
    {"overflow", "10^5000", "Entry could not be evaluated:\rnumber too large"},
    {"huge literal", "1e99999", "Entry could not be evaluated:\rnumber too large"},
    {"huge factorial", "100000!", "Entry could not be evaluated:\rnumber too large"},
    {"remainder beyond 64 bits", "1e30%7", "Entry could not be evaluated:\rnumber too large"},
    {"hexadecimal beyond 64 bits", "$10000000000000000",
     "Entry could not be evaluated:\rnumber too large"},
};

class EvaluatorFault : public testing::TestWithParam<FaultCase> {};

TEST_P(EvaluatorFault, RaisesAssignError)
{
    const FaultCase &c = GetParam();
    try {
        const long double value = Evaluate(QString::fromUtf8(c.text));
        FAIL() << c.text << " gave " << static_cast<double>(value);
    } catch (const EAssignError &e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(c.message)) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EvaluatorFault, testing::ValuesIn(kFaults),
                         [](const auto &row) { return caseName(row.param.name); });

// Partial results are carried as text with 18 significant digits.
TEST(Evaluator, CarriesEighteenDigits)
{
    EXPECT_EQ(evaluatorText(1.0L / 3.0L), "0.333333333333333333");
    EXPECT_EQ(evaluatorText(2e20L), "2e20");
    EXPECT_EQ(Evaluate(QStringLiteral("(1/3)*3")), 0.999999999999999999L);
}

// A tiny literal is zero, not an error.
TEST(Evaluator, UnderflowIsZero)
{
    EXPECT_EQ(Evaluate(QStringLiteral("1e-99999")), 0.0L);
}

// Long chains neither overflow the stack nor take long.
TEST(Evaluator, LongEntries)
{
    QString sum = QStringLiteral("1");
    for (int i = 0; i < 2000; ++i)
        sum += QStringLiteral("+1");
    EXPECT_EQ(Evaluate(sum), 2001.0L);
    EXPECT_EQ(Evaluate(QString(3000, u'(') + u'7' + QString(3000, u')')), 7.0L);
    EXPECT_EQ(Evaluate(QStringLiteral("abs").repeated(3000) + "2"), 2.0L);
    // Beyond 10000 characters an entry is refused before it is read.
    EXPECT_THROW_TEXT(Evaluate(QString(20000, u'1')), EAssignError,
                      "Entry could not be evaluated:\rinvalid expression");
}

} // namespace
