// The Run command on the engine library built beside this test: a real run, a project
// never saved, a missing or broken library and a later run after it is restored, a
// comma-decimal locale, and the result graphs of a run.
#include "fake_interaction.h"
#include "file_names.h"
#include "main_window.h"
#include "platform/platform.h"
#include "plot_form.h"
#include "project_helpers.h"
#include "run_command.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

using namespace vorna;
using vorna::test::FakeInteraction;

class tst_RunCommand : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeInteraction *m_fake = nullptr;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    std::unique_ptr<TMainForm> makeForm()
    {
        auto fake = std::make_unique<FakeInteraction>();
        m_fake = fake.get();
        return std::make_unique<TMainForm>(
            QString(), std::make_unique<AppSettings>(path(QStringLiteral("settings.ini"))),
            std::move(fake));
    }
    // A bundled example copied into a folder of its own.
    QString exampleProject(const QString &folder, const QString &name,
                           const QString &example = QStringLiteral("example.vrd"))
    {
        QDir(m_dir.path()).mkpath(folder);
        const QString file = QDir(path(folder)).filePath(name);
        QFile::remove(file);
        QFile::copy(QDir(QStringLiteral(VORNA_EXAMPLES_DIR)).filePath(example), file);
        return file;
    }
    static void run(TMainForm &form)
    {
        form.findChild<QAction *>(QStringLiteral("CompRun"))->trigger();
    }
    static QString engineLibrary()
    {
        return QDir(QCoreApplication::applicationDirPath())
            .filePath(platform::engineLibraryFileName());
    }
    // The run's first message is exactly the expected completion message, and the run left
    // its files and state behind.
    void checkCompletedRun(TMainForm &form, const QString &project, const QString &expectedMessage);

private slots:
    void namesFileLines();
    void realRunOfTheExample();
    void engineIsUnloadedAfterTheRun();
    void runFromTheToolButtonSavesTheEditsFirst();
    void runWithinARunIsRefused();
    void neverSavedProjectCancelled();
    void neverSavedProjectNamedThenRun();
    void missingLibraryThenRestored();
    void brokenLibrary();
    void commaDecimalLocale();
    void commaDecimalCLibraryLocale();
    void failedPlotFileAfterARunSaysSo();
    void failedRunShowsNoEarlierGraphs();
    void unwritableNamesFileStopsTheRun();
    void projectUnderAResultExtensionIsNotRun();
    void failedRunSaysWhy();
    void graphsOfARun_data();
    void graphsOfARun();
};

void tst_RunCommand::namesFileLines()
{
    QCOMPARE(namesFileText(QStringLiteral("/jobs/pier.vrd")),
             QByteArray("2012.7.10\r\n/jobs/pier.vrd\r\n/jobs/pier.vro\r\n/jobs/pier.vrp\r\n"
                        "/jobs/pier.vrr\r\n"));
}

// The bundled example needs a deeper profile to reach its design load (status 6), so every run
// of it ends with the message that warns of errors and names the run-time file's note.
static const QString kExampleCompletion =
    QStringLiteral("Computations are completed, but there may be errors.\rPlease, check output "
                   "file for results or error messages.\r\rNEED ANOTHER SOIL LAYER");
static const QString kNormalCompletion =
    QStringLiteral("Computations are completed.\rPlease, check output file for results "
                   "or error messages.");

void tst_RunCommand::checkCompletedRun(TMainForm &form, const QString &project,
                                       const QString &expectedMessage)
{
    QVERIFY2(!m_fake->messages.isEmpty(), "no completion message");
    QCOMPARE(m_fake->messages[0], expectedMessage);

    const QByteArray report = test::readFile(withExtension(project, QStringLiteral(".vro")));
    QVERIFY(report.contains("VERTICALLY LOADED DRILLED SHAFT ANALYSIS"));
    QVERIFY(report.contains("Name of input data file     : " +
                            QFileInfo(project).fileName().toLatin1()));
    QVERIFY(QFile::exists(withExtension(project, QStringLiteral(".vrr"))));
    QVERIFY(QFile::exists(withExtension(project, QStringLiteral(".vrp"))));
    QVERIFY(!QFile::exists(QDir(QFileInfo(project).path()).filePath(QStringLiteral("names.dat"))));
    QVERIFY(!QFile::exists(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("names.dat"))));
    QCOMPARE(QDir::currentPath(), QFileInfo(project).canonicalPath());

    // The plot data file decides whether results are available; a file the reader
    // cannot take is reported after a fresh run.
    const bool failedRead =
        m_fake->messages.contains(QStringLiteral("An error occured in running the main program."));
    QCOMPARE(form.ResultsAvailable(), !failedRead);
    QCOMPARE(form.findChild<QAction *>(QStringLiteral("tbCombine"))->isEnabled(),
             form.ResultsAvailable());
}

