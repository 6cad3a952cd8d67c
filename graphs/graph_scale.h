// Pure arithmetic of the graph window: autoscale, ticks, the layout of the plot area, the
// mapping between data and pixels, and zooming. No painting here, so every rule is tested
// on its own.
#pragma once

#include "graph_line.h"

#include <QPoint>
#include <QPointF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vorna {

struct AxisRange {
    double min = 0.0;
    double max = 0.0;
    double Span() const { return max - min; }
    double Centre() const { return (min + max) / 2.0; }
    bool operator==(const AxisRange &) const = default;
};

struct DataRange {
    AxisRange x;
    AxisRange y;
    bool operator==(const DataRange &) const = default;
};

// Rounding unit of an axis of span s: 10^floor(log10 s), divided by 10 when the span's
// mantissa is below 3. 0 when the span is not positive and finite.
double roundingUnit(double span);

// An axis from its data extremes: equal extremes are moved apart by 0.01 each, then both
// bounds move away from zero to a multiple of the rounding unit. Empty when the unit is 0.
std::optional<AxisRange> roundedAxis(double min, double max);

// The range of every point of every line (shown or not), zero included, rounded. Empty when
// a rounding unit is 0 (the window then closes).
std::optional<DataRange> autoscale(const std::vector<TLine> &lines);

// Tick step for n label slots: raw = span / n, p = 10^floor(log10 raw), k = int(raw / p);
// the step is p when k < 2, else k * p. 0 when there is no slot or no span.
double tickStep(const AxisRange &range, int slotCount);

struct Tick {
    double value = 0.0;
    bool major = false; // every fifth multiple of the minor step, counted from zero
    bool operator==(const Tick &) const = default;
};

// Minor ticks at every multiple of step/5 inside the range; the multiples whose index is
// divisible by 5 are major (grid line and label).
std::vector<Tick> axisTicks(const AxisRange &range, int slotCount);

// A tick label: general format with 4 significant digits ("0" for a value that is zero
// within rounding of the step).
QString tickLabel(double value, double step);

// Where the soil-layer band goes: on the screen and on paper it takes 0.8 inch of a one-inch
// strip at the right; on a saved picture 0.3 inch of a half-inch strip.
enum class BandPlacement { Screen, Saved };

// Text height in device pixels: the window font (Times New Roman, 14 pixels high on a
// 96 dpi screen) at SizeFont tenths.
double textHeight(double dpiY, int sizeFont);

struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(QPoint p) const
    {
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    }
    bool operator==(const PlotRect &) const = default;
};

struct LayoutInput {
    int originX = 0, originY = 0; // top-left corner of the client area
    int width = 0, height = 0;    // client area
    double dpiX = 96.0, dpiY = 96.0;
    int sizeFont = 10;
    bool xOnTop = true;
    bool hasTitle = false; // an empty title takes no space
    bool titleAtTop = true;
    bool showLayers = false;
    BandPlacement band = BandPlacement::Screen;
    bool showThree = false;
};

struct PlotLayout {
    bool tooSmall = false; // client area below one inch either way: only white is painted
    double H = 0.0;        // text height
    PlotRect client;
    PlotRect plot; // the plot area
    bool hasBand = false;
    PlotRect band;                  // the soil-layer band
    std::array<PlotRect, 3> graphs; // the three graphs of three-graph mode; [0] = plot else
};

PlotLayout computeLayout(const LayoutInput &in);

// Data to pixels and back over one plot area.
struct PlotMapping {
    PlotRect area;
    AxisRange x;
    AxisRange y;
    bool xOnTop = true;

    // X = left + round((x - xmin) / (xmax - xmin) * (right - left)); Y = top + c with
    // x on top, else bottom - c, where c = round((y - ymin) / (ymax - ymin) * (bottom - top)).
    QPoint ToScreen(double dataX, double dataY) const;
    QPointF ToData(QPoint pixel) const;
    QPoint ClampToArea(QPoint pixel) const;
};

// The new range of a rubber-band zoom between two corners (data units, any order): an axis
// that would be narrower than 1/20 of the full range is widened to 1/20 about its centre and
// shifted back inside the full range.
DataRange rubberBandZoom(const DataRange &full, QPointF cornerA, QPointF cornerB);
AxisRange limitZoom(const AxisRange &wanted, const AxisRange &full);

// Right-click zoom-out of one axis about a clicked value: the half-width becomes the current
// width, at most half the full width; the centre moves so the range stays inside the full one.
AxisRange zoomOutAxis(const AxisRange &current, const AxisRange &full, double centre);

} // namespace vorna
