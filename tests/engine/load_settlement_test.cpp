#include "method/load_settlement.h"
#include "method/load_transfer_curves.h"

#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <string>

using namespace vorna;

namespace {

constexpr double kPsiPerTsf = 2000.0 / 144.0;

// A straight 3 ft shaft in one layer with a uniform unit side resistance, one segment per
// foot. The layer starts at the tip position of the first depth step (1 ft).
LoadSettlementInput uniformShaft(SoilType soil, double lengthFt, double sideTsf, double Ec)
{
    LoadSettlementInput input;
    input.stemDiameterFt = 3.0;
    input.baseDiameterFt = 3.0;
    input.shaftLengthFt = lengthFt;
    input.Ec = Ec;
    input.baseResistanceTons = 100.0;
    input.segmentCount = static_cast<int>(lengthFt);
    input.layers = {{soil, 1.0, lengthFt, sideTsf, sideTsf}};
    for (int k = 1; k <= static_cast<int>(lengthFt); ++k)
        input.sideProfile.push_back({static_cast<double>(k), sideTsf});
    return input;
}

constexpr double kRigidPsi = 1.0e12;

TEST(AssumedTipMovements, FixedValuesThenDiameterShares)
{
    struct Case {
        const char *name;
        double diameterIn;
        double w13, w14, w15;
    };
    const Case cases[] = {
        {"3 ft shaft: 0.36 raised, 0.9 and 1.8 stand", 36.0, 0.625, 0.9, 1.8},
        {"1 % above 0.5 but below 0.625 is still raised", 55.0, 0.625, 1.375, 2.75},
        {"small shaft: every share raised or just kept", 20.0, 0.625, 0.78125, 1.0},
        {"10 ft shaft: no share raised", 120.0, 1.2, 3.0, 6.0},
    };
    const double fixed[] = {0.00001, 0.00005, 0.0001, 0.005, 0.0075, 0.01,
                            0.025,   0.05,    0.075,  0.1,   0.25,   0.5};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto w = assumedTipMovementsIn(c.diameterIn);
        for (int i = 0; i < 12; ++i)
            EXPECT_DOUBLE_EQ(w[static_cast<std::size_t>(i)], fixed[i]);
        EXPECT_DOUBLE_EQ(w[12], c.w13);
        EXPECT_DOUBLE_EQ(w[13], c.w14);
        EXPECT_DOUBLE_EQ(w[14], c.w15);
    }
}

TEST(LoadSettlementStations, SingleLayerHasNoOffsetAtItsTop)
{
    const std::vector<LoadSettlementLayer> layers{{SoilType::Clay, 0.0, 40.0, 1.0, 1.0}};
    const std::vector<double> expected{0.0, 120.0, 240.0, 359.995, 479.99};
    const std::vector<double> depths = stationDepthsIn(layers);
    ASSERT_EQ(depths.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(depths[i], expected[i], 1e-9) << "station " << i + 1;
}

TEST(LoadSettlementStations, LowerLayersStartOneFootBelowTheirTop)
{
    const std::vector<LoadSettlementLayer> layers{{SoilType::Clay, 1.0, 10.0, 1.0, 1.0},
                                                  {SoilType::Sand, 11.0, 20.0, 1.0, 1.0}};
    const std::vector<double> depths = stationDepthsIn(layers);
    ASSERT_EQ(depths.size(), 10u);
    // Second layer: consistent limits 120 to 240 in, middle 180.
    const double expected[] = {132.01, 150.0, 180.0, 209.995, 239.99};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(depths[static_cast<std::size_t>(5 + i)], expected[i], 1e-9);
    EXPECT_NEAR(depths[0], 12.0, 1e-9);
    EXPECT_NEAR(depths[4], 119.99, 1e-9);
}

TEST(LoadSettlementStations, ZeroThicknessLayerIsWidenedBeforeItsTopMoves)
{
    // A layer of a single depth step has equal first and last tip positions.
    const std::vector<LoadSettlementLayer> layers{{SoilType::Clay, 1.0, 10.0, 1.0, 1.0},
                                                  {SoilType::Clay, 11.0, 11.0, 1.0, 1.0},
                                                  {SoilType::Sand, 12.0, 20.0, 1.0, 1.0}};
    const auto limits = consistentLayerLimitsIn(layers);
    ASSERT_EQ(limits.size(), 3u);
    EXPECT_NEAR(limits[1][0], 120.0, 1e-9);
    EXPECT_NEAR(limits[1][1], 132.1, 1e-9);
    EXPECT_NEAR(limits[2][0], 132.1, 1e-9);
    EXPECT_NEAR(limits[2][1], 240.0, 1e-9);

    const std::vector<double> depths = stationDepthsIn(layers);
    const double expected[] = {132.01, 123.025, 126.05, 129.07, 132.09};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(depths[static_cast<std::size_t>(5 + i)], expected[i], 1e-9);
}

TEST(LoadSettlementStations, LastStationTakesTheLayerProfile)
{
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, 4.0e6);
    input.layers[0].sideBottomTsf = 2.0;
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    ASSERT_EQ(run.status, kStatusOk);
    ASSERT_EQ(run.stations.size(), 5u);
    // Layer profile from 12 in (1 tsf) to 480 in (2 tsf), read at 479.99 in.
    EXPECT_NEAR(run.stations[4].maxTransferPsi, kPsiPerTsf * (1.0 + 467.99 / 468.0), 1e-9);
    // The others read the depth profile of the capacity rows.
    for (int s = 0; s < 4; ++s)
        EXPECT_NEAR(run.stations[static_cast<std::size_t>(s)].maxTransferPsi, kPsiPerTsf, 1e-9);
    // Curves: movements are shares of D = 36 in, loads shares of fmax.
    EXPECT_NEAR(run.stations[0].curve[1].movementIn, 0.036, 1e-12);
    EXPECT_NEAR(run.stations[0].curve[1].value, 0.51 * kPsiPerTsf, 1e-12);
}

