#include "table_form.h"

#include "column.h"
#include "errors.h"
#include "grid_table.h"
#include "grid_table_model.h"
#include "user_message.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vorna {

namespace {

const char *const kRowProperty = "vornaRow";

// The window that owns a widget: the nearest top-level window or MDI child.
const QWidget *ownerWindow(const QWidget *widget)
{
    while (widget && !widget->isWindow() &&
           !qobject_cast<const QMdiSubWindow *>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

QString lineBreaks(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

// ---- GridDelegate: a frameless line editor whose keys and focus the grid handles.

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridView &view) : QStyledItemDelegate(&view), m_view(view) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_view.editorCreated(editor, index);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line)
            return;
        QString text;
        if (!m_view.takePendingText(index, text))
            text = index.data(Qt::EditRole).toString();
        line->setText(text);
        line->selectAll();
    }

    // Entries are stored by the grid itself, so that a refused entry keeps its cell.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (!qobject_cast<QLineEdit *>(object))
            return QStyledItemDelegate::eventFilter(object, event);
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_view.enterPressed();
                return true;
            }
            if (key == Qt::Key_Escape) {
                m_view.revertEditor();
                return true;
            }
            return false;
        }
        if (event->type() == QEvent::FocusOut)
            m_view.editorFocusLeft();
        return false;
    }

private:
    GridView &m_view;
};

// ---- GridView

GridView::GridView(TTableForm &form, GridTableModel &model)
    : QTableView(&form), m_form(form), m_model(model)
{
    setModel(&model);
    setItemDelegate(new GridDelegate(*this));
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(TTableForm::kRowHeight);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    setCornerButtonEnabled(false);
}

void GridView::editorCreated(QLineEdit *editor, const QModelIndex &index)
{
    m_editor = editor;
    m_editorIndex = index;
}

bool GridView::takePendingText(const QModelIndex &index, QString &text)
{
    if (!m_pendingIndex.isValid() || m_pendingIndex != index)
        return false;
    text = m_pendingText;
    m_pendingIndex = QPersistentModelIndex();
    m_pendingText.clear();
    return true;
}

bool GridView::tryCommit(const QModelIndex &index, const QString &text, QString &message)
{
    if (!index.isValid() || text == m_model.cellText(index))
        return true;
    try {
        m_model.commitText(index, text);
        emit m_form.dataModified();
        return true;
    } catch (const EVornaError &error) {
        message = error.message();
    } catch (const std::exception &error) {
        message = QString::fromLocal8Bit(error.what());
    }
    return false;
}

bool GridView::commitEditor()
{
    if (!m_editor || !m_editorIndex.isValid())
        return true;
    QString message;
    if (tryCommit(m_editorIndex, m_editor->text(), message)) {
        m_editor->setText(m_model.cellText(m_editorIndex));
        return true;
    }
    informUser(this, message);
    if (m_editor) {
        m_editor->setFocus(Qt::OtherFocusReason);
        m_editor->selectAll();
    }
    return false;
}

void GridView::openEditor()
{
    QModelIndex index = currentIndex();
    if (!index.isValid() || !(m_model.flags(index) & Qt::ItemIsEditable))
        index = firstTextCell();
    if (!index.isValid())
        return;
    if (index != currentIndex())
        setCurrentIndex(index);
    if (!m_editor || m_editorIndex != index)
        edit(index);
}

void GridView::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    openEditor();
}

void GridView::showFrom(int topRow, int leftColumn)
{
    // The scroll ranges follow the new viewport only once the geometry is brought up to date.
    updateGeometries();
    verticalScrollBar()->setValue(topRow);
    horizontalScrollBar()->setValue(leftColumn);
}

QModelIndex GridView::firstTextCell() const
{
    for (int c = 0; c < m_model.columnCount(); ++c) {
        if (!m_model.hasControls(c) && m_model.rowCount() > 0)
            return m_model.index(0, c);
    }
    return {};
}

QModelIndex GridView::enterTarget(const QModelIndex &from) const
{
    if (!from.isValid())
        return firstTextCell();
    if (from.row() + 1 < m_model.rowCount())
        return m_model.index(from.row() + 1, from.column());
    for (int c = from.column() + 1; c < m_model.columnCount(); ++c) {
        if (!m_model.hasControls(c))
            return m_model.index(0, c);
    }
    return firstTextCell();
}

