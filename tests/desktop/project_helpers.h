// Helpers of the project tests: files in a temporary folder and a full-precision snapshot
// of every project value and table cell, for comparing two loads.
#pragma once

#include "grid_table.h"
#include "program_data.h"
#include "program_tables.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace vorna::test {

// Text with LF line ends as a file with CR LF line ends.
inline QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

inline void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

inline QByteArray readFile(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void appendTable(QStringList &out, const TGridTable &table, const QString &path)
{
    out << QStringLiteral("%1 %2 rows=%3 units=%4")
               .arg(path, table.Caption)
               .arg(table.RowCount())
               .arg(table.UnitSystem());
    for (int c = 0; c < table.ColumnCount(); ++c) {
        const TColumn &column = table.Column(c);
        for (int r = 0; r < table.RowCount(); ++r) {
            const QString where = QStringLiteral("%1[%2,%3]").arg(path).arg(r).arg(c);
            if (column.Kind() == ColumnKind::Float)
                out << where + QString::number(column.AsFloat(r), 'g', 17);
            else if (column.Kind() == ColumnKind::Table) {
                if (const TGridTable *sub = column.AsTable(r))
                    appendTable(out, *sub, where);
            } else
                out << where + column.CellText(r);
        }
    }
}

inline QStringList snapshot(const TProgramData &p, const ProgramTables &tables)
{
    QStringList out;
    auto n = [](double v) { return QString::number(v, 'g', 17); };
    out << p.title << QString::number(unitCode(p.unitSystem)) << n(p.outputIncrement)
        << QString::number(fileNumber(p.designControl))
        << QString::number(fileNumber(p.loadingType)) << n(p.upliftFactor) << n(p.proposedLength)
        << n(p.FST) << n(p.FSB) << n(p.designLoad) << QString::number(p.endBearingOption)
        << QString::number(fileNumber(p.designMethod)) << QString::number(p.currentLayout);
    for (double v : p.shaftProperties)
        out << n(v);
    appendTable(out, tables.SoilLayers(), QStringLiteral("layers"));
    return out;
}

} // namespace vorna::test
