// The result graphs: the twelve graphs built from plot data files (written by the engine's
// own writer, and by the engine for every example project) with their captions, units, line
// names, combined plots and soil-layer bands; the outcome of a build that fails.
#include "graph_draw.h"
#include "offscreen_test_main.h"
#include "plot_fixtures.h"
#include "plot_form.h"
#include "result_graphs.h"
#include "word_reader.h"

#include "program_data.h"
#include "program_tables.h"
#include "project_file.h"
#include "soil_code.h"
#include "window_factory.h"

#include "vornacalc/engine.h"

#include "window_factory.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <QtTest>

using namespace vorna;
using namespace vorna::test;

namespace {

ResultProjectFacts factsFor(const PlotFixture &f)
{
    ResultProjectFacts facts;
    facts.unitSystem = f.si ? 2 : 1;
    facts.lrfd = f.lrfd;
    facts.uplift = f.uplift;
    facts.FST = f.FST;
    facts.FSB = f.FSB;
    facts.startDiameter = f.startDiameter;
    for (const FixtureLayer &l : fixtureLayers(f)) {
        const SoilCodeEntry &soil = soilCodeEntry(*soilCodeFromNumber(l.soilType));
        facts.layers.push_back({QString::fromLatin1(soil.bandName), soil.bandFill, l.bottomDepth});
    }
    return facts;
}

} // namespace

class TstResultGraphs : public QObject {
    Q_OBJECT

private slots:
    void brokenFileKeepsTheGraphs_data();
    void brokenFileKeepsTheGraphs();
    void freshRunErrorMessageAndKls();
    void twelveGraphsCaptionsAndUnits();
    void lineNamesOfATwoFootStartInFourSteps();
    void siLineNamesAndUnits();
    void factoredCaptionsFollowTheDesignMethod();
    void upliftCaptions();
    void combinedGraphsShowTheFirstDiameter();
    void settlementGraphsAndCombinedSettlement();
    void klsZeroLeavesBoundGraphsAndDisablesThem();
    void legendsShowTheLoadAtFivePercentOfTheBase();
    void loadTestIsASeriesOfItsOwn();
    void bandEntriesForEveryDepthGraph();
    void loadGraphHasLinesButNoData();
    void everyGraphOpensItsWindow();
    void rebuildOverwritesLines();
    void engineExamples_data();
    void engineExamples();
};

void TstResultGraphs::brokenFileKeepsTheGraphs_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("freshRun");
    QTest::addColumn<QString>("message");
    const QList<QByteArray> rows = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 5 5 2 2 2"};
    const QByteArray truncated = handMadePlotText(2, 3, 0, rows, 15);
    QTest::newRow("after a run") << truncated << true << QString::fromLatin1(kRunErrorMessage);
    QTest::newRow("project opened") << truncated << false << QString();
    QTest::newRow("letter for a number, after a run")
        << handMadePlotText(1, 3, 0, {"0 0 0 0 0 0 0", "1 0 x 0 0 0 0", "1 5 5 5 2 2 2"}, 15)
        << true << QString::fromLatin1(kRunErrorMessage);
}

void TstResultGraphs::brokenFileKeepsTheGraphs()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, freshRun);
    QFETCH(QString, message);
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    ResultGraphs graphs;
    QVERIFY(
        graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("good.vrp"), f), true, factsFor(f))
            .built);
    const std::vector<TFloatPoint> before = graphs.Graph(ResultGraphId::Total).Line(1).points;
    const ResultBuildOutcome outcome = graphs.BuildFromPlotFile(
        writeText(dir, QStringLiteral("broken.vrp"), text), freshRun, factsFor(f));
    QVERIFY(!outcome.built);
    QVERIFY(!outcome.readError.isEmpty());
    QCOMPARE(outcome.message, message);
    QCOMPARE(graphs.Graph(ResultGraphId::Total).Line(1).points, before);
}

