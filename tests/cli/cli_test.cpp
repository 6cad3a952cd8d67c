// The command-line runner as a user calls it.
#include "test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace vorna::test;

namespace {

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome runVorna(const std::string &arguments)
{
    const std::string command = std::string(VORNA_EXECUTABLE) + " " + arguments + " 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(Cli, HelpAndUsageErrors)
{
    const Outcome help = runVorna("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Usage: vorna"), std::string::npos);
    EXPECT_EQ(runVorna("").exitCode, 2);
    EXPECT_EQ(runVorna("--bogus x.vrd").exitCode, 2);
}

TEST(Cli, RunsEachProjectAndReportsItsStatus)
{
    ScratchFolder folder;
    const auto good = folder / "good.vrd";
    const auto bad = folder / "bad.vrd";
    std::filesystem::copy_file(std::string(VORNA_EXAMPLES) + "/belled_uplift.vrd", good);
    writeFile(bad, "Bad\r\n1\r\n1 1 1 1 1 2\r\n");
    const Outcome both = runVorna("'" + good.string() + "' '" + bad.string() + "'");
    EXPECT_EQ(both.exitCode, 1);
    EXPECT_NE(both.output.find(good.string() + ": status 0 (normal end), report " +
                               (folder / "good.vro").string()),
              std::string::npos)
        << both.output;
    EXPECT_NE(both.output.find(bad.string() + ": status 15"), std::string::npos) << both.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "good.vrp"));
    EXPECT_TRUE(std::filesystem::exists(folder / "good.vrr"));

    EXPECT_EQ(runVorna("'" + good.string() + "'").exitCode, 0);
    const Outcome missing = runVorna("'" + (folder / "none.vrd").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("status 13"), std::string::npos);
}

} // namespace
