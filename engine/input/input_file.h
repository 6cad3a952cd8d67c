// Reader of the input data file: fills the run's input, writes the input echo of the
// report head; SI values are converted on reading (si_input.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

struct RunContext;

// Reads the whole file content into run.input. Faults in the file end the run with an
// error block naming the line (RunStopped).
void readInputFile(RunContext &run, std::string_view content);

// Lines that follow an error block's message about a value read from `line`: where its
// record began when that was an earlier line, and the first record that went on to a
// following line, since a record takes values from the next line when a value is missing
// on its own. `recordLine` 0 when unknown; `endOfFile` when reading failed at the end of the
// file (`line` is then the line after the last).
std::vector<std::string> missingValueHints(const struct ValuePlaces &places, int recordLine,
                                           int line, bool endOfFile = false);

} // namespace vorna
