#include "run/capacity_driver.h"

#include "method/side_resistance.h"
#include "method/soil_type.h"
#include "method/units.h"
#include "report/capacity_report.h"
#include "report/capacity_table.h"
#include "report/fixed_field.h"
#include "report/load_settlement_output.h"
#include "report/plot_file.h"
#include "report/rock_tip_output.h"
#include "report/soil_report.h"
#include "run/run_context.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

namespace vorna {

int nearestWholeNumber(double value)
{
    return static_cast<int>(std::lround(value));
}

std::vector<TipRecord> DepthWalk::tipRecords() const
{
    std::vector<TipRecord> records(byTip.size());
    for (std::size_t m = 0; m < byTip.size(); ++m)
        records[m] = byTip[m].tip;
    return records;
}

namespace {

void storeStep(DepthWalk &walk, int tip, const StepRecord &record)
{
    if (tip < 0)
        return;
    if (static_cast<std::size_t>(tip) >= walk.byTip.size())
        walk.byTip.resize(static_cast<std::size_t>(tip) + 1);
    walk.byTip[static_cast<std::size_t>(tip)] = record;
    walk.lastTip = std::max(walk.lastTip, tip);
}

} // namespace

DepthWalk walkProfile(RunContext &run, const SoilProfile &profile, const BaseGeometry &geometry,
                      double bottomLengthFt)
{
    const InputData &input = run.input;
    DepthWalk walk;
    walk.layers.resize(profile.layers.size());
    if (!profile.layers.empty()) {
        // The tips go down to about the profile's bottom below the base.
        const double deepestTip =
            profile.layers.back().DEPTH + bottomLengthFt + geometry.stemEndToBaseFt;
        if (deepestTip > 0.0 && deepestTip < 65536.0)
            walk.byTip.reserve(static_cast<std::size_t>(deepestTip) + 2);
    }
    EffectiveStress stress{startingStressPsf(profile, input.TOPLEN, input.WTD), 0.0};
    SideTotals totals;
    RunningMean weakRockModulus;
    // Whether rock of codes 4 or 7 was reached: the base average of a tip in soil above
    // rock uses the last soil value. Kept per diameter so every diameter is averaged alike.
    bool soilBeforeRock = true;

    for (std::size_t i = 0; i < profile.layers.size(); ++i) {
        const SoilLayer &layer = profile.layers[i];
        LayerSummary &summary = walk.layers[i];
        summary.layerIndex = i;
        summary.soil = layer.type;
        for (const DepthStep &step : layerSteps(layer, input.TOPLEN)) {
            const double z = step.depthFt;
            const double d = step.distanceFt;
            stress = advancedStress(stress, layer.at(layer.GAMMA, d), z, input.WTD);
            writeStepDataMessages(run, checkStepData(layer, d));
            if (layer.type == SoilType::WeakRock)
                weakRockModulus.add(layer.at(layer.rockModulusTsf, d));

            const SideStep side = sideResistanceStep(
                input, profile, {i, z, d, stress, geometry.stemDiameterFt, weakRockModulus.mean()});
            if (side.noEffectiveStress)
                stopOnNoEffectiveStress(run, static_cast<int>(i) + 1, z);
            writeSideStepMessages(run, side);
            totals = accumulatedSide(totals, side, layer.lrfdSide);
            if (layer.type == SoilType::WeakRock && !walk.reachedWeakRock) {
                walk.reachedWeakRock = true;
                walk.firstWeakRockQS = totals.QS;
            }
            if (isRockSocket(layer.type))
                soilBeforeRock = false;
            if (layer.type == SoilType::StrongRockSideOrBase &&
                isCodeFourSideOnly(std::min(layer.at(layer.QUR, d), layer.at(layer.QUCON, d))))
                walk.weakCodeFourRock = true;

            const double baseTons = stepBaseResistanceTons(
                input, profile, geometry,
                {i, z, d, geometry.stemDiameterFt, bottomLengthFt, side.geomaterialBaseTons});
            const int tip = nearestWholeNumber(z + bottomLengthFt + geometry.stemEndToBaseFt);
            const double volume =
                (tip - geometry.stemEndToBaseFt) * geometry.stemAreaSqFt / kCuFtPerCuYd +
                geometry.bellVolumeCuYd;
            storeStep(walk, tip,
                      {true,
                       volume,
                       totals.QS,
                       totals.lrfdQS,
                       side.unitSideResistanceTsf,
                       {baseTons, soilBeforeRock}});

            if (!summary.reached) {
                summary.reached = true;
                summary.firstTip = tip;
                summary.firstSideTsf = side.unitSideResistanceTsf;
            }
            summary.lastTip = tip;
            summary.lastSideTsf = side.unitSideResistanceTsf;
            summary.lastDepthFt = z;
            summary.lastQS = totals.QS;
            summary.lastStressPsf = stress.psf;
            walk.deepestDepthFt = z;
            walk.finalStressPsf = stress.psf;
        }
    }
    return walk;
}

namespace {

// Everything of a diameter that later steps need.
struct DiameterOutcome {
    std::vector<CapacityRow> rows;  // engine units
    std::vector<ResultRow> printed; // the same rows in output units, converted once
    bool designLoadReached = false;
};

// The layer that holds the base of a shaft of the given length.
std::size_t tipLayerIndex(const SoilProfile &profile, double lengthFt)
{
    for (std::size_t i = 0; i < profile.layers.size(); ++i)
        if (profile.layers[i].DEPTH > lengthFt)
            return i;
    return profile.layers.empty() ? 0 : profile.layers.size() - 1;
}

bool allFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The last guard of every reported number: values so extreme that a method overflows end
// the run with an error instead of being written as results.
[[noreturn]] void stopNotFinite(RunContext &run, double stemDiameterFt, const std::string &where)
{
    const bool si = run.input.isSI();
    stopWithError(run, kStatusInputOutOfRange,
                  {"THE ANALYSIS OF THE " + numberText(outputLength(stemDiameterFt, si)) +
                       (si ? " M" : " FT") + " SHAFT GIVES NO FINITE VALUE " + where + ".",
                   "EXPECTED: SHAFT AND LAYER DATA WITHIN THE RANGES OF THE METHODS."});
}

std::string atLength(double lengthFt, bool si)
{
    return "AT A LENGTH OF " + numberText(outputLength(lengthFt, si)) + (si ? " M" : " FT");
}

void writeNeedAnotherLayer(RunContext &run)
{
    constexpr std::string_view kMessage = "   *********** NEED ANOTHER SOIL LAYER ************";
    run.consoleEmpty(1);
    run.console(kMessage);
    for (TextOut *out : {&run.runtime, &run.report}) {
        out->emptyLines(1);
        out->line(kMessage);
    }
}

// What the analysis of one diameter leaves for the run. Diameters are analysed aside, each
// in a context of its own, and taken up in their order, so that every decision that depends
// on the diameters before (the stop for want of a layer, the curve sets of the plot data
// file, the most efficient shaft) is made as a run one diameter after the other makes it.
struct RunState {
    double FSB = 1.0;
    bool weakCodeFourRock = false;
    bool designLoadReached = false;
    bool rowsComplete = false; // the design-load check comes here
    bool hasRows = false;
    bool soilTip = false; // three load-settlement curves
    double quPerVolume = 0.0;
    std::optional<BestShaft> candidate;
    // The plot block without its curve sets, which depend on the diameters before.
    PlotBlock block;
    std::vector<SettlementCurve> curves;
    // Columns of the diameter's report rows that printed as asterisks.
    std::vector<std::string> overflowing;
    // Called once the rows and their warnings are written.
    std::function<void()> onRowsComplete;
};

// Result rows of a diameter from its depth walk, written as they are computed.
DiameterOutcome computeRows(RunContext &run, const SoilProfile &profile, const DepthWalk &walk,
                            const BaseGeometry &geometry, double bottomLengthFt, RunState &state)
{
    const InputData &input = run.input;
    const bool si = input.isSI();
    const bool lrfd = input.isLrfd();
    const bool uplift = input.loadingType == LoadingType::Uplift;
    DiameterOutcome outcome;

    const int firstRow =
        nearestWholeNumber(bottomLengthFt + input.TOPLEN + geometry.stemEndToBaseFt) + 1;
    const int lastRow = lastBaseRowLengthFt(walk.lastTip, geometry, bottomLengthFt);
    if (lastRow < firstRow) {
        writeIncreaseSoilDepth(run);
        return outcome;
    }
    const std::vector<TipRecord> records = walk.tipRecords();
    // Every row but where the design load or depth comes first.
    const auto rowCount = static_cast<std::size_t>(std::min(lastRow - firstRow + 1, 1 << 16));
    outcome.rows.reserve(rowCount);
    outcome.printed.reserve(rowCount);
    const ZoneWeights zone = zoneWeights(geometry);
    double previousVolume = 0.0;
    for (int k = firstRow; k <= lastRow; ++k) {
        const StepRecord &step = static_cast<std::size_t>(k) < walk.byTip.size()
                                     ? walk.byTip[static_cast<std::size_t>(k)]
                                     : StepRecord{};
        CapacityRow row;
        row.lengthFt = k;
        row.volumeCuYd = step.volumeCuYd > 0.01 ? step.volumeCuYd : previousVolume;
        previousVolume = row.volumeCuYd;
        row.sideTons = step.QS;
        row.baseTons = averagedBaseResistanceTons(records, k, geometry, bottomLengthFt, zone);
        RowFactors factors{lrfd, input.FST, state.FSB, lrfdTipFactor(profile, k)};
        if (uplift) {
            row.baseTons =
                upliftWeightTons(row.volumeCuYd, row.lengthFt, input.WTD, geometry.stemDiameterFt);
            state.FSB = 1.0;
            factors.FSB = 1.0;
            factors.lrfdTip = 1.0; // the weight is not factored
        }
        row = completedRow(row, step.lrfdQS, factors);
        if (!allFinite({row.volumeCuYd, row.sideTons, row.baseTons, row.ultimateTons,
                        row.allowableBaseFactoredTons, row.allowableTons, row.factoredSideTons,
                        row.factoredBaseTons}))
            stopNotFinite(run, geometry.stemDiameterFt, atLength(row.lengthFt, si));
        const ResultRow printed = outputRow(row, si, lrfd);
        outcome.rows.push_back(row);
        outcome.printed.push_back(printed);

        const bool toReport = input.designControl == DesignControl::DesignLoad;
        if (toReport || run.options.console) {
            const std::string line = resultRowLine(printed, si);
            run.console(line);
            if (toReport) {
                run.report.line(line);
                addOverflowingColumns(state.overflowing, line, {si, uplift, lrfd});
            }
        }

        if (input.designControl == DesignControl::DesignLoad &&
            designQuantity(row, lrfd) > input.P) {
            outcome.designLoadReached = true;
            break;
        }
        if (input.designControl == DesignControl::DesignDepth && row.lengthFt >= input.DGH)
            break;
    }
    return outcome;
}

void writeRetabulatedRows(RunContext &run, const DiameterOutcome &outcome,
                          const BaseGeometry &geometry, double bottomLengthFt, RunState &state)
{
    const InputData &input = run.input;
    const bool si = input.isSI();
    const bool lrfd = input.isLrfd();
    const std::vector<ResultRow> &rows = outcome.printed;
    double lastLength = std::numeric_limits<double>::infinity();
    if (si) {
        lastLength = input.designControl == DesignControl::DesignDepth ? outputLength(input.DGH, si)
                                                                       : rows.back().length;
    }
    const double above = outputLength(bottomLengthFt + input.TOPLEN + geometry.stemEndToBaseFt, si);
    for (const ResultRow &row :
         retabulatedRows(rows, input.outputIncrement, above, lastLength, lrfd)) {
        const std::string line = resultRowLine(row, si);
        run.report.line(line);
        addOverflowingColumns(state.overflowing, line,
                              {si, input.loadingType == LoadingType::Uplift, lrfd});
    }
}

// The unit side resistance of the step whose tip position is `tip` (0 where none was made).
double sideTsfAtTip(const DepthWalk &walk, int tip)
{
    return tip >= 0 && static_cast<std::size_t>(tip) < walk.byTip.size()
               ? walk.byTip[static_cast<std::size_t>(tip)].sideTsf
               : 0.0;
}

// The hand-over to the load-transfer analysis of a shaft whose tip is in soil.
LoadSettlementInput loadSettlementInput(const RunContext &run, const DepthWalk &walk,
                                        const DiameterOutcome &outcome,
                                        const BaseGeometry &geometry, double bottomLengthFt)
{
    const InputData &input = run.input;
    const CapacityRow &design = outcome.rows.back();
    LoadSettlementInput in;
    in.unitSystem = input.unitSystem;
    in.stemDiameterFt = geometry.stemDiameterFt;
    in.baseDiameterFt = geometry.baseDiameterFt;
    in.shaftLengthFt = design.lengthFt;
    in.lengthWithoutSideFt = geometry.stemEndToBaseFt + bottomLengthFt;
    in.Ec = input.Ec;
    in.baseResistanceTons = design.baseTons;
    in.segmentCount = static_cast<int>(outcome.rows.size());
    for (const LayerSummary &summary : walk.layers) {
        if (!summary.reached || summary.firstTip > design.lengthFt)
            continue;
        LoadSettlementLayer layer{summary.soil, static_cast<double>(summary.firstTip),
                                  static_cast<double>(summary.lastTip), summary.firstSideTsf,
                                  summary.lastSideTsf};
        if (layer.bottomFt >= design.lengthFt) {
            // The tip layer ends at the design length, with the unit side resistance there:
            // the walk goes on below the tip, so the layer's last step is not the tip.
            layer.bottomFt = design.lengthFt;
            layer.sideBottomTsf = sideTsfAtTip(walk, static_cast<int>(design.lengthFt));
        }
        in.layers.push_back(layer);
        if (summary.lastTip >= design.lengthFt)
            break;
    }
    in.sideProfile.reserve(outcome.rows.size());
    for (const CapacityRow &row : outcome.rows)
        in.sideProfile.push_back(
            {row.lengthFt, sideTsfAtTip(walk, static_cast<int>(row.lengthFt))});
    return in;
}

// The socket method of a shaft whose tip is in rock or an intermediate geomaterial.
RockTipInput rockTipInput(const RunContext &run, const SoilProfile &profile, const DepthWalk &walk,
                          const DiameterOutcome &outcome, const BaseGeometry &geometry,
                          double bottomLengthFt, std::size_t tipIndex)
{
    const InputData &input = run.input;
    const SoilLayer &tip = profile.layers[tipIndex];
    const CapacityRow &design = outcome.rows.back();
    const double D = geometry.stemDiameterFt;
    const TipLayerValues tipValues{tip.topDepth, tip.DEPTH, tip.BDS, tip.BLOWS,
                                   tip.gravelModulusTsf};
    const double referenceFt = referenceDepthFt(input, tip);

    if (tip.type == SoilType::DecomposedRock) {
        DecomposedRockTipInput in;
        in.unitSystem = input.unitSystem;
        in.stemDiameterFt = D;
        in.DSTART = input.DSTART;
        in.EcTsf = profile.shaftModulusTsf;
        in.referenceDepthFt = referenceFt;
        in.tipLayer = tipValues;
        in.midLayerStressPsf = midLayerStressPsf(profile, tipIndex, input.WTD);
        in.walkStressPsf = walk.finalStressPsf;
        in.deepestWalkDepthFt = walk.deepestDepthFt;
        in.sideResistanceTons = design.sideTons;
        return in;
    }
    if (tip.type == SoilType::WeakRock) {
        WeakRockTipInput in;
        in.unitSystem = input.unitSystem;
        in.stemDiameterFt = D;
        in.DSTART = input.DSTART;
        in.EcTsf = profile.shaftModulusTsf;
        in.referenceDepthFt = referenceFt;
        in.weakRockTopFt = weakRockTopFt(profile, tipIndex).value_or(tip.topDepth);
        in.tipLayer = tipValues;
        in.firstWeakRockSideTons = walk.firstWeakRockQS;
        in.sideResistanceTons = design.sideTons;
        const double distanceFt = referenceFt - tip.topDepth;
        const double socketFt =
            scaledSocketDiameterFt(tip.at(tip.BDS, distanceFt), D, input.DSTART);
        const WeakRockInput layerValues =
            weakRockLayerInput(input, profile, tipIndex, distanceFt, socketFt);
        in.method = [layerValues](double socketLengthFt, double socketMovementFt) {
            WeakRockInput at = layerValues;
            at.socketLengthFt = socketLengthFt;
            at.displacementFt = socketMovementFt;
            const GeomaterialStep step = weakRockStep(at);
            return WeakRockStress{step.mobilisedSidePsf, step.baseStressPsf};
        };
        return in;
    }
    StrongRockTipInput in;
    in.unitSystem = input.unitSystem;
    in.stemDiameterFt = D;
    in.DSTART = input.DSTART;
    in.EcTsf = profile.shaftModulusTsf;
    in.tipSocketDiameterFt = tip.BDS[kTop];
    in.baseResistanceTons = design.baseTons;
    for (std::size_t i = 0; i <= tipIndex && i < walk.layers.size(); ++i) {
        const LayerSummary &summary = walk.layers[i];
        if (!summary.reached)
            continue;
        const SoilLayer &layer = profile.layers[i];
        RockTipLayer entry{layer.type, summary.lastDepthFt, summary.lastQS, layer.RQD,
                           layer.rockModulusTsf};
        if (i == tipIndex) {
            entry.depthFt = design.lengthFt - bottomLengthFt - geometry.stemEndToBaseFt;
            entry.sideResistanceTons = design.sideTons;
        }
        in.layers.push_back(entry);
    }
    return in;
}

std::vector<SettlementPoint> asVector(const SettlementCurve &curve)
{
    return {curve.begin(), curve.end()};
}

void requireFiniteCurve(RunContext &run, const SettlementCurve &curve, double stemDiameterFt)
{
    for (const SettlementPoint &p : curve)
        if (!allFinite({p.topLoad, p.topMovement, p.tipLoad, p.tipMovement}))
            stopNotFinite(run, stemDiameterFt, "IN ITS LOAD-SETTLEMENT CURVE");
}

PlotRow plotRow(const ResultRow &row, const RunState &state, const InputData &input)
{
    if (input.isLrfd())
        return {row.length, row.QS, row.QB, row.QU, row.QBD, row.QDN, row.QUperVolume};
    return {row.length, row.QS, row.QB, row.QU, row.QS / input.FST, row.QB / state.FSB, row.QDN};
}

// The shaft block, legend and table heading of a diameter; the shaft in output units.
ShaftBlock writeDiameterHead(RunContext &run, const BaseGeometry &geometry)
{
    const InputData &input = run.input;
    const bool si = input.isSI();
    const bool lrfd = input.isLrfd();
    ShaftBlock shaft;
    shaft.stemDiameter = outputLength(geometry.stemDiameterFt, si);
    shaft.baseDiameter = outputLength(geometry.baseDiameterFt, si);
    shaft.stemEndToBase = outputLength(geometry.stemEndToBaseFt, si);
    shaft.bellAngleDeg = input.BELANGL;
    shaft.ignoredTop = outputLength(input.TOPLEN, si);
    shaft.ignoredBottom = outputLength(input.BS, si);
    shaft.steelArea =
        si ? geometry.onePercentSteelSqIn * kSqMPerSqIn : geometry.onePercentSteelSqIn;
    shaft.EcAsEntered = input.Ec;
    shaft.underreamVolume = outputVolume(geometry.bellVolumeCuYd, si);
    writeShaftInformation(run, shaft, si);
    writeResultsLegend(run, lrfd);
    writeTableHeading(run, {si, input.loadingType == LoadingType::Uplift, lrfd});
    return shaft;
}

// The result rows of a diameter in the report: as computed, or re-tabulated at the output
// increment, then the warning of values that printed as asterisks. Whether the run ends here
// for want of a layer depends on the diameters before: it is decided as the diameter is
// taken up.
DiameterOutcome reportedRows(RunContext &run, const SoilProfile &profile, const DepthWalk &walk,
                             const BaseGeometry &geometry, double bottomLengthFt,
                             const ShaftBlock &shaft, RunState &state)
{
    const InputData &input = run.input;
    const DiameterOutcome outcome =
        computeRows(run, profile, walk, geometry, bottomLengthFt, state);
    state.designLoadReached = outcome.designLoadReached;

    const bool designLoadRun = input.designControl == DesignControl::DesignLoad;
    if (!outcome.rows.empty() && (!designLoadRun || !outcome.designLoadReached))
        writeRetabulatedRows(run, outcome, geometry, bottomLengthFt, state);
    if (!state.overflowing.empty()) {
        writeOverflowWarning(run, state.overflowing,
                             "THE SHAFT OF " + numberText(shaft.stemDiameter) +
                                 (input.isSI() ? " M" : " FT") + " DIAMETER");
        state.overflowing.clear();
    }
    state.rowsComplete = true;
    if (state.onRowsComplete)
        state.onRowsComplete();
    return outcome;
}

// The load-settlement curves of a diameter's design length and their names.
struct DiameterCurves {
    std::vector<SettlementCurve> curves;
    std::vector<std::string> names;
};

// The three load-transfer curves of a soil tip (written to the report and TZDATA.DAT by
// the analysis), or the socket curve of a rock or geomaterial tip with its report table.
DiameterCurves settlementCurves(RunContext &run, const SoilProfile &profile, const DepthWalk &walk,
                                const DiameterOutcome &outcome, const BaseGeometry &geometry,
                                double bottomLengthFt, std::size_t tipIndex, RunState &state)
{
    const double D = geometry.stemDiameterFt;
    DiameterCurves result;
    if (!isRockOrGeomaterial(profile.layers[tipIndex].type)) {
        const LoadSettlementInput in =
            loadSettlementInput(run, walk, outcome, geometry, bottomLengthFt);
        constexpr CurveCase kCases[] = {CurveCase::Trend, CurveCase::UpperBound,
                                        CurveCase::LowerBound};
        // Worked out together, reported one after the other: a stop at one case leaves the
        // later ones unreported, as when each was worked out in its turn.
        std::vector<LoadSettlementRun> computed = computeLoadSettlements(in, kCases);
        for (std::size_t i = 0; i < std::size(kCases); ++i) {
            result.curves.push_back(
                reportLoadSettlement(run, in, kCases[i], std::move(computed[i])));
            requireFiniteCurve(run, result.curves.back(), D);
        }
        state.soilTip = true;
        result.names = {"trend", "upper bound", "lower bound"};
        return result;
    }
    const SettlementCurve curve = runRockTip(
        run, rockTipInput(run, profile, walk, outcome, geometry, bottomLengthFt, tipIndex));
    requireFiniteCurve(run, curve, D);
    writeSingleCurveTable(run.report, run.input.unitSystem, curve);
    result.curves.push_back(curve);
    result.names = {"socket"};
    return result;
}

// The diameter's bid for the most efficient shaft: QU per volume of its design row.
void noteBestShaftCandidate(RunState &state, const CapacityRow &design, const ShaftBlock &shaft,
                            bool si)
{
    state.quPerVolume = design.ultimatePerVolumeTonsPerCuYd;
    // Printed as under factors of safety: QU per volume also in LRFD runs.
    const ResultRow out = outputRow(design, si, false);
    state.candidate = BestShaft{
        shaft.stemDiameter, shaft.baseDiameter, out.length, out.volume, out.QU, out.QUperVolume};
}

// The rows of the diameter's block of the plot data file; its curves are added when the
// diameter is taken up.
PlotBlock diameterPlotRows(const RunContext &run, const DiameterOutcome &outcome, int diameterCount,
                           const RunState &state)
{
    PlotBlock block;
    block.diameterCount = diameterCount;
    block.rows.reserve(outcome.printed.size());
    for (const ResultRow &row : outcome.printed)
        block.rows.push_back(plotRow(row, state, run.input));
    return block;
}

// The diameter's block of the plot data file with `kls` of the run so far, around its rows
// as the diameter wrote them. A diameter with a single curve after soil tips of earlier
// diameters still fills the three sets the reader expects, with its own curve in each.
void writeDiameterPlot(TextOut &plot, RunState &state, std::string_view rowsText, int kls)
{
    PlotBlock block;
    block.diameterCount = state.block.diameterCount;
    block.kls = kls;
    const std::size_t sets = kls > 1 ? 3 : 1;
    const std::vector<SettlementCurve> &curves = state.curves;
    for (std::size_t set = 0; set < sets; ++set)
        block.curves.push_back(asVector(curves[std::min(set, curves.size() - 1)]));
    block.rows = std::move(state.block.rows); // the last use of the rows
    writePlotBlockHead(plot, block);
    plot.write(rowsText);
    writePlotCurves(plot, block);
}

// The diameter as the C++ API returns it, in output units.
DiameterResult diameterResult(const ShaftBlock &shaft, const DiameterOutcome &outcome,
                              std::string tipSoil, const DiameterCurves &curves)
{
    DiameterResult result;
    result.stemDiameter = shaft.stemDiameter;
    result.baseDiameter = shaft.baseDiameter;
    result.stemEndToBase = shaft.stemEndToBase;
    result.underreamVolume = shaft.underreamVolume;
    result.designLoadReached = outcome.designLoadReached;
    result.rows = outcome.printed;
    result.tipSoil = std::move(tipSoil);
    result.curveNames = curves.names;
    for (const SettlementCurve &curve : curves.curves)
        result.curves.push_back(asVector(curve));
    return result;
}

void analyseDiameter(RunContext &run, const SoilProfile &profile, double D, int diameterCount,
                     RunState &state)
{
    const InputData &input = run.input;
    const BaseGeometry geometry = baseGeometry(D, input.RATIO, input.BELANGL);
    const ShaftBlock shaft = writeDiameterHead(run, geometry);
    const double bottomLengthFt = nearestWholeNumber(input.BS);

    const DepthWalk walk = walkProfile(run, profile, geometry, bottomLengthFt);
    state.weakCodeFourRock = state.weakCodeFourRock || walk.weakCodeFourRock;
    const DiameterOutcome outcome =
        reportedRows(run, profile, walk, geometry, bottomLengthFt, shaft, state);

    DiameterCurves curves;
    std::string tipSoil;
    if (outcome.rows.empty()) {
        curves.curves.push_back(SettlementCurve{}); // no row: the plot block keeps its layout
    } else {
        state.hasRows = true;
        const CapacityRow &design = outcome.rows.back();
        const std::size_t tipIndex = tipLayerIndex(profile, design.lengthFt);
        tipSoil = std::string(soilTypeText(profile.layers[tipIndex].type).substr(4));
        curves = settlementCurves(run, profile, walk, outcome, geometry, bottomLengthFt, tipIndex,
                                  state);
        noteBestShaftCandidate(state, design, shaft, input.isSI());
    }
    state.block = diameterPlotRows(run, outcome, diameterCount, state);
    writePlotRows(run.plot, state.block.rows);
    state.curves = curves.curves;
    if (run.options.results && run.options.resultsPerDiameter)
        run.options.results->diameters.push_back(
            diameterResult(shaft, outcome, std::move(tipSoil), curves));

    if (input.designControl == DesignControl::DesignDepth &&
        (outcome.rows.empty() || outcome.rows.back().lengthFt < input.DGH))
        writeShortProfileNote(run);
}

// The memory of a diameter's text. A diameter taken up hands it on to one yet to run, so
// that the strings of the series grow once instead of once a diameter.
struct TextMemory {
    std::string report;
    std::string runtime;
    std::string plot;
    std::string console;                  // the console lines, one after the other
    std::vector<std::size_t> consoleEnds; // where each console line ends in `console`

