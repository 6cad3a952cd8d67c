// The Run command: the hand-over file names.dat that tells the engine its four files, the
// texts the command shows, and the command itself, which the main window only wires.
#pragma once

#include "errors.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QDateTime;

namespace vorna {

class TDynamicLibrary;

inline constexpr const char *kNamesFileName = "names.dat";

namespace runmessage {
inline constexpr const char *kCompleted =
    "Computations are completed.\rPlease, check output file for results or error messages.";
inline constexpr const char *kCompletedWithErrors =
    "Computations are completed, but there may be errors.\rPlease, check output file for "
    "results or error messages.";
inline constexpr const char *kInitializeFailed = "Attempt to initialize DLL failed";
inline constexpr const char *kReinitialize = "Attempt to reinitialize DLL";
inline constexpr const char *kResultExtension =
    "The project \"%1\" cannot be run: its extension is one of those of a run's results "
    "(.vro, .vrp, .vrr), so the run would overwrite the project.\rSave it under a name "
    "ending in .vrd (Save As) and run that.";
} // namespace runmessage

// The completion message of a run: the plain one for status 0; otherwise the one that warns
// of errors, followed by the first error or warning block of the run-time file when the run
// (started at the given time) wrote one.
QString completionMessage(int status, const QString &projectFileName, const QDateTime &started);

// The five lines of names.dat, each ended by CR LF: the version text, the project file
// and its report (.vro), plot data (.vrp) and run-time (.vrr) files.
QByteArray namesFileText(const QString &projectFileName);

// names.dat could not be written: the engine must not run, or it would follow an old
// names.dat or none.
class ENamesFileError : public EVornaError {
public:
    ENamesFileError(const QString &fileName, const QString &reason)
        : EVornaError(QStringLiteral("The file \"%1\" that tells the analysis its files could "
                                     "not be written:\r%2\rThe analysis was not run.")
                          .arg(fileName, reason))
    {}
};

// Writes names.dat into a folder on creation and deletes it on destruction, however the
// run ends. An old names.dat is removed first; ENamesFileError when the new one cannot be
// written completely (nothing of it is left then).
class NamesFile {
public:
    NamesFile(const QString &folder, const QString &projectFileName);
    ~NamesFile();
    NamesFile(const NamesFile &) = delete;
    NamesFile &operator=(const NamesFile &) = delete;

    const QString &Path() const { return m_path; }

private:
    QString m_path;
};

// Save the project, hand its file names to the engine through names.dat, load the engine
// library from its folder, call its entry once on this thread, report the outcome and let
// the window read the results.
class RunCommand {
public:
    // What the command takes from the window that runs it.
    struct Host {
        // Shows a message in an information box.
        std::function<void(const QString &)> inform;
        std::function<QString()> projectFileName;
        // Saves the project, asking a never-saved one for a name; false when nothing was saved.
        std::function<bool()> saveProject;
        // The folder of the engine library.
        std::function<QString()> engineFolder;
        // The run is over; wroteResults: it wrote a plot data file of its own.
        std::function<void(bool wroteResults)> finished;
    };

    explicit RunCommand(Host host);
    ~RunCommand();
    RunCommand(const RunCommand &) = delete;
    RunCommand &operator=(const RunCommand &) = delete;

    // ENamesFileError when names.dat cannot be written; the engine is not run then.
    void Run();

private:
    Host m_host;
    // Set while a run has the engine library loaded.
    std::unique_ptr<TDynamicLibrary> m_engineLibrary;
};

} // namespace vorna
