// Painting a graph offscreen: curves and markers, the colour count over included lines,
// the soil-layer band and its pattern tiles, the legend box, printing to PDF and saving in
// the four picture formats.
#include "graph_draw.h"
#include "graph_output.h"
#include "hatch_patterns.h"
#include "offscreen_test_main.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace vorna;

namespace {

// A depth graph of `lines` straight lines of `points` points: x = (i + 1) * 10 * depth.
void fill(TGraphPlot &g, int lines, int points)
{
    g.SetLineCount(lines);
    g.SetPointCount(points);
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < points; ++j)
            g.Point(i, j) = {(i + 1) * 10.0 * j, double(j)};
    }
}

QImage render(const TGraphPlot &g, QSize size = {800, 600}, DrawOptions options = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3)); // draw() must cover everything
    const std::optional<GraphView> view = fullView(g);
    QPainter p(&image);
    draw(p, QRectF(QPointF(0, 0), QSizeF(size)), {g, view.value(), options});
    return image;
}

// Pixels within a small distance of a colour (curves are antialiased).
int countColour(const QImage &image, QColor colour, QRect area = {}, int tolerance = 40)
{
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - colour.red()) <= tolerance &&
                std::abs(qGreen(p) - colour.green()) <= tolerance &&
                std::abs(qBlue(p) - colour.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

QRect inside(const PlotRect &r, int margin = 3)
{
    return QRect(QPoint(r.left + margin, r.top + margin),
                 QPoint(r.right - margin, r.bottom - margin));
}

PlotLayout layoutOf(const TGraphPlot &g, QSize size = {800, 600}, DrawOptions options = {})
{
    return layoutFor(QRectF(QPointF(0, 0), QSizeF(size)), g, options);
}

} // namespace

class TstGraphDraw : public QObject {
    Q_OBJECT

private slots:
    void paintsBackgroundFrameAndCurves();
    void fewerThanTwoPointsOnLineZeroDrawsNoCurves();
    void onePointLineDrawsOnlyItsMarker();
    void hiddenLinesAdvanceTheColourCountExcludedDoNot();
    void curvesAreClippedToThePlotArea();
    void markerShapes();
    void penWidths();
    void tooSmallIsWhite();
    void patternTilesAtTwoResolutions();
    void bandFillsAndNames();
    void wallEntriesOnlyWithShowWall();
    void legendBoxOnlyWhenAsked();
    void legendCornerAvoidsCurves();
    void printsToPdf();
    void picturesSaveAndOpenAgain();
    void pictureSizeAndFormats();
    void hugePictureReportsNoMemory();
};

void TstGraphDraw::paintsBackgroundFrameAndCurves()
{
    TGraphPlot g;
    fill(g, 3, 10);
    const QImage image = render(g);
    QCOMPARE(countColour(image, QColor(1, 2, 3), {}, 0), 0);
    QVERIFY(countColour(image, Qt::red) > 100); // line 2 is red
    const PlotLayout l = layoutOf(g);
    // The frame: black on the plot's left edge, halfway down.
    QCOMPARE(image.pixel(l.plot.left, (l.plot.top + l.plot.bottom) / 2), qRgb(0, 0, 0));
    // White outside the plot at the bottom-right corner of the window.
    QCOMPARE(image.pixel(795, 595), qRgb(255, 255, 255));
    QVERIFY(countColour(image, paletteColor(1), inside(l.plot)) > 100); // the blue line
}

void TstGraphDraw::fewerThanTwoPointsOnLineZeroDrawsNoCurves()
{
    TGraphPlot g;
    g.SetLineCount(2);
    g.SetPointCount(1);
    g.Line(1).points = {{10, 1}, {20, 2}, {30, 3}, {40, 4}};
    g.Point(0, 0) = {5, 5};
    const QImage image = render(g);
    QCOMPARE(countColour(image, paletteColor(1), inside(layoutOf(g).plot)), 0);
}

void TstGraphDraw::onePointLineDrawsOnlyItsMarker()
{
    TGraphPlot g;
    fill(g, 1, 5); // line 0: 0..40 x over 0..4 depth
    g.SetLineCount(2);
    g.Line(1).points = {{20.0, 2.0}};
    const QImage image = render(g);
    const PlotLayout l = layoutOf(g);
    const std::optional<GraphView> view = fullView(g);
    const PlotMapping map{l.plot, view->range[0].x, view->range[0].y, true};
    const QPoint centre = map.ToScreen(20.0, 2.0);
    const QRect around(centre - QPoint(6, 6), QSize(13, 13));
    QVERIFY(countColour(image, paletteColor(1), around) > 0);
    QCOMPARE(countColour(image, paletteColor(1), inside(l.plot)),
             countColour(image, paletteColor(1), around));
    // Without markers the single point leaves no trace.
    g.Markers = 0;
    QCOMPARE(countColour(render(g), paletteColor(1), inside(l.plot)), 0);
}

