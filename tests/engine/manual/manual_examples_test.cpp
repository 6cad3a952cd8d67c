// The worked examples of the technical manual (docs/technical-manual.md), each checked
// against the engine. The expected values are the manual's, computed by hand from its
// formulas; a test here fails when the engine and the manual part ways. Each test names
// the manual's section.
#include "method/base_resistance.h"
#include "method/charts.h"
#include "method/load_settlement.h"
#include "method/load_transfer_curves.h"
#include "method/rock_socket_charts.h"
#include "method/rock_tip.h"
#include "method/side_resistance.h"
#include "method/soil_profile.h"
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vorna;
using namespace vorna::test;

namespace {

// Example project of the manual: one clay layer 60 ft deep, cu 2000 psf, alpha 0.55,
// Nc 9, straight shafts from DSTART to DIALIM, design load 100 tons, FST 2, FSB 3.
std::string clayProject(const std::string &diameters, int designMethod,
                        const std::string &lrfdFactors)
{
    return crlf({"Manual clay example", "1", "1 1 1 1 1 " + std::to_string(designMethod),
                 diameters + " 0 0 0 0 4000000", "1 10 100 2 3", "2 60",
                 "9 120 0 2000 0 0 0 " + lrfdFactors, "9 120 0 2000 0 0 0 " + lrfdFactors,
                 "0.55 0.55"});
}

AnalysisResults run(const ScratchFolder &folder, const std::string &project, int expectedStatus = 0)
{
    const auto file = folder / "manual.vrd";
    writeFile(file, project);
    AnalysisResults results;
    RunOptions options;
    options.results = &results;
    EXPECT_EQ(runAnalysis(filesForProject(file), options), expectedStatus);
    return results;
}

} // namespace

// "Profile preparation": layer limits go to the nearest whole foot, halves up.
TEST(ManualExamples, SnappingToWholeFeet)
{
    EXPECT_EQ(snappedDepthFt(20.5), 21.0);
    EXPECT_EQ(snappedDepthFt(20.49), 20.0);
}

// "Effective vertical stress": a step above the water table adds the total unit weight, a
// step below it the buoyant weight; the beta method reads the middle of the step.
TEST(ManualExamples, EffectiveStressSteps)
{
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 3.0, 5.0), 120.0);
    EXPECT_NEAR(stressIncrementPsf(120.0, 6.0, 5.0), 57.6, 1e-9);
    const EffectiveStress after = advancedStress({412.8, 0.0}, 120.0, 6.0, 5.0);
    EXPECT_NEAR(after.psf, 470.4, 1e-9);
    EXPECT_NEAR(after.midStepPsf(), 441.6, 1e-9);
}

// "Side resistance": the automatic coefficients.
TEST(ManualExamples, AutomaticSideCoefficients)
{
    EXPECT_NEAR(alphaClay(4000.0), 0.51104, 1e-5);
    EXPECT_DOUBLE_EQ(alphaClay(6000.0), 0.55);
    EXPECT_NEAR(betaSand(25.0, 30.0), 0.825, 1e-12);
    EXPECT_NEAR(betaSand(4.0, 10.0), 0.82, 1e-12);
    EXPECT_DOUBLE_EQ(betaSand(100.0, 30.0), 0.25);
    EXPECT_NEAR(betaGravellySand(10.0), 1.65398, 1e-5);
    EXPECT_NEAR(betaGravel(10.0), 2.62399, 1e-5);
    EXPECT_DOUBLE_EQ(limitedSideCoefficient(0.0), 0.25);
}

