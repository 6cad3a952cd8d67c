// Typed columns of a data-entry table. A column keeps one value per row of its table,
// produces and parses the text of its cells, validates entries and converts its values
// between English and SI units.
#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace vorna {

class TColumn;
class TGridTable;

// Codes of the column kinds, as a stored table definition names them.
enum class ColumnKind { Enum = 0, Int = 1, Float = 2, Table = 3, String = 4 };

// Handle of one cell. It knows only its column; its row is its place in the column.
class TData {
public:
    explicit TData(TColumn &column) : m_column(&column) {}

    int Row() const;
    TGridTable *AsTable() const;
    double AsFloat() const;
    int AsInteger() const;
    QString Text() const;
    void SetFloat(double value);
    void SetInteger(int value);

private:
    TColumn *m_column;
};

class TColumn {
public:
    TColumn(TGridTable &table, QStringList headerLines);
    virtual ~TColumn();
    TColumn(const TColumn &) = delete;
    TColumn &operator=(const TColumn &) = delete;

    virtual ColumnKind Kind() const = 0;
    TGridTable &Table() const { return *m_table; }

    int RowCount() const { return static_cast<int>(m_cells.size()); }
    TData &Cell(int row);
    int RowOf(const TData &cell) const;

    // Inserts count rows at position at, each holding the kind's default.
    virtual void InsertRows(int at, int count);
    virtual void DeleteRow(int row);

    int HeaderLineCount() const { return static_cast<int>(m_headerLines.size()); }
    virtual QString HeaderLine(int i) const;
    QStringList HeaderLines() const;
    // The header lines as defined, without unit texts.
    const QStringList &DefinedHeaderLines() const { return m_headerLines; }

    // Value access; a kind that does not hold such values raises EInvalidCast.
    virtual TGridTable *AsTable(int row) const;
    virtual double AsFloat(int row) const;
    virtual void SetFloat(int row, double value);
    virtual int AsInteger(int row) const;
    virtual void SetInteger(int row, int value);

    virtual QString CellText(int row) const;
    // Parses and stores a typed entry; EAssignError leaves the stored value unchanged.
    virtual void SetCellText(int row, const QString &text);

    virtual bool IsModified() const { return false; }
    virtual void ResetModified() {}
    // Converts the stored values from the table's current unit system to the given one.
    virtual void SetUnits(int system);
    // True when the cells are edited through controls (drop-down boxes, buttons), not text.
    virtual bool HasControls() const { return false; }

    // A new column of the same kind and definition for another table, with no rows.
    virtual std::unique_ptr<TColumn> Clone(TGridTable &table) const = 0;

    int RowGroupSize() const;

    bool Visible = true;
    // When set, a value written to a row goes to every row of its row group.
    bool Grouped = false;

protected:
    void checkRow(int row) const;
    // First and one-past-last row that a write to row reaches.
    std::pair<int, int> writeRange(int row) const;
    void notifyChanged(int row);

private:
    TGridTable *m_table;
    QStringList m_headerLines;
    std::vector<std::unique_ptr<TData>> m_cells;
};

// A choice from a list of texts; each row holds a 1-based choice number.
class TEnumColumn : public TColumn {
public:
    TEnumColumn(TGridTable &table, QStringList headerLines, QStringList choices);

    ColumnKind Kind() const override { return ColumnKind::Enum; }
    const QStringList &Choices() const { return m_choices; }
    // The text of the row's choice.
    QString ChoiceText(int row) const;

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    int AsInteger(int row) const override;
    // Choice numbers outside 1..count raise EAssignError; an unchanged number notifies nobody.
    void SetInteger(int row, int value) override;
    QString CellText(int row) const override;
    void SetCellText(int row, const QString &text) override;
    bool HasControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable &table) const override;

private:
    QStringList m_choices;
    std::vector<int> m_values;
};

// A 32-bit integer per row, with a default and limits for typed entries.
class TIntColumn : public TColumn {
public:
    TIntColumn(TGridTable &table, QStringList headerLines, int defaultValue = 0,
               int minimum = INT_MIN, int maximum = INT_MAX);