// Leaving a cell commits it. A refused entry brings the cursor back to its cell with the
// typed text, after the message.
void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_editor && previous.isValid() && m_editorIndex == previous) {
        const QString typed = m_editor->text();
        QString message;
        if (!tryCommit(previous, typed, message)) {
            m_pendingIndex = previous;
            m_pendingText = typed;
            const QPersistentModelIndex back = previous;
            QMetaObject::invokeMethod(
                this,
                [this, back, message] {
                    informUser(this, message);
                    if (back.isValid())
                        setCurrentIndex(back);
                    if (m_editor)
                        m_editor->setFocus(Qt::OtherFocusReason);
                },
                Qt::QueuedConnection);
        }
    }
    QTableView::currentChanged(current, previous);
}

void GridView::commitData(QWidget *) {}

void GridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editorIndex = QPersistentModelIndex();
    }
    QTableView::closeEditor(editor, hint);
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enterPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::enterPressed()
{
    if (!commitEditor())
        return;
    const QModelIndex next = enterTarget(currentIndex());
    if (next.isValid())
        setCurrentIndex(next);
    if (m_editor)
        m_editor->selectAll();
}

// Focus that moves to a drop-down box, a button or another control of this window leaves
// the cell; focus that moves to another window is left to this window's deactivation.
void GridView::editorFocusLeft()
{
    QWidget *next = QApplication::focusWidget();
    if (!next || next == this || next == viewport() || ownerWindow(next) != ownerWindow(this))
        return;
    commitEditor();
}

void GridView::revertEditor()
{
    if (m_editor && m_editorIndex.isValid()) {
        m_editor->setText(m_model.cellText(m_editorIndex));
        m_editor->selectAll();
    }
}

// ---- TTableForm

int preferredColumnWidth(const TColumn &column, const QFontMetrics &metrics, int dpi)
{
    int width = 0;
    for (const QString &line : column.HeaderLines())
        width = std::max(width, metrics.horizontalAdvance(line + QStringLiteral("  ")));
    const auto inches = [dpi](double in) { return static_cast<int>(std::lround(dpi * in)); };
    switch (column.Kind()) {
    case ColumnKind::Int:
    case ColumnKind::Float:
        return std::max(width, inches(0.5));
    case ColumnKind::Enum: {
        // Wide enough for the longest choice with the box's arrow, within reason.
        int choices = 0;
        for (const QString &choice : static_cast<const TEnumColumn &>(column).Choices())
            choices = std::max(choices, metrics.horizontalAdvance(choice) + inches(0.4));
        return std::max({width, inches(1.5), std::min(choices, inches(4.2))});
    }
    case ColumnKind::Table:
        return std::max(width, inches(2.0));
    case ColumnKind::String:
        return std::max(width, inches(static_cast<const TStringColumn &>(column).Width()));
    }
    return width;
}

TTableForm *TTableForm::ShowWindow(TGridTable &table, QMdiArea *area)
{
    if (table.VisibleColumnCount() == 0)
        return nullptr;
    auto *form = new TTableForm(table, false);
    form->showIn(area);
    return form;
}

void TTableForm::showIn(QMdiArea *area)
{
    if (!area) {
        bringToFront();
        return;
    }
    const bool added = !subWindow();
    showInArea(area, this);
    if (added)
        fitIntoArea(); // now that the frame's border and the area's size are known
}

TTableForm *TTableForm::ShowModalWindow(TGridTable &table, QWidget *parent)
{
    if (table.VisibleColumnCount() == 0)
        return nullptr;
    auto *form = new TTableForm(table, true, parent);
    form->bringToFront();
    return form;
}