void TstResultGraphs::freshRunErrorMessageAndKls()
{
    QTemporaryDir dir;
    const QList<QByteArray> rows = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 5 5 2 2 2"};
    const QString file =
        writeText(dir, QStringLiteral("a.vrp"), handMadePlotText(2, 3, 3, rows, 45));
    ResultGraphs graphs;
    ResultBuildOutcome outcome = graphs.BuildFromPlotFile(file, true, {});
    QVERIFY(!outcome.built);
    QCOMPARE(outcome.message, QStringLiteral("An error occured in running the main program."));
    // The header was read: its KLS reaches the project.
    QCOMPARE(outcome.KLS, std::optional<int>(3));
    outcome = graphs.BuildFromPlotFile(dir.filePath(QStringLiteral("missing.vrp")), true, {});
    QVERIFY(!outcome.built);
    QVERIFY(!outcome.KLS.has_value());
    QCOMPARE(outcome.message, QString::fromLatin1(kRunErrorMessage));
    // A good file.
    PlotFixture f;
    f.diameters = 2;
    writePlotFixture(file, f);
    outcome = graphs.BuildFromPlotFile(file, true, factsFor(f));
    QVERIFY(outcome.built);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(outcome.KLS, std::optional<int>(3));
    QCOMPARE(graphs.KLS(), 3);
}

void TstResultGraphs::twelveGraphsCaptionsAndUnits()
{
    ResultGraphs graphs;
    const struct {
        ResultGraphId id;
        const char *object, *menu, *caption, *x, *y;
    } expected[] = {
        {ResultGraphId::Skin, "pltSkin", "Ultimate &Skin Friction vs Depth",
         "Skin Ultimate Friction vs Depth", "Ultimate Skin Friction  (tons)", "Depth  (ft)"},
        {ResultGraphId::Tip, "pltTip", "Ultimate &Tip Resistance vs Depth",
         "Ultimate Tip Resistance vs Depth", "Ultimate Tip Resistance  (tons)", "Depth  (ft)"},
        {ResultGraphId::Total, "pltTotal", "Ultimate Total &Capacity vs Depth",
         "Ultimate Total Capacity vs Depth", "Ultimate Total Capacity  (tons)", "Depth  (ft)"},
        {ResultGraphId::FactoredSkin, "FSpltSkin", "ASD/LRFD Skin Friction vs Depth ",
         "Skin Friction vs Depth (w/F.S.)", "Side Resistance/F.S.  (tons)", "Depth (ft)"},
        {ResultGraphId::FactoredTip, "FSpltTip", "ASD/LRFD Tip Resistance vs Depth ",
         "Tip Resistance vs Depth (w/F.S.)", "Tip Resistance/F.S.  (tons)", "Depth (ft)"},
        {ResultGraphId::FactoredTotal, "FSpltTotal", "ASD/LRFD Total Capacity vs Depth",
         "Total Capacity vs Depth (w/F.S.)", "Total Resistance/F.S.  (tons)", "Depth (ft)"},
        {ResultGraphId::Combine, "pltCombine", "C&ombined Plots vs Depth (ultimate)",
         "Axial Capacity vs Depth (Ultimate)", "Ultimate Axial Capacity (tons)", "Depth (ft)"},
        {ResultGraphId::CombineFactored, "pltCombineD", "Combined Plots vs Depth (ASD/LRFD)",
         "Axial Capacity vs Depth (w/Factor of Safety)", "Resistance/F.S.  (tons)", "Depth (ft)"},
        {ResultGraphId::Axial, "pltAxial", "Axial Load vs Settlement (averaged)",
         "Axial Load vs Settlement", "Axial Load  (tons)", "Settlement  (in)"},
        {ResultGraphId::Upper, "pltUpper", "Axial Load vs Settlement (upper bound)", "",
         "Axial Load (upper bound) (tons)", "Settlement (in)"},
        {ResultGraphId::Lower, "pltLower", "Axial Load vs Settlement (lower bound)", "",
         "Axial Load (lower bound) (tons)", "Settlement (in)"},
        {ResultGraphId::CombinedSettlement, "pltCombinedSettle",
         "Combined Plots of Load vs Settlement", "", "Axial Load (tons)", "Settlement (in)"},
    };
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    for (const auto &e : expected) {
        const TGraphPlot &g = graphs.Graph(e.id);
        QCOMPARE(resultGraphObjectName(e.id), QString::fromLatin1(e.object));
        QCOMPARE(g.objectName(), QString::fromLatin1(e.object));
        QCOMPARE(resultGraphMenuText(e.id), QString::fromLatin1(e.menu));
        QCOMPARE(g.Caption, QString::fromLatin1(e.caption));
        QCOMPARE(g.XAxisText(), QString::fromLatin1(e.x));
        QCOMPARE(g.YAxisText(), QString::fromLatin1(e.y));
        QVERIFY(g.XOnTop);
        QCOMPARE(g.Markers, 1);
        QCOMPARE(g.SizeFont, 10);
        QCOMPARE(g.LegendFont, 11);
        QCOMPARE(g.WidthLine, 1);
        QVERIFY(g.ShowLegend);
        QVERIFY(!g.ShowLayers);
        QCOMPARE(g.CurveName, QStringLiteral("Curve #"));
    }
    QCOMPARE(kResultToolButtons[0], ResultGraphId::Combine);
    QCOMPARE(kResultToolButtons[1], ResultGraphId::CombineFactored);
    QCOMPARE(kResultToolButtons[2], ResultGraphId::Axial);
}

