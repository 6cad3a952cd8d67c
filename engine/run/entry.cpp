// The exported C entry: reads names.dat from the current directory and runs the analysis
// it names. No exception crosses this boundary.
#include "vornacalc.h"

#include "vornacalc/engine.h"

#include <cstdio>

extern "C" VORNA_EXPORT int32_t VORNA_CALL IVORNA(int32_t request)
{
    if (request != 10)
        return vorna::kStatusRefused;
    try {
        vorna::RunOptions options;
        options.console = [](std::string_view line) {
            if (!line.empty())
                std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        };
        options.diagnosticFolder = ".";
        const int status = vorna::runFromNamesFile("names.dat", ".", options);
        std::fflush(stdout);
        return status;
    } catch (...) {
        return vorna::kStatusInternalError;
    }
}
