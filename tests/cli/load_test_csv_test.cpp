// The runner's reader of a kept load test, on the desktop reader's table of good and bad
// files (less the units chosen in the desktop's dialog, which a kept file never needs).
#include "load_test_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

using vorna::cli::LoadTestError;
using vorna::cli::readLoadTestCsv;

namespace {

struct GoodFile {
    const char *name;
    std::string csv;
    bool si;
    std::size_t count;
    double lastLoad;       // tons or kN
    double lastSettlement; // in or m
};

TEST(LoadTestCsv, GoodFiles)
{
    const GoodFile files[] = {
        {"tons and in into English",
         "head load (tons),head settlement (in)\r\n0,0\r\n100,0.25\r\n200,0.75\r\n", false, 3,
         200.0, 0.75},
        // 1 kN is 1/8.896443 tons; 25.4 mm is 1 in.
        {"kN and mm into English", "Load [kN];Settlement [mm]\n889.6443230521;25.4\n", false, 1,
         100.0, 1.0},
        {"kips and in into SI, columns swapped", "settlement (in)\tload (kips)\n1\t1000\n", true, 1,
         4448.2216152605, 0.0254},
        {"BOM, quotes, blank lines, extra column, equal settlements",
         "\xEF\xBB\xBF\n\"time\",\"head load (lb)\",\"displacement "
         "(ft)\"\n0,\"2000\",\"0\"\n\n5,4000,0.5\n10,4100,0.5\n",
         false, 3, 2.05, 6.0},
    };
    for (const GoodFile &f : files) {
        SCOPED_TRACE(f.name);
        const auto curve = readLoadTestCsv(f.csv, f.si);
        ASSERT_EQ(curve.size(), f.count);
        EXPECT_NEAR(curve.back().topLoad, f.lastLoad, 1e-9 * std::max(1.0, f.lastLoad));
        EXPECT_NEAR(curve.back().topMovement, f.lastSettlement,
                    1e-12 * std::max(1.0, f.lastSettlement));
    }
}

struct BadFile {
    const char *name;
    std::string csv;
    const char *message;
};

TEST(LoadTestCsv, BadFilesNameTheLine)
{
    const BadFile files[] = {
        {"empty", "\n  \n", "Line 1: the file is empty."},
        {"no load column", "force (kN),settlement (mm)\n1,2\n",
         "Line 1: the header names no column of loads (e.g. \"head load (kN)\")."},
        {"no settlement column", "\nload (kN),time (s)\n1,2\n",
         "Line 2: the header names no column of settlements (e.g. \"head settlement (mm)\")."},
        {"no load unit", "load,settlement (mm)\n1,2\n",
         "Line 1: the unit of the loads is neither named in the header (e.g. \"head load (kN)\") "
         "nor chosen."},
        {"unknown settlement unit", "load (kN),settlement (furlongs)\n1,2\n",
         "Line 1: the settlement unit \"furlongs\" is not known; use in, ft, mm, cm or m."},
        {"text for a number", "load (kN),settlement (mm)\n0,0\n10,abc\n",
         "Line 3: \"abc\" is not a number (the settlement)."},
        {"comma decimal", "load (kN);settlement (mm)\n10,5;1\n",
         "Line 2: \"10,5\" is not a number (the load)."},
        {"not finite", "load (kN),settlement (mm)\ninf,1\n",
         "Line 2: \"inf\" is not a number (the load)."},
        {"missing value", "load (kN),settlement (mm)\n0,0\n\n10\n",
         "Line 4: 1 value(s) where 2 are needed."},
        {"negative settlement", "load (kN),settlement (mm)\n10,-0.5\n",
         "Line 2: the settlement -0.5 is negative."},
        {"negative load", "load (kN),settlement (mm)\n-10,0.5\n",
         "Line 2: the load -10 is negative."},
        {"unsorted settlements", "load (kN),settlement (mm)\n10,1\n\n20,3\n30,2\n",
         "Line 5: the settlement 2 is smaller than the one on line 4; settlements must not "
         "decrease."},
        {"header only", "load (kN),settlement (mm)\n\n",
         "Line 1: no measured points follow the header."},
    };
    for (const BadFile &f : files) {
        SCOPED_TRACE(f.name);
        try {
            readLoadTestCsv(f.csv, false);
            ADD_FAILURE() << "read without error";
        } catch (const LoadTestError &e) {
            EXPECT_EQ(std::string(e.what()), f.message);
        }
    }
}

TEST(LoadTestCsv, AtMostTenThousandPoints)
{
    std::string csv = "load (kN),settlement (mm)\n";
    for (int i = 0; i < vorna::cli::kMaxLoadTestPoints; ++i)
        csv += std::to_string(i) + "," + std::to_string(i) + "\n";
    EXPECT_EQ(readLoadTestCsv(csv, true).size(), 10000u);
    csv += "1,100000\n";
    try {
        readLoadTestCsv(csv, true);
        ADD_FAILURE() << "read without error";
    } catch (const LoadTestError &e) {
        EXPECT_EQ(std::string(e.what()),
                  "Line 10002: more than 10000 points; a load test may have at most 10000.");
    }
}

TEST(LoadTestCsv, KeptFileBesideTheProject)
{
    EXPECT_EQ(vorna::cli::loadTestFileName("/x/pier 7.vrd"),
              std::filesystem::path("/x/pier 7.loadtest.csv"));
    EXPECT_EQ(vorna::cli::loadTestFileName("a.b.vrd"), std::filesystem::path("a.b.loadtest.csv"));
    EXPECT_THROW(vorna::cli::readLoadTestFile("/no/such/folder/a.loadtest.csv", false),
                 LoadTestError);
}

} // namespace
