// Checks of the shaft and layer values that the profile, side and base methods cannot work
// with (a division by zero, the root or logarithm of a negative number).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vorna {

// The deepest layer bottom the depth walk accepts, ft: far below any drilled shaft, and it
// keeps the one-foot walk and its records bounded.
inline constexpr double kMaxProfileDepthFt = 2000.0;
// The largest stem diameter and bell ratio accepted: far beyond any drilled shaft, and they
// keep the base zone, counted in whole feet, within integer range.
inline constexpr double kMaxDiameterFt = 100.0;
inline constexpr double kMaxBellRatio = 10.0;
// The most result rows a run may write over all its diameters (about 150 MB of report).
inline constexpr double kMaxResultRows = 2.0e6;
// The largest size of any value in the input data file.
inline constexpr double kMaxInputMagnitude = 1.0e12;

struct InputData;
struct RunContext;

// The message lines of the first such value, in the input's units; empty when all are
// usable.
std::optional<std::vector<std::string>> findProfileFault(const InputData &input);

// The message lines of each value that is possible but unusual (a friction angle above 50
// degrees, a unit weight outside 80 to 170 pcf...), in file order.
std::vector<std::vector<std::string>> findUnusualValues(const InputData &input);

// A WARNING block in the report and the run-time file for each layer (0-based) whose
// limits snap to the same whole foot; the run goes on.
void writeLayersWithoutThickness(RunContext &run, const std::vector<std::size_t> &layers);

// Ends the run with an error block and kStatusInputOutOfRange on the first value that the
// analysis cannot work with or that no shaft or ground can have; then writes a WARNING block
// for each unusual value, and the run goes on.
void checkProfileInput(RunContext &run);

} // namespace vorna
