#include "free_format.h"

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
        {"1", 1.0},         {"-2.5", -2.5},      {"+3", 3.0},     {"1.", 1.0},
        {".5", 0.5},        {"4E6", 4.0e6},      {"1.5d3", 1500.0}, {"2.0E-3", 0.002},
        {"abc", std::nullopt}, {"1.2.3", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt}, {"1e999", std::nullopt}, {"0x10", std::nullopt},
        {"-", std::nullopt},   {"12a", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFortranReal(c.text), c.value);
    }
}

TEST(FreeFormat, RecordContinuesOnFollowingLinesAndDropsLeftovers)
{
    FreeFormatReader reader("title\r\n1 2\r\n\r\n3,4 5 6\r\n7\r\n");
    ASSERT_EQ(reader.textLine(), "title");
    FreeFormatFault fault{};
    const auto first = reader.record(4, {}, fault);
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)[2].value, 3.0);
    EXPECT_EQ((*first)[2].line, 4);
    EXPECT_EQ((*first)[3].item, 2);
    // 5 and 6 are left over on line 4; the next record starts on line 5.
    const auto second = reader.record(1, {}, fault);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[0].value, 7.0);
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
