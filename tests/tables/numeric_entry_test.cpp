#include "comma_locale.h"
#include "numeric_entry.h"
#include "qt_print.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <optional>

using namespace vorna;

namespace {

// Every case runs under a locale whose decimal separator is a comma: entries and the limits
// in the messages still use ".".
using NumericEntry = test::CommaLocaleTest;

struct EntryCase {
    const char *name;
    const char *text;
    EntryLimits limits;
    std::optional<long double> shown;
    const char *message; // empty when taken
};

const EntryLimits kPercent{0, 100};
const EntryLimits kFromHalf{0.5L, 10};
const EntryLimits kCount{1, 10, true};

const EntryCase kEntries[] = {
    {"good", "42", kPercent, 42.0L, ""},
    {"expression", "2*(3+4)", kPercent, 14.0L, ""},
    {"on the limit", "100", kPercent, 100.0L, ""},
    {"point decimal", "2.5", kPercent, 2.5L, ""},
    {"empty", "", kPercent, std::nullopt, "Entry could not be evaluated:\rentry cannot be blank"},
    {"non-numeric", "abc", kPercent, std::nullopt,
     "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"comma decimal", "1,5", kPercent, std::nullopt,
     "Entry could not be evaluated:\rinvalid character(s) in expression"},
    {"above maximum", "150", kPercent, 100.0L, "Entry must be less than or equal to 100"},
    {"expression above maximum", "60*2", kPercent, 100.0L,
     "Entry must be less than or equal to 100"},
    {"below minimum", "-0.5", kPercent, 0.0L, "Entry must be greater than or equal to 0"},
    {"below a fractional minimum", "0.25", kFromHalf, 0.5L,
     "Entry must be greater than or equal to 0.5"},
    {"whole in integer field", "3", kCount, 3.0L, ""},
    {"fraction in integer field", "2.5", kCount, std::nullopt, "Entry must be an integer."},
    {"non-numeric in integer field", "abc", kCount, std::nullopt, "Entry must be a valid integer."},
    {"empty in integer field", "", kCount, std::nullopt, "Entry must be a valid integer."},
    {"integer field above maximum", "11", kCount, 10.0L, "Entry must be less than or equal to 10"},
    // Beyond a double's precision the fraction is lost before the check, in a field that
    // holds a double.
    {"fraction a double cannot hold", "1+1e-17", {1, 10, true, true}, 1.0L, ""},
    {"fraction a long double holds", "1+1e-17", kCount, std::nullopt, "Entry must be an integer."},
};

TEST_F(NumericEntry, ChecksEntryAgainstLimits)
{
    for (const EntryCase &c : kEntries) {
        SCOPED_TRACE(c.name);
        const EntryCheck check = checkEntry(QString::fromUtf8(c.text), c.limits,
                                            [](long double v) { return entryText(v); });
        EXPECT_EQ(check.message, QString::fromUtf8(c.message));
        EXPECT_EQ(check.accepted(), *c.message == '\0');
        EXPECT_EQ(check.shown, c.shown);
    }
}

struct TextCase {
    long double value;
    bool hex;
    const char *expected;
};

const TextCase kTexts[] = {
    {0.0L, false, "0"},
    {2.5L, false, "2.5"},
    {-0.125L, false, "-0.125"},
    {4000000.0L, false, "4000000"},               // plain, so the evaluator reads it back
    {6 * 0.3048, false, "1.8288"},                // 6 ft in metres, not 1.8288000000000002
    {1.0e20L, false, "1e20"},                     // too long for plain digits
    {1.0L / 3.0L, false, "0.333333333333333333"}, // no double holds it: 18 digits
    {255.0L, true, "$00FF"},
    {70000.0L, true, "$11170"},
};

TEST_F(NumericEntry, WritesValuesWithPoint)
{
    for (const TextCase &c : kTexts) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(entryText(c.value, c.hex), QString::fromUtf8(c.expected));
    }
}

} // namespace
