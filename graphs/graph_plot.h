// The graph model of the result graphs: a graph (`TGraphPlot`) holds titles, axis captions
// with unit placeholders, display options and four lists of lines (the main graph, the
// soil-layer band, and the second and third graph of three-graph mode); each line is a list
// of points. The graph knows no window: whoever shows it makes and keeps its window
// (`TPlotForm::Create`, plot_form.h).
#pragma once

#include "graph_interaction.h"
#include "graph_line.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QWidget;

namespace vorna {

inline constexpr int kPaletteSize = 17;
// Palette colour n mod 17: black, blue, red, green, purple, maroon, navy, fuchsia, olive,
// teal, gray, lime, gray, silver, silver, yellow, aqua.
QColor paletteColor(int n);

// Unit placeholders replaced for a unit system (1 English, 2 SI; 3 leaves the text): within
// each group only the first form found ("F2", "F1", "F"; "L2", "L1", "L") is replaced, in
// all its occurrences. "F2" reads tons / kN, "L2" ft / m, "L" in / m.
QString unitPlaceholderText(const QString &units, int unitSystem);

// A number in shortest general form (up to 15 significant digits), as line names show it.
QString shortestNumber(double value);

class TGraphPlot : public QObject {
    Q_OBJECT

public:
    explicit TGraphPlot(QObject *parent = nullptr);
    ~TGraphPlot() override; // says destroying() first

    // Published properties with their defaults.
    QString Caption;                                // window caption and print job title
    QString XCaption, YCaption;                     // axis captions
    QString XUnits, YUnits;                         // unit texts with placeholders
    QString XCaption2, YCaption2, XUnits2, YUnits2; // second graph of three-graph mode
    QString XCaption3, YCaption3, XUnits3, YUnits3; // third graph
    QString CurveName = QStringLiteral("Curve #");  // prefix of default line names
    bool XOnTop = true; // x axis at the top and y growing downward (depth plots)
    bool ShowLegend = true;
    bool ShowLayers = false;   // soil-layer band at the right of the plot
    bool ShowWall = false;     // wall-geometry entries of the band
    int WallLineCount = 0;     // wall-geometry entries at the end of the band list
    bool ShowThree = false;    // three graphs side by side
    bool ShowFontWidth = true; // the Font Size and Line Width menus are offered
    int Markers = 1;           // a marker on every n-th point; 0 none
    int SizeFont = 10;         // text size factor in tenths
    int LegendFont = 11;       // legend font size (points) at SizeFont 10
    int WidthLine = 1;         // line-width factor

    // Lets the owner rename a line when the window is built (line index, name).
    std::function<void(int, QString &)> onGetCaption;

    // How the window and its dialogs ask the user (message boxes, file and print dialogs).
    GraphInteraction Interaction;

    // What the window is called where Caption is empty (its caption and the Window menu).
    QString WindowName;
    // One small line under printed and saved pictures that tells whose graph it is (the
    // owner puts the project's title and file there); none when empty.
    QString Footnote;
    // Caption, or WindowName when the caption is empty.
    QString DisplayName() const;

    // Graph title (Graph Caption dialog) and whether it stands at the top.
    QString Title;
    bool TitleAtTop = true;
    // Names used for lines that have no name of their own, by position.
    QStringList LineNames;

    int Units() const { return m_units; }
    void SetUnits(int units); // clamped to 1..3

    // Line lists. Setting the line count adds lines at the end (with the point count of
    // line 0) or removes them from the end; negative counts are 0.
    void SetLineCount(int count, LineList list = LineList::Main);
    // Sets the point count of every line of the list; new points are zero.
    void SetPointCount(int count, LineList list = LineList::Main);
    int LineCount(LineList list = LineList::Main) const;
    int PointCount(LineList list = LineList::Main) const; // of line 0; 0 without lines
    TLine &Line(int index, LineList list = LineList::Main);
    const TLine &Line(int index, LineList list = LineList::Main) const;
    TFloatPoint &Point(int line, int index, LineList list = LineList::Main);
    const TFloatPoint &Point(int line, int index, LineList list = LineList::Main) const;
    std::vector<TLine> &Lines(LineList list = LineList::Main);
    const std::vector<TLine> &Lines(LineList list = LineList::Main) const;

    // Lines from the 21st on are set not included (done when a window is created): the
    // legend and the Plot menu list at most 20 lines.
    static constexpr int kMaxIncludedLines = 20;
    void ExcludeLinesBeyondLimit();

    // A band entry of one point: (fill code, bottom depth) with its name.
    void AddBandEntry(const QString &name, int fillCode, double bottomDepth);

    // The line's own name; else the name list entry at its position; else CurveName and
    // the line's number ("Curve #3").
    QString LineName(int index, LineList list = LineList::Main) const;

    // Axis captions of graph k (0..2) and their unit texts with placeholders replaced.
    QString XCaptionOf(int graph) const;
    QString YCaptionOf(int graph) const;
    QString XUnitsText(int graph = 0) const;
    QString YUnitsText(int graph = 0) const;
    // Caption followed by " (" units ")" when there are units.
    QString XAxisText(int graph = 0) const;
    QString YAxisText(int graph = 0) const;

    // Tells open windows that lines, points or names changed; they repaint.
    void NotifyChanged() { emit changed(); }

signals:
    void changed();
    // The graph is about to go, its data still intact: a window that shows it closes.
    void destroying();

private:
    std::array<std::vector<TLine>, 4> m_lists;
    int m_units = 1;
};

} // namespace vorna
