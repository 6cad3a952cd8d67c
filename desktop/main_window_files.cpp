// The main window's file commands, recent files, settings, start-up, dropped files and the
// text viewer commands.
#include "main_window.h"

#include "calculation_package.h"
#include "file_names.h"
#include "load_test_dialog.h"
#include "platform/platform.h"
#include "plot_form.h"
#include "project_file.h"
#include "text_viewer.h"
#include "user_interaction.h"
#include "word_reader.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace vorna {

namespace {

bool isNeverSaved(const TProgramData &project)
{
    return project.fileName == QLatin1String(TProgramData::kNewFileName);
}

} // namespace

// ---- the save-changes query and the file commands

bool TMainForm::QuerySaveChanges()
{
    if (!IsModified())
        return true;
    switch (m_interaction->AskSaveChanges(this)) {
    case UserInteraction::SaveAnswer::Cancel:
        return false;
    case UserInteraction::SaveAnswer::No:
        return true;
    case UserInteraction::SaveAnswer::Yes:
        // Go on only when the edits are safely in a file of the user's naming.
        return saveProject() && !isNeverSaved(m_project);
    }
    return false;
}

void TMainForm::FileNewClick()
{
    if (QuerySaveChanges())
        newProject();
    setResultsAvailable(false);
    m_tables->SetDesignMethod(m_project.designMethod);
    showTablesAfresh();
}

void TMainForm::newProject()
{
    m_project = TProgramData::CreateNew(*m_tables);
    m_loadTestCsv.clear();
    setCaption();
    emit projectChanged();
}

void TMainForm::FileOpenClick()
{
    if (!QuerySaveChanges())
        return;
    const UserInteraction::OpenChoice choice = m_interaction->OpenFileName(this);
    if (choice.fileName.isEmpty())
        return;
    OpenProjectFile(choice.fileName,
                    choice.filterIndex == 1 ? ProjectLayout::Older : ProjectLayout::Current);
}

void TMainForm::OpenProjectFile(const QString &fileName, ProjectLayout layout, bool enterRecent)
{
    const QString absoluteName = QFileInfo(fileName).absoluteFilePath();
    QDir::setCurrent(QFileInfo(absoluteName).absolutePath());
    if (loadProject(absoluteName, layout) && enterRecent)
        enterRecentFile(absoluteName);
}

// Reads a project and its results. A file that cannot be opened at all leaves the current
// project as it is; one that breaks off keeps what was read.
bool TMainForm::loadProject(const QString &fileName, ProjectLayout layout,
                            bool resultsAfterFirstPaint)
{
    QStringList messages;
    try {
        m_project = CreateFromFile(fileName, layout, *m_tables, messages);
    } catch (const EInputError &e) {
        m_interaction->Information(this, e.message());
        return false;
    }
    for (const QString &message : messages)
        m_interaction->Information(this, message);
    setCaption();
    readLoadTestIfPresent();
    if (resultsAfterFirstPaint) {
        setResultsAvailable(false);
        m_resultsAfterPaint = m_resultsGeneration;
    } else {
        readResultsIfPresent(false);
    }
    m_tables->SetDesignMethod(m_project.designMethod);
    emit projectChanged();
    showTablesAfresh();
    return true;
}

void TMainForm::FileSaveClick()
{
    saveProject();
}

void TMainForm::FileSaveAsClick()
{
    saveProjectAs();
}

bool TMainForm::saveProject()
{
    if (isNeverSaved(m_project))
        return saveProjectAs();
    switch (confirmReplacingProjectFile()) {
    case UserInteraction::SaveAnswer::Yes:
        return writeProject();
    case UserInteraction::SaveAnswer::No:
        return saveProjectAs();
    case UserInteraction::SaveAnswer::Cancel:
        return false;
    }
    return false;
}

