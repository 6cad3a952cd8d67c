// Results of an analysis as values, for callers of the C++ API that want more than the
// report: scripts, parametric studies, tests. All values are in output units: ft, cu yd,
// tons and inches for English runs; m, cu m, kN and metres for SI runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorna {

// One result row. Under LRFD the last three hold LRFD QS, LRFD QB and LRFD QU in place of
// QBD, QDN and QU/VOLUME; in uplift QB holds the shaft's weight WT.
struct ResultRow {
    double length = 0.0;
    double volume = 0.0;
    double QS = 0.0;
    double QB = 0.0;
    double QU = 0.0;
    double QBD = 0.0;
    double QDN = 0.0;
    double QUperVolume = 0.0;
    bool operator==(const ResultRow &) const = default;
};

// One load-settlement point of the shaft head and tip.
struct SettlementPoint {
    double topLoad = 0.0;
    double topMovement = 0.0;
    double tipLoad = 0.0;
    double tipMovement = 0.0;
    bool operator==(const SettlementPoint &) const = default;
};

struct BestShaft {
    double stemDiameter = 0.0;
    double baseDiameter = 0.0;
    double length = 0.0;
    double volume = 0.0;
    double QU = 0.0;
    double QUperVolume = 0.0;
};

struct DiameterResult {
    double stemDiameter = 0.0;
    double baseDiameter = 0.0;
    double stemEndToBase = 0.0;
    double underreamVolume = 0.0;
    std::vector<ResultRow> rows; // one per foot of shaft length, down to the design row
    bool designLoadReached = false;
    std::string tipSoil; // ground type at the design length
    // "trend", "upper bound", "lower bound" for a soil tip; "socket" for a rock tip.
    std::vector<std::string> curveNames;
    std::vector<std::vector<SettlementPoint>> curves;
};

struct AnalysisResults {
    bool si = false;
    bool lrfd = false;
    bool uplift = false;
    bool designDepth = false;
    std::vector<DiameterResult> diameters;
    std::optional<BestShaft> best;
    // One line for each shaft of the report whose result values printed as asterisks: the
    // quantities and the shaft ("QU and QDN for the shaft of 3 ft diameter").
    std::vector<std::string> overflowWarnings;
};

} // namespace vorna