void tst_RunCommand::realRunOfTheExample()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("real"), QStringLiteral("example.vrd"));
    form->OpenProjectFile(project);
    QDir::setCurrent(QDir::rootPath()); // the run makes the project's folder current itself
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);

    // Run again: the library is loaded afresh and the files are replaced.
    m_fake->messages.clear();
    QFile::remove(withExtension(project, QStringLiteral(".vro")));
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);
}

// True while the engine library is mapped into this process (Linux's own list of mappings).
static bool engineIsMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains(platform::engineLibraryFileName().toLatin1());
}

void tst_RunCommand::engineIsUnloadedAfterTheRun()
{
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        QSKIP("no list of mapped files on this system");
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("unload"), QStringLiteral("u.vrd"));
    form->OpenProjectFile(project);
    QVERIFY(!engineIsMapped());
    run(*form);
    QVERIFY(!m_fake->messages.isEmpty());
    QVERIFY(!engineIsMapped()); // each run starts from a freshly loaded engine
}

void tst_RunCommand::runWithinARunIsRefused()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("nested"), QStringLiteral("n.vrd"));
    form->OpenProjectFile(project);
    bool again = true;
    m_fake->whileInformationShows = [&](const QString &) {
        if (std::exchange(again, false))
            run(*form); // while the completion message shows, the engine is still loaded
    };
    run(*form);
    QVERIFY(m_fake->messages.size() >= 2);
    QCOMPARE(m_fake->messages[1], QStringLiteral("Attempt to reinitialize DLL"));
    m_fake->whileInformationShows = nullptr;
    checkCompletedRun(*form, project, kExampleCompletion);

    m_fake->messages.clear(); // the refusal left nothing behind
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);
}

void tst_RunCommand::runFromTheToolButtonSavesTheEditsFirst()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("button"), QStringLiteral("button.vrd"));
    form->OpenProjectFile(project);
    form->Project().title = QStringLiteral("Edited before the run");
    form->SetModified(true);
    form->findChild<QAction *>(QStringLiteral("tbRun"))->trigger();
    QVERIFY(test::readFile(project).startsWith("Edited before the run\r\n"));
    QVERIFY(!form->IsModified());
    checkCompletedRun(*form, project, kExampleCompletion);
}

void tst_RunCommand::neverSavedProjectCancelled()
{
    auto form = makeForm();
    QDir::setCurrent(m_dir.path());
    run(*form); // Save As is cancelled: nothing happens, nothing is said
    QCOMPARE(m_fake->saveTitles, QStringList{QStringLiteral("Save NewVorna As")});
    QVERIFY(m_fake->messages.isEmpty());
    QVERIFY(!QFile::exists(path(QStringLiteral("names.dat"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("NewVorna.vrd"))));
    QCOMPARE(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
}

void tst_RunCommand::neverSavedProjectNamedThenRun()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("named"), QStringLiteral("source.vrd"));
    form->OpenProjectFile(project);
    form->Project().fileName = QString::fromLatin1(TProgramData::kNewFileName);
    const QString named =
        QDir(path(QStringLiteral("named"))).filePath(QStringLiteral("chosen.vrd"));
    m_fake->saveAnswers.push_back(named);
    run(*form);
    QVERIFY(QFile::exists(named));
    checkCompletedRun(*form, named, kExampleCompletion);
}

void tst_RunCommand::missingLibraryThenRestored()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("missing"), QStringLiteral("lib.vrd"));
    form->OpenProjectFile(project);
    const QString engineFolder = path(QStringLiteral("engine"));
    QDir().mkpath(engineFolder);
    form->SetEngineFolder(engineFolder); // no library there
    run(*form);
    QCOMPARE(m_fake->messages, QStringList{QStringLiteral("Attempt to initialize DLL failed")});
    QVERIFY(!QFile::exists(withExtension(project, QStringLiteral(".vro"))));
    QVERIFY(!form->ResultsAvailable());
    QVERIFY(!QFile::exists(
        QDir(path(QStringLiteral("missing"))).filePath(QStringLiteral("names.dat"))));

    // Restored, the next run works.
    QVERIFY(QFile::copy(engineLibrary(),
                        QDir(engineFolder).filePath(platform::engineLibraryFileName())));
    m_fake->messages.clear();
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);
}