    std::string_view consoleLine(std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : consoleEnds[i - 1];
        return std::string_view(console).substr(begin, consoleEnds[i] - begin);
    }
};

// One diameter analysed in a context of its own, its outputs kept in memory.
struct DiameterWork {
    RunContext context;
    AnalysisResults results;
    RunState state;
    double D = 0.0;
    TextMemory text; // the console lines as they come, the rest once analysed
    // Where the text up to the design-load check ends, in each part of `text`.
    std::size_t reportRows = 0;
    std::size_t runtimeRows = 0;
    std::size_t consoleRows = 0;
    std::exception_ptr failure; // of the analysis: comes out where the diameter is taken up
    std::exception_ptr lost;    // of keeping its text (no memory): the text is incomplete
    bool done = false;          // guarded by the mutex of the threads that analyse

    void markRows()
    {
        reportRows = context.report.textSize();
        runtimeRows = context.runtime.textSize();
        consoleRows = text.consoleEnds.size();
    }
};

std::unique_ptr<DiameterWork> diameterWork(const RunContext &run, double D, TextMemory memory)
{
    auto work = std::make_unique<DiameterWork>();
    RunContext &c = work->context;
    c.files = run.files;
    c.options = run.options;
    c.input = run.input;
    c.report = TextOut::inMemory(std::move(memory.report));
    c.runtime = TextOut::inMemory(std::move(memory.runtime));
    c.plot = TextOut::inMemory(std::move(memory.plot));
    TextMemory &text = work->text;
    text.console = std::move(memory.console);
    text.console.clear();
    text.consoleEnds = std::move(memory.consoleEnds);
    text.consoleEnds.clear();
    if (run.options.console)
        c.options.console = [&text](std::string_view line) {
            text.console.append(line);
            text.consoleEnds.push_back(text.console.size());
        };
    if (run.options.results)
        c.options.results = &work->results;
    work->state.FSB = run.input.FSB;
    work->D = D;
    return work;
}

void analyseAside(DiameterWork &work, const SoilProfile &profile, int diameterCount)
{
    try {
        work.state.onRowsComplete = [&work] { work.markRows(); };
        try {
            analyseDiameter(work.context, profile, work.D, diameterCount, work.state);
        } catch (...) {
            work.failure = std::current_exception();
        }
        if (!work.state.rowsComplete)
            work.markRows();
        work.text.report = work.context.report.takeText();
        work.text.runtime = work.context.runtime.takeText();
        work.text.plot = work.context.plot.takeText();
    } catch (...) {
        work.lost = std::current_exception();
    }
}

// A few threads of the run that analyse the diameters handed to them, in the order handed.
// Destroying it lets the diameters under way end and drops those not begun.
class AsideThreads {
public:
    AsideThreads(const SoilProfile &profile, int diameterCount)
        : m_profile(profile), m_diameterCount(diameterCount)
    {}
    AsideThreads(const AsideThreads &) = delete;
    AsideThreads &operator=(const AsideThreads &) = delete;
    ~AsideThreads()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_toDo.notify_all();
        // The threads are joined as m_threads, the last member, goes first.
    }

