// The measured load-settlement curve kept beside a project (NAME.loadtest.csv), read without
// Qt for `vorna --json` and `--csv`. The rules are the desktop's: a header naming a column of
// loads and one of settlements with their units ("head load (kN)", "settlement [mm]"), comma,
// semicolon or tab separated values with "." decimals, no negative or decreasing settlements,
// at most 10,000 points; a failure names the line.
#pragma once

#include "vornacalc/results.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorna::cli {

inline constexpr int kMaxLoadTestPoints = 10000;

class LoadTestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The measured points in the units of the run's curves: topLoad in tons and topMovement in
// inches for English runs, kN and metres for SI runs; the tip values stay zero.
std::vector<SettlementPoint> readLoadTestCsv(const std::string &text, bool si);
// As above from a file; LoadTestError also when it cannot be read.
std::vector<SettlementPoint> readLoadTestFile(const std::filesystem::path &file, bool si);

// NAME.loadtest.csv beside NAME.vrd.
std::filesystem::path loadTestFileName(const std::filesystem::path &project);

} // namespace vorna::cli
