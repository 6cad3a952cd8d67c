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

// Runs every project with `jobs` analyses at once (1: one after the other). The files each
// run writes and the results handed on are the same whatever `jobs` is: projects that would
// write the same output files run one after the other, in the order given, and the
// load-transfer listing TZDATA.DAT of each project is written whole, in the order given, so
// projects sharing a folder leave the listing of the last of them, as a serial run does.
std::vector<ProjectRun> runProjects(const std::vector<std::string> &projects, int jobs,
                                    const RunFinished &finished);

} // namespace vorna::cli
