// A project built from scratch in the table windows and dialogs, saved and read back.
#include "data_edit.h"
#include "design_load_dialog.h"
#include "grid_table_model.h"
#include "message_log.h"
#include "program_data.h"
#include "program_tables.h"
#include "project_file.h"
#include "project_helpers.h"
#include "shaft_properties_dialog.h"
#include "table_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vorna;

namespace {

// Types text into a cell of an open table window and presses Enter.
void typeInto(TTableForm &form, int row, int column, const QString &text)
{
    form.grid()->setCurrentIndex(form.model()->index(row, column));
    QCoreApplication::processEvents();
    QLineEdit *editor = form.grid()->editor();
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace

class tst_ProjectEntry : public QObject {
    Q_OBJECT
private slots:
    void enteredProjectSurvivesSaveAndOpen();
};

void tst_ProjectEntry::enteredProjectSurvivesSaveAndOpen()
{
    test::MessageLog log;
    QTemporaryDir dir;
    ProgramTables tables;
    TProgramData project = TProgramData::CreateNew(tables);

    auto *layers = new TTableForm(tables.SoilLayers(), false);
    layers->show();
    QTest::mouseClick(layers->addButton(), Qt::LeftButton);
    QComboBox *type = layers->choiceBox(1, kSoilTypeColumn);
    QVERIFY(type);
    type->setCurrentIndex(1);
    emit type->activated(1); // clay
    typeInto(*layers, 0, kBottomDepthColumn, QStringLiteral("20"));
    typeInto(*layers, 1, kBottomDepthColumn, QStringLiteral("20+40"));
    typeInto(*layers, 1, kMaxSideFrictionColumn, QStringLiteral("4000"));

    TTableForm *sand = layers->openSubTable(kLayerDataColumn, 0);
    QVERIFY(sand);
    typeInto(*sand, 0, 0, QStringLiteral("120"));
    typeInto(*sand, 1, 0, QStringLiteral("125"));
    typeInto(*sand, 0, 1, QStringLiteral("32"));
    typeInto(*sand, 1, 1, QStringLiteral("34"));
    TTableForm *clay = layers->openSubTable(kLayerDataColumn, 1);
    QVERIFY(clay);
    typeInto(*clay, 0, 1, QStringLiteral("2000"));
    typeInto(*clay, 1, 1, QStringLiteral("2500"));
    QVERIFY(layers->close());

    auto *shaft = new TfrmShaftProperties(project);
    const QStringList shaftEntries = {"2", "6", "0", "0", "5", "0", "4000000"};
    for (int i = 0; i < shaftEntries.size(); ++i)
        shaft->fields()[i]->setText(shaftEntries[i]);
    QVERIFY(shaft->close());
    auto *load = new TfrmDesignLoad(project);
    load->valueField()->setText(QStringLiteral("300"));
    QVERIFY(load->close());
    QVERIFY(log.messages.isEmpty());
    QVERIFY(project.IsModified(tables));

    project.fileName = dir.filePath(QStringLiteral("entered.vrd"));
    SaveToFile(project, tables);
    const QStringList saved = test::snapshot(project, tables);

    ProgramTables reopenedTables;
    QStringList messages;
    TProgramData reopened =
        CreateFromFile(project.fileName, ProjectLayout::Current, reopenedTables, messages);
    QVERIFY(messages.isEmpty());
    QCOMPARE(test::snapshot(reopened, reopenedTables), saved);
    QCOMPARE(reopenedTables.SoilLayers().RowCount(), 2);
    QCOMPARE(reopenedTables.SoilLayers().Column(kBottomDepthColumn).AsFloat(1), 60.0);
    QCOMPARE(reopenedTables.SoilLayers().Column(kLayerDataColumn).AsTable(0)->Column(1).AsFloat(1),
             34.0);
    QCOMPARE(reopenedTables.SoilLayers().Column(kLayerDataColumn).AsTable(1)->Caption,
             QStringLiteral("Clay Layer Data"));
    QCOMPARE(reopened.designLoad, 300.0);
    QCOMPARE(reopened.shaftProperties[kMaxDiameter], 6.0);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_ProjectEntry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_project_entry.moc"
