// The analysis proper: reads the input data file and computes, writing the rest of the
// report, the plot data file and the run-time file.
#pragma once

#include <string_view>

namespace vorna {

struct RunContext;

// Ends normally, or by RunStopped with the run status.
void analyse(RunContext &run, std::string_view inputContent);

} // namespace vorna
