// The command-line runner as a user calls it.
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace vorna::test;

namespace {

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome runVorna(const std::string &arguments, bool withErrors = true)
{
    const std::string command =
        std::string(VORNA_EXECUTABLE) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE *pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(Cli, HelpAndUsageErrors)
{
    const Outcome help = runVorna("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Usage: vorna"), std::string::npos);
    EXPECT_NE(help.output.find("--version"), std::string::npos);
    EXPECT_EQ(runVorna("").exitCode, 2);
    EXPECT_EQ(runVorna("--bogus x.vrd").exitCode, 2);
    // The version the desktop's About box shows too; it wins over the files named.
    const Outcome version = runVorna("--version nowhere.vrd");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "vorna " VORNA_VERSION "\n");
}

TEST(Cli, RunsEachProjectAndReportsItsStatus)
{
    ScratchFolder folder;
    const auto good = folder / "good.vrd";
    const auto bad = folder / "bad.vrd";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/belled_uplift.vrd", good);
    writeFile(bad, "Bad\r\n1\r\n1 1 1 1 1 2\r\n");
    const Outcome both = runVorna("'" + good.string() + "' '" + bad.string() + "'");
    EXPECT_EQ(both.exitCode, 1);
    EXPECT_NE(both.output.find(good.string() + ": status 0 (normal end), report " +
                               (folder / "good.vro").string()),
              std::string::npos)
        << both.output;
    EXPECT_NE(both.output.find(bad.string() + ": status 15"), std::string::npos) << both.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "good.vrp"));
    EXPECT_TRUE(std::filesystem::exists(folder / "good.vrr"));

    EXPECT_EQ(runVorna("'" + good.string() + "'").exitCode, 0);
    const Outcome missing = runVorna("'" + (folder / "none.vrd").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("status 13"), std::string::npos);
}

// A project named like one of its own outputs is refused untouched; an output that cannot
// be put in place is named with the reason, and no report path is claimed.
TEST(Cli, StatusLineNamesTheFileThatCouldNotBeWritten)
{
    ScratchFolder folder;
    const auto clash = folder / "job.vro";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/belled_uplift.vrd", clash);
    const std::string before = readFile(clash);
    const Outcome refused = runVorna("'" + clash.string() + "'");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.output, clash.string() + ": status 19 (two of the run's file names name the "
                                               "same file: " + clash.string() +
                                  ": named both as the input data file and as the report)\n");
    EXPECT_EQ(readFile(clash), before);

    const auto project = folder / "pier.vrd";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/belled_uplift.vrd", project);
    std::filesystem::create_directory(folder / "pier.vro");
    const Outcome blocked = runVorna("'" + project.string() + "'");
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(blocked.output, project.string() + ": status 12 (an output file cannot be written: " +
                                  (folder / "pier.vro").string() + ": Is a directory)\n");
}

TEST(Cli, JsonHoldsEveryDiameterAndTheBestShaft)
{
    ScratchFolder folder;
    const auto project = folder / "uplift.vrd";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/belled_uplift.vrd", project);
    const Outcome run = runVorna("--json '" + project.string() + "'", false);
    ASSERT_EQ(run.exitCode, 0);
    const auto json = nlohmann::json::parse(run.output);
    EXPECT_EQ(json["status"], 0);
    EXPECT_EQ(json["loading"], "uplift");
    EXPECT_EQ(json["units"]["force"], "tons");
    ASSERT_EQ(json["diameters"].size(), 3u); // 3, 3.5 and 4 ft
    const auto &first = json["diameters"][0];
    EXPECT_EQ(first["stemDiameter"], 3.0);
    EXPECT_TRUE(first["designLoadReached"]);
    // The design row is the first whose allowable load QDN exceeds 150 tons.
    EXPECT_GT(first["designRow"]["QDN"].get<double>(), 150.0);
    const auto &rows = first["rows"];
    EXPECT_LE(rows[rows.size() - 2]["QDN"].get<double>(), 150.0);
    EXPECT_TRUE(first["rows"][0].contains("WT"));
    for (const char *curve : {"trend", "upper bound", "lower bound"})
        EXPECT_EQ(first["loadSettlement"][curve].size(), 15u) << curve;
    EXPECT_TRUE(json["mostEfficientShaft"].is_object());
}

TEST(Cli, CsvHasOneLinePerRowAndSeveralProjectsMakeAJsonArray)
{
    ScratchFolder folder;
    const auto a = folder / "a.vrd";
    const auto b = folder / "b.vrd";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/rock_socket_design_depth.vrd", a);
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/bridge_pier_lrfd_si.vrd", b);
    const Outcome csv = runVorna("--csv '" + a.string() + "'", false);
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.output.rfind("project,units,stem_diameter", 0), 0u);
    // Diameters 3 to 5 ft, each with rows from 6 to 45 ft.
    EXPECT_EQ(std::count(csv.output.begin(), csv.output.end(), '\n'), 1 + 5 * 40);
    EXPECT_NE(csv.output.find(",English,3,3,45,"), std::string::npos);

    const Outcome both = runVorna("--json '" + a.string() + "' '" + b.string() + "'", false);
    const auto json = nlohmann::json::parse(both.output);
    ASSERT_TRUE(json.is_array());
    EXPECT_EQ(json[1]["units"]["force"], "kN");
    EXPECT_EQ(json[1]["designMethod"], "LRFD");
    EXPECT_TRUE(json[1]["diameters"][0]["rows"][0].contains("LRFD_QU"));
    EXPECT_EQ(runVorna("--json --csv x.vrd").exitCode, 2);
}

} // namespace