void TstResultGraphs::lineNamesOfATwoFootStartInFourSteps()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 4;
    f.startDiameter = 2.0;
    ResultGraphs graphs;
    QVERIFY(graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f))
                .built);
    const QStringList names = {"Dia=2 ft", "Dia=2.5 ft", "Dia=3 ft", "Dia=3.5 ft"};
    for (ResultGraphId id :
         {ResultGraphId::Skin, ResultGraphId::Tip, ResultGraphId::Total,
          ResultGraphId::FactoredSkin, ResultGraphId::FactoredTip, ResultGraphId::FactoredTotal,
          ResultGraphId::Axial, ResultGraphId::Upper, ResultGraphId::Lower}) {
        const TGraphPlot &g = graphs.Graph(id);
        QCOMPARE(g.LineCount(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(g.LineName(i), names[i]);
    }
}

void TstResultGraphs::siLineNamesAndUnits()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.si = true;
    f.diameters = 3;
    f.startDiameter = 0.6;
    ResultGraphs graphs;
    QVERIFY(graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f))
                .built);
    const TGraphPlot &skin = graphs.Graph(ResultGraphId::Skin);
    QCOMPARE(skin.LineName(0), QStringLiteral("Dia=0.6 m"));
    QCOMPARE(skin.LineName(1), QStringLiteral("Dia=0.752 m"));
    QCOMPARE(skin.LineName(2), QStringLiteral("Dia=0.904 m"));
    QCOMPARE(skin.XAxisText(), QStringLiteral("Ultimate Skin Friction  (kN)"));
    QCOMPARE(skin.YAxisText(), QStringLiteral("Depth  (m)"));
    QCOMPARE(graphs.Graph(ResultGraphId::Axial).YAxisText(), QStringLiteral("Settlement  (m)"));
    QCOMPARE(graphs.LoadGraph().Units(), 2);
    for (int i = 0; i < kResultGraphCount; ++i)
        QCOMPARE(graphs.Graph(static_cast<ResultGraphId>(i)).Units(), 2);
}

void TstResultGraphs::factoredCaptionsFollowTheDesignMethod()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    f.lrfd = true;
    ResultGraphs graphs;
    ResultProjectFacts facts = factsFor(f);
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, facts);
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredSkin).XCaption,
             QStringLiteral("LRFD Side Resistance "));
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredTip).XCaption,
             QStringLiteral("LRFD Tip Resistance "));
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredTotal).XCaption,
             QStringLiteral("LRFD Total Resistance "));
    QCOMPARE(graphs.Graph(ResultGraphId::CombineFactored).XCaption,
             QStringLiteral("LRFD Resistance "));
    facts.lrfd = false;
    graphs.BuildFromPlotFile(dir.filePath("a.vrp"), true, facts);
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredSkin).XCaption,
             QStringLiteral("Side Resistance/F.S. "));
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredTip).XCaption,
             QStringLiteral("Tip Resistance/F.S. "));
    QCOMPARE(graphs.Graph(ResultGraphId::FactoredTotal).XCaption,
             QStringLiteral("Total Resistance/F.S. "));
    QCOMPARE(graphs.Graph(ResultGraphId::CombineFactored).XCaption,
             QStringLiteral("Resistance/F.S. "));
}

