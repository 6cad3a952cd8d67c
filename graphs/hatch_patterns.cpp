#include "hatch_patterns.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <functional>

namespace vorna {

namespace {

// Each tile is drawn in unit coordinates (0..1 across the tile); shapes that cross an edge
// are drawn again one tile over so that the tiles join without seams.
using TileDrawing = std::function<void(QPainter &, double strokeUnits)>;

void wrapped(QPainter &p, const std::function<void(QPainter &)> &shape)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            p.save();
            p.translate(dx, dy);
            shape(p);
            p.restore();
        }
    }
}

// Clay: staggered rows of short dashes.
void drawClay(QPainter &p, double)
{
    wrapped(p, [](QPainter &q) {
        for (int row = 0; row < 4; ++row) {
            const double y = 0.125 + row * 0.25;
            const double shift = (row % 2) * 0.25;
            for (int i = 0; i < 2; ++i) {
                const double x = shift + i * 0.5 + 0.06;
                q.drawLine(QPointF(x, y), QPointF(x + 0.3, y));
            }
        }
    });
}

// Sand: a stipple of fine dots.
void drawSand(QPainter &p, double stroke)
{
    static constexpr std::array<QPointF, 12> dots = {{
        {0.08, 0.10},
        {0.45, 0.05},
        {0.78, 0.18},
        {0.25, 0.33},
        {0.60, 0.38},
        {0.92, 0.48},
        {0.12, 0.62},
        {0.42, 0.70},
        {0.75, 0.72},
        {0.30, 0.92},
        {0.62, 0.94},
        {0.95, 0.86},
    }};
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    const double r = std::max(stroke * 0.9, 0.028);
    wrapped(p, [&](QPainter &q) {
        for (const QPointF &d : dots)
            q.drawEllipse(d, r, r);
    });
}

// Shale: thin laminations, solid lines alternating with broken ones.
void drawShale(QPainter &p, double)
{
    wrapped(p, [](QPainter &q) {
        q.drawLine(QPointF(0.0, 0.125), QPointF(1.0, 0.125));
        q.drawLine(QPointF(0.0, 0.625), QPointF(1.0, 0.625));
        q.drawLine(QPointF(0.05, 0.375), QPointF(0.40, 0.375));
        q.drawLine(QPointF(0.55, 0.375), QPointF(0.90, 0.375));
        q.drawLine(QPointF(0.30, 0.875), QPointF(0.65, 0.875));
        q.drawLine(QPointF(0.80, 0.875), QPointF(1.15, 0.875));
    });
}

// Rock: a brick (block) pattern.
void drawRock(QPainter &p, double)
{
    wrapped(p, [](QPainter &q) {
        q.drawLine(QPointF(0.0, 0.0), QPointF(1.0, 0.0));
        q.drawLine(QPointF(0.0, 0.5), QPointF(1.0, 0.5));
        q.drawLine(QPointF(0.0, 0.0), QPointF(0.0, 0.5));
        q.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 1.0));
    });
}

// Weak rock: broken blocks, each with a dot.
void drawWeakRock(QPainter &p, double stroke)
{
    wrapped(p, [&](QPainter &q) {
        q.drawLine(QPointF(0.0, 0.0), QPointF(0.35, 0.0));
        q.drawLine(QPointF(0.6, 0.0), QPointF(0.9, 0.0));
        q.drawLine(QPointF(0.1, 0.5), QPointF(0.4, 0.5));
        q.drawLine(QPointF(0.65, 0.5), QPointF(1.0, 0.5));
        q.drawLine(QPointF(0.0, 0.08), QPointF(0.0, 0.42));
        q.drawLine(QPointF(0.5, 0.58), QPointF(0.5, 0.92));
        q.save();
        q.setPen(Qt::NoPen);
        q.setBrush(Qt::black);
        const double r = std::max(stroke, 0.03);
        q.drawEllipse(QPointF(0.25, 0.25), r, r);
        q.drawEllipse(QPointF(0.75, 0.75), r, r);
        q.restore();
    });
}

