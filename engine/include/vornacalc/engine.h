// C++ interface of the analysis engine: one call runs one complete analysis on explicit
// file paths. It touches no process-wide state (no current directory, no locale), so
// several runs may go on at once in different threads.
#pragma once

#include "vornacalc/results.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vorna {

// Run status returned by every run. 0 is a normal end; the other values are distinct so
// that a script or the desktop can tell what went wrong without reading the report.
enum RunStatus : int {
    kStatusOk = 0,
    kStatusRefused = 1,              // entry called with a request code other than 10
    kStatusBeyondLayerProfile = 2,   // load-settlement: station below the layer profile
    kStatusBeyondStrengthCurve = 4,  // load-settlement: base below the strength profile
    kStatusBeyondMaxTransfer = 5,    // load-settlement: base below the max. load transfer
    kStatusNeedAnotherLayer = 6,     // the design load was never reached
    kStatusNoConvergence = 7,        // load-settlement node iteration did not settle
    kStatusNamesFileMissing = 10,    // names.dat missing, unreadable or empty
    kStatusNamesFileIncomplete = 11, // names.dat lacks one of lines 2 to 5
    kStatusOutputNotWritable = 12,   // report, plot or run-time file cannot be written
    kStatusInputMissing = 13,        // input data file does not exist or cannot be read
    kStatusInputEmpty = 14,          // input data file is empty
    kStatusInputEndsEarly = 15,      // input data file ends before a record is complete
    kStatusInputNotANumber = 16,     // a value is not a number (or not an integer)
    kStatusInputBadSoilCode = 17,    // a soil type code outside 1 to 9
    kStatusInputOutOfRange = 18,     // a value the analysis cannot work with
    kStatusSameFileNames = 19,       // two of the four file names name one file
    kStatusInternalError = 99,       // a fault of the engine itself
};

// One line of text for the console channel (title, echo); no line end included.
using ConsoleSink = std::function<void(std::string_view line)>;

struct LocalDateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

struct RunFiles {
    std::filesystem::path input;
    std::filesystem::path report;
    std::filesystem::path plot;
    std::filesystem::path runtime;
    std::string versionText = "2012.7.10";
};

struct RunOptions {
    ConsoleSink console;                    // empty: console text is discarded
    std::optional<LocalDateTime> dateTime;  // empty: the system clock, local time
    std::filesystem::path diagnosticFolder; // where TZDATA.DAT goes; empty: the input's folder
    // When set, the TZDATA.DAT listing (its whole content, lines ended by CR LF) is handed to
    // it instead of being written, so that a host running several analyses at once can write
    // the listings of projects sharing a folder one after the other. Not called by a run that
    // makes no load-transfer computation.
    std::function<void(std::string_view listing)> diagnosticSink;
    AnalysisResults *results = nullptr; // filled when given
    // With `results`: false leaves out the diameters (their rows and curves), for a caller
    // that wants no more than the kind of run, the most efficient shaft and the warnings.
    bool resultsPerDiameter = true;
    // Filled when given and the run ends with kStatusOutputNotWritable or
    // kStatusSameFileNames: the file concerned and the reason, as one line.
    std::string *problem = nullptr;
    // The diameters of the series are analysed two at a time, on threads of their own, and
    // written in their order; false analyses them one after the other on the caller's thread
    // (for a host that already runs several analyses at once). The outputs are the same.
    bool parallelDiameters = true;
};

// Runs one analysis and returns its status (RunStatus). Never throws.
int runAnalysis(const RunFiles &files, const RunOptions &options = {});

// Reads the five-line hand-over file and runs the analysis it names. Relative names in it
// refer to `baseFolder`. Writes nothing when the hand-over file is missing or incomplete.
int runFromNamesFile(const std::filesystem::path &namesFile,
                     const std::filesystem::path &baseFolder, const RunOptions &options = {});

// The report, plot and run-time paths that belong to a project file (.vro, .vrp, .vrr).
RunFiles filesForProject(const std::filesystem::path &projectFile);

// A short English description of a status, for command-line output.
std::string_view describeStatus(int status);

} // namespace vorna
