// The graph window: creation, the Plot menu, the legend, the caption read-out, zooming with
// the mouse, and the commands that open dialogs, print and save (answered through the
// graph interaction hooks, as a person would answer them).
#include "graph_dialogs.h"
#include "offscreen_test_main.h"
#include "plot_form.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vorna;

namespace {

void fill(TGraphPlot &g, int lines, int points)
{
    g.SetLineCount(lines);
    g.SetPointCount(points);
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < points; ++j)
            g.Point(i, j) = {(i + 1) * 10.0 * j, double(j)};
    }
}

// Messages shown by a graph's window, collected instead of shown.
struct MessageLog {
    QStringList messages;
    explicit MessageLog(TGraphPlot &g)
    {
        g.Interaction.information = [this](QWidget *, const QString &text) { messages << text; };
    }
};

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator())
            texts << a->text();
    }
    return texts;
}

} // namespace

class TstPlotForm : public QObject {
    Q_OBJECT

private slots:
    void creationListsIncludedLines();
    void moreThanTwentyLinesInLegendAndMenu();
    void unscalableGraphHasNoWindow();
    void plotMenuItems();
    void menuVisibilityRules();
    void openingTheMenuRefreshesChecks();
    void legendSizeTextAndToggle();
    void legendAtBottomRightWhenFree();
    void legendDragStaysInside();
    void showLegendToggles();
    void captionReadOut();
    void rubberBandZoomWithTheMouse();
    void zeroSizeBandDoesNothing();
    void rightClickZoomsOut();
    void threeGraphModeHasNoRubberBand();
    void fontSizeAndLineWidth();
    void lineMenuItemsToggleLines();
    void graphTitleDialogLaysOutAgain();
    void editLegendRenamesLegendAndMenu();
    void excludingEveryCurveEmptiesLegendAndMenu();
    void saveToDiskThroughTheDialogs();
    void saveReportsNoMemory();
    void printThroughTheDialog();
    void printWithoutAPrinterWritesAPdf();
    void savedPictureCarriesTheFootnote();
    void captionOfAGraphWithoutOne();
    void changedDataKeepRanges();
    void graphDestroysItsWindow();
    void showRestoresMinimized();
};

void TstPlotForm::creationListsIncludedLines()
{
    TGraphPlot g;
    g.Caption = QStringLiteral("Skin Ultimate Friction vs Depth");
    fill(g, 3, 10);
    g.Line(1).shown = false;
    g.onGetCaption = [](int line, QString &name) {
        if (line == 2)
            name = QStringLiteral("renamed");
    };
    TPlotForm *form = TPlotForm::Create(g);
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), g.Caption);
    QCOMPARE(form->FullView().range[0], autoscale(g.Lines()).value());
    QCOMPARE(form->CurrentView().range[0], form->FullView().range[0]);
    const std::vector<QAction *> lines = form->LineActions();
    QCOMPARE(lines.size(), std::size_t(3));
    QCOMPARE(lines[0]->text(), QStringLiteral("Curve #1"));
    QCOMPARE(lines[2]->text(), QStringLiteral("renamed"));
    QVERIFY(lines[0]->isChecked());
    QVERIFY(!lines[1]->isChecked());
    QCOMPARE(form->Legend()->Entries().size(), std::size_t(3));
    QCOMPARE(form->Legend()->ItemText(0), QStringLiteral("Curve #1 *"));
    QCOMPARE(form->Legend()->ItemText(1), QStringLiteral("Curve #2"));
}

void TstPlotForm::moreThanTwentyLinesInLegendAndMenu()
{
    TGraphPlot g;
    fill(g, 25, 5);
    TPlotForm *form = TPlotForm::Create(g);
    QCOMPARE(form->LineActions().size(), std::size_t(20));
    QCOMPARE(form->Legend()->Entries().size(), std::size_t(20));
    QVERIFY(!g.Line(20).included);
    QCOMPARE(form->LineActions().back()->text(), QStringLiteral("Curve #20"));
}

