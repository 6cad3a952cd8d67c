// TTableForm: the window that edits one TGridTable in a grid. Header rows and row-group
// numbers frame the cells; choice columns are edited with drop-down boxes and table columns
// open each row's sub-table with a push button; Add Row, Insert Row and Delete Row change
// the rows within the table's limits. Every typed entry is committed through its column.
#pragma once

#include "child_window.h"

#include <QTableView>

class QComboBox;
class QLabel;
#include <QLineEdit>
class QMdiArea;
class QPushButton;

namespace vorna {

class GridTableModel;
class TGridTable;
class TTableForm;

// The grid of a table window. The cell editor is always open on the current cell; its text
// is committed when the cursor leaves the cell, on Enter, and when the window asks.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(TTableForm &form, GridTableModel &model);

    // Commits the open editor's text when it was changed. False after an invalid entry: its
    // message has been shown and the editor keeps the typed text and the focus.
    bool commitEditor();
    // Opens the editor on the current cell, or on the first text cell when none is current.
    void openEditor();
    QLineEdit *editor() const { return m_editor; }
    // Where Enter moves from a cell: down the column, then to the top of the next text
    // column, and from the last column back to the first.
    QModelIndex enterTarget(const QModelIndex &from) const;
    QModelIndex firstTextCell() const;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class GridDelegate;
    void editorCreated(QLineEdit *editor, const QModelIndex &index);
    bool takePendingText(const QModelIndex &index, QString &text);
    void enterPressed();
    void editorFocusLeft();
    void revertEditor();
    // Stores typed text; false with the message when it cannot be taken.
    bool tryCommit(const QModelIndex &index, const QString &text, QString &message);

    TTableForm &m_form;
    GridTableModel &m_model;
    QPointer<QLineEdit> m_editor;
    QPersistentModelIndex m_editorIndex;
    QPersistentModelIndex m_pendingIndex;
    QString m_pendingText;
};

class TTableForm : public ChildWindow {
    Q_OBJECT
public:
    static constexpr int kMaxRowsShown = 10;
    static constexpr int kRowHeight = 24;

    // The table's window: the open one brought to the front, or a new one in the MDI area
    // (a top-level window when area is nullptr). Returns nullptr when no column is visible.
    static TTableForm *ShowWindow(TGridTable &table, QMdiArea *area);
    // A new modal top-level window of the table; its sub-table windows are modal too.
    static TTableForm *ShowModalWindow(TGridTable &table, QWidget *parent = nullptr);
    // The open window of a table, or nullptr.
    static TTableForm *WindowOf(const TGridTable &table);

    TTableForm(TGridTable &table, bool modal, QWidget *parent = nullptr);
    ~TTableForm() override;

    bool commit() override;
    // Shows the stored values again (after the data was read or changed elsewhere).
    void refresh() override;
    // Rebuilds the grid: header rows, rows, visible columns, controls, buttons and size.
    void rebuild();

    TGridTable *table() const { return m_table; }
    bool isModal() const { return m_modal; }
    GridView *grid() const { return m_view; }
    GridTableModel *model() const { return m_model; }
    int rowsShown() const { return m_rowsShown; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *insertButton() const { return m_insert; }
    QPushButton *deleteButton() const { return m_delete; }
    QLabel *commentsLabel() const { return m_comments; }
    // The drop-down box or push button over a cell of a control column, or nullptr.
    QComboBox *choiceBox(int row, int visibleColumn) const;
    QPushButton *tableButton(int row, int visibleColumn) const;

    // Button actions; the current cell is committed first.
    void addRow();
    void insertRow();
    void deleteRow();
    // Opens the sub-table of a row of a table column (by the column's table index).
    TTableForm *openSubTable(int tableColumn, int row);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attach();
    void detach();
    void tableDestroyed();
    void createControls();
    void refreshControls(int row);
    void updateButtons();
    void layoutGrid();
    void cellChanged(int column, int row);
    void moveCursorToRow(int row);
    bool closeSubTables();
    void paintTopLeft(QWidget *corner);
    int preferredWidth(int visibleColumn) const;

    TGridTable *m_table;
    bool m_modal;
    bool m_tableGone = false;
    int m_rowsShown = 0;
    GridTableModel *m_model;
    GridView *m_view;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
    QLabel *m_comments;
    QWidget *m_corner = nullptr;
};

// Screen width of a column: its widest header line and two blanks, and at least what its
// kind needs (half an inch for numbers, 1.5 inches for choices, 2 for table buttons).
int preferredColumnWidth(const class TColumn &column, const QFontMetrics &metrics, int dpi);

} // namespace vorna
