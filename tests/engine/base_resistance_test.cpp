#include "method/base_resistance.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vorna;

namespace {

TEST(BaseGeometry, StraightShaft)
{
    const BaseGeometry g = baseGeometry(3.0, 0.0, 0.0);
    EXPECT_FALSE(g.belled);
    EXPECT_DOUBLE_EQ(g.baseDiameterFt, 3.0);
    EXPECT_EQ(g.zoneLengthFt, 6);
    EXPECT_EQ(g.stemEndToBaseFt, 0.0);
    EXPECT_EQ(g.bellVolumeCuYd, 0.0);
    EXPECT_NEAR(g.stemAreaSqFt, 7.0695, 1e-12);
    EXPECT_NEAR(g.baseAreaSqFt, 7.0695, 1e-12);
    EXPECT_NEAR(g.onePercentSteelSqIn, 10.18008, 1e-9);
}

TEST(BaseGeometry, Bells)
{
    const BaseGeometry g = baseGeometry(3.0, 2.5, 30.0);
    EXPECT_TRUE(g.belled);
    EXPECT_DOUBLE_EQ(g.baseDiameterFt, 7.5);
    EXPECT_DOUBLE_EQ(g.toeHeightFt, 0.25);
    EXPECT_NEAR(g.stemEndToBaseFt, 4.1466, 1e-4);
    EXPECT_NEAR(g.bellVolumeCuYd, 3.72499, 1e-5);
    EXPECT_NEAR(g.baseAreaSqFt, 44.184375, 1e-9);
    EXPECT_EQ(g.zoneLengthFt, 15);

    EXPECT_DOUBLE_EQ(baseGeometry(3.52, 2.0, 30.0).toeHeightFt, 0.25);
    EXPECT_DOUBLE_EQ(baseGeometry(4.0, 2.0, 30.0).toeHeightFt, 0.5);
    EXPECT_EQ(baseGeometry(4.0, 2.0, 30.0).zoneLengthFt, 16);
    // Only the whole part of the ratio makes a bell.
    EXPECT_FALSE(baseGeometry(3.0, 0.8, 30.0).belled);
    EXPECT_DOUBLE_EQ(baseGeometry(3.0, 0.8, 30.0).baseDiameterFt, 3.0);
    EXPECT_DOUBLE_EQ(baseGeometry(2.0, 1.5, 30.0).baseDiameterFt, 3.0);
    // Zone length in whole feet: 2 x 2.75 = 5.5 gives 5.
    EXPECT_EQ(baseGeometry(2.75, 0.0, 0.0).zoneLengthFt, 5);
}

TEST(ClayBase, NcCuAndTheLargeBaseFactor)
{
    EXPECT_NEAR(clayUnitBaseResistanceTsf(SoilType::Clay, 9.0, 1.0), 9.0, 1e-12);
    EXPECT_NEAR(clayUnitBaseResistanceTsf(SoilType::Clay, 9.0, 5.0), 40.0, 1e-12);
    EXPECT_NEAR(clayUnitBaseResistanceTsf(SoilType::ClayShale, 9.0, 5.0), 45.0, 1e-12);

    EXPECT_DOUBLE_EQ(largeBaseFactor(1.0, 40.0, 4.0), 1.0);
    EXPECT_DOUBLE_EQ(largeBaseFactor(1.0, 40.0, 6.25), 1.0);
    EXPECT_NEAR(largeBaseFactor(1.0, 40.0, 8.0), 0.8248, 1e-4);
    EXPECT_NEAR(largeBaseFactor(0.1, 0.0, 20.0), 0.846310, 1e-6); // psi2 raised to 0.5
    EXPECT_DOUBLE_EQ(largeBaseFactor(0.1, 0.0, 8.0), 1.0);        // at most 1
    EXPECT_LE(largeBaseFactor(10.0, 0.0, 6.3), 1.0);
    EXPECT_LE(largeBaseFactor(-1.0, 0.0, 8.0), 1.0); // no root of a negative cu
}

TEST(ClayBase, AutomaticAndDepthRuleNc)
{
    EXPECT_DOUBLE_EQ(automaticNc(SoilType::Clay, 0.0, 3.0), 6.0);
    EXPECT_NEAR(automaticNc(SoilType::Clay, 2.5, 5.0), 6.6, 1e-12);
    EXPECT_DOUBLE_EQ(automaticNc(SoilType::Clay, 10.0, 2.0), 9.0);
    EXPECT_DOUBLE_EQ(automaticNc(SoilType::ClayShale, 5.0, 3.0), 7.0);

    const struct {
        double cuPsf, depthInDiameters, nc;
    } cases[] = {
        {400.0, 3.0, 6.5},  {500.0, 3.0, 6.5},  {750.0, 5.0, 7.25}, {1000.0, 3.0, 8.0},
        {1500.0, 3.0, 8.5}, {2000.0, 3.0, 9.0}, {2000.0, 0.0, 6.0}, {2000.0, 1.5, 7.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.cuPsf) + " psf at " + std::to_string(c.depthInDiameters));
        EXPECT_NEAR(depthRuleNc(c.cuPsf, c.depthInDiameters), c.nc, 1e-12);
    }
}

