// The main window's frame: menus, tool bar, menu state rules, child windows and help.
// The file commands are in main_window_files.cpp, the Run command in run_command.cpp.
#include "main_window.h"

#include "about_box.h"
#include "child_window.h"
#include "engine_loader.h"
#include "file_names.h"
#include "platform/platform.h"
#include "plot_form.h"
#include "run_command.h"
#include "side_view.h"
#include "table_form.h"
#include "tool_icons.h"
#include "user_interaction.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMetaObject>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace vorna {

namespace {

constexpr int kWindowSlots = 50;
// The smallest size a cascade leaves a child window, so that it still shows something.
constexpr QSize kUsableChildSize(240, 180);

const char *const kUpdatesText =
    "This is VORNA version " VORNA_VERSION ".\rAsk the supplier of your copy whether a newer "
    "version is available.";

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// The name a child window is listed by: what it shows, never a passing read-out of the
// pointer's position in its caption.
QString childWindowName(const QMdiSubWindow *frame)
{
    if (const auto *graph = qobject_cast<const TPlotForm *>(frame->widget()))
        return graph->Graph().DisplayName();
    if (qobject_cast<const TDlgSideView *>(frame->widget()))
        return QString::fromLatin1(TDlgSideView::kCaption);
    return frame->windowTitle();
}

} // namespace

// A new child window lies wholly inside the area where it can: the area places it in free
// space, which may run past the bottom or the right edge. A window larger than the area
// keeps its top-left corner in view. This waits for the window's own layout, which sets its
// final size.
void moveIntoArea(QMdiSubWindow *frame)
{
    if (!frame)
        return;
    QMetaObject::invokeMethod(
        frame,
        [frame] {
            if (!frame->mdiArea())
                return;
            const QRect room = frame->mdiArea()->viewport()->rect();
            QRect place = frame->geometry();
            place.moveRight(std::min(place.right(), room.right()));
            place.moveBottom(std::min(place.bottom(), room.bottom()));
            place.moveLeft(std::max(place.left(), room.left()));
            place.moveTop(std::max(place.top(), room.top()));
            frame->move(place.topLeft());
        },
        Qt::QueuedConnection);
}

namespace {

// For its lifetime no child window of the area stores its fields when it loses the focus.
class CommitHold {
public:
    explicit CommitHold(QMdiArea &area)
    {
        for (QMdiSubWindow *frame : area.subWindowList()) {
            if (auto *window = qobject_cast<ChildWindow *>(frame->widget())) {
                window->holdCommits(true);
                m_windows.emplace_back(window);
            }
        }
    }
    ~CommitHold()
    {
        for (const QPointer<ChildWindow> &window : m_windows) {
            if (window)
                window->holdCommits(false);
        }
    }
    CommitHold(const CommitHold &) = delete;
    CommitHold &operator=(const CommitHold &) = delete;

private:
    std::vector<QPointer<ChildWindow>> m_windows;
};

} // namespace

