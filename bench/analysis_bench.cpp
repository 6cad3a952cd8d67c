// Whole analyses through the C++ API, files included: the bundled examples, and a large
// project (29 layers down to 300 ft, stem diameters 2 to 30 ft) at several design depths
// to show how the cost grows with depth and with the number of diameters.
#include "vornacalc/engine.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path scratchFolder()
{
    const fs::path folder =
        fs::temp_directory_path() / ("vorna-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

// 29 layers of 10 ft and more, cycling through sand, clay, gravels and clay shale, down to
// 300 ft; soil tips throughout so every diameter runs the three load-transfer curves.
std::string largeProject(double designDepthFt, double largestDiameterFt)
{
    std::ostringstream text;
    text << "Large profile\r\n1 \r\n2 1 1 1 1 2\r\n2 " << largestDiameterFt
         << " 0 0 5 1 4000000\r\n29 15 " << designDepthFt << " 2.5 3\r\n";
    for (int k = 1; k <= 29; ++k) {
        const double bottom = k < 29 ? 10.0 * k + 2.0 : 300.0;
        switch (k % 4) {
        case 0:
            text << "1 " << bottom << " \r\n0.0 120 34 0.0 25 0 0 1 1 \r\n"
                 << "0.0 122 35 0.0 30 0 0 1 1 \r\n2 \r\n0 0\r\n";
            break;
        case 1:
            text << "2 " << bottom << " \r\n0 118 0.0 2500 0 0 0 1 1 \r\n"
                 << "0 120 0.0 3000 0 0 0 1 1 \r\n0 0\r\n";
            break;
        case 2:
            text << "8 " << bottom << " \r\n125 40 0 0 0 1 1 \r\n128 45 0 0 0 1 1 \r\n";
            break;
        default:
            text << "3 " << bottom << " \r\n0 125 0.0 8000 60 0 0 1 1 \r\n"
                 << "0 126 0.0 9000 70 0 0 1 1 \r\n0 0\r\n";
            break;
        }
    }
    return text.str();
}

void runProject(benchmark::State &state, const fs::path &project)
{
    const vorna::RunFiles files = vorna::filesForProject(project);
    for (auto _ : state) {
        const int status = vorna::runAnalysis(files);
        if (status != vorna::kStatusOk)
            state.SkipWithError("the analysis did not end normally");
        benchmark::DoNotOptimize(status);
    }
}

void writeProject(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void BM_Example(benchmark::State &state, const char *name)
{
    const fs::path folder = scratchFolder();
    const fs::path project = folder / name;
    fs::copy_file(fs::path(VORNA_EXAMPLES) / name, project, fs::copy_options::overwrite_existing);
    runProject(state, project);
}
BENCHMARK_CAPTURE(BM_Example, belled_uplift, "belled_uplift.vrd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Example, bridge_pier_lrfd_si, "bridge_pier_lrfd_si.vrd")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Example, gravel_decomposed_rock_si, "gravel_decomposed_rock_si.vrd")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Example, rock_socket_design_depth, "rock_socket_design_depth.vrd")
    ->Unit(benchmark::kMillisecond);

// Design depth in ft as the argument; diameters 2 to 30 ft.
void BM_LargeProjectByDepth(benchmark::State &state)
{
    const fs::path project = scratchFolder() / ("large-" + std::to_string(state.range(0)) + ".vrd");
    writeProject(project, largeProject(static_cast<double>(state.range(0)), 30.0));
    runProject(state, project);
}
BENCHMARK(BM_LargeProjectByDepth)->Arg(75)->Arg(150)->Arg(250)->Unit(benchmark::kMillisecond);

// Largest diameter in ft as the argument; design depth 250 ft.
void BM_LargeProjectByDiameters(benchmark::State &state)
{
    const fs::path project =
        scratchFolder() / ("large-d" + std::to_string(state.range(0)) + ".vrd");
    writeProject(project, largeProject(250.0, static_cast<double>(state.range(0))));
    runProject(state, project);
}
BENCHMARK(BM_LargeProjectByDiameters)->Arg(9)->Arg(16)->Arg(30)->Unit(benchmark::kMillisecond);

} // namespace
