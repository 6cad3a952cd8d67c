// The main window: menus and tool bar, menu state rules, file commands, the save-changes
// query, recent files, settings, start-up, dropped files, the text viewer, and the data
// and graph windows its commands open.
#include "about_box.h"
#include "child_window.h"
#include "data_edit.h"
#include "fake_interaction.h"
#include "file_names.h"
#include "grid_table_model.h"
#include "loading_dialog.h"
#include "main_window.h"
#include "message_log.h"
#include "platform/platform.h"
#include "plot_form.h"
#include "project_helpers.h"
#include "shaft_properties_dialog.h"
#include "table_form.h"
#include "title_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace vorna;
using vorna::test::FakeInteraction;

namespace {

// A child window whose commit can be refused, to see commands wait for it.
class CommittingChild : public ChildWindow {
    Q_OBJECT
public:
    int commits = 0;
    bool accept = true;
    bool commit() override
    {
        ++commits;
        return accept;
    }
};

// A plot data file of one diameter with a given KLS.
QByteArray plotFile(int kls)
{
    QByteArray text = " 1 3 " + QByteArray::number(kls) +
                      "\n"
                      "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n"
                      "  0.100E+02   0.0   0.0  0.0 0.0  0.0  0.0 \n"
                      "  0.100E+02  0.500E+02  0.200E+02  0.700E+02  0.250E+02\n"
                      "  0.667E+01  0.317E+02\n";
    for (int curve = 0; curve < (kls > 2 ? 3 : 1); ++curve)
        for (int i = 0; i < 15; ++i)
            text += "  " + QByteArray::number(10 * i) + "  0.01  1.0  0.01\n";
    return text;
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeInteraction *m_fake = nullptr;
    QString m_startFolder;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }

    std::unique_ptr<TMainForm> makeForm(const QString &argument = {})
    {
        auto fake = std::make_unique<FakeInteraction>();
        m_fake = fake.get();
        return std::make_unique<TMainForm>(argument, std::make_unique<AppSettings>(settingsFile()),
                                           std::move(fake));
    }
    static QAction *action(TMainForm &form, const char *name)
    {
        auto *found = form.findChild<QAction *>(QLatin1String(name));
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    // A saved project file: the example with its title replaced.
    QString projectFile(const QString &name, const QString &title = QStringLiteral("Example"))
    {
        QByteArray text = test::readFile(QStringLiteral(VORNA_EXAMPLES_DIR "/example.vrd"));
        text.replace("Example", title.toLatin1());
        test::writeFile(path(name), text);
        return path(name);
    }

private slots:
    void initTestCase() { m_startFolder = QDir::currentPath(); }
    void keptLoadTestOpensWithTheProject();
    void init()
    {
        QFile::remove(settingsFile());
        QDir::setCurrent(m_startFolder);
    }

    void menuCaptions_data();
    void menuCaptions();
    void menuBarOrder();
    void toolBarButtons();
    void factorOfSafetyFollowsDesignMethod_data();
    void factorOfSafetyFollowsDesignMethod();
    void radioItemsFollowTheProject();
    void computationItemsFollowTheFiles();
    void graphicsFollowTheResults_data();
    void graphicsFollowTheResults();
    void unitsItemConvertsTheProject();
    void unitSwitchConvertsUnderEachActiveDialog_data();
    void unitSwitchConvertsUnderEachActiveDialog();
    void designMethodItemShowsTheLrfdColumns();
    void windowListShowsChildWindows();
    void commandsCommitTheActiveChildFirst();
    void captions_data();
    void captions();
    void sameFileTwiceKeepsOneRecentEntry();
    void recentEntryFiveMovesToTheTop();
    void eleventhFileDropsTheOldest();
    void recentMenuShowsBareNamesOfTheCurrentFolder();
    void settingsAreReadAtFirstShowing();
    void commandLineArgument_data();
    void commandLineArgument();
    void commandLineResultsFollowTheFirstPaint();
    void saveChangesQuery_data();
    void saveChangesQuery();
    void cancelledSaveAsStopsTheCommand();
    void unmodifiedProjectIsNotQueried();
    void closingAsksAndCancelKeepsTheWindow();
    void droppedFileOpensWithoutRecentEntry();
    void openDialogSecondFilterReadsTheOlderLayout();
    void brokenProjectShowsTheReadersMessage();
    void unopenableProjectKeepsTheCurrentOne();
    void unwritableFolderGivesAClearMessage();
    void failedFlushKeepsTheFileAndTheEdits();
    void partlyReadFileAsksBeforeReplacing_data();
    void partlyReadFileAsksBeforeReplacing();
    void fileChangedElsewhereAsksBeforeReplacing();
    void saveAsKeepsProjectsApartFromResults_data();
    void saveAsKeepsProjectsApartFromResults();
    void saveAsTitleAndCaption();
    void wordProcessorCommands_data();
    void wordProcessorCommands();
    void wordProcessorFailure();
    void helpCommands();
    void helpDocumentsBesideOrInstalled();
    void aboutBoxTexts();
    void dataItemsOpenTheirWindows_data();
    void dataItemsOpenTheirWindows();
    void shaftLengthAndDesignLoadExcludeEachOther();
    void replacedProjectReloadsOpenDialogs_data();
    void replacedProjectReloadsOpenDialogs();
    void closingStopsWhileADialogRefuses();
    void graphWindowShowsTheReadResults();
};

void tst_MainWindow::menuCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const char *const rows[][3] = {
        {"FileNew", "&New", "Ctrl+N"},
        {"FileOpen", "&Open...", "Ctrl+O"},
        {"FileSave", "&Save", "Ctrl+S"},
        {"FileSaveAs", "Save &As...", ""},
        {"FileExit", "E&xit", ""},
        {"DataTitle", "&Title", ""},
        {"UnitsEnglish", "&English Units (lbs, in)", ""},
        {"UnitsSI", "&SI Units (kN, m)", ""},
        {"MethodASD", "ASD (Allowable Stress Design)", ""},
        {"MethodLRFD", "LRFD (Load Resistance Factor Design)", ""},
        {"DataShaft", "&Drilled-Shaft Properties", ""},
        {"DataSoilLayers", "Soil &Layer Data", ""},
        {"DataFS", "&Factor of Safety (Allowable Stress Design)", ""},
        {"SpecifyLength", "Specify the shaft length", ""},
        {"SpecifyLoad", "Specify the design load", ""},
        {"DataWaterTable", "&Water Table", ""},
        {"DataOptions", "Control &Options...", ""},
        {"CompRun", "&Run Analysis", ""},
        {"CompEditInput", "Edit I&nput Text", ""},
        {"CompEditNotes", "Edit &Processor-Run Notes", ""},
        {"CompEditOutput", "Edit &Output Text", ""},
        {"CompSideView", "&View Shaft Elevation", ""},
        {"GraphSkin", "Ultimate &Skin Friction vs Depth", ""},
        {"GraphFSSkin", "ASD/LRFD Skin Friction vs Depth ", ""},
        {"GraphCombine", "C&ombined Plots vs Depth (ultimate)", ""},
        {"GraphCombinedSettle", "Combined Plots of Load vs Settlement", ""},
        {"GraphLoadTest", "&Load Test...", ""},
        {"WindowCascade", "&Cascade", ""},
        {"WindowArrange", "&Arrange Icons", ""},
        {"HelpContents", "&Contents", ""},
        {"HelpUsersManual", "&User's Manual", ""},
        {"HelpTechnicalManual", "&Technical Manual", ""},
        {"HelpAbout", "&About...", ""},
        {"HelpCheckUpdates", "&Check for Updates", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << QString::fromUtf8(row[1]) << row[2];
}

void tst_MainWindow::menuCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    auto form = makeForm();
    QAction *item = action(*form, name.toLatin1().constData());
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(), shortcut);
}