// A file read only in part would lose what was not read, and one changed by another program
// those changes: the user decides, and Yes keeps the file as it is now as NAME.vrd.bak.
UserInteraction::SaveAnswer TMainForm::confirmReplacingProjectFile()
{
    const QString &fileName = m_project.fileName;
    if (!QFileInfo::exists(fileName))
        return UserInteraction::SaveAnswer::Yes;
    QString question;
    const QString backup = fileName + QStringLiteral(".bak");
    const QString shown = QDir::toNativeSeparators(fileName);
    const QString shownBackup = QDir::toNativeSeparators(backup);
    if (m_project.readInPart)
        question = QStringLiteral("The project file \"%1\" could not be read completely when it "
                                  "was opened. Saving replaces it with what was read, and the "
                                  "rest of the file is lost.\rReplace it and keep the original "
                                  "as \"%2\"?\rNo saves the project under another name.")
                       .arg(shown, shownBackup);
    else if (FileChangedElsewhere(m_project))
        question = QStringLiteral("The project file \"%1\" was changed by another program since "
                                  "it was opened or saved. Saving replaces those changes.\r"
                                  "Replace it and keep the changed file as \"%2\"?\rNo saves "
                                  "the project under another name.")
                       .arg(shown, shownBackup);
    else
        return UserInteraction::SaveAnswer::Yes;
    const UserInteraction::SaveAnswer answer = m_interaction->Ask(this, question);
    if (answer != UserInteraction::SaveAnswer::Yes)
        return answer;
    QFile original(fileName);
    QByteArray bytes;
    bool read = original.open(QIODevice::ReadOnly);
    if (read) {
        bytes = original.readAll();
        read = original.error() == QFileDevice::NoError;
    }
    try {
        if (!read)
            throw EProjectSaveError(backup, original.errorString());
        writeFileSafely(backup, bytes, m_saveFlush);
    } catch (const EVornaError &e) {
        m_interaction->Information(
            this,
            e.message() +
                QStringLiteral("\rThe project was not saved, so \"%1\" is unchanged.").arg(shown));
        return UserInteraction::SaveAnswer::Cancel;
    }
    return UserInteraction::SaveAnswer::Yes;
}

bool TMainForm::writeProject()
{
    try {
        SaveToFile(m_project, *m_tables, m_saveFlush);
    } catch (const EVornaError &e) {
        m_interaction->Information(this, e.message());
        return false;
    }
    setCaption();
    return true;
}

bool TMainForm::saveProjectAs()
{
    setResultsAvailable(false);
    const QString title = QStringLiteral("Save %1 As").arg(displayName(m_project.fileName));
    QString chosen = m_interaction->SaveFileName(this, title, m_project.fileName);
    if (chosen.isEmpty())
        return false;
    // The run writes its results beside the project under these extensions.
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (isResultExtension(suffix)) {
        m_interaction->Information(
            this, QStringLiteral("A project cannot be saved as \"%1\": the extensions .vro, .vrp "
                                 "and .vrr belong to the results of a run, which would overwrite "
                                 "it.\rChoose a name ending in .vrd.")
                      .arg(QDir::toNativeSeparators(chosen)));
        return false;
    }
    if (suffix != QLatin1String(kProjectExtension)) {
        chosen += QStringLiteral(".") + QLatin1String(kProjectExtension);
        // The save dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(chosen) &&
            m_interaction->Ask(this, QStringLiteral("\"%1\" already exists.\rDo you want to "
                                                    "replace it?")
                                         .arg(QDir::toNativeSeparators(chosen))) !=
                UserInteraction::SaveAnswer::Yes)
            return false;
    }
    const QString previous = m_project.fileName;
    m_project.fileName = QFileInfo(chosen).absoluteFilePath();
    setCaption();
    if (!writeProject()) {
        m_project.fileName = previous;
        setCaption();
        return false;
    }
    setCaption();
    keepLoadTestBeside(m_project.fileName);
    return true;
}

// Unsaved changes show as a trailing " *", as editors commonly mark them.
void TMainForm::setCaption()
{
    const QString caption = mainWindowCaption(m_project.fileName);
    setWindowTitle(IsModified() ? caption + QStringLiteral(" *") : caption);
}

void TMainForm::setResultsAvailable(bool available)
{
    ++m_resultsGeneration;
    m_resultsAvailable = available;
    if (!available) {
        // Graphs of earlier results must not stay on screen beside a new or renamed project.
        for (QMdiSubWindow *window : m_mdiArea->subWindowList())
            if (qobject_cast<TPlotForm *>(window->widget()))
                window->close();
    }
    for (QAction *action : m_resultToolActions)
        action->setEnabled(available);
}

void TMainForm::readResultsIfPresent(bool freshRun)
{
    setResultsAvailable(false);
    const QString plotFile = withExtension(m_project.fileName, QStringLiteral(".vrp"));
    if (!QFileInfo::exists(plotFile))
        return;
    const ResultBuildOutcome outcome =
        buildResultGraphs(m_graphs, m_project, *m_tables, LoadTest(), plotFile, freshRun);
    if (!outcome.message.isEmpty())
        m_interaction->Information(this, outcome.message);
    setResultsAvailable(outcome.built);
}

