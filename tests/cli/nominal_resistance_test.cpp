// The head load at 5 % of the base diameter, against values worked by hand.
#include "nominal_resistance.h"

#include <gtest/gtest.h>

namespace vorna::cli {
namespace {

// Top loads 100, 200, 300 tons at top movements 0.1, 0.3, 0.9 in (tip values unused).
const std::vector<SettlementPoint> kCurve = {
    {100.0, 0.1, 0.0, 0.0}, {200.0, 0.3, 0.0, 0.0}, {300.0, 0.9, 0.0, 0.0}};

TEST(NominalResistance, SettlementIsFivePercentOfTheBaseDiameter)
{
    EXPECT_DOUBLE_EQ(nominalSettlement(3.0, false), 1.8); // 3 ft = 36 in; 5 % is 1.8 in
    EXPECT_DOUBLE_EQ(nominalSettlement(1.2, true), 0.06); // 1.2 m; 5 % is 0.06 m
}

TEST(NominalResistance, InterpolatesOnTheCurve)
{
    struct Case {
        const char *name;
        double settlement;
        double load;
    };
    const Case cases[] = {
        {"on the first stretch, from the unloaded head", 0.05, 50.0},
        {"between two points", 0.6, 250.0}, // 200 + (0.6 - 0.3) / (0.9 - 0.3) * 100
        {"at a point", 0.3, 200.0},
        {"at the last point", 0.9, 300.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> load = loadAtSettlement(kCurve, c.settlement);
        ASSERT_TRUE(load);
        EXPECT_NEAR(*load, c.load, 1e-9);
    }
}

TEST(NominalResistance, NotReachedWhenTheCurveEndsBefore)
{
    EXPECT_FALSE(loadAtSettlement(kCurve, 0.9000001));
    EXPECT_FALSE(loadAtSettlement({}, 0.1));
    // A socket curve whose last two points share a movement ends where it ends.
    const std::vector<SettlementPoint> flat = {{100.0, 0.5, 0, 0}, {120.0, 0.5, 0, 0}};
    EXPECT_FALSE(loadAtSettlement(flat, 0.6));
    EXPECT_NEAR(*loadAtSettlement(flat, 0.25), 50.0, 1e-9);
}

} // namespace
} // namespace vorna::cli
