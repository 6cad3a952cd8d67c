#include "plot_fixtures.h"

#include "report/plot_file.h"
#include "report/text_out.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vorna::test {

namespace {

constexpr double kFeetPerMetre = 3.2808;
constexpr double kTonsPerKn = 0.1124;
constexpr double kPi = std::numbers::pi;

// Profile in feet: sand to 20 ft, clay to 45 ft, dense sand below.
constexpr double kSandBottom = 20.0;
constexpr double kClayBottom = 45.0;
constexpr double kProfileBottom = 80.0;

double unitSide(double z) // tsf
{
    const double effectiveStress = 0.06 * z - (z > 10.0 ? 0.0312 * (z - 10.0) : 0.0);
    if (z <= kSandBottom || z > kClayBottom) {
        const double beta = std::clamp(1.5 - 0.135 * std::sqrt(z), 0.25, 1.2);
        return std::min(beta * effectiveStress, 2.0);
    }
    const double su = 0.8 + 0.02 * (z - kSandBottom);
    return 0.55 * su;
}

double unitBase(double z) // tsf
{
    if (z <= kSandBottom || z > kClayBottom)
        return std::min(0.6 * (10.0 + z / 2.0), 30.0);
    return std::min(9.0 * (0.8 + 0.02 * (z - kSandBottom)), 40.0);
}

int rowsOf(const PlotFixture &f, int diameter)
{
    return std::max(5, f.rows - diameter * f.rowsLostPerDiameter);
}

} // namespace

std::vector<std::vector<double>> fixtureRows(const PlotFixture &f, int diameter)
{
    const double D = f.startDiameter + 0.5 * diameter;
    const double area = kPi * D * D / 4.0;
    std::vector<std::vector<double>> rows;
    double qs = 0.0;
    for (int r = 1; r <= rowsOf(f, diameter); ++r) {
        const double z = r;
        qs += unitSide(z - 0.5) * kPi * D;
        const double qb = f.uplift ? 0.075 * area * z : unitBase(z) * area;
        const double qu = qs + qb;
        double fs, fb, ft;
        if (f.lrfd) {
            fs = 0.55 * qs;
            fb = f.uplift ? qb : 0.5 * qb;
            ft = fs + fb;
        } else {
            fs = qs / f.FST;
            fb = f.uplift ? qb : qb / f.FSB;
            ft = fs + fb;
        }
        std::vector<double> row = {z, qs, qb, qu, fs, fb, ft};
        if (f.si) {
            row[0] /= kFeetPerMetre;
            for (std::size_t k = 1; k < row.size(); ++k)
                row[k] /= kTonsPerKn;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<FixtureLayer> fixtureLayers(const PlotFixture &f)
{
    const double s = f.si ? 1.0 / kFeetPerMetre : 1.0;
    return {{1, kSandBottom * s}, {2, kClayBottom * s}, {1, kProfileBottom * s}};
}

QString writePlotFixture(const QString &fileName, const PlotFixture &f)
{
    static constexpr std::array<double, 15> movements = {0.01, 0.02, 0.05, 0.1, 0.15, 0.2, 0.3, 0.4,
                                                         0.5,  0.7,  1.0,  1.3, 1.7,  2.2, 3.0};
    TextOut out;
    out.open(fileName.toStdString());
    for (int i = 0; i < f.diameters; ++i) {
        PlotBlock block;
        block.diameterCount = f.diameters;
        block.kls = f.kls;
        for (const std::vector<double> &r : fixtureRows(f, i)) {
            PlotRow row{};
            std::copy(r.begin(), r.end(), row.begin());
            block.rows.push_back(row);
        }
        const PlotRow &last = block.rows.back();
        const double ultimate = f.si ? last[3] * kTonsPerKn : last[3];
        const double baseShare = std::clamp(last[2] / last[3], 0.05, 0.9);
        const double D = f.startDiameter + 0.5 * i;
        const struct {
            double load, stiffness;
        } variants[] = {{1.0, 1.0}, {1.25, 0.8}, {0.75, 1.3}};
        const int curves = f.kls > 1 ? 3 : 1;
        for (int c = 0; c < curves; ++c) {
            std::vector<SettlementPoint> curve;
            const double a = 0.012 * D * 12.0 * variants[c].stiffness; // in
            for (double delta : movements) {
                const double load = variants[c].load * ultimate * delta / (a + delta);
                SettlementPoint p = {load, delta, load * baseShare, delta * 0.85};
                if (f.si) {
                    p.topLoad /= kTonsPerKn;
                    p.tipLoad /= kTonsPerKn;
                    p.topMovement *= 0.0254;
                    p.tipMovement *= 0.0254;
                }
                curve.push_back(p);
            }
            block.curves.push_back(curve);
        }
        writePlotBlock(out, block);
    }
    out.close();
    return fileName;
}

QByteArray handMadePlotText(int ndia, int npts, int kls, const QList<QByteArray> &rows,
                            int curveRows)
{
    QByteArray text = QByteArray::number(ndia) + " " + QByteArray::number(npts) + " " +
                      QByteArray::number(kls) + "\r\n";
    for (const QByteArray &row : rows)
        text += row + "\r\n";
    for (int i = 0; i < curveRows; ++i)
        text += " " + QByteArray::number(i + 1) + ".0 " + QByteArray::number(0.1 * (i + 1)) +
                " 0.0 0.0\r\n";
    return text;
}

QString writeText(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return file.fileName();
}

} // namespace vorna::test
