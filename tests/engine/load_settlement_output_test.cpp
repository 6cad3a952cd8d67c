#include "report/load_settlement_output.h"

#include "run/run_context.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vorna;

namespace {

std::string spaces(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

LoadSettlementInput clayShaft(double lengthFt, double layerBottomFt)
{
    LoadSettlementInput input;
    input.stemDiameterFt = 3.0;
    input.baseDiameterFt = 3.0;
    input.shaftLengthFt = lengthFt;
    input.Ec = 4.0e6;
    input.baseResistanceTons = 100.0;
    input.segmentCount = static_cast<int>(lengthFt);
    input.layers = {{SoilType::Clay, 1.0, layerBottomFt, 1.0, 1.0}};
    for (int k = 1; k <= static_cast<int>(lengthFt); ++k)
        input.sideProfile.push_back({static_cast<double>(k), 1.0});
    return input;
}

std::vector<std::string> readLines(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    std::vector<std::string> lines;
    std::string text = content.str();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(LoadSettlementTable, EnglishTrend)
{
    SettlementCurve curve{};
    curve[0] = {123.4, 0.01, 100.0, 0.00001};
    const std::vector<std::string> lines =
        loadSettlementTableLines(UnitSystem::English, CurveCase::Trend, curve);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "        RESULT FROM TREND (AVERAGED) LINE");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "        TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT");
    EXPECT_EQ(lines[6],
              spaces(11) + "ton" + spaces(13) + "IN." + spaces(14) + "ton" + spaces(12) + "IN.");
    EXPECT_EQ(lines[7], "       0.1234E+03      0.1000E-01      0.1000E+03      0.1000E-04");
    EXPECT_EQ(lines[21], "       0.0000E+00      0.0000E+00      0.0000E+00      0.0000E+00");
}

TEST(LoadSettlementTable, TitlesAndSiLabels)
{
    const SettlementCurve curve{};
    const auto upper = loadSettlementTableLines(UnitSystem::SI, CurveCase::UpperBound, curve);
    EXPECT_EQ(upper[3], "        RESULT FROM UPPER-BOUND LINE");
    EXPECT_EQ(upper[6],
              spaces(11) + "KN." + spaces(13) + " M." + spaces(14) + "KN." + spaces(12) + " M.");
    const auto lower = loadSettlementTableLines(UnitSystem::SI, CurveCase::LowerBound, curve);
    EXPECT_EQ(lower[3], "        RESULT FROM LOWER-BOUND LINE");
}

TEST(LoadSettlementWarnings, ExactTexts)
{
    struct Case {
        const char *name;
        int status;
        double depthIn;
        std::string detail;
    };
    const Case cases[] = {
        {"station beyond the layer profile", kStatusBeyondLayerProfile, 132.01,
         "     THE VALUE OF X =0.132E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1"},
        {"base beyond the strength profile", kStatusBeyondStrengthCurve, 300.0,
         "     THE VALUE OF X = 0.30E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE"},
        {"base beyond the maximum load transfer", kStatusBeyondMaxTransfer, 300.0,
         "     THE VALUE OF X = 0.30E+03IS BEYOND THE EXTENT OF/     THE INPUT MAX. LOAD "
         "TRANSFER"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = profileWarningLines(c.status, c.depthIn);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "");
        EXPECT_EQ(lines[1], spaces(29) + "**** WARNING ****");
        EXPECT_EQ(lines[2], c.detail);
    }
}

TEST(LoadSettlementRuntimeLine, FourFreeFormatIntegers)
{
    EXPECT_EQ(loadSettlementRuntimeLine(40), "          15          40           0          40");
}

TEST(TzData, CompleteListing)
{
    const LoadSettlementRun run = computeLoadSettlement(clayShaft(40.0, 40.0), CurveCase::Trend);
    ASSERT_EQ(run.status, kStatusOk);
    const auto lines = tzDataLines(run, UnitSystem::English);
    // Note and headings 8, five stations of 11 lines, base block 16, closing line 1.
    ASSERT_EQ(lines.size(), 8u + 55u + 16u + 1u);
    EXPECT_EQ(lines[0], "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)], "");
    EXPECT_EQ(lines[5],
              "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    EXPECT_EQ(lines[6], spaces(11) + "NO." + spaces(6) + "POINTS" + spaces(8) + "IN." + spaces(14) +
                            "PSI" + spaces(13) + "IN.");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "            1         10      0.1200E+02");
    // Second curve point: 0.1 % of 36 in, 0.51 of 13.889 psi.
    EXPECT_EQ(lines[10], spaces(40) + "       0.7083E+01      0.3600E-01");
    EXPECT_EQ(lines[19], "            2         10      0.1290E+03");
    EXPECT_EQ(lines[63], "");
    EXPECT_EQ(lines[66], "        TIP   LOAD        TIP MOVEMENT");
    EXPECT_EQ(lines[67], spaces(12) + "ton" + spaces(15) + "IN.");
    EXPECT_EQ(lines[68], "");
    // Base point 2: 0.5 % of 36 in carries 0.395 of 100 tons.
    EXPECT_EQ(lines[70], "        0.3950E+02         0.1800E+00");
    EXPECT_EQ(lines.back(), "1");
}

TEST(TzData, SiListing)
{
    LoadSettlementInput input = clayShaft(40.0, 40.0);
    input.unitSystem = UnitSystem::SI;
    input.Ec = 4.0e6 * 6.894;
    const auto lines = tzDataLines(computeLoadSettlement(input, CurveCase::Trend), UnitSystem::SI);
    EXPECT_EQ(lines[6], spaces(11) + "NO." + spaces(6) + "POINTS" + spaces(8) + " M." + spaces(14) +
                            "KPA" + spaces(13) + " M.");
    EXPECT_EQ(lines[8], "            1         10      0.3048E+00"); // 12 in
    // 7.0833 psi is 48.84 kPa, 0.036 in is 0.9144 mm.
    EXPECT_EQ(lines[10], spaces(40) + "       0.4884E+02      0.9144E-03");
    EXPECT_EQ(lines[67], spaces(12) + "KN." + spaces(15) + " M.");
    // 79000 lb at 4.448 N per lb.
    EXPECT_EQ(lines[70], "        0.3514E+03         0.4572E-02");
}

TEST(TzData, WhatAStoppedRunLeaves)
{
    LoadSettlementInput beyondStations = clayShaft(10.5, 10.0);
    beyondStations.layers.push_back({SoilType::Clay, 10.0, 10.5, 1.0, 1.0});
    EXPECT_TRUE(
        tzDataLines(computeLoadSettlement(beyondStations, CurveCase::Trend), UnitSystem::English)
            .empty());

    const auto baseBeyond = tzDataLines(
        computeLoadSettlement(clayShaft(25.0, 20.0), CurveCase::Trend), UnitSystem::English);
    EXPECT_EQ(baseBeyond.size(), 8u + 55u);
}

// A run folder with the files a capacity driver would have open.
class LoadSettlementRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vorna_tz_" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_run.files.input = m_folder / "shaft.vrd";
        m_run.files.report = m_folder / "shaft.vro";
        m_run.files.runtime = m_folder / "shaft.vrr";
        ASSERT_TRUE(m_run.report.open(m_run.files.report));
        ASSERT_TRUE(m_run.runtime.open(m_run.files.runtime));
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    int statusOf(const LoadSettlementInput &input, CurveCase curveCase = CurveCase::Trend)
    {
        int status = kStatusOk;
        try {
            runLoadSettlement(m_run, input, curveCase);
        } catch (const RunStopped &stop) {
            status = stop.status;
        }
        // As the run does when it closes its files.
        if (m_run.deferredDiagnostics)
            m_run.deferredDiagnostics();
        m_run.report.close();
        m_run.runtime.close();
        return status;
    }

