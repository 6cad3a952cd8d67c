#include "package_export.h"

#include "calculation_package.h"
#include "engine_loader.h"
#include "file_names.h"
#include "load_test.h"
#include "platform/platform.h"
#include "program_data.h"
#include "program_tables.h"
#include "project_file.h"
#include "run_command.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace vorna {

namespace {

// The completion texts break lines with "\r".
QString oneLine(const QString &text)
{
    QString shown = text;
    shown.replace(u'\r', u' ');
    return shown.simplified();
}

// Runs the engine on the project as the Run command does: names.dat in the project's folder,
// which is current during the run, and the entry called once. The status, or nothing (after
// the message) when the engine could not be called.
std::optional<int> runAnalysis(const QString &projectFileName, const QString &engineFolder,
                               QTextStream &errors)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(projectFileName).absolutePath());
    struct Restore {
        QString folder;
        ~Restore() { QDir::setCurrent(folder); }
    } restore{previous};
    try {
        const NamesFile namesFile(QDir::currentPath(), projectFileName);
        TDynamicLibrary library;
        library.SetLibraryName(QDir(engineFolder).filePath(platform::engineLibraryFileName()));
        library.Load();
        const VornaEntry entry = engineEntry(library);
        if (!entry) {
            errors << QString::fromUtf8(runmessage::kInitializeFailed) << Qt::endl;
            return std::nullopt;
        }
        return entry(10);
    } catch (const EVornaError &e) {
        errors << QString::fromUtf8(runmessage::kInitializeFailed) << ": " << oneLine(e.message())
               << Qt::endl;
        return std::nullopt;
    }
}

} // namespace

bool isExportRequest(const QStringList &arguments)
{
    return arguments.size() > 1 && arguments.at(1) == QLatin1String(kExportPdfOption);
}

int exportCalculationPackage(const QStringList &arguments, const QString &engineFolder,
                             QTextStream &errors)
{
    if (arguments.size() != 4) {
        errors << "usage: vornadesk " << kExportPdfOption << " PROJECT.vrd OUT.pdf" << Qt::endl;
        return kExportFailed;
    }
    const QString projectFileName =
        QFileInfo(commandLineProjectName(arguments.at(2))).absoluteFilePath();
    const QString pdfFileName = QFileInfo(arguments.at(3)).absoluteFilePath();
    const QString shownProject = QDir::toNativeSeparators(projectFileName);
    if (isResultExtension(QFileInfo(projectFileName).suffix())) {
        errors << oneLine(QString::fromUtf8(runmessage::kResultExtension).arg(shownProject))
               << Qt::endl;
        return kExportFailed;
    }

    ProgramTables tables;
    TProgramData project;
    try {
        QStringList messages;
        project = CreateFromFile(projectFileName, ProjectLayout::Current, tables, messages);
        if (!messages.isEmpty()) {
            errors << "The project \"" << shownProject
                   << "\" could not be read wholly:" << Qt::endl;
            for (const QString &m : messages)
                errors << "  " << oneLine(m) << Qt::endl;
            return kExportFailed;
        }
    } catch (const EVornaError &e) {
        errors << "The project \"" << shownProject << "\" cannot be read: " << oneLine(e.message())
               << Qt::endl;
        return kExportFailed;
    }

    int exitStatus = kExportWritten;
    if (!resultsAreCurrent(projectFileName)) {
        const QDateTime started = QDateTime::currentDateTime();
        const std::optional<int> status = runAnalysis(projectFileName, engineFolder, errors);
        if (!status)
            return kExportFailed;
        if (*status != 0) {
            errors << "The analysis ended with status " << *status << ": "
                   << oneLine(completionMessage(*status, projectFileName, started)) << Qt::endl;
            exitStatus = kExportRunErrors;
        }
        if (!resultsAreCurrent(projectFileName)) {
            errors << "The analysis of \"" << shownProject << "\" wrote no results." << Qt::endl;
            return kExportFailed;
        }
    }

    std::optional<LoadTestCurve> loadTest;
    const QString keptLoadTest = loadTestFileName(projectFileName);
    if (QFileInfo::exists(keptLoadTest)) {
        try {
            loadTest = readLoadTestFile(keptLoadTest, {}, unitCode(project.unitSystem));
        } catch (const ELoadTestError &e) {
            errors << "The load test \"" << QDir::toNativeSeparators(keptLoadTest)
                   << "\" could not be read and is left out: " << oneLine(e.message()) << Qt::endl;
        }
    }
    try {
        writeCalculationPackage({project, tables, loadTest, QDate::currentDate()}, pdfFileName);
    } catch (const EVornaError &e) {
        errors << oneLine(e.message()) << Qt::endl;
        return kExportFailed;
    }
    return exitStatus;
}

} // namespace vorna
