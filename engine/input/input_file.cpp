#include "input/input_file.h"

#include "input/free_format.h"
#include "input/profile_checks.h"
#include "input/si_input.h"
#include "method/units.h"
#include "report/fixed_field.h"
#include "run/run_context.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace vorna {
namespace {

struct RecordLayout {
    std::vector<std::string> names; // what each value is, for messages
    std::vector<bool> integers;     // which values must be whole numbers
};

std::string at(int line, int item)
{
    return "INPUT DATA FILE, LINE " + std::to_string(line) + ", VALUE " + std::to_string(item) +
           ": ";
}

[[noreturn]] void stopOnFault(RunContext &run, const FreeFormatFault &fault,
                              const RecordLayout &layout, const FreeFormatReader &reader)
{
    const std::string &name = layout.names[static_cast<std::size_t>(fault.valueIndex)];
    ValuePlaces places;
    places.firstContinuedRecordLine = reader.firstContinuedRecordLine();
    const auto block = [&](std::vector<std::string> lines) {
        for (std::string &hint : missingValueHints(places, fault.recordLine, fault.line,
                                                   fault.kind == FreeFormatFault::Kind::EndOfFile))
            lines.push_back(std::move(hint));
        return lines;
    };
    const std::string quoted = "\"" + fault.token + "\"";
    switch (fault.kind) {
    case FreeFormatFault::Kind::EndOfFile:
        stopWithError(run, kStatusInputEndsEarly,
                      block({"THE INPUT DATA FILE ENDS AFTER LINE " +
                                 std::to_string(fault.line - 1) + " BEFORE ITS DATA ARE COMPLETE.",
                             "EXPECTED: " + name + "."}));
    case FreeFormatFault::Kind::NotANumber:
        stopWithError(run, kStatusInputNotANumber,
                      block({at(fault.line, fault.item) + quoted + " IS NOT A NUMBER.",
                             "EXPECTED: " + name + "."}));
    case FreeFormatFault::Kind::NotAnInteger:
        stopWithError(run, kStatusInputNotANumber,
                      block({at(fault.line, fault.item) + quoted + " IS NOT A WHOLE NUMBER.",
                             "EXPECTED: " + name + "."}));
    case FreeFormatFault::Kind::TooLarge:
        stopWithError(run, kStatusInputOutOfRange,
                      block({at(fault.line, fault.item) + quoted + " IS TOO LARGE.",
                             "EXPECTED: " + name + " NO LARGER THAN " +
                                 numberText(kMaxInputMagnitude) + " IN SIZE."}));
    case FreeFormatFault::Kind::TooSmall:
        stopWithError(run, kStatusInputOutOfRange,
                      block({at(fault.line, fault.item) + quoted + " IS TOO CLOSE TO 0 TO BE HELD.",
                             "EXPECTED: " + name + " OF 0 OR AT LEAST 1E-300 IN SIZE."}));
    case FreeFormatFault::Kind::DecimalComma:
        stopWithError(run, kStatusInputOutOfRange,
                      block({at(fault.line, fault.item) + quoted +
                                 " HAS A COMMA BETWEEN TWO DIGITS, LIKELY A DECIMAL COMMA.",
                             "EXPECTED: " + name +
                                 ", WITH \".\" AS DECIMAL SEPARATOR AND "
                                 "BLANKS BETWEEN VALUES."}));
    }
    throw RunStopped{kStatusInternalError};
}

std::vector<FreeFormatValue> readRecord(RunContext &run, FreeFormatReader &reader,
                                        const RecordLayout &layout)
{
    FreeFormatFault fault{};
    const int recordLine = reader.lineNumber() + 1;
    auto values = reader.record(static_cast<int>(layout.names.size()), layout.integers, fault);
    if (!values)
        stopOnFault(run, fault, layout, reader);
    run.input.places.firstContinuedRecordLine = reader.firstContinuedRecordLine();
    // No quantity of a drilled shaft comes near this; beyond it products and powers of the
    // methods could overflow to infinity.
    for (std::size_t i = 0; i < values->size(); ++i) {
        const FreeFormatValue &v = (*values)[i];
        if (!(std::fabs(v.value) <= kMaxInputMagnitude)) {
            std::vector<std::string> lines = {at(v.line, v.item) + numberText(v.value) +
                                                  " IS TOO LARGE.",
                                              "EXPECTED: " + layout.names[i] + " NO LARGER THAN " +
                                                  numberText(kMaxInputMagnitude) + " IN SIZE."};
            for (std::string &hint : missingValueHints(run.input.places, recordLine, v.line))
                lines.push_back(std::move(hint));
            stopWithError(run, kStatusInputOutOfRange, lines);
        }
    }
    return *values;
}

void keepPlace(RunContext &run, std::string name, const FreeFormatValue &value)
{
    run.input.places.keep(std::move(name), {value.line, value.item});
}

void keepPlaces(RunContext &run, std::initializer_list<const char *> names,
                const std::vector<FreeFormatValue> &values)
{
    std::size_t i = 0;
    for (const char *name : names)
        keepPlace(run, name, values[i++]);
}

[[noreturn]] void stopOutOfRange(RunContext &run, const FreeFormatValue &where,
                                 const std::string &what, const std::string &expected)
{
    std::vector<std::string> lines = {at(where.line, where.item) + what + ".",
                                      "EXPECTED: " + expected + "."};
    for (std::string &hint : missingValueHints(run.input.places, 0, where.line))
        lines.push_back(std::move(hint));
    stopWithError(run, kStatusInputOutOfRange, lines);
}

RecordLayout layerLineLayout(std::string_view where, std::vector<std::string> names)
{
    RecordLayout layout;
    for (std::string &name : names)
        layout.names.push_back(name + " " + std::string(where));
    layout.integers.assign(layout.names.size(), false);
    return layout;
}

// One value of a layer line: kept per end of the layer, or once for the whole layer (the
// bottom line's value stands).
struct LineField {
    const char *name;
    TopBottom LayerInput::*perEnd = nullptr;
    double LayerInput::*whole = nullptr;
};

constexpr LineField kLrfdSide{"LRFD SIDE FACTOR", nullptr, &LayerInput::lrfdSide};
constexpr LineField kLrfdTip{"LRFD TIP FACTOR", nullptr, &LayerInput::lrfdTip};

constexpr LineField kSoilLine[] = {
    {"NC", &LayerInput::NC},
    {"UNIT WEIGHT", &LayerInput::GAMMA},
    {"FRICTION ANGLE", &LayerInput::PHI},
    {"UNDRAINED SHEAR STRENGTH", &LayerInput::CU},
    {"BLOW COUNT N", &LayerInput::BLOWS},
    {"MAXIMUM SIDE FRICTION", &LayerInput::TRANLM},
    {"MAXIMUM END BEARING", &LayerInput::maxEndBearing},
    kLrfdSide,
    kLrfdTip,
};
constexpr LineField kStrongRockLine[] = {
    {"ROCK STRENGTH QUR", &LayerInput::QUR},
    {"CONCRETE STRENGTH QUCON", &LayerInput::QUCON},
    {"SPACING OF DISCONTINUITIES", &LayerInput::CS},
    {"THICKNESS OF DISCONTINUITIES", &LayerInput::DISCT},
    {"SOCKET DIAMETER", &LayerInput::BDS},
    {"MAXIMUM SIDE FRICTION", &LayerInput::TRANLM},
    {"ROCK MODULUS", &LayerInput::EL},
    {"RQD", &LayerInput::RQD},
    {"MAXIMUM END BEARING", &LayerInput::maxEndBearing},
    kLrfdSide,
    kLrfdTip,
};
constexpr LineField kWeakRockLine[] = {
    {"ROCK STRENGTH QUR", &LayerInput::QUR},
    {"INTERFACE CONDITION", &LayerInput::interfaceCondition},
    {"SLUMP", &LayerInput::slump},
    {"INTERFACE FRICTION ANGLE", &LayerInput::interfaceFrictionAngle},
    {"SOCKET DIAMETER", &LayerInput::BDS},
    {"MAXIMUM SIDE FRICTION", &LayerInput::TRANLM},
    {"ROCK MODULUS", &LayerInput::EL},
    {"RQD", &LayerInput::RQD},
    {"MAXIMUM END BEARING", &LayerInput::maxEndBearing},
    kLrfdSide,
    kLrfdTip,
};
constexpr LineField kDecomposedRockLine[] = {
    {"UNIT WEIGHT", &LayerInput::GAMMA},
    {"BLOW COUNT N", &LayerInput::BLOWS},
    {"POISSON'S RATIO", &LayerInput::poissonRatio},
    {"YOUNG'S MODULUS", &LayerInput::gravelModulus},
    {"SOCKET DIAMETER", &LayerInput::BDS},
    {"MAXIMUM SIDE FRICTION", &LayerInput::TRANLM},
    {"MAXIMUM END BEARING", &LayerInput::maxEndBearing},
    kLrfdSide,
    kLrfdTip,
};
constexpr LineField kGravelLine[] = {
    {"UNIT WEIGHT", &LayerInput::GAMMA},
    {"BLOW COUNT N", &LayerInput::BLOWS},
    {"BETA", &LayerInput::coefficient},
    {"MAXIMUM SIDE FRICTION", &LayerInput::TRANLM},
    {"MAXIMUM END BEARING", &LayerInput::maxEndBearing},
    kLrfdSide,
    kLrfdTip,
};

// The top line and the bottom line of a layer, both laid out as `fields`.
void readLayerLines(RunContext &run, FreeFormatReader &reader, LayerInput &layer, int number,
                    const std::string &which, std::span<const LineField> fields)
{
    for (int end : {kTop, kBottom}) {
        std::vector<std::string> names;
        for (const LineField &field : fields)
            names.emplace_back(field.name);
        const auto values = readRecord(
            run, reader,
            layerLineLayout((end == kTop ? "AT THE TOP OF " : "AT THE BOTTOM OF ") + which, names));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].perEnd || end == kBottom)
                keepPlace(run, layerValueKey(number, fields[i].name, end), values[i]);
            if (fields[i].perEnd) {
                (layer.*fields[i].perEnd)[end] = values[i].value;
                continue;
            }
            layer.*fields[i].whole = values[i].value;
            // The bottom line's factor is the one used (and checked with the others after
            // reading); one on the top line that no design can have is refused all the same.
            const double v = values[i].value;
            if (end == kTop && run.input.isLrfd() && !(v >= 0.0 && v <= 1.0))
                stopOutOfRange(run, values[i],
                               which + ": THE " + fields[i].name + " ON THE TOP LINE IS " +
                                   numberText(v),
                               "FROM 0 TO 1 (THE VALUE OF THE BOTTOM LINE IS THE ONE USED)");
        }
    }
}