    std::filesystem::path m_folder;
    RunContext m_run;
};

TEST_F(LoadSettlementRunTest, CompleteRunWritesTableRuntimeLineAndListing)
{
    EXPECT_EQ(statusOf(clayShaft(40.0, 40.0), CurveCase::UpperBound), kStatusOk);
    const auto report = readLines(m_run.files.report);
    ASSERT_EQ(report.size(), 22u);
    EXPECT_EQ(report[3], "        RESULT FROM UPPER-BOUND LINE");
    EXPECT_EQ(readLines(m_run.files.runtime),
              std::vector<std::string>{"          15          40           0          40"});
    const auto tzData = readLines(m_folder / "TZDATA.DAT");
    ASSERT_FALSE(tzData.empty());
    EXPECT_EQ(tzData.back(), "1");
}

TEST_F(LoadSettlementRunTest, ListingGoesToTheDiagnosticFolder)
{
    m_run.options.diagnosticFolder = m_folder / "diagnostics";
    std::filesystem::create_directories(m_run.options.diagnosticFolder);
    EXPECT_EQ(statusOf(clayShaft(40.0, 40.0)), kStatusOk);
    EXPECT_TRUE(std::filesystem::exists(m_folder / "diagnostics" / "TZDATA.DAT"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "TZDATA.DAT"));
}

