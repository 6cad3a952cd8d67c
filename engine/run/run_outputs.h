// The three output files of a run are written under temporary names beside their final
// ones and moved into place only when complete, so a run that fails to write its results
// leaves no earlier plot or run-time file looking like its own. Also the check that the four
// file names of a run name four different files.
#pragma once

#include "vornacalc/engine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace vorna {

struct RunContext;

// What went wrong with a file: its name and the system's reason.
struct FileProblem {
    std::filesystem::path file;
    std::string reason;
    // "<file>: <reason>", for a status line.
    std::string text() const { return file.string() + ": " + reason; }
};

// The name an output is written under until the run has finished it: "job.vro.tmp".
std::filesystem::path temporaryOutputName(const std::filesystem::path &finalName);

// A problem when one of the four names is the same file as another (the input data file
// named again as an output, or two outputs under one name): the run must then not start,
// or it would overwrite the project with its own results.
std::optional<FileProblem> sharedFileName(const RunFiles &files);

// A problem when an output's final name is taken by something that is not a file (a
// folder), which the finished output could not replace.
std::optional<FileProblem> outputNameInTheWay(const RunFiles &files);

// Opens the three outputs under their temporary names; the first problem, if any.
std::optional<FileProblem> openOutputs(RunContext &run);

// Starts removing the earlier outputs of the run's names, on a thread of its own where one
// can be had. Freeing a replaced file's blocks can wait on the disk; the run computes
// meanwhile instead of waiting at its end, when its outputs would replace them. Every run
// that opened its outputs ends by replacing or removing all three, so nothing is lost that
// it would have kept. Join the thread before the outputs are moved into place.
std::jthread removeEarlierOutputs(const RunFiles &files);

// Flushes and closes the three outputs and moves the complete ones into place. When one
// could not be written completely, the run status becomes kStatusOutputNotWritable, an
// error block naming the file goes to the report and the run-time file where they can
// still take it, and no plot data file is kept. Outputs not moved into place are removed
// together with the earlier files of their names. The first problem, if any.
std::optional<FileProblem> finishOutputs(RunContext &run, std::optional<FileProblem> problem);

// Removes the outputs' temporary files and the earlier outputs of the run's names.
void discardOutputs(const RunFiles &files);

} // namespace vorna
