// Unit codes: short texts such as "L2", "F/L2^2" or "F/L2^3" that name a value's physical
// unit independently of the unit system. A code is a numerator and an optional denominator
// separated by "/"; each side is an optional force part ("F", a digit, optionally "^" and a
// power) and an optional length part ("L", a digit, optionally "^" and a power). The empty
// code is dimensionless.
#pragma once

#include <QString>

namespace vorna {

inline constexpr int kEnglishUnits = 1;
inline constexpr int kSiUnits = 2;

// English units per SI unit of the whole code, e.g. 224.8089237 / 3.280839895^2 for
// "F/L2^2" (lbs/ft^2 per kN/m^2); 1 for the empty code.
double unitFactor(const QString &code);

// Multiplier that converts a value of this code from one unit system to another:
// English to SI 1/factor, SI to English factor, the same system 1.
double unitConversion(const QString &code, int fromSystem, int toSystem);

// The code with every symbol replaced by its name in the given system: "F/L2^2" is
// "lbs/ft^2" in English and "kN/m^2" in SI units.
QString unitText(const QString &code, int system);

} // namespace vorna
