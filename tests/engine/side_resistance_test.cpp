#include "method/side_resistance.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorna;

namespace {

TEST(SideCoefficients, AlphaOfClay)
{
    const struct {
        double cuPsf, alpha;
    } cases[] = {
        {1000.0, 0.55},   {3175.2, 0.55},                 // 1.5 atmospheres
        {4000.0, 0.5110}, {4233.6, 0.50}, {5292.0, 0.55}, // 2.5 atmospheres: back to 0.55
        {6000.0, 0.55},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cuPsf);
        EXPECT_NEAR(alphaClay(c.cuPsf), c.alpha, 5e-5);
    }
}

TEST(SideCoefficients, BetaOfSandAndGravels)
{
    const struct {
        const char *name;
        double value, expected;
    } cases[] = {
        {"sand z 25 N 30", betaSand(25.0, 30.0), 0.825},
        {"sand z 4 N 10: scaled by N / 15", betaSand(4.0, 10.0), 0.82},
        {"sand z 100 N 30: raised to 0.25", betaSand(100.0, 30.0), 0.25},
        {"sand at the surface: limited to 1.2", betaSand(0.0, 30.0), 1.2},
        {"sand N 0 is not scaled", betaSand(4.0, 0.0), 1.2},
        {"sand N 15 is not scaled", betaSand(25.0, 15.0), 0.825},
        {"gravelly sand at the surface: 1.8", betaGravellySand(0.0), 1.8},
        {"gravelly sand z 10", betaGravellySand(10.0), 1.65398},
        {"gravelly sand z 100: 0.25", betaGravellySand(100.0), 0.25},
        {"gravel at the surface: 3.0", betaGravel(0.0), 3.0},
        {"gravel z 50", betaGravel(50.0), 0.93088},
        {"gravel z 200: 0.25", betaGravel(200.0), 0.25},
        {"zero K", limitedSideCoefficient(0.0), 0.25},
        {"large K", limitedSideCoefficient(2.0), 1.2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.value, c.expected, 1e-5);
    }
}

TEST(RockSocketSide, StrengthAndCoefficient)
{
    const struct {
        const char *name;
        double rockPsi, concretePsi;
        SoilType type;
        LoadingType loading;
        double fPsi;
    } cases[] = {
        {"500 psi rock: 2.5 sqrt(qu)", 500, 4000, SoilType::StrongRock, LoadingType::Compression,
         55.9017},
        {"200 psi rock: 0.15 qu", 200, 4000, SoilType::StrongRock, LoadingType::Compression, 30.0},
        {"weaker concrete governs", 4000, 200, SoilType::StrongRock, LoadingType::Compression,
         30.0},
        {"at 280 psi: 0.15 qu", 280, 4000, SoilType::StrongRock, LoadingType::Compression, 42.0},
        {"code 4 above 1000 psi: end bearing only", 1500, 4000, SoilType::StrongRockSideOrBase,
         LoadingType::Compression, 0.0},
        {"code 4 at 1000 psi keeps its side", 1000, 4000, SoilType::StrongRockSideOrBase,
         LoadingType::Compression, 79.0569},
        {"code 4 in uplift", 1500, 4000, SoilType::StrongRockSideOrBase, LoadingType::Uplift,
         96.8246},
        {"code 7 above 1000 psi", 1500, 4000, SoilType::StrongRock, LoadingType::Compression,
         96.8246},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const RockSideStrength rock =
            rockSideStrength(c.rockPsi * 144.0, c.concretePsi * 144.0, c.type, c.loading);
        EXPECT_NEAR(rock.strengthPsf * rock.coefficient / 144.0, c.fPsi, 1e-4);
    }
}