TEST(LoadSettlementCurves, SideFamilies)
{
    struct Case {
        SoilType soil;
        double lastMovementPercent;
        double lastTrend;
    };
    const Case cases[] = {
        {SoilType::Sand, 10.0, 0.95},           {SoilType::Clay, 2.0, 0.835},
        {SoilType::ClayShale, 2.0, 0.835},      {SoilType::StrongRock, 2.0, 0.835},
        {SoilType::DecomposedRock, 2.0, 0.835}, {SoilType::GravellySand, 10.0, 0.999},
        {SoilType::Gravel, 10.0, 0.999},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.soil));
        const NormalizedCurve &curve = sideTransferCurve(c.soil, CurveCase::Trend);
        EXPECT_DOUBLE_EQ(curve.movementPercent.back(), c.lastMovementPercent);
        EXPECT_DOUBLE_EQ(curve.fraction.back(), c.lastTrend);
        EXPECT_DOUBLE_EQ(curve.fraction.front(), 0.0);
    }
    // Gravelly sand and gravel differ at small movements.
    EXPECT_DOUBLE_EQ(sideTransferCurve(SoilType::GravellySand, CurveCase::Trend).fraction[1], 0.15);
    EXPECT_DOUBLE_EQ(sideTransferCurve(SoilType::Gravel, CurveCase::Trend).fraction[1], 0.23);
    EXPECT_TRUE(hasGranularBaseCurve(SoilType::Gravel));
    EXPECT_FALSE(hasGranularBaseCurve(SoilType::ClayShale));
}

// A rigid shaft moves as one body: the top carries the tip load plus the full side
// resistance times the curve's share at the tip movement.
TEST(LoadSettlement, RigidShaftFollowsTheCurvesAtTheTipMovement)
{
    const LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, kRigidPsi);
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    ASSERT_EQ(run.status, kStatusOk);
    // pi * 36 in * 480 in * 13.889 psi = 753984 lb = 376.992 tons.
    const double fullSideTons = 376.992;
    struct Case {
        int point;
        double sideShare;
        double baseShare;
    };
    const Case cases[] = {
        {10, 0.86, 0.21944},      // 0.1 in: 0.278 % of D on the side, on the base
        {13, 0.877882, 0.738958}, // 0.625 in: 1.736 %, the side curve softening
        {15, 0.835, 0.97},        // 1.8 in: 5 %, beyond the side curve
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.point);
        const SettlementPoint &p = run.points[static_cast<std::size_t>(c.point - 1)];
        EXPECT_NEAR(p.tipLoad, 100.0 * c.baseShare, 0.01);
        EXPECT_NEAR(p.topLoad - p.tipLoad, fullSideTons * c.sideShare, 0.01);
        EXPECT_NEAR(p.topMovement, p.tipMovement, 1e-6);
    }
    EXPECT_NEAR(run.points[14].tipMovement, 1.8, 1e-12);
}

