#include "method/side_resistance.h"

#include "input/si_input.h"
#include "method/charts.h"
#include "method/soil_type.h"
#include "method/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorna {

namespace {

constexpr double kMinCoefficient = 0.25;
constexpr double kMaxCoefficient = 1.2;
constexpr double kMPerFt = 0.3048;           // the gravel fits take the depth in metres
constexpr double kRockSqrtRulePsf = 40320.0; // 280 psi
constexpr double kMaxBetaUnitSideTsf = 2.1;  // sand and gravelly sand, beta method
// Atmospheric pressure as the intermediate-geomaterial methods take it.
constexpr double kMaxConcreteHeadFt = 40.0;

} // namespace

double alphaClay(double undrainedShearStrengthPsf)
{
    const double atmospheres = undrainedShearStrengthPsf / kPsfAtmosphere;
    if (atmospheres > 1.5 && atmospheres < 2.5)
        return 0.55 - 0.1 * (atmospheres - 1.5);
    return 0.55;
}

double limitedSideCoefficient(double coefficient)
{
    return std::clamp(coefficient, kMinCoefficient, kMaxCoefficient);
}

double betaSand(double depthFt, double blowCountN)
{
    double beta = 1.5 - 0.135 * std::sqrt(std::max(depthFt, 0.0));
    if (blowCountN > 0.0 && blowCountN < 15.0)
        beta *= blowCountN / 15.0;
    return limitedSideCoefficient(beta);
}

double betaGravellySand(double depthFt)
{
    const double beta = 2.0 - 0.15 * std::pow(kMPerFt * std::max(depthFt, 0.0), 0.75);
    return std::clamp(beta, kMinCoefficient, 1.8);
}

double betaGravel(double depthFt)
{
    const double beta = 3.4 * std::exp(-0.085 * kMPerFt * depthFt);
    return std::clamp(beta, kMinCoefficient, 3.0);
}

RockSideStrength rockSideStrength(double rockStrengthPsf, double concreteStrengthPsf, SoilType type,
                                  LoadingType loading)
{
    const double quPsf = std::min(rockStrengthPsf, concreteStrengthPsf);
    RockSideStrength rock;
    if (quPsf > kRockSqrtRulePsf) {
        // f = 2.5 sqrt(qu), both in psi, written as c * s with s in psf.
        rock.strengthPsf = psiToPsf(std::sqrt(psfToPsi(quPsf)));
        rock.coefficient = 2.5;
    } else {
        rock.strengthPsf = quPsf;
        rock.coefficient = 0.15;
    }
    if (type == SoilType::StrongRockSideOrBase && loading == LoadingType::Compression &&
        !isCodeFourSideOnly(quPsf))
        rock.strengthPsf = 0.0;
    return rock;
}

double limitedByMaxTransferTsf(double unitSideResistanceTsf, double maxTransferPsf)
{
    const double limitTsf = psfToTsf(maxTransferPsf);
    if (limitTsf > 0.0001 && unitSideResistanceTsf > limitTsf)
        return limitTsf;
    return unitSideResistanceTsf;
}

double scaledSocketDiameterFt(double socketDiameterFt, double stemDiameterFt,
                              double smallestDiameterFt)
{
    return socketDiameterFt * stemDiameterFt / smallestDiameterFt;
}

double sidePerimeterFt(SoilType type, double scaledSocketDiameterFt, double stemDiameterFt)
{
    if (isRockOrGeomaterial(type)) {
        const double socketPerimeterFt = kPi * scaledSocketDiameterFt;
        if (socketPerimeterFt >= 0.001)
            return socketPerimeterFt;
    }
    return kPi * stemDiameterFt;
}

std::optional<GeomaterialStep> decomposedRockStep(double effectiveStressPsf, double blowCountN,
                                                  double socketDiameterFt)
{
    const double sigmaV = effectiveStressPsf;
    if (!(sigmaV > 0.0))
        return std::nullopt;
    const double pa = kPsfAtmosphereGeomaterial;
    const double N = std::max(blowCountN, 0.0);
    const double preconsolidationPsf = 0.2 * N * pa;
    const double phi = std::atan(std::pow(N / (12.2 + 20.3 * sigmaV / pa), 0.34));
    const double overconsolidation = preconsolidationPsf / sigmaV;
    const double k0 = (1.0 - std::sin(phi)) * std::pow(overconsolidation, std::sin(phi));

    GeomaterialStep step;
    step.unitSideResistancePsf = sigmaV * k0 * std::tan(0.75 * phi);
    const double maxBasePsf = 2.1459 * sigmaV * std::pow(overconsolidation, 0.8);
    step.baseResistanceTons =
        psfToTsf(maxBasePsf * kPiFine * socketDiameterFt * socketDiameterFt / 4.0);
    return step;
}

