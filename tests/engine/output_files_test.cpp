// How a run treats its output files: written under temporary names and put in place only
// when complete, so a run that cannot write its results ends with status 12 naming the
// file and the reason, and leaves no earlier plot or run-time file beside the project; and
// a run whose file names coincide writes nothing at all.
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/mount.h>
#include <unistd.h>

using namespace vorna;
using namespace vorna::test;

namespace fs = std::filesystem;

namespace {

const std::string kOld = "OUTPUT OF AN EARLIER RUN\r\n";

std::string exampleProject()
{
    return readFile(fs::path(VORNA_EXAMPLES) / "belled_uplift.vrd"); // ends normally
}

// A project with earlier outputs of every kind beside it.
RunFiles projectWithOldOutputs(const ScratchFolder &folder)
{
    const RunFiles files = filesForProject(folder / "job.vrd");
    writeFile(files.input, exampleProject());
    for (const fs::path *out : {&files.report, &files.plot, &files.runtime})
        writeFile(*out, kOld);
    return files;
}

std::vector<std::string> namesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(OutputFiles, CompleteRunLeavesNoTemporaryFiles)
{
    ScratchFolder folder;
    const RunFiles files = projectWithOldOutputs(folder);
    RunOptions options;
    options.diagnosticFolder = folder.path();
    EXPECT_EQ(runAnalysis(files, options), kStatusOk);
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{"TZDATA.DAT", "job.vrd", "job.vro", "job.vrp", "job.vrr"}));
    for (const fs::path *out : {&files.report, &files.plot, &files.runtime})
        EXPECT_NE(readFile(*out), kOld) << *out;
}

// /dev/full behind an output's temporary name: every flush of it fails with ENOSPC, as on a
// full disk, at whatever point of the run the buffer first fills.
TEST(OutputFiles, OutputThatCannotBeFlushedEndsWithStatus12AndKeepsNoPlot)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    const char *const kinds[] = {"report", "plot", "runtime"};
    for (const char *kind : kinds) {
        SCOPED_TRACE(kind);
        ScratchFolder folder;
        const RunFiles files = projectWithOldOutputs(folder);
        const fs::path &failing = std::string(kind) == "report" ? files.report
                                  : std::string(kind) == "plot" ? files.plot
                                                                : files.runtime;
        fs::path temporary = failing;
        temporary += ".tmp";
        fs::create_symlink("/dev/full", temporary);
        std::string problem;
        RunOptions options;
        options.diagnosticFolder = folder.path();
        options.problem = &problem;
        EXPECT_EQ(runAnalysis(files, options), kStatusOutputNotWritable);
        EXPECT_EQ(problem, failing.string() + ": No space left on device");
        // No plot data at all, and nothing of the earlier run.
        EXPECT_FALSE(fs::exists(files.plot));
        EXPECT_FALSE(fs::exists(fs::symlink_status(temporary)));
        for (const fs::path *out : {&files.report, &files.runtime}) {
            if (*out == failing) {
                EXPECT_FALSE(fs::exists(*out));
                continue;
            }
            const std::string text = readFile(*out);
            EXPECT_TRUE(contains(text, "THE FILE " + failing.string() + " COULD NOT BE WRITTEN:"))
                << text;
            EXPECT_TRUE(contains(text, "No space left on device."));
        }
        EXPECT_EQ(readFile(files.input), exampleProject());
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
}

// A folder under the report's name: the run ends at once with 12 and leaves neither the
// earlier plot nor the earlier run-time file, which would pass for its results.
TEST(OutputFiles, ReportNameTakenByAFolderRemovesEarlierResults)
{
    ScratchFolder folder;
    const RunFiles files = projectWithOldOutputs(folder);
    fs::remove(files.report);
    fs::create_directory(files.report);
    std::string problem;
    RunOptions options;
    options.problem = &problem;
    EXPECT_EQ(runAnalysis(files, options), kStatusOutputNotWritable);
    EXPECT_EQ(problem, files.report.string() + ": Is a directory");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"job.vrd", "job.vro"}));
    EXPECT_TRUE(fs::is_directory(files.report));
}

TEST(OutputFiles, CoincidingFileNamesWriteNothing)
{
    struct Case {
        const char *name;
        const char *input, *report, *plot, *runtime;
        const char *problem; // after the folder
    };
    const Case cases[] = {
        {"input named as report", "job.vro", "job.vro", "job.vrp", "job.vrr",
         "job.vro: named both as the input data file and as the report"},
        {"input named as plot", "job.vrp", "job.vro", "job.vrp", "job.vrr",
         "job.vrp: named both as the input data file and as the plot data file"},
        {"two outputs under one name", "job.vrd", "job.vro", "job.vrr", "job.vrr",
         "job.vrr: named both as the plot data file and as the run-time file"},
        {"the same file by another path", "job.vrd", "sub/../job.vrd", "job.vrp", "job.vrr",
         "sub/../job.vrd: named both as the input data file and as the report"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        writeFile(folder / c.input, exampleProject());
        fs::create_directory(folder / "sub");
        RunFiles files;
        files.input = folder / c.input;
        files.report = folder / c.report;
        files.plot = folder / c.plot;
        files.runtime = folder / c.runtime;
        std::string problem;
        RunOptions options;
        options.problem = &problem;
        EXPECT_EQ(runAnalysis(files, options), kStatusSameFileNames);
        EXPECT_EQ(problem, (folder.path() / "").string() + c.problem);
        EXPECT_EQ(readFile(files.input), exampleProject());
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{c.input, "sub"}));
    }
}

// A real file system that runs full part-way through the run (a small tmpfs; needs the
// right to mount, so it is skipped where that is not given).
TEST(OutputFiles, FullFileSystemEndsWithStatus12)
{
    ScratchFolder folder;
    const fs::path mountPoint = folder / "small";
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN): "
                     << std::strerror(errno);
    struct Unmount {
        fs::path point;
        ~Unmount() { ::umount(point.c_str()); }
    } unmount{mountPoint};

    const RunFiles files = filesForProject(mountPoint / "job.vrd");
    writeFile(files.input, exampleProject());
    for (const fs::path *out : {&files.report, &files.plot, &files.runtime})
        writeFile(*out, kOld);
    // Fill the file system, then leave room for the report head but not for the results.
    {
        std::ofstream filler(mountPoint / "filler", std::ios::binary);
        const std::string block(1024, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               filler.flush()) {
        }
    }
    fs::resize_file(mountPoint / "filler", fs::file_size(mountPoint / "filler") - 8192);
    std::string problem;
    RunOptions options;
    options.problem = &problem;
    options.diagnosticFolder = folder.path();
    EXPECT_EQ(runAnalysis(files, options), kStatusOutputNotWritable);
    EXPECT_TRUE(problem.ends_with(": No space left on device")) << problem;
    EXPECT_FALSE(fs::exists(files.plot));
    EXPECT_EQ(readFile(files.input), exampleProject());
    for (const auto &entry : fs::directory_iterator(mountPoint))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}