// "Side resistance": rock sockets and the maximum load transfer.
TEST(ManualExamples, RockSideAndLimit)
{
    const RockSideStrength strong =
        rockSideStrength(500.0 * 144, 4000.0 * 144, SoilType::StrongRock, LoadingType::Compression);
    EXPECT_DOUBLE_EQ(strong.coefficient, 2.5);
    // f = 2.5 sqrt(500) = 55.90 psi = 4.0249 tsf.
    EXPECT_NEAR(strong.strengthPsf * strong.coefficient / 2000.0, 4.02492, 1e-5);
    const RockSideStrength weak =
        rockSideStrength(200.0 * 144, 4000.0 * 144, SoilType::StrongRock, LoadingType::Compression);
    EXPECT_DOUBLE_EQ(weak.coefficient, 0.15);
    EXPECT_NEAR(weak.strengthPsf * weak.coefficient / 144.0, 30.0, 1e-9);
    // Code 4 above 1000 psi carries no side resistance in compression.
    const RockSideStrength endBearing = rockSideStrength(
        1500.0 * 144, 4000.0 * 144, SoilType::StrongRockSideOrBase, LoadingType::Compression);
    EXPECT_EQ(endBearing.strengthPsf, 0.0);
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(1.2, 1000.0), 0.5);
    EXPECT_DOUBLE_EQ(limitedByMaxTransferTsf(1.2, -1000.0), 1.2);
}

// "Friction angle from N".
TEST(ManualExamples, FrictionAngleFromN)
{
    EXPECT_NEAR(frictionAngleFromNDeg(30.0, 2880.0), 39.0, 1e-9);
}

// "Base resistance": geometry of a bell.
TEST(ManualExamples, BellGeometry)
{
    const BaseGeometry bell = baseGeometry(3.0, 2.5, 30.0);
    EXPECT_DOUBLE_EQ(bell.baseDiameterFt, 7.5);
    EXPECT_DOUBLE_EQ(bell.toeHeightFt, 0.25);
    EXPECT_NEAR(bell.stemEndToBaseFt, 4.1466, 1e-4);
    EXPECT_NEAR(bell.baseAreaSqFt, 44.1844, 1e-4);
    EXPECT_NEAR(bell.bellVolumeCuYd, 3.7250, 1e-4);
    EXPECT_EQ(bell.zoneLengthFt, 15);
    EXPECT_DOUBLE_EQ(baseGeometry(4.0, 2.0, 30.0).toeHeightFt, 0.5);
}

// "Base resistance": unit base resistance per ground type.
TEST(ManualExamples, UnitBaseResistance)
{
    EXPECT_NEAR(sandUnitBaseResistanceFromPhiTsf(33.0), 8.0, 0.01);
    EXPECT_NEAR(sandUnitBaseResistanceFromPhiTsf(38.0), 25.6, 1e-9);
    EXPECT_DOUBLE_EQ(sandUnitBaseResistanceFromPhiTsf(45.0), 40.0);
    EXPECT_NEAR(sandUnitBaseResistanceFromNTsf(50.0), 30.0, 1e-9);
    EXPECT_DOUBLE_EQ(sandUnitBaseResistanceFromNTsf(80.0), 45.0);
    EXPECT_NEAR(sandBaseReduction(20.0, 5.0), 50.0 / 60.0 * 20.0 / 50.0, 1e-12);
    EXPECT_DOUBLE_EQ(clayUnitBaseResistanceTsf(SoilType::Clay, 9.0, 1.0), 9.0);
    EXPECT_DOUBLE_EQ(clayUnitBaseResistanceTsf(SoilType::Clay, 9.0, 5.0), 40.0);
    EXPECT_DOUBLE_EQ(clayUnitBaseResistanceTsf(SoilType::ClayShale, 9.0, 5.0), 45.0);
    EXPECT_NEAR(largeBaseFactor(1.0, 40.0, 8.0), 0.82481, 1e-5);
    EXPECT_DOUBLE_EQ(largeBaseFactor(1.0, 40.0, 4.0), 1.0);
    const double Ksp = socketKsp(10.0, 0.01, 3.0);
    EXPECT_NEAR(Ksp, 0.55547, 1e-5);
    EXPECT_NEAR(rockSocketBaseTons(Ksp, 200.0 * 144, 3.0), 169.620, 1e-3);
    // A negative maximum end bearing prescribes qb, whatever the soil gave.
    EXPECT_NEAR(endBearingLimitedTons(500.0, -40000.0, 7.0695), 141.39, 1e-9);
    EXPECT_NEAR(endBearingLimitedTons(10.0, -40000.0, 7.0695), 141.39, 1e-9);
}

