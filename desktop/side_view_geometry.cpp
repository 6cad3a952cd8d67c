#include "side_view_geometry.h"

#include "grid_table.h"
#include "program_data.h"
#include "program_tables.h"

#include <algorithm>
#include <cmath>

namespace vorna {

namespace {

constexpr double kPi = 3.1416; // the precision the bell height has always been drawn with
constexpr double kLengthGiven = 0.0001;

QString depthText(double value)
{
    return QString::number(value, 'g', 15);
}

QString depthRange(const SoilBand &layer)
{
    return QStringLiteral("depth= %1 - %2")
        .arg(depthText(layer.topDepth), depthText(layer.bottomDepth));
}

} // namespace

SideViewInput sideViewInput(const TProgramData &project, const ProgramTables &tables)
{
    SideViewInput input;
    const TGridTable &layers = tables.SoilLayers();
    double top = 0.0;
    for (int row = 0; row < layers.RowCount(); ++row) {
        SoilBand band;
        band.soilType = layerSoilCode(layers, row);
        band.topDepth = top;
        band.bottomDepth = layers.Column(kBottomDepthColumn).AsFloat(row);
        top = band.bottomDepth;
        input.layers.push_back(band);
    }
    input.proposedLength = project.proposedLength;
    input.minDiameter = project.shaftProperties[kMinDiameter];
    input.bellRatio = project.shaftProperties[kBellRatio];
    input.bellAngleDeg = project.shaftProperties[kBellAngle];
    return input;
}

double bellHeight(double diameter, double bellRatio, double bellAngleDeg)
{
    const double widening = (bellRatio - 1.0) * diameter / 2.0;
    const double angle = bellAngleDeg * kPi / 180.0;
    return widening * std::cos(angle) / std::sin(angle);
}

SideViewShape buildSideView(const SideViewInput &input, const Extents &previous)
{
    SideViewShape shape;
    shape.layers = input.layers;
    shape.extents = previous;
    if (input.layers.empty())
        return shape;

    const double lastBottom = input.layers.back().bottomDepth;
    const double length = input.proposedLength < kLengthGiven ? lastBottom : input.proposedLength;
    const double d = input.minDiameter;
    shape.stickUp = 2.0 * d;
    const double baseY = length + shape.stickUp;
    shape.outlines.push_back(
        {QPointF(-d / 2, 0.0), QPointF(d / 2, 0.0), QPointF(d / 2, baseY), QPointF(-d / 2, baseY)});
    if (input.bellAngleDeg > 0.0) {
        const double bellDiameter = input.bellRatio * d;
        const double topY = baseY - bellHeight(d, input.bellRatio, input.bellAngleDeg);
        shape.outlines.push_back({QPointF(-d / 2, topY), QPointF(d / 2, topY),
                                  QPointF(bellDiameter / 2, baseY),
                                  QPointF(-bellDiameter / 2, baseY)});
    }

    Extents e{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const Outline &outline : shape.outlines) {
        for (const QPointF &p : outline) {
            e.xMin = std::min(e.xMin, p.x());
            e.xMax = std::max(e.xMax, p.x());
            e.yMin = std::min(e.yMin, p.y());
            e.yMax = std::max(e.yMax, p.y());
        }
    }
    // The drawing reaches down to the last layer line, wherever the shaft ends.
    e.yMax = std::max(e.yMax, lastBottom + shape.stickUp);
    shape.extents = e;
    return shape;
}

std::optional<Extents> viewRange(const Extents &extents, int width, int height)
{
    const double xRange = extents.xMax - extents.xMin;
    const double yRange = extents.yMax - extents.yMin;
    if (width <= 0 || height <= 0 || !(xRange > 0.0) || !(yRange > 0.0))
        return std::nullopt;
    const double a = (double(width) / height) / (xRange / yRange);
    if (!std::isfinite(a) || !(a > 0.0))
        return std::nullopt;
    Extents range = extents;
    if (a >= 1.0) {
        range.xMin *= a;
        range.xMax *= a;
    } else {
        range.yMin /= a;
        range.yMax /= a;
    }
    return range;
}

int pixelX(double x, const Extents &range, int width)
{
    return static_cast<int>(std::lround(width * (x - range.xMin) / (range.xMax - range.xMin)));
}

int pixelY(double y, const Extents &range, int height)
{
    return static_cast<int>(std::lround(height * (y - range.yMin) / (range.yMax - range.yMin)));
}

double drawingY(int pixelY, const Extents &range, int height)
{
    return range.yMin + pixelY * (range.yMax - range.yMin) / height;
}

bool labelShowsDepths(SoilCode soilType)
{
    return soilCodeEntry(soilType).viewShowsDepths;
}

QString screenLabel(const SoilBand &layer)
{
    const QString name = QLatin1String(soilCodeEntry(layer.soilType).viewName);
    return labelShowsDepths(layer.soilType) ? depthRange(layer) + QStringLiteral("; ") + name
                                            : name;
}

QString printLabel(const SoilBand &layer)
{
    return depthRange(layer) + QStringLiteral("; ") +
           QLatin1String(soilCodeEntry(layer.soilType).printName);
}

} // namespace vorna
