#include "data_edit.h"
#include "message_log.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

using namespace vorna;

class tst_DataEdit : public QObject {
    Q_OBJECT
private slots:
    void rejectsBadEntry_data();
    void rejectsBadEntry();
    void acceptsEntry_data();
    void acceptsEntry();
    void leavingFieldValidates();
    void enterValidatesAndSelects();
    void operatorKeyExtendsSelectedNumber();
    void labelShowsUnitOfSystem_data();
    void labelShowsUnitOfSystem();
    void labelFollowsEnabledState();
    void loweringMaximumLowersValue();
    void integerOnlyClampsLimits();
    void numberClampsIntoLimits();
};

void tst_DataEdit::rejectsBadEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integerOnly");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("above maximum") << "150" << false << "Entry must be less than or equal to 100"
                                   << "100";
    QTest::newRow("below minimum") << "-0.5" << false << "Entry must be greater than or equal to 0"
                                   << "0";
    QTest::newRow("expression above maximum")
        << "60*2" << false << "Entry must be less than or equal to 100"
        << "100";
    QTest::newRow("fraction in integer field") << "2.5" << true << "Entry must be an integer."
                                               << "2.5";
    QTest::newRow("letters in integer field") << "abc" << true << "Entry must be a valid integer."
                                              << "abc";
    QTest::newRow("letters") << "abc" << false
                             << "Entry could not be evaluated:\rinvalid character(s) in expression"
                             << "abc";
    QTest::newRow("blank") << "" << false << "Entry could not be evaluated:\rentry cannot be blank"
                           << "";
    QTest::newRow("division by zero")
        << "1/0" << false << "Entry could not be evaluated:\rdivision by zero"
        << "1/0";
}

void tst_DataEdit::rejectsBadEntry()
{
    QFETCH(QString, text);
    QFETCH(bool, integerOnly);
    QFETCH(QString, message);
    QFETCH(QString, textAfter);
    test::MessageLog log;
    TDataEdit edit;
    edit.SetIntegerOnly(integerOnly);
    edit.SetMinVal(0);
    edit.SetMaxVal(100);
    edit.setText(text);
    QVERIFY(!edit.Validate());
    QVERIFY(!edit.LastExitValid());
    QCOMPARE(log.messages, QStringList{message});
    QCOMPARE(edit.text(), textAfter);
}

void tst_DataEdit::acceptsEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integerOnly");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("shown");
    QTest::newRow("quotient") << "10/4" << false << false << "2.5";
    QTest::newRow("limit itself") << "100" << false << false << "100";
    QTest::newRow("integer expression") << "2*50" << true << false << "100";
    QTest::newRow("third keeps 18 digits") << "1/3" << false << false << "0.333333333333333333";
    QTest::newRow("blanks ignored") << " 1 5 " << false << false << "15";
    QTest::newRow("large value in plain digits") << "4e6" << false << false << "4000000";
    QTest::newRow("small value in plain digits") << "0.25e-3" << false << false << "0.00025";
    QTest::newRow("hex shows four digits") << "$FF" << false << true << "$00FF";
}

void tst_DataEdit::acceptsEntry()
{
    QFETCH(QString, text);
    QFETCH(bool, integerOnly);
    QFETCH(bool, hex);
    QFETCH(QString, shown);
    test::MessageLog log;
    TDataEdit edit;
    edit.SetIntegerOnly(integerOnly);
    edit.SetHex(hex);
    edit.SetMinVal(0);
    edit.SetMaxVal(1e7);
    edit.setText(text);
    QVERIFY(edit.Validate());
    QVERIFY(log.messages.isEmpty());
    QCOMPARE(edit.text(), shown);
}

// Two fields in one window: moving on from a field with 150 (maximum 100) shows the message
// and brings the focus back to the field, which then holds 100.
void tst_DataEdit::leavingFieldValidates()
{
    test::MessageLog log;
    QWidget window;
    auto *first = new TDataEdit(&window);
    auto *second = new TDataEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    first->SetMaxVal(100);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    first->setFocus();
    first->setText(QStringLiteral("10/4"));
    second->setFocus(Qt::TabFocusReason);
    QCOMPARE(first->text(), QStringLiteral("2.5"));
    QVERIFY(log.messages.isEmpty());

    first->setFocus();
    first->setText(QStringLiteral("150"));
    second->setFocus(Qt::TabFocusReason);
    QCOMPARE(log.messages, QStringList{QStringLiteral("Entry must be less than or equal to 100")});
    QCOMPARE(first->text(), QStringLiteral("100"));
    QCOMPARE(QApplication::focusWidget(), first);
}

