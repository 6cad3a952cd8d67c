// Fills of the soil-layer band: five black hatches (codes 2 to 6) and seven pattern tiles
// (codes 1 and 7 to 12), each drawn here in code at two resolutions: a small tile for the
// screen and a large one for printing and high-resolution pictures. A tile covers a quarter
// inch on any device.
#pragma once

#include <QBrush>
#include <QImage>

namespace vorna {

enum class PatternResolution { Screen, Print };

// Pixels per tile side at each resolution.
inline constexpr int kScreenTileSize = 24;
inline constexpr int kPrintTileSize = 96;
// Physical size of a tile on any device.
inline constexpr double kTileInches = 0.25;

// Fill codes of the band; the result graphs give one to each soil type.
enum FillCode {
    kFillNone = 0,
    kFillClay = 1,
    kFillForwardDiagonal = 2,
    kFillCross = 3,
    kFillDiagonalCross = 4,
    kFillHorizontal = 5,
    kFillVertical = 6,
    kFillSand = 7,
    kFillShale = 8,
    kFillRock = 9,
    kFillWeakRock = 10,
    kFillGravellySand = 11,
    kFillGravel = 12,
};

bool isPatternFill(int fillCode); // 1 and 7..12
bool isHatchFill(int fillCode);   // 2..6

// The tile of a pattern fill (black on white); a null image for any other code.
const QImage &patternTile(int fillCode, PatternResolution resolution);

// The brush that fills a band rectangle on a device of dpi pixels per inch: a hatch scaled
// to the device, a tile scaled to a quarter inch (the large tile when printing or above
// 150 dpi), or no brush for other codes.
QBrush bandBrush(int fillCode, double dpi, bool printing);

} // namespace vorna
