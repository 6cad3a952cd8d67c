// The desktop as a user meets it: every child window fits the work area or scrolls, Cascade
// leaves windows a usable size, the Window menu names every window, table windows follow a
// new project, the caption marks unsaved changes, and a report can be read without an
// external text editor.
#include "fake_interaction.h"
#include "file_names.h"
#include "grid_table.h"
#include "grid_table_model.h"
#include "main_window.h"
#include "plot_form.h"
#include "program_tables.h"
#include "project_helpers.h"
#include "side_view.h"
#include "table_form.h"
#include "text_viewer.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vorna;
using vorna::test::FakeInteraction;

namespace {

// A plot data file of one diameter with all three load-settlement curves.
QByteArray plotFile()
{
    QByteArray text = " 1 3 3\n"
                      "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n"
                      "  0.100E+02   0.0   0.0  0.0 0.0  0.0  0.0 \n"
                      "  0.100E+02  0.500E+02  0.200E+02  0.700E+02  0.250E+02\n"
                      "  0.667E+01  0.317E+02\n";
    for (int curve = 0; curve < 3; ++curve)
        for (int i = 0; i < 15; ++i)
            text += "  " + QByteArray::number(10 * i) + "  0.01  1.0  0.01\n";
    return text;
}

bool inside(const QRect &window, const QRect &area)
{
    return area.contains(window.topLeft()) && area.contains(window.bottomRight());
}

// Inside the area, or, where the screen is too small for it, reachable: its top left in
// view and the area scrolls to the rest.
bool reachable(const QMdiSubWindow *frame, const QMdiArea &area)
{
    const QRect room = area.viewport()->rect();
    if (inside(frame->geometry(), room))
        return true;
    const bool wideEnough =
        frame->width() <= room.width() || area.horizontalScrollBar()->maximum() > 0;
    const bool highEnough =
        frame->height() <= room.height() || area.verticalScrollBar()->maximum() > 0;
    return room.contains(frame->geometry().topLeft()) && wideEnough && highEnough;
}

} // namespace

class tst_WindowFit : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeInteraction *m_fake = nullptr;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    std::unique_ptr<TMainForm> makeForm()
    {
        auto fake = std::make_unique<FakeInteraction>();
        m_fake = fake.get();
        auto form = std::make_unique<TMainForm>(
            QString(), std::make_unique<AppSettings>(path(QStringLiteral("s.ini"))),
            std::move(fake));
        return form;
    }
    static QAction *action(TMainForm &form, const char *name)
    {
        auto *found = form.findChild<QAction *>(QLatin1String(name));
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    QString exampleCopy(const QString &name)
    {
        const QString file = path(name);
        QFile::remove(file);
        QFile::copy(QStringLiteral(VORNA_EXAMPLES_DIR "/example.vrd"), file);
        QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return file;
    }
    static QRect areaRect(TMainForm &form) { return form.MdiArea().viewport()->rect(); }

private slots:
    void dataWindowsFitTheArea();
    void soilTableFitsTheAreaAndScrolls();
    void cascadeKeepsUsableSizes();
    void windowMenuNamesEveryWindow();
    void tableShowsANewProjectAfresh();
    void captionMarksUnsavedChanges();
    void reportViewerWithoutATextEditor();
};

void tst_WindowFit::dataWindowsFitTheArea()
{
    // At the default size the main window grows to show its largest dialog where the
    // screen has room; every dialog then lies inside the area, or the area scrolls to it
    // where the screen is smaller (the test screen may be 800 x 600).
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QSize screen = form->screen()->availableGeometry().size();
    QVERIFY(form->width() <= screen.width() && form->height() <= screen.height());
    for (const char *name : {"DataTitle", "DataShaft", "DataWaterTable", "DataOptions",
                             "SpecifyLength", "SpecifyLoad"}) {
        action(*form, name)->trigger();
        QMdiSubWindow *frame = form->MdiArea().activeSubWindow();
        QVERIFY(frame);
        QTRY_VERIFY2(reachable(frame, form->MdiArea()),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                                    .arg(QLatin1String(name))
                                    .arg(frame->x())
                                    .arg(frame->y())
                                    .arg(frame->width())
                                    .arg(frame->height())
                                    .arg(areaRect(*form).width())
                                    .arg(areaRect(*form).height())));
    }
}

