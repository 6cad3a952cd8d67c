#include "report/report_head.h"

#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

using namespace vorna;
using namespace vorna::test;

namespace {

TEST(ReportHead, SplitsFileNamesWithEitherSeparator)
{
    struct Case {
        const char *name, *drive, *directory, *baseName, *extension;
    };
    const Case cases[] = {
        {"C:\\Projects\\job.vrd", "C:", "\\Projects\\", "job", ".vrd"},
        {"/home/eng/site a/job.vrd", "", "/home/eng/site a/", "job", ".vrd"},
        {"\\\\server\\share\\job.vrd", "", "\\\\server\\share\\", "job", ".vrd"},
        {"job.vrd", "", "", "job", ".vrd"},
        {"data/a.b.vrd", "", "data/", "a.b", ".vrd"},
        {"/tmp/job.report", "", "/tmp/", "job", ".repo"}, // extensions keep 5 characters
        {"/tmp/job", "", "/tmp/", "job", ""},
        {"/tmp.d/job", "", "/tmp.d/", "job", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const SplitFileName parts = splitFileName(c.name);
        EXPECT_EQ(parts.drive, c.drive);
        EXPECT_EQ(parts.directory, c.directory);
        EXPECT_EQ(parts.baseName, c.baseName);
        EXPECT_EQ(parts.extension, c.extension);
    }
}

TEST(ReportHead, HeadIsExactWithAnInjectedClock)
{
    ScratchFolder folder;
    const std::filesystem::path project = folder / "job.vrd";
    writeFile(project, "Head\r\n1\r\n2 1 1 1 1 2\r\n2 2 0 0 0 0 4000000\r\n1 10 40 2.5 3\r\n"
                       "2 60\r\n0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n");
    RunFiles files = filesForProject(project);
    files.versionText = "2012.7.10.12345"; // longer than 12: cut
    RunOptions options;
    options.dateTime = LocalDateTime{2014, 3, 7, 9, 5, 3};
    ASSERT_EQ(runAnalysis(files, options), kStatusOk);

    const std::vector<std::string> expected = {
        "     =========================================================================",
        "",
        "                      VORNA for Windows, Version 2012.7.10.12",
        "",
        "                    VERTICALLY LOADED DRILLED SHAFT ANALYSIS",
        "",
        "     =========================================================================",
        "",
        "",
        "     Path to file locations      : " + folder.path().string() + "/",
        "     Name of input data file     : job.vrd",
        "     Name of output file         : job.vro",
        "     Name of plot output file    : job.vrp",
        "     Name of runtime file        : job.vrr",
        "",
        "",
        "     -------------------------------------------------------------------------",
        "                          Time and Date of Analysis",
        "     -------------------------------------------------------------------------",
        "",
        "               Date:  March 07, 2014     Time:  09:05:03",
        "",
        "     Head" + std::string(68, ' '),
    };
    const auto lines = fileLines(files.report);
    ASSERT_GE(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(readFile(files.report).find("\n"), readFile(files.report).find("\r\n") + 1);
}

} // namespace
