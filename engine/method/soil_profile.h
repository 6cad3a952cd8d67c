// The prepared soil profile: the layer table the capacity computation walks, in ft, psf,
// pcf and tsf, with the automatic coefficients filled in; the one-foot depth steps and
// the effective vertical stress.
#pragma once

#include "input/input_data.h"

#include <cstddef>
#include <vector>

namespace vorna {

// One layer of the table. The input values keep their file names (SI already converted
// to ft, psf and pcf by the reader); the side coefficients and Nc are those in force
// after the automatic values were filled in.
struct SoilLayer : LayerInput {
    bool automaticCoefficient = false; // both side coefficients were left at zero
    TopBottom rockModulusTsf{};        // EL, intact rock (codes 4, 6, 7)
    TopBottom gravelModulusTsf{};      // Young's modulus of decomposed rock (code 5)

    double thicknessFt() const { return DEPTH - topDepth; }
    // A top/bottom value at `distanceFt` below the layer top: linear, not clamped. A layer
    // without thickness gives its top value.
    double at(const TopBottom &values, double distanceFt) const;
    bool operator==(const SoilLayer &) const = default;
};

struct SoilProfile {
    std::vector<SoilLayer> layers;
    bool automaticNc = false;     // a clay or clay-shale layer left both Nc values at zero
    double shaftModulusTsf = 0.0; // Ec

    bool operator==(const SoilProfile &) const = default;
};

// Builds the layer table from the input as read: zero maximum side friction and end
// bearing mean no limit, moduli to tsf, automatic alpha, beta and K limits, automatic Nc.
// The input must have passed findProfileFault (no zero DSTART).
SoilProfile prepareSoilProfile(const InputData &input);

// A layer bottom snapped to the nearest whole foot (halves go down the profile).
double snappedDepthFt(double depthFt);

// Snaps every layer limit to the nearest whole foot, once per run before the first
// diameter, so that every diameter walks the same profile; the top of each layer is the
// snapped bottom of the one above. Returns the layers (0-based) left without thickness.
// Idempotent.
std::vector<std::size_t> snapLayerLimits(SoilProfile &profile);

// One step of the depth walk: the depth at its bottom and the distance below the layer
// top at which the layer values are interpolated.
struct DepthStep {
    double depthFt = 0.0;
    double distanceFt = 0.0;
    bool operator==(const DepthStep &) const = default;
};

// The one-foot steps of a layer whose limits are snapped. The walk starts at the larger of
// the layer top and TOPLEN and makes (bottom - whole feet of the start) steps; a layer
// whose bottom lies at or above TOPLEN has none.
std::vector<DepthStep> layerSteps(const SoilLayer &layer, double topLengthFt);

// The increment of effective vertical stress over one foot ending at `depthFt`: the total
// unit weight, less water below the water table.
double stressIncrementPsf(double unitWeightPcf, double depthFt, double waterTableFt);

// The running effective vertical stress of the depth walk.
struct EffectiveStress {
    double psf = 0.0;              // at the bottom of the last step
    double lastIncrementPsf = 0.0; // added by the last step
    // At the middle of the last step, as the beta method uses it.
    double midStepPsf() const { return psf - 0.5 * lastIncrementPsf; }
    bool operator==(const EffectiveStress &) const = default;
};
EffectiveStress advancedStress(const EffectiveStress &stress, double unitWeightPcf, double depthFt,
                               double waterTableFt);

// Effective vertical stress at TOPLEN, where the walk starts: the unit weight integrated
// linearly through every layer above (a layer in part), less water below the water table.
// Below the last layer the last bottom unit weight continues. A water table above the
// ground surface counts as at the surface.
double startingStressPsf(const SoilProfile &profile, double topLengthFt, double waterTableFt);

// Effective vertical stress at the middle of a layer, as the decomposed-rock method uses
// it: the mean unit weight of each layer over its thickness, half the layer's own.
double midLayerStressPsf(const SoilProfile &profile, std::size_t index, double waterTableFt);

// Missing data found at a step; each has its message for the run-time file.
struct StepDataCheck {
    bool sandStrengthMissing = false; // sand without N and friction angle
    bool unitWeightMissing = false;   // codes 1, 2, 3, 5 below 50 pcf
    bool operator==(const StepDataCheck &) const = default;
};
StepDataCheck checkStepData(const SoilLayer &layer, double distanceFt);

// The depth that the intermediate-geomaterial methods relate their stresses to: the design
// depth in design-depth runs, else the middle of the layer plus TOPLEN.
double referenceDepthFt(const InputData &input, const SoilLayer &layer);

} // namespace vorna
