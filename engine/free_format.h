// Free-format (list-directed) reading of the input data file: a record starts on a new
// line, takes values across line ends when a line holds too few, and ignores what is
// left on its last line. Values are separated by blanks, tabs or commas.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

struct FreeFormatValue {
    double value = 0.0;
    int line = 0; // 1-based line of the file
    int item = 0; // 1-based position on that line
};

// Why a record could not be read, with where.
struct FreeFormatFault {
    enum class Kind { EndOfFile, NotANumber, NotAnInteger } kind;
    int line = 0;
    int item = 0;
    std::string token;
    int valueIndex = 0; // 0-based index of the value in the record
};

class FreeFormatReader {
public:
    explicit FreeFormatReader(std::string_view content);

    // The next line as text, CR removed; nullopt at the end of the file.
    std::optional<std::string> textLine();

    // Reads a record of `count` values; `integers[i]` asks for a whole number at i.
    // On a fault returns nothing and fills `fault`.
    std::optional<std::vector<FreeFormatValue>> record(int count, const std::vector<bool> &integers,
                                                       FreeFormatFault &fault);

    // 1-based number of the line read last (0 before the first).
    int lineNumber() const { return m_lineIndex; }

private:
    std::vector<std::string> m_lines;
    int m_lineIndex = 0;
};

// A list-directed number: optional sign, digits with an optional point, optional
// exponent with E or D. Infinity, NaN and out-of-range values are not numbers.
std::optional<double> parseFortranReal(std::string_view token);

} // namespace vorna
