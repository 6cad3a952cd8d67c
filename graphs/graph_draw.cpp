#include "graph_draw.h"

#include "hatch_patterns.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vorna {

namespace {

constexpr int kGraphs = 3;

int px(double v)
{
    return static_cast<int>(std::lround(v));
}

// Line widths of the frame, ticks and grid: one pixel on a screen, proportionally more on
// paper so the frame does not vanish at 600 dpi.
double hairline(double dpi)
{
    return std::max(1.0, std::round(dpi / 96.0));
}

struct Painter {
    QPainter &p;
    const GraphDrawModel &m;
    const TGraphPlot &g;
    PlotLayout layout;
    double dx, dy;

    void captions();
    void ticks(int graph, const PlotMapping &map);
    void curves(LineList list, const PlotMapping &map);
    void stampMarkers(const QPolygon &points, const QPen &pen, int shape, double rx, double ry);
    void measuredCurve(const QPolygon &polyline, QPen pen, double rx, double ry);
    void band(const PlotMapping &map);
    void legendBox(const PlotRect &plot);
    std::vector<QPolygon> curvesOnPlot; // the main graph's curves, for the legend's place
    void frame(const PlotRect &plot);
    void centredText(const QPointF &centre, const QString &text, double angle);
};

void Painter::centredText(const QPointF &centre, const QString &text, double angle)
{
    const QFontMetricsF fm(p.font());
    const double w = fm.horizontalAdvance(text);
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.drawText(QPointF(-w / 2, (fm.ascent() - fm.descent()) / 2), text);
    p.restore();
}

void Painter::captions()
{
    const double H = layout.H;
    const PlotRect &c = layout.client;
    const bool hasTitle = !g.Title.isEmpty();
    const double centreX = (c.left + c.right) / 2.0;
    p.setPen(Qt::black);
    p.setFont(graphFont(H, true));
    const QFontMetricsF fm(p.font());
    const double lineMiddle = fm.height() / 2 + H / 16;

    double topUsed = c.top;
    double bottomUsed = c.bottom;
    if (hasTitle) {
        if (g.TitleAtTop) {
            centredText({centreX, topUsed + lineMiddle}, g.Title, 0);
            topUsed += H / 8 + H;
        } else {
            centredText({centreX, bottomUsed - lineMiddle}, g.Title, 0);
            bottomUsed -= H;
        }
    }
    if (g.ShowThree) {
        for (int k = 0; k < kGraphs; ++k) {
            const PlotRect &r = layout.graphs[static_cast<std::size_t>(k)];
            const double cx = (r.left + r.right) / 2.0;
            const double y = g.XOnTop ? topUsed + lineMiddle : bottomUsed - lineMiddle;
            centredText({cx, y}, g.XAxisText(k), 0);
        }
    } else {
        const double y = g.XOnTop ? topUsed + lineMiddle : bottomUsed - lineMiddle;
        centredText({centreX, y}, g.XAxisText(0), 0);
    }
    centredText({c.left + lineMiddle, (c.top + c.bottom) / 2.0}, g.YAxisText(0), -90);
}

void Painter::ticks(int graph, const PlotMapping &map)
{
    const PlotRect &r = map.area;
    const double H = layout.H;
    const int nx = static_cast<int>(r.Width() / (6 * H));
    const int ny = static_cast<int>(r.Height() / (6 * H));
    if (nx == 0 || ny == 0)
        return;
    (void)graph;
    const std::vector<Tick> xt = axisTicks(map.x, nx);
    const std::vector<Tick> yt = axisTicks(map.y, ny);
    const double xStep = tickStep(map.x, nx);
    const double yStep = tickStep(map.y, ny);

    QPen tickPen(Qt::black, hairline(dx));
    tickPen.setCapStyle(Qt::FlatCap);
    QPen gridPen(QColor(0x80, 0x80, 0x80), hairline(dx), Qt::DotLine);
    gridPen.setCapStyle(Qt::FlatCap);
    p.setFont(graphFont(H, false));
    const QFontMetricsF fm(p.font());

    const int xEdge = g.XOnTop ? r.top : r.bottom;
    const int xInward = g.XOnTop ? px(dy / 16) : -px(dy / 16);
    for (const Tick &t : xt) {
        const int X = map.ToScreen(t.value, map.y.min).x();
        p.setPen(tickPen);
        p.drawLine(X, xEdge, X, xEdge + xInward);
        if (!t.major)
            continue;
        p.setPen(gridPen);
        p.drawLine(X, r.top, X, r.bottom);
        p.setPen(Qt::black);
        const QString label = tickLabel(t.value, xStep);
        const double yLabel =
            g.XOnTop ? r.top - dy / 32 - fm.descent() : r.bottom + dy / 16 + fm.ascent();
        p.drawText(QPointF(X - fm.horizontalAdvance(label) / 2, yLabel), label);
    }
    for (const Tick &t : yt) {
        const int Y = map.ToScreen(map.x.min, t.value).y();
        p.setPen(tickPen);
        p.drawLine(r.left, Y, r.left + px(dx / 16), Y);
        if (!t.major)
            continue;
        p.setPen(gridPen);
        p.drawLine(r.left, Y, r.right, Y);
        p.setPen(Qt::black);
        const QString label = tickLabel(t.value, yStep);
        const double w = fm.horizontalAdvance(label);
        p.save();
        p.translate(r.left - dx / 32 - fm.descent(), Y);
        p.rotate(-90);
        p.drawText(QPointF(-w / 2, 0), label);
        p.restore();
    }
}

void Painter::curves(LineList list, const PlotMapping &map)
{
    const std::vector<TLine> &lines = g.Lines(list);
    if (lines.empty() || lines.front().points.size() < 2)
        return; // line 0 with fewer than two points: no curves at all
    const PlotRect &r = map.area;
    p.save();
    p.setClipRect(QRect(r.left, r.top, r.Width() + 1, r.Height() + 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    // Antialiased pens of odd width stay sharp when they run through pixel centres.
    if (curvePenWidth(dx, g.WidthLine) % 2 == 1)
        p.translate(0.5, 0.5);
    const int width = curvePenWidth(dx, g.WidthLine);
    const double rx = dx / 32;
    const double ry = dy / 32;
    QPolygon polyline;
    int count = 0;
    const bool stamp = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster &&
                       p.deviceTransform().type() <= QTransform::TxTranslate;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TLine &line = lines[i];
        if (!line.included)
            continue;
        const int colour = count++;
        if (!line.shown)
            continue;
        QPen pen(paletteColor(colour), width);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        polyline.resize(static_cast<int>(line.points.size()));
        for (std::size_t j = 0; j < line.points.size(); ++j)
            polyline[static_cast<int>(j)] = map.ToScreen(line.points[j].x, line.points[j].y);
        if (line.measured) {
            measuredCurve(polyline, pen, rx, ry);
            continue;
        }
        if (polyline.size() >= 2)
            p.drawPolyline(polyline);
        if (g.Markers <= 0)
            continue;
        if (stamp) {
            stampMarkers(polyline, pen, static_cast<int>(i), rx, ry);
            continue;
        }
        for (int j = 0; j < polyline.size(); ++j) {
            if (j == 0 || j % g.Markers == 0)
                p.drawPolygon(markerPolygon(polyline[j], static_cast<int>(i), rx, ry));
        }
    }
    p.restore();
}

void Painter::measuredCurve(const QPolygon &polyline, QPen pen, double rx, double ry)
{
    pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    if (polyline.size() >= 2)
        p.drawPolyline(polyline);
    pen.setStyle(Qt::SolidLine);
    p.setPen(pen);
    p.setBrush(pen.color());
    for (const QPoint &point : polyline)
        p.drawEllipse(QPointF(point), rx * 0.6, ry * 0.6);
    p.setBrush(Qt::NoBrush);
}

// On a bitmap without scaling, a marker is drawn once into a small image and stamped at
// every point: thousands of antialiased polygons would cost 15 times as much.
void Painter::stampMarkers(const QPolygon &points, const QPen &pen, int shape, double rx, double ry)
{
    const QTransform device = p.deviceTransform();
    const double fx = device.dx() - std::floor(device.dx());
    const double fy = device.dy() - std::floor(device.dy());
    const int half = static_cast<int>(std::ceil(std::max(rx, ry) + pen.widthF())) + 1;
    QImage sprite(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    {
        QPainter sp(&sprite);
        sp.setRenderHint(QPainter::Antialiasing, true);
        sp.setPen(pen);
        sp.setBrush(Qt::NoBrush);
        sp.drawPolygon(markerPolygon({half + fx, half + fy}, shape, rx, ry));
    }
    const int ox = static_cast<int>(std::floor(device.dx()));
    const int oy = static_cast<int>(std::floor(device.dy()));
    p.save();
    p.resetTransform(); // the clip stays where it was set
    for (int j = 0; j < points.size(); ++j) {
        if (j == 0 || j % g.Markers == 0)
            p.drawImage(QPoint(points[j].x() + ox - half, points[j].y() + oy - half), sprite);
    }
    p.restore();
}

void Painter::band(const PlotMapping &map)
{
    const std::vector<TLine> &entries = g.Lines(LineList::Band);
    const int walls = std::clamp(g.WallLineCount, 0, static_cast<int>(entries.size()));
    const int drawn = static_cast<int>(entries.size()) - (g.ShowWall ? 0 : walls);
    const PlotRect &b = layout.band;
    const double H = layout.H;
    p.save();
    p.setClipRect(QRect(b.left, b.top, b.Width() + 1, b.Height() + 1));
    p.setFont(graphFont(textHeight(dy, 10), false));
    const QFontMetricsF fm(p.font());
    const int outline = static_cast<int>(hairline(dx));
    int previous = b.top;
    for (int i = 0; i < drawn; ++i) {
        const TLine &entry = entries[static_cast<std::size_t>(i)];
        if (entry.points.empty())
            continue;
        const int fill = static_cast<int>(std::lround(entry.points.front().x));
        int bottom = map.ToScreen(map.x.min, entry.points.front().y).y();
        bottom = std::clamp(bottom, b.top, b.bottom);
        const int top = std::clamp(previous, b.top, b.bottom);
        previous = bottom;
        if (bottom <= top)
            continue;
        const QRect cell(b.left, top, b.Width(), bottom - top);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(cell);
        p.setBrush(bandBrush(fill, dx, m.options.printing));
        p.setBrushOrigin(b.left, b.top);
        p.drawRect(cell);
        p.setBrush(Qt::NoBrush);
        QPen pen(Qt::black, outline);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.drawRect(
            QRectF(cell).adjusted(outline / 2.0, outline / 2.0, -outline / 2.0, -outline / 2.0));
        const QString name = g.LineName(i, LineList::Band).trimmed();
        if (name.isEmpty())
            continue;
        // A name wider than the band goes one word to a line; a word still wider (the
        // narrow band of a saved picture) is written smaller, down to 60 % of the base size,
        // and may then stand out of the band sideways.
        const double base = textHeight(dy, 10);
        const double room = cell.width() - 2.0 * outline - H / 4;
        QStringList lines{name};
        if (fm.horizontalAdvance(name) > room)
            lines = name.split(u' ', Qt::SkipEmptyParts);
        double wide = 0.0;
        for (const QString &line : lines)
            wide = std::max(wide, fm.horizontalAdvance(line));
        double size = base;
        if (wide > room && room > 0)
            size = std::max(0.6 * base, base * room / wide);
        p.save();
        p.setFont(graphFont(size, false));
        const QFontMetricsF nfm(p.font());
        double w = 0.0;
        for (const QString &line : lines)
            w = std::max(w, nfm.horizontalAdvance(line));
        const double textHeightAll = nfm.height() * static_cast<double>(lines.size());
        const QRectF textBox(cell.center().x() - w / 2 - H / 8,
                             cell.center().y() - textHeightAll / 2, w + H / 4, textHeightAll);
        p.setClipRect(QRect(layout.client.left, cell.top() + outline, layout.client.Width(),
                            cell.height() - 2 * outline));
        p.fillRect(textBox, Qt::white);
        p.setPen(Qt::black);
        for (int k = 0; k < static_cast<int>(lines.size()); ++k) {
            const QString &line = lines[k];
            const double x = cell.center().x() - nfm.horizontalAdvance(line) / 2;
            p.drawText(QPointF(x, textBox.top() + k * nfm.height() + nfm.ascent()), line);
        }
        p.restore();
    }
    p.restore();
}

void Painter::legendBox(const PlotRect &plot)
{
    std::vector<LegendEntry> shown;
    for (const LegendEntry &e : legendEntries(g)) {
        if (g.Line(e.line).shown)
            shown.push_back(e);
    }
    if (shown.empty())
        return;
    const double fontPx = legendFontPixels(g, dy);
    p.save();
    p.setFont(graphFont(fontPx, false));
    const QFontMetricsF fm(p.font());
    const double item = 1.5 * fontPx;
    const double sample = dx * 0.4; // a short stretch of the line with its marker
    const double pad = dx / 16;
    double textWidth = 0;
    for (const LegendEntry &e : shown)
        textWidth = std::max(textWidth, fm.horizontalAdvance(e.name));
    const double width = pad + sample + pad + textWidth + pad;
    const double height = static_cast<double>(shown.size()) * item + pad;
    QPointF topLeft = legendCorner({width, height}, plot, dx / 16, curvesOnPlot);
    if (m.options.legendPosition) {
        topLeft = {plot.left + m.options.legendPosition->x() * plot.Width(),
                   plot.top + m.options.legendPosition->y() * plot.Height()};
    }
    const QRectF box(topLeft, QSizeF(width, height));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, hairline(dx)));
    p.drawRect(box);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int penWidth = curvePenWidth(dx, g.WidthLine);
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const LegendEntry &e = shown[k];
        const double midY = box.top() + pad / 2 + (static_cast<double>(k) + 0.5) * item;
        const QColor colour = paletteColor(e.colour);
        QPen pen(colour, penWidth);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const double x0 = box.left() + pad;
        if (g.Line(e.line).measured) {
            pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            p.drawLine(QPointF(x0, midY), QPointF(x0 + sample, midY));
            p.setBrush(colour);
            p.drawEllipse(QPointF(x0 + sample / 2, midY), dx / 54, dy / 54);
            p.setBrush(Qt::NoBrush);
        } else {
            p.drawLine(QPointF(x0, midY), QPointF(x0 + sample, midY));
        }
        if (g.Markers > 0 && !g.Line(e.line).measured)
            p.drawPolygon(markerPolygon({x0 + sample / 2, midY}, e.line, dx / 32, dy / 32));
        p.setPen(colour);
        p.drawText(QPointF(x0 + sample + pad, midY + (fm.ascent() - fm.descent()) / 2), e.name);
    }
    p.restore();
}

