// The calculation package: one PDF a reviewer can read on its own. Every page carries a title
// block (project title, file name, date, "page n of m"); the pages hold the input in tables in
// the project's units, the design row of each diameter and the most efficient shaft, the
// capacity and load-settlement graphs, the elevation view and then the whole text report.
// It is built from the project and the files of its last run (NAME.vrp, NAME.vro), so the
// menu command and `vornadesk --export-pdf` write the same document.
#pragma once

#include "errors.h"
#include "load_test.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vorna {

class ProgramTables;
class TProgramData;

class ECalculationPackageError : public EVornaError {
public:
    using EVornaError::EVornaError;
};

// A table of the package: a heading, one header text a column and rows of cell texts.
struct PackageTable {
    QString heading;
    QStringList headers;
    std::vector<QStringList> rows;
};

// The input of the project as the package shows it, table by table, in the project's units:
// the project and its design settings, the shaft and water table, the soil layers, then the
// parameters of every layer.
std::vector<PackageTable> inputTables(const TProgramData &project, const ProgramTables &tables);

struct CalculationPackageSource {
    const TProgramData &project;
    const ProgramTables &tables;
    std::optional<LoadTestCurve> loadTest; // in the project's units
    QDate date;
};

// True when NAME.vrp and NAME.vro exist and neither is older than the project file.
bool resultsAreCurrent(const QString &projectFileName);

// Writes the package to pdfFileName whole: a failed write leaves an old file as it was.
// ECalculationPackageError when the run's files cannot be read or the PDF cannot be written.
// Returns the number of pages.
int writeCalculationPackage(const CalculationPackageSource &source, const QString &pdfFileName);

} // namespace vorna
