// libFuzzer target: a whole engine run on arbitrary input data file bytes.
#include "vornacalc/engine.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path &folder()
{
    static const fs::path path = [] {
        fs::path p = fs::temp_directory_path() / ("vorna-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const vorna::RunFiles files = vorna::filesForProject(folder() / "fuzz.vrd");
    {
        std::ofstream input(files.input, std::ios::binary | std::ios::trunc);
        input.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    vorna::runAnalysis(files);
    return 0;
}