void TstResultGraphs::upliftCaptions()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    f.uplift = true;
    for (bool lrfd : {false, true}) {
        f.lrfd = lrfd;
        ResultGraphs graphs;
        graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
        QCOMPARE(graphs.Graph(ResultGraphId::FactoredTip).XCaption, QStringLiteral("Self-Weight"));
        QCOMPARE(graphs.Graph(ResultGraphId::Combine).LineName(1), QStringLiteral("  Self-Weight"));
        QCOMPARE(graphs.Graph(ResultGraphId::CombineFactored).LineName(1),
                 QStringLiteral("  Self-Weight"));
        // The weight is plotted undivided.
        const TGraphPlot &tip = graphs.Graph(ResultGraphId::Tip);
        const TGraphPlot &factored = graphs.Graph(ResultGraphId::FactoredTip);
        QCOMPARE(factored.Point(1, 40).x, tip.Point(1, 40).x);
        QCOMPARE(graphs.Graph(ResultGraphId::FactoredSkin).XCaption,
                 lrfd ? QStringLiteral("LRFD Side Resistance ")
                      : QStringLiteral("Side Resistance/F.S. "));
    }
}

void TstResultGraphs::combinedGraphsShowTheFirstDiameter()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 3;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    const TGraphPlot &c = graphs.Graph(ResultGraphId::Combine);
    QCOMPARE(c.LineCount(), 3);
    QCOMPARE(c.PointCount(), 62);
    QCOMPARE(c.LineName(0), QStringLiteral("  Skin Friction"));
    QCOMPARE(c.LineName(1), QStringLiteral("  Tip Resistance"));
    QCOMPARE(c.LineName(2), QStringLiteral("  Total Capacity"));
    QCOMPARE(c.Line(0).points, graphs.Graph(ResultGraphId::Skin).Line(0).points);
    QCOMPARE(c.Line(1).points, graphs.Graph(ResultGraphId::Tip).Line(0).points);
    QCOMPARE(c.Line(2).points, graphs.Graph(ResultGraphId::Total).Line(0).points);
    const TGraphPlot &d = graphs.Graph(ResultGraphId::CombineFactored);
    QCOMPARE(d.Line(0).points, graphs.Graph(ResultGraphId::FactoredSkin).Line(0).points);
    QCOMPARE(d.Line(1).points, graphs.Graph(ResultGraphId::FactoredTip).Line(0).points);
    QCOMPARE(d.Line(2).points, graphs.Graph(ResultGraphId::FactoredTotal).Line(0).points);
    // Depth graphs: x is the resistance, y the depth.
    const TGraphPlot &total = graphs.Graph(ResultGraphId::Total);
    const std::vector<double> row = fixtureRows(f, 2)[29];
    QCOMPARE(total.Point(2, 31).y, 30.0);
    QVERIFY(std::fabs(total.Point(2, 31).x - row[3]) < 0.006 * row[3]);
}

void TstResultGraphs::settlementGraphsAndCombinedSettlement()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 3;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    const TGraphPlot &axial = graphs.Graph(ResultGraphId::Axial);
    QCOMPARE(axial.LineCount(), 3);
    QCOMPARE(axial.PointCount(), 16);
    QCOMPARE(axial.Point(1, 0), (TFloatPoint{0.0, 0.0}));
    QCOMPARE(axial.Point(1, 15).y, 3.0); // x is the top load, y the top movement
    QVERIFY(axial.Point(1, 15).x > axial.Point(0, 15).x);
    const TGraphPlot &c = graphs.Graph(ResultGraphId::CombinedSettlement);
    QCOMPARE(c.LineCount(), 3);
    QCOMPARE(c.PointCount(), 16);
    QCOMPARE(c.LineName(0), QStringLiteral("  Trend (Averaged)"));
    QCOMPARE(c.LineName(1), QStringLiteral("  Upper Bound"));
    QCOMPARE(c.LineName(2), QStringLiteral("  Lower Bound"));
    QCOMPARE(c.Line(0).points, axial.Line(0).points);
    QCOMPARE(c.Line(1).points, graphs.Graph(ResultGraphId::Upper).Line(0).points);
    QCOMPARE(c.Line(2).points, graphs.Graph(ResultGraphId::Lower).Line(0).points);
}

