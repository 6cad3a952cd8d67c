#include "profile_checks.h"

#include "base_resistance.h"
#include "fixed_field.h"
#include "capacity_table.h"
#include "input_data.h"
#include "run_context.h"
#include "soil_profile.h"
#include "units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorna {

namespace {

using Lines = std::vector<std::string>;

struct Units {
    bool si;
    std::string length(double ft) const
    {
        return numberText(si ? ft / kFtPerM : ft) + (si ? " M" : " FT");
    }
    std::string stress(double psf) const
    {
        return numberText(si ? psf / kPsfPerKPa : psf) + (si ? " KN/SQ M" : " LB/SQ FT");
    }
    // A limit snapped to whole feet: the feet are named in SI too, since they are whole.
    std::string snapped(double ft) const
    {
        return si ? length(ft) + " = " + numberText(ft) + " FT" : length(ft);
    }
    std::string modulus(double entered) const
    {
        return numberText(entered) + (si ? " KN/SQ M" : " LB/SQ IN");
    }
};

const char *endText(int end)
{
    return end == kTop ? "AT THE TOP" : "AT THE BOTTOM";
}

std::optional<Lines> shaftFault(const InputData &in, const Units &u)
{
    if (!(in.DSTART > 0.0))
        return Lines{"THE SMALLEST SHAFT DIAMETER DSTART IS " + u.length(in.DSTART) + ".",
                     "EXPECTED: A DIAMETER ABOVE 0."};
    if (!(in.DIALIM <= kMaxDiameterFt))
        return Lines{"THE LARGEST SHAFT DIAMETER DIALIM IS " + u.length(in.DIALIM) + ".",
                     "EXPECTED: A DIAMETER OF AT MOST " + u.length(kMaxDiameterFt) + "."};
    if (!(in.RATIO <= kMaxBellRatio))
        return Lines{"THE BASE TO STEM DIAMETER RATIO IS " + numberText(in.RATIO) + ".",
                     "EXPECTED: A RATIO OF AT MOST " + numberText(kMaxBellRatio) + "."};
    if (!(in.TOPLEN >= 0.0 && in.TOPLEN <= kMaxProfileDepthFt))
        return Lines{"THE TOP LENGTH WITHOUT SIDE RESISTANCE TOPLEN IS " + u.length(in.TOPLEN) + ".",
                     "EXPECTED: A LENGTH FROM 0 TO " + u.length(kMaxProfileDepthFt) + "."};
    if (!(in.BS >= 0.0 && in.BS <= kMaxProfileDepthFt))
        return Lines{"THE BOTTOM LENGTH WITHOUT SIDE RESISTANCE BS IS " + u.length(in.BS) + ".",
                     "EXPECTED: A LENGTH FROM 0 TO " + u.length(kMaxProfileDepthFt) + "."};
    if (!(in.outputIncrement >= kMinOutputIncrement))
        return Lines{"THE OUTPUT INCREMENT IS " + u.length(in.outputIncrement * (u.si ? kFtPerM : 1.0)) +
                         ".",
                     "EXPECTED: AN INCREMENT OF AT LEAST " + numberText(kMinOutputIncrement) +
                         (u.si ? " M." : " FT.")};
    if (in.designControl == DesignControl::DesignDepth && !(in.DGH <= kMaxProfileDepthFt))
        return Lines{"THE DESIGN DEPTH IS " + u.length(in.DGH) + ".",
                     "EXPECTED: A DEPTH OF AT MOST " + u.length(kMaxProfileDepthFt) + "."};
    // The load-settlement analysis of every shaft divides by the shaft's stiffness.
    if (!(in.Ec > 0.0))
        return Lines{"THE ELASTIC MODULUS OF THE SHAFT EC IS " + u.modulus(in.Ec) + ".",
                     "EXPECTED: A MODULUS ABOVE 0."};
    if (!in.isLrfd() && !(in.FST > 0.0 && in.FSB > 0.0))
        return Lines{"THE FACTORS OF SAFETY ARE " + numberText(in.FST) + " (SIDE) AND " +
                         numberText(in.FSB) + " (BASE).",
                     "EXPECTED: FACTORS OF SAFETY ABOVE 0."};
    if (in.DIALIM - in.DSTART > 0.5 * (kMaxDiameters - 1))
        return Lines{"THE DIAMETERS FROM " + u.length(in.DSTART) + " TO " + u.length(in.DIALIM) +
                         " MAKE MORE THAN " + std::to_string(kMaxDiameters) + " SHAFTS.",
                     "EXPECTED: AT MOST " + std::to_string(kMaxDiameters) +
                         " DIAMETERS IN STEPS OF 0.5 FT."};
    if (!isBelled(in.RATIO))
        return std::nullopt;
    if (in.RATIO < 1.0)
        return Lines{"THE BASE TO STEM DIAMETER RATIO IS " + numberText(in.RATIO) + ".",
                     "EXPECTED: 0 FOR A STRAIGHT SHAFT OR ABOVE 1 FOR A BELL."};
    if (!(in.BELANGL > 0.0 && in.BELANGL < 90.0))
        return Lines{"THE BELL ANGLE IS " + numberText(in.BELANGL) +
                         " DEGREES FOR A BELL OF DIAMETER RATIO " + numberText(in.RATIO) + ".",
                     "EXPECTED: AN ANGLE ABOVE 0 AND BELOW 90 DEGREES."};
    // A nearly flat bell angle makes the bell of the largest shaft taller than any profile.
    const double bellHeightFt =
        baseGeometry(std::max(in.DSTART, in.DIALIM), in.RATIO, in.BELANGL).stemEndToBaseFt;
    if (!(bellHeightFt <= kMaxProfileDepthFt))
        return Lines{"THE BELL ANGLE OF " + numberText(in.BELANGL) + " DEGREES MAKES THE BELL OF THE " +
                         "LARGEST SHAFT " +
                         (std::isfinite(bellHeightFt) ? u.length(bellHeightFt) + " HIGH."
                                                      : std::string("TOO HIGH TO BE COMPUTED.")),
                     "EXPECTED: A BELL AT MOST " + u.length(kMaxProfileDepthFt) + " HIGH."};
    return std::nullopt;
}

std::optional<Lines> socketFault(const LayerInput &layer, const std::string &which, const Units &u)
{
    for (int end : {kTop, kBottom})
        if (!(layer.BDS[end] > 0.0))
            return Lines{which + ": THE SOCKET DIAMETER " + endText(end) + " IS " +
                             u.length(layer.BDS[end]) + ".",
                         "EXPECTED: A SOCKET DIAMETER ABOVE 0 IN STRONG AND WEAK ROCK."};
    return std::nullopt;
}

std::optional<Lines> strongRockFault(const LayerInput &layer, const std::string &which,
                                     const Units &u)
{
    for (int end : {kTop, kBottom}) {
        if (!(layer.CS[end] > 0.0))
            return Lines{which + ": THE SPACING OF DISCONTINUITIES " + endText(end) + " IS " +
                             u.length(layer.CS[end]) + ".",
                         "EXPECTED: A SPACING ABOVE 0."};
        if (!(layer.DISCT[end] >= 0.0))
            return Lines{which + ": THE THICKNESS OF DISCONTINUITIES " + endText(end) + " IS " +
                             u.length(layer.DISCT[end]) + ".",
                         "EXPECTED: A THICKNESS OF 0 OR MORE."};
    }
    return std::nullopt;
}

std::optional<Lines> weakRockFault(const LayerInput &layer,
                                   const std::string &which, const Units &u)
{
    const double condition = layer.interfaceCondition[kTop];
    if (condition != 1.0 && condition != 2.0 && condition != 3.0 && condition != 4.0)
        return Lines{which + ": THE INTERFACE CONDITION IS " + numberText(condition) + ".",
                     "EXPECTED: 1, 2, 3 OR 4."};
    const bool smooth = condition == 2.0 || condition == 4.0;
    for (int end : {kTop, kBottom}) {
        if (!(layer.QUR[end] > 0.0))
            return Lines{which + ": THE UNIAXIAL COMPRESSION STRENGTH OF ROCK " + endText(end) +
                             " IS " + u.stress(layer.QUR[end]) + ".",
                         "EXPECTED: A STRENGTH ABOVE 0."};
        if (!(layer.EL[end] > 0.0))
            return Lines{which + ": THE ELASTIC MODULUS OF THE ROCK " + endText(end) + " IS " +
                             u.modulus(layer.EL[end]) + ".",
                         "EXPECTED: A MODULUS ABOVE 0."};
        const double angle = layer.interfaceFrictionAngle[end];
        if (smooth && !(angle > 0.0 && angle < 90.0))
            return Lines{which + ": THE ANGLE OF INTERFACE FRICTION " + endText(end) + " IS " +
                             numberText(angle) + " DEGREES.",
                         "EXPECTED: AN ANGLE ABOVE 0 AND BELOW 90 DEGREES FOR A SMOOTH SOCKET."};
    }
    return std::nullopt;
}

std::optional<Lines> layerFault(const LayerInput &layer, int number,
                                const Units &u)
{
    const std::string which = "LAYER " + std::to_string(number);
    // Limits are snapped to whole feet before the walk: a layer that snaps to no thickness
    // is only warned of, but one whose bottom snaps above its top would be walked twice.
    const double snappedTop = snappedDepthFt(layer.topDepth);
    const double snappedBottom = snappedDepthFt(layer.DEPTH);
    if (!(snappedBottom >= snappedTop))
        return Lines{which + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) + " (" +
                         u.snapped(snappedBottom) + " TO THE NEAREST FOOT) IS ABOVE THE TOP DEPTH " +
                         u.length(layer.topDepth) + " (" + u.snapped(snappedTop) + ").",
                     "EXPECTED: EVERY LAYER BOTTOM AT OR BELOW THE BOTTOM OF THE LAYER ABOVE, "
                     "TO THE NEAREST FOOT."};
    if (layer.DEPTH > kMaxProfileDepthFt)
        return Lines{which + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) + " IS TOO DEEP.",
                     "EXPECTED: A PROFILE OF AT MOST " + u.length(kMaxProfileDepthFt) + "."};
    switch (layer.type) {
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        if (auto fault = socketFault(layer, which, u))
            return fault;
        return strongRockFault(layer, which, u);
    case SoilType::WeakRock:
        if (auto fault = socketFault(layer, which, u))
            return fault;
        return weakRockFault(layer, which, u);
    case SoilType::Sand:
    case SoilType::Clay:
    case SoilType::ClayShale:
    case SoilType::DecomposedRock:
    case SoilType::GravellySand:
    case SoilType::Gravel:
        return std::nullopt;
    }
    return std::nullopt;
}

