#include "errors.h"
#include "grid_table.h"
#include "grid_table_model.h"
#include "message_log.h"
#include "table_definition.h"
#include "table_form.h"
#include "unit_code.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace vorna;

namespace {

// A layer table in the shape of the soil layer table (1 to 20 rows, a soil-type choice, a
// bottom depth, each row's parameter table, a limit) and two parameter templates of two
// rows each.
struct Layers {
    Layers()
    {
        sand = createTable(registry, parameterSpec(1, "Sand Layer Data", "Friction Angle"));
        clay = createTable(registry, parameterSpec(2, "Clay Layer Data", "Cohesion"));
        TableSpec definition;
        definition.identifier = 10;
        definition.caption = QStringLiteral("Soil Layer Data");
        definition.minRows = 1;
        definition.maxRows = 20;
        definition.topLeft = QStringLiteral("Layer");
        definition.comments = QStringLiteral("Max. Side Friction:\rzero means no limit");
        definition.columns = {
            choiceColumn({QStringLiteral("Soil Type"), {}},
                         {QStringLiteral("sand"), QStringLiteral("clay")}),
            realColumn({QStringLiteral("Depth at Bottom "), QStringLiteral("of each Layer")},
                       QStringLiteral("L2")),
            tableColumn({QStringLiteral("Layer  Data"), {}}, {1, 2}),
            realColumn({QStringLiteral("Max. Side "), QStringLiteral("Friction")},
                       QStringLiteral("F/L2^2")),
        };
        table = createTable(registry, definition);
    }

    static TableSpec parameterSpec(int id, const char *caption, const char *header)
    {
        TableSpec definition;
        definition.identifier = id;
        definition.caption = QString::fromLatin1(caption);
        definition.minRows = 2;
        definition.maxRows = 2;
        definition.topLeft = QStringLiteral("Location, 1=Top, 2=Bottom");
        definition.columns = {
            realColumn({QString::fromLatin1(header), {}}),
            intColumn({QStringLiteral("Blow Counts"), QStringLiteral("-Optional-")}, 0, 100),
        };
        return definition;
    }

    TGridTable *sub(int row) const { return table->Column(2).AsTable(row); }

    TableRegistry registry;
    std::unique_ptr<TGridTable> sand;
    std::unique_ptr<TGridTable> clay;
    std::unique_ptr<TGridTable> table;
};

constexpr int kDepth = 1; // visible columns of the layer table's window
constexpr int kData = 2;
constexpr int kLimit = 3;

std::unique_ptr<TTableForm> showForm(TGridTable &table)
{
    auto form = std::make_unique<TTableForm>(table, false);
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("table window not active");
    return form;
}

void putCursor(TTableForm &form, int row, int column)
{
    form.grid()->setCurrentIndex(form.model()->index(row, column));
    QCoreApplication::processEvents();
}

// A picture of the given size, as the bytes of a PNG file.
QByteArray pngPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// What the user drags: the MDI frame around the window, or the window itself.
QWidget *sizedWindow(TTableForm &form)
{
    if (QMdiSubWindow *frame = form.subWindow())
        return frame;
    return &form;
}

// Width of the columns the grid shows, from its left column.
int shownColumnsWidth(TTableForm &form)
{
    const int left = form.grid()->horizontalScrollBar()->value();
    int width = 0;
    for (int c = left; c < left + form.columnsShown(); ++c)
        width += form.grid()->columnWidth(c);
    return width;
}

QLineEdit *editor(TTableForm &form)
{
    QLineEdit *line = form.grid()->editor();
    if (!line)
        qWarning("no cell editor open");
    return line;
}

} // namespace

