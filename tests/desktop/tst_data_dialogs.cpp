#include "control_options_dialog.h"
#include "data_edit.h"
#include "design_load_dialog.h"
#include "factor_of_safety_dialog.h"
#include "message_log.h"
#include "program_data.h"
#include "program_tables.h"
#include "shaft_length_dialog.h"
#include "shaft_properties_dialog.h"
#include "title_dialog.h"
#include "water_table_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vorna;

namespace {

const QString kMinCaption = QStringLiteral("Minimum Shaft Diameter, B, to be Considered");
const QString kMaxCaption = QStringLiteral("Maximum Shaft Diameter, B, to be Considered");
const QString kModulus = QStringLiteral("&Modulus of Elasticity of Drilled Shaft ");

struct Project {
    ProgramTables tables;
    TProgramData data = TProgramData::CreateNew(tables);
};

// A dialog that does not delete itself, so the test can look at it after closing.
template <typename Dialog, typename... Args> std::unique_ptr<Dialog> make(Args &&...args)
{
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    return dialog;
}

} // namespace

class tst_DataDialogs : public QObject {
    Q_OBJECT
private slots:
    void shaftFieldsShowCaptionsAndUnits();
    void diameterAboveLimitIsRefused();
    void storedValuesReachProject();
    void designLoadClearsShaftLength();
    void shaftLengthClearsDesignLoad();
    void loadingType_data();
    void loadingType();
    void reductionFactorFollowsLoadingType();
    void titleDialog_data();
    void titleDialog();
    void titleOutsideLatin1IsRefused_data();
    void titleOutsideLatin1IsRefused();
    void numericEditsMarkProjectModified();
    void closingRefusedWhileFieldInvalid();
    void unitSwitchWhileOpen();
    void factorsOfSafetyRoundTrip();
    void controlOptions();
    void pictureMissingLeavesDialogWorking();
    void deactivationInAreaCommits();
    void deactivationWithInvalidEntryComesBack();
};

void tst_DataDialogs::shaftFieldsShowCaptionsAndUnits()
{
    Project p;
    auto dialog = make<TfrmShaftProperties>(p.data);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Drilled-Shaft Properties"));
    QVERIFY(dialog->hasPicture());
    QCOMPARE(dialog->fields().size(), 7);
    QCOMPARE(dialog->field(kMinCaption)->EditLabel()->text(),
             kMinCaption + QStringLiteral(" (ft)"));
    QCOMPARE(dialog->field(kModulus)->EditLabel()->text(),
             kModulus + QString::fromUtf8(" (lbs/in\u00b2)"));
    QCOMPARE(dialog->field(QStringLiteral("&Angle of Bell with Respect to Vertical,  Ang "))
                 ->EditLabel()
                 ->text(),
             QStringLiteral("&Angle of Bell with Respect to Vertical,  Ang  (deg)"));
    QCOMPARE(
        dialog->field(QStringLiteral("&Ratio of Base Diameter to Shaft Diameter,  Bb/B"))->MaxVal(),
        10.0L);
    QCOMPARE(dialog->field(kModulus)->MaxVal(), 300000000.0L);
    QCOMPARE(dialog->field(kMinCaption)->toolTip(),
             QStringLiteral("Practical minimum value is 2 ft or 0.6 m"));
    QVERIFY(TfrmShaftProperties::explanation().contains(
        QStringLiteral("is usually not reccomended for uplift loading. ")));
    // Narrow enough for the work area of a 1024-pixel screen, notes and text included.
    QVERIFY2(dialog->sizeHint().width() <= 900,
             qPrintable(QString::number(dialog->sizeHint().width())));
}

void tst_DataDialogs::diameterAboveLimitIsRefused()
{
    test::MessageLog log;
    Project p;
    auto dialog = make<TfrmShaftProperties>(p.data);
    dialog->field(kMinCaption)->setText(QStringLiteral("40"));
    QVERIFY(!dialog->commit());
    QCOMPARE(log.messages, QStringList{QStringLiteral("Entry must be less than or equal to 30")});
    QCOMPARE(dialog->field(kMinCaption)->text(), QStringLiteral("30"));
    QCOMPARE(p.data.shaftProperties[kMinDiameter], 0.0);
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.shaftProperties[kMinDiameter], 30.0);
}

void tst_DataDialogs::storedValuesReachProject()
{
    test::MessageLog log;
    Project p;
    auto dialog = make<TfrmShaftProperties>(p.data);
    const QStringList entries = {"2", "12/2", "3", "45", "5", "1.5", "4000000"};
    for (int i = 0; i < entries.size(); ++i)
        dialog->fields()[i]->setText(entries[i]);
    QVERIFY(dialog->commit());
    const std::array<double, 7> expected = {2, 6, 3, 45, 5, 1.5, 4000000};
    for (std::size_t i = 0; i < expected.size(); ++i)
        QCOMPARE(p.data.shaftProperties[i], expected[i]);
    QCOMPARE(dialog->fields()[1]->text(), QStringLiteral("6"));
    QVERIFY(p.data.modified);
    QVERIFY(log.messages.isEmpty());
}