TEST(SideLimits, MaximumLoadTransferAndPerimeter)
{
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(0.8, 1000.0), 0.5);
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(0.3, 1000.0), 0.3);
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(0.8, 0.1), 0.8);     // too small to be a limit
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(0.8, -1000.0), 0.8); // negative never limits
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(0.8, 1.0e10), 0.8);  // zero entered: no limit

    EXPECT_NEAR(sidePerimeterFt(SoilType::Sand, 5.0, 3.0), 9.426, 1e-12);
    EXPECT_NEAR(sidePerimeterFt(SoilType::StrongRock, scaledSocketDiameterFt(2.0, 3.0, 2.0), 4.0),
                9.426, 1e-12); // the 2 ft socket of the 2 ft stem grows to 3 ft
    EXPECT_NEAR(sidePerimeterFt(SoilType::WeakRock, 0.0, 4.0), 12.568, 1e-12);
}

// A one-layer profile and a step in it.
struct Fixture {
    InputData input;
    SoilProfile profile;
    SideStepInput step;

    explicit Fixture(SoilType type)
    {
        input.DSTART = 3.0;
        input.WTD = 100.0;
        SoilLayer l;
        l.type = type;
        l.SOIL = static_cast<double>(type);
        l.topDepth = 0.0;
        l.DEPTH = 40.0;
        l.GAMMA = {120.0, 120.0};
        l.TRANLM = {kNoLimitPsf, kNoLimitPsf};
        l.maxEndBearing = {kNoLimitPsf, kNoLimitPsf};
        profile.layers = {l};
        profile.shaftModulusTsf = 288000.0;
        step.layerIndex = 0;
        step.depthFt = 20.0;
        step.distanceFt = 20.0;
        step.stress = {1000.0, 0.0};
        step.stemDiameterFt = 3.0;
    }
    static constexpr double kNoLimitPsf = 1.0e10;
    SoilLayer &layer() { return profile.layers[0]; }
    SideStep run() const { return sideResistanceStep(input, profile, step); }
};

TEST(SideStep, SandKMethod)
{
    Fixture f(SoilType::Sand);
    f.layer().coefficient = {1.0, 1.0};
    f.layer().PHI = {30.0, 30.0};
    const SideStep side = f.run();
    EXPECT_NEAR(side.unitSideResistanceTsf, 0.28871, 1e-5); // 1000 psf tan 30 deg
    EXPECT_NEAR(side.perimeterFt, 9.426, 1e-12);

    // Without a friction angle it is read from N: at 1000 psf (6.9 psi) N 10 gives 35.9 deg.
    f.layer().PHI = {0.0, 0.0};
    f.layer().BLOWS = {10.0, 10.0};
    EXPECT_NEAR(f.run().unitSideResistanceTsf,
                0.5 * std::tan((38.0 - 6.0 * 1000.0 / 2880.0) / 57.29), 1e-9);
}

TEST(SideStep, SandBetaMethodUsesTheMidStepStressAndTheLimit)
{
    Fixture f(SoilType::Sand);
    f.layer().sandMethod = 2;
    f.layer().coefficient = {1.0, 1.0};
    f.step.stress = {2100.0, 200.0}; // 2000 psf at the middle of the step
    EXPECT_NEAR(f.run().unitSideResistanceTsf, 1.0, 1e-12);
    f.step.stress = {5100.0, 200.0};
    EXPECT_NEAR(f.run().unitSideResistanceTsf, 2.1, 1e-12); // limited

    Fixture gravel(SoilType::Gravel);
    gravel.layer().coefficient = {1.0, 1.0};
    gravel.step.stress = {5100.0, 200.0};
    EXPECT_NEAR(gravel.run().unitSideResistanceTsf, 2.5, 1e-12); // gravel is not limited
}

TEST(SideStep, AutomaticBetaIsRecomputedAtTheStepDepth)
{
    Fixture f(SoilType::Sand);
    f.layer().sandMethod = 2;
    f.layer().automaticCoefficient = true;
    f.layer().coefficient = {1.2, 0.65}; // the prepared top and bottom values
    f.layer().BLOWS = {30.0, 30.0};
    f.step.depthFt = 25.0;
    f.step.distanceFt = 25.0;
    f.step.stress = {2100.0, 200.0};
    const SideStep side = f.run();
    EXPECT_NEAR(side.coefficient, 0.825, 1e-12);
    EXPECT_NEAR(side.unitSideResistanceTsf, 0.825, 1e-12);
}

