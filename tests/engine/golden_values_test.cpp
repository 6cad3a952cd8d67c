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

// The 15 points (top load, top movement, tip load, tip movement) of the n-th load-settlement
// table with the given title.
Table curveTable(const std::string &goldenName, const std::string &title, int n)
{
    const std::vector<std::string> lines = fileLines(kGoldenDir / goldenName);
    Table table;
    int seen = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(title) == std::string::npos || ++seen != n)
            continue;
        for (std::size_t j = i + 1; j < lines.size() && table.size() < 15; ++j) {
            std::istringstream in(lines[j]);
            std::vector<double> row;
            for (double value; in >> value;)
                row.push_back(value);
            if (row.size() == 4)
                table.push_back(row);
        }
        break;
    }
    return table;
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

// short_profile.vrd: 2 ft shaft in sand to 14 ft (phi 34 to 36 degrees, end bearing option 1),
// top 3 ft ignored, water table 6 ft, design depth 12 ft, rows every 2 ft.
TEST(GoldenValues, ShortProfileSandBase)
{
    const Table t = resultTable("short_profile.vro", 0);
    // The 4 ft zone below the tip must lie in the 14 ft profile: the last row is 14 - 4 - 1 = 9 ft,
    // so the table printed every 2 ft ends at 8 ft.
    ASSERT_EQ(t.size(), 3u);
    EXPECT_DOUBLE_EQ(t.back()[kLength], 8.0);

    // Step base: qb = 2.667 (phi - 30) tsf with phi = 34 + 2 z / 14, times Ab = 3.142 sq ft and
    // z / (10 Db) = z / 20 (option 1, z < 20 ft). The zone of a row k holds depths k+1 ... k+4
    // with weights 0, 0.3, 0.6, 0.5: QB(4) = (0.3 x 12.21 + 0.6 x 14.67 + 0.5 x 17.24) / 1.4.
    EXPECT_NEAR(rowAt(t, 4.0)[kQB], 15.058, 0.006);
    EXPECT_NEAR(rowAt(t, 6.0)[kQB], 20.359, 0.006);
    EXPECT_NEAR(rowAt(t, 8.0)[kQB], 26.140, 0.006);
    // The first foot below the ignored top: starting stress 0.5 (120 + 120.43) x 3 = 360.6 psf,
    // 481.2 psf after the step, 420.9 psf at its middle; beta = 1.5 - 0.135 sqrt(4) = 1.23, at
    // most 1.2; QS = 1.2 x 420.9 x (3.142 x 2) / 2000 = 1.587 tons.
    EXPECT_NEAR(rowAt(t, 4.0)[kQS], 1.587, 0.006);
    // Sand factors 2.5 and 3.
    for (const std::vector<double> &r : t)
        EXPECT_NEAR(r[kQDN], r[kQS] / 2.5 + r[kQB] / 3.0, 0.012) << r[kLength];
}

