// The desktop program's main window: an MDI frame that owns the project and its tables,
// the menus and tool bar, the file commands, the recent-files list, the settings, the text
// viewer commands and the Run command.
#pragma once

#include "app_settings.h"
#include "program_data.h"
#include "program_tables.h"
#include "project_file.h"
#include "recent_files.h"
#include "result_graphs.h"
#include "user_interaction.h"
#include "window_factory.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QFileDevice;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace vorna {

class ChildWindow;
struct MenuItem;
class RunCommand;
class TAboutBox;
class TDlgSideView;
class TPlotForm;
class TTableForm;

// Moves a new child window wholly inside its MDI area where it can, once its own layout
// has set its final size.
void moveIntoArea(QMdiSubWindow *frame);

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // commandLineArgument: the project named on the command line, or empty. The settings
    // and the user interaction default to the user's own; tests pass their own.
    explicit TMainForm(QString commandLineArgument = {},
                       std::unique_ptr<AppSettings> settings = nullptr,
                       std::unique_ptr<UserInteraction> interaction = nullptr,
                       QWidget *parent = nullptr);
    ~TMainForm() override;

    TProgramData &Project() { return m_project; }
    const TProgramData &Project() const { return m_project; }
    ProgramTables &Tables() { return *m_tables; }
    ResultGraphs &Graphs() { return m_graphs; }
    UserInteraction &Interaction() { return *m_interaction; }
    QMdiArea &MdiArea() { return *m_mdiArea; }

    // The project's modified flag or'ed with its tables'. false also clears the tables'.
    bool IsModified() const;
    void SetModified(bool modified);

    const QString &WordProcessor() const { return m_wordProcessor; }
    // The setting itself, which the control options dialog edits in place.
    QString &WordProcessor() { return m_wordProcessor; }
    void SetWordProcessor(const QString &program) { m_wordProcessor = program; }
    const RecentFiles &Recent() const { return m_recent; }
    bool ResultsAvailable() const { return m_resultsAvailable; }
    // The measured curve kept beside the project (NAME.loadtest.csv) in the project's units,
    // when the project has one that could be read.
    std::optional<LoadTestCurve> LoadTest() const;

    // Folder of the engine library: the program's own, unless a test points elsewhere.
    QString EngineFolder() const;
    void SetEngineFolder(const QString &folder) { m_engineFolder = folder; }
    // The step of every save that puts the bytes on the disk: a test's stand-in for a disk
    // that fails; empty for the real one.
    void SetSaveFlush(std::function<bool(QFileDevice &)> flush) { m_saveFlush = std::move(flush); }

    // Stores the fields of the active child window into the project; false when the child
    // refuses (an invalid entry), and the command that asked then does nothing.
    bool CommitActiveChild();

    // Data windows: created on first use, then brought to the front.
    void ShowDataWindow(DataWindow kind);
    // Closes the window, which stores its values; false when it refused (an invalid entry).
    bool CloseDataWindow(DataWindow kind);
    ChildWindow *DataWindowIfOpen(DataWindow kind) const;
    TDlgSideView *SideView() const;
    // Shows a result graph in its window, created on first use; nothing while the graph
    // has no results or its axes cannot be scaled.
    void ShowResultGraph(ResultGraphId graph);
    // The graph's window while it is open, else nullptr.
    TPlotForm *GraphWindow(ResultGraphId graph) const;

    // Opens a project file: the project is replaced, its folder becomes current, results
    // are read when its plot data file exists, and it enters the recent-files list.
    void OpenProjectFile(const QString &fileName, ProjectLayout layout = ProjectLayout::Current,
                         bool enterRecent = true);

    // The save-changes query: true when the command that asks may go on.
    bool QuerySaveChanges();

    // The menu state rules, applied when a menu opens.
    void updateMenus();

public slots:
    void FileNewClick();
    void FileOpenClick();
    void FileSaveClick();
    void FileSaveAsClick();
    // File > Export Calculation Package...: the PDF of the project's input and last results.
    void FileExportPackageClick();
    void CompRunClick();
    void CompEditInputClick();
    void CompEditNotesClick();
    void CompEditOutputClick();
    void CompSideViewClick();
    // Graphics > Load Test...: choose, replace or remove the measured curve.
    void GraphLoadTestClick();

