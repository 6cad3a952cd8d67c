// The load-settlement curve of one diameter and case: 15 points of the shaft head and tip,
// in output units (tons and inches for English runs, kN and metres for SI runs).
#pragma once

#include "vornacalc/results.h"

#include <array>

namespace vorna {

inline constexpr int kSettlementPoints = 15;

using SettlementCurve = std::array<SettlementPoint, kSettlementPoints>;

// The three curve families of the load-transfer analysis, in the order they are run and
// written to the plot data file.
enum class CurveCase { Trend = 1, UpperBound = 2, LowerBound = 3 };

} // namespace vorna
