#include "load_test.h"

#include "unit_code.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace vorna {

namespace {

constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024; // far above 10,000 lines of two numbers

// Exact factors to kN and m; the project's English units are short tons (2000 lbf) and in.
constexpr double kKNPerPound = 0.0044482216152605;
constexpr double kKNPerTon = 2000.0 * kKNPerPound;
constexpr double kMPerIn = 0.0254;

struct LoadUnitRow {
    LoadUnit unit;
    const char *text;
    double kN;
};
constexpr std::array<LoadUnitRow, 5> kLoadUnits = {{
    {LoadUnit::Tons, "tons", kKNPerTon},
    {LoadUnit::Kips, "kips", 1000.0 * kKNPerPound},
    {LoadUnit::Pounds, "lb", kKNPerPound},
    {LoadUnit::KN, "kN", 1.0},
    {LoadUnit::MN, "MN", 1000.0},
}};

struct SettlementUnitRow {
    SettlementUnit unit;
    const char *text;
    double m;
};
constexpr std::array<SettlementUnitRow, 5> kSettlementUnits = {{
    {SettlementUnit::In, "in", kMPerIn},
    {SettlementUnit::Ft, "ft", 12.0 * kMPerIn},
    {SettlementUnit::Mm, "mm", 0.001},
    {SettlementUnit::Cm, "cm", 0.01},
    {SettlementUnit::M, "m", 1.0},
}};

// Further spellings a header may use.
struct Alias {
    const char *text;
    const char *unit;
};
constexpr Alias kLoadAliases[] = {{"ton", "tons"}, {"kip", "kips"}, {"lbs", "lb"},
                                  {"lbf", "lb"},   {"kn", "kN"},    {"mn", "MN"}};
constexpr Alias kSettlementAliases[] = {{"inch", "in"}, {"inches", "in"}, {"in.", "in"},
                                        {"feet", "ft"}, {"mm", "mm"},     {"cm", "cm"}};

double kNPer(LoadUnit unit)
{
    for (const LoadUnitRow &row : kLoadUnits)
        if (row.unit == unit)
            return row.kN;
    return 1.0;
}

double mPer(SettlementUnit unit)
{
    for (const SettlementUnitRow &row : kSettlementUnits)
        if (row.unit == unit)
            return row.m;
    return 1.0;
}

QString lineError(int line, const QString &text)
{
    return QStringLiteral("Line %1: %2").arg(line).arg(text);
}

QString unquoted(QString field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"'))
        field = field.mid(1, field.size() - 2).trimmed();
    return field;
}

// The unit in brackets or parentheses of a header field, e.g. "head load (kN)" gives "kN".
QString unitOf(const QString &field)
{
    for (const auto &[open, close] : {std::pair{u'(', u')'}, std::pair{u'[', u']'}}) {
        const qsizetype start = field.lastIndexOf(open);
        const qsizetype end = field.lastIndexOf(close);
        if (start >= 0 && end > start)
            return field.mid(start + 1, end - start - 1).trimmed();
    }
    return {};
}

QChar separatorOf(const QString &header)
{
    if (header.contains(u';'))
        return u';';
    if (header.contains(u'\t'))
        return u'\t';
    return u',';
}

struct Column {
    int index = -1;
    QString name;
};

Column findColumn(const QStringList &fields, const QStringList &words)
{
    for (int i = 0; i < fields.size(); ++i) {
        const QString lower = fields[i].toLower();
        for (const QString &word : words)
            if (lower.contains(word))
                return {i, fields[i]};
    }
    return {};
}

double numberAt(const QStringList &fields, const Column &column, int line, const char *what)
{
    const QString text = unquoted(fields[column.index]);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw ELoadTestError(lineError(
            line,
            QStringLiteral("\"%1\" is not a number (the %2).").arg(text, QLatin1String(what))));
    return value;
}

struct ResolvedUnits {
    double kNPerLoad = 1.0;
    double mPerSettlement = 1.0;
};

ResolvedUnits resolveUnits(const Column &load, const Column &settlement,
                           const LoadTestUnits &chosen, int headerLine)
{
    ResolvedUnits r;
    if (chosen.load) {
        r.kNPerLoad = kNPer(*chosen.load);
    } else {
        const QString text = unitOf(load.name);
        if (text.isEmpty())
            throw ELoadTestError(lineError(
                headerLine, QStringLiteral("the unit of the loads is neither named in the header "
                                           "(e.g. \"head load (kN)\") nor chosen.")));
        const std::optional<LoadUnit> unit = loadUnitFromText(text);
        if (!unit)
            throw ELoadTestError(lineError(
                headerLine, QStringLiteral("the load unit \"%1\" is not known; use tons, kips, "
                                           "lb, kN or MN.")
                                .arg(text)));
        r.kNPerLoad = kNPer(*unit);
    }
    if (chosen.settlement) {
        r.mPerSettlement = mPer(*chosen.settlement);
    } else {
        const QString text = unitOf(settlement.name);
        if (text.isEmpty())
            throw ELoadTestError(lineError(
                headerLine, QStringLiteral("the unit of the settlements is neither named in the "
                                           "header (e.g. \"settlement (mm)\") nor chosen.")));
        const std::optional<SettlementUnit> unit = settlementUnitFromText(text);
        if (!unit)
            throw ELoadTestError(lineError(
                headerLine, QStringLiteral("the settlement unit \"%1\" is not known; use in, "
                                           "ft, mm, cm or m.")
                                .arg(text)));
        r.mPerSettlement = mPer(*unit);
    }
    return r;
}

bool isBlankRow(const QString &line, QChar separator)
{
    for (const QChar c : line)
        if (!c.isSpace() && c != separator)
            return false;
    return true;
}

} // namespace

