#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace vorna {

namespace {

constexpr int kSize = 32;

// Bands of soil with a darker band of rock below.
void drawLayers(QPainter &p)
{
    const QColor colours[] = {QColor(222, 196, 140), QColor(170, 130, 90), QColor(130, 130, 130)};
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRect(2, 4 + 9 * i, 28, 8), colours[i]);
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(2, 4 + 9 * i - (i > 0 ? 1 : 0), 29, 4 + 9 * i - (i > 0 ? 1 : 0));
}

// A shaft with a bell standing in the ground.
void drawProfile(QPainter &p)
{
    p.fillRect(QRect(0, 10, 32, 22), QColor(222, 196, 140));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 10, 31, 10);
    for (int x = 2; x < 32; x += 6)
        p.drawLine(x, 10, x + 3, 13);
    QPainterPath shaft;
    shaft.moveTo(13, 3);
    shaft.lineTo(19, 3);
    shaft.lineTo(19, 23);
    shaft.lineTo(25, 29);
    shaft.lineTo(7, 29);
    shaft.lineTo(13, 23);
    shaft.closeSubpath();
    p.fillPath(shaft, QColor(90, 90, 90));
}

void drawAxes(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(4, 4, 29, 4);
    p.drawLine(4, 4, 4, 29);
}

// Capacity growing with depth: curves falling from the top axis to the right.
void drawCapacity(QPainter &p, const QColor &last)
{
    drawAxes(p);
    const QColor colours[] = {Qt::blue, QColor(0, 140, 0), last};
    for (int i = 0; i < 3; ++i) {
        QPainterPath curve;
        curve.moveTo(5, 5);
        curve.cubicTo(8 + 4 * i, 12, 12 + 5 * i, 22, 14 + 6 * i, 28);
        p.setPen(QPen(colours[i], 2));
        p.drawPath(curve);
    }
}

// Load against settlement: a curve bending down.
void drawSettlement(QPainter &p)
{
    drawAxes(p);
    QPainterPath curve;
    curve.moveTo(5, 5);
    curve.cubicTo(20, 8, 26, 16, 28, 28);
    p.setPen(QPen(Qt::red, 2));
    p.drawPath(curve);
}

QIcon drawn(void (*draw)(QPainter &))
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

} // namespace

QIcon toolIcon(ToolIcon kind, const QStyle &style)
{
    switch (kind) {
    case ToolIcon::NewFile:
        return style.standardIcon(QStyle::SP_FileIcon);
    case ToolIcon::OpenFile:
        return style.standardIcon(QStyle::SP_DialogOpenButton);
    case ToolIcon::SaveFile:
        return style.standardIcon(QStyle::SP_DialogSaveButton);
    case ToolIcon::Run:
        return style.standardIcon(QStyle::SP_MediaPlay);
    case ToolIcon::SoilLayers:
        return drawn(drawLayers);
    case ToolIcon::ViewOutput:
        return style.standardIcon(QStyle::SP_FileDialogContentsView);
    case ToolIcon::SoilProfile:
        return drawn(drawProfile);
    case ToolIcon::CombinedUltimate:
        return drawn([](QPainter &p) { drawCapacity(p, Qt::black); });
    case ToolIcon::CombinedFactored:
        return drawn([](QPainter &p) { drawCapacity(p, QColor(200, 100, 0)); });
    case ToolIcon::LoadSettlement:
        return drawn(drawSettlement);
    }
    return {};
}

} // namespace vorna
