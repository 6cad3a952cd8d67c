// The Run command: save the project, hand its file names to the engine through names.dat,
// load the engine library from the program's folder, call its entry once, report the
// outcome and read the results.
#include "run_command.h"

#include "engine_loader.h"
#include "file_names.h"
#include "main_window.h"
#include "platform/platform.h"
#include "run_notes.h"
#include "user_interaction.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorna {

namespace {

// The wait cursor for as long as the engine runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Clears the main window's engine library, which unloads it, however the run ends.
class LoadedEngine {
public:
    explicit LoadedEngine(std::unique_ptr<TDynamicLibrary> &library) : m_library(library) {}
    ~LoadedEngine() { m_library.reset(); }
    LoadedEngine(const LoadedEngine &) = delete;
    LoadedEngine &operator=(const LoadedEngine &) = delete;

private:
    std::unique_ptr<TDynamicLibrary> &m_library;
};

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

QString completionMessage(int status, const QString &projectFileName, const QDateTime &started)
{
    if (status == 0)
        return s(runmessage::kCompleted);
    QString message = s(runmessage::kCompletedWithErrors);
    // A run-time file the run did not write (it stopped before opening it) tells nothing
    // of this run; file times may be a second or two coarse.
    const QFileInfo runtime(withExtension(projectFileName, QStringLiteral(".vrr")));
    if (!runtime.exists() || runtime.lastModified() < started.addSecs(-2))
        return message;
    const QString note = firstRunNoteOfFile(runtime.filePath());
    if (!note.isEmpty())
        message += QStringLiteral("\r\r") + note;
    return message;
}

QByteArray namesFileText(const QString &projectFileName)
{
    const QString lines[] = {
        QLatin1String(kVersionText),
        projectFileName,
        withExtension(projectFileName, QStringLiteral(".vro")),
        withExtension(projectFileName, QStringLiteral(".vrp")),
        withExtension(projectFileName, QStringLiteral(".vrr")),
    };
    QByteArray text;
    for (const QString &line : lines)
        text += QDir::toNativeSeparators(line).trimmed().toLocal8Bit() + "\r\n";
    return text;
}

NamesFile::NamesFile(const QString &folder, const QString &projectFileName)
    : m_path(QDir(folder).filePath(QLatin1String(kNamesFileName)))
{
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(namesFileText(projectFileName));
}

NamesFile::~NamesFile()
{
    QFile::remove(m_path);
}

void TMainForm::CompRunClick()
{
    if (!saveProject() || m_project.fileName == QLatin1String(TProgramData::kNewFileName))
        return;

    // A run still holding the engine (only a command started from within a run's own
    // message could meet one) leaves the folder and names.dat of that run alone.
    if (m_engineLibrary) {
        m_interaction->Information(this, s(runmessage::kReinitialize));
        return;
    }
    // The engine reads names.dat from the current folder and takes relative names from
    // there: the project's folder, or the program's when the name has no folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QFileInfo project(m_project.fileName);
    if (m_project.fileName.contains(u'/') || m_project.fileName.contains(u'\\'))
        QDir::setCurrent(project.absolutePath());
    const NamesFile namesFile(QDir::currentPath(), m_project.fileName);

    m_engineLibrary = std::make_unique<TDynamicLibrary>();
    const LoadedEngine loaded(m_engineLibrary);
    VornaEntry entry = nullptr;
    try {
        m_engineLibrary->SetLibraryName(
            QDir(EngineFolder()).filePath(platform::engineLibraryFileName()));
        m_engineLibrary->Load();
        entry = engineEntry(*m_engineLibrary);
    } catch (const EDLLError &) {
        entry = nullptr;
    }
    if (!entry) {
        m_interaction->Information(this, s(runmessage::kInitializeFailed));
        return;
    }

    int status = 0;
    const QDateTime started = QDateTime::currentDateTime();
    {
        const WaitCursor waitCursor;
        status = entry(10);
    }
    m_interaction->Information(this, completionMessage(status, m_project.fileName, started));
    readResultsIfPresent(true);
    updateMenus();
}

} // namespace vorna
