// Whole runs of the example projects and of fixtures that cover the other report paths,
// compared line by line with reports, plot files and run-time files checked by hand.
// VORNA_UPDATE_GOLDEN=1 rewrites the expected files instead; do that only deliberately,
// and read the differences before committing them.
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(VORNA_TEST_DATA).parent_path() / "golden";

struct GoldenCase {
    const char *name;
    fs::path project;
};

std::vector<GoldenCase> goldenCases()
{
    const fs::path examples(VORNA_EXAMPLES);
    const fs::path data(VORNA_TEST_DATA);
    return {
        {"example", examples / "example.vrd"},                         // design load never reached
        {"belled_uplift", examples / "belled_uplift.vrd"},             // bell, uplift, design load
        {"bridge_pier_lrfd_si", examples / "bridge_pier_lrfd_si.vrd"}, // SI, LRFD, design load
        {"gravel_decomposed_rock_si", examples / "gravel_decomposed_rock_si.vrd"}, // SI, depth
        {"rock_socket_design_depth", examples / "rock_socket_design_depth.vrd"},   // rock tip
        {"lrfd_uplift_depth", data / "lrfd_uplift_depth.vrd"}, // LRFD uplift, depth
        {"short_profile", data / "short_profile.vrd"},         // no room for the zone
        {"weak_rock_tip", data / "weak_rock_tip.vrd"},         // weak-rock socket
    };
}

// The folder of the run differs from machine to machine.
std::vector<std::string> masked(std::vector<std::string> lines)
{
    for (std::string &line : lines)
        if (line.rfind("     Path to file locations      : ", 0) == 0)
            line = "     Path to file locations      : <folder>";
    return lines;
}

void expectSameLines(const std::vector<std::string> &actual, const fs::path &expectedFile)
{
    const auto expected = masked(fileLines(expectedFile));
    const std::size_t common = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < common; ++i)
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << expectedFile.filename().string() << ", line " << i + 1
                          << " differs:\n  actual:   \"" << actual[i] << "\"\n  expected: \""
                          << expected[i] << "\"";
            return;
        }
    EXPECT_EQ(actual.size(), expected.size()) << expectedFile.filename().string();
}

// Runs a case with a fixed clock; the three output files' lines by file name, masked.
std::vector<std::pair<std::string, std::vector<std::string>>> goldenRun(const GoldenCase &c)
{
    ScratchFolder folder;
    const fs::path project = folder / (std::string(c.name) + ".vrd");
    fs::copy_file(c.project, project);
    const RunFiles files = filesForProject(project);
    RunOptions options;
    options.dateTime = LocalDateTime{2014, 3, 7, 9, 5, 3};
    runAnalysis(files, options);
    std::vector<std::pair<std::string, std::vector<std::string>>> outputs;
    for (const fs::path &output : {files.report, files.plot, files.runtime})
        outputs.emplace_back(output.filename().string(), masked(fileLines(output)));
    return outputs;
}

TEST(Golden, ExampleRunsMatchTheCheckedFiles)
{
    const bool update = std::getenv("VORNA_UPDATE_GOLDEN") != nullptr;
    for (const GoldenCase &c : goldenCases()) {
        SCOPED_TRACE(c.name);
        for (const auto &[name, lines] : goldenRun(c)) {
            const fs::path expected = kGoldenDir / name;
            if (update) {
                writeFile(expected, crlf(lines));
                continue;
            }
            ASSERT_TRUE(fs::exists(expected)) << expected;
            expectSameLines(lines, expected);
        }
    }
}

} // namespace

namespace {

// A host such as the desktop program may run with a comma-decimal C library locale; the
// engine's files must not change with it.
TEST(Golden, ACommaDecimalLocaleChangesNothing)
{
    const char *const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8",
                                        "C.UTF-8@comma"};
    std::string previous = std::setlocale(LC_ALL, nullptr);
    const char *chosen = nullptr;
    for (const char *name : commaLocales)
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            chosen = name;
            break;
        }
    if (!chosen) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no comma-decimal locale is installed";
    }
    for (const GoldenCase &c : goldenCases()) {
        SCOPED_TRACE(c.name);
        for (const auto &[name, lines] : goldenRun(c))
            expectSameLines(lines, kGoldenDir / name);
    }
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
