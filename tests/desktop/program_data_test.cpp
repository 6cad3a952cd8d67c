#include "../tables/qt_print.h"
#include "expect_throw_text.h"
#include "project_file.h"
#include "project_helpers.h"
#include "table_definition.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;
using namespace vorna::test;

namespace {

class ProgramData : public testing::Test {
protected:
    ProgramTables tables;
};

TEST_F(ProgramData, NewProjectDefaults)
{
    const TProgramData p = TProgramData::CreateNew(tables);
    EXPECT_EQ(p.title, QStringLiteral("New Pile"));
    EXPECT_EQ(p.fileName, QStringLiteral("NewVorna.vrd"));
    EXPECT_EQ(p.unitSystem, UnitSystem::English);
    EXPECT_EQ(p.designControl, DesignControl::DesignDepth);
    EXPECT_EQ(p.proposedLength, 0.0);
    EXPECT_EQ(p.loadingType, LoadingType::Compression);
    EXPECT_EQ(p.FST, 2.5);
    EXPECT_EQ(p.FSB, 3.0);
    EXPECT_EQ(p.outputIncrement, 1.0);
    EXPECT_EQ(p.endBearingOption, 1);
    EXPECT_EQ(p.designMethod, DesignMethod::AllowableStress);
    EXPECT_EQ(p.KLS, 1);
    EXPECT_TRUE(p.currentLayout);
    EXPECT_FALSE(p.IsModified(tables));
    const TGridTable &layers = tables.SoilLayers();
    ASSERT_EQ(layers.RowCount(), 1);
    EXPECT_EQ(layers.Column(kSoilTypeColumn).AsInteger(0), 1);
    EXPECT_EQ(layers.Column(kLrfdSideColumn).AsFloat(0), 1.0);
    EXPECT_EQ(layers.Column(kLayerDataColumn).AsTable(0)->RowCount(), 2);
    EXPECT_FALSE(layers.Column(kLrfdSideColumn).Visible);
}

TEST_F(ProgramData, NewProjectEmptiesTablesAndReturnsToEnglish)
{
    TProgramData p = TProgramData::CreateNew(tables);
    p.ChangeUnits(UnitSystem::SI, tables);
    tables.SoilLayers().AddRowGroup();
    tables.SoilLayers().SetModified(true);
    p = TProgramData::CreateNew(tables);
    EXPECT_EQ(tables.SoilLayers().RowCount(), 1);
    for (const TGridTable *t : tables.All())
        EXPECT_EQ(t->UnitSystem(), 1);
    EXPECT_FALSE(p.IsModified(tables));
}

// Saving keeps one of design load and proposed length: a positive length wins.
TEST_F(ProgramData, DesignControlFollowsProposedLength)
{
    struct Case {
        const char *name;
        double length;
        double load;
        int control;
        const char *record5;
    };
    const Case cases[] = {
        {"length given", 20.0, 300.0, 2, "1 0 20 2.5 3\r\n"},
        {"load given", 0.0, 300.0, 1, "1 0 300 2.5 3\r\n"},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TProgramData p = TProgramData::CreateNew(tables);
        p.proposedLength = c.length;
        p.designLoad = c.load;
        p.fileName = dir.filePath(QStringLiteral("p.vrd"));
        SaveToFile(p, tables);
        const QByteArray text = readFile(p.fileName);
        EXPECT_EQ(fileNumber(p.designControl), c.control);
        EXPECT_TRUE(
            text.contains(QByteArray("\r\n") + QByteArray::number(c.control) + " 1 1 1 1 2\r\n"));
        EXPECT_TRUE(text.contains(c.record5)) << text.toStdString();
        EXPECT_EQ(c.control == 2 ? p.designLoad : p.proposedLength, 0.0);
    }
}

TEST_F(ProgramData, UnitSwitchThereAndBack)
{
    TProgramData p = TProgramData::CreateNew(tables);
    p.shaftProperties[kMinDiameter] = 2.0;
    p.shaftProperties[kMaxDiameter] = 6.0;
    p.shaftProperties[kBellRatio] = 2.5;
    p.shaftProperties[kShaftModulus] = 4000000.0;
    p.designLoad = 300.0;
    p.FST = 2.5;
    TGridTable &layers = tables.SoilLayers();
    layers.Column(kMaxSideFrictionColumn).SetFloat(0, 2000.0);
    const QStringList english = snapshot(p, tables);

    p.ChangeUnits(UnitSystem::SI, tables);
    EXPECT_NEAR(p.shaftProperties[kMinDiameter], 0.6096, 1e-12);
    EXPECT_NEAR(p.shaftProperties[kMaxDiameter], 1.8288, 1e-12);
    EXPECT_EQ(p.shaftProperties[kBellRatio], 2.5);
    EXPECT_NEAR(p.shaftProperties[kShaftModulus], 27579031.55, 0.01); // kN/m^2
    EXPECT_NEAR(p.designLoad, 2668.93, 0.01);                         // kN
    EXPECT_EQ(p.FST, 2.5);
    EXPECT_NEAR(layers.Column(kMaxSideFrictionColumn).AsFloat(0), 95.76, 0.005);
    EXPECT_EQ(layers.Column(kBottomDepthColumn).HeaderLine(1),
              QStringLiteral("of each Layer (m)  "));

    const QStringList si = snapshot(p, tables);
    p.ChangeUnits(UnitSystem::SI, tables); // the system the project already has changes nothing
    EXPECT_EQ(snapshot(p, tables), si);
    p.ChangeUnits(unitSystemFromFile(7), tables); // a file's 7 is clamped to SI
    EXPECT_EQ(snapshot(p, tables), si);

    p.ChangeUnits(unitSystemFromFile(0), tables); // and 0 to English
    EXPECT_NEAR(p.shaftProperties[kMinDiameter], 2.0, 1e-9);
    EXPECT_NEAR(p.shaftProperties[kMaxDiameter], 6.0, 1e-9);
    EXPECT_NEAR(p.designLoad, 300.0, 1e-6);
    EXPECT_NEAR(p.shaftProperties[kShaftModulus], 4000000.0, 1e-3);
    EXPECT_NEAR(layers.Column(kMaxSideFrictionColumn).AsFloat(0), 2000.0, 1e-9);
    EXPECT_EQ(layers.Column(kBottomDepthColumn).HeaderLine(1),
              QStringLiteral("of each Layer (ft)  "));
}

// Each soil type choice gives the layer its own type's parameter table.
TEST_F(ProgramData, SoilTypeChoicesSelectTheirTemplates)
{
    const char *const captions[] = {
        "Sand Layer Data",
        "Clay Layer Data",
        "Shale Layer Data",
        "Strong Rock Layer Data",
        "Decomposed Geo. Layer Data",
        "Weak Rock Layer Data",
        "Strong Rock Layer Data",
        "Gravelly Sand Layer Data",
        "Gravel Layer Data",
    };
    const int columns[] = {5, 5, 5, 7, 5, 7, 7, 3, 3};
    TProgramData::CreateNew(tables);
    TGridTable &layers = tables.SoilLayers();
    layers.AddRowGroup();
    auto &buttons = dynamic_cast<TTableColumn &>(layers.Column(kLayerDataColumn));
    for (int code = 1; code <= 9; ++code) {
        SCOPED_TRACE(code);
        layers.Column(kSoilTypeColumn).SetCellText(1, QString::number(code));
        const TGridTable *sub = layers.Column(kLayerDataColumn).AsTable(1);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->Caption, QString::fromLatin1(captions[code - 1]));
        EXPECT_EQ(sub->ColumnCount(), columns[code - 1]);
        EXPECT_EQ(sub->RowCount(), 2);
        EXPECT_EQ(sub->MinRows(), 2);
        EXPECT_EQ(sub->MaxRows(), 2);
        EXPECT_EQ(buttons.ButtonCaption(1),
                  QStringLiteral("2: ") + QString::fromLatin1(captions[code - 1]));
        EXPECT_EQ(sub->WindowCaption(),
                  QString::fromLatin1(captions[code - 1]) + QStringLiteral("  2"));
    }
}