namespace {

bool isRoughSocket(int interfaceCondition)
{
    return interfaceCondition == 1 || interfaceCondition == 3;
}
bool hasOpenJoints(int interfaceCondition)
{
    return interfaceCondition == 3 || interfaceCondition == 4;
}

// Fraction of fa mobilised at the socket displacement (the load-transfer factor Kf).
// n at or above 1 mobilises all of fa, so n is taken at most 1; so is a theta that
// grows without bound as n' falls to 0 or below.
double mobilisedFraction(double theta, double n, double nPrime)
{
    if (nPrime <= 0.0)
        return 1.0;
    n = std::min(n, 1.0);
    if (theta > n)
        return n + (theta - n) * (1.0 - n) / (theta - 2.0 * n + 1.0);
    return theta;
}

// Unit base resistance of a weak-rock socket at a socket movement, psf: the mass modulus in
// kPa and the diameter and movement in mm inside the fit.
double weakRockBasePsf(const WeakRockInput &in, double massModulusTsf, double R, double omega,
                       double nPrime, double displacementFt)
{
    // The fit converts kPa to psf with its own rounding.
    constexpr double kPsfPerKPaOfFit = 20.88;
    const double massModulusKPa = massModulusTsf * kPsfPerTsf / kPsfPerKsf * kKPaPerKsf;
    const double diameterMm = in.socketDiameterFt * kInPerFt * kMmPerIn;
    double c = 0.0;
    if (nPrime > 0.0) {
        const double bracket =
            200.0 * (std::sqrt(R) - omega) * (1.0 + R) / (kPiFine * diameterMm * nPrime);
        // Outside the range of the fit (a bracket of 0 or less) the base takes nothing.
        if (bracket > 0.0)
            c = 0.0134 * massModulusKPa * (R / (1.0 + R)) * std::pow(bracket, 0.67);
    }
    const double displacementMm = displacementFt * kInPerFt * kMmPerIn;
    const double basePsf = c * std::pow(displacementMm, 0.67) * kPsfPerKPaOfFit;
    return std::min(basePsf, 2.5 * in.rockStrengthPsf);
}

} // namespace

GeomaterialStep weakRockStep(const WeakRockInput &in)
{
    const double pa = kPsfAtmosphereGeomaterial;
    const bool rough = isRoughSocket(in.interfaceCondition);
    const double qu = in.rockStrengthPsf;

    const double headFt = std::clamp(in.concreteHeadFt, 0.0, kMaxConcreteHeadFt);
    const double normalStressPsf = kPcfConcrete * slumpFactor(headFt, in.slumpIn) * headFt;

    double faPsf = 0.5 * qu;
    if (!rough) {
        const double interfaceFriction = socketDegToRad(in.interfaceFrictionDeg);
        faPsf = smoothSocketAlpha(normalStressPsf / pa, qu) * qu * std::tan(interfaceFriction) /
                std::tan(kSmoothSocketReferenceAngleRad);
    }
    const double modulusRatio =
        massModulusRatio(in.rqdPercent, hasOpenJoints(in.interfaceCondition));
    const double massModulusTsf = modulusRatio * in.intactModulusTsf;
    faPsf *= jointFactor(modulusRatio);

    double n = normalStressPsf / qu;
    if (!rough) {
        const double modulusOverStress = normalStressPsf > 0.0
                                             ? tsfToPsf(massModulusTsf) / normalStressPsf
                                             : std::numeric_limits<double>::infinity();
        n = smoothSocketRatioN(modulusOverStress, qu / pa);
    }

    const double R = in.socketLengthFt / in.socketDiameterFt;
    const double rootR = std::sqrt(R);
    const double logModuli = std::log10(in.shaftModulusTsf / massModulusTsf);
    const double omega = 1.14 * rootR - 0.05 * (rootR - 1.0) * logModuli - 0.44;
    const double nPrime = 0.37 * rootR - 0.15 * (rootR - 1.0) * logModuli + 0.13;

    const double displacementFt =
        in.displacementFt > 0.0 ? in.displacementFt : 0.05 * in.socketDiameterFt;
    double theta = 0.0;
    if (nPrime > 0.0)
        theta = tsfToPsf(massModulusTsf) * omega * displacementFt /
                (kPiFine * in.socketLengthFt * nPrime * faPsf);
    const double kf = mobilisedFraction(theta, n, nPrime);

    GeomaterialStep step;
    step.unitSideResistancePsf = std::max(rough ? faPsf * kf : faPsf, 0.0);
    step.mobilisedSidePsf = std::max(faPsf * kf, 0.0);
    step.baseStressPsf = weakRockBasePsf(in, massModulusTsf, R, omega, nPrime, displacementFt);
    step.baseResistanceTons =
        psfToTsf(in.socketDiameterFt * in.socketDiameterFt * (kPiFine / 4.0) * step.baseStressPsf);
    return step;
}

