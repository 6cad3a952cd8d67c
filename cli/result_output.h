// Machine-readable output of the command-line runner: JSON and CSV of the results.
#pragma once

#include "vornacalc/results.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorna::cli {

struct ProjectRun {
    std::filesystem::path project;
    std::filesystem::path report;
    int status = 0;
    AnalysisResults results;
    std::vector<std::string> messages; // the run-time file, empty lines left out
    std::string problem;               // what kept an output file from being written
    bool reportWritten = false;
    // The measured curve kept beside the project (NAME.loadtest.csv), in the curves' units;
    // empty without one, or when it could not be read (loadTestProblem says why).
    std::vector<SettlementPoint> loadTest;
    std::string loadTestProblem;
};

// One JSON object per run; several runs make an array.
std::string toJson(const std::vector<ProjectRun> &runs);

// One CSV line per result row of every diameter of every run, after a header line.
std::string toCsv(const std::vector<ProjectRun> &runs);

} // namespace vorna::cli