void TstPlotForm::unscalableGraphHasNoWindow()
{
    TGraphPlot g;
    g.SetLineCount(1);
    g.Line(0).points = {{qInf(), 1.0}, {2.0, 3.0}};
    QCOMPARE(TPlotForm::Create(g), nullptr);
}

void TstPlotForm::plotMenuItems()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    QCOMPARE(form->PlotMenu()->title(), QStringLiteral("&Plot"));
    const QStringList texts = menuTexts(form->PlotMenu());
    const QStringList fixed = {"Show &Legend",  "Show &Soil Layer", "Show &Wall Geometry",
                               "Show &Markers", "&Font Size",       "&Line Width",
                               "&Graph Title",  "&Edit Legend",     "&Active Curves",
                               "&Print...",     "P&age Setup",      "&Save To Disk...",
                               "Curve #1",      "Curve #2"};
    QCOMPARE(texts, fixed);
    const auto submenu = [form](const char *name) {
        return form->PlotMenu()->findChild<QMenu *>(QString::fromLatin1(name));
    };
    QCOMPARE(menuTexts(submenu("MarkersMenu")),
             (QStringList{"&Never", "Every &Increment", "Every &2 Increments", "Every &3 Incrments",
                          "Every &5 Increments", "Every &10 Incements"}));
    QCOMPARE(menuTexts(submenu("FontSizeMenu")),
             (QStringList{"&Default", "1.5 * Default", "2 * Default", "2.5 * Default",
                          "3 * Default", "4 * Default"}));
    QCOMPARE(
        menuTexts(submenu("LineWidthMenu")),
        (QStringList{"&Default", "2 * Default", "4 * Default", "6 * Default", "10 * Default"}));
    // With or without a printer: without one, printing writes a PDF file.
    QVERIFY(form->Action(QStringLiteral("Print"))->isEnabled());
    QVERIFY(form->Action(QStringLiteral("PageSetup"))->isEnabled());
}

void TstPlotForm::menuVisibilityRules()
{
    TGraphPlot g;
    fill(g, 2, 5);
    g.ShowFontWidth = false;
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    emit form->PlotMenu()->aboutToShow();
    QVERIFY(!form->Action(QStringLiteral("ShowSoilLayer"))->isVisible());
    QVERIFY(!form->Action(QStringLiteral("ShowWall"))->isVisible());
    QVERIFY(!form->PlotMenu()
                 ->findChild<QMenu *>(QStringLiteral("FontSizeMenu"))
                 ->menuAction()
                 ->isVisible());
    g.AddBandEntry(QStringLiteral(" SAND "), 7, 3.0);
    g.AddBandEntry(QStringLiteral(" WALL "), 2, 4.0);
    g.WallLineCount = 1;
    emit form->PlotMenu()->aboutToShow();
    QVERIFY(form->Action(QStringLiteral("ShowSoilLayer"))->isVisible());
    QVERIFY(form->Action(QStringLiteral("ShowWall"))->isVisible());
    QVERIFY(!form->Action(QStringLiteral("ShowWall"))->isEnabled()); // band not shown
    form->Action(QStringLiteral("ShowSoilLayer"))->trigger();
    QVERIFY(g.ShowLayers);
    emit form->PlotMenu()->aboutToShow();
    QVERIFY(form->Action(QStringLiteral("ShowWall"))->isEnabled());
    QVERIFY(form->CanvasLayout().hasBand);
}

void TstPlotForm::openingTheMenuRefreshesChecks()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    g.Line(0).shown = false;
    g.Markers = 5;
    emit form->PlotMenu()->aboutToShow();
    QVERIFY(!form->LineActions()[0]->isChecked());
    QVERIFY(form->Action(QStringLiteral("Markers5"))->isChecked());
    QVERIFY(!form->Action(QStringLiteral("Markers1"))->isChecked());
    QVERIFY(form->Action(QStringLiteral("FontSize10"))->isChecked());
    QVERIFY(form->Action(QStringLiteral("LineWidth1"))->isChecked());
}