void tst_DataDialogs::designLoadClearsShaftLength()
{
    Project p;
    p.data.proposedLength = 60;
    auto dialog = make<TfrmDesignLoad>(p.data);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Specification of Design Load"));
    QCOMPARE(dialog->valueField()->EditLabel()->text(),
             QStringLiteral("Enter the &design load (tons)"));
    dialog->valueField()->setText(QStringLiteral("500"));
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.designLoad, 500.0);
    QCOMPARE(p.data.proposedLength, 0.0);
}

void tst_DataDialogs::shaftLengthClearsDesignLoad()
{
    Project p;
    p.data.designLoad = 500;
    auto dialog = make<TfrmShaftLength>(p.data);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Drilled Shaft Length"));
    QCOMPARE(dialog->valueField()->EditLabel()->text(),
             QStringLiteral("Enter the proposed &length (ft)"));
    dialog->valueField()->setText(QStringLiteral("60"));
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.proposedLength, 60.0);
    QCOMPARE(p.data.designLoad, 0.0);
    // A length of 0 leaves the design load alone.
    p.data.designLoad = 300;
    dialog->valueField()->setText(QStringLiteral("0"));
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.designLoad, 300.0);
}

void tst_DataDialogs::loadingType_data()
{
    QTest::addColumn<bool>("designLoadDialog");
    QTest::addColumn<bool>("uplift");
    QTest::addColumn<QString>("reduction");
    QTest::addColumn<int>("loadingType");
    QTest::addColumn<double>("factor");
    QTest::newRow("compression stores 1.0") << false << false << "0.7" << 1 << 1.0;
    QTest::newRow("uplift stores its factor") << false << true << "0.7" << 2 << 0.7;
    QTest::newRow("compression in design load dialog") << true << false << "0.5" << 1 << 1.0;
    QTest::newRow("uplift in design load dialog") << true << true << "1/2" << 2 << 0.5;
}

void tst_DataDialogs::loadingType()
{
    QFETCH(bool, designLoadDialog);
    QFETCH(bool, uplift);
    QFETCH(QString, reduction);
    QFETCH(int, loadingType);
    QFETCH(double, factor);
    Project p;
    p.data.loadingType = LoadingType::Uplift;
    p.data.upliftFactor = 0.9;
    std::unique_ptr<TLoadingDialog> dialog;
    if (designLoadDialog)
        dialog = make<TfrmDesignLoad>(p.data);
    else
        dialog = make<TfrmShaftLength>(p.data);
    QVERIFY(dialog->upliftButton()->isChecked());
    QCOMPARE(dialog->reductionField()->text(), QStringLiteral("0.9"));
    dialog->reductionField()->setText(reduction);
    (uplift ? dialog->upliftButton() : dialog->compressionButton())->setChecked(true);
    QVERIFY(dialog->commit());
    QCOMPARE(fileNumber(p.data.loadingType), loadingType);
    QCOMPARE(p.data.upliftFactor, factor);
}

void tst_DataDialogs::reductionFactorFollowsLoadingType()
{
    test::MessageLog log;
    Project p;
    auto dialog = make<TfrmShaftLength>(p.data);
    QVERIFY(dialog->compressionButton()->isChecked());
    QVERIFY(!dialog->reductionField()->isEnabled());
    QVERIFY(!dialog->reductionField()->EditLabel()->isEnabled());
    dialog->upliftButton()->setChecked(true);
    QVERIFY(dialog->reductionField()->isEnabled());
    dialog->reductionField()->setText(QStringLiteral("1.5"));
    QVERIFY(!dialog->commit());
    QCOMPARE(log.messages, QStringList{QStringLiteral("Entry must be less than or equal to 1")});
    QCOMPARE(p.data.loadingType, LoadingType::Compression);
    // Reduction factor edits alone do not mark the project; a stored change does.
    QVERIFY(!p.data.modified);
    dialog->reductionField()->setText(QStringLiteral("0.6"));
    QVERIFY(dialog->commit());
    QVERIFY(p.data.modified);
}

void tst_DataDialogs::titleDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("modified");
    QTest::newRow("unchanged") << "New Pile"
                               << "New Pile" << false;
    QTest::newRow("changed") << "Pier 4"
                             << "Pier 4" << true;
    QTest::newRow("cut at 80 characters") << QString(100, u'x') << QString(80, u'x') << true;
}

