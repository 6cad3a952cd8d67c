#include "graph_plot.h"

#include "unit_code.h"

#include <algorithm>

namespace vorna {

namespace {

constexpr std::array<QRgb, kPaletteSize> kPalette = {
    0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
    0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF,
};

struct Placeholder {
    const char *code;
    const char *english;
    const char *si;
};

constexpr Placeholder kForces[] = {{"F2", "tons", "kN"}, {"F1", "kips", "kN"}, {"F", "lbs", "kN"}};
constexpr Placeholder kLengths[] = {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L", "in", "m"}};

template <std::size_t N>
void replaceFirstFound(QString &text, const Placeholder (&group)[N], int unitSystem)
{
    for (const Placeholder &p : group) {
        const QString code = QString::fromLatin1(p.code);
        if (text.contains(code)) {
            text.replace(code, QString::fromLatin1(unitSystem == kEnglishUnits ? p.english : p.si));
            return;
        }
    }
}

std::size_t listIndex(LineList list)
{
    return static_cast<std::size_t>(list);
}

} // namespace

QColor paletteColor(int n)
{
    const int i = ((n % kPaletteSize) + kPaletteSize) % kPaletteSize;
    return QColor(kPalette[static_cast<std::size_t>(i)]);
}

QString unitPlaceholderText(const QString &units, int unitSystem)
{
    if (unitSystem != kEnglishUnits && unitSystem != kSiUnits)
        return units;
    QString text = units;
    replaceFirstFound(text, kForces, unitSystem);
    replaceFirstFound(text, kLengths, unitSystem);
    return text;
}

QString shortestNumber(double value)
{
    return QString::number(value, 'g', 15);
}

TGraphPlot::TGraphPlot(QObject *parent) : QObject(parent) {}

TGraphPlot::~TGraphPlot()
{
    emit destroying();
}

void TGraphPlot::SetUnits(int units)
{
    m_units = std::clamp(units, 1, 3);
}

void TGraphPlot::SetLineCount(int count, LineList list)
{
    std::vector<TLine> &lines = m_lists[listIndex(list)];
    count = std::max(count, 0);
    const std::size_t points = lines.empty() ? 0 : lines.front().points.size();
    const std::size_t old = lines.size();
    lines.resize(static_cast<std::size_t>(count));
    for (std::size_t i = old; i < lines.size(); ++i) {
        lines[i].number = static_cast<int>(i) + 1;
        lines[i].points.assign(points, TFloatPoint{});
    }
}

void TGraphPlot::SetPointCount(int count, LineList list)
{
    count = std::max(count, 0);
    for (TLine &line : m_lists[listIndex(list)])
        line.points.resize(static_cast<std::size_t>(count));
}

int TGraphPlot::LineCount(LineList list) const
{
    return static_cast<int>(m_lists[listIndex(list)].size());
}

int TGraphPlot::PointCount(LineList list) const
{
    const std::vector<TLine> &lines = m_lists[listIndex(list)];
    return lines.empty() ? 0 : static_cast<int>(lines.front().points.size());
}

TLine &TGraphPlot::Line(int index, LineList list)
{
    return m_lists[listIndex(list)].at(static_cast<std::size_t>(index));
}

const TLine &TGraphPlot::Line(int index, LineList list) const
{
    return m_lists[listIndex(list)].at(static_cast<std::size_t>(index));
}

TFloatPoint &TGraphPlot::Point(int line, int index, LineList list)
{
    return Line(line, list).points.at(static_cast<std::size_t>(index));
}

const TFloatPoint &TGraphPlot::Point(int line, int index, LineList list) const
{
    return Line(line, list).points.at(static_cast<std::size_t>(index));
}

std::vector<TLine> &TGraphPlot::Lines(LineList list)
{
    return m_lists[listIndex(list)];
}

const std::vector<TLine> &TGraphPlot::Lines(LineList list) const
{
    return m_lists[listIndex(list)];
}

void TGraphPlot::ExcludeLinesBeyondLimit()
{
    std::vector<TLine> &lines = m_lists[listIndex(LineList::Main)];
    for (std::size_t i = kMaxIncludedLines; i < lines.size(); ++i)
        lines[i].included = false;
}

void TGraphPlot::AddBandEntry(const QString &name, int fillCode, double bottomDepth)
{
    std::vector<TLine> &band = m_lists[listIndex(LineList::Band)];
    TLine entry;
    entry.number = static_cast<int>(band.size()) + 1;
    entry.name = name;
    entry.points.push_back({static_cast<double>(fillCode), bottomDepth});
    band.push_back(std::move(entry));
}

QString TGraphPlot::LineName(int index, LineList list) const
{
    const TLine &line = Line(index, list);
    if (!line.name.isEmpty())
        return line.name;
    if (index < LineNames.size())
        return LineNames[index];
    return CurveName + shortestNumber(line.number);
}

QString TGraphPlot::DisplayName() const
{
    return Caption.trimmed().isEmpty() ? WindowName : Caption;
}

QString TGraphPlot::XCaptionOf(int graph) const
{
    return graph == 1 ? XCaption2 : graph == 2 ? XCaption3 : XCaption;
}

QString TGraphPlot::YCaptionOf(int graph) const
{
    return graph == 1 ? YCaption2 : graph == 2 ? YCaption3 : YCaption;
}

QString TGraphPlot::XUnitsText(int graph) const
{
    return unitPlaceholderText(graph == 1 ? XUnits2 : graph == 2 ? XUnits3 : XUnits, m_units);
}

QString TGraphPlot::YUnitsText(int graph) const
{
    return unitPlaceholderText(graph == 1 ? YUnits2 : graph == 2 ? YUnits3 : YUnits, m_units);
}

QString TGraphPlot::XAxisText(int graph) const
{
    const QString units = XUnitsText(graph);
    return units.isEmpty() ? XCaptionOf(graph) : XCaptionOf(graph) + " (" + units + ")";
}

QString TGraphPlot::YAxisText(int graph) const
{
    const QString units = YUnitsText(graph);
    return units.isEmpty() ? YCaptionOf(graph) : YCaptionOf(graph) + " (" + units + ")";
}

} // namespace vorna
