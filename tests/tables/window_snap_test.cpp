#include "errors.h"
#include "expect_throw_text.h"
#include "window_snap.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

// Four columns of 100, 80, 120 and 60 pixels beside 40 pixels of row numbers, 12 rows of 24
// under 50 pixels of header, a 2-pixel grid border, 16-pixel scroll bars, and 10 pixels of
// width and 60 of height around the grid. The window sizes worked by hand:
//   all rows and columns                 414 x 402
//   all columns, r rows, vertical bar    430 x (114 + 24 r)
//   all rows, columns of width s, bar    (54 + s) x 418
//   both bars                            (70 + s) x (130 + 24 r)
GridMeasures measures(int minimumWidth = 200)
{
    GridMeasures m;
    m.columnWidths = {100, 80, 120, 60};
    m.rowNumberWidth = 40;
    m.headerHeight = 50;
    m.rowHeight = 24;
    m.rowCount = 12;
    m.gridFrame = 4;
    m.verticalScrollBarWidth = 16;
    m.horizontalScrollBarHeight = 16;
    m.chromeWidth = 10;
    m.chromeHeight = 60;
    m.minimumWidth = minimumWidth;
    return m;
}

constexpr DraggedEdges kCorner{false, true, false, true};
constexpr DraggedEdges kRight{false, true, false, false};
constexpr DraggedEdges kLeft{true, false, false, false};
constexpr DraggedEdges kBottom{false, false, false, true};
constexpr DraggedEdges kTop{false, false, true, false};

struct SnapCase {
    const char *name;
    int minimumWidth;
    GridShown current; // left column, columns shown, top row, rows shown
    int width;
    int height;
    DraggedEdges dragged;
    SnapCandidate candidate;
    GridShown shown;
    int snappedWidth;
    int snappedHeight;
};

const SnapCase kSnapCases[] = {
    // Everything fits: all four candidates have no excess and the first one wins.
    {"larger than needed",
     200,
     {0, 4, 0, 10},
     500,
     500,
     kCorner,
     SnapCandidate::AllShown,
     {0, 4, 0, 12},
     414,
     402},
    {"exactly all",
     200,
     {0, 4, 0, 10},
     414,
     402,
     kCorner,
     SnapCandidate::AllShown,
     {0, 4, 0, 12},
     414,
     402},
    // 370 high holds 10 whole rows (354); the 11th would need 378.
    {"part of a row snaps off",
     200,
     {0, 4, 0, 10},
     430,
     370,
     kBottom,
     SnapCandidate::RowsScroll,
     {0, 4, 0, 10},
     430,
     354},
    // Both the vertical-bar and the two-bar windows fit 500 x 300: the earlier one wins.
    {"tie between vertical bar and both bars",
     200,
     {0, 4, 0, 10},
     500,
     300,
     kCorner,
     SnapCandidate::RowsScroll,
     {0, 4, 0, 7},
     430,
     282},
    // From 414 x 402 the right edge goes to 300: two columns (234) fit, and the window grows
    // by the horizontal bar. The two-bar window (250 x 418) has the same excess, 300 x 16.
    {"tie between horizontal bar and both bars",
     200,
     {0, 4, 0, 12},
     300,
     402,
     kRight,
     SnapCandidate::ColumnsScroll,
     {0, 2, 0, 12},
     234,
     418},
    // Columns 2 and 3 reach the right end (234), so column 1 is added on the left (314);
    // column 0 would make 414.
    {"columns added to the left at the right end",
     200,
     {2, 2, 0, 12},
     330,
     418,
     kRight,
     SnapCandidate::ColumnsScroll,
     {1, 3, 0, 12},
     314,
     418},
    {"left edge dragged like the right",
     200,
     {2, 2, 0, 12},
     330,
     418,
     kLeft,
     SnapCandidate::ColumnsScroll,
     {1, 3, 0, 12},
     314,
     418},
    // 300 x 300 from the corner: 2 columns and 7 rows fit with both bars (250 x 298).
    {"both bars fit the corner",
     200,
     {0, 4, 0, 10},
     300,
     300,
     kCorner,
     SnapCandidate::BothScroll,
     {0, 2, 0, 7},
     250,
     298},
    // Only the right edge moves, so the two-bar window keeps its 10 rows (370 high) instead
    // of the 9 that fit 354; its excess 300 x 16 still beats the horizontal bar's 300 x 64.
    {"side edge keeps the shown rows",
     200,
     {0, 4, 2, 10},
     300,
     354,
     kRight,
     SnapCandidate::BothScroll,
     {0, 2, 2, 10},
     250,
     370},
    // Only the bottom edge moves, so the two-bar window keeps columns 1 and 2 (270 wide)
    // instead of the single column that fits 254; it wins with 300 x 16 over 254 x 118.
    {"bottom edge keeps the shown columns",
     200,
     {1, 2, 0, 12},
     254,
     300,
     kBottom,
     SnapCandidate::BothScroll,
     {1, 2, 0, 7},
     270,
     298},
    {"top edge keeps the shown columns",
     200,
     {1, 2, 0, 12},
     254,
     300,
     kTop,
     SnapCandidate::BothScroll,
     {1, 2, 0, 7},
     270,
     298},
    // Eleven rows fit 400, so the top row moves up from 6 to 1 to keep them all filled.
    {"top row moves up to fill the rows",
     200,
     {0, 4, 6, 5},
     430,
     400,
     kBottom,
     SnapCandidate::RowsScroll,
     {0, 4, 1, 11},
     430,
     378},
    // Nothing fits 100 x 100: one row and one column with both bars, as wide as the button
    // row (200 x 154, excess 20800).
    {"tiny window keeps a row and a column",
     200,
     {0, 4, 0, 10},
     100,
     100,
     kCorner,
     SnapCandidate::BothScroll,
     {0, 1, 0, 1},
     200,
     154},
    // A 300-pixel button row: columns fill up to 300 although the user asked for 150.
    {"as wide as the button row",
     300,
     {0, 4, 0, 12},
     150,
     402,
     kRight,
     SnapCandidate::ColumnsScroll,
     {0, 2, 0, 12},
     300,
     418},
};

} // namespace