void Painter::frame(const PlotRect &r)
{
    const double w = hairline(dx);
    QPen pen(Qt::black, w);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(r.left, r.top, r.Width(), r.Height()));
}

} // namespace

std::optional<GraphView> fullView(const TGraphPlot &graph)
{
    GraphView view;
    static constexpr LineList lists[kGraphs] = {LineList::Main, LineList::Second, LineList::Third};
    for (int k = 0; k < kGraphs; ++k) {
        const std::optional<DataRange> range = autoscale(graph.Lines(lists[k]));
        if (!range)
            return std::nullopt;
        view.range[static_cast<std::size_t>(k)] = *range;
    }
    return view;
}

PlotLayout layoutFor(const QRectF &area, const TGraphPlot &graph, const DrawOptions &options)
{
    const QRect r = area.toAlignedRect();
    LayoutInput in;
    in.originX = r.left();
    in.originY = r.top();
    in.width = r.width();
    in.height = r.height();
    in.dpiX = options.dpiX;
    in.dpiY = options.dpiY;
    in.sizeFont = graph.SizeFont;
    in.xOnTop = graph.XOnTop;
    in.hasTitle = !graph.Title.isEmpty();
    in.titleAtTop = graph.TitleAtTop;
    in.showLayers = graph.ShowLayers;
    in.band = options.band;
    in.showThree = graph.ShowThree;
    return computeLayout(in);
}