class tst_TableForm : public QObject {
    Q_OBJECT
private slots:
    void typedExpressionStoresValue();
    void invalidEntryKeepsCell_data();
    void invalidEntryKeepsCell();
    void leavingCellWithInvalidEntryComesBack();
    void closingRefusedWhileEntryInvalid();
    void enterMovesDownThenAcross();
    void soilTypeChangeReplacesParameterTable();
    void rowButtonsFollowRowCount_data();
    void rowButtonsFollowRowCount();
    void parameterTableShowsNoRowButtons();
    void twelveRowsShowTenWithScrollBar();
    void addRowGrowsShownRows();
    void insertAndDeleteNeedDataRow();
    void deleteRenumbersSubTables();
    void subTableWindowClosesWithItsRow();
    void unitSwitchRelabelsHeader();
    void hiddenColumnsAreNotShown();
    void subTablesOfModalWindowAreModal();
    void commentsShowWithLineBreaks();
    void userResizeSnapsToWholeCells_data();
    void userResizeSnapsToWholeCells();
    void addRowKeepsRowsTheUserShowed();
    void helpPictureShownUnderComments_data();
    void helpPictureShownUnderComments();
    void changingHelpPictureRefreshesOpenWindow();
};

void tst_TableForm::typedExpressionStoresValue()
{
    test::MessageLog log;
    Layers layers;
    auto form = showForm(*layers.table);
    putCursor(*form, 0, kDepth);
    QLineEdit *line = editor(*form);
    QVERIFY(line);
    line->setText(QStringLiteral("2*3"));
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(layers.table->Column(1).AsFloat(0), 6.0);
    QCOMPARE(form->model()->index(0, kDepth).data().toString(), QStringLiteral("6"));
    QVERIFY(layers.table->IsModified());
    QVERIFY(log.messages.isEmpty());
}

void tst_TableForm::invalidEntryKeepsCell_data()
{
    QTest::addColumn<bool>("subTable");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters in a real cell")
        << false << kDepth << "abc"
        << "Entry could not be evaluated:\rinvalid character(s) in expression";
    QTest::newRow("blank real cell") << false << kLimit << ""
                                     << "Entry could not be evaluated:\rentry cannot be blank";
    QTest::newRow("blow count above range") << true << 1 << "101"
                                            << "Entry must be between 0 and 100.";
    QTest::newRow("fractional blow count") << true << 1 << "2.5"
                                           << "Entry must be an integer.";
}

void tst_TableForm::invalidEntryKeepsCell()
{
    QFETCH(bool, subTable);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    test::MessageLog log;
    Layers layers;
    TGridTable &table = subTable ? *layers.sub(0) : *layers.table;
    const QString before = table.VisibleColumn(column).CellText(0);
    auto form = showForm(table);
    putCursor(*form, 0, column);
    QLineEdit *line = editor(*form);
    QVERIFY(line);
    line->setText(text);
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(log.messages, QStringList{message});
    QCOMPARE(table.VisibleColumn(column).CellText(0), before);
    QVERIFY(!table.IsModified());
    QCOMPARE(form->grid()->currentIndex(), form->model()->index(0, column));
    QCOMPARE(editor(*form)->text(), text);
}

void tst_TableForm::leavingCellWithInvalidEntryComesBack()
{
    test::MessageLog log;
    Layers layers;
    layers.table->AddRowGroup();
    auto form = showForm(*layers.table);
    putCursor(*form, 0, kDepth);
    editor(*form)->setText(QStringLiteral("2)"));
    putCursor(*form, 1, kLimit);
    QCOMPARE(log.messages, QStringList{QStringLiteral(
                               "Entry could not be evaluated:\r() (parentheses) do not match")});
    QCOMPARE(form->grid()->currentIndex(), form->model()->index(0, kDepth));
    QCOMPARE(editor(*form)->text(), QStringLiteral("2)"));
    QCOMPARE(layers.table->Column(1).AsFloat(0), 0.0);
}

void tst_TableForm::closingRefusedWhileEntryInvalid()
{
    test::MessageLog log;
    Layers layers;
    auto form = showForm(*layers.table);
    putCursor(*form, 0, kLimit);
    editor(*form)->setText(QStringLiteral("1/0"));
    QVERIFY(!form->commit());
    QVERIFY(!form->close());
    QCOMPARE(log.messages.size(), 2);
    editor(*form)->setText(QStringLiteral("2000"));
    QVERIFY(form->close());
    QCOMPARE(layers.table->Column(3).AsFloat(0), 2000.0);
}