void tst_RunCommand::brokenLibrary()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("broken"), QStringLiteral("lib.vrd"));
    form->OpenProjectFile(project);
    const QString engineFolder = path(QStringLiteral("broken-engine"));
    QDir().mkpath(engineFolder);
    test::writeFile(QDir(engineFolder).filePath(platform::engineLibraryFileName()),
                    "not a library");
    form->SetEngineFolder(engineFolder);
    run(*form);
    QCOMPARE(m_fake->messages, QStringList{QStringLiteral("Attempt to initialize DLL failed")});
    // The program is still fine: back to the real engine, a run works.
    form->SetEngineFolder(QString());
    m_fake->messages.clear();
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);
}

void tst_RunCommand::commaDecimalLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("comma"), QStringLiteral("comma.vrd"));
    form->OpenProjectFile(project);
    form->Project().FST = 2.25;
    form->SetModified(true);
    run(*form);
    QLocale::setDefault(QLocale::c());
    QVERIFY(test::readFile(project).contains(" 2.25 "));
    QVERIFY(!test::readFile(project).contains("2,25"));
    checkCompletedRun(*form, project, kExampleCompletion);
    const QByteArray report = test::readFile(withExtension(project, QStringLiteral(".vro")));
    QVERIFY(report.contains("2.25"));
}

void tst_RunCommand::commaDecimalCLibraryLocale()
{
    // QApplication takes the C library's locale from the environment. The engine runs in
    // this process under it and must still write "."; the run never changes the setting,
    // not even while the engine is loaded.
    QByteArray comma;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    }
    if (comma.isEmpty())
        QSKIP("no comma-decimal locale is installed");
    QCOMPARE(std::localeconv()->decimal_point[0], ',');

    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("clocale"), QStringLiteral("c.vrd"));
    form->OpenProjectFile(project);
    form->Project().shaftProperties[kBellRatio] = 3.0;
    form->Project().shaftProperties[kBellAngle] = 95.5; // reported back with its number
    form->SetModified(true);
    QByteArray cLocaleDuringRun;
    m_fake->whileInformationShows = [&](const QString &) {
        if (cLocaleDuringRun.isEmpty())
            cLocaleDuringRun = std::setlocale(LC_NUMERIC, nullptr);
    };
    run(*form);
    m_fake->whileInformationShows = nullptr;
    const QByteArray cLocaleAfter = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    QCOMPARE(cLocaleDuringRun, comma); // the completion message shows while the engine is loaded
    QCOMPARE(cLocaleAfter, comma);
    const QByteArray report = test::readFile(withExtension(project, QStringLiteral(".vro")));
    QVERIFY2(report.contains("THE BELL ANGLE IS 95.5 DEGREES"), report.constData());
}

void tst_RunCommand::failedPlotFileAfterARunSaysSo()
{
    // A folder under the plot data file's name: the engine cannot put its plot data there
    // and ends with errors; no graphs are built, the flag and buttons stay off.
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("noplot"), QStringLiteral("np.vrd"));
    form->OpenProjectFile(project);
    QDir().mkpath(withExtension(project, QStringLiteral(".vrp")));
    run(*form);
    QVERIFY(!m_fake->messages.isEmpty());
    QCOMPARE(m_fake->messages[0], QLatin1String(runmessage::kCompletedWithErrors));
    QVERIFY(!form->ResultsAvailable());
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("tbCombine"))->isEnabled());
    QVERIFY(
        !QFile::exists(QDir(path(QStringLiteral("noplot"))).filePath(QStringLiteral("names.dat"))));
}

