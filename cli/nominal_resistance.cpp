#include "nominal_resistance.h"

namespace vorna::cli {

namespace {
constexpr double kInPerFt = 12.0;
}

double nominalSettlement(double baseDiameter, bool si)
{
    return kNominalSettlementRatio * baseDiameter * (si ? 1.0 : kInPerFt);
}

std::optional<double> loadAtSettlement(const std::vector<SettlementPoint> &curve, double settlement)
{
    double lastMovement = 0.0;
    double lastLoad = 0.0;
    for (const SettlementPoint &p : curve) {
        // The first stretch of the curve that reaches the settlement; a stretch that does not
        // move the head (equal movements) cannot be interpolated on and is passed over.
        if (p.topMovement >= settlement && p.topMovement > lastMovement) {
            const double share = (settlement - lastMovement) / (p.topMovement - lastMovement);
            return lastLoad + share * (p.topLoad - lastLoad);
        }
        lastMovement = p.topMovement;
        lastLoad = p.topLoad;
    }
    return std::nullopt;
}

} // namespace vorna::cli