    ColumnKind Kind() const override { return ColumnKind::Int; }
    int Default() const { return m_default; }
    int Min() const { return m_min; }
    int Max() const { return m_max; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    int AsInteger(int row) const override;
    void SetInteger(int row, int value) override;
    QString CellText(int row) const override;
    // A typed entry must be whole (to 1e-10) and within Min..Max.
    void SetCellText(int row, const QString &text) override;
    std::unique_ptr<TColumn> Clone(TGridTable &table) const override;

private:
    int m_default;
    int m_min;
    int m_max;
    std::vector<int> m_values;
};

// A real per row, in the unit named by a unit code. A TopDepth column and the real column
// after it hold the top and bottom depth of each row, which join from row to row.
class TFloatColumn : public TColumn {
public:
    TFloatColumn(TGridTable &table, QStringList headerLines, QString units = {},
                 double defaultValue = 0.0, bool topDepth = false);

    ColumnKind Kind() const override { return ColumnKind::Float; }
    const QString &Units() const { return m_units; }
    double Default() const { return m_default; }
    bool TopDepth() const { return m_topDepth; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    // The last line gets the unit text of the table's system: "line (unit)  ".
    QString HeaderLine(int i) const override;
    double AsFloat(int row) const override;
    void SetFloat(int row, double value) override;
    // General format, 8 significant digits.
    QString CellText(int row) const override;
    void SetCellText(int row, const QString &text) override;
    void SetUnits(int system) override;
    std::unique_ptr<TColumn> Clone(TGridTable &table) const override;

    // Stores without carrying the value to the neighbouring depth column.
    void StoreFloat(int row, double value);

private:
    TFloatColumn *bottomColumn() const;
    TFloatColumn *topColumn() const;

    QString m_units;
    double m_default;
    bool m_topDepth;
    std::vector<double> m_values;
};

// Free text per row.
class TStringColumn : public TColumn {
public:
    TStringColumn(TGridTable &table, QStringList headerLines, QString defaultText = {},
                  double widthIn = 0.0);

    ColumnKind Kind() const override { return ColumnKind::String; }
    const QString &Default() const { return m_default; }
    double Width() const { return m_widthIn; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    QString CellText(int row) const override;
    void SetCellText(int row, const QString &text) override;
    std::unique_ptr<TColumn> Clone(TGridTable &table) const override;

private:
    QString m_default;
    double m_widthIn;
    std::vector<QString> m_values;
};

// Template references of a table column: an entry is a table Identifier, or (unflagged) a
// position in the list of all tables.
class TGridTableList {
public:
    struct Entry {
        int value = -1;
        bool isIdentifier = true;
    };

    void AddIdentifier(int identifier) { m_entries.push_back({identifier, true}); }
    int Count() const { return static_cast<int>(m_entries.size()); }
    void Resize(int count) { m_entries.resize(static_cast<std::size_t>(std::max(0, count))); }
    const Entry &At(int i) const { return m_entries[static_cast<std::size_t>(i)]; }

private:
    std::vector<Entry> m_entries;
};

// Per row a sub-table, copied from the template chosen by the row's first-column choice.
class TTableColumn : public TColumn {
public:
    TTableColumn(TGridTable &table, QStringList headerLines, TGridTableList templates);
    ~TTableColumn() override;

    ColumnKind Kind() const override { return ColumnKind::Table; }
    TGridTableList &Templates() { return m_templates; }
    const TGridTableList &Templates() const { return m_templates; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    TGridTable *AsTable(int row) const override;
    bool IsModified() const override;
    void ResetModified() override;
    void SetUnits(int system) override;
    bool HasControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable &table) const override;

    // Replaces the row's sub-table with a fresh copy of the template of its current choice.
    void CreateRowObject(int row);
    // Caption of the row's button: "row: sub-table caption".
    QString ButtonCaption(int row) const;

private:
    void renumberFrom(int row);

    TGridTableList m_templates;
    std::vector<std::unique_ptr<TGridTable>> m_tables;
};

} // namespace vorna
