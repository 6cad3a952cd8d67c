// A table of input data: typed columns, a row count, row groups, a unit system and a
// modified flag. Tables nest: a table column gives every row its own sub-table copied from
// a template, which is found by its Identifier in the table registry.
#pragma once

#include "column.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vorna {

class TGridTable;

// All existing tables of one program: each table registers itself on creation and leaves
// on destruction. Templates are looked up here by Identifier, and new tables draw their
// initial Identifier from here.
class TableRegistry {
public:
    TableRegistry() = default;
    TableRegistry(const TableRegistry &) = delete;
    TableRegistry &operator=(const TableRegistry &) = delete;

    int Count() const { return static_cast<int>(m_tables.size()); }
    // The table at a position, or nullptr outside the list.
    TGridTable *TableAt(int index) const;
    // Position of the first registered table with the Identifier, or -1.
    int IndexOfIdentifier(int identifier) const;
    TGridTable *FindIdentifier(int identifier) const
    {
        return TableAt(IndexOfIdentifier(identifier));
    }

private:
    friend class TGridTable;
    // Registers the table and returns an Identifier that no registered table holds.
    int add(TGridTable *table);
    void remove(TGridTable *table);

    std::vector<TGridTable *> m_tables;
    int m_nextIdentifier = 0;
};

class TGridTable {
public:
    // A top-level table: number 0, English units.
    explicit TGridTable(TableRegistry &registry);
    // A sub-table of owner's row number - 1, copied from template: captions, row limits and
    // column definitions; it starts with MinRows rows of defaults in the owner's units.
    TGridTable(TGridTable &owner, int number, const TGridTable &templ);
    ~TGridTable();
    TGridTable(const TGridTable &) = delete;
    TGridTable &operator=(const TGridTable &) = delete;

    QString Comments;
    QString Caption;
    QString TopLeft;
    // Kept for stored definitions of the older table-column layout.
    bool HardwiredButton = false;

    // A picture shown under the comments of the table's window, as the bytes of an image
    // file (PNG, BMP, JPEG); empty for none. Kept encoded so the tables need no GUI library.
    const QByteArray &HelpPicture() const { return m_helpPicture; }
    // An open window shows the new picture at once.
    void SetHelpPicture(const QByteArray &encodedImage);

    int Identifier() const { return m_identifier; }
    // A negative value is ignored; a table that holds the value takes this one's old value.
    void SetIdentifier(int identifier);

    int MinRows() const { return m_minRows; }
    // ETableError for a value below 1.
    void SetMinRows(int rows);
    int MaxRows() const { return m_maxRows; }
    void SetMaxRows(int rows) { m_maxRows = rows; }
    int RowGroup() const { return m_rowGroup; }
    void SetRowGroup(int rows) { m_rowGroup = std::max(1, rows); }

    int RowCount() const { return m_rowCount; }
    // Removes rows from the end or appends rows of defaults.
    void SetRowCount(int rows);
    bool CanAddRowGroup() const;
    bool CanDeleteRowGroup() const;
    // Row-group operations; each returns false and changes nothing beyond MaxRows or
    // MinRows. A row outside the table raises ETableError.
    bool AddRowGroup();
    bool InsertRowGroup(int row);
    bool DeleteRowGroup(int row);

    bool IsModified() const;
    // false also clears the modified state of every sub-table.
    void SetModified(bool modified);

    int UnitSystem() const { return m_unitSystem; }
    // Converts every column's values to the system (1 English, 2 SI).
    void SetUnits(int system);

    TGridTable *Owner() const { return m_owner; }
    TableRegistry &Registry() const { return *m_registry; }
    int Number() const { return m_number; }
    void SetNumber(int number);
    // The owner's path and, unless the number is 0, a blank and the number: " 3".
    QString NumberPath() const;
    // Caption, a blank and the number path, as the table's window shows it.
    QString WindowCaption() const;

    // Columns, in order. Adding fills the new column up to the row count.
    TColumn &AddColumn(std::unique_ptr<TColumn> column);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    TColumn &Column(int index) const;
    int IndexOf(const TColumn &column) const;
    int VisibleColumnCount() const;
    TColumn &VisibleColumn(int index) const;
    int VisibleIndexOf(const TColumn &column) const;
    // Header rows a grid needs: the most header lines among the visible columns.
    int HeaderRowCount() const;

    // A typed cell entry: stored through the column (EAssignError when it cannot be taken)
    // and the table is marked modified. Cells of columns with controls are not typed.
    void CommitCellText(int column, int row, const QString &text);

    // Set by a window that shows the table.
    void SetCellChangedHandler(std::function<void(int column, int row)> handler);
    void SetLayoutChangedHandler(std::function<void()> handler);

    // A window that shows the table gives a handler that the table calls when it is
    // destroyed (a deleted row or a changed soil type), so the window never outlives its
    // data. The table tells one viewer at a time; the ticket returned lets that viewer, and
    // no later one, end its watch, which also drops the cell and layout handlers.
    int AttachViewer(std::function<void()> tableDestroyed);
    void DetachViewer(int ticket);

    // Called by a column after it changed a stored value.
    void ColumnChanged(TColumn &column, int row);

private:
    void insertRowsAt(int at, int count);
    void deleteRowAt(int row);
    void layoutChanged();
    TTableColumn *firstTableColumn() const;
    TEnumColumn *firstChoiceColumn() const;
    void fitTemplateLists();

    TableRegistry *m_registry;
    TGridTable *m_owner = nullptr;
    int m_identifier = 0;
    int m_minRows = 1;
    int m_maxRows = 0;
    int m_rowGroup = 1;
    int m_rowCount = 0;
    int m_unitSystem = 1;
    int m_number = 0;
    bool m_modified = false;
    QByteArray m_helpPicture;
    std::vector<std::unique_ptr<TColumn>> m_columns;
    std::function<void(int, int)> m_cellChanged;
    std::function<void()> m_layoutChanged;
    int m_viewerTicket = 0; // of the present viewer; 0 without one
    int m_lastViewerTicket = 0;
    std::function<void()> m_tableDestroyed;
};

} // namespace vorna
