// Inputs that once crashed, hung or misbehaved under the fuzzer: each must now end with a
// run status and a plot data file that holds no NaN or infinity.
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

TEST(FuzzRegressions, EveryInputEndsWithAStatus)
{
    const fs::path folder = fs::path(VORNA_TEST_DATA).parent_path() / "fuzz_regressions";
    int count = 0;
    for (const auto &entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.' || entry.path().filename() == "README")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        ScratchFolder scratch;
        const RunFiles files = filesForProject(scratch / "fuzz.vrd");
        fs::copy_file(entry.path(), files.input);
        const int status = runAnalysis(files);
        EXPECT_NE(status, kStatusInternalError);
        // The plot data file holds numbers only (the report echoes the input's own text).
        const std::string plot = readFile(files.plot);
        EXPECT_EQ(plot.find_first_of("naif"), std::string::npos);
    }
    if (count == 0)
        GTEST_SKIP() << "no regression inputs yet";
}

} // namespace
