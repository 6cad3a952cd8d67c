#include "grid_table.h"

#include "errors.h"

#include <algorithm>
#include <utility>

namespace vorna {

// ---- TableRegistry

TGridTable *TableRegistry::TableAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_tables[static_cast<std::size_t>(index)];
}

int TableRegistry::IndexOfIdentifier(int identifier) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_tables[static_cast<std::size_t>(i)]->Identifier() == identifier)
            return i;
    }
    return -1;
}

int TableRegistry::add(TGridTable *table)
{
    while (IndexOfIdentifier(m_nextIdentifier) >= 0)
        ++m_nextIdentifier;
    m_tables.push_back(table);
    return m_nextIdentifier++;
}

void TableRegistry::remove(TGridTable *table)
{
    std::erase(m_tables, table);
}

// ---- TGridTable

TGridTable::TGridTable(TableRegistry &registry) : m_registry(&registry)
{
    m_identifier = m_registry->add(this);
}

TGridTable::TGridTable(TGridTable &owner, int number, const TGridTable &templ)
    : m_registry(owner.m_registry), m_owner(&owner), m_unitSystem(owner.m_unitSystem)
{
    m_identifier = m_registry->add(this);
    Caption = templ.Caption;
    Comments = templ.Comments;
    TopLeft = templ.TopLeft;
    // Templates are never shown themselves, so their picture belongs to the copies.
    m_helpPicture = templ.m_helpPicture;
    m_minRows = templ.m_minRows;
    m_maxRows = templ.m_maxRows;
    m_rowGroup = templ.m_rowGroup;
    for (const auto &column : templ.m_columns)
        AddColumn(column->Clone(*this));
    m_number = number;
    SetRowCount(m_minRows);
}

TGridTable::~TGridTable()
{
    if (auto tableDestroyed = std::exchange(m_tableDestroyed, nullptr))
        tableDestroyed();
    m_viewerTicket = 0;
    m_cellChanged = nullptr;
    m_layoutChanged = nullptr;
    // Sub-tables leave the registry before this table does.
    m_columns.clear();
    m_registry->remove(this);
}

void TGridTable::SetIdentifier(int identifier)
{
    if (identifier < 0 || identifier == m_identifier)
        return;
    if (TGridTable *holder = m_registry->FindIdentifier(identifier))
        holder->m_identifier = m_identifier;
    m_identifier = identifier;
}

void TGridTable::SetHelpPicture(const QByteArray &encodedImage)
{
    if (encodedImage == m_helpPicture)
        return;
    m_helpPicture = encodedImage;
    layoutChanged();
}

void TGridTable::SetMinRows(int rows)
{
    if (rows <= 0)
        throw ETableError::minRowsNotPositive();
    m_minRows = rows;
}

void TGridTable::SetRowCount(int rows)
{
    rows = std::max(0, rows);
    while (m_rowCount > rows)
        deleteRowAt(m_rowCount - 1);
    if (m_rowCount < rows)
        insertRowsAt(m_rowCount, rows - m_rowCount);
    layoutChanged();
}

bool TGridTable::CanAddRowGroup() const
{
    return m_maxRows <= 0 || m_rowCount + m_rowGroup <= m_maxRows;
}

bool TGridTable::CanDeleteRowGroup() const
{
    return m_rowCount - m_rowGroup >= m_minRows;
}

bool TGridTable::AddRowGroup()
{
    if (!CanAddRowGroup())
        return false;
    insertRowsAt(m_rowCount, m_rowGroup);
    layoutChanged();
    return true;
}

bool TGridTable::InsertRowGroup(int row)
{
    if (row < 0 || row >= m_rowCount)
        throw ETableError::rowOutOfRange();
    if (!CanAddRowGroup())
        return false;
    insertRowsAt(row - row % m_rowGroup, m_rowGroup);
    layoutChanged();
    return true;
}

bool TGridTable::DeleteRowGroup(int row)
{
    if (row < 0 || row >= m_rowCount)
        throw ETableError::rowOutOfRange();
    if (!CanDeleteRowGroup())
        return false;
    const int first = row - row % m_rowGroup;
    for (int i = 0; i < m_rowGroup && first < m_rowCount; ++i)
        deleteRowAt(first);
    layoutChanged();
    return true;
}

void TGridTable::insertRowsAt(int at, int count)
{
    if (count <= 0)
        return;
    m_rowCount += count;
    for (const auto &column : m_columns)
        column->InsertRows(at, count);
}

void TGridTable::deleteRowAt(int row)
{
    --m_rowCount;
    for (const auto &column : m_columns)
        column->DeleteRow(row);
}

bool TGridTable::IsModified() const
{
    return m_modified || std::any_of(m_columns.begin(), m_columns.end(),
                                     [](const auto &column) { return column->IsModified(); });
}

void TGridTable::SetModified(bool modified)
{
    m_modified = modified;
    if (modified)
        return;
    for (const auto &column : m_columns)
        column->ResetModified();
}

