#include "report/plot_file.h"

#include "report/fixed_field.h"
#include "report/text_out.h"

namespace vorna {
namespace {

std::string values(const double *first, std::size_t count)
{
    std::string line;
    line.reserve(count * 11);
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        appendFieldE(line, first[i], 10, 3);
    }
    return line;
}

} // namespace

void writePlotBlock(TextOut &plot, const PlotBlock &block)
{
    writePlotBlockHead(plot, block);
    writePlotRows(plot, block.rows);
    writePlotCurves(plot, block);
}

void writePlotBlockHead(TextOut &plot, const PlotBlock &block)
{
    const int npts = static_cast<int>(block.rows.size()) + 2;
    plot.line(listIntegers({block.diameterCount, npts, block.kls}));
    plot.line("   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    const double firstLength = block.rows.empty() ? 0.0 : block.rows.front()[0];
    plot.line(" " + fieldE(firstLength, 10, 3) + "   0.0   0.0  0.0 0.0  0.0  0.0 ");
}

void writePlotRows(TextOut &plot, const std::vector<PlotRow> &rows)
{
    for (const PlotRow &row : rows) {
        plot.line(values(row.data(), 5));
        plot.line(values(row.data() + 5, 2));
    }
}

void writePlotCurves(TextOut &plot, const PlotBlock &block)
{
    for (const auto &curve : block.curves)
        for (const SettlementPoint &p : curve) {
            const double point[] = {p.topLoad, p.topMovement, p.tipLoad, p.tipMovement};
            plot.line(values(point, 4));
        }
}

} // namespace vorna
