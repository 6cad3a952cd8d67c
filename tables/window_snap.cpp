#include "window_snap.h"

#include "errors.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vorna {

namespace {

int columnCount(const GridMeasures &m)
{
    return static_cast<int>(m.columnWidths.size());
}

int columnWidth(const GridMeasures &m, int column)
{
    return m.columnWidths[static_cast<std::size_t>(column)];
}

// Window width of a grid with the given columns, before the floor of the parts below it.
int bareWindowWidth(const GridMeasures &m, int leftColumn, int columns, bool verticalScrollBar)
{
    int width = m.chromeWidth + m.gridFrame + m.rowNumberWidth;
    if (verticalScrollBar)
        width += m.verticalScrollBarWidth;
    for (int c = leftColumn; c < leftColumn + columns; ++c)
        width += columnWidth(m, c);
    return width;
}

GridWindowLayout layoutOf(const GridMeasures &m, SnapCandidate candidate, GridShown shown,
                          bool verticalScrollBar, bool horizontalScrollBar)
{
    GridWindowLayout layout;
    layout.candidate = candidate;
    layout.shown = shown;
    layout.verticalScrollBar = verticalScrollBar;
    layout.horizontalScrollBar = horizontalScrollBar;
    const int bareWidth =
        bareWindowWidth(m, shown.leftColumn, shown.columnsShown, verticalScrollBar);
    layout.gridWidth = bareWidth - m.chromeWidth;
    layout.windowWidth = std::max(bareWidth, m.minimumWidth);
    layout.gridHeight = m.gridFrame + m.headerHeight + shown.rowsShown * m.rowHeight;
    if (horizontalScrollBar)
        layout.gridHeight += m.horizontalScrollBarHeight;
    layout.windowHeight = m.chromeHeight + layout.gridHeight;
    return layout;
}

int clampedRows(const GridMeasures &m, int rows)
{
    return std::clamp(rows, std::min(1, m.rowCount), m.rowCount);
}

// Whole rows that fit the proposed height; at least one.
int rowsFitting(const GridMeasures &m, int proposedHeight, bool horizontalScrollBar)
{
    if (m.rowHeight <= 0)
        return m.rowCount;
    int room = proposedHeight - m.chromeHeight - m.gridFrame - m.headerHeight;
    if (horizontalScrollBar)
        room -= m.horizontalScrollBarHeight;
    return clampedRows(m, room >= 0 ? room / m.rowHeight : 0);
}

int clampedTopRow(const GridMeasures &m, int topRow, int rows)
{
    return std::clamp(topRow, 0, std::max(0, m.rowCount - rows));
}

// Whole columns that fit the proposed width, from the left column rightwards, then leftwards.
// The window is never narrower than the parts below the grid, so columns may fill that width.
void fitColumns(const GridMeasures &m, int proposedWidth, bool verticalScrollBar, GridShown &shown)
{
    const int limit = std::max(proposedWidth, m.minimumWidth);
    int first = std::clamp(shown.leftColumn, 0, columnCount(m) - 1);
    int last = first;
    int width = bareWindowWidth(m, first, 1, verticalScrollBar);
    while (last + 1 < columnCount(m) && width + columnWidth(m, last + 1) <= limit)
        width += columnWidth(m, ++last);
    while (first > 0 && width + columnWidth(m, first - 1) <= limit)
        width += columnWidth(m, --first);
    shown.leftColumn = first;
    shown.columnsShown = last - first + 1;
}

void keepColumns(const GridMeasures &m, const GridShown &current, GridShown &shown)
{
    shown.leftColumn = std::clamp(current.leftColumn, 0, columnCount(m) - 1);
    shown.columnsShown = std::clamp(current.columnsShown, 1, columnCount(m) - shown.leftColumn);
}

// Area of the candidate outside the proposed size, weighted as the user sees it: a window
// too wide by some pixels wastes a strip of the proposed height, and so on.
std::int64_t excess(const GridWindowLayout &layout, int proposedWidth, int proposedHeight)
{
    const std::int64_t width = layout.windowWidth;
    const std::int64_t height = layout.windowHeight;
    const bool tooWide = width > proposedWidth;
    const bool tooHigh = height > proposedHeight;
    if (tooWide && tooHigh)
        return width * height - std::int64_t{proposedWidth} * proposedHeight;
    if (tooWide)
        return std::int64_t{proposedHeight} * (width - proposedWidth);
    if (tooHigh)
        return std::int64_t{proposedWidth} * (height - proposedHeight);
    return 0;
}

} // namespace

