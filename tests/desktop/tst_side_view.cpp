// The elevation view: opened from the main window, rebuilt from the project, the depth
// read-out, printing to a PDF file and the disabled state.
#include "fake_interaction.h"
#include "grid_table.h"
#include "main_window.h"
#include "side_view.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vorna;
using vorna::test::FakeInteraction;

class tst_SideView : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeInteraction *m_fake = nullptr;

    std::unique_ptr<TMainForm> makeForm()
    {
        auto fake = std::make_unique<FakeInteraction>();
        m_fake = fake.get();
        auto form = std::make_unique<TMainForm>(
            QString(), std::make_unique<AppSettings>(m_dir.filePath(QStringLiteral("s.ini"))),
            std::move(fake));
        form->resize(1000, 800);
        form->show();
        return form;
    }
    // Sand to 10 ft over clay to 30 ft; a 2 ft shaft 20 ft long with a 45-degree bell.
    static void twoLayerProject(TMainForm &form)
    {
        TGridTable &layers = form.Tables().SoilLayers();
        layers.SetRowCount(2);
        layers.Column(kSoilTypeColumn).SetInteger(0, 1);
        layers.Column(kBottomDepthColumn).SetFloat(0, 10.0);
        layers.Column(kSoilTypeColumn).SetInteger(1, 2);
        layers.Column(kBottomDepthColumn).SetFloat(1, 30.0);
        TProgramData &p = form.Project();
        p.shaftProperties[kMinDiameter] = 2.0;
        p.shaftProperties[kBellRatio] = 3.0;
        p.shaftProperties[kBellAngle] = 45.0;
        p.proposedLength = 20.0;
    }
    static TDlgSideView *open(TMainForm &form)
    {
        form.findChild<QAction *>(QStringLiteral("CompSideView"))->trigger();
        return form.SideView();
    }

private slots:
    void opensOnceAsAChildWindow();
    void followsTheProjectWhenActivated();
    void depthUnderThePointer();
    void wideWindowKeepsTheProportions();
    void opensAtItsSizeWithLabelsClearOfTheShaft();
    void followsANewProjectAtOnce();
    void pageTitleLine();
    void printsALandscapePage();
    void degenerateDrawingDisablesTheView();
};

void tst_SideView::opensOnceAsAChildWindow()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
    QVERIFY(view->findChild<QPushButton *>(QStringLiteral("Print")));
    QCOMPARE(open(*form), view);
    QCOMPARE(form->MdiArea().subWindowList().size(), 1);
    // The tool button opens the same window.
    form->findChild<QAction *>(QStringLiteral("tbSideView"))->trigger();
    QCOMPARE(form->MdiArea().subWindowList().size(), 1);
    // Closed, it is made anew.
    form->MdiArea().subWindowList().front()->close();
    QTRY_VERIFY(!form->SideView());
    QVERIFY(open(*form));
}

void tst_SideView::followsTheProjectWhenActivated()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    QCOMPARE(view->Shape().outlines.size(), std::size_t(2));
    QCOMPARE(view->Shape().stickUp, 4.0);
    const Outline &bell = view->Shape().outlines[1];
    QVERIFY(qAbs((bell[2].y() - bell[0].y()) - 2.0) < 1e-4); // as high as it widens
    QCOMPARE(bell[2].y(), 24.0);

    // A straight shaft of no given length reaches the last layer.
    form->Project().shaftProperties[kBellAngle] = 0.0;
    form->Project().proposedLength = 0.0;
    open(*form);
    QCOMPARE(view->Shape().outlines.size(), std::size_t(1));
    QCOMPARE(view->Shape().outlines[0][2].y(), 34.0);
}

void tst_SideView::depthUnderThePointer()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    QWidget *canvas = view->Canvas();
    const Extents range = view->ViewRange();
    // The ground line, two diameters below the top of the shaft, reads the stick-up.
    const int ground = pixelY(4.0, range, canvas->height());
    QTest::mouseMove(canvas, QPoint(canvas->width() / 2, ground));
    const QString title = view->windowTitle();
    QVERIFY2(title.startsWith(QStringLiteral("  Depth: ")), qPrintable(title));
    // Within half a pixel of the stick-up, and shown with one decimal.
    const double footPerPixel = (range.yMax - range.yMin) / canvas->height();
    QVERIFY(qAbs(title.mid(9).toDouble() - 4.0) <= footPerPixel / 2 + 0.05);
    QCOMPARE(title.mid(9).section(u'.', 1).size(), 1);
    QTest::mouseMove(canvas, QPoint(canvas->width() / 2, 0));
    QCOMPARE(view->windowTitle(), QStringLiteral("  Depth: 0.0"));

    // The read-out goes with the pointer and with a new project.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas, &leave);
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
    QTest::mouseMove(canvas, QPoint(canvas->width() / 2, ground));
    form->findChild<QAction *>(QStringLiteral("FileNew"))->trigger();
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
}

