#include "batch_run.h"

#include "load_test_csv.h"
#include "vornacalc/engine.h"

#include <condition_variable>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace vorna::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char *kTzDataName = "TZDATA.DAT";

fs::path absoluteProject(const std::string &project)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(project, ec);
    return ec ? fs::path(project) : absolute;
}

std::vector<std::string> runtimeMessages(const fs::path &path)
{
    std::vector<std::string> lines;
    std::ifstream stream(path, std::ios::binary);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(' ') != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

// The measured curve of NAME.loadtest.csv, when the project keeps one, in the run's units.
void readKeptLoadTest(const fs::path &project, ProjectRun &run)
{
    const fs::path kept = loadTestFileName(project);
    std::error_code ec;
    if (!fs::exists(kept, ec))
        return;
    try {
        run.loadTest = readLoadTestFile(kept, run.results.si);
    } catch (const LoadTestError &e) {
        run.loadTestProblem = "the load test " + kept.string() + " is left out: " + e.what();
    }
}

ProjectRun runOne(const std::string &project, RunOptions options, ResultDetail detail)
{
    ProjectRun run;
    run.project = project;
    try {
        const RunFiles files = filesForProject(absoluteProject(project));
        run.report = files.report;
        options.results = &run.results;
        options.resultsPerDiameter = detail == ResultDetail::Everything;
        options.problem = &run.problem;
        run.status = runAnalysis(files, options);
        if (detail == ResultDetail::Everything)
            run.messages = runtimeMessages(files.runtime);
        readKeptLoadTest(absoluteProject(project), run);
        // A run that could not write its report leaves none of that name behind.
        std::error_code ec;
        run.reportWritten =
            run.status != kStatusSameFileNames && fs::is_regular_file(files.report, ec);
    } catch (...) {
        run.status = kStatusInternalError;
    }
    return run;
}

// Two projects whose names differ only in their extension, or that name one file twice,
// share their report, plot and run-time files.
fs::path outputKey(const std::string &project)
{
    std::error_code ec;
    fs::path key = fs::weakly_canonical(absoluteProject(project), ec);
    if (ec)
        key = absoluteProject(project);
    return key.replace_extension();
}

// The listing is read by nothing, so a failure to write it does not change the run's status,
// as in the engine's own writing of it.
void writeTzData(const fs::path &project, const std::string &listing)
{
    std::ofstream out(absoluteProject(project.string()).parent_path() / kTzDataName,
                      std::ios::binary | std::ios::trunc);
    out.write(listing.data(), static_cast<std::streamsize>(listing.size()));
}

struct Slot {
    bool done = false;
    std::optional<std::string> listing; // TZDATA.DAT content, when the run made one
};

std::vector<ProjectRun> runConcurrently(const std::vector<std::string> &projects, int jobs,
                                        ResultDetail detail, const RunFinished &finished)
{
    // Projects that share output files form one group, run in order by one thread.
    std::vector<std::vector<std::size_t>> groups;
    std::map<fs::path, std::size_t> groupOfKey;
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const auto [it, added] = groupOfKey.try_emplace(outputKey(projects[i]), groups.size());
        if (added)
            groups.emplace_back();
        groups[it->second].push_back(i);
    }

    std::vector<ProjectRun> runs(projects.size());
    std::vector<Slot> slots(projects.size());
    std::mutex mutex;
    std::condition_variable progress;
    std::size_t nextGroup = 0;
    const auto worker = [&] {
        for (;;) {
            std::size_t group = 0;
            {
                const std::lock_guard lock(mutex);
                if (nextGroup == groups.size())
                    return;
                group = nextGroup++;
            }
            for (const std::size_t i : groups[group]) {
                std::optional<std::string> listing;
                RunOptions options;
                options.parallelDiameters = false; // the projects already share the cores
                options.diagnosticSink = [&listing](std::string_view text) {
                    listing = std::string(text);
                };
                ProjectRun run = runOne(projects[i], options, detail);
                const std::lock_guard lock(mutex);
                runs[i] = std::move(run);
                slots[i].listing = std::move(listing);
                slots[i].done = true;
                progress.notify_all();
            }
        }
    };
    const std::size_t threadCount =
        std::min<std::size_t>(static_cast<std::size_t>(jobs), groups.size());
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < threadCount; ++t)
        threads.emplace_back(worker);

    for (std::size_t i = 0; i < projects.size(); ++i) {
        std::unique_lock lock(mutex);
        progress.wait(lock, [&] { return slots[i].done; });
        lock.unlock();
        // Only this thread writes listings, each whole and in the order given.
        if (slots[i].listing)
            writeTzData(projects[i], *slots[i].listing);
        if (finished)
            finished(runs[i]);
    }
    return runs;
}

} // namespace

std::vector<ProjectRun> runProjects(const std::vector<std::string> &projects, int jobs,
                                    ResultDetail detail, const RunFinished &finished)
{
    if (jobs > 1 && projects.size() > 1)
        return runConcurrently(projects, jobs, detail, finished);
    std::vector<ProjectRun> runs;
    for (const std::string &project : projects) {
        runs.push_back(runOne(project, {}, detail));
        if (finished)
            finished(runs.back());
    }
    return runs;
}

} // namespace vorna::cli