void tst_DataDialogs::titleDialog()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, modified);
    Project p;
    auto dialog = make<TfrmTitle>(p.data);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Project Title"));
    QCOMPARE(dialog->titleEdit()->text(), QStringLiteral("New Pile"));
    dialog->titleEdit()->setText(typed);
    QVERIFY(dialog->close());
    QCOMPARE(p.data.title, stored);
    QCOMPARE(p.data.IsModified(p.tables), modified);
}

void tst_DataDialogs::titleOutsideLatin1IsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("named");
    QTest::newRow("euro sign") << QStringLiteral("Pier 4 \u20AC")
                               << QStringLiteral("\"\u20AC\" (U+20AC)");
    QTest::newRow("Greek") << QStringLiteral("\u03A3 pier")
                           << QStringLiteral("\"\u03A3\" (U+03A3)");
    QTest::newRow("beyond the basic plane")
        << QString::fromUcs4(U"Pile \U0001F600") << QString::fromUcs4(U"\"\U0001F600\" (U+1F600)");
}

// The project file keeps the title in Latin-1: a character beyond it would become "?" on
// saving, so the dialog keeps the title until it is replaced. Latin-1 letters pass.
void tst_DataDialogs::titleOutsideLatin1IsRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, named);
    test::MessageLog log;
    Project p;
    auto dialog = make<TfrmTitle>(p.data);
    dialog->show();
    dialog->titleEdit()->setText(typed);
    QVERIFY(!dialog->close());
    QCOMPARE(log.messages.size(), 1);
    QCOMPARE(log.messages[0], QStringLiteral("The title cannot hold the character %1: the project "
                                             "file keeps only Latin-1 characters.\rReplace or "
                                             "remove it.")
                                  .arg(named));
    QCOMPARE(p.data.title, QStringLiteral("New Pile"));
    QVERIFY(!p.data.IsModified(p.tables));
    dialog->titleEdit()->setText(QStringLiteral("Pfeiler Stra\u00DFe \u00C4"));
    QVERIFY(dialog->close());
    QCOMPARE(p.data.title, QStringLiteral("Pfeiler Stra\u00DFe \u00C4"));
}

void tst_DataDialogs::numericEditsMarkProjectModified()
{
    Project p;
    auto dialog = make<TfrmWaterTable>(p.data);
    dialog->show();
    QVERIFY(!p.data.modified);
    dialog->refresh(); // loading values is not an edit
    QVERIFY(!p.data.modified);
    QTest::keyClicks(dialog->fields()[0], QStringLiteral("5"));
    QVERIFY(p.data.modified);
}

void tst_DataDialogs::closingRefusedWhileFieldInvalid()
{
    test::MessageLog log;
    Project p;
    auto dialog = make<TfrmWaterTable>(p.data);
    dialog->show();
    dialog->fields()[0]->setText(QStringLiteral("abc"));
    QVERIFY(!dialog->close());
    QCOMPARE(log.messages,
             QStringList{QStringLiteral(
                 "Entry could not be evaluated:\rinvalid character(s) in expression")});
    QCOMPARE(p.data.shaftProperties[kWaterTableDepth], 0.0);
    dialog->fields()[0]->setText(QStringLiteral("12.5"));
    QVERIFY(dialog->close());
    QCOMPARE(p.data.shaftProperties[kWaterTableDepth], 12.5);
}

// The project switches to SI while the dialog is open: its next activation shows metres
// and the converted values.
void tst_DataDialogs::unitSwitchWhileOpen()
{
    Project p;
    p.data.shaftProperties[kMinDiameter] = 2;
    p.data.shaftProperties[kMaxDiameter] = 6;
    auto dialog = make<TfrmShaftProperties>(p.data);
    p.data.ChangeUnits(UnitSystem::SI, p.tables);
    dialog->refresh();
    QCOMPARE(dialog->field(kMinCaption)->EditLabel()->text(), kMinCaption + QStringLiteral(" (m)"));
    QCOMPARE(dialog->field(kMinCaption)->text(), QStringLiteral("0.6096"));
    QCOMPARE(dialog->field(kMaxCaption)->text(), QStringLiteral("1.8288"));
    QCOMPARE(dialog->field(kModulus)->EditLabel()->text(),
             kModulus + QString::fromUtf8(" (kN/m\u00b2)"));
    // Storing what is shown changes nothing.
    p.data.modified = false;
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.shaftProperties[kMinDiameter], 2 * 0.3048);
    QVERIFY(!p.data.modified);
}

void tst_DataDialogs::factorsOfSafetyRoundTrip()
{
    Project p;
    auto dialog = make<TfrmFactorOfSafety>(p.data);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Factor of Safety (F.S.)"));
    QCOMPARE(dialog->fields()[0]->text(), QStringLiteral("2.5"));
    QCOMPARE(dialog->fields()[1]->text(), QStringLiteral("3"));
    dialog->fields()[0]->setText(QStringLiteral("2"));
    dialog->fields()[1]->setText(QStringLiteral("2.5+0.5*2"));
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.FST, 2.0);
    QCOMPARE(p.data.FSB, 3.5);
}

