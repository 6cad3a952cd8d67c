// Report table, diagnostic listing (TZDATA.DAT), run-time line and stop messages of the
// load-transfer analysis, and the call that runs one curve family with all its output.
#pragma once

#include "input/input_data.h"
#include "method/load_settlement.h"
#include "method/settlement_curve.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

struct RunContext;

// Three-character unit texts of the headings (the area text has five).
struct SettlementUnitLabels {
    std::string_view length;
    std::string_view force;
    std::string_view stress;
    std::string_view area;
};
SettlementUnitLabels settlementUnitLabels(UnitSystem unitSystem);

// The report table of one curve family: title, headings and 15 rows.
std::vector<std::string> loadSettlementTableLines(UnitSystem unitSystem, CurveCase curveCase,
                                                  const SettlementCurve &curve);

// The warning of a station or base beyond the profiles (statuses 2, 4 and 5).
std::vector<std::string> profileWarningLines(int status, double depthIn);

// The message lines of a node iteration that did not settle (framed by the caller).
std::vector<std::string> noConvergenceLines(const LoadSettlementRun &run,
                                            const LoadSettlementInput &input);

// The content of TZDATA.DAT after the run: everything a run writes before it stops, the
// whole listing and its closing "1" after a complete run.
std::vector<std::string> tzDataLines(const LoadSettlementRun &run, UnitSystem unitSystem);

// The free-format run-time line of one run: 15, NSEG, 0, NSEG.
std::string loadSettlementRuntimeLine(int segmentCount);

// Where TZDATA.DAT goes: the run's diagnostic folder, else the input file's folder.
std::filesystem::path tzDataPath(const RunContext &run);

// Runs one curve family for the capacity driver: writes TZDATA.DAT (replacing it), the
// run-time line and the report table, and returns the curve in output units. On a status
// 2, 4 or 5 it writes the warning, on a node iteration that does not settle the error
// block, and ends the run with RunStopped carrying the status.
SettlementCurve runLoadSettlement(RunContext &run, const LoadSettlementInput &input,
                                  CurveCase curveCase);

// The same for a run worked out beforehand (computeLoadSettlements gives several at once).
SettlementCurve reportLoadSettlement(RunContext &run, const LoadSettlementInput &input,
                                     CurveCase curveCase, LoadSettlementRun result);

} // namespace vorna
