#include "method/load_transfer_curves.h"

namespace vorna {
namespace {

using Row = std::array<double, kTransferCurvePoints>;

// One table: its movements and the trend, upper-bound and lower-bound fractions.
struct CurveFamily {
    NormalizedCurve trend;
    NormalizedCurve upper;
    NormalizedCurve lower;

    const NormalizedCurve &of(CurveCase curveCase) const
    {
        switch (curveCase) {
        case CurveCase::Trend:
            return trend;
        case CurveCase::UpperBound:
            return upper;
        case CurveCase::LowerBound:
            return lower;
        }
        return trend;
    }
};

constexpr CurveFamily family(const Row &movement, const Row &trend, const Row &upper,
                             const Row &lower)
{
    return {{movement, trend}, {movement, upper}, {movement, lower}};
}

const CurveFamily kCohesiveSide =
    family({0, 0.1, 0.2, 0.3, 0.5, 0.6, 0.8, 1.2, 1.6, 2.0},
           {0, 0.51, 0.72, 0.9, 0.925, 0.945, 0.955, 0.925, 0.9, 0.835},
           {0, 0.74, 0.92, 0.97, 1.01, 1.02, 1.02, 1.0, 0.96, 0.92},
           {0, 0.29, 0.52, 0.7, 0.84, 0.87, 0.89, 0.85, 0.8, 0.75});

const CurveFamily kGranularSide =
    family({0, 0.1, 0.2, 0.3, 0.5, 0.6, 0.8, 1.2, 1.6, 10.0},
           {0, 0.335, 0.58, 0.72, 0.86, 0.91, 0.95, 0.965, 0.96, 0.95},
           {0, 0.45, 0.76, 0.9, 0.98, 1.0, 1.0, 1.0, 1.0, 1.0},
           {0, 0.22, 0.4, 0.54, 0.74, 0.82, 0.9, 0.93, 0.92, 0.9});

// Gravelly soils mobilise their side resistance over larger movements and do not soften.
const CurveFamily kGravellySandSide =
    family({0, 0.1, 0.2, 0.3, 0.5, 0.8, 1.2, 1.6, 2.2, 10.0},
           {0, 0.15, 0.25, 0.34, 0.52, 0.67, 0.81, 0.88, 0.97, 0.999},
           {0, 0.32, 0.43, 0.52, 0.67, 0.8, 0.9, 0.95, 1.0, 1.0},
           {0, 0.06, 0.15, 0.22, 0.33, 0.49, 0.65, 0.75, 0.88, 1.0});

const CurveFamily kGravelSide = family({0, 0.1, 0.2, 0.3, 0.5, 0.8, 1.2, 1.6, 2.2, 10.0},
                                       {0, 0.23, 0.36, 0.44, 0.58, 0.7, 0.82, 0.9, 0.999, 0.999},
                                       {0, 0.3, 0.45, 0.55, 0.74, 0.86, 0.92, 0.97, 1.0, 1.0},
                                       {0, 0.15, 0.29, 0.36, 0.46, 0.57, 0.7, 0.82, 0.96, 0.99});

const CurveFamily kGranularBase =
    family({0, 0.5, 1.0, 1.5, 2.5, 3.0, 4.0, 5.0, 7.0, 10.0},
           {0, 0.175, 0.345, 0.485, 0.64, 0.73, 0.88, 1.015, 1.195, 1.46},
           {0, 0.25, 0.48, 0.67, 0.76, 0.84, 0.96, 1.08, 1.28, 1.61},
           {0, 0.1, 0.21, 0.3, 0.52, 0.62, 0.8, 0.95, 1.11, 1.32});

const CurveFamily kCohesiveBase =
    family({0, 0.5, 1.0, 1.5, 2.5, 3.0, 4.0, 5.0, 7.0, 10.0},
           {0, 0.395, 0.56, 0.7, 0.865, 0.9, 0.95, 0.97, 0.98, 0.991},
           {0, 0.59, 0.75, 0.86, 0.96, 0.98, 0.995, 0.995, 0.994, 0.992},
           {0, 0.2, 0.37, 0.54, 0.77, 0.82, 0.9, 0.94, 0.97, 0.99});

const CurveFamily &sideFamily(SoilType soil)
{
    switch (soil) {
    case SoilType::Sand:
        return kGranularSide;
    case SoilType::GravellySand:
        return kGravellySandSide;
    case SoilType::Gravel:
        return kGravelSide;
    case SoilType::Clay:
    case SoilType::ClayShale:
    case SoilType::StrongRockSideOrBase:
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
        return kCohesiveSide;
    }
    return kCohesiveSide;
}

} // namespace

const NormalizedCurve &sideTransferCurve(SoilType soil, CurveCase curveCase)
{
    return sideFamily(soil).of(curveCase);
}

bool hasGranularBaseCurve(SoilType deepestLayer)
{
    return isGranular(deepestLayer);
}

const NormalizedCurve &baseTransferCurve(SoilType deepestLayer, CurveCase curveCase)
{
    return (hasGranularBaseCurve(deepestLayer) ? kGranularBase : kCohesiveBase).of(curveCase);
}

std::array<double, kSettlementPoints> assumedTipMovementsIn(double stemDiameterIn)
{
    std::array<double, kSettlementPoints> movements{0.00001, 0.00005, 0.0001, 0.005, 0.0075, 0.01,
                                                    0.025,   0.05,    0.075,  0.1,   0.25,   0.5};
    const double diameterFractions[] = {0.01, 0.025, 0.05};
    for (int i = 0; i < 3; ++i) {
        const double previous = movements[static_cast<std::size_t>(11 + i)];
        const double movement = diameterFractions[i] * stemDiameterIn;
        movements[static_cast<std::size_t>(12 + i)] =
            movement < 1.25 * previous ? 1.25 * previous : movement;
    }
    return movements;
}

} // namespace vorna
