// Base resistance: the base geometry of a diameter, the ultimate base resistance a base
// would develop at each step of the depth walk, and its average over the zone of two base
// diameters below the tip.
#pragma once

#include "input/input_data.h"
#include "method/soil_profile.h"

#include <cstddef>
#include <span>
#include <vector>

namespace vorna {

// A shaft is belled when the whole part of RATIO is not 0 (a RATIO of 1 was set to 0).
bool isBelled(double RATIO);

struct BaseGeometry {
    bool belled = false;
    double stemDiameterFt = 0.0;  // D
    double baseDiameterFt = 0.0;  // Db
    double stemAreaSqFt = 0.0;    // As
    double baseAreaSqFt = 0.0;    // Ab
    double toeHeightFt = 0.0;     // HT, the cylindrical toe of the bell
    double stemEndToBaseFt = 0.0; // HB
    double bellVolumeCuYd = 0.0;  // Vb
    int zoneLengthFt = 0;         // Lz, two base diameters in whole feet
    double onePercentSteelSqIn = 0.0;
    bool operator==(const BaseGeometry &) const = default;
};
// Preconditions for a bell (checked on the input): RATIO above 1 and a bell angle between
// 0 and 90 degrees.
BaseGeometry baseGeometry(double stemDiameterFt, double RATIO, double BELANGL);

// Clay and clay shale.

// Automatic Nc at a depth: 6 growing by a fifth per smallest stem diameter of depth, at
// most 9 for clay and 7 for clay shale.
double automaticNc(SoilType type, double depthFt, double smallestDiameterFt);
// Nc from cu and the base depth in base diameters (the depth rule), for steps without a
// usable Nc.
double depthRuleNc(double undrainedShearStrengthPsf, double depthInBaseDiameters);
// Reduction of large bases (above 6.25 ft) in clay; 1 for smaller bases.
double largeBaseFactor(double undrainedShearStrengthTsf, double depthFt, double baseDiameterFt);
// qb = Nc cu, limited to 40 tsf in clay; clay shale is not limited.
double clayUnitBaseResistanceTsf(SoilType type, double Nc, double undrainedShearStrengthTsf);

// Sand, gravelly sand and gravel.

// From the friction angle: nothing up to 30 degrees, rising to 40 tsf above 41 degrees.
double sandUnitBaseResistanceFromPhiTsf(double frictionAngleDeg);
// From N: 0.6 N tsf, at most 45 tsf.
double sandUnitBaseResistanceFromNTsf(double blowCountN);
// The two reductions of the end-bearing-in-sands option: bases above 50 in, and tips
// shallower than ten base diameters (linear from the ground surface).
double sandBaseReduction(double depthFt, double baseDiameterFt);

// Strong rock (codes 4 and 7).

// Empirical socket factor Ksp from discontinuity spacing and aperture and the socket.
double socketKsp(double spacingFt, double apertureFt, double socketDiameterFt);
double rockSocketBaseTons(double Ksp, double rockStrengthPsf, double socketDiameterFt);

// A negative maximum end bearing prescribes the unit base resistance, a positive one
// limits it.
double endBearingLimitedTons(double baseTons, double maxEndBearingPsf, double baseAreaSqFt);

struct BaseStepInput {
    std::size_t layerIndex = 0;
    double depthFt = 0.0;             // z
    double distanceFt = 0.0;          // below the layer top
    double stemDiameterFt = 0.0;      // D
    double bottomLengthFt = 0.0;      // BS as in force for the diameter
    double geomaterialBaseTons = 0.0; // decomposed and weak rock: from the side step
};

// Qb of a base at the step, in tons, by the method of the layer's ground type. 0 in uplift.
double stepBaseResistanceTons(const InputData &input, const SoilProfile &profile,
                              const BaseGeometry &geometry, const BaseStepInput &step);

// The step value stored at a tip position, with the soil-before-rock flag (no layer of
// code 4 or 7 reached yet).
struct TipRecord {
    double baseResistanceTons = 0.0;
    bool soilBeforeRock = true;
    bool operator==(const TipRecord &) const = default;
};

// QB of a shaft `rowLengthFt` long: the tip records of the zone Lz below the tip, weighted
// rising to one base diameter below the tip and falling after it; records in rock count with the
// last soil value when the tip is in soil above rock. byTip is indexed by tip position. Stems under
// 1 ft take the first record of the zone.
double averagedBaseResistanceTons(std::span<const TipRecord> byTip, int rowLengthFt,
                                  const BaseGeometry &geometry, double bottomLengthFt);

// The weights of the zone's records and their sum, the same for every row of a shaft.
struct ZoneWeights {
    std::vector<double> weights;
    double sum = 0.0;
};
ZoneWeights zoneWeights(const BaseGeometry &geometry);

// The same with the zone's weights worked out beforehand.
double averagedBaseResistanceTons(std::span<const TipRecord> byTip, int rowLengthFt,
                                  const BaseGeometry &geometry, double bottomLengthFt,
                                  const ZoneWeights &zone);

// The longest shaft whose zone lies inside the computed tip positions; negative when there
// is none (the profile must be deepened).
int lastBaseRowLengthFt(int lastTipPosition, const BaseGeometry &geometry, double bottomLengthFt);

// LRFD tip factor of the first layer whose bottom lies below the shaft length (the last
// layer below the profile).
double lrfdTipFactor(const SoilProfile &profile, double lengthFt);

} // namespace vorna