// ---- load test

std::optional<LoadTestCurve> TMainForm::LoadTest() const
{
    if (m_loadTestCsv.isEmpty())
        return std::nullopt;
    try {
        return readLoadTestCsv(m_loadTestCsv, {}, unitCode(m_project.unitSystem));
    } catch (const ELoadTestError &) {
        return std::nullopt;
    }
}

void TMainForm::readLoadTestIfPresent()
{
    m_loadTestCsv.clear();
    const QString kept = loadTestFileName(m_project.fileName);
    if (!QFileInfo::exists(kept))
        return;
    try {
        readLoadTestFile(kept, {}, unitCode(m_project.unitSystem));
        QFile file(kept);
        if (file.open(QIODevice::ReadOnly))
            m_loadTestCsv = file.readAll();
    } catch (const ELoadTestError &e) {
        m_interaction->Information(
            this, QStringLiteral("The load test \"%1\" could not be read and is not drawn:\r%2")
                      .arg(QDir::toNativeSeparators(kept), e.message()));
    }
}

bool TMainForm::chooseLoadTest(const QString &fileName, const LoadTestUnits &units)
{
    try {
        const LoadTestCurve curve =
            readLoadTestFile(fileName, units, unitCode(m_project.unitSystem));
        writeLoadTestFile(loadTestFileName(m_project.fileName), curve,
                          unitCode(m_project.unitSystem));
        m_loadTestCsv = loadTestCsvText(curve, unitCode(m_project.unitSystem));
    } catch (const ELoadTestError &e) {
        m_interaction->Information(this, e.message());
        return false;
    }
    readResultsIfPresent(false);
    return true;
}

void TMainForm::removeLoadTest()
{
    const QString kept = loadTestFileName(m_project.fileName);
    if (QFileInfo::exists(kept) && !QFile::remove(kept)) {
        m_interaction->Information(this,
                                   QStringLiteral("The load test \"%1\" could not be removed.")
                                       .arg(QDir::toNativeSeparators(kept)));
        return;
    }
    m_loadTestCsv.clear();
    readResultsIfPresent(false);
}

void TMainForm::keepLoadTestBeside(const QString &projectFileName)
{
    const std::optional<LoadTestCurve> curve = LoadTest();
    if (!curve)
        return;
    try {
        writeLoadTestFile(loadTestFileName(projectFileName), *curve,
                          unitCode(m_project.unitSystem));
    } catch (const ELoadTestError &e) {
        m_interaction->Information(this, e.message());
    }
}

void TMainForm::GraphLoadTestClick()
{
    if (isNeverSaved(m_project)) {
        m_interaction->Information(
            this, QStringLiteral("Save the project first: its load test is kept beside the "
                                 "project file."));
        return;
    }
    // A kept file that could not be read may be removed too.
    const bool kept =
        !m_loadTestCsv.isEmpty() || QFileInfo::exists(loadTestFileName(m_project.fileName));
    TDlgLoadTest dialog(
        kept,
        [this](const QString &name, const LoadTestUnits &units) {
            return chooseLoadTest(name, units);
        },
        this);
    if (dialog.exec() == QDialog::Accepted && dialog.RemoveChosen())
        removeLoadTest();
}

// ---- calculation package

void TMainForm::FileExportPackageClick()
{
    // The package shows the input beside its results, so both must be those of one run.
    if (isNeverSaved(m_project) || IsModified() || !ResultsAvailable() ||
        !resultsAreCurrent(m_project.fileName)) {
        m_interaction->Information(
            this, QStringLiteral("The calculation package needs the results of the project as "
                                 "it is saved: run the analysis first."));
        return;
    }
    const QString pdf =
        m_interaction->SavePdfFileName(this, QStringLiteral("Export Calculation Package"),
                                       withExtension(m_project.fileName, QStringLiteral(".pdf")));
    if (pdf.isEmpty())
        return;
    try {
        writeCalculationPackage({m_project, *m_tables, LoadTest(), QDate::currentDate()}, pdf);
    } catch (const ECalculationPackageError &e) {
        m_interaction->Information(this, e.message());
    }
}

// ---- recent files

void TMainForm::enterRecentFile(const QString &fileName)
{
    m_recent.Enter(fileName);
    writeSettings();
}

void TMainForm::openRecentFile(int index)
{
    if (index >= m_recent.Count() || !QuerySaveChanges())
        return;
    OpenProjectFile(m_recent.At(index));
}

// ---- settings

