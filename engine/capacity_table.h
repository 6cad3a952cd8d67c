// Pieces of the capacity-versus-depth table that need no soil: the diameter series, the
// shaft's own weight for uplift, the allowable or factored columns of a row, and the
// re-tabulation of the rows at the output increment.
#pragma once

#include "capacity_report.h"

#include <vector>

namespace vorna {

// Stem diameters of a run: from DSTART in steps of 0.5 ft while below DIALIM + 0.02 ft.
// A series of more than kMaxDiameters is cut there (the caller rejects such input first).
std::vector<double> diameterSeriesFt(double startFt, double limitFt);
inline constexpr int kMaxDiameters = 1000;
// Smallest output increment of the re-tabulated rows (ft or m).
inline constexpr double kMinOutputIncrement = 0.01;

// Weight of the shaft less buoyancy, tons: concrete at 150 pcf, water at 0.0312 ton per
// cu ft acting on the stem below the water table.
double upliftWeightTons(double volumeCuYd, double lengthFt, double waterTableFt,
                        double stemDiameterFt);

struct RowFactors {
    bool lrfd = false;
    double FST = 1.0;
    double FSB = 1.0;
    double lrfdTip = 1.0; // tip factor of the layer the base is in
};

// Fills QU and the last three columns of a row from LENGTH, VOLUME, QS, QB (or WT) and,
// under LRFD, the row's LRFD QS.
ResultRow completedRow(ResultRow row, double lrfdSideTons, const RowFactors &factors);

// The quantity compared with the design load: QDN, or LRFD QU under LRFD.
double designQuantity(const ResultRow &row, bool lrfd);

// Rows at lengths x = j * increment, interpolated linearly in LENGTH between the stored
// rows that bracket x (a zero row at length 0 stands before the first). Near the top,
// where the interpolated QS vanishes, the third row stands in: half its side values, its
// base values, and a volume in proportion to the second row's. Lengths at or above
// `aboveLength`, beyond `lastLength` or beyond the last stored row are left out.
std::vector<ResultRow> retabulatedRows(const std::vector<ResultRow> &rows, double increment,
                                       double aboveLength, double lastLength, bool lrfd);

} // namespace vorna
