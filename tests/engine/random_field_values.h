// Values that stress the fixed-column writers: all magnitudes, exact halves at every
// decimal place and their neighbours, negative zero, values that round up into a new
// digit, values that overflow their field, subnormals and non-finite values.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace vorna::testing {

struct FieldRequest {
    double value;
    int width;
    int decimals;
};

class RandomFieldValues {
public:
    explicit RandomFieldValues(std::uint64_t seed) : m_random(seed) {}

    // A value with a width of 1 to 20 and 0 to 6 decimals (at least 1 for the E form).
    FieldRequest next(bool exponentForm)
    {
        FieldRequest r{value(), width(m_random), decimals(m_random)};
        if (exponentForm && r.decimals == 0)
            r.decimals = 1;
        return r;
    }

private:
    double value()
    {
        const double sign = (m_random() & 1) ? -1.0 : 1.0;
        const int power = decadeOf(m_random);
        const double scale = std::pow(10.0, power);
        switch (kindOf(m_random)) {
        case 0: // a half at some decimal place, or its neighbour
        {
            const int place = placeOf(m_random);
            const double step = std::pow(10.0, -place);
            const double half = (std::floor(unit(m_random) * 1e4) + 0.5) * step;
            const int nudge = static_cast<int>(m_random() % 3);
            const double v = nudge == 0 ? half : std::nextafter(half, nudge == 1 ? 0.0 : 1e300);
            return sign * v;
        }
        case 1: // a binary half: exactly representable ties
            return sign * std::ldexp(std::floor(unit(m_random) * 4096.0) + 0.5,
                                     static_cast<int>(m_random() % 24) - 12);
        case 2: // just below a power of ten: rounds up into a new digit
            return sign * std::nextafter(scale, 0.0) * (1.0 - unit(m_random) * 1e-4);
        case 3:
            return (m_random() & 1) ? -0.0 : 0.0;
        case 4: // rare: subnormal, huge, not finite
            switch (m_random() % 4) {
            case 0:
                return sign * std::numeric_limits<double>::denorm_min() * 1e3;
            case 1:
                return sign * 1e300 * unit(m_random);
            case 2:
                return std::numeric_limits<double>::quiet_NaN();
            default:
                return sign * std::numeric_limits<double>::infinity();
            }
        default: // an ordinary value of any decade
            return sign * unit(m_random) * scale;
        }
    }

    std::mt19937_64 m_random;
    std::uniform_real_distribution<double> unit{0.0, 10.0};
    std::uniform_int_distribution<int> decadeOf{-25, 25};
    std::uniform_int_distribution<int> placeOf{0, 7};
    std::discrete_distribution<int> kindOf{30, 10, 10, 2, 1, 47};
    std::uniform_int_distribution<int> width{1, 20};
    std::uniform_int_distribution<int> decimals{0, 6};
};

} // namespace vorna::testing
