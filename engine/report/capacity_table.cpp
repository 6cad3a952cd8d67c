#include "report/capacity_table.h"

#include "method/units.h"

#include <algorithm>
#include <cmath>

namespace vorna {

std::vector<double> diameterSeriesFt(double startFt, double limitFt)
{
    constexpr double kStepFt = 0.5;
    constexpr double kToleranceFt = 0.02;
    std::vector<double> series;
    for (double d = startFt; d < limitFt + kToleranceFt && series.size() < kMaxDiameters;
         d += kStepFt)
        series.push_back(d);
    return series;
}

double upliftWeightTons(double volumeCuYd, double lengthFt, double waterTableFt,
                        double stemDiameterFt)
{
    constexpr double kWaterTonsPerCuFt = 0.0312;
    const double buoyancyTons = lengthFt > waterTableFt
                                    ? (lengthFt - waterTableFt) * kWaterTonsPerCuFt *
                                          stemDiameterFt * stemDiameterFt * kQuarterPi
                                    : 0.0;
    return concreteWeightTons(volumeCuYd) - buoyancyTons;
}

CapacityRow completedRow(CapacityRow row, double lrfdSideTons, const RowFactors &f)
{
    row.ultimateTons = row.baseTons + row.sideTons;
    row.ultimatePerVolumeTonsPerCuYd =
        row.volumeCuYd > 0.0 ? row.ultimateTons / row.volumeCuYd : 0.0;
    if (f.lrfd) {
        row.factoredSideTons = lrfdSideTons;
        row.factoredBaseTons = f.lrfdTip * row.baseTons;
        row.factoredTotalTons = row.factoredSideTons + row.factoredBaseTons;
        return row;
    }
    row.allowableBaseFactoredTons = row.sideTons + row.baseTons / f.FSB;
    row.allowableTons = row.sideTons / f.FST + row.baseTons / f.FSB;
    return row;
}

double designQuantity(const CapacityRow &row, bool lrfd)
{
    return lrfd ? row.factoredTotalTons : row.allowableTons;
}

double outputLength(double ft, bool si)
{
    return si ? ft / kFtPerM : ft;
}

double outputVolume(double cuYd, bool si)
{
    return si ? cuYd / kCuYdPerCuM : cuYd;
}

ResultRow outputRow(const CapacityRow &row, bool si, bool lrfd)
{
    const auto load = [si](double tons) { return si ? tons / kTonsPerKN : tons; };
    ResultRow out;
    out.length = outputLength(row.lengthFt, si);
    out.volume = outputVolume(row.volumeCuYd, si);
    out.QS = load(row.sideTons);
    out.QB = load(row.baseTons);
    out.QU = load(row.ultimateTons);
    if (lrfd) {
        out.QBD = load(row.factoredSideTons);
        out.QDN = load(row.factoredBaseTons);
        out.QUperVolume = load(row.factoredTotalTons);
        return out;
    }
    out.QBD = load(row.allowableBaseFactoredTons);
    out.QDN = load(row.allowableTons);
    out.QUperVolume = si ? row.ultimatePerVolumeTonsPerCuYd / (kTonsPerKN / kCuYdPerCuM)
                         : row.ultimatePerVolumeTonsPerCuYd;
    return out;
}

namespace {

ResultRow interpolated(const ResultRow &a, const ResultRow &b, double x)
{
    const double span = b.length - a.length;
    const double t = span > 0.0 ? (x - a.length) / span : 1.0;
    const auto mix = [t](double u, double v) { return u + t * (v - u); };
    return {x,
            mix(a.volume, b.volume),
            mix(a.QS, b.QS),
            mix(a.QB, b.QB),
            mix(a.QU, b.QU),
            mix(a.QBD, b.QBD),
            mix(a.QDN, b.QDN),
            mix(a.QUperVolume, b.QUperVolume)};
}

} // namespace

std::vector<ResultRow> retabulatedRows(const std::vector<ResultRow> &rows, double increment,
                                       double aboveLength, double lastLength, bool lrfd)
{
    std::vector<ResultRow> result;
    if (rows.empty() || !(increment > 0.0))
        return result;
    const double lastStored = rows.back().length;
    const long long count = static_cast<long long>(lastStored / increment) + 1;
    auto from = rows.begin();
    for (long long j = 1; j <= count; ++j) {
        const double x = static_cast<double>(j) * increment;
        if (x > lastStored || x > lastLength)
            break;
        if (x <= aboveLength)
            continue;
        // x only grows, so the rows before the last one found stay short of it: the search
        // goes on from there, one pass over the rows in all.
        const auto at =
            std::find_if(from, rows.end(), [x](const ResultRow &r) { return r.length >= x; });
        from = at;
        const std::size_t i = static_cast<std::size_t>(at - rows.begin());
        const ResultRow before = i == 0 ? ResultRow{} : rows[i - 1];
        ResultRow row = interpolated(before, rows[i], x);
        if (lrfd)
            row.QUperVolume = row.QBD + row.QDN;

        const bool nearTop = rows.size() >= 3 && x <= rows[1].length && row.QS < 0.00001;
        if (nearTop) {
            const ResultRow &third = rows[2];
            row.QS = 0.5 * third.QS;
            row.QB = third.QB;
            row.QU = row.QB + row.QS;
            row.volume = x * rows[1].volume / rows[1].length;
            if (lrfd) {
                row.QBD = 0.5 * third.QBD;
                row.QDN = third.QDN;
                row.QUperVolume = row.QBD + row.QDN;
            } else {
                row.QBD = 0.5 * third.QBD;
                row.QDN = 0.5 * third.QDN;
                row.QUperVolume = row.volume > 0.0 ? row.QU / row.volume : 0.0;
            }
        }
        result.push_back(row);
    }
    return result;
}

} // namespace vorna
