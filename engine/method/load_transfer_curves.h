// Normalized side (t-z) and base (q-w) load-transfer curves of the load-settlement
// analysis, and its fifteen assumed tip movements.
#pragma once

#include "method/settlement_curve.h"
#include "method/soil_type.h"

#include <array>

namespace vorna {

inline constexpr int kTransferCurvePoints = 10;

// Movement as a percentage of a diameter, and the fraction of the maximum transfer (side)
// or the multiple of the ultimate base resistance (base) reached at it. Both start at 0.
struct NormalizedCurve {
    std::array<double, kTransferCurvePoints> movementPercent;
    std::array<double, kTransferCurvePoints> fraction;
};

// Side curve of a station in `soil`. Sand has the granular curves, gravelly sand and gravel
// their own two families, every other ground (clays, rock) the cohesive curves.
const NormalizedCurve &sideTransferCurve(SoilType soil, CurveCase curveCase);

// The base curve family follows the deepest layer: granular for sand and the gravels.
bool hasGranularBaseCurve(SoilType deepestLayer);
const NormalizedCurve &baseTransferCurve(SoilType deepestLayer, CurveCase curveCase);

// Tip movements in inches: twelve fixed values, then 1 %, 2.5 % and 5 % of the stem
// diameter, each at least 1.25 times the movement before it.
std::array<double, kSettlementPoints> assumedTipMovementsIn(double stemDiameterIn);

} // namespace vorna
