// vorna: runs the analysis engine on project files from the command line.
#include "batch_run.h"
#include "result_output.h"
#include "vornacalc/engine.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: vorna [-j N] [--json | --csv] FILE.vrd [FILE.vrd ...]\n"
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
    "              Both give each curve's load at a head settlement of 5 % of the\n"
    "              base diameter, and the measured curve's when NAME.loadtest.csv\n"
    "              lies beside the project.\n"
    "  -j N        analyse N projects at once (default 1); files, results and status\n"
    "              lines are the same as one after the other, in the order given\n"
    "  -h, --help  show this text\n"
    "  --version   show the program's version\n"
    "With --json or --csv the status lines go to standard error.\n"
    "\n"
    "Exit status: 0 when every run ended normally, 1 when any did not, 2 on a usage\n"
    "error. Run statuses are listed in the README.\n";

enum class Output { Text, Json, Csv };

constexpr int kMaxJobs = 256;

// The N of "-j N": a whole number from 1 to kMaxJobs.
bool parseJobs(const std::string &text, int &jobs)
{
    const char *end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, jobs);
    return ec == std::errc{} && last == end && jobs >= 1 && jobs <= kMaxJobs;
}

} // namespace

int main(int argc, char **argv)
{
    Output output = Output::Text;
    int jobs = 1;
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
        if (arg.rfind("-j", 0) == 0) {
            const bool separate = arg == "-j";
            if (separate && i + 1 == argc) {
                std::fprintf(stderr, "vorna: -j needs a number of projects at once\n\n%s", kUsage);
                return 2;
            }
            const std::string count = separate ? std::string(argv[++i]) : arg.substr(2);
            if (!parseJobs(count, jobs)) {
                std::fprintf(stderr, "vorna: -j %s: give a whole number from 1 to %d\n",
                             count.c_str(), kMaxJobs);
                return 2;
            }
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
    const std::vector<vorna::cli::ProjectRun> runs = vorna::cli::runProjects(
        projects, jobs,
        output == Output::Text ? vorna::cli::ResultDetail::Warnings
                               : vorna::cli::ResultDetail::Everything,
        [&](const vorna::cli::ProjectRun &run) {
            allOk = allOk && run.status == vorna::kStatusOk;
            std::string text(vorna::describeStatus(run.status));
            if (!run.problem.empty())
                text += ": " + run.problem;
            std::fprintf(statusStream, "%s: status %d (%s)%s%s\n", run.project.string().c_str(),
                         run.status, text.c_str(), run.reportWritten ? ", report " : "",
                         run.reportWritten ? run.report.string().c_str() : "");
            // The report keeps its fixed columns; say where the values that did not fit are.
            for (const std::string &what : run.results.overflowWarnings)
                std::fprintf(statusStream,
                             "%s: warning: values of %s are printed as asterisks in the report; "
                             "vorna --json gives the full values\n",
                             run.project.string().c_str(), what.c_str());
            if (!run.loadTestProblem.empty())
                std::fprintf(stderr, "%s: %s\n", run.project.string().c_str(),
                             run.loadTestProblem.c_str());
            std::fflush(statusStream);
        });
    if (output == Output::Json)
        std::fputs(vorna::cli::toJson(runs).c_str(), stdout);
    if (output == Output::Csv)
        std::fputs(vorna::cli::toCsv(runs).c_str(), stdout);
    return allOk ? 0 : 1;
}
