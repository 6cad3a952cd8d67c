#include "report/fixed_field.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>

namespace vorna {
namespace {

std::string stars(int width)
{
    return std::string(static_cast<std::size_t>(width > 0 ? width : 0), '*');
}

// Adds one unit in the last place of a digit string; true when it carried past the first.
bool incremented(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
            continue;
        }
        ++*it;
        return false;
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// Whether the exact decimal expansion of the value ends with a 5 one place past
// `precision`: only then do ties to even and ties away from zero differ. Rare, so the long
// expansion is worth it here.
bool isExactTie(double magnitude, std::chars_format format, int precision)
{
    constexpr int kExtraDigits = 40;
    char text[480];
    const auto result =
        std::to_chars(text, text + sizeof text, magnitude, format, precision + 1 + kExtraDigits);
    if (result.ec != std::errc{})
        return false;
    const char *end = result.ptr;
    if (format == std::chars_format::scientific)
        end = std::find(text, result.ptr, 'e');
    const char *tail = end - kExtraDigits;
    return tail[-1] == '5' && std::all_of(tail, end, [](char c) { return c == '0'; });
}

// Digits (point removed) of |value| in `format` with `precision`, rounded half away from
// zero. to_chars rounds correctly but sends exact ties to even.
std::string roundedDigits(double magnitude, std::chars_format format, int precision, int &exponent)
{
    char shortText[400];
    char longText[400];
    const auto shortResult =
        std::to_chars(shortText, shortText + sizeof shortText, magnitude, format, precision);
    const auto longResult =
        std::to_chars(longText, longText + sizeof longText, magnitude, format, precision + 1);
    if (shortResult.ec != std::errc{} || longResult.ec != std::errc{})
        return std::string(sizeof shortText, '9'); // far too wide for any field
    const char *shortEnd = shortResult.ptr;
    const char *longEnd = longResult.ptr;
    const auto split = [&exponent](const char *first, const char *last) {
        std::string digits;
        exponent = 0;
        for (const char *c = first; c != last; ++c) {
            if (*c == 'e') {
                std::from_chars(c + 1 + (c[1] == '+' ? 1 : 0), last, exponent);
                break;
            }
            if (*c != '.')
                digits += *c;
        }
        return digits;
    };
    std::string longDigits = split(longText, longEnd);
    if (!longDigits.empty() && longDigits.back() == '5' &&
        isExactTie(magnitude, format, precision)) {
        const int longExponent = exponent;
        longDigits.pop_back();
        if (incremented(longDigits) && format == std::chars_format::scientific) {
            longDigits.pop_back();
            exponent = longExponent + 1;
        }
        return longDigits;
    }
    return split(shortText, shortEnd);
}

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

int bitLength(Wide v)
{
    const auto high = static_cast<std::uint64_t>(v >> 64);
    const auto low = static_cast<std::uint64_t>(v);
    if (high != 0)
        return 128 - __builtin_clzll(high);
    return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// magnitude * 10^power rounded half away from zero, computed exactly as the quotient of two
// 128-bit integers; nothing when they would not fit (the caller then takes the long way).
std::optional<Wide> scaledWhole(double magnitude, int power)
{
    if (magnitude == 0.0)
        return Wide{0};
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int e = binaryExponent - 53; // magnitude = mantissa * 2^e exactly
    if (power > 19 || power < -19 || e > 60 || e < -100)
        return std::nullopt;
    Wide tenPower = 1;
    for (int i = 0; i < (power < 0 ? -power : power); ++i)
        tenPower *= 10;
    Wide numerator = mantissa;
    Wide denominator = 1;
    if (power >= 0)
        numerator *= tenPower;
    else
        denominator = tenPower;
    if (e >= 0)
        numerator <<= e;
    else if (bitLength(denominator) - e <= 126)
        denominator <<= -e;
    else
        return std::nullopt;
    if (bitLength(numerator) > 126)
        return std::nullopt;
    Wide whole = numerator / denominator;
    const Wide remainder = numerator % denominator;
    if (remainder >= denominator - remainder)
        ++whole;
    return whole;
}

std::string decimalText(Wide value)
{
    char text[48];
    char *first = text + sizeof text;
    if (value >> 64 == 0) { // the usual case, without 128-bit division
        auto narrow = static_cast<std::uint64_t>(value);
        do {
            *--first = static_cast<char>('0' + static_cast<int>(narrow % 10));
            narrow /= 10;
        } while (narrow != 0);
        return std::string(first, text + sizeof text);
    }
    do {
        *--first = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    return std::string(first, text + sizeof text);
}
#endif

// The `decimals` significant digits of a non-zero magnitude and its decimal exponent
// (d.ddd form), exactly; false when the value is out of the fast path's reach.
bool fastMantissa(double magnitude, int decimals, std::string &mantissa, int &exponent)
{
#if defined(__SIZEOF_INT128__)
    int k = static_cast<int>(std::floor(std::log10(magnitude)));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto whole = scaledWhole(magnitude, decimals - 1 - k);
        if (!whole)
            return false;
        std::string digits = decimalText(*whole);
        const bool powerOfTen = digits.find_first_not_of('0', 1) == std::string::npos;
        if (static_cast<int>(digits.size()) == decimals + 1 && powerOfTen) {
            // Rounded up into a new digit (9.9996 to 10.000): one digit fewer, one power more.
            digits.pop_back();
            ++k;
        }
        if (static_cast<int>(digits.size()) == decimals) {
            mantissa = digits;
            exponent = k;
            return true;
        }
        k += static_cast<int>(digits.size()) > decimals ? 1 : -1; // the estimate was off
    }
#else
    (void)magnitude, (void)decimals, (void)mantissa, (void)exponent;
#endif
    return false;
}

struct Rounded {
    std::string intDigits;  // no leading zeros; "" for a zero integer part
    std::string fracDigits; // exactly `decimals` digits
};

Rounded roundFixed(double magnitude, int decimals)
{
    std::string digits;
#if defined(__SIZEOF_INT128__)
    if (const auto whole = scaledWhole(magnitude, decimals)) {
        digits = decimalText(*whole);
        if (digits.size() < static_cast<std::size_t>(decimals) + 1)
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
#endif
    if (digits.empty()) {
        int unused = 0;
        digits = roundedDigits(magnitude, std::chars_format::fixed, decimals, unused);
    }
    const std::size_t intLength = digits.size() - static_cast<std::size_t>(decimals);
    Rounded r;
    r.intDigits = digits.substr(0, intLength);
    r.fracDigits = digits.substr(intLength);
    const auto firstNonZero = r.intDigits.find_first_not_of('0');
    r.intDigits =
        firstNonZero == std::string::npos ? std::string() : r.intDigits.substr(firstNonZero);
    return r;
}

std::string rightAligned(const std::string &text, int width)
{
    if (static_cast<int>(text.size()) > width)
        return stars(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

} // namespace

std::string exactFieldF(double value, int width, int decimals)
{
    if (width <= 0)
        return {};
    if (!std::isfinite(value) || decimals < 0)
        return stars(width);
    const bool negative = std::signbit(value) && value != 0.0;
#if defined(__SIZEOF_INT128__)
    // The common case, built right to left in one buffer: the report writes many of these.
    if (decimals <= 18 && width <= 64) {
        const auto whole = scaledWhole(std::fabs(value), decimals);
        if (whole && (*whole >> 64) == 0) {
            auto rest = static_cast<std::uint64_t>(*whole);
            char text[96];
            char *first = text + sizeof text;
            for (int i = 0; i < decimals; ++i) {
                *--first = static_cast<char>('0' + rest % 10);
                rest /= 10;
            }
            *--first = '.';
            const bool zeroWhole = rest == 0;
            do {
                *--first = static_cast<char>('0' + rest % 10);
                rest /= 10;
            } while (rest != 0);
            auto length = static_cast<int>(text + sizeof text - first) + (negative ? 1 : 0);
            if (length > width && zeroWhole) { // the optional leading zero goes first
                ++first;
                --length;
            }
            if (length > width)
                return stars(width);
            if (negative)
                *--first = '-';
            std::string field(static_cast<std::size_t>(width - length), ' ');
            field.append(first, text + sizeof text);
            return field;
        }
    }
#endif
    const Rounded r = roundFixed(std::fabs(value), decimals);
    std::string body = r.intDigits;
    const std::string tail = "." + r.fracDigits;
    std::string sign = negative ? "-" : "";
    std::string text = sign + (body.empty() ? "0" : body) + tail;
    if (static_cast<int>(text.size()) > width && body.empty())
        text = sign + tail; // the optional leading zero goes first
    return rightAligned(text, width);
}

std::string exactFieldE(double value, int width, int decimals)
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
        // Scientific d.ddd rounded half away from zero; the 0.ddd form moves the point.
        int sciExponent = 0;
        if (!fastMantissa(magnitude, decimals, mantissa, sciExponent))
            mantissa =
                roundedDigits(magnitude, std::chars_format::scientific, decimals - 1, sciExponent);
        exponent = sciExponent + 1;
    }
    const int absExponent = std::abs(exponent);
    if (absExponent > 999 || decimals > 40)
        return stars(width);
    // Built in one buffer: sign, "0.", mantissa, then E+xx (or +xxx past two digits).
    char text[64];
    char *end = text;
    if (negative)
        *end++ = '-';
    char *zero = end;
    *end++ = '0';
    *end++ = '.';
    end = std::copy(mantissa.begin(), mantissa.end(), end);
    if (absExponent <= 99)
        *end++ = 'E';
    *end++ = exponent < 0 ? '-' : '+';
    if (absExponent > 99)
        *end++ = static_cast<char>('0' + absExponent / 100);
    *end++ = static_cast<char>('0' + absExponent / 10 % 10);
    *end++ = static_cast<char>('0' + absExponent % 10);
    auto length = static_cast<int>(end - text);
    const char *first = text;
    if (length > width) { // the optional leading zero goes first
        std::copy_backward(text, zero, zero + 1);
        ++first;
        --length;
    }
    if (length > width)
        return stars(width);
    std::string field(static_cast<std::size_t>(width - length), ' ');
    field.append(first, static_cast<std::size_t>(end - first));
    return field;
}

namespace {

// Exact powers of ten as doubles (10^22 is the largest one).
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

// The small steps of the quick writers, which run for every field of the report and the
// plot file, are worth forcing into their callers.
#if defined(_MSC_VER)
#define VORNA_FIELD_STEP __forceinline
#else
#define VORNA_FIELD_STEP inline __attribute__((always_inline))
#endif

// Negative powers of ten as the nearest doubles: only a first guess of a decimal exponent.
constexpr double kNegativePowersOfTen[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                           1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                           1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

// "00" to "99": digits are written two at a time.
struct DigitPairs {
    char text[200];
    constexpr DigitPairs() : text()
    {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr DigitPairs kDigitPairs;

// Writes the last `count` decimal digits of `value` to the left of `end` and removes them
// from `value`; returns the first character written.
template <class Unsigned> VORNA_FIELD_STEP char *lastDigitsOf(char *end, Unsigned &value, int count)
{
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, kDigitPairs.text + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count != 0) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return end;
}

VORNA_FIELD_STEP char *lastDigits(char *end, std::uint64_t &value, int count)
{
    if (value <= UINT32_MAX) { // the usual case, in cheaper 32-bit steps
        auto narrow = static_cast<std::uint32_t>(value);
        end = lastDigitsOf(end, narrow, count);
        value = narrow;
        return end;
    }
    return lastDigitsOf(end, value, count);
}

// Writes all digits of a non-zero value to the left of `end`.
VORNA_FIELD_STEP char *allDigits(char *end, std::uint64_t value)
{
    while (value > UINT32_MAX) {
        end -= 2;
        std::memcpy(end, kDigitPairs.text + 2 * (value % 100), 2);
        value /= 100;
    }
    auto narrow = static_cast<std::uint32_t>(value); // the usual case from the start
    while (narrow >= 100) {
        end -= 2;
        std::memcpy(end, kDigitPairs.text + 2 * (narrow % 100), 2);
        narrow /= 100;
    }
    if (narrow >= 10) {
        end -= 2;
        std::memcpy(end, kDigitPairs.text + 2 * narrow, 2);
    } else if (narrow != 0) {
        *--end = static_cast<char>('0' + narrow);
    }
    return end;
}

// magnitude * 10^power rounded half away from zero, when one double operation settles it:
// the product (or quotient) by an exact power of ten is off by half an ulp at most, so
// the rounding is certain unless the scaled value lies within a few ulps of a half. Those
// rare values, and whatever is out of range, go to the exact code (false returned).
VORNA_FIELD_STEP bool quickScaled(double magnitude, int power, std::uint64_t &result)
{
    if (power > kLargestExactPower || power < -kLargestExactPower)
        return false;
    const double scaled =
        power >= 0 ? magnitude * kPowersOfTen[power] : magnitude / kPowersOfTen[-power];
    constexpr double kLargestWhole = 4503599627370496.0; // 2^52: every fraction exact below
    if (!(scaled < kLargestWhole))
        return false;
    // Not negative and below 2^52: the conversion truncates to the floor, without libm (and
    // the signed one is a single instruction).
    const auto whole = static_cast<std::int64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole); // exact
    if (std::fabs(fraction - 0.5) <= scaled * 0x1p-50 + 0x1p-1074)
        return false;
    result = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// Powers of ten as integers, to count the digits of a scaled value.
constexpr std::uint64_t kWholePowersOfTen[] = {1ULL,
                                               10ULL,
                                               100ULL,
                                               1000ULL,
                                               10000ULL,
                                               100000ULL,
                                               1000000ULL,
                                               10000000ULL,
                                               100000000ULL,
                                               1000000000ULL,
                                               10000000000ULL,
                                               100000000000ULL,
                                               1000000000000ULL,
                                               10000000000000ULL,
                                               100000000000000ULL,
                                               1000000000000000ULL,
                                               10000000000000000ULL,
                                               100000000000000000ULL,
                                               1000000000000000000ULL,
                                               10000000000000000000ULL};

// Decimal digits of a non-zero value, from its bit length: log10 2 is about 1233/4096.
VORNA_FIELD_STEP int digitCount(std::uint64_t value)
{
    const int guess = (static_cast<int>(std::bit_width(value | 1)) * 1233) >> 12;
    return guess + (value >= kWholePowersOfTen[guess] ? 1 : 0);
}

// Blanks at `at` and the `count` characters after it: the field's left part. In pieces of
// fixed size, as a call of memset would cost more than the few blanks of a field.
VORNA_FIELD_STEP void blanksAt(char *at, int count)
{
    constexpr char kBlanks[] = "        ";
    for (; count >= 8; count -= 8, at += 8)
        std::memcpy(at, kBlanks, 8);
    if (count >= 4) {
        std::memcpy(at, kBlanks, 4);
        at += 4;
        count -= 4;
    }
    if (count >= 2) {
        std::memcpy(at, kBlanks, 2);
        at += 2;
        count -= 2;
    }
    if (count != 0)
        *at = ' ';
}

// F w.d written at `at` (width characters) without the exact code; false when the value
// needs it. The length is known before any character is written, so the field is built
// in place from its right end.
bool putQuickF(char *at, double value, int width, int decimals)
{
    if (decimals > 18)
        return false;
    std::uint64_t rest = 0;
    if (!quickScaled(std::fabs(value), decimals, rest))
        return false;
    const bool negative = std::signbit(value) && value != 0.0;
    const bool zeroWhole = rest < kWholePowersOfTen[decimals];
    const int wholeDigits = zeroWhole ? 0 : digitCount(rest) - decimals;
    int length = (zeroWhole ? 1 : wholeDigits) + 1 + decimals + (negative ? 1 : 0);
    const bool dropZero = length > width && zeroWhole; // the optional leading zero goes first
    if (dropZero)
        --length;
    if (length > width) {
        std::memset(at, '*', static_cast<std::size_t>(width));
        return true;
    }
    char *first = lastDigits(at + width, rest, decimals);
    *--first = '.';
    if (!zeroWhole)
        first = allDigits(first, rest);
    else if (!dropZero)
        *--first = '0';
    if (negative)
        *--first = '-';
    blanksAt(at, static_cast<int>(first - at));
    return true;
}

// E w.d written at `at` (width characters) without the exact code; false when the value
// needs it.
bool putQuickE(char *at, double value, int width, int decimals)
{
    if (decimals > 17)
        return false;
    const double magnitude = std::fabs(value);
    std::uint64_t digits = 0;
    int exponent = 0; // of the 0.ddd form
    if (magnitude != 0.0) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &magnitude, sizeof bits);
        const auto biased = static_cast<int>(bits >> 52); // the sign bit is clear
        if (biased == 0)
            return false; // subnormal
        // magnitude lies in [2^b, 2^(b+1)): its d.ddd exponent is floor(b log10 2) or one
        // more, which the powers of ten tell apart (near enough; checked below).
        const int b = biased - 1023;
        int k = (b * 78913) >> 18; // floor(b * log10 2) for |b| < 2^11
        if (k >= -1 - kLargestExactPower && k < kLargestExactPower &&
            magnitude >= (k >= -1 ? kPowersOfTen[k + 1] : kNegativePowersOfTen[-(k + 1)]))
            ++k;
        const std::uint64_t lowest = kWholePowersOfTen[decimals - 1];
        const std::uint64_t highest = lowest * 10;
        bool settled = false;
        for (int attempt = 0; attempt < 3 && !settled; ++attempt) {
            std::uint64_t scaled = 0;
            if (!quickScaled(magnitude, decimals - 1 - k, scaled))
                return false;
            if (scaled == highest) {
                // Rounded up into a new digit (9.9996 to 10.000): one digit fewer, one power more.
                digits = lowest;
                ++k;
                settled = true;
            } else if (scaled > highest) {
                ++k;
            } else if (scaled < lowest) {
                --k;
            } else {
                digits = scaled;
                settled = true;
            }
        }
        if (!settled)
            return false;
        exponent = k + 1;
    }
    const int absExponent = std::abs(exponent);
    if (absExponent > 99)
        return false; // beyond the reach of exact powers of ten anyway
    const bool negative = std::signbit(value) && value != 0.0;
    // Sign, "0.", mantissa, then E+xx.
    int length = (negative ? 1 : 0) + 2 + decimals + 4;
    const bool dropZero = length > width; // the optional leading zero goes first
    if (dropZero)
        --length;
    if (length > width) {
        std::memset(at, '*', static_cast<std::size_t>(width));
        return true;
    }
    char *first = at + width - 2;
    std::memcpy(first, kDigitPairs.text + 2 * absExponent, 2);
    *--first = exponent < 0 ? '-' : '+';
    *--first = 'E';
    first = lastDigits(first, digits, decimals);
    *--first = '.';
    if (!dropZero)
        *--first = '0';
    if (negative)
        *--first = '-';
    blanksAt(at, static_cast<int>(first - at));
    return true;
}

// The exact writers' field (always `width` characters) copied to `at`; apart from the
// quick writers' callers, which then need no string of their own.
#if defined(_MSC_VER)
__declspec(noinline)
#else
__attribute__((noinline))
#endif
    char *putExact(char *at, double value, int width, int decimals, bool exponentForm)
{
    const std::string field =
        exponentForm ? exactFieldE(value, width, decimals) : exactFieldF(value, width, decimals);
    std::memcpy(at, field.data(), field.size());
    return at + field.size();
}

// Fields up to this wide are built on the stack and appended at once.
constexpr int kShortField = 64;

#undef VORNA_FIELD_STEP

} // namespace

char *putFieldF(char *at, double value, int width, int decimals)
{
    if (width <= 0)
        return at;
    if (!std::isfinite(value) || decimals < 0) {
        std::memset(at, '*', static_cast<std::size_t>(width));
        return at + width;
    }
    if (putQuickF(at, value, width, decimals))
        return at + width;
    return putExact(at, value, width, decimals, false);
}

char *putFieldE(char *at, double value, int width, int decimals)
{
    if (width <= 0)
        return at;
    if (!std::isfinite(value) || decimals <= 0) {
        std::memset(at, '*', static_cast<std::size_t>(width));
        return at + width;
    }
    if (putQuickE(at, value, width, decimals))
        return at + width;
    return putExact(at, value, width, decimals, true);
}

void appendFieldF(std::string &out, double value, int width, int decimals)
{
    if (width > kShortField) {
        out += exactFieldF(value, width, decimals);
        return;
    }
    char text[kShortField];
    out.append(text, static_cast<std::size_t>(putFieldF(text, value, width, decimals) - text));
}

void appendFieldE(std::string &out, double value, int width, int decimals)
{
    if (width > kShortField) {
        out += exactFieldE(value, width, decimals);
        return;
    }
    char text[kShortField];
    out.append(text, static_cast<std::size_t>(putFieldE(text, value, width, decimals) - text));
}

std::string fieldF(double value, int width, int decimals)
{
    std::string field;
    appendFieldF(field, value, width, decimals);
    return field;
}

std::string fieldE(double value, int width, int decimals)
{
    std::string field;
    appendFieldE(field, value, width, decimals);
    return field;
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

std::string numberText(double value)
{
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return ec == std::errc{} ? std::string(buffer, end) : std::string("?");
}

std::string listIntegers(std::initializer_list<long long> values)
{
    std::string line;
    for (long long v : values)
        line += fieldI(v, 12);
    return line;
}

} // namespace vorna
