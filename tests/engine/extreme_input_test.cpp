// Well-formed inputs with extreme values: every number of the example projects is set in
// turn to zero, a negative, tiny ones down to denormals, a huge, the largest accepted and a
// refused value. Each run must end with a status and, when it gives results, with finite
// ones; never NaN or infinity in a file, a crash or a hang (ctest's timeout).
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

// Tiny values and denormals as well: a modulus of 1e-308 once made a NaN movement ratio that
// the rock-socket walk took as an index.
const char *const kExtremeValues[] = {"0",      "-1",  "1e-9", "1e-300", "1e-308",
                                      "4e-310", "1e9", "1e12", "1e300"};

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> tokens(const std::string &line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string t; in >> t;)
        out.push_back(t);
    return out;
}

std::string join(const std::vector<std::string> &parts, const char *separator)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? separator : "") + parts[i];
    return out;
}

bool allFinite(const AnalysisResults &results)
{
    auto finite = [](std::initializer_list<double> values) {
        for (double v : values)
            if (!std::isfinite(v))
                return false;
        return true;
    };
    for (const DiameterResult &d : results.diameters) {
        if (!finite({d.stemDiameter, d.baseDiameter, d.stemEndToBase, d.underreamVolume}))
            return false;
        for (const ResultRow &r : d.rows)
            if (!finite({r.length, r.volume, r.QS, r.QB, r.QU, r.QBD, r.QDN, r.QUperVolume}))
                return false;
        for (const auto &curve : d.curves)
            for (const SettlementPoint &p : curve)
                if (!finite({p.topLoad, p.topMovement, p.tipLoad, p.tipMovement}))
                    return false;
    }
    if (results.best)
        return finite({results.best->stemDiameter, results.best->baseDiameter, results.best->length,
                       results.best->volume, results.best->QU, results.best->QUperVolume});
    return true;
}

// Runs a project text; failures name the status and what is wrong. The run's status.
int expectSoundRun(const std::string &text)
{
    static const std::regex nonNumber("\\b(nan|inf|infinity)\\b", std::regex::icase);
    ScratchFolder scratch;
    const RunFiles files = filesForProject(scratch / "extreme.vrd");
    writeFile(files.input, text);
    AnalysisResults results;
    RunOptions options;
    options.results = &results;
    const int status = runAnalysis(files, options);
    SCOPED_TRACE("status " + std::to_string(status));
    EXPECT_NE(status, kStatusInternalError);
    EXPECT_TRUE(allFinite(results));
    for (const fs::path &file : {files.report, files.plot, files.runtime}) {
        EXPECT_FALSE(std::regex_search(readFile(file), nonNumber)) << file.filename();
    }
    if (status == kStatusInputOutOfRange) {
        EXPECT_NE(readFile(files.report).find("*ERROR*"), std::string::npos);
    }
    return status;
}

// The project text with the value at (line, item), both 1-based, replaced.
std::string withValue(const std::vector<std::string> &lines, std::size_t line, std::size_t item,
                      const std::string &value)
{
    std::vector<std::string> changedLine = tokens(lines[line - 1]);
    changedLine[item - 1] = value;
    std::vector<std::string> changed = lines;
    changed[line - 1] = join(changedLine, " ");
    return join(changed, "\r\n") + "\r\n";
}

class ExtremeValues : public testing::TestWithParam<std::string> {};

TEST_P(ExtremeValues, EveryNumberOfTheProject)
{
    const std::vector<std::string> lines = splitLines(readFile(GetParam()));
    for (std::size_t line = 1; line < lines.size(); ++line) {
        const std::vector<std::string> values = tokens(lines[line]);
        for (std::size_t item = 0; item < values.size(); ++item)
            for (const char *value : kExtremeValues) {
                SCOPED_TRACE("line " + std::to_string(line + 1) + " item " +
                             std::to_string(item + 1) + " = " + value);
                expectSoundRun(withValue(lines, line + 1, item + 1, value));
                if (HasFailure())
                    return; // one finding at a time is enough to read
            }
    }
}

