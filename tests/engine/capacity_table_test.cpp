#include "report/capacity_table.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

TEST(CapacityTable, DiameterSeries)
{
    struct Case {
        double start, limit;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {3.0, 5.0, {3.0, 3.5, 4.0, 4.5, 5.0}},
        {3.0, 4.99, {3.0, 3.5, 4.0, 4.5, 5.0}}, // 5.0 < 4.99 + 0.02
        {3.0, 4.97, {3.0, 3.5, 4.0, 4.5}},
        {2.0, 2.0, {2.0}},
        {0.9 * 3.2808, 1.5 * 3.2808, {2.95272, 3.45272, 3.95272, 4.45272}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.limit);
        const auto series = diameterSeriesFt(c.start, c.limit);
        ASSERT_EQ(series.size(), c.expected.size());
        for (std::size_t i = 0; i < series.size(); ++i)
            EXPECT_NEAR(series[i], c.expected[i], 1e-9);
    }
    EXPECT_EQ(diameterSeriesFt(1.0, 1.0e9).size(), static_cast<std::size_t>(kMaxDiameters));
}

TEST(CapacityTable, UpliftWeight)
{
    // 10 cu yd = 270 cu ft of concrete = 20.25 tons; 20 ft below water of a 3 ft stem
    // displaces 20 * 7.0686 cu ft of water at 0.0312 ton per cu ft = 4.411 tons.
    EXPECT_NEAR(upliftWeightTons(10.0, 40.0, 20.0, 3.0), 20.25 - 4.41081, 1e-4);
    EXPECT_DOUBLE_EQ(upliftWeightTons(10.0, 40.0, 40.0, 3.0), 20.25); // water at the tip
    EXPECT_DOUBLE_EQ(upliftWeightTons(10.0, 40.0, 100.0, 3.0), 20.25);
}

TEST(CapacityTable, AllowableAndFactoredColumns)
{
    CapacityRow base;
    base.lengthFt = 30.0;
    base.volumeCuYd = 4.0;
    base.sideTons = 300.0;
    base.baseTons = 150.0;
    const CapacityRow asd = completedRow(base, 0.0, {false, 2.0, 3.0, 1.0});
    EXPECT_DOUBLE_EQ(asd.ultimateTons, 450.0);
    EXPECT_DOUBLE_EQ(asd.allowableBaseFactoredTons, 350.0); // QS + QB/FSB
    EXPECT_DOUBLE_EQ(asd.allowableTons, 200.0);             // QS/FST + QB/FSB
    EXPECT_DOUBLE_EQ(asd.ultimatePerVolumeTonsPerCuYd, 112.5);
    EXPECT_DOUBLE_EQ(designQuantity(asd, false), 200.0);

    const CapacityRow lrfd = completedRow(base, 165.0, {true, 2.0, 3.0, 0.5});
    EXPECT_DOUBLE_EQ(lrfd.factoredSideTons, 165.0);
    EXPECT_DOUBLE_EQ(lrfd.factoredBaseTons, 75.0);
    EXPECT_DOUBLE_EQ(lrfd.factoredTotalTons, 240.0);
    EXPECT_DOUBLE_EQ(lrfd.ultimatePerVolumeTonsPerCuYd, 112.5);
    EXPECT_DOUBLE_EQ(lrfd.allowableTons, 0.0);
    EXPECT_DOUBLE_EQ(designQuantity(lrfd, true), 240.0);

    // Printed rows: the design method chooses what the last three columns hold, SI
    // divides by the printing factors.
    struct Case {
        const CapacityRow &row;
        bool si, lrfd;
        ResultRow expected;
    };
    const Case cases[] = {
        {asd, false, false, {30.0, 4.0, 300.0, 150.0, 450.0, 350.0, 200.0, 112.5}},
        {lrfd, false, true, {30.0, 4.0, 300.0, 150.0, 450.0, 165.0, 75.0, 240.0}},
        {asd,
         true,
         false,
         {30.0 / 3.2808, 4.0 / 1.3078, 300.0 / 0.1124, 150.0 / 0.1124, 450.0 / 0.1124,
          350.0 / 0.1124, 200.0 / 0.1124, 112.5 / (0.1124 / 1.3078)}},
        {lrfd,
         true,
         true,
         {30.0 / 3.2808, 4.0 / 1.3078, 300.0 / 0.1124, 150.0 / 0.1124, 450.0 / 0.1124,
          165.0 / 0.1124, 75.0 / 0.1124, 240.0 / 0.1124}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.si) + std::to_string(c.lrfd));
        EXPECT_EQ(outputRow(c.row, c.si, c.lrfd), c.expected);
    }
}

