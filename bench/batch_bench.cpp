// Fifty projects in one folder analysed the way `vorna -j N` does, for N = 1, 2 and 4: the
// bundled examples ten times over, and fifty deeper projects (29 layers, diameters 2 to 9 ft,
// design depth 75 ft). Wall time, since the work is spread over threads.
#include "batch_run.h"
#include "vornacalc/engine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kProjects = 50;

// A fresh folder for one benchmark, removed with it.
class BenchFolder {
public:
    explicit BenchFolder(const std::string &name)
        : m_path(fs::temp_directory_path() /
                 ("vorna-batch-" + name + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~BenchFolder() { fs::remove_all(m_path); }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

// 29 layers cycling through sand, clay, gravelly sand and clay shale down to 300 ft; soil tips
// throughout, so every diameter runs the three load-transfer curves.
std::string deepProject(int variant)
{
    std::ostringstream text;
    text << "Deep profile " << variant
         << "\r\n1 \r\n2 1 1 1 1 2\r\n2 9 0 0 5 1 4000000\r\n29 15 75 2.5 3\r\n";
    for (int k = 1; k <= 29; ++k) {
        const double bottom = k < 29 ? 10.0 * k + 2.0 : 300.0;
        switch ((k + variant) % 4) {
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

void runBatch(benchmark::State &state, const std::vector<std::string> &projects)
{
    const int jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto runs =
            vorna::cli::runProjects(projects, jobs, vorna::cli::ResultDetail::Warnings, {});
        for (const auto &run : runs) {
            // The bundled example.vrd ends with "NEED ANOTHER SOIL LAYER" on purpose.
            if (run.status != vorna::kStatusOk && run.status != vorna::kStatusNeedAnotherLayer)
                state.SkipWithError("an analysis did not end normally");
        }
        benchmark::DoNotOptimize(runs.data());
    }
    state.counters["projects"] = static_cast<double>(projects.size());
}

void BM_Examples(benchmark::State &state)
{
    const BenchFolder folder("examples");
    std::vector<std::string> projects;
    std::vector<fs::path> examples;
    for (const auto &entry : fs::directory_iterator(VORNA_EXAMPLES))
        if (entry.path().extension() == ".vrd")
            examples.push_back(entry.path());
    std::sort(examples.begin(), examples.end());
    for (int i = 0; i < kProjects; ++i) {
        const fs::path &example = examples[static_cast<std::size_t>(i) % examples.size()];
        const fs::path copy =
            folder.path() / (std::to_string(i) + "-" + example.filename().string());
        fs::copy_file(example, copy);
        projects.push_back(copy.string());
    }
    runBatch(state, projects);
}
BENCHMARK(BM_Examples)->Arg(1)->Arg(2)->Arg(4)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_DeepProjects(benchmark::State &state)
{
    const BenchFolder folder("deep");
    std::vector<std::string> projects;
    for (int i = 0; i < kProjects; ++i) {
        const fs::path project = folder.path() / ("deep-" + std::to_string(i) + ".vrd");
        std::ofstream(project, std::ios::binary) << deepProject(i);
        projects.push_back(project.string());
    }
    runBatch(state, projects);
}
BENCHMARK(BM_DeepProjects)->Arg(1)->Arg(2)->Arg(4)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