// A run that cannot write its report (a folder of that name) must not leave the earlier
// run's plot and run-time files, nor show their graphs as its own.
void tst_RunCommand::failedRunShowsNoEarlierGraphs()
{
    auto form = makeForm();
    form->show();
    const QString project = exampleProject(QStringLiteral("stale"), QStringLiteral("st.vrd"),
                                           QStringLiteral("belled_uplift.vrd"));
    form->OpenProjectFile(project);
    run(*form);
    QVERIFY(form->ResultsAvailable());
    form->findChild<QAction *>(QStringLiteral("GraphSkin"))->trigger();
    QCOMPARE(form->MdiArea().subWindowList().size(), 1);

    const QString report = withExtension(project, QStringLiteral(".vro"));
    QFile::remove(report);
    QDir().mkpath(report);
    m_fake->messages.clear();
    run(*form);
    QCOMPARE(m_fake->messages.value(0), QLatin1String(runmessage::kCompletedWithErrors));
    QVERIFY(!form->ResultsAvailable());
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("tbCombine"))->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form->MdiArea().subWindowList().isEmpty()); // the earlier graph went
    QVERIFY(!QFile::exists(withExtension(project, QStringLiteral(".vrp"))));
    QVERIFY(!QFile::exists(withExtension(project, QStringLiteral(".vrr"))));
    form->updateMenus();
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("GraphSkin"))->isEnabled());
}

// names.dat cannot be written (a folder of that name stands in the project's folder): the
// engine must not run on whatever it would find, and the user is told.
void tst_RunCommand::unwritableNamesFileStopsTheRun()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("nonames"), QStringLiteral("nn.vrd"));
    form->OpenProjectFile(project);
    const QString names =
        QDir(path(QStringLiteral("nonames"))).filePath(QStringLiteral("names.dat"));
    QDir().mkpath(names);
    run(*form);
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY2(m_fake->messages[0].startsWith(
                 QStringLiteral(
                     "The file \"%1\" that tells the analysis its files could not be written:\r")
                     .arg(QDir::toNativeSeparators(names))),
             qPrintable(m_fake->messages[0]));
    QVERIFY(m_fake->messages[0].endsWith(QStringLiteral("\rThe analysis was not run.")));
    QVERIFY(!QFile::exists(withExtension(project, QStringLiteral(".vro"))));
    QVERIFY(!form->ResultsAvailable());

    // An old names.dat of another project is replaced, not followed.
    QDir().rmdir(names);
    test::writeFile(
        names,
        namesFileText(QDir(path(QStringLiteral("nonames"))).filePath(QStringLiteral("other.vrd"))));
    m_fake->messages.clear();
    run(*form);
    checkCompletedRun(*form, project, kExampleCompletion);
    QVERIFY(!QFile::exists(
        QDir(path(QStringLiteral("nonames"))).filePath(QStringLiteral("other.vro"))));
}

// A project opened under a result extension would be overwritten by its own report.
void tst_RunCommand::projectUnderAResultExtensionIsNotRun()
{
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("ext"), QStringLiteral("job.vro"));
    const QByteArray before = test::readFile(project);
    form->OpenProjectFile(project);
    run(*form);
    QCOMPARE(m_fake->messages.size(), 1);
    QCOMPARE(m_fake->messages[0],
             QLatin1String(runmessage::kResultExtension).arg(QDir::toNativeSeparators(project)));
    QCOMPARE(test::readFile(project), before);
    QCOMPARE(QDir(path(QStringLiteral("ext"))).entryList(QDir::Files),
             QStringList{QStringLiteral("job.vro")});
}

void tst_RunCommand::failedRunSaysWhy()
{
    // A second layer whose bottom lies above its top stops the engine; the message names the
    // fault as the run-time file has it, below the unchanged message that warns of errors.
    auto form = makeForm();
    const QString project = exampleProject(QStringLiteral("why"), QStringLiteral("why.vrd"));
    form->OpenProjectFile(project);
    TGridTable &layers = form->Tables().SoilLayers();
    QVERIFY(layers.RowCount() >= 2);
    const double firstBottom = layers.Column(kBottomDepthColumn).AsFloat(0);
    layers.Column(kBottomDepthColumn).SetFloat(1, firstBottom / 2);
    form->SetModified(true);
    run(*form);
    QVERIFY(!m_fake->messages.isEmpty());
    const QString completion = m_fake->messages[0];
    const QString expectedStart = QLatin1String(runmessage::kCompletedWithErrors) +
                                  QStringLiteral("\r\rERROR:\rINPUT DATA FILE, LINE 11, VALUE 2: "
                                                 "LAYER 2: THE BOTTOM DEPTH ");
    QVERIFY2(completion.startsWith(expectedStart), qPrintable(completion));
    QVERIFY2(completion.contains(QStringLiteral(" IS ABOVE THE TOP DEPTH ")),
             qPrintable(completion));

    // A run-time file older than the run says nothing of it.
    const QString runtime = withExtension(project, QStringLiteral(".vrr"));
    QCOMPARE(completionMessage(1, project, QFileInfo(runtime).lastModified().addSecs(60)),
             QLatin1String(runmessage::kCompletedWithErrors));
    QCOMPARE(completionMessage(0, project, QDateTime()), kNormalCompletion);
}

