#include "method/soil_type.h"
#include "method/units.h"

#include <gtest/gtest.h>

namespace {

using vorna::SoilType;

// The groups each file code belongs to, one row per code.
struct GroupCase {
    SoilType type;
    bool rockOrGeomaterial;
    bool granular;
    bool cohesive;
    bool startsWeakRockSocket;
};
const GroupCase kGroups[] = {
    {SoilType::Sand, false, true, false, false},
    {SoilType::Clay, false, false, true, false},
    {SoilType::ClayShale, false, false, true, false},
    {SoilType::StrongRockSideOrBase, true, false, false, false},
    {SoilType::DecomposedRock, true, false, false, false},
    {SoilType::WeakRock, true, false, false, true},
    {SoilType::StrongRock, true, false, false, true},
    {SoilType::GravellySand, false, true, false, false},
    {SoilType::Gravel, false, true, false, false},
};

TEST(SoilType, GroupsOfEachCode)
{
    for (const GroupCase &c : kGroups) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EXPECT_EQ(vorna::isRockOrGeomaterial(c.type), c.rockOrGeomaterial);
        EXPECT_EQ(vorna::isGranular(c.type), c.granular);
        EXPECT_EQ(vorna::isCohesive(c.type), c.cohesive);
        EXPECT_EQ(vorna::startsWeakRockSocket(c.type), c.startsWeakRockSocket);
    }
}

// 1000 psi itself still bears on the side only.
TEST(SoilType, CodeFourLimitIsAThousandPsi)
{
    EXPECT_TRUE(vorna::isCodeFourSideOnly(vorna::psiToPsf(1000.0)));
    EXPECT_TRUE(vorna::isCodeFourSideOnly(0.0));
    EXPECT_FALSE(vorna::isCodeFourSideOnly(vorna::psiToPsf(1000.01)));
}

} // namespace