// "Base resistance": the average over two base diameters below the tip.
TEST(ManualExamples, TwoDiameterAverage)
{
    const BaseGeometry shaft = baseGeometry(3.0, 0.0, 0.0);
    ASSERT_EQ(shaft.zoneLengthFt, 6);
    // A 10 ft shaft: the zone holds tip positions 11 to 16 (depths 11 to 16 ft).
    std::vector<TipRecord> byTip(20, TipRecord{10.0, true});
    for (int m = 14; m <= 16; ++m)
        byTip[m].baseResistanceTons = 20.0;
    EXPECT_NEAR(averagedBaseResistanceTons(byTip, 10, shaft, 0.0), 17.2727, 1e-4);
    // Rock below a soil tip counts with the last soil value.
    for (int m = 14; m <= 16; ++m)
        byTip[m] = TipRecord{50.0, false};
    EXPECT_NEAR(averagedBaseResistanceTons(byTip, 10, shaft, 0.0), 10.0, 1e-12);
    // A tip in rock averages what lies below it.
    for (int m = 11; m <= 13; ++m)
        byTip[m] = TipRecord{10.0, false};
    EXPECT_NEAR(averagedBaseResistanceTons(byTip, 10, shaft, 0.0), 39.0909, 1e-4);
}

// "Design load, factors of safety and the design row": the clay example by hand.
TEST(ManualExamples, ClayShaftUnderFactorsOfSafety)
{
    ScratchFolder folder;
    const AnalysisResults results = run(folder, clayProject("3 3", 2, "1 1"));
    ASSERT_EQ(results.diameters.size(), 1u);
    const DiameterResult &shaft = results.diameters[0];
    ASSERT_FALSE(shaft.rows.empty());
    const ResultRow &first = shaft.rows.front();
    EXPECT_DOUBLE_EQ(first.length, 1.0);
    EXPECT_NEAR(first.QS, 5.1843, 1e-3);
    const ResultRow &design = shaft.rows.back();
    EXPECT_DOUBLE_EQ(design.length, 31.0);
    EXPECT_NEAR(design.QS, 160.713, 1e-2);
    EXPECT_NEAR(design.QB, 63.6255, 1e-2);
    EXPECT_NEAR(design.QU, 224.339, 1e-2);
    EXPECT_NEAR(design.QBD, 160.713 + 63.6255 / 3, 1e-2);
    EXPECT_NEAR(design.QDN, 101.565, 1e-2);
    EXPECT_NEAR(design.volume, 8.1168, 1e-3);
    EXPECT_NEAR(design.QUperVolume, 27.639, 1e-2);
    // The row before does not yet carry the design load.
    EXPECT_NEAR(shaft.rows[shaft.rows.size() - 2].QDN, 98.973, 1e-2);
}

// "LRFD": the same shaft with resistance factors 0.45 (side) and 0.4 (tip).
TEST(ManualExamples, ClayShaftUnderLrfd)
{
    ScratchFolder folder;
    const AnalysisResults results = run(folder, clayProject("3 3", 1, "0.45 0.4"));
    ASSERT_EQ(results.diameters.size(), 1u);
    ASSERT_TRUE(results.lrfd);
    const ResultRow &design = results.diameters[0].rows.back();
    EXPECT_DOUBLE_EQ(design.length, 32.0);
    EXPECT_NEAR(design.QBD, 0.45 * 165.8976, 1e-2); // LRFD QS
    EXPECT_NEAR(design.QDN, 0.4 * 63.6255, 1e-2);   // LRFD QB
    EXPECT_NEAR(design.QUperVolume, 100.104, 1e-2); // LRFD QU
}