void tst_MainWindow::menuBarOrder()
{
    auto form = makeForm();
    QStringList titles;
    for (QAction *menu : form->menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles,
             (QStringList{"&File", "Da&ta", "&Computation", "&Graphics", "&Window", "&Help"}));
    // Twelve graphs in four groups, then the load test.
    int graphItems = 0;
    int separators = 0;
    for (QAction *item : form->findChild<QMenu *>(QStringLiteral("GraphicsMenu"))->actions())
        (item->isSeparator() ? separators : graphItems)++;
    QCOMPARE(graphItems, 13);
    QCOMPARE(separators, 4);
}

void tst_MainWindow::toolBarButtons()
{
    auto form = makeForm();
    QStringList hints;
    QList<bool> enabled;
    for (QAction *button : form->findChild<QToolBar *>(QStringLiteral("ToolBar"))->actions()) {
        hints << button->toolTip();
        enabled << button->isEnabled();
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(hints,
             (QStringList{"New File", "Open File", "Save File", "Run Data File", "Soil layer Data",
                          "View Output", "View Soil Profile", "Combined Plot (Ultimate)",
                          "Combined Plot (LRFD/ASD)", "Load vs. Settlement"}));
    QCOMPARE(enabled, (QList<bool>{true, true, true, true, true, true, true, false, false, false}));
}

void tst_MainWindow::factorOfSafetyFollowsDesignMethod_data()
{
    QTest::addColumn<int>("designMethod");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("ASD") << 2 << true;
    QTest::newRow("LRFD") << 1 << false;
}

void tst_MainWindow::factorOfSafetyFollowsDesignMethod()
{
    QFETCH(int, designMethod);
    QFETCH(bool, enabled);
    auto form = makeForm();
    form->Project().designMethod = choiceFromFile<DesignMethod>(designMethod);
    form->updateMenus();
    QCOMPARE(action(*form, "DataFS")->isEnabled(), enabled);
    QCOMPARE(action(*form, "MethodLRFD")->isChecked(), designMethod == 1);
    QCOMPARE(action(*form, "MethodASD")->isChecked(), designMethod == 2);
}

void tst_MainWindow::radioItemsFollowTheProject()
{
    auto form = makeForm();
    form->updateMenus();
    QVERIFY(action(*form, "UnitsEnglish")->isChecked());
    QVERIFY(!action(*form, "UnitsSI")->isChecked());
    QVERIFY(action(*form, "SpecifyLength")->isChecked()); // a new project gives the length
    form->Project().unitSystem = UnitSystem::SI;
    form->Project().designControl = DesignControl::DesignLoad;
    form->updateMenus();
    QVERIFY(action(*form, "UnitsSI")->isChecked());
    QVERIFY(!action(*form, "UnitsEnglish")->isChecked());
    QVERIFY(action(*form, "SpecifyLoad")->isChecked());
    QVERIFY(!action(*form, "SpecifyLength")->isChecked());
}

void tst_MainWindow::computationItemsFollowTheFiles()
{
    auto form = makeForm();
    form->Project().fileName = path(QStringLiteral("files.vrd"));
    form->updateMenus();
    QVERIFY(action(*form, "CompRun")->isEnabled());
    QVERIFY(!action(*form, "CompEditInput")->isEnabled());
    QVERIFY(!action(*form, "CompEditNotes")->isEnabled());
    QVERIFY(!action(*form, "CompEditOutput")->isEnabled());
    test::writeFile(path(QStringLiteral("files.vrd")), "x");
    test::writeFile(path(QStringLiteral("files.vro")), "x");
    form->updateMenus();
    QVERIFY(action(*form, "CompEditInput")->isEnabled());
    QVERIFY(!action(*form, "CompEditNotes")->isEnabled());
    QVERIFY(action(*form, "CompEditOutput")->isEnabled());
    test::writeFile(path(QStringLiteral("files.vrr")), "x");
    form->updateMenus();
    QVERIFY(action(*form, "CompEditNotes")->isEnabled());
}

void tst_MainWindow::graphicsFollowTheResults_data()
{
    QTest::addColumn<int>("kls");
    QTest::addColumn<bool>("boundsEnabled");
    QTest::newRow("trend and bounds") << 3 << true;
    QTest::newRow("no load-settlement runs") << 0 << false;
}

// NAME.loadtest.csv beside the project is read when it opens and drawn as the last line of
// the settlement graphs; one that cannot be read is named in a message, left as it is and
// not drawn; a new project has none.
void tst_MainWindow::keptLoadTestOpensWithTheProject()
{
    auto form = makeForm();
    const QString project = projectFile(QStringLiteral("tested.vrd"));
    test::writeFile(path(QStringLiteral("tested.vrp")), plotFile(3));
    const QString kept = path(QStringLiteral("tested.loadtest.csv"));
    test::writeFile(kept, "head load (tons),head settlement (in)\r\n10,0.1\r\n40,0.5\r\n");
    form->OpenProjectFile(project);
    QVERIFY(m_fake->messages.isEmpty());
    QVERIFY(form->LoadTest());
    const TGraphPlot &axial = form->Graphs().Graph(ResultGraphId::Axial);
    QVERIFY(axial.Lines().back().measured);
    QCOMPARE(axial.Lines().back().points, (std::vector<TFloatPoint>{{10, 0.1}, {40, 0.5}}));

    const QByteArray broken = "head load (tons),head settlement (in)\r\n10,0.5\r\n40,0.1\r\n";
    test::writeFile(kept, broken);
    form->OpenProjectFile(project);
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages[0].contains(QStringLiteral("Line 3: the settlement 0.1 is smaller")));
    QVERIFY(!form->LoadTest());
    QVERIFY(!form->Graphs().Graph(ResultGraphId::Axial).Lines().back().measured);
    QCOMPARE(test::readFile(kept), broken);

    form->FileNewClick();
    QVERIFY(!form->LoadTest());
}