namespace {

// The top of the rock a weak-rock socket is measured from: the first layer of code 6 or
// 7. Gravels (8, 9) are soil and do not start a socket.
std::optional<double> socketRockTopFt(const SoilProfile &profile, std::size_t layerIndex)
{
    for (std::size_t i = 0; i <= layerIndex && i < profile.layers.size(); ++i) {
        const SoilType type = profile.layers[i].type;
        if (startsWeakRockSocket(type))
            return profile.layers[i].topDepth;
    }
    return std::nullopt;
}

} // namespace

double weakRockSocketLengthFt(const SoilProfile &profile, std::size_t layerIndex, double depthFt,
                              double stemDiameterFt, double smallestDiameterFt)
{
    const SoilLayer &layer = profile.layers[layerIndex];
    double lengthFt = depthFt - socketRockTopFt(profile, layerIndex).value_or(layer.topDepth);
    const double shortestFt =
        scaledSocketDiameterFt(layer.BDS[kBottom], stemDiameterFt, smallestDiameterFt);
    if (lengthFt < shortestFt)
        lengthFt = shortestFt;
    if (lengthFt <= 0.0)
        lengthFt = 1.0;
    return lengthFt;
}

WeakRockInput weakRockLayerInput(const InputData &input, const SoilProfile &profile,
                                 std::size_t layerIndex, double distanceFt, double socketDiameterFt)
{
    const SoilLayer &layer = profile.layers[layerIndex];
    WeakRockInput weak;
    weak.slumpIn = enteredSlumpIn(layer.at(layer.slump, distanceFt), input.unitSystem);
    weak.rqdPercent = layer.at(layer.RQD, distanceFt);
    weak.interfaceFrictionDeg = layer.at(layer.interfaceFrictionAngle, distanceFt);
    weak.rockStrengthPsf = layer.at(layer.QUR, distanceFt);
    weak.interfaceCondition = static_cast<int>(layer.interfaceCondition[kTop]);
    weak.socketDiameterFt = socketDiameterFt;
    weak.concreteHeadFt = concreteHeadFt(profile, layerIndex, referenceDepthFt(input, layer));
    weak.intactModulusTsf = layer.at(layer.rockModulusTsf, distanceFt);
    weak.shaftModulusTsf = profile.shaftModulusTsf;
    return weak;
}

std::optional<double> weakRockTopFt(const SoilProfile &profile, std::size_t layerIndex)
{
    return socketRockTopFt(profile, layerIndex);
}

double concreteHeadFt(const SoilProfile &profile, std::size_t layerIndex, double referenceDepthFt)
{
    const double rockTopFt =
        socketRockTopFt(profile, layerIndex).value_or(profile.layers[layerIndex].topDepth);
    return std::clamp(0.5 * (rockTopFt + referenceDepthFt), 0.0, kMaxConcreteHeadFt);
}

