#include "input/profile_checks.h"

#include "input/input_data.h"
#include "input/input_file.h"
#include "input/si_input.h"
#include "method/base_resistance.h"
#include "method/soil_profile.h"
#include "method/units.h"
#include "report/capacity_table.h"
#include "report/fixed_field.h"
#include "run/run_context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

namespace vorna {

namespace {

using Lines = std::vector<std::string>;

// A value found wrong: the name of its place (ValuePlaces) and the message lines.
struct Fault {
    std::string place;
    Lines lines;
};

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

std::optional<Fault> shaftFault(const InputData &in, const Units &u)
{
    if (!(in.DSTART > 0.0))
        return Fault{"DSTART",
                     Lines{"THE SMALLEST SHAFT DIAMETER DSTART IS " + u.length(in.DSTART) + ".",
                           "EXPECTED: A DIAMETER ABOVE 0."}};
    if (!(in.DIALIM <= kMaxDiameterFt))
        return Fault{"DIALIM",
                     Lines{"THE LARGEST SHAFT DIAMETER DIALIM IS " + u.length(in.DIALIM) + ".",
                           "EXPECTED: A DIAMETER OF AT MOST " + u.length(kMaxDiameterFt) + "."}};
    if (!(in.RATIO <= kMaxBellRatio))
        return Fault{"RATIO",
                     Lines{"THE BASE TO STEM DIAMETER RATIO IS " + numberText(in.RATIO) + ".",
                           "EXPECTED: A RATIO OF AT MOST " + numberText(kMaxBellRatio) + "."}};
    if (!(in.TOPLEN >= 0.0 && in.TOPLEN <= kMaxProfileDepthFt))
        return Fault{
            "TOPLEN",
            Lines{"THE TOP LENGTH WITHOUT SIDE RESISTANCE TOPLEN IS " + u.length(in.TOPLEN) + ".",
                  "EXPECTED: A LENGTH FROM 0 TO " + u.length(kMaxProfileDepthFt) + "."}};
    if (!(in.BS >= 0.0 && in.BS <= kMaxProfileDepthFt))
        return Fault{
            "BS", Lines{"THE BOTTOM LENGTH WITHOUT SIDE RESISTANCE BS IS " + u.length(in.BS) + ".",
                        "EXPECTED: A LENGTH FROM 0 TO " + u.length(kMaxProfileDepthFt) + "."}};
    if (!(in.outputIncrement >= kMinOutputIncrement))
        return Fault{"outputIncrement",
                     Lines{"THE OUTPUT INCREMENT IS " + u.length(outputIncrementFt(in)) + ".",
                           "EXPECTED: AN INCREMENT OF AT LEAST " + numberText(kMinOutputIncrement) +
                               (u.si ? " M." : " FT.")}};
    if (in.designControl == DesignControl::DesignDepth && !(in.DGH <= kMaxProfileDepthFt))
        return Fault{"DGH",
                     Lines{"THE DESIGN DEPTH IS " + u.length(in.DGH) + ".",
                           "EXPECTED: A DEPTH OF AT MOST " + u.length(kMaxProfileDepthFt) + "."}};
    // The load-settlement analysis of every shaft divides by the shaft's stiffness.
    if (!(in.Ec > 0.0))
        return Fault{"Ec", Lines{"THE ELASTIC MODULUS OF THE SHAFT EC IS " + u.modulus(in.Ec) + ".",
                                 "EXPECTED: A MODULUS ABOVE 0."}};
    if (!in.isLrfd() && !(in.FST > 0.0 && in.FSB > 0.0))
        return Fault{in.FST > 0.0 ? "FSB" : "FST",
                     Lines{"THE FACTORS OF SAFETY ARE " + numberText(in.FST) + " (SIDE) AND " +
                               numberText(in.FSB) + " (BASE).",
                           "EXPECTED: FACTORS OF SAFETY ABOVE 0."}};
    if (in.DIALIM - in.DSTART > 0.5 * (kMaxDiameters - 1))
        return Fault{"DIALIM", Lines{"THE DIAMETERS FROM " + u.length(in.DSTART) + " TO " +
                                         u.length(in.DIALIM) + " MAKE MORE THAN " +
                                         std::to_string(kMaxDiameters) + " SHAFTS.",
                                     "EXPECTED: AT MOST " + std::to_string(kMaxDiameters) +
                                         " DIAMETERS IN STEPS OF 0.5 FT."}};
    if (!isBelled(in.RATIO))
        return std::nullopt;
    if (in.RATIO < 1.0)
        return Fault{"RATIO",
                     Lines{"THE BASE TO STEM DIAMETER RATIO IS " + numberText(in.RATIO) + ".",
                           "EXPECTED: 0 FOR A STRAIGHT SHAFT OR ABOVE 1 FOR A BELL."}};
    if (!(in.BELANGL > 0.0 && in.BELANGL < 90.0))
        return Fault{"BELANGL", Lines{"THE BELL ANGLE IS " + numberText(in.BELANGL) +
                                          " DEGREES FOR A BELL OF DIAMETER RATIO " +
                                          numberText(in.RATIO) + ".",
                                      "EXPECTED: AN ANGLE ABOVE 0 AND BELOW 90 DEGREES."}};
    // A nearly flat bell angle makes the bell of the largest shaft taller than any profile.
    const double bellHeightFt =
        baseGeometry(std::max(in.DSTART, in.DIALIM), in.RATIO, in.BELANGL).stemEndToBaseFt;
    if (!(bellHeightFt <= kMaxProfileDepthFt))
        return Fault{
            "BELANGL",
            Lines{"THE BELL ANGLE OF " + numberText(in.BELANGL) +
                      " DEGREES MAKES THE BELL OF THE " + "LARGEST SHAFT " +
                      (std::isfinite(bellHeightFt) ? u.length(bellHeightFt) + " HIGH."
                                                   : std::string("TOO HIGH TO BE COMPUTED.")),
                  "EXPECTED: A BELL AT MOST " + u.length(kMaxProfileDepthFt) + " HIGH."}};
    return std::nullopt;
}

std::optional<Fault> socketFault(const LayerInput &layer, int number, const std::string &which,
                                 const Units &u)
{
    for (int end : {kTop, kBottom})
        if (!(layer.BDS[end] > 0.0))
            return Fault{layerValueKey(number, "SOCKET DIAMETER", end),
                         Lines{which + ": THE SOCKET DIAMETER " + endText(end) + " IS " +
                                   u.length(layer.BDS[end]) + ".",
                               "EXPECTED: A SOCKET DIAMETER ABOVE 0 IN STRONG AND WEAK ROCK."}};
    return std::nullopt;
}

std::optional<Fault> strongRockFault(const LayerInput &layer, int number, const std::string &which,
                                     const Units &u)
{
    for (int end : {kTop, kBottom}) {
        if (!(layer.CS[end] > 0.0))
            return Fault{layerValueKey(number, "SPACING OF DISCONTINUITIES", end),
                         Lines{which + ": THE SPACING OF DISCONTINUITIES " + endText(end) + " IS " +
                                   u.length(layer.CS[end]) + ".",
                               "EXPECTED: A SPACING ABOVE 0."}};
        if (!(layer.DISCT[end] >= 0.0))
            return Fault{layerValueKey(number, "THICKNESS OF DISCONTINUITIES", end),
                         Lines{which + ": THE THICKNESS OF DISCONTINUITIES " + endText(end) +
                                   " IS " + u.length(layer.DISCT[end]) + ".",
                               "EXPECTED: A THICKNESS OF 0 OR MORE."}};
    }
    return std::nullopt;
}

std::optional<Fault> weakRockFault(const LayerInput &layer, int number, const std::string &which,
                                   const Units &u)
{
    const double condition = layer.interfaceCondition[kTop];
    if (condition != 1.0 && condition != 2.0 && condition != 3.0 && condition != 4.0)
        return Fault{layerValueKey(number, "INTERFACE CONDITION", kTop),
                     Lines{which + ": THE INTERFACE CONDITION IS " + numberText(condition) + ".",
                           "EXPECTED: 1, 2, 3 OR 4."}};
    const bool smooth = condition == 2.0 || condition == 4.0;
    for (int end : {kTop, kBottom}) {
        if (!(layer.QUR[end] > 0.0))
            return Fault{layerValueKey(number, "ROCK STRENGTH QUR", end),
                         Lines{which + ": THE UNIAXIAL COMPRESSION STRENGTH OF ROCK " +
                                   endText(end) + " IS " + u.stress(layer.QUR[end]) + ".",
                               "EXPECTED: A STRENGTH ABOVE 0."}};
        if (!(layer.EL[end] > 0.0))
            return Fault{layerValueKey(number, "ROCK MODULUS", end),
                         Lines{which + ": THE ELASTIC MODULUS OF THE ROCK " + endText(end) +
                                   " IS " + u.modulus(layer.EL[end]) + ".",
                               "EXPECTED: A MODULUS ABOVE 0."}};
        const double angle = layer.interfaceFrictionAngle[end];
        if (smooth && !(angle > 0.0 && angle < 90.0))
            return Fault{
                layerValueKey(number, "INTERFACE FRICTION ANGLE", end),
                Lines{which + ": THE ANGLE OF INTERFACE FRICTION " + endText(end) + " IS " +
                          numberText(angle) + " DEGREES.",
                      "EXPECTED: AN ANGLE ABOVE 0 AND BELOW 90 DEGREES FOR A SMOOTH SOCKET."}};
    }
    return std::nullopt;
}

std::optional<Fault> layerFault(const LayerInput &layer, int number, const Units &u)
{
    const std::string which = "LAYER " + std::to_string(number);
    // Limits are snapped to whole feet before the walk: a layer that snaps to no thickness
    // is only warned of, but one whose bottom snaps above its top would be walked twice.
    const double snappedTop = snappedDepthFt(layer.topDepth);
    const double snappedBottom = snappedDepthFt(layer.DEPTH);
    if (!(snappedBottom >= snappedTop))
        return Fault{
            layerValueKey(number, "BOTTOM DEPTH", kBottom),
            Lines{which + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) + " (" +
                      u.snapped(snappedBottom) + " TO THE NEAREST FOOT) IS ABOVE THE TOP DEPTH " +
                      u.length(layer.topDepth) + " (" + u.snapped(snappedTop) + ").",
                  "EXPECTED: EVERY LAYER BOTTOM AT OR BELOW THE BOTTOM OF THE LAYER ABOVE, "
                  "TO THE NEAREST FOOT."}};
    if (layer.DEPTH > kMaxProfileDepthFt)
        return Fault{layerValueKey(number, "BOTTOM DEPTH", kBottom),
                     Lines{which + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) + " IS TOO DEEP.",
                           "EXPECTED: A PROFILE OF AT MOST " + u.length(kMaxProfileDepthFt) + "."}};
    switch (layer.type) {
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        if (auto fault = socketFault(layer, number, which, u))
            return fault;
        return strongRockFault(layer, number, which, u);
    case SoilType::WeakRock:
        if (auto fault = socketFault(layer, number, which, u))
            return fault;
        return weakRockFault(layer, number, which, u);
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
std::optional<Fault> outputSizeFault(const InputData &in, const Units &u)
{
    if (in.layers.empty())
        return std::nullopt;
    const double diameters = static_cast<double>(diameterSeriesFt(in.DSTART, in.DIALIM).size());
    const double depthFt = in.layers.back().DEPTH;
    const double incrementFt = outputIncrementFt(in);
    const double rows = diameters * depthFt / incrementFt;
    if (rows <= kMaxResultRows)
        return std::nullopt;
    return Fault{std::string("outputIncrement"),
                 Lines{"THE OUTPUT INCREMENT OF " + numberText(in.outputIncrement) +
                           (u.si ? " M" : " FT") + " GIVES ABOUT " +
                           std::to_string(std::llround(rows)) + " RESULT ROWS FOR " +
                           numberText(diameters) + " DIAMETERS DOWN TO " + u.length(depthFt) + ".",
                       "EXPECTED: AT MOST " + std::to_string(std::llround(kMaxResultRows)) +
                           " ROWS: A LARGER INCREMENT OR FEWER DIAMETERS."}};
}

// Ranges of the values that the methods would take without complaint but that no ground or
// shaft can have (refused), and of those that are possible but unusual (warned of).
struct Bound {
    double value;
    bool included;
};

struct ValueRange {
    std::optional<Bound> low, high;

    bool contains(double v) const
    {
        if (low && !(low->included ? v >= low->value : v > low->value))
            return false;
        if (high && !(high->included ? v <= high->value : v < high->value))
            return false;
        return true;
    }
};

constexpr ValueRange kNotNegative{Bound{0.0, true}, std::nullopt};
constexpr ValueRange kFactor{Bound{0.0, true}, Bound{1.0, true}};
constexpr ValueRange kAngle{Bound{0.0, true}, Bound{90.0, false}};
constexpr ValueRange kPercent{Bound{0.0, true}, Bound{100.0, true}};
constexpr ValueRange kPoisson{Bound{0.0, true}, Bound{0.5, false}};
constexpr ValueRange kUsualUnitWeightPcf{Bound{80.0, true}, Bound{170.0, true}};
constexpr ValueRange kUsualFrictionAngle{std::nullopt, Bound{50.0, true}};
constexpr ValueRange kUsualBlowCount{std::nullopt, Bound{100.0, true}};
constexpr ValueRange kUsualSafetyFactor{Bound{1.5, true}, std::nullopt};

enum class Quantity { Number, Degrees, UnitWeight, Stress, Modulus, Length, Percent };

// A value in the units of the input file, with its unit.
std::string shown(double internal, Quantity q, const Units &u)
{
    switch (q) {
    case Quantity::Number:
        return numberText(internal);
    case Quantity::Degrees:
        return numberText(internal) + " DEGREES";
    case Quantity::UnitWeight:
        return numberText(u.si ? internal / kPcfPerKNPerM3 : internal) +
               (u.si ? " KN/CU M" : " LB/CU FT");
    case Quantity::Stress:
        return u.stress(internal);
    case Quantity::Modulus:
        return u.modulus(internal);
    case Quantity::Length:
        return u.length(internal);
    case Quantity::Percent:
        return numberText(internal) + " %";
    }
    return numberText(internal);
}

std::string describe(const ValueRange &r, Quantity q, const Units &u)
{
    // The usual unit weights are whole pcf; in SI they are named to 0.1 kN/cu m.
    const auto text = [&](double v) {
        if (q == Quantity::UnitWeight && u.si)
            return numberText(std::round(v / kPcfPerKNPerM3 * 10.0) / 10.0) + " KN/CU M";
        return shown(v, q, u);
    };
    if (r.low && r.high)
        return "FROM " + text(r.low->value) + (r.low->included ? "" : " (EXCLUDED)") + " TO " +
               (r.high->included ? "" : "BELOW ") + text(r.high->value);
    if (r.low)
        return r.low->included ? text(r.low->value) + " OR MORE" : "ABOVE " + text(r.low->value);
    return r.high->included ? "AT MOST " + text(r.high->value) : "BELOW " + text(r.high->value);
}

struct Check {
    std::string place; // name in ValuePlaces
    std::string what;  // "LAYER 2: THE FRICTION ANGLE AT THE TOP"
    double value;      // internal units
    Quantity quantity;
    const ValueRange *allowed = nullptr;
    const ValueRange *usual = nullptr;
    bool usualOnlyAboveZero = false; // zero has its own meaning (left out, computed)
};

struct LayerValue {
    const char *place;
    const char *text;
    TopBottom LayerInput::*perEnd = nullptr;
    double LayerInput::*whole = nullptr;
    Quantity quantity = Quantity::Number;
    const ValueRange *allowed = nullptr;
    const ValueRange *usual = nullptr;
    bool lrfdOnly = false;
};

constexpr LayerValue kLrfdSideValue{
    "LRFD SIDE FACTOR", "LRFD SIDE FACTOR", nullptr, &LayerInput::lrfdSide,
    Quantity::Number,   &kFactor,           nullptr, true};
constexpr LayerValue kLrfdTipValue{
    "LRFD TIP FACTOR", "LRFD TIP FACTOR", nullptr, &LayerInput::lrfdTip,
    Quantity::Number,  &kFactor,          nullptr, true};
constexpr LayerValue kUnitWeight{"UNIT WEIGHT",        "UNIT WEIGHT", &LayerInput::GAMMA,  nullptr,
                                 Quantity::UnitWeight, &kNotNegative, &kUsualUnitWeightPcf};
constexpr LayerValue kBlowCount{"BLOW COUNT N",   "BLOW COUNT N", &LayerInput::BLOWS, nullptr,
                                Quantity::Number, &kNotNegative,  &kUsualBlowCount};

constexpr LayerValue kSoilValues[] = {
    {"NC", "BEARING CAPACITY FACTOR NC", &LayerInput::NC, nullptr, Quantity::Number, &kNotNegative},
    kUnitWeight,
    {"UNDRAINED SHEAR STRENGTH", "UNDRAINED SHEAR STRENGTH", &LayerInput::CU, nullptr,
     Quantity::Stress, &kNotNegative},
    kBlowCount,
    {"COEFFICIENT", "SIDE COEFFICIENT (K, BETA OR ALPHA)", &LayerInput::coefficient, nullptr,
     Quantity::Number, &kNotNegative},
    kLrfdSideValue,
    kLrfdTipValue,
};
constexpr LayerValue kSandFrictionAngle{
    "FRICTION ANGLE",  "FRICTION ANGLE", &LayerInput::PHI,    nullptr,
    Quantity::Degrees, &kAngle,          &kUsualFrictionAngle};
constexpr LayerValue kStrongRockValues[] = {
    {"ROCK STRENGTH QUR", "UNIAXIAL COMPRESSION STRENGTH OF ROCK", &LayerInput::QUR, nullptr,
     Quantity::Stress, &kNotNegative},
    {"CONCRETE STRENGTH QUCON", "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE", &LayerInput::QUCON,
     nullptr, Quantity::Stress, &kNotNegative},
    {"ROCK MODULUS", "ELASTIC MODULUS OF THE ROCK", &LayerInput::EL, nullptr, Quantity::Modulus,
     &kNotNegative},
    {"RQD", "ROCK QUALITY DESIGNATION RQD", &LayerInput::RQD, nullptr, Quantity::Percent,
     &kPercent},
    kLrfdSideValue,
    kLrfdTipValue,
};
constexpr LayerValue kWeakRockValues[] = {
    {"SLUMP", "SLUMP OF THE CONCRETE", &LayerInput::slump, nullptr, Quantity::Number,
     &kNotNegative},
    {"INTERFACE FRICTION ANGLE", "ANGLE OF INTERFACE FRICTION", &LayerInput::interfaceFrictionAngle,
     nullptr, Quantity::Degrees, &kAngle},
    {"RQD", "ROCK QUALITY DESIGNATION RQD", &LayerInput::RQD, nullptr, Quantity::Percent,
     &kPercent},
    kLrfdSideValue,
    kLrfdTipValue,
};
constexpr LayerValue kDecomposedRockValues[] = {
    kUnitWeight,
    kBlowCount,
    {"POISSON'S RATIO", "POISSON'S RATIO", &LayerInput::poissonRatio, nullptr, Quantity::Number,
     &kPoisson},
    {"YOUNG'S MODULUS", "YOUNG'S MODULUS", &LayerInput::gravelModulus, nullptr, Quantity::Modulus,
     &kNotNegative},
    {"SOCKET DIAMETER", "SOCKET DIAMETER", &LayerInput::BDS, nullptr, Quantity::Length,
     &kNotNegative},
    kLrfdSideValue,
    kLrfdTipValue,
};
constexpr LayerValue kGravelValues[] = {
    kUnitWeight,
    kBlowCount,
    {"BETA", "SKIN FRICTION COEFFICIENT BETA", &LayerInput::coefficient, nullptr, Quantity::Number,
     &kNotNegative},
    kLrfdSideValue,
    kLrfdTipValue,
};

void addLayerChecks(std::vector<Check> &checks, const InputData &in, const LayerInput &layer,
                    int number, std::span<const LayerValue> values)
{
    const std::string which = "LAYER " + std::to_string(number) + ": THE ";
    for (const LayerValue &v : values) {
        if (v.lrfdOnly && !in.isLrfd())
            continue; // not used in allowable stress design
        if (v.whole) {
            checks.push_back({layerValueKey(number, v.place, kBottom), which + v.text,
                              layer.*v.whole, v.quantity, v.allowed, v.usual, true});
            continue;
        }
        for (int end : {kTop, kBottom}) {
            checks.push_back({layerValueKey(number, v.place, end),
                              which + v.text + " " + endText(end), (layer.*v.perEnd)[end],
                              v.quantity, v.allowed, v.usual, true});
        }
    }
}

std::vector<Check> valueChecks(const InputData &in)
{
    std::vector<Check> checks;
    if (in.loadingType == LoadingType::Uplift)
        checks.push_back({"upliftFactor", "THE UPLIFT REDUCTION FACTOR", in.upliftFactor,
                          Quantity::Number, &kFactor});
    static constexpr ValueRange kOption{Bound{0.0, true}, Bound{1.0, true}};
    checks.push_back({"endBearingOption", "THE END BEARING IN SANDS OPTION",
                      static_cast<double>(in.endBearingOption), Quantity::Number, &kOption});
    checks.push_back(
        {"RATIO", "THE BASE TO STEM DIAMETER RATIO", in.RATIO, Quantity::Number, &kNotNegative});
    if (in.designControl == DesignControl::DesignLoad)
        checks.push_back({"P", "THE DESIGN LOAD", in.P, Quantity::Number, &kNotNegative});
    else
        checks.push_back({"DGH", "THE DESIGN DEPTH", in.DGH, Quantity::Length, &kNotNegative});
    static constexpr ValueRange kUsualWaterTable{Bound{0.0, true}, std::nullopt};
    checks.push_back(
        {"WTD", "THE WATER TABLE DEPTH", in.WTD, Quantity::Length, nullptr, &kUsualWaterTable});
    if (!in.isLrfd()) {
        checks.push_back({"FST", "THE FACTOR OF SAFETY FST ON SIDE FRICTION", in.FST,
                          Quantity::Number, nullptr, &kUsualSafetyFactor});
        checks.push_back({"FSB", "THE FACTOR OF SAFETY FSB ON THE BASE", in.FSB, Quantity::Number,
                          nullptr, &kUsualSafetyFactor});
    }
    for (std::size_t i = 0; i < in.layers.size(); ++i) {
        const LayerInput &layer = in.layers[i];
        const int number = static_cast<int>(i) + 1;
        switch (layer.type) {
        case SoilType::Sand:
            addLayerChecks(checks, in, layer, number, std::span(&kSandFrictionAngle, 1));
            [[fallthrough]];
        case SoilType::Clay:
        case SoilType::ClayShale:
            addLayerChecks(checks, in, layer, number, kSoilValues);
            break;
        case SoilType::StrongRockSideOrBase:
        case SoilType::StrongRock:
            addLayerChecks(checks, in, layer, number, kStrongRockValues);
            break;
        case SoilType::WeakRock:
            addLayerChecks(checks, in, layer, number, kWeakRockValues);
            break;
        case SoilType::DecomposedRock:
            addLayerChecks(checks, in, layer, number, kDecomposedRockValues);
            break;
        case SoilType::GravellySand:
        case SoilType::Gravel:
            addLayerChecks(checks, in, layer, number, kGravelValues);
            break;
        }
    }
    return checks;
}

std::optional<Fault> rangeFault(const InputData &in, const Units &u)
{
    for (const Check &c : valueChecks(in))
        if (c.allowed && !c.allowed->contains(c.value))
            return Fault{c.place, Lines{c.what + " IS " + shown(c.value, c.quantity, u) + ".",
                                        "EXPECTED: " + describe(*c.allowed, c.quantity, u) + "."}};
    return std::nullopt;
}

std::string placePrefix(const InputData &in, const std::string &place)
{
    const auto where = in.places.find(place);
    if (!where)
        return {};
    return "INPUT DATA FILE, LINE " + std::to_string(where->line) + ", VALUE " +
           std::to_string(where->item) + ": ";
}

Lines withPlace(const InputData &in, const Fault &fault)
{
    Lines lines = fault.lines;
    lines.front() = placePrefix(in, fault.place) + lines.front();
    const auto where = in.places.find(fault.place);
    for (std::string &hint : missingValueHints(in.places, 0, where ? where->line : 0))
        lines.push_back(std::move(hint));
    return lines;
}

} // namespace

std::optional<std::vector<std::string>> findProfileFault(const InputData &input)
{
    const Units units{input.isSI()};
    if (auto fault = shaftFault(input, units))
        return withPlace(input, *fault);
    for (std::size_t i = 0; i < input.layers.size(); ++i)
        if (auto fault = layerFault(input.layers[i], static_cast<int>(i) + 1, units))
            return withPlace(input, *fault);
    if (auto fault = rangeFault(input, units))
        return withPlace(input, *fault);
    if (auto fault = outputSizeFault(input, units))
        return withPlace(input, *fault);
    return std::nullopt;
}

std::vector<std::vector<std::string>> findUnusualValues(const InputData &input)
{
    const Units u{input.isSI()};
    std::vector<std::vector<std::string>> found;
    for (const Check &c : valueChecks(input)) {
        if (!c.usual || c.usual->contains(c.value) || (c.usualOnlyAboveZero && c.value == 0.0))
            continue;
        found.push_back(
            {placePrefix(input, c.place) + c.what + " IS " + shown(c.value, c.quantity, u) + ".",
             "THIS IS UNUSUAL: USUALLY " + describe(*c.usual, c.quantity, u) +
                 ". THE ANALYSIS GOES ON WITH IT."});
    }
    return found;
}

void writeLayersWithoutThickness(RunContext &run, const std::vector<std::size_t> &layers)
{
    const Units u{run.input.isSI()};
    for (std::size_t i : layers) {
        const LayerInput &layer = run.input.layers[i];
        const std::vector<std::string> lines = {
            placePrefix(run.input,
                        layerValueKey(static_cast<int>(i) + 1, "BOTTOM DEPTH", kBottom)) +
                "LAYER " + std::to_string(i + 1) + ": THE BOTTOM DEPTH " + u.length(layer.DEPTH) +
                " AND THE TOP DEPTH " + u.length(layer.topDepth) + " BOTH SNAP TO " +
                u.snapped(snappedDepthFt(layer.DEPTH)) + ".",
            "THE LAYER HAS NO THICKNESS AND NO DEPTH STEP; THE ANALYSIS GOES ON WITHOUT IT."};
        writeWarningBlock(run, lines);
    }
}

void checkProfileInput(RunContext &run)
{
    if (const auto fault = findProfileFault(run.input))
        stopWithError(run, kStatusInputOutOfRange, *fault);
    for (const auto &lines : findUnusualValues(run.input))
        writeWarningBlock(run, lines);
}

} // namespace vorna
