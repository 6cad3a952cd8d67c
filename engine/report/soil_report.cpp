#include "report/soil_report.h"

#include "method/side_resistance.h"
#include "method/soil_profile.h"
#include "method/units.h"
#include "report/fixed_field.h"
#include "run/run_context.h"

#include <cstdio>

namespace vorna {

namespace {

// Labels of the soil information block, English and SI.
struct Label {
    const char *english;
    const char *si;
};

constexpr Label kUndrainedShearStrength = {"UNDRAINED SHEAR STRENGTH, LB/SQ FT                =",
                                           "UNDRAINED SHEAR STRENGTH, KN/SQ M                 ="};
constexpr Label kFrictionAngle = {"INTERNAL FRICTION ANGLE, DEG.                     =",
                                  "INTERNAL FRICTION ANGLE, DEG.                     ="};
constexpr Label kBlows = {"BLOWS PER FOOT FROM STANDARD PENETRATION TEST     =",
                          "BLOWS PER FOOT FROM STANDARD PENETRATION TEST     ="};
constexpr Label kUnitWeight = {"SOIL UNIT WEIGHT, LB/CU FT                        =",
                               "SOIL UNIT WEIGHT, KN/CU M                         ="};
constexpr Label kMaxTransfer = {"MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          =",
                                "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M           ="};
constexpr Label kSoilDepth = {"DEPTH, FT                                         =",
                              "DEPTH, M                                          ="};

constexpr Label kStrongSocket = {"DIAMETER OF SOCKET, FT                             =",
                                 "DIAMETER OF SOCKET,M                               ="};
constexpr Label kSpacing = {"SPACING OF DISCONTINUITIES,FT                      =",
                            "SPACING OF DISCONTINUITIES,M                       ="};
constexpr Label kThickness = {"THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT         =",
                              "THICKNESS OF INDIVIDUAL DISCONTINUITIES,M          ="};
constexpr Label kRockStrength = {"UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT     =",
                                 "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M      ="};
constexpr Label kConcreteStrength = {"UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT =",
                                     "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M  ="};
constexpr Label kRockModulus = {"ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.     =",
                                "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M       ="};
constexpr Label kRqd = {"ROCK QUALITY DESIGNATION (RQD) %                   =",
                        "ROCK QUALITY DESIGNATION (RQD) %                   ="};
constexpr Label kRockDepth = {"DEPTH, FT                                          =",
                              "DEPTH, M                                           ="};
constexpr Label kWeakSocket = {"DIAMETER OF SOCKET, FT                             =",
                               "DIAMETER OF SOCKET, M                              ="};
constexpr Label kSlump = {"SLUMP OF CONCRETE, IN                              =",
                          "SLUMP OF CONCRETE, M                               ="};
constexpr Label kInterfaceFriction = {"ANGLE OF INTERFACE FRICTION, DEG.                  =",
                                      "ANGLE OF INTERFACE FRICTION, DEG.                  ="};

constexpr Label kGravelModulus = {"ELASTIC MODULUS OF GRAVEL, LB/SQ IN               =",
                                  "ELASTIC MODULUS OF GRAVEL, KN/SQ M                ="};
constexpr Label kPoisson = {"POISSION RATIO OF GRAVEL                          =",
                            "POISSION RATIO OF GRAVEL                          ="};

constexpr const char *kKLabel = "LATERAL EARTH-PRESSURE COEFFICIENT-K              =";
constexpr const char *kBetaLabel = "SKIN FRICTION COEFFICIENT- BETA                   =";
constexpr const char *kAlphaLabel = "STRENGTH REDUCTION FACTOR-ALPHA                   =";
constexpr const char *kNcLabel = "END BEARING COEFFICIENT-Nc                        =";
constexpr const char *kLrfdSideLabel = "LRFD RESISTANCE FACTOR (SIDE FRICTION)            =";
constexpr const char *kLrfdTipLabel = "LRFD RESISTANCE FACTOR (TIP RESISTANCE)           =";

std::string valueLine(const char *label, double value)
{
    return blanks(7) + label + fieldE(value, 10, 3);
}

// Converts internal values back to the input's units for printing.
struct Printed {
    bool si;
    double length(double ft) const { return si ? ft / kFtPerM : ft; }
    double stress(double psf) const { return si ? psf / kPsfPerKPa : psf; }
    double unitWeight(double pcf) const { return si ? pcf / kPcfPerKNPerM3 : pcf; }
    const char *label(const Label &l) const { return si ? l.si : l.english; }
};

void addCoefficientLines(std::vector<std::string> &lines, const SoilLayer &layer, int end)
{
    switch (layer.type) {
    case SoilType::Sand:
        lines.push_back(
            valueLine(layer.sandMethod >= 2 ? kBetaLabel : kKLabel, layer.coefficient[end]));
        break;
    case SoilType::GravellySand:
    case SoilType::Gravel:
        lines.push_back(valueLine(kBetaLabel, layer.coefficient[end]));
        break;
    case SoilType::Clay:
    case SoilType::ClayShale:
        lines.push_back(valueLine(kAlphaLabel, layer.coefficient[end]));
        lines.push_back(valueLine(kNcLabel, layer.NC[end]));
        break;
    case SoilType::StrongRockSideOrBase:
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
        break;
    }
}

void addValueLines(std::vector<std::string> &lines, const SoilLayer &layer, int end,
                   const Printed &p)
{
    const auto add = [&](const Label &label, double value) {
        lines.push_back(valueLine(p.label(label), value));
    };
    const double depthFt = end == kTop ? layer.topDepth : layer.DEPTH;
    switch (layer.type) {
    case SoilType::Sand:
    case SoilType::Clay:
    case SoilType::ClayShale:
        add(kUndrainedShearStrength, p.stress(layer.CU[end]));
        add(kFrictionAngle, layer.PHI[end]);
        add(kBlows, layer.BLOWS[end]);
        add(kUnitWeight, p.unitWeight(layer.GAMMA[end]));
        add(kMaxTransfer, p.stress(layer.TRANLM[end]));
        add(kSoilDepth, p.length(depthFt));
        break;
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        add(kStrongSocket, p.length(layer.BDS[end]));
        add(kSpacing, p.length(layer.CS[end]));
        add(kThickness, p.length(layer.DISCT[end]));
        add(kRockStrength, p.stress(layer.QUR[end]));
        add(kConcreteStrength, p.stress(layer.QUCON[end]));
        add(kRockModulus, layer.EL[end]);
        add(kRqd, layer.RQD[end]);
        add(kRockDepth, p.length(depthFt));
        break;
    case SoilType::WeakRock:
        add(kWeakSocket, p.length(layer.BDS[end]));
        add(kSlump, layer.slump[end]);
        add(kInterfaceFriction, layer.interfaceFrictionAngle[end]);
        add(kRockStrength, p.stress(layer.QUR[end]));
        add(kRockModulus, layer.EL[end]);
        add(kRqd, layer.RQD[end]);
        add(kRockDepth, p.length(depthFt));
        break;
    case SoilType::DecomposedRock:
        add(kGravelModulus, layer.gravelModulus[end]);
        add(kPoisson, layer.poissonRatio[end]);
        add(kBlows, layer.BLOWS[end]);
        add(kUnitWeight, p.unitWeight(layer.GAMMA[end]));
        add(kMaxTransfer, p.stress(layer.TRANLM[end]));
        add(kSoilDepth, p.length(depthFt));
        break;
    case SoilType::GravellySand:
    case SoilType::Gravel:
        add(kBlows, layer.BLOWS[end]);
        add(kUnitWeight, p.unitWeight(layer.GAMMA[end]));
        add(kMaxTransfer, p.stress(layer.TRANLM[end]));
        add(kSoilDepth, p.length(depthFt));
        break;
    }
}

std::string layerHeader(const SoilLayer &layer, int number)
{
    if (isSoilWithCoefficient(layer.type))
        return blanks(5) + "LAYER NO" + fieldI(number, 2) + std::string(soilTypeText(layer.type));
    return blanks(4) + "LAYER NO" + fieldI(number, 3) + std::string(soilTypeText(layer.type));
}

} // namespace

void writeFactorsOfSafety(RunContext &run)
{
    if (run.input.isLrfd())
        return;
    run.reportAndConsole("");
    run.reportAndConsole(blanks(5) +
                         "FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE FRICTION CAPACITY =" +
                         fieldF(run.input.FST, 5, 2));
    run.reportAndConsole(blanks(5) + std::string(55, '-'));
    run.reportAndConsole(blanks(5) + "FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY =" +
                         fieldF(run.input.FSB, 5, 2));
    run.reportAndConsole(blanks(5) + std::string(54, '-'));
}

std::vector<std::string> soilInformationLines(const InputData &input, const SoilLayer &layer,
                                              int number)
{
    const Printed printed{input.isSI()};
    std::vector<std::string> lines;
    lines.push_back(layerHeader(layer, number));
    lines.emplace_back();
    lines.push_back(blanks(7) + "AT THE TOP");
    lines.emplace_back();
    addCoefficientLines(lines, layer, kTop);
    addValueLines(lines, layer, kTop, printed);
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(blanks(7) + "AT THE BOTTOM");
    lines.emplace_back();
    addCoefficientLines(lines, layer, kBottom);
    addValueLines(lines, layer, kBottom, printed);
    lines.emplace_back();
    lines.emplace_back();
    if (input.isLrfd()) {
        lines.push_back(valueLine(kLrfdSideLabel, layer.lrfdSide));
        lines.push_back(valueLine(kLrfdTipLabel, layer.lrfdTip));
        lines.emplace_back();
        lines.emplace_back();
    }
    return lines;
}

void writeSoilInformation(RunContext &run, const SoilProfile &profile)
{
    run.reportAndConsole("");
    run.reportAndConsole("");
    run.reportAndConsole(blanks(5) + "SOIL INFORMATION");
    run.reportAndConsole(blanks(5) + std::string(15, '-'));
    run.reportAndConsole("");
    for (std::size_t i = 0; i < profile.layers.size(); ++i) {
        const auto lines =
            soilInformationLines(run.input, profile.layers[i], static_cast<int>(i) + 1);
        for (const std::string &line : lines)
            run.console(line);
        for (const std::string &line : lines)
            run.report.line(line);
    }
}

void writeStepDataMessages(RunContext &run, const StepDataCheck &check)
{
    if (check.sandStrengthMissing) {
        run.runtime.emptyLines(2);
        run.runtime.line(kErrorFrame);
        run.runtime.line("PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS");
        run.runtime.line("OR THE INTERNAL FRICTION ANGLE FOR SAND LAYERS");
        run.runtime.emptyLines(1);
    }
    if (check.unitWeightMissing) {
        run.runtime.emptyLines(2);
        run.runtime.line(kErrorFrame);
        run.runtime.line("PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM");
        run.runtime.line("WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL");
        run.runtime.line("IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER");
        run.runtime.emptyLines(1);
    }
}

void writeSideStepMessages(RunContext &run, const SideStep &step)
{
    if (step.clayNValueWarning) {
        run.report.emptyLines(2);
        run.report.line(kWarningFrame);
        run.report.line("THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE");
        run.report.line("FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR");
        run.report.line("THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR");
        run.report.line("STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN.");
        run.report.emptyLines(2);
    }
    if (step.gravelCriterionWarning) {
        for (TextOut *out : {&run.report, &run.runtime}) {
            out->emptyLines(2);
            out->line("*****************WARNING*********************");
            out->line(blanks(7) + "Blow counts should be greater than 25 for this criterion.");
            out->line(blanks(7) + "Select other soil criteria and do not use this output data.");
            out->emptyLines(1);
        }
    }
}

void stopOnNoEffectiveStress(RunContext &run, int layerNumber, double depthFt)
{
    const double printedDepth = run.input.isSI() ? depthFt / kFtPerM : depthFt;
    const std::string depth = numberText(printedDepth);
    stopWithError(run, kStatusInputOutOfRange,
                  {"LAYER " + std::to_string(layerNumber) + ": NO EFFECTIVE VERTICAL STRESS AT " +
                       "DEPTH " + depth + (run.input.isSI() ? " M" : " FT") +
                       " IN DECOMPOSED ROCK.",
                   "EXPECTED: TOTAL UNIT WEIGHTS ABOVE THAT OF WATER BELOW THE WATER TABLE."});
}

void writeIncreaseSoilDepth(RunContext &run)
{
    run.runtime.emptyLines(1);
    run.runtime.line(blanks(7) + "INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR");
    run.runtime.line(blanks(7) + "COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER");
}

} // namespace vorna
