#include "method/soil_profile.h"

#include "input/si_input.h"
#include "method/units.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

SoilLayer layer(SoilType type, double top, double bottom, TopBottom gamma = {120.0, 120.0})
{
    SoilLayer l;
    l.type = type;
    l.SOIL = static_cast<double>(type);
    l.topDepth = top;
    l.DEPTH = bottom;
    l.GAMMA = gamma;
    return l;
}

TEST(SoilProfile, SnapsLayerBottomsToTheNearestWholeFoot)
{
    const struct {
        double depth;
        double snapped;
    } cases[] = {{20.5, 21.0}, {20.49, 20.0}, {20.0, 20.0},
                 {0.5, 1.0},   {7.999, 8.0},  {3.2808, 3.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.depth);
        EXPECT_EQ(snappedDepthFt(c.depth), c.snapped);
    }
}

TEST(SoilProfile, SnapsEveryLimitOnceAndNamesLayersWithoutThickness)
{
    SoilProfile profile;
    // 20.49 and 20.3 both become 20; 20.5 then 20.7 both become 21.
    profile.layers = {layer(SoilType::Sand, 0.0, 20.49), layer(SoilType::Clay, 20.49, 20.3),
                      layer(SoilType::Sand, 20.3, 20.5), layer(SoilType::Clay, 20.5, 20.7)};
    EXPECT_EQ(snapLayerLimits(profile), (std::vector<std::size_t>{1, 3}));
    const double tops[] = {0.0, 20.0, 20.0, 21.0};
    const double bottoms[] = {20.0, 20.0, 21.0, 21.0};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(profile.layers[i].topDepth, tops[i]) << i;
        EXPECT_EQ(profile.layers[i].DEPTH, bottoms[i]) << i;
    }
    EXPECT_TRUE(layerSteps(profile.layers[1], 0.0).empty());
    EXPECT_TRUE(layerSteps(profile.layers[3], 0.0).empty());
    EXPECT_EQ(layerSteps(profile.layers[2], 0.0).size(), 1u);
    const SoilProfile once = profile;
    snapLayerLimits(profile);
    EXPECT_EQ(profile, once);
}

TEST(SoilProfile, InterpolatesWithoutClamping)
{
    SoilLayer l = layer(SoilType::Sand, 10.0, 30.0, {100.0, 120.0});
    EXPECT_DOUBLE_EQ(l.at(l.GAMMA, 0.0), 100.0);
    EXPECT_DOUBLE_EQ(l.at(l.GAMMA, 5.0), 105.0);
    EXPECT_DOUBLE_EQ(l.at(l.GAMMA, 20.0), 120.0);
    EXPECT_DOUBLE_EQ(l.at(l.GAMMA, 25.0), 125.0);
    l.DEPTH = 10.0; // no thickness: the top value
    EXPECT_DOUBLE_EQ(l.at(l.GAMMA, 1.0), 100.0);
}

struct StepsCase {
    const char *name;
    double top, bottom, topLength;
    std::vector<DepthStep> expected;
};

TEST(SoilProfile, OneFootStepsOfALayer)
{
    const StepsCase cases[] = {
        {"first layer, no TOPLEN", 0, 3, 0, {{1, 1}, {2, 2}, {3, 3}}},
        {"TOPLEN inside the layer", 5, 10, 7, {{8, 3}, {9, 4}, {10, 5}}},
        {"TOPLEN at the layer top", 5, 7, 5, {{6, 1}, {7, 2}}},
        {"TOPLEN above the layer", 5, 7, 2, {{6, 1}, {7, 2}}},
        {"fractional TOPLEN keeps the offset", 5, 8, 6.5, {{7.5, 2.5}, {8.5, 3.5}}},
        {"bottom at TOPLEN", 5, 10, 10, {}},
        {"bottom above TOPLEN", 5, 10, 12, {}},
    };
    for (const StepsCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(layerSteps(layer(SoilType::Sand, c.top, c.bottom), c.topLength), c.expected);
    }
}

TEST(SoilProfile, StressIncrementBelowAndAboveTheWaterTable)
{
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 1.0, 0.0), 57.6);  // water at the surface
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 5.0, 5.0), 120.0); // step ends at the water
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 5.0, 4.5), 57.6);
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 99.0, 1000.0), 120.0); // water below the profile
}

TEST(SoilProfile, StressWalkWithWaterTableBetweenSteps)
{
    EffectiveStress stress;
    const double expected[] = {120.0, 240.0, 360.0, 417.6, 475.2};
    for (int z = 1; z <= 5; ++z) {
        SCOPED_TRACE(z);
        stress = advancedStress(stress, 120.0, z, 3.0);
        EXPECT_NEAR(stress.psf, expected[z - 1], 1e-9);
    }
    EXPECT_NEAR(stress.midStepPsf(), 446.4, 1e-9);
}

