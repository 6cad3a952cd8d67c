// Reads the engine's plot data file (.vrp): per stem diameter the capacity-versus-depth
// rows and the load-settlement rows. The file is read as a stream of blank-separated
// tokens, so line breaks carry no meaning. QtCore only.
#pragma once

#include <QString>

#include <vector>

namespace vorna {

class TWordReader;

inline constexpr int kSettlementRows = 15;

// One depth row, in the project's units (ft and tons, or m and kN).
struct CapacityPoint {
    double depth = 0.0;
    double side = 0.0;          // ultimate side resistance QS
    double base = 0.0;          // ultimate base resistance QB, or the self-weight WT for uplift
    double total = 0.0;         // ultimate total QU
    double factoredSide = 0.0;  // QS over its factor of safety, or the LRFD side resistance
    double factoredBase = 0.0;  // likewise for the base; the undivided self-weight for uplift
    double factoredTotal = 0.0;
    bool operator==(const CapacityPoint &) const = default;
};

// One load-settlement row: the load and movement of the shaft head (tip values dropped).
struct SettlementPoint {
    double topLoad = 0.0;     // tons / kN
    double topMovement = 0.0; // in / m
    bool operator==(const SettlementPoint &) const = default;
};

struct PlotDiameter {
    // PlotData::pointsPerLine points: a block with fewer rows than the first repeats its
    // last row. A last base value below 1e-4 reads as 1e-5.
    std::vector<CapacityPoint> capacity;
    // 15 rows each; the bounds only when KLS > 2. The graphs add the origin as point 0.
    std::vector<SettlementPoint> averaged;
    std::vector<SettlementPoint> upperBound;
    std::vector<SettlementPoint> lowerBound;
};

struct PlotData {
    int diameterCount = 0; // NDIA of the first header
    int pointsPerLine = 0; // NPTS of the first header
    int KLS = 0;           // 3 when trend and bounds were computed; the project keeps it
    std::vector<PlotDiameter> diameters;
};

// What the reading needs of the project.
struct PlotReadOptions {
    // False for a project read in the older layout and not saved since: its rows hold five
    // values and the factored values are computed from the factors of safety below.
    bool currentLayout = true;
    bool uplift = false; // loading type 2
    double FST = 1.0;    // factor of safety, side
    double FSB = 1.0;    // factor of safety, base
};

// Reads a whole plot data file. EInputError ("This file either invalid or incomplete." or
// a conversion message with line and item) when data are missing or malformed.
PlotData readPlotData(TWordReader &reader, const PlotReadOptions &options);
// As above from a file; EInputError also when it cannot be opened.
PlotData readPlotFile(const QString &fileName, const PlotReadOptions &options);

// Name of a per-diameter line: "Dia=2.5 ft", or "Dia=0.752 m" for SI, diameters growing by
// 0.5 ft or 0.152 m from the starting diameter.
QString diameterLineName(int index, double startDiameter, int unitSystem);

} // namespace vorna
