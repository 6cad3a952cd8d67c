// Design charts of the side and base methods, held as data tables and read by one
// function per chart rule.
#pragma once

#include <initializer_list>
#include <span>
#include <stdexcept>

namespace vorna {

// A chart read at a value that is not a finite number (a NaN or an infinity that extreme
// input carried into a method): no curve gives a value there, and an index taken from it
// would be undefined. Every chart lookup refuses such a value; the run then ends as one
// whose input the methods cannot work with.
class ChartValueNotFinite : public std::domain_error {
public:
    ChartValueNotFinite()
        : std::domain_error("A DESIGN CHART WAS READ AT A VALUE THAT IS NOT A NUMBER.")
    {}
};

// Throws ChartValueNotFinite when any of the values is not finite.
void requireFiniteChartInput(std::initializer_list<double> values);

// One curve: y against x, linear between the points; beyond either end the end value.
struct ChartCurve {
    std::span<const double> x;
    std::span<const double> y;
};
double readCurve(const ChartCurve &curve, double x);

// A family of curves, one per row value, each tabulated against the same columns;
// values are row by row. The two curves that bracket the row variable are read and
// interpolated linearly between them; below the first row value the first curve is
// used, from the last row value on the last.
struct CurveFamily {
    std::span<const double> rows;
    std::span<const double> columns;
    std::span<const double> values;
};
double readCurveFamily(const CurveFamily &family, double row, double column);

// Friction angle of sand (degrees) from the SPT blow count N and the effective vertical
// stress, read from the three curves for 0, 20 and 40 psi. No value is tabulated for
// N of 0 or less (0 is returned) nor beyond the last blow count of a curve (45).
double frictionAngleFromNDeg(double blowCountN, double effectiveStressPsf);

// Weak-rock (cohesive intermediate geomaterial) charts.

// Fluid-pressure factor M of the fresh concrete, from the depth of the concrete head
// (ft) and the slump (in).
double slumpFactor(double concreteHeadFt, double slumpIn);

// Interface factor alpha of smooth sockets, from sigma_n / pa and the rock strength (psf).
double smoothSocketAlpha(double normalStressOverPa, double rockStrengthPsf);

// Ratio n of smooth sockets, from Em / sigma_n (both psf) and qu / pa.
double smoothSocketRatioN(double massModulusOverNormalStress, double rockStrengthOverPa);

// Em/Ei from the RQD (%), for closed or open joints.
double massModulusRatio(double rqdPercent, bool openJoints);

// Reduction of the interface strength from Em/Ei (the joint factor).
double jointFactor(double massModulusRatio);

} // namespace vorna