void tst_MainWindow::graphicsFollowTheResults()
{
    QFETCH(int, kls);
    QFETCH(bool, boundsEnabled);
    auto form = makeForm();
    form->updateMenus();
    QVERIFY(!action(*form, "GraphSkin")->isEnabled());

    const QString project = projectFile(QStringLiteral("graphs.vrd"));
    test::writeFile(path(QStringLiteral("graphs.vrp")), plotFile(kls));
    form->OpenProjectFile(project);
    QVERIFY(form->ResultsAvailable());
    QCOMPARE(form->Project().KLS, kls);
    form->updateMenus();
    for (const char *name : {"GraphSkin", "GraphTip", "GraphTotal", "GraphFSSkin", "GraphFSTip",
                             "GraphFSTotal", "GraphCombine", "GraphCombineD", "GraphAxial"})
        QVERIFY2(action(*form, name)->isEnabled(), name);
    for (const char *name : {"GraphUpper", "GraphLower", "GraphCombinedSettle"})
        QCOMPARE(action(*form, name)->isEnabled(), boundsEnabled);
    for (const char *name : {"tbCombine", "tbCombineD", "tbAxial"})
        QVERIFY(action(*form, name)->isEnabled());

    // The plot file gone: the menu goes dark although results were read.
    QFile::remove(path(QStringLiteral("graphs.vrp")));
    form->updateMenus();
    QVERIFY(!action(*form, "GraphSkin")->isEnabled());

    // File New makes results unavailable.
    form->FileNewClick();
    QVERIFY(!form->ResultsAvailable());
    QVERIFY(!action(*form, "tbAxial")->isEnabled());
}

void tst_MainWindow::unitsItemConvertsTheProject()
{
    auto form = makeForm();
    form->Project().shaftProperties[kMinDiameter] = 2.0;
    action(*form, "DataShaft")->trigger();
    const TDataEdit *minimum =
        qobject_cast<TfrmShaftProperties *>(form->DataWindowIfOpen(DataWindow::ShaftProperties))
            ->fields()[0];
    int changes = 0;
    connect(form.get(), &TMainForm::projectChanged, this, [&] { ++changes; });
    action(*form, "UnitsSI")->trigger();
    QCOMPARE(form->Project().unitSystem, UnitSystem::SI);
    QCOMPARE(form->Project().shaftProperties[kMinDiameter], 0.6096);
    QVERIFY(form->IsModified());
    QCOMPARE(changes, 1);
    // The open dialog shows the converted value in the new unit.
    QVERIFY(minimum->EditLabel()->text().endsWith(QStringLiteral("(m)")));
    QCOMPARE(double(minimum->Number()), 0.6096);
    action(*form, "UnitsSI")->trigger(); // the system it has: nothing changes
    QCOMPARE(form->Project().shaftProperties[kMinDiameter], 0.6096);
    QCOMPARE(changes, 1);
}

void tst_MainWindow::unitSwitchConvertsUnderEachActiveDialog_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("target");
    const char *const commands[] = {"DataShaft", "DataWaterTable", "SpecifyLoad", "SpecifyLength",
                                    "DataFS",    "DataTitle",      "DataOptions"};
    for (const char *command : commands) {
        QTest::addRow("%s to SI", command) << QString::fromLatin1(command) << 2;
        QTest::addRow("%s to English", command) << QString::fromLatin1(command) << 1;
    }
}

// With the soil layer window open, the table's rebuild takes the focus; the dialog in front
// must not store its unconverted text into the converted project when it loses it.
void tst_MainWindow::unitSwitchConvertsUnderEachActiveDialog()
{
    QFETCH(QString, command);
    QFETCH(int, target);
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->OpenProjectFile(projectFile(QStringLiteral("units.vrd")));
    TProgramData &p = form->Project();
    if (target == 1) {
        action(*form, "UnitsSI")->trigger(); // no window open: converts alone
        QCOMPARE(p.shaftProperties[kMinDiameter], 0.6096);
    }
    if (command == QLatin1String("SpecifyLength")) {
        p.proposedLength = 40.0; // the example gives a load; this dialog shows a length
        p.designLoad = 0.0;
    }
    const TProgramData before = p;
    const double lengthFactor = target == 2 ? 0.3048 : 3.280839895;
    const double modulusFactor = target == 2 ? 0.00444822199911631 / (0.0254 * 0.0254)
                                             : 224.8089237 / (39.37007874 * 39.37007874);
    const double loadFactor = target == 2 ? 8.896442997026778 : 0.1124044745;
    const double layerDepth = form->Tables().SoilLayers().Column(1).AsFloat(0);

    action(*form, "DataSoilLayers")->trigger();
    action(*form, command.toLatin1().constData())->trigger();
    QMdiSubWindow *front = form->MdiArea().activeSubWindow();
    QVERIFY(front);
    QVERIFY(!qobject_cast<TTableForm *>(front->widget()));
    action(*form, target == 2 ? "UnitsSI" : "UnitsEnglish")->trigger();
    QCoreApplication::processEvents();
    // Leaving every window (as Save does with the active one) stores nothing old.
    for (QMdiSubWindow *frame : form->MdiArea().subWindowList()) {
        form->MdiArea().setActiveSubWindow(frame);
        QCoreApplication::processEvents();
    }
    QVERIFY(form->CommitActiveChild());

    auto close = [](double actual, double expected) {
        return std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
    };
    QCOMPARE(unitCode(p.unitSystem), target);
    for (ShaftProperty k :
         {kMinDiameter, kMaxDiameter, kTopExclusion, kBottomExclusion, kWaterTableDepth})
        QVERIFY2(close(p.shaftProperties[k], before.shaftProperties[k] * lengthFactor),
                 qPrintable(QString::number(k) + QStringLiteral(": ") +
                            QString::number(p.shaftProperties[k], 'g', 17)));
    QVERIFY(close(p.shaftProperties[kShaftModulus],
                  before.shaftProperties[kShaftModulus] * modulusFactor));
    QVERIFY(close(p.designLoad, before.designLoad * loadFactor));
    QVERIFY(close(p.proposedLength, before.proposedLength * lengthFactor));
    QCOMPARE(p.shaftProperties[kBellRatio], before.shaftProperties[kBellRatio]);
    QCOMPARE(p.outputIncrement, before.outputIncrement);
    QCOMPARE(p.FST, before.FST);
    QCOMPARE(p.title, before.title);
    QVERIFY(close(form->Tables().SoilLayers().Column(1).AsFloat(0), layerDepth * lengthFactor));
    // Every open dialog shows the converted values in the new unit.
    for (QMdiSubWindow *frame : form->MdiArea().subWindowList()) {
        for (const TDataEdit *edit : frame->widget()->findChildren<TDataEdit *>()) {
            QCOMPARE(edit->Units(), target);
            if (edit->EditLabel() && edit->UnitsString() == QLatin1String("L2"))
                QVERIFY(edit->EditLabel()->text().endsWith(target == 2 ? QStringLiteral("(m)")
                                                                       : QStringLiteral("(ft)")));
        }
    }
}

