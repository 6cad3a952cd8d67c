// vorna: runs the analysis engine on project files from the command line.
#include "result_output.h"
#include "vornacalc/engine.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: vorna [--json | --csv] FILE.vrd [FILE.vrd ...]\n"
    "\n"
    "Runs the drilled-shaft analysis on each project file. For FILE.vrd it writes\n"
    "the report FILE.vro, the plot data file FILE.vrp and the run-time file FILE.vrr\n"
    "beside it, and TZDATA.DAT (the load-transfer curves of the last run) in the\n"
    "same folder. One line per file gives the run status and the report's path.\n"
    "\n"
    "Options:\n"
    "  --json      print the results as JSON on standard output: per diameter the\n"
    "              geometry, every result row, the design row and the load-settlement\n"
    "              curves; the most efficient shaft; the status and the run-time\n"
    "              messages. One project gives an object, several an array.\n"
    "  --csv       print the result rows of every diameter of every project as CSV\n"
    "  -h, --help  show this text\n"
    "  --version   show the program's version\n"
    "With --json or --csv the status lines go to standard error.\n"
    "\n"
    "Exit status: 0 when every run ended normally, 1 when any did not, 2 on a usage\n"
    "error. Run statuses are listed in the README.\n";

enum class Output { Text, Json, Csv };

std::vector<std::string> runtimeMessages(const std::filesystem::path &path)
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

} // namespace

int main(int argc, char **argv)
{
    Output output = Output::Text;
    std::vector<std::string> projects;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::fputs("vorna " VORNA_VERSION "\n", stdout);
            return 0;
        }
        if (arg == "--json" || arg == "--csv") {
            const Output wanted = arg == "--json" ? Output::Json : Output::Csv;
            if (output != Output::Text && output != wanted) {
                std::fputs("vorna: --json and --csv exclude each other\n", stderr);
                return 2;
            }
            output = wanted;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "vorna: unknown option %s\n\n%s", arg.c_str(), kUsage);
            return 2;
        }
        projects.push_back(arg);
    }
    if (projects.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    FILE *statusStream = output == Output::Text ? stdout : stderr;
    bool allOk = true;
    std::vector<vorna::cli::ProjectRun> runs;
    for (const std::string &project : projects) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(project, ec);
        const vorna::RunFiles files =
            vorna::filesForProject(ec ? std::filesystem::path(project) : absolute);
        vorna::cli::ProjectRun run;
        run.project = project;
        run.report = files.report;
        vorna::RunOptions options;
        options.results = &run.results;
        std::string problem;
        options.problem = &problem;
        run.status = vorna::runAnalysis(files, options);
        run.messages = runtimeMessages(files.runtime);
        allOk = allOk && run.status == vorna::kStatusOk;

        // A run that could not write its report leaves none of that name behind.
        const bool reportWritten = run.status != vorna::kStatusInternalError &&
                                   run.status != vorna::kStatusSameFileNames &&
                                   std::filesystem::is_regular_file(files.report, ec);
        std::string text(vorna::describeStatus(run.status));
        if (!problem.empty())
            text += ": " + problem;
        std::fprintf(statusStream, "%s: status %d (%s)%s%s\n", project.c_str(), run.status,
                     text.c_str(), reportWritten ? ", report " : "",
                     reportWritten ? files.report.string().c_str() : "");
        runs.push_back(std::move(run));
    }
    if (output == Output::Json)
        std::fputs(vorna::cli::toJson(runs).c_str(), stdout);
    if (output == Output::Csv)
        std::fputs(vorna::cli::toCsv(runs).c_str(), stdout);
    return allOk ? 0 : 1;
}