void tst_DataDialogs::controlOptions()
{
    Project p;
    QString wordProcessor = QStringLiteral("/usr/bin/gedit");
    auto dialog = make<TfrmControlOptions>(p.data, wordProcessor);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Control Options"));
    QCOMPARE(dialog->editorField()->text(), wordProcessor);
    QVERIFY(dialog->interpolateButton()->isChecked());
    QVERIFY(dialog->modificationBox()->isChecked());
    // The box has no part in the analysis: shown, but it cannot be changed to no effect.
    QVERIFY(!dialog->modificationBox()->isEnabled());
    QCOMPARE(dialog->modificationBox()->toolTip(),
             QStringLiteral("This option has no effect on the analysis."));
    QCOMPARE(dialog->fields()[0]->EditLabel()->text(), QStringLiteral("Output Increment (ft)"));

    QString offered;
    dialog->setFileChooser([&](QWidget *, const QString &current) {
        offered = current;
        return QStringLiteral("/usr/bin/kate");
    });
    dialog->browseButton()->click();
    QCOMPARE(offered, QStringLiteral("/usr/bin/gedit"));
    QCOMPARE(dialog->editorField()->text(), QStringLiteral("/usr/bin/kate"));
    dialog->setFileChooser([](QWidget *, const QString &) { return QString(); }); // cancelled
    dialog->browseButton()->click();
    QCOMPARE(dialog->editorField()->text(), QStringLiteral("/usr/bin/kate"));

    dialog->anyDepthButton()->setChecked(true);
    dialog->fields()[0]->setText(QStringLiteral("0.5"));
    QVERIFY(dialog->commit());
    QCOMPARE(wordProcessor, QStringLiteral("/usr/bin/kate"));
    QCOMPARE(p.data.endBearingOption, 0);
    QCOMPARE(p.data.outputIncrement, 0.5);
    QVERIFY(p.data.modified);
}

void tst_DataDialogs::pictureMissingLeavesDialogWorking()
{
    Project p;
    auto dialog =
        make<TfrmShaftProperties>(p.data, nullptr, QStringLiteral("/nonexistent/shaft.jpg"));
    QVERIFY(!dialog->hasPicture());
    dialog->field(kMinCaption)->setText(QStringLiteral("3"));
    QVERIFY(dialog->commit());
    QCOMPARE(p.data.shaftProperties[kMinDiameter], 3.0);
}

// In the MDI area, moving to another dialog stores the one left; the next activation
// loads the project's values.
void tst_DataDialogs::deactivationInAreaCommits()
{
    test::MessageLog log;
    Project p;
    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    QPointer<TfrmWaterTable> water = new TfrmWaterTable(p.data);
    QPointer<TfrmFactorOfSafety> safety = new TfrmFactorOfSafety(p.data);
    showInArea(&area, water);
    showInArea(&area, safety);
    QCOMPARE(area.activeSubWindow(), safety->subWindow());
    showInArea(&area, water);
    water->fields()[0]->setText(QStringLiteral("7*2"));
    showInArea(&area, safety);
    QCOMPARE(p.data.shaftProperties[kWaterTableDepth], 14.0);
    p.data.shaftProperties[kWaterTableDepth] = 3; // as a New or Open would
    showInArea(&area, water);
    QCOMPARE(water->fields()[0]->text(), QStringLiteral("3"));
    QVERIFY(log.messages.isEmpty());
    // Closing the frame stores the values and destroys the dialog.
    water->fields()[0]->setText(QStringLiteral("4"));
    QVERIFY(water->subWindow()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(water.isNull());
    QCOMPARE(p.data.shaftProperties[kWaterTableDepth], 4.0);
}

void tst_DataDialogs::deactivationWithInvalidEntryComesBack()
{
    test::MessageLog log;
    Project p;
    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    auto *water = new TfrmWaterTable(p.data);
    auto *safety = new TfrmFactorOfSafety(p.data);
    showInArea(&area, safety);
    showInArea(&area, water);
    water->fields()[0]->setText(QStringLiteral("2**"));
    showInArea(&area, safety);
    QCoreApplication::processEvents();
    QCOMPARE(log.messages,
             QStringList{QStringLiteral("Entry could not be evaluated:\rinvalid expression")});
    QCOMPARE(area.activeSubWindow(), water->subWindow());
    QCOMPARE(water->fields()[0]->text(), QStringLiteral("2**"));
    QCOMPARE(p.data.shaftProperties[kWaterTableDepth], 0.0);
    // Closing is refused as well, and the frame stays.
    QVERIFY(!water->subWindow()->close());
    QCOMPARE(log.messages.size(), 2);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_DataDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_data_dialogs.moc"