void tst_TableForm::enterMovesDownThenAcross()
{
    test::MessageLog log;
    Layers layers;
    layers.table->AddRowGroup();
    auto form = showForm(*layers.table);
    putCursor(*form, 0, kDepth);
    const auto at = [&] { return form->grid()->currentIndex(); };
    QTest::keyClick(editor(*form), Qt::Key_Return);
    QCOMPARE(at(), form->model()->index(1, kDepth));
    QTest::keyClick(editor(*form), Qt::Key_Return); // the table column has no text cells
    QCOMPARE(at(), form->model()->index(0, kLimit));
    QTest::keyClick(editor(*form), Qt::Key_Return);
    QTest::keyClick(editor(*form), Qt::Key_Return); // from the last cell back to the first
    QCOMPARE(at(), form->model()->index(0, kDepth));
}

void tst_TableForm::soilTypeChangeReplacesParameterTable()
{
    test::MessageLog log;
    Layers layers;
    layers.table->AddRowGroup();
    layers.sub(1)->Column(0).SetFloat(0, 32.0);
    layers.table->SetModified(false);
    auto form = showForm(*layers.table);
    QComboBox *box = form->choiceBox(1, 0);
    QVERIFY(box);
    QCOMPARE(box->count(), 2);
    box->setCurrentIndex(1);
    emit box->activated(1);
    TGridTable *clay = layers.sub(1);
    QVERIFY(clay);
    QCOMPARE(clay->Caption, QStringLiteral("Clay Layer Data"));
    QCOMPARE(clay->RowCount(), 2);
    QCOMPARE(clay->Column(0).AsFloat(0), 0.0);
    QCOMPARE(form->tableButton(1, kData)->text(), QStringLiteral("2: Clay Layer Data"));
    QCOMPARE(form->tableButton(0, kData)->text(), QStringLiteral("1: Sand Layer Data"));
    QVERIFY(layers.table->IsModified());
}

void tst_TableForm::rowButtonsFollowRowCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("add");
    QTest::addColumn<bool>("remove");
    QTest::newRow("one row") << 1 << true << false;
    QTest::newRow("two rows") << 2 << true << true;
    QTest::newRow("nineteen rows") << 19 << true << true;
    QTest::newRow("twenty rows") << 20 << false << true;
}

void tst_TableForm::rowButtonsFollowRowCount()
{
    QFETCH(int, rows);
    QFETCH(bool, add);
    QFETCH(bool, remove);
    Layers layers;
    layers.table->SetRowCount(rows);
    auto form = showForm(*layers.table);
    QVERIFY(form->addButton()->isVisible());
    QCOMPARE(form->addButton()->isEnabled(), add);
    QCOMPARE(form->insertButton()->isEnabled(), add);
    QCOMPARE(form->deleteButton()->isEnabled(), remove);
    QCOMPARE(form->addButton()->text(), QStringLiteral("&Add Row"));
    QCOMPARE(form->insertButton()->text(), QStringLiteral("&Insert Row"));
    QCOMPARE(form->deleteButton()->text(), QStringLiteral("&Delete Row"));
}

void tst_TableForm::parameterTableShowsNoRowButtons()
{
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(3);
    auto form = showForm(*layers.table);
    QPointer<TTableForm> sub = form->openSubTable(2, 2);
    QVERIFY(sub);
    QCOMPARE(sub->table(), layers.sub(2));
    QCOMPARE(sub->windowTitle(), QStringLiteral("Sand Layer Data  3"));
    QVERIFY(sub->isVisible());
    QVERIFY(!sub->addButton()->isVisible());
    QVERIFY(!sub->insertButton()->isVisible());
    QVERIFY(!sub->deleteButton()->isVisible());
    QCOMPARE(sub->model()->rowCount(), 2);
    // The same button brings the same window back.
    QCOMPARE(form->openSubTable(2, 2), sub.data());
    QVERIFY(form->close());
    QCoreApplication::processEvents();
    QVERIFY(!sub || !sub->isVisible());
}