LayerInput readLayer(RunContext &run, FreeFormatReader &reader, int number, double topDepth)
{
    const std::string which = "LAYER " + std::to_string(number);
    const auto header = readRecord(
        run, reader,
        RecordLayout{{"SOIL TYPE CODE OF " + which, "BOTTOM DEPTH OF " + which}, {false, false}});
    LayerInput layer;
    keepPlace(run, layerValueKey(number, "SOIL TYPE CODE", kBottom), header[0]);
    keepPlace(run, layerValueKey(number, "BOTTOM DEPTH", kBottom), header[1]);
    layer.SOIL = header[0].value;
    layer.topDepth = topDepth;
    layer.DEPTH = header[1].value;
    const auto type = soilTypeFromCode(layer.SOIL);
    if (!type) {
        const std::string code = numberText(layer.SOIL);
        std::vector<std::string> lines = {
            "INPUT DATA FILE, LINE " + std::to_string(header[0].line) + ": THE SOIL TYPE CODE OF " +
                which + " IS " + code + ".",
            "EXPECTED: A SOIL TYPE CODE FROM 1 TO 9."};
        for (std::string &hint :
             missingValueHints(run.input.places, header[0].line, header[0].line))
            lines.push_back(std::move(hint));
        stopWithError(run, kStatusInputBadSoilCode, lines);
    }
    layer.type = *type;

    switch (layer.type) {
    case SoilType::Sand:
    case SoilType::Clay:
    case SoilType::ClayShale: {
        readLayerLines(run, reader, layer, number, which, kSoilLine);
        if (layer.type == SoilType::Sand) {
            const auto method = readRecord(
                run, reader,
                RecordLayout{{"SAND METHOD OF " + which + " (1 = K, 2 = BETA)"}, {true}});
            keepPlace(run, layerValueKey(number, "SAND METHOD", kBottom), method[0]);
            layer.sandMethod = static_cast<int>(method[0].value);
        }
        const auto c = readRecord(
            run, reader, layerLineLayout("OF " + which, {"TOP COEFFICIENT", "BOTTOM COEFFICIENT"}));
        keepPlace(run, layerValueKey(number, "COEFFICIENT", kTop), c[0]);
        keepPlace(run, layerValueKey(number, "COEFFICIENT", kBottom), c[1]);
        layer.coefficient = {c[0].value, c[1].value};
        break;
    }
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        readLayerLines(run, reader, layer, number, which, kStrongRockLine);
        break;
    case SoilType::DecomposedRock:
        readLayerLines(run, reader, layer, number, which, kDecomposedRockLine);
        break;
    case SoilType::WeakRock:
        readLayerLines(run, reader, layer, number, which, kWeakRockLine);
        break;
    case SoilType::GravellySand:
    case SoilType::Gravel:
        readLayerLines(run, reader, layer, number, which, kGravelLine);
        layer.sandMethod = 2; // gravels always use the beta method
        break;
    }

    // Zero means no limit.
    for (TopBottom *limit : {&layer.TRANLM, &layer.maxEndBearing})
        for (double &value : *limit)
            if (std::fabs(value) < 1.0e-10)
                value = kNoLimit;
    return layer;
}

