#include "grid_table_model.h"

#include "column.h"
#include "grid_table.h"

namespace vorna {

GridTableModel::GridTableModel(TGridTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(&table)
{}

void GridTableModel::detach()
{
    beginResetModel();
    m_table = nullptr;
    endResetModel();
}

TColumn &GridTableModel::columnAt(int visibleColumn) const
{
    return m_table->VisibleColumn(visibleColumn);
}

int GridTableModel::tableColumn(int visibleColumn) const
{
    return m_table->IndexOf(columnAt(visibleColumn));
}

bool GridTableModel::hasControls(int visibleColumn) const
{
    return m_table && columnAt(visibleColumn).HasControls();
}

QString GridTableModel::cellText(const QModelIndex &index) const
{
    if (!m_table || !index.isValid() || hasControls(index.column()))
        return {};
    return columnAt(index.column()).CellText(index.row());
}

void GridTableModel::commitText(const QModelIndex &index, const QString &text)
{
    if (!m_table || !index.isValid())
        return;
    m_table->CommitCellText(tableColumn(index.column()), index.row(), text);
    // An expression shows its value everywhere it landed (depth pairs reach the next row).
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
}

QStringList GridTableModel::headerLines(int visibleColumn) const
{
    QStringList lines = columnAt(visibleColumn).HeaderLines();
    while (lines.size() < m_table->HeaderRowCount())
        lines.append(QString());
    return lines;
}

void GridTableModel::rebuild()
{
    beginResetModel();
    endResetModel();
}

void GridTableModel::cellChanged(int column, int row)
{
    if (!m_table || row < 0 || row >= rowCount() || column < 0 || column >= m_table->ColumnCount())
        return;
    const int visible = m_table->VisibleIndexOf(m_table->Column(column));
    if (visible >= 0)
        emit dataChanged(index(row, visible), index(row, visible));
}

int GridTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->RowCount();
}

int GridTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->VisibleColumnCount();
}

QVariant GridTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_table || !index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cellText(index);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_table || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section / m_table->RowGroup() + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return headerLines(section).join(u'\n');
}

// Cells of choice and table columns are edited through their drop-down boxes and buttons;
// the grid cursor passes them by.
Qt::ItemFlags GridTableModel::flags(const QModelIndex &index) const
{
    if (!m_table || !index.isValid() || hasControls(index.column()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

} // namespace vorna
