#include "method/soil_profile.h"

#include "input/si_input.h"
#include "method/base_resistance.h"
#include "method/side_resistance.h"
#include "method/soil_type.h"
#include "method/units.h"

#include <algorithm>
#include <cmath>

namespace vorna {

double SoilLayer::at(const TopBottom &values, double distanceFt) const
{
    const double thickness = thicknessFt();
    if (thickness <= 0.0)
        return values[kTop];
    return values[kTop] + (values[kBottom] - values[kTop]) * distanceFt / thickness;
}

namespace {

bool bothLeftAtZero(const TopBottom &values)
{
    return values[kTop] < kNotEntered && values[kBottom] < kNotEntered;
}

double automaticCoefficient(const SoilLayer &layer, double depthFt, int end)
{
    switch (layer.type) {
    case SoilType::Clay:
    case SoilType::ClayShale:
        return alphaClay(layer.CU[end]);
    case SoilType::Sand:
        if (layer.sandMethod >= 2)
            return betaSand(depthFt, layer.BLOWS[end]);
        return limitedSideCoefficient(layer.coefficient[end]);
    case SoilType::GravellySand:
        return betaGravellySand(depthFt);
    case SoilType::Gravel:
        return betaGravel(depthFt);
    case SoilType::StrongRockSideOrBase:
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
        return limitedSideCoefficient(layer.coefficient[end]);
    }
    return 0.0;
}

void fillAutomaticValues(SoilLayer &layer, double smallestDiameterFt, bool &automaticNcUsed)
{
    const TopBottom depths = {layer.topDepth, layer.DEPTH};
    layer.automaticCoefficient = bothLeftAtZero(layer.coefficient);
    if (layer.automaticCoefficient) {
        TopBottom filled{};
        for (int end : {kTop, kBottom})
            filled[end] = automaticCoefficient(layer, depths[end], end);
        layer.coefficient = filled;
    }
    if (isCohesive(layer.type)) {
        // Clay carries no friction angle.
        layer.PHI = {0.0, 0.0};
        if (bothLeftAtZero(layer.NC)) {
            automaticNcUsed = true;
            for (int end : {kTop, kBottom})
                layer.NC[end] = automaticNc(layer.type, depths[end], smallestDiameterFt);
        }
    }
}

} // namespace

SoilProfile prepareSoilProfile(const InputData &input)
{
    SoilProfile profile;
    const UnitSystem units = input.unitSystem;
    profile.shaftModulusTsf = enteredModulusTsf(input.Ec, units);
    for (const LayerInput &entered : input.layers) {
        SoilLayer layer;
        static_cast<LayerInput &>(layer) = entered;
        for (TopBottom *limit : {&layer.TRANLM, &layer.maxEndBearing})
            for (double &value : *limit)
                if (std::fabs(value) < 1.0e-10)
                    value = kNoLimit;
        for (int end : {kTop, kBottom}) {
            layer.rockModulusTsf[end] = enteredModulusTsf(layer.EL[end], units);
            layer.gravelModulusTsf[end] = enteredModulusTsf(layer.gravelModulus[end], units);
        }
        fillAutomaticValues(layer, input.DSTART, profile.automaticNc);
        profile.layers.push_back(layer);
    }
    return profile;
}

double snappedDepthFt(double depthFt)
{
    const double whole = std::trunc(depthFt);
    return depthFt - whole >= 0.5 ? whole + 1.0 : whole;
}

std::vector<std::size_t> snapLayerLimits(SoilProfile &profile)
{
    std::vector<std::size_t> withoutThickness;
    double top = 0.0;
    for (std::size_t i = 0; i < profile.layers.size(); ++i) {
        SoilLayer &layer = profile.layers[i];
        layer.topDepth = top;
        layer.DEPTH = snappedDepthFt(layer.DEPTH);
        if (layer.DEPTH == layer.topDepth)
            withoutThickness.push_back(i);
        top = layer.DEPTH;
    }
    return withoutThickness;
}

std::vector<DepthStep> layerSteps(const SoilLayer &layer, double topLengthFt)
{
    std::vector<DepthStep> steps;
    if (layer.DEPTH <= topLengthFt)
        return steps;
    const double start = std::max(layer.topDepth, topLengthFt);
    const double offset = start - layer.topDepth; // TOPLEN below the top of its layer
    const int count = static_cast<int>(layer.DEPTH - std::trunc(start));
    for (int j = 1; j <= count; ++j)
        steps.push_back({start + j, j + offset});
    return steps;
}

double stressIncrementPsf(double unitWeightPcf, double depthFt, double waterTableFt)
{
    return waterTableFt < depthFt ? unitWeightPcf - kPcfWater : unitWeightPcf;
}

EffectiveStress advancedStress(const EffectiveStress &stress, double unitWeightPcf, double depthFt,
                               double waterTableFt)
{
    const double increment = stressIncrementPsf(unitWeightPcf, depthFt, waterTableFt);
    return {stress.psf + increment, increment};
}

namespace {

// Water below the water table reduces the stress; above the ground surface it counts as
// at the surface.
double buoyancyPsf(double depthFt, double waterTableFt)
{
    const double submerged = depthFt - std::max(waterTableFt, 0.0);
    return submerged > 0.0 ? kPcfWater * submerged : 0.0;
}

// Total stress of a layer from its top down to `distanceFt`, the unit weight linear.
double layerTotalStressPsf(const SoilLayer &layer, double distanceFt)
{
    return 0.5 * (layer.GAMMA[kTop] + layer.at(layer.GAMMA, distanceFt)) * distanceFt;
}

} // namespace

double startingStressPsf(const SoilProfile &profile, double topLengthFt, double waterTableFt)
{
    if (topLengthFt <= 0.0 || profile.layers.empty())
        return 0.0;
    double total = 0.0;
    for (const SoilLayer &layer : profile.layers) {
        if (topLengthFt <= layer.DEPTH) {
            total += layerTotalStressPsf(layer, topLengthFt - layer.topDepth);
            return total - buoyancyPsf(topLengthFt, waterTableFt);
        }
        total += layerTotalStressPsf(layer, layer.thicknessFt());
    }
    const SoilLayer &last = profile.layers.back();
    total += last.GAMMA[kBottom] * (topLengthFt - last.DEPTH);
    return total - buoyancyPsf(topLengthFt, waterTableFt);
}

double midLayerStressPsf(const SoilProfile &profile, std::size_t index, double waterTableFt)
{
    const auto meanUnitWeight = [](const SoilLayer &layer) {
        return 0.5 * (layer.GAMMA[kTop] + layer.GAMMA[kBottom]);
    };
    double total = 0.0;
    for (std::size_t i = 0; i < index; ++i)
        total += meanUnitWeight(profile.layers[i]) * profile.layers[i].thicknessFt();
    const SoilLayer &layer = profile.layers[index];
    total += meanUnitWeight(layer) * 0.5 * layer.thicknessFt();
    const double midDepthFt = 0.5 * (layer.topDepth + layer.DEPTH);
    return total - buoyancyPsf(midDepthFt, waterTableFt);
}

StepDataCheck checkStepData(const SoilLayer &layer, double distanceFt)
{
    StepDataCheck check;
    if (layer.type == SoilType::Sand)
        check.sandStrengthMissing =
            layer.at(layer.BLOWS, distanceFt) < 0.001 && layer.at(layer.PHI, distanceFt) < 0.001;
    switch (layer.type) {
    case SoilType::Sand:
    case SoilType::Clay:
    case SoilType::ClayShale:
    case SoilType::DecomposedRock:
        // A total unit weight below 50 pcf is taken as not entered.
        check.unitWeightMissing = layer.at(layer.GAMMA, distanceFt) < 50.0;
        break;
    case SoilType::StrongRockSideOrBase:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
    case SoilType::GravellySand:
    case SoilType::Gravel:
        break;
    }
    return check;
}

double referenceDepthFt(const InputData &input, const SoilLayer &layer)
{
    if (input.designControl == DesignControl::DesignDepth)
        return input.DGH;
    return 0.5 * (layer.topDepth + layer.DEPTH) + input.TOPLEN;
}

} // namespace vorna
