// Free-format (list-directed) reading of the input data file: a record starts on a new
// line, takes values across line ends when a line holds too few, and ignores what is
// left on its last line. Values are separated by blanks, tabs or commas; lines may end
// with CR LF, LF or CR alone.
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
    enum class Kind { EndOfFile, NotANumber, NotAnInteger, TooLarge, TooSmall, DecimalComma } kind;
    int line = 0;
    int item = 0;
    std::string token;  // as written, at most kEchoedTokenLength characters and "..."
    int valueIndex = 0; // 0-based index of the value in the record
    int recordLine = 0; // 1-based line where the record began
};

// The most characters of a token that a message repeats.
inline constexpr std::size_t kEchoedTokenLength = 40;

// The token cut for a message: its first kEchoedTokenLength characters, "..." when longer.
std::string echoedToken(std::string_view token);

class FreeFormatReader {
public:
    explicit FreeFormatReader(std::string_view content);

    // The next line as text, line end removed; nullopt at the end of the file.
    std::optional<std::string> textLine();

    // Reads a record of `count` values; `integers[i]` asks for a whole number at i.
    // On a fault returns nothing and fills `fault`.
    std::optional<std::vector<FreeFormatValue>> record(int count, const std::vector<bool> &integers,
                                                       FreeFormatFault &fault);

    // 1-based number of the line read last (0 before the first).
    int lineNumber() const { return m_lineIndex; }

    // The first line of the first record that had to go on to a following line, 0 while
    // every record fitted its line. The desktop writes each record on one line, so a
    // record that goes on is the likeliest place of a missing value.
    int firstContinuedRecordLine() const { return m_firstContinued; }

private:
    std::vector<std::string> m_lines;
    int m_lineIndex = 0;
    int m_firstContinued = 0;
};

// What a number token holds.
struct ParsedNumber {
    enum class Kind { Number, NotANumber, TooLarge, TooSmall } kind = Kind::NotANumber;
    double value = 0.0;
};

// A list-directed number: optional sign, digits with an optional point, optional
// exponent with E or D. Infinity and NaN are not numbers; a number beyond the range of a
// double is too large (or, nonzero, too close to zero to be held).
ParsedNumber parseFortranNumber(std::string_view token);

// The value of parseFortranNumber when it is a number.
std::optional<double> parseFortranReal(std::string_view token);

} // namespace vorna