// Gravelly sand: small pebbles among sand dots.
void drawGravellySand(QPainter &p, double stroke)
{
    wrapped(p, [&](QPainter &q) {
        q.drawEllipse(QPointF(0.25, 0.25), 0.11, 0.08);
        q.drawEllipse(QPointF(0.75, 0.72), 0.11, 0.08);
        q.save();
        q.setPen(Qt::NoPen);
        q.setBrush(Qt::black);
        const double r = std::max(stroke * 0.9, 0.028);
        for (const QPointF &d : {QPointF(0.70, 0.15), QPointF(0.55, 0.42), QPointF(0.90, 0.40),
                                 QPointF(0.12, 0.60), QPointF(0.35, 0.85), QPointF(0.18, 0.95)})
            q.drawEllipse(d, r, r);
        q.restore();
    });
}

// Gravel: open pebbles of two sizes.
void drawGravel(QPainter &p, double)
{
    wrapped(p, [](QPainter &q) {
        q.drawEllipse(QPointF(0.25, 0.22), 0.16, 0.11);
        q.drawEllipse(QPointF(0.78, 0.30), 0.10, 0.08);
        q.drawEllipse(QPointF(0.55, 0.72), 0.17, 0.12);
        q.drawEllipse(QPointF(0.08, 0.75), 0.07, 0.06);
    });
}

TileDrawing drawingOf(int fillCode)
{
    switch (fillCode) {
    case kFillClay:
        return drawClay;
    case kFillSand:
        return drawSand;
    case kFillShale:
        return drawShale;
    case kFillRock:
        return drawRock;
    case kFillWeakRock:
        return drawWeakRock;
    case kFillGravellySand:
        return drawGravellySand;
    case kFillGravel:
        return drawGravel;
    default:
        return {};
    }
}

QImage renderTile(int fillCode, int size)
{
    QImage tile(size, size, QImage::Format_RGB32);
    tile.fill(Qt::white);
    const TileDrawing drawing = drawingOf(fillCode);
    QPainter p(&tile);
    const bool large = size > kScreenTileSize;
    p.setRenderHint(QPainter::Antialiasing, large);
    p.scale(size, size);
    // One pixel lines on the small tile; proportionally finer strokes on the large one.
    const double stroke = large ? 1.5 / size : 1.0 / size;
    QPen pen(Qt::black, stroke);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.setClipRect(QRectF(0, 0, 1, 1));
    drawing(p, stroke);
    return tile;
}

} // namespace

bool isPatternFill(int fillCode)
{
    return fillCode == kFillClay || (fillCode >= kFillSand && fillCode <= kFillGravel);
}

bool isHatchFill(int fillCode)
{
    return fillCode >= kFillForwardDiagonal && fillCode <= kFillVertical;
}

const QImage &patternTile(int fillCode, PatternResolution resolution)
{
    // Index 0 holds the null image; 1 and 7..12 their tiles.
    static const auto tiles = [] {
        std::array<std::array<QImage, 13>, 2> all;
        for (int code = 1; code <= kFillGravel; ++code) {
            if (!isPatternFill(code))
                continue;
            all[0][static_cast<std::size_t>(code)] = renderTile(code, kScreenTileSize);
            all[1][static_cast<std::size_t>(code)] = renderTile(code, kPrintTileSize);
        }
        return all;
    }();
    const std::size_t set = resolution == PatternResolution::Print ? 1 : 0;
    if (!isPatternFill(fillCode))
        return tiles[set][0];
    return tiles[set][static_cast<std::size_t>(fillCode)];
}

QBrush bandBrush(int fillCode, double dpi, bool printing)
{
    if (isHatchFill(fillCode)) {
        static constexpr Qt::BrushStyle styles[] = {Qt::FDiagPattern, Qt::CrossPattern,
                                                    Qt::DiagCrossPattern, Qt::HorPattern,
                                                    Qt::VerPattern};
        QBrush brush(Qt::black, styles[fillCode - kFillForwardDiagonal]);
        if (dpi > 120.0)
            brush.setTransform(QTransform::fromScale(dpi / 96.0, dpi / 96.0));
        return brush;
    }
    if (isPatternFill(fillCode)) {
        const bool large = printing || dpi > 150.0;
        const QImage &tile =
            patternTile(fillCode, large ? PatternResolution::Print : PatternResolution::Screen);
        QBrush brush(tile);
        const double scale = kTileInches * dpi / tile.width();
        if (std::fabs(scale - 1.0) > 1e-9)
            brush.setTransform(QTransform::fromScale(scale, scale));
        return brush;
    }
    return QBrush(Qt::NoBrush);
}

} // namespace vorna
