// The C++ entry of the engine: opens the files of a run, writes the report head and
// hands over to the analysis. The only place that handles RunStopped (a diameter analysed
// on a thread of its own carries it over to the run's thread).
#include "vornacalc/engine.h"

#include "method/charts.h"
#include "report/fixed_field.h"
#include "report/report_head.h"
#include "run/analysis.h"
#include "run/run_context.h"
#include "run/run_outputs.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vorna {
namespace {

LocalDateTime systemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::optional<std::string> readWholeFile(const std::filesystem::path &path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::ostringstream content;
    content << stream.rdbuf();
    if (stream.bad())
        return std::nullopt;
    return content.str();
}

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

void noteProblem(const RunContext &run, const FileProblem &problem)
{
    if (run.options.problem)
        *run.options.problem = problem.text();
}

int runOpened(RunContext &run)
{
    run.console(" VERTICALLY LOADED DRILLED SHAFT ANALYSIS PROGRAM VORNA");
    run.consoleEmpty(2);

    // Nothing is written for a run that would overwrite its own input or outputs.
    if (const std::optional<FileProblem> shared = sharedFileName(run.files)) {
        noteProblem(run, *shared);
        return kStatusSameFileNames;
    }
    const std::optional<std::string> input = readWholeFile(run.files.input);
    std::optional<FileProblem> problem = outputNameInTheWay(run.files);
    if (!problem)
        problem = openOutputs(run);
    if (!run.report.isOpen()) {
        run.plot.close();
        run.runtime.close();
        discardOutputs(run.files);
        noteProblem(run, *problem);
        return kStatusOutputNotWritable;
    }

    std::jthread removing = removeEarlierOutputs(run.files);
    writeBanner(run.report, run.files.versionText);
    writeFileNames(run.report, run.files);
    writeDateTime(run.report, run.options.dateTime.value_or(systemLocalTime()));

    try {
        if (problem)
            throw RunStopped{kStatusOutputNotWritable};
        if (!input)
            stopWithError(run, kStatusInputMissing,
                          {"THE INPUT DATA FILE " + run.files.input.string(),
                           "DOES NOT EXIST OR CANNOT BE READ."});
        if (isBlank(*input))
            stopWithError(run, kStatusInputEmpty,
                          {"THE INPUT DATA FILE " + run.files.input.string() + " IS EMPTY."});
        analyse(run, *input);
    } catch (const RunStopped &stop) {
        run.status = stop.status;
    } catch (const ChartValueNotFinite &fault) {
        writeErrorBlock(run, {fault.what(),
                              "EXPECTED: SHAFT AND LAYER DATA WITHIN THE RANGES OF THE METHODS."});
        run.status = kStatusInputOutOfRange;
    } catch (const std::exception &fault) {
        writeErrorBlock(run, {"THE ANALYSIS STOPPED ON AN INTERNAL FAULT:", fault.what()});
        run.status = kStatusInternalError;
    }
    if (run.deferredDiagnostics) {
        try {
            run.deferredDiagnostics();
        } catch (...) {
            // The listing is read by nothing; its loss must not change the run's outcome.
        }
    }
    if (removing.joinable())
        removing.join();
    problem = finishOutputs(run, problem);
    if (problem)
        noteProblem(run, *problem);
    return run.status;
}

} // namespace

int runAnalysis(const RunFiles &files, const RunOptions &options)
{
    try {
        RunContext run;
        run.files = files;
        run.options = options;
        return runOpened(run);
    } catch (...) {
        return kStatusInternalError;
    }
}

int runFromNamesFile(const std::filesystem::path &namesFile,
                     const std::filesystem::path &baseFolder, const RunOptions &options)
{
    try {
        const std::optional<std::string> content = readWholeFile(namesFile);
        if (!content || content->empty())
            return kStatusNamesFileMissing;
        std::vector<std::string> lines;
        std::istringstream stream(*content);
        for (std::string line; std::getline(stream, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        if (lines.size() < 5)
            return kStatusNamesFileIncomplete;
        const auto fileName = [&](std::size_t index) {
            std::string name = lines[index].substr(0, 255);
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
                name.pop_back();
            std::filesystem::path path(name);
            return path.is_relative() ? baseFolder / path : path;
        };
        RunFiles files;
        files.versionText = padded(lines[0], 12);
        for (std::size_t i = 1; i <= 4; ++i)
            if (isBlank(lines[i]))
                return kStatusNamesFileIncomplete;
        files.input = fileName(1);
        files.report = fileName(2);
        files.plot = fileName(3);
        files.runtime = fileName(4);
        return runAnalysis(files, options);
    } catch (...) {
        return kStatusInternalError;
    }
}

RunFiles filesForProject(const std::filesystem::path &projectFile)
{
    RunFiles files;
    files.input = projectFile;
    files.report = std::filesystem::path(projectFile).replace_extension(".vro");
    files.plot = std::filesystem::path(projectFile).replace_extension(".vrp");
    files.runtime = std::filesystem::path(projectFile).replace_extension(".vrr");
    return files;
}

std::string_view describeStatus(int status)
{
    switch (status) {
    case kStatusOk:
        return "normal end";
    case kStatusRefused:
        return "run request refused";
    case kStatusBeyondLayerProfile:
        return "load-settlement station beyond the layer profile";
    case kStatusBeyondStrengthCurve:
        return "shaft base beyond the strength profile";
    case kStatusBeyondMaxTransfer:
        return "shaft base beyond the maximum load transfer profile";
    case kStatusNeedAnotherLayer:
        return "design load never reached: another soil layer is needed";
    case kStatusNoConvergence:
        return "load-settlement iteration did not converge";
    case kStatusNamesFileMissing:
        return "names.dat missing or empty";
    case kStatusNamesFileIncomplete:
        return "names.dat lacks a file name";
    case kStatusOutputNotWritable:
        return "an output file cannot be written";
    case kStatusInputMissing:
        return "input data file missing or unreadable";
    case kStatusInputEmpty:
        return "input data file empty";
    case kStatusInputEndsEarly:
        return "input data file ends early";
    case kStatusInputNotANumber:
        return "input data file holds a value that is not a number";
    case kStatusInputBadSoilCode:
        return "input data file holds a soil type code outside 1 to 9";
    case kStatusInputOutOfRange:
        return "input data file holds a value out of range";
    case kStatusSameFileNames:
        return "two of the run's file names name the same file";
    case kStatusInternalError:
        return "internal fault of the engine";
    default:
        return "unknown status";
    }
}

} // namespace vorna