void TstPlotForm::legendSizeTextAndToggle()
{
    TGraphPlot g;
    fill(g, 3, 10);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    TLegendList *legend = form->Legend();
    QVERIFY(legend->isVisible());
    const double font = g.LegendFont * legend->logicalDpiY() / 72.0;
    QCOMPARE(legend->ItemHeight(), 1.5 * font);
    QCOMPARE(legend->height(), static_cast<int>(std::ceil(3 * 1.5 * font)) + 3);
    QVERIFY(legend->width() >= 21 + legend->logicalDpiX() / 4);
    // The curves run down to the bottom-right corner, so the legend takes another corner
    // where it hides none of them.
    const PlotLayout layout = form->CanvasLayout();
    const QRectF box(legend->geometry());
    for (const QPolygon &curve : mappedCurves(g, LineList::Main, form->CanvasMapping()))
        for (const QPoint &p : curve)
            QVERIFY(!box.contains(p));
    QVERIFY(legend->geometry().bottom() < layout.plot.bottom - 20 ||
            legend->geometry().left() < layout.plot.left + 20);
    // Double-clicking the second item toggles the second line.
    const QPoint item(10, static_cast<int>(1.5 * legend->ItemHeight()));
    QTest::mouseDClick(legend, Qt::LeftButton, {}, item);
    QVERIFY(!g.Line(1).shown);
    QCOMPARE(legend->ItemText(1), QStringLiteral("Curve #2"));
    QVERIFY(!form->LineActions()[1]->isChecked());
    QTest::mouseDClick(legend, Qt::LeftButton, {}, item);
    QVERIFY(g.Line(1).shown);
}

void TstPlotForm::legendAtBottomRightWhenFree()
{
    TGraphPlot g;
    fill(g, 3, 10);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 10; ++j)
            g.Point(i, j).x = -g.Point(i, j).x; // the curves run to the bottom-left
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const PlotLayout layout = form->CanvasLayout();
    const int inset = static_cast<int>(std::lround(form->Canvas()->logicalDpiX() / 16.0));
    QCOMPARE(form->Legend()->geometry().bottomRight() + QPoint(1 + inset, 1 + inset),
             QPoint(layout.plot.right, layout.plot.bottom));
}

