// Points and lines of a graph, and the four line lists a graph keeps. Plain values, so the
// scaling arithmetic works on them without any widget.
#pragma once

#include <QString>

#include <vector>

namespace vorna {

struct TFloatPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const TFloatPoint &) const = default;
};

struct TLine {
    std::vector<TFloatPoint> points;
    int number = 0;       // position + 1 when the line was created
    QString name;         // empty: the graph's default name (TGraphPlot::LineName)
    bool included = true; // listed in the legend and the Plot menu
    bool shown = true;    // drawn; toggled by the user
    // A measured curve (a load test): drawn dashed, with a filled round marker on every
    // point, so it stands apart from the predicted curves.
    bool measured = false;
};

// The four line lists of a graph.
enum class LineList {
    Main = 0,
    Band = 1,   // soil-layer band entries: one point each, x = fill code, y = bottom depth
    Second = 2, // second graph of three-graph mode
    Third = 3,  // third graph of three-graph mode
};

} // namespace vorna