TEST(WindowSnap, HandWorkedCases)
{
    for (const SnapCase &c : kSnapCases) {
        SCOPED_TRACE(c.name);
        const GridWindowLayout layout =
            snapWindowSize(measures(c.minimumWidth), c.current, c.width, c.height, c.dragged);
        EXPECT_EQ(static_cast<int>(layout.candidate), static_cast<int>(c.candidate));
        EXPECT_EQ(layout.shown.leftColumn, c.shown.leftColumn);
        EXPECT_EQ(layout.shown.columnsShown, c.shown.columnsShown);
        EXPECT_EQ(layout.shown.topRow, c.shown.topRow);
        EXPECT_EQ(layout.shown.rowsShown, c.shown.rowsShown);
        EXPECT_EQ(layout.windowWidth, c.snappedWidth);
        EXPECT_EQ(layout.windowHeight, c.snappedHeight);
        // A winner never shows a scroll bar with nothing to scroll.
        EXPECT_EQ(layout.verticalScrollBar, layout.shown.rowsShown < 12);
        EXPECT_EQ(layout.horizontalScrollBar, layout.shown.columnsShown < 4);
    }
}

// Snapping the size a layout gives back returns that layout: a window the program sized
// itself is left alone.
TEST(WindowSnap, OwnSizeIsStable)
{
    const GridShown parts[] = {{0, 4, 0, 12}, {0, 4, 0, 10}, {0, 2, 0, 12}, {1, 2, 3, 7}};
    for (const GridShown &part : parts) {
        SCOPED_TRACE(testing::Message() << part.leftColumn << "," << part.columnsShown << ","
                                        << part.topRow << "," << part.rowsShown);
        const GridMeasures m = measures(0);
        const GridWindowLayout own = windowLayout(m, part);
        const GridWindowLayout snapped =
            snapWindowSize(m, part, own.windowWidth, own.windowHeight, kCorner);
        EXPECT_EQ(snapped.shown, own.shown);
        EXPECT_EQ(snapped.windowWidth, own.windowWidth);
        EXPECT_EQ(snapped.windowHeight, own.windowHeight);
    }
}

TEST(WindowSnap, LayoutOfShownPart)
{
    const GridMeasures m = measures();
    const GridWindowLayout tenRows = windowLayout(m, {0, 4, 0, 10});
    EXPECT_TRUE(tenRows.verticalScrollBar);
    EXPECT_FALSE(tenRows.horizontalScrollBar);
    EXPECT_EQ(tenRows.gridWidth, 420);  // 4 + 40 + 360 + 16
    EXPECT_EQ(tenRows.gridHeight, 294); // 4 + 50 + 240
    EXPECT_EQ(tenRows.windowWidth, 430);
    EXPECT_EQ(tenRows.windowHeight, 354);
    // Past the right end the part is clamped to the columns there.
    const GridWindowLayout clamped = windowLayout(m, {3, 4, 20, 30});
    EXPECT_EQ(clamped.shown, (GridShown{3, 1, 0, 12}));
    EXPECT_EQ(clamped.windowWidth, 200); // 114 raised to the button row
}

TEST(WindowSnap, GridNeedsAColumnBesideTheRowNumbers)
{
    GridMeasures m = measures();
    m.columnWidths.clear();
    try {
        snapWindowSize(m, {}, 300, 300, kCorner);
        FAIL() << "no exception";
    } catch (const ETableError &error) {
        EXPECT_EQ(error.message().toStdString(), "There must be at least 2 columns in grid");
    }
    EXPECT_THROW_TEXT(windowLayout(m, {}), ETableError, "There must be at least 2 columns in grid");
    m.columnWidths = {100};
    EXPECT_NO_THROW(snapWindowSize(m, {0, 1, 0, 1}, 300, 300, kCorner));
}

struct EdgeCase {
    const char *name;
    bool startDragged;
    bool endDragged;
    int expectedStart;
};

// A window proposed at x = 100, 300 wide, that snaps to 250.
const EdgeCase kEdgeCases[] = {
    {"start edge dragged: the end stays", true, false, 150},
    {"end edge dragged: the start stays", false, true, 100},
    {"both dragged: the start stays", true, true, 100},
    {"neither dragged: the start stays", false, false, 100},
};

TEST(WindowSnap, OppositeEdgeStays)
{
    for (const EdgeCase &c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(snappedStart(100, 300, 250, c.startDragged, c.endDragged), c.expectedStart);
    }
}