// The base curves of the same shaft: the design row is the last one, 9 ft, with QB worked as
// above over depths 10 ... 13: 29.209 tons. Tip movements are fixed fractions of Db = 24 in.
TEST(GoldenValues, ShortProfileTipLoadsFollowTheGranularBaseCurves)
{
    const double qb = 29.209;
    const Table trend = curveTable("short_profile.vro", "RESULT FROM TREND (AVERAGED) LINE", 0);
    const Table upper = curveTable("short_profile.vro", "RESULT FROM UPPER-BOUND LINE", 0);
    const Table lower = curveTable("short_profile.vro", "RESULT FROM LOWER-BOUND LINE", 0);
    ASSERT_EQ(trend.size(), 15u);
    ASSERT_EQ(upper.size(), 15u);
    ASSERT_EQ(lower.size(), 15u);
    enum { kTopLoad, kTopMovement, kTipLoad, kTipMovement };
    // The last three tip movements: 1 % of 24 in = 0.24 raised to 1.25 x 0.5 = 0.625 in,
    // 2.5 % = 0.6 raised to 1.25 x 0.625 = 0.78125 in, then 5 % = 1.2 in.
    EXPECT_NEAR(trend[12][kTipMovement], 0.625, 0.0001);
    EXPECT_NEAR(trend[13][kTipMovement], 0.78125, 0.0001);
    EXPECT_NEAR(trend[14][kTipMovement], 1.2, 0.0001);
    // 5 % of Db: 1.015, 1.08 and 0.95 times QB.
    EXPECT_NEAR(trend[14][kTipLoad], 1.015 * qb, 0.006);
    EXPECT_NEAR(upper[14][kTipLoad], 1.08 * qb, 0.006);
    EXPECT_NEAR(lower[14][kTipLoad], 0.95 * qb, 0.006);
    // 0.625 in = 2.604 % of Db, between 2.5 % (0.64) and 3 % (0.73) of the trend: 0.6588 QB.
    EXPECT_NEAR(trend[12][kTipLoad], 0.65875 * qb, 0.006);
    // 0.25 in = 1.042 %, between 1 % (0.345) and 1.5 % (0.485): 0.3567 QB.
    EXPECT_NEAR(trend[10][kTipLoad], 0.35667 * qb, 0.006);
    // The head carries the tip load and the side: the top load is larger and moves more.
    for (std::size_t i = 0; i < trend.size(); ++i) {
        EXPECT_GT(trend[i][kTopLoad], trend[i][kTipLoad]) << i;
        EXPECT_GT(trend[i][kTopMovement], trend[i][kTipMovement]) << i;
    }
}

// lrfd_uplift_depth.vrd: 2.5 ft shaft in uplift (reduction factor 0.8), sand with K 0.6 to 0.5
// and phi 33 to 35 to 15 ft over clay with cu 1800 to 3000 psf (alpha 0.55, transfer limit
// 2500 psf) to 70 ft; top 2 ft and bottom 1 ft ignored; water table 6 ft; LRFD.
TEST(GoldenValues, LrfdUpliftToADesignDepth)
{
    const Table t = resultTable("lrfd_uplift_depth.vro", 0);
    ASSERT_GE(t.size(), 15u);
    const double perimeter = 3.142 * 2.5;
    // Row 4 ft has the one step ending at 3 ft: sigma'v = 0.5 (118 + 118.27) x 2 + 118.4 =
    // 354.7 psf; phi 33.4 degrees, K 0.58; f = 0.8 x 354.7 x tan(33.4) x 0.58 / 2000.
    EXPECT_NEAR(rowAt(t, 4.0)[kQS], 0.4262, 0.006);
    EXPECT_NEAR(rowAt(t, 4.0)[kLrfdQS], 0.55 * 0.4262, 0.006);
    // Clay steps at 30 and 31 ft (the bottom foot ignored): f = 0.55 x 0.8 x cu / 2000 with
    // cu = 2127.3 and 2149.1 psf, 7.390 tons over the two feet, 0.45 of it factored.
    const double twoFeet = perimeter * 0.44 * (2127.27 + 2149.09) / 2000.0;
    EXPECT_NEAR(rowAt(t, 32.0)[kQS] - rowAt(t, 30.0)[kQS], twoFeet, kPrinted2);
    EXPECT_NEAR(rowAt(t, 32.0)[kLrfdQS] - rowAt(t, 30.0)[kLrfdQS], 0.45 * twoFeet, kPrinted2);
    // The weight: 2 ft of 4.909 sq ft above the water table at 150 pcf, below it at 87.6 pcf.
    const double stemAreaSqFt = 3.142 * 2.5 * 2.5 / 4.0;
    EXPECT_NEAR(rowAt(t, 6.0)[kQB] - rowAt(t, 4.0)[kQB], 2.0 * stemAreaSqFt * 150.0 / 2000.0,
                kPrinted2);
    EXPECT_NEAR(rowAt(t, 10.0)[kQB] - rowAt(t, 8.0)[kQB],
                2.0 * stemAreaSqFt * (150.0 - 62.4) / 2000.0, kPrinted2);
    // The weight is not factored: LRFD QU = LRFD QS + WT, and the weight prints twice.
    for (const std::vector<double> &r : t) {
        SCOPED_TRACE(r[kLength]);
        EXPECT_NEAR(r[kQU], r[kQS] + r[kQB], 0.011);
        EXPECT_DOUBLE_EQ(r[kLrfdQB], r[kQB]);
        EXPECT_NEAR(r[kLrfdQU], r[kLrfdQS] + r[kQB], 0.011);
    }
}

