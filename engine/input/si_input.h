// SI input in the engine's units, in one place. The reader converts the record once to ft,
// tons, psf and pcf (convertSiInput). The values the input echo prints as entered (moduli,
// slump, the output increment) stay in the record as entered; the methods convert them
// with the functions here.
#pragma once

#include "input/input_data.h"

namespace vorna {

// Converts the SI values that the analysis uses to ft, tons, psf and pcf.
void convertSiInput(InputData &input);

// A modulus as entered (psi, or kPa for SI) in tsf: rock, gravel and shaft moduli.
double enteredModulusTsf(double entered, UnitSystem unitSystem);

// The shaft modulus Ec as entered, in psi, with the t-z analysis's own SI factor.
double enteredConcreteModulusPsi(double Ec, UnitSystem unitSystem);

// A concrete slump as entered (in, or m for SI) in inches.
double enteredSlumpIn(double slump, UnitSystem unitSystem);

// The output increment (ft, or m for SI) in ft.
double outputIncrementFt(const InputData &input);

} // namespace vorna
