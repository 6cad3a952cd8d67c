// Report texts of the capacity computation: the shaft block, the legend, the table heading
// and rows of each diameter, and the closing blocks of the run. Values arrive in output
// units (ft, cu yd, tons, or m, cu m, kN); the writers only format them.
#pragma once

#include "vornacalc/results.h"

#include <string>
#include <vector>

namespace vorna {

struct RunContext;

// Geometry of one diameter as printed in the shaft block (output units; Ec as entered).
struct ShaftBlock {
    double stemDiameter = 0.0;
    double baseDiameter = 0.0;
    double stemEndToBase = 0.0;
    double bellAngleDeg = 0.0;
    double ignoredTop = 0.0;
    double ignoredBottom = 0.0;
    double steelArea = 0.0; // one percent steel, sq in or sq m
    double EcAsEntered = 0.0;
    double underreamVolume = 0.0;
};

struct TableStyle {
    bool si = false;
    bool uplift = false;
    bool lrfd = false;
};

// Shaft block, legend and table heading of a diameter, to the console and the report.
void writeShaftInformation(RunContext &run, const ShaftBlock &shaft, bool si);
void writeResultsLegend(RunContext &run, bool lrfd);
void writeTableHeading(RunContext &run, const TableStyle &style);

// Names and units lines of the table heading.
std::vector<std::string> tableHeadingLines(const TableStyle &style);
std::string resultRowLine(const ResultRow &row, bool si);

// The columns of a result row line (as resultRowLine writes it) whose values do not fit
// their fields and print as asterisks, added to `names` when not there yet, in column order.
void addOverflowingColumns(std::vector<std::string> &names, std::string_view line,
                           const TableStyle &style);

// The WARNING block, to the report and the run-time file, for result values of one shaft
// that printed as asterisks: which quantities, for which diameter (in output units).
void writeOverflowWarning(RunContext &run, const std::vector<std::string> &names,
                          const std::string &which);

void writeMostEfficientShaft(RunContext &run, const BestShaft &best, bool si);

// Console note of design-depth runs whose last row is above the design depth.
void writeShortProfileNote(RunContext &run);

// Closing note of runs with rock weaker than 1000 psi.
void writeWeakRockNote(RunContext &run);

// The single load-settlement curve of a rock tip: top load and top movement.
void writeRockTipCurve(RunContext &run, const std::vector<double> &topLoad,
                       const std::vector<double> &topMovement, bool si);

} // namespace vorna