TEST(SoilProfile, SiWaterTableOfThreeMetres)
{
    InputData input;
    input.unitSystem = UnitSystem::SI;
    input.WTD = 3.0;
    convertSiInput(input);
    EXPECT_NEAR(input.WTD, 9.8424, 1e-12);
    // The step ending at 9 ft lies above the water, the one ending at 10 ft below it.
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 9.0, input.WTD), 120.0);
    EXPECT_DOUBLE_EQ(stressIncrementPsf(120.0, 10.0, input.WTD), 57.6);
}

TEST(SoilProfile, StartingStressAtToplenInTheFirstLayer)
{
    SoilProfile profile;
    profile.layers = {layer(SoilType::Sand, 0.0, 20.0, {100.0, 120.0})};
    const struct {
        const char *name;
        double topLength, waterTable, expected;
    } cases[] = {
        {"no TOPLEN", 0.0, 0.0, 0.0},
        {"dry", 5.0, 100.0, 512.5}, // 0.5 (100 + 105) 5
        {"water at 2 ft", 5.0, 2.0, 325.3},
        {"water at the surface", 5.0, 0.0, 200.5},
        {"water above the surface counts as at it", 5.0, -3.0, 200.5},
        {"water just at TOPLEN", 5.0, 5.0, 512.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(startingStressPsf(profile, c.topLength, c.waterTable), c.expected, 1e-9);
    }
}

TEST(SoilProfile, StartingStressAtToplenBelowTheFirstLayer)
{
    SoilProfile profile;
    profile.layers = {layer(SoilType::Clay, 0.0, 4.0, {110.0, 110.0}),
                      layer(SoilType::Sand, 4.0, 10.0, {120.0, 130.0})};
    // 110 x 4 + 0.5 (120 + 125) x 3
    EXPECT_NEAR(startingStressPsf(profile, 7.0, 100.0), 807.5, 1e-9);
    EXPECT_NEAR(startingStressPsf(profile, 7.0, 5.0), 807.5 - 124.8, 1e-9);
    // Below the profile the last unit weight continues: 440 + 750 + 130 x 2.
    EXPECT_NEAR(startingStressPsf(profile, 12.0, 100.0), 1450.0, 1e-9);
    // Continuous with the first-layer rule at the layer limit.
    EXPECT_NEAR(startingStressPsf(profile, 4.0, 100.0), 440.0, 1e-9);
}

TEST(SoilProfile, MidLayerStress)
{
    SoilProfile profile;
    profile.layers = {layer(SoilType::Clay, 0.0, 4.0, {110.0, 110.0}),
                      layer(SoilType::DecomposedRock, 4.0, 10.0, {120.0, 130.0})};
    EXPECT_NEAR(midLayerStressPsf(profile, 1, 100.0), 815.0, 1e-9); // 440 + 125 x 3
    EXPECT_NEAR(midLayerStressPsf(profile, 1, 5.0), 690.2, 1e-9);   // less 62.4 x 2
    EXPECT_NEAR(midLayerStressPsf(profile, 0, 0.0), 220.0 - 124.8, 1e-9);
}

TEST(SoilProfile, MissingDataAtAStep)
{
    SoilLayer sand = layer(SoilType::Sand, 0.0, 10.0);
    EXPECT_TRUE(checkStepData(sand, 5.0).sandStrengthMissing);
    sand.PHI = {30.0, 30.0};
    EXPECT_FALSE(checkStepData(sand, 5.0).sandStrengthMissing);
    sand.PHI = {0.0, 0.0};
    sand.BLOWS = {0.0, 10.0};
    EXPECT_FALSE(checkStepData(sand, 5.0).sandStrengthMissing);

    const struct {
        SoilType type;
        bool flagged;
    } cases[] = {{SoilType::Sand, true},          {SoilType::Clay, true},
                 {SoilType::ClayShale, true},     {SoilType::DecomposedRock, true},
                 {SoilType::StrongRock, false},   {SoilType::WeakRock, false},
                 {SoilType::GravellySand, false}, {SoilType::Gravel, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EXPECT_EQ(checkStepData(layer(c.type, 0.0, 10.0, {40.0, 60.0}), 4.0).unitWeightMissing,
                  c.flagged);
        // 50 pcf at the step is enough.
        EXPECT_FALSE(checkStepData(layer(c.type, 0.0, 10.0, {40.0, 60.0}), 5.0).unitWeightMissing);
    }
}

InputData inputWith(std::vector<LayerInput> layers, bool si = false)
{
    InputData input;
    input.unitSystem = si ? UnitSystem::SI : UnitSystem::English;
    input.DSTART = 2.0;
    input.Ec = 4000000.0;
    input.layers = std::move(layers);
    input.NL = static_cast<int>(input.layers.size());
    return input;
}

LayerInput entered(SoilType type, double top, double bottom)
{
    LayerInput l;
    l.type = type;
    l.SOIL = static_cast<double>(type);
    l.topDepth = top;
    l.DEPTH = bottom;
    return l;
}

TEST(SoilProfile, PreparationFillsAutomaticCoefficients)
{
    LayerInput sandK = entered(SoilType::Sand, 0, 10);
    LayerInput sandBeta = entered(SoilType::Sand, 10, 25);
    sandBeta.sandMethod = 2;
    sandBeta.BLOWS = {30, 10};
    LayerInput clay = entered(SoilType::Clay, 25, 30);
    clay.CU = {4000, 6000};
    clay.PHI = {12, 12};
    LayerInput shale = entered(SoilType::ClayShale, 30, 40);
    shale.CU = {8000, 8000};
    shale.NC = {0, 8}; // entered at the bottom: kept
    shale.coefficient = {0.4, 0.45};
    LayerInput gravel = entered(SoilType::Gravel, 40, 50);
    LayerInput rock = entered(SoilType::StrongRock, 50, 60);

    const SoilProfile p =
        prepareSoilProfile(inputWith({sandK, sandBeta, clay, shale, gravel, rock}));
    ASSERT_EQ(p.layers.size(), 6u);
    EXPECT_TRUE(p.layers[0].automaticCoefficient);
    EXPECT_EQ(p.layers[0].coefficient, (TopBottom{0.25, 0.25})); // a zero K becomes 0.25
    EXPECT_NEAR(p.layers[1].coefficient[kTop], 1.07309, 1e-5);   // z 10, N 30
    EXPECT_NEAR(p.layers[1].coefficient[kBottom], 0.55, 1e-12);  // z 25, N 10
    EXPECT_NEAR(p.layers[2].coefficient[kTop], 0.511, 0.0005);
    EXPECT_NEAR(p.layers[2].coefficient[kBottom], 0.55, 1e-12);
    EXPECT_EQ(p.layers[2].PHI, (TopBottom{0.0, 0.0})); // clay carries no angle
    EXPECT_EQ(p.layers[2].NC, (TopBottom{9.0, 9.0}));  // 6 (1 + 0.2 x 25 / 2) > 9
    EXPECT_FALSE(p.layers[3].automaticCoefficient);
    EXPECT_EQ(p.layers[3].coefficient, (TopBottom{0.4, 0.45}));
    EXPECT_EQ(p.layers[3].NC, (TopBottom{0.0, 8.0}));
    EXPECT_NEAR(p.layers[4].coefficient[kTop], 1.20618, 1e-5); // z 40 ft
    EXPECT_EQ(p.layers[5].coefficient, (TopBottom{0.25, 0.25}));
    EXPECT_TRUE(p.automaticNc);
    for (const SoilLayer &l : p.layers) {
        EXPECT_EQ(l.TRANLM, (TopBottom{kNoLimit, kNoLimit}));
        EXPECT_EQ(l.maxEndBearing, (TopBottom{kNoLimit, kNoLimit}));
    }
}

TEST(SoilProfile, PreparationConvertsModuliToTsf)
{
    LayerInput rock = entered(SoilType::WeakRock, 0, 10);
    rock.EL = {1000.0, 2000.0};
    LayerInput decomposed = entered(SoilType::DecomposedRock, 10, 20);
    decomposed.gravelModulus = {500.0, 500.0};

    const SoilProfile english = prepareSoilProfile(inputWith({rock, decomposed}));
    EXPECT_NEAR(english.shaftModulusTsf, 288000.0, 1e-9); // 4e6 psi
    EXPECT_NEAR(english.layers[0].rockModulusTsf[kTop], 72.0, 1e-12);
    EXPECT_NEAR(english.layers[0].rockModulusTsf[kBottom], 144.0, 1e-12);
    EXPECT_NEAR(english.layers[1].gravelModulusTsf[kTop], 36.0, 1e-12);

    const SoilProfile si = prepareSoilProfile(inputWith({rock, decomposed}, true));
    EXPECT_NEAR(si.layers[0].rockModulusTsf[kTop], 10.4425, 1e-12); // 1000 kPa
    // The entered values stay for the echo.
    EXPECT_EQ(si.layers[0].EL, (TopBottom{1000.0, 2000.0}));
}

TEST(SoilProfile, AutomaticNcOnlyWhenBothLeftAtZero)
{
    LayerInput clay = entered(SoilType::Clay, 0, 10);
    clay.NC = {7.0, 7.5};
    const SoilProfile p = prepareSoilProfile(inputWith({clay}));
    EXPECT_FALSE(p.automaticNc);
    EXPECT_EQ(p.layers[0].NC, (TopBottom{7.0, 7.5}));
}

TEST(SoilProfile, ReferenceDepth)
{
    InputData input;
    input.TOPLEN = 3.0;
    SoilLayer l = layer(SoilType::DecomposedRock, 10.0, 20.0);
    EXPECT_DOUBLE_EQ(referenceDepthFt(input, l), 18.0);
    input.designControl = DesignControl::DesignDepth;
    input.DGH = 40.0;
    EXPECT_DOUBLE_EQ(referenceDepthFt(input, l), 40.0);
}

} // namespace
