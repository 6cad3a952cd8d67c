// The project file (.vrd) as the desktop reads and writes it: a title line, then free-format
// records of numbers separated by blanks, "." as decimal separator, lines ended by CR LF.
#pragma once

#include "errors.h"
#include "program_data.h"

#include <QByteArray>
#include <QStringList>

namespace vorna {

class ProgramTables;
class TWordReader;

class EProjectSaveError : public EVornaError {
public:
    EProjectSaveError(const QString &fileName, const QString &reason)
        : EVornaError(QStringLiteral("The project could not be saved to \"%1\":\r%2\r"
                                     "The previous file, if any, is unchanged.")
                          .arg(fileName, reason))
    {
    }
};

// Reads the records into project and tables (rows are appended to the emptied soil layer
// table). Reading stops at the first missing or malformed value; messages say what was
// skipped or why reading stopped.
void readProject(TWordReader &reader, ProjectLayout layout, TProgramData &project,
                 ProgramTables &tables, QStringList &messages);

// The whole file text of a project in the current layout.
QByteArray projectFileText(const TProgramData &project, const ProgramTables &tables);

// True when a layer is one of the rock types 4 to 7, which have no load-settlement curves.
bool projectHasRockLayer(const ProgramTables &tables);

// Writes text to fileName through a temporary file in the same folder that is renamed over
// the target only when it is complete. EProjectSaveError on failure.
void writeFileSafely(const QString &fileName, const QByteArray &text);

} // namespace vorna
