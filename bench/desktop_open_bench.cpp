// The desktop's main window on a project, from its construction to its first painted widget:
// without the plot data file beside the project, and with it (the result graphs are then
// built before the window shows). Then a Run of the same project through the window, whose
// time holds the engine's run and the building of the graphs from its plot data file.
//     desktop_open_bench PROJECT.vrd [RUNS]
// The project's folder must hold its .vrp; the benchmark works on copies in a temporary
// folder. Runs are interleaved; medians are printed.
//     desktop_open_bench --once [--graphs] PROJECT.vrd
// starts as the program does, shows the window on the project and ends at its first paint
// (with --graphs, once the result graphs are built too), so that a script can time whole
// starts (bench/desktop_open.sh).
#include "app_settings.h"
#include "fake_interaction.h"
#include "main_window.h"
#include "run_command.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#ifdef __unix__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

using vorna::AppSettings;
using vorna::TMainForm;

// Notes when the first paint event reaches a widget of the watched window (what the window
// does after its first paint, such as building graphs, is not counted to it). With
// `exitAtPaint` the process ends there, for timings of whole starts.
class FirstPaint : public QObject {
public:
    QWidget *window = nullptr;
    const QElapsedTimer *timer = nullptr;
    bool painted = false;
    double paintedAtMs = -1.0;
    bool exitAtPaint = false;

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (!painted && window && event->type() == QEvent::Paint) {
            auto *widget = qobject_cast<QWidget *>(object);
            if (widget && widget->window() == window) {
                painted = true;
                paintedAtMs = static_cast<double>(timer->nsecsElapsed()) / 1e6;
                if (exitAtPaint)
                    std::_Exit(0);
            }
        }
        return false;
    }
};

std::unique_ptr<TMainForm> makeForm(const QString &project, const QString &settingsFile)
{
    return std::make_unique<TMainForm>(project, std::make_unique<AppSettings>(settingsFile),
                                       std::make_unique<vorna::test::FakeInteraction>());
}

