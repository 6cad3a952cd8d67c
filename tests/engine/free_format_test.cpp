#include "input/free_format.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

TEST(FreeFormat, ParsesListDirectedNumbers)
{
    struct Case {
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1", 1.0},
        {"-2.5", -2.5},
        {"+3", 3.0},
        {"1.", 1.0},
        {".5", 0.5},
        {"4E6", 4.0e6},
        {"1.5d3", 1500.0},
        {"2.0E-3", 0.002},
        {"abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"0x10", std::nullopt},
        {"-", std::nullopt},
        {"12a", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFortranReal(c.text), c.value);
    }
}

TEST(FreeFormat, RecordContinuesOnFollowingLinesAndDropsLeftovers)
{
    FreeFormatReader reader("title\r\n1 2\r\n\r\n3, 4 5 6\r\n7\r\n");
    ASSERT_EQ(reader.textLine(), "title");
    FreeFormatFault fault{};
    const auto first = reader.record(4, {}, fault);
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)[2].value, 3.0);
    EXPECT_EQ((*first)[2].line, 4);
    EXPECT_EQ((*first)[3].item, 2);
    EXPECT_EQ(reader.firstContinuedRecordLine(), 2);
    // 5 and 6 are left over on line 4; the next record starts on line 5.
    const auto second = reader.record(1, {}, fault);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[0].value, 7.0);
}

TEST(FreeFormat, EveryLineEndEndsALine)
{
    for (const char *text : {"t\r\n1 2\r\n3\r\n", "t\n1 2\n3\n", "t\r1 2\r3\r", "t\r1 2\n3\r\n"}) {
        SCOPED_TRACE(text);
        FreeFormatReader reader(text);
        ASSERT_EQ(reader.textLine(), "t");
        FreeFormatFault fault{};
        const auto first = reader.record(2, {}, fault);
        ASSERT_TRUE(first);
        EXPECT_EQ((*first)[1].line, 2);
        const auto second = reader.record(1, {}, fault);
        ASSERT_TRUE(second);
        EXPECT_EQ((*second)[0].line, 3);
        EXPECT_FALSE(reader.textLine());
    }
}

TEST(FreeFormat, NumbersBeyondADoubleAreTooLargeOrTooSmall)
{
    using Kind = ParsedNumber::Kind;
    EXPECT_EQ(parseFortranNumber("1e400").kind, Kind::TooLarge);
    EXPECT_EQ(parseFortranNumber("-1D400").kind, Kind::TooLarge);
    EXPECT_EQ(parseFortranNumber(std::string(400, '9')).kind, Kind::TooLarge);
    EXPECT_EQ(parseFortranNumber("1e-400").kind, Kind::TooSmall);
    EXPECT_EQ(parseFortranNumber("0." + std::string(400, '0') + "1").kind, Kind::TooSmall);
    EXPECT_EQ(parseFortranNumber("1e308").kind, Kind::Number);
    EXPECT_EQ(parseFortranNumber("1e40x").kind, Kind::NotANumber);
}

TEST(FreeFormat, ACommaBetweenDigitsIsRefusedAndLongTokensAreCut)
{
    FreeFormatFault fault{};
    {
        FreeFormatReader reader("2 10 300 2,5 3\n");
        EXPECT_FALSE(reader.record(5, {}, fault));
        EXPECT_EQ(fault.kind, FreeFormatFault::Kind::DecimalComma);
        EXPECT_EQ(fault.item, 4);
        EXPECT_EQ(fault.token, "2,5");
    }
    {
        FreeFormatReader reader(std::string(1000, 'x') + "\n");
        EXPECT_FALSE(reader.record(1, {}, fault));
        EXPECT_EQ(fault.kind, FreeFormatFault::Kind::NotANumber);
        EXPECT_EQ(fault.token, std::string(40, 'x') + "...");
    }
}

TEST(FreeFormat, FaultsNameTheLineAndItem)
{
    FreeFormatFault fault{};
    {
        FreeFormatReader reader("1 x 3\n");
        EXPECT_FALSE(reader.record(3, {}, fault));
        EXPECT_EQ(fault.kind, FreeFormatFault::Kind::NotANumber);
        EXPECT_EQ(fault.line, 1);
        EXPECT_EQ(fault.item, 2);
        EXPECT_EQ(fault.token, "x");
        EXPECT_EQ(fault.valueIndex, 1);
    }
    {
        FreeFormatReader reader("1 2.5\n");
        EXPECT_FALSE(reader.record(2, {true, true}, fault));
        EXPECT_EQ(fault.kind, FreeFormatFault::Kind::NotAnInteger);
        EXPECT_EQ(fault.item, 2);
    }
    {
        FreeFormatReader reader("1\n2\n");
        EXPECT_FALSE(reader.record(3, {}, fault));
        EXPECT_EQ(fault.kind, FreeFormatFault::Kind::EndOfFile);
        EXPECT_EQ(fault.line, 3);
        EXPECT_EQ(fault.valueIndex, 2);
    }
}

} // namespace
