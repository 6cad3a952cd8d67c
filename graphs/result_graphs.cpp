#include "result_graphs.h"

#include "unit_code.h"
#include "word_reader.h"

#include <cmath>
#include <limits>

namespace vorna {

namespace {

constexpr int kSettlementPoints = kResultSettlementRows + 1; // point 0 is the origin
constexpr int kLoadGraphLines = 9;

struct GraphText {
    const char *objectName;
    const char *menuText;
    const char *caption;
    const char *xCaption;
    const char *yCaption;
};

// Captions of the factored graphs are replaced by project-dependent ones (applyCaptions).
constexpr GraphText kTexts[kResultGraphCount] = {
    {"pltSkin", "Ultimate &Skin Friction vs Depth", "Skin Ultimate Friction vs Depth",
     "Ultimate Skin Friction ", "Depth "},
    {"pltTip", "Ultimate &Tip Resistance vs Depth", "Ultimate Tip Resistance vs Depth",
     "Ultimate Tip Resistance ", "Depth "},
    {"pltTotal", "Ultimate Total &Capacity vs Depth", "Ultimate Total Capacity vs Depth",
     "Ultimate Total Capacity ", "Depth "},
    {"FSpltSkin", "ASD/LRFD Skin Friction vs Depth ", "Skin Friction vs Depth (w/F.S.)",
     "Skin Friction w/F.S.", "Depth"},
    {"FSpltTip", "ASD/LRFD Tip Resistance vs Depth ", "Tip Resistance vs Depth (w/F.S.)",
     "Tip Resistance w/F.S.", "Depth"},
    {"FSpltTotal", "ASD/LRFD Total Capacity vs Depth", "Total Capacity vs Depth (w/F.S.)",
     "Total Capacity w/F.S.", "Depth"},
    {"pltCombine", "C&ombined Plots vs Depth (ultimate)", "Axial Capacity vs Depth (Ultimate)",
     "Ultimate Axial Capacity", "Depth"},
    {"pltCombineD", "Combined Plots vs Depth (ASD/LRFD)",
     "Axial Capacity vs Depth (w/Factor of Safety)", "Axial Capacity w/F. S.", "Depth"},
    {"pltAxial", "Axial Load vs Settlement (averaged)", "Axial Load vs Settlement", "Axial Load ",
     "Settlement "},
    {"pltUpper", "Axial Load vs Settlement (upper bound)", "", "Axial Load (upper bound)",
     "Settlement"},
    {"pltLower", "Axial Load vs Settlement (lower bound)", "", "Axial Load (lower bound)",
     "Settlement"},
    {"pltCombinedSettle", "Combined Plots of Load vs Settlement", "", "Axial Load", "Settlement"},
};

constexpr ResultGraphId kDepthGraphs[] = {
    ResultGraphId::Skin,         ResultGraphId::Tip,         ResultGraphId::Total,
    ResultGraphId::FactoredSkin, ResultGraphId::FactoredTip, ResultGraphId::FactoredTotal,
};

constexpr ResultGraphId kBandGraphs[] = {
    ResultGraphId::FactoredSkin,  ResultGraphId::FactoredTip,
    ResultGraphId::FactoredTotal, ResultGraphId::Skin,
    ResultGraphId::Tip,           ResultGraphId::Total,
    ResultGraphId::Combine,       ResultGraphId::CombineFactored,
};

std::size_t index(ResultGraphId id)
{
    return static_cast<std::size_t>(id);
}

QString diameterName(int i, const ResultProjectFacts &facts)
{
    const bool si = facts.unitSystem == kSiUnits;
    const double diameter = facts.startDiameter + (si ? 0.152 : 0.5) * i;
    return QStringLiteral("Dia=") + shortestNumber(diameter) + (si ? " m" : " ft");
}

// Resets a graph to count lines of points zero points, dropping names and flags.
void resetLines(TGraphPlot &g, int count, int points)
{
    g.SetLineCount(0);
    g.SetLineCount(count);
    g.SetPointCount(points);
}

void copyLine(const TGraphPlot &from, int fromLine, TGraphPlot &to, int toLine)
{
    if (fromLine >= from.LineCount())
        return;
    const std::vector<TFloatPoint> &source = from.Line(fromLine).points;
    std::vector<TFloatPoint> &target = to.Line(toLine).points;
    for (std::size_t j = 0; j < target.size() && j < source.size(); ++j)
        target[j] = source[j];
}

void fillSettlement(TGraphPlot &g, int line, const std::vector<ResultSettlementPoint> &rows)
{
    std::vector<TFloatPoint> &points = g.Line(line).points;
    points[0] = {0.0, 0.0};
    for (std::size_t j = 0; j < rows.size() && j + 1 < points.size(); ++j)
        points[j + 1] = {rows[j].topLoad, rows[j].topMovement};
}

} // namespace

double baseDiameterOf(int line, const ResultProjectFacts &facts)
{
    const double stem = facts.startDiameter + (facts.unitSystem == kSiUnits ? 0.152 : 0.5) * line;
    return std::trunc(facts.bellRatio) != 0.0 ? facts.bellRatio * stem : stem;
}

QString nominalResistanceText(const std::vector<TFloatPoint> &curve, double baseDiameter,
                              int unitSystem)
{
    const std::optional<double> load =
        loadAtSettlement(curve, nominalSettlement(baseDiameter, unitSystem));
    if (!load)
        return QStringLiteral(" (5% Db: not reached)");
    return QStringLiteral(" (5% Db: %1 %2)")
        .arg(QString::number(*load, 'f', 1),
             unitSystem == kSiUnits ? QStringLiteral("kN") : QStringLiteral("tons"));
}

QString resultGraphMenuText(ResultGraphId id)
{
    return QString::fromLatin1(kTexts[index(id)].menuText);
}

QString resultGraphObjectName(ResultGraphId id)
{
    return QString::fromLatin1(kTexts[index(id)].objectName);
}

ResultGraphs::ResultGraphs(QObject *parent) : QObject(parent)
{
    setUp();
}

void ResultGraphs::setUp()
{
    for (int i = 0; i < kResultGraphCount; ++i) {
        auto *g = new TGraphPlot(this);
        const GraphText &t = kTexts[i];
        g->setObjectName(QString::fromLatin1(t.objectName));
        g->Caption = QString::fromLatin1(t.caption);
        // Graphs without a caption of their own go by their Graphics menu item.
        g->WindowName = QString::fromLatin1(t.menuText).remove(u'&').trimmed();
        g->XCaption = QString::fromLatin1(t.xCaption);
        g->YCaption = QString::fromLatin1(t.yCaption);
        g->XOnTop = true;
        g->Markers = 1;
        g->SizeFont = 10;
        g->LegendFont = 11;
        g->WidthLine = 1;
        g->ShowLegend = true;
        g->ShowLayers = false;
        g->CurveName = QStringLiteral("Curve #");
        g->XUnits = QStringLiteral("F2");
        g->YUnits = i >= static_cast<int>(ResultGraphId::Axial) ? QStringLiteral("L")
                                                                : QStringLiteral("L2");
        m_graphs[static_cast<std::size_t>(i)] = g;
    }
    m_load = new TGraphPlot(this);
    m_load->setObjectName(QStringLiteral("pltLoad"));
    m_load->Caption = QStringLiteral("Load Distribution");
    m_load->XCaption = QStringLiteral("Total Capacity ");
    m_load->YCaption = QStringLiteral("Depth ");
    m_load->XUnits = QStringLiteral("F2");
    m_load->YUnits = QStringLiteral("L2");
}

ResultBuildOutcome ResultGraphs::BuildFromPlotFile(const QString &fileName, bool freshRun,
                                                   const ResultProjectFacts &facts)
{
    ResultBuildOutcome outcome;
    ResultPlotReadOptions options;
    options.currentLayout = facts.currentLayout;
    options.uplift = facts.uplift;
    options.FST = facts.FST;
    options.FSB = facts.FSB;
    constexpr int kNotRead = std::numeric_limits<int>::min();
    int kls = kNotRead;
    try {
        const ResultPlotData data = readResultPlotFile(fileName, options, &kls);
        Build(data, facts);
        outcome.built = true;
        outcome.KLS = data.KLS;
    } catch (const EInputError &error) {
        // The header's KLS reaches the project even when a later part fails.
        if (kls != kNotRead)
            outcome.KLS = kls;
        outcome.readError = error.message();
        if (freshRun)
            outcome.message = QString::fromLatin1(kRunErrorMessage);
    }
    return outcome;
}

void ResultGraphs::Build(const ResultPlotData &data, const ResultProjectFacts &facts)
{
    const int ndia = static_cast<int>(data.diameters.size());
    const int points = data.pointsPerLine;
    m_kls = data.KLS;

    // Step 1 and 2 of the reading order: lines, points and names.
    for (ResultGraphId id : kDepthGraphs)
        resetLines(Graph(id), ndia, points);
    resetLines(Graph(ResultGraphId::Axial), ndia, kSettlementPoints);
    const bool bounds = data.KLS > 2;
    if (bounds) {
        resetLines(Graph(ResultGraphId::Upper), ndia, kSettlementPoints);
        resetLines(Graph(ResultGraphId::Lower), ndia, kSettlementPoints);
    }
    for (ResultGraphId id : kDepthGraphs) {
        for (int i = 0; i < ndia; ++i)
            Graph(id).Line(i).name = diameterName(i, facts);
    }
    for (ResultGraphId id : {ResultGraphId::Axial, ResultGraphId::Upper, ResultGraphId::Lower}) {
        if (id != ResultGraphId::Axial && !bounds)
            continue;
        for (int i = 0; i < ndia; ++i)
            Graph(id).Line(i).name = diameterName(i, facts);
    }

    // Steps 3 to 6: the points.
    for (int i = 0; i < ndia; ++i) {
        const ResultPlotDiameter &d = data.diameters[static_cast<std::size_t>(i)];
        for (int j = 0; j < points && j < static_cast<int>(d.rows.size()); ++j) {
            const ResultCapacityRow &r = d.rows[static_cast<std::size_t>(j)];
            Graph(ResultGraphId::Skin).Point(i, j) = {r.side, r.depth};
            Graph(ResultGraphId::Tip).Point(i, j) = {r.base, r.depth};
            Graph(ResultGraphId::Total).Point(i, j) = {r.total, r.depth};
            Graph(ResultGraphId::FactoredSkin).Point(i, j) = {r.factoredSide, r.depth};
            Graph(ResultGraphId::FactoredTip).Point(i, j) = {r.factoredBase, r.depth};
            Graph(ResultGraphId::FactoredTotal).Point(i, j) = {r.factoredTotal, r.depth};
        }
        fillSettlement(Graph(ResultGraphId::Axial), i, d.averaged);
        if (bounds) {
            fillSettlement(Graph(ResultGraphId::Upper), i, d.upperBound);
            fillSettlement(Graph(ResultGraphId::Lower), i, d.lowerBound);
        }
    }

    // The combined graphs show the first diameter.
    const QString middle =
        facts.uplift ? QStringLiteral("  Self-Weight") : QStringLiteral("  Tip Resistance");
    const struct {
        ResultGraphId combined;
        std::array<ResultGraphId, 3> from;
        int points;
        std::array<QString, 3> names;
    } combined[] = {
        {ResultGraphId::Combine,
         {ResultGraphId::Skin, ResultGraphId::Tip, ResultGraphId::Total},
         points,
         {QStringLiteral("  Skin Friction"), middle, QStringLiteral("  Total Capacity")}},
        {ResultGraphId::CombineFactored,
         {ResultGraphId::FactoredSkin, ResultGraphId::FactoredTip, ResultGraphId::FactoredTotal},
         points,
         {QStringLiteral("  Skin Friction"), middle, QStringLiteral("  Total Capacity")}},
        {ResultGraphId::CombinedSettlement,
         {ResultGraphId::Axial, ResultGraphId::Upper, ResultGraphId::Lower},
         kSettlementPoints,
         {QStringLiteral("  Trend (Averaged)"), QStringLiteral("  Upper Bound"),
          QStringLiteral("  Lower Bound")}},
    };
    for (const auto &c : combined) {
        TGraphPlot &g = Graph(c.combined);
        resetLines(g, 3, c.points);
        for (int k = 0; k < 3; ++k) {
            g.Line(k).name = c.names[static_cast<std::size_t>(k)];
            copyLine(Graph(c.from[static_cast<std::size_t>(k)]), 0, g, k);
        }
    }

    addLoadTestAndNominalValues(facts, bounds);
    resetLines(*m_load, kLoadGraphLines, points);
    addBand(facts);
    applyCaptions(facts);
    for (TGraphPlot *g : m_graphs)
        g->SetUnits(facts.unitSystem);
    m_load->SetUnits(facts.unitSystem);
    for (TGraphPlot *g : m_graphs)
        g->NotifyChanged();
}

// Every settlement curve's legend entry shows its load at 5 % of its base diameter (the line
// keeps its own name; the window adds the value as it lists the line). The measured curve,
// when there is one, is added as the last line of each settlement graph, with its value at
// 5 % of the first diameter's base (the diameter the combined graph shows).
void ResultGraphs::addLoadTestAndNominalValues(const ResultProjectFacts &facts, bool bounds)
{
    std::vector<ResultGraphId> graphs = {ResultGraphId::Axial};
    if (bounds)
        graphs.insert(graphs.end(), {ResultGraphId::Upper, ResultGraphId::Lower});
    graphs.push_back(ResultGraphId::CombinedSettlement);
    for (ResultGraphId id : graphs) {
        TGraphPlot &g = Graph(id);
        if (g.LineCount() == 0)
            continue;
        const bool combined = id == ResultGraphId::CombinedSettlement;
        if (facts.loadTest && !facts.loadTest->points.empty()) {
            TLine measured;
            measured.points = facts.loadTest->points;
            measured.number = g.LineCount() + 1;
            measured.measured = true;
            measured.name = QString::fromLatin1(kLoadTestName);
            g.Lines().push_back(std::move(measured));
        }
        QStringList values;
        for (int i = 0; i < g.LineCount(); ++i) {
            const bool first = combined || g.Line(i).measured;
            values.push_back(nominalResistanceText(
                g.Line(i).points, baseDiameterOf(first ? 0 : i, facts), facts.unitSystem));
        }
        g.onGetCaption = [values](int line, QString &name) {
            if (line >= 0 && line < values.size())
                name += values[line];
        };
    }
}

void ResultGraphs::addBand(const ResultProjectFacts &facts)
{
    for (TGraphPlot *g : m_graphs)
        g->SetLineCount(0, LineList::Band);
    for (ResultGraphId id : kBandGraphs) {
        TGraphPlot &g = Graph(id);
        if (g.LineCount() == 0 || g.PointCount() == 0)
            continue;
        for (const SoilBandLayer &layer : facts.layers)
            g.AddBandEntry(layer.name, layer.fillCode, layer.bottomDepth);
    }
}

void ResultGraphs::applyCaptions(const ResultProjectFacts &facts)
{
    if (facts.lrfd) {
        Graph(ResultGraphId::FactoredSkin).XCaption = QStringLiteral("LRFD Side Resistance ");
        Graph(ResultGraphId::FactoredTip).XCaption = QStringLiteral("LRFD Tip Resistance ");
        Graph(ResultGraphId::FactoredTotal).XCaption = QStringLiteral("LRFD Total Resistance ");
        Graph(ResultGraphId::CombineFactored).XCaption = QStringLiteral("LRFD Resistance ");
    } else {
        Graph(ResultGraphId::FactoredSkin).XCaption = QStringLiteral("Side Resistance/F.S. ");
        Graph(ResultGraphId::FactoredTip).XCaption = QStringLiteral("Tip Resistance/F.S. ");
        Graph(ResultGraphId::FactoredTotal).XCaption = QStringLiteral("Total Resistance/F.S. ");
        Graph(ResultGraphId::CombineFactored).XCaption = QStringLiteral("Resistance/F.S. ");
    }
    if (facts.uplift)
        Graph(ResultGraphId::FactoredTip).XCaption = QStringLiteral("Self-Weight");
}

void ResultGraphs::SetInteraction(const GraphInteraction &interaction)
{
    for (TGraphPlot *g : m_graphs)
        g->Interaction = interaction;
    m_load->Interaction = interaction;
}

bool ResultGraphs::MenuItemEnabled(ResultGraphId id, bool resultsAvailable, bool plotFileExists,
                                   int projectKls)
{
    if (!resultsAvailable || !plotFileExists)
        return false;
    const bool needsBounds = id == ResultGraphId::Upper || id == ResultGraphId::Lower ||
                             id == ResultGraphId::CombinedSettlement;
    return !needsBounds || projectKls != 0;
}

} // namespace vorna
