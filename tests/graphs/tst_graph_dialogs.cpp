// The four graph dialogs: Graph Caption, Legend, Active Curves and Save Attributes.
#include "graph_dialogs.h"
#include "offscreen_test_main.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using namespace vorna;

namespace {

// Messages collected instead of shown.
struct MessageLog {
    QStringList messages;
    GraphInteraction interaction;
    MessageLog()
    {
        interaction.information = [this](QWidget *, const QString &text) { messages << text; };
    }
};

void lines(TGraphPlot &g, int count)
{
    g.SetLineCount(count);
    g.SetPointCount(2);
}

} // namespace

class TstGraphDialogs : public QObject {
    Q_OBJECT

private slots:
    void captionDialogShowsAndStoresTitle();
    void captionDialogStoresHoweverItCloses();
    void legendDialogListsNamesInColour();
    void legendDialogRefusesEmptyName();
    void legendDialogOkAndCancel();
    void activeCurvesEntries();
    void activeCurvesToggles();
    void activeCurvesOkAndCancel();
    void saveAttributesDefaults();
    void saveAttributesLimits();
    void saveAttributesIntegerResolution();
    void saveAttributesExpressions();
};

void TstGraphDialogs::captionDialogShowsAndStoresTitle()
{
    TGraphPlot g;
    g.Title = QStringLiteral("Pier 4");
    g.TitleAtTop = false;
    TGraphCaptionDialog dialog(g);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Graph Caption"));
    QCOMPARE(dialog.TextBox()->text(), QStringLiteral("Pier 4"));
    QVERIFY(dialog.BottomButton()->isChecked());
    QVERIFY(!dialog.TopButton()->isChecked());
    QVERIFY(dialog.findChild<QLabel *>()->text() == QStringLiteral("Enter Graph Caption"));
    dialog.TextBox()->setText(QStringLiteral("Pier 5"));
    dialog.TopButton()->setChecked(true);
    dialog.accept();
    QCOMPARE(g.Title, QStringLiteral("Pier 5"));
    QVERIFY(g.TitleAtTop);
}

void TstGraphDialogs::captionDialogStoresHoweverItCloses()
{
    TGraphPlot g;
    TGraphCaptionDialog dialog(g);
    QVERIFY(dialog.TopButton()->isChecked());
    dialog.TextBox()->setText(QStringLiteral("Closed by Escape"));
    dialog.reject();
    QCOMPARE(g.Title, QStringLiteral("Closed by Escape"));
}

void TstGraphDialogs::legendDialogListsNamesInColour()
{
    TGraphPlot g;
    lines(g, 3);
    g.Line(2).name = QStringLiteral("own");
    TLegendDialog dialog(g);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Legend"));
    QCOMPARE(dialog.minimumSize(), QSize(195, 167));
    QCOMPARE(dialog.List()->count(), 3);
    QCOMPARE(dialog.List()->item(0)->text(), QStringLiteral("Curve #1"));
    QCOMPARE(dialog.List()->item(2)->text(), QStringLiteral("own"));
    QCOMPARE(dialog.List()->currentRow(), 0);
    QCOMPARE(dialog.TextBox()->text(), QStringLiteral("Curve #1"));
    QCOMPARE(dialog.TextBox()->palette().color(QPalette::Text), paletteColor(0));
    dialog.List()->setCurrentRow(2);
    QCOMPARE(dialog.TextBox()->text(), QStringLiteral("own"));
    QCOMPARE(dialog.TextBox()->palette().color(QPalette::Text), paletteColor(2));
}