void tst_MainWindow::designMethodItemShowsTheLrfdColumns()
{
    auto form = makeForm();
    TGridTable &layers = form->Tables().SoilLayers();
    QVERIFY(!layers.Column(kLrfdSideColumn).Visible);
    action(*form, "DataSoilLayers")->trigger();
    TTableForm *window = qobject_cast<TTableForm *>(form->DataWindowIfOpen(DataWindow::SoilLayers));
    QVERIFY(window);
    const int asdColumns = window->model()->columnCount();
    action(*form, "MethodLRFD")->trigger();
    QCOMPARE(form->Project().designMethod, DesignMethod::Lrfd);
    QVERIFY(layers.Column(kLrfdSideColumn).Visible);
    QVERIFY(layers.Column(kLrfdTipColumn).Visible);
    QVERIFY(layers.Comments.contains(QStringLiteral("LRFD Resistance Factors")));
    // The open window follows at once.
    QCOMPARE(qobject_cast<TTableForm *>(form->DataWindowIfOpen(DataWindow::SoilLayers)), window);
    QCOMPARE(window->model()->columnCount(), asdColumns + 2);
    QVERIFY(window->commentsLabel()->text().contains(QStringLiteral("LRFD Resistance Factors")));
    form->updateMenus();
    QVERIFY(!action(*form, "DataFS")->isEnabled());
    action(*form, "MethodASD")->trigger();
    QVERIFY(!layers.Column(kLrfdSideColumn).Visible);
    QCOMPARE(window->model()->columnCount(), asdColumns);
}

void tst_MainWindow::windowListShowsChildWindows()
{
    auto form = makeForm();
    form->updateMenus();
    QVERIFY(!action(*form, "WindowSlot1")->isVisible());
    for (const char *title : {"First", "Second & third"}) {
        auto *child = new QWidget;
        child->setWindowTitle(QString::fromUtf8(title));
        form->MdiArea().addSubWindow(child)->show();
    }
    form->updateMenus();
    QVERIFY(action(*form, "WindowSlot1")->isVisible());
    QCOMPARE(action(*form, "WindowSlot1")->text(), QStringLiteral("First"));
    QCOMPARE(action(*form, "WindowSlot2")->text(), QStringLiteral("Second && third"));
    QVERIFY(!action(*form, "WindowSlot3")->isVisible());
    QVERIFY(form->findChild<QAction *>(QStringLiteral("WindowSlot50")));
    action(*form, "WindowSlot1")->trigger();
    QCOMPARE(form->MdiArea().activeSubWindow()->windowTitle(), QStringLiteral("First"));
}

void tst_MainWindow::commandsCommitTheActiveChildFirst()
{
    auto form = makeForm();
    auto *child = new CommittingChild;
    form->MdiArea().addSubWindow(child)->show();
    form->MdiArea().setActiveSubWindow(form->MdiArea().subWindowList().front());
    form->SetModified(true);
    m_fake->saveAnswer = UserInteraction::SaveAnswer::No;

    child->accept = false; // an invalid entry: the command waits
    action(*form, "FileNew")->trigger();
    QCOMPARE(child->commits, 1);
    QCOMPARE(m_fake->saveQueries, 0);
    QVERIFY(form->IsModified());

    child->accept = true;
    action(*form, "tbNew")->trigger();
    QCOMPARE(child->commits, 2);
    QCOMPARE(m_fake->saveQueries, 1);
    QVERIFY(!form->IsModified());
}

void tst_MainWindow::captions_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("upper-case extension") << "job.VRD"
                                          << "VORNA 2012.7.10 - Job";
    QTest::newRow("two dots") << "a.b.vrd"
                              << "VORNA 2012.7.10 - A";
}

void tst_MainWindow::captions()
{
    QFETCH(QString, fileName);
    QFETCH(QString, caption);
    auto form = makeForm();
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - NewVorna"));
    form->OpenProjectFile(projectFile(fileName));
    QCOMPARE(form->windowTitle(), caption);
}

void tst_MainWindow::sameFileTwiceKeepsOneRecentEntry()
{
    auto form = makeForm();
    const QString first = projectFile(QStringLiteral("one.vrd"));
    const QString second = projectFile(QStringLiteral("two.vrd"));
    form->OpenProjectFile(first);
    form->OpenProjectFile(second);
    form->OpenProjectFile(second);
    QCOMPARE(form->Recent().Count(), 2);
    QCOMPARE(form->Recent().At(0), second);
    QCOMPARE(form->Recent().At(1), first);
}

void tst_MainWindow::recentEntryFiveMovesToTheTop()
{
    auto form = makeForm();
    QStringList names;
    for (int i = 1; i <= 6; ++i) {
        names << projectFile(QStringLiteral("p%1.vrd").arg(i));
        form->OpenProjectFile(names.back());
    }
    QCOMPARE(form->Recent().At(4), names[1]);
    form->updateMenus();
    action(*form, "FileRecent5")->trigger(); // the project is unmodified: no query
    QCOMPARE(m_fake->saveQueries, 0);
    QCOMPARE(form->Project().fileName, names[1]);
    const QStringList expected = {names[1], names[5], names[4], names[3], names[2], names[0]};
    QCOMPARE(form->Recent().Entries().mid(0, 6), expected);
}

void tst_MainWindow::eleventhFileDropsTheOldest()
{
    auto form = makeForm();
    QStringList names;
    for (int i = 1; i <= 11; ++i) {
        names << projectFile(QStringLiteral("q%1.vrd").arg(i));
        form->OpenProjectFile(names.back());
    }
    QCOMPARE(form->Recent().Count(), 10);
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("2012.7.10"));
    QStringList stored;
    for (const QString &key : settings.childKeys()) {
        if (key.startsWith(QStringLiteral("File")))
            stored << settings.value(key).toString();
    }
    QCOMPARE(stored.size(), 10);
    QVERIFY(!stored.contains(names[0]));
    QCOMPARE(settings.value(QStringLiteral("File1")).toString(), names[10]);
    QCOMPARE(settings.value(QStringLiteral("File10")).toString(), names[1]);
}

void tst_MainWindow::recentMenuShowsBareNamesOfTheCurrentFolder()
{
    auto form = makeForm();
    const QString here = projectFile(QStringLiteral("here.vrd"));
    form->OpenProjectFile(here); // its folder becomes current
    form->updateMenus();
    QCOMPARE(action(*form, "FileRecent1")->text(), QStringLiteral("1 here.vrd"));
    QVERIFY(action(*form, "FileRecent1")->isVisible());
    QVERIFY(!action(*form, "FileRecent2")->isVisible());
    QDir::setCurrent(QDir::rootPath());
    form->updateMenus();
    QCOMPARE(action(*form, "FileRecent1")->text(), QStringLiteral("1 ") + here);
}

void tst_MainWindow::settingsAreReadAtFirstShowing()
{
    {
        AppSettings settings(settingsFile());
        settings.Write({QStringLiteral("/usr/bin/kate"), {QStringLiteral("/jobs/a.vrd")}});
    }
    auto form = makeForm();
    QCOMPARE(form->WordProcessor(), QStringLiteral("/usr/bin/kate")); // read at creation
    QCOMPARE(form->Recent().Count(), 0);
    form->show();
    QCOMPARE(form->Recent().Count(), 1);
    QCOMPARE(form->Recent().At(0), QStringLiteral("/jobs/a.vrd"));
}