void TMainForm::readSettings()
{
    AppSettings::Values values;
    if (!m_settings->Read(values)) {
        m_wordProcessor.clear();
        m_recent.Clear();
        return;
    }
    if (!m_settings->Exists())
        return;
    if (!values.wordProcessor.isEmpty())
        m_wordProcessor = values.wordProcessor;
    m_recent.SetEntries(values.files);
}

void TMainForm::writeSettings()
{
    m_settings->Write({m_wordProcessor, m_recent.Entries()});
}

// ---- start-up, closing and dropped files

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        firstShow();
    }
}

void TMainForm::firstShow()
{
    readSettings();
    fitToLargestDataWindow();
    platform::applyStartupShowMode(*this);
    if (m_commandLineArgument.isEmpty())
        return;
    const QString fileName =
        QFileInfo(commandLineProjectName(m_commandLineArgument)).absoluteFilePath();
    if (!QFileInfo(fileName).isFile())
        return; // the new project of the start stays
    // The folder and the recent-files list stay as they are. A large plot data file would
    // hold back the first painted window: the graphs are built just after it.
    m_mdiArea->viewport()->installEventFilter(this);
    runCommand([&] { loadProject(fileName, ProjectLayout::Current, true); }, false);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_mdiArea->viewport()) {
        m_mdiArea->viewport()->removeEventFilter(this);
        if (!m_resultsAfterPaint)
            return QMainWindow::eventFilter(watched, event);
        const int planned = *m_resultsAfterPaint;
        m_resultsAfterPaint.reset();
        // After this paint has reached the screen; not if another project, a run or a new
        // name has changed the results meanwhile.
        QTimer::singleShot(0, this, [this, planned] {
            if (planned == m_resultsGeneration)
                runCommand([&] { readResultsIfPresent(false); }, false);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!CommitActiveChild() || !QuerySaveChanges()) {
        event->ignore();
        return;
    }
    writeSettings();
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore(); // a child window refused to close
        return;
    }
    event->accept();
}

namespace {

QString firstLocalFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!firstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QString fileName = firstLocalFile(event->mimeData());
    event->acceptProposedAction();
    if (fileName.isEmpty())
        return;
    runCommand([&] { openDroppedFile(fileName); });
}

void TMainForm::openDroppedFile(const QString &fileName)
{
    if (QuerySaveChanges())
        OpenProjectFile(fileName, ProjectLayout::Current, false);
}

// ---- the text viewer

// Without a text editor set, or when the one set cannot be started, the file shows in the
// built-in read-only viewer, so that a report can always be read.
void TMainForm::viewInWordProcessor(const QString &fileName)
{
    const QString fullName = QFileInfo(fileName).absoluteFilePath();
    QString note;
    if (!m_wordProcessor.trimmed().isEmpty()) {
        if (m_interaction->StartProgram(m_wordProcessor, {QDir::toNativeSeparators(fullName)}))
            return;
        m_interaction->Information(
            this, QStringLiteral("An error occurred in running the Word Processor"));
        note = QStringLiteral("The text editor \"%1\" could not be started (Data > Control "
                              "Options sets another); the file is shown here, read-only.")
                   .arg(m_wordProcessor);
    }
    if (QFileInfo(fullName).isFile())
        showInTextViewer(fullName, note);
}

void TMainForm::showInTextViewer(const QString &fileName, const QString &note)
{
    // One viewer per file: viewing it again reads it afresh.
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        auto *viewer = qobject_cast<TTextViewer *>(frame->widget());
        if (viewer && viewer->FileName() == fileName) {
            viewer->Load(fileName, note);
            frame->showNormal();
            m_mdiArea->setActiveSubWindow(frame);
            return;
        }
    }
    auto *viewer = new TTextViewer(*m_interaction);
    viewer->Load(fileName, note);
    const QSize viewerSize = viewer->size();
    QMdiSubWindow *frame = addChildWindow(viewer);
    frame->resize(
        viewerSize.grownBy(frame->contentsMargins()).boundedTo(m_mdiArea->viewport()->size()));
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    moveIntoArea(frame);
}

void TMainForm::CompEditInputClick()
{
    viewInWordProcessor(m_project.fileName);
}

void TMainForm::CompEditNotesClick()
{
    viewInWordProcessor(withExtension(m_project.fileName, QStringLiteral(".vrr")));
}

void TMainForm::CompEditOutputClick()
{
    viewInWordProcessor(withExtension(m_project.fileName, QStringLiteral(".vro")));
}

} // namespace vorna