// The re-tabulated rows grow with the depth over the output increment for every diameter;
// a fine increment over a deep profile and many diameters would write gigabytes.
std::optional<Lines> outputSizeFault(const InputData &in, const Units &u)
{
    if (in.layers.empty())
        return std::nullopt;
    const double diameters = static_cast<double>(diameterSeriesFt(in.DSTART, in.DIALIM).size());
    const double depthFt = in.layers.back().DEPTH;
    const double incrementFt = in.outputIncrement * (u.si ? kFtPerM : 1.0);
    const double rows = diameters * depthFt / incrementFt;
    if (rows <= kMaxResultRows)
        return std::nullopt;
    return Lines{"THE OUTPUT INCREMENT OF " + numberText(in.outputIncrement) + (u.si ? " M" : " FT") +
                     " GIVES ABOUT " + std::to_string(std::llround(rows)) + " RESULT ROWS FOR " +
                     numberText(diameters) + " DIAMETERS DOWN TO " + u.length(depthFt) + ".",
                 "EXPECTED: AT MOST " + std::to_string(std::llround(kMaxResultRows)) +
                     " ROWS: A LARGER INCREMENT OR FEWER DIAMETERS."};
}

} // namespace

std::optional<std::vector<std::string>> findProfileFault(const InputData &input)
{
    const Units units{input.isSI()};
    if (auto fault = shaftFault(input, units))
        return fault;
    for (std::size_t i = 0; i < input.layers.size(); ++i)
        if (auto fault = layerFault(input.layers[i], static_cast<int>(i) + 1, units))
            return fault;
    return outputSizeFault(input, units);
}

void writeLayersWithoutThickness(RunContext &run, const std::vector<std::size_t> &layers)
{
    const Units u{run.input.isSI()};
    for (std::size_t i : layers) {
        const LayerInput &layer = run.input.layers[i];
        const std::vector<std::string> lines = {
            "LAYER " + std::to_string(i + 1) + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) +
                " AND THE TOP DEPTH " + u.length(layer.topDepth) + " BOTH SNAP TO " +
                u.snapped(snappedDepthFt(layer.DEPTH)) + ".",
            "THE LAYER HAS NO THICKNESS AND NO DEPTH STEP; THE ANALYSIS GOES ON WITHOUT IT."};
        for (TextOut *out : {&run.report, &run.runtime}) {
            out->emptyLines(2);
            out->line(blanks(5) + std::string(kWarningFrame));
            for (const std::string &line : lines)
                out->line(blanks(5) + line);
            out->emptyLines(1);
        }
    }
}

void checkProfileInput(RunContext &run)
{
    if (const auto fault = findProfileFault(run.input))
        stopWithError(run, kStatusInputOutOfRange, *fault);
}

} // namespace vorna
