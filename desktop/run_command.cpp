// The Run command: save the project, hand its file names to the engine through names.dat,
// load the engine library from the program's folder, call its entry once, report the
// outcome and read the results.
#include "run_command.h"

#include "engine_loader.h"
#include "file_names.h"
#include "platform/platform.h"
#include "program_data.h"
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

QByteArray fileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file as it was before the run, to tell whether the run wrote it.
struct FileState {
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;

    static FileState of(const QString &fileName)
    {
        const QFileInfo info(fileName);
        return info.exists() ? FileState{true, info.lastModified(), info.size()} : FileState{};
    }
    bool operator==(const FileState &other) const
    {
        return exists == other.exists && modified == other.modified && size == other.size;
    }
};

// The engine's statuses of a run that wrote no results at all: its outputs could not be
// written, or its file names coincide.
constexpr int kStatusOutputNotWritable = 12;
constexpr int kStatusSameFileNames = 19;

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
    const QString shown = QDir::toNativeSeparators(m_path);
    // An old names.dat names the files of another run.
    if (QFileInfo::exists(m_path) && !QFile::remove(m_path))
        throw ENamesFileError(shown, QStringLiteral("An old file of that name cannot be removed."));
    const QByteArray text = namesFileText(projectFileName);
    QFile file(m_path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        reason = file.errorString();
    else if (file.write(text) != text.size() || !file.flush())
        reason = file.errorString();
    if (file.isOpen())
        file.close();
    if (reason.isEmpty() && file.error() != QFileDevice::NoError)
        reason = file.errorString();
    if (reason.isEmpty() && fileBytes(m_path) != text)
        reason = QStringLiteral("The file written could not be read back unchanged.");
    if (reason.isEmpty())
        return;
    QFile::remove(m_path);
    throw ENamesFileError(shown, reason);
}

NamesFile::~NamesFile()
{
    QFile::remove(m_path);
}

RunCommand::RunCommand(Host host) : m_host(std::move(host)) {}

RunCommand::~RunCommand() = default;

void RunCommand::Run()
{
    QString fileName = m_host.projectFileName();
    if (isResultExtension(QFileInfo(fileName).suffix())) {
        m_host.inform(s(runmessage::kResultExtension).arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    if (!m_host.saveProject())
        return;
    // Saving may have named the project.
    fileName = m_host.projectFileName();
    if (fileName == QLatin1String(TProgramData::kNewFileName))
        return;

    // A run still holding the engine (only a command started from within a run's own
    // message could meet one) leaves the folder and names.dat of that run alone.
    if (m_engineLibrary) {
        m_host.inform(s(runmessage::kReinitialize));
        return;
    }
    // The engine reads names.dat from the current folder and takes relative names from
    // there: the project's folder, or the program's when the name has no folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QFileInfo project(fileName);
    if (fileName.contains(u'/') || fileName.contains(u'\\'))
        QDir::setCurrent(project.absolutePath());
    const NamesFile namesFile(QDir::currentPath(), fileName);

    m_engineLibrary = std::make_unique<TDynamicLibrary>();
    const LoadedEngine loaded(m_engineLibrary);
    VornaEntry entry = nullptr;
    try {
        m_engineLibrary->SetLibraryName(
            QDir(m_host.engineFolder()).filePath(platform::engineLibraryFileName()));
        m_engineLibrary->Load();
        entry = engineEntry(*m_engineLibrary);
    } catch (const EDLLError &) {
        entry = nullptr;
    }
    if (!entry) {
        m_host.inform(s(runmessage::kInitializeFailed));
        return;
    }

    // Graphs come only from a plot data file this run wrote: one left from an earlier run
    // (which a failed run could not replace or remove) is not this run's result.
    const QString plotFile = withExtension(fileName, QStringLiteral(".vrp"));
    const FileState plotBefore = FileState::of(plotFile);
    int status = 0;
    const QDateTime started = QDateTime::currentDateTime();
    {
        const WaitCursor waitCursor;
        status = entry(10);
    }
    m_host.inform(completionMessage(status, fileName, started));
    const bool wroteResults = status != kStatusOutputNotWritable &&
                              status != kStatusSameFileNames &&
                              !(FileState::of(plotFile) == plotBefore);
    m_host.finished(wroteResults);
}

} // namespace vorna