TEST(LoadSettlement, BaseCurveIsLinearUpToItsFirstStep)
{
    // 0.1 in on a 36 in base is 0.278 %: 0.278/0.5 of the first cohesive step 0.395.
    const LoadSettlementRun run =
        computeLoadSettlement(uniformShaft(SoilType::Clay, 40.0, 1.0, kRigidPsi), CurveCase::Trend);
    EXPECT_NEAR(run.points[9].tipLoad, 100.0 * (0.1 / 36.0 * 100.0 / 0.5) * 0.395, 1e-9);
}

// A uniform side transfer on its plateau loads the column linearly; its elastic
// shortening is then (Qt L + p f L^2 / 2) / AE exactly.
TEST(LoadSettlement, ElasticColumnOnThePlateau)
{
    const double E = 4.0e6;
    const LoadSettlementInput input = uniformShaft(SoilType::Sand, 40.0, 1.0, E);
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::UpperBound);
    ASSERT_EQ(run.status, kStatusOk);
    const SettlementPoint &p = run.workingPoints[14]; // 1.8 in, 5 % of D
    const double tipLb = 1.08 * 200000.0;             // granular upper bound at 5 %
    const double sideLb = 3.1416 * 36.0 * 480.0 * kPsiPerTsf;
    const double stiffness = 0.7854 * 36.0 * 36.0 * E;
    EXPECT_NEAR(p.tipLoad, tipLb, 1e-6);
    EXPECT_NEAR(p.topLoad, tipLb + sideLb, 1e-3);
    EXPECT_NEAR(p.topMovement, 1.8 + (tipLb * 480.0 + sideLb * 480.0 / 2.0) / stiffness, 1e-9);
}

TEST(LoadSettlement, BellZoneTransfersNoSideLoadButShortens)
{
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, 4.0e6);
    input.lengthWithoutSideFt = 40.0;
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    ASSERT_EQ(run.status, kStatusOk);
    const double stiffness = 0.7854 * 36.0 * 36.0 * 4.0e6;
    for (const SettlementPoint &p : run.workingPoints) {
        EXPECT_DOUBLE_EQ(p.topLoad, p.tipLoad);
        EXPECT_NEAR(p.topMovement - p.tipMovement, p.tipLoad * 480.0 / stiffness, 1e-9);
    }
}

TEST(LoadSettlement, PartialBellZoneCountsOnlyTheStemAboveIt)
{
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, kRigidPsi);
    input.lengthWithoutSideFt = 10.0; // 30 of the 40 one-foot segments carry side load
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    const SettlementPoint &p = run.points[14];
    EXPECT_NEAR(p.topLoad - p.tipLoad, 376.992 * 30.0 / 40.0 * 0.835, 0.01);
}

TEST(LoadSettlement, BelledShaftStiffnessRisesTowardsTheBase)
{
    // No side load over the whole length: the shortening is the integral of Qt/AE with AE
    // linear from the stem's at the top to the base's at the tip.
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, 4.0e6);
    input.baseDiameterFt = 6.0;
    input.lengthWithoutSideFt = 40.0;
    input.segmentCount = 400;
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    ASSERT_EQ(run.status, kStatusOk);
    const double stem = 0.7854 * 36.0 * 36.0 * 4.0e6;
    const double base = 0.7854 * 72.0 * 72.0 * 4.0e6;
    const double flexibility = 480.0 * std::log(base / stem) / (base - stem);
    for (const SettlementPoint &p : run.workingPoints) {
        const double shortening = p.topMovement - p.tipMovement;
        EXPECT_NEAR(shortening, p.tipLoad * flexibility, 1e-5 * shortening + 1e-12);
    }
    // The base curve scales with the larger diameter, 72 in: 1.8 in is 2.5 %.
    EXPECT_NEAR(run.points[14].tipLoad, 86.5, 1e-9);
}

TEST(LoadSettlement, CurvesOfTheThreeCasesAreOrdered)
{
    const LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, kRigidPsi);
    const LoadSettlementRun trend = computeLoadSettlement(input, CurveCase::Trend);
    const LoadSettlementRun upper = computeLoadSettlement(input, CurveCase::UpperBound);
    const LoadSettlementRun lower = computeLoadSettlement(input, CurveCase::LowerBound);
    for (int i = 0; i < kSettlementPoints; ++i) {
        SCOPED_TRACE(i + 1);
        const auto k = static_cast<std::size_t>(i);
        EXPECT_GE(upper.points[k].topLoad, trend.points[k].topLoad);
        EXPECT_GE(trend.points[k].topLoad, lower.points[k].topLoad);
    }
}