void TstPlotForm::legendDragStaysInside()
{
    TGraphPlot g;
    fill(g, 3, 10);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    TLegendList *legend = form->Legend();
    QVERIFY(!form->LegendPlacement().has_value());
    QTest::mousePress(legend, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(-2000, -2000),
                     legend->mapToGlobal(QPointF(-2000, -2000)), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(legend, &move);
    QTest::mouseRelease(legend, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(legend->pos(), QPoint(0, 0));
    QVERIFY(form->LegendPlacement().has_value()); // the painted legend follows the user's
    // A resize keeps the user's place, inside the canvas.
    form->resize(400, 300);
    QVERIFY(form->Canvas()->rect().contains(legend->geometry()));
}

void TstPlotForm::showLegendToggles()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(form->Legend()->isVisible());
    form->Action(QStringLiteral("ShowLegend"))->trigger();
    QVERIFY(!g.ShowLegend);
    QVERIFY(!form->Legend()->isVisible());
    form->Action(QStringLiteral("ShowLegend"))->trigger();
    QVERIFY(form->Legend()->isVisible());
}

void TstPlotForm::captionReadOut()
{
    TGraphPlot g;
    g.Caption = QStringLiteral("Axial Load vs Settlement");
    fill(g, 1, 61); // x 0..600, y 0..60
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const PlotMapping map = form->CanvasMapping();
    const QPoint at = map.ToScreen(300.0, 30.0);
    const QPointF value = map.ToData(at);
    const QString expected = g.Caption + " X: " + QString::number(value.x(), 'g', 5) +
                             " Y: " + QString::number(value.y(), 'g', 5);
    QTest::mouseMove(form->Canvas(), at);
    QTRY_COMPARE(form->windowTitle(), expected);
    // Outside the plot the position is clamped into it.
    QCOMPARE(form->ReadOut(QPoint(0, 0)), g.Caption + " X: 0 Y: 0");
}

void TstPlotForm::rubberBandZoomWithTheMouse()
{
    TGraphPlot g;
    fill(g, 1, 61);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const PlotMapping map = form->CanvasMapping();
    const QPoint a = map.ToScreen(100.0, 10.0);
    const QPoint b = map.ToScreen(400.0, 40.0);
    QTest::mousePress(form->Canvas(), Qt::LeftButton, {}, a);
    QTest::mouseMove(form->Canvas(), b);
    QTRY_VERIFY(form->RubberBand().has_value());
    QTest::mouseRelease(form->Canvas(), Qt::LeftButton, {}, b);
    QVERIFY(!form->RubberBand().has_value());
    const DataRange r = form->CurrentView().range[0];
    QVERIFY(std::fabs(r.x.min - 100.0) < 2.0 && std::fabs(r.x.max - 400.0) < 2.0);
    QVERIFY(std::fabs(r.y.min - 10.0) < 0.3 && std::fabs(r.y.max - 40.0) < 0.3);
    // A tiny band stops at 1/20 of the full range.
    const PlotMapping zoomed = form->CanvasMapping();
    const QPoint c = zoomed.ToScreen(200.0, 20.0);
    form->ZoomTo(c, c + QPoint(2, 2));
    QVERIFY(std::fabs(form->CurrentView().range[0].x.Span() - 30.0) < 1e-9);
    QVERIFY(std::fabs(form->CurrentView().range[0].y.Span() - 3.0) < 1e-9);
}

void TstPlotForm::zeroSizeBandDoesNothing()
{
    TGraphPlot g;
    fill(g, 1, 61);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QPoint a = form->CanvasMapping().ToScreen(100.0, 10.0);
    form->ZoomTo(a, a + QPoint(50, 0));
    QCOMPARE(form->CurrentView().range[0], form->FullView().range[0]);
    QTest::mouseClick(form->Canvas(), Qt::LeftButton, {}, a);
    QCOMPARE(form->CurrentView().range[0], form->FullView().range[0]);
}

void TstPlotForm::rightClickZoomsOut()
{
    TGraphPlot g;
    fill(g, 1, 61); // full x 0..600, y 0..60
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    GraphView view = form->FullView();
    view.range[0] = {{285.0, 315.0}, {29.0, 31.0}};
    form->SetCurrentView(view);
    const QPoint at = form->CanvasMapping().ToScreen(300.0, 30.0);
    QTest::mouseClick(form->Canvas(), Qt::RightButton, {}, at);
    const DataRange r = form->CurrentView().range[0];
    // About the clicked value (within a pixel): twice as wide as before.
    QVERIFY(std::fabs(r.x.min - 270.0) < 0.1 && std::fabs(r.x.max - 330.0) < 0.1);
    QVERIFY(std::fabs(r.y.min - 28.0) < 0.01 && std::fabs(r.y.max - 32.0) < 0.01);
    QVERIFY(std::fabs(r.x.Span() - 60.0) < 1e-9);
    const PlotRect plot = form->CanvasLayout().plot;
    for (int i = 0; i < 8; ++i)
        QTest::mouseClick(form->Canvas(), Qt::RightButton, {},
                          QPoint(plot.right - 2, plot.bottom - 2));
    QCOMPARE(form->CurrentView().range[0], form->FullView().range[0]);
}

void TstPlotForm::threeGraphModeHasNoRubberBand()
{
    TGraphPlot g;
    g.ShowThree = true;
    fill(g, 1, 10);
    g.SetLineCount(1, LineList::Second);
    g.Line(0, LineList::Second).points = {{0, 0}, {5, 5}};
    g.SetLineCount(1, LineList::Third);
    g.Line(0, LineList::Third).points = {{0, 0}, {7, 2}};
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const PlotRect first = form->CanvasLayout().graphs[0];
    QTest::mousePress(form->Canvas(), Qt::LeftButton, {}, QPoint(first.left + 5, first.top + 5));
    QVERIFY(!form->RubberBand().has_value());
    QTest::mouseRelease(form->Canvas(), Qt::LeftButton, {},
                        QPoint(first.left + 50, first.top + 50));
    QCOMPARE(form->CurrentView().range[0], form->FullView().range[0]);
    QCOMPARE(form->FullView().range[2].x, (AxisRange{0.0, 7.0}));
}

void TstPlotForm::fontSizeAndLineWidth()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const int left = form->CanvasLayout().plot.left;
    const int legendHeight = form->Legend()->height();
    form->Action(QStringLiteral("FontSize20"))->trigger();
    QCOMPARE(g.SizeFont, 20);
    QVERIFY(form->CanvasLayout().plot.left > left);
    QVERIFY(form->Legend()->height() > legendHeight);
    form->Action(QStringLiteral("LineWidth6"))->trigger();
    QCOMPARE(g.WidthLine, 6);
    form->Action(QStringLiteral("Markers0"))->trigger();
    QCOMPARE(g.Markers, 0);
}