    // Starts up to `count` threads; returns how many could be had.
    std::size_t start(std::size_t count)
    {
        m_threads.reserve(count);
        try {
            while (m_threads.size() < count)
                m_threads.emplace_back([this] { serve(); });
        } catch (const std::system_error &) {
            // No more threads to be had: those started do the work.
        }
        return m_threads.size();
    }

    void hand(DiameterWork &work)
    {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(&work);
        }
        m_toDo.notify_one();
    }

    void waitFor(const DiameterWork &work)
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&work] { return work.done; });
    }

private:
    void serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_toDo.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            DiameterWork *work = m_queue.front();
            m_queue.pop_front();
            lock.unlock();
            analyseAside(*work, m_profile, m_diameterCount);
            lock.lock();
            work->done = true;
            m_done.notify_all();
        }
    }

    const SoilProfile &m_profile;
    const int m_diameterCount;
    std::mutex m_mutex;
    std::condition_variable m_toDo;
    std::condition_variable m_done;
    std::deque<DiameterWork *> m_queue;
    bool m_stopping = false;
    std::vector<std::jthread> m_threads;
};

// The run-wide state that the diameters, taken up in order, build.
struct SeriesState {
    bool designLoadEverReached = false;
    bool anyRows = false;
    int kls = 0;
    bool weakCodeFourRock = false;
    double bestQUperVolume = 0.0;
    std::optional<BestShaft> best;
};