void tst_DataEdit::enterValidatesAndSelects()
{
    test::MessageLog log;
    TDataEdit edit;
    edit.show();
    edit.setText(QStringLiteral("7*6"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.text(), QStringLiteral("42"));
    QCOMPARE(edit.selectedText(), QStringLiteral("42"));
}

// With the number selected, an operator key extends the expression; other keys replace it.
void tst_DataEdit::operatorKeyExtendsSelectedNumber()
{
    test::MessageLog log;
    TDataEdit edit;
    edit.show();
    edit.setText(QStringLiteral("12"));
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("*2"));
    QCOMPARE(edit.text(), QStringLiteral("12*2"));
    QTest::keyClick(&edit, Qt::Key_Enter);
    QCOMPARE(edit.text(), QStringLiteral("24"));

    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("5"));
    QCOMPARE(edit.text(), QStringLiteral("5"));
}

void tst_DataEdit::labelShowsUnitOfSystem_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("label");
    QTest::newRow("length English") << "Length"
                                    << "L2" << 1 << "Length (ft)";
    QTest::newRow("length SI") << "Length"
                               << "L2" << 2 << "Length (m)";
    QTest::newRow("load English") << "Load"
                                  << "F2" << 1 << "Load (tons)";
    QTest::newRow("load SI") << "Load"
                             << "F2" << 2 << "Load (kN)";
    QTest::newRow("modulus English")
        << "E" << QString::fromUtf8("F/L\u00b2") << 1 << QString::fromUtf8("E (lbs/in\u00b2)");
    QTest::newRow("modulus SI") << "E" << QString::fromUtf8("F/L\u00b2") << 2
                                << QString::fromUtf8("E (kN/m\u00b2)");
    QTest::newRow("stress SI") << "q"
                               << "F/L2^2" << 2 << "q (kN/m^2)";
    QTest::newRow("degrees unchanged") << "Angle"
                                       << "deg" << 2 << "Angle (deg)";
    QTest::newRow("code shown as such") << "Length"
                                        << "L2" << 3 << "Length (L2)";
    QTest::newRow("system above range shows code") << "Length"
                                                   << "L2" << 7 << "Length (L2)";
    QTest::newRow("no unit") << "Ratio"
                             << "" << 2 << "Ratio";
}

void tst_DataEdit::labelShowsUnitOfSystem()
{
    QFETCH(QString, caption);
    QFETCH(QString, code);
    QFETCH(int, units);
    QFETCH(QString, label);
    QLabel companion;
    TDataEdit edit;
    edit.SetEditLabel(&companion);
    edit.SetCaption(caption);
    edit.SetUnitsString(code);
    edit.SetUnits(units);
    QCOMPARE(companion.text(), label);
    QCOMPARE(companion.buddy(), &edit);
}

void tst_DataEdit::labelFollowsEnabledState()
{
    QWidget window;
    auto *companion = new QLabel(&window);
    auto *edit = new TDataEdit(&window);
    edit->SetEditLabel(companion);
    edit->setEnabled(false);
    QVERIFY(!companion->isEnabled());
    edit->setEnabled(true);
    QVERIFY(companion->isEnabled());
}

void tst_DataEdit::loweringMaximumLowersValue()
{
    TDataEdit edit;
    edit.SetNumber(50);
    edit.SetMaxVal(30);
    QCOMPARE(edit.text(), QStringLiteral("30"));
    edit.SetMinVal(40); // above the maximum: becomes the maximum
    QCOMPARE(edit.MinVal(), 30.0L);
}

void tst_DataEdit::integerOnlyClampsLimits()
{
    TDataEdit edit;
    edit.SetIntegerOnly(true);
    QCOMPARE(edit.MaxVal(), 2147483647.0L);
    QCOMPARE(edit.MinVal(), -2147483648.0L);
}

void tst_DataEdit::numberClampsIntoLimits()
{
    TDataEdit edit;
    edit.SetMinVal(0);
    edit.SetMaxVal(30);
    edit.SetNumber(40);
    QCOMPARE(edit.text(), QStringLiteral("30"));
    edit.SetNumber(0.6096);
    QCOMPARE(edit.text(), QStringLiteral("0.6096"));
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_DataEdit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_data_edit.moc"
