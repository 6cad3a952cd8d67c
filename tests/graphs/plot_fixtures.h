// Plot data files for the graph tests, written by the engine's own plot-file writer
// (engine/report/plot_file.h), so the tests read exactly the layout a run produces. The numbers
// come from a simple but realistic drilled-shaft model: sand over clay over dense sand,
// side resistance by the beta and alpha methods, base resistance from blow counts and
// undrained strength, hyperbolic load-settlement curves.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTemporaryDir;

#include <vector>

namespace vorna::test {

struct PlotFixture {
    int diameters = 9;           // NDIA; diameters grow by 0.5 ft from startDiameter
    double startDiameter = 2.0;  // ft
    int rows = 60;               // capacity rows of the first diameter, 1 ft apart
    int rowsLostPerDiameter = 0; // later diameters stop this many rows earlier (design load)
    int kls = 3;                 // 3: trend and bounds; 0: one curve (rock tip)
    bool uplift = false;
    bool lrfd = false;
    bool si = false; // metres and kilonewtons
    double FST = 2.5;
    double FSB = 3.0;
};

// One diameter's plotted row: depth, QS, QB or WT, QU, factored side, base, total.
std::vector<std::vector<double>> fixtureRows(const PlotFixture &fixture, int diameter);

// Writes the plot data file; returns its name.
QString writePlotFixture(const QString &fileName, const PlotFixture &fixture);

// The soil layers of the fixture's profile (type code, bottom depth) in its units.
struct FixtureLayer {
    int soilType;
    double bottomDepth;
};
std::vector<FixtureLayer> fixtureLayers(const PlotFixture &fixture);

// A plot file written by hand: one header (NDIA, NPTS, KLS), the rows as given, then
// curveRows load-settlement rows with top loads 1, 2, 3 ... and movements 0.1, 0.2 ...
QByteArray handMadePlotText(int ndia, int npts, int kls, const QList<QByteArray> &rows,
                            int curveRows);

// Writes text as a file in a temporary folder; returns its full name.
QString writeText(const QTemporaryDir &dir, const QString &name, const QByteArray &text);

} // namespace vorna::test