void TstGraphDraw::hiddenLinesAdvanceTheColourCountExcludedDoNot()
{
    TGraphPlot g;
    fill(g, 2, 10);
    g.Line(0).shown = false;
    QImage image = render(g);
    const QRect plot = inside(layoutOf(g).plot);
    QVERIFY(countColour(image, paletteColor(1), plot) > 100); // line 1 stays blue
    g.Line(0).shown = true;
    g.Line(0).included = false;
    image = render(g);
    QCOMPARE(countColour(image, paletteColor(1), plot), 0); // line 1 is now first: black
}

void TstGraphDraw::curvesAreClippedToThePlotArea()
{
    TGraphPlot g;
    fill(g, 2, 10);
    g.SetLineCount(2);
    std::optional<GraphView> view = fullView(g);
    view->range[0].x = {0.0, 50.0}; // zoomed: line 1 leaves the plot on the right
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    draw(p, QRectF(0, 0, 800, 600), {g, *view, {}});
    p.end();
    const PlotLayout l = layoutOf(g);
    const QRect right(QPoint(l.plot.right + 2, 0), QPoint(799, 599));
    QCOMPARE(countColour(image, paletteColor(1), right), 0);
}

void TstGraphDraw::markerShapes()
{
    QCOMPARE(markerPolygon({0, 0}, 0, 3, 3).size(), 3);
    QCOMPARE(markerPolygon({0, 0}, 1, 3, 3).size(), 4);
    QCOMPARE(markerPolygon({0, 0}, 2, 3, 3).size(), 3);
    QCOMPARE(markerPolygon({0, 0}, 5, 3, 3).size(), 6);
    // The triangle has a vertex at 180 degrees; the polygons one at 0 degrees.
    const QPolygonF triangle = markerPolygon({10, 10}, 0, 3, 2);
    QCOMPARE(triangle[0], QPointF(7, 10));
    QCOMPARE(markerPolygon({10, 10}, 4, 3, 2)[0], QPointF(13, 10));
    const QRectF square = markerPolygon({0, 0}, 1, 4, 4).boundingRect();
    QVERIFY(std::fabs(square.width() - 4 * std::sqrt(2.0)) < 1e-9);
}

void TstGraphDraw::penWidths()
{
    QCOMPARE(curvePenWidth(96, 1), 1);
    QCOMPARE(curvePenWidth(300, 1), 2);
    QCOMPARE(curvePenWidth(600, 2), 6);
    QCOMPARE(curvePenWidth(96, 10), 10);
}

void TstGraphDraw::tooSmallIsWhite()
{
    TGraphPlot g;
    fill(g, 3, 10);
    const QImage image = render(g, {90, 300});
    QCOMPARE(countColour(image, Qt::white, {}, 0), 90 * 300);
}

void TstGraphDraw::patternTilesAtTwoResolutions()
{
    const int codes[] = {1, 7, 8, 9, 10, 11, 12};
    std::vector<QImage> screen;
    for (int code : codes) {
        const QImage &small = patternTile(code, PatternResolution::Screen);
        const QImage &large = patternTile(code, PatternResolution::Print);
        QCOMPARE(small.size(), QSize(kScreenTileSize, kScreenTileSize));
        QCOMPARE(large.size(), QSize(kPrintTileSize, kPrintTileSize));
        for (const QImage *tile : {&small, &large}) {
            const int white = countColour(*tile, Qt::white);
            QVERIFY2(white > 0 && white < tile->width() * tile->height(),
                     qPrintable(QStringLiteral("tile %1 is blank or solid").arg(code)));
        }
        for (const QImage &other : screen)
            QVERIFY(other != small);
        screen.push_back(small);
    }
    QVERIFY(patternTile(0, PatternResolution::Screen).isNull());
    QVERIFY(patternTile(3, PatternResolution::Print).isNull());
    QCOMPARE(bandBrush(2, 96, false).style(), Qt::FDiagPattern);
    QCOMPARE(bandBrush(6, 96, false).style(), Qt::VerPattern);
    QCOMPARE(bandBrush(7, 96, false).style(), Qt::TexturePattern);
    QCOMPARE(bandBrush(0, 96, false).style(), Qt::NoBrush);
    QCOMPARE(bandBrush(13, 96, false).style(), Qt::NoBrush);
    // Printing takes the large tile, scaled to a quarter inch.
    const QBrush print = bandBrush(1, 600, true);
    QCOMPARE(print.textureImage().width(), kPrintTileSize);
    QCOMPARE(print.transform().m11(), 0.25 * 600 / kPrintTileSize);
}