// One diameter of 2 ft whose curve has loads 1, 2, ... 15 tons at settlements 0.1, 0.2, ...
// 1.5 in: 5 % of a 2 ft base is 1.2 in, reached at 12 tons; a bell of ratio 3 makes the base
// 6 ft and its 3.6 in are not reached. The line keeps its own name; the legend adds the value.
void TstResultGraphs::legendsShowTheLoadAtFivePercentOfTheBase()
{
    QTemporaryDir dir;
    const QString file = writeText(
        dir, QStringLiteral("a.vrp"),
        handMadePlotText(1, 3, 0, {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "2 5 5 10 2 2 4"}, 15));
    ResultProjectFacts facts;
    facts.startDiameter = 2.0;
    ResultGraphs graphs;
    QVERIFY(graphs.BuildFromPlotFile(file, false, facts).built);
    const TGraphPlot &axial = graphs.Graph(ResultGraphId::Axial);
    QCOMPARE(axial.LineName(0), QStringLiteral("Dia=2 ft"));
    QCOMPARE(legendEntries(axial).at(0).name, QStringLiteral("Dia=2 ft (5% Db: 12.0 tons)"));
    QCOMPARE(legendEntries(graphs.Graph(ResultGraphId::CombinedSettlement)).at(0).name,
             QStringLiteral("  Trend (Averaged) (5% Db: 12.0 tons)"));

    facts.bellRatio = 3.0;
    QVERIFY(graphs.BuildFromPlotFile(file, false, facts).built);
    QCOMPARE(legendEntries(axial).at(0).name, QStringLiteral("Dia=2 ft (5% Db: not reached)"));
    QCOMPARE(baseDiameterOf(0, facts), 6.0);
    facts.bellRatio = 0.5; // below 1: a straight shaft
    QCOMPARE(baseDiameterOf(1, facts), 2.5);
    facts.unitSystem = 2;
    QCOMPARE(nominalResistanceText({{100, 0.01}, {300, 0.03}}, 0.4, 2),
             QStringLiteral(" (5% Db: 200.0 kN)")); // 5 % of 0.4 m is 0.02 m
}

// The measured curve is the last line of every settlement graph, flagged for its own
// markers, with its points as measured and its value at 5 % of the first diameter's base:
// 5 + (1.2 - 0.5) / (2.0 - 0.5) * (20 - 5) = 12 tons. Without a load test it is gone again.
void TstResultGraphs::loadTestIsASeriesOfItsOwn()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 3;
    const QString file = writePlotFixture(dir.filePath("a.vrp"), f);
    ResultProjectFacts facts = factsFor(f);
    facts.loadTest = LoadTestCurve{{{5.0, 0.5}, {20.0, 2.0}}};
    ResultGraphs graphs;
    QVERIFY(graphs.BuildFromPlotFile(file, false, facts).built);
    for (ResultGraphId id : {ResultGraphId::Axial, ResultGraphId::Upper, ResultGraphId::Lower,
                             ResultGraphId::CombinedSettlement}) {
        const TGraphPlot &g = graphs.Graph(id);
        const int last = g.LineCount() - 1;
        QCOMPARE(last, id == ResultGraphId::CombinedSettlement ? 3 : f.diameters);
        QVERIFY(g.Line(last).measured);
        QVERIFY(!g.Line(0).measured);
        QCOMPARE(g.Line(last).points, facts.loadTest->points);
        QCOMPARE(legendEntries(g).back().name, QStringLiteral("  Load Test (5% Db: 12.0 tons)"));
    }
    QCOMPARE(graphs.Graph(ResultGraphId::Skin).LineCount(), f.diameters);
    // The measured curve is drawn: a picture with it differs from one without.
    QImage with(400, 300, QImage::Format_RGB32), without(400, 300, QImage::Format_RGB32);
    const auto paint = [&](QImage &image) {
        QPainter painter(&image);
        const TGraphPlot &g = graphs.Graph(ResultGraphId::Axial);
        draw(painter, QRectF(0, 0, 400, 300), GraphDrawModel{g, *fullView(g), DrawOptions{}});
    };
    paint(with);
    facts.loadTest.reset();
    QVERIFY(graphs.BuildFromPlotFile(file, false, facts).built);
    QCOMPARE(graphs.Graph(ResultGraphId::Axial).LineCount(), f.diameters);
    QVERIFY(!graphs.Graph(ResultGraphId::Axial).Line(f.diameters - 1).measured);
    // Same ranges for both pictures: the measured points lie inside the predicted ones.
    paint(without);
    QVERIFY(with != without);
}