TTableForm::TTableForm(TGridTable &table, bool modal, QWidget *parent)
    : ChildWindow(parent), m_table(&table), m_modal(modal)
{
    if (modal) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        setWindowModality(Qt::ApplicationModal);
    } else if (parent) {
        setWindowFlags(Qt::Window);
    }
    m_model = new GridTableModel(table, this);
    m_view = new GridView(*this, *m_model);
    m_add = new QPushButton(QStringLiteral("&Add Row"), this);
    m_insert = new QPushButton(QStringLiteral("&Insert Row"), this);
    m_delete = new QPushButton(QStringLiteral("&Delete Row"), this);
    m_comments = new QLabel(this);
    m_comments->setTextFormat(Qt::PlainText);
    m_comments->setWordWrap(false);
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QPushButton *button : {m_add, m_insert, m_delete}) {
        // The buttons commit the cell themselves; taking the focus would commit it twice.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    connect(m_add, &QPushButton::clicked, this, &TTableForm::addRow);
    connect(m_insert, &QPushButton::clicked, this, &TTableForm::insertRow);
    connect(m_delete, &QPushButton::clicked, this, &TTableForm::deleteRow);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_insert);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    const int margin = std::max(4, logicalDpiX() / 20);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_view, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    layout->addWidget(m_comments);
    layout->addWidget(m_picture, 0, Qt::AlignLeft);
    // Space the user drags beyond the snapped size, for the moment before it snaps, stays
    // below the contents.
    layout->addStretch();
    // The window takes the size layoutGrid() and the snapping give it, so the user can drag
    // it smaller than its contents.
    layout->setSizeConstraint(QLayout::SetNoConstraint);

    // The top-left cell carries the table's TopLeft text.
    if ((m_corner = m_view->findChild<QAbstractButton *>()))
        m_corner->installEventFilter(this);

    attach();
    if (m_table->RowCount() < m_table->MinRows())
        m_table->SetRowCount(m_table->MinRows());
    m_rowsShown = std::min(m_table->RowCount(), kMaxRowsShown);
    rebuild();
}

TTableForm::~TTableForm()
{
    detach();
}

void TTableForm::attach()
{
    m_viewerTicket = m_table->AttachViewer([this] { tableDestroyed(); });
    m_table->SetCellChangedHandler([this](int column, int row) { cellChanged(column, row); });
    m_table->SetLayoutChangedHandler([this] { rebuild(); });
    setWindowTitle(m_table->WindowCaption());
}

void TTableForm::detach()
{
    if (m_table)
        m_table->DetachViewer(m_viewerTicket);
}

// The table went with its row (deleted, or another soil type chosen): the window closes
// without storing anything.
void TTableForm::tableDestroyed()
{
    m_tableGone = true;
    m_table = nullptr;
    m_model->detach();
    if (QMdiSubWindow *frame = subWindow())
        frame->hide();
    hide();
    QMetaObject::invokeMethod(
        this, [this] { closeWindow(); }, Qt::QueuedConnection);
}

bool TTableForm::commit()
{
    if (!m_table)
        return true;
    return m_view->commitEditor();
}

void TTableForm::refresh()
{
    if (!m_table)
        return;
    if (m_model->rowCount() != m_table->RowCount() ||
        m_model->columnCount() != m_table->VisibleColumnCount()) {
        rebuild();
        return;
    }
    setWindowTitle(m_table->WindowCaption());
    emit m_model->dataChanged(m_model->index(0, 0),
                              m_model->index(m_model->rowCount() - 1, m_model->columnCount() - 1));
    for (int r = 0; r < m_table->RowCount(); ++r)
        refreshControls(r);
    updateButtons();
}

void TTableForm::rebuild()
{
    if (!m_table)
        return;
    const QModelIndex current = m_view->currentIndex();
    const int currentRow = current.row();
    const int currentColumn = current.column();
    const GridShown before = shownPart();
    m_model->rebuild();
    setWindowTitle(m_table->WindowCaption());

    const QFontMetrics headerMetrics(m_view->horizontalHeader()->font());
    const int dpi = logicalDpiX();
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnWidth(c, preferredColumnWidth(m_model->columnAt(c), headerMetrics, dpi));
    const QFontMetrics cornerMetrics(m_view->verticalHeader()->font());
    m_view->verticalHeader()->setMinimumWidth(std::max(
        cornerMetrics.horizontalAdvance(m_table->TopLeft + QStringLiteral("  ")), dpi / 3));

    createControls();
    m_comments->setText(lineBreaks(m_table->Comments));
    m_comments->setToolTip(m_comments->text());
    m_comments->setVisible(!m_table->Comments.isEmpty());
    updateHelpPicture();
    // Rows beyond the first ten stay shown when the user sized the window for them.
    m_rowsShown = std::clamp(m_rowsShown, std::min(1, m_table->RowCount()), m_table->RowCount());
    GridShown part = before;
    part.rowsShown = m_rowsShown;
    if (m_model->columnCount() != m_columnsLaidOut)
        part = GridShown{0, m_model->columnCount(), before.topRow, m_rowsShown};
    updateButtons();
    layoutGrid(part);

    if (currentRow >= 0 && currentRow < m_model->rowCount() && currentColumn >= 0 &&
        currentColumn < m_model->columnCount())
        m_view->setCurrentIndex(m_model->index(currentRow, currentColumn));
    m_view->openEditor();
}

