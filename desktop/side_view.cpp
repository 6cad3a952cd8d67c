#include "side_view.h"

#include "program_data.h"
#include "user_interaction.h"

#include <QDate>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vorna {

namespace {

const QString kCaptionText = QString::fromLatin1(TDlgSideView::kCaption);

// The drawing surface of the view; the window does the work.
class SideViewCanvas : public QWidget {
public:
    explicit SideViewCanvas(TDlgSideView &view) : QWidget(&view), m_view(view)
    {
        setObjectName(QStringLiteral("Canvas"));
        setMouseTracking(true);
        setMinimumSize(200, 200);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_view.paintCanvas(painter);
    }
    void resizeEvent(QResizeEvent *) override { m_view.rescale(); }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        m_view.showDepthAt(qRound(event->position().y()));
    }
    void leaveEvent(QEvent *) override { m_view.clearDepth(); }

private:
    TDlgSideView &m_view;
};

QPolygon outlinePolygon(const Outline &outline, auto &&toPixel)
{
    QPolygon polygon;
    for (const QPointF &p : outline)
        polygon << toPixel(p);
    return polygon;
}

int labelGap(const QFontMetrics &metrics)
{
    return metrics.averageCharWidth() * 2;
}

} // namespace

QRect shaftArea(const QRect &client, const SideViewShape &shape, const QFontMetrics &metrics)
{
    int widest = 0;
    for (const SoilBand &layer : shape.layers)
        widest = std::max(widest, metrics.horizontalAdvance(screenLabel(layer)));
    const int column = widest > 0 ? std::min(widest + labelGap(metrics), client.width() / 2) : 0;
    return QRect(client.left() + column, client.top(), client.width() - column, client.height());
}

void drawSideView(QPainter &painter, const QRect &client, const SideViewShape &shape,
                  const Extents &range, const QPalette &palette)
{
    painter.fillRect(client, palette.color(QPalette::Window));
    const int w = client.width();
    const int h = client.height();
    const QRect shaft = shaftArea(client, shape, painter.fontMetrics());
    const int labelRoom = shaft.left() - client.left() - labelGap(painter.fontMetrics());
    const auto y = [&](double depth) { return pixelY(depth + shape.stickUp, range, h); };
    painter.setPen(palette.color(QPalette::WindowText));
    const int textHeight = painter.fontMetrics().height();
    for (std::size_t i = 0; i < shape.layers.size(); ++i) {
        const SoilBand &layer = shape.layers[i];
        if (i == 0) {
            const int ground = y(0.0);
            painter.drawLine(0, ground, w, ground);
            for (int j = 1; j <= 20; ++j)
                painter.drawLine(100 + 20 * j, ground, 115 + 20 * j, ground + 5);
        }
        const int bottom = y(layer.bottomDepth);
        painter.drawLine(0, bottom, w, bottom);
        const int top = y(layer.topDepth);
        const int labelTop = labelShowsDepths(layer.soilType) ? top + textHeight : top;
        painter.drawText(QPoint(0, labelTop + painter.fontMetrics().ascent()),
                         painter.fontMetrics().elidedText(screenLabel(layer), Qt::ElideRight,
                                                          std::max(0, labelRoom)));
    }
    const QColor fill = palette.color(QPalette::WindowText);
    painter.setBrush(fill);
    for (const Outline &outline : shape.outlines) {
        painter.drawPolygon(outlinePolygon(outline, [&](const QPointF &p) {
            return QPoint(shaft.left() + pixelX(p.x(), range, shaft.width()),
                          pixelY(p.y(), range, h));
        }));
    }
    painter.setBrush(Qt::NoBrush);
}

QString sideViewPageTitle(const QString &projectTitle, const QString &fileName, const QDate &date)
{
    QStringList parts;
    if (!projectTitle.trimmed().isEmpty())
        parts << projectTitle.trimmed();
    parts << QDir::toNativeSeparators(fileName) << date.toString(Qt::ISODate);
    return parts.join(QStringLiteral("    "));
}

