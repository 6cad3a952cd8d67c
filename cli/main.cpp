// vorna: runs the analysis engine on project files from the command line.
#include "vornacalc/engine.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: vorna [--help] FILE.vrd [FILE.vrd ...]\n"
    "\n"
    "Runs the drilled-shaft analysis on each project file. For FILE.vrd it writes\n"
    "the report FILE.vro, the plot data file FILE.vrp and the run-time file FILE.vrr\n"
    "beside it, and TZDATA.DAT (the load-transfer curves of the last run) in the\n"
    "same folder. One line per file gives the run status and the report's path.\n"
    "\n"
    "Exit status: 0 when every run ended normally, 1 when any did not, 2 on a usage\n"
    "error. Run statuses are listed in the README.\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this text\n";

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> projects;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
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

    bool allOk = true;
    for (const std::string &project : projects) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(project, ec);
        const vorna::RunFiles files = vorna::filesForProject(ec ? std::filesystem::path(project) : absolute);
        const int status = vorna::runAnalysis(files, {});
        allOk = allOk && status == vorna::kStatusOk;
        const bool reportWritten = status != vorna::kStatusOutputNotWritable ||
                                   std::filesystem::exists(files.report);
        std::printf("%s: status %d (%.*s)%s%s\n", project.c_str(), status,
                    static_cast<int>(vorna::describeStatus(status).size()),
                    vorna::describeStatus(status).data(), reportWritten ? ", report " : "",
                    reportWritten ? files.report.string().c_str() : "");
    }
    return allOk ? 0 : 1;
}
