#include "report/soil_report.h"

#include "method/side_resistance.h"
#include "method/soil_profile.h"
#include "run/run_context.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <regex>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vorna;
namespace fs = std::filesystem;

namespace {

const fs::path kDataDir = VORNA_TEST_DATA;

std::string readFile(const fs::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class TempFolder {
public:
    TempFolder()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = fs::temp_directory_path() /
                 (std::string("vorna_soil_") + info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder() { fs::remove_all(m_path); }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

struct RunResult {
    int status;
    std::string report;
    std::string runtime;
};

RunResult runProject(const fs::path &folder, const std::string &name, const std::string &content)
{
    const fs::path project = folder / (name + ".vrd");
    std::ofstream(project, std::ios::binary) << content;
    const RunFiles files = filesForProject(project);
    RunOptions options;
    options.dateTime = LocalDateTime{2014, 3, 7, 9, 5, 3};
    const int status = runAnalysis(files, options);
    return {status, readFile(files.report), readFile(files.runtime)};
}

// The factor-of-safety and soil information sections: from the line after the water table
// block up to the first diameter's block (or the end of the report).
std::string soilSections(const std::string &report)
{
    const auto lines = splitLines(report);
    std::size_t start = 0;
    while (start < lines.size() && lines[start].find("WATER TABLE DEPTH =") == std::string::npos)
        ++start;
    start += 4; // the dashes and two empty lines
    std::string text;
    std::size_t end = start;
    while (end < lines.size() && lines[end].find("DRILLED SHAFT INFORMATION") == std::string::npos)
        ++end;
    if (end < lines.size())
        end -= 2; // the shaft block opens with two empty lines
    for (std::size_t i = start; i < end; ++i) {
        text += lines[i] + "\r\n";
    }
    return text;
}

void expectSameText(const std::string &actual, const std::string &expected)
{
    const auto a = splitLines(actual);
    const auto e = splitLines(expected);
    for (std::size_t i = 0; i < std::min(a.size(), e.size()); ++i)
        ASSERT_EQ(a[i], e[i]) << "first difference at section line " << i + 1;
    EXPECT_EQ(a.size(), e.size());
    EXPECT_EQ(actual, expected); // line ends included
}

TEST(SoilReport, GoldenEnglishProfile)
{
    TempFolder folder;
    const RunResult run =
        runProject(folder.path(), "english", readFile(kDataDir / "soil_english.vrd"));
    ASSERT_EQ(run.status, kStatusOk);
    expectSameText(soilSections(run.report), readFile(kDataDir / "soil_english.expected"));
}

TEST(SoilReport, GoldenSiProfile)
{
    TempFolder folder;
    const RunResult run = runProject(folder.path(), "si", readFile(kDataDir / "soil_si.vrd"));
    ASSERT_EQ(run.status, kStatusOk);
    expectSameText(soilSections(run.report), readFile(kDataDir / "soil_si.expected"));
}

TEST(SoilReport, EchoGoesToTheConsoleLayerByLayer)
{
    TempFolder folder;
    const fs::path project = folder.path() / "console.vrd";
    fs::copy_file(kDataDir / "soil_english.vrd", project);
    std::vector<std::string> console;
    RunOptions options;
    options.console = [&](std::string_view line) { console.emplace_back(line); };
    ASSERT_EQ(runAnalysis(filesForProject(project), options), kStatusOk);
    std::string consoleText;
    for (const std::string &line : console)
        consoleText += line + "\r\n";
    const std::string sections = soilSections(readFile(filesForProject(project).report));
    EXPECT_NE(consoleText.find(sections), std::string::npos);
}

TEST(SoilReport, LayerHeadersEndInTheSameColumn)
{
    InputData input;
    SoilLayer sand;
    sand.type = SoilType::Sand;
    EXPECT_EQ(soilInformationLines(input, sand, 10).front(), "     LAYER NO10----SAND");
    EXPECT_EQ(soilInformationLines(input, sand, 3).front(), "     LAYER NO 3----SAND");
    SoilLayer rock;
    rock.type = SoilType::StrongRockSideOrBase;
    EXPECT_EQ(soilInformationLines(input, rock, 10).front(), "    LAYER NO 10----STRONG ROCK");
    rock.type = SoilType::GravellySand;
    EXPECT_EQ(soilInformationLines(input, rock, 7).front(), "    LAYER NO  7----GRAVELLEY SAND");
}

TEST(SoilReport, SandMethodChoosesTheCoefficientLabel)
{
    InputData input;
    SoilLayer sand;
    sand.type = SoilType::Sand;
    sand.coefficient = {0.8, 0.6};
    sand.sandMethod = 2;
    const auto beta = soilInformationLines(input, sand, 1);
    EXPECT_EQ(beta[4], "       SKIN FRICTION COEFFICIENT- BETA                   = 0.800E+00");
    for (const std::string &line : beta)
        EXPECT_EQ(line.find("LATERAL EARTH-PRESSURE"), std::string::npos);
    sand.sandMethod = 1;
    EXPECT_EQ(soilInformationLines(input, sand, 1)[4],
              "       LATERAL EARTH-PRESSURE COEFFICIENT-K              = 0.800E+00");
}

// A run context whose report and run-time file go to a temporary folder.
struct MessageRun {
    TempFolder folder;
    RunContext run;
    MessageRun()
    {
        run.report.open(folder.path() / "r.vro");
        run.runtime.open(folder.path() / "r.vrr");
    }
    std::pair<std::string, std::string> close()
    {
        run.report.close();
        run.runtime.close();
        return {readFile(folder.path() / "r.vro"), readFile(folder.path() / "r.vrr")};
    }
};

TEST(SoilMessages, MissingDataGoToTheRuntimeFileOnly)
{
    MessageRun m;
    writeStepDataMessages(m.run, {true, true});
    const auto [report, runtime] = m.close();
    EXPECT_EQ(report, "");
    EXPECT_EQ(runtime, "\r\n\r\n*********************ERROR**********************\r\n"
                       "PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS\r\n"
                       "OR THE INTERNAL FRICTION ANGLE FOR SAND LAYERS\r\n"
                       "\r\n"
                       "\r\n\r\n*********************ERROR**********************\r\n"
                       "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM\r\n"
                       "WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL\r\n"
                       "IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER\r\n"
                       "\r\n");
}

TEST(SoilMessages, NothingWhenTheDataAreThere)
{
    MessageRun m;
    writeStepDataMessages(m.run, {});
    writeSideStepMessages(m.run, SideStep{});
    const auto [report, runtime] = m.close();
    EXPECT_EQ(report, "");
    EXPECT_EQ(runtime, "");
}

TEST(SoilMessages, ClayWarningToTheReport)
{
    MessageRun m;
    SideStep step;
    step.clayNValueWarning = true;
    writeSideStepMessages(m.run, step);
    const auto [report, runtime] = m.close();
    EXPECT_EQ(report, "\r\n\r\n*********************WARNING**********************\r\n"
                      "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE\r\n"
                      "FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR\r\n"
                      "THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR\r\n"
                      "STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN.\r\n"
                      "\r\n\r\n");
    EXPECT_EQ(runtime, "");
}

TEST(SoilMessages, GravelWarningToTheReportAndTheRuntimeFile)
{
    MessageRun m;
    SideStep step;
    step.gravelCriterionWarning = true;
    writeSideStepMessages(m.run, step);
    const auto [report, runtime] = m.close();
    const std::string expected =
        "\r\n\r\n*****************WARNING*********************\r\n"
        "       Blow counts should be greater than 25 for this criterion.\r\n"
        "       Select other soil criteria and do not use this output data.\r\n"
        "\r\n";
    EXPECT_EQ(report, expected);
    EXPECT_EQ(runtime, expected);
}

TEST(SoilMessages, IncreaseTheSoilDepth)
{
    MessageRun m;
    writeIncreaseSoilDepth(m.run);
    const auto [report, runtime] = m.close();
    EXPECT_EQ(report, "");
    EXPECT_EQ(runtime, "\r\n"
                       "       INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR\r\n"
                       "       COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER\r\n");
}

TEST(SoilMessages, NoEffectiveStressStopsTheRun)
{
    MessageRun m;
    m.run.input.unitSystem = UnitSystem::SI;
    try {
        stopOnNoEffectiveStress(m.run, 3, 32.808);
        FAIL() << "the run goes on";
    } catch (const RunStopped &stop) {
        EXPECT_EQ(stop.status, kStatusInputOutOfRange);
    }
    const auto [report, runtime] = m.close();
    const std::string block =
        "     *********************ERROR**********************\r\n"
        "     LAYER 3: NO EFFECTIVE VERTICAL STRESS AT DEPTH 10 M IN DECOMPOSED ROCK.\r\n"
        "     EXPECTED: TOTAL UNIT WEIGHTS ABOVE THAT OF WATER BELOW THE WATER TABLE.\r\n";
    EXPECT_NE(report.find(block), std::string::npos);
    EXPECT_NE(runtime.find(block), std::string::npos);
}

// Input values the methods cannot work with end the run before the soil echo.
struct FaultCase {
    std::string name;
    std::string units;  // record 2
    std::string shaft;  // record 4
    std::string layers; // NL on record 5, then the layer groups
    std::string message;
};

std::string projectText(const FaultCase &c)
{
    const std::size_t lineEnd = c.layers.find("\r\n");
    // A design depth of 10 ft keeps the runs that pass the checks short and complete.
    return "Checks\r\n" + c.units + "\r\n2 1 1 1 1 2\r\n" + c.shaft + "\r\n" +
           c.layers.substr(0, lineEnd) + " 10 10 2.5 3\r\n" + c.layers.substr(lineEnd + 2);
}

TEST(ProfileChecks, UnusableValuesEndTheRunWithAnErrorBlock)
{
    const std::string clay = "2 20\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n";
    const std::string straight = "3 3 0 0 0 0 4000000";
    const auto rock = [](const std::string &code, const std::string &top,
                         const std::string &bottom) {
        return "1\r\n" + code + " 20\r\n" + top + "\r\n" + bottom + "\r\n";
    };
    const std::string strong = "150000 576000 2 0.01 3 0 500000 80 0 1 1";
    const std::string weak = "20000 2 5 30 3 0 100000 80 0 1 1";
    const FaultCase cases[] = {
        {"zero DSTART", "1", "0 0 0 0 0 0 4000000", "1\r\n" + clay,
         "THE SMALLEST SHAFT DIAMETER DSTART IS 0 FT."},
        {"negative DSTART in SI", "2", "-1 0 0 0 0 0 4000000", "1\r\n" + clay,
         "THE SMALLEST SHAFT DIAMETER DSTART IS -1 M."},
        {"bell without an angle", "1", "3 3 2 0 0 0 4000000", "1\r\n" + clay,
         "THE BELL ANGLE IS 0 DEGREES FOR A BELL OF DIAMETER RATIO 2."},
        {"bell angle of 90", "1", "3 3 2 90 0 0 4000000", "1\r\n" + clay,
         "THE BELL ANGLE IS 90 DEGREES FOR A BELL OF DIAMETER RATIO 2."},
        {"negative ratio", "1", "3 3 -2 30 0 0 4000000", "1\r\n" + clay,
         "THE BASE TO STEM DIAMETER RATIO IS -2."},
        {"first layer above the ground surface", "1", straight,
         "1\r\n2 -1\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n",
         "LAYER 1: THE BOTTOM DEPTH -1 FT (-1 FT TO THE NEAREST FOOT) IS ABOVE THE TOP DEPTH 0 "
         "FT (0 FT)."},
        {"second layer above the first once snapped", "1", straight,
         "2\r\n2 20.5\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n"
         "2 20.3\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n",
         "LAYER 2: THE BOTTOM DEPTH 20.3 FT (20 FT TO THE NEAREST FOOT) IS ABOVE THE TOP DEPTH "
         "20.5 FT (21 FT)."},
        {"SI layer above the one before once snapped", "2", "1 1 0 0 0 0 28000000",
         "2\r\n2 6.25\r\n0 18 0 100 0 0 0 1 1\r\n0 18 0 100 0 0 0 1 1\r\n0 0\r\n"
         "2 6.1\r\n0 18 0 100 0 0 0 1 1\r\n0 18 0 100 0 0 0 1 1\r\n0 0\r\n",
         "LAYER 2: THE BOTTOM DEPTH 6.1 M (6.09607 M = 20 FT TO THE NEAREST FOOT) IS ABOVE THE "
         "TOP DEPTH 6.25 M (6.40088 M = 21 FT)."},
        {"strong rock socket of zero", "1", straight,
         rock("7", "150000 576000 2 0.01 0 0 500000 80 0 1 1", strong),
         "LAYER 1: THE SOCKET DIAMETER AT THE TOP IS 0 FT."},
        {"weak rock socket below zero", "1", straight,
         rock("6", weak, "20000 2 5 30 -1 0 100000 80 0 1 1"),
         "LAYER 1: THE SOCKET DIAMETER AT THE BOTTOM IS -1 FT."},
        {"spacing of zero", "1", straight,
         rock("4", strong, "150000 576000 0 0.01 3 0 500000 80 0 1 1"),
         "LAYER 1: THE SPACING OF DISCONTINUITIES AT THE BOTTOM IS 0 FT."},
        {"negative discontinuity thickness", "1", straight,
         rock("4", "150000 576000 2 -0.01 3 0 500000 80 0 1 1", strong),
         "LAYER 1: THE THICKNESS OF DISCONTINUITIES AT THE TOP IS -0.01 FT."},
        {"weak rock interface condition", "1", straight,
         rock("6", "20000 5 5 30 3 0 100000 80 0 1 1", weak),
         "LAYER 1: THE INTERFACE CONDITION IS 5."},
        {"weak rock without strength", "1", straight,
         rock("6", "0 2 5 30 3 0 100000 80 0 1 1", weak),
         "LAYER 1: THE UNIAXIAL COMPRESSION STRENGTH OF ROCK AT THE TOP IS 0 LB/SQ FT."},
        {"weak rock without modulus in SI", "2", straight,
         rock("6", weak, "20000 2 5 30 3 0 0 80 0 1 1"),
         "LAYER 1: THE ELASTIC MODULUS OF THE ROCK AT THE BOTTOM IS 0 KN/SQ M."},
        {"smooth socket without interface friction", "1", straight,
         rock("6", "20000 2 5 0 3 0 100000 80 0 1 1", weak),
         "LAYER 1: THE ANGLE OF INTERFACE FRICTION AT THE TOP IS 0 DEGREES."},
        {"weak rock with a shaft of no modulus", "1", "3 3 0 0 0 0 0", rock("6", weak, weak),
         "THE ELASTIC MODULUS OF THE SHAFT EC IS 0 LB/SQ IN."},
        // Lengths and sizes far beyond any shaft would overflow the whole-foot positions.
        {"top length of 4.2e10 ft", "1", "3 3 0 0 42000000000 0 4000000", "1\r\n" + clay,
         "THE TOP LENGTH WITHOUT SIDE RESISTANCE TOPLEN IS 4.2e+10 FT."},
        {"negative bottom length", "1", "3 3 0 0 0 -1 4000000", "1\r\n" + clay,
         "THE BOTTOM LENGTH WITHOUT SIDE RESISTANCE BS IS -1 FT."},
        {"diameter of 200 ft", "1", "3 200 0 0 0 0 4000000", "1\r\n" + clay,
         "THE LARGEST SHAFT DIAMETER DIALIM IS 200 FT."},
        {"bell ratio of 50", "1", "3 3 50 30 0 0 4000000", "1\r\n" + clay,
         "THE BASE TO STEM DIAMETER RATIO IS 50."},
        // 1e-9 degrees made the bell some 1e10 ft high and the walk endless.
        {"nearly flat bell", "1", "3 4 2.5 1e-9 0 0 4000000", "1\r\n" + clay,
         "THE BELL ANGLE OF 1e-09 DEGREES MAKES THE BELL OF THE LARGEST SHAFT 1.7187e+11 FT HIGH."},
        // A bottom far below any shaft would make the one-foot walk practically endless.
        {"profile deeper than 2000 ft", "1", straight,
         "1\r\n2 2500\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n",
         "LAYER 1: THE BOTTOM DEPTH 2500 FT IS TOO DEEP."},
        {"profile deeper than 2000 ft in SI", "2", straight,
         "1\r\n2 700\r\n0 18 0 100 0 0 0 1 1\r\n0 18 0 100 0 0 0 1 1\r\n0 0\r\n",
         "LAYER 1: THE BOTTOM DEPTH 700 M IS TOO DEEP."},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const RunResult run = runProject(folder.path(), "fault", projectText(c));
        EXPECT_EQ(run.status, kStatusInputOutOfRange);
        // The block's first line names where the value stands, then says what is wrong.
        static const std::regex place("     INPUT DATA FILE, LINE [0-9]+, VALUE [0-9]+: .*");
        const std::string frame = "     *********************ERROR**********************\r\n";
        for (const std::string *text : {&run.report, &run.runtime}) {
            const auto at = text->find(frame);
            ASSERT_NE(at, std::string::npos) << *text;
            const auto start = at + frame.size();
            const auto end = text->find("\r\n", start);
            const std::string first = text->substr(start, end - start);
            EXPECT_TRUE(std::regex_match(first, place)) << first;
            EXPECT_TRUE(first.ends_with(": " + c.message)) << first;
            EXPECT_EQ(text->compare(end, 17, "\r\n     EXPECTED: "), 0) << *text;
        }
        EXPECT_EQ(run.report.find("SOIL INFORMATION"), std::string::npos);
    }
}

TEST(ProfileChecks, UsableValuesPass)
{
    const std::string clay = "2 40\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n";
    const FaultCase cases[] = {
        {"ratio below 1 is a straight shaft", "1", "3 3 0.8 0 0 0 4000000", "1\r\n" + clay, ""},
        {"ratio of exactly 1 is a straight shaft", "1", "3 3 1 0 0 0 4000000", "1\r\n" + clay, ""},
        {"bell with an angle", "1", "3 3 2.5 30 0 0 4000000", "1\r\n" + clay, ""},
        {"rough weak rock needs no interface friction", "1", "3 3 0 0 0 0 4000000",
         "1\r\n6 20\r\n20000 1 5 0 3 0 100000 80 0 1 1\r\n20000 3 5 0 3 0 100000 80 0 1 1\r\n", ""},
        {"decomposed rock may leave its socket at zero", "1", "3 3 0 0 0 0 4000000",
         "1\r\n5 20\r\n130 60 0.3 30000 0 0 0 1 1\r\n130 60 0.3 30000 0 0 0 1 1\r\n", ""},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const RunResult run = runProject(folder.path(), "pass", projectText(c));
        EXPECT_EQ(run.status, kStatusOk) << run.report;
        EXPECT_NE(run.report.find("SOIL INFORMATION"), std::string::npos);
        EXPECT_EQ(run.report.find("nan"), std::string::npos);
        EXPECT_EQ(run.report.find("inf"), std::string::npos);
        EXPECT_EQ(run.report.find("***********\r\n"), std::string::npos); // no overflowing field
    }
}

} // namespace
