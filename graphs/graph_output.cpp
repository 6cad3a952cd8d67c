#include "graph_output.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorna {

namespace {

struct FormatInfo {
    PictureFormat format;
    const char *filter;
    const char *extension;
};

constexpr FormatInfo kFormats[] = {
    {PictureFormat::Bmp, "Bitmap (*.bmp)", "bmp"},
    {PictureFormat::Png, "PNG image (*.png)", "png"},
    {PictureFormat::Svg, "SVG drawing (*.svg)", "svg"},
    {PictureFormat::Pdf, "PDF document (*.pdf)", "pdf"},
};

const FormatInfo &infoOf(PictureFormat format)
{
    for (const FormatInfo &f : kFormats) {
        if (f.format == format)
            return f;
    }
    return kFormats[0];
}

DrawOptions savedOptions(double ppi, std::optional<QPointF> legendPosition)
{
    DrawOptions options;
    options.dpiX = ppi;
    options.dpiY = ppi;
    options.legendBox = true;
    options.legendPosition = legendPosition;
    options.band = BandPlacement::Saved;
    options.printing = ppi > 150.0;
    return options;
}

// Vector drawings keep the picture's size in inches but are laid out at 600 dpi or more, so
// that the whole-pixel positions of the layout do not show as steps in curves (at most
// 2400 dpi, as a finer grid shows nothing more).
struct VectorPage {
    int resolution = 600;
    QSizeF inches;
    QRectF area;
};

VectorPage vectorPage(const PictureSize &size)
{
    VectorPage page;
    page.resolution = std::clamp(size.resolution, 600, 2400);
    page.inches =
        QSizeF(double(size.width) / size.resolution, double(size.height) / size.resolution);
    page.area = QRectF(0, 0, std::round(page.inches.width() * page.resolution),
                       std::round(page.inches.height() * page.resolution));
    return page;
}

// The graph above its identification line (the graph's Footnote, when it has one): a small
// line at the foot of the area, about 8 points high on the device.
void drawIdentified(QPainter &painter, const QRectF &area, const GraphDrawModel &model, double dpiY)
{
    const QString &footnote = model.graph.Footnote;
    if (footnote.isEmpty()) {
        draw(painter, area, model);
        return;
    }
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(dpiY * 8.0 / 72.0))));
    const QFontMetricsF metrics(font, painter.device());
    const double strip = std::ceil(metrics.height() * 1.5);
    if (area.height() <= 3 * strip) {
        draw(painter, area, model);
        return;
    }
    const QRectF graphArea(area.left(), area.top(), area.width(), area.height() - strip);
    draw(painter, graphArea, model);
    const QRectF line(area.left(), graphArea.bottom(), area.width(), strip);
    painter.save();
    painter.fillRect(line, Qt::white);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double indent = metrics.averageCharWidth() * 2;
    const QString shown = metrics.elidedText(footnote, Qt::ElideMiddle, line.width() - 2 * indent);
    painter.drawText(line.adjusted(indent, 0, -indent, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
    painter.restore();
}

} // namespace

QString pictureFilters()
{
    QStringList filters;
    for (const FormatInfo &f : kFormats)
        filters << QString::fromLatin1(f.filter);
    return filters.join(QStringLiteral(";;"));
}

PictureFormat pictureFormatFor(const QString &fileName, const QString &selectedFilter)
{
    for (const FormatInfo &f : kFormats) {
        if (selectedFilter == QLatin1String(f.filter))
            return f.format;
    }
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const FormatInfo &f : kFormats) {
        if (suffix == QLatin1String(f.extension))
            return f.format;
    }
    return PictureFormat::Bmp;
}

QString withPictureExtension(const QString &fileName, PictureFormat format)
{
    if (!QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + '.' + QString::fromLatin1(infoOf(format).extension);
}

PictureSize pictureSize(double widthInches, double heightInches, int pixelsPerInch)
{
    const auto pixels = [&](double inches) {
        const double v = std::round(pixelsPerInch * inches);
        return v > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                   : static_cast<int>(v);
    };
    return {pixels(widthInches), pixels(heightInches), pixelsPerInch};
}

QImage renderGraphImage(const TGraphPlot &graph, const GraphView &view, const PictureSize &size,
                        std::optional<QPointF> legendPosition)
{
    if (size.width <= 0 || size.height <= 0)
        return {};
    // QImage refuses sizes beyond its limits with a null image instead of throwing.
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMeter = static_cast<int>(std::lround(size.resolution / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    drawIdentified(painter, QRectF(0, 0, size.width, size.height),
                   {graph, view, savedOptions(size.resolution, legendPosition)}, size.resolution);
    return image;
}

SaveResult saveGraphPicture(const QString &fileName, PictureFormat format, const TGraphPlot &graph,
                            const GraphView &view, const PictureSize &size,
                            std::optional<QPointF> legendPosition)
{
    switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Png: {
        const QImage image = renderGraphImage(graph, view, size, legendPosition);
        if (image.isNull())
            return SaveResult::NoMemory;
        return image.save(fileName, format == PictureFormat::Bmp ? "BMP" : "PNG")
                   ? SaveResult::Saved
                   : SaveResult::WriteFailed;
    }
    case PictureFormat::Svg: {
        const VectorPage page = vectorPage(size);
        const GraphDrawModel model{graph, view, savedOptions(page.resolution, legendPosition)};
        QSvgGenerator svg;
        svg.setFileName(fileName);
        svg.setResolution(page.resolution);
        svg.setSize(page.area.size().toSize());
        svg.setViewBox(page.area);
        svg.setTitle(graph.Caption);
        QPainter painter;
        if (!painter.begin(&svg))
            return SaveResult::WriteFailed;
        drawIdentified(painter, page.area, model, page.resolution);
        painter.end();
        return QFileInfo::exists(fileName) ? SaveResult::Saved : SaveResult::WriteFailed;
    }
    case PictureFormat::Pdf: {
        const VectorPage page = vectorPage(size);
        const GraphDrawModel model{graph, view, savedOptions(page.resolution, legendPosition)};
        QPdfWriter pdf(fileName);
        pdf.setTitle(graph.Caption);
        pdf.setCreator(QStringLiteral("Vorna 2012"));
        pdf.setResolution(page.resolution);
        pdf.setPageLayout(QPageLayout(QPageSize(page.inches, QPageSize::Inch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf))
            return SaveResult::WriteFailed;
        drawIdentified(painter, page.area, model, page.resolution);
        painter.end();
        return QFileInfo::exists(fileName) ? SaveResult::Saved : SaveResult::WriteFailed;
    }
    }
    return SaveResult::WriteFailed;
}

void printGraph(QPrinter &printer, const TGraphPlot &graph, const GraphView &view,
                std::optional<QPointF> legendPosition)
{
    printer.setDocName(graph.Caption);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // With fullPage off the painter's origin is the corner of the page area inside the
    // margins; the printer's physical offsets are taken care of by the driver.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    DrawOptions options;
    options.dpiX = printer.logicalDpiX();
    options.dpiY = printer.logicalDpiY();
    options.legendBox = true;
    options.legendPosition = legendPosition;
    options.band = BandPlacement::Screen;
    options.printing = true;
    drawIdentified(painter, QRectF(0, 0, page.width(), page.height()), {graph, view, options},
                   options.dpiY);
    painter.end();
}

} // namespace vorna