void tst_RunCommand::graphsOfARun_data()
{
    QTest::addColumn<QString>("example");
    QTest::addColumn<int>("kls");
    QTest::addColumn<QStringList>("lineNames");
    QTest::newRow("rock tip without load-settlement bounds")
        << "rock_socket_design_depth.vrd" << 0
        << QStringList{"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft", "Dia=4.5 ft", "Dia=5 ft"};
    QTest::newRow("belled shaft in uplift with bounds")
        << "belled_uplift.vrd" << 3 << QStringList{"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft"};
}

// A real run, then every Graphics item: the enabled ones show their graph with one line per
// diameter, the bound graphs stay dark without load-settlement bounds. Opening the project
// later builds the same graphs from its plot data file without a run.
void tst_RunCommand::graphsOfARun()
{
    QFETCH(QString, example);
    QFETCH(int, kls);
    QFETCH(QStringList, lineNames);
    auto form = makeForm();
    form->show();
    const QString project = exampleProject(QStringLiteral("graphs"), example, example);
    form->OpenProjectFile(project);
    QVERIFY(!form->ResultsAvailable());
    run(*form);
    checkCompletedRun(*form, project, kNormalCompletion);
    QVERIFY(form->ResultsAvailable());
    QCOMPARE(form->Project().KLS, kls);

    const char *const items[] = {"GraphSkin",    "GraphTip",      "GraphTotal",
                                 "GraphFSSkin",  "GraphFSTip",    "GraphFSTotal",
                                 "GraphCombine", "GraphCombineD", "GraphAxial",
                                 "GraphUpper",   "GraphLower",    "GraphCombinedSettle"};
    form->updateMenus();
    int shown = 0;
    for (int i = 0; i < kResultGraphCount; ++i) {
        const auto id = static_cast<ResultGraphId>(i);
        const bool bound = id == ResultGraphId::Upper || id == ResultGraphId::Lower ||
                           id == ResultGraphId::CombinedSettlement;
        QAction *item = form->findChild<QAction *>(QLatin1String(items[i]));
        QCOMPARE(item->isEnabled(), !bound || kls != 0);
        if (!item->isEnabled())
            continue;
        item->trigger();
        ++shown;
        QMdiSubWindow *frame = form->MdiArea().activeSubWindow();
        QVERIFY2(frame, items[i]);
        auto *window = qobject_cast<TPlotForm *>(frame->widget());
        QVERIFY2(window, items[i]);
        QCOMPARE(&window->Graph(), &form->Graphs().Graph(id));
        QVERIFY(window->isVisible());
    }
    QCOMPARE(form->MdiArea().subWindowList().size(), shown);
    // The bound graphs have nothing to show without bounds, whoever asks.
    form->ShowResultGraph(ResultGraphId::Upper);
    QCOMPARE(form->MdiArea().subWindowList().size(), shown);

    // The tool button shows the open window again rather than a second one.
    form->findChild<QAction *>(QStringLiteral("tbCombine"))->trigger();
    QCOMPARE(form->MdiArea().subWindowList().size(), shown);
    QCOMPARE(form->MdiArea().activeSubWindow()->widget(),
             form->GraphWindow(ResultGraphId::Combine));

    const TGraphPlot &skin = form->Graphs().Graph(ResultGraphId::Skin);
    QStringList names;
    for (int i = 0; i < skin.LineCount(); ++i)
        names << skin.LineName(i);
    QCOMPARE(names, lineNames);
    QVERIFY(skin.PointCount() > 2);

    // Opened later, the project's plot data file gives the same graphs at once.
    auto reopened = makeForm();
    reopened->OpenProjectFile(project);
    QVERIFY(m_fake->messages.isEmpty());
    QVERIFY(reopened->ResultsAvailable());
    QCOMPARE(reopened->Project().KLS, kls);
    QCOMPARE(reopened->Graphs().Graph(ResultGraphId::Skin).LineCount(), lineNames.size());
    QCOMPARE(reopened->Graphs().Graph(ResultGraphId::Skin).PointCount(), skin.PointCount());
    QVERIFY(reopened->findChild<QAction *>(QStringLiteral("tbAxial"))->isEnabled());
}

// Offscreen also when started outside ctest.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_RunCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_run_command.moc"
