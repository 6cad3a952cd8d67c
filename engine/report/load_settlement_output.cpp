#include "report/load_settlement_output.h"

#include "method/units.h"
#include "report/fixed_field.h"
#include "run/run_context.h"
#include "vornacalc/engine.h"

#include <fstream>
#include <memory>

namespace vorna {
namespace {

constexpr std::string_view kTitleTrend = "RESULT FROM TREND (AVERAGED) LINE";
constexpr std::string_view kTitleUpper = "RESULT FROM UPPER-BOUND LINE";
constexpr std::string_view kTitleLower = "RESULT FROM LOWER-BOUND LINE";
constexpr std::string_view kTableHeading = "TOP  LOAD     TOP MOVEMENT       TIP LOAD  ";
constexpr std::string_view kTableHeadingTip = "TIP  MOVEMENT";

constexpr std::string_view kWarningTitle = "**** WARNING ****";
constexpr std::string_view kValueOfX = "THE VALUE OF X =";
constexpr std::string_view kBeyondLayerProfile =
    " IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1";
constexpr std::string_view kBeyondStrengthCurve =
    " IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE";
constexpr std::string_view kBeyondMaxTransfer = "IS BEYOND THE EXTENT OF/";
constexpr std::string_view kBeyondMaxTransferTail = "THE INPUT MAX. LOAD TRANSFER";

constexpr std::string_view kTzNote = "NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND ";
constexpr std::string_view kTzNoteTail = "AND CLAY LAYERS ONLY.";
constexpr std::string_view kTzHeading = "T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD ";
constexpr std::string_view kTzHeadingTail = "TRANSFER   PILE MOVEMENT";
constexpr std::string_view kTzBaseHeading = "TIP   LOAD";
constexpr std::string_view kTzBaseHeadingTail = "TIP MOVEMENT";

constexpr std::string_view kTzDataName = "TZDATA.DAT";

std::string_view caseTitle(CurveCase curveCase)
{
    switch (curveCase) {
    case CurveCase::Trend:
        return kTitleTrend;
    case CurveCase::UpperBound:
        return kTitleUpper;
    case CurveCase::LowerBound:
        return kTitleLower;
    }
    return kTitleTrend;
}

std::string text(std::string_view view)
{
    return std::string(view);
}

void writeLines(TextOut &out, const std::vector<std::string> &lines)
{
    for (const std::string &line : lines)
        out.line(line);
}

// Conversions of the diagnostic listing; SI uses its own rounded factors.
double listedLength(double inches, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? inches * kMPerIn : inches;
}
double listedStress(double psi, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? psi * kKPaPerPsi : psi;
}
double listedForce(double pounds, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? pounds * kNPerLb / kNPerKN : pounds / kLbPerTon;
}

void appendStationListing(std::vector<std::string> &lines, const LoadSettlementRun &run,
                          UnitSystem unitSystem)
{
    const SettlementUnitLabels labels = settlementUnitLabels(unitSystem);
    lines.push_back(blanks(5) + text(kTzNote) + text(kTzNoteTail));
    lines.insert(lines.end(), 4, std::string());
    lines.push_back(blanks(8) + text(kTzHeading) + text(kTzHeadingTail));
    lines.push_back(blanks(11) + "NO." + blanks(6) + "POINTS" + blanks(8) + text(labels.length) +
                    blanks(14) + text(labels.stress) + blanks(13) + text(labels.length));
    lines.emplace_back();
    for (std::size_t s = 0; s < run.stations.size(); ++s) {
        const CurveStation &station = run.stations[s];
        lines.push_back(blanks(8) + fieldI(static_cast<long long>(s + 1), 5) +
                        fieldI(kTransferCurvePoints, 11) +
                        fieldE(listedLength(station.depthIn, unitSystem), 16, 4));
        for (const TransferPoint &p : station.curve) {
            std::string &line = lines.emplace_back(40, ' ');
            line.reserve(40 + 17 + 16);
            appendFieldE(line, listedStress(p.value, unitSystem), 17, 4);
            appendFieldE(line, listedLength(p.movementIn, unitSystem), 16, 4);
        }
    }
}

void appendBaseListing(std::vector<std::string> &lines, const LoadSettlementRun &run,
                       UnitSystem unitSystem)
{
    const SettlementUnitLabels labels = settlementUnitLabels(unitSystem);
    lines.insert(lines.end(), 3, std::string());
    lines.push_back(blanks(8) + text(kTzBaseHeading) + blanks(8) + text(kTzBaseHeadingTail));
    lines.push_back(blanks(12) + text(labels.force) + blanks(15) + text(labels.length));
    lines.emplace_back();
    for (const TransferPoint &p : run.baseCurve) {
        std::string &line = lines.emplace_back();
        line.reserve(18 + 19);
        appendFieldE(line, listedForce(p.value, unitSystem), 18, 4);
        appendFieldE(line, listedLength(p.movementIn, unitSystem), 19, 4);
    }
}

} // namespace

SettlementUnitLabels settlementUnitLabels(UnitSystem unitSystem)
{
    if (unitSystem == UnitSystem::SI)
        return {" M.", "KN.", "KPA", " SQ M"};
    return {"IN.", "ton", "PSI", "SQ IN"};
}

std::vector<std::string> loadSettlementTableLines(UnitSystem unitSystem, CurveCase curveCase,
                                                  const SettlementCurve &curve)
{
    const SettlementUnitLabels labels = settlementUnitLabels(unitSystem);
    std::vector<std::string> lines(3);
    lines.push_back(blanks(8) + text(caseTitle(curveCase)));
    lines.emplace_back();
    lines.push_back(blanks(8) + text(kTableHeading) + blanks(4) + text(kTableHeadingTip));
    lines.push_back(blanks(11) + text(labels.force) + blanks(13) + text(labels.length) +
                    blanks(14) + text(labels.force) + blanks(12) + text(labels.length));
    for (const SettlementPoint &p : curve) {
        std::string &line = lines.emplace_back();
        line.reserve(17 + 3 * 16);
        appendFieldE(line, p.topLoad, 17, 4);
        appendFieldE(line, p.topMovement, 16, 4);
        appendFieldE(line, p.tipLoad, 16, 4);
        appendFieldE(line, p.tipMovement, 16, 4);
    }
    return lines;
}

std::vector<std::string> profileWarningLines(int status, double depthIn)
{
    std::string detail = blanks(5) + text(kValueOfX);
    switch (status) {
    case kStatusBeyondLayerProfile:
        detail += fieldE(depthIn, 9, 3) + text(kBeyondLayerProfile);
        break;
    case kStatusBeyondStrengthCurve:
        detail += fieldE(depthIn, 9, 2) + text(kBeyondStrengthCurve);
        break;
    default:
        detail += fieldE(depthIn, 9, 2) + text(kBeyondMaxTransfer) + blanks(5) +
                  text(kBeyondMaxTransferTail);
        break;
    }
    return {std::string(), blanks(29) + text(kWarningTitle), detail};
}

std::vector<std::string> noConvergenceLines(const LoadSettlementRun &run,
                                            const LoadSettlementInput &input)
{
    const auto movements = assumedTipMovementsIn(input.stemDiameterFt * kInPerFt);
    const double tipMovementIn = movements[static_cast<std::size_t>(run.failedPoint - 1)];
    const double shown =
        input.unitSystem == UnitSystem::SI ? tipMovementIn / kInPerM : tipMovementIn;
    return {"THE LOAD-SETTLEMENT ITERATION DID NOT CONVERGE WITHIN " +
                std::to_string(kMaxNodePasses) + " PASSES",
            "AT NODE" + fieldI(run.failedNode, 6) + " FOR THE TIP MOVEMENT" + fieldE(shown, 11, 4) +
                " " + text(settlementUnitLabels(input.unitSystem).length)};
}

std::vector<std::string> tzDataLines(const LoadSettlementRun &run, UnitSystem unitSystem)
{
    std::vector<std::string> lines;
    if (run.stations.empty())
        return lines;
    appendStationListing(lines, run, unitSystem);
    if (!run.hasBaseCurve)
        return lines;
    appendBaseListing(lines, run, unitSystem);
    if (run.status == kStatusOk)
        lines.emplace_back("1");
    return lines;
}

std::string loadSettlementRuntimeLine(int segmentCount)
{
    return listIntegers({kSettlementPoints, segmentCount, 0, segmentCount});
}

namespace {

// The listing written over the bytes of the earlier one, which is then cut to its length,
// instead of emptying the file first: emptying frees its blocks, which can wait on the disk
// at the very end of the run, while a listing of the same project takes the same blocks.
// One that could not be written whole leaves the file empty, not mixed with the earlier.
void writeOver(const std::filesystem::path &path, std::string_view content)
{
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!out.is_open())
        out.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
    if (!out.is_open())
        return;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    std::error_code ec;
    std::filesystem::resize_file(path, out.fail() ? 0 : content.size(), ec);
}

} // namespace

