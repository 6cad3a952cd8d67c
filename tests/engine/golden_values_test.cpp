// Values of the golden reports worked by hand from the method, so that a golden file
// rewritten by mistake cannot drift unnoticed. Each check reads the printed table, so the
// tolerances are those of the printed decimals.
#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(VORNA_TEST_DATA).parent_path() / "golden";

using Table = std::vector<std::vector<double>>;

// The rows of the n-th table of predicted results (0 = the first diameter): the numbers of
// each line below the two heading lines, up to the first blank line.
Table resultTable(const std::string &goldenName, int n)
{
    const std::vector<std::string> lines = fileLines(kGoldenDir / goldenName);
    Table table;
    int seen = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("LENGTH  VOLUME") == std::string::npos || ++seen != n)
            continue;
        for (std::size_t j = i + 2; j < lines.size(); ++j) {
            std::istringstream in(lines[j]);
            std::vector<double> row;
            for (double value; in >> value;)
                row.push_back(value);
            if (row.empty())
                break;
            table.push_back(row);
        }
        break;
    }
    return table;
}

// The row whose length column prints as the given value.
std::vector<double> rowAt(const Table &table, double length)
{
    for (const std::vector<double> &row : table) {
        if (std::abs(row[0] - length) < 0.01)
            return row;
    }
    ADD_FAILURE() << "no row of length " << length;
    return std::vector<double>(8, 0.0);
}

bool fileContains(const std::string &goldenName, const std::string &text)
{
    return readFile(kGoldenDir / goldenName).find(text) != std::string::npos;
}

// Columns of the allowable-stress table and of the LRFD table.
enum { kLength, kVolume, kQS, kQB, kQU, kQBD, kQDN, kQUPerVolume };
enum { kLrfdQS = 5, kLrfdQB = 6, kLrfdQU = 7 };

constexpr double kPi = 3.142;       // the program's pi for areas and volumes
constexpr double kPrinted2 = 0.011; // two values printed to 0.01, differenced
constexpr double kFtPerM = 3.2808;

// example.vrd: 2 ft shaft, sand (beta, N = 15) to 20 ft over clay with cu = 2000 psf,
// alpha 0.55 and Nc 9; factors of safety 2.5 on the side and 3 on the base.
TEST(GoldenValues, ExampleSandOverClay)
{
    const Table t = resultTable("example.vro", 0);
    ASSERT_GE(t.size(), 20u);

    // Volume of a 2 ft stem, 7 ft long: 7 x pi x 1 sq ft / 27 = 0.815 cu yd.
    EXPECT_NEAR(rowAt(t, 7.0)[kVolume], 7.0 * kPi / 27.0, 0.005);
    // Base in the clay: 9 x 2000 psf x pi x 1 sq ft / 2000 lb = 28.28 tons.
    for (double length : {20.0, 23.0, 26.0})
        EXPECT_NEAR(rowAt(t, length)[kQB], 9.0 * 2000.0 * kPi / 2000.0, 0.006) << length;
    // Each foot of clay adds 0.55 x 2000 psf x (pi x 2 ft) x 1 ft / 2000 lb = 3.456 tons.
    EXPECT_NEAR(rowAt(t, 23.0)[kQS] - rowAt(t, 22.0)[kQS], 0.55 * 2000.0 * 2.0 * kPi / 2000.0,
                kPrinted2);
    // Totals and the two allowable loads from the factors of safety, on every row.
    for (const std::vector<double> &r : t) {
        SCOPED_TRACE(r[kLength]);
        EXPECT_NEAR(r[kQU], r[kQS] + r[kQB], 0.011);
        EXPECT_NEAR(r[kQBD], r[kQS] + r[kQB] / 3.0, 0.012);
        EXPECT_NEAR(r[kQDN], r[kQS] / 2.5 + r[kQB] / 3.0, 0.012);
    }
    // Beta of the sand: 1.5 - 0.135 sqrt(z), at most 1.2; 0.896 at 20 ft.
    EXPECT_TRUE(fileContains("example.vro",
                             "SKIN FRICTION COEFFICIENT- BETA                   = 0.120E+01"));
    EXPECT_TRUE(fileContains("example.vro",
                             "SKIN FRICTION COEFFICIENT- BETA                   = 0.896E+00"));
}

