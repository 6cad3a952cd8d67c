#include "../tables/qt_print.h"
#include "side_view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorna;

namespace {

// Two layers, sand to 10 ft and clay to 30 ft; a 2 ft shaft 20 ft long.
SideViewInput twoLayers()
{
    SideViewInput input;
    input.layers = {{SoilCode::Sand, 0.0, 10.0}, {SoilCode::Clay, 10.0, 30.0}};
    input.proposedLength = 20.0;
    input.minDiameter = 2.0;
    return input;
}

TEST(SideViewGeometry, StraightShaftDrawsOnlyTheStem)
{
    const SideViewShape shape = buildSideView(twoLayers());
    ASSERT_EQ(shape.outlines.size(), 1u);
    EXPECT_DOUBLE_EQ(shape.stickUp, 4.0); // two diameters
    const Outline &stem = shape.outlines[0];
    EXPECT_DOUBLE_EQ(stem[0].x(), -1.0);
    EXPECT_DOUBLE_EQ(stem[1].x(), 1.0);
    EXPECT_DOUBLE_EQ(stem[0].y(), 0.0);
    EXPECT_DOUBLE_EQ(stem[2].y(), 24.0); // length plus stick-up
}

TEST(SideViewGeometry, BellOfRatioThreeAtFortyFiveDegrees)
{
    SideViewInput input = twoLayers();
    input.bellRatio = 3.0;
    input.bellAngleDeg = 45.0;
    const SideViewShape shape = buildSideView(input);
    ASSERT_EQ(shape.outlines.size(), 2u);
    const Outline &bell = shape.outlines[1];
    const double widening = (3.0 - 1.0) * 2.0 / 2.0;
    const double height = bell[2].y() - bell[0].y();
    EXPECT_NEAR(height, widening, 1e-4); // 45 degrees: as high as it is wide
    EXPECT_DOUBLE_EQ(bell[2].y(), 24.0); // ends at the shaft base
    EXPECT_DOUBLE_EQ(bell[2].x(), 3.0);  // base diameter 6 ft
    EXPECT_DOUBLE_EQ(bell[3].x(), -3.0);
    EXPECT_DOUBLE_EQ(bell[0].x(), -1.0); // top corners on the stem
    EXPECT_NEAR(bellHeight(2.0, 3.0, 45.0), 2.0, 1e-4);
}

TEST(SideViewGeometry, SteeperBellIsTaller)
{
    EXPECT_GT(bellHeight(2.0, 3.0, 30.0), bellHeight(2.0, 3.0, 45.0));
    EXPECT_NEAR(bellHeight(2.0, 3.0, 60.0), 2.0 / std::sqrt(3.0), 1e-4);
}

TEST(SideViewGeometry, ZeroLengthReachesTheLastLayer)
{
    SideViewInput input = twoLayers();
    input.proposedLength = 0.0;
    const SideViewShape shape = buildSideView(input);
    EXPECT_DOUBLE_EQ(shape.outlines[0][2].y(), 30.0 + 4.0);
}

TEST(SideViewGeometry, ExtentsReachTheLastLayerLine)
{
    SideViewInput input = twoLayers();
    input.proposedLength = 5.0;
    const SideViewShape shape = buildSideView(input);
    EXPECT_DOUBLE_EQ(shape.extents.xMin, -1.0);
    EXPECT_DOUBLE_EQ(shape.extents.xMax, 1.0);
    EXPECT_DOUBLE_EQ(shape.extents.yMin, 0.0);
    EXPECT_DOUBLE_EQ(shape.extents.yMax, 34.0);
}

TEST(SideViewGeometry, NoLayersKeepsThePreviousExtents)
{
    SideViewInput input = twoLayers();
    input.layers.clear();
    const Extents previous{-3, 3, 0, 12};
    const SideViewShape shape = buildSideView(input, previous);
    EXPECT_TRUE(shape.outlines.empty());
    EXPECT_EQ(shape.extents, previous);
}

TEST(SideViewGeometry, WideWindowWidensTheAcrossRange)
{
    const Extents extents{-1, 1, 0, 20};
    const auto range = viewRange(extents, 400, 400);
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->xMin, -10.0);
    EXPECT_DOUBLE_EQ(range->xMax, 10.0);
    EXPECT_DOUBLE_EQ(range->yMax, 20.0);
    // One foot is as many pixels across as down.
    EXPECT_EQ(pixelX(1.0, *range, 400) - pixelX(0.0, *range, 400),
              pixelY(1.0, *range, 400) - pixelY(0.0, *range, 400));
}

TEST(SideViewGeometry, TallWindowDeepensTheDownRange)
{
    const Extents extents{-10, 10, 0, 10};
    const auto range = viewRange(extents, 100, 400); // a = 0.125
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->xMin, -10.0);
    EXPECT_DOUBLE_EQ(range->yMax, 80.0);
}

TEST(SideViewGeometry, DegenerateRangeDisables)
{
    EXPECT_FALSE(viewRange({0, 0, 0, 10}, 300, 300)); // no width: a zero-diameter shaft
    EXPECT_FALSE(viewRange({-1, 1, 5, 5}, 300, 300)); // no depth
    EXPECT_FALSE(viewRange({-1, 1, 0, NAN}, 300, 300));
}

TEST(SideViewGeometry, PixelMappingAndItsInverse)
{
    const Extents range{-10, 10, 0, 40};
    EXPECT_EQ(pixelX(0.0, range, 200), 100);
    EXPECT_EQ(pixelY(4.0, range, 400), 40);
    EXPECT_DOUBLE_EQ(drawingY(40, range, 400), 4.0); // the ground of a 2 ft shaft
}

TEST(SideViewGeometry, Labels)
{
    EXPECT_EQ(screenLabel({SoilCode::Sand, 0, 10}), QStringLiteral("depth= 0 - 10; Sand"));
    EXPECT_EQ(screenLabel({SoilCode::Clay, 10, 35.25}), QStringLiteral("depth= 10 - 35.25; Clay"));
    EXPECT_EQ(screenLabel({SoilCode::GravellySand, 1, 2}),
              QStringLiteral("depth= 1 - 2; Gravelly Sand"));
    EXPECT_EQ(screenLabel({SoilCode::Gravel, 1, 2}), QStringLiteral("depth= 1 - 2; Gravel"));
    EXPECT_EQ(screenLabel({SoilCode::ClayShale, 1, 2}), QStringLiteral("Shale"));
    EXPECT_EQ(screenLabel({SoilCode::StrongRockSideOrBase, 1, 2}), QStringLiteral("Strong Rock"));
    EXPECT_EQ(screenLabel({SoilCode::StrongRock, 1, 2}), QStringLiteral("Strong Rock"));
    EXPECT_EQ(screenLabel({SoilCode::DecomposedRock, 1, 2}), QStringLiteral("Decomposed Rock"));
    EXPECT_EQ(screenLabel({SoilCode::WeakRock, 1, 2}), QStringLiteral("Weak Rock"));
    EXPECT_EQ(printLabel({SoilCode::WeakRock, 1, 2}), QStringLiteral("depth= 1 - 2; Soft Rock"));
    EXPECT_EQ(printLabel({SoilCode::ClayShale, 1, 2}), QStringLiteral("depth= 1 - 2; Shale"));
    EXPECT_TRUE(labelShowsDepths(SoilCode::Gravel));
    EXPECT_FALSE(labelShowsDepths(SoilCode::WeakRock));
}

} // namespace
