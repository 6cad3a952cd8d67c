// The twelve result graphs of a run (and the unused thirteenth, pltLoad), built from the
// plot data file: capacity versus depth per diameter (ultimate and factored), the combined
// plots of the first diameter, and load versus settlement (averaged, upper and lower bound,
// combined). The main window owns one ResultGraphs; each Graphics menu item shows one graph.
//
// How the main window uses it:
//   - after a run, and when a project whose plot data file exists is opened, it fills
//     ResultProjectFacts from the project and its soil layer table and calls
//     BuildFromPlotFile(file, freshRun, facts); it shows outcome.message when that is not
//     empty, stores *outcome.KLS in the project when set, and sets ResultsAvailable to
//     outcome.built;
//   - the Graphics menu items and the result tool buttons are enabled by
//     ResultGraphs::MenuItemEnabled; choosing one shows the graph's window, which the main
//     window makes on first use (TPlotForm::Create) and wraps in an MDI sub-window.
#pragma once

#include "graph_plot.h"
#include "load_test.h"
#include "result_plot_reader.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vorna {

// The graphs in Graphics menu order.
enum class ResultGraphId {
    Skin,              // pltSkin
    Tip,               // pltTip
    Total,             // pltTotal
    FactoredSkin,      // FSpltSkin
    FactoredTip,       // FSpltTip
    FactoredTotal,     // FSpltTotal
    Combine,           // pltCombine
    CombineFactored,   // pltCombineD
    Axial,             // pltAxial
    Upper,             // pltUpper
    Lower,             // pltLower
    CombinedSettlement // pltCombinedSettle
};
inline constexpr int kResultGraphCount = 12;
inline constexpr std::array<ResultGraphId, 3> kResultToolButtons = {
    ResultGraphId::Combine, ResultGraphId::CombineFactored, ResultGraphId::Axial};

// The Graphics menu text of a graph ("Ultimate &Skin Friction vs Depth", ...).
QString resultGraphMenuText(ResultGraphId id);
// The object name of a graph ("pltSkin", ...).
QString resultGraphObjectName(ResultGraphId id);

// The message shown when a plot data file cannot be read after a fresh run.
inline constexpr const char *kRunErrorMessage = "An error occured in running the main program.";

// One row of the project's soil layer table, as the soil band shows it.
struct SoilBandLayer {
    QString name;             // " SAND ", " CLAY ", ...
    int fillCode = 0;         // FillCode of hatch_patterns.h
    double bottomDepth = 0.0; // depth at the bottom of the layer, ft / m
};

// What building the graphs needs of the project (the project's fields in brackets).
struct ResultProjectFacts {
    int unitSystem = 1;                // [unit system] 1 English, 2 SI
    bool lrfd = false;                 // [design method] == 1
    bool uplift = false;               // [loading type] == 2
    double FST = 2.5;                  // [factor of safety, side]
    double FSB = 3.0;                  // [factor of safety, base]
    double startDiameter = 0.0;        // [shaft properties][1], DSTART, ft / m
    double bellRatio = 0.0;            // [shaft properties][3], RATIO: base / stem when belled
    bool currentLayout = true;         // [current layout]
    std::vector<SoilBandLayer> layers; // rows of the soil layer table, top down
    // The measured curve of a load test, in the project's units, drawn on the settlement
    // graphs beside the predictions.
    std::optional<LoadTestCurve> loadTest;
};

// The base diameter of line i (0-based) of the per-diameter graphs, ft / m: the stem
// diameter, times the bell ratio when the shaft is belled (a ratio of 1 or more).
double baseDiameterOf(int line, const ResultProjectFacts &facts);

// The text that follows a settlement curve's name in the legends (added through the graph's
// onGetCaption): the load at a head
// settlement of 5 % of the base diameter, e.g. " (5% Db: 512.3 tons)" or
// " (5% Db: not reached)".
QString nominalResistanceText(const std::vector<TFloatPoint> &curve, double baseDiameter,
                              int unitSystem);

// Name of the measured curve in the legends.
inline constexpr const char *kLoadTestName = "  Load Test";

struct ResultBuildOutcome {
    bool built = false;     // the graphs were built: ResultsAvailable
    std::optional<int> KLS; // the file's KLS once its header was read: store it in the project
    QString readError;      // the reader's message when not built
    // For an information box: kRunErrorMessage after a fresh run that failed, else empty.
    QString message;
};

class ResultGraphs : public QObject {
    Q_OBJECT

public:
    explicit ResultGraphs(QObject *parent = nullptr);

    TGraphPlot &Graph(ResultGraphId id) { return *m_graphs[static_cast<std::size_t>(id)]; }
    const TGraphPlot &Graph(ResultGraphId id) const
    {
        return *m_graphs[static_cast<std::size_t>(id)];
    }
    // The thirteenth graph ("Load Distribution"): lines and units but no data, no menu item.
    TGraphPlot &LoadGraph() { return *m_load; }

    // Reads the plot data file and builds the graphs. On a read error the graphs keep their
    // previous content and the outcome says why.
    ResultBuildOutcome BuildFromPlotFile(const QString &fileName, bool freshRun,
                                         const ResultProjectFacts &facts);

    // Builds the graphs from data already read.
    void Build(const ResultPlotData &data, const ResultProjectFacts &facts);

    // How every graph window and its dialogs ask the user; the main window routes them
    // through its own message boxes.
    void SetInteraction(const GraphInteraction &interaction);

    // KLS of the last build (0 before any).
    int KLS() const { return m_kls; }

    // The Graphics menu rule: every item needs results and the plot data file; the upper-bound,
    // lower-bound and combined settlement items also need KLS other than 0.
    static bool MenuItemEnabled(ResultGraphId id, bool resultsAvailable, bool plotFileExists,
                                int projectKls);

private:
    void setUp();
    void applyCaptions(const ResultProjectFacts &facts);
    void addBand(const ResultProjectFacts &facts);
    void addLoadTestAndNominalValues(const ResultProjectFacts &facts, bool bounds);

    std::array<TGraphPlot *, kResultGraphCount> m_graphs{};
    TGraphPlot *m_load = nullptr;
    int m_kls = 0;
};

} // namespace vorna