void TTableForm::showAfresh()
{
    if (!m_table)
        return;
    m_rowsShown = std::min(m_table->RowCount(), kMaxRowsShown);
    m_columnsLaidOut = -1; // lay out all columns again, from the first
    m_view->showFrom(0, 0);
    rebuild();
    m_view->showFrom(0, 0);
}

void TTableForm::updateButtons()
{
    const bool rowsVary = m_table->MinRows() != m_table->MaxRows();
    const bool canAdd = m_table->RowCount() != m_table->MaxRows() && m_table->CanAddRowGroup();
    for (QPushButton *button : {m_add, m_insert, m_delete})
        button->setVisible(rowsVary);
    m_add->setEnabled(canAdd);
    m_insert->setEnabled(canAdd);
    m_delete->setEnabled(m_table->MinRows() < m_table->RowCount());
}

// The grid shows exactly the shown columns and rows, with a scroll bar wherever some are left
// out, and the window is sized around the grid, the buttons, the comments and the picture.
void TTableForm::layoutGrid(const GridShown &part)
{
    if (m_model->columnCount() == 0)
        return; // no window is shown without a visible column
    try {
        applyLayout(fittedLayout(measures(), part), nullptr);
    } catch (const EVornaError &error) {
        informUser(this, error.message());
    }
}

// A window in an MDI area stays within the area's visible part: what does not fit is
// reached through the grid's scroll bars, whole rows and columns as when the user sizes it.
GridWindowLayout TTableForm::fittedLayout(const GridMeasures &m, const GridShown &part) const
{
    GridWindowLayout layout = windowLayout(m, part);
    const QMdiSubWindow *frame = subWindow();
    if (!frame || !frame->mdiArea())
        return layout;
    const QSize room = frame->mdiArea()->viewport()->size();
    const bool tooWide = layout.windowWidth > room.width();
    const bool tooHigh = layout.windowHeight > room.height();
    if (!tooWide && !tooHigh)
        return layout;
    // The scroll bar one way takes room the other way: a window cut only in width grows by
    // the horizontal bar's height, rather than losing a row to it.
    const int width = layout.windowWidth + (tooHigh ? m.verticalScrollBarWidth : 0);
    const int height = layout.windowHeight + (tooWide ? m.horizontalScrollBarHeight : 0);
    // The comments line may be cut at the area's edge (its tooltip holds it whole); the grid
    // is what must stay usable.
    GridMeasures narrow = m;
    narrow.minimumWidth = std::min(m.minimumWidth, room.width());
    return snapWindowSize(narrow, part, std::min(width, room.width()),
                          std::min(height, room.height()), DraggedEdges{false, true, false, true});
}

void TTableForm::fitIntoArea()
{
    if (m_table && m_model->columnCount() > 0)
        layoutGrid(shownPart());
}

void TTableForm::updateHelpPicture()
{
    const QImage picture = QImage::fromData(m_table->HelpPicture());
    if (picture.isNull()) {
        m_picture->clear();
        m_picture->hide();
        return;
    }
    m_picture->setPixmap(QPixmap::fromImage(picture));
    m_picture->show();
}

QWidget *TTableForm::sizedWindow() const
{
    if (QMdiSubWindow *frame = subWindow())
        return frame;
    return isWindow() ? const_cast<TTableForm *>(this) : nullptr;
}

// The border and title of an MDI frame around the window.
QSize TTableForm::frameBorder() const
{
    const QMdiSubWindow *frame = subWindow();
    if (!frame)
        return {};
    const QMargins border = frame->contentsMargins();
    return {border.left() + border.right(), border.top() + border.bottom()};
}