void tst_MainWindow::commandLineArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("opened");
    QTest::newRow("name without extension") << "cmdjob" << true;
    QTest::newRow("name with extension") << "cmdjob.vrd" << true;
    QTest::newRow("missing file") << "nosuchjob" << false;
    QTest::newRow("other extension") << "cmdjob.txt" << false;
}

void tst_MainWindow::commandLineArgument()
{
    QFETCH(QString, argument);
    QFETCH(bool, opened);
    projectFile(QStringLiteral("cmdjob.vrd"), QStringLiteral("From the command line"));
    QDir::setCurrent(m_dir.path());
    auto form = makeForm(argument);
    form->show();
    QCOMPARE(form->Project().title,
             opened ? QStringLiteral("From the command line") : QStringLiteral("New Pile"));
    QCOMPARE(form->windowTitle(), opened ? QStringLiteral("VORNA 2012.7.10 - Cmdjob")
                                         : QStringLiteral("VORNA 2012.7.10 - NewVorna"));
    QCOMPARE(form->Recent().Count(), 0); // the list is not changed
    QCOMPARE(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
    QVERIFY(m_fake->messages.isEmpty());
}

// The project named on the command line shows first; its graphs are built once the window
// has been painted, unless the results changed in between.
void tst_MainWindow::commandLineResultsFollowTheFirstPaint()
{
    const QString project = projectFile(QStringLiteral("painted.vrd"));
    test::writeFile(path(QStringLiteral("painted.vrp")), plotFile(3));
    QDir::setCurrent(m_dir.path());
    {
        auto form = makeForm(QStringLiteral("painted.vrd"));
        form->show();
        QCOMPARE(form->Project().title, QStringLiteral("Example"));
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_VERIFY(form->ResultsAvailable());
        QCOMPARE(form->Project().KLS, 3);
        QVERIFY(m_fake->messages.isEmpty());
    }
    {
        // Saved under another name before the window is painted: the planned read must not
        // take up results beside the renamed project (a plot file of that name included).
        test::writeFile(path(QStringLiteral("renamed.vrp")), plotFile(3));
        auto form = makeForm(QStringLiteral("painted.vrd"));
        m_fake->saveAnswers = {path(QStringLiteral("renamed.vrd"))};
        form->show();
        action(*form, "FileSaveAs")->trigger();
        QCOMPARE(QFileInfo(form->Project().fileName).fileName(), QStringLiteral("renamed.vrd"));
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::qWait(50);
        QVERIFY(!form->ResultsAvailable());
    }
}

void tst_MainWindow::saveChangesQuery_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("proceeds");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes") << int(UserInteraction::SaveAnswer::Yes) << true << true;
    QTest::newRow("No") << int(UserInteraction::SaveAnswer::No) << true << false;
    QTest::newRow("Cancel") << int(UserInteraction::SaveAnswer::Cancel) << false << false;
}

void tst_MainWindow::saveChangesQuery()
{
    QFETCH(int, answer);
    QFETCH(bool, proceeds);
    QFETCH(bool, saved);
    auto form = makeForm();
    const QString file = projectFile(QStringLiteral("query.vrd"));
    form->OpenProjectFile(file);
    form->Project().title = QStringLiteral("Edited title");
    form->SetModified(true);
    m_fake->saveAnswer = static_cast<UserInteraction::SaveAnswer>(answer);

    action(*form, "FileNew")->trigger();
    QCOMPARE(m_fake->saveQueries, 1);
    QCOMPARE(form->Project().title,
             proceeds ? QStringLiteral("New Pile") : QStringLiteral("Edited title"));
    // The kept project still has its unsaved changes, marked in the caption.
    QCOMPARE(form->windowTitle(), proceeds ? QStringLiteral("VORNA 2012.7.10 - NewVorna")
                                           : QStringLiteral("VORNA 2012.7.10 - Query *"));
    QCOMPARE(test::readFile(file).startsWith("Edited title"), saved);
    QCOMPARE(form->IsModified(), !proceeds);
}

void tst_MainWindow::cancelledSaveAsStopsTheCommand()
{
    auto form = makeForm();
    form->SetModified(true); // a never-saved project
    m_fake->saveAnswer = UserInteraction::SaveAnswer::Yes;
    m_fake->openAnswers.push_back({projectFile(QStringLiteral("other.vrd")), 0});
    action(*form, "FileOpen")->trigger();
    QCOMPARE(m_fake->saveTitles, QStringList{QStringLiteral("Save NewVorna As")});
    QCOMPARE(form->Project().title, QStringLiteral("New Pile")); // not opened
    QCOMPARE(m_fake->openAnswers.size(), std::size_t(1));        // the dialog never showed
    QVERIFY(form->IsModified());
}

