#include "plot_file_reader.h"

#include "word_reader.h"

namespace vorna {

namespace {

constexpr double kSmallestTipValue = 1e-4; // a log axis needs a positive base value
constexpr double kTipValueFloor = 1e-5;

CapacityPoint readCapacityRow(TWordReader &reader, const PlotReadOptions &options)
{
    CapacityPoint p;
    p.depth = reader.NextReal();
    p.side = reader.NextReal();
    p.base = reader.NextReal();
    p.total = reader.NextReal();
    if (options.currentLayout) {
        p.factoredSide = reader.NextReal();
        p.factoredBase = reader.NextReal();
        p.factoredTotal = reader.NextReal();
    } else {
        reader.NextReal(); // the older layout's fifth value is not used
        p.factoredSide = p.side / options.FST;
        p.factoredBase = options.uplift ? p.base : p.base / options.FSB;
        p.factoredTotal = p.factoredSide + p.factoredBase;
    }
    if (options.uplift)
        p.factoredBase = p.base; // the self-weight is not divided
    return p;
}

std::vector<SettlementPoint> readSettlementRows(TWordReader &reader)
{
    std::vector<SettlementPoint> rows;
    for (int i = 0; i < kSettlementRows; ++i) {
        SettlementPoint p;
        p.topLoad = reader.NextReal();
        p.topMovement = reader.NextReal();
        reader.NextReal(); // tip load
        reader.NextReal(); // tip movement
        rows.push_back(p);
    }
    return rows;
}

} // namespace

PlotData readPlotData(TWordReader &reader, const PlotReadOptions &options)
{
    PlotData data;
    data.diameterCount = reader.NextInteger();
    data.pointsPerLine = reader.NextInteger();
    data.KLS = reader.NextInteger();
    if (data.diameterCount < 1 || data.pointsPerLine < 1)
        throw EInputError::incomplete();

    int blockRows = data.pointsPerLine;
    for (int i = 0; i < data.diameterCount; ++i) {
        PlotDiameter diameter;
        for (int j = 0; j < data.pointsPerLine; ++j) {
            if (j < blockRows)
                diameter.capacity.push_back(readCapacityRow(reader, options));
            else
                diameter.capacity.push_back(diameter.capacity.back());
        }
        if (diameter.capacity.back().base < kSmallestTipValue)
            diameter.capacity.back().base = kTipValueFloor;
        diameter.averaged = readSettlementRows(reader);
        if (data.KLS > 2) {
            diameter.upperBound = readSettlementRows(reader);
            diameter.lowerBound = readSettlementRows(reader);
        }
        data.diameters.push_back(std::move(diameter));
        if (i + 1 == data.diameterCount)
            break;
        reader.NextInteger(); // NDIA again
        blockRows = reader.NextInteger();
        reader.NextInteger(); // KLS again
        if (blockRows < 1)
            throw EInputError::incomplete();
    }
    return data;
}

PlotData readPlotFile(const QString &fileName, const PlotReadOptions &options)
{
    TWordReader reader = TWordReader::fromFile(fileName);
    return readPlotData(reader, options);
}

QString diameterLineName(int index, double startDiameter, int unitSystem)
{
    const bool si = unitSystem == 2;
    const double diameter = startDiameter + (si ? 0.152 : 0.5) * index;
    const QString unit = si ? QStringLiteral("m") : QStringLiteral("ft");
    return QStringLiteral("Dia=%1 %2").arg(QString::number(diameter, 'g', 15), unit);
}

} // namespace vorna
