// Pieces of the capacity-versus-depth table that need no soil: the diameter series, the
// shaft's own weight for uplift, the allowable or factored columns of a row, the one
// conversion of a row to output units, and the re-tabulation of the printed rows at the
// output increment.
#pragma once

#include "report/capacity_report.h"

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

// One row of the capacity table as the engine computes it, in ft, cu yd and tons. The
// design method fills either the allowable loads (factors of safety) or the factored
// resistances (LRFD); the other group stays zero.
struct CapacityRow {
    double lengthFt = 0.0;
    double volumeCuYd = 0.0;
    double sideTons = 0.0;                     // QS, ultimate
    double baseTons = 0.0;                     // QB, ultimate; in uplift the shaft's weight WT
    double ultimateTons = 0.0;                 // QU = QS + QB
    double ultimatePerVolumeTonsPerCuYd = 0.0; // QU/VOLUME, under either design method

    double allowableBaseFactoredTons = 0.0; // QBD: factor of safety on the base only
    double allowableTons = 0.0;             // QDN: factors of safety on side and base

    double factoredSideTons = 0.0;  // LRFD QS
    double factoredBaseTons = 0.0;  // LRFD QB
    double factoredTotalTons = 0.0; // LRFD QU

    bool operator==(const CapacityRow &) const = default;
};

struct RowFactors {
    bool lrfd = false;
    double FST = 1.0;
    double FSB = 1.0;
    double lrfdTip = 1.0; // tip factor of the layer the base is in
};

// Fills QU, QU/VOLUME and the allowable or factored values of a row from its length,
// volume, QS and QB (or WT) and, under LRFD, the row's LRFD QS.
CapacityRow completedRow(CapacityRow row, double lrfdSideTons, const RowFactors &factors);

// The quantity compared with the design load: QDN, or LRFD QU under LRFD.
double designQuantity(const CapacityRow &row, bool lrfd);

// Printing conversions of the capacity table: SI prints m, cu m and kN.
double outputLength(double ft, bool si);
double outputVolume(double cuYd, bool si);

// A row as the report, the plot data file and the API carry it: output units, and under
// LRFD the factored resistances in the places of QBD, QDN and QU/VOLUME.
ResultRow outputRow(const CapacityRow &row, bool si, bool lrfd);

// Printed rows (output units, as outputRow gives them) at lengths x = j * increment, interpolated
// linearly in LENGTH between the stored rows that bracket x (a zero row at length 0 stands before
// the first). Near the top, where the interpolated QS vanishes, the third row stands in: half its
// side values, its base values, and a volume in proportion to the second row's. Lengths at or above
// `aboveLength`, beyond `lastLength` or beyond the last stored row are left out.
std::vector<ResultRow> retabulatedRows(const std::vector<ResultRow> &rows, double increment,
                                       double aboveLength, double lastLength, bool lrfd);

} // namespace vorna
