#include "input/input_file.h"

#include "method/units.h"
#include "run/run_context.h"
#include "test_files.h"

#include <gtest/gtest.h>

using namespace vorna;
using namespace vorna::test;

namespace {

// Every soil code once, with a soil line continued on the next line and leftovers
// at the end of a line.
std::string allCodesProject(int units)
{
    return crlf({
        "All nine codes",
        std::to_string(units),
        "1 1 1 1 1 1",
        "3 4 2.5 30 1 1 4000000",
        "9 10 300 2.5 3",
        "1 10",
        "0.0 120 32 0.0 15 0 0 1 1",
        "0.0 122 34",
        "0.0 20 0 0 0.9 0.8 99 99",
        "1",
        "0.7 0.8",
        "2 20",
        "0 115 0.0 2000 0 0 0 0.8 0.7",
        "0 115 0.0 2500 0 1500 0 0.8 0.7",
        "0 0",
        "3 30",
        "7 125 0.0 6000 30 0 0 1 1",
        "7 125 0.0 6000 30 0 0 1 1",
        "0.5 0.5",
        "4 40",
        "50000 600000 5 0.01 3 0 500000 80 0 1 1",
        "50000 600000 5 0.01 3 0 500000 90 0 1 1",
        "5 50",
        "130 60 0.3 20000 3 0 0 1 1",
        "130 70 0.3 20000 3 0 0 1 1",
        "6 60",
        "30000 2 6 30 3 0 100000 60 0 1 1",
        "30000 2 6 30 3 0 100000 60 0 1 1",
        "7 70",
        "80000 600000 5 0.01 3 0 500000 80 0 1 1",
        "80000 600000 5 0.01 3 0 500000 80 0 1 1",
        "8 80",
        "125 30 0 0 0 1 1",
        "125 30 0 0 0 1 1",
        "9 90",
        "130 40 0.6 0 0 0.5 0.6",
        "130 40 0.6 0 0 0.5 0.6",
    });
}

class ReaderTest : public ::testing::Test {
protected:
    RunContext &read(const std::string &content)
    {
        m_run.files = filesForProject(m_folder / "job.vrd");
        m_run.report.open(m_run.files.report);
        m_run.runtime.open(m_run.files.runtime);
        readInputFile(m_run, content);
        m_run.report.close();
        m_run.runtime.close();
        return m_run;
    }
    std::vector<std::string> reportLines() const { return fileLines(m_run.files.report); }
    std::vector<std::string> runtimeLines() const { return fileLines(m_run.files.runtime); }