void TstGraphDraw::bandFillsAndNames()
{
    TGraphPlot g;
    fill(g, 2, 61); // depth 0..60
    g.AddBandEntry(QStringLiteral(" SAND "), 7, 20.0);
    g.AddBandEntry(QStringLiteral(" CLAY "), 1, 45.0);
    g.AddBandEntry(QStringLiteral("LAYER 3"), 0, 90.0); // deeper than the plot: clamped
    g.ShowLayers = true;
    const QImage image = render(g);
    const PlotLayout l = layoutOf(g);
    QVERIFY(l.hasBand);
    const QRect band(QPoint(l.band.left, l.band.top), QPoint(l.band.right, l.band.bottom));
    const int black = countColour(image, Qt::black, band);
    QVERIFY(black > 200);
    // The third layer has no fill: its middle rows are white apart from its name.
    const std::optional<GraphView> view = fullView(g);
    const PlotMapping map{l.plot, view->range[0].x, view->range[0].y, true};
    const int y45 = map.ToScreen(0, 45.0).y();
    QCOMPARE(image.pixel(l.band.left + 3, y45 + 3), qRgb(255, 255, 255));
    // The sand layer is stippled: black dots inside its rectangle.
    const int y20 = map.ToScreen(0, 20.0).y();
    const QRect sand(QPoint(l.band.left + 2, l.band.top + 2), QPoint(l.band.right - 2, y20 - 2));
    QVERIFY(countColour(image, Qt::black, sand) > 20);
    // The outline between sand and clay is a black line across the band.
    QCOMPARE(image.pixel(l.band.left + 1, y20), qRgb(0, 0, 0));
}

void TstGraphDraw::wallEntriesOnlyWithShowWall()
{
    TGraphPlot g;
    fill(g, 1, 61);
    g.ShowLayers = true;
    g.AddBandEntry(QStringLiteral(" SAND "), 0, 20.0);
    g.AddBandEntry(QStringLiteral(" WALL "), 9, 60.0);
    g.WallLineCount = 1;
    const PlotLayout l = layoutOf(g);
    const QRect lower(QPoint(l.band.left + 3, (l.band.top + l.band.bottom) / 2),
                      QPoint(l.band.right - 3, l.band.bottom - 3));
    const int hidden = countColour(render(g), Qt::black, lower);
    g.ShowWall = true;
    const int shown = countColour(render(g), Qt::black, lower);
    QCOMPARE(hidden, 0);
    QVERIFY(shown > 50);
}

void TstGraphDraw::legendBoxOnlyWhenAsked()
{
    TGraphPlot g;
    fill(g, 3, 10);
    // Put the curves out of the way of the legend corner.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 10; ++j)
            g.Point(i, j).x = -g.Point(i, j).x;
    const PlotLayout l = layoutOf(g);
    const QRect corner(QPoint(l.plot.right - 150, l.plot.bottom - 80),
                       QPoint(l.plot.right - 3, l.plot.bottom - 3));
    QCOMPARE(countColour(render(g), paletteColor(2), corner), 0);
    DrawOptions options;
    options.legendBox = true;
    const QImage image = render(g, {800, 600}, options);
    QVERIFY(countColour(image, paletteColor(2), corner) > 10); // red sample and name
    QVERIFY(countColour(image, paletteColor(1), corner) > 10);
    // A hidden line is left out of the painted legend.
    g.Line(2).shown = false;
    QCOMPARE(countColour(render(g, {800, 600}, options), paletteColor(2), corner), 0);
}

void TstGraphDraw::legendCornerAvoidsCurves()
{
    const PlotRect plot{0, 0, 400, 300};
    const QSizeF box(100, 50);
    // No curves: the bottom-right corner.
    QCOMPARE(legendCorner(box, plot, 5, {}), QPointF(295, 245));
    // A curve down to the bottom-right corner: the top-right one.
    const QPolygon diagonal(QList<QPoint>{{0, 0}, {400, 300}});
    QCOMPARE(legendCorner(box, plot, 5, {diagonal}), QPointF(295, 5));
    // Curves through both right corners (a settlement curve): the bottom-left one.
    const QPolygon bend(QList<QPoint>{{0, 0}, {380, 20}, {390, 300}});
    QCOMPARE(legendCorner(box, plot, 5, {bend}), QPointF(5, 245));
}