GridWindowLayout windowLayout(const GridMeasures &m, const GridShown &shown)
{
    if (m.columnWidths.empty())
        throw ETableError::tooFewGridColumns();
    GridShown clamped;
    keepColumns(m, shown, clamped);
    clamped.rowsShown = clampedRows(m, shown.rowsShown);
    clamped.topRow = clampedTopRow(m, shown.topRow, clamped.rowsShown);
    const bool allColumns = clamped.columnsShown == columnCount(m);
    const bool allRows = clamped.rowsShown == m.rowCount;
    SnapCandidate candidate = SnapCandidate::BothScroll;
    if (allColumns && allRows)
        candidate = SnapCandidate::AllShown;
    else if (allColumns)
        candidate = SnapCandidate::RowsScroll;
    else if (allRows)
        candidate = SnapCandidate::ColumnsScroll;
    return layoutOf(m, candidate, clamped, !allRows, !allColumns);
}

GridWindowLayout snapWindowSize(const GridMeasures &m, const GridShown &current, int proposedWidth,
                                int proposedHeight, DraggedEdges dragged)
{
    // The grid counts its row-number column too.
    if (m.columnWidths.empty())
        throw ETableError::tooFewGridColumns();
    const bool sideOnly = (dragged.left || dragged.right) && !(dragged.top || dragged.bottom);
    const bool topOrBottomOnly =
        (dragged.top || dragged.bottom) && !(dragged.left || dragged.right);

    const auto limitedRows = [&](bool horizontalScrollBar) {
        GridShown rows;
        rows.rowsShown = sideOnly ? clampedRows(m, current.rowsShown)
                                  : rowsFitting(m, proposedHeight, horizontalScrollBar);
        rows.topRow = clampedTopRow(m, current.topRow, rows.rowsShown);
        return rows;
    };
    const auto limitColumns = [&](bool verticalScrollBar, GridShown &shown) {
        if (topOrBottomOnly) {
            keepColumns(m, current, shown);
            return;
        }
        shown.leftColumn = current.leftColumn;
        fitColumns(m, proposedWidth, verticalScrollBar, shown);
    };

    GridShown all{0, columnCount(m), 0, m.rowCount};
    GridShown rowsScroll = limitedRows(false);
    rowsScroll.leftColumn = 0;
    rowsScroll.columnsShown = columnCount(m);
    GridShown columnsScroll{0, 0, 0, m.rowCount};
    limitColumns(false, columnsScroll);
    GridShown bothScroll = limitedRows(true);
    limitColumns(true, bothScroll);

    const std::array<GridWindowLayout, 4> candidates = {
        layoutOf(m, SnapCandidate::AllShown, all, false, false),
        layoutOf(m, SnapCandidate::RowsScroll, rowsScroll, true, false),
        layoutOf(m, SnapCandidate::ColumnsScroll, columnsScroll, false, true),
        layoutOf(m, SnapCandidate::BothScroll, bothScroll, true, true),
    };
    const GridWindowLayout *best = &candidates[0];
    std::int64_t bestExcess = excess(*best, proposedWidth, proposedHeight);
    for (const GridWindowLayout &candidate : candidates) {
        const std::int64_t e = excess(candidate, proposedWidth, proposedHeight);
        if (e < bestExcess) {
            best = &candidate;
            bestExcess = e;
        }
    }
    return *best;
}

int snappedStart(int proposedStart, int proposedLength, int snappedLength, bool startDragged,
                 bool endDragged)
{
    if (startDragged && !endDragged)
        return proposedStart + proposedLength - snappedLength;
    return proposedStart;
}

} // namespace vorna