namespace {

// The coefficient of the step: the interpolated entry, with beta recomputed at the step
// depth for layers whose coefficients are automatic.
double stepCoefficient(const SoilLayer &layer, const SideStepInput &step, SideStep &out)
{
    const double d = step.distanceFt;
    double coefficient = 0.0;
    if (layer.coefficient[kTop] > kNotEntered && layer.coefficient[kBottom] > kNotEntered)
        coefficient = layer.at(layer.coefficient, d);
    if (!layer.automaticCoefficient)
        return coefficient;
    const double N = layer.at(layer.BLOWS, d);
    switch (layer.type) {
    case SoilType::Sand:
        if (layer.sandMethod >= 2)
            coefficient = betaSand(step.depthFt, N);
        break;
    case SoilType::GravellySand:
        coefficient = betaGravellySand(step.depthFt);
        break;
    case SoilType::Gravel:
        coefficient = betaGravel(step.depthFt);
        break;
    case SoilType::Clay:
    case SoilType::ClayShale:
    case SoilType::StrongRockSideOrBase:
    case SoilType::DecomposedRock:
    case SoilType::WeakRock:
    case SoilType::StrongRock:
        break;
    }
    if (isGravel(layer.type) && N <= 25.0)
        out.gravelCriterionWarning = true;
    return coefficient;
}

// The layer and the step a ground type's method works on.
struct SideAt {
    const InputData &input;
    const SoilProfile &profile;
    const SoilLayer &layer;
    const SideStepInput &step;
    double socketFt; // the socket diameter scaled with the stem

    double value(const TopBottom &values) const { return layer.at(values, step.distanceFt); }
    bool isUplift() const { return input.loadingType == LoadingType::Uplift; }
};

// Uplift takes a share of the strength (or of a geomaterial's unit side resistance) in
// compression, enlarged with a bell's RATIO.
double upliftScaledPsf(double psf, const SideAt &at)
{
    if (!at.isUplift())
        return psf;
    psf *= at.input.upliftFactor;
    if (at.input.RATIO > 1.0)
        psf *= at.input.RATIO;
    return psf;
}

// f after the layer's maximum load transfer. A negative unit side resistance (effective
// stress or strength below zero from faulty unit weights or entries) has no meaning: the
// step then adds nothing.
SideStep finishedStep(SideStep out, double unitSideResistanceTsf, const SideAt &at)
{
    const double limitedTsf =
        limitedByMaxTransferTsf(unitSideResistanceTsf, at.value(at.layer.TRANLM));
    out.unitSideResistanceTsf = std::max(limitedTsf, 0.0);
    return out;
}

// f = c * s with s the shear strength of soil or the strength of rock; no side resistance
// without a coefficient.
SideStep strengthMethodStep(SideStep out, double coefficient, double strengthPsf, const SideAt &at)
{
    out.coefficient = coefficient;
    if (coefficient <= 0.0)
        return out;
    return finishedStep(out, psfToTsf(upliftScaledPsf(strengthPsf, at) * coefficient), at);
}

// Beta method: f = beta times the effective stress at mid-step, at most 2.1 tsf except in gravel.
SideStep betaMethodStep(SideStep out, double beta, const SideAt &at)
{
    out.coefficient = beta;
    if (beta <= 0.0)
        return out;
    double midStepPsf = at.step.stress.midStepPsf();
    if (at.isUplift())
        midStepPsf *= at.input.upliftFactor;
    double unitSideTsf = psfToTsf(beta * midStepPsf);
    if (at.layer.type != SoilType::Gravel)
        unitSideTsf = std::min(unitSideTsf, kMaxBetaUnitSideTsf);
    return finishedStep(out, unitSideTsf, at);
}

// An intermediate geomaterial gives f itself, and the base resistance of the step.
SideStep geomaterialMethodStep(SideStep out, double coefficient, const GeomaterialStep &method,
                               const SideAt &at)
{
    out.geomaterialBaseTons = method.baseResistanceTons;
    out.coefficient = coefficient;
    return finishedStep(out, psfToTsf(upliftScaledPsf(method.unitSideResistancePsf, at)), at);
}

// Mohr-Coulomb shear strength at the step's effective vertical stress.
double shearStrengthPsf(const SideAt &at, double frictionAngleDeg)
{
    return at.step.stress.psf * std::tan(degToRad(frictionAngleDeg)) + at.value(at.layer.CU);
}

// Sand: K method on the shear strength (phi from N when not entered), or beta method.
SideStep sandStep(const SideAt &at, double coefficient, SideStep out)
{
    if (at.layer.sandMethod >= 2)
        return betaMethodStep(out, coefficient, at);
    double phiDeg = at.value(at.layer.PHI);
    if (phiDeg < kNotEntered)
        phiDeg = frictionAngleFromNDeg(at.value(at.layer.BLOWS), at.step.stress.psf);
    return strengthMethodStep(out, coefficient, shearStrengthPsf(at, phiDeg), at);
}

// Clay: alpha method; without cu, cu is taken as N / 10 tsf.
SideStep clayStep(const SideAt &at, double coefficient, SideStep out)
{
    if (at.value(at.layer.CU) < kNotEntered) {
        out.clayNValueWarning = true;
        return strengthMethodStep(out, coefficient, tsfToPsf(0.1 * at.value(at.layer.BLOWS)), at);
    }
    return strengthMethodStep(out, coefficient, shearStrengthPsf(at, at.value(at.layer.PHI)), at);
}

// Clay shale: alpha method; without cu, cu is taken as N / 53 tsf.
SideStep clayShaleStep(const SideAt &at, double coefficient, SideStep out)
{
    if (at.value(at.layer.CU) < kNotEntered)
        return strengthMethodStep(out, coefficient, tsfToPsf(at.value(at.layer.BLOWS)) / 53.0, at);
    return strengthMethodStep(out, coefficient, shearStrengthPsf(at, at.value(at.layer.PHI)), at);
}

// Strong rock (codes 4 and 7): strength and coefficient from the weaker of rock and concrete.
SideStep strongRockStep(const SideAt &at, SideStep out)
{
    const RockSideStrength rock = rockSideStrength(at.value(at.layer.QUR), at.value(at.layer.QUCON),
                                                   at.layer.type, at.input.loadingType);
    return strengthMethodStep(out, rock.coefficient, rock.strengthPsf, at);
}

// Decomposed rock: the stress at the step, or at mid-layer two socket diameters below the
// reference depth. The run stops where no stress is left.
SideStep decomposedRockSideStep(const SideAt &at, double coefficient, SideStep out)
{
    const double bs = at.socketFt < 0.001 ? at.input.DSTART : at.socketFt;
    const double stressPsf = at.step.depthFt < referenceDepthFt(at.input, at.layer) + 2.0 * bs
                                 ? at.step.stress.psf
                                 : midLayerStressPsf(at.profile, at.step.layerIndex, at.input.WTD);
    const auto decomposed = decomposedRockStep(stressPsf, at.value(at.layer.BLOWS), bs);
    if (!decomposed) {
        out.noEffectiveStress = true;
        return out;
    }
    return geomaterialMethodStep(out, coefficient, *decomposed, at);
}

// Weak rock: the socket down to the step, with the running mean of the intact modulus.
SideStep weakRockSideStep(const SideAt &at, double coefficient, SideStep out)
{
    const std::size_t i = at.step.layerIndex;
    WeakRockInput weak =
        weakRockLayerInput(at.input, at.profile, i, at.step.distanceFt, at.socketFt);
    weak.socketLengthFt = weakRockSocketLengthFt(at.profile, i, at.step.depthFt,
                                                 at.step.stemDiameterFt, at.input.DSTART);
    weak.intactModulusTsf = at.step.intactModulusMeanTsf;
    return geomaterialMethodStep(out, coefficient, weakRockStep(weak), at);
}

} // namespace

