// The exported C entry and the hand-over file, through the shared library itself.
#include "vornacalc.h"

#include "test_files.h"
#include "vornacalc/engine.h"

#include <algorithm>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace vorna;
using namespace vorna::test;

namespace {

const char *const kProject = "Entry test\r\n1\r\n2 1 1 1 1 2\r\n2 2 0 0 0 0 4000000\r\n"
                             "1 10 40 2.5 3\r\n2 60\r\n0 115 0 2000 0 0 0 1 1\r\n"
                             "0 115 0 2000 0 0 0 1 1\r\n0 0\r\n";

// Runs each test inside its own scratch folder, the current directory of the engine.
class EntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    std::filesystem::path file(const std::string &name) const { return m_folder / name; }
    std::vector<std::string> outputs() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(m_folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchFolder m_folder;
    std::filesystem::path m_previous;
};

TEST_F(EntryTest, OtherRequestCodesTouchNothing)
{
    const std::string names = crlf({"2012.7.10", "job.vrd", "job.vro", "job.vrp", "job.vrr"});
    writeFile(file("names.dat"), names);
    writeFile(file("job.vrd"), kProject);
    for (int32_t code : {9, 11, 0, -10}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(IVORNA(code), 1);
    }
    EXPECT_EQ(outputs(), (std::vector<std::string>{"job.vrd", "names.dat"}));
    EXPECT_EQ(readFile(file("names.dat")), names);
}

TEST_F(EntryTest, RunsTheFilesNamedInNamesDatWithEitherLineEnd)
{
    for (const std::string ending : {"\r\n", "\n"}) {
        SCOPED_TRACE(ending.size());
        writeFile(file("names.dat"), "2012.7.10" + ending + "job.vrd" + ending + "job.vro" +
                                         ending + "job.vrp" + ending + "job.vrr" + ending);
        writeFile(file("job.vrd"), kProject);
        EXPECT_EQ(IVORNA(10), 0);
        const auto report = fileLines(file("job.vro"));
        ASSERT_GT(report.size(), 25u);
        EXPECT_EQ(report[2], "                      VORNA for Windows, Version 2012.7.10   ");
        EXPECT_EQ(report[10], "     Name of input data file     : job.vrd");
        EXPECT_TRUE(std::filesystem::exists(file("job.vrp")));
        EXPECT_TRUE(std::filesystem::exists(file("job.vrr")));
    }
}

TEST_F(EntryTest, FaultyNamesDatWritesNothing)
{
    struct Case {
        const char *name;
        std::optional<std::string> content;
        int status;
    };
    const Case cases[] = {
        {"missing", std::nullopt, kStatusNamesFileMissing},
        {"empty", "", kStatusNamesFileMissing},
        {"three lines", crlf({"2012.7.10", "job.vrd", "job.vro"}), kStatusNamesFileIncomplete},
        {"blank plot name", crlf({"2012.7.10", "job.vrd", "job.vro", "  ", "job.vrr"}),
         kStatusNamesFileIncomplete},
        // Outputs that repeat the input would overwrite the project with its own report.
        {"report named as the input",
         crlf({"2012.7.10", "job.vrd", "job.vrd", "job.vrp", "job.vrr"}), kStatusSameFileNames},
        {"plot and run-time file alike",
         crlf({"2012.7.10", "job.vrd", "job.vro", "job.vrr", "job.vrr"}), kStatusSameFileNames},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file("names.dat"));
        writeFile(file("job.vrd"), kProject);
        if (c.content)
            writeFile(file("names.dat"), *c.content);
        EXPECT_EQ(IVORNA(10), c.status);
        for (const std::string &name : outputs())
            EXPECT_TRUE(name == "job.vrd" || name == "names.dat") << name;
        EXPECT_EQ(readFile(file("job.vrd")), kProject);
    }
}

TEST_F(EntryTest, LongerOldReportIsReplacedCompletely)
{
    writeFile(file("names.dat"), crlf({"2012.7.10", "job.vrd", "job.vro", "job.vrp", "job.vrr"}));
    writeFile(file("job.vrd"), kProject);
    writeFile(file("job.vro"), std::string(200000, 'x'));
    writeFile(file("job.vrr"), std::string(5000, 'y'));
    ASSERT_EQ(IVORNA(10), 0);
    const std::string report = readFile(file("job.vro"));
    EXPECT_EQ(report.find('x'), std::string::npos);
    EXPECT_LT(report.size(), 200000u);
    EXPECT_EQ(readFile(file("job.vrr")).find('y'), std::string::npos);
}

TEST(EntryExport, BothNamesAreTheSameRoutine)
{
    // _IVORNA is bound by the linker; reach it by name as a host does.
    void *self = dlopen(VORNACALC_LIBRARY, RTLD_NOW);
    ASSERT_NE(self, nullptr) << dlerror();
    void *plain = dlsym(self, "IVORNA");
    void *underscored = dlsym(self, "_IVORNA");
    EXPECT_NE(plain, nullptr);
    EXPECT_EQ(plain, underscored);
    EXPECT_EQ(reinterpret_cast<VornaEntry>(underscored)(9), 1);
    dlclose(self);
}

} // namespace
