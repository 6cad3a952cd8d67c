#include "table_spec.h"

#include <cmath>

namespace vorna {

ColumnSpec choiceColumn(QStringList headerLines, QStringList choices)
{
    ColumnSpec spec;
    spec.kind = ColumnKind::Enum;
    spec.headerLines = std::move(headerLines);
    spec.choices = std::move(choices);
    return spec;
}

ColumnSpec intColumn(QStringList headerLines, int minimum, int maximum, int defaultValue)
{
    ColumnSpec spec;
    spec.kind = ColumnKind::Int;
    spec.headerLines = std::move(headerLines);
    spec.minimum = minimum;
    spec.maximum = maximum;
    spec.defaultValue = defaultValue;
    return spec;
}

ColumnSpec realColumn(QStringList headerLines, QString units, double defaultValue)
{
    ColumnSpec spec;
    spec.kind = ColumnKind::Float;
    spec.headerLines = std::move(headerLines);
    spec.units = std::move(units);
    spec.defaultValue = defaultValue;
    return spec;
}

ColumnSpec tableColumn(QStringList headerLines, std::vector<int> templates)
{
    ColumnSpec spec;
    spec.kind = ColumnKind::Table;
    spec.headerLines = std::move(headerLines);
    spec.templates = std::move(templates);
    return spec;
}

ColumnSpec textColumn(QStringList headerLines, QString defaultText, double widthIn)
{
    ColumnSpec spec;
    spec.kind = ColumnKind::String;
    spec.headerLines = std::move(headerLines);
    spec.defaultText = std::move(defaultText);
    spec.widthIn = widthIn;
    return spec;
}

std::unique_ptr<TColumn> createColumn(TGridTable &table, const ColumnSpec &spec)
{
    std::unique_ptr<TColumn> column;
    switch (spec.kind) {
    case ColumnKind::Enum:
        column = std::make_unique<TEnumColumn>(table, spec.headerLines, spec.choices);
        break;
    case ColumnKind::Int:
        column = std::make_unique<TIntColumn>(table, spec.headerLines,
                                              static_cast<int>(std::lround(spec.defaultValue)),
                                              spec.minimum, spec.maximum);
        break;
    case ColumnKind::Float:
        column = std::make_unique<TFloatColumn>(table, spec.headerLines, spec.units,
                                                spec.defaultValue, spec.topDepth);
        break;
    case ColumnKind::Table: {
        TGridTableList templates;
        for (int identifier : spec.templates)
            templates.AddIdentifier(identifier);
        column = std::make_unique<TTableColumn>(table, spec.headerLines, templates);
        break;
    }
    case ColumnKind::String:
        column = std::make_unique<TStringColumn>(table, spec.headerLines, spec.defaultText,
                                                 spec.widthIn);
        break;
    }
    column->Visible = spec.visible;
    column->Grouped = spec.grouped;
    return column;
}

std::unique_ptr<TGridTable> createTable(TableRegistry &registry, const TableSpec &spec)
{
    auto table = std::make_unique<TGridTable>(registry);
    table->SetIdentifier(spec.identifier);
    table->Caption = spec.caption;
    table->Comments = spec.comments;
    table->TopLeft = spec.topLeft;
    table->HardwiredButton = spec.hardwiredButton;
    table->SetMinRows(spec.minRows);
    table->SetMaxRows(spec.maxRows);
    table->SetRowGroup(spec.rowGroup);
    for (const ColumnSpec &column : spec.columns)
        table->AddColumn(createColumn(*table, column));
    table->SetRowCount(spec.minRows);
    return table;
}

} // namespace vorna
