#include "graph_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorna {

namespace {

constexpr double kZoomLimit = 20.0; // a zoom shows at least 1/20 of the full range
constexpr double kFlatWidening = 0.01;

int roundToInt(double v)
{
    constexpr double limit = 1 << 24; // far outside any device, still exact
    return static_cast<int>(std::lround(std::clamp(v, -limit, limit)));
}

AxisRange ordered(double a, double b)
{
    return a <= b ? AxisRange{a, b} : AxisRange{b, a};
}

} // namespace

double roundingUnit(double span)
{
    if (!(span > 0.0) || !std::isfinite(span))
        return 0.0;
    // The mantissa is compared directly (not the fraction of the logarithm with log10 3),
    // so that a span of exactly 30 has the mantissa 3.
    const double exponent = std::floor(std::log10(span));
    double unit = std::pow(10.0, exponent);
    if (span / unit >= 10.0)
        unit *= 10.0;
    else if (span / unit < 1.0)
        unit /= 10.0;
    if (span / unit < 3.0)
        unit /= 10.0;
    return std::isfinite(unit) && unit > 0.0 ? unit : 0.0;
}

std::optional<AxisRange> roundedAxis(double min, double max)
{
    if (max == min) {
        max += kFlatWidening;
        min -= kFlatWidening;
    }
    const double unit = roundingUnit(max - min);
    if (unit == 0.0)
        return std::nullopt;
    // A quotient a hair off a whole number (0.01 / 0.001) counts as that whole number.
    const auto snapped = [](double q) {
        const double whole = std::round(q);
        return std::fabs(q - whole) < 1e-9 * std::max(1.0, std::fabs(whole)) ? whole : q;
    };
    return AxisRange{unit * std::floor(snapped(min / unit)), unit * std::ceil(snapped(max / unit))};
}

std::optional<DataRange> autoscale(const std::vector<TLine> &lines)
{
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
    for (const TLine &line : lines) {
        for (const TFloatPoint &p : line.points) {
            xmin = std::min(xmin, p.x);
            xmax = std::max(xmax, p.x);
            ymin = std::min(ymin, p.y);
            ymax = std::max(ymax, p.y);
        }
    }
    const std::optional<AxisRange> x = roundedAxis(xmin, xmax);
    const std::optional<AxisRange> y = roundedAxis(ymin, ymax);
    if (!x || !y)
        return std::nullopt;
    return DataRange{*x, *y};
}

double tickStep(const AxisRange &range, int slotCount)
{
    const double span = range.Span();
    if (slotCount <= 0 || !(span > 0.0) || !std::isfinite(span))
        return 0.0;
    const double raw = span / slotCount;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    const int k = static_cast<int>(raw / p);
    return k < 2 ? p : k * p;
}

std::vector<Tick> axisTicks(const AxisRange &range, int slotCount)
{
    std::vector<Tick> ticks;
    const double step = tickStep(range, slotCount);
    if (step <= 0.0)
        return ticks;
    const double minor = step / 5.0;
    const double eps = 1e-9;
    const double first = std::ceil(range.min / minor - eps);
    const double last = std::floor(range.max / minor + eps);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > 100000.0)
        return ticks;
    for (double k = first; k <= last; k += 1.0) {
        const long long index = std::llround(k);
        ticks.push_back({static_cast<double>(index) * minor, index % 5 == 0});
    }
    return ticks;
}

QString tickLabel(double value, double step)
{
    if (std::fabs(value) < std::fabs(step) * 1e-6)
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    // Whole numbers up to seven digits read better written out than as 1.25e+04.
    if (magnitude >= 1e4 && magnitude < 1e7) {
        const double scale = std::pow(10.0, std::floor(std::log10(magnitude)) - 3.0);
        return QString::number(std::round(value / scale) * scale, 'f', 0);
    }
    return QString::number(value, 'g', 4);
}

double textHeight(double dpiY, int sizeFont)
{
    return 14.0 * dpiY / 96.0 * sizeFont / 10.0;
}

