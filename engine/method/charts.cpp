#include "method/charts.h"

#include "method/units.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <optional>

namespace vorna {

void requireFiniteChartInput(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!std::isfinite(value))
            throw ChartValueNotFinite();
    }
}

double readCurve(const ChartCurve &curve, double x)
{
    requireFiniteChartInput({x});
    assert(curve.x.size() == curve.y.size() && !curve.x.empty());
    if (x <= curve.x.front())
        return curve.y.front();
    if (x >= curve.x.back())
        return curve.y.back();
    std::size_t k = 1;
    while (curve.x[k] < x)
        ++k;
    const double fraction = (x - curve.x[k - 1]) / (curve.x[k] - curve.x[k - 1]);
    return curve.y[k - 1] + fraction * (curve.y[k] - curve.y[k - 1]);
}

double readCurveFamily(const CurveFamily &family, double row, double column)
{
    requireFiniteChartInput({row, column});
    const std::size_t columns = family.columns.size();
    assert(family.values.size() == family.rows.size() * columns);
    const auto curveAt = [&](std::size_t r) {
        return readCurve({family.columns, family.values.subspan(r * columns, columns)}, column);
    };
    if (row <= family.rows.front())
        return curveAt(0);
    if (row >= family.rows.back())
        return curveAt(family.rows.size() - 1);
    std::size_t k = 1;
    while (family.rows[k] < row)
        ++k;
    const double fraction = (row - family.rows[k - 1]) / (family.rows[k] - family.rows[k - 1]);
    const double lower = curveAt(k - 1);
    return lower + fraction * (curveAt(k) - lower);
}

