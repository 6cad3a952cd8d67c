#include "method/base_resistance.h"

#include "method/side_resistance.h"
#include "method/soil_type.h"
#include "method/units.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vorna {

namespace {

constexpr double kLargeBaseFt = 6.25;
constexpr double kMaxClayBaseTsf = 40.0;
// A sand base at or below 30 degrees keeps a token value, so that averages stay positive.
constexpr double kSandBaseAtLowAngleTons = 0.00001;

} // namespace

bool isBelled(double RATIO)
{
    return std::trunc(RATIO) != 0.0;
}

BaseGeometry baseGeometry(double stemDiameterFt, double RATIO, double BELANGL)
{
    BaseGeometry g;
    const double D = stemDiameterFt;
    g.belled = isBelled(RATIO);
    g.stemDiameterFt = D;
    g.baseDiameterFt = g.belled ? RATIO * D : D;
    const double Db = g.baseDiameterFt;
    g.stemAreaSqFt = kPi * D * D / 4.0;
    g.baseAreaSqFt = kPi * Db * Db / 4.0;
    if (g.belled) {
        g.toeHeightFt = D <= 3.52 ? 0.25 : 0.5;
        const double angle = degToRad(BELANGL);
        assert(std::tan(angle) > 0.0 && "bell angle checked on the input");
        g.stemEndToBaseFt = (Db - D) / (2.0 * std::tan(angle)) + g.toeHeightFt;
        const double frustumCuFt = (g.stemEndToBaseFt - g.toeHeightFt) * (kPi / 3.0) *
                                   (D * D / 4.0 + D * Db / 4.0 + Db * Db / 4.0);
        g.bellVolumeCuYd = (frustumCuFt + g.toeHeightFt * g.baseAreaSqFt) / kCuFtPerCuYd;
    }
    g.zoneLengthFt = static_cast<int>(2.0 * Db);
    g.onePercentSteelSqIn = 0.01 * g.stemAreaSqFt * kSqInPerSqFt;
    return g;
}

double automaticNc(SoilType type, double depthFt, double smallestDiameterFt)
{
    const double nc = 6.0 * (1.0 + 0.2 * depthFt / smallestDiameterFt);
    return std::min(nc, type == SoilType::ClayShale ? 7.0 : 9.0);
}

double depthRuleNc(double undrainedShearStrengthPsf, double depthInBaseDiameters)
{
    const double cu = undrainedShearStrengthPsf;
    double nc = 9.0;
    if (cu <= 500.0)
        nc = 6.5;
    else if (cu <= 1000.0)
        nc = 6.5 + 1.5 * (cu - 500.0) / 500.0;
    else if (cu < 2000.0)
        nc = 8.0 + (cu - 1000.0) / 1000.0;
    if (depthInBaseDiameters >= 3.0)
        return nc;
    return (2.0 / 3.0) * (1.0 + depthInBaseDiameters / 6.0) * nc;
}

double largeBaseFactor(double undrainedShearStrengthTsf, double depthFt, double baseDiameterFt)
{
    const double Db = baseDiameterFt;
    if (Db <= kLargeBaseFt)
        return 1.0;
    // cu doubled is cu in ksf.
    const double psi2 =
        std::clamp(0.45 * std::sqrt(std::max(2.0 * undrainedShearStrengthTsf, 0.0)), 0.5, 1.5);
    const double psi1 = std::min(0.0071 + 0.0021 * depthFt / Db, 0.015);
    return std::min(2.5 / (psi1 * kInPerFt * Db + 2.5 * psi2), 1.0);
}

double clayUnitBaseResistanceTsf(SoilType type, double Nc, double undrainedShearStrengthTsf)
{
    const double qb = Nc * undrainedShearStrengthTsf;
    return type == SoilType::Clay ? std::min(qb, kMaxClayBaseTsf) : qb;
}

double sandUnitBaseResistanceFromPhiTsf(double frictionAngleDeg)
{
    const double phi = frictionAngleDeg;
    if (phi <= 30.0)
        return 0.0;
    if (phi <= 36.0)
        return 2.667 * (phi - 30.0);
    if (phi <= 41.0)
        return 16.0 + 4.8 * (phi - 36.0);
    return 40.0;
}

