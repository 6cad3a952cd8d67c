// libFuzzer target: the hand-over file names.dat. Names that could leave the scratch folder
// are not tried, so the run never writes outside it.
#include "vornacalc/engine.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (text.find_first_of("/\\") != std::string_view::npos ||
        text.find("..") != std::string_view::npos)
        return 0;
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("vorna-fuzz-names-" + std::to_string(::getpid()));
        fs::create_directories(p);
        std::ofstream(p / "job.vrd", std::ios::binary)
            << "Fuzz\r\n1\r\n2 1 1 1 1 2\r\n3 3 0 0 0 0 4000000\r\n1 10 20 2.5 3\r\n2 40\r\n"
               "0 115 0 2000 0 0 0 1 1\r\n0 115 0 2000 0 0 0 1 1\r\n0 0\r\n";
        return p;
    }();
    {
        std::ofstream names(folder / "names.dat", std::ios::binary | std::ios::trunc);
        names.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    vorna::runFromNamesFile(folder / "names.dat", folder);
    // Keep the folder from filling up with whatever names the inputs made.
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename() != "job.vrd" && entry.path().filename() != "names.dat")
            fs::remove_all(entry.path(), ec);
    return 0;
}
