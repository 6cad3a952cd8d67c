// Reader of the input data file: fills the run's input, writes the input echo of the
// report head, and converts SI values to the engine's English units.
#pragma once

#include <string_view>

namespace vorna {

struct RunContext;

// Reads the whole file content into run.input. Faults in the file end the run with an
// error block naming the line (RunStopped).
void readInputFile(RunContext &run, std::string_view content);

// Converts the SI values that the analysis uses to ft, tons, psf and pcf.
void convertSiInput(struct InputData &input);

} // namespace vorna