TEST_F(LoadSettlementRunTest, EachRunReplacesTheListing)
{
    {
        std::ofstream old(m_folder / "TZDATA.DAT");
        old << "left from an earlier run\n";
    }
    LoadSettlementInput beyondStations = clayShaft(10.5, 10.0);
    beyondStations.layers.push_back({SoilType::Clay, 10.0, 10.5, 1.0, 1.0});
    EXPECT_EQ(statusOf(beyondStations), kStatusBeyondLayerProfile);
    EXPECT_EQ(std::filesystem::file_size(m_folder / "TZDATA.DAT"), 0u);
    const auto report = readLines(m_run.files.report);
    EXPECT_EQ(report, profileWarningLines(kStatusBeyondLayerProfile, 132.01));
    EXPECT_TRUE(readLines(m_run.files.runtime).empty());
}

// The listing is written over the earlier one's bytes: whatever its length, nothing of it
// is left.
TEST_F(LoadSettlementRunTest, AnEarlierListingOfAnyLengthIsReplacedWhole)
{
    std::string expected;
    for (const std::string &line : tzDataLines(
             computeLoadSettlement(clayShaft(40.0, 40.0), CurveCase::Trend), UnitSystem::English))
        expected.append(line).append("\r\n");
    for (const std::size_t earlier : {std::size_t{0}, std::size_t{10}, 2 * expected.size()}) {
        SCOPED_TRACE(earlier);
        const std::filesystem::path listing = m_folder / "TZDATA.DAT";
        std::filesystem::remove(listing);
        if (earlier > 0)
            std::ofstream(listing, std::ios::binary) << std::string(earlier, 'x');
        m_run.deferredDiagnostics = nullptr;
        ASSERT_TRUE(m_run.report.open(m_run.files.report));
        ASSERT_TRUE(m_run.runtime.open(m_run.files.runtime));
        EXPECT_EQ(statusOf(clayShaft(40.0, 40.0)), kStatusOk);
        std::ifstream in(listing, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);
    }
}

TEST_F(LoadSettlementRunTest, BaseBeyondTheStrengthProfileWarnsInBothFiles)
{
    EXPECT_EQ(statusOf(clayShaft(25.0, 20.0)), kStatusBeyondStrengthCurve);
    const auto warning = profileWarningLines(kStatusBeyondStrengthCurve, 300.0);
    EXPECT_EQ(readLines(m_run.files.report), warning);
    EXPECT_EQ(readLines(m_run.files.runtime), warning);
}

TEST_F(LoadSettlementRunTest, IterationThatDoesNotSettleEndsWithAnErrorBlock)
{
    LoadSettlementInput input = clayShaft(40.0, 40.0);
    input.layers[0].sideTopTsf = input.layers[0].sideBottomTsf = 5.0;
    for (SideProfilePoint &p : input.sideProfile)
        p.sideTsf = 5.0;
    input.Ec = 125500.0;
    input.baseResistanceTons = 1.0;
    input.segmentCount = 5;
    EXPECT_EQ(statusOf(input), kStatusNoConvergence);
    const std::vector<std::string> block{
        "",
        "",
        "     *********************ERROR**********************",
        "     THE LOAD-SETTLEMENT ITERATION DID NOT CONVERGE WITHIN 200 PASSES",
        "     AT NODE     2 FOR THE TIP MOVEMENT 0.1000E-03 IN.",
        ""};
    EXPECT_EQ(readLines(m_run.files.report), block);
    const auto runtime = readLines(m_run.files.runtime);
    ASSERT_EQ(runtime.size(), 1u + block.size());
    EXPECT_EQ(runtime[0], "          15           5           0           5");
    EXPECT_EQ(std::vector<std::string>(runtime.begin() + 1, runtime.end()), block);
    EXPECT_NE(readLines(m_folder / "TZDATA.DAT").back(), "1");
}

} // namespace
