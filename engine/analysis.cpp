#include "analysis.h"

#include "input_file.h"
#include "run_context.h"

namespace vorna {

void analyse(RunContext &run, std::string_view inputContent)
{
    readInputFile(run, inputContent);
}

} // namespace vorna
