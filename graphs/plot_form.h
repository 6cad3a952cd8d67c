// The graph window: a Plot menu over a canvas that draws the graph (draw(), graph_draw.h),
// with a movable legend, the caption read-out while the mouse moves, rubber-band zoom
// (left button, at most to 1/20 of the full range), zoom-out (right button), printing and
// saving. The window keeps the full ranges computed when it was created; zoom state lives
// here, the data in the TGraphPlot.
#pragma once

#include "graph_draw.h"
#include "graph_output.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QPrinter;

namespace vorna {

class TPlotForm;

// The legend: an owner-drawn list over the graph, one item per included line in its palette
// colour, " *" after a shown line. Dragging moves it (kept inside the canvas); double-clicking
// an item toggles its line.
class TLegendList : public QWidget {
    Q_OBJECT

public:
    explicit TLegendList(TPlotForm &form, QWidget *parent);

    void SetEntries(std::vector<LegendEntry> entries);
    const std::vector<LegendEntry> &Entries() const { return m_entries; }
    // Sizes itself: item height 1.5 x font size, height items x item height + 3, width the
    // widest "name *" plus a quarter inch, at least 21 pixels.
    void Resize();
    double ItemHeight() const;
    int ItemAt(QPoint pos) const;
    QString ItemText(int item) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QFont itemFont() const;

    TPlotForm &m_form;
    std::vector<LegendEntry> m_entries;
    std::optional<QPoint> m_dragOffset;
};

// The drawing surface of the window.
class TPlotCanvas : public QWidget {
    Q_OBJECT

public:
    explicit TPlotCanvas(TPlotForm &form, QWidget *parent);

    void Invalidate(); // the picture changed: paint afresh

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    TPlotForm &m_form;
    QPixmap m_cache;
    bool m_cacheValid = false;
};

class TPlotForm : public QWidget {
    Q_OBJECT

public:
    // The save dialog's filter when printing goes to a PDF file (no printer installed).
    static constexpr const char *kPdfFilter = "PDF document (*.pdf)";

    // Builds the window for a graph: full ranges, at most 20 lines in the legend and the Plot
    // menu, the legend placed. IsValid() is false when an axis cannot be scaled.
    explicit TPlotForm(TGraphPlot &graph, QWidget *parent = nullptr);
    ~TPlotForm() override;

    // A new window of the graph, or nullptr when an axis cannot be scaled. The window lives
    // until the graph is destroyed (taking an MDI frame it sits in along) or it is deleted.
    static TPlotForm *Create(TGraphPlot &graph, QWidget *parent = nullptr);
    // Shows the window, or the MDI frame it sits in, restored if minimized and in front.
    void ShowInFront();

    bool IsValid() const { return m_valid; }
    TGraphPlot &Graph() const { return m_graph; }
    TPlotCanvas *Canvas() const { return m_canvas; }
    TLegendList *Legend() const { return m_legend; }
    QMenuBar *MenuBar() const { return m_menuBar; }
    QMenu *PlotMenu() const { return m_plotMenu; }

    // Ranges: the full ones from creation (zoom limits) and the ones shown now.
    const GraphView &FullView() const { return m_full; }
    const GraphView &CurrentView() const { return m_view; }
    void SetCurrentView(const GraphView &view);

    // The layout and mapping of the canvas as painted now.
    PlotLayout CanvasLayout() const;
    PlotMapping CanvasMapping(int graph = 0) const;
    DrawOptions ScreenOptions() const;

    // Mouse actions in canvas pixels.
    void ZoomTo(QPoint pressed, QPoint released); // rubber band
    void ZoomOutAt(QPoint clicked);
    // The caption read-out for a canvas position: Caption + " X: " + x + " Y: " + y.
    QString ReadOut(QPoint pos) const;

    // The legend and the per-line Plot menu items list the included lines again (after the
    // Legend and Active Curves dialogs, and when the graph's data change).
    void RebuildLines();
    // Re-lays out and repaints (after the font size, title or band changed).
    void Relayout();
    void ToggleLine(int line);

    // Plot menu commands.
    void SetShowLegend(bool show);
    void SetShowLayers(bool show);
    void SetShowWall(bool show);
    void SetMarkers(int every);
    void SetFontSize(int sizeFont);
    void SetLineWidth(int widthLine);
    void GraphTitleClick();
    void EditLegendClick();
    void ActiveCurvesClick();
    void PrintClick();
    void PageSetupClick();
    void SaveToDiskClick();

    // Prints on a given printer (what "Print..." does after its dialog).
    void PrintTo(QPrinter &printer);
    // Saves the picture (what "Save To Disk..." does after its dialogs).
    SaveResult SaveTo(const QString &fileName, PictureFormat format, const PictureSize &size);

    // The painted legend's place on paper: where the user dragged the legend, as fractions
    // of the plot area; empty while the legend stands where the program put it.
    std::optional<QPointF> LegendPlacement() const;

    // The per-line menu items (for tests): their texts, check marks and linked lines.
    std::vector<QAction *> LineActions() const { return m_lineActions; }
    QAction *Action(const QString &objectName) const;

    // The rubber band being dragged, in canvas pixels (empty when none).
    std::optional<QRect> RubberBand() const { return m_rubberBand; }

private:
    friend class TPlotCanvas;
    friend class TLegendList;

    void createMenu();
    void refreshMenu();
    void placeLegend();
    void updateLegendVisibility();
    void invalidate();
    QPrinter &printer();

    TGraphPlot &m_graph;
    bool m_valid = true;
    GraphView m_full;
    GraphView m_view;
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_plotMenu = nullptr;
    TPlotCanvas *m_canvas = nullptr;
    TLegendList *m_legend = nullptr;
    bool m_legendMoved = false;
    std::vector<QAction *> m_lineActions;
    QActionGroup *m_markerGroup = nullptr;
    QActionGroup *m_fontGroup = nullptr;
    QActionGroup *m_widthGroup = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::optional<QPoint> m_pressed;
    std::optional<QRect> m_rubberBand;
};

} // namespace vorna