void drawSideViewPage(QPainter &painter, const QRect &page, const SideViewShape &shape,
                      const Extents &range, const QFont &font, const QColor &fill,
                      const QString &titleLine)
{
    const double w = page.width();
    const double h = page.height();
    const double lastBottom = shape.layers.empty() ? 0.0 : shape.layers.back().bottomDepth;
    const double depthSpan = lastBottom + shape.stickUp;
    const auto y = [&](double drawingY) {
        return int(0.1 * h) + static_cast<int>(std::lround(0.8 * h * drawingY / depthSpan));
    };
    const int left = int(0.1 * w);
    const int right = int(0.9 * w);
    painter.setPen(QPen(Qt::black, 12, Qt::SolidLine));
    painter.setFont(font);
    const int textHeight = painter.fontMetrics().height();
    // The title line stands in the top margin, above the drawing's 10 % mark.
    if (!titleLine.isEmpty())
        painter.drawText(
            QRect(left, 0, right - left, int(0.1 * h) - textHeight / 2),
            Qt::AlignLeft | Qt::AlignBottom,
            painter.fontMetrics().elidedText(titleLine, Qt::ElideMiddle, right - left));
    for (std::size_t i = 0; i < shape.layers.size(); ++i) {
        const SoilBand &layer = shape.layers[i];
        if (i == 0) {
            const int ground = y(shape.stickUp);
            painter.drawLine(left, ground, right, ground);
            for (int j = 1; j <= 10; ++j) {
                const int x = int(0.35 * h) + 50 * j;
                painter.drawLine(x, ground, int(0.365 * h) + 50 * j, ground + 70);
            }
        }
        const int bottom = y(layer.bottomDepth + shape.stickUp);
        painter.drawLine(left, bottom, right, bottom);
        const int top = y(layer.topDepth + shape.stickUp);
        painter.drawText(QPoint(int(0.15 * h), top + textHeight + painter.fontMetrics().ascent()),
                         printLabel(layer));
    }
    painter.setBrush(fill);
    for (const Outline &outline : shape.outlines) {
        painter.drawPolygon(outlinePolygon(outline, [&](const QPointF &p) {
            return QPoint(pixelX(p.x(), range, int(w)), y(p.y()));
        }));
    }
    painter.setBrush(Qt::NoBrush);
}

TDlgSideView::TDlgSideView(const TProgramData &project, const ProgramTables &tables,
                           UserInteraction &interaction, QWidget *parent)
    : QWidget(parent), m_project(project), m_tables(tables), m_interaction(interaction)
{
    setObjectName(QStringLiteral("DlgSideView"));
    setWindowTitle(kCaptionText);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_geometryLabel = new QLabel(QStringLiteral("Pile Geometry"), this);
    m_geometryLabel->setObjectName(QStringLiteral("PileGeometry"));
    auto *print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("Print"));
    connect(print, &QPushButton::clicked, this, &TDlgSideView::PrintClick);
    top->addWidget(m_geometryLabel);
    top->addStretch();
    top->addWidget(print);
    layout->addLayout(top);
    m_canvas = new SideViewCanvas(*this);
    layout->addWidget(m_canvas, 1);
    resize(420, 560);
}

void TDlgSideView::Rebuild()
{
    if (m_disabled)
        return;
    m_shape = buildSideView(sideViewInput(m_project, m_tables), m_shape.extents);
    clearDepth();
    rescale();
}

QRect TDlgSideView::ShaftArea() const
{
    return shaftArea(m_canvas->rect(), m_shape, m_canvas->fontMetrics());
}

void TDlgSideView::clearDepth()
{
    setWindowTitle(kCaptionText);
}

void TDlgSideView::rescale()
{
    if (m_disabled)
        return;
    if (m_canvas->width() <= 0 || m_canvas->height() <= 0)
        return; // not laid out yet
    const QRect area = ShaftArea();
    if (area.width() <= 0)
        return;
    const std::optional<Extents> range = viewRange(m_shape.extents, area.width(), area.height());
    if (!range) {
        m_disabled = true;
        m_canvas->update();
        return;
    }
    m_range = *range;
    m_canvas->update();
}

void TDlgSideView::paintCanvas(QPainter &painter)
{
    if (m_disabled)
        return;
    drawSideView(painter, m_canvas->rect(), m_shape, m_range, palette());
}

void TDlgSideView::showDepthAt(int pixelY)
{
    if (m_disabled)
        return;
    const double depth = drawingY(pixelY, m_range, m_canvas->height());
    setWindowTitle(QStringLiteral("  Depth: %1").arg(depth, 0, 'f', 1));
}

void TDlgSideView::Print(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Soil-Pile Profile"));
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    drawSideViewPage(painter, page, m_shape, m_range, m_geometryLabel->font(),
                     palette().color(QPalette::WindowText),
                     sideViewPageTitle(m_project.title, m_project.fileName, QDate::currentDate()));
}

void TDlgSideView::PrintClick()
{
    if (m_disabled)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (m_interaction.ChoosePrinter(this, printer))
        Print(printer);
}

} // namespace vorna