signals:
    // The project was replaced (New, Open) or converted to other units; open data windows
    // reload their fields.
    void projectChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    // The menus are a table of items; createMenus walks it.
    void createMenus();
    void addMenuItems(QMenu *menu, const std::vector<MenuItem> &items);
    void addRecentFileSlots(QMenu *menu);
    void addResultGraphItems(QMenu *menu);
    void addWindowSlots(QMenu *menu);
    void arrangeIcons();
    void showWindowSlot(int index);
    void createToolBar();
    QAction *addAction(QMenu *menu, const char *objectName, const QString &text,
                       std::function<void()> command, bool commitFirst = true);
    // Runs a command: the active child commits first, and no exception leaves the slot.
    void runCommand(const std::function<void()> &command, bool commitFirst = true);

    void firstShow();
    void readSettings();
    void writeSettings();
    void enterRecentFile(const QString &fileName);
    void updateRecentFileSlots();
    void updateWindowList();
    void cascadeChildWindows();
    // At the first showing: as large as the largest data window needs, where the screen
    // has the room.
    void fitToLargestDataWindow();
    void openRecentFile(int index);
    void openDroppedFile(const QString &fileName);

    void newProject();
    // False when the file could not be opened; the current project then stays.
    // resultsAfterFirstPaint: the project named on the command line shows at once, and its
    // results are read once the window has been painted.
    bool loadProject(const QString &fileName, ProjectLayout layout,
                     bool resultsAfterFirstPaint = false);
    // False when the user cancelled Save As or the file could not be written.
    bool saveProject();
    bool saveProjectAs();
    // Yes when the project may replace its file (a backup is kept where the file held what
    // the project does not), No to save under another name instead, Cancel to save nothing.
    UserInteraction::SaveAnswer confirmReplacingProjectFile();
    // Writes the project under its name; false after the message when that failed.
    bool writeProject();
    void setCaption();
    void setResultsAvailable(bool available);
    void readResultsIfPresent(bool freshRun);
    // Reads NAME.loadtest.csv of the project just opened; a file that cannot be read is
    // left as it is and said so, and no curve is drawn.
    void readLoadTestIfPresent();
    bool chooseLoadTest(const QString &fileName, const LoadTestUnits &units);
    void removeLoadTest();
    // Keeps the load test beside a project saved under a new name.
    void keepLoadTestBeside(const QString &projectFileName);
    void viewInWordProcessor(const QString &fileName);
    void showInTextViewer(const QString &fileName, const QString &note);
    void openHelpDocument(const QString &fileName);
    void checkForUpdates();

    void setUnits(UnitSystem system);
    void setDesignMethod(DesignMethod method);
    void specifyShaftLength();
    void specifyDesignLoad();
    void setDesignControl(DesignControl control);
    // Every open data and table window loads the project's values again.
    void refreshChildWindows();
    // After New and Open: the soil layer window shows the new project's rows from the top,
    // with the columns and comments of its design method.
    void showTablesAfresh();
    QMdiSubWindow *addChildWindow(QWidget *window);
    // The soil layer table's window while it is open, else nullptr.
    TTableForm *soilLayersWindow() const;

    QString m_commandLineArgument;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<UserInteraction> m_interaction;
    std::unique_ptr<ProgramTables> m_tables;
    // Replaced only by assignment: open dialogs hold references to it and to the word
    // processor.
    TProgramData m_project;
    QString m_wordProcessor;
    ResultGraphs m_graphs;
    RecentFiles m_recent;
    bool m_resultsAvailable = false;
    // Counts every change of the results (read, cleared, a run); a read waiting for the
    // first paint is made only while the count is still the one it was planned at.
    int m_resultsGeneration = 0;
    std::optional<int> m_resultsAfterPaint;
    // The kept load test's file content (it names its own units), empty without one.
    QByteArray m_loadTestCsv;
    bool m_firstShowDone = false;
    QString m_engineFolder;
    std::function<bool(QFileDevice &)> m_saveFlush;
    std::unique_ptr<RunCommand> m_runCommand;

    QMdiArea *m_mdiArea = nullptr;
    TAboutBox *m_aboutBox = nullptr;
    // The data windows, the soil layer table's among them; a pointer is set while its
    // window exists.
    std::map<DataWindow, QPointer<ChildWindow>> m_dataWindows;
    QPointer<QMdiSubWindow> m_sideView;
    // The result graphs' windows; a pointer is set while its window exists.
    std::map<ResultGraphId, QPointer<TPlotForm>> m_graphWindows;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_dataMenu = nullptr;
    QMenu *m_computationMenu = nullptr;
    QMenu *m_graphicsMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    std::vector<QAction *> m_recentSlots;
    QAction *m_recentSeparator = nullptr;
    std::vector<QAction *> m_windowSlots;
    QAction *m_windowSeparator = nullptr;
    std::vector<QAction *> m_graphActions;
    std::vector<QAction *> m_resultToolActions;
    QAction *m_unitsEnglish = nullptr;
    QAction *m_unitsSi = nullptr;
    QAction *m_methodAsd = nullptr;
    QAction *m_methodLrfd = nullptr;
    QAction *m_specifyLength = nullptr;
    QAction *m_specifyLoad = nullptr;
    QAction *m_factorOfSafety = nullptr;
    QAction *m_editInput = nullptr;
    QAction *m_editNotes = nullptr;
    QAction *m_editOutput = nullptr;
};

} // namespace vorna