GridMeasures TTableForm::measures() const
{
    GridMeasures m;
    for (int c = 0; c < m_model->columnCount(); ++c)
        m.columnWidths.push_back(m_view->columnWidth(c));
    const QHeaderView *left = m_view->verticalHeader();
    m.rowNumberWidth = std::max(left->minimumWidth(), left->sizeHint().width());
    m.headerHeight = m_view->horizontalHeader()->sizeHint().height();
    m.rowHeight = kRowHeight;
    m.rowCount = m_model->rowCount();
    m.gridFrame = 2 * m_view->frameWidth();
    m.verticalScrollBarWidth = m_view->verticalScrollBar()->sizeHint().width();
    m.horizontalScrollBarHeight = m_view->horizontalScrollBar()->sizeHint().height();

    auto *box = static_cast<QBoxLayout *>(layout());
    const QMargins margins = box->contentsMargins();
    const QSize border = frameBorder();
    m.chromeWidth = border.width() + margins.left() + margins.right();
    m.chromeHeight = border.height() + margins.top() + margins.bottom();
    int partsWidth = 0;
    for (int i = 0; i < box->count(); ++i) {
        QLayoutItem *item = box->itemAt(i);
        if (item->widget() == m_view || item->isEmpty())
            continue;
        m.chromeHeight += box->spacing() + item->sizeHint().height();
        partsWidth = std::max(partsWidth, item->sizeHint().width());
    }
    m.minimumWidth = m.chromeWidth + partsWidth;
    if (const QMdiSubWindow *frame = subWindow())
        m.minimumWidth = std::max(m.minimumWidth, frame->minimumSizeHint().width());
    return m;
}

GridShown TTableForm::shownPart() const
{
    GridShown part;
    part.leftColumn = m_view->horizontalScrollBar()->value();
    part.columnsShown = m_columnsShown;
    part.topRow = m_view->verticalScrollBar()->value();
    part.rowsShown = m_rowsShown;
    return part;
}

void TTableForm::applyLayout(const GridWindowLayout &layout, const QRect *placement)
{
    m_rowsShown = layout.shown.rowsShown;
    m_columnsShown = layout.shown.columnsShown;
    m_columnsLaidOut = m_model->columnCount();
    m_view->setVerticalScrollBarPolicy(layout.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(layout.horizontalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
    m_view->setFixedSize(layout.gridWidth, layout.gridHeight);
    m_view->showFrom(layout.shown.topRow, layout.shown.leftColumn);

    const QSize size(layout.windowWidth, layout.windowHeight);
    m_naturalSize = size - frameBorder();
    updateGeometry();
    QWidget *target = sizedWindow();
    m_applyingSize = true;
    if (!target)
        resize(m_naturalSize);
    else if (placement)
        target->setGeometry(*placement);
    else
        target->resize(size);
    m_applyingSize = false;
    if (target)
        m_settledGeometry = target->geometry();
}

QSize TTableForm::sizeHint() const
{
    return m_naturalSize.isValid() ? m_naturalSize : ChildWindow::sizeHint();
}

void TTableForm::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    watchFrame();
    if (QWidget *target = sizedWindow())
        m_settledGeometry = target->geometry();
}

// In an MDI area the user drags the frame, not this window.
void TTableForm::watchFrame()
{
    QMdiSubWindow *frame = subWindow();
    if (frame == m_watchedFrame)
        return;
    if (m_watchedFrame)
        m_watchedFrame->removeEventFilter(this);
    m_watchedFrame = frame;
    if (frame)
        frame->installEventFilter(this);
}

void TTableForm::moveEvent(QMoveEvent *event)
{
    ChildWindow::moveEvent(event);
    if (isWindow())
        sizeChangedFromOutside();
}

void TTableForm::resizeEvent(QResizeEvent *event)
{
    ChildWindow::resizeEvent(event);
    if (isWindow())
        sizeChangedFromOutside();
}

// A size that the window did not set itself comes from the user (or the window manager or
// the MDI area). It is snapped once the events of the drag step have all arrived, so that a
// left or top edge is recognised by the move that comes with the resize.
void TTableForm::sizeChangedFromOutside()
{
    if (m_applyingSize || m_snapPending)
        return;
    m_snapPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_snapPending = false;
            snapToWholeCells();
        },
        Qt::QueuedConnection);
}