void writeInputEcho(RunContext &run)
{
    const InputData &in = run.input;
    const bool si = in.isSI();
    if (in.designControl == DesignControl::DesignDepth) {
        run.reportAndConsole("");
        run.reportAndConsole("");
        run.reportAndConsole(blanks(5) + "PROPOSED DEPTH =" + fieldF(in.DGH, 10, 1) +
                             (si ? " M" : " FT"));
        run.reportAndConsole(blanks(5) + std::string(16, '-'));
    } else {
        run.reportAndConsole("");
        run.reportAndConsole("");
        run.reportAndConsole(blanks(5) + "TOTAL LOAD =" + fieldF(in.P, 10, 1) +
                             (si ? " KN" : " TONS"));
        run.reportAndConsole(blanks(5) + std::string(12, '-'));
    }
    run.reportAndConsole("");
    run.reportAndConsole("");
    if (in.loadingType == LoadingType::Uplift) {
        run.report.line(blanks(5) + "REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION =" +
                        fieldF(in.upliftFactor, 6, 3));
        run.report.line(blanks(5) + std::string(46, '-'));
        run.report.emptyLines(2);
    }
    run.reportAndConsole(blanks(5) + "NUMBER OF LAYERS =" + fieldI(in.NL, 5));
    run.reportAndConsole(blanks(5) + std::string(18, '-'));
    run.reportAndConsole("");
    run.reportAndConsole("");
    run.reportAndConsole(blanks(5) + "WATER TABLE DEPTH =" + fieldF(in.WTD, 10, 1) +
                         (si ? " M" : " FT."));
    run.reportAndConsole(blanks(5) + std::string(19, '-'));
    run.reportAndConsole("");
    run.reportAndConsole("");
}