void tst_TableForm::twelveRowsShowTenWithScrollBar()
{
    Layers layers;
    layers.table->SetRowCount(12);
    auto form = showForm(*layers.table);
    QCOMPARE(form->rowsShown(), 10);
    QVERIFY(form->grid()->verticalScrollBar()->isVisible());
    QCOMPARE(form->grid()->viewport()->height(), 10 * TTableForm::kRowHeight);
    // Boxes and buttons move with the rows they belong to.
    QPushButton *last = form->tableButton(11, kData);
    QVERIFY(last);
    const int before = last->mapTo(form->grid()->viewport(), QPoint()).y();
    form->grid()->scrollToBottom();
    QCoreApplication::processEvents();
    const int after = last->mapTo(form->grid()->viewport(), QPoint()).y();
    QCOMPARE(before - after, 2 * TTableForm::kRowHeight);
    QVERIFY(after + last->height() <= form->grid()->viewport()->height());
}

void tst_TableForm::addRowGrowsShownRows()
{
    test::MessageLog log;
    Layers layers;
    layers.table->Column(1).SetFloat(0, 10.0);
    layers.table->SetModified(false);
    auto form = showForm(*layers.table);
    const int heightOfOne = form->grid()->height();
    QTest::mouseClick(form->addButton(), Qt::LeftButton);
    QCOMPARE(layers.table->RowCount(), 2);
    QCOMPARE(form->rowsShown(), 2);
    QCOMPARE(form->grid()->height(), heightOfOne + TTableForm::kRowHeight);
    QVERIFY(form->tableButton(1, kData));
    QVERIFY(layers.table->IsModified());
    QVERIFY(form->deleteButton()->isEnabled());
}

void tst_TableForm::insertAndDeleteNeedDataRow()
{
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(3);
    layers.table->Column(3).SetFloat(1, 500.0);
    auto form = showForm(*layers.table);
    putCursor(*form, 1, kLimit);
    form->insertRow();
    QCOMPARE(layers.table->RowCount(), 4);
    QCOMPARE(layers.table->Column(3).AsFloat(2), 500.0);
    putCursor(*form, 2, kLimit);
    form->deleteRow();
    QCOMPARE(layers.table->RowCount(), 3);
    QCOMPARE(layers.table->Column(3).AsFloat(1), 0.0);
    form->grid()->setCurrentIndex(QModelIndex());
    form->deleteRow();
    QCOMPARE(log.messages, QStringList{QStringLiteral("Grid.Row not in valid range")});
    QCOMPARE(layers.table->RowCount(), 3);
}

void tst_TableForm::deleteRenumbersSubTables()
{
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(3);
    auto form = showForm(*layers.table);
    putCursor(*form, 0, kDepth);
    form->deleteRow();
    QCOMPARE(layers.sub(0)->Number(), 1);
    QCOMPARE(layers.sub(1)->Number(), 2);
    QCOMPARE(form->tableButton(1, kData)->text(), QStringLiteral("2: Sand Layer Data"));
}

// A parameter table's window goes with its row: no window is left over a destroyed table.
void tst_TableForm::subTableWindowClosesWithItsRow()
{
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(2);
    auto form = showForm(*layers.table);
    QPointer<TTableForm> sub = form->openSubTable(2, 1);
    QVERIFY(sub);
    putCursor(*form, 1, kDepth);
    form->deleteRow();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(sub.isNull());

    sub = form->openSubTable(2, 0);
    QVERIFY(sub);
    emit form->choiceBox(0, 0)->activated(1); // clay replaces the open sand table
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(sub.isNull());
    QVERIFY(log.messages.isEmpty());
}

void tst_TableForm::unitSwitchRelabelsHeader()
{
    Layers layers;
    auto form = showForm(*layers.table);
    const auto header = [&] {
        return form->model()->headerData(kDepth, Qt::Horizontal).toString();
    };
    QCOMPARE(header(), QStringLiteral("Depth at Bottom \nof each Layer (ft)  "));
    layers.table->SetUnits(kSiUnits);
    QCOMPARE(header(), QStringLiteral("Depth at Bottom \nof each Layer (m)  "));
    QCOMPARE(form->model()->headerData(0, Qt::Vertical).toInt(), 1);
}