TEST(LoadSettlement, SiRunsGiveTheSameShaftInKilonewtonsAndMetres)
{
    const LoadSettlementInput english = uniformShaft(SoilType::Sand, 40.0, 1.0, 4.0e6);
    LoadSettlementInput si = english;
    si.unitSystem = UnitSystem::SI;
    si.Ec = 4.0e6 * 6.894; // kPa as entered
    const LoadSettlementRun a = computeLoadSettlement(english, CurveCase::Trend);
    const LoadSettlementRun b = computeLoadSettlement(si, CurveCase::Trend);
    for (int i = 0; i < kSettlementPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_NEAR(b.workingPoints[k].topMovement, a.workingPoints[k].topMovement, 1e-9);
        EXPECT_NEAR(b.points[k].topLoad, a.points[k].topLoad * 2000.0 * 4.448 / 1000.0, 1e-9);
        EXPECT_NEAR(b.points[k].topMovement, a.points[k].topMovement / 39.37, 1e-12);
    }
}

TEST(LoadSettlement, OutputUnits)
{
    const SettlementPoint working{4000.0, 39.37, 1000.0, 0.5};
    EXPECT_EQ(toOutputUnits(working, UnitSystem::English), (SettlementPoint{2.0, 39.37, 0.5, 0.5}));
    const SettlementPoint si = toOutputUnits(working, UnitSystem::SI);
    EXPECT_NEAR(si.topLoad, 17.792, 1e-12);
    EXPECT_NEAR(si.topMovement, 1.0, 1e-12);
    EXPECT_NEAR(si.tipLoad, 4.448, 1e-12);
}

TEST(LoadSettlementStatus, StationBelowTheLayerProfile)
{
    // The tip layer ends half a foot below the one above, yet its top station lies a
    // foot below that boundary.
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 10.5, 1.0, 4.0e6);
    input.layers = {{SoilType::Clay, 1.0, 10.0, 1.0, 1.0}, {SoilType::Clay, 10.0, 10.5, 1.0, 1.0}};
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    EXPECT_EQ(run.status, kStatusBeyondLayerProfile);
    EXPECT_NEAR(run.failedDepthIn, 132.01, 1e-9);
    EXPECT_TRUE(run.stations.empty());
}

TEST(LoadSettlementStatus, ZeroThicknessTipLayerStaysWithinTheMargin)
{
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 11.0, 1.0, 4.0e6);
    input.layers = {{SoilType::Clay, 1.0, 10.0, 1.0, 1.0}, {SoilType::Clay, 11.0, 11.0, 1.0, 1.0}};
    EXPECT_EQ(computeLoadSettlement(input, CurveCase::Trend).status, kStatusOk);
}

TEST(LoadSettlementStatus, NonSandBaseBelowTheStrengthProfile)
{
    struct Case {
        SoilType deepest;
        int status;
    };
    const Case cases[] = {{SoilType::Clay, kStatusBeyondStrengthCurve},
                          {SoilType::Gravel, kStatusBeyondStrengthCurve},
                          {SoilType::Sand, kStatusOk}};
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.deepest));
        LoadSettlementInput input = uniformShaft(c.deepest, 25.0, 1.0, 4.0e6);
        input.layers[0].bottomFt = 20.0;
        const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
        EXPECT_EQ(run.status, c.status);
        if (c.status != kStatusOk) {
            EXPECT_NEAR(run.failedDepthIn, 300.0, 1e-9);
            EXPECT_EQ(run.stations.size(), 5u);
            EXPECT_FALSE(run.hasBaseCurve);
        }
    }
}

TEST(LoadSettlementStatus, BaseExactlyAtTheDeepestLimitPasses)
{
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 1.0, 4.0e6);
    EXPECT_EQ(computeLoadSettlement(input, CurveCase::Trend).status, kStatusOk);
}

TEST(LoadSettlementStatus, NodeIterationThatCreepsStopsAtThePassCap)
{
    // Five long segments whose stiffness just balances the steep start of the curve: each
    // pass moves the estimate by about the same amount, so it never settles.
    LoadSettlementInput input = uniformShaft(SoilType::Clay, 40.0, 5.0, 125500.0);
    input.baseResistanceTons = 1.0;
    input.segmentCount = 5;
    const LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
    EXPECT_EQ(run.status, kStatusNoConvergence);
    EXPECT_EQ(run.failedPoint, 3);
    EXPECT_EQ(run.failedNode, 2);
    EXPECT_TRUE(run.hasBaseCurve);
}

