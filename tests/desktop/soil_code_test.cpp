#include "grid_table.h"
#include "program_tables.h"
#include "project_file.h"
#include "soil_code.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;

namespace {

struct SoilCase {
    int number;
    const char *choice;
    const char *templateCaption;
    bool rock;
    const char *band;
    int fill;
};
const SoilCase kSoilCases[] = {
    {1, "sand (FHWA Spec.)", "Sand Layer Data", false, " SAND ", 7},
    {2, "clay (FHWA Spec.)", "Clay Layer Data", false, " CLAY ", 1},
    {3, "shale (Reese &Aurora)", "Shale Layer Data", false, " SHALE ", 8},
    {4, "strong rock (FHWA - use either side friction or end bearing)", "Strong Rock Layer Data",
     true, " ROCK ", 9},
    {5, "decomposed rock/gravel (FHWA Spec.)", "Decomposed Geo. Layer Data", true,
     " DECOMPOSED ROCK ", 10},
    {6, "weak rock (FHWA Spec.)", "Weak Rock Layer Data", true, " WEAK ROCK ", 12},
    {7, "strong rock (side friction+end bearing)", "Strong Rock Layer Data", true, " ROCK ", 9},
    {8, "gravelly sand (Rollins et al)", "Gravelly Sand Layer Data", false, " GRAVELLY SAND ", 11},
    {9, "gravel (Rollins et al)", "Gravel Layer Data", false, " GRAVEL ", 12},
};

// A one-layer project of each code goes through the file and comes back as the same code,
// with its choice text and its template; only a rock layer drops the load-settlement curves.
TEST(SoilCode, EveryCodeRoundTripsThroughTheProjectFile)
{
    QTemporaryDir dir;
    ProgramTables tables;
    for (const SoilCase &c : kSoilCases) {
        SCOPED_TRACE(c.number);
        const std::optional<SoilCode> code = soilCodeFromNumber(c.number);
        ASSERT_TRUE(code);
        EXPECT_EQ(soilCodeNumber(*code), c.number);
        EXPECT_EQ(soilCodeEntry(*code).isRock, c.rock);
        EXPECT_EQ(QString::fromLatin1(soilCodeEntry(*code).bandName), QString::fromLatin1(c.band));
        EXPECT_EQ(soilCodeEntry(*code).bandFill, c.fill);

        TProgramData project = TProgramData::CreateNew(tables);
        setLayerSoilCode(tables.SoilLayers(), 0, *code);
        tables.SoilLayers().Column(kBottomDepthColumn).SetFloat(0, 30.0);
        project.fileName = dir.filePath(QStringLiteral("layer.vrd"));
        SaveToFile(project, tables);
        EXPECT_EQ(project.KLS, c.rock ? 0 : 1);

        QStringList messages;
        CreateFromFile(project.fileName, ProjectLayout::Current, tables, messages);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        const TGridTable &layers = tables.SoilLayers();
        ASSERT_EQ(layers.RowCount(), 1);
        EXPECT_EQ(layerSoilCode(layers, 0), *code);
        EXPECT_EQ(hasRockLayer(layers), c.rock);
        const auto &choice = dynamic_cast<const TEnumColumn &>(layers.Column(kSoilTypeColumn));
        EXPECT_EQ(choice.ChoiceText(0), QString::fromLatin1(c.choice));
        const TGridTable *parameters = layers.Column(kLayerDataColumn).AsTable(0);
        ASSERT_NE(parameters, nullptr);
        EXPECT_EQ(parameters->Caption, QString::fromLatin1(c.templateCaption));
    }
}

TEST(SoilCode, NumbersOutsideOneToNineAreNoCode)
{
    for (int number : {-1, 0, 10, 31})
        EXPECT_FALSE(soilCodeFromNumber(number)) << number;
}

} // namespace
