#include "comma_locale.h"
#include "expect_throw_text.h"
#include "qt_print.h"
#include "word_reader.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace vorna;

namespace {

// Numbers read the same whatever the user's locale; a comma is never a decimal separator.
using CommaLocale = test::CommaLocaleTest;

TEST_F(CommaLocale, ReadsDecimalForms)
{
    TWordReader reader(QStringLiteral("12.5 0.125E+02\t\t -3 \r\n  1e-3"));
    EXPECT_EQ(reader.NextReal(), 12.5);
    EXPECT_EQ(reader.NextReal(), 12.5);
    EXPECT_EQ(reader.NextInteger(), -3);
    EXPECT_EQ(reader.NextReal(), 0.001);
    EXPECT_TRUE(reader.AtEnd() || reader.RemainingTokenCount() == 0);
}

struct ErrorCase {
    const char *name;
    const char *text;
    int skip;     // tokens taken before the failing one
    bool integer; // ask for an integer, else a real
    const char *message;
};

TEST_F(CommaLocale, ConversionMessagesNameLineAndItem)
{
    const ErrorCase cases[] = {
        {"comma decimal", "1 2\n3 4,5", 3, false,
         "Error on Line 2 Item 2\rA floating point number was expected but not found."},
        {"letter for integer", "1\n2 3 x", 3, true,
         "Error on Line 2 Item 3\rAn integer was expected but not found."},
        {"fraction for integer", "2.5", 0, true,
         "Error on Line 1 Item 1\rAn integer was expected but not found."},
        {"beyond 32 bits", "2147483648", 0, true,
         "Error on Line 1 Item 1\rAn integer was expected but not found."},
        {"whole real is an integer", "7.0 x", 1, true,
         "Error on Line 1 Item 2\rAn integer was expected but not found."},
        {"infinity", "inf", 0, false,
         "Error on Line 1 Item 1\rA floating point number was expected but not found."},
        {"after an empty line", "1\n\n  x", 1, false,
         "Error on Line 3 Item 1\rA floating point number was expected but not found."},
        {"end of text", "1 2\n", 2, false, "This file either invalid or incomplete."},
        {"empty text", "", 0, true, "This file either invalid or incomplete."},
    };
    for (const ErrorCase &c : cases) {
        SCOPED_TRACE(c.name);
        TWordReader reader(QString::fromUtf8(c.text));
        for (int i = 0; i < c.skip; ++i)
            reader.NextToken();
        try {
            c.integer ? reader.NextInteger() : static_cast<int>(reader.NextReal());
            ADD_FAILURE() << "no error";
        } catch (const EInputError &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
}

// Plain decimals take a shorter way than Qt's conversion; every form, plain or not, must
// read as QString::toDouble reads it: the same bits, or rejected alike.
TEST(WordReader, ReadsEveryFormAsQtDoes)
{
    const char *tokens[] = {"0",
                            "-0",
                            "-0.000",
                            "0.",
                            ".5",
                            "-.5",
                            ".",
                            "-",
                            "+1.5",
                            "1.5E+02",
                            "1.5e-02",
                            "1e",
                            "1e+",
                            "e5",
                            "1.2.3",
                            "--1",
                            "007.50",
                            "0.1",
                            "2.2250738585072014e-308",
                            "4.9e-324",
                            "1e-400",
                            "0e-400",
                            "1.7976931348623157e308",
                            "1e400",
                            "-1e400",
                            "nan",
                            "0x10",
                            "1E5\v",
                            "123456789012345678901234567890.1234567890123456789012345678901234567"};
    for (const char *text : tokens) {
        SCOPED_TRACE(text);
        const QString token = QString::fromLatin1(text);
        bool ok = false;
        const double expected = token.toDouble(&ok);
        TWordReader reader(token);
        if (ok && std::isfinite(expected)) {
            const double value = reader.NextReal();
            EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0);
        } else {
            EXPECT_THROW(reader.NextReal(), EInputError);
        }
    }
}

TEST(WordReader, CursorOperations)
{
    TWordReader reader(QStringLiteral("  Title with  blanks \r\n1 2 3\r\n\r\n4\r\n"));
    EXPECT_EQ(reader.RestOfLine(), QStringLiteral("  Title with  blanks "));
    EXPECT_EQ(reader.TokenCount(), 3);
    EXPECT_EQ(reader.NextInteger(), 1);
    EXPECT_EQ(reader.LineNumber(), 2);
    EXPECT_EQ(reader.ItemNumber(), 1);
    EXPECT_EQ(reader.RemainingTokenCount(), 2);
    reader.NextLine(); // drops 2 and 3
    EXPECT_EQ(reader.NextInteger(), 4);
    EXPECT_EQ(reader.LineNumber(), 4);
    reader.NextLine();
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_THROW_TEXT(reader.NextToken(), EInputError, "This file either invalid or incomplete.");
    EXPECT_THROW_TEXT(reader.RestOfLine(), EInputError, "This file either invalid or incomplete.");
}

TEST(WordReader, CommasAreNotSeparators)
{
    TWordReader reader(QStringLiteral("1,2 3"));
    EXPECT_EQ(reader.TokenCount(), 2);
    EXPECT_EQ(reader.NextToken(), QStringLiteral("1,2"));
}

TEST(WordReader, ReadsFilesAsEightBitText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("t.txt"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Pier \xb0"
               "A\r\n5\r\n");
    file.close();
    TWordReader reader = TWordReader::fromFile(name);
    EXPECT_EQ(reader.RestOfLine(), QString::fromLatin1("Pier \xb0"
                                                       "A"));
    EXPECT_EQ(reader.NextInteger(), 5);
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_THROW_TEXT(TWordReader::fromFile(missing), EInputError,
                      QStringLiteral("Cannot open \"%1\":\rNo such file or directory")
                          .arg(missing)
                          .toStdString());
}

} // namespace