void draw(QPainter &painter, const QRectF &area, const GraphDrawModel &model)
{
    const TGraphPlot &g = model.graph;
    Painter pp{painter,
               model,
               g,
               layoutFor(area, g, model.options),
               model.options.dpiX,
               model.options.dpiY,
               {}};
    painter.save();
    painter.fillRect(area, Qt::white);
    if (pp.layout.tooSmall) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    pp.captions();
    static constexpr LineList lists[kGraphs] = {LineList::Main, LineList::Second, LineList::Third};
    const int graphs = g.ShowThree ? kGraphs : 1;
    std::array<PlotMapping, kGraphs> maps;
    for (int k = 0; k < graphs; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        maps[ku] = {pp.layout.graphs[ku], model.view.range[ku].x, model.view.range[ku].y, g.XOnTop};
        pp.ticks(k, maps[ku]);
        pp.curves(lists[ku], maps[ku]);
    }
    if (model.options.legendBox) {
        pp.curvesOnPlot = mappedCurves(g, LineList::Main, maps[0]);
        pp.legendBox(pp.layout.plot);
    }
    if (g.ShowLayers && pp.layout.hasBand)
        pp.band(maps[0]);
    for (int k = 0; k < graphs; ++k)
        pp.frame(pp.layout.graphs[static_cast<std::size_t>(k)]);
    painter.restore();
}