// rock_socket_design_depth.vrd: 3 ft shaft, clay to 25 ft over strong rock (code 7) with
// qu 3000 psi (concrete 4000 psi), joint spacing 3 ft, aperture 0.01 ft, socket 3 ft.
TEST(GoldenValues, RockSocket)
{
    const Table t = resultTable("rock_socket_design_depth.vro", 0);
    ASSERT_GE(t.size(), 40u);
    // Ksp = (3 + 3/3) / (10 sqrt(1 + 300 x 0.01 / 3)) = 0.2828; Qb = 3 Ksp (432000 / 2000)
    // x 0.7854 x 3^2 = 1295.55 tons once the whole zone is in rock.
    for (double length : {25.0, 35.0, 45.0})
        EXPECT_NEAR(rowAt(t, length)[kQB], 1295.548, 0.006) << length;
    // Side in rock: qu 3000 psi > 280 psi, f = 2.5 sqrt(3000) psi = 9.859 tsf on a perimeter of
    // 3.142 x 3 ft: 92.93 tons a foot.
    EXPECT_NEAR(rowAt(t, 26.0)[kQS] - rowAt(t, 25.0)[kQS], 92.931, kPrinted2);
    EXPECT_NEAR(rowAt(t, 45.0)[kQS] - rowAt(t, 44.0)[kQS], 92.931, kPrinted2);
}

// weak_rock_tip.vrd: 3 ft shaft, top 3 ft ignored, clay with cu 1500 to 2000 psf to 20 ft
// (automatic alpha 0.55 and Nc 6 to 9) over weak rock.
TEST(GoldenValues, ClayAboveAWeakRockSocket)
{
    const Table t = resultTable("weak_rock_tip.vro", 0);
    ASSERT_GE(t.size(), 30u);
    EXPECT_TRUE(fileContains("weak_rock_tip.vro",
                             "END BEARING COEFFICIENT-Nc                        = 0.600E+01"));
    // f = 0.55 cu / 2000 on 3.142 x 3 ft: 4.147 tons for the step at 4 ft, 4.212 at 5 ft.
    EXPECT_NEAR(rowAt(t, 4.0)[kQS], 4.147, 0.006);
    EXPECT_NEAR(rowAt(t, 5.0)[kQS] - rowAt(t, 4.0)[kQS], 4.212, kPrinted2);
    // Base Nc (6 + 0.15 z) x cu / 2000 on 7.070 sq ft, averaged over the 6 ft zone with weights
    // 0, 0.2, 0.4, 0.6, 0.533, 0.467: 43.753 tons at 4 ft, 53.504 at 10 ft.
    EXPECT_NEAR(rowAt(t, 4.0)[kQB], 43.753, 0.006);
    EXPECT_NEAR(rowAt(t, 10.0)[kQB], 53.504, 0.006);
}

// gravel_decomposed_rock_si.vrd: the automatic beta of gravelly sand to 6 m and gravel to 12 m,
// from the entered depths: 2.0 - 0.15 (0.3048 z)^0.75 and 3.4 exp(-0.085 x 0.3048 z), z in ft.
TEST(GoldenValues, GravelBetasOfAnSiProfile)
{
    for (const char *line : {"SKIN FRICTION COEFFICIENT- BETA                   = 0.180E+01",
                             "SKIN FRICTION COEFFICIENT- BETA                   = 0.142E+01",
                             "SKIN FRICTION COEFFICIENT- BETA                   = 0.204E+01",
                             "SKIN FRICTION COEFFICIENT- BETA                   = 0.123E+01",
                             "DEPTH, M                                          = 0.600E+01"})
        EXPECT_TRUE(fileContains("gravel_decomposed_rock_si.vro", line)) << line;
}

} // namespace