void TTableForm::snapToWholeCells()
{
    QWidget *target = sizedWindow();
    if (!target || !m_table || m_model->columnCount() == 0)
        return;
    const QRect now = target->geometry();
    const bool plain = !(target->windowState() &
                         (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!plain || !isVisible())
        return;
    if (now.size() == m_settledGeometry.size()) {
        m_settledGeometry = now; // moved only
        return;
    }
    // A window manager that insists on its own size gets it rather than an endless exchange.
    if (!subWindow() && now.size() == m_lastProposal && m_settledGeometry.size() == m_lastAnswer) {
        m_settledGeometry = now;
        return;
    }
    const DraggedEdges dragged{
        now.left() != m_settledGeometry.left(), now.right() != m_settledGeometry.right(),
        now.top() != m_settledGeometry.top(), now.bottom() != m_settledGeometry.bottom()};
    try {
        const GridWindowLayout layout =
            snapWindowSize(measures(), shownPart(), now.width(), now.height(), dragged);
        const QRect placement(
            snappedStart(now.x(), now.width(), layout.windowWidth, dragged.left, dragged.right),
            snappedStart(now.y(), now.height(), layout.windowHeight, dragged.top, dragged.bottom),
            layout.windowWidth, layout.windowHeight);
        m_lastProposal = now.size();
        m_lastAnswer = placement.size();
        applyLayout(layout, &placement);
    } catch (const EVornaError &error) {
        informUser(this, error.message());
    }
}

void TTableForm::createControls()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        TColumn &column = m_model->columnAt(c);
        if (!column.HasControls())
            continue;
        const int tableColumn = m_table->IndexOf(column);
        for (int r = 0; r < m_table->RowCount(); ++r) {
            QWidget *control = nullptr;
            if (auto *choices = dynamic_cast<TEnumColumn *>(&column)) {
                auto *box = new QComboBox;
                box->addItems(choices->Choices());
                box->setMaxVisibleItems(11);
                box->setCurrentIndex(choices->AsInteger(r) - 1);
                connect(box, &QComboBox::activated, this, [this, tableColumn, r](int item) {
                    if (!m_table)
                        return;
                    try {
                        TColumn &target = m_table->Column(tableColumn);
                        if (target.AsInteger(r) == item + 1)
                            return;
                        target.SetInteger(r, item + 1);
                        // A new soil type replaces the row's data, so it counts as an edit.
                        m_table->SetModified(true);
                        emit dataModified();
                    } catch (const EVornaError &error) {
                        informUser(this, error.message());
                    }
                });
                control = box;
            } else if (auto *tables = dynamic_cast<TTableColumn *>(&column)) {
                auto *button = new QPushButton(tables->ButtonCaption(r));
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this,
                        [this, tableColumn, r] { openSubTable(tableColumn, r); });
                control = button;
            }
            if (!control)
                continue;
            control->setProperty(kRowProperty, r);
            control->installEventFilter(this);
            m_view->setIndexWidget(m_model->index(r, c), control);
        }
    }
}

QComboBox *TTableForm::choiceBox(int row, int visibleColumn) const
{
    return qobject_cast<QComboBox *>(m_view->indexWidget(m_model->index(row, visibleColumn)));
}

QPushButton *TTableForm::tableButton(int row, int visibleColumn) const
{
    return qobject_cast<QPushButton *>(m_view->indexWidget(m_model->index(row, visibleColumn)));
}

void TTableForm::refreshControls(int row)
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        TColumn &column = m_model->columnAt(c);
        if (auto *choices = dynamic_cast<TEnumColumn *>(&column)) {
            if (QComboBox *box = choiceBox(row, c)) {
                const QSignalBlocker quiet(box);
                box->setCurrentIndex(choices->AsInteger(row) - 1);
            }
        } else if (auto *tables = dynamic_cast<TTableColumn *>(&column)) {
            if (QPushButton *button = tableButton(row, c))
                button->setText(tables->ButtonCaption(row));
        }
    }
}

void TTableForm::cellChanged(int column, int row)
{
    m_model->cellChanged(column, row);
    if (row >= 0 && row < m_model->rowCount())
        refreshControls(row);
}

void TTableForm::addRow()
{
    if (!m_table || !commit())
        return;
    const bool allShown = m_rowsShown >= m_table->RowCount();
    const int growTo = std::min(m_table->RowCount() + m_table->RowGroup(), kMaxRowsShown);
    if (!m_table->CanAddRowGroup())
        return;
    // Growing stops at ten rows, but rows the user sized the window for stay shown.
    if (allShown)
        m_rowsShown = std::max(m_rowsShown, growTo);
    m_table->SetModified(true);
    m_table->AddRowGroup();
    emit dataModified();
    m_view->scrollToBottom();
}

