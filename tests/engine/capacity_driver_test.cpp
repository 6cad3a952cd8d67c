// Whole runs of small projects, for the rules of the diameter loop and the closing notes.
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

struct ProjectRun {
    int status;
    std::vector<std::string> report;
    std::vector<std::string> plot;
    std::vector<std::string> runtime;
    std::vector<std::string> console;
    AnalysisResults results;
};

ProjectRun runProject(const std::vector<std::string> &lines, bool resultsPerDiameter = true)
{
    ScratchFolder folder;
    const RunFiles files = filesForProject(folder / "job.vrd");
    writeFile(files.input, crlf(lines));
    ProjectRun run;
    RunOptions options;
    options.console = [&run](std::string_view line) { run.console.emplace_back(line); };
    options.results = &run.results;
    options.resultsPerDiameter = resultsPerDiameter;
    run.status = runAnalysis(files, options);
    run.report = fileLines(files.report);
    run.plot = fileLines(files.plot);
    run.runtime = fileLines(files.runtime);
    return run;
}

bool holds(const std::vector<std::string> &lines, const std::string &text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// Sand over clay, deep enough for every diameter, to a design depth of 30 ft.
std::vector<std::string> sandOverClay(const std::string &shaft)
{
    return {"Driver",
            "1",
            "2 1 1 1 1 2",
            shaft,
            "2 10 30 2.5 3",
            "1 20",
            "0.0 120 34 0.0 25 0 0 1 1",
            "0.0 122 36 0.0 30 0 0 1 1",
            "2",
            "0 0",
            "2 90",
            "0 120 0.0 2000 0 0 0 1 1",
            "0 124 0.0 3000 0 0 0 1 1",
            "0 0"};
}

TEST(CapacityDriver, EveryDiameterBlockCountsTheDiametersAnalysed)
{
    // 3 to 4.99 ft analyses 3.0, 3.5, 4.0, 4.5 and 5.0: five blocks, each saying five.
    const ProjectRun run = runProject(sandOverClay("3 4.99 0 0 0 0 4000000"));
    ASSERT_EQ(run.status, kStatusOk);
    ASSERT_EQ(run.results.diameters.size(), 5u);
    EXPECT_DOUBLE_EQ(run.results.diameters.back().stemDiameter, 5.0);
    int headers = 0;
    for (const std::string &line : run.plot)
        if (line.rfind("           5          ", 0) == 0 && line.size() == 36)
            ++headers;
    EXPECT_EQ(headers, 5);
    for (const DiameterResult &d : run.results.diameters) {
        SCOPED_TRACE(d.stemDiameter);
        ASSERT_FALSE(d.rows.empty());
        EXPECT_DOUBLE_EQ(d.rows.back().length, 30.0); // rows end at the design depth
        EXPECT_EQ(d.curves.size(), 3u);               // a clay tip: three curves
    }
}

TEST(CapacityDriver, TheMostEfficientShaftHasTheLargestCapacityPerVolume)
{
    const ProjectRun run = runProject(sandOverClay("2 4 0 0 0 0 4000000"));
    ASSERT_EQ(run.status, kStatusOk);
    ASSERT_TRUE(run.results.best);
    double best = 0.0;
    double bestDiameter = 0.0;
    for (const DiameterResult &d : run.results.diameters) {
        const ResultRow &last = d.rows.back();
        if (last.QU / last.volume > best) {
            best = last.QU / last.volume;
            bestDiameter = d.stemDiameter;
        }
    }
    EXPECT_DOUBLE_EQ(run.results.best->stemDiameter, bestDiameter);
    EXPECT_NEAR(run.results.best->QUperVolume, best, 1e-9);
}

// The report without the lines that differ between two runs of one project: its scratch
// folder and the time of the run.
std::vector<std::string> withoutFolderAndTime(std::vector<std::string> report)
{
    std::erase_if(report, [](const std::string &line) {
        return line.find("Path to file locations") != std::string::npos ||
               line.find("Date:") != std::string::npos;
    });
    return report;
}

// Results asked for without the diameters keep everything else, and the run its files.
TEST(CapacityDriver, ResultsWithoutTheDiametersKeepTheRest)
{
    const std::vector<std::vector<std::string>> projects = {
        sandOverClay("2 4 0 0 0 0 4000000"),
        fileLines(std::string(VORNA_BAD_INPUT) + "/warn_overflowing_rows.vrd")};
    for (const std::vector<std::string> &project : projects) {
        const ProjectRun whole = runProject(project);
        const ProjectRun lean = runProject(project, false);
        ASSERT_EQ(whole.status, kStatusOk);
        ASSERT_FALSE(whole.results.diameters.empty());
        EXPECT_EQ(lean.status, whole.status);
        EXPECT_TRUE(lean.results.diameters.empty());
        ASSERT_TRUE(whole.results.best && lean.results.best);
        EXPECT_EQ(lean.results.best->stemDiameter, whole.results.best->stemDiameter);
        EXPECT_EQ(lean.results.best->QUperVolume, whole.results.best->QUperVolume);
        EXPECT_EQ(lean.results.si, whole.results.si);
        EXPECT_EQ(lean.results.lrfd, whole.results.lrfd);
        EXPECT_EQ(lean.results.overflowWarnings, whole.results.overflowWarnings);
        EXPECT_EQ(withoutFolderAndTime(lean.report), withoutFolderAndTime(whole.report));
        EXPECT_EQ(lean.plot, whole.plot);
        EXPECT_EQ(lean.runtime, whole.runtime);
        EXPECT_EQ(lean.console, whole.console);
    }
    EXPECT_FALSE(runProject(projects[1], false).results.overflowWarnings.empty());
}

TEST(CapacityDriver, ShortProfileWarnsOnTheConsoleAndInTheRuntimeFile)
{
    // 14 ft of sand below a 12 ft design depth: no diameter reaches it, and from 5 ft on
    // the two-diameter zone does not fit at all.
    const ProjectRun run =
        runProject({"Short", "1", "2 1 1 1 1 2", "2 5 0 0 3 0 4000000", "1 6 12 2.5 3", "1 14",
                    "0.0 120 34 0.0 25 0 0 1 1", "0.0 122 36 0.0 30 0 0 1 1", "2", "0 0"});
    EXPECT_EQ(run.status, kStatusOk);
    EXPECT_TRUE(holds(run.console, " NOTE: Please add at least 2-diameter depth to the "));
    EXPECT_TRUE(holds(run.runtime, "       INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR"));
    EXPECT_TRUE(run.results.diameters.back().rows.empty());
}

TEST(CapacityDriver, DesignLoadNeverReachedEndsTheRun)
{
    std::vector<std::string> project = sandOverClay("2 4 0 0 0 0 4000000");
    project[2] = "1 1 1 1 1 2";
    project[4] = "2 10 100000 2.5 3";
    const ProjectRun run = runProject(project);
    EXPECT_EQ(run.status, kStatusNeedAnotherLayer);
    const std::string message = "   *********** NEED ANOTHER SOIL LAYER ************";
    EXPECT_EQ(run.report.back(), message);
    EXPECT_TRUE(holds(run.runtime, message));
    EXPECT_TRUE(holds(run.console, message));
    EXPECT_TRUE(run.plot.empty()); // no plot data of the diameter
    EXPECT_FALSE(holds(run.report, "        RESULT FROM TREND (AVERAGED) LINE"));
}

TEST(CapacityDriver, WeakCodeFourRockAddsTheClosingNote)
{
    struct Case {
        const char *name;
        const char *rockLine;
        bool note;
    };
    const Case cases[] = {
        {"500 psi rock", "72000 576000 3 0.01 3 0 500000 80 0 1 1", true},
        {"3000 psi rock", "432000 576000 3 0.01 3 0 500000 80 0 1 1", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ProjectRun run =
            runProject({"Rock", "1", "2 1 1 1 1 2", "3 3 0 0 0 0 4000000", "2 10 30 2.5 3", "2 10",
                        "0 120 0.0 2000 0 0 0 1 1", "0 120 0.0 2000 0 0 0 1 1", "0 0", "4 60",
                        c.rockLine, c.rockLine});
        ASSERT_EQ(run.status, kStatusOk);
        EXPECT_EQ(holds(run.report, "ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)"),
                  c.note);
        EXPECT_EQ(run.results.diameters.front().curveNames, std::vector<std::string>{"socket"});
    }
}

TEST(CapacityDriver, UpliftPlotsTheWeightUndividedAndLrfdItsOwnColumns)
{
    std::vector<std::string> project = sandOverClay("3 3 0 0 0 0 4000000");
    project[2] = "2 2 0.7 1 1 2";
    const ProjectRun uplift = runProject(project);
    ASSERT_EQ(uplift.status, kStatusOk);
    const ResultRow &row = uplift.results.diameters[0].rows.front();
    // QDN = QS/FST + WT: the factor of safety on the base is 1 in uplift.
    EXPECT_NEAR(row.QDN, row.QS / 2.5 + row.QB, 1e-9);
    EXPECT_NEAR(row.QBD, row.QS + row.QB, 1e-9);

    project[2] = "2 1 1 1 1 1";
    const ProjectRun lrfd = runProject(project);
    const ResultRow &factored = lrfd.results.diameters[0].rows.back();
    EXPECT_NEAR(factored.QUperVolume, factored.QBD + factored.QDN, 1e-9);
}

TEST(CapacityDriver, LayersThatSnapToNoThicknessAreWarnedOfAndLeftOut)
{
    const ProjectRun run =
        runProject(fileLines(fs::path(VORNA_TEST_DATA) / "zero_thickness_layer.vrd"));
    ASSERT_EQ(run.status, kStatusOk);
    for (const auto *file : {&run.report, &run.runtime}) {
        EXPECT_TRUE(holds(*file, "     *********************WARNING**********************"));
        EXPECT_TRUE(holds(*file,
                          "     INPUT DATA FILE, LINE 11, VALUE 2: LAYER 2: THE BOTTOM DEPTH "
                          "20.3 FT AND THE TOP DEPTH 20.49 FT "
                          "BOTH SNAP TO 20 FT."));
        EXPECT_TRUE(holds(*file,
                          "     INPUT DATA FILE, LINE 19, VALUE 2: LAYER 4: THE BOTTOM DEPTH "
                          "60.2 FT AND THE TOP DEPTH 60 FT "
                          "BOTH SNAP TO 60 FT."));
        EXPECT_TRUE(holds(*file, "     THE LAYER HAS NO THICKNESS AND NO DEPTH STEP; THE ANALYSIS "
                                 "GOES ON WITHOUT IT."));
    }
    // The sand ends at 20 ft and the clay of layer 3 carries the rest.
    const DiameterResult &d = run.results.diameters.front();
    EXPECT_EQ(d.tipSoil, "CLAY");
    EXPECT_EQ(d.rows.back().length, 30.0);
}

TEST(CapacityDriver, ABottomThatSnapsAboveItsTopIsRefused)
{
    std::vector<std::string> project = sandOverClay("3 3 0 0 0 0 4000000");
    project[5] = "1 20.5";  // 21 ft
    project[10] = "2 20.3"; // 20 ft: above the top of its layer
    const ProjectRun run = runProject(project);
    EXPECT_EQ(run.status, kStatusInputOutOfRange);
    EXPECT_TRUE(holds(run.report,
                      "     INPUT DATA FILE, LINE 11, VALUE 2: LAYER 2: THE BOTTOM DEPTH 20.3 FT "
                      "(20 FT TO THE NEAREST FOOT) IS "
                      "ABOVE THE TOP DEPTH 20.5 FT (21 FT)."));
    EXPECT_TRUE(holds(run.runtime,
                      "     EXPECTED: EVERY LAYER BOTTOM AT OR BELOW THE BOTTOM OF THE "
                      "LAYER ABOVE, TO THE NEAREST FOOT."));
}

TEST(CapacityDriver, ABaseOnTheTopOfRockIsARockTip)
{
    // Sand to 20 ft over strong rock, to a design depth of exactly 20 ft.
    const std::string rockLine = "400000 600000 2 0.01 3 0 2000000 80 0 1 1";
    const ProjectRun run =
        runProject({"Rock top", "1", "2 1 1 1 1 2", "3 3 0 0 0 0 4000000", "2 10 20 2.5 3", "1 20",
                    "0.0 120 34 0.0 25 0 0 1 1", "0.0 122 36 0.0 30 0 0 1 1", "2", "0 0", "7 60",
                    rockLine, rockLine});
    ASSERT_EQ(run.status, kStatusOk);
    const DiameterResult &d = run.results.diameters.front();
    EXPECT_EQ(d.rows.back().length, 20.0);
    EXPECT_EQ(d.tipSoil, "STRONG ROCK");
    EXPECT_EQ(d.curveNames, std::vector<std::string>{"socket"});
}

} // namespace