TEST(SideStep, GravelCriterionWarningOnlyForLowBlowCounts)
{
    for (SoilType type : {SoilType::GravellySand, SoilType::Gravel}) {
        SCOPED_TRACE(static_cast<int>(type));
        Fixture f(type);
        f.layer().automaticCoefficient = true;
        f.layer().coefficient = {1.0, 1.0};
        f.layer().BLOWS = {25.0, 25.0};
        EXPECT_TRUE(f.run().gravelCriterionWarning);
        f.layer().BLOWS = {26.0, 26.0};
        EXPECT_FALSE(f.run().gravelCriterionWarning);
        f.layer().automaticCoefficient = false;
        f.layer().BLOWS = {10.0, 10.0};
        EXPECT_FALSE(f.run().gravelCriterionWarning); // an entered beta: no criterion
    }
}

TEST(SideStep, ClayAlphaAndNValueFallbacks)
{
    Fixture clay(SoilType::Clay);
    clay.layer().coefficient = {0.55, 0.55};
    clay.layer().CU = {2000.0, 2000.0};
    SideStep side = clay.run();
    EXPECT_NEAR(side.unitSideResistanceTsf, 0.55, 1e-12);
    EXPECT_FALSE(side.clayNValueWarning);

    clay.layer().CU = {0.0, 0.0};
    clay.layer().BLOWS = {10.0, 10.0}; // cu taken as 1 tsf
    side = clay.run();
    EXPECT_NEAR(side.unitSideResistanceTsf, 0.55, 1e-12);
    EXPECT_TRUE(side.clayNValueWarning);

    Fixture shale(SoilType::ClayShale);
    shale.layer().coefficient = {0.5, 0.5};
    shale.layer().BLOWS = {53.0, 53.0}; // N / 53 tsf
    side = shale.run();
    EXPECT_NEAR(side.unitSideResistanceTsf, 0.5, 1e-12);
    EXPECT_FALSE(side.clayNValueWarning);
}

TEST(SideStep, UpliftFactorsOnBothBranches)
{
    Fixture clay(SoilType::Clay);
    clay.layer().coefficient = {0.55, 0.55};
    clay.layer().CU = {2000.0, 2000.0};
    clay.input.loadingType = LoadingType::Uplift;
    clay.input.upliftFactor = 0.7;
    clay.input.RATIO = 2.5;
    EXPECT_NEAR(clay.run().unitSideResistanceTsf, 0.55 * 1.75, 1e-12);
    clay.input.RATIO = 0.0;
    EXPECT_NEAR(clay.run().unitSideResistanceTsf, 0.55 * 0.7, 1e-12);

    Fixture sand(SoilType::Sand); // beta: the ratio does not apply
    sand.layer().sandMethod = 2;
    sand.layer().coefficient = {1.0, 1.0};
    sand.step.stress = {2100.0, 200.0};
    sand.input.loadingType = LoadingType::Uplift;
    sand.input.upliftFactor = 0.7;
    sand.input.RATIO = 2.5;
    EXPECT_NEAR(sand.run().unitSideResistanceTsf, 0.7, 1e-12);
}

TEST(SideStep, NoCoefficientNoSideResistance)
{
    Fixture f(SoilType::Sand);
    f.layer().coefficient = {0.5, 0.0}; // one entered: not automatic, not usable
    f.layer().PHI = {30.0, 30.0};
    EXPECT_EQ(f.run().unitSideResistanceTsf, 0.0);
}

TEST(SideStep, MaximumLoadTransferLimitsTheStep)
{
    Fixture f(SoilType::Clay);
    f.layer().coefficient = {0.55, 0.55};
    f.layer().CU = {4000.0, 4000.0};
    f.layer().TRANLM = {1000.0, 1000.0};
    EXPECT_NEAR(f.run().unitSideResistanceTsf, 0.5, 1e-12);
}

