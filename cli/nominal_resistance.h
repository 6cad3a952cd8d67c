// Nominal resistance of a shaft: the head load at a head settlement of 5 % of the base
// diameter, read off a load-settlement curve.
#pragma once

#include "vornacalc/results.h"

#include <optional>
#include <vector>

namespace vorna::cli {

inline constexpr double kNominalSettlementRatio = 0.05; // of the base diameter

// Head settlement of 5 % of the base diameter, in the curves' movement units: inches for
// English runs (base diameter in ft), metres for SI runs (base diameter in m).
double nominalSettlement(double baseDiameter, bool si);

// The head load at `settlement`, interpolated linearly between the curve's points, which
// start from an unloaded head (0, 0). Empty ("not reached") when the curve ends before it.
std::optional<double> loadAtSettlement(const std::vector<SettlementPoint> &curve,
                                       double settlement);

} // namespace vorna::cli