void tst_MainWindow::unmodifiedProjectIsNotQueried()
{
    auto form = makeForm();
    m_fake->openAnswers.push_back({projectFile(QStringLiteral("plain.vrd")), 0});
    action(*form, "FileOpen")->trigger();
    QCOMPARE(m_fake->saveQueries, 0);
    QCOMPARE(form->Project().fileName, path(QStringLiteral("plain.vrd")));
    QCOMPARE(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
}

void tst_MainWindow::closingAsksAndCancelKeepsTheWindow()
{
    auto form = makeForm();
    form->show();
    form->SetModified(true);
    m_fake->saveAnswer = UserInteraction::SaveAnswer::Cancel;
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(m_fake->saveQueries, 1);
    m_fake->saveAnswer = UserInteraction::SaveAnswer::No;
    QVERIFY(form->close());
    QVERIFY(QFile::exists(settingsFile())); // written on closing
}

void tst_MainWindow::droppedFileOpensWithoutRecentEntry()
{
    auto form = makeForm();
    form->show();
    const QString file = projectFile(QStringLiteral("dropped.vrd"), QStringLiteral("Dropped"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    QCOMPARE(form->Project().title, QStringLiteral("Dropped"));
    QCOMPARE(form->Recent().Count(), 0);
    QCOMPARE(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
}

void tst_MainWindow::openDialogSecondFilterReadsTheOlderLayout()
{
    auto form = makeForm();
    test::writeFile(path(QStringLiteral("old.vrd")), test::crlf("Old layout\n1\n2 1 1 1\n"
                                                                "2 2 0 0 0 0 4000000\n"
                                                                "1 10 30 2.5 3\n1 10\n"
                                                                "0.0 120 32 0.0 15 0 0\n"
                                                                "0.0 120 32 0.0 15 0 0\n"
                                                                "2\n0 0\n"));
    m_fake->openAnswers.push_back({path(QStringLiteral("old.vrd")), 1});
    action(*form, "FileOpen")->trigger();
    QCOMPARE(form->Project().title, QStringLiteral("Old layout"));
    QVERIFY(!form->Project().currentLayout);
}

void tst_MainWindow::brokenProjectShowsTheReadersMessage()
{
    auto form = makeForm();
    test::writeFile(path(QStringLiteral("broken.vrd")),
                    test::crlf("Broken\n1\n2 1 1 1 1 2\n2 2 0 0 0 0 4000000\nx 10 30 2.5 3\n"));
    form->OpenProjectFile(path(QStringLiteral("broken.vrd")));
    QCOMPARE(m_fake->messages.size(), 1);
    QCOMPARE(
        m_fake->messages[0],
        QStringLiteral("Error on Line 5 Item 1\rAn integer was expected but not found.\r"
                       "Expected on line 5: the profile record (number of layers, water table, "
                       "design load or depth, two factors of safety)."));
    QCOMPARE(form->Project().title, QStringLiteral("Broken")); // what was read stays
    QCOMPARE(form->Project().shaftProperties[kMinDiameter], 2.0);
    QVERIFY(!form->IsModified());
}

void tst_MainWindow::unopenableProjectKeepsTheCurrentOne()
{
    auto form = makeForm();
    form->Project().title = QStringLiteral("Kept");
    form->OpenProjectFile(path(QStringLiteral("missing.vrd")));
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages[0].startsWith(QStringLiteral("Cannot open")));
    QCOMPARE(form->Project().title, QStringLiteral("Kept"));
    QCOMPARE(form->Recent().Count(), 0);
}

void tst_MainWindow::unwritableFolderGivesAClearMessage()
{
    auto form = makeForm();
    form->Project().fileName = QStringLiteral("/nonexistent-folder/job.vrd");
    form->SetModified(true);
    action(*form, "FileSave")->trigger();
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages[0].startsWith(
        QStringLiteral("The project could not be saved to \"/nonexistent-folder/job.vrd\"")));
    QVERIFY(form->IsModified()); // the edits are still unsaved

    // Answering Yes to the query does not throw them away when saving fails.
    m_fake->saveAnswer = UserInteraction::SaveAnswer::Yes;
    action(*form, "FileNew")->trigger();
    QCOMPARE(form->Project().fileName, QStringLiteral("/nonexistent-folder/job.vrd"));
    QVERIFY(form->IsModified());
}

// The disk refuses the bytes (a full disk): Save and Run both keep the old file byte for
// byte, say so, and leave the project modified; the engine is not called.
void tst_MainWindow::failedFlushKeepsTheFileAndTheEdits()
{
    auto form = makeForm();
    const QString file = projectFile(QStringLiteral("flush.vrd"));
    const QByteArray old = test::readFile(file);
    form->OpenProjectFile(file);
    form->Project().title = QStringLiteral("Edited");
    form->SetModified(true);
    form->SetSaveFlush([](QFileDevice &) { return false; });
    for (const char *command : {"FileSave", "CompRun"}) {
        m_fake->messages.clear();
        action(*form, command)->trigger();
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages[0].startsWith(
                     QStringLiteral("The project could not be saved to \"%1\":\r").arg(file)),
                 qPrintable(m_fake->messages[0]));
        QVERIFY(m_fake->messages[0].endsWith(
            QStringLiteral("The previous file, if any, is unchanged.")));
        QCOMPARE(test::readFile(file), old);
        QVERIFY(form->IsModified());
    }
    QVERIFY(!QFile::exists(path(QStringLiteral("flush.vro"))));
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*flush*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("flush.vrd")});
}

void tst_MainWindow::partlyReadFileAsksBeforeReplacing_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes replaces and keeps a backup") << int(UserInteraction::SaveAnswer::Yes);
    QTest::newRow("No saves under another name") << int(UserInteraction::SaveAnswer::No);
    QTest::newRow("Cancel saves nothing") << int(UserInteraction::SaveAnswer::Cancel);
}

// A two-layer file that stops in its second layer loads one layer; saving must not replace
// the file with that one layer without asking.
void tst_MainWindow::partlyReadFileAsksBeforeReplacing()
{
    QFETCH(int, answer);
    auto form = makeForm();
    QByteArray text = test::readFile(QStringLiteral(VORNA_EXAMPLES_DIR "/example.vrd"));
    text.truncate(text.lastIndexOf("2 60"));
    text += "2 60 \r\n0 115 0.0 ";
    const QString file = path(QStringLiteral("part.vrd"));
    test::writeFile(file, text);
    QFile::remove(file + QStringLiteral(".bak"));
    QFile::remove(path(QStringLiteral("elsewhere.vrd")));
    form->OpenProjectFile(file);
    QVERIFY(!m_fake->messages.isEmpty()); // the reader said where it stopped
    QVERIFY(form->Project().readInPart);
    m_fake->answers.push_back(static_cast<UserInteraction::SaveAnswer>(answer));
    const QString other = path(QStringLiteral("elsewhere.vrd"));
    m_fake->saveAnswers.push_back(other);

    action(*form, "FileSave")->trigger();
    QCOMPARE(m_fake->questions.size(), 1);
    QVERIFY2(m_fake->questions[0].startsWith(
                 QStringLiteral("The project file \"%1\" could not be read completely").arg(file)),
             qPrintable(m_fake->questions[0]));
    QVERIFY(m_fake->questions[0].contains(QStringLiteral("\"%1.bak\"").arg(file)));
    const QByteArray now = test::readFile(file);
    switch (static_cast<UserInteraction::SaveAnswer>(answer)) {
    case UserInteraction::SaveAnswer::Yes:
        QCOMPARE(test::readFile(file + QStringLiteral(".bak")), text);
        QVERIFY(now != text && now.startsWith("Example\r\n"));
        QVERIFY(!form->Project().readInPart);
        QVERIFY(!form->IsModified());
        break;
    case UserInteraction::SaveAnswer::No:
        QCOMPARE(now, text);
        QCOMPARE(m_fake->saveTitles.size(), 1);
        QCOMPARE(form->Project().fileName, other);
        QVERIFY(QFile::exists(other));
        QVERIFY(!QFile::exists(file + QStringLiteral(".bak")));
        break;
    case UserInteraction::SaveAnswer::Cancel:
        QCOMPARE(now, text);
        QVERIFY(m_fake->saveTitles.isEmpty());
        QVERIFY(!QFile::exists(file + QStringLiteral(".bak")));
        QVERIFY(form->Project().readInPart);
        break;
    }
    // A run saves first and asks the same; cancelled, nothing runs.
    if (answer == int(UserInteraction::SaveAnswer::Cancel)) {
        action(*form, "CompRun")->trigger();
        QCOMPARE(m_fake->questions.size(), 2);
        QCOMPARE(test::readFile(file), text);
        QVERIFY(!QFile::exists(path(QStringLiteral("part.vro"))));
    }
}

