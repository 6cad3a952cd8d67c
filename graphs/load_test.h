// A measured load-settlement curve of a static load test, read from a CSV file: one column of
// head loads and one of head settlements, their units named in the header ("load (kN)",
// "settlement [mm]") or chosen by the user. The curve is kept beside the project as
// NAME.loadtest.csv, in the project's units, so the project file's layout does not change.
// QtCore only.
#pragma once

#include "errors.h"
#include "graph_line.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace vorna {

enum class LoadUnit { Tons, Kips, Pounds, KN, MN };
enum class SettlementUnit { In, Ft, Mm, Cm, M };

// The unit texts as the header names them and the dialog offers them.
QString loadUnitText(LoadUnit unit);
QString settlementUnitText(SettlementUnit unit);
std::optional<LoadUnit> loadUnitFromText(const QString &text);
std::optional<SettlementUnit> settlementUnitFromText(const QString &text);

inline constexpr int kMaxLoadTestPoints = 10000;

// A CSV file that cannot be taken; the message names the line (1-based) and the value.
class ELoadTestError : public EVornaError {
public:
    using EVornaError::EVornaError;
};

// Units chosen in the dialog; an empty one is taken from the header.
struct LoadTestUnits {
    std::optional<LoadUnit> load;
    std::optional<SettlementUnit> settlement;
};

// The measured points in the project's units (tons and in, or kN and m): x head load, y head
// settlement, in the file's order, from the first measured point (the unloaded head is not
// added).
struct LoadTestCurve {
    std::vector<TFloatPoint> points;
    bool operator==(const LoadTestCurve &) const = default;
};

// Reads CSV text (comma, semicolon or tab separated, "." decimals). The first line that is
// not blank is the header; the columns are found by name: one holding "load", one holding
// "settlement", "movement" or "displacement". ELoadTestError when a column or unit is
// missing, a value is not a number, a settlement is negative or smaller than the one
// before, a load is negative, there are no points, or more than kMaxLoadTestPoints.
LoadTestCurve readLoadTestCsv(const QByteArray &text, const LoadTestUnits &units, int unitSystem);
// As above from a file; ELoadTestError also when it cannot be read.
LoadTestCurve readLoadTestFile(const QString &fileName, const LoadTestUnits &units, int unitSystem);

// The text of NAME.loadtest.csv: a header naming the project's units, then one line a point.
QByteArray loadTestCsvText(const LoadTestCurve &curve, int unitSystem);
// Writes it whole (a temporary file renamed over the old one); ELoadTestError on failure,
// the old file then stays.
void writeLoadTestFile(const QString &fileName, const LoadTestCurve &curve, int unitSystem);

// NAME.loadtest.csv beside NAME.vrd.
QString loadTestFileName(const QString &projectFileName);

// The load at a settlement, interpolated linearly on a curve that starts from the unloaded
// head (0, 0): x load, y settlement. Empty ("not reached") when the curve ends before it.
std::optional<double> loadAtSettlement(const std::vector<TFloatPoint> &curve, double settlement);

// Head settlement of 5 % of a base diameter (ft / m) in settlement units (in / m).
double nominalSettlement(double baseDiameter, int unitSystem);

} // namespace vorna
