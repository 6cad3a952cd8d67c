// Side resistance: the ultimate unit side resistance of each ground type at a step of the
// depth walk, its limits, the perimeter, and the cumulative QS and LRFD QS.
#pragma once

#include "input/input_data.h"
#include "method/soil_profile.h"

#include <cstddef>
#include <optional>

namespace vorna {

// Automatic side coefficients (layers whose two coefficients were left at zero).

// Clay and clay shale, alpha method: 0.55, lowered between 1.5 and 2.5 atmospheres of
// undrained shear strength.
double alphaClay(double undrainedShearStrengthPsf);
// Sand, beta method: falls with the square root of depth, scaled down below N = 15;
// limited to 0.25 to 1.2.
double betaSand(double depthFt, double blowCountN);
// Gravelly sand (depth in metres inside the fit): limited to 0.25 to 1.8.
double betaGravellySand(double depthFt);
// Gravel (depth in metres inside the fit): limited to 0.25 to 3.0.
double betaGravel(double depthFt);
// The common limit of the other automatic coefficients: 0.25 to 1.2 (a zero K is 0.25).
double limitedSideCoefficient(double coefficient);

// Rock socket (codes 4 and 7): the strength and coefficient of f = c * s. Above 280 psi
// (40320 psf) f = 2.5 * sqrt(qu) in psi, below f = 0.15 * qu. qu is the weaker of rock and
// concrete. Code 4 takes either side friction or end bearing: in compression, rock above
// 1000 psi gives no side resistance.
struct RockSideStrength {
    double strengthPsf = 0.0;
    double coefficient = 0.0;
    bool operator==(const RockSideStrength &) const = default;
};
RockSideStrength rockSideStrength(double rockStrengthPsf, double concreteStrengthPsf, SoilType type,
                                  LoadingType loading);

// f limited by the maximum load transfer of the layer; a limit of 0.2 psf or less (negative
// included) does not limit.
double limitedByMaxTransferTsf(double unitSideResistanceTsf, double maxTransferPsf);

// The socket diameter of the current stem: the entered socket scales with the stem.
double scaledSocketDiameterFt(double socketDiameterFt, double stemDiameterFt,
                              double smallestDiameterFt);

// Perimeter of the step: the scaled socket for rock codes 4 to 7 (the stem when that is
// nil), the stem otherwise.
double sidePerimeterFt(SoilType type, double scaledSocketDiameterFt, double stemDiameterFt);

// Unit side and base resistance of an intermediate geomaterial at a step.
struct GeomaterialStep {
    double unitSideResistancePsf = 0.0;
    double baseResistanceTons = 0.0;
    double mobilisedSidePsf = 0.0; // weak rock: fa Kf, rough or smooth
    double baseStressPsf = 0.0;    // weak rock: qb, at most 2.5 qu
};

// Decomposed rock (cohesionless intermediate geomaterial) from the effective vertical
// stress, N and the socket diameter. Empty when the stress is not above zero.
std::optional<GeomaterialStep> decomposedRockStep(double effectiveStressPsf, double blowCountN,
                                                  double socketDiameterFt);

// Weak rock (cohesive intermediate geomaterial).
struct WeakRockInput {
    double slumpIn = 0.0;
    double rqdPercent = 0.0;
    double interfaceFrictionDeg = 0.0;
    double rockStrengthPsf = 0.0;  // qu
    int interfaceCondition = 1;    // 1 rough closed, 2 smooth closed, 3 rough open, 4 smooth open
    double socketDiameterFt = 0.0; // scaled with the stem
    double socketLengthFt = 0.0;
    double concreteHeadFt = 0.0;   // depth of fluid concrete acting on the socket wall
    double intactModulusTsf = 0.0; // Ei
    double shaftModulusTsf = 0.0;  // Ec
    double displacementFt = 0.0;   // socket movement; 0 takes 5 % of the socket diameter
};
// Preconditions (checked on the input): qu, Ei, Ec, the socket diameter and length above 0;
// smooth sockets with an interface friction angle between 0 and 90 degrees.
GeomaterialStep weakRockStep(const WeakRockInput &input);

// Socket length of a weak-rock step: below the top of the first weak or strong rock layer
// (codes 6 and 7), at least the layer's bottom socket diameter scaled with the stem like
// every other use of it, so a shaft's result does not depend on the first diameter.
double weakRockSocketLengthFt(const SoilProfile &profile, std::size_t layerIndex, double depthFt,
                              double stemDiameterFt, double smallestDiameterFt);
// Head of fluid concrete: half-way between that rock top and the reference depth, 0 to 40 ft.
double concreteHeadFt(const SoilProfile &profile, std::size_t layerIndex, double referenceDepthFt);

// The weak-rock values of a layer at a distance below its top, with the socket diameter
// in force and the concrete head of the layer; the socket length is left to the caller.
WeakRockInput weakRockLayerInput(const InputData &input, const SoilProfile &profile,
                                 std::size_t layerIndex, double distanceFt,
                                 double socketDiameterFt);
// Top of the rock a weak-rock socket is measured from: the first layer of code 6 or 7 down
// to the layer; none when there is no such layer.
std::optional<double> weakRockTopFt(const SoilProfile &profile, std::size_t layerIndex);

// The running mean of the intact-rock modulus over the weak-rock steps of a diameter.
struct RunningMean {
    double sum = 0.0;
    int count = 0;
    void add(double value)
    {
        sum += value;
        ++count;
    }
    double mean() const { return count > 0 ? sum / count : 0.0; }
};

// Where a step lies and what the walk carries to it.
struct SideStepInput {
    std::size_t layerIndex = 0;
    double depthFt = 0.0;              // z, at the bottom of the step
    double distanceFt = 0.0;           // below the layer top, for interpolation
    EffectiveStress stress;            // after the step
    double stemDiameterFt = 0.0;       // D
    double intactModulusMeanTsf = 0.0; // weak rock: Ei, the running mean including this step
};

struct SideStep {
    double unitSideResistanceTsf = 0.0; // f, after every limit
    double perimeterFt = 0.0;
    double coefficient = 0.0;            // K, beta, alpha or the rock coefficient in force
    double geomaterialBaseTons = 0.0;    // decomposed and weak rock: the step's base resistance
    bool clayNValueWarning = false;      // clay without cu: N used
    bool gravelCriterionWarning = false; // gravels with N of 25 or less
    bool noEffectiveStress = false;      // decomposed rock with no positive stress: run stops
};

// Unit side resistance at a step, by the method of the layer's ground type. Never negative.
SideStep sideResistanceStep(const InputData &input, const SoilProfile &profile,
                            const SideStepInput &step);

// QS and LRFD QS, cumulative from TOPLEN down; a step is one foot long.
struct SideTotals {
    double QS = 0.0;     // tons
    double lrfdQS = 0.0; // tons
    bool operator==(const SideTotals &) const = default;
};
SideTotals accumulatedSide(const SideTotals &totals, const SideStep &step, double lrfdSideFactor);

} // namespace vorna
