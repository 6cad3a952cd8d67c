// `vornadesk --export-pdf PROJECT.vrd OUT.pdf`: the calculation package written without a
// window. The analysis runs first (through the engine library, as the Run command calls it)
// when the project's results are missing or older than the project file.
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace vorna {

inline constexpr const char *kExportPdfOption = "--export-pdf";

// Exit statuses of the export.
inline constexpr int kExportWritten = 0;
inline constexpr int kExportFailed = 1;    // nothing written: the message says why
inline constexpr int kExportRunErrors = 2; // written, but the run ended with an error status

// True when the arguments (program name first) ask for the export.
bool isExportRequest(const QStringList &arguments);

// Writes the package and returns an exit status; every failure and warning goes to `errors`,
// one message a line. engineFolder: where the engine library lies.
int exportCalculationPackage(const QStringList &arguments, const QString &engineFolder,
                             QTextStream &errors);

} // namespace vorna
