// Printing a graph and saving it as a picture. Both lay the graph out afresh on the target
// device (its resolution drives the text sizes, line widths and pattern tiles) and paint it
// with the legend box through draw(); the window's own layout is not touched.
#pragma once

#include "graph_draw.h"

#include <QString>

#include <optional>

class QPrinter;

namespace vorna {

enum class PictureFormat { Bmp, Png, Svg, Pdf };

// Filters of the save dialog; Bitmap first, as the original offers it.
QString pictureFilters();
// The format from the file type chosen in the save dialog, else from the file's extension,
// else BMP.
PictureFormat pictureFormatFor(const QString &fileName, const QString &selectedFilter);
// The file name with the extension of the format added when it has none.
QString withPictureExtension(const QString &fileName, PictureFormat format);

// A picture of round(resolution * width) x round(resolution * height) pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
    int resolution = 72; // pixels per inch
    bool operator==(const PictureSize &) const = default;
};
PictureSize pictureSize(double widthInches, double heightInches, int pixelsPerInch);

enum class SaveResult {
    Saved,
    NoMemory,    // the bitmap could not be allocated
    WriteFailed, // the file could not be written
};

// The message shown when the bitmap cannot be allocated.
inline constexpr const char *kNoMemoryMessage = "There is not enough memory to complete this task.";

// Saves the graph as BMP, PNG (bitmaps of the given size), SVG or PDF (vector drawings of
// the same size in inches). The band, when shown, takes the last 0.3 inch of a half-inch
// strip at the right.
SaveResult saveGraphPicture(const QString &fileName, PictureFormat format, const TGraphPlot &graph,
                            const GraphView &view, const PictureSize &size,
                            std::optional<QPointF> legendPosition = std::nullopt);

// Renders the graph on a bitmap of the given size (what BMP and PNG files hold). A null image
// when it cannot be allocated.
QImage renderGraphImage(const TGraphPlot &graph, const GraphView &view, const PictureSize &size,
                        std::optional<QPointF> legendPosition = std::nullopt);

// Prints the graph on the printer's page area (the printable page less its margins), with
// the legend box. The job title is the graph's Caption.
void printGraph(QPrinter &printer, const TGraphPlot &graph, const GraphView &view,
                std::optional<QPointF> legendPosition = std::nullopt);

} // namespace vorna