void TstPlotForm::lineMenuItemsToggleLines()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    form->LineActions()[1]->trigger();
    QVERIFY(!g.Line(1).shown);
    form->LineActions()[1]->trigger();
    QVERIFY(g.Line(1).shown);
}

void TstPlotForm::graphTitleDialogLaysOutAgain()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const PlotRect before = form->CanvasLayout().plot;
    g.Interaction.exec = [](QDialog &d) {
        auto &dialog = dynamic_cast<TGraphCaptionDialog &>(d);
        dialog.TextBox()->setText(QStringLiteral("Shaft A-3"));
        dialog.BottomButton()->setChecked(true);
        dialog.reject(); // however it closes, the title is taken
        return dialog.result();
    };
    form->GraphTitleClick();
    QCOMPARE(g.Title, QStringLiteral("Shaft A-3"));
    QVERIFY(!g.TitleAtTop);
    const PlotRect after = form->CanvasLayout().plot;
    QCOMPARE(after.top, before.top);
    QVERIFY(after.bottom < before.bottom);
}

void TstPlotForm::editLegendRenamesLegendAndMenu()
{
    TGraphPlot g;
    fill(g, 3, 5);
    TPlotForm *form = TPlotForm::Create(g);
    g.Interaction.exec = [](QDialog &d) {
        auto &dialog = dynamic_cast<TLegendDialog &>(d);
        dialog.List()->setCurrentRow(1);
        dialog.TextBox()->setText(QStringLiteral("Dia=2.5 ft"));
        dialog.StoreText();
        dialog.accept();
        return dialog.result();
    };
    form->EditLegendClick();
    QCOMPARE(g.Line(1).name, QStringLiteral("Dia=2.5 ft"));
    QCOMPARE(g.Line(0).name, QStringLiteral("Curve #1")); // every line takes its listed name
    QCOMPARE(form->LineActions()[1]->text(), QStringLiteral("Dia=2.5 ft"));
    QCOMPARE(form->Legend()->Entries()[1].name, QStringLiteral("Dia=2.5 ft"));
}