void tst_WindowFit::soilTableFitsTheAreaAndScrolls()
{
    // Twenty layers with the LRFD columns in a small main window: the table window stays
    // inside the area and shows the rest through its scroll bars.
    auto form = makeForm();
    form->resize(640, 480);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->resize(640, 480); // smaller than the largest dialog asked for
    TGridTable &layers = form->Tables().SoilLayers();
    layers.SetRowCount(20);
    action(*form, "MethodLRFD")->trigger();
    action(*form, "DataSoilLayers")->trigger();
    TTableForm *table = qobject_cast<TTableForm *>(form->DataWindowIfOpen(DataWindow::SoilLayers));
    QVERIFY(table);
    QMdiSubWindow *frame = table->subWindow();
    QTRY_VERIFY2(inside(frame->geometry(), areaRect(*form)),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                .arg(frame->x())
                                .arg(frame->y())
                                .arg(frame->width())
                                .arg(frame->height())
                                .arg(areaRect(*form).width())
                                .arg(areaRect(*form).height())));
    QCOMPARE(table->grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(table->columnsShown() < table->model()->columnCount());
    QCOMPARE(table->grid()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void tst_WindowFit::cascadeKeepsUsableSizes()
{
    auto form = makeForm();
    form->resize(1000, 720);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QString project = exampleCopy(QStringLiteral("cascade.vrd"));
    test::writeFile(withExtension(project, QStringLiteral(".vrp")), plotFile());
    form->OpenProjectFile(project);
    QVERIFY(form->ResultsAvailable());
    for (const char *graph : {"GraphSkin", "GraphTip", "GraphAxial", "GraphUpper"})
        action(*form, graph)->trigger();
    action(*form, "CompSideView")->trigger();
    action(*form, "DataSoilLayers")->trigger();
    QCoreApplication::processEvents();
    action(*form, "WindowCascade")->trigger();
    const QRect area = areaRect(*form);
    int previousTop = -1;
    for (QMdiSubWindow *frame : form->MdiArea().subWindowList(QMdiArea::CreationOrder)) {
        QVERIFY(frame->width() >= 240 && frame->height() >= 180);
        QVERIFY(frame->geometry().right() <= area.right());
        if (qobject_cast<TPlotForm *>(frame->widget())) {
            // A graph keeps its size where the area has room for it.
            QVERIFY2(frame->widget()->width() >= std::min(720, area.width() - frame->x() - 20),
                     qPrintable(QString::number(frame->widget()->width())));
        }
        QVERIFY(frame->y() > previousTop || frame->y() == 0); // stepped down, or begun again
        previousTop = frame->y();
    }
}

void tst_WindowFit::windowMenuNamesEveryWindow()
{
    auto form = makeForm();
    form->show();
    const QString project = exampleCopy(QStringLiteral("names.vrd"));
    test::writeFile(withExtension(project, QStringLiteral(".vrp")), plotFile());
    form->OpenProjectFile(project);
    action(*form, "GraphUpper")->trigger();
    action(*form, "GraphCombinedSettle")->trigger();
    action(*form, "CompSideView")->trigger();
    // A read-out in a caption is no name for the list.
    form->SideView()->showDepthAt(10);
    form->updateMenus();
    QStringList names;
    for (int i = 1; i <= 3; ++i)
        names << action(*form, qPrintable(QStringLiteral("WindowSlot%1").arg(i)))->text();
    QCOMPARE(names, (QStringList{QStringLiteral("Axial Load vs Settlement (upper bound)"),
                                 QStringLiteral("Combined Plots of Load vs Settlement"),
                                 QStringLiteral("Elevation View")}));
    auto *upper = qobject_cast<TPlotForm *>(form->MdiArea().subWindowList().front()->widget());
    QVERIFY(upper);
    QCOMPARE(upper->windowTitle(), QStringLiteral("Axial Load vs Settlement (upper bound)"));
}

void tst_WindowFit::tableShowsANewProjectAfresh()
{
    // A three-layer project opened over a one-layer one: the open table shows all three
    // rows from the top, with the comments of the opened project's design method.
    auto form = makeForm();
    form->show();
    const QString three = exampleCopy(QStringLiteral("three.vrd"));
    form->OpenProjectFile(three);
    TGridTable &layers = form->Tables().SoilLayers();
    layers.SetRowCount(3);
    layers.Column(kBottomDepthColumn).SetFloat(2, 80.0);
    layers.Column(kSoilTypeColumn).SetInteger(2, 2);
    action(*form, "MethodLRFD")->trigger();
    QCOMPARE(form->Project().designMethod, DesignMethod::Lrfd);
    action(*form, "FileSave")->trigger();

    m_fake->saveAnswer = UserInteraction::SaveAnswer::No;
    action(*form, "FileNew")->trigger();
    QCOMPARE(layers.RowCount(), 1);
    action(*form, "DataSoilLayers")->trigger();
    TTableForm *table = qobject_cast<TTableForm *>(form->DataWindowIfOpen(DataWindow::SoilLayers));
    QVERIFY(table);
    QCOMPARE(table->rowsShown(), 1);
    QVERIFY(!table->commentsLabel()->text().contains(QStringLiteral("LRFD")));

    form->OpenProjectFile(three);
    QCOMPARE(layers.RowCount(), 3);
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(table->rowsShown(), 3);
    QCOMPARE(table->grid()->verticalScrollBar()->value(), 0);
    QVERIFY(table->commentsLabel()->text().contains(QStringLiteral("LRFD")));
}

void tst_WindowFit::captionMarksUnsavedChanges()
{
    auto form = makeForm();
    form->show();
    const QString project = exampleCopy(QStringLiteral("marked.vrd"));
    form->OpenProjectFile(project);
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - Marked"));
    form->SetModified(true);
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - Marked *"));
    action(*form, "FileSave")->trigger();
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - Marked"));
    // An edit in the soil layer table marks it too, once the window reports it.
    action(*form, "DataSoilLayers")->trigger();
    TTableForm *table = qobject_cast<TTableForm *>(form->DataWindowIfOpen(DataWindow::SoilLayers));
    QVERIFY(table);
    table->addRow();
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - Marked *"));
}

void tst_WindowFit::reportViewerWithoutATextEditor()
{
    auto form = makeForm();
    form->show();
    const QString project = exampleCopy(QStringLiteral("viewed.vrd"));
    const QString report = withExtension(project, QStringLiteral(".vro"));
    test::writeFile(report,
                    "VERTICALLY LOADED DRILLED SHAFT ANALYSIS\r\n  LAYER NO  1----SAND\r\n");
    form->OpenProjectFile(project);

    // No editor set: the built-in viewer, read-only, without a message.
    form->SetWordProcessor(QString());
    action(*form, "CompEditOutput")->trigger();
    QVERIFY(m_fake->started.isEmpty());
    QVERIFY(m_fake->messages.isEmpty());
    auto *viewer = qobject_cast<TTextViewer *>(form->MdiArea().activeSubWindow()->widget());
    QVERIFY(viewer);
    QVERIFY(viewer->Text()->isReadOnly());
    QVERIFY(viewer->Text()->toPlainText().contains(QStringLiteral("LAYER NO  1----SAND")));
    QCOMPARE(viewer->Text()->font().family(),
             QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    viewer->FindField()->setText(QStringLiteral("sand"));
    QVERIFY(viewer->FindNext());
    QCOMPARE(viewer->Text()->textCursor().selectedText(), QStringLiteral("SAND"));
    viewer->FindField()->setText(QStringLiteral("CLAY"));
    QVERIFY(!viewer->FindNext());
    QCOMPARE(m_fake->messages, QStringList{QStringLiteral("\"CLAY\" was not found.")});
    m_fake->messages.clear();

    // An editor that cannot start: its message, then the same viewer with a note.
    form->SetWordProcessor(QStringLiteral("/no/such/editor"));
    m_fake->startSucceeds = false;
    action(*form, "CompEditOutput")->trigger();
    QCOMPARE(m_fake->messages,
             QStringList{QStringLiteral("An error occurred in running the Word Processor")});
    QCOMPARE(form->MdiArea().subWindowList().size(), 1);
    QVERIFY(viewer->NoteLabel()->isVisibleTo(viewer));
    QVERIFY(viewer->NoteLabel()->text().contains(QStringLiteral("/no/such/editor")));
}

// Offscreen also when started outside ctest.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_WindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_fit.moc"
