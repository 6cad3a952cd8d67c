#include "errors.h"
#include "evaluator.h"
#include "expect_throw_text.h"
#include "grid_table.h"
#include "qt_print.h"
#include "table_definition.h"
#include "unit_code.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace vorna;

namespace {

// One table with a column of each value kind: choice, integer 0..100, real in lbs/ft^2,
// dimensionless real with default 1, text.
struct SampleTable {
    SampleTable()
    {
        TableSpec definition;
        definition.caption = QStringLiteral("Test");
        definition.minRows = 3;
        definition.columns = {
            choiceColumn({QStringLiteral("Kind")},
                         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}),
            intColumn({QStringLiteral("Blow Counts"), QStringLiteral("-Optional-")}, 0, 100),
            realColumn({QStringLiteral("Max. Side "), QStringLiteral("Friction")},
                       QStringLiteral("F/L2^2")),
            realColumn({QStringLiteral("Factor")}, {}, 1.0),
            textColumn({QStringLiteral("Note")}, QStringLiteral("none")),
        };
        table = createTable(registry, definition);
        table->SetCellChangedHandler([this](int column, int row) {
            changes.push_back({column, row});
        });
    }

    TableRegistry registry;
    std::unique_ptr<TGridTable> table;
    std::vector<std::pair<int, int>> changes;
};

class Columns : public testing::Test, public SampleTable {};

TEST_F(Columns, NewRowsHoldDefaults)
{
    EXPECT_EQ(table->RowCount(), 3);
    EXPECT_EQ(table->Column(0).CellText(2), QStringLiteral("1"));
    EXPECT_EQ(table->Column(1).AsInteger(2), 0);
    EXPECT_EQ(table->Column(3).CellText(2), QStringLiteral("1"));
    EXPECT_EQ(table->Column(4).CellText(2), QStringLiteral("none"));
}

TEST_F(Columns, UnitSwitchConvertsRealsOnly)
{
    TColumn &psf = table->Column(2);
    psf.SetFloat(0, 2000.0);
    table->Column(3).SetFloat(0, 0.8);
    EXPECT_EQ(psf.HeaderLine(1), QStringLiteral("Friction (lbs/ft^2)  "));

    table->SetUnits(kSiUnits);
    EXPECT_NEAR(psf.AsFloat(0), 2000.0 / (224.8089237 / (3.280839895 * 3.280839895)), 1e-9);
    EXPECT_NEAR(psf.AsFloat(0), 95.76, 0.005);
    EXPECT_EQ(table->Column(3).AsFloat(0), 0.8);
    EXPECT_EQ(psf.HeaderLine(1), QStringLiteral("Friction (kN/m^2)  "));
    EXPECT_EQ(psf.HeaderLine(0), QStringLiteral("Max. Side "));

    table->SetUnits(kEnglishUnits);
    EXPECT_NEAR(psf.AsFloat(0), 2000.0, 1e-9);
    EXPECT_EQ(psf.CellText(0), QStringLiteral("2000"));
}

TEST_F(Columns, SameSystemChangesNothing)
{
    table->Column(2).SetFloat(1, 1234.5);
    changes.clear();
    table->SetUnits(kEnglishUnits);
    EXPECT_EQ(table->Column(2).AsFloat(1), 1234.5);
    EXPECT_TRUE(changes.empty());
}

struct EntryCase {
    const char *name;
    int column;
    const char *text;
    const char *message;  // nullptr when the entry is taken
    const char *cellText; // the cell afterwards
};