TEST(SandBase, UnitValuesAndReductions)
{
    const struct {
        const char *name;
        double value, expected;
    } cases[] = {
        {"30 degrees", sandUnitBaseResistanceFromPhiTsf(30.0), 0.0},
        {"33 degrees", sandUnitBaseResistanceFromPhiTsf(33.0), 8.001},
        {"36 degrees", sandUnitBaseResistanceFromPhiTsf(36.0), 16.002},
        {"38 degrees", sandUnitBaseResistanceFromPhiTsf(38.0), 25.6},
        {"41 degrees", sandUnitBaseResistanceFromPhiTsf(41.0), 40.0},
        {"45 degrees", sandUnitBaseResistanceFromPhiTsf(45.0), 40.0},
        {"N 50", sandUnitBaseResistanceFromNTsf(50.0), 30.0},
        {"N 75", sandUnitBaseResistanceFromNTsf(75.0), 45.0},
        {"N 80", sandUnitBaseResistanceFromNTsf(80.0), 45.0},
        {"Db 5 ft at 20 ft", sandBaseReduction(20.0, 5.0), 50.0 / 60.0 * 20.0 / 50.0},
        {"Db 5 ft deep", sandBaseReduction(60.0, 5.0), 50.0 / 60.0},
        {"Db 4 ft at 20 ft", sandBaseReduction(20.0, 4.0), 0.5},
        {"Db 4 ft at 40 ft", sandBaseReduction(40.0, 4.0), 1.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.value, c.expected, 1e-9);
    }
}

TEST(RockBase, KspAndSocketBase)
{
    EXPECT_NEAR(socketKsp(10.0, 0.01, 3.0), 0.5554, 1e-4);
    EXPECT_NEAR(socketKsp(3.0, 0.0, 3.0), 0.4, 1e-12);
    EXPECT_NEAR(rockSocketBaseTons(0.5, 2000.0, 2.0), 4.7124, 1e-12);
}

TEST(EndBearingLimit, NegativePrescribesPositiveLimits)
{
    EXPECT_NEAR(endBearingLimitedTons(5.0, -40000.0, 7.069), 141.38, 1e-9);
    EXPECT_NEAR(endBearingLimitedTons(500.0, -40000.0, 7.069), 141.38, 1e-9);
    EXPECT_NEAR(endBearingLimitedTons(100.0, 20000.0, 7.069), 70.69, 1e-9);
    EXPECT_NEAR(endBearingLimitedTons(50.0, 20000.0, 7.069), 50.0, 1e-9);
    EXPECT_NEAR(endBearingLimitedTons(50.0, 1.0e10, 7.069), 50.0, 1e-9);
}

// A one-layer profile and a base step in it.
struct Fixture {
    InputData input;
    SoilProfile profile;
    BaseStepInput step;

