// Fixed-column fields of the engine's text files (F w.d, E w.d, I w, A w, blanks).
// Every line of the report, the plot file and the run-time file is built from these,
// so rounding and overflow behave the same everywhere. A value that does not fit
// its field prints as w asterisks; so does a value that is not finite.
#pragma once

#include <string>
#include <string_view>

namespace vorna {

// F w.d: fixed point, d decimals, right-aligned in w columns. Halves round away from
// zero. The leading zero of a magnitude below 1 is dropped only when the field is
// otherwise too narrow.
std::string fieldF(double value, int width, int decimals);

// E w.d: 0.ddd E+xx form (no blank before the E), right-aligned in w columns.
// An exponent beyond two digits drops the letter E (0.123+100).
std::string fieldE(double value, int width, int decimals);

// The same fields appended to a line under construction, without a string of their own.
void appendFieldF(std::string &out, double value, int width, int decimals);
void appendFieldE(std::string &out, double value, int width, int decimals);

// The same fields written at `at`, which has room for `width` characters; return the end.
// For lines of many fields built in a buffer and appended at once.
char *putFieldF(char *at, double value, int width, int decimals);
char *putFieldE(char *at, double value, int width, int decimals);

// The exact long-hand writers behind fieldF and fieldE, which take a shorter way wherever
// one floating-point operation settles the rounding; kept callable to check that way.
std::string exactFieldF(double value, int width, int decimals);
std::string exactFieldE(double value, int width, int decimals);

// I w: integer, right-aligned in w columns.
std::string fieldI(long long value, int width);

// A w: text in w columns; shorter text is right-aligned, longer text keeps its first w
// characters.
std::string fieldA(std::string_view text, int width);

// n spaces.
std::string blanks(int count);

// A text padded with blanks (or cut) to exactly n characters, left-aligned; for the
// title and the version text, which are read into fixed-length character variables.
std::string padded(std::string_view text, std::size_t length);

// A number in shortest general form with up to 6 significant digits (as %.6g, but always
// with "." whatever the locale), for message texts.
std::string numberText(double value);

// Free-format (list-directed) output of integers: each value preceded by blanks
// in a field of 12 columns.
std::string listIntegers(std::initializer_list<long long> values);

} // namespace vorna