// belled_uplift.vrd: 3 ft stem, bell ratio 2.5, uplift, water table at 12 ft.
TEST(GoldenValues, BelledShaftInUplift)
{
    const Table t = resultTable("belled_uplift.vro", 0);
    ASSERT_GE(t.size(), 10u);
    const double stemAreaSqFt = kPi * 3.0 * 3.0 / 4.0;

    // Each foot of stem above the water table weighs 7.07 sq ft x 150 pcf / 2000 = 0.530 tons,
    // below it (150 - 62.4) pcf buoyant: 0.310 tons.
    EXPECT_NEAR(rowAt(t, 10.0)[kQB] - rowAt(t, 9.0)[kQB], stemAreaSqFt * 150.0 / 2000.0, kPrinted2);
    EXPECT_NEAR(rowAt(t, 14.0)[kQB] - rowAt(t, 13.0)[kQB], stemAreaSqFt * (150.0 - 62.4) / 2000.0,
                kPrinted2);
    // In uplift the weight takes the base's place: QU = QS + WT, QDN = QS / 2.5 + WT.
    for (const std::vector<double> &r : t) {
        SCOPED_TRACE(r[kLength]);
        EXPECT_NEAR(r[kQU], r[kQS] + r[kQB], 0.011);
        EXPECT_NEAR(r[kQDN], r[kQS] / 2.5 + r[kQB], 0.012);
    }
    // Base diameter 2.5 x 3 ft.
    EXPECT_TRUE(fileContains("belled_uplift.vro", "DIAMETER OF BASE          =    7.500  FT."));
}

// bridge_pier_lrfd_si.vrd: 0.9 m shaft, sand to 4 m (LRFD factors 0.55 side, 0.5 tip), clay
// to 14 m (0.45, 0.4), weak rock; the analysis steps 1 ft and prints metres and kN.
TEST(GoldenValues, BridgePierLrfdSi)
{
    const Table t = resultTable("bridge_pier_lrfd_si.vro", 0);
    ASSERT_GE(t.size(), 30u);

    // Lengths 6, 7, 8 ... ft printed in metres.
    for (std::size_t i = 0; i < t.size(); ++i)
        EXPECT_NEAR(t[i][kLength], (6.0 + static_cast<double>(i)) / kFtPerM, 0.051) << i;
    // 6 ft of a 0.9 m (2.953 ft) stem: 41.1 cu ft = 1.522 cu yd = 1.16 cu m.
    const double stemFt = 0.9 * kFtPerM;
    EXPECT_NEAR(t[0][kVolume], kPi * stemFt * stemFt / 4.0 * 6.0 / 27.0 / 1.3078, 0.051);

    // With the tip in the sand both sand factors apply.
    const std::vector<double> &sand = t[0];
    EXPECT_NEAR(sand[kLrfdQS], 0.55 * sand[kQS], 0.06);
    EXPECT_NEAR(sand[kLrfdQB], 0.5 * sand[kQB], 0.06);
    // With the tip deep in the clay the base takes the clay's 0.4.
    const std::vector<double> clay = rowAt(t, 10.1);
    EXPECT_NEAR(clay[kLrfdQB], 0.4 * clay[kQB], 0.06);
    // The side factors weigh each layer's share: above 4 m at 0.55, below at 0.45.
    EXPECT_LT(clay[kLrfdQS], 0.55 * clay[kQS]);
    EXPECT_GT(clay[kLrfdQS], 0.45 * clay[kQS]);
    for (const std::vector<double> &r : t) {
        SCOPED_TRACE(r[kLength]);
        EXPECT_NEAR(r[kQU], r[kQS] + r[kQB], 0.11);
        EXPECT_NEAR(r[kLrfdQU], r[kLrfdQS] + r[kLrfdQB], 0.11);
    }
}

} // namespace
