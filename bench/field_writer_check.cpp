// Compares fieldF and fieldE with the exact writers on many random values (default 40
// million of each form), then on a sweep of the values where the quick writers' steps
// change course: both sides of every power of ten (the digit count and the decimal
// exponent), every binary exponent (the exponent's first guess, three-digit exponents),
// every width to 70 and decimals to 8. Prints how many differ; exit status 1 when any does.
//     field_writer_check [COUNT] [SEED]
#include "random_field_values.h"
#include "report/fixed_field.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

long long differences = 0;
long long compared = 0;

// The field through fieldF/fieldE, appendField* and putField* against the exact writer.
void check(double value, int width, int decimals, bool exponentForm)
{
    ++compared;
    const std::string exact = exponentForm ? vorna::exactFieldE(value, width, decimals)
                                           : vorna::exactFieldF(value, width, decimals);
    const std::string field = exponentForm ? vorna::fieldE(value, width, decimals)
                                           : vorna::fieldF(value, width, decimals);
    std::string appended = "x";
    if (exponentForm)
        vorna::appendFieldE(appended, value, width, decimals);
    else
        vorna::appendFieldF(appended, value, width, decimals);
    std::string put(static_cast<std::size_t>(width > 0 ? width : 0) + 1, '#');
    char *const end = exponentForm ? vorna::putFieldE(put.data(), value, width, decimals)
                                   : vorna::putFieldF(put.data(), value, width, decimals);
    const bool putRight = end == put.data() + exact.size() && put.back() == '#' &&
                          put.compare(0, exact.size(), exact) == 0;
    if (field != exact || appended != "x" + exact || !putRight) {
        if (++differences <= 10)
            std::printf("%c%d.%d of %.17g differs\n", exponentForm ? 'E' : 'F', width, decimals,
                        value);
    }
}

void checkBoth(double value, int width, int decimals)
{
    check(value, width, decimals, false);
    if (decimals > 0)
        check(value, width, decimals, true);
}

} // namespace

int main(int argc, char **argv)
{
    const long long count = argc > 1 ? std::atoll(argv[1]) : 40000000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2026;
    vorna::testing::RandomFieldValues values(seed);
    for (long long i = 0; i < count; ++i) {
        const auto f = values.next(false);
        check(f.value, f.width, f.decimals, false);
        const auto e = values.next(true);
        check(e.value, e.width, e.decimals, true);
    }
    const long long randomCompared = compared;

    // Both sides of each power of ten, and the halves just below it at every decimal place.
    for (int power = -40; power <= 40; ++power) {
        const double ten = std::pow(10.0, power);
        for (const double sign : {1.0, -1.0}) {
            double v = sign * ten;
            for (int step = 0; step < 3; ++step)
                v = std::nextafter(v, 0.0);
            for (int step = 0; step < 7; ++step, v = std::nextafter(v, sign * 1e308))
                for (int width = 1; width <= 70; ++width)
                    for (int decimals = 0; decimals <= 8; ++decimals)
                        checkBoth(v, width, decimals);
            for (int place = 0; place <= 8; ++place) {
                const double half = sign * (ten - 0.5 * std::pow(10.0, -place));
                for (int width = 1; width <= 24; ++width)
                    for (int decimals = 0; decimals <= 8; ++decimals)
                        checkBoth(half, width, decimals);
            }
        }
    }
    // Every binary exponent, normal and subnormal, with random mantissas.
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int exponent = -1074; exponent <= 1023; ++exponent)
        for (int i = 0; i < 40; ++i) {
            const double v = std::ldexp(i == 0 ? 1.0 : mantissa(random), exponent);
            const int decimals = 1 + i % 8;
            check(i % 2 ? -v : v, 8 + i % 13, decimals, true);
            check(v, 10, 3, true);
            check(v, 9, 2, false);
        }
    std::printf("%lld F and %lld E random fields and %lld swept fields compared, %lld differ\n",
                count, count, compared - randomCompared, differences);
    return differences == 0 ? 0 : 1;
}