namespace {

// Friction angle chart: blow counts of the grid and the three curves (degrees).
constexpr std::array<double, 21> kBlowCountGrid = {0,  2,  4,  6,  10, 15, 20, 25, 30, 35, 40,
                                                   45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr std::array<double, 7> kCurveAtZeroPsi = {0, 32, 34, 36, 38, 42, 45};
constexpr std::array<double, 14> kCurveAt20Psi = {0,  0,  0,  30, 32, 34, 36,
                                                  37, 39, 40, 41, 42, 44, 45};
constexpr std::array<double, 21> kCurveAt40Psi = {0,  0,  0,  0,  31, 32, 34, 35, 36, 36, 37,
                                                  38, 39, 39, 40, 41, 42, 42, 43, 44, 45};
constexpr double kAngleBeyondChartDeg = 45.0;

// Reads a friction-angle curve at N between grid positions first and last (1-based):
// the first position whose blow count is N or more, interpolated with the one before.
// Empty when N lies beyond the last position.
template <std::size_t Size>
std::optional<double> readFrictionCurve(const std::array<double, Size> &curve, double blowCountN,
                                        std::size_t first, std::size_t last)
{
    assert(last <= Size);
    for (std::size_t k = first; k <= last; ++k) {
        const std::size_t i = k - 1;
        if (kBlowCountGrid[i] < blowCountN)
            continue;
        if (i == 0)
            return curve[0];
        const double fraction =
            (blowCountN - kBlowCountGrid[i - 1]) / (kBlowCountGrid[i] - kBlowCountGrid[i - 1]);
        return curve[i - 1] + fraction * (curve[i] - curve[i - 1]);
    }
    return std::nullopt;
}

} // namespace

double frictionAngleFromNDeg(double blowCountN, double effectiveStressPsf)
{
    requireFiniteChartInput({blowCountN, effectiveStressPsf});
    const double N = blowCountN;
    if (N <= 0.0)
        return 0.0;
    const double q = psfToPsi(effectiveStressPsf);

    if (q >= 40.0) {
        if (N <= 10.0)
            return 3.0 * N;
        return readFrictionCurve(kCurveAt40Psi, N, 5, 21).value_or(kAngleBeyondChartDeg);
    }
    if (q > 20.0) {
        if (N <= 6.0)
            return 5.0 * N;
        if (N < 10.0)
            return 30.0 + (N - 6.0) / 2.0;
        if (N <= 55.0) {
            const double b = *readFrictionCurve(kCurveAt20Psi, N, 5, 14);
            const double c = *readFrictionCurve(kCurveAt40Psi, N, 5, 15);
            return b - (q - 20.0) * (b - c) / 20.0;
        }
        const auto c = readFrictionCurve(kCurveAt40Psi, N, 15, 21);
        if (!c)
            return kAngleBeyondChartDeg;
        return *c + (40.0 - q) * (kAngleBeyondChartDeg - *c) / 20.0;
    }
    if (N < 6.0) {
        const double a = *readFrictionCurve(kCurveAtZeroPsi, N, 1, 4);
        return a - (q / 20.0) * (a - 30.0);
    }
    if (N <= 20.0) {
        const double a = *readFrictionCurve(kCurveAtZeroPsi, N, 4, 7);
        const double b = *readFrictionCurve(kCurveAt20Psi, N, 4, 7);
        return a - (a - b) * q / 20.0;
    }
    const auto b = readFrictionCurve(kCurveAt20Psi, N, 7, 14);
    if (!b)
        return kAngleBeyondChartDeg;
    return *b + (20.0 - q) * (kAngleBeyondChartDeg - *b) / 20.0;
}

namespace {

// Slump chart: M against the slump (in), one curve per concrete head (ft).
constexpr std::array<double, 4> kSlumpHeadFt = {0.0, 13.12, 26.25, 39.37};
constexpr std::array<double, 3> kSlumpIn = {5.0, 6.89, 8.86};
constexpr std::array<double, 12> kSlumpM = {
    1.0,  1.0,  1.0, //
    0.52, 0.96, 1.0, //
    0.47, 0.75, 1.0, //
    0.35, 0.65, 0.9, //
};

// Alpha of smooth sockets against qu (psf), one curve per sigma_n / pa.
constexpr std::array<double, 7> kAlphaNormalStressOverPa = {1, 2, 3, 4, 5, 6, 7};
constexpr std::array<double, 6> kAlphaRockStrengthPsf = {10415, 20830, 41660, 62490, 83320, 104150};
constexpr std::array<double, 42> kAlpha = {
    0.2,  0.145, 0.107, 0.085, 0.07,  0.066, //
    0.34, 0.235, 0.16,  0.14,  0.118, 0.1,   //
    0.45, 0.3,   0.208, 0.16,  0.14,  0.122, //
    0.5,  0.36,  0.245, 0.185, 0.155, 0.14,  //
    0.5,  0.4,   0.26,  0.21,  0.16,  0.15,  //
    0.5,  0.44,  0.275, 0.22,  0.168, 0.153, //
    0.5,  0.47,  0.29,  0.225, 0.172, 0.156, //
};

// n of smooth sockets against qu / pa, one curve per Em / sigma_n.
constexpr std::array<double, 8> kRatioNModulusOverStress = {400,  500,  600,  1000,
                                                            1500, 2000, 3000, 4000};
constexpr std::array<double, 6> kRatioNStrengthOverPa = {5, 14, 24, 28, 36, 48};
constexpr std::array<double, 48> kRatioN = {
    0.5,   0.5,   0.472, 0.458, 0.43, 0.4,   //
    0.5,   0.48,  0.42,  0.4,   0.36, 0.3,   //
    0.5,   0.45,  0.375, 0.345, 0.29, 0.21,  //
    0.46,  0.38,  0.29,  0.26,  0.18, 0.08,  //
    0.42,  0.35,  0.255, 0.22,  0.15, 0.05,  //
    0.405, 0.375, 0.145, 0.11,  0.04, 0.018, //
    0.4,   0.24,  0.075, 0.0,   0.0,  0.0,   //
    0.4,   0.22,  0.0,   0.0,   0.0,  0.0,   //
};

constexpr std::array<double, 4> kRqdPercent = {20, 50, 70, 100};
constexpr std::array<double, 4> kMassModulusClosedJoints = {0.05, 0.15, 0.7, 1.0};
constexpr std::array<double, 4> kMassModulusOpenJoints = {0.05, 0.1, 0.3, 0.6};

constexpr std::array<double, 6> kJointModulusRatio = {0.02, 0.05, 0.1, 0.3, 0.5, 1.0};
constexpr std::array<double, 6> kJointFactor = {0.3, 0.45, 0.55, 0.7, 0.8, 1.0};

} // namespace

double slumpFactor(double concreteHeadFt, double slumpIn)
{
    return readCurveFamily({kSlumpHeadFt, kSlumpIn, kSlumpM}, concreteHeadFt, slumpIn);
}

double smoothSocketAlpha(double normalStressOverPa, double rockStrengthPsf)
{
    return readCurveFamily({kAlphaNormalStressOverPa, kAlphaRockStrengthPsf, kAlpha},
                           normalStressOverPa, rockStrengthPsf);
}

double smoothSocketRatioN(double massModulusOverNormalStress, double rockStrengthOverPa)
{
    return readCurveFamily({kRatioNModulusOverStress, kRatioNStrengthOverPa, kRatioN},
                           massModulusOverNormalStress, rockStrengthOverPa);
}

double massModulusRatio(double rqdPercent, bool openJoints)
{
    return readCurve({kRqdPercent, openJoints ? std::span<const double>(kMassModulusOpenJoints)
                                              : std::span<const double>(kMassModulusClosedJoints)},
                     rqdPercent);
}

double jointFactor(double massModulusRatio)
{
    return readCurve({kJointModulusRatio, kJointFactor}, massModulusRatio);
}

} // namespace vorna