std::filesystem::path tzDataPath(const RunContext &run)
{
    const std::filesystem::path folder = run.options.diagnosticFolder.empty()
                                             ? run.files.input.parent_path()
                                             : run.options.diagnosticFolder;
    return folder / kTzDataName;
}

SettlementCurve runLoadSettlement(RunContext &run, const LoadSettlementInput &input,
                                  CurveCase curveCase)
{
    return reportLoadSettlement(run, input, curveCase, computeLoadSettlement(input, curveCase));
}

SettlementCurve reportLoadSettlement(RunContext &run, const LoadSettlementInput &input,
                                     CurveCase curveCase, LoadSettlementRun computed)
{
    // Kept by the listing below, which outlives this call; shared, not copied.
    const auto kept = std::make_shared<const LoadSettlementRun>(std::move(computed));
    const LoadSettlementRun &result = *kept;
    // Every run replaces TZDATA.DAT, so only the last run's listing survives the analysis:
    // it is written once, when the run ends (however it ends), not after every curve.
    run.deferredDiagnostics = [path = tzDataPath(run), sink = run.options.diagnosticSink, kept,
                               units = input.unitSystem] {
        if (sink) {
            std::string listing;
            for (const std::string &line : tzDataLines(*kept, units))
                listing.append(line).append("\r\n");
            sink(listing);
            return;
        }
        std::string listing;
        for (const std::string &line : tzDataLines(*kept, units))
            listing.append(line).append("\r\n");
        writeOver(path, listing);
    };
    switch (result.status) {
    case kStatusOk:
        break;
    case kStatusBeyondLayerProfile:
    case kStatusBeyondMaxTransfer:
        writeLines(run.report, profileWarningLines(result.status, result.failedDepthIn));
        throw RunStopped{result.status};
    case kStatusBeyondStrengthCurve:
        writeLines(run.report, profileWarningLines(result.status, result.failedDepthIn));
        writeLines(run.runtime, profileWarningLines(result.status, result.failedDepthIn));
        throw RunStopped{result.status};
    default:
        run.runtime.line(loadSettlementRuntimeLine(input.segmentCount));
        stopWithError(run, result.status, noConvergenceLines(result, input));
    }
    run.runtime.line(loadSettlementRuntimeLine(input.segmentCount));
    writeLines(run.report, loadSettlementTableLines(input.unitSystem, curveCase, result.points));
    return result.points;
}

} // namespace vorna
