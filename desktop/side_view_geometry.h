// Geometry of the elevation view: the shaft's outline in its soil profile, the drawing's
// extents, their widening to a window's shape and the mapping to pixels. Units are the
// project's (ft or m); x runs across, y downward from the top of the drawn shaft, which
// stands "stick-up" above the ground: a soil depth d is drawn at y = d + stick-up.
#pragma once

#include "soil_code.h"

#include <QPointF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vorna {

class ProgramTables;
class TProgramData;

struct SoilBand {
    SoilCode soilType = SoilCode::Sand;
    double topDepth = 0.0; // ft / m below the ground
    double bottomDepth = 0.0;
};

using Outline = std::array<QPointF, 4>;

struct Extents {
    double xMin = -10.0;
    double xMax = 10.0;
    double yMin = 0.0;
    double yMax = 10.0;
    bool operator==(const Extents &) const = default;
};

struct SideViewInput {
    std::vector<SoilBand> layers;
    double proposedLength = 0.0; // 0: the shaft reaches the bottom of the last layer
    double minDiameter = 0.0;
    double bellRatio = 0.0;    // base diameter / stem diameter
    double bellAngleDeg = 0.0; // 0: a straight shaft
};

struct SideViewShape {
    std::vector<SoilBand> layers;
    std::vector<Outline> outlines; // the stem, then the bell when there is one
    Extents extents;
    double stickUp = 0.0; // two stem diameters
};

// The layers and shaft values of a project.
SideViewInput sideViewInput(const TProgramData &project, const ProgramTables &tables);

// Height of a bell: its widening (ratio - 1) x diameter / 2 over the tangent of its angle.
double bellHeight(double diameter, double bellRatio, double bellAngleDeg);

// The outlines and extents. Without layers nothing is built and the previous extents stay.
SideViewShape buildSideView(const SideViewInput &input, const Extents &previous = {});

// The extents widened to a client area's shape so that the shaft keeps its proportions.
// nullopt for a degenerate drawing (no extent across or down), which disables the view.
std::optional<Extents> viewRange(const Extents &extents, int width, int height);

int pixelX(double x, const Extents &range, int width);
int pixelY(double y, const Extents &range, int height);
double drawingY(int pixelY, const Extents &range, int height);

// Labels of a layer: on screen sand, clay and the gravels give their depth range and the
// rocks their bare name; on paper every layer gives its range and name.
QString screenLabel(const SoilBand &layer);
QString printLabel(const SoilBand &layer);
// True when the screen label carries the depth range (and stands below the layer's top).
bool labelShowsDepths(SoilCode soilType);

} // namespace vorna
