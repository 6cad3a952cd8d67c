// Compares fieldF and fieldE with the exact writers on many random values (default 40
// million of each form) and prints how many differ; exit status 1 when any does.
//     field_writer_check [COUNT] [SEED]
#include "random_field_values.h"
#include "report/fixed_field.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const long long count = argc > 1 ? std::atoll(argv[1]) : 40000000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2026;
    vorna::testing::RandomFieldValues values(seed);
    long long differences = 0;
    for (long long i = 0; i < count; ++i) {
        const auto f = values.next(false);
        if (vorna::fieldF(f.value, f.width, f.decimals) !=
            vorna::exactFieldF(f.value, f.width, f.decimals)) {
            if (++differences <= 10)
                std::printf("F%d.%d of %.17g differs\n", f.width, f.decimals, f.value);
        }
        const auto e = values.next(true);
        if (vorna::fieldE(e.value, e.width, e.decimals) !=
            vorna::exactFieldE(e.value, e.width, e.decimals)) {
            if (++differences <= 10)
                std::printf("E%d.%d of %.17g differs\n", e.width, e.decimals, e.value);
        }
    }
    std::printf("%lld F and %lld E fields compared, %lld differ\n", count, count, differences);
    return differences == 0 ? 0 : 1;
}