// Writes the text of the diameter up to the design-load check, or with `rows` false the rest.
void emit(RunContext &run, const DiameterWork &work, bool rows)
{
    const TextMemory &text = work.text;
    const std::size_t lines = text.consoleEnds.size();
    for (std::size_t i = rows ? 0 : work.consoleRows; i < (rows ? work.consoleRows : lines); ++i)
        run.console(text.consoleLine(i));
    const auto part = [rows](const std::string &all, std::size_t split) {
        return rows ? std::string_view(all).substr(0, split) : std::string_view(all).substr(split);
    };
    run.report.write(part(text.report, work.reportRows));
    run.runtime.write(part(text.runtime, work.runtimeRows));
}

// Takes up a diameter analysed aside as if it had just been analysed in the run itself.
void takeUp(RunContext &run, DiameterWork &work, SeriesState &series)
{
    if (work.lost)
        std::rethrow_exception(work.lost);
    RunState &state = work.state;
    series.weakCodeFourRock = series.weakCodeFourRock || state.weakCodeFourRock;
    emit(run, work, true);
    if (!state.rowsComplete)
        std::rethrow_exception(work.failure);
    series.designLoadEverReached = series.designLoadEverReached || state.designLoadReached;
    if (run.input.designControl == DesignControl::DesignLoad && !series.designLoadEverReached) {
        writeNeedAnotherLayer(run);
        throw RunStopped{kStatusNeedAnotherLayer};
    }
    emit(run, work, false);
    if (work.context.deferredDiagnostics)
        run.deferredDiagnostics = std::move(work.context.deferredDiagnostics);
    if (work.failure)
        std::rethrow_exception(work.failure);

    series.anyRows = series.anyRows || state.hasRows;
    if (state.soilTip)
        series.kls = 3;
    if (state.candidate && state.quPerVolume > series.bestQUperVolume) {
        series.bestQUperVolume = state.quPerVolume;
        series.best = state.candidate;
    }
    writeDiameterPlot(run.plot, state, work.text.plot, series.kls);
    if (AnalysisResults *results = run.options.results) {
        for (DiameterResult &result : work.results.diameters)
            results->diameters.push_back(std::move(result));
        for (std::string &warning : work.results.overflowWarnings)
            results->overflowWarnings.push_back(std::move(warning));
    }
}

} // namespace

