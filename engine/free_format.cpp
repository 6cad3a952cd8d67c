#include "free_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vorna {

FreeFormatReader::FreeFormatReader(std::string_view content)
{
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.emplace_back(line);
        start = end + 1;
    }
}

std::optional<std::string> FreeFormatReader::textLine()
{
    if (m_lineIndex >= static_cast<int>(m_lines.size()))
        return std::nullopt;
    return m_lines[static_cast<std::size_t>(m_lineIndex++)];
}

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' || c == '\v';
}

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (i > start)
            result.push_back(line.substr(start, i - start));
    }
    return result;
}

} // namespace

std::optional<double> parseFortranReal(std::string_view token)
{
    if (token.empty() || token.size() > 64)
        return std::nullopt;
    std::string text(token);
    if (text[0] == '+')
        text.erase(0, 1);
    bool sawDigit = false;
    for (char &c : text) {
        if (c == 'd' || c == 'D')
            c = 'E';
        if (c >= '0' && c <= '9')
            sawDigit = true;
        else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return std::nullopt; // rules out inf, nan and hexadecimal forms
    }
    if (!sawDigit)
        return std::nullopt;
    double value = 0.0;
    const char *first = text.data();
    const char *last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{} || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<FreeFormatValue>>
FreeFormatReader::record(int count, const std::vector<bool> &integers, FreeFormatFault &fault)
{
    std::vector<FreeFormatValue> values;
    while (static_cast<int>(values.size()) < count) {
        if (m_lineIndex >= static_cast<int>(m_lines.size())) {
            fault = {FreeFormatFault::Kind::EndOfFile, m_lineIndex + 1, 0, {},
                     static_cast<int>(values.size())};
            return std::nullopt;
        }
        const int lineNo = ++m_lineIndex;
        const auto items = tokens(m_lines[static_cast<std::size_t>(lineNo - 1)]);
        for (std::size_t i = 0; i < items.size() && static_cast<int>(values.size()) < count; ++i) {
            const int index = static_cast<int>(values.size());
            const int item = static_cast<int>(i) + 1;
            const auto value = parseFortranReal(items[i]);
            if (!value) {
                fault = {FreeFormatFault::Kind::NotANumber, lineNo, item, std::string(items[i]),
                         index};
                return std::nullopt;
            }
            const bool wantsInteger =
                index < static_cast<int>(integers.size()) && integers[static_cast<std::size_t>(index)];
            if (wantsInteger && (*value != std::trunc(*value) ||
                                 std::fabs(*value) > std::numeric_limits<int>::max())) {
                fault = {FreeFormatFault::Kind::NotAnInteger, lineNo, item, std::string(items[i]),
                         index};
                return std::nullopt;
            }
            values.push_back({*value, lineNo, item});
        }
    }
    return values;
}

} // namespace vorna