TEST(LoadSettlementStatus, ZeroConcreteModulusFailsInsteadOfGivingInfinities)
{
    const LoadSettlementRun run =
        computeLoadSettlement(uniformShaft(SoilType::Clay, 40.0, 1.0, 0.0), CurveCase::Trend);
    EXPECT_EQ(run.status, kStatusNoConvergence);
    EXPECT_EQ(run.failedPoint, 1);
    EXPECT_EQ(run.failedNode, 2);
}

// The vector kernel must give the portable kernel's results to the bit, failures included:
// the same point and node, the same points kept before them.
TEST(NodeKernels, GiveTheSameBits)
{
    if (!fasterNodeKernelPresent())
        std::cout << "[ NOTE     ] no faster kernel on this processor: both runs are portable\n";
    LoadSettlementInput layered = uniformShaft(SoilType::Clay, 120.0, 1.0, 4.0e6);
    layered.layers.clear();
    for (int i = 0; i < 12; ++i) // alternate clay and sand, resistance rising with depth
        layered.layers.push_back({i % 2 == 0 ? SoilType::Clay : SoilType::Sand,
                                  i == 0 ? 1.0 : 10.0 * i, 10.0 * (i + 1), 0.4 + 0.05 * i,
                                  0.45 + 0.05 * i});
    for (std::size_t k = 0; k < layered.sideProfile.size(); ++k)
        layered.sideProfile[k].sideTsf = 0.4 + 0.006 * static_cast<double>(k);
    LoadSettlementInput belled = uniformShaft(SoilType::Sand, 60.0, 2.0, 3.6e6);
    belled.baseDiameterFt = 7.5;
    belled.lengthWithoutSideFt = 6.0; // segments in the bell carry no side load
    LoadSettlementInput wide = uniformShaft(SoilType::Clay, 80.0, 3.0, 5.0e6);
    wide.stemDiameterFt = wide.baseDiameterFt = 12.0;
    LoadSettlementInput creeping = uniformShaft(SoilType::Clay, 40.0, 5.0, 125500.0);
    creeping.baseResistanceTons = 1.0;
    creeping.segmentCount = 5;
    LoadSettlementInput fine = uniformShaft(SoilType::Sand, 30.0, 0.8, 4.0e6);
    fine.segmentCount = 300;
    const struct {
        const char *name;
        LoadSettlementInput input;
    } cases[] = {
        {"clay", uniformShaft(SoilType::Clay, 40.0, 1.0, 4.0e6)},
        {"sand", uniformShaft(SoilType::Sand, 50.0, 1.5, 4.0e6)},
        {"layered", layered},
        {"belled", belled},
        {"wide", wide},
        {"finely cut", fine},
        {"no convergence", creeping},
        {"zero modulus", uniformShaft(SoilType::Clay, 40.0, 1.0, 0.0)},
    };
    constexpr CurveCase kCases[] = {CurveCase::Trend, CurveCase::UpperBound, CurveCase::LowerBound};
    const auto expectSameBits = [](const LoadSettlementRun &fast,
                                   const LoadSettlementRun &portable) {
        EXPECT_EQ(fast.status, portable.status);
        EXPECT_EQ(fast.failedPoint, portable.failedPoint);
        EXPECT_EQ(fast.failedNode, portable.failedNode);
        for (std::size_t i = 0; i < fast.workingPoints.size(); ++i) {
            const SettlementPoint &a = fast.workingPoints[i];
            const SettlementPoint &b = portable.workingPoints[i];
            EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0)
                << "point " << i + 1 << ": " << a.topLoad << " " << a.topMovement << " against "
                << b.topLoad << " " << b.topMovement;
        }
    };
    for (const auto &c : cases) {
        // The three cases worked out together, as the analysis does, and each one alone.
        const std::vector<LoadSettlementRun> together =
            computeLoadSettlements(c.input, kCases, NodeKernel::Fastest);
        ASSERT_EQ(together.size(), std::size(kCases));
        for (std::size_t k = 0; k < std::size(kCases); ++k) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(static_cast<int>(kCases[k])));
            const LoadSettlementRun portable =
                computeLoadSettlement(c.input, kCases[k], NodeKernel::Portable);
            expectSameBits(computeLoadSettlement(c.input, kCases[k], NodeKernel::Fastest),
                           portable);
            expectSameBits(together[k], portable);
        }
    }
}

} // namespace