int curvePenWidth(double dpiX, int widthLine)
{
    return (static_cast<int>(std::lround(dpiX / 300.0)) + 1) * std::max(widthLine, 1);
}

QFont graphFont(double pixelSize, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, px(pixelSize)));
    font.setBold(bold);
    return font;
}

double legendFontPixels(const TGraphPlot &graph, double dpiY)
{
    return graph.LegendFont * graph.SizeFont / 10.0 * dpiY / 72.0;
}

std::vector<LegendEntry> legendEntries(const TGraphPlot &graph)
{
    std::vector<LegendEntry> entries;
    int colour = 0;
    for (int i = 0; i < graph.LineCount(); ++i) {
        if (!graph.Line(i).included)
            continue;
        QString name = graph.LineName(i);
        if (graph.onGetCaption)
            graph.onGetCaption(i, name);
        entries.push_back({i, colour++, name});
    }
    return entries;
}

std::vector<QPolygon> mappedCurves(const TGraphPlot &graph, LineList list, const PlotMapping &map)
{
    std::vector<QPolygon> curves;
    const std::vector<TLine> &lines = graph.Lines(list);
    if (lines.empty() || lines.front().points.size() < 2)
        return curves;
    for (const TLine &line : lines) {
        if (!line.included || !line.shown)
            continue;
        QPolygon polygon(static_cast<int>(line.points.size()));
        for (std::size_t j = 0; j < line.points.size(); ++j)
            polygon[static_cast<int>(j)] = map.ToScreen(line.points[j].x, line.points[j].y);
        curves.push_back(std::move(polygon));
    }
    return curves;
}

