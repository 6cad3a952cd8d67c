#include "report/capacity_report.h"

#include "report/plot_file.h"
#include "run/run_context.h"
#include "test_files.h"

#include <gtest/gtest.h>

using namespace vorna;
using namespace vorna::test;

namespace {

TEST(CapacityReport, TableHeadingsOfEveryCase)
{
    struct Case {
        const char *name;
        TableStyle style;
        const char *names;
        const char *units;
    };
    const Case cases[] = {
        {"English compression safety factors",
         {false, false, false},
         "     LENGTH  VOLUME     QS      QB      QU       QBD      QDN      QU/VOLUME",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)"},
        {"English compression LRFD",
         {false, false, true},
         "     LENGTH  VOLUME     QS      QB      QU     LRFD QS  LRFD QB   LRFD QU",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
        {"English uplift safety factors",
         {false, true, false},
         "     LENGTH  VOLUME     QS      WT      QU       QBD      QDN      QU/VOLUME",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)"},
        {"English uplift LRFD",
         {false, true, true},
         "     LENGTH  VOLUME     QS      WT      QU     LRFD QS      WT   LRFD QU",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
        {"SI compression safety factors",
         {true, false, false},
         "     LENGTH  VOLUME    QS     QB        QU       QBD     QDN     QU/VOLUME",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) "},
        {"SI compression LRFD",
         {true, false, true},
         "     LENGTH  VOLUME    QS     QB        QU      LRFD QS  LRFD QB   LRFD QU",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
        {"SI uplift safety factors",
         {true, true, false},
         "     LENGTH  VOLUME    QS     WT        QU       QBD     QDN     QU/VOLUME",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
        {"SI uplift LRFD",
         {true, true, true},
         "     LENGTH  VOLUME    QS     WT        QU      LRFD QS  LRFD QB   LRFD QU",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = tableHeadingLines(c.style);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], c.names);
        EXPECT_EQ(lines[1], c.units);
    }
}

TEST(CapacityReport, ResultRowsInBothUnitSystems)
{
    const ResultRow row{30.0, 3.49, 150.25, 120.5, 270.75, 190.41, 100.17, 77.58};
    EXPECT_EQ(resultRowLine(row, false),
              "     30.0     3.49   150.25   120.50   270.75   190.41   100.17     77.58");
    const ResultRow si{9.1, 2.67, 1336.7, 1072.1, 2408.8, 1694.1, 891.2, 902.45};
    EXPECT_EQ(resultRowLine(si, true),
              "      9.1      2.7   1336.7   1072.1   2408.8   1694.1    891.2    902.45");
    // Values too wide for their fields fill them with asterisks.
    const ResultRow huge{1.0e6, 1.0, 1.0e6, 0.0, 1.0e6, 0.0, 0.0, 0.0};
    EXPECT_EQ(resultRowLine(huge, false).substr(0, 36), " ********     1.00*********     0.00");
}

// The columns named are those whose fields print as asterisks, each once, in column order.
TEST(CapacityReport, OverflowingColumnsAreReadFromTheLine)
{
    const ResultRow fits{30.0, 3.49, 150.25, 120.5, 270.75, 190.41, 100.17, 77.58};
    const ResultRow wide{1.0e6, 1.0, 1.0e6, 0.0, 1.0e6, 0.0, -1.0e6, 1.0e8};
    const ResultRow lastOnly{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0e9};
    std::vector<std::string> names;
    addOverflowingColumns(names, resultRowLine(fits, false), {false, false, false});
    EXPECT_TRUE(names.empty());
    addOverflowingColumns(names, resultRowLine(lastOnly, false), {false, false, false});
    addOverflowingColumns(names, resultRowLine(wide, false), {false, false, false});
    EXPECT_EQ(names, (std::vector<std::string>{"QU/VOLUME", "LENGTH", "QS", "QU", "QDN"}));
    names.clear();
    // SI prints one decimal, so 1000000.0 fits where -1000000.0 does not.
    addOverflowingColumns(names, resultRowLine(wide, true), {true, true, true});
    EXPECT_EQ(names, (std::vector<std::string>{"LENGTH", "WT", "LRFD QU"}));
}

class ReportBlocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_run.files = filesForProject(m_folder / "job.vrd");
        m_run.report.open(m_run.files.report);
        m_run.options.console = [this](std::string_view line) { m_console.emplace_back(line); };
    }
    std::vector<std::string> reportLines()
    {
        m_run.report.close();
        return fileLines(m_run.files.report);
    }
    ScratchFolder m_folder;
    RunContext m_run;
    std::vector<std::string> m_console;
};

TEST_F(ReportBlocks, ShaftInformationGoesToReportAndConsole)
{
    writeShaftInformation(m_run, {3.0, 7.5, 4.148, 30.0, 5.0, 1.0, 10.181, 4000000.0, 3.1}, false);
    const std::vector<std::string> expected = {
        "",
        "",
        "     DRILLED SHAFT INFORMATION",
        "     -------------------------",
        "",
        "      DIAMETER OF STEM          =    3.000  FT.",
        "      DIAMETER OF BASE          =    7.500  FT.",
        "      END OF STEM TO BASE       =    4.148  FT.",
        "      ANGLE OF BELL             =   30.000  DEG.",
        "      IGNORED TOP PORTION       =    5.000  FT.",
        "      IGNORED BOTTOM PORTION    =    1.000  FT.",
        "      AREA OF ONE PERCENT STEEL =   10.181  SQ.IN.",
        "      ELASTIC MODULUS, Ec       = 0.400E+07 LB/SQ IN",
        "      VOLUME OF UNDERREAM       =    3.100  CU.YDS.",
        "",
        "",
    };
    EXPECT_EQ(reportLines(), expected);
    EXPECT_EQ(m_console, expected);
}

TEST_F(ReportBlocks, MostEfficientShaftInBothUnitSystems)
{
    writeMostEfficientShaft(m_run, {3.0, 3.0, 41.0, 10.74, 612.3, 57.01}, false);
    writeMostEfficientShaft(m_run, {0.9, 0.9, 12.0, 7.63, 5447.5, 713.96}, true);
    const std::vector<std::string> expected = {
        "", "",
        "", " THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE APPEARS TO BE THE FOLLOWING ONE:",
        "", "  DIAMETER OF STEM       = 3.00 FT.",
        "", "  DIAMETER OF BASE       = 3.00 FT.",
        "", "  ESTIMATED SHAFT LENGTH =  41. FT.",
        "", "  VOLUME OF CONCRETE     =  10.74 CU.YDS.",
        "", "  ULTIMATE LOAD CAPACITY =    612.30 TONS",
        "", "  QU/VOLUME OF CONCRETE  =  57.01 TONS/CU.YD.",
        "", "",
        "", " THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE  APPEARS TO BE THE FOLLOWING ONE:",
        "", " DIAMETER OF STEM       =   0.9 M",
        "", " DIAMETER OF BASE       =   0.9 M",
        "", " ESTIMATED SHAFT LENGTH =   12. M",
        "", " VOLUME OF CONCRETE     =    7.63 CU.M",
        "", " ULTIMATE LOAD CAPACITY =    5447.50 KN  ",
        "", " QU/VOLUME OF CONCRETE  =  713.96 KN /CU.M",
    };
    EXPECT_EQ(reportLines(), expected);
}

TEST(PlotFile, BlockLayout)
{
    ScratchFolder folder;
    TextOut plot;
    ASSERT_TRUE(plot.open(folder / "job.vrp"));
    PlotBlock block;
    block.diameterCount = 5;
    block.kls = 0;
    block.rows = {{12.5, 1.0, 2.0, 3.0, 0.4, 0.6, 1.0}, {13.5, -1.0, 0.0, 3600000.0, 0, 0, 0}};
    block.curves = {std::vector<SettlementPoint>(15, SettlementPoint{120.0, 0.01, 100.0, 0.005})};
    writePlotBlock(plot, block);
    plot.close();
    const auto lines = fileLines(folder / "job.vrp");
    ASSERT_EQ(lines.size(), 3u + 4u + 15u);
    EXPECT_EQ(lines[0], "           5           4           0");
    EXPECT_EQ(lines[1], "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    EXPECT_EQ(lines[2], "  0.125E+02   0.0   0.0  0.0 0.0  0.0  0.0 ");
    EXPECT_EQ(lines[3], "  0.125E+02  0.100E+01  0.200E+01  0.300E+01  0.400E+00");
    EXPECT_EQ(lines[3].size(), 55u);
    EXPECT_EQ(lines[4], "  0.600E+00  0.100E+01");
    EXPECT_EQ(lines[5].substr(0, 22), "  0.135E+02 -0.100E+01");
    EXPECT_EQ(lines[7], "  0.120E+03  0.100E-01  0.100E+03  0.500E-02");
}

} // namespace
