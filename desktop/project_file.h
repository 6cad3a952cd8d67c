// The project file (.vrd) as the desktop reads and writes it: a title line, then free-format
// records of numbers separated by blanks, "." as decimal separator, lines ended by CR LF.
#pragma once

#include "errors.h"
#include "program_data.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

class QFileDevice;

namespace vorna {

class ProgramTables;
class TWordReader;

// Project file layouts: the current one, and the older one without design method and
// LRFD factors that the open dialog's second filter selects.
enum class ProjectLayout { Current, Older };

class EProjectSaveError : public EVornaError {
public:
    EProjectSaveError(const QString &fileName, const QString &reason)
        : EVornaError(QStringLiteral("The project could not be saved to \"%1\":\r%2\r"
                                     "The previous file, if any, is unchanged.")
                          .arg(fileName, reason))
    {}
};

// Reads the records into project and tables (rows are appended to the emptied soil layer
// table). Reading stops at the first missing or malformed value; messages say what was
// skipped or why reading stopped.
void readProject(TWordReader &reader, ProjectLayout layout, TProgramData &project,
                 ProgramTables &tables, QStringList &messages);

// The whole file text of a project in the current layout.
QByteArray projectFileText(const TProgramData &project, const ProgramTables &tables);

// The step of a save that puts the written bytes on the disk, where a full disk shows
// (a write only fills a buffer). Empty: flush and sync. Tests put in one that fails.
using FlushStep = std::function<bool(QFileDevice &file)>;

// A project read from a file, over a new project with defaults. What cannot be read is
// listed in messages (the reader's own message for a bad or missing value, with its line and
// item); the values read up to there stay. EInputError when the file cannot be opened at all.
TProgramData CreateFromFile(const QString &fileName, ProjectLayout layout, ProgramTables &tables,
                            QStringList &messages);

// Writes the project file under the project's file name through writeFileSafely. On
// EProjectSaveError the old file stays, and the project keeps its state (still modified).
void SaveToFile(TProgramData &project, ProgramTables &tables, const FlushStep &flush = {});

// True when the project's file exists and is no longer what the project last read or wrote.
bool FileChangedElsewhere(const TProgramData &project);

// Writes text to fileName through a temporary file in the same folder. The temporary file
// is flushed and checked, then read back and compared, and only then renamed over the
// target, so a failed save keeps the old file byte for byte. EProjectSaveError on failure.
void writeFileSafely(const QString &fileName, const QByteArray &text, const FlushStep &flush = {});

// A digest of a file's bytes, to tell whether another program changed it; empty when the
// file cannot be read.
QByteArray fileDigest(const QString &fileName);
QByteArray textDigest(const QByteArray &text);

} // namespace vorna
