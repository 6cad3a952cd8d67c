// Report texts of the rock-tip load-settlement curves, and the call that runs the socket
// method of a rock tip for the capacity driver.
#pragma once

#include "input/input_data.h"
#include "method/rock_tip.h"
#include "method/settlement_curve.h"

#include <string>
#include <variant>
#include <vector>

namespace vorna {

struct RunContext;
class TextOut;

// The heading each socket method writes before its curve.
std::vector<std::string> rockTipHeadingLines();

// The single curve of a diameter without load-transfer runs: top load and top movement.
std::vector<std::string> singleCurveTableLines(UnitSystem unitSystem, const SettlementCurve &curve);
void writeSingleCurveTable(TextOut &report, UnitSystem unitSystem, const SettlementCurve &curve);

// The socket method of a tip layer: strong rock (codes 4, 7), decomposed rock (5) or
// weak rock (6).
using RockTipInput = std::variant<StrongRockTipInput, DecomposedRockTipInput, WeakRockTipInput>;

// Writes the heading to the report and returns the curve in output units.
SettlementCurve runRockTip(RunContext &run, const RockTipInput &input);

} // namespace vorna