void tst_TableForm::hiddenColumnsAreNotShown()
{
    Layers layers;
    layers.table->Column(3).Visible = false;
    auto form = showForm(*layers.table);
    QCOMPARE(form->model()->columnCount(), 3);
    layers.table->Column(3).Visible = true;
    form->rebuild();
    QCOMPARE(form->model()->columnCount(), 4);
}

void tst_TableForm::subTablesOfModalWindowAreModal()
{
    test::MessageLog log;
    Layers layers;
    QPointer<TTableForm> form = TTableForm::ShowModalWindow(*layers.table);
    QVERIFY(form);
    QVERIFY(form->isModal());
    QVERIFY(form->isModal() && form->windowModality() == Qt::ApplicationModal);
    QPointer<TTableForm> sub = form->openSubTable(2, 0);
    QVERIFY(sub);
    QVERIFY(sub->isModal());
    QCOMPARE(sub->windowModality(), Qt::ApplicationModal);
    QVERIFY(form->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
    QVERIFY(sub.isNull());
}

void tst_TableForm::commentsShowWithLineBreaks()
{
    Layers layers;
    auto form = showForm(*layers.table);
    QVERIFY(form->commentsLabel()->isVisible());
    QCOMPARE(form->commentsLabel()->text(),
             QStringLiteral("Max. Side Friction:\nzero means no limit"));
    auto sub = showForm(*layers.sub(0));
    QVERIFY(!sub->commentsLabel()->isVisible());
}

void tst_TableForm::userResizeSnapsToWholeCells_data()
{
    QTest::addColumn<bool>("inArea");
    QTest::addColumn<QString>("drag");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    for (const bool inArea : {false, true}) {
        const QByteArray where = inArea ? "MDI frame, " : "top-level window, ";
        // 40 pixels are one row and part of the next: both go.
        QTest::newRow(where + "bottom edge 40 pixels up") << inArea << "bottom" << 8 << 4;
        // Half the last column is cut off and the height gains room for the horizontal bar:
        // the three columns left and the ten rows fit exactly with both bars.
        QTest::newRow(where + "corner cuts into the last column") << inArea << "corner" << 10 << 3;
        QTest::newRow(where + "bottom-left corner cuts into the last column")
            << inArea << "bottom-left" << 10 << 3;
        // Room for more than everything: all twelve rows without a scroll bar.
        QTest::newRow(where + "larger than all rows") << inArea << "larger" << 12 << 4;
    }
}

// The window starts with 10 of 12 rows and a vertical bar; the user's size is snapped to
// whole rows and whole columns, and the edge opposite a dragged left edge stays.
void tst_TableForm::userResizeSnapsToWholeCells()
{
    QFETCH(bool, inArea);
    QFETCH(QString, drag);
    QFETCH(int, rows);
    QFETCH(int, columns);
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(12);
    QMdiArea area;
    std::unique_ptr<TTableForm> topLevel;
    QPointer<TTableForm> form;
    if (inArea) {
        area.resize(1600, 1200);
        area.show();
        form = TTableForm::ShowWindow(*layers.table, &area);
        QVERIFY(form && form->subWindow());
    } else {
        topLevel = showForm(*layers.table);
        form = topLevel.get();
    }
    QCoreApplication::processEvents();
    QCOMPARE(form->rowsShown(), 10);
    QCOMPARE(form->columnsShown(), 4);
    QWidget *window = sizedWindow(*form);
    const QRect start = window->geometry();
    const int lastColumn = form->grid()->columnWidth(3);
    const int barHeight = form->grid()->horizontalScrollBar()->sizeHint().height();
    const int barWidth = form->grid()->verticalScrollBar()->sizeHint().width();

    QRect proposed = start;
    QRect expected = start;
    if (drag == "bottom") {
        proposed.setBottom(start.bottom() - 40);
        expected.setBottom(start.bottom() - 2 * TTableForm::kRowHeight);
    } else if (drag == "corner") {
        proposed.setRight(start.right() - lastColumn / 2);
        proposed.setBottom(start.bottom() + barHeight + 5);
        expected.setRight(start.right() - lastColumn);
        expected.setBottom(start.bottom() + barHeight);
    } else if (drag == "bottom-left") {
        proposed.setLeft(start.left() + lastColumn / 2);
        proposed.setBottom(start.bottom() + barHeight + 5);
        expected.setLeft(start.left() + lastColumn);
        expected.setBottom(start.bottom() + barHeight);
    } else {
        proposed.setSize(start.size() + QSize(500, 500));
        expected.setRight(start.right() - barWidth);
        expected.setBottom(start.bottom() + 2 * TTableForm::kRowHeight);
    }
    window->setGeometry(proposed);
    QCoreApplication::processEvents();

    QCOMPARE(form->rowsShown(), rows);
    QCOMPARE(form->columnsShown(), columns);
    QCOMPARE(form->grid()->viewport()->height(), rows * TTableForm::kRowHeight);
    QCOMPARE(form->grid()->viewport()->width(), shownColumnsWidth(*form));
    QCOMPARE(form->grid()->verticalScrollBar()->isVisible(), rows < 12);
    QCOMPARE(form->grid()->horizontalScrollBar()->isVisible(), columns < 4);
    QCOMPARE(window->geometry(), expected);
    // The window's own resize is not taken for another drag.
    QCoreApplication::processEvents();
    QCOMPARE(window->geometry(), expected);
    QCOMPARE(form->rowsShown(), rows);
    QVERIFY(log.messages.isEmpty());
}

void tst_TableForm::addRowKeepsRowsTheUserShowed()
{
    test::MessageLog log;
    Layers layers;
    layers.table->SetRowCount(12);
    auto form = showForm(*layers.table);
    form->resize(form->size() + QSize(0, 2 * TTableForm::kRowHeight));
    QCoreApplication::processEvents();
    QCOMPARE(form->rowsShown(), 12);
    QTest::mouseClick(form->addButton(), Qt::LeftButton);
    QCOMPARE(layers.table->RowCount(), 13);
    QCOMPARE(form->rowsShown(), 12);
    QVERIFY(form->grid()->verticalScrollBar()->isVisible());
    QCOMPARE(form->grid()->viewport()->height(), 12 * TTableForm::kRowHeight);
}

void tst_TableForm::helpPictureShownUnderComments_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("shown");
    QTest::newRow("PNG picture") << pngPicture(40, 30) << true;
    QTest::newRow("no picture") << QByteArray() << false;
    QTest::newRow("bytes of no image") << QByteArray("not a picture") << false;
}

