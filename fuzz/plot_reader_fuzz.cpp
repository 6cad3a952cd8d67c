// libFuzzer target: the plot data file reader on arbitrary bytes, in each reading mode.
// What it returns must hold the counts its headers announce.
#include "result_plot_reader.h"
#include "word_reader.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the reading mode; the rest is the file.
    vorna::ResultPlotReadOptions options;
    options.currentLayout = (data[0] & 1) == 0;
    options.uplift = (data[0] & 2) != 0;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1),
                                             static_cast<qsizetype>(size - 1));
    vorna::TWordReader reader(text);
    vorna::ResultPlotData plot;
    try {
        plot = vorna::readResultPlotData(reader, options);
    } catch (const vorna::EInputError &) {
        return 0;
    }
    check(plot.diameterCount >= 1 && plot.pointsPerLine >= 1);
    check(plot.diameters.size() == static_cast<std::size_t>(plot.diameterCount));
    for (const vorna::ResultPlotDiameter &d : plot.diameters) {
        check(d.rows.size() == static_cast<std::size_t>(plot.pointsPerLine));
        check(d.averaged.size() == vorna::kResultSettlementRows);
        check(d.upperBound.size() == d.lowerBound.size());
        for (const vorna::ResultCapacityRow &r : d.rows)
            check(std::isfinite(r.depth) && std::isfinite(r.side) && std::isfinite(r.base));
    }
    return 0;
}