void writeDesignDepthWarning(RunContext &run)
{
    for (TextOut *out : {&run.report, &run.runtime}) {
        out->emptyLines(2);
        out->line(blanks(5) + std::string(kWarningFrame));
        out->line(blanks(5) + "PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER");
        out->line(blanks(5) + "THAN THE TIP OF DRILLED SHAFTS");
        out->emptyLines(2);
    }
}

} // namespace

void readInputFile(RunContext &run, std::string_view content)
{
    FreeFormatReader reader(content);
    InputData &in = run.input;

    const auto title = reader.textLine();
    in.title = padded(title.value_or(std::string()), 72);
    run.reportAndConsole(blanks(5) + in.title);

    const auto units =
        readRecord(run, reader, RecordLayout{{"UNIT SYSTEM (1 = ENGLISH, 2 = SI)"}, {true}});
    keepPlace(run, "units", units[0]);
    in.units = static_cast<int>(units[0].value);
    in.unitSystem = in.units == 2 ? UnitSystem::SI : UnitSystem::English;

    const auto control = readRecord(
        run, reader,
        RecordLayout{{"DESIGN CONTROL (1 = DESIGN LOAD, 2 = DESIGN DEPTH)",
                      "LOADING TYPE (1 = COMPRESSION, 2 = UPLIFT)", "UPLIFT REDUCTION FACTOR",
                      "OUTPUT INCREMENT", "END BEARING IN SANDS OPTION (0 OR 1)",
                      "DESIGN METHOD (1 = LRFD, 2 = FACTORS OF SAFETY)"},
                     {true, true, false, false, true, true}});
    const int designControl = static_cast<int>(control[0].value);
    const int loadingType = static_cast<int>(control[1].value);
    if (designControl != 1 && designControl != 2)
        stopOutOfRange(run, control[0], "THE DESIGN CONTROL IS " + std::to_string(designControl),
                       "1 (DESIGN LOAD) OR 2 (DESIGN DEPTH)");
    if (loadingType != 1 && loadingType != 2)
        stopOutOfRange(run, control[1], "THE LOADING TYPE IS " + std::to_string(loadingType),
                       "1 (COMPRESSION) OR 2 (UPLIFT)");
    keepPlaces(run,
               {"designControl", "loadingType", "upliftFactor", "outputIncrement",
                "endBearingOption", "designMethod"},
               control);
    in.designControl = static_cast<DesignControl>(designControl);
    in.loadingType = static_cast<LoadingType>(loadingType);
    in.upliftFactor = control[2].value;
    in.outputIncrement = control[3].value;
    in.endBearingOption = static_cast<int>(control[4].value);
    in.designMethod = static_cast<int>(control[5].value);

    const auto shaft =
        readRecord(run, reader,
                   RecordLayout{{"SMALLEST DIAMETER DSTART", "LARGEST DIAMETER DIALIM",
                                 "BASE TO STEM DIAMETER RATIO", "BELL ANGLE",
                                 "TOP LENGTH WITHOUT SIDE RESISTANCE TOPLEN",
                                 "BOTTOM LENGTH WITHOUT SIDE RESISTANCE BS", "SHAFT MODULUS EC"},
                                std::vector<bool>(7, false)});
    keepPlaces(run, {"DSTART", "DIALIM", "RATIO", "BELANGL", "TOPLEN", "BS", "Ec"}, shaft);
    in.DSTART = shaft[0].value;
    in.DIALIM = shaft[1].value;
    in.RATIO = shaft[2].value;
    in.BELANGL = shaft[3].value;
    in.TOPLEN = shaft[4].value;
    in.BS = shaft[5].value;
    in.Ec = shaft[6].value;

    const auto profile = readRecord(
        run, reader,
        RecordLayout{{"NUMBER OF LAYERS NL", "WATER TABLE DEPTH WTD", "DESIGN LOAD OR DESIGN DEPTH",
                      "FACTOR OF SAFETY FST", "FACTOR OF SAFETY FSB"},
                     {true, false, false, false, false}});
    keepPlaces(
        run,
        {"NL", "WTD", in.designControl == DesignControl::DesignDepth ? "DGH" : "P", "FST", "FSB"},
        profile);
    in.NL = static_cast<int>(profile[0].value);
    if (in.NL < 1 || in.NL > kMaxLayers)
        stopOutOfRange(run, profile[0], "THE NUMBER OF LAYERS IS " + std::to_string(in.NL),
                       "1 TO " + std::to_string(kMaxLayers) + " LAYERS");
    in.WTD = profile[1].value;
    in.P = profile[2].value;
    if (in.designControl == DesignControl::DesignDepth)
        in.DGH = in.P;
    in.FST = profile[3].value;
    in.FSB = profile[4].value;

    writeInputEcho(run);

    double topDepth = 0.0;
    for (int k = 1; k <= in.NL; ++k) {
        in.layers.push_back(readLayer(run, reader, k, topDepth));
        topDepth = in.layers.back().DEPTH;
    }

    if (in.layers.back().DEPTH < in.DGH)
        writeDesignDepthWarning(run);

    if (in.RATIO == 1.0)
        in.RATIO = 0.0;
    if (in.DIALIM < in.DSTART)
        in.DIALIM = in.DSTART;

    if (in.isSI())
        convertSiInput(in);
}