TEST_F(Columns, TypedEntries)
{
    const EntryCase cases[] = {
        {"integer expression", 1, "2*50", nullptr, "100"},
        {"integer above max", 1, "101", "Entry must be between 0 and 100.", "0"},
        {"integer below min", 1, "-1", "Entry must be between 0 and 100.", "0"},
        {"integer fraction", 1, "2.5", "Entry must be an integer.", "0"},
        {"negative integer fraction", 1, "-2.5", "Entry must be an integer.", "0"},
        {"integer within rounding noise", 1, "(1/3)*3", nullptr, "1"}, // 0.999999999999999999
        {"integer blank", 1, "", "Entry could not be evaluated:\rentry cannot be blank", "0"},
        {"real expression", 2, "2*3", nullptr, "6"},
        {"real eight digits", 2, "1/3", nullptr, "0.33333333"},
        {"real large", 2, "2e20", nullptr, "2E20"},
        {"real small", 2, "-2.5e-7", nullptr, "-2.5E-7"},
        {"real beyond a stored real", 2, "10^400",
         "Entry could not be evaluated:\rnumber too large", "0"},
        {"real bad text", 2, "12ft",
         "Entry could not be evaluated:\rinvalid character(s) in expression", "0"},
        {"choice by text", 0, "3", nullptr, "3"},
        {"choice expression", 0, "1+1", nullptr, "2"},
        {"choice fraction", 0, "1.5", "Value must be an integer.", "1"},
        {"choice outside list", 0, "4", "Choice must be between 1 and 3.", "1"},
        {"choice zero", 0, "0", "Choice must be between 1 and 3.", "1"},
        {"text unchanged", 4, " 2*3 ", nullptr, " 2*3 "},
    };
    for (const EntryCase &c : cases) {
        SCOPED_TRACE(c.name);
        SampleTable fresh;
        TColumn &column = fresh.table->Column(c.column);
        try {
            column.SetCellText(1, QString::fromUtf8(c.text));
            EXPECT_EQ(c.message, nullptr) << "entry was taken";
        } catch (const EAssignError &e) {
            ASSERT_NE(c.message, nullptr) << e.what();
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
        EXPECT_EQ(column.CellText(1), QString::fromUtf8(c.cellText));
    }
}

// What a cell shows must read back as the same value when the user edits and leaves it.
TEST_F(Columns, RealCellTextReadsBack)
{
    TColumn &column = table->Column(3);
    for (double value : {1e8, 123456789.0, 1e-5, -3.25e100, 4000000.0, 0.1}) {
        SCOPED_TRACE(value);
        column.SetCellText(0, generalText(value, 17));
        const QString shown = column.CellText(0);
        column.SetCellText(0, shown);
        EXPECT_EQ(column.CellText(0), shown);
        EXPECT_NEAR(column.AsFloat(0), value, 1e-7 * std::fabs(value));
    }
}

TEST_F(Columns, ChoiceTextAndChangeNotice)
{
    auto &kind = dynamic_cast<TEnumColumn &>(table->Column(0));
    kind.SetCellText(0, QStringLiteral("3"));
    EXPECT_EQ(kind.ChoiceText(0), QStringLiteral("c"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(0, 0));
    kind.SetInteger(0, 3); // the same choice again
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(Columns, WrongKindAccess)
{
    EXPECT_THROW_TEXT(table->Column(2).AsInteger(0), EInvalidCast, "Data of wrong type");
    EXPECT_THROW_TEXT(table->Column(1).AsFloat(0), EInvalidCast, "Data of wrong type");
    EXPECT_THROW_TEXT(table->Column(4).SetFloat(0, 1.0), EInvalidCast, "Data of wrong type");
    EXPECT_THROW_TEXT(table->Column(0).AsTable(0), EInvalidCast, "Data of wrong type");
    try {
        table->Column(2).AsInteger(0);
    } catch (const EInvalidCast &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Data of wrong type"));
    }
    EXPECT_THROW_TEXT(table->Column(2).AsFloat(3), ETableError, "Index out of bounds");
}

TEST_F(Columns, CellHandlesFollowTheirRow)
{
    TColumn &psf = table->Column(2);
    TData &third = psf.Cell(2);
    third.SetFloat(7.0);
    table->AddRowGroup();
    ASSERT_TRUE(table->DeleteRowGroup(0));
    EXPECT_EQ(third.Row(), 1);
    EXPECT_EQ(third.AsFloat(), 7.0);
    EXPECT_EQ(third.Text(), QStringLiteral("7"));
}

// Grouped columns write a value to every row of the row group.
TEST(GroupedColumn, WritesWholeRowGroup)
{
    TableRegistry registry;
    TableSpec definition;
    definition.minRows = 4;
    definition.rowGroup = 2;
    ColumnSpec grouped = realColumn({QStringLiteral("Load")});
    grouped.grouped = true;
    definition.columns = {grouped, realColumn({QStringLiteral("Other")})};
    auto table = createTable(registry, definition);
    table->Column(0).SetFloat(3, 5.0);
    table->Column(1).SetFloat(3, 5.0);
    EXPECT_EQ(table->Column(0).AsFloat(2), 5.0);
    EXPECT_EQ(table->Column(0).AsFloat(1), 0.0);
    EXPECT_EQ(table->Column(1).AsFloat(2), 0.0);

    table->InsertRowGroup(3); // inserts rows 2 and 3
    EXPECT_EQ(table->RowCount(), 6);
    EXPECT_EQ(table->Column(0).AsFloat(2), 0.0);
    EXPECT_EQ(table->Column(0).AsFloat(4), 5.0);
}

// Depth pairs: a TopDepth column and the real column after it.
class DepthPairs : public testing::Test {
protected:
    DepthPairs()
    {
        TableSpec definition;
        ColumnSpec top = realColumn({QStringLiteral("Top")}, QStringLiteral("L2"));
        top.topDepth = true;
        definition.columns = {top, realColumn({QStringLiteral("Bottom")}, QStringLiteral("L2"))};
        table = createTable(registry, definition);
        table->SetRowCount(3);
        // 0-10, 10-20, 20-30
        for (int r = 0; r < 3; ++r)
            table->Column(1).SetFloat(r, 10.0 * (r + 1));
    }
    double top(int r) const { return table->Column(0).AsFloat(r); }
    double bottom(int r) const { return table->Column(1).AsFloat(r); }

    TableRegistry registry;
    std::unique_ptr<TGridTable> table;
};

TEST_F(DepthPairs, WritesJoinRows)
{
    EXPECT_EQ(top(1), 10.0);
    EXPECT_EQ(top(2), 20.0);
    table->Column(0).SetFloat(2, 25.0);
    EXPECT_EQ(bottom(1), 25.0);
    EXPECT_EQ(top(0), 0.0);
}

TEST_F(DepthPairs, InsertedRowJoinsNeighbours)
{
    table->InsertRowGroup(1);
    ASSERT_EQ(table->RowCount(), 4);
    EXPECT_EQ(top(1), 10.0);    // bottom of the row above
    EXPECT_EQ(bottom(1), 10.0); // top of the row below
    EXPECT_EQ(top(2), 10.0);
}

TEST_F(DepthPairs, DeletedMiddleRowClosesGap)
{
    table->DeleteRowGroup(1);
    ASSERT_EQ(table->RowCount(), 2);
    EXPECT_EQ(top(1), 10.0);
    EXPECT_EQ(bottom(1), 30.0);
}

TEST(DepthPairsDefinition, TopDepthNeedsRealColumnAfterIt)
{
    TableRegistry registry;
    TGridTable table(registry);
    table.AddColumn(std::make_unique<TFloatColumn>(table, QStringList{QStringLiteral("Top")},
                                                   QString(), 0.0, true));
    try {
        table.AddColumn(std::make_unique<TIntColumn>(table, QStringList{QStringLiteral("N")}));
        FAIL();
    } catch (const ETableError &e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("If column if a topdepth then the next column must be a float column"));
    }
}

} // namespace