TEST(SideStep, RockSocketScalesWithTheStem)
{
    Fixture f(SoilType::StrongRock);
    f.layer().coefficient = {0.25, 0.25};
    f.layer().QUR = {200.0 * 144.0, 200.0 * 144.0};
    f.layer().QUCON = {4000.0 * 144.0, 4000.0 * 144.0};
    f.layer().BDS = {2.0, 2.0};
    f.input.DSTART = 2.0;
    f.step.stemDiameterFt = 3.0;
    const SideStep side = f.run();
    EXPECT_NEAR(side.unitSideResistanceTsf, 2.16, 1e-12); // 30 psi
    EXPECT_NEAR(side.perimeterFt, 9.426, 1e-12);          // socket 3 ft
}

TEST(SideStep, NegativeStressGivesNoSideResistance)
{
    Fixture f(SoilType::Sand);
    f.layer().coefficient = {1.0, 1.0};
    f.layer().PHI = {30.0, 30.0};
    f.step.stress = {-200.0, -20.0};
    EXPECT_EQ(f.run().unitSideResistanceTsf, 0.0);
}

TEST(DecomposedRock, SideAndBaseAtOneAtmosphere)
{
    const auto step = decomposedRockStep(2115.7, 30.0, 3.0);
    ASSERT_TRUE(step.has_value());
    EXPECT_NEAR(step->unitSideResistancePsf, 1459.65, 0.01);
    EXPECT_NEAR(step->baseResistanceTons, 67.2803, 1e-4);
    EXPECT_FALSE(decomposedRockStep(0.0, 30.0, 3.0).has_value());
    EXPECT_FALSE(decomposedRockStep(-5.0, 30.0, 3.0).has_value());
    const auto none = decomposedRockStep(1000.0, 0.0, 3.0);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->unitSideResistancePsf, 0.0);
    EXPECT_EQ(none->baseResistanceTons, 0.0);
}

TEST(DecomposedRock, StepStopsWithoutEffectiveStress)
{
    Fixture f(SoilType::DecomposedRock);
    f.layer().BLOWS = {30.0, 30.0};
    f.layer().coefficient = {0.25, 0.25};
    f.step.stress = {-10.0, -50.0};
    EXPECT_TRUE(f.run().noEffectiveStress);
    f.step.stress = {2115.7, 100.0};
    f.layer().BDS = {3.0, 3.0};
    const SideStep side = f.run();
    EXPECT_FALSE(side.noEffectiveStress);
    EXPECT_NEAR(side.unitSideResistanceTsf, 1459.65 / 2000.0, 1e-5);
    EXPECT_NEAR(side.geomaterialBaseTons, 67.2803, 1e-4);
}

WeakRockInput roughSocket()
{
    WeakRockInput in;
    in.slumpIn = 8.86;
    in.rqdPercent = 100.0;
    in.interfaceFrictionDeg = 30.0;
    in.rockStrengthPsf = 20830.0;
    in.interfaceCondition = 1;
    in.socketDiameterFt = 2.0;
    in.socketLengthFt = 10.0;
    in.concreteHeadFt = 13.12;
    in.intactModulusTsf = 10000.0;
    in.shaftModulusTsf = 288000.0;
    return in;
}

TEST(WeakRock, RoughSocketWithTheBaseAtItsLimit)
{
    const GeomaterialStep step = weakRockStep(roughSocket());
    EXPECT_NEAR(step.unitSideResistancePsf, 9960.27, 0.01);
    EXPECT_NEAR(step.baseResistanceTons, 81.7994, 1e-4); // 2.5 qu
}

TEST(WeakRock, SoftRoughSocket)
{
    WeakRockInput in = roughSocket();
    in.intactModulusTsf = 100.0;
    const GeomaterialStep step = weakRockStep(in);
    EXPECT_NEAR(step.unitSideResistancePsf, 3163.80, 0.01);
    EXPECT_NEAR(step.baseResistanceTons, 26.6213, 1e-4);
}