void TTableForm::insertRow()
{
    if (!m_table || !commit())
        return;
    const int row = m_view->currentIndex().row();
    if (row < 0 || row >= m_table->RowCount()) {
        informUser(this, ETableError::rowOutOfRange().message());
        return;
    }
    if (!m_table->CanAddRowGroup())
        return;
    if (m_rowsShown >= m_table->RowCount())
        m_rowsShown = std::max(m_rowsShown,
                               std::min(m_table->RowCount() + m_table->RowGroup(), kMaxRowsShown));
    m_table->SetModified(true);
    m_table->InsertRowGroup(row);
    emit dataModified();
}

void TTableForm::deleteRow()
{
    if (!m_table || !commit())
        return;
    const int row = m_view->currentIndex().row();
    if (row < 0 || row >= m_table->RowCount()) {
        informUser(this, ETableError::rowOutOfRange().message());
        return;
    }
    if (!m_table->CanDeleteRowGroup())
        return;
    m_table->SetModified(true);
    m_table->DeleteRowGroup(row);
    emit dataModified();
}

TTableForm *TTableForm::openSubTable(int tableColumn, int row)
{
    if (!m_table || !commit())
        return nullptr;
    TGridTable *sub = nullptr;
    try {
        sub = m_table->Column(tableColumn).AsTable(row);
    } catch (const EVornaError &error) {
        informUser(this, error.message());
        return nullptr;
    }
    if (!sub || sub->VisibleColumnCount() == 0)
        return nullptr;
    if (TTableForm *open = subTableWindow(*sub)) {
        open->bringToFront();
        return open;
    }
    TTableForm *form = nullptr;
    QMdiSubWindow *frame = subWindow();
    if (m_modal) {
        form = ShowModalWindow(*sub, this);
    } else if (frame && frame->mdiArea()) {
        form = ShowWindow(*sub, frame->mdiArea());
    } else {
        form = new TTableForm(*sub, false, this);
        form->bringToFront();
    }
    m_subTableWindows[sub] = form;
    return form;
}

TTableForm *TTableForm::subTableWindow(const TGridTable &sub) const
{
    const auto found = m_subTableWindows.find(&sub);
    if (found == m_subTableWindows.end() || !found->second)
        return nullptr;
    // A window closed, or left by its destroyed table, shows nothing any more; another
    // table may since have taken the same address.
    TTableForm *form = found->second.data();
    return form->table() == &sub ? form : nullptr;
}

// The cursor follows a drop-down box or button that takes the focus, so that Insert and
// Delete act on its row.
void TTableForm::moveCursorToRow(int row)
{
    QModelIndex current = m_view->currentIndex();
    const int column = current.isValid() ? current.column() : m_view->firstTextCell().column();
    if (column < 0 || row < 0 || row >= m_model->rowCount() || current.row() == row)
        return;
    m_view->setCurrentIndex(m_model->index(row, column));
}

bool TTableForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintTopLeft(m_corner);
        return true;
    }
    if (watched == m_watchedFrame &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        sizeChangedFromOutside();
    if (event->type() == QEvent::FocusIn) {
        const QVariant row = watched->property(kRowProperty);
        if (row.isValid())
            moveCursorToRow(row.toInt());
    }
    return ChildWindow::eventFilter(watched, event);
}

void TTableForm::paintTopLeft(QWidget *corner)
{
    QStylePainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner is no button, but its text is as live as the headers beside it.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    option.textAlignment = Qt::AlignCenter;
    option.text = m_table ? m_table->TopLeft : QString();
    painter.drawControl(QStyle::CE_Header, option);
}

bool TTableForm::closeSubTables()
{
    if (!m_table)
        return true;
    for (int c = 0; c < m_table->ColumnCount(); ++c) {
        TColumn &column = m_table->Column(c);
        if (column.Kind() != ColumnKind::Table)
            continue;
        for (int r = 0; r < column.RowCount(); ++r) {
            const TGridTable *sub = column.AsTable(r);
            TTableForm *form = sub ? subTableWindow(*sub) : nullptr;
            if (form && !form->closeWindow())
                return false;
        }
    }
    return true;
}

void TTableForm::closeEvent(QCloseEvent *event)
{
    if (!m_tableGone && (!commit() || !closeSubTables())) {
        event->ignore();
        return;
    }
    detach();
    m_table = nullptr;
    event->accept();
}

} // namespace vorna