void TstResultGraphs::klsZeroLeavesBoundGraphsAndDisablesThem()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    const std::vector<TFloatPoint> upperBefore = graphs.Graph(ResultGraphId::Upper).Line(0).points;
    PlotFixture rock = f;
    rock.kls = 0;
    rock.diameters = 3;
    const ResultBuildOutcome outcome = graphs.BuildFromPlotFile(
        writePlotFixture(dir.filePath("b.vrp"), rock), true, factsFor(rock));
    QVERIFY(outcome.built);
    QCOMPARE(outcome.KLS, std::optional<int>(0));
    QCOMPARE(graphs.Graph(ResultGraphId::Axial).LineCount(), 3); // filled from its 15 rows
    QVERIFY(graphs.Graph(ResultGraphId::Axial).Point(2, 15).x > 0.0);
    QCOMPARE(graphs.Graph(ResultGraphId::Upper).LineCount(), 2); // previous content
    QCOMPARE(graphs.Graph(ResultGraphId::Upper).Line(0).points, upperBefore);
    for (ResultGraphId id :
         {ResultGraphId::Upper, ResultGraphId::Lower, ResultGraphId::CombinedSettlement}) {
        QVERIFY(!ResultGraphs::MenuItemEnabled(id, true, true, 0));
        QVERIFY(ResultGraphs::MenuItemEnabled(id, true, true, 3));
    }
    QVERIFY(ResultGraphs::MenuItemEnabled(ResultGraphId::Axial, true, true, 0));
    QVERIFY(!ResultGraphs::MenuItemEnabled(ResultGraphId::Axial, false, true, 3));
    QVERIFY(!ResultGraphs::MenuItemEnabled(ResultGraphId::Skin, true, false, 3));
}

void TstResultGraphs::bandEntriesForEveryDepthGraph()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    for (int i = 0; i < kResultGraphCount; ++i) {
        const auto id = static_cast<ResultGraphId>(i);
        const TGraphPlot &g = graphs.Graph(id);
        const bool depth = i < static_cast<int>(ResultGraphId::Axial);
        QCOMPARE(g.LineCount(LineList::Band), depth ? 3 : 0);
        QVERIFY(!g.ShowLayers);
        if (!depth)
            continue;
        QCOMPARE(g.LineName(0, LineList::Band), QStringLiteral(" SAND "));
        QCOMPARE(g.Point(0, 0, LineList::Band), (TFloatPoint{7.0, 20.0}));
        QCOMPARE(g.LineName(1, LineList::Band), QStringLiteral(" CLAY "));
        QCOMPARE(g.Point(1, 0, LineList::Band), (TFloatPoint{1.0, 45.0}));
        QCOMPARE(g.Point(2, 0, LineList::Band), (TFloatPoint{7.0, 80.0}));
    }
    // A rebuild replaces the band entries instead of adding to them.
    graphs.BuildFromPlotFile(dir.filePath("a.vrp"), true, factsFor(f));
    QCOMPARE(graphs.Graph(ResultGraphId::Skin).LineCount(LineList::Band), 3);
}