double sandUnitBaseResistanceFromNTsf(double blowCountN)
{
    return std::clamp(0.6 * blowCountN, 0.0, 45.0);
}

double sandBaseReduction(double depthFt, double baseDiameterFt)
{
    const double Db = baseDiameterFt;
    double factor = 1.0;
    if (Db > 4.17)
        factor *= 50.0 / (kInPerFt * Db); // 50 in over the base diameter in inches
    if (depthFt < 10.0 * Db)
        factor *= depthFt / (10.0 * Db);
    return factor;
}

double socketKsp(double spacingFt, double apertureFt, double socketDiameterFt)
{
    return (3.0 + spacingFt / socketDiameterFt) /
           (10.0 * std::sqrt(1.0 + 300.0 * apertureFt / spacingFt));
}

double rockSocketBaseTons(double Ksp, double rockStrengthPsf, double socketDiameterFt)
{
    return 3.0 * Ksp * psfToTsf(rockStrengthPsf) * kQuarterPi * socketDiameterFt * socketDiameterFt;
}

double endBearingLimitedTons(double baseTons, double maxEndBearingPsf, double baseAreaSqFt)
{
    const double limitTsf = psfToTsf(maxEndBearingPsf);
    if (limitTsf < -0.000001)
        baseTons = std::fabs(limitTsf) * baseAreaSqFt;
    if (limitTsf < baseTons / baseAreaSqFt)
        baseTons = std::fabs(limitTsf) * baseAreaSqFt;
    return baseTons;
}

namespace {

double clayBaseTons(const SoilLayer &layer, const BaseGeometry &g, const BaseStepInput &step)
{
    const double d = step.distanceFt;
    double cuTsf = psfToTsf(layer.at(layer.CU, d));
    if (layer.CU[kTop] <= kNotEntered && layer.CU[kBottom] <= kNotEntered)
        cuTsf = 0.1 * layer.at(layer.BLOWS, d); // cu taken as N / 10 tsf
    double nc = layer.at(layer.NC, d);
    // Without a usable Nc (automatic or entered) the depth rule gives it.
    if (nc <= 1.0e-9) {
        const double depthInDiameters =
            (step.depthFt + step.bottomLengthFt + g.stemEndToBaseFt) / g.baseDiameterFt;
        nc = depthRuleNc(tsfToPsf(cuTsf), depthInDiameters);
    }
    const double qbTsf = clayUnitBaseResistanceTsf(layer.type, nc, cuTsf);
    return g.baseAreaSqFt * qbTsf * largeBaseFactor(cuTsf, step.depthFt, g.baseDiameterFt);
}

double sandBaseTons(const InputData &input, const SoilLayer &layer, const BaseGeometry &g,
                    const BaseStepInput &step)
{
    const double d = step.distanceFt;
    double qbTsf = 0.0;
    if (layer.PHI[kBottom] > kNotEntered) {
        const double phi = layer.at(layer.PHI, d);
        if (phi <= 30.0)
            return kSandBaseAtLowAngleTons;
        qbTsf = sandUnitBaseResistanceFromPhiTsf(phi);
    } else {
        qbTsf = sandUnitBaseResistanceFromNTsf(layer.at(layer.BLOWS, d));
    }
    double baseTons = qbTsf * g.baseAreaSqFt;
    if (input.endBearingOption == 1)
        baseTons *= sandBaseReduction(step.depthFt, g.baseDiameterFt);
    return baseTons;
}

double rockBaseTons(const InputData &input, const SoilLayer &layer, const BaseStepInput &step)
{
    const double d = step.distanceFt;
    const double rockPsf = layer.at(layer.QUR, d);
    if (layer.type == SoilType::StrongRockSideOrBase &&
        isCodeFourSideOnly(std::min(rockPsf, layer.at(layer.QUCON, d))))
        return 0.0;
    const double socketFt =
        scaledSocketDiameterFt(layer.at(layer.BDS, d), step.stemDiameterFt, input.DSTART);
    const double ksp = socketKsp(layer.at(layer.CS, d), layer.at(layer.DISCT, d), socketFt);
    return rockSocketBaseTons(ksp, rockPsf, socketFt);
}

} // namespace