void tst_MainWindow::fileChangedElsewhereAsksBeforeReplacing()
{
    auto form = makeForm();
    const QString file = projectFile(QStringLiteral("shared.vrd"));
    form->OpenProjectFile(file);
    QVERIFY(!form->Project().readInPart);
    action(*form, "FileSave")->trigger(); // unchanged on disk: no question
    QVERIFY(m_fake->questions.isEmpty());

    const QByteArray external = test::readFile(file).replace("Example", "Edited in a text editor");
    test::writeFile(file, external);
    action(*form, "FileSave")->trigger();
    QCOMPARE(m_fake->questions.size(), 1);
    QVERIFY2(
        m_fake->questions[0].startsWith(
            QStringLiteral("The project file \"%1\" was changed by another program").arg(file)),
        qPrintable(m_fake->questions[0]));
    QCOMPARE(test::readFile(file), external); // Cancel
    m_fake->answers.push_back(UserInteraction::SaveAnswer::Yes);
    action(*form, "FileSave")->trigger();
    QCOMPARE(m_fake->questions.size(), 2);
    QCOMPARE(test::readFile(file + QStringLiteral(".bak")), external);
    QVERIFY(test::readFile(file).startsWith("Example\r\n"));
    action(*form, "FileSave")->trigger(); // its own file again: no question
    QCOMPARE(m_fake->questions.size(), 2);
}

void tst_MainWindow::saveAsKeepsProjectsApartFromResults_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved"); // empty: refused
    QTest::newRow("report extension") << "job.vro"
                                      << "";
    QTest::newRow("plot extension, upper case") << "job.VRP"
                                                << "";
    QTest::newRow("run-time extension") << "job.vrr"
                                        << "";
    QTest::newRow("another extension") << "job.txt"
                                       << "job.txt.vrd";
    QTest::newRow("project extension") << "job.VRD"
                                       << "job.VRD";
}

void tst_MainWindow::saveAsKeepsProjectsApartFromResults()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    auto form = makeForm();
    m_fake->saveAnswers.push_back(path(chosen));
    action(*form, "FileSaveAs")->trigger();
    if (saved.isEmpty()) {
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages[0].startsWith(
                     QStringLiteral("A project cannot be saved as \"%1\"").arg(path(chosen))),
                 qPrintable(m_fake->messages[0]));
        QVERIFY(!QFile::exists(path(chosen)));
        QCOMPARE(form->Project().fileName, QString::fromLatin1(TProgramData::kNewFileName));
        return;
    }
    QVERIFY(m_fake->messages.isEmpty());
    QCOMPARE(form->Project().fileName, path(saved));
    QVERIFY(test::readFile(path(saved)).startsWith("New Pile\r\n"));
    QCOMPARE(QFile::exists(path(chosen)), chosen == saved);
}

void tst_MainWindow::saveAsTitleAndCaption()
{
    auto form = makeForm();
    form->OpenProjectFile(projectFile(QStringLiteral("before.vrd")));
    m_fake->saveAnswers.push_back(path(QStringLiteral("after.vrd")));
    action(*form, "FileSaveAs")->trigger();
    QCOMPARE(m_fake->saveTitles, QStringList{QStringLiteral("Save Before As")});
    QCOMPARE(form->windowTitle(), QStringLiteral("VORNA 2012.7.10 - After"));
    QVERIFY(QFile::exists(path(QStringLiteral("after.vrd"))));
    QCOMPARE(form->Recent().Count(), 1); // Save As leaves the list alone
}

void tst_MainWindow::wordProcessorCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("extension");
    QTest::newRow("input") << "CompEditInput"
                           << ".vrd";
    QTest::newRow("run notes") << "CompEditNotes"
                               << ".vrr";
    QTest::newRow("output") << "CompEditOutput"
                            << ".vro";
    QTest::newRow("view output button") << "tbViewOutput"
                                        << ".vro";
}

void tst_MainWindow::wordProcessorCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, extension);
    auto form = makeForm();
    form->SetWordProcessor(QStringLiteral("/usr/bin/kate"));
    form->OpenProjectFile(projectFile(QStringLiteral("viewed.vrd")));
    action(*form, command.toLatin1().constData())->trigger();
    QCOMPARE(m_fake->started, QStringList{QStringLiteral("/usr/bin/kate|") +
                                          path(QStringLiteral("viewed")) + extension});
    QVERIFY(m_fake->messages.isEmpty());
}

void tst_MainWindow::wordProcessorFailure()
{
    auto form = makeForm();
    m_fake->startSucceeds = false;
    action(*form, "CompEditOutput")->trigger();
    QCOMPARE(m_fake->messages,
             QStringList{QStringLiteral("An error occurred in running the Word Processor")});
}

void tst_MainWindow::helpCommands()
{
    auto form = makeForm();
    action(*form, "HelpContents")->trigger();
    action(*form, "HelpUsersManual")->trigger();
    action(*form, "HelpTechnicalManual")->trigger();
    // The documents are built beside the program; Contents and User's Manual are the guide.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString guide = programFolder.filePath(QStringLiteral("Vorna_2012.html"));
    const QString manual =
        programFolder.filePath(QStringLiteral("Vorna_2012_Technical_Manual.html"));
    QCOMPARE(m_fake->documents, (QStringList{guide, guide, manual}));
    QVERIFY(m_fake->messages.isEmpty());
    QVERIFY(QFile::exists(guide));
    QVERIFY(QFile::exists(manual));
    QVERIFY(m_fake->started.isEmpty());
}

void tst_MainWindow::helpDocumentsBesideOrInstalled()
{
    // The package's layout: the program in lib/vorna, the documents in share/vorna/doc.
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("lib/vorna"));
    const QString installed = root.filePath(QStringLiteral("share/vorna/doc"));
    QVERIFY(QDir().mkpath(program));
    QVERIFY(QDir().mkpath(installed));
    QCOMPARE(platform::installedHelpFolder(program), installed);
    const QString name = QStringLiteral("Vorna_2012.html");
    // Missing everywhere: the name beside the program, for the message.
    QCOMPARE(platform::helpDocumentPath(program, name), QDir(program).filePath(name));
    test::writeFile(QDir(installed).filePath(name), "installed");
    QCOMPARE(platform::helpDocumentPath(program, name), QDir(installed).filePath(name));
    // One beside the program (a build folder) comes first.
    test::writeFile(QDir(program).filePath(name), "beside");
    QCOMPARE(platform::helpDocumentPath(program, name), QDir(program).filePath(name));
}

void tst_MainWindow::aboutBoxTexts()
{
    QCOMPARE(TAboutBox::ProgramName(), QStringLiteral("Vorna 2012"));
    QCOMPARE(TAboutBox::VersionLine(), QStringLiteral("Version 2012.7.10"));
    QCOMPARE(TAboutBox::Description(),
             QStringLiteral("A program for analyzing the axial capacity and short-term "
                            "settlement of drilled shafts under axial loading."));
}