void TstPlotForm::excludingEveryCurveEmptiesLegendAndMenu()
{
    TGraphPlot g;
    fill(g, 3, 5);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    g.Interaction.exec = [](QDialog &d) {
        auto &dialog = dynamic_cast<TActiveCurvesDialog &>(d);
        dialog.DeactivateAll();
        dialog.accept();
        return dialog.result();
    };
    form->ActiveCurvesClick();
    QVERIFY(form->LineActions().empty());
    QVERIFY(form->Legend()->Entries().empty());
    QVERIFY(!form->Legend()->isVisible());
    // Nothing but the frame, grid and text: no coloured pixels in the plot.
    const QImage shot = form->Canvas()->grab().toImage();
    const PlotRect p = form->CanvasLayout().plot;
    int coloured = 0;
    for (int y = p.top + 3; y < p.bottom - 3; ++y)
        for (int x = p.left + 3; x < p.right - 3; ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue())
                ++coloured;
        }
    QCOMPARE(coloured, 0);
}

void TstPlotForm::saveToDiskThroughTheDialogs()
{
    QTemporaryDir dir;
    TGraphPlot g;
    fill(g, 3, 10);
    TPlotForm *form = TPlotForm::Create(g);
    g.Interaction.saveFileName = [&](QWidget *, const QString &, const QString &filters,
                                     QString *selected) {
        *selected = filters.split(QStringLiteral(";;")).at(1); // PNG
        return dir.filePath(QStringLiteral("graph"));
    };
    g.Interaction.exec = [](QDialog &d) {
        auto &dialog = dynamic_cast<TSaveAttributesDialog &>(d);
        dialog.WidthField()->setText(QStringLiteral("3"));
        dialog.HeightField()->setText(QStringLiteral("4/2"));
        dialog.ResolutionField()->setText(QStringLiteral("100"));
        dialog.accept();
        return dialog.result();
    };
    MessageLog log(g);
    form->SaveToDiskClick();
    QVERIFY(log.messages.isEmpty());
    const QImage saved(dir.filePath(QStringLiteral("graph.png")));
    QCOMPARE(saved.size(), QSize(300, 200));
}

void TstPlotForm::saveReportsNoMemory()
{
    QTemporaryDir dir;
    TGraphPlot g;
    fill(g, 3, 10);
    TPlotForm *form = TPlotForm::Create(g);
    g.Interaction.saveFileName = [&](QWidget *, const QString &, const QString &, QString *) {
        return dir.filePath(QStringLiteral("graph.bmp"));
    };
    g.Interaction.exec = [](QDialog &d) {
        auto &dialog = dynamic_cast<TSaveAttributesDialog &>(d);
        dialog.ResolutionField()->setText(QStringLiteral("2147483647"));
        dialog.accept();
        return dialog.result();
    };
    MessageLog log(g);
    form->SaveToDiskClick();
    QCOMPARE(log.messages,
             QStringList{QStringLiteral("There is not enough memory to complete this task.")});
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("graph.bmp"))));
}

