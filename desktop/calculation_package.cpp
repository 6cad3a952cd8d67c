#include "calculation_package.h"

#include "column.h"
#include "file_names.h"
#include "graph_draw.h"
#include "program_data.h"
#include "program_tables.h"
#include "result_graphs.h"
#include "side_view.h"
#include "side_view_geometry.h"
#include "unit_code.h"
#include "window_factory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vorna {

namespace {

constexpr int kResolution = 300; // dots per inch of the PDF's layout
constexpr double kBodyPoints = 9.0;
constexpr double kHeadingPoints = 11.0;

QString number(double value, int decimals = 3)
{
    return QString::number(value, 'f', decimals);
}

// A value with its unit text in the project's system ("2.000 ft").
QString withUnit(double value, const char *code, int unitSystem, int decimals = 3)
{
    return QStringLiteral("%1 %2").arg(number(value, decimals),
                                       unitText(QString::fromLatin1(code), unitSystem));
}

QString headerText(const TColumn &column)
{
    QStringList parts;
    for (const QString &line : column.HeaderLines()) {
        if (!line.trimmed().isEmpty())
            parts << line.simplified();
    }
    return parts.join(u' ');
}

QString cellText(const TColumn &column, int row)
{
    if (const auto *choice = dynamic_cast<const TEnumColumn *>(&column))
        return choice->ChoiceText(row);
    return column.CellText(row).trimmed();
}

PackageTable projectTable(const TProgramData &project)
{
    const int units = unitCode(project.unitSystem);
    const bool lrfd = project.designMethod == DesignMethod::Lrfd;
    PackageTable t{
        QStringLiteral("Project"), {QStringLiteral("Item"), QStringLiteral("Value")}, {}};
    t.rows.push_back({QStringLiteral("Title"), project.title});
    t.rows.push_back({QStringLiteral("Project file"), QDir::toNativeSeparators(project.fileName)});
    t.rows.push_back({QStringLiteral("Units"),
                      units == kSiUnits ? QStringLiteral("SI (m, kN, kN/m^2)")
                                        : QStringLiteral("English (ft, tons, lbs/ft^2)")});
    t.rows.push_back({QStringLiteral("Design method"),
                      lrfd ? QStringLiteral("LRFD resistance factors")
                           : QStringLiteral("Allowable stress design, factors of safety")});
    t.rows.push_back({QStringLiteral("Loading"), project.loadingType == LoadingType::Uplift
                                                     ? QStringLiteral("Uplift")
                                                     : QStringLiteral("Compression")});
    if (project.designControl == DesignControl::DesignLoad)
        t.rows.push_back(
            {QStringLiteral("Design load"), withUnit(project.designLoad, "F2", units, 1)});
    else
        t.rows.push_back({QStringLiteral("Design depth (shaft length)"),
                          withUnit(project.proposedLength, "L2", units, 2)});
    if (lrfd) {
        t.rows.push_back({QStringLiteral("LRFD resistance factors"),
                          QStringLiteral("per layer, see the soil layer table")});
    } else {
        t.rows.push_back({QStringLiteral("Factor of safety, side"), number(project.FST, 2)});
        t.rows.push_back({QStringLiteral("Factor of safety, base"), number(project.FSB, 2)});
    }
    if (project.loadingType == LoadingType::Uplift)
        t.rows.push_back({QStringLiteral("Uplift factor"), number(project.upliftFactor, 3)});
    t.rows.push_back(
        {QStringLiteral("Output increment"), withUnit(project.outputIncrement, "L2", units, 2)});
    t.rows.push_back({QStringLiteral("End bearing"),
                      project.endBearingOption == 1 ? QStringLiteral("interpolated to 10 diameters")
                                                    : QStringLiteral("maximum anywhere")});
    return t;
}

PackageTable shaftTable(const TProgramData &project)
{
    const int units = unitCode(project.unitSystem);
    const auto &p = project.shaftProperties;
    PackageTable t{QStringLiteral("Drilled shaft and water table"),
                   {QStringLiteral("Item"), QStringLiteral("Value")},
                   {}};
    t.rows.push_back(
        {QStringLiteral("Minimum stem diameter"), withUnit(p[kMinDiameter], "L2", units)});
    t.rows.push_back(
        {QStringLiteral("Maximum stem diameter"), withUnit(p[kMaxDiameter], "L2", units)});
    t.rows.push_back({QStringLiteral("Bell ratio (base / stem)"), number(p[kBellRatio], 3)});
    t.rows.push_back(
        {QStringLiteral("Bell angle"), QStringLiteral("%1 deg").arg(number(p[kBellAngle], 1))});
    t.rows.push_back({QStringLiteral("Top length without side resistance"),
                      withUnit(p[kTopExclusion], "L2", units)});
    t.rows.push_back({QStringLiteral("Bottom length without side resistance"),
                      withUnit(p[kBottomExclusion], "L2", units)});
    t.rows.push_back({QStringLiteral("Elastic modulus of the shaft"),
                      withUnit(p[kShaftModulus], "F/L^2", units, 0)});
    t.rows.push_back(
        {QStringLiteral("Depth of the water table"), withUnit(p[kWaterTableDepth], "L2", units)});
    return t;
}

PackageTable layerTable(const TGridTable &layers)
{
    PackageTable t{QStringLiteral("Soil layers"), {QStringLiteral("Layer")}, {}};
    std::vector<int> columns;
    for (int c = 0; c < layers.ColumnCount(); ++c) {
        if (c == kLayerDataColumn || !layers.Column(c).Visible)
            continue;
        columns.push_back(c);
        t.headers << headerText(layers.Column(c));
    }
    for (int row = 0; row < layers.RowCount(); ++row) {
        QStringList cells{QString::number(row + 1)};
        for (int c : columns)
            cells << cellText(layers.Column(c), row);
        t.rows.push_back(cells);
    }
    return t;
}

PackageTable parameterTable(const TGridTable &layers, int row)
{
    const TGridTable *data = layers.Column(kLayerDataColumn).AsTable(row);
    PackageTable t{QStringLiteral("Layer %1: %2")
                       .arg(row + 1)
                       .arg(cellText(layers.Column(kSoilTypeColumn), row)),
                   {QStringLiteral("Location")},
                   {}};
    if (!data)
        return t;
    for (int c = 0; c < data->ColumnCount(); ++c)
        t.headers << headerText(data->Column(c));
    for (int r = 0; r < data->RowCount(); ++r) {
        QStringList cells{r == kTopRow      ? QStringLiteral("Top")
                          : r == kBottomRow ? QStringLiteral("Bottom")
                                            : QString::number(r + 1)};
        for (int c = 0; c < data->ColumnCount(); ++c)
            cells << cellText(data->Column(c), r);
        t.rows.push_back(cells);
    }
    return t;
}

QString readReport(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ECalculationPackageError(
            QStringLiteral("The report \"%1\" cannot be read: %2")
                .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return QString::fromLatin1(file.readAll());
}

QStringList reportLines(const QString &report)
{
    QString text = report;
    text.remove(u'\r');
    text.replace(u'\f', u'\n');
    QStringList lines = text.split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// The report's closing summary of the most efficient shaft: its "NAME = value" lines.
PackageTable mostEfficientTable(const QStringList &report)
{
    PackageTable t{QStringLiteral("Most efficient shaft"),
                   {QStringLiteral("Item"), QStringLiteral("Value")},
                   {}};
    const auto start = std::find_if(report.begin(), report.end(), [](const QString &line) {
        return line.contains(QLatin1String("MOST EFFICIENT SHAFT"));
    });
    if (start == report.end()) {
        t.rows.push_back(
            {QStringLiteral("(none)"), QStringLiteral("the report names no most efficient shaft")});
        return t;
    }
    for (auto it = start + 1; it != report.end(); ++it) {
        const qsizetype equals = it->indexOf(u'=');
        if (equals < 0) {
            if (!it->trimmed().isEmpty())
                break;
            continue;
        }
        t.rows.push_back({it->left(equals).trimmed(), it->mid(equals + 1).trimmed()});
    }
    return t;
}

// One diameter's capacity table of the report: its stem and base diameters as printed, the
// column names and units, and its last row, where the design stopped.
struct ReportDesignRow {
    QString stem;
    QString base;
    QStringList headers;
    QStringList units;
    QStringList row;
};

bool isNumberToken(const QString &token)
{
    bool ok = false;
    token.toDouble(&ok);
    return ok || (!token.isEmpty() && token.count(u'*') == token.size());
}

bool isCapacityHeader(const QString &trimmedLine)
{
    return trimmedLine.startsWith(QLatin1String("LENGTH")) &&
           trimmedLine.contains(QLatin1String("VOLUME"));
}

bool endsCapacityTable(const QString &line)
{
    for (const char *start : {"LOAD SETTLEMENT", "DRILLED SHAFT INFORMATION", "MOST EFFICIENT"}) {
        if (line.contains(QLatin1String(start)))
            return true;
    }
    return isCapacityHeader(line.trimmed());
}

QString valueAfterEquals(const QString &line)
{
    return line.mid(line.indexOf(u'=') + 1).simplified();
}

std::vector<ReportDesignRow> reportDesignRows(const QStringList &report)
{
    static const QRegularExpression columnGap(QStringLiteral("\\s{2,}"));
    static const QRegularExpression unitInBrackets(QStringLiteral("\\(([^)]*)\\)"));
    std::vector<ReportDesignRow> rows;
    ReportDesignRow current;
    for (qsizetype i = 0; i < report.size(); ++i) {
        const QString line = report[i].trimmed();
        if (line.startsWith(QLatin1String("DIAMETER OF STEM")) && line.contains(u'=')) {
            current = ReportDesignRow{valueAfterEquals(line), {}, {}, {}, {}};
            continue;
        }
        if (line.startsWith(QLatin1String("DIAMETER OF BASE")) && line.contains(u'=')) {
            current.base = valueAfterEquals(line);
            continue;
        }
        if (!isCapacityHeader(line) || current.stem.isEmpty())
            continue;
        current.headers = line.split(columnGap, Qt::SkipEmptyParts);
        current.units.clear();
        if (i + 1 < report.size()) {
            auto match = unitInBrackets.globalMatch(report[i + 1]);
            while (match.hasNext())
                current.units << match.next().captured(1).simplified();
        }
        current.row.clear();
        // Warning blocks may stand between the rows; the table ends where the next part of
        // the report begins.
        for (qsizetype j = i + 2; j < report.size() && !endsCapacityTable(report[j]); ++j) {
            const QStringList tokens = report[j].simplified().split(u' ', Qt::SkipEmptyParts);
            if (tokens.size() == current.headers.size() &&
                std::all_of(tokens.begin(), tokens.end(), isNumberToken))
                current.row = tokens;
        }
        if (!current.row.isEmpty())
            rows.push_back(current);
        current = {};
    }
    return rows;
}

QString loadAt5Percent(const std::vector<TFloatPoint> &curve, double baseDiameter, int unitSystem)
{
    const std::optional<double> load =
        loadAtSettlement(curve, nominalSettlement(baseDiameter, unitSystem));
    return load ? number(*load, 1) : QStringLiteral("not reached");
}

// The design row of each diameter as the report gives it (the last row of its capacity
// table) and its loads at a head settlement of 5 % of the base diameter on every curve.
PackageTable designTable(const QStringList &report, const ResultGraphs &graphs,
                         const ResultProjectFacts &facts)
{
    const int units = facts.unitSystem;
    const QString force = unitText(QStringLiteral("F2"), units);
    PackageTable t{QStringLiteral("Design row of each diameter"), {}, {}};
    const std::vector<ReportDesignRow> rows = reportDesignRows(report);
    if (rows.empty()) {
        t.headers << QStringLiteral("Design rows");
        t.rows.push_back({QStringLiteral("the report holds no capacity table")});
        return t;
    }
    t.headers << QStringLiteral("Stem diameter") << QStringLiteral("Base diameter");
    for (qsizetype c = 0; c < rows.front().headers.size(); ++c) {
        const QString unit = rows.front().units.value(c);
        t.headers << (unit.isEmpty()
                          ? rows.front().headers[c]
                          : QStringLiteral("%1 (%2)").arg(rows.front().headers[c], unit));
    }
    const bool bounds = graphs.Graph(ResultGraphId::Upper).LineCount() > 0;
    t.headers << QStringLiteral("5% Db trend (%1)").arg(force);
    if (bounds)
        t.headers << QStringLiteral("5% Db upper (%1)").arg(force)
                  << QStringLiteral("5% Db lower (%1)").arg(force);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ReportDesignRow &d = rows[i];
        QStringList cells{d.stem, d.base};
        cells << d.row;
        const int line = static_cast<int>(i);
        const double base = baseDiameterOf(line, facts);
        const auto value = [&](ResultGraphId id) {
            const TGraphPlot &g = graphs.Graph(id);
            return line < g.LineCount() && !g.Line(line).measured
                       ? loadAt5Percent(g.Line(line).points, base, units)
                       : QStringLiteral("-");
        };
        cells << value(ResultGraphId::Axial);
        if (bounds)
            cells << value(ResultGraphId::Upper) << value(ResultGraphId::Lower);
        t.rows.push_back(cells);
    }
    return t;
}

// ---- page layout

using PageItem = std::function<void(QPainter &)>;

// Lays items out down the pages' body; the title blocks are painted when the page count is
// known.
class PageFlow {
public:
    PageFlow(QPaintDevice &device, const QRectF &body) : m_device(device), m_body(body)
    {
        m_pages.emplace_back();
        m_y = m_body.top();
    }

    const QRectF &Body() const { return m_body; }
    double Remaining() const { return m_body.bottom() - m_y; }
    bool AtPageTop() const { return m_y <= m_body.top(); }
    std::vector<std::vector<PageItem>> &Pages() { return m_pages; }

    void NewPage()
    {
        if (AtPageTop() && m_pages.back().empty())
            return;
        m_pages.emplace_back();
        m_y = m_body.top();
    }
    // A block of this height at the current place (on a new page when it does not fit),
    // painted into its rectangle.
    void Place(double height, const std::function<void(QPainter &, const QRectF &)> &paint)
    {
        if (height > Remaining() && !AtPageTop())
            NewPage();
        const QRectF rect(m_body.left(), m_y, m_body.width(), height);
        m_pages.back().push_back([paint, rect](QPainter &p) { paint(p, rect); });
        m_y += height;
    }
    void Skip(double height) { m_y = std::min(m_y + height, m_body.bottom()); }

    QFontMetricsF Metrics(const QFont &font) const { return QFontMetricsF(font, &m_device); }

private:
    QPaintDevice &m_device;
    QRectF m_body;
    std::vector<std::vector<PageItem>> m_pages;
    double m_y = 0.0;
};

QFont bodyFont(bool bold = false, double points = kBodyPoints)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    // No ligatures: the package's text is searched and copied as typed ("fi", not one glyph).
    font.setStyleStrategy(QFont::PreferNoShaping);
    // Unhinted, so that the widths measured for the layout are those the PDF draws.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont fixedFont(double points)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

void placeHeading(PageFlow &flow, const QString &text)
{
    const QFont font = bodyFont(true, kHeadingPoints);
    const double h = flow.Metrics(font).height();
    // A heading never stands alone at the foot of a page.
    if (flow.Remaining() < 4 * h)
        flow.NewPage();
    if (!flow.AtPageTop())
        flow.Skip(h * 0.8);
    flow.Place(h * 1.4, [font, text](QPainter &p, const QRectF &r) {
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
    });
}

double longestWord(const QFontMetricsF &metrics, const QString &text)
{
    double widest = 0.0;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// Column widths: each column as wide as its widest cell; when that is wider than the page,
// the widest columns give way first (their texts wrap), but no column gets narrower than
// its longest word where the page allows.
std::vector<double> columnWidths(const PackageTable &table, const QFontMetricsF &metrics,
                                 const QFontMetricsF &boldMetrics, double pad, double available)
{
    const std::size_t n = static_cast<std::size_t>(table.headers.size());
    std::vector<double> natural(n, 0.0);
    std::vector<double> minimum(n, 0.0);
    for (std::size_t c = 0; c < n; ++c) {
        const QString &header = table.headers[static_cast<qsizetype>(c)];
        natural[c] = longestWord(boldMetrics, header);
        minimum[c] = natural[c];
        for (const QStringList &row : table.rows) {
            const QString cell = row.value(static_cast<qsizetype>(c));
            natural[c] = std::max(natural[c], metrics.horizontalAdvance(cell));
            minimum[c] = std::max(minimum[c], longestWord(metrics, cell));
        }
        // A little room over the measured text, which the PDF's own layout may round up.
        natural[c] = natural[c] * 1.04 + 2 * pad;
        minimum[c] = minimum[c] * 1.04 + 2 * pad;
    }
    const auto sum = [](const std::vector<double> &v) {
        double total = 0.0;
        for (double w : v)
            total += w;
        return total;
    };
    if (sum(natural) <= available)
        return natural;
    // The cap on every column's width that makes the table fit, found by halving.
    double low = 0.0;
    double high = *std::max_element(natural.begin(), natural.end());
    std::vector<double> widths(n);
    for (int step = 0; step < 40; ++step) {
        const double cap = (low + high) / 2.0;
        for (std::size_t c = 0; c < n; ++c)
            widths[c] = std::max(std::min(natural[c], cap), minimum[c]);
        (sum(widths) > available ? high : low) = cap;
    }
    for (std::size_t c = 0; c < n; ++c)
        widths[c] = std::max(std::min(natural[c], low), minimum[c]);
    const double total = sum(widths);
    if (total > available) {
        for (double &w : widths)
            w *= available / total;
    }
    return widths;
}

// The body size, or a smaller one (down to 6 points) where a wide table's words would not fit
// across the page.
double tablePoints(const PageFlow &flow, const PackageTable &table)
{
    double points = kBodyPoints;
    for (; points > 6.0; points -= 0.5) {
        const QFontMetricsF metrics = flow.Metrics(bodyFont(false, points));
        const QFontMetricsF boldMetrics = flow.Metrics(bodyFont(true, points));
        const double pad = metrics.averageCharWidth() * 0.8;
        double total = 0.0;
        for (qsizetype c = 0; c < table.headers.size(); ++c) {
            double w = longestWord(boldMetrics, table.headers[c]);
            for (const QStringList &row : table.rows)
                w = std::max(w, longestWord(metrics, row.value(c)));
            total += w * 1.04 + 2 * pad;
        }
        if (total <= flow.Body().width())
            break;
    }
    return points;
}

void placeTable(PageFlow &flow, const PackageTable &table)
{
    placeHeading(flow, table.heading);
    const double points = tablePoints(flow, table);
    const QFont font = bodyFont(false, points);
    const QFont bold = bodyFont(true, points);
    const QFontMetricsF metrics = flow.Metrics(font);
    const QFontMetricsF boldMetrics = flow.Metrics(bold);
    const double pad = metrics.averageCharWidth() * 0.8;
    const int n = static_cast<int>(table.headers.size());
    const std::vector<double> widths =
        columnWidths(table, metrics, boldMetrics, pad, flow.Body().width());
    const auto heightOf = [&](const QStringList &cells, const QFontMetricsF &m) {
        double h = m.height();
        for (int c = 0; c < n; ++c) {
            const QRectF need = m.boundingRect(
                QRectF(0, 0, std::max(1.0, widths[static_cast<std::size_t>(c)] - 2 * pad), 100000),
                Qt::TextWordWrap, cells.value(c));
            h = std::max(h, need.height());
        }
        return h + m.height() * 0.4;
    };
    const double headerHeight = heightOf(table.headers, boldMetrics);
    const auto placeRow = [&](const QStringList &cells, bool header) {
        const double h = header ? headerHeight : heightOf(cells, metrics);
        flow.Place(h, [=](QPainter &p, const QRectF &r) {
            p.setFont(header ? bold : font);
            p.setPen(QPen(Qt::black, 1));
            double x = r.left();
            for (int c = 0; c < n; ++c) {
                const double w = widths[static_cast<std::size_t>(c)];
                const QRectF cell(x, r.top(), w, h);
                if (header)
                    p.fillRect(cell, QColor(230, 230, 230));
                p.drawRect(cell);
                const int align = (header ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
                p.drawText(cell.adjusted(pad, 0, -pad, 0), align | Qt::TextWordWrap,
                           cells.value(c));
                x += w;
            }
        });
        return h;
    };
    if (flow.Remaining() < headerHeight + 2 * metrics.height())
        flow.NewPage();
    placeRow(table.headers, true);
    for (const QStringList &row : table.rows) {
        // A table that runs on to the next page repeats its header there.
        if (flow.Remaining() < heightOf(row, metrics)) {
            flow.NewPage();
            placeRow(table.headers, true);
        }
        placeRow(row, false);
    }
}

void placeNote(PageFlow &flow, const QString &text)
{
    const QFont font = bodyFont();
    const QFontMetricsF metrics = flow.Metrics(font);
    const QRectF need =
        metrics.boundingRect(QRectF(0, 0, flow.Body().width(), 100000), Qt::TextWordWrap, text);
    flow.Place(need.height() + metrics.height() * 0.5, [font, text](QPainter &p, const QRectF &r) {
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    });
}

// The graphs a reviewer needs: capacity versus depth (ultimate and factored), then the
// load-settlement curves; two a page.
std::vector<ResultGraphId> packageGraphs(const ResultGraphs &graphs, int kls)
{
    std::vector<ResultGraphId> chosen;
    for (ResultGraphId id :
         {ResultGraphId::Combine, ResultGraphId::CombineFactored, ResultGraphId::Total,
          ResultGraphId::FactoredTotal, ResultGraphId::Axial, ResultGraphId::Upper,
          ResultGraphId::Lower, ResultGraphId::CombinedSettlement}) {
        if (ResultGraphs::MenuItemEnabled(id, true, true, kls) &&
            graphs.Graph(id).LineCount() > 0 && fullView(graphs.Graph(id)))
            chosen.push_back(id);
    }
    return chosen;
}

void placeGraphs(PageFlow &flow, const ResultGraphs &graphs, int kls)
{
    const std::vector<ResultGraphId> ids = packageGraphs(graphs, kls);
    if (ids.empty())
        return;
    flow.NewPage();
    placeHeading(flow, QStringLiteral("Graphs"));
    const double height = std::floor(flow.Remaining() / 2.0) - 20;
    for (ResultGraphId id : ids) {
        const TGraphPlot *graph = &graphs.Graph(id);
        flow.Place(height, [graph](QPainter &p, const QRectF &r) {
            const std::optional<GraphView> view = fullView(*graph);
            if (!view)
                return;
            DrawOptions options;
            options.dpiX = kResolution;
            options.dpiY = kResolution;
            options.legendBox = true;
            options.band = BandPlacement::Saved;
            options.printing = true;
            draw(p, r.adjusted(0, 10, 0, -10), GraphDrawModel{*graph, *view, options});
        });
    }
}

void placeSideView(PageFlow &flow, const TProgramData &project, const ProgramTables &tables)
{
    const SideViewShape shape = buildSideView(sideViewInput(project, tables));
    if (shape.layers.empty())
        return;
    flow.NewPage();
    placeHeading(flow, QStringLiteral("Elevation view"));
    const double height = flow.Remaining();
    const QFont font = bodyFont();
    flow.Place(height, [shape, font](QPainter &p, const QRectF &r) {
        const QRect page(0, 0, static_cast<int>(r.width()), static_cast<int>(r.height()));
        const std::optional<Extents> range = viewRange(shape.extents, page.width(), page.height());
        if (!range)
            return;
        p.save();
        p.translate(r.topLeft());
        drawSideViewPage(p, page, shape, *range, font, QColor(Qt::black));
        p.restore();
    });
}

void placeReport(PageFlow &flow, const QStringList &lines)
{
    flow.NewPage();
    placeHeading(flow, QStringLiteral("Report"));
    // The report's widest line sets the size of its fixed-pitch font (at most 8 points).
    qsizetype widest = 80;
    for (const QString &line : lines)
        widest = std::max(widest, line.size());
    QFont font = fixedFont(8.0);
    const double advance = flow.Metrics(font).horizontalAdvance(QString(widest, u'0'));
    if (advance > flow.Body().width())
        font.setPointSizeF(8.0 * flow.Body().width() / advance * 0.98);
    const double lineHeight = flow.Metrics(font).lineSpacing();
    for (const QString &line : lines) {
        flow.Place(lineHeight, [font, line](QPainter &p, const QRectF &r) {
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, line);
        });
    }
}

void paintTitleBlock(QPainter &p, const QRectF &block, const TProgramData &project,
                     const QDate &date, int page, int pages)
{
    const QFont bold = bodyFont(true);
    const QFont font = bodyFont();
    const double h = block.height() / 2.0;
    const QRectF first(block.left(), block.top(), block.width(), h);
    const QRectF second(block.left(), block.top() + h, block.width(), h);
    p.setPen(Qt::black);
    p.setFont(bold);
    const QString title =
        project.title.trimmed().isEmpty() ? QStringLiteral("(untitled)") : project.title.trimmed();
    p.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, title);
    p.drawText(first, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("page %1 of %2").arg(page).arg(pages));
    p.setFont(font);
    const QString date_ = date.toString(Qt::ISODate);
    const double dateWidth = QFontMetricsF(font, p.device()).horizontalAdvance(date_) * 1.5;
    p.drawText(
        second.adjusted(0, 0, -dateWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetricsF(font, p.device())
            .elidedText(QStringLiteral("File: %1").arg(QDir::toNativeSeparators(project.fileName)),
                        Qt::ElideMiddle, second.width() - dateWidth));
    p.drawText(second, Qt::AlignRight | Qt::AlignVCenter, date_);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(block.left(), block.bottom()), QPointF(block.right(), block.bottom()));
}

// The package's content in reading order: input, results, graphs, elevation view, report.
void layOutPackage(PageFlow &flow, const CalculationPackageSource &source,
                   const QStringList &report, const ResultGraphs &graphs,
                   const ResultProjectFacts &facts, int kls)
{
    const TProgramData &project = source.project;
    placeHeading(flow, QStringLiteral("Input"));
    for (const PackageTable &table : inputTables(project, source.tables))
        placeTable(flow, table);
    if (source.loadTest)
        placeNote(flow, QStringLiteral("A measured load test of %1 points (%2) is drawn on the "
                                       "load-settlement graphs.")
                            .arg(source.loadTest->points.size())
                            .arg(QDir::toNativeSeparators(loadTestFileName(project.fileName))));
    flow.NewPage();
    placeHeading(flow, QStringLiteral("Results"));
    placeTable(flow, mostEfficientTable(report));
    placeTable(flow, designTable(report, graphs, facts));
    const TGraphPlot &trend = graphs.Graph(ResultGraphId::Axial);
    if (source.loadTest && trend.LineCount() > 0 && trend.Line(trend.LineCount() - 1).measured)
        placeNote(flow, QStringLiteral("Measured load test at 5% of the first base diameter: %1 %2")
                            .arg(loadAt5Percent(source.loadTest->points, baseDiameterOf(0, facts),
                                                unitCode(project.unitSystem)),
                                 unitText(QStringLiteral("F2"), unitCode(project.unitSystem))));
    placeGraphs(flow, graphs, kls);
    placeSideView(flow, project, source.tables);
    placeReport(flow, report);
}

// Paints every page with its title block, now that the page count is known; false when the
// PDF cannot be painted at all.
bool paintPages(QPdfWriter &pdf, const std::vector<std::vector<PageItem>> &pages,
                const QRectF &titleBlock, const TProgramData &project, const QDate &date)
{
    const int count = static_cast<int>(pages.size());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            pdf.newPage();
        paintTitleBlock(painter, titleBlock, project, date, i + 1, count);
        for (const PageItem &item : pages[static_cast<std::size_t>(i)]) {
            painter.save();
            item(painter);
            painter.restore();
        }
    }
    return painter.end();
}

} // namespace

