// The table of bad input files (tests/bad_input/cases.txt): every file ends with its status
// and a message block whose first line is given; an error block also names the line of the
// input data file, and no message prints inf or nan.
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

struct BadInputCase {
    std::string file;
    int status = 0;
    std::string engineMessage;
};

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// Lines "file | status | engine message | desktop message"; "#" starts a comment line.
std::vector<BadInputCase> readCases()
{
    std::vector<BadInputCase> cases;
    std::istringstream in(readFile(fs::path(VORNA_BAD_INPUT) / "cases.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t bar; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3)
            fields.push_back(trimmed(line.substr(start, bar - start)));
        fields.push_back(trimmed(line.substr(start)));
        EXPECT_EQ(fields.size(), 4u) << line;
        if (fields.size() == 4)
            cases.push_back({fields[0], std::stoi(fields[1]), fields[2]});
    }
    return cases;
}

// The lines of a message block whose first line is `first`, up to the empty line closing it,
// and the frame line above it.
std::vector<std::string> blockOf(const std::vector<std::string> &lines, const std::string &first,
                                 std::string &frame)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] != "     " + first)
            continue;
        frame = lines[i - 1];
        std::vector<std::string> block;
        for (std::size_t j = i; j < lines.size() && !lines[j].empty(); ++j)
            block.push_back(lines[j]);
        return block;
    }
    return {};
}

TEST(BadInput, EveryFileGivesItsStatusAndNamesTheLine)
{
    static const std::regex nonNumber("\\b(nan|inf|infinity)\\b", std::regex::icase);
    static const std::regex namesLine("LINE [0-9]+");
    const std::vector<BadInputCase> cases = readCases();
    EXPECT_GE(cases.size(), 25u);
    for (const BadInputCase &c : cases) {
        SCOPED_TRACE(c.file);
        ScratchFolder scratch;
        const RunFiles files = filesForProject(scratch / c.file);
        fs::copy_file(fs::path(VORNA_BAD_INPUT) / c.file, files.input);
        EXPECT_EQ(runAnalysis(files), c.status);
        std::string first = c.engineMessage;
        if (const auto at = first.find("<input>"); at != std::string::npos)
            first.replace(at, 7, files.input.string());
        for (const fs::path &out : {files.report, files.runtime}) {
            SCOPED_TRACE(out.filename().string());
            // The file's own token is echoed in quotes ("nan" IS NOT A NUMBER); nothing else
            // may print a value that is not finite.
            const std::string text =
                std::regex_replace(readFile(out), std::regex("\"[^\"\r\n]*\""), "\"\"");
            EXPECT_FALSE(std::regex_search(text, nonNumber));
            std::string frame;
            const std::vector<std::string> block = blockOf(fileLines(out), first, frame);
            ASSERT_FALSE(block.empty()) << first;
            const bool error = c.status != kStatusOk;
            EXPECT_EQ(frame, error ? "     *********************ERROR**********************"
                                   : "     *********************WARNING**********************");
            // Every message about the file's content says where; the emptiness of a file
            // has no line to name.
            if (c.status != kStatusInputEmpty) {
                EXPECT_TRUE(
                    std::regex_search(block.front(), namesLine) ||
                    std::regex_search(block.front(), std::regex("FOR THE (MOST EFFICIENT )?SHAFT")))
                    << block.front();
            }
            for (const std::string &line : block)
                EXPECT_LE(line.size(), 5 + 200u) << "an echoed value is cut";
        }
    }
}

// A value left out of a record that goes on to the next line fails only where the shifted
// values give out; the block names the line where it is missing as well.
TEST(BadInput, MissingValueNamesTheLineWhereItIsMissing)
{
    for (const auto &[file, line] : {std::pair{"value_missing_on_line_4.vrd", 4},
                                     std::pair{"value_missing_on_line_7.vrd", 7}}) {
        SCOPED_TRACE(file);
        ScratchFolder scratch;
        const RunFiles files = filesForProject(scratch / file);
        fs::copy_file(fs::path(VORNA_BAD_INPUT) / file, files.input);
        EXPECT_NE(runAnalysis(files), kStatusOk);
        const std::string text = readFile(files.runtime);
        EXPECT_NE(text.find("A VALUE MAY BE MISSING ON LINE " + std::to_string(line)),
                  std::string::npos)
            << text;
    }
}

// The same project with CR LF, LF and CR alone as line ends gives the same report.
TEST(BadInput, EveryLineEndReadsAlike)
{
    const std::string crlfText =
        readFile(fs::path(VORNA_EXAMPLES) / "rock_socket_design_depth.vrd");
    std::string lf, cr;
    for (char ch : crlfText) {
        if (ch == '\r')
            continue;
        lf += ch;
        cr += ch == '\n' ? '\r' : ch;
    }
    std::vector<std::string> reports;
    for (const std::string &text : {crlfText, lf, cr}) {
        ScratchFolder scratch;
        RunOptions options;
        options.dateTime = LocalDateTime{};
        const RunFiles files = filesForProject(scratch / "tower.vrd");
        writeFile(files.input, text);
        EXPECT_EQ(runAnalysis(files, options), kStatusOk);
        // From the title on: the head names the files, which lie in different folders.
        const std::string report = readFile(files.report);
        const auto title = report.find("\r\n     Office tower");
        ASSERT_NE(title, std::string::npos);
        reports.push_back(report.substr(title) + readFile(files.plot));
    }
    EXPECT_EQ(reports[1], reports[0]);
    EXPECT_EQ(reports[2], reports[0]);
}

} // namespace
