#include "report/plot_file.h"

#include "report/fixed_field.h"
#include "report/text_out.h"

namespace vorna {
namespace {

// Characters of a line of `count` values with its CR LF.
constexpr std::size_t lineLength(std::size_t count)
{
    return count * 11 + 2;
}

// Appends one line of up to seven E10.3 values, each after a blank, with its CR LF.
void appendValuesLine(std::string &text, const double *first, std::size_t count)
{
    char line[lineLength(7)];
    char *end = line;
    for (std::size_t i = 0; i < count; ++i) {
        *end++ = ' ';
        end = putFieldE(end, first[i], 10, 3);
    }
    *end++ = '\r';
    *end++ = '\n';
    text.append(line, static_cast<std::size_t>(end - line));
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
    // The rows' lines go to the file in one piece, as `line` would have written them.
    std::string text;
    text.reserve(rows.size() * (lineLength(5) + lineLength(2)));
    for (const PlotRow &row : rows) {
        appendValuesLine(text, row.data(), 5);
        appendValuesLine(text, row.data() + 5, 2);
    }
    plot.write(text);
}

void writePlotCurves(TextOut &plot, const PlotBlock &block)
{
    std::size_t points = 0;
    for (const auto &curve : block.curves)
        points += curve.size();
    std::string text;
    text.reserve(points * lineLength(4));
    for (const auto &curve : block.curves)
        for (const SettlementPoint &p : curve) {
            const double point[] = {p.topLoad, p.topMovement, p.tipLoad, p.tipMovement};
            appendValuesLine(text, point, 4);
        }
    plot.write(text);
}

} // namespace vorna