std::vector<PackageTable> inputTables(const TProgramData &project, const ProgramTables &tables)
{
    std::vector<PackageTable> result{projectTable(project), shaftTable(project),
                                     layerTable(tables.SoilLayers())};
    for (int row = 0; row < tables.SoilLayers().RowCount(); ++row)
        result.push_back(parameterTable(tables.SoilLayers(), row));
    return result;
}

bool resultsAreCurrent(const QString &projectFileName)
{
    const QFileInfo project(projectFileName);
    for (const char *extension : {".vrp", ".vro"}) {
        const QFileInfo result(withExtension(projectFileName, QString::fromLatin1(extension)));
        if (!result.exists() || result.lastModified() < project.lastModified())
            return false;
    }
    return true;
}

int writeCalculationPackage(const CalculationPackageSource &source, const QString &pdfFileName)
{
    const TProgramData &project = source.project;
    const QString plotFile = withExtension(project.fileName, QStringLiteral(".vrp"));
    const QStringList report =
        reportLines(readReport(withExtension(project.fileName, QStringLiteral(".vro"))));

    ResultProjectFacts facts = resultProjectFacts(project, source.tables);
    facts.loadTest = source.loadTest;
    ResultGraphs graphs;
    const ResultBuildOutcome built = graphs.BuildFromPlotFile(plotFile, false, facts);
    if (!built.built)
        throw ECalculationPackageError(
            QStringLiteral("The results \"%1\" cannot be read: %2")
                .arg(QDir::toNativeSeparators(plotFile), built.readError));

    QSaveFile file(pdfFileName);
    const QString shown = QDir::toNativeSeparators(pdfFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw ECalculationPackageError(
            QStringLiteral("The calculation package \"%1\" cannot be written: %2")
                .arg(shown, file.errorString()));
    QPdfWriter pdf(&file);
    pdf.setTitle(QStringLiteral("Calculation package: %1").arg(project.title.trimmed()));
    pdf.setCreator(QLatin1String(kApplicationTitle));
    pdf.setResolution(kResolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
    const QRectF page(QPointF(0, 0), pdf.pageLayout().paintRectPixels(kResolution).size());
    const double titleHeight = QFontMetricsF(bodyFont(true), &pdf).height() * 2.6;
    const QRectF titleBlock(page.left(), page.top(), page.width(), titleHeight);
    const QRectF body(page.left(), titleBlock.bottom() + titleHeight * 0.4, page.width(),
                      page.height() - titleHeight * 1.4);

    PageFlow flow(pdf, body);
    layOutPackage(flow, source, report, graphs, facts, built.KLS.value_or(project.KLS));
    const int count = static_cast<int>(flow.Pages().size());
    if (!paintPages(pdf, flow.Pages(), titleBlock, project, source.date))
        throw ECalculationPackageError(
            QStringLiteral("The calculation package \"%1\" cannot be written.").arg(shown));
    if (!file.commit())
        throw ECalculationPackageError(
            QStringLiteral("The calculation package \"%1\" cannot be written: %2")
                .arg(shown, file.errorString()));
    return count;
}

} // namespace vorna
