// Numeric entry: every number the user types goes through this evaluator, which accepts a
// small arithmetic language (operators, parentheses, constants, functions, factorial and
// hexadecimal) instead of a bare number.
#pragma once

#include <QString>

#include <string>

namespace vorna {

// Value of an entry, or EAssignError with a message beginning "Entry could not be
// evaluated:". Operators bind in four passes, each left to right: "^"; "*", "/", "%", "&";
// "+", "-", "|"; "=". So 2^3^2 is 64. Every partial result is carried as text with 18
// significant digits. Arithmetic faults (division by zero, logarithm of a non-positive
// number, overflow) are reported as EAssignError too; the result is always finite.
long double Evaluate(const QString &text);

// A value as the evaluator carries it: general format, 18 significant digits, "." as
// decimal separator and no "+" in the exponent (so the text re-reads as one operand).
std::string evaluatorText(long double value);

// A value in general format with up to `digits` significant digits, as table cells and the
// project file show it: "." as decimal separator and an exponent, when there is one, as
// "E" with no "+" and no leading zeros ("1E20", "2.5E-7"), so the evaluator reads the
// text back as one number.
QString generalText(double value, int digits);

} // namespace vorna
