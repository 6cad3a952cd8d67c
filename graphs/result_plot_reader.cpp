#include "result_plot_reader.h"

#include "word_reader.h"

namespace vorna {

namespace {

constexpr double kSmallestTipValue = 1e-4;
constexpr double kTipValueFloor = 1e-5;
// The engine's own limits (a 2000 ft profile at 0.01 ft, 1000 diameters); a header beyond
// these is a broken file. Every diameter holds the first block's row count, so the rows in
// all are bounded too: a damaged header must not ask for gigabytes (5e6 rows is 280 MB).
constexpr int kMostRows = 250000;
constexpr int kMostDiameters = 1000;
constexpr long long kMostRowsInAll = 5000000;

ResultCapacityRow readCapacityRow(TWordReader &reader, const ResultPlotReadOptions &options)
{
    ResultCapacityRow row;
    row.depth = reader.NextReal();
    row.side = reader.NextReal();
    row.base = reader.NextReal();
    row.total = reader.NextReal();
    if (options.currentLayout) {
        row.factoredSide = reader.NextReal();
        row.factoredBase = reader.NextReal();
        row.factoredTotal = reader.NextReal();
    } else {
        reader.NextReal(); // the older layout's fifth value is skipped
        row.factoredSide = row.side / options.FST;
        row.factoredBase = options.uplift ? row.base : row.base / options.FSB;
        row.factoredTotal = row.factoredSide + row.factoredBase;
    }
    if (options.uplift)
        row.factoredBase = row.base; // the self-weight, not divided
    return row;
}

std::vector<ResultSettlementPoint> readSettlementRows(TWordReader &reader)
{
    std::vector<ResultSettlementPoint> rows(kResultSettlementRows);
    for (ResultSettlementPoint &p : rows) {
        p.topLoad = reader.NextReal();
        p.topMovement = reader.NextReal();
        reader.NextReal(); // tip load
        reader.NextReal(); // tip movement
    }
    return rows;
}

void checkCounts(int diameters, int rows)
{
    if (diameters < 1 || diameters > kMostDiameters || rows < 1 || rows > kMostRows ||
        static_cast<long long>(diameters) * rows > kMostRowsInAll)
        throw EInputError::incomplete();
}

} // namespace

ResultPlotData readResultPlotData(TWordReader &reader, const ResultPlotReadOptions &options,
                                  int *kls)
{
    ResultPlotData data;
    data.diameterCount = reader.NextInteger();
    data.pointsPerLine = reader.NextInteger();
    data.KLS = reader.NextInteger();
    if (kls)
        *kls = data.KLS;
    checkCounts(data.diameterCount, data.pointsPerLine);

    int blockRows = data.pointsPerLine;
    int blockKls = data.KLS;
    for (int i = 0; i < data.diameterCount; ++i) {
        ResultPlotDiameter diameter;
        diameter.rows.reserve(static_cast<std::size_t>(data.pointsPerLine));
        for (int j = 0; j < data.pointsPerLine; ++j) {
            if (j < blockRows)
                diameter.rows.push_back(readCapacityRow(reader, options));
            else
                diameter.rows.push_back(diameter.rows.back());
        }
        // A later block may not have more rows than the first; should one have them, its
        // extra rows are passed over so that its load-settlement rows still read right.
        for (int j = data.pointsPerLine; j < blockRows; ++j)
            readCapacityRow(reader, options);
        if (diameter.rows.back().base < kSmallestTipValue)
            diameter.rows.back().base = kTipValueFloor;

        diameter.averaged = readSettlementRows(reader);
        // Each block holds the curve rows its own header announces; the graphs go by the
        // first header's KLS.
        if (blockKls > 2) {
            diameter.upperBound = readSettlementRows(reader);
            diameter.lowerBound = readSettlementRows(reader);
        }
        data.diameters.push_back(std::move(diameter));
        if (i + 1 == data.diameterCount)
            break;
        reader.NextInteger(); // NDIA again
        blockRows = reader.NextInteger();
        blockKls = reader.NextInteger();
        checkCounts(1, blockRows);
    }
    return data;
}

ResultPlotData readResultPlotFile(const QString &fileName, const ResultPlotReadOptions &options,
                                  int *kls)
{
    TWordReader reader = TWordReader::fromFile(fileName);
    return readResultPlotData(reader, options, kls);
}

} // namespace vorna