void TstPlotForm::printThroughTheDialog()
{
    QTemporaryDir dir;
    TGraphPlot g;
    g.Caption = QStringLiteral("Axial Load vs Settlement");
    fill(g, 3, 10);
    TPlotForm *form = TPlotForm::Create(g);
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    QString jobTitle;
    QMarginsF margins;
    g.Interaction.printerInstalled = [] { return true; };
    g.Interaction.printDialog = [&](QWidget *, QPrinter &printer) {
        jobTitle = printer.docName();
        margins = printer.pageLayout().margins(QPageLayout::Inch);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    form->PrintClick();
    QCOMPARE(jobTitle, g.Caption);
    QCOMPARE(margins, QMarginsF(1, 1, 1, 1));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF-"));
}

void TstPlotForm::printWithoutAPrinterWritesAPdf()
{
    QTemporaryDir dir;
    TGraphPlot g;
    g.Caption = QStringLiteral("Axial Load vs Settlement");
    fill(g, 2, 10);
    TPlotForm *form = TPlotForm::Create(g);
    g.Interaction.printerInstalled = [] { return false; };
    bool printDialogShown = false;
    g.Interaction.printDialog = [&](QWidget *, QPrinter &) { return printDialogShown = true; };
    QString offeredFilters;
    g.Interaction.saveFileName = [&](QWidget *, const QString &, const QString &filters,
                                     QString *) {
        offeredFilters = filters;
        return dir.filePath(QStringLiteral("printed")); // the extension is added
    };
    MessageLog log(g);
    form->PrintClick();
    QVERIFY(!printDialogShown);
    QCOMPARE(offeredFilters, QLatin1String(TPlotForm::kPdfFilter));
    QVERIFY(log.messages.isEmpty());
    QFile file(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF-"));

    // Cancelled: nothing is written.
    g.Interaction.saveFileName = [](QWidget *, const QString &, const QString &, QString *) {
        return QString();
    };
    form->PrintClick();
    QVERIFY(log.messages.isEmpty());
}

void TstPlotForm::savedPictureCarriesTheFootnote()
{
    // The identification line takes a strip at the foot of the picture: without it the
    // strip shows the graph's white margin, with it some dark text pixels.
    TGraphPlot g;
    g.Caption = QStringLiteral("Axial Load vs Settlement");
    fill(g, 2, 10);
    const GraphView view = *fullView(g);
    const PictureSize size{600, 450, 100};
    const auto darkPixelsInFoot = [&](const QImage &image) {
        int dark = 0;
        for (int y = image.height() - 12; y < image.height(); ++y)
            for (int x = 0; x < image.width() / 2; ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    QCOMPARE(darkPixelsInFoot(renderGraphImage(g, view, size)), 0);
    g.Footnote = QStringLiteral("Bridge pier 7    File: /jobs/pier7.vrd");
    QVERIFY(darkPixelsInFoot(renderGraphImage(g, view, size)) > 20);
}

void TstPlotForm::captionOfAGraphWithoutOne()
{
    // A graph without a caption goes by its window name, in the caption and the read-out;
    // the read-out goes when the pointer leaves the graph.
    TGraphPlot g;
    g.WindowName = QStringLiteral("Axial Load vs Settlement (upper bound)");
    fill(g, 1, 61);
    TPlotForm *form = TPlotForm::Create(g);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->windowTitle(), g.WindowName);
    QVERIFY(form->ReadOut(QPoint(0, 0)).startsWith(g.WindowName + " X: "));
    QTest::mouseMove(form->Canvas(), form->CanvasMapping().ToScreen(200.0, 20.0));
    QTRY_VERIFY(form->windowTitle().contains(QStringLiteral(" X: ")));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->Canvas(), &leave);
    QCOMPARE(form->windowTitle(), g.WindowName);
    g.Caption = QStringLiteral("Upper");
    QCOMPARE(g.DisplayName(), QStringLiteral("Upper"));
}

void TstPlotForm::changedDataKeepRanges()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    const GraphView full = form->FullView();
    fill(g, 4, 50); // a new run with more lines and deeper points
    g.NotifyChanged();
    QCOMPARE(form->FullView().range[0], full.range[0]);
    QCOMPARE(form->LineActions().size(), std::size_t(4));
}

void TstPlotForm::graphDestroysItsWindow()
{
    QPointer<TPlotForm> window;
    {
        TGraphPlot g;
        fill(g, 2, 5);
        window = TPlotForm::Create(g);
        QVERIFY(window);
    }
    QVERIFY(window.isNull());
}

void TstPlotForm::showRestoresMinimized()
{
    TGraphPlot g;
    fill(g, 2, 5);
    TPlotForm *form = TPlotForm::Create(g);
    QVERIFY(form);
    form->ShowInFront();
    QVERIFY(form->isVisible());
    form->showMinimized();
    form->ShowInFront();
    QVERIFY(!form->isMinimized());
    const QPointer<TPlotForm> kept(form);
    form->close(); // closing hides; the window stays for the next showing
    QVERIFY(kept);
    form->ShowInFront();
    QVERIFY(form->isVisible());
}

VORNA_OFFSCREEN_TEST_MAIN(TstPlotForm)
#include "tst_plot_form.moc"