SideStep sideResistanceStep(const InputData &input, const SoilProfile &profile,
                            const SideStepInput &step)
{
    const SoilLayer &layer = profile.layers[step.layerIndex];
    const double socketFt = scaledSocketDiameterFt(layer.at(layer.BDS, step.distanceFt),
                                                   step.stemDiameterFt, input.DSTART);
    const SideAt at{input, profile, layer, step, socketFt};

    SideStep out;
    out.perimeterFt = sidePerimeterFt(layer.type, socketFt, step.stemDiameterFt);
    const double coefficient = stepCoefficient(layer, step, out);
    switch (layer.type) {
    case SoilType::Sand:
        return sandStep(at, coefficient, out);
    case SoilType::Clay:
        return clayStep(at, coefficient, out);
    case SoilType::ClayShale:
        return clayShaleStep(at, coefficient, out);
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        return strongRockStep(at, out);
    case SoilType::DecomposedRock:
        return decomposedRockSideStep(at, coefficient, out);
    case SoilType::WeakRock:
        return weakRockSideStep(at, coefficient, out);
    case SoilType::GravellySand:
    case SoilType::Gravel:
        return betaMethodStep(out, coefficient, at);
    }
    return out;
}

SideTotals accumulatedSide(const SideTotals &totals, const SideStep &step, double lrfdSideFactor)
{
    const double stepTons = step.perimeterFt * step.unitSideResistanceTsf;
    return {totals.QS + stepTons, totals.lrfdQS + stepTons * lrfdSideFactor};
}

} // namespace vorna