QString loadUnitText(LoadUnit unit)
{
    for (const LoadUnitRow &row : kLoadUnits)
        if (row.unit == unit)
            return QString::fromLatin1(row.text);
    return {};
}

QString settlementUnitText(SettlementUnit unit)
{
    for (const SettlementUnitRow &row : kSettlementUnits)
        if (row.unit == unit)
            return QString::fromLatin1(row.text);
    return {};
}

std::optional<LoadUnit> loadUnitFromText(const QString &text)
{
    QString t = text.trimmed();
    for (const Alias &a : kLoadAliases)
        if (t.compare(QLatin1String(a.text), Qt::CaseInsensitive) == 0)
            t = QString::fromLatin1(a.unit);
    for (const LoadUnitRow &row : kLoadUnits)
        if (t.compare(QLatin1String(row.text), Qt::CaseInsensitive) == 0)
            return row.unit;
    return std::nullopt;
}

std::optional<SettlementUnit> settlementUnitFromText(const QString &text)
{
    QString t = text.trimmed();
    for (const Alias &a : kSettlementAliases)
        if (t.compare(QLatin1String(a.text), Qt::CaseInsensitive) == 0)
            t = QString::fromLatin1(a.unit);
    // "M" and "mm" differ only in length, never in case: "MM" is millimetres.
    for (const SettlementUnitRow &row : kSettlementUnits)
        if (t.compare(QLatin1String(row.text), Qt::CaseInsensitive) == 0)
            return row.unit;
    return std::nullopt;
}

