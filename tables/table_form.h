// TTableForm: the window that edits one TGridTable in a grid. Header rows and row-group
// numbers frame the cells; choice columns are edited with drop-down boxes and table columns
// open each row's sub-table with a push button; Add Row, Insert Row and Delete Row change
// the rows within the table's limits. Every typed entry is committed through its column.
// The window shows whole rows and whole columns; a size the user drags is snapped to them.
#pragma once

#include "child_window.h"
#include "window_snap.h"

#include <QLineEdit>
#include <QPointer>
#include <QTableView>

#include <map>

class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
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
    // Scrolls so that the row and column are the first ones shown.
    void showFrom(int topRow, int leftColumn);

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

    // A new window of the table, shown in the MDI area (a top-level window when area is
    // nullptr); nullptr when no column is visible. The table knows no window: whoever opens
    // one keeps it, and a window keeps those of its sub-tables.
    static TTableForm *ShowWindow(TGridTable &table, QMdiArea *area);
    // A new modal top-level window of the table; its sub-table windows are modal too.
    static TTableForm *ShowModalWindow(TGridTable &table, QWidget *parent = nullptr);

    TTableForm(TGridTable &table, bool modal, QWidget *parent = nullptr);
    ~TTableForm() override;

    bool commit() override;
    // Shows the stored values again (after the data was read or changed elsewhere).
    void refresh() override;
    // Rebuilds the grid: header rows, rows, visible columns, controls, buttons and size.
    void rebuild();
    // Shows the table as a window opened on it now would (after the table's data were
    // replaced by another project's): as many rows as it has up to ten, from the first row
    // and column, with its present columns and comments.
    void showAfresh();

    // Shows this window in the MDI area, or in front as a top-level window when area is
    // nullptr.
    void showIn(QMdiArea *area);

    // The table shown; nullptr once the window was closed or the table destroyed.
    TGridTable *table() const { return m_table; }
    bool isModal() const { return m_modal; }
    GridView *grid() const { return m_view; }
    GridTableModel *model() const { return m_model; }
    int rowsShown() const { return m_rowsShown; }
    int columnsShown() const { return m_columnsShown; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *insertButton() const { return m_insert; }
    QPushButton *deleteButton() const { return m_delete; }
    QLabel *commentsLabel() const { return m_comments; }
    QLabel *helpPictureLabel() const { return m_picture; }
    // The drop-down box or push button over a cell of a control column, or nullptr.
    QComboBox *choiceBox(int row, int visibleColumn) const;
    QPushButton *tableButton(int row, int visibleColumn) const;

    // Button actions; the current cell is committed first.
    void addRow();
    void insertRow();
    void deleteRow();
    // Opens the sub-table of a row of a table column (by the column's table index).
    TTableForm *openSubTable(int tableColumn, int row);

    // The size of the laid-out window, without the border of an MDI frame.
    QSize sizeHint() const override;
    // The user may drag the window smaller than its contents; the size is snapped afterwards.
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void attach();
    void detach();
    void tableDestroyed();
    void createControls();
    void refreshControls(int row);
    void updateButtons();
    void layoutGrid(const GridShown &part);
    GridWindowLayout fittedLayout(const GridMeasures &measures, const GridShown &part) const;
    void fitIntoArea();
    void updateHelpPicture();
    // The window whose size the user drags: the MDI frame, the window itself, or nullptr
    // when the window is embedded in another control.
    QWidget *sizedWindow() const;
    QSize frameBorder() const;
    GridMeasures measures() const;
    GridShown shownPart() const;
    // Shows the layout's part of the grid and gives the window its size, at placement when
    // given (in the sized window's parent coordinates).
    void applyLayout(const GridWindowLayout &layout, const QRect *placement);
    void watchFrame();
    void sizeChangedFromOutside();
    void snapToWholeCells();
    void cellChanged(int column, int row);
    void moveCursorToRow(int row);
    bool closeSubTables();
    // The open window of a sub-table that this window opened, or nullptr.
    TTableForm *subTableWindow(const TGridTable &sub) const;
    void paintTopLeft(QWidget *corner);
    int preferredWidth(int visibleColumn) const;

    TGridTable *m_table;
    bool m_modal;
    int m_viewerTicket = 0;
    std::map<const TGridTable *, QPointer<TTableForm>> m_subTableWindows;
    bool m_tableGone = false;
    int m_rowsShown = 0;
    int m_columnsShown = 0;
    int m_columnsLaidOut = 0; // visible columns at the last layout
    QSize m_naturalSize;
    bool m_applyingSize = false;
    bool m_snapPending = false;
    QRect m_settledGeometry; // of the sized window, after the last layout or snap
    QSize m_lastProposal;    // the last size snapped, and the answer given
    QSize m_lastAnswer;
    QPointer<QObject> m_watchedFrame; // QObject: it is compared while being destroyed
    GridTableModel *m_model;
    GridView *m_view;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
    QLabel *m_comments;
    QLabel *m_picture;
    QWidget *m_corner = nullptr;
};

// Screen width of a column: its widest header line and two blanks, and at least what its
// kind needs (half an inch for numbers, 1.5 inches for choices, 2 for table buttons).
int preferredColumnWidth(const class TColumn &column, const QFontMetrics &metrics, int dpi);

} // namespace vorna
