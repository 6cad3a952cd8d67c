// Drawing a graph with QPainter. One function, draw(), paints the whole picture into a
// rectangle of any paint device: the window's paintEvent, printing (QPrinter) and saving
// (QImage, QSvgGenerator, QPdfWriter) all go through it, so they show the same figure.
#pragma once

#include "graph_plot.h"
#include "graph_scale.h"

#include <QFont>
#include <QPolygon>
#include <QRectF>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;

namespace vorna {

// What a window shows of its graph besides the graph's own data: the current (zoomed)
// ranges of the main graph and of the second and third graph of three-graph mode.
struct GraphView {
    std::array<DataRange, 3> range{};
};

// The full ranges of a graph (autoscale of each line list), as a new window starts with
// them. Empty when an axis cannot be scaled.
std::optional<GraphView> fullView(const TGraphPlot &graph);

struct DrawOptions {
    double dpiX = 96.0; // device pixels per inch
    double dpiY = 96.0;
    bool legendBox = false; // paint the legend into the picture (printing, saving)
    // Top-left corner of the painted legend box as fractions of the plot area; empty: the
    // box sits in the corner that hides the least of the curves (legendCorner).
    std::optional<QPointF> legendPosition;
    BandPlacement band = BandPlacement::Screen;
    bool printing = false; // the large pattern tiles
};

struct GraphDrawModel {
    const TGraphPlot &graph;
    GraphView view;
    DrawOptions options;
};

// The layout draw() uses for this area.
PlotLayout layoutFor(const QRectF &area, const TGraphPlot &graph, const DrawOptions &options);

// Paints the whole picture: white background, captions and title, ticks, grid and labels,
// curves with markers (clipped to the plot area), the legend box when asked, the soil-layer
// band when shown, and the frame.
void draw(QPainter &painter, const QRectF &area, const GraphDrawModel &model);

// Pen width of curves: (round(dpi / 300) + 1) * WidthLine.
int curvePenWidth(double dpiX, int widthLine);

// The window font (Times New Roman, serif fallback) at a pixel size.
QFont graphFont(double pixelSize, bool bold);

// Legend font pixel size: LegendFont * SizeFont / 10 points on a device of dpiY.
double legendFontPixels(const TGraphPlot &graph, double dpiY);

// The legend entries: index, name and colour number of every included line, in order.
struct LegendEntry {
    int line = 0;   // index in the main list
    int colour = 0; // position among included lines (palette colour)
    QString name;   // resolved name, after onGetCaption
};
std::vector<LegendEntry> legendEntries(const TGraphPlot &graph);

// The shown curves of a line list mapped to pixels, as draw() paints them (none when line 0
// has fewer than two points).
std::vector<QPolygon> mappedCurves(const TGraphPlot &graph, LineList list, const PlotMapping &map);

// Where a legend box of this size goes: the corner of the plot (inset by `inset` pixels)
// whose box crosses the fewest curve segments and points, trying the bottom-right corner
// first, then the top-right, bottom-left and top-left ones. So the legend of a depth plot
// does not hide the ends of its curves.
QPointF legendCorner(const QSizeF &box, const PlotRect &plot, double inset,
                     const std::vector<QPolygon> &curves);

// Marker outline around a point: i = 0 a triangle, 1 a square, i >= 2 a polygon of i + 1
// sides with a vertex at 0 degrees; radii rx, ry.
QPolygonF markerPolygon(QPointF centre, int lineIndex, double rx, double ry);

} // namespace vorna
