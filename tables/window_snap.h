// Window size snapping of a table window: which whole rows and columns a proposed window size
// can show, and the window size that shows exactly them. Plain arithmetic on pixel measures,
// so the choice is tested without widgets.
#pragma once

#include <vector>

namespace vorna {

// The measures of a table window that do not change while the user resizes it, in pixels.
struct GridMeasures {
    std::vector<int> columnWidths; // the scrolling columns, in order
    int rowNumberWidth = 0;        // the fixed column of row-group numbers
    int headerHeight = 0;          // all header rows together
    int rowHeight = 0;
    int rowCount = 0;
    int gridFrame = 0; // the grid's border, both sides together
    int verticalScrollBarWidth = 0;
    int horizontalScrollBarHeight = 0;
    int chromeWidth = 0;  // window width beside the grid: margins and window border
    int chromeHeight = 0; // window height beside the grid: title, margins, buttons,
                          // comments and picture
    int minimumWidth = 0; // window width the parts under the grid need
};

// The part of the grid a window shows.
struct GridShown {
    int leftColumn = 0;
    int columnsShown = 0;
    int topRow = 0;
    int rowsShown = 0;

    bool operator==(const GridShown &) const = default;
};

struct DraggedEdges {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
};

// The candidate layouts, in the order that wins ties.
enum class SnapCandidate {
    AllShown,      // all rows and columns, no scroll bar
    RowsScroll,    // all columns, whole rows with a vertical scroll bar
    ColumnsScroll, // all rows, whole columns with a horizontal scroll bar
    BothScroll,    // whole rows and columns with both scroll bars
};

struct GridWindowLayout {
    SnapCandidate candidate = SnapCandidate::AllShown;
    GridShown shown;
    bool verticalScrollBar = false;
    bool horizontalScrollBar = false;
    int gridWidth = 0;
    int gridHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

// The layout of a window showing the given part: a scroll bar wherever rows or columns are
// left out. The part is clamped to the grid (at least one column, and one row when any).
GridWindowLayout windowLayout(const GridMeasures &measures, const GridShown &shown);

// The layout that best fits a window size the user proposed by dragging the given edges
// from the current layout: of the four candidates, the one with the least area outside the
// proposed size, ties going to the earlier candidate. While only a side edge is dragged the
// candidates that scroll keep the shown rows; while only the top or bottom edge is dragged
// they keep the shown columns. ETableError when the grid has no column besides the row
// numbers.
GridWindowLayout snapWindowSize(const GridMeasures &measures, const GridShown &current,
                                int proposedWidth, int proposedHeight, DraggedEdges dragged);

// Where a window edge starts once the window takes its snapped length: a dragged start edge
// (left or top) moves and the opposite edge stays; otherwise the start stays.
int snappedStart(int proposedStart, int proposedLength, int snappedLength, bool startDragged,
                 bool endDragged);

} // namespace vorna