PlotLayout computeLayout(const LayoutInput &in)
{
    PlotLayout out;
    const double H = textHeight(in.dpiY, in.sizeFont);
    const double dx = in.dpiX;
    const double dy = in.dpiY;
    out.H = H;
    out.client = {in.originX, in.originY, in.originX + in.width, in.originY + in.height};
    if (in.width < dx || in.height < dy) {
        out.tooSmall = true;
        return out;
    }
    double left = 2 * H + dx / 8 + H / 8;
    double right = in.width - dx / 4 - H / 2;
    double top, bottom;
    if (in.xOnTop) {
        top = 2 * H + dy / 8 + H / 8;
        bottom = in.height - dy / 4 - H / 2;
    } else {
        top = H / 2 + dy / 4;
        bottom = in.height - 2 * H - dy / 8 - H / 8;
    }
    if (in.hasTitle) {
        if (in.titleAtTop)
            top += H / 8 + H;
        else
            bottom -= H;
    }
    if (in.showLayers) {
        const bool saved = in.band == BandPlacement::Saved;
        const double oldRight = right;
        right -= saved ? dx / 2 : dx;
        out.hasBand = true;
        out.band = {in.originX + roundToInt(oldRight - (saved ? 0.3 : 0.8) * dx),
                    in.originY + roundToInt(top), in.originX + roundToInt(oldRight),
                    in.originY + roundToInt(bottom)};
    }
    out.plot = {in.originX + roundToInt(left), in.originY + roundToInt(top),
                in.originX + roundToInt(right), in.originY + roundToInt(bottom)};
    if (out.plot.Width() < 1 || out.plot.Height() < 1) {
        out.tooSmall = true;
        return out;
    }
    out.graphs = {out.plot, out.plot, out.plot};
    if (in.showThree) {
        const double gap = 2 * H + dx / 4;
        const double width = (out.plot.Width() - 2 * gap) / 3.0;
        for (int k = 0; k < 3; ++k) {
            const double l = out.plot.left + k * (width + gap);
            out.graphs[static_cast<std::size_t>(k)] = {roundToInt(l), out.plot.top,
                                                       roundToInt(l + width), out.plot.bottom};
        }
    }
    return out;
}

QPoint PlotMapping::ToScreen(double dataX, double dataY) const
{
    const int X = area.left + roundToInt((dataX - x.min) / (x.max - x.min) * area.Width());
    const int c = roundToInt((dataY - y.min) / (y.max - y.min) * area.Height());
    return {X, xOnTop ? area.top + c : area.bottom - c};
}

QPointF PlotMapping::ToData(QPoint pixel) const
{
    const double fx = area.Width() > 0 ? double(pixel.x() - area.left) / area.Width() : 0.0;
    const double c = xOnTop ? pixel.y() - area.top : area.bottom - pixel.y();
    const double fy = area.Height() > 0 ? c / area.Height() : 0.0;
    return {x.min + fx * x.Span(), y.min + fy * y.Span()};
}

QPoint PlotMapping::ClampToArea(QPoint pixel) const
{
    return {std::clamp(pixel.x(), area.left, area.right),
            std::clamp(pixel.y(), area.top, area.bottom)};
}

AxisRange limitZoom(const AxisRange &wanted, const AxisRange &full)
{
    AxisRange r = wanted;
    const double smallest = full.Span() / kZoomLimit;
    if (r.Span() < smallest) {
        const double c = r.Centre();
        r = {c - smallest / 2, c + smallest / 2};
        if (r.min < full.min)
            r = {full.min, full.min + smallest};
        if (r.max > full.max)
            r = {full.max - smallest, full.max};
    }
    return r;
}

DataRange rubberBandZoom(const DataRange &full, QPointF cornerA, QPointF cornerB)
{
    return {limitZoom(ordered(cornerA.x(), cornerB.x()), full.x),
            limitZoom(ordered(cornerA.y(), cornerB.y()), full.y)};
}

AxisRange zoomOutAxis(const AxisRange &current, const AxisRange &full, double centre)
{
    const double half = std::min(current.Span(), full.Span() / 2);
    centre = std::clamp(centre, full.min + half, full.max - half);
    return {centre - half, centre + half};
}

} // namespace vorna