// "The diameter series" and "The most efficient shaft".
TEST(ManualExamples, DiameterSeriesAndMostEfficientShaft)
{
    ScratchFolder folder;
    const AnalysisResults results = run(folder, clayProject("3 4.99", 2, "1 1"));
    ASSERT_EQ(results.diameters.size(), 5u);
    const double lengths[] = {31, 24, 19, 14, 10};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(results.diameters[i].stemDiameter, 3.0 + 0.5 * static_cast<double>(i));
        EXPECT_DOUBLE_EQ(results.diameters[i].rows.back().length, lengths[i]);
    }
    ASSERT_TRUE(results.best.has_value());
    EXPECT_DOUBLE_EQ(results.best->stemDiameter, 5.0);
    EXPECT_DOUBLE_EQ(results.best->length, 10.0);
    EXPECT_NEAR(results.best->QU, 263.14, 1e-2);
    EXPECT_NEAR(results.best->QUperVolume, 36.18, 1e-2);
    EXPECT_EQ(run(folder, clayProject("3 4.97", 2, "1 1")).diameters.size(), 4u);
}

// "Load-transfer analysis": the assumed tip movements of a 3 ft shaft.
TEST(ManualExamples, AssumedTipMovements)
{
    const auto w = assumedTipMovementsIn(36.0);
    EXPECT_DOUBLE_EQ(w[0], 0.00001);
    EXPECT_DOUBLE_EQ(w[10], 0.25);
    EXPECT_DOUBLE_EQ(w[12], 0.625);
    EXPECT_NEAR(w[13], 0.9, 1e-12);
    EXPECT_NEAR(w[14], 1.8, 1e-12);
}

// "Load-transfer analysis": a shaft with no side resistance carries the base load to the
// head unchanged and shortens by Q L / AE.
TEST(ManualExamples, LoadTransferWithoutSideResistance)
{
    LoadSettlementInput input;
    input.stemDiameterFt = 3.0;
    input.baseDiameterFt = 3.0;
    input.shaftLengthFt = 30.0;
    input.Ec = 4.0e6;
    input.baseResistanceTons = 63.6255;
    input.segmentCount = 30;
    input.layers = {{SoilType::Clay, 0.0, 30.0, 0.0, 0.0}};
    for (int k = 1; k <= 30; ++k)
        input.sideProfile.push_back({static_cast<double>(k), 0.0});
    const LoadSettlementRun trend = computeLoadSettlement(input, CurveCase::Trend);
    ASSERT_EQ(trend.status, 0);
    const SettlementPoint &p = trend.points[10];
    EXPECT_DOUBLE_EQ(p.tipMovement, 0.25);
    EXPECT_NEAR(p.tipLoad, 29.2147, 1e-3);
    EXPECT_NEAR(p.topLoad, 29.2147, 1e-3);
    EXPECT_NEAR(p.topMovement, 0.255166, 1e-5);
    // The same point in SI units.
    const SettlementPoint si = toOutputUnits(trend.workingPoints[10], UnitSystem::SI);
    EXPECT_NEAR(si.topLoad, 259.89, 1e-2);
    EXPECT_NEAR(si.topMovement, 0.0064813, 1e-6);
}

// "Rock tips": the charts and series of the three socket routines.
TEST(ManualExamples, RockTipCharts)
{
    EXPECT_NEAR(socketInfluenceFactor(30.0, 5.0), 0.385, 1e-12);
    EXPECT_NEAR(socketInfluenceFactor(20.0, 30.0), 0.2825, 1e-12);
    EXPECT_NEAR(rqdModulusFactor(75.0), 0.335, 1e-12);
    EXPECT_DOUBLE_EQ(rqdModulusFactor(100.0), 1.0);
    const auto w = weakRockSocketMovementsFt(3.0);
    EXPECT_NEAR(w[0], 0.00027, 1e-12);
    EXPECT_NEAR(w[1], 0.000405, 1e-12);
    EXPECT_NEAR(w[14], 0.15, 1e-12);
    TipLayerValues layer;
    layer.BLOWS = {40.0, 40.0};
    const DecomposedRockModulus modulus = decomposedRockModulus(layer, 40.0);
    EXPECT_NEAR(modulus.EsPsf, 9.5844e5, 10.0);
    EXPECT_DOUBLE_EQ(modulus.ratio, 1.0);
}