    ScratchFolder m_folder;
    RunContext m_run;
};

TEST_F(ReaderTest, ReadsEveryCodeInEnglishUnits)
{
    const InputData &in = read(allCodesProject(1)).input;
    EXPECT_EQ(in.unitSystem, UnitSystem::English);
    EXPECT_EQ(in.designMethod, 1);
    EXPECT_EQ(in.NL, 9);
    ASSERT_EQ(in.layers.size(), 9u);
    for (int k = 0; k < 9; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(static_cast<int>(in.layers[k].type), k + 1);
        EXPECT_DOUBLE_EQ(in.layers[k].DEPTH, 10.0 * (k + 1));
        EXPECT_DOUBLE_EQ(in.layers[k].topDepth, 10.0 * k);
    }
    const LayerInput &sand = in.layers[0];
    EXPECT_DOUBLE_EQ(sand.GAMMA[kBottom], 122.0);
    EXPECT_DOUBLE_EQ(sand.BLOWS[kBottom], 20.0); // from the continuation line
    EXPECT_DOUBLE_EQ(sand.lrfdSide, 0.9);        // LRFD factors from the bottom line
    EXPECT_DOUBLE_EQ(sand.lrfdTip, 0.8);
    EXPECT_EQ(sand.sandMethod, 1);
    EXPECT_EQ(sand.coefficient, (TopBottom{0.7, 0.8}));
    EXPECT_EQ(sand.TRANLM, (TopBottom{kNoLimit, kNoLimit})); // zero means no limit

    EXPECT_DOUBLE_EQ(in.layers[1].TRANLM[kBottom], 1500.0);
    EXPECT_DOUBLE_EQ(in.layers[2].NC[kTop], 7.0);
    EXPECT_DOUBLE_EQ(in.layers[3].RQD[kBottom], 90.0);
    EXPECT_DOUBLE_EQ(in.layers[3].EL[kTop], 500000.0);
    EXPECT_DOUBLE_EQ(in.layers[4].BLOWS[kBottom], 70.0);
    EXPECT_DOUBLE_EQ(in.layers[4].gravelModulus[kTop], 20000.0);
    EXPECT_DOUBLE_EQ(in.layers[5].interfaceCondition[kTop], 2.0);
    EXPECT_DOUBLE_EQ(in.layers[5].slump[kTop], 6.0);
    EXPECT_DOUBLE_EQ(in.layers[6].QUR[kTop], 80000.0);
    EXPECT_EQ(in.layers[7].sandMethod, 2); // gravels always use beta
    EXPECT_DOUBLE_EQ(in.layers[8].coefficient[kTop], 0.6);
    EXPECT_DOUBLE_EQ(in.layers[8].lrfdTip, 0.6);
}

TEST_F(ReaderTest, ConvertsSiValuesToEnglishUnits)
{
    const InputData &in = read(allCodesProject(2)).input;
    EXPECT_TRUE(in.isSI());
    EXPECT_DOUBLE_EQ(in.WTD, 10.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.P, 300.0 * 0.1124);
    EXPECT_DOUBLE_EQ(in.DSTART, 3.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.DIALIM, 4.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.TOPLEN, 1.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.layers[0].GAMMA[kTop], 120.0 * 6.3659);
    EXPECT_DOUBLE_EQ(in.layers[1].CU[kBottom], 2500.0 * 20.885);
    EXPECT_DOUBLE_EQ(in.layers[1].TRANLM[kBottom], 1500.0 * 20.885);
    EXPECT_DOUBLE_EQ(in.layers[1].DEPTH, 20.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.layers[3].QUR[kTop], 50000.0 * 20.885);
    EXPECT_DOUBLE_EQ(in.layers[3].CS[kTop], 5.0 * 3.2808);
    EXPECT_DOUBLE_EQ(in.layers[3].BDS[kTop], 3.0 * 3.2808);
    // The no-limit value is converted with the stresses, so the echo prints it back.
    EXPECT_DOUBLE_EQ(in.layers[0].TRANLM[kTop] / 20.885, kNoLimit);
}

TEST_F(ReaderTest, EchoesTheInputInEitherUnitSystem)
{
    read(allCodesProject(2));
    const auto lines = reportLines();
    const std::vector<std::string> expected = {
        "     All nine codes" + std::string(58, ' '),
        "",
        "",
        "     TOTAL LOAD =     300.0 KN",
        "     ------------",
        "",
        "",
        "     NUMBER OF LAYERS =    9",
        "     ------------------",
        "",
        "",
        "     WATER TABLE DEPTH =      10.0 M",
        "     -------------------",
        "",
        "",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(ReaderTest, UpliftAndDesignDepthEchoWithTheTwoDiameterWarning)
{
    std::string project = crlf({
        "Uplift to a design depth",
        "1",
        "2 2 0.7 1 1 2",
        "2 2 0 0 0 0 4000000",
        "1 5 40 2.5 3",
        "2 30",
        "0 115 0 2000 0 0 0 1 1",
        "0 115 0 2000 0 0 0 1 1",
        "0 0",
    });
    const InputData &in = read(project).input;
    EXPECT_DOUBLE_EQ(in.DGH, 40.0);
    const auto lines = reportLines();
    const std::vector<std::string> expected = {
        "     Uplift to a design depth" + std::string(48, ' '),
        "",
        "",
        "     PROPOSED DEPTH =      40.0 FT",
        "     ----------------",
        "",
        "",
        "     REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.700",
        "     ----------------------------------------------",
        "",
        "",
        "     NUMBER OF LAYERS =    1",
        "     ------------------",
        "",
        "",
        "     WATER TABLE DEPTH =       5.0 FT.",
        "     -------------------",
        "",
        "",
        "",
        "",
        "     *********************WARNING**********************",
        "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER",
        "     THAN THE TIP OF DRILLED SHAFTS",
        "",
        "",
    };
    EXPECT_EQ(lines, expected);
    const auto runtime = runtimeLines();
    EXPECT_EQ(runtime, std::vector<std::string>(expected.end() - 7, expected.end()));
}

TEST_F(ReaderTest, StraightRatioAndDiameterLimit)
{
    std::string project =
        crlf({"Ratio one", "1", "1 1 1 1 1 2", "4 2 1 0 0 0 4000000", "1 10 300 2.5 3", "2 60",
              "0 115 0 2000 0 0 0 1 1", "0 115 0 2000 0 0 0 1 1", "0 0"});
    const InputData &in = read(project).input;
    EXPECT_EQ(in.RATIO, 0.0);
    EXPECT_EQ(in.DIALIM, 4.0); // raised to DSTART
}

TEST_F(ReaderTest, TitleIsCutTo72Characters)
{
    const std::string title(80, 'T');
    std::string project = crlf({title, "1", "1 1 1 1 1 2", "2 2 0 0 0 0 4000000", "1 10 300 2.5 3",
                                "2 60", "0 115 0 2000 0 0 0 1 1", "0 115 0 2000 0 0 0 1 1", "0 0"});
    const InputData &in = read(project).input;
    EXPECT_EQ(in.title, std::string(72, 'T'));
    EXPECT_EQ(reportLines().front(), "     " + std::string(72, 'T'));
}

// Faults of the input file: status and the message lines that name where.
TEST(InputFaults, EndTheRunWithAnErrorBlockNamingTheLine)
{
    const std::string head = "Faults\r\n1\r\n1 1 1 1 1 2\r\n2 2 0 0 0 0 4000000\r\n";
    struct Case {
        const char *name;
        std::optional<std::string> content;
        int status;
        std::vector<std::string> message;
    };
    const Case cases[] = {
        {"missing", std::nullopt, kStatusInputMissing, {"DOES NOT EXIST OR CANNOT BE READ."}},
        {"empty", "", kStatusInputEmpty, {}},
        {"ends early",
         head,
         kStatusInputEndsEarly,
         {"THE INPUT DATA FILE ENDS AFTER LINE 4 BEFORE ITS DATA ARE COMPLETE.",
          "EXPECTED: NUMBER OF LAYERS NL."}},
        {"ends inside a layer",
         head + "1 10 300 2.5 3\r\n2 60\r\n0 115 0 2000 0 0 0 1 1\r\n",
         kStatusInputEndsEarly,
         {"THE INPUT DATA FILE ENDS AFTER LINE 7 BEFORE ITS DATA ARE COMPLETE.",
          "EXPECTED: NC AT THE BOTTOM OF LAYER 1."}},
        {"not a number",
         head + "1 10 300 2.5 3\r\n2 60\r\n0 abc 0 2000 0 0 0 1 1\r\n",
         kStatusInputNotANumber,
         {"INPUT DATA FILE, LINE 7, VALUE 2: \"abc\" IS NOT A NUMBER.",
          "EXPECTED: UNIT WEIGHT AT THE TOP OF LAYER 1."}},
        {"fraction for an integer",
         head + "1.5 10 300 2.5 3\r\n",
         kStatusInputNotANumber,
         {"INPUT DATA FILE, LINE 5, VALUE 1: \"1.5\" IS NOT A WHOLE NUMBER.",
          "EXPECTED: NUMBER OF LAYERS NL."}},
        {"soil code 12",
         head + "1 10 300 2.5 3\r\n12 60\r\n",
         kStatusInputBadSoilCode,
         {"INPUT DATA FILE, LINE 6: THE SOIL TYPE CODE OF LAYER 1 IS 12.",
          "EXPECTED: A SOIL TYPE CODE FROM 1 TO 9."}},
        {"soil code 0.5",
         head + "1 10 300 2.5 3\r\n0.5 60\r\n",
         kStatusInputBadSoilCode,
         {"INPUT DATA FILE, LINE 6: THE SOIL TYPE CODE OF LAYER 1 IS 0.5."}},
        {"no layers",
         head + "0 10 300 2.5 3\r\n",
         kStatusInputOutOfRange,
         {"INPUT DATA FILE, LINE 5, VALUE 1: THE NUMBER OF LAYERS IS 0.",
          "EXPECTED: 1 TO 29 LAYERS."}},
        {"30 layers",
         head + "30 10 300 2.5 3\r\n",
         kStatusInputOutOfRange,
         {"INPUT DATA FILE, LINE 5, VALUE 1: THE NUMBER OF LAYERS IS 30."}},
        {"design control 3",
         "T\r\n1\r\n3 1 1 1 1 2\r\n",
         kStatusInputOutOfRange,
         {"INPUT DATA FILE, LINE 3, VALUE 1: THE DESIGN CONTROL IS 3.",
          "EXPECTED: 1 (DESIGN LOAD) OR 2 (DESIGN DEPTH)."}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const RunFiles files = filesForProject(folder / "job.vrd");
        if (c.content)
            writeFile(files.input, *c.content);
        EXPECT_EQ(runAnalysis(files), c.status);
        for (const auto &path : {files.report, files.runtime}) {
            const std::string text = readFile(path);
            EXPECT_NE(text.find("     *********************ERROR**********************\r\n"),
                      std::string::npos);
            for (const std::string &line : c.message)
                EXPECT_NE(text.find("     " + line + "\r\n"), std::string::npos) << line;
        }
        EXPECT_FALSE(std::filesystem::exists(files.input) && !c.content);
    }
}

TEST(OutputFaults, UnwritableReportFolderGivesItsOwnStatus)
{
    ScratchFolder folder;
    RunFiles files = filesForProject(folder / "job.vrd");
    writeFile(files.input, "T\r\n");
    files.report = folder / "no such folder" / "job.vro";
    EXPECT_EQ(runAnalysis(files), kStatusOutputNotWritable);
}

} // namespace
