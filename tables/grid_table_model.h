// The item-model face of a TGridTable: one model row per table row, one model column per
// visible table column. Header lines and row-group numbers come from the table; typed
// entries are committed through the table's columns, so every entry meets the evaluator.
#pragma once

#include <QAbstractTableModel>

namespace vorna {

class TColumn;
class TGridTable;

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(TGridTable &table, QObject *parent = nullptr);

    // nullptr once the table has been destroyed.
    TGridTable *table() const { return m_table; }
    // Forgets a destroyed table; the model is then empty.
    void detach();

    TColumn &columnAt(int visibleColumn) const;
    // The column's index in the table.
    int tableColumn(int visibleColumn) const;
    bool hasControls(int visibleColumn) const;

    // The stored value's text of a cell (empty for cells edited through controls).
    QString cellText(const QModelIndex &index) const;
    // Stores a typed entry: EAssignError when it cannot be taken; the stored value then
    // stays and the table is not marked modified.
    void commitText(const QModelIndex &index, const QString &text);

    // Header lines of a column, padded with blank lines to the table's header rows.
    QStringList headerLines(int visibleColumn) const;

    // Everything shown changed: the rows, columns, headers or units.
    void rebuild();
    void cellChanged(int tableColumn, int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    TGridTable *m_table;
};

} // namespace vorna
