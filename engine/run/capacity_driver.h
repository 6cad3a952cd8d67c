// The capacity-versus-depth computation: for each diameter of the series, the depth walk,
// the result rows up to the design load or design depth, the load-settlement curves of
// the design length, the plot data, and the most efficient shaft of the run.
#pragma once

#include "method/base_resistance.h"
#include "method/soil_profile.h"

#include <vector>

namespace vorna {

struct RunContext;

// What one depth step leaves at its tip position (the shaft length whose base it is).
struct StepRecord {
    bool reached = false;
    double volumeCuYd = 0.0;
    double QS = 0.0;      // tons, cumulative from TOPLEN
    double lrfdQS = 0.0;  // tons
    double sideTsf = 0.0; // f of the step
    TipRecord tip;
};

// First and last step of a layer, as the load-settlement methods need them.
struct LayerSummary {
    bool reached = false;
    std::size_t layerIndex = 0;
    SoilType soil = SoilType::Sand;
    int firstTip = 0; // tip positions (shaft lengths) of the first and last step
    int lastTip = 0;
    double firstSideTsf = 0.0;
    double lastSideTsf = 0.0;
    double lastDepthFt = 0.0;   // depth of the last step
    double lastQS = 0.0;        // tons
    double lastStressPsf = 0.0; // effective vertical stress after the last step
};

// The depth walk of one diameter through the whole profile.
struct DepthWalk {
    std::vector<StepRecord> byTip; // indexed by tip position
    std::vector<LayerSummary> layers;
    int lastTip = -1;
    double deepestDepthFt = 0.0;
    double finalStressPsf = 0.0;
    bool reachedWeakRock = false;
    double firstWeakRockQS = 0.0;
    bool weakCodeFourRock = false; // a code-4 step with rock or concrete of 1000 psi or less

    std::vector<TipRecord> tipRecords() const;
};

// Walks the profile (its limits already snapped) for one stem diameter, writing the step
// messages. `bottomLengthFt` is BS rounded to whole feet.
DepthWalk walkProfile(RunContext &run, const SoilProfile &profile, const BaseGeometry &geometry,
                      double bottomLengthFt);

// Rounds halves away from zero, as the tip positions and BS are rounded.
int nearestWholeNumber(double value);

// Runs the whole computation after the profile was prepared and echoed.
void runCapacityAnalysis(RunContext &run, const SoilProfile &profile);

} // namespace vorna