void runCapacityAnalysis(RunContext &run, const SoilProfile &profile)
{
    const InputData &input = run.input;
    const std::vector<double> diameters = diameterSeriesFt(input.DSTART, input.DIALIM);
    if (AnalysisResults *results = run.options.results) {
        results->si = input.isSI();
        results->lrfd = input.isLrfd();
        results->uplift = input.loadingType == LoadingType::Uplift;
        results->designDepth = input.designControl == DesignControl::DesignDepth;
    }
    const int count = static_cast<int>(diameters.size());
    // As many threads as there are cores (two to four), with up to three diameters each
    // handed to them ahead of the one being taken up, so that none waits on the writing:
    // no more than thirteen diameters' text in memory at once.
    const std::size_t ahead = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, 4);
    const bool aside =
        run.options.parallelDiameters && count > 1 && std::thread::hardware_concurrency() > 1;
    // Declared before the threads, which use it until they are joined.
    std::deque<std::unique_ptr<DiameterWork>> pending;
    std::vector<TextMemory> spare;
    std::optional<AsideThreads> threads;
    if (aside) {
        threads.emplace(profile, count);
        if (threads->start(ahead) == 0)
            threads.reset(); // no thread to be had: one diameter after the other, here
    }
    const std::size_t inMemory = threads ? 3 * ahead + 1 : 1;
    std::size_t next = 0;
    const auto fill = [&] {
        while (next < diameters.size() && pending.size() < inMemory) {
            TextMemory memory;
            if (!spare.empty()) {
                memory = std::move(spare.back());
                spare.pop_back();
            }
            pending.push_back(diameterWork(run, diameters[next++], std::move(memory)));
            if (threads)
                threads->hand(*pending.back());
        }
    };
    SeriesState state;
    for (fill(); !pending.empty(); fill()) {
        DiameterWork &work = *pending.front();
        if (threads)
            threads->waitFor(work);
        else
            analyseAside(work, profile, count);
        takeUp(run, work, state);
        spare.push_back(std::move(work.text));
        pending.pop_front();
    }

    if (!state.anyRows) {
        // No diameter had profile enough below it for a single row: nothing to recommend.
        writeNeedAnotherLayer(run);
        throw RunStopped{kStatusNeedAnotherLayer};
    }
    if (state.best) {
        writeMostEfficientShaft(run, *state.best, input.isSI());
        if (run.options.results)
            run.options.results->best = state.best;
    }
    if (state.weakCodeFourRock)
        writeWeakRockNote(run);
}

} // namespace vorna
