#include "errors.h"
#include "expect_throw_text.h"
#include "grid_table.h"
#include "qt_print.h"
#include "table_definition.h"
#include "unit_code.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

// Two parameter templates (Identifiers 1 and 2) and a layer table whose first column
// chooses between them and whose third column holds each row's parameter table.
class Layers : public testing::Test {
protected:
    Layers()
    {
        sand = createTable(registry, parameterSpec(1, "Sand Layer Data", "Friction Angle", {}));
        clay = createTable(registry, parameterSpec(2, "Clay Layer Data", "Cohesion", "F/L2^2"));
        TableSpec definition;
        definition.identifier = 10;
        definition.caption = QStringLiteral("Soil Layer Data");
        definition.minRows = 1;
        definition.maxRows = 4;
        definition.columns = {
            choiceColumn({QStringLiteral("Soil Type")},
                         {QStringLiteral("sand"), QStringLiteral("clay")}),
            realColumn({QStringLiteral("Depth")}, QStringLiteral("L2")),
            tableColumn({QStringLiteral("Layer  Data")}, {1, 2}),
        };
        layers = createTable(registry, definition);
    }

    static TableSpec parameterSpec(int id, const char *caption, const char *header,
                                   const char *units)
    {
        TableSpec definition;
        definition.identifier = id;
        definition.caption = QString::fromLatin1(caption);
        definition.minRows = 2;
        definition.maxRows = 2;
        definition.topLeft = QStringLiteral("Location, 1=Top, 2=Bottom");
        definition.columns = {
            realColumn({QString::fromLatin1(header)}, QString::fromLatin1(units))};
        return definition;
    }

    TTableColumn &subTables() const { return dynamic_cast<TTableColumn &>(layers->Column(2)); }
    TGridTable *sub(int row) const { return layers->Column(2).AsTable(row); }

    TableRegistry registry;
    std::unique_ptr<TGridTable> sand;
    std::unique_ptr<TGridTable> clay;
    std::unique_ptr<TGridTable> layers;
};

TEST_F(Layers, NewRowGetsCopyOfChosenTemplate)
{
    ASSERT_EQ(layers->RowCount(), 1);
    TGridTable *first = sub(0);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, sand.get());
    EXPECT_EQ(first->Caption, QStringLiteral("Sand Layer Data"));
    EXPECT_EQ(first->TopLeft, sand->TopLeft);
    EXPECT_EQ(first->RowCount(), 2);
    EXPECT_EQ(first->MaxRows(), 2);
    EXPECT_EQ(first->Column(0).DefinedHeaderLines(), QStringList{QStringLiteral("Friction Angle")});
    EXPECT_EQ(first->Number(), 1);
    EXPECT_EQ(first->Owner(), layers.get());
    EXPECT_NE(first->Identifier(), sand->Identifier());
    // The copy has its own values.
    first->Column(0).SetFloat(0, 30.0);
    EXPECT_EQ(sand->Column(0).AsFloat(0), 0.0);
}

TEST_F(Layers, SoilTypeChangeReplacesParameterTable)
{
    layers->AddRowGroup();
    sub(1)->Column(0).SetFloat(0, 32.0);
    layers->Column(0).SetCellText(1, QStringLiteral("2"));
    TGridTable *replaced = sub(1);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(replaced->Caption, QStringLiteral("Clay Layer Data"));
    EXPECT_EQ(replaced->Column(0).AsFloat(0), 0.0);
    EXPECT_EQ(replaced->Column(0).AsFloat(1), 0.0);
    EXPECT_EQ(replaced->Number(), 2);
    EXPECT_EQ(subTables().ButtonCaption(1), QStringLiteral("2: Clay Layer Data"));
    EXPECT_EQ(subTables().ButtonCaption(0), QStringLiteral("1: Sand Layer Data"));
}

