// The elevation view: the drilled shaft drawn in its soil profile, with the depth under the
// mouse pointer in the caption, and printed on a landscape page.
#pragma once

#include "side_view_geometry.h"

#include <QWidget>

class QLabel;
class QPrinter;

namespace vorna {

class ProgramTables;
class TProgramData;
class UserInteraction;

// Draws the view into a client rectangle, as the screen shows it.
void drawSideView(QPainter &painter, const QRect &client, const SideViewShape &shape,
                  const Extents &range, const QPalette &palette);
// Draws the view on a page: the drawing fills 10 % to 90 % of the page down, every layer
// labelled with its depth range and name.
void drawSideViewPage(QPainter &painter, const QRect &page, const SideViewShape &shape,
                      const Extents &range, const QFont &font, const QColor &fill);

class TDlgSideView : public QWidget {
    Q_OBJECT

public:
    TDlgSideView(const TProgramData &project, const ProgramTables &tables,
                 UserInteraction &interaction, QWidget *parent = nullptr);

    // Rebuilds the outlines from the project (done each time the window is activated).
    void Rebuild();
    // Set for good when the drawing range was degenerate: nothing is drawn any more.
    bool IsDisabled() const { return m_disabled; }
    const SideViewShape &Shape() const { return m_shape; }
    const Extents &ViewRange() const { return m_range; }
    QWidget *Canvas() const { return m_canvas; }

    // Prints on a landscape page titled "Soil-Pile Profile".
    void Print(QPrinter &printer);

    // Called by the canvas.
    void rescale();
    void paintCanvas(QPainter &painter);
    void showDepthAt(int pixelY);

public slots:
    void PrintClick();

private:
    const TProgramData &m_project;
    const ProgramTables &m_tables;
    UserInteraction &m_interaction;
    SideViewShape m_shape;
    Extents m_range;
    bool m_disabled = false;
    QLabel *m_geometryLabel = nullptr;
    QWidget *m_canvas = nullptr;
};

} // namespace vorna