void TGridTable::SetUnits(int system)
{
    if (system == m_unitSystem)
        return;
    for (const auto &column : m_columns)
        column->SetUnits(system);
    m_unitSystem = system;
    layoutChanged();
}

void TGridTable::SetNumber(int number)
{
    m_number = number;
}

QString TGridTable::NumberPath() const
{
    QString path = m_owner ? m_owner->NumberPath() : QString();
    if (m_number != 0)
        path += QStringLiteral(" %1").arg(m_number);
    return path;
}

QString TGridTable::WindowCaption() const
{
    return Caption + u' ' + NumberPath();
}

TColumn &TGridTable::AddColumn(std::unique_ptr<TColumn> column)
{
    if (!m_columns.empty()) {
        const auto *previous = dynamic_cast<const TFloatColumn *>(m_columns.back().get());
        if (previous && previous->TopDepth() && column->Kind() != ColumnKind::Float)
            throw ETableError::topDepthWithoutBottom();
    }
    m_columns.push_back(std::move(column));
    TColumn &added = *m_columns.back();
    added.InsertRows(0, m_rowCount);
    fitTemplateLists();
    return added;
}

TColumn &TGridTable::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        throw ETableError::indexOutOfBounds();
    return *m_columns[static_cast<std::size_t>(index)];
}

int TGridTable::IndexOf(const TColumn &column) const
{
    for (int i = 0; i < ColumnCount(); ++i) {
        if (m_columns[static_cast<std::size_t>(i)].get() == &column)
            return i;
    }
    return -1;
}

int TGridTable::VisibleColumnCount() const
{
    return static_cast<int>(std::count_if(m_columns.begin(), m_columns.end(),
                                          [](const auto &column) { return column->Visible; }));
}

TColumn &TGridTable::VisibleColumn(int index) const
{
    int seen = 0;
    for (const auto &column : m_columns) {
        if (!column->Visible)
            continue;
        if (seen++ == index)
            return *column;
    }
    throw ETableError::indexOutOfBounds();
}

int TGridTable::VisibleIndexOf(const TColumn &column) const
{
    if (!column.Visible)
        return -1;
    int seen = 0;
    for (const auto &c : m_columns) {
        if (c.get() == &column)
            return seen;
        if (c->Visible)
            ++seen;
    }
    return -1;
}

int TGridTable::HeaderRowCount() const
{
    int rows = 0;
    for (const auto &column : m_columns) {
        if (column->Visible)
            rows = std::max(rows, column->HeaderLineCount());
    }
    return rows;
}

void TGridTable::CommitCellText(int column, int row, const QString &text)
{
    TColumn &target = Column(column);
    if (!target.HasControls())
        target.SetCellText(row, text);
    m_modified = true;
}

void TGridTable::SetCellChangedHandler(std::function<void(int, int)> handler)
{
    m_cellChanged = std::move(handler);
}

void TGridTable::SetLayoutChangedHandler(std::function<void()> handler)
{
    m_layoutChanged = std::move(handler);
}

int TGridTable::AttachViewer(std::function<void()> tableDestroyed)
{
    m_viewerTicket = ++m_lastViewerTicket;
    m_tableDestroyed = std::move(tableDestroyed);
    return m_viewerTicket;
}

void TGridTable::DetachViewer(int ticket)
{
    if (ticket == 0 || m_viewerTicket != ticket)
        return;
    m_viewerTicket = 0;
    m_tableDestroyed = nullptr;
    m_cellChanged = nullptr;
    m_layoutChanged = nullptr;
}

// Choosing another soil type in the first column replaces the row's sub-table with a
// fresh copy of the new type's template.
void TGridTable::ColumnChanged(TColumn &column, int row)
{
    if (!m_columns.empty() && m_columns.front().get() == &column &&
        column.Kind() == ColumnKind::Enum) {
        if (TTableColumn *tables = firstTableColumn(); tables && row < tables->RowCount())
            tables->CreateRowObject(row);
    }
    if (m_cellChanged)
        m_cellChanged(IndexOf(column), row);
}

void TGridTable::layoutChanged()
{
    if (m_layoutChanged)
        m_layoutChanged();
}

TTableColumn *TGridTable::firstTableColumn() const
{
    for (const auto &column : m_columns) {
        if (auto *tables = dynamic_cast<TTableColumn *>(column.get()))
            return tables;
    }
    return nullptr;
}

TEnumColumn *TGridTable::firstChoiceColumn() const
{
    return m_columns.empty() ? nullptr : dynamic_cast<TEnumColumn *>(m_columns.front().get());
}

// A table column has one template per choice of the first column, or a single one.
void TGridTable::fitTemplateLists()
{
    const TEnumColumn *choices = firstChoiceColumn();
    const int count = choices ? static_cast<int>(choices->Choices().size()) : 1;
    for (const auto &column : m_columns) {
        if (auto *tables = dynamic_cast<TTableColumn *>(column.get()))
            tables->Templates().Resize(count);
    }
}

} // namespace vorna