void TstResultGraphs::loadGraphHasLinesButNoData()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 2;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    TGraphPlot &load = graphs.LoadGraph();
    QCOMPARE(load.objectName(), QStringLiteral("pltLoad"));
    QCOMPARE(load.Caption, QStringLiteral("Load Distribution"));
    QCOMPARE(load.LineCount(), 9);
    QCOMPARE(load.PointCount(), 62);
    QCOMPARE(load.XAxisText(), QStringLiteral("Total Capacity  (tons)"));
    QCOMPARE(load.Point(4, 30), TFloatPoint{});
}

void TstResultGraphs::everyGraphOpensItsWindow()
{
    QTemporaryDir dir;
    PlotFixture f;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    for (int i = 0; i < kResultGraphCount; ++i) {
        TGraphPlot &g = graphs.Graph(static_cast<ResultGraphId>(i));
        TPlotForm *form = TPlotForm::Create(g);
        QVERIFY2(form, qPrintable(resultGraphObjectName(static_cast<ResultGraphId>(i))));
        form->ShowInFront();
        QVERIFY(form->isVisible());
        QVERIFY(!form->LineActions().empty());
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QImage shot = form->Canvas()->grab().toImage();
        QVERIFY(!shot.isNull());
        form->close();
    }
}

void TstResultGraphs::rebuildOverwritesLines()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 4;
    ResultGraphs graphs;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    graphs.Graph(ResultGraphId::Skin).Line(1).shown = false;
    graphs.Graph(ResultGraphId::Skin).Line(1).name = QStringLiteral("renamed");
    f.diameters = 2;
    graphs.BuildFromPlotFile(writePlotFixture(dir.filePath("a.vrp"), f), true, factsFor(f));
    const TGraphPlot &skin = graphs.Graph(ResultGraphId::Skin);
    QCOMPARE(skin.LineCount(), 2);
    QVERIFY(skin.Line(1).shown);
    QCOMPARE(skin.LineName(1), QStringLiteral("Dia=2.5 ft"));
}

void TstResultGraphs::engineExamples_data()
{
    QTest::addColumn<QString>("project");
    const QDir examples(QStringLiteral(VORNA_EXAMPLES_DIR));
    for (const QString &name : examples.entryList({QStringLiteral("*.vrd")}, QDir::Files))
        QTest::newRow(qPrintable(name)) << examples.filePath(name);
}

void TstResultGraphs::engineExamples()
{
    QFETCH(QString, project);
    QTemporaryDir dir;
    const QString copy = dir.filePath(QFileInfo(project).fileName());
    QVERIFY(QFile::copy(project, copy));
    const RunFiles files = filesForProject(copy.toStdString());
    const int status = runAnalysis(files);
    const QString plot = QString::fromStdString(files.plot.string());
    if (!QFileInfo(plot).exists() || QFileInfo(plot).size() == 0)
        QSKIP(qPrintable(QStringLiteral("the engine wrote no plot data (status %1): the capacity "
                                        "driver is not in this build yet")
                             .arg(status)));

    ProgramTables tables;
    QStringList messages;
    const TProgramData data = CreateFromFile(copy, ProjectLayout::Current, tables, messages);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    ResultGraphs graphs;
    const ResultBuildOutcome outcome =
        graphs.BuildFromPlotFile(plot, true, resultProjectFacts(data, tables));
    QVERIFY2(outcome.built, qPrintable(outcome.readError));
    const int ndia = graphs.Graph(ResultGraphId::Skin).LineCount();
    QVERIFY(ndia >= 1);
    QCOMPARE(graphs.Graph(ResultGraphId::Axial).LineCount(), ndia);
    QCOMPARE(graphs.Graph(ResultGraphId::Combine).LineCount(), 3);
    QCOMPARE(graphs.Graph(ResultGraphId::Skin).LineCount(LineList::Band),
             tables.SoilLayers().RowCount());
    for (int i = 0; i < kResultGraphCount; ++i) {
        TGraphPlot &g = graphs.Graph(static_cast<ResultGraphId>(i));
        if (g.LineCount() == 0)
            continue; // bound graphs of a KLS 0 run
        QVERIFY(TPlotForm::Create(g) != nullptr);
    }
}

VORNA_OFFSCREEN_TEST_MAIN(TstResultGraphs)
#include "tst_result_graphs.moc"