// Milliseconds from the window's construction on the project to its first paint, or with
// `graphs` until the result graphs are built too.
double timeToFirstPaint(const QString &project, const QString &settingsFile, FirstPaint &watch,
                        bool graphs = false)
{
    QElapsedTimer timer;
    timer.start();
    watch.timer = &timer;
    watch.painted = false;
    auto form = makeForm(project, settingsFile);
    watch.window = form.get();
    form->show();
    const auto done = [&] { return watch.painted && (!graphs || form->ResultsAvailable()); };
    while (!done() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = graphs ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : watch.paintedAtMs;
    watch.window = nullptr;
    return done() ? ms : -1.0;
}

// Milliseconds of one Run through the window's command, the graphs built included.
double timeOfRun(TMainForm &form)
{
    QElapsedTimer timer;
    timer.start();
    form.findChild<QAction *>(QStringLiteral("CompRun"))->trigger();
    QCoreApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Sends standard output to the null device while it lives (the engine writes its console
// lines there during a Run).
class QuietStdout {
public:
    QuietStdout()
    {
#ifdef __unix__
        m_saved = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (m_saved >= 0 && null >= 0)
            dup2(null, STDOUT_FILENO);
        if (null >= 0)
            close(null);
#endif
    }
    ~QuietStdout()
    {
#ifdef __unix__
        std::fflush(stdout);
        if (m_saved >= 0) {
            dup2(m_saved, STDOUT_FILENO);
            close(m_saved);
        }
#endif
    }
    QuietStdout(const QuietStdout &) = delete;
    QuietStdout &operator=(const QuietStdout &) = delete;

private:
    int m_saved = -1;
};

// Qt's notes of the offscreen platform ("does not support propagateSizeHints()") are not
// figures of the benchmark.
void dropQtMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool copyProject(const QFileInfo &project, const QString &folder, bool withResults)
{
    QDir().mkpath(folder);
    QStringList suffixes{QStringLiteral("vrd")};
    if (withResults)
        suffixes << QStringLiteral("vro") << QStringLiteral("vrp") << QStringLiteral("vrr");
    for (const QString &suffix : suffixes) {
        const QString from = project.dir().filePath(project.completeBaseName() + '.' + suffix);
        if (!QFile::copy(from, QDir(folder).filePath(QFileInfo(from).fileName())))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool once = argc >= 2 && std::strcmp(argv[1], "--once") == 0;
    const bool onceGraphs = once && argc == 4 && std::strcmp(argv[2], "--graphs") == 0;
    if (argc < 2 || (once && argc != 3 && !onceGraphs)) {
        std::fprintf(stderr, "usage: desktop_open_bench PROJECT.vrd [RUNS]\n"
                             "       desktop_open_bench --once [--graphs] PROJECT.vrd\n");
        return 2;
    }
    qInstallMessageHandler(dropQtMessages);
    QApplication app(argc, argv);
    if (once) {
        QTemporaryDir work;
        FirstPaint watch;
        watch.exitAtPaint = !onceGraphs;
        app.installEventFilter(&watch);
        const double ms =
            timeToFirstPaint(QString::fromLocal8Bit(argv[argc - 1]),
                             work.filePath(QStringLiteral("settings.ini")), watch, onceGraphs);
        return ms < 0 ? 1 : 0;
    }
    const QFileInfo project(QString::fromLocal8Bit(argv[1]));
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 21;
    QTemporaryDir work;
    const QString bare = work.filePath(QStringLiteral("bare"));
    const QString full = work.filePath(QStringLiteral("full"));
    if (!copyProject(project, bare, false) || !copyProject(project, full, true)) {
        std::fprintf(stderr, "desktop_open_bench: cannot copy %s and its results\n", argv[1]);
        return 1;
    }
    const QString settings = work.filePath(QStringLiteral("settings.ini"));
    const QString bareProject = QDir(bare).filePath(project.fileName());
    const QString fullProject = QDir(full).filePath(project.fileName());

    FirstPaint watch;
    app.installEventFilter(&watch);
    std::vector<double> without, with, graphs;
    timeToFirstPaint(bareProject, settings, watch); // warm the caches once
    for (int i = 0; i < runs; ++i) {
        without.push_back(timeToFirstPaint(bareProject, settings, watch));
        with.push_back(timeToFirstPaint(fullProject, settings, watch));
        graphs.push_back(timeToFirstPaint(fullProject, settings, watch, true));
    }
    if (std::min({median(without), median(with), median(graphs)}) < 0) {
        std::fprintf(stderr, "desktop_open_bench: the window was not painted\n");
        return 1;
    }
    std::printf("first painted window, medians of %d interleaved:\n", runs);
    std::printf("  without its plot data file  %7.1f ms\n", median(without));
    std::printf("  with it                     %7.1f ms  (ratio %.2f)\n", median(with),
                median(with) / median(without));
    std::printf("  with it, graphs built       %7.1f ms  (ratio %.2f)\n", median(graphs),
                median(graphs) / median(without));

    auto form = makeForm(fullProject, settings);
    form->show();
    QCoreApplication::processEvents();
    std::vector<double> runTimes;
    auto &fake = static_cast<vorna::test::FakeInteraction &>(form->Interaction());
    std::fflush(stdout);
    {
        const QuietStdout quiet; // the engine's console lines
        for (int i = 0; i < runs; ++i)
            runTimes.push_back(timeOfRun(*form));
    }
    for (const QString &message : fake.messages) {
        if (message != QLatin1String(vorna::runmessage::kCompleted)) {
            std::fprintf(stderr, "desktop_open_bench: the Run said: %s\n", qPrintable(message));
            return 1;
        }
    }
    std::printf("Run through the window (engine and graphs), median of %d: %.1f ms\n", runs,
                median(runTimes));
    return 0;
}