double stepBaseResistanceTons(const InputData &input, const SoilProfile &profile,
                              const BaseGeometry &geometry, const BaseStepInput &step)
{
    if (input.loadingType == LoadingType::Uplift)
        return 0.0;
    const SoilLayer &layer = profile.layers[step.layerIndex];
    double baseTons = 0.0;
    switch (layer.type) {
    case SoilType::Clay:
    case SoilType::ClayShale:
        baseTons = clayBaseTons(layer, geometry, step);
        break;
    case SoilType::Sand:
    case SoilType::GravellySand:
    case SoilType::Gravel:
        baseTons = sandBaseTons(input, layer, geometry, step);
        break;
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        baseTons = rockBaseTons(input, layer, step);
        break;
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
        baseTons = step.geomaterialBaseTons;
        break;
    }
    // A negative base has no meaning (faulty entries); it is taken as none.
    baseTons = std::max(baseTons, 0.0);
    return endBearingLimitedTons(baseTons, layer.at(layer.maxEndBearing, step.distanceFt),
                                 geometry.baseAreaSqFt);
}

namespace {

int zoneOffset(const BaseGeometry &geometry, double bottomLengthFt)
{
    return static_cast<int>(geometry.stemEndToBaseFt + bottomLengthFt);
}

} // namespace

ZoneWeights zoneWeights(const BaseGeometry &geometry)
{
    ZoneWeights zone;
    const int length = geometry.zoneLengthFt;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / length;
        const double w = t <= 0.5 ? 0.6 * t / 0.5 : 0.6 * (2.0 - t) / 1.5;
        zone.weights.push_back(w);
        zone.sum += w;
    }
    return zone;
}

double averagedBaseResistanceTons(std::span<const TipRecord> byTip, int rowLengthFt,
                                  const BaseGeometry &geometry, double bottomLengthFt)
{
    return averagedBaseResistanceTons(byTip, rowLengthFt, geometry, bottomLengthFt,
                                      zoneWeights(geometry));
}

double averagedBaseResistanceTons(std::span<const TipRecord> byTip, int rowLengthFt,
                                  const BaseGeometry &geometry, double bottomLengthFt,
                                  const ZoneWeights &zone)
{
    const int first = rowLengthFt + zoneOffset(geometry, bottomLengthFt) + 1;
    static constexpr TipRecord kNone{};
    const auto record = [&](int m) -> const TipRecord & {
        return m >= 0 && static_cast<std::size_t>(m) < byTip.size() ? byTip[m] : kNone;
    };
    if (geometry.stemDiameterFt < 1.0 || geometry.zoneLengthFt <= 0)
        return record(first).baseResistanceTons;

    const bool tipInSoil = record(first).soilBeforeRock;
    double lastSoilTons = record(first).baseResistanceTons;
    double weighted = 0.0;
    for (std::size_t i = 0; i < zone.weights.size(); ++i) {
        const TipRecord &r = record(first + static_cast<int>(i));
        double value = r.baseResistanceTons;
        if (r.soilBeforeRock)
            lastSoilTons = value;
        else if (tipInSoil)
            value = lastSoilTons; // a tip above rock does not count on the rock below
        weighted += zone.weights[i] * value;
    }
    return zone.sum > 0.0 ? weighted / zone.sum : record(first).baseResistanceTons;
}

int lastBaseRowLengthFt(int lastTipPosition, const BaseGeometry &geometry, double bottomLengthFt)
{
    return lastTipPosition - geometry.zoneLengthFt - zoneOffset(geometry, bottomLengthFt) - 1;
}

double lrfdTipFactor(const SoilProfile &profile, double lengthFt)
{
    for (const SoilLayer &layer : profile.layers)
        if (layer.DEPTH > lengthFt)
            return layer.lrfdTip;
    return profile.layers.empty() ? 1.0 : profile.layers.back().lrfdTip;
}

} // namespace vorna