void TstGraphDraw::printsToPdf()
{
    QTemporaryDir dir;
    TGraphPlot g;
    g.Caption = QStringLiteral("Axial Load vs Settlement");
    fill(g, 4, 30);
    g.ShowLayers = true;
    g.AddBandEntry(QStringLiteral(" CLAY "), 1, 10.0);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    printer.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    printGraph(printer, g, fullView(g).value());
    QCOMPARE(printer.docName(), g.Caption);
    QFile file(dir.filePath(QStringLiteral("print.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.contains("%%EOF"));
    QVERIFY(pdf.size() > 2000);
}

void TstGraphDraw::picturesSaveAndOpenAgain()
{
    QTemporaryDir dir;
    TGraphPlot g;
    g.Caption = QStringLiteral("Skin Ultimate Friction vs Depth");
    fill(g, 3, 40);
    g.ShowLayers = true;
    g.AddBandEntry(QStringLiteral(" SAND "), 7, 20.0);
    const GraphView view = fullView(g).value();
    const PictureSize size = pictureSize(6, 4, 72);
    for (const char *ext : {"bmp", "png"}) {
        const QString name = dir.filePath(QStringLiteral("graph.") + ext);
        QCOMPARE(saveGraphPicture(name, pictureFormatFor(name, {}), g, view, size),
                 SaveResult::Saved);
        const QImage back(name);
        QVERIFY2(!back.isNull(), ext);
        QCOMPARE(back.size(), QSize(432, 288));
        QCOMPARE(back.pixel(1, 1), qRgb(255, 255, 255));
        QVERIFY(countColour(back, paletteColor(2)) > 0);
    }
    const QString svgName = dir.filePath(QStringLiteral("graph.svg"));
    QCOMPARE(saveGraphPicture(svgName, PictureFormat::Svg, g, view, size), SaveResult::Saved);
    QSvgRenderer svg(svgName);
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBoxF().width() / svg.viewBoxF().height(), 1.5);
    const QString pdfName = dir.filePath(QStringLiteral("graph.pdf"));
    QCOMPARE(saveGraphPicture(pdfName, PictureFormat::Pdf, g, view, size), SaveResult::Saved);
    QFile pdf(pdfName);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("%%EOF"));
    // A 6 x 4 inch page: 432 x 288 points.
    const qsizetype box = bytes.indexOf("/MediaBox");
    QVERIFY2(box >= 0 && bytes.mid(box, 40).contains("432") && bytes.mid(box, 40).contains("288"),
             bytes.mid(box, 40).constData());
    // A file that cannot be written.
    QCOMPARE(saveGraphPicture(dir.filePath(QStringLiteral("no/such/folder/g.png")),
                              PictureFormat::Png, g, view, size),
             SaveResult::WriteFailed);
}

void TstGraphDraw::pictureSizeAndFormats()
{
    QCOMPARE(pictureSize(6, 4, 72), (PictureSize{432, 288, 72}));
    QCOMPARE(pictureSize(2.5, 2, 10), (PictureSize{25, 20, 10}));
    QCOMPARE(pictureSize(6.1, 4, 100), (PictureSize{610, 400, 100}));
    QCOMPARE(pictureFormatFor(QStringLiteral("a.png"), QStringLiteral("Bitmap (*.bmp)")),
             PictureFormat::Bmp);
    QCOMPARE(pictureFormatFor(QStringLiteral("a"), QStringLiteral("SVG drawing (*.svg)")),
             PictureFormat::Svg);
    QCOMPARE(pictureFormatFor(QStringLiteral("a.PDF"), {}), PictureFormat::Pdf);
    QCOMPARE(pictureFormatFor(QStringLiteral("a.xyz"), {}), PictureFormat::Bmp);
    QCOMPARE(withPictureExtension(QStringLiteral("/tmp/graph"), PictureFormat::Png),
             QStringLiteral("/tmp/graph.png"));
    QCOMPARE(withPictureExtension(QStringLiteral("/tmp/graph.bmp"), PictureFormat::Png),
             QStringLiteral("/tmp/graph.bmp"));
    QVERIFY(pictureFilters().startsWith(QStringLiteral("Bitmap (*.bmp);;")));
}

void TstGraphDraw::hugePictureReportsNoMemory()
{
    QTemporaryDir dir;
    TGraphPlot g;
    fill(g, 2, 5);
    const PictureSize huge{INT_MAX, INT_MAX, 72};
    QCOMPARE(saveGraphPicture(dir.filePath(QStringLiteral("huge.bmp")), PictureFormat::Bmp, g,
                              fullView(g).value(), huge),
             SaveResult::NoMemory);
}

VORNA_OFFSCREEN_TEST_MAIN(TstGraphDraw)
#include "tst_graph_draw.moc"