void tst_SideView::opensAtItsSizeWithLabelsClearOfTheShaft()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    QMdiSubWindow *child = form->MdiArea().subWindowList().front();
    QCOMPARE(view->size(), QSize(420, 560));
    // At any width the shaft (the bell is the widest part) stays right of every label.
    for (int width : {900, 420, 260, 150}) {
        child->resize(width, 500);
        QTRY_COMPARE(view->width(), child->contentsRect().width());
        const QFontMetrics metrics(view->Canvas()->font());
        const Extents range = view->ViewRange();
        const QRect area = view->ShaftArea();
        int shaftLeft = view->Canvas()->width();
        for (const Outline &outline : view->Shape().outlines)
            for (const QPointF &p : outline)
                shaftLeft = std::min(shaftLeft, area.left() + pixelX(p.x(), range, area.width()));
        const int labelRight =
            std::min(metrics.horizontalAdvance(QStringLiteral("depth= 10 - 30; Clay")),
                     area.left() - metrics.averageCharWidth() * 2);
        QVERIFY2(labelRight < shaftLeft,
                 qPrintable(QStringLiteral("width %1: label to %2, shaft from %3")
                                .arg(width)
                                .arg(labelRight)
                                .arg(shaftLeft)));
    }
}

void tst_SideView::followsANewProjectAtOnce()
{
    // Open behind another window, the view shows the opened project without a click.
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    form->findChild<QAction *>(QStringLiteral("DataWaterTable"))->trigger();
    QVERIFY(form->MdiArea().activeSubWindow()->widget() != view);
    TGridTable &layers = form->Tables().SoilLayers();
    layers.SetRowCount(3);
    layers.Column(kSoilTypeColumn).SetInteger(2, 2);
    layers.Column(kBottomDepthColumn).SetFloat(2, 40.0);
    emit form->projectChanged();
    QCOMPARE(view->Shape().layers.size(), std::size_t(3));
}

void tst_SideView::pageTitleLine()
{
    QCOMPARE(sideViewPageTitle(QStringLiteral(" Pier 7 "), QStringLiteral("/jobs/pier7.vrd"),
                               QDate(2026, 3, 4)),
             QStringLiteral("Pier 7    /jobs/pier7.vrd    2026-03-04"));
    QCOMPARE(sideViewPageTitle(QString(), QStringLiteral("/jobs/a.vrd"), QDate(2026, 3, 4)),
             QStringLiteral("/jobs/a.vrd    2026-03-04"));
}

void tst_SideView::wideWindowKeepsTheProportions()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    QMdiSubWindow *child = form->MdiArea().subWindowList().front();
    child->resize(900, 300);
    QTRY_VERIFY(view->Canvas()->width() > view->Canvas()->height());
    const Extents range = view->ViewRange();
    const double pixelsPerFootAcross = view->ShaftArea().width() / (range.xMax - range.xMin);
    const double pixelsPerFootDown = view->Canvas()->height() / (range.yMax - range.yMin);
    QVERIFY(qAbs(pixelsPerFootAcross - pixelsPerFootDown) < 1e-6);
    QVERIFY(range.xMax - range.xMin > 6.0); // wider than the bell
    QCOMPARE(range.yMax, 34.0);
}

void tst_SideView::printsALandscapePage()
{
    auto form = makeForm();
    twoLayerProject(*form);
    TDlgSideView *view = open(*form);
    const QString pdf = m_dir.filePath(QStringLiteral("profile.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    view->Print(printer);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.docName(), QStringLiteral("Soil-Pile Profile"));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 1000);

    // The Print button goes through the print dialog; cancelled, nothing is printed.
    m_fake->printerChosen = false;
    view->findChild<QPushButton *>(QStringLiteral("Print"))->click();
}

void tst_SideView::degenerateDrawingDisablesTheView()
{
    auto form = makeForm(); // a new project: no diameter, so the drawing has no width
    TDlgSideView *view = open(*form);
    QVERIFY(view->IsDisabled());
    QTest::mouseMove(view->Canvas(), QPoint(10, 10));
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
    view->Canvas()->repaint(); // painting draws nothing and does not fail
    // It stays disabled even when the project gets a diameter.
    twoLayerProject(*form);
    open(*form);
    QVERIFY(view->IsDisabled());
}

QTEST_MAIN(tst_SideView)
#include "tst_side_view.moc"