TEST_F(Layers, DeleteRenumbersRowsBelow)
{
    layers->AddRowGroup();
    layers->AddRowGroup();
    TGridTable *second = sub(1);
    TGridTable *third = sub(2);
    ASSERT_TRUE(layers->DeleteRowGroup(0));
    EXPECT_EQ(sub(0), second);
    EXPECT_EQ(sub(1), third);
    EXPECT_EQ(second->Number(), 1);
    EXPECT_EQ(third->Number(), 2);
    EXPECT_EQ(third->WindowCaption(), QStringLiteral("Sand Layer Data  2"));
}

TEST_F(Layers, InsertRenumbersRowsBelow)
{
    layers->AddRowGroup();
    TGridTable *old = sub(0);
    ASSERT_TRUE(layers->InsertRowGroup(0));
    EXPECT_EQ(sub(1), old);
    EXPECT_EQ(old->Number(), 2);
    EXPECT_EQ(sub(0)->Number(), 1);
    EXPECT_EQ(sub(2)->Number(), 3);
}

TEST_F(Layers, DeletedRowsLeaveTheRegistry)
{
    const int before = registry.Count();
    layers->AddRowGroup();
    EXPECT_EQ(registry.Count(), before + 1);
    layers->SetRowCount(0);
    EXPECT_EQ(registry.Count(), before - 1);
    layers.reset();
    EXPECT_EQ(registry.Count(), 2);
}