    explicit Fixture(SoilType type)
    {
        input.DSTART = 3.0;
        input.endBearingOption = 0;
        SoilLayer l;
        l.type = type;
        l.topDepth = 0.0;
        l.DEPTH = 60.0;
        l.TRANLM = {1.0e10, 1.0e10};
        l.maxEndBearing = {1.0e10, 1.0e10};
        profile.layers = {l};
        step.depthFt = 40.0;
        step.distanceFt = 40.0;
        step.stemDiameterFt = 3.0;
    }
    SoilLayer &layer() { return profile.layers[0]; }
    double run(double D = 3.0) const
    {
        return stepBaseResistanceTons(input, profile, baseGeometry(D, 0.0, 0.0), step);
    }
};

TEST(BaseStep, ClayWithEnteredAndDepthRuleNc)
{
    Fixture f(SoilType::Clay);
    f.layer().CU = {2000.0, 2000.0};
    f.layer().NC = {9.0, 9.0};
    EXPECT_NEAR(f.run(4.0), 9.0 * 12.568, 1e-9);
    f.layer().NC = {0.0, 0.0}; // no usable Nc: depth rule, deep: 9
    EXPECT_NEAR(f.run(4.0), 9.0 * 12.568, 1e-9);
    f.step.depthFt = 3.0; // r = 0.75: (2/3)(1.125) 9 = 6.75
    EXPECT_NEAR(f.run(4.0), 6.75 * 12.568, 1e-9);
    f.layer().CU = {0.0, 0.0};
    f.layer().NC = {9.0, 9.0};
    f.layer().BLOWS = {10.0, 10.0}; // cu from N: 1 tsf
    EXPECT_NEAR(f.run(4.0), 9.0 * 12.568, 1e-9);
}

TEST(BaseStep, SandFromAngleOrBlowCountWithTheOption)
{
    Fixture f(SoilType::Sand);
    f.layer().PHI = {38.0, 38.0};
    const double ab5 = 3.142 * 25.0 / 4.0;
    EXPECT_NEAR(f.run(5.0), 25.6 * ab5, 1e-9);
    f.input.endBearingOption = 1;
    f.step.depthFt = 20.0;
    EXPECT_NEAR(f.run(5.0), 25.6 * ab5 * (50.0 / 60.0) * (20.0 / 50.0), 1e-9);
    f.layer().PHI = {30.0, 30.0}; // a token value, not reduced
    EXPECT_NEAR(f.run(5.0), 0.00001, 1e-15);
    f.layer().PHI = {30.0, 0.0}; // no bottom angle: the N rule
    f.layer().BLOWS = {50.0, 50.0};
    f.input.endBearingOption = 0;
    EXPECT_NEAR(f.run(5.0), 30.0 * ab5, 1e-9);

    Fixture gravel(SoilType::Gravel);
    gravel.layer().BLOWS = {80.0, 80.0};
    EXPECT_NEAR(gravel.run(3.0), 45.0 * 7.0695, 1e-9);
}

TEST(BaseStep, RockSocketAndTheCode4Rule)
{
    for (SoilType type : {SoilType::StrongRock, SoilType::StrongRockSideOrBase}) {
        SCOPED_TRACE(static_cast<int>(type));
        Fixture f(type);
        f.layer().QUR = {200000.0, 200000.0};
        f.layer().QUCON = {576000.0, 576000.0};
        f.layer().CS = {3.0, 3.0};
        f.layer().DISCT = {0.0, 0.0};
        f.layer().BDS = {3.0, 3.0};
        // Ksp 0.4, qu 100 tsf, socket 3 ft
        EXPECT_NEAR(f.run(), 3.0 * 0.4 * 100.0 * 0.7854 * 9.0, 1e-9);
        f.layer().QUR = {144000.0, 144000.0}; // 1000 psi: code 4 takes side resistance only
        EXPECT_NEAR(f.run(), type == SoilType::StrongRock ? 3.0 * 0.4 * 72.0 * 0.7854 * 9.0 : 0.0,
                    1e-9);
    }
}

TEST(BaseStep, MaximumEndBearingAndUplift)
{
    Fixture f(SoilType::Sand);
    f.layer().PHI = {45.0, 45.0};
    f.layer().maxEndBearing = {-40000.0, -40000.0};
    EXPECT_NEAR(f.run(3.0), 20.0 * 7.0695, 1e-9);
    f.layer().PHI = {0.0, 0.0}; // regardless of the soil
    EXPECT_NEAR(f.run(3.0), 20.0 * 7.0695, 1e-9);
    f.input.loadingType = LoadingType::Uplift;
    EXPECT_EQ(f.run(3.0), 0.0);
}

