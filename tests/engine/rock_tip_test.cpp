#include "method/rock_socket_charts.h"
#include "method/rock_tip.h"
#include "report/rock_tip_output.h"
#include "run/run_context.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vorna;

namespace {

constexpr double kConcreteTsf = 288000.0; // 4e6 psi

TEST(RockSocketCharts, RqdModulusFactor)
{
    struct Case {
        double rqd;
        double factor;
    };
    const Case cases[] = {{100.0, 1.0},  {75.0, 0.335}, {0.0, 0.1},   {95.0, 0.85},
                          {97.5, 0.925}, {45.0, 0.135}, {120.0, 1.0}, {-5.0, 0.1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rqd);
        EXPECT_NEAR(rqdModulusFactor(c.rqd), c.factor, 1e-12);
    }
}

TEST(RockSocketCharts, InfluenceFactor)
{
    struct Case {
        const char *name;
        double R;
        double m;
        double I;
    };
    const Case cases[] = {
        {"soft rock, long socket: fixed value", 30.0, 5.0, 0.385},
        {"soft rock, R within the chart: first curve", 1.0, 5.0, 0.5},
        {"between m 10 and 50 at the chart's end", 20.0, 30.0, 0.2825},
        {"between m 50 and 100", 1.0, 75.0, 0.44},
        {"exactly on a curve", 4.0, 100.0, 0.255},
        {"between curves and grid points", 3.0, 5000.0, 0.28},
        {"beyond the stiffest curve", 12.0, 20000.0, 0.11},
        {"no socket length", 0.0, 1000.0, 1.1},
        {"long socket, stiff concrete", 25.0, 100.0, 0.155},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(socketInfluenceFactor(c.R, c.m), c.I, 1e-12);
    }
}

TEST(RockSocketCharts, WalkFractions)
{
    struct Case {
        const char *name;
        SoilType soil;
        bool upper;
        double ratio;
        double fraction;
    };
    const Case cases[] = {
        {"granular lower, half a step", SoilType::Sand, false, 0.0005, 0.11},
        {"cohesive lower, between 0.1 and 0.2 %", SoilType::Clay, false, 0.0013, 0.359},
        {"cohesive upper beyond 2 %", SoilType::ClayShale, true, 0.025, 0.92},
        {"granular upper at 2 %", SoilType::Sand, true, 0.02, 1.0},
        {"gravel walks on the granular curves", SoilType::Gravel, false, 0.001, 0.22},
        {"gravelly sand too", SoilType::GravellySand, true, 0.001, 0.45},
        {"rock above the socket walks on the cohesive curves", SoilType::StrongRock, false, 0.001,
         0.29},
        {"no movement", SoilType::Clay, true, 0.0, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(walkTransferFraction(c.soil, c.upper, c.ratio), c.fraction, 1e-12);
    }
}

TEST(TipLayerValues, ReadLinearlyInsideTheLayer)
{
    EXPECT_DOUBLE_EQ(valueAtDepth({2.0, 4.0}, 20.0, 40.0, 30.0), 3.0);
    EXPECT_DOUBLE_EQ(valueAtDepth({2.0, 4.0}, 20.0, 40.0, 50.0), 5.0); // no clamping
    EXPECT_DOUBLE_EQ(valueAtDepth({2.0, 4.0}, 20.0, 20.0, 20.0), 2.0);
}

// ---- Decomposed rock ------------------------------------------------------------------

DecomposedRockTipInput decomposedRock()
{
    DecomposedRockTipInput input;
    input.stemDiameterFt = 3.0;
    input.DSTART = 3.0;
    input.EcTsf = kConcreteTsf;
    input.referenceDepthFt = 30.0;
    input.tipLayer.topFt = 20.0;
    input.tipLayer.bottomFt = 40.0;
    input.tipLayer.BDS = {3.0, 3.0};
    input.tipLayer.BLOWS = {40.0, 40.0};
    input.midLayerStressPsf = 3000.0;
    input.walkStressPsf = 2500.0;
    input.deepestWalkDepthFt = 50.0;
    input.sideResistanceTons = 200.0;
    return input;
}

TEST(DecomposedRock, ModulusFromNWhenNoneIsEntered)
{
    TipLayerValues layer;
    layer.BLOWS = {40.0, 40.0};
    const DecomposedRockModulus fromN = decomposedRockModulus(layer, 40.0);
    EXPECT_NEAR(fromN.EsPsf, 9.584e5, 50.0); // to four figures
    EXPECT_DOUBLE_EQ(fromN.ratio, 1.0);

    layer.BLOWS = {20.0, 40.0};
    EXPECT_DOUBLE_EQ(decomposedRockModulus(layer, 30.0).ratio, 0.5);
    layer.BLOWS = {20.0, 0.0};
    EXPECT_DOUBLE_EQ(decomposedRockModulus(layer, 10.0).ratio, 1.0); // no division by zero
}

TEST(DecomposedRock, EnteredModulusIsHeldInTsf)
{
    TipLayerValues layer;
    layer.modulusTsf = {300.0, 500.0};
    const DecomposedRockModulus entered = decomposedRockModulus(layer, 40.0);
    EXPECT_DOUBLE_EQ(entered.EsPsf, 1.0e6);
    EXPECT_DOUBLE_EQ(entered.ratio, 0.8);
}

TEST(DecomposedRock, CurveWorkedByHand)
{
    // N = 40: Es = 9.584e5 psf, zeta = 3.1135, muL = 0.13517, F = 0.14037.
    const SettlementCurve curve = decomposedRockCurve(decomposedRock());
    EXPECT_NEAR(curve[9].topLoad, 214.1868, 1e-3);     // yield load
    EXPECT_NEAR(curve[9].topMovement, 0.250947, 1e-5); // yield movement, in
    EXPECT_NEAR(curve[13].topLoad, 290.8181, 1e-3);    // ultimate load
    EXPECT_NEAR(curve[13].topMovement, 1.594175, 1e-5);
    for (int i = 1; i <= 10; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        EXPECT_NEAR(curve[k].topLoad, curve[9].topLoad * i / 10.0, 1e-9);
        EXPECT_NEAR(curve[k].topMovement, curve[9].topMovement * i / 10.0, 1e-12);
    }
    // The last point repeats the load at 1.2 times the movement.
    EXPECT_DOUBLE_EQ(curve[14].topLoad, curve[13].topLoad);
    EXPECT_NEAR(curve[14].topMovement, 1.2 * curve[13].topMovement, 1e-12);
    for (const SettlementPoint &p : curve) {
        EXPECT_EQ(p.tipLoad, 0.0);
        EXPECT_EQ(p.tipMovement, 0.0);
    }
}

TEST(DecomposedRock, ShortWalkUsesItsOwnStress)
{
    DecomposedRockTipInput input = decomposedRock();
    input.deepestWalkDepthFt = 35.0; // above 30 + 2 x 3 ft
    EXPECT_NEAR(decomposedRockCurve(input)[13].topLoad, 287.5661, 1e-3);
}

TEST(DecomposedRock, SiCurveIsTheSameCurveInKilonewtonsAndMetres)
{
    DecomposedRockTipInput si = decomposedRock();
    si.unitSystem = UnitSystem::SI;
    const SettlementCurve english = decomposedRockCurve(decomposedRock());
    const SettlementCurve metric = decomposedRockCurve(si);
    for (std::size_t k = 0; k < english.size(); ++k) {
        EXPECT_NEAR(metric[k].topLoad, english[k].topLoad * 8.896, 1e-9);
        EXPECT_NEAR(metric[k].topMovement, english[k].topMovement / 12.0 / 3.2808, 1e-12);
    }
}

TEST(DecomposedRock, NoStiffnessGivesAnEmptyCurveNotInfinities)
{
    DecomposedRockTipInput input = decomposedRock();
    input.tipLayer.BLOWS = {0.0, 0.0};
    for (const SettlementPoint &p : decomposedRockCurve(input))
        EXPECT_EQ(p, SettlementPoint{});
}

TEST(DecomposedRock, VeryShortSocketStaysFinite)
{
    DecomposedRockTipInput input = decomposedRock();
    input.referenceDepthFt = 20.3; // R = 0.1: the elastic solution's log turns negative
    for (const SettlementPoint &p : decomposedRockCurve(input)) {
        EXPECT_TRUE(std::isfinite(p.topLoad));
        EXPECT_TRUE(std::isfinite(p.topMovement));
    }
}

// ---- Weak rock ------------------------------------------------------------------------

WeakRockTipInput weakRock(double designSideTons)
{
    WeakRockTipInput input;
    input.stemDiameterFt = 3.0;
    input.DSTART = 3.0;
    input.EcTsf = kConcreteTsf;
    input.referenceDepthFt = 30.0;
    input.weakRockTopFt = 20.0;
    input.tipLayer.topFt = 20.0;
    input.tipLayer.bottomFt = 40.0;
    input.tipLayer.BDS = {3.0, 3.0};
    input.firstWeakRockSideTons = 50.0;
    input.sideResistanceTons = designSideTons;
    input.method = [](double, double) { return WeakRockStress{1000.0, 20000.0}; };
    return input;
}

TEST(WeakRock, SocketMovementsOfA3FtSocket)
{
    const auto w = weakRockSocketMovementsFt(3.0);
    EXPECT_NEAR(w[0], 0.00027, 1e-15);
    EXPECT_NEAR(w[1], 0.000405, 1e-15);
    EXPECT_NEAR(w[11], 0.00027 * std::pow(1.5, 11), 1e-15);
    EXPECT_NEAR(w[12], 0.0375, 1e-15);
    EXPECT_NEAR(w[13], 0.075, 1e-15);
    EXPECT_NEAR(w[14], 0.15, 1e-15);
}

TEST(WeakRock, MethodIsAskedForEachSocketMovement)
{
    WeakRockTipInput input = weakRock(200.0);
    std::vector<std::pair<double, double>> calls;
    input.method = [&](double length, double movement) {
        calls.emplace_back(length, movement);
        return WeakRockStress{};
    };
    weakRockCurve(input);
    ASSERT_EQ(calls.size(), 15u);
    const auto movements = weakRockSocketMovementsFt(3.0);
    for (std::size_t k = 0; k < calls.size(); ++k) {
        EXPECT_DOUBLE_EQ(calls[k].first, 10.0);
        EXPECT_DOUBLE_EQ(calls[k].second, movements[k]);
    }
}

TEST(WeakRock, PointWorkedByHand)
{
    struct Case {
        const char *name;
        double designSideTons;
        double sideLb;
    };
    const double baseLb = 3.1416 * 9.0 / 4.0 * 20000.0; // 141372 lb
    const Case cases[] = {
        {"side limited by the design row", 80.0, 160000.0},
        {"side below the limit", 200.0, 100000.0 + 1000.0 * 3.1416 * 3.0 * 10.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const SettlementCurve curve = weakRockCurve(weakRock(c.designSideTons));
        const double loadLb = c.sideLb + baseLb;
        // Shortening of the 20 ft above the socket: E = 4e6 psi, A = 1017.88 sq in.
        const double shorteningIn = loadLb * 240.0 / (4.0e6 * 9.0 * 0.7854 * 144.0);
        EXPECT_NEAR(curve[0].topLoad, loadLb / 2000.0, 1e-9);
        EXPECT_NEAR(curve[0].topMovement, 0.00027 * 12.0 + shorteningIn, 1e-12);
        EXPECT_NEAR(curve[14].topMovement, 0.15 * 12.0 + shorteningIn, 1e-12);
    }
}

TEST(WeakRock, SiOutputIsConvertedOnce)
{
    WeakRockTipInput input = weakRock(80.0);
    input.unitSystem = UnitSystem::SI;
    const SettlementCurve curve = weakRockCurve(input);
    const double loadLb = 160000.0 + 3.1416 * 9.0 / 4.0 * 20000.0;
    const double shorteningIn = loadLb * 240.0 / (4.0e6 * 9.0 * 0.7854 * 144.0);
    EXPECT_NEAR(curve[0].topLoad, loadLb / 2000.0 * 8.896, 1e-9);
    EXPECT_NEAR(curve[0].topMovement, 0.00027 / 3.2808 + shorteningIn * 0.0254, 1e-12);
}

// ---- Strong rock ----------------------------------------------------------------------

RockTipLayer rock(SoilType soil, double depthFt, double sideTons)
{
    RockTipLayer layer;
    layer.soil = soil;
    layer.depthFt = depthFt;
    layer.sideResistanceTons = sideTons;
    layer.RQD = {100.0, 100.0};
    layer.intactModulusTsf = {28800.0, 28800.0};
    return layer;
}

StrongRockTipInput strongRock(std::vector<RockTipLayer> layers)
{
    StrongRockTipInput input;
    input.stemDiameterFt = 3.0;
    input.DSTART = 3.0;
    input.EcTsf = kConcreteTsf;
    input.tipSocketDiameterFt = 3.0;
    input.baseResistanceTons = 500.0;
    input.layers = std::move(layers);
    return input;
}

TEST(StrongRock, ZoneIsTheUnbrokenRockAboveTheTip)
{
    RockTipLayer upper = rock(SoilType::StrongRockSideOrBase, 20.0, 80.0);
    upper.RQD = {60.0, 80.0};
    upper.intactModulusTsf = {1000.0, 3000.0};
    RockTipLayer tip = rock(SoilType::StrongRock, 25.0, 120.0);
    tip.intactModulusTsf = {5000.0, 5000.0};
    const RockZone zone = strongRockZone({rock(SoilType::Sand, 10.0, 20.0), upper, tip});
    EXPECT_EQ(zone.firstLayer, 1u);
    EXPECT_DOUBLE_EQ(zone.topFt, 10.0);
    EXPECT_DOUBLE_EQ(zone.lengthFt, 15.0);
    EXPECT_DOUBLE_EQ(zone.meanRqd, 80.0);                // (10 x 70 + 5 x 100) / 15
    EXPECT_DOUBLE_EQ(zone.meanIntactModulusTsf, 3000.0); // (10 x 2000 + 5 x 5000) / 15

    // Clay between two rock layers ends the zone; the upper rock is walked through.
    const RockZone split =
        strongRockZone({rock(SoilType::Sand, 10.0, 20.0), upper, rock(SoilType::Clay, 25.0, 150.0),
                        rock(SoilType::StrongRock, 30.0, 200.0)});
    EXPECT_EQ(split.firstLayer, 3u);
    EXPECT_DOUBLE_EQ(split.topFt, 25.0);
    EXPECT_DOUBLE_EQ(split.lengthFt, 5.0);
}

TEST(StrongRock, SocketFromTheSurfaceWorkedByHand)
{
    // R = 12/3 = 4, m = 288000/28800 = 10: I = 0.395. Point 1: r = 0.00018,
    // P = 9 x 0.00018 x 28800 / 0.395 = 118.116 tons; head movement
    // P x 12 / (288000 x 0.7854 x 9) + 3 x 0.00018 = 0.0012362509 ft.
    const SettlementCurve curve =
        strongRockCurve(strongRock({rock(SoilType::StrongRock, 12.0, 100.0)}));
    EXPECT_NEAR(curve[0].topLoad, 118.1165, 1e-4);
    EXPECT_NEAR(curve[0].topMovement, 0.0012362509 * 12.0, 1e-9);
    // With no soil above, the upper-bound pass gives the same curve.
    for (const SettlementPoint &p : curve) {
        EXPECT_DOUBLE_EQ(p.tipLoad, p.topLoad);
        EXPECT_DOUBLE_EQ(p.tipMovement, p.topMovement);
    }
}

TEST(StrongRock, CapacityLimitedSocketRepeatsItsCapacity)
{
    // Q = 500 + 100 = 600 tons is reached at r = 0.395 x 600 / (9 x 28800) = 0.000914,
    // between points 5 (0.000911) and 6 (0.001367).
    const SettlementCurve curve =
        strongRockCurve(strongRock({rock(SoilType::StrongRock, 12.0, 100.0)}));
    EXPECT_LT(curve[4].topLoad, 600.0);
    for (std::size_t k = 5; k < curve.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_NEAR(curve[k].topLoad, 600.0, 1e-9);
        EXPECT_DOUBLE_EQ(curve[k].topMovement, curve[5].topMovement);
    }
}

TEST(StrongRock, SoilAboveTheRockWorkedByHand)
{
    // Sand to 10 ft (QS 50 tons) over the socket. Point 1, lower bound: head load 118.116
    // tons at 0.0217975 in; the walk through the sand ends at 125.911 tons, 0.0292189 in.
    const SettlementCurve curve = strongRockCurve(
        strongRock({rock(SoilType::Sand, 10.0, 50.0), rock(SoilType::StrongRock, 22.0, 150.0)}));
    EXPECT_NEAR(curve[0].topLoad, 125.9106, 1e-3);
    EXPECT_NEAR(curve[0].topMovement, 0.0292189, 1e-6);
    // The upper-bound pass mobilises more of the sand: more load at every point.
    for (const SettlementPoint &p : curve)
        EXPECT_GT(p.tipLoad, p.topLoad);
}

TEST(StrongRock, SiCurve)
{
    StrongRockTipInput si = strongRock({rock(SoilType::StrongRock, 12.0, 100.0)});
    si.unitSystem = UnitSystem::SI;
    const SettlementCurve metric = strongRockCurve(si);
    EXPECT_NEAR(metric[0].topLoad, 118.1165 * 8.896, 1e-3);
    EXPECT_NEAR(metric[0].topMovement, 0.0012362509 / 3.2808, 1e-10);
    EXPECT_NEAR(metric[14].tipLoad, 600.0 * 8.896, 1e-6);
}

// ---- Report texts ---------------------------------------------------------------------

TEST(RockTipReport, HeadingAndSingleCurve)
{
    const auto heading = rockTipHeadingLines();
    ASSERT_EQ(heading.size(), 4u);
    EXPECT_EQ(heading[0], "");
    EXPECT_EQ(heading[1], "");
    EXPECT_EQ(heading[2], std::string(15, ' ') + "       LOAD SETTLEMENT RELATIONSHIP      ");
    EXPECT_EQ(heading[3], std::string(15, ' ') + "------------------------------------------   ");

    SettlementCurve curve{};
    curve[0] = {118.1165, 0.0148351, 1.0, 1.0};
    const auto english = singleCurveTableLines(UnitSystem::English, curve);
    ASSERT_EQ(english.size(), 18u);
    EXPECT_EQ(english[0], "");
    EXPECT_EQ(english[1], std::string(22, ' ') + "TOP  LOAD     TOP MOVEMENT     ");
    EXPECT_EQ(english[2], std::string(22, ' ') + "   TONS             IN.       ");
    EXPECT_EQ(english[3], std::string(13, ' ') + "       0.1181E+03       0.1484E-01");
    const auto si = singleCurveTableLines(UnitSystem::SI, curve);
    EXPECT_EQ(si[1], std::string(22, ' ') + "TOP  LOAD     TOP MOVEMENT        ");
    EXPECT_EQ(si[2], std::string(22, ' ') + "   kN              M             ");
}

TEST(RockTipReport, RunWritesTheHeadingAndDispatchesOnTheMethod)
{
    const auto folder = std::filesystem::temp_directory_path() / "vorna_rock_tip_run";
    std::filesystem::create_directories(folder);
    RunContext run;
    ASSERT_TRUE(run.report.open(folder / "shaft.vro"));
    const StrongRockTipInput strong = strongRock({rock(SoilType::StrongRock, 12.0, 100.0)});
    EXPECT_EQ(runRockTip(run, strong), strongRockCurve(strong));
    EXPECT_EQ(runRockTip(run, decomposedRock()), decomposedRockCurve(decomposedRock()));
    EXPECT_EQ(runRockTip(run, weakRock(80.0)), weakRockCurve(weakRock(80.0)));
    run.report.close();

    std::ifstream stream(folder / "shaft.vro", std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    std::string expected;
    for (int i = 0; i < 3; ++i)
        for (const std::string &line : rockTipHeadingLines())
            expected += line + "\r\n";
    EXPECT_EQ(content.str(), expected);
    std::filesystem::remove_all(folder);
}

} // namespace