TEST_F(Layers, RowLimits)
{
    EXPECT_FALSE(layers->CanDeleteRowGroup());
    EXPECT_FALSE(layers->DeleteRowGroup(0));
    EXPECT_EQ(layers->RowCount(), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(layers->AddRowGroup());
    EXPECT_FALSE(layers->CanAddRowGroup());
    EXPECT_FALSE(layers->AddRowGroup());
    EXPECT_FALSE(layers->InsertRowGroup(0));
    EXPECT_EQ(layers->RowCount(), 4);
    EXPECT_THROW_TEXT(layers->DeleteRowGroup(4), ETableError, "Grid.Row not in valid range");
    EXPECT_THROW_TEXT(layers->InsertRowGroup(-1), ETableError, "Grid.Row not in valid range");
    try {
        layers->SetMinRows(0);
        FAIL();
    } catch (const ETableError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Value must be greater than 0"));
    }
    try {
        layers->DeleteRowGroup(7);
        FAIL();
    } catch (const ETableError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Grid.Row not in valid range"));
    }
}

TEST_F(Layers, UnitsReachSubTables)
{
    layers->Column(1).SetFloat(0, 10.0);
    sub(0)->Column(0).SetFloat(0, 30.0);
    layers->Column(0).SetInteger(0, 2);
    sub(0)->Column(0).SetFloat(0, 2000.0);
    layers->SetUnits(kSiUnits);
    EXPECT_EQ(sub(0)->UnitSystem(), kSiUnits);
    EXPECT_NEAR(layers->Column(1).AsFloat(0), 3.048, 1e-9);
    EXPECT_NEAR(sub(0)->Column(0).AsFloat(0), 95.76052, 1e-5);
    EXPECT_EQ(layers->Column(1).HeaderLine(0), QStringLiteral("Depth (m)  "));
    // A row added in SI units starts in SI units.
    layers->AddRowGroup();
    EXPECT_EQ(sub(1)->UnitSystem(), kSiUnits);
}

TEST_F(Layers, ModifiedStateIncludesSubTables)
{
    EXPECT_FALSE(layers->IsModified());
    sub(0)->SetModified(true);
    EXPECT_TRUE(layers->IsModified());
    layers->SetModified(false);
    EXPECT_FALSE(sub(0)->IsModified());
    EXPECT_FALSE(layers->IsModified());

    layers->CommitCellText(1, 0, QStringLiteral("2*3"));
    EXPECT_TRUE(layers->IsModified());
    EXPECT_EQ(layers->Column(1).CellText(0), QStringLiteral("6"));
    layers->SetModified(false);
    EXPECT_THROW_TEXT(layers->CommitCellText(1, 0, QStringLiteral("2*")), EAssignError,
                      "Entry could not be evaluated:\rinvalid expression");
    EXPECT_FALSE(layers->IsModified());
    EXPECT_EQ(layers->Column(1).AsFloat(0), 6.0);
}

TEST_F(Layers, NumberPaths)
{
    EXPECT_EQ(layers->NumberPath(), QString());
    layers->AddRowGroup();
    layers->AddRowGroup();
    EXPECT_EQ(sub(2)->NumberPath(), QStringLiteral(" 3"));
    EXPECT_EQ(sub(2)->WindowCaption(), QStringLiteral("Sand Layer Data  3"));
}

TEST_F(Layers, IdentifiersStayUnique)
{
    EXPECT_EQ(registry.FindIdentifier(10), layers.get());
    EXPECT_EQ(registry.FindIdentifier(1), sand.get());
    EXPECT_EQ(registry.IndexOfIdentifier(99), -1);
    EXPECT_EQ(registry.TableAt(-1), nullptr);
    const int old = clay->Identifier();
    clay->SetIdentifier(1); // sand takes clay's old number
    EXPECT_EQ(clay->Identifier(), 1);
    EXPECT_EQ(sand->Identifier(), old);
    clay->SetIdentifier(-5);
    EXPECT_EQ(clay->Identifier(), 1);
    // New tables never take a number in use.
    TGridTable extra(registry);
    for (int i = 0; i < registry.Count(); ++i) {
        const TGridTable *t = registry.TableAt(i);
        EXPECT_TRUE(t == &extra || t->Identifier() != extra.Identifier());
    }
}

TEST_F(Layers, VisibleColumnsAndHeaderRows)
{
    EXPECT_EQ(layers->VisibleColumnCount(), 3);
    layers->Column(1).Visible = false;
    EXPECT_EQ(layers->VisibleColumnCount(), 2);
    EXPECT_EQ(&layers->VisibleColumn(1), &layers->Column(2));
    EXPECT_EQ(layers->VisibleIndexOf(layers->Column(1)), -1);
    EXPECT_EQ(layers->VisibleIndexOf(layers->Column(2)), 1);
    EXPECT_EQ(layers->HeaderRowCount(), 1);
    try {
        layers->VisibleColumn(2);
        FAIL();
    } catch (const ETableError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Index out of bounds"));
    }
}

TEST_F(Layers, TemplateListFollowsChoices)
{
    EXPECT_EQ(subTables().Templates().Count(), 2);
    // A choice without a template gives the row no parameter table.
    subTables().Templates().Resize(1);
    layers->Column(0).SetInteger(0, 2);
    EXPECT_EQ(sub(0), nullptr);
    EXPECT_EQ(subTables().ButtonCaption(0), QStringLiteral("1: "));
}

} // namespace

// A template is never shown itself: its picture goes with the copies, and a window open on
// a table hears of a new picture through the layout-changed handler.
TEST_F(Layers, HelpPictureGoesWithCopiesAndReachesTheWindow)
{
    EXPECT_TRUE(layers->HelpPicture().isEmpty());
    const QByteArray picture("\x89PNG picture bytes");
    clay->SetHelpPicture(picture);
    layers->Column(0).SetCellText(0, QStringLiteral("2"));
    ASSERT_NE(sub(0), nullptr);
    EXPECT_EQ(sub(0)->HelpPicture(), picture);

    int layouts = 0;
    layers->SetLayoutChangedHandler([&layouts] { ++layouts; });
    layers->SetHelpPicture(picture);
    EXPECT_EQ(layouts, 1);
    layers->SetHelpPicture(picture); // unchanged: nothing to refresh
    EXPECT_EQ(layouts, 1);
    layers->SetHelpPicture({});
    EXPECT_EQ(layouts, 2);
    EXPECT_TRUE(layers->HelpPicture().isEmpty());
}
