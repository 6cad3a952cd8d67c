// Runs the projects of one command line, one after the other or several at once, and hands
// each result on in the order the projects were given.
#pragma once

#include "result_output.h"

#include <functional>
#include <string>
#include <vector>

namespace vorna::cli {

// Called once per project, in the order given, as soon as that project and every project
// before it have finished.
using RunFinished = std::function<void(const ProjectRun &run)>;

// How much of each run's results is handed on: Everything for --json and --csv (every
// diameter's rows and curves, the run-time messages), Warnings for the status lines alone
// (the overflow warnings and the kind of run).
enum class ResultDetail { Warnings, Everything };

// Runs every project with `jobs` analyses at once (1: one after the other). The files each
// run writes and the results handed on are the same whatever `jobs` is: projects that would
// write the same output files run one after the other, in the order given, and the
// load-transfer listing TZDATA.DAT of each project is written whole, in the order given, so
// projects sharing a folder leave the listing of the last of them, as a serial run does.
std::vector<ProjectRun> runProjects(const std::vector<std::string> &projects, int jobs,
                                    ResultDetail detail, const RunFinished &finished);

} // namespace vorna::cli
