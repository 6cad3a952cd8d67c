#include "table_definition.h"

#include <cmath>

namespace vorna {

ColumnSpec choiceColumn(QStringList headerLines, QStringList choices)
{
    ColumnSpec definition;
    definition.kind = ColumnKind::Enum;
    definition.headerLines = std::move(headerLines);
    definition.choices = std::move(choices);
    return definition;
}

ColumnSpec intColumn(QStringList headerLines, int minimum, int maximum, int defaultValue)
{
    ColumnSpec definition;
    definition.kind = ColumnKind::Int;
    definition.headerLines = std::move(headerLines);
    definition.minimum = minimum;
    definition.maximum = maximum;
    definition.defaultValue = defaultValue;
    return definition;
}

ColumnSpec realColumn(QStringList headerLines, QString units, double defaultValue)
{
    ColumnSpec definition;
    definition.kind = ColumnKind::Float;
    definition.headerLines = std::move(headerLines);
    definition.units = std::move(units);
    definition.defaultValue = defaultValue;
    return definition;
}

ColumnSpec tableColumn(QStringList headerLines, std::vector<int> templates)
{
    ColumnSpec definition;
    definition.kind = ColumnKind::Table;
    definition.headerLines = std::move(headerLines);
    definition.templates = std::move(templates);
    return definition;
}

ColumnSpec textColumn(QStringList headerLines, QString defaultText, double widthIn)
{
    ColumnSpec definition;
    definition.kind = ColumnKind::String;
    definition.headerLines = std::move(headerLines);
    definition.defaultText = std::move(defaultText);
    definition.widthIn = widthIn;
    return definition;
}

std::unique_ptr<TColumn> createColumn(TGridTable &table, const ColumnSpec &definition)
{
    std::unique_ptr<TColumn> column;
    switch (definition.kind) {
    case ColumnKind::Enum:
        column = std::make_unique<TEnumColumn>(table, definition.headerLines, definition.choices);
        break;
    case ColumnKind::Int:
        column = std::make_unique<TIntColumn>(
            table, definition.headerLines, static_cast<int>(std::lround(definition.defaultValue)),
            definition.minimum, definition.maximum);
        break;
    case ColumnKind::Float:
        column = std::make_unique<TFloatColumn>(table, definition.headerLines, definition.units,
                                                definition.defaultValue, definition.topDepth);
        break;
    case ColumnKind::Table: {
        TGridTableList templates;
        for (int identifier : definition.templates)
            templates.AddIdentifier(identifier);
        column = std::make_unique<TTableColumn>(table, definition.headerLines, templates);
        break;
    }
    case ColumnKind::String:
        column = std::make_unique<TStringColumn>(table, definition.headerLines,
                                                 definition.defaultText, definition.widthIn);
        break;
    }
    column->Visible = definition.visible;
    column->Grouped = definition.grouped;
    return column;
}

std::unique_ptr<TGridTable> createTable(TableRegistry &registry, const TableSpec &definition)
{
    auto table = std::make_unique<TGridTable>(registry);
    table->SetIdentifier(definition.identifier);
    table->Caption = definition.caption;
    table->Comments = definition.comments;
    table->TopLeft = definition.topLeft;
    table->HardwiredButton = definition.hardwiredButton;
    table->SetMinRows(definition.minRows);
    table->SetMaxRows(definition.maxRows);
    table->SetRowGroup(definition.rowGroup);
    for (const ColumnSpec &column : definition.columns)
        table->AddColumn(createColumn(*table, column));
    table->SetRowCount(definition.minRows);
    return table;
}

} // namespace vorna