TMainForm::TMainForm(QString commandLineArgument, std::unique_ptr<AppSettings> settings,
                     std::unique_ptr<UserInteraction> interaction, QWidget *parent)
    : QMainWindow(parent), m_commandLineArgument(std::move(commandLineArgument)),
      m_settings(settings ? std::move(settings) : std::make_unique<AppSettings>()),
      m_interaction(interaction ? std::move(interaction) : std::make_unique<DesktopInteraction>()),
      m_tables(std::make_unique<ProgramTables>())
{
    setObjectName(QStringLiteral("MainForm"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    // A child window larger than the area (a small screen, a large scale factor) is
    // reached by scrolling the area.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        runCommand(
            [&] {
                if (window && window == m_sideView)
                    SideView()->Rebuild();
                updateMenus();
            },
            false);
    });
    // An open elevation view follows a new project at once, in front or not.
    connect(this, &TMainForm::projectChanged, this, [this] {
        if (m_sideView)
            SideView()->Rebuild();
    });
    // An open dialog must show the new values, or it would store the old ones when left.
    connect(this, &TMainForm::projectChanged, this, &TMainForm::refreshChildWindows);
    setAcceptDrops(true);

    m_wordProcessor = m_settings->WordProcessor();
    if (m_wordProcessor.isEmpty())
        m_wordProcessor = platform::defaultWordProcessor();

    createActions();
    m_aboutBox = new TAboutBox(this);
    // The graph windows' messages take the same way as the main window's, so a test that
    // answers for the user sees them too.
    GraphInteraction graphInteraction;
    graphInteraction.information = [this](QWidget *owner, const QString &text) {
        m_interaction->Information(owner ? owner : this, text);
    };
    m_graphs.SetInteraction(graphInteraction);
    m_project = TProgramData::CreateNew(*m_tables);
    m_runCommand = std::make_unique<RunCommand>(RunCommand::Host{
        [this](const QString &text) { m_interaction->Information(this, text); },
        [this] { return m_project.fileName; },
        [this] { return saveProject(); },
        [this] { return EngineFolder(); },
        [this](bool wroteResults) {
            if (wroteResults)
                readResultsIfPresent(true);
            else
                setResultsAvailable(false);
            updateMenus();
        },
    });
    setCaption();
    resize(900, 650);
}

TMainForm::~TMainForm()
{
    // The child windows go first, while the project and tables they show still exist, and
    // without telling this window of activations any more.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    delete m_mdiArea;
}

QAction *TMainForm::addAction(QMenu *menu, const char *objectName, const QString &text,
                              std::function<void()> command, bool commitFirst)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    connect(action, &QAction::triggered, this, [this, command = std::move(command), commitFirst] {
        runCommand(command, commitFirst);
    });
    if (menu)
        menu->addAction(action);
    return action;
}

void TMainForm::CompRunClick()
{
    m_runCommand->Run();
}