void tst_MainWindow::dataItemsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    const char *const rows[][2] = {
        {"DataTitle", "Project Title"},
        {"DataShaft", "Drilled-Shaft Properties"},
        {"DataSoilLayers", "Soil Layer Data "}, // a top-level table: caption, blank, no number
        {"tbSoilLayers", "Soil Layer Data "},
        {"DataFS", "Factor of Safety (F.S.)"},
        {"SpecifyLength", "Drilled Shaft Length"},
        {"SpecifyLoad", "Specification of Design Load"},
        {"DataWaterTable", "Water Table"},
        {"DataOptions", "Control Options"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// Each item opens its window in front; choosing it again brings back the same window.
void tst_MainWindow::dataItemsOpenTheirWindows()
{
    QFETCH(QString, command);
    QFETCH(QString, caption);
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    for (int choice = 0; choice < 2; ++choice) {
        action(*form, command.toLatin1().constData())->trigger();
        QCOMPARE(form->MdiArea().subWindowList().size(), 1);
        QMdiSubWindow *frame = form->MdiArea().activeSubWindow();
        QVERIFY(frame);
        auto *window = qobject_cast<ChildWindow *>(frame->widget());
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), caption);
        QVERIFY(window->isVisible());
    }
    QVERIFY(m_fake->messages.isEmpty());
    if (caption == QLatin1String("Soil Layer Data ")) {
        auto *table = qobject_cast<TTableForm *>(form->MdiArea().activeSubWindow()->widget());
        QCOMPARE(table->table(), &form->Tables().SoilLayers());
    }
}

void tst_MainWindow::shaftLengthAndDesignLoadExcludeEachOther()
{
    test::MessageLog log;
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto dialog = [&](DataWindow kind) {
        return qobject_cast<TLoadingDialog *>(form->DataWindowIfOpen(kind));
    };

    action(*form, "SpecifyLoad")->trigger();
    QCOMPARE(form->Project().designControl, DesignControl::DesignLoad);
    QVERIFY(dialog(DataWindow::DesignLoad));
    dialog(DataWindow::DesignLoad)->valueField()->setText(QStringLiteral("500"));

    // The load dialog stores its load and closes; the length dialog takes its place.
    action(*form, "SpecifyLength")->trigger();
    QCOMPARE(form->Project().designControl, DesignControl::DesignDepth);
    QCOMPARE(form->Project().designLoad, 500.0);
    QVERIFY(!dialog(DataWindow::DesignLoad));
    QVERIFY(dialog(DataWindow::ShaftLength));
    dialog(DataWindow::ShaftLength)->valueField()->setText(QStringLiteral("60"));

    action(*form, "SpecifyLoad")->trigger();
    QCOMPARE(form->Project().proposedLength, 60.0);
    QCOMPARE(form->Project().designLoad, 0.0); // a length clears the load
    QVERIFY(!dialog(DataWindow::ShaftLength));
    QVERIFY(form->IsModified());

    // An invalid load keeps its dialog, and the method stays.
    dialog(DataWindow::DesignLoad)->valueField()->setText(QStringLiteral("abc"));
    action(*form, "SpecifyLength")->trigger();
    QCOMPARE(log.messages.size(), 1);
    QCOMPARE(form->Project().designControl, DesignControl::DesignLoad);
    QVERIFY(dialog(DataWindow::DesignLoad));
    QVERIFY(!dialog(DataWindow::ShaftLength));
}

void tst_MainWindow::replacedProjectReloadsOpenDialogs_data()
{
    QTest::addColumn<bool>("openAnother");
    QTest::newRow("File New") << false;
    QTest::newRow("File Open") << true;
}

// Dialogs left open across New or Open show the new project's values, and leaving them
// does not write the old values into it.
void tst_MainWindow::replacedProjectReloadsOpenDialogs()
{
    QFETCH(bool, openAnother);
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->OpenProjectFile(projectFile(QStringLiteral("first.vrd"), QStringLiteral("First")));
    form->Project().shaftProperties[kMinDiameter] = 7.5;
    form->SetModified(false);
    action(*form, "DataShaft")->trigger();
    action(*form, "DataTitle")->trigger();
    auto *title = qobject_cast<TfrmTitle *>(form->DataWindowIfOpen(DataWindow::Title));
    auto *shaft =
        qobject_cast<TfrmShaftProperties *>(form->DataWindowIfOpen(DataWindow::ShaftProperties));
    QCOMPARE(title->titleEdit()->text(), QStringLiteral("First"));

    if (openAnother) {
        m_fake->openAnswers.push_back(
            {projectFile(QStringLiteral("second.vrd"), QStringLiteral("Second")), 0});
        action(*form, "FileOpen")->trigger();
    } else {
        action(*form, "FileNew")->trigger();
    }
    const QString expected = openAnother ? QStringLiteral("Second") : QStringLiteral("New Pile");
    QCOMPARE(title->titleEdit()->text(), expected);
    const double minDiameter = form->Project().shaftProperties[kMinDiameter];
    QVERIFY(minDiameter != 7.5);
    QCOMPARE(double(shaft->fields()[0]->Number()), minDiameter);

    action(*form, "DataShaft")->trigger(); // the title dialog is left
    action(*form, "DataTitle")->trigger(); // and the shaft dialog
    QCOMPARE(form->Project().title, expected);
    QCOMPARE(form->Project().shaftProperties[kMinDiameter], minDiameter);
    QVERIFY(!form->IsModified());
}

void tst_MainWindow::closingStopsWhileADialogRefuses()
{
    test::MessageLog log;
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    action(*form, "DataWaterTable")->trigger();
    ChildWindow *water = form->DataWindowIfOpen(DataWindow::WaterTable);
    auto *depth = water->findChild<TDataEdit *>();
    depth->setText(QStringLiteral("2**"));
    QVERIFY(!form->close());
    QCOMPARE(log.messages.size(), 1);
    QVERIFY(form->isVisible());
    depth->setText(QStringLiteral("12"));
    m_fake->saveAnswer = UserInteraction::SaveAnswer::No;
    QVERIFY(form->close());
    QCOMPARE(form->Project().shaftProperties[kWaterTableDepth], 12.0);
}

// A project opened with its plot data file shows its graphs; the window is made once.
void tst_MainWindow::graphWindowShowsTheReadResults()
{
    auto form = makeForm();
    form->show();
    const QString project = projectFile(QStringLiteral("shown.vrd"));
    test::writeFile(path(QStringLiteral("shown.vrp")), plotFile(3));
    form->OpenProjectFile(project);
    for (int choice = 0; choice < 2; ++choice)
        action(*form, "GraphSkin")->trigger();
    QCOMPARE(form->MdiArea().subWindowList().size(), 1);
    auto *window = qobject_cast<TPlotForm *>(form->MdiArea().activeSubWindow()->widget());
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Skin Ultimate Friction vs Depth"));
    QCOMPARE(window->Graph().LineCount(), 1);
    QCOMPARE(window->Graph().LineName(0), QStringLiteral("Dia=2 ft"));
    QVERIFY(m_fake->messages.isEmpty());
    // The frame fits the graph's own width, not the narrow least size of its layout.
    QCOMPARE(window->width(), 720);

    // A new project leaves no graph of the earlier results on screen.
    action(*form, "FileNew")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QMdiSubWindow *sub : form->MdiArea().subWindowList())
        QVERIFY(!qobject_cast<TPlotForm *>(sub->widget()));
}

// Offscreen also when started outside ctest.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_main_window.moc"
