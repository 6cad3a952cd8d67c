#include "input/free_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vorna {

FreeFormatReader::FreeFormatReader(std::string_view content)
{
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = content.size();
        m_lines.emplace_back(content.substr(start, end - start));
        // CR LF is one line end; CR alone and LF alone are one each.
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

std::optional<std::string> FreeFormatReader::textLine()
{
    if (m_lineIndex >= static_cast<int>(m_lines.size()))
        return std::nullopt;
    return m_lines[static_cast<std::size_t>(m_lineIndex++)];
}

std::string echoedToken(std::string_view token)
{
    std::string text(token.substr(0, kEchoedTokenLength));
    // Control characters and bytes of another character set would garble the report.
    for (char &c : text)
        if (c < ' ' || c > '~')
            c = '?';
    return token.size() <= kEchoedTokenLength ? text : text + "...";
}

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct Token {
    std::string_view text;
    std::size_t end; // position after the token in its line
};

std::vector<Token> tokens(std::string_view line)
{
    std::vector<Token> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (i > start)
            result.push_back({line.substr(start, i - start), i});
    }
    return result;
}

// The decimal power of a well-formed number that from_chars could not hold: above 0 it
// was too large, below 0 too small.
long long decimalPower(std::string_view text)
{
    long long exponent = 0;
    const std::size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::string_view digits = text.substr(e + 1);
        bool negative = false;
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
            negative = digits[0] == '-';
            digits.remove_prefix(1);
        }
        for (char c : digits)
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
        text = text.substr(0, e);
    }
    // Position of the first nonzero digit relative to the point.
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    long long wholeDigits = 0;
    bool leading = true;
    for (char c : whole) {
        if (!isDigit(c))
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++wholeDigits;
    }
    if (wholeDigits > 0)
        return exponent + wholeDigits;
    long long zeros = 0;
    if (point != std::string_view::npos)
        for (char c : text.substr(point + 1)) {
            if (c != '0')
                break;
            ++zeros;
        }
    return exponent - zeros;
}

} // namespace

ParsedNumber parseFortranNumber(std::string_view token)
{
    using Kind = ParsedNumber::Kind;
    if (token.empty())
        return {};
    std::string text(token);
    if (text[0] == '+')
        text.erase(0, 1);
    bool sawDigit = false;
    for (char &c : text) {
        if (c == 'd' || c == 'D')
            c = 'E';
        if (isDigit(c))
            sawDigit = true;
        else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return {}; // rules out inf, nan and hexadecimal forms
    }
    if (!sawDigit)
        return {};
    double value = 0.0;
    const char *first = text.data();
    const char *last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ptr != last)
        return {};
    if (ec == std::errc::result_out_of_range)
        return {decimalPower(text) > 0 ? Kind::TooLarge : Kind::TooSmall, 0.0};
    if (ec != std::errc{} || !std::isfinite(value))
        return {};
    return {Kind::Number, value};
}

std::optional<double> parseFortranReal(std::string_view token)
{
    const ParsedNumber number = parseFortranNumber(token);
    if (number.kind != ParsedNumber::Kind::Number)
        return std::nullopt;
    return number.value;
}

std::optional<std::vector<FreeFormatValue>>
FreeFormatReader::record(int count, const std::vector<bool> &integers, FreeFormatFault &fault)
{
    using Kind = FreeFormatFault::Kind;
    std::vector<FreeFormatValue> values;
    const int recordLine = m_lineIndex + 1;
    const auto fail = [&](Kind kind, int line, int item, std::string_view token) {
        fault = {kind, line, item, echoedToken(token), static_cast<int>(values.size()), recordLine};
        return std::nullopt;
    };
    while (static_cast<int>(values.size()) < count) {
        if (m_lineIndex >= static_cast<int>(m_lines.size()))
            return fail(Kind::EndOfFile, m_lineIndex + 1, 0, {});
        if (m_lineIndex + 1 > recordLine && m_firstContinued == 0)
            m_firstContinued = recordLine;
        const int lineNo = ++m_lineIndex;
        const std::string_view line = m_lines[static_cast<std::size_t>(lineNo - 1)];
        const auto items = tokens(line);
        for (std::size_t i = 0; i < items.size() && static_cast<int>(values.size()) < count; ++i) {
            const int index = static_cast<int>(values.size());
            const int item = static_cast<int>(i) + 1;
            const std::string_view text = items[i].text;
            const std::size_t end = items[i].end;
            // The desktop never writes a comma; one between two digits is almost surely a
            // decimal comma, which as a separator would shift every later value.
            if (isDigit(text.back()) && end + 1 < line.size() && line[end] == ',' &&
                isDigit(line[end + 1])) {
                std::size_t stop = end + 1;
                while (stop < line.size() && !isSeparator(line[stop]))
                    ++stop;
                const std::size_t start = static_cast<std::size_t>(text.data() - line.data());
                return fail(Kind::DecimalComma, lineNo, item, line.substr(start, stop - start));
            }
            const ParsedNumber number = parseFortranNumber(text);
            switch (number.kind) {
            case ParsedNumber::Kind::Number:
                break;
            case ParsedNumber::Kind::NotANumber:
                return fail(Kind::NotANumber, lineNo, item, text);
            case ParsedNumber::Kind::TooLarge:
                return fail(Kind::TooLarge, lineNo, item, text);
            case ParsedNumber::Kind::TooSmall:
                return fail(Kind::TooSmall, lineNo, item, text);
            }
            const bool wantsInteger = index < static_cast<int>(integers.size()) &&
                                      integers[static_cast<std::size_t>(index)];
            if (wantsInteger && (number.value != std::trunc(number.value) ||
                                 std::fabs(number.value) > std::numeric_limits<int>::max()))
                return fail(Kind::NotAnInteger, lineNo, item, text);
            values.push_back({number.value, lineNo, item});
        }
    }
    return values;
}

} // namespace vorna