std::vector<ResultRow> rowsFrom(double firstLength, int count)
{
    std::vector<ResultRow> rows;
    for (int i = 0; i < count; ++i) {
        const double l = firstLength + i;
        rows.push_back({l, 0.1 * l, 10.0 * l, 5.0 * l, 15.0 * l, 2.0 * l, 3.0 * l, 150.0});
    }
    return rows;
}

TEST(CapacityTable, RetabulationAtTheIncrement)
{
    const auto rows = rowsFrom(7.0, 34); // lengths 7 to 40
    const auto everyFoot = retabulatedRows(rows, 1.0, 6.0, 1.0e30, false);
    ASSERT_EQ(everyFoot.size(), 34u);
    EXPECT_EQ(everyFoot.front(), rows.front());
    EXPECT_EQ(everyFoot.back(), rows.back());

    const auto everyFive = retabulatedRows(rows, 5.0, 6.0, 1.0e30, false);
    ASSERT_EQ(everyFive.size(), 7u); // 10, 15, ... 40
    EXPECT_DOUBLE_EQ(everyFive.front().length, 10.0);
    EXPECT_DOUBLE_EQ(everyFive.front().QS, 100.0);

    const auto half = retabulatedRows(rows, 2.5, 6.0, 1.0e30, false);
    EXPECT_DOUBLE_EQ(half.front().length, 7.5);
    EXPECT_DOUBLE_EQ(half.front().QB, 37.5);

    // SI runs stop at the design depth.
    EXPECT_EQ(retabulatedRows(rows, 1.0, 6.0, 20.0, false).back().length, 20.0);
}

TEST(CapacityTable, RetabulationNearTheTop)
{
    // A length between the top without side resistance and the first row is taken from
    // a zero row at length 0; where that leaves no side resistance the third row stands in.
    auto rows = rowsFrom(7.0, 5);
    const auto fromZero = retabulatedRows(rows, 0.5, 5.2, 1.0e30, false);
    EXPECT_DOUBLE_EQ(fromZero.front().length, 5.5);
    EXPECT_DOUBLE_EQ(fromZero.front().QS, 70.0 * 5.5 / 7.0);

    rows[0].QS = rows[1].QS = 0.0;
    const auto special = retabulatedRows(rows, 1.0, 6.0, 1.0e30, false);
    ASSERT_GE(special.size(), 2u);
    for (const ResultRow &r : {special[0], special[1]}) {
        SCOPED_TRACE(r.length);
        EXPECT_DOUBLE_EQ(r.QS, 45.0); // half the third row's 90
        EXPECT_DOUBLE_EQ(r.QB, 45.0); // the third row's QB
        EXPECT_DOUBLE_EQ(r.QU, 90.0);
        EXPECT_DOUBLE_EQ(r.QBD, 9.0);
        EXPECT_DOUBLE_EQ(r.volume, r.length * 0.8 / 8.0);
    }
    EXPECT_DOUBLE_EQ(special[2].QS, 90.0); // the third row itself

    const auto lrfd = retabulatedRows(rows, 1.0, 6.0, 1.0e30, true);
    EXPECT_DOUBLE_EQ(lrfd[0].QBD, 9.0);  // half the LRFD QS
    EXPECT_DOUBLE_EQ(lrfd[0].QDN, 27.0); // the LRFD QB
    EXPECT_DOUBLE_EQ(lrfd[0].QUperVolume, 36.0);
}

TEST(CapacityTable, RetabulationWithoutRowsOrIncrement)
{
    EXPECT_TRUE(retabulatedRows({}, 1.0, 0.0, 1.0e30, false).empty());
    EXPECT_TRUE(retabulatedRows(rowsFrom(1.0, 3), 0.0, 0.0, 1.0e30, false).empty());
}

} // namespace
