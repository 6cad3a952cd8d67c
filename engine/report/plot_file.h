// Writer of the plot data file: one block per diameter with its capacity rows and its
// load-settlement points, in output units, read by the desktop's graphs.
#pragma once

#include "report/capacity_report.h"

#include <array>
#include <vector>

namespace vorna {

class TextOut;

// The plotted seven values of a result row: LENGTH, QS, QB (or WT), QU, factored side,
// factored base, factored total.
using PlotRow = std::array<double, 7>;

struct PlotBlock {
    int diameterCount = 0; // NDIA
    int kls = 0;           // 3 once the three soil curves were computed in the run
    std::vector<PlotRow> rows;
    std::vector<std::vector<SettlementPoint>> curves; // three when kls > 1, else one
};

void writePlotBlock(TextOut &plot, const PlotBlock &block);

// The block's three parts, in their order: the head (NDIA, the number of points, KLS), the
// capacity rows, and the load-settlement points.
void writePlotBlockHead(TextOut &plot, const PlotBlock &block);
void writePlotRows(TextOut &plot, const std::vector<PlotRow> &rows);
void writePlotCurves(TextOut &plot, const PlotBlock &block);

} // namespace vorna