TEST(BaseStep, GeomaterialsTakeTheValueOfTheSideStep)
{
    for (SoilType type : {SoilType::DecomposedRock, SoilType::WeakRock}) {
        Fixture f(type);
        f.step.geomaterialBaseTons = 67.28;
        EXPECT_DOUBLE_EQ(f.run(), 67.28);
        f.layer().maxEndBearing = {20000.0, 20000.0}; // 10 tsf x 7.0695 sq ft
        EXPECT_DOUBLE_EQ(f.run(), 67.28);
        f.step.geomaterialBaseTons = 100.0;
        EXPECT_NEAR(f.run(), 70.695, 1e-9);
    }
}

std::vector<TipRecord> tips(int count, double (*value)(int), int firstRock = 1000)
{
    std::vector<TipRecord> records(count);
    for (int m = 0; m < count; ++m)
        records[m] = {value(m), m < firstRock};
    return records;
}

TEST(AveragedBase, WeightsOverTheTwoDiameterZone)
{
    const BaseGeometry g = baseGeometry(3.0, 0.0, 0.0); // Lz 6
    const auto uniform = tips(30, [](int) { return 50.0; });
    EXPECT_NEAR(averagedBaseResistanceTons(uniform, 10, g, 0.0), 50.0, 1e-12);
    // Zone 11 to 16, weights 0, 0.2, 0.4, 0.6, 0.533, 0.467.
    const auto rising = tips(30, [](int m) { return static_cast<double>(m); });
    EXPECT_NEAR(averagedBaseResistanceTons(rising, 10, g, 0.0), 31.4666667 / 2.2, 1e-6);
    // BS of 1 ft moves the zone one foot down.
    EXPECT_NEAR(averagedBaseResistanceTons(rising, 9, g, 1.0), 31.4666667 / 2.2, 1e-6);
}

TEST(AveragedBase, TipAboveRockDoesNotCountOnTheRock)
{
    const BaseGeometry g = baseGeometry(3.0, 0.0, 0.0);
    const auto records = tips(
        30, [](int m) { return m < 14 ? 10.0 : 100.0; }, 14);
    EXPECT_NEAR(averagedBaseResistanceTons(records, 10, g, 0.0), 10.0, 1e-12);
    // A tip in the rock averages the rock values.
    EXPECT_NEAR(averagedBaseResistanceTons(records, 13, g, 0.0), 100.0, 1e-12);
}

TEST(AveragedBase, SmallStemsTakeTheFirstValue)
{
    const BaseGeometry g = baseGeometry(0.5, 0.0, 0.0);
    const auto rising = tips(30, [](int m) { return static_cast<double>(m); });
    EXPECT_DOUBLE_EQ(averagedBaseResistanceTons(rising, 10, g, 0.0), 11.0);
}

TEST(AveragedBase, RowRangeAndLrfdFactor)
{
    const BaseGeometry g = baseGeometry(3.0, 0.0, 0.0);
    EXPECT_EQ(lastBaseRowLengthFt(40, g, 0.0), 33);
    EXPECT_EQ(lastBaseRowLengthFt(40, g, 1.4), 32);
    EXPECT_LT(lastBaseRowLengthFt(6, g, 0.0), 0);

    SoilProfile profile;
    profile.layers.resize(2);
    profile.layers[0].DEPTH = 10.0;
    profile.layers[0].lrfdTip = 0.5;
    profile.layers[1].topDepth = 10.0;
    profile.layers[1].DEPTH = 20.0;
    profile.layers[1].lrfdTip = 0.6;
    EXPECT_DOUBLE_EQ(lrfdTipFactor(profile, 5.0), 0.5);
    EXPECT_DOUBLE_EQ(lrfdTipFactor(profile, 10.0), 0.6);
    EXPECT_DOUBLE_EQ(lrfdTipFactor(profile, 25.0), 0.6);
}

} // namespace
