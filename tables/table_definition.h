// Declarative definitions of tables: a table is its captions, row limits and an array of
// column declarations, kept in one place per table and built into a TGridTable.
#pragma once

#include "column.h"
#include "grid_table.h"

#include <QString>
#include <QStringList>

#include <climits>
#include <memory>
#include <vector>

namespace vorna {

struct ColumnSpec {
    ColumnKind kind = ColumnKind::Float;
    QStringList headerLines;
    QString units;             // real columns: unit code, empty when dimensionless
    double defaultValue = 0.0; // real and integer columns
    int minimum = INT_MIN;     // integer columns
    int maximum = INT_MAX;
    bool topDepth = false;      // real columns
    QStringList choices;        // choice columns
    std::vector<int> templates; // table columns: template Identifiers, -1 for none
    QString defaultText;        // text columns
    double widthIn = 0.0;
    bool visible = true;
    bool grouped = false;
};

struct TableSpec {
    int identifier = -1;
    QString caption;
    int minRows = 1;
    int maxRows = 0;
    QString topLeft;
    bool hardwiredButton = false;
    int rowGroup = 1;
    QString comments;
    std::vector<ColumnSpec> columns;
};

// Shorthands for the column declarations.
ColumnSpec choiceColumn(QStringList headerLines, QStringList choices);
ColumnSpec intColumn(QStringList headerLines, int minimum = INT_MIN, int maximum = INT_MAX,
                     int defaultValue = 0);
ColumnSpec realColumn(QStringList headerLines, QString units = {}, double defaultValue = 0.0);
ColumnSpec tableColumn(QStringList headerLines, std::vector<int> templates);
ColumnSpec textColumn(QStringList headerLines, QString defaultText = {}, double widthIn = 1.0);

std::unique_ptr<TColumn> createColumn(TGridTable &table, const ColumnSpec &definition);

// A top-level table built from its declaration, with MinRows rows of defaults.
std::unique_ptr<TGridTable> createTable(TableRegistry &registry, const TableSpec &definition);

} // namespace vorna