TEST(WeakRock, SmoothSocketTakesFaFromTheAlphaChart)
{
    WeakRockInput in = roughSocket();
    in.interfaceCondition = 2;
    // sigma_n 1968 psf is below one atmosphere: alpha 0.145 at 20830 psf, tan 30 / tan 30.
    EXPECT_NEAR(weakRockStep(in).unitSideResistancePsf, 3020.35, 0.01);
    in.interfaceCondition = 4; // open joints: Em/Ei 0.6, joint factor 0.84
    EXPECT_NEAR(weakRockStep(in).unitSideResistancePsf, 2537.09, 0.01);
}

TEST(WeakRock, StrongerRockNeverCarriesLess)
{
    double previous = 0.0;
    for (double qu = 5000.0; qu <= 100000.0; qu += 5000.0) {
        SCOPED_TRACE(qu);
        WeakRockInput in = roughSocket();
        in.rockStrengthPsf = qu;
        const double side = weakRockStep(in).unitSideResistancePsf;
        EXPECT_GE(side, previous);
        EXPECT_TRUE(std::isfinite(side));
        previous = side;
    }
}

TEST(WeakRock, LongStiffSocketsStayFinite)
{
    // Outside the range of the fits n' and the base bracket fall to zero or below.
    for (double length : {1.0, 50.0, 200.0, 2000.0}) {
        for (double modulus : {10.0, 1000.0, 300000.0}) {
            SCOPED_TRACE(std::to_string(length) + " ft, Ei " + std::to_string(modulus));
            WeakRockInput in = roughSocket();
            in.socketLengthFt = length;
            in.intactModulusTsf = modulus;
            const GeomaterialStep step = weakRockStep(in);
            EXPECT_TRUE(std::isfinite(step.unitSideResistancePsf));
            EXPECT_TRUE(std::isfinite(step.baseResistanceTons));
            EXPECT_GE(step.unitSideResistancePsf, 0.0);
            EXPECT_LE(step.unitSideResistancePsf, 0.5 * in.rockStrengthPsf + 1e-9);
            EXPECT_GE(step.baseResistanceTons, 0.0);
        }
    }
}

TEST(WeakRock, SocketLengthAndConcreteHead)
{
    SoilProfile profile;
    SoilLayer gravel;
    gravel.type = SoilType::Gravel;
    gravel.topDepth = 0.0;
    gravel.DEPTH = 10.0;
    SoilLayer weak;
    weak.type = SoilType::WeakRock;
    weak.topDepth = 10.0;
    weak.DEPTH = 30.0;
    weak.BDS = {3.0, 4.0};
    profile.layers = {gravel, weak};
    // Measured from the rock top, not from the gravel above it.
    EXPECT_DOUBLE_EQ(weakRockSocketLengthFt(profile, 1, 20.0, 3.0, 3.0), 10.0);
    // At least the bottom socket diameter, scaled with the stem: 4 ft x 4.5 / 3.
    EXPECT_DOUBLE_EQ(weakRockSocketLengthFt(profile, 1, 12.0, 3.0, 3.0), 4.0);
    EXPECT_DOUBLE_EQ(weakRockSocketLengthFt(profile, 1, 12.0, 4.5, 3.0), 6.0);
    EXPECT_DOUBLE_EQ(concreteHeadFt(profile, 1, 30.0), 20.0);
    EXPECT_DOUBLE_EQ(concreteHeadFt(profile, 1, 100.0), 40.0); // at most 40 ft
}

TEST(SideTotals, AccumulatesQsAndLrfdQs)
{
    SideStep step;
    step.perimeterFt = 9.426;
    step.unitSideResistanceTsf = 0.5;
    SideTotals totals = accumulatedSide({}, step, 0.8);
    EXPECT_NEAR(totals.QS, 4.713, 1e-12);
    EXPECT_NEAR(totals.lrfdQS, 3.7704, 1e-12);
    totals = accumulatedSide(totals, step, 1.0);
    EXPECT_NEAR(totals.QS, 9.426, 1e-12);
    EXPECT_NEAR(totals.lrfdQS, 8.4834, 1e-12);
}

} // namespace