void TstGraphDialogs::legendDialogRefusesEmptyName()
{
    TGraphPlot g;
    lines(g, 2);
    MessageLog log;
    g.Interaction = log.interaction;
    TLegendDialog dialog(g);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.TextBox()->setFocus();
    dialog.TextBox()->clear();
    QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
    QVERIFY(!log.messages.isEmpty());
    QCOMPARE(log.messages.front(), QStringLiteral("The line must have a name!"));
    QCOMPARE(dialog.TextBox()->text(), QStringLiteral("Curve #1"));
    QCOMPARE(dialog.Names()[0], QStringLiteral("Curve #1"));
    // A real name is stored on Enter.
    dialog.TextBox()->setText(QStringLiteral("Trend"));
    QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
    QCOMPARE(dialog.Names()[0], QStringLiteral("Trend"));
    QCOMPARE(dialog.List()->item(0)->text(), QStringLiteral("Trend"));
    QVERIFY(dialog.isVisible()); // Enter does not close the dialog
}

void TstGraphDialogs::legendDialogOkAndCancel()
{
    TGraphPlot g;
    lines(g, 2);
    {
        TLegendDialog dialog(g);
        dialog.TextBox()->setText(QStringLiteral("changed"));
        dialog.StoreText();
        dialog.reject();
    }
    QCOMPARE(g.Line(0).name, QString());
    TLegendDialog dialog(g);
    dialog.List()->setCurrentRow(1);
    dialog.TextBox()->setText(QStringLiteral("second"));
    dialog.StoreText();
    dialog.accept();
    QCOMPARE(g.Line(0).name, QStringLiteral("Curve #1"));
    QCOMPARE(g.Line(1).name, QStringLiteral("second"));
}

