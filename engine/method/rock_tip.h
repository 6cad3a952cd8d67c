// Load-settlement curves of shafts whose tip lies in rock or an intermediate geomaterial:
// the decomposed-rock, weak-rock and strong-rock socket methods. Each gives one curve of
// 15 points in output units; they do no I/O.
#pragma once

#include "input/input_data.h"
#include "method/settlement_curve.h"
#include "method/soil_type.h"

#include <functional>
#include <vector>

namespace vorna {

// Values of the tip layer (top and bottom of the layer), read at a depth inside it.
struct TipLayerValues {
    double topFt = 0.0; // layer limits, snapped
    double bottomFt = 0.0;
    TopBottom BDS{};        // socket diameter, ft
    TopBottom BLOWS{};      // SPT N (decomposed rock)
    TopBottom modulusTsf{}; // decomposed rock: the layer's (gravel) modulus, tsf
};

// Linear between the layer's top and bottom values; a layer without thickness keeps its
// top value.
double valueAtDepth(const TopBottom &values, double topFt, double bottomFt, double depthFt);

// Cohesionless intermediate geomaterial (code 5).
struct DecomposedRockTipInput {
    UnitSystem unitSystem = UnitSystem::English;
    double stemDiameterFt = 0.0; // D
    double DSTART = 0.0;         // first stem diameter, ft
    double EcTsf = 0.0;          // `Ec`, tsf
    double referenceDepthFt = 0.0;
    TipLayerValues tipLayer;
    double midLayerStressPsf = 0.0;  // effective vertical stress at the tip layer's middle
    double walkStressPsf = 0.0;      // effective vertical stress at the end of the walk
    double deepestWalkDepthFt = 0.0; // deepest depth the walk reached
    double sideResistanceTons = 0.0; // QS of the design row
};

struct DecomposedRockModulus {
    double EsPsf = 0.0;
    double ratio = 1.0; // rho: mean over bottom modulus, or N top over N bottom
};
// Soil modulus: the layer's bottom modulus when one is entered, else from N.
DecomposedRockModulus decomposedRockModulus(const TipLayerValues &layer, double N);

SettlementCurve decomposedRockCurve(const DecomposedRockTipInput &input);

// Cohesive intermediate geomaterial (code 6). The side and base stresses come from the
// weak-rock method of the side-resistance module, evaluated for a socket of the given
// length at the given socket movement (both ft), with the intact modulus restarted.
struct WeakRockStress {
    double sideStressPsf = 0.0; // fa times Kf, fa including the joint factor
    double baseStressPsf = 0.0; // qb, at most 2.5 qu
};
using WeakRockMethod =
    std::function<WeakRockStress(double socketLengthFt, double socketMovementFt)>;

struct WeakRockTipInput {
    UnitSystem unitSystem = UnitSystem::English;
    double stemDiameterFt = 0.0;
    double DSTART = 0.0;
    double EcTsf = 0.0;
    double referenceDepthFt = 0.0;
    double weakRockTopFt = 0.0;         // zt: bottom of the last layer above the weak rock
    TipLayerValues tipLayer;            // BDS read at the reference depth
    double firstWeakRockSideTons = 0.0; // QS at the first weak-rock step
    double sideResistanceTons = 0.0;    // QS of the design row
    WeakRockMethod method;
};

// Socket movements of the 15 points, ft: a geometric series, then 1.25, 2.5 and 5 % of Bs.
std::array<double, kSettlementPoints> weakRockSocketMovementsFt(double socketDiameterFt);

SettlementCurve weakRockCurve(const WeakRockTipInput &input);

// Strong rock (codes 4 and 7) under soil. One entry per layer of the layer summary, top
// down to the tip layer.
struct RockTipLayer {
    SoilType soil = SoilType::Sand;
    double depthFt = 0.0;            // depth of the last step (tip layer: design length
                                     // less `BS` and the bell height)
    double sideResistanceTons = 0.0; // QS at that step
    TopBottom RQD{};                 // rock layers only, %
    TopBottom intactModulusTsf{};    // rock layers only
};

struct StrongRockTipInput {
    UnitSystem unitSystem = UnitSystem::English;
    double stemDiameterFt = 0.0;
    double DSTART = 0.0;
    double EcTsf = 0.0;
    double tipSocketDiameterFt = 0.0; // top `BDS` of the tip layer
    double baseResistanceTons = 0.0;  // QB of the design row
    std::vector<RockTipLayer> layers;
};

// The rock the socket is in: the unbroken run of rock layers that ends at the tip.
struct RockZone {
    std::size_t firstLayer = 0;
    double lengthFt = 0.0; // Lr
    double topFt = 0.0;    // zr
    double meanRqd = 0.0;
    double meanIntactModulusTsf = 0.0;
};
RockZone strongRockZone(const std::vector<RockTipLayer> &layers);

// Pass 1 (lower-bound soil curves) fills the top columns, pass 2 (upper bound) the tip
// columns.
SettlementCurve strongRockCurve(const StrongRockTipInput &input);

// Curves of the socket methods converted from ft and tons to output units.
SettlementPoint rockTipOutputUnits(const SettlementPoint &point, UnitSystem unitSystem);

} // namespace vorna