void TMainForm::runCommand(const std::function<void()> &command, bool commitFirst)
{
    try {
        if (commitFirst && !CommitActiveChild())
            return;
        command();
    } catch (const EVornaError &e) {
        m_interaction->Information(this, e.message());
    } catch (const std::exception &e) {
        m_interaction->Information(this, QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::createActions()
{
    createMenus();
    createToolBar();
}

// What an entry of a menu table stands for.
enum class MenuEntry {
    Command,
    Separator,
    Choices,      // a submenu of exclusive choices, each checkable
    RecentFiles,  // the recent-file slots, then a separator
    ResultGraphs, // one item per result graph, in their groups
    WindowList,   // a separator, then one slot per child window
};

struct MenuItem {
    MenuEntry entry;
    const char *name = nullptr; // object name of the action or submenu
    const char *text = nullptr;
    std::function<void()> command = {};
    QAction **kept = nullptr; // where the main window keeps the action
    QKeySequence shortcut = {};
    bool commitFirst = true;
    std::vector<MenuItem> choices = {};
};

namespace {

// A menu of the menu bar and its items.
struct TopMenu {
    const char *name;
    const char *text;
    QMenu **kept;
    // Menus that lead to commands on project data commit the active child as they open.
    bool commitsOnOpen;
    std::vector<MenuItem> items;
};

} // namespace

void TMainForm::createMenus()
{
    using E = MenuEntry;
    const MenuItem separator{E::Separator};
    const TopMenu menus[] = {
        {"FileMenu",
         "&File",
         &m_fileMenu,
         true,
         {
             {E::Command, "FileNew", "&New", [this] { FileNewClick(); }, nullptr,
              QKeySequence(Qt::CTRL | Qt::Key_N)},
             {E::Command, "FileOpen", "&Open...", [this] { FileOpenClick(); }, nullptr,
              QKeySequence(Qt::CTRL | Qt::Key_O)},
             {E::Command, "FileSave", "&Save", [this] { FileSaveClick(); }, nullptr,
              QKeySequence(Qt::CTRL | Qt::Key_S)},
             {E::Command, "FileSaveAs", "Save &As...", [this] { FileSaveAsClick(); }},
             separator,
             {E::Command, "FileExportPackage", "Export &Calculation Package...",
              [this] { FileExportPackageClick(); }},
             separator,
             {E::RecentFiles},
             {E::Command, "FileExit", "E&xit", [this] { close(); }, nullptr, {}, false},
         }},
        {"DataMenu",
         "Da&ta",
         &m_dataMenu,
         true,
         {
             {E::Command, "DataTitle", "&Title", [this] { ShowDataWindow(DataWindow::Title); }},
             {E::Choices,
              "UnitsMenu",
              "&Units",
              {},
              nullptr,
              {},
              true,
              {
                  {E::Command, "UnitsEnglish", "&English Units (lbs, in)",
                   [this] { setUnits(UnitSystem::English); }, &m_unitsEnglish},
                  {E::Command, "UnitsSI", "&SI Units (kN, m)", [this] { setUnits(UnitSystem::SI); },
                   &m_unitsSi},
              }},
             {E::Choices,
              "DesignMethodMenu",
              "Design Method (ASD or LRFD)",
              {},
              nullptr,
              {},
              true,
              {
                  {E::Command, "MethodASD", "ASD (Allowable Stress Design)",
                   [this] { setDesignMethod(DesignMethod::AllowableStress); }, &m_methodAsd},
                  {E::Command, "MethodLRFD", "LRFD (Load Resistance Factor Design)",
                   [this] { setDesignMethod(DesignMethod::Lrfd); }, &m_methodLrfd},
              }},
             {E::Command, "DataShaft", "&Drilled-Shaft Properties",
              [this] { ShowDataWindow(DataWindow::ShaftProperties); }},
             {E::Command, "DataSoilLayers", "Soil &Layer Data",
              [this] { ShowDataWindow(DataWindow::SoilLayers); }},
             {E::Command, "DataFS", "&Factor of Safety (Allowable Stress Design)",
              [this] { ShowDataWindow(DataWindow::FactorOfSafety); }, &m_factorOfSafety},
             {E::Choices,
              "ComputationMethodsMenu",
              "&Computation Methods",
              {},
              nullptr,
              {},
              true,
              {
                  {E::Command, "SpecifyLength", "Specify the shaft length",
                   [this] { specifyShaftLength(); }, &m_specifyLength},
                  {E::Command, "SpecifyLoad", "Specify the design load",
                   [this] { specifyDesignLoad(); }, &m_specifyLoad},
              }},
             {E::Command, "DataWaterTable", "&Water Table",
              [this] { ShowDataWindow(DataWindow::WaterTable); }},
             separator,
             {E::Command, "DataOptions", "Control &Options...",
              [this] { ShowDataWindow(DataWindow::ControlOptions); }},
         }},
        {"ComputationMenu",
         "&Computation",
         &m_computationMenu,
         true,
         {
             {E::Command, "CompRun", "&Run Analysis", [this] { CompRunClick(); }},
             separator,
             {E::Command, "CompEditInput", "Edit I&nput Text", [this] { CompEditInputClick(); },
              &m_editInput},
             {E::Command, "CompEditNotes", "Edit &Processor-Run Notes",
              [this] { CompEditNotesClick(); }, &m_editNotes},
             {E::Command, "CompEditOutput", "Edit &Output Text", [this] { CompEditOutputClick(); },
              &m_editOutput},
             separator,
             {E::Command, "CompSideView", "&View Shaft Elevation", [this] { CompSideViewClick(); }},
         }},
        {"GraphicsMenu",
         "&Graphics",
         &m_graphicsMenu,
         false,
         {
             {E::ResultGraphs},
             separator,
             {E::Command, "GraphLoadTest", "&Load Test...", [this] { GraphLoadTestClick(); }},
         }},
        {"WindowMenu",
         "&Window",
         &m_windowMenu,
         false,
         {
             {E::Command,
              "WindowCascade",
              "&Cascade",
              [this] { cascadeChildWindows(); },
              nullptr,
              {},
              false},
             {E::Command,
              "WindowArrange",
              "&Arrange Icons",
              [this] { arrangeIcons(); },
              nullptr,
              {},
              false},
             {E::WindowList},
         }},
        {"HelpMenu",
         "&Help",
         &m_helpMenu,
         true,
         {
             {E::Command, "HelpContents", "&Contents",
              [this] { openHelpDocument(platform::helpContentsFileName()); }},
             {E::Command, "HelpUsersManual", "&User's Manual",
              [this] { openHelpDocument(platform::usersManualFileName()); }},
             {E::Command, "HelpTechnicalManual", "&Technical Manual",
              [this] { openHelpDocument(platform::technicalManualFileName()); }},
             separator,
             {E::Command, "HelpAbout", "&About...", [this] { m_aboutBox->exec(); }},
             {E::Command, "HelpCheckUpdates", "&Check for Updates", [this] { checkForUpdates(); }},
         }},
    };
    for (const TopMenu &top : menus) {
        QMenu *menu = menuBar()->addMenu(s(top.text));
        menu->setObjectName(QLatin1String(top.name));
        *top.kept = menu;
        addMenuItems(menu, top.items);
        if (top.commitsOnOpen)
            connect(menu, &QMenu::aboutToShow, this, [this] { CommitActiveChild(); });
        connect(menu, &QMenu::aboutToShow, this, &TMainForm::updateMenus);
    }
}

void TMainForm::addMenuItems(QMenu *menu, const std::vector<MenuItem> &items)
{
    for (const MenuItem &item : items) {
        switch (item.entry) {
        case MenuEntry::Command: {
            QAction *action =
                addAction(menu, item.name, s(item.text), item.command, item.commitFirst);
            if (!item.shortcut.isEmpty())
                action->setShortcut(item.shortcut);
            if (item.kept)
                *item.kept = action;
            break;
        }
        case MenuEntry::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Choices: {
            QMenu *choices = menu->addMenu(s(item.text));
            choices->setObjectName(QLatin1String(item.name));
            addMenuItems(choices, item.choices);
            auto *group = new QActionGroup(this);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            for (QAction *action : choices->actions()) {
                action->setCheckable(true);
                group->addAction(action);
            }
            break;
        }
        case MenuEntry::RecentFiles:
            addRecentFileSlots(menu);
            break;
        case MenuEntry::ResultGraphs:
            addResultGraphItems(menu);
            break;
        case MenuEntry::WindowList:
            addWindowSlots(menu);
            break;
        }
    }
}

void TMainForm::addRecentFileSlots(QMenu *menu)
{
    for (int i = 0; i < RecentFiles::kSize; ++i) {
        const QByteArray name = "FileRecent" + QByteArray::number(i + 1);
        QAction *slot =
            addAction(menu, name.constData(), QString(), [this, i] { openRecentFile(i); });
        slot->setVisible(false);
        m_recentSlots.push_back(slot);
    }
    m_recentSeparator = menu->addSeparator();
}

void TMainForm::addResultGraphItems(QMenu *menu)
{
    // The graphs hold their item texts; the actions keep the main window's own names.
    const char *const actionNames[kResultGraphCount] = {
        "GraphSkin",  "GraphTip",     "GraphTotal",   "GraphFSSkin",
        "GraphFSTip", "GraphFSTotal", "GraphCombine", "GraphCombineD",
        "GraphAxial", "GraphUpper",   "GraphLower",   "GraphCombinedSettle",
    };
    for (int i = 0; i < kResultGraphCount; ++i) {
        const auto graph = static_cast<ResultGraphId>(i);
        if (graph == ResultGraphId::FactoredSkin || graph == ResultGraphId::Combine ||
            graph == ResultGraphId::Axial)
            menu->addSeparator();
        m_graphActions.push_back(addAction(menu, actionNames[i], resultGraphMenuText(graph),
                                           [this, graph] { ShowResultGraph(graph); }));
    }
}

void TMainForm::addWindowSlots(QMenu *menu)
{
    m_windowSeparator = menu->addSeparator();
    for (int i = 0; i < kWindowSlots; ++i) {
        const QByteArray name = "WindowSlot" + QByteArray::number(i + 1);
        QAction *slot = addAction(
            menu, name.constData(), QString(), [this, i] { showWindowSlot(i); }, false);
        slot->setVisible(false);
        m_windowSlots.push_back(slot);
    }
}

// Minimized child windows line up along the bottom of the frame.
void TMainForm::arrangeIcons()
{
    int x = 0;
    for (QMdiSubWindow *child : m_mdiArea->subWindowList()) {
        if (!child->isMinimized())
            continue;
        child->move(x, m_mdiArea->viewport()->height() - child->height());
        x += child->width();
    }
}

void TMainForm::showWindowSlot(int index)
{
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList();
    if (index < children.size()) {
        children[index]->showNormal();
        m_mdiArea->setActiveSubWindow(children[index]);
    }
}

void TMainForm::createToolBar()
{
    QToolBar *bar = addToolBar(s("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    const QStyle &st = *style();
    struct Button {
        const char *name;
        const char *hint;
        ToolIcon icon;
        std::function<void()> command;
        bool commitFirst;
    };
    const Button buttons[] = {
        {"tbNew", "New File", ToolIcon::NewFile, [this] { FileNewClick(); }, true},
        {"tbOpen", "Open File", ToolIcon::OpenFile, [this] { FileOpenClick(); }, true},
        {"tbSave", "Save File", ToolIcon::SaveFile, [this] { FileSaveClick(); }, true},
        {"tbRun", "Run Data File", ToolIcon::Run, [this] { CompRunClick(); }, true},
        {"tbSoilLayers", "Soil layer Data", ToolIcon::SoilLayers,
         [this] { ShowDataWindow(DataWindow::SoilLayers); }, false},
        {"tbViewOutput", "View Output", ToolIcon::ViewOutput, [this] { CompEditOutputClick(); },
         false},
        {"tbSideView", "View Soil Profile", ToolIcon::SoilProfile, [this] { CompSideViewClick(); },
         false},
        {"tbCombine", "Combined Plot (Ultimate)", ToolIcon::CombinedUltimate,
         [this] { ShowResultGraph(ResultGraphId::Combine); }, false},
        {"tbCombineD", "Combined Plot (LRFD/ASD)", ToolIcon::CombinedFactored,
         [this] { ShowResultGraph(ResultGraphId::CombineFactored); }, false},
        {"tbAxial", "Load vs. Settlement", ToolIcon::LoadSettlement,
         [this] { ShowResultGraph(ResultGraphId::Axial); }, false},
    };
    for (const Button &b : buttons) {
        QAction *action = addAction(nullptr, b.name, s(b.hint), b.command, b.commitFirst);
        action->setToolTip(s(b.hint));
        action->setIcon(toolIcon(b.icon, st));
        bar->addAction(action);
        if (b.icon == ToolIcon::CombinedUltimate || b.icon == ToolIcon::CombinedFactored ||
            b.icon == ToolIcon::LoadSettlement) {
            action->setEnabled(false);
            m_resultToolActions.push_back(action);
        }
    }
}

void TMainForm::updateMenus()
{
    setCaption();
    const TProgramData &p = m_project;
    m_factorOfSafety->setEnabled(p.designMethod == DesignMethod::AllowableStress);
    m_unitsEnglish->setChecked(p.unitSystem == UnitSystem::English);
    m_unitsSi->setChecked(p.unitSystem == UnitSystem::SI);
    m_methodLrfd->setChecked(false);
    m_methodAsd->setChecked(false);
    m_methodLrfd->setChecked(p.designMethod == DesignMethod::Lrfd);
    m_methodAsd->setChecked(p.designMethod == DesignMethod::AllowableStress);
    m_specifyLoad->setChecked(p.designControl == DesignControl::DesignLoad);
    m_specifyLength->setChecked(p.designControl == DesignControl::DesignDepth);

    m_editInput->setEnabled(QFileInfo::exists(p.fileName));
    m_editNotes->setEnabled(QFileInfo::exists(withExtension(p.fileName, QStringLiteral(".vrr"))));
    m_editOutput->setEnabled(QFileInfo::exists(withExtension(p.fileName, QStringLiteral(".vro"))));

    const bool plotFileExists =
        QFileInfo::exists(withExtension(p.fileName, QStringLiteral(".vrp")));
    for (std::size_t i = 0; i < m_graphActions.size(); ++i) {
        const auto graph = static_cast<ResultGraphId>(i);
        m_graphActions[i]->setEnabled(
            ResultGraphs::MenuItemEnabled(graph, m_resultsAvailable, plotFileExists, p.KLS));
    }
    // Printed and saved graphs carry the project's present title and file.
    const QString footnote = resultGraphFootnote(p);
    for (int i = 0; i < kResultGraphCount; ++i)
        m_graphs.Graph(static_cast<ResultGraphId>(i)).Footnote = footnote;
    updateRecentFileSlots();
    updateWindowList();
}

void TMainForm::updateRecentFileSlots()
{
    const int count = m_recent.Count();
    const QString folder = QDir::currentPath();
    for (int i = 0; i < RecentFiles::kSize; ++i) {
        QAction *slot = m_recentSlots[static_cast<std::size_t>(i)];
        slot->setVisible(i < count);
        if (i < count)
            slot->setText(recentFileCaption(i, m_recent.At(i), folder));
    }
    m_recentSeparator->setVisible(count > 0);
}

void TMainForm::updateWindowList()
{
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList();
    m_windowSeparator->setVisible(!children.isEmpty());
    for (int i = 0; i < kWindowSlots; ++i) {
        QAction *slot = m_windowSlots[static_cast<std::size_t>(i)];
        slot->setVisible(i < children.size());
        if (i < children.size())
            slot->setText(childWindowName(children[i]).replace(u'&', QStringLiteral("&&")));
    }
}

// Each window keeps its own size (the area's stock cascade shrinks graph windows to a
// size where they paint nothing): only the places step down and to the right by a title
// bar, starting again at the top left where the next window would leave the area.
void TMainForm::cascadeChildWindows()
{
    const QSize room = m_mdiArea->viewport()->size();
    const int step = std::max(16, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    int offset = 0;
    for (QMdiSubWindow *child : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (child->isHidden() || child->isMinimized())
            continue;
        if (child->isMaximized())
            child->showNormal();
        QSize size = child->size();
        if (offset > 0 && (offset + std::min(size.width(), room.width() / 2) > room.width() ||
                           offset + std::min(size.height(), room.height() / 2) > room.height()))
            offset = 0;
        size = size.boundedTo(room - QSize(offset, offset)).expandedTo(kUsableChildSize);
        child->setGeometry(offset, offset, size.width(), size.height());
        child->raise();
        offset += step;
    }
    if (QMdiSubWindow *active = m_mdiArea->activeSubWindow())
        active->raise();
}

void TMainForm::fitToLargestDataWindow()
{
    if (isMaximized() || isFullScreen() || !screen())
        return;
    QSize largest;
    for (DataWindow kind :
         {DataWindow::Title, DataWindow::ShaftProperties, DataWindow::FactorOfSafety,
          DataWindow::ShaftLength, DataWindow::DesignLoad, DataWindow::WaterTable,
          DataWindow::ControlOptions}) {
        const std::unique_ptr<ChildWindow> probe(
            createDataDialog(kind, m_project, m_wordProcessor));
        if (probe)
            largest = largest.expandedTo(probe->sizeHint());
    }
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QSize frame(2 * border, 2 * border + style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QSize besideArea = size() - m_mdiArea->viewport()->size();
    // The window manager's frame around this window; before the first showing it is not
    // known yet, and a title bar and a thin border are allowed for.
    QSize decoration = frameGeometry().size() - size();
    if (decoration.height() <= 0)
        decoration = decoration.expandedTo(QSize(8, 32));
    const QSize wanted = largest + frame + besideArea + QSize(8, 8);
    const QSize room = screen()->availableGeometry().size() - decoration;
    resize(size().expandedTo(wanted).boundedTo(room));
}

bool TMainForm::CommitActiveChild()
{
    QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    auto *child = active ? qobject_cast<ChildWindow *>(active->widget()) : nullptr;
    return !child || child->commit();
}

bool TMainForm::IsModified() const
{
    return m_project.IsModified(*m_tables);
}

void TMainForm::SetModified(bool modified)
{
    m_project.SetModified(modified, *m_tables);
    setCaption();
}

QString TMainForm::EngineFolder() const
{
    return m_engineFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_engineFolder;
}

QMdiSubWindow *TMainForm::addChildWindow(QWidget *window)
{
    QMdiSubWindow *child = m_mdiArea->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    return child;
}

void TMainForm::ShowDataWindow(DataWindow kind)
{
    if (kind == DataWindow::SoilLayers) {
        // The parameter tables open from the buttons of this window, which keeps theirs.
        if (TTableForm *open = soilLayersWindow()) {
            open->showIn(m_mdiArea);
            return;
        }
        TTableForm *window = TTableForm::ShowWindow(m_tables->SoilLayers(), m_mdiArea);
        m_dataWindows[kind] = window;
        if (window) {
            connect(window, &ChildWindow::dataModified, this, &TMainForm::setCaption);
            moveIntoArea(window->subWindow());
        }
        return;
    }
    QPointer<ChildWindow> &window = m_dataWindows[kind];
    const bool created = !window;
    if (created) {
        window = createDataDialog(kind, m_project, m_wordProcessor);
        if (window)
            connect(window, &ChildWindow::dataModified, this, &TMainForm::setCaption);
    }
    if (!window)
        return;
    showInArea(m_mdiArea, window);
    if (created)
        moveIntoArea(window->subWindow());
}

bool TMainForm::CloseDataWindow(DataWindow kind)
{
    ChildWindow *window = DataWindowIfOpen(kind);
    if (!window)
        return true;
    if (!window->closeWindow())
        return false;
    // Deleted later; a command that follows at once must not show the closed window again.
    if (kind != DataWindow::SoilLayers)
        m_dataWindows[kind] = nullptr;
    return true;
}

ChildWindow *TMainForm::DataWindowIfOpen(DataWindow kind) const
{
    if (kind == DataWindow::SoilLayers)
        return soilLayersWindow();
    const auto found = m_dataWindows.find(kind);
    return found != m_dataWindows.end() ? found->second.data() : nullptr;
}

void TMainForm::refreshChildWindows()
{
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        if (auto *window = qobject_cast<ChildWindow *>(frame->widget()))
            window->refresh();
    }
}

void TMainForm::showTablesAfresh()
{
    if (TTableForm *layers = soilLayersWindow())
        layers->showAfresh();
}

TTableForm *TMainForm::soilLayersWindow() const
{
    const auto found = m_dataWindows.find(DataWindow::SoilLayers);
    auto *window =
        found != m_dataWindows.end() ? qobject_cast<TTableForm *>(found->second.data()) : nullptr;
    // A closed window shows no table any more, though it is deleted later.
    return window && window->table() == &m_tables->SoilLayers() ? window : nullptr;
}

TDlgSideView *TMainForm::SideView() const
{
    return m_sideView ? qobject_cast<TDlgSideView *>(m_sideView->widget()) : nullptr;
}

void TMainForm::CompSideViewClick()
{
    if (!m_sideView) {
        auto *view = new TDlgSideView(m_project, *m_tables, *m_interaction);
        // The frame takes the size the view asks for, not the smaller one its layout needs.
        const QSize viewSize = view->size();
        m_sideView = addChildWindow(view);
        m_sideView->resize(viewSize.grownBy(m_sideView->contentsMargins())
                               .boundedTo(m_mdiArea->viewport()->size()));
        moveIntoArea(m_sideView);
    }
    m_sideView->show();
    m_sideView->widget()->show();
    m_mdiArea->setActiveSubWindow(m_sideView);
    SideView()->Rebuild();
}

void TMainForm::ShowResultGraph(ResultGraphId graph)
{
    // The graphs live in memory, so a plot data file removed since does not matter here.
    if (!ResultGraphs::MenuItemEnabled(graph, m_resultsAvailable, true, m_project.KLS))
        return;
    QPointer<TPlotForm> &window = m_graphWindows[graph];
    QMdiSubWindow *created = nullptr;
    if (!window) {
        window = TPlotForm::Create(m_graphs.Graph(graph));
        if (!window)
            return; // an axis that cannot be scaled: no window
        // The frame takes the size the graph window chose for itself, not the smaller
        // size its layout needs at least.
        const QSize graphSize = window->size();
        created = addChildWindow(window);
        const QMargins frameMargins = created->contentsMargins();
        created->resize(graphSize.grownBy(frameMargins).boundedTo(m_mdiArea->viewport()->size()));
    }
    window->ShowInFront();
    moveIntoArea(created);
}

TPlotForm *TMainForm::GraphWindow(ResultGraphId graph) const
{
    const auto found = m_graphWindows.find(graph);
    return found != m_graphWindows.end() ? found->second.data() : nullptr;
}

// The command has committed the active child. Converting rebuilds an open table window,
// whose grid then takes the focus; a dialog that lost it would store its unconverted text
// into the converted project, so no window stores anything until all of them show the
// converted values, and the window that was in front comes back to the front.
void TMainForm::setUnits(UnitSystem system)
{
    if (system == m_project.unitSystem)
        return;
    QMdiSubWindow *front = m_mdiArea->activeSubWindow();
    const CommitHold hold(*m_mdiArea);
    m_project.ChangeUnits(system, *m_tables);
    SetModified(true);
    emit projectChanged();
    if (front && m_mdiArea->activeSubWindow() != front)
        m_mdiArea->setActiveSubWindow(front);
}

void TMainForm::setDesignMethod(DesignMethod method)
{
    if (method == m_project.designMethod)
        return;
    m_project.designMethod = method;
    m_tables->SetDesignMethod(method);
    SetModified(true);
    // An open soil layer window shows or hides the LRFD columns and changes its comments.
    if (TTableForm *layers = soilLayersWindow())
        layers->rebuild();
    emit projectChanged();
}

// The project is designed either for a length or for a load: the other's dialog closes
// (storing its values) before this one shows, and the command stops when it refuses.
void TMainForm::specifyShaftLength()
{
    if (!CloseDataWindow(DataWindow::DesignLoad))
        return;
    setDesignControl(DesignControl::DesignDepth);
    ShowDataWindow(DataWindow::ShaftLength);
}

void TMainForm::specifyDesignLoad()
{
    if (!CloseDataWindow(DataWindow::ShaftLength))
        return;
    setDesignControl(DesignControl::DesignLoad);
    ShowDataWindow(DataWindow::DesignLoad);
}

// The computation method is saved with the project, so a change counts as an edit.
void TMainForm::setDesignControl(DesignControl control)
{
    if (m_project.designControl == control)
        return;
    m_project.designControl = control;
    SetModified(true);
}

void TMainForm::openHelpDocument(const QString &fileName)
{
    // A browser started on a missing file fails in its own window, if at all; say it here.
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString path = platform::helpDocumentPath(programFolder, fileName);
    if (!QFileInfo(path).isFile()) {
        m_interaction->Information(
            this, s("The help document \"%1\" is missing: it is neither beside the program "
                    "(%2) nor in %3.")
                      .arg(fileName, QDir::toNativeSeparators(programFolder),
                           QDir::toNativeSeparators(platform::installedHelpFolder(programFolder))));
        return;
    }
    m_interaction->OpenDocument(path);
}

void TMainForm::checkForUpdates()
{
    m_interaction->Information(this, s(kUpdatesText));
}

} // namespace vorna