TEST_F(ProgramData, HeaderTextsWithUnits)
{
    struct Case {
        int code;
        int column;
        QStringList english;
        QStringList si;
    };
    const Case cases[] = {
        {1, 0, {"Total Unit Weight", " (lbs/ft^3)  "}, {"Total Unit Weight", " (kN/m^3)  "}},
        {1, 1, {"", "Friction Angle"}, {"", "Friction Angle"}},
        {2, 1, {"Cohesion", " (lbs/ft^2)  "}, {"Cohesion", " (kN/m^2)  "}},
        {4, 5, {"Elastic", "Modulus (lbs/in^2)  "}, {"Elastic", "Modulus (kN/m^2)  "}},
        {6, 2, {"Concrete ", "Slump (in)  "}, {"Concrete ", "Slump (m)  "}},
        {5, 4, {"Socket", "Diameter (ft)  "}, {"Socket", "Diameter (m)  "}},
        {8, 1, {"Blow Counts"}, {"Blow Counts"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code * 10 + c.column);
        TGridTable &t = tables.Template(*soilCodeFromNumber(c.code));
        EXPECT_EQ(t.Column(c.column).HeaderLines(), c.english);
        t.SetUnits(2);
        EXPECT_EQ(t.Column(c.column).HeaderLines(), c.si);
        t.SetUnits(1);
    }
}

TEST_F(ProgramData, BlowCountLimits)
{
    TGridTable &sand = tables.Template(SoilCode::Sand);
    EXPECT_THROW_TEXT(sand.Column(2).SetCellText(0, QStringLiteral("101")), EAssignError,
                      "Entry must be between 0 and 100.");
    sand.Column(2).SetCellText(0, QStringLiteral("100"));
    EXPECT_EQ(sand.Column(2).AsInteger(0), 100);
    TGridTable &gravel = tables.Template(SoilCode::Gravel);
    gravel.Column(1).SetCellText(0, QStringLiteral("150")); // no limits there
    EXPECT_EQ(gravel.Column(1).AsInteger(0), 150);
}

TEST_F(ProgramData, DesignMethodShowsLrfdColumnsAndComments)
{
    const TGridTable &layers = tables.SoilLayers();
    const QString limits = QString::fromUtf8(
        "Max. Side Friction and Max. End Bearing:\r\u00b7 If entries are left as zero, the program "
        "assumes no limits in side friction and end bearing computed by the program.");
    EXPECT_EQ(layers.Comments, limits);
    EXPECT_EQ(layers.VisibleColumnCount(), 5);
    tables.SetDesignMethod(DesignMethod::Lrfd);
    EXPECT_EQ(layers.VisibleColumnCount(), 7);
    EXPECT_TRUE(layers.Comments.startsWith(limits + QStringLiteral("\rLRFD Resistance Factors\r")));
    EXPECT_TRUE(layers.Comments.endsWith(QStringLiteral("for for tip resistance in each layer.")));
    EXPECT_TRUE(
        tables.Template(SoilCode::Sand)
            .Comments.startsWith(QStringLiteral("The user may optionally enter blow counts")));
}

} // namespace
