// The elevation view: the drilled shaft drawn in its soil profile, with the depth under the
// mouse pointer in the caption, and printed on a landscape page.
#pragma once

#include "side_view_geometry.h"

#include <QWidget>

class QDate;
class QFontMetrics;
class QLabel;
class QPrinter;

namespace vorna {

class ProgramTables;
class TProgramData;
class UserInteraction;

// Where the shaft is drawn in a client area of the given width: right of a column as wide
// as the widest layer label, so that no label runs into the shaft; the column takes at most
// half the width (labels are shortened to fit it).
QRect shaftArea(const QRect &client, const SideViewShape &shape, const QFontMetrics &metrics);

// Draws the view into a client rectangle, as the screen shows it: the layer lines across
// the whole width, the labels in their column and the shaft in shaftArea() by the range.
void drawSideView(QPainter &painter, const QRect &client, const SideViewShape &shape,
                  const Extents &range, const QPalette &palette);
// Draws the view on a page: a title line (project title, file name and date) at the top,
// the drawing from 10 % to 90 % of the page down, every layer labelled with its depth range
// and name.
void drawSideViewPage(QPainter &painter, const QRect &page, const SideViewShape &shape,
                      const Extents &range, const QFont &font, const QColor &fill,
                      const QString &titleLine = {});
// The title line of the printed page.
QString sideViewPageTitle(const QString &projectTitle, const QString &fileName, const QDate &date);

class TDlgSideView : public QWidget {
    Q_OBJECT

public:
    static constexpr const char *kCaption = "Elevation View";

    TDlgSideView(const TProgramData &project, const ProgramTables &tables,
                 UserInteraction &interaction, QWidget *parent = nullptr);

    // Rebuilds the outlines from the project (done each time the window is activated).
    void Rebuild();
    // Set for good when the drawing range was degenerate: nothing is drawn any more.
    bool IsDisabled() const { return m_disabled; }
    const SideViewShape &Shape() const { return m_shape; }
    const Extents &ViewRange() const { return m_range; }
    QWidget *Canvas() const { return m_canvas; }
    // The part of the canvas the shaft is drawn in (the view range maps onto it).
    QRect ShaftArea() const;

    // Prints on a landscape page titled "Soil-Pile Profile".
    void Print(QPrinter &printer);

    // Called by the canvas.
    void rescale();
    void paintCanvas(QPainter &painter);
    void showDepthAt(int pixelY);
    // The pointer left: the caption names the view again.
    void clearDepth();

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