std::vector<std::string> projects()
{
    std::vector<std::string> out;
    for (const char *folder : {VORNA_EXAMPLES, VORNA_TEST_DATA})
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".vrd")
                out.push_back(entry.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

INSTANTIATE_TEST_SUITE_P(Projects, ExtremeValues, testing::ValuesIn(projects()),
                         [](const testing::TestParamInfo<std::string> &project) {
                             return fs::path(project.param).stem().string();
                         });

// The limits that keep the methods finite name the value and what was expected.
TEST(ExtremeValueLimits, EndTheRunWithTheirMessage)
{
    struct Case {
        const char *project;
        std::size_t line, item;
        const char *value;
        const char *message;
    } const cases[] = {
        {"example.vrd", 7, 2, "1e300", "INPUT DATA FILE, LINE 7, VALUE 2: 1e+300 IS TOO LARGE."},
        {"example.vrd", 4, 7, "-2e12", "INPUT DATA FILE, LINE 4, VALUE 7: -2e+12 IS TOO LARGE."},
        {"example.vrd", 4, 7, "0", "THE ELASTIC MODULUS OF THE SHAFT EC IS 0 LB/SQ IN."},
        {"rock_socket_design_depth.vrd", 5, 3, "2500", "THE DESIGN DEPTH IS 2500 FT."},
        {"gravel_decomposed_rock_si.vrd", 4, 7, "0",
         "THE ELASTIC MODULUS OF THE SHAFT EC IS 0 KN/SQ M."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.project) + " " + c.message);
        const std::vector<std::string> lines =
            splitLines(readFile(fs::path(VORNA_EXAMPLES) / c.project));
        ScratchFolder scratch;
        const RunFiles files = filesForProject(scratch / "limit.vrd");
        writeFile(files.input, withValue(lines, c.line, c.item, c.value));
        EXPECT_EQ(runAnalysis(files), kStatusInputOutOfRange);
        EXPECT_NE(readFile(files.report).find(c.message), std::string::npos);
        EXPECT_NE(readFile(files.runtime).find(c.message), std::string::npos);
    }
}

// The most layers a project may have, every soil kind in turn, at the deepest profile and
// the most diameters that still make sense together.
TEST(ExtremeProfiles, TwentyNineLayersOfEveryKind)
{
    const std::vector<std::string> groups = {
        "1 |\r\n0.0 115 32 0.0 15 0 0 1 1\r\n0.0 118 34 0.0 20 0 0 1 1\r\n1\r\n0 0",
        "2 |\r\n0 120 0.0 1500 0 4000 0 1 1\r\n0 122 0.0 4000 0 4000 0 1 1\r\n0 0",
        "3 |\r\n8 125 0.0 8000 60 0 0 1 1\r\n8 125 0.0 8000 60 0 0 1 1\r\n0.4 0.45",
        "4 |\r\n150000 576000 2 0.01 3 0 500000 80 0 1 1\r\n160000 576000 2 0.01 3 0 600000 85 0 1 "
        "1",
        "5 |\r\n130 60 0.3 30000 3 0 0 1 1\r\n132 70 0.3 35000 3 0 0 1 1",
        "8 |\r\n125 30 0 0 0 1 1\r\n128 35 0 0 0 1 1",
        "9 |\r\n130 40 0 0 0 1 1\r\n132 45 0 0 0 1 1",
    };
    const auto project = [&groups](const std::string &increment, const std::string &depth) {
        std::string text = "Twenty-nine layers\r\n1\r\n2 1 1 " + increment +
                           " 1 2\r\n1 60 0 0 2 0 4000000\r\n29 8 " + depth + " 2.5 3\r\n";
        for (int k = 1; k <= 29; ++k) {
            const std::string bottom = k < 29 ? std::to_string(6 * k) : "2000";
            std::string group = groups[static_cast<std::size_t>(k) % groups.size()];
            group.replace(group.find('|'), 1, bottom);
            text += group + "\r\n";
        }
        return text;
    };
    for (const char *depth : {"150", "1990"}) {
        SCOPED_TRACE(std::string("design depth ") + depth);
        EXPECT_EQ(expectSoundRun(project("1", depth)), kStatusOk);
    }
    // A fine increment over all of it would write gigabytes of rows.
    ScratchFolder scratch;
    const RunFiles files = filesForProject(scratch / "fine.vrd");
    writeFile(files.input, project("0.1", "1990"));
    EXPECT_EQ(runAnalysis(files), kStatusInputOutOfRange);
    EXPECT_NE(readFile(files.report)
                  .find("THE OUTPUT INCREMENT OF 0.1 FT GIVES ABOUT 2380000 "
                        "RESULT ROWS FOR 119 DIAMETERS DOWN TO 2000 FT."),
              std::string::npos);
}

} // namespace
