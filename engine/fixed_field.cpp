#include "fixed_field.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace vorna {
namespace {

std::string stars(int width)
{
    return std::string(static_cast<std::size_t>(width > 0 ? width : 0), '*');
}

// Decimal digits of |value| rounded half away from zero to `decimals` places.
// The exact decimal expansion comes from std::to_chars, with enough extra digits
// that a true tie is told apart from a value just below or above it.
struct Rounded {
    std::string intDigits;  // no leading zeros; "" for a zero integer part
    std::string fracDigits; // exactly `decimals` digits
};

Rounded roundFixed(double magnitude, int decimals)
{
    constexpr int kGuardDigits = 40;
    // 309 integer digits + point + fraction at most.
    char buffer[320 + 64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::fixed, decimals + kGuardDigits);
    if (ec != std::errc{})
        return {std::string(400, '9'), std::string(static_cast<std::size_t>(decimals), '0')};
    std::string text(buffer, end);
    const auto point = text.find('.');
    std::string intPart = point == std::string::npos ? text : text.substr(0, point);
    std::string fracAll = point == std::string::npos ? std::string() : text.substr(point + 1);
    fracAll.resize(static_cast<std::size_t>(decimals + kGuardDigits), '0');

    std::string digits = intPart + fracAll.substr(0, static_cast<std::size_t>(decimals));
    const bool roundUp = fracAll[static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0) {
            char &c = digits[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
                --i;
                continue;
            }
            ++c;
            break;
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
    }
    const std::size_t intLength = digits.size() - static_cast<std::size_t>(decimals);
    Rounded r;
    r.intDigits = digits.substr(0, intLength);
    r.fracDigits = digits.substr(intLength);
    const auto firstNonZero = r.intDigits.find_first_not_of('0');
    r.intDigits = firstNonZero == std::string::npos ? std::string() : r.intDigits.substr(firstNonZero);
    return r;
}

std::string rightAligned(const std::string &text, int width)
{
    if (static_cast<int>(text.size()) > width)
        return stars(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

} // namespace

std::string fieldF(double value, int width, int decimals)
{
    if (width <= 0)
        return {};
    if (!std::isfinite(value) || decimals < 0)
        return stars(width);
    const bool negative = std::signbit(value) && value != 0.0;
    const Rounded r = roundFixed(std::fabs(value), decimals);
    std::string body = r.intDigits;
    const std::string tail = "." + r.fracDigits;
    std::string sign = negative ? "-" : "";
    std::string text = sign + (body.empty() ? "0" : body) + tail;
    if (static_cast<int>(text.size()) > width && body.empty())
        text = sign + tail; // the optional leading zero goes first
    return rightAligned(text, width);
}

std::string fieldE(double value, int width, int decimals)
{
    if (width <= 0)
        return {};
    if (!std::isfinite(value) || decimals <= 0)
        return stars(width);
    const bool negative = std::signbit(value) && value != 0.0;
    const double magnitude = std::fabs(value);
    std::string mantissa(static_cast<std::size_t>(decimals), '0');
    int exponent = 0;
    if (magnitude != 0.0) {
        // Scientific digits d.ddd... rounded half away from zero; 0.ddd form moves the point.
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, decimals - 1 + 30);
        std::string text(buffer, end);
        const auto ePos = text.find('e');
        int sciExponent = 0;
        std::from_chars(text.data() + ePos + 1, text.data() + text.size(), sciExponent);
        if (text[ePos + 1] == '+')
            std::from_chars(text.data() + ePos + 2, text.data() + text.size(), sciExponent);
        std::string digits;
        for (std::size_t i = 0; i < ePos; ++i)
            if (text[i] != '.')
                digits += text[i];
        std::string kept = digits.substr(0, static_cast<std::size_t>(decimals));
        if (digits[static_cast<std::size_t>(decimals)] >= '5') {
            int i = decimals - 1;
            while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
                kept[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++kept[static_cast<std::size_t>(i)];
            } else {
                kept.insert(kept.begin(), '1');
                kept.pop_back();
                ++sciExponent;
            }
        }
        mantissa = kept;
        exponent = sciExponent + 1;
    }
    std::string expText;
    const int absExponent = std::abs(exponent);
    if (absExponent > 999)
        return stars(width);
    const char expSign = exponent < 0 ? '-' : '+';
    if (absExponent <= 99) {
        expText = std::string("E") + expSign + (absExponent < 10 ? "0" : "") +
                  std::to_string(absExponent);
    } else {
        expText = std::string(1, expSign) + std::to_string(absExponent);
    }
    const std::string sign = negative ? "-" : "";
    std::string text = sign + "0." + mantissa + expText;
    if (static_cast<int>(text.size()) > width)
        text = sign + "." + mantissa + expText;
    return rightAligned(text, width);
}

std::string fieldI(long long value, int width)
{
    if (width <= 0)
        return {};
    return rightAligned(std::to_string(value), width);
}

std::string fieldA(std::string_view text, int width)
{
    if (width <= 0)
        return {};
    if (static_cast<int>(text.size()) >= width)
        return std::string(text.substr(0, static_cast<std::size_t>(width)));
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + std::string(text);
}

std::string blanks(int count)
{
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), ' ');
}

std::string padded(std::string_view text, std::size_t length)
{
    std::string result(text.substr(0, std::min(length, text.size())));
    result.resize(length, ' ');
    return result;
}

std::string listIntegers(std::initializer_list<long long> values)
{
    std::string line;
    for (long long v : values)
        line += fieldI(v, 12);
    return line;
}

} // namespace vorna
