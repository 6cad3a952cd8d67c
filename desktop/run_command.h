// Pieces of the Run command: the hand-over file names.dat that tells the engine its four
// files, and the texts the command shows.
#pragma once

#include <QByteArray>
#include <QString>

class QDateTime;

namespace vorna {

inline constexpr const char *kNamesFileName = "names.dat";

namespace runmessage {
inline constexpr const char *kCompleted =
    "Computations are completed.\rPlease, check output file for results or error messages.";
inline constexpr const char *kCompletedWithErrors =
    "Computations are completed, but there may be errors.\rPlease, check output file for "
    "results or error messages.";
inline constexpr const char *kInitializeFailed = "Attempt to initialize DLL failed";
inline constexpr const char *kReinitialize = "Attempt to reinitialize DLL";
} // namespace runmessage

// The completion message of a run: the plain one for status 0; otherwise the one that warns
// of errors, followed by the first error or warning block of the run-time file when the run
// (started at the given time) wrote one.
QString completionMessage(int status, const QString &projectFileName, const QDateTime &started);

// The five lines of names.dat, each ended by CR LF: the version text, the project file
// and its report (.vro), plot data (.vrp) and run-time (.vrr) files.
QByteArray namesFileText(const QString &projectFileName);

// Writes names.dat into a folder on creation and deletes it on destruction, however the
// run ends. A write error is not reported: the engine then reports through its status.
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

} // namespace vorna