namespace {

// Cohen-Sutherland: does the segment a-b meet the rectangle?
bool segmentMeets(QPointF a, QPointF b, const QRectF &r)
{
    const auto code = [&r](QPointF p) {
        return (p.x() < r.left() ? 1 : 0) | (p.x() > r.right() ? 2 : 0) |
               (p.y() < r.top() ? 4 : 0) | (p.y() > r.bottom() ? 8 : 0);
    };
    int ca = code(a), cb = code(b);
    for (int guard = 0; guard < 8; ++guard) {
        if ((ca | cb) == 0)
            return true;
        if (ca & cb)
            return false;
        const int out = ca ? ca : cb;
        QPointF p;
        const double dxab = b.x() - a.x(), dyab = b.y() - a.y();
        if (out & 8)
            p = {a.x() + dxab * (r.bottom() - a.y()) / dyab, r.bottom()};
        else if (out & 4)
            p = {a.x() + dxab * (r.top() - a.y()) / dyab, r.top()};
        else if (out & 2)
            p = {r.right(), a.y() + dyab * (r.right() - a.x()) / dxab};
        else
            p = {r.left(), a.y() + dyab * (r.left() - a.x()) / dxab};
        if (out == ca) {
            a = p;
            ca = code(a);
        } else {
            b = p;
            cb = code(b);
        }
    }
    return false;
}

} // namespace

QPointF legendCorner(const QSizeF &box, const PlotRect &plot, double inset,
                     const std::vector<QPolygon> &curves)
{
    const double left = plot.left + inset;
    const double right = plot.right - inset - box.width();
    const double top = plot.top + inset;
    const double bottom = plot.bottom - inset - box.height();
    const QPointF corners[] = {{right, bottom}, {right, top}, {left, bottom}, {left, top}};
    QPointF best = corners[0];
    long long fewest = -1;
    for (const QPointF &corner : corners) {
        const QRectF area(corner, box);
        long long crossings = 0;
        for (const QPolygon &curve : curves) {
            for (int j = 0; j + 1 < curve.size(); ++j)
                crossings += segmentMeets(curve[j], curve[j + 1], area) ? 1 : 0;
            if (curve.size() == 1)
                crossings += area.contains(curve[0]) ? 1 : 0;
        }
        if (fewest < 0 || crossings < fewest) {
            fewest = crossings;
            best = corner;
        }
        if (fewest == 0)
            break;
    }
    return best;
}

QPolygonF markerPolygon(QPointF centre, int lineIndex, double rx, double ry)
{
    std::vector<double> degrees;
    if (lineIndex <= 0) {
        degrees = {180, 300, 60};
    } else if (lineIndex == 1) {
        degrees = {45, 135, 225, 315};
    } else {
        const int sides = lineIndex + 1;
        for (int k = 0; k < sides; ++k)
            degrees.push_back(360.0 * k / sides);
    }
    QPolygonF polygon;
    for (double d : degrees) {
        const double a = d * std::numbers::pi / 180.0;
        polygon << QPointF(centre.x() + rx * std::cos(a), centre.y() - ry * std::sin(a));
    }
    return polygon;
}

} // namespace vorna
