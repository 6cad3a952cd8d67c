// The command-line runner as a user calls it.
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <sys/wait.h>

using namespace vorna::test;

namespace {

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome runCommand(const std::string &command)
{
    FILE *pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

Outcome runVorna(const std::string &arguments, bool withErrors = true)
{
    return runCommand(std::string(VORNA_EXECUTABLE) + " " + arguments +
                      (withErrors ? " 2>&1" : " 2>/dev/null"));
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
    for (const char *jobs : {"-j", "-j 0", "-j x", "-j 2.5", "-j -1", "-j 257", "-j0"}) {
        SCOPED_TRACE(jobs);
        const Outcome bad = runVorna(std::string(jobs) + " x.vrd");
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_NE(bad.output.find("-j"), std::string::npos) << bad.output;
    }
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
    EXPECT_EQ(refused.output, clash.string() +
                                  ": status 19 (two of the run's file names name the "
                                  "same file: " +
                                  clash.string() +
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

// Results too wide for their columns print as asterisks; vorna says so for each shaft, and
// its JSON output holds the values themselves.
TEST(Cli, WarnsOfResultsPrintedAsAsterisks)
{
    ScratchFolder folder;
    const auto project = folder / "wide.vrd";
    std::filesystem::copy_file(std::string(VORNA_BAD_INPUT) + "/warn_overflowing_rows.vrd",
                               project);
    const Outcome text = runVorna("'" + project.string() + "'");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.output.find(project.string() +
                               ": warning: values of QS, QU, QBD, QDN, QU/VOLUME for the shaft of "
                               "3 ft diameter are printed as asterisks in the report; vorna --json "
                               "gives the full values\n"),
              std::string::npos)
        << text.output;
    const std::string report = readFile(folder / "wide.vro");
    EXPECT_NE(report.find("*********"), std::string::npos);
    EXPECT_NE(
        report.find("     SOME VALUES OF QS, QU, QBD, QDN AND QU/VOLUME FOR THE SHAFT OF 3 FT "
                    "DIAMETER\r\n"),
        std::string::npos);

    const Outcome run = runVorna("--json '" + project.string() + "'", false);
    const auto json = nlohmann::json::parse(run.output);
    const auto &design = json["diameters"][0]["designRow"];
    // F9.2 holds at most 999999.99: the value that printed as asterisks is larger.
    EXPECT_GT(design["QU"].get<double>(), 999999.995);
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

// The nominal resistance of every diameter: at 5 % of the base diameter (not the stem's), in
// the curves' movement units, and a load the curve brackets or "not reached" when the curve
// ends before. The belled shaft has a base wider than its stem; the pier is in SI units.
TEST(Cli, NominalResistanceAtFivePercentOfTheBaseDiameter)
{
    ScratchFolder folder;
    std::string arguments;
    for (const char *name :
         {"belled_uplift.vrd", "bridge_pier_lrfd_si.vrd", "rock_socket_design_depth.vrd"}) {
        std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/" + name, folder / name);
        arguments += " '" + (folder / name).string() + "'";
    }
    const auto json = nlohmann::json::parse(runVorna("--json" + arguments, false).output);
    ASSERT_EQ(json.size(), 3u);
    int notReached = 0;
    int reached = 0;
    for (const auto &project : json) {
        const bool si = project["units"]["length"] == "m";
        for (const auto &d : project["diameters"]) {
            const double base = d["baseDiameter"].get<double>();
            const double settlement = d["nominalResistance"]["settlement"].get<double>();
            EXPECT_NEAR(settlement, 0.05 * base * (si ? 1.0 : 12.0), 1e-12);
            for (const auto &[curve, points] : d["loadSettlement"].items()) {
                SCOPED_TRACE(curve);
                const auto &value = d["nominalResistance"][curve];
                if (value.is_string()) {
                    EXPECT_EQ(value, "not reached");
                    EXPECT_LT(points.back()["topMovement"].get<double>(), settlement);
                    ++notReached;
                    continue;
                }
                double before = 0.0, beforeLoad = 0.0;
                for (const auto &p : points) {
                    if (p["topMovement"].get<double>() >= settlement)
                        break;
                    before = p["topMovement"].get<double>();
                    beforeLoad = p["topLoad"].get<double>();
                }
                EXPECT_LT(before, settlement);
                EXPECT_GE(value.get<double>(), beforeLoad);
                ++reached;
            }
        }
    }
    EXPECT_GT(reached, 0);
    EXPECT_GT(notReached, 0);

    const std::string csv = runVorna("--csv" + arguments, false).output;
    EXPECT_NE(csv.find("QU_per_volume_or_LRFD_QU,settlement_at_5pct_Db,Q_at_5pct_Db_trend,"
                       "Q_at_5pct_Db_upper_bound,Q_at_5pct_Db_lower_bound,Q_at_5pct_Db_socket,"
                       "Q_at_5pct_Db_measured\n"),
              std::string::npos);
    // Belled uplift, first diameter: base 7.5 ft (3 ft stem, ratio 2.5), so 4.5 in, which
    // its curves, ending near 5 % of the stem, do not reach.
    EXPECT_EQ(json[0]["diameters"][0]["baseDiameter"], 7.5);
    // No load test is kept: the measured column stays empty and JSON has no "measured".
    EXPECT_NE(csv.find(",4.5,not reached,not reached,not reached,,\n"), std::string::npos);
    EXPECT_FALSE(json[0]["diameters"][0]["nominalResistance"].contains("measured"));
}

// A load test kept beside the project gives the measured curve's load at 5 % of each base
// diameter, interpolated by hand here; one that cannot be read is named on standard error and
// left out, and the run's status stays its own.
TEST(Cli, MeasuredCurveOfAKeptLoadTest)
{
    ScratchFolder folder;
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/bridge_pier_lrfd_si.vrd",
                               folder / "pier.vrd");
    {
        std::ofstream kept(folder / "pier.loadtest.csv", std::ios::binary);
        kept << "head load (kN),head settlement (m)\r\n1000,0.002\r\n4000,0.01\r\n"
                "6000,0.03\r\n7000,0.06\r\n";
    }
    const std::string project = " '" + (folder / "pier.vrd").string() + "'";
    const auto json = nlohmann::json::parse(runVorna("--json" + project, false).output);
    const auto &first = json["diameters"][0];
    ASSERT_EQ(first["baseDiameter"], 0.9);
    // 5 % of 0.9 m is 0.045 m: 6000 + (0.045 - 0.03) / (0.06 - 0.03) x 1000 = 6500 kN.
    EXPECT_NEAR(first["nominalResistance"]["measured"].get<double>(), 6500.0, 1e-9);
    const std::string csv = runVorna("--csv" + project, false).output;
    const std::size_t rowStart = csv.find('\n') + 1;
    const std::string firstRow = csv.substr(rowStart, csv.find('\n', rowStart) - rowStart);
    EXPECT_NEAR(std::stod(firstRow.substr(firstRow.rfind(',') + 1)), 6500.0, 1e-9);

    {
        std::ofstream kept(folder / "pier.loadtest.csv", std::ios::binary);
        kept << "head load (kN),head settlement (m)\n1000,0.002\n4000,abc\n";
    }
    const Outcome bad = runVorna("--json" + project);
    EXPECT_EQ(bad.exitCode, 0);
    EXPECT_NE(bad.output.find("is left out: Line 3: \"abc\" is not a number (the settlement)."),
              std::string::npos)
        << bad.output;
    EXPECT_EQ(bad.output.find("\"measured\""), std::string::npos);
}

// Every file in a folder tree, by its path inside the folder; the report's date-and-time line
// is masked, since two runs are seconds apart.
std::map<std::string, std::string> folderFiles(const std::filesystem::path &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::string content = readFile(entry.path());
        if (entry.path().extension() == ".vro") {
            const std::size_t date = content.find("Date:  ");
            if (date != std::string::npos)
                content.replace(date, content.find('\r', date) - date, "Date: masked");
        }
        files[std::filesystem::relative(entry.path(), folder).string()] = content;
    }
    return files;
}

// Runs the same command line serially and with -j 2 in the same folder and compares standard
// output, the status lines and every file written, byte for byte. The projects are every
// example and test project, spread over two folders so that each folder's TZDATA.DAT must be
// the listing of the last of its projects in the order given; one project is given twice.
TEST(Cli, ManyAtOnceWriteWhatOneAfterTheOtherWrites)
{
    ScratchFolder folder;
    std::vector<std::filesystem::path> sources;
    for (const char *dir : {VORNA_EXAMPLES, VORNA_TEST_PROJECTS}) {
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".vrd")
                sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    ASSERT_GE(sources.size(), 8u);
    std::string arguments;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::filesystem::path target =
            folder.path() / (i % 2 ? "one" : "two") / sources[i].filename();
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(sources[i], target);
        arguments += " '" + target.string() + "'";
    }
    arguments += " '" + (folder.path() / "two" / sources[0].filename()).string() + "'";
    const auto isProject = [](const std::filesystem::path &p) { return p.extension() == ".vrd"; };
    const auto clearOutputs = [&] {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder.path()))
            if (entry.is_regular_file() && !isProject(entry.path()))
                std::filesystem::remove(entry.path());
    };

    ScratchFolder logs;
    const auto run = [&](const std::string &options, Outcome &status) {
        const std::filesystem::path log = logs / "status.txt";
        const Outcome data = runCommand(std::string(VORNA_EXECUTABLE) + " " + options + arguments +
                                        " 2>'" + log.string() + "'");
        status = {data.exitCode, readFile(log)};
        return data;
    };
    for (const char *format : {"", "--json", "--csv"}) {
        SCOPED_TRACE(format);
        clearOutputs();
        Outcome serialStatus, parallelStatus;
        const Outcome serialData = run(format, serialStatus);
        const auto serialFiles = folderFiles(folder.path());
        clearOutputs();
        const Outcome parallelData = run(std::string("-j 2 ") + format, parallelStatus);
        const auto parallelFiles = folderFiles(folder.path());

        EXPECT_EQ(parallelData.exitCode, serialData.exitCode);
        EXPECT_EQ(parallelData.output, serialData.output);
        EXPECT_EQ(parallelStatus.output, serialStatus.output);
        EXPECT_NE((serialData.output + serialStatus.output)
                      .find(sources.back().filename().string() + ": status"),
                  std::string::npos);
        ASSERT_EQ(parallelFiles.size(), serialFiles.size());
        for (const auto &[name, content] : serialFiles) {
            SCOPED_TRACE(name);
            ASSERT_TRUE(parallelFiles.count(name));
            EXPECT_TRUE(parallelFiles.at(name) == content);
        }
        EXPECT_TRUE(serialFiles.count("one/TZDATA.DAT") && serialFiles.count("two/TZDATA.DAT"));
    }
}

} // namespace
