#include "method/rock_socket_charts.h"

#include "method/charts.h"

#include <array>
#include <cmath>

namespace vorna {
namespace {

template <std::size_t N>
double readLinear(const std::array<double, N> &x, const std::array<double, N> &y, double at)
{
    if (at <= x.front())
        return y.front();
    if (at >= x.back())
        return y.back();
    std::size_t k = 1;
    while (x[k] < at)
        ++k;
    return y[k - 1] + (at - x[k - 1]) * (y[k] - y[k - 1]) / (x[k] - x[k - 1]);
}

constexpr std::array<double, 12> kRqd{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100};
constexpr std::array<double, 12> kRqdFactor{0.1,  0.105, 0.11, 0.12, 0.13, 0.14,
                                            0.17, 0.2,   0.47, 0.73, 0.85, 1.0};

constexpr std::array<double, 10> kLengthRatio{0, 1, 2, 4, 5, 6, 8, 10, 12, 20};
using InfluenceCurve = std::array<double, 10>;
constexpr std::array<double, 4> kModulusRatio{10, 50, 100, 5000};
constexpr std::array<InfluenceCurve, 4> kInfluence{{
    {1.1, 0.5, 0.44, 0.395, 0.385, 0.375, 0.373, 0.37, 0.367, 0.365},
    {1.1, 0.45, 0.35, 0.28, 0.26, 0.24, 0.23, 0.215, 0.205, 0.2},
    {1.1, 0.43, 0.34, 0.255, 0.235, 0.21, 0.19, 0.18, 0.16, 0.155},
    {1.1, 0.4, 0.33, 0.23, 0.21, 0.19, 0.16, 0.13, 0.11, 0.085},
}};

// Fractions at w/D = 0, 0.1 %, ..., 2.0 %.
using WalkRow = std::array<double, 21>;
constexpr WalkRow kGranularLower{0,    0.22, 0.4,  0.54, 0.67, 0.74, 0.82, 0.87, 0.9, 0.92, 0.93,
                                 0.93, 0.93, 0.93, 0.92, 0.92, 0.92, 0.91, 0.91, 0.9, 0.9};
constexpr WalkRow kGranularUpper{0,   0.45, 0.76, 0.9, 0.95, 0.98, 1.0, 1.0, 1.0, 1.0, 1.0,
                                 1.0, 1.0,  1.0,  1.0, 1.0,  1.0,  1.0, 1.0, 1.0, 1.0};
constexpr WalkRow kCohesiveLower{0,    0.29, 0.52, 0.7,  0.78, 0.84, 0.87, 0.89, 0.89, 0.88, 0.87,
                                 0.86, 0.85, 0.84, 0.83, 0.82, 0.8,  0.78, 0.77, 0.76, 0.75};
constexpr WalkRow kCohesiveUpper{0,   0.74, 0.92, 0.97, 1.0,  1.01, 1.02, 1.02, 1.02, 1.01, 1.01,
                                 1.0, 1.0,  0.99, 0.98, 0.97, 0.96, 0.95, 0.94, 0.93, 0.92};
constexpr double kWalkStep = 0.001;

bool hasGranularWalk(SoilType soil)
{
    switch (soil) {
    case SoilType::Sand:
    case SoilType::GravellySand:
    case SoilType::Gravel:
        return true;
    case SoilType::Clay:
    case SoilType::ClayShale:
    case SoilType::StrongRockSideOrBase:
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
        return false;
    }
    return false;
}

} // namespace

double rqdModulusFactor(double rqdPercent)
{
    requireFiniteChartInput({rqdPercent});
    return readLinear(kRqd, kRqdFactor, rqdPercent);
}

double socketInfluenceFactor(double lengthRatio, double modulusRatio)
{
    requireFiniteChartInput({lengthRatio, modulusRatio});
    const auto curve = [&](std::size_t i) {
        return readLinear(kLengthRatio, kInfluence[i], lengthRatio);
    };
    if (modulusRatio < kModulusRatio.front())
        return lengthRatio >= kLengthRatio.back() ? 0.385 : curve(0);
    if (modulusRatio >= kModulusRatio.back())
        return curve(kModulusRatio.size() - 1);
    std::size_t high = 1;
    while (kModulusRatio[high] <= modulusRatio)
        ++high;
    const double low = curve(high - 1);
    return low - (modulusRatio - kModulusRatio[high - 1]) * (low - curve(high)) /
                     (kModulusRatio[high] - kModulusRatio[high - 1]);
}

double walkTransferFraction(SoilType soil, bool upperBound, double movementRatio)
{
    // A NaN would pass both range checks below and become an index.
    requireFiniteChartInput({movementRatio});
    const WalkRow &row = hasGranularWalk(soil) ? (upperBound ? kGranularUpper : kGranularLower)
                                               : (upperBound ? kCohesiveUpper : kCohesiveLower);
    if (movementRatio <= 0.0)
        return row.front();
    const double position = movementRatio / kWalkStep;
    if (position >= static_cast<double>(row.size() - 1))
        return row.back();
    // The grid is uniform, so the bracketing points follow from the position itself.
    const auto k = static_cast<std::size_t>(std::floor(position));
    return row[k] + (position - static_cast<double>(k)) * (row[k + 1] - row[k]);
}

} // namespace vorna