std::vector<std::string> missingValueHints(const ValuePlaces &places, int recordLine, int line,
                                           bool endOfFile)
{
    std::vector<std::string> hints;
    if (endOfFile && recordLine > 0 && recordLine < line)
        hints.push_back("THE RECORD BEGAN ON LINE " + std::to_string(recordLine) +
                        " AND WENT ON TO THE END OF THE FILE: A VALUE MAY BE MISSING ON LINE " +
                        std::to_string(recordLine) + ".");
    else if (recordLine > 0 && recordLine < line)
        hints.push_back("THE RECORD OF THIS VALUE BEGAN ON LINE " + std::to_string(recordLine) +
                        " AND WENT ON TO LINE " + std::to_string(line) +
                        ": A VALUE MAY BE MISSING ON LINE " + std::to_string(recordLine) + ".");
    const int continued = places.firstContinuedRecordLine;
    if (continued > 0 && continued != recordLine && continued <= line)
        hints.push_back("LINE " + std::to_string(continued) +
                        " HOLDS TOO FEW VALUES FOR ITS RECORD, WHICH WENT ON TO THE NEXT LINE:");
    if (continued > 0 && continued != recordLine && continued <= line)
        hints.push_back("A VALUE MAY BE MISSING ON LINE " + std::to_string(continued) +
                        ", SHIFTING THE VALUES AFTER IT.");
    return hints;
}

} // namespace vorna