void TstGraphDialogs::activeCurvesEntries()
{
    TGraphPlot g;
    lines(g, 3);
    g.Line(1).included = false;
    TActiveCurvesDialog dialog(g);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Active Curves"));
    QCOMPARE(dialog.List()->item(0)->text(), QStringLiteral(" yes :    Curve #1"));
    QCOMPARE(dialog.List()->item(1)->text(), QStringLiteral(" no  :    Curve #2"));
    QCOMPARE(dialog.List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QStringList labels;
    for (QLabel *l : dialog.findChildren<QLabel *>())
        labels << l->text();
    QVERIFY(labels.contains(QStringLiteral("Select Curve to Active/Desactive")));
    QVERIFY(labels.contains(QStringLiteral("Curve")));
    QVERIFY(labels.contains(QStringLiteral("Active :")));
}

void TstGraphDialogs::activeCurvesToggles()
{
    TGraphPlot g;
    lines(g, 4);
    TActiveCurvesDialog dialog(g);
    // Double-clicking an entry toggles it.
    emit dialog.List()->itemDoubleClicked(dialog.List()->item(2));
    QCOMPARE(dialog.States(), (std::vector<bool>{true, true, false, true}));
    // Toggle Selected: the selected entries.
    dialog.List()->item(0)->setSelected(true);
    dialog.List()->item(2)->setSelected(true);
    dialog.ToggleSelected();
    QCOMPARE(dialog.States(), (std::vector<bool>{false, true, true, true}));
    // Only one selected: the current one.
    dialog.List()->clearSelection();
    dialog.List()->setCurrentRow(3);
    dialog.ToggleSelected();
    QCOMPARE(dialog.States(), (std::vector<bool>{false, true, true, false}));
    dialog.DeactivateAll();
    QCOMPARE(dialog.States(), (std::vector<bool>(4, false)));
    QCOMPARE(dialog.List()->item(3)->text(), QStringLiteral(" no  :    Curve #4"));
    dialog.ActivateAll();
    QCOMPARE(dialog.States(), (std::vector<bool>(4, true)));
}

void TstGraphDialogs::activeCurvesOkAndCancel()
{
    TGraphPlot g;
    lines(g, 3);
    {
        TActiveCurvesDialog dialog(g);
        dialog.DeactivateAll();
        dialog.reject();
    }
    QVERIFY(g.Line(0).included && g.Line(1).included && g.Line(2).included);
    TActiveCurvesDialog dialog(g);
    dialog.Toggle(1);
    dialog.accept();
    QVERIFY(g.Line(0).included);
    QVERIFY(!g.Line(1).included);
    QVERIFY(g.Line(2).included);
}

void TstGraphDialogs::saveAttributesDefaults()
{
    TSaveAttributesDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Attributes"));
    QCOMPARE(dialog.HeightField()->Number(), 4.0);
    QCOMPARE(dialog.WidthField()->Number(), 6.0);
    QCOMPARE(dialog.ResolutionField()->Number(), 72.0);
    QCOMPARE(dialog.ResolutionField()->text(), QStringLiteral("72"));
    QCOMPARE(dialog.Colors()->checkedButton()->text(), QStringLiteral("16 Colors"));
    QCOMPARE(dialog.Colors()->buttons().size(), 5);
    // A 6 in x 4 in picture at 72 pixels per inch is 432 x 288.
    QCOMPARE(dialog.Size(), (PictureSize{432, 288, 72}));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
}

void TstGraphDialogs::saveAttributesLimits()
{
    MessageLog log;
    TSaveAttributesDialog dialog(log.interaction);
    dialog.WidthField()->setText(QStringLiteral("1"));
    QVERIFY(!dialog.WidthField()->Validate());
    QCOMPARE(log.messages.last(), QStringLiteral("Entry must be greater than or equal to 2"));
    QCOMPARE(dialog.WidthField()->Number(), 2.0);
    dialog.ResolutionField()->setText(QStringLiteral("9"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected)); // refused, still open
    QCOMPARE(log.messages.last(), QStringLiteral("Entry must be greater than or equal to 10"));
    QCOMPARE(dialog.ResolutionField()->text(), QStringLiteral("10"));
    dialog.ResolutionField()->setText(QStringLiteral("3000000000"));
    QVERIFY(!dialog.ResolutionField()->Validate());
    QCOMPARE(log.messages.last(), QStringLiteral("Entry must be less than or equal to 2147483647"));
    dialog.ResolutionField()->setText(QStringLiteral("96"));
    dialog.HeightField()->setText(QStringLiteral("3"));
    log.messages.clear();
    dialog.accept();
    QVERIFY(log.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Size(), (PictureSize{192, 288, 96}));
}

void TstGraphDialogs::saveAttributesIntegerResolution()
{
    MessageLog log;
    TSaveAttributesDialog dialog(log.interaction);
    dialog.ResolutionField()->setText(QStringLiteral("72.5"));
    QVERIFY(!dialog.ResolutionField()->Validate());
    QCOMPARE(log.messages.last(), QStringLiteral("Entry must be an integer."));
    dialog.ResolutionField()->setText(QStringLiteral("abc"));
    QVERIFY(!dialog.ResolutionField()->Validate());
    QCOMPARE(log.messages.last(), QStringLiteral("Entry must be a valid integer."));
    dialog.HeightField()->setText(QStringLiteral(""));
    QVERIFY(!dialog.HeightField()->Validate());
    QVERIFY(log.messages.last().startsWith(QStringLiteral("Entry could not be evaluated:")));
}

void TstGraphDialogs::saveAttributesExpressions()
{
    TSaveAttributesDialog dialog;
    dialog.HeightField()->setText(QStringLiteral("10/4"));
    QVERIFY(dialog.HeightField()->Validate());
    QCOMPARE(dialog.HeightField()->text(), QStringLiteral("2.5"));
    QCOMPARE(dialog.HeightField()->Number(), 2.5);
    // Enter validates and keeps the dialog open.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.WidthField()->setFocus();
    dialog.WidthField()->setText(QStringLiteral("2*4"));
    QTest::keyClick(dialog.WidthField(), Qt::Key_Return);
    QCOMPARE(dialog.WidthField()->text(), QStringLiteral("8"));
    QVERIFY(dialog.isVisible());
}

VORNA_OFFSCREEN_TEST_MAIN(TstGraphDialogs)
#include "tst_graph_dialogs.moc"
