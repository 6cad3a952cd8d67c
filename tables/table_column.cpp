#include "column.h"

#include "errors.h"
#include "grid_table.h"

namespace vorna {

TTableColumn::TTableColumn(TGridTable &table, QStringList headerLines, TGridTableList templates)
    : TColumn(table, std::move(headerLines)), m_templates(std::move(templates))
{}

TTableColumn::~TTableColumn() = default;

void TTableColumn::InsertRows(int at, int count)
{
    for (int i = 0; i < count; ++i)
        m_tables.insert(m_tables.begin() + at, nullptr);
    TColumn::InsertRows(at, count);
    for (int r = at; r < at + count; ++r)
        CreateRowObject(r);
    renumberFrom(at + count);
}

void TTableColumn::DeleteRow(int row)
{
    checkRow(row);
    m_tables.erase(m_tables.begin() + row);
    TColumn::DeleteRow(row);
    renumberFrom(row);
}

void TTableColumn::renumberFrom(int row)
{
    for (int r = row; r < RowCount(); ++r) {
        if (TGridTable *sub = m_tables[static_cast<std::size_t>(r)].get())
            sub->SetNumber(r + 1);
    }
}

TGridTable *TTableColumn::AsTable(int row) const
{
    checkRow(row);
    return m_tables[static_cast<std::size_t>(row)].get();
}

void TTableColumn::CreateRowObject(int row)
{
    checkRow(row);
    int choice = 1;
    if (Table().ColumnCount() > 0 && &Table().Column(0) != this) {
        if (const auto *first = dynamic_cast<const TEnumColumn *>(&Table().Column(0));
            first && row < first->RowCount())
            choice = first->AsInteger(row);
    }
    std::unique_ptr<TGridTable> sub;
    if (choice >= 1 && choice <= m_templates.Count()) {
        const TGridTableList::Entry &entry = m_templates.At(choice - 1);
        const TableRegistry &registry = Table().Registry();
        const int index =
            entry.isIdentifier ? registry.IndexOfIdentifier(entry.value) : entry.value;
        if (const TGridTable *templ = registry.TableAt(index))
            sub = std::make_unique<TGridTable>(Table(), row + 1, *templ);
    }
    m_tables[static_cast<std::size_t>(row)] = std::move(sub);
}

QString TTableColumn::ButtonCaption(int row) const
{
    const TGridTable *sub = AsTable(row);
    return QStringLiteral("%1: %2").arg(row + 1).arg(sub ? sub->Caption : QString());
}

bool TTableColumn::IsModified() const
{
    for (const auto &sub : m_tables) {
        if (sub && sub->IsModified())
            return true;
    }
    return false;
}

void TTableColumn::ResetModified()
{
    for (const auto &sub : m_tables) {
        if (sub)
            sub->SetModified(false);
    }
}

void TTableColumn::SetUnits(int system)
{
    for (const auto &sub : m_tables) {
        if (sub)
            sub->SetUnits(system);
    }
}

std::unique_ptr<TColumn> TTableColumn::Clone(TGridTable &table) const
{
    auto copy = std::make_unique<TTableColumn>(table, DefinedHeaderLines(), m_templates);
    copy->Visible = Visible;
    return copy;
}

} // namespace vorna
