// Reading the engine's plot data file (.vrp) for the result graphs, in the desktop reading
// order: a header (NDIA, NPTS, KLS) per diameter block, the capacity rows (seven values in
// the current project layout, five in the older one), then 15 load-settlement rows, or 45
// when the trend and both bounds were computed. The file is a stream of blank-separated
// tokens (TWordReader), so line breaks carry no meaning. QtCore only.
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace vorna {

class TWordReader;

inline constexpr int kResultSettlementRows = 15;

// One depth row in the project's units (ft and tons, or m and kN).
struct ResultCapacityRow {
    double depth = 0.0;
    double side = 0.0;         // ultimate side resistance QS
    double base = 0.0;         // ultimate base resistance QB; the self-weight WT for uplift
    double total = 0.0;        // ultimate total QU
    double factoredSide = 0.0; // QS / FS, or the LRFD side resistance
    double factoredBase = 0.0; // QB / FS, or the LRFD base resistance; WT itself for uplift
    double factoredTotal = 0.0;
    bool operator==(const ResultCapacityRow &) const = default;
};

// One load-settlement row: the load and movement of the shaft head (tip values dropped).
struct ResultSettlementPoint {
    double topLoad = 0.0;     // tons / kN
    double topMovement = 0.0; // in / m
    bool operator==(const ResultSettlementPoint &) const = default;
};

struct ResultPlotDiameter {
    // pointsPerLine rows: a block with fewer rows than the first repeats its last row; a
    // last base value below 1e-4 reads as 1e-5.
    std::vector<ResultCapacityRow> rows;
    // 15 points each; the bounds only when the block carries them (KLS > 2).
    std::vector<ResultSettlementPoint> averaged;
    std::vector<ResultSettlementPoint> upperBound;
    std::vector<ResultSettlementPoint> lowerBound;
};

struct ResultPlotData {
    int diameterCount = 0; // NDIA of the first header
    int pointsPerLine = 0; // NPTS of the first header (P)
    int KLS = 0;           // KLS of the first header; the project keeps it
    std::vector<ResultPlotDiameter> diameters;
};

// What the reading needs of the project.
struct ResultPlotReadOptions {
    // False for a project read in the older layout and not saved since: its rows hold five
    // values and the factored values are computed from the factors of safety below.
    bool currentLayout = true;
    bool uplift = false; // loading type 2: the factored base is the undivided self-weight
    double FST = 2.5;    // factor of safety, side (older layout only)
    double FSB = 3.0;    // factor of safety, base (older layout, compression only)
};

// Reads a whole plot data file. EInputError ("This file either invalid or incomplete." or
// a conversion message with line and item) when data are missing or malformed. `kls`, when
// given, receives the first header's KLS as soon as it is read, also when a later part of
// the file fails (the project keeps it either way).
ResultPlotData readResultPlotData(TWordReader &reader, const ResultPlotReadOptions &options,
                                  int *kls = nullptr);
// As above from a file; EInputError also when the file cannot be opened.
ResultPlotData readResultPlotFile(const QString &fileName, const ResultPlotReadOptions &options,
                                  int *kls = nullptr);

} // namespace vorna