void tst_TableForm::helpPictureShownUnderComments()
{
    QFETCH(QByteArray, picture);
    QFETCH(bool, shown);
    Layers layers;
    layers.table->SetHelpPicture(picture);
    auto form = showForm(*layers.table);
    QLabel *label = form->helpPictureLabel();
    QCOMPARE(label->isVisible(), shown);
    if (!shown)
        return;
    QCOMPARE(label->pixmap().size(), QSize(40, 30));
    QVERIFY(label->geometry().top() >= form->commentsLabel()->geometry().bottom());
    QVERIFY(label->geometry().bottom() < form->height());
}

void tst_TableForm::changingHelpPictureRefreshesOpenWindow()
{
    Layers layers;
    auto form = showForm(*layers.table);
    const int heightWithout = form->height();
    QVERIFY(!form->helpPictureLabel()->isVisible());
    layers.table->SetHelpPicture(pngPicture(40, 30));
    QCoreApplication::processEvents();
    QVERIFY(form->helpPictureLabel()->isVisible());
    QVERIFY(form->height() >= heightWithout + 30);
    QVERIFY(form->helpPictureLabel()->geometry().bottom() < form->height());
    layers.table->SetHelpPicture({});
    QCoreApplication::processEvents();
    QVERIFY(!form->helpPictureLabel()->isVisible());
    QCOMPARE(form->height(), heightWithout);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_TableForm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_table_form.moc"