LoadTestCurve readLoadTestCsv(const QByteArray &bytes, const LoadTestUnits &units, int unitSystem)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    int row = 0;
    while (row < lines.size() && lines[row].trimmed().isEmpty())
        ++row;
    if (row == lines.size())
        throw ELoadTestError(lineError(1, QStringLiteral("the file is empty.")));

    const int headerLine = row + 1;
    const QString header = lines[row].trimmed();
    const QChar separator = separatorOf(header);
    QStringList names = header.split(separator);
    for (QString &name : names)
        name = unquoted(name);
    const Column load = findColumn(names, {QStringLiteral("load")});
    const Column settlement =
        findColumn(names, {QStringLiteral("settlement"), QStringLiteral("movement"),
                           QStringLiteral("displacement")});
    if (load.index < 0)
        throw ELoadTestError(lineError(
            headerLine,
            QStringLiteral("the header names no column of loads (e.g. \"head load (kN)\").")));
    if (settlement.index < 0 || settlement.index == load.index)
        throw ELoadTestError(
            lineError(headerLine, QStringLiteral("the header names no column of settlements (e.g. "
                                                 "\"head settlement (mm)\").")));
    const ResolvedUnits factors = resolveUnits(load, settlement, units, headerLine);
    const bool si = unitSystem == kSiUnits;
    const double loadFactor = si ? factors.kNPerLoad : factors.kNPerLoad / kKNPerTon;
    const double settlementFactor = si ? factors.mPerSettlement : factors.mPerSettlement / kMPerIn;

    LoadTestCurve curve;
    const int needed = std::max(load.index, settlement.index) + 1;
    double lastSettlement = 0.0;
    int lastLine = 0;
    for (++row; row < lines.size(); ++row) {
        const int line = row + 1;
        const QString &raw = lines[row];
        if (isBlankRow(raw, separator))
            continue;
        if (static_cast<int>(curve.points.size()) == kMaxLoadTestPoints)
            throw ELoadTestError(lineError(
                line, QStringLiteral("more than %1 points; a load test may have at most %1.")
                          .arg(kMaxLoadTestPoints)));
        const QStringList fields = raw.trimmed().split(separator);
        if (fields.size() < needed)
            throw ELoadTestError(lineError(
                line,
                QStringLiteral("%1 value(s) where %2 are needed.").arg(fields.size()).arg(needed)));
        const double loadValue = numberAt(fields, load, line, "load");
        const double settlementValue = numberAt(fields, settlement, line, "settlement");
        if (loadValue < 0.0)
            throw ELoadTestError(lineError(
                line,
                QStringLiteral("the load %1 is negative.").arg(unquoted(fields[load.index]))));
        if (settlementValue < 0.0)
            throw ELoadTestError(lineError(line, QStringLiteral("the settlement %1 is negative.")
                                                     .arg(unquoted(fields[settlement.index]))));
        if (lastLine > 0 && settlementValue < lastSettlement)
            throw ELoadTestError(lineError(
                line, QStringLiteral("the settlement %1 is smaller than the one on line %2; "
                                     "settlements must not decrease.")
                          .arg(unquoted(fields[settlement.index]))
                          .arg(lastLine)));
        lastSettlement = settlementValue;
        lastLine = line;
        curve.points.push_back({loadValue * loadFactor, settlementValue * settlementFactor});
    }
    if (curve.points.empty())
        throw ELoadTestError(
            lineError(headerLine, QStringLiteral("no measured points follow the header.")));
    return curve;
}

LoadTestCurve readLoadTestFile(const QString &fileName, const LoadTestUnits &units, int unitSystem)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ELoadTestError(
            QStringLiteral("Cannot open \"%1\":\r%2").arg(fileName, file.errorString()));
    if (file.size() > kMaxFileBytes)
        throw ELoadTestError(QStringLiteral("\"%1\" is larger than a load test curve can be (%2 "
                                            "bytes).")
                                 .arg(fileName)
                                 .arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ELoadTestError(
            QStringLiteral("Cannot read \"%1\":\r%2").arg(fileName, file.errorString()));
    return readLoadTestCsv(bytes, units, unitSystem);
}

QByteArray loadTestCsvText(const LoadTestCurve &curve, int unitSystem)
{
    const bool si = unitSystem == kSiUnits;
    QByteArray text =
        si ? "head load (kN),head settlement (m)\r\n" : "head load (tons),head settlement (in)\r\n";
    for (const TFloatPoint &p : curve.points)
        text += QByteArray::number(p.x, 'g', 12) + ',' + QByteArray::number(p.y, 'g', 12) + "\r\n";
    return text;
}

void writeLoadTestFile(const QString &fileName, const LoadTestCurve &curve, int unitSystem)
{
    QSaveFile file(fileName);
    const QByteArray text = loadTestCsvText(curve, unitSystem);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw ELoadTestError(QStringLiteral("The load test could not be saved as \"%1\":\r%2")
                                 .arg(fileName, file.errorString()));
}

QString loadTestFileName(const QString &projectFileName)
{
    const QFileInfo info(projectFileName);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".loadtest.csv"));
}

std::optional<double> loadAtSettlement(const std::vector<TFloatPoint> &curve, double settlement)
{
    double lastSettlement = 0.0;
    double lastLoad = 0.0;
    for (const TFloatPoint &p : curve) {
        // A stretch that does not move the head cannot be interpolated on; it is passed over.
        if (p.y >= settlement && p.y > lastSettlement)
            return lastLoad +
                   (settlement - lastSettlement) / (p.y - lastSettlement) * (p.x - lastLoad);
        lastSettlement = p.y;
        lastLoad = p.x;
    }
    return std::nullopt;
}

double nominalSettlement(double baseDiameter, int unitSystem)
{
    constexpr double kInPerFt = 12.0;
    return 0.05 * baseDiameter * (unitSystem == kSiUnits ? 1.0 : kInPerFt);
}

} // namespace vorna
