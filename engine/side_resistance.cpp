#include "side_resistance.h"

#include "charts.h"
#include "si_input.h"
#include "soil_type.h"
#include "units.h"

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

bool usesBetaMethod(const SoilLayer &layer)
{
    return (layer.type == SoilType::Sand && layer.sandMethod >= 2) || isGravel(layer.type);
}

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

} // namespace

SideStep sideResistanceStep(const InputData &input, const SoilProfile &profile,
                            const SideStepInput &step)
{
    const SoilLayer &layer = profile.layers[step.layerIndex];
    const double d = step.distanceFt;
    const double sigmaV = step.stress.psf;
    const bool uplift = input.loadingType == LoadingType::Uplift;
    const double socketFt =
        scaledSocketDiameterFt(layer.at(layer.BDS, d), step.stemDiameterFt, input.DSTART);

    SideStep out;
    out.perimeterFt = sidePerimeterFt(layer.type, socketFt, step.stemDiameterFt);
    double c = stepCoefficient(layer, step, out);

    const double N = layer.at(layer.BLOWS, d);
    const double cuPsf = layer.at(layer.CU, d);
    double phiDeg = layer.at(layer.PHI, d);
    double s = sigmaV * std::tan(degToRad(phiDeg)) + cuPsf;
    bool geomaterial = false;
    switch (layer.type) {
    case SoilType::Sand:
        if (phiDeg < kNotEntered) {
            phiDeg = frictionAngleFromNDeg(N, sigmaV);
            s = sigmaV * std::tan(degToRad(phiDeg)) + cuPsf;
        }
        break;
    case SoilType::Clay:
        if (cuPsf < kNotEntered) {
            s = tsfToPsf(0.1 * N); // cu taken as N / 10 tsf
            out.clayNValueWarning = true;
        }
        break;
    case SoilType::ClayShale:
        if (cuPsf < kNotEntered)
            s = tsfToPsf(N) / 53.0;
        break;
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock: {
        const RockSideStrength rock = rockSideStrength(
            layer.at(layer.QUR, d), layer.at(layer.QUCON, d), layer.type, input.loadingType);
        s = rock.strengthPsf;
        c = rock.coefficient;
        break;
    }
    case SoilType::DecomposedRock: {
        geomaterial = true;
        const double bs = socketFt < 0.001 ? input.DSTART : socketFt;
        const double stressPsf = step.depthFt < referenceDepthFt(input, layer) + 2.0 * bs
                                     ? sigmaV
                                     : midLayerStressPsf(profile, step.layerIndex, input.WTD);
        const auto decomposed = decomposedRockStep(stressPsf, N, bs);
        if (!decomposed) {
            out.noEffectiveStress = true;
            return out;
        }
        s = decomposed->unitSideResistancePsf;
        out.geomaterialBaseTons = decomposed->baseResistanceTons;
        break;
    }
    case SoilType::WeakRock: {
        geomaterial = true;
        WeakRockInput weak = weakRockLayerInput(input, profile, step.layerIndex, d, socketFt);
        weak.socketLengthFt = weakRockSocketLengthFt(profile, step.layerIndex, step.depthFt,
                                                     step.stemDiameterFt, input.DSTART);
        weak.intactModulusTsf = step.intactModulusMeanTsf;
        const GeomaterialStep result = weakRockStep(weak);
        s = result.unitSideResistancePsf;
        out.geomaterialBaseTons = result.baseResistanceTons;
        break;
    }
    case SoilType::GravellySand:
    case SoilType::Gravel:
        break;
    }
    out.coefficient = c;
    if (!geomaterial && c <= 0.0)
        return out;

    if (uplift) {
        s *= input.upliftFactor;
        if (input.RATIO > 1.0)
            s *= input.RATIO;
    }

    double f = 0.0;
    if (geomaterial) {
        f = psfToTsf(s);
    } else if (usesBetaMethod(layer)) {
        double midStepPsf = step.stress.midStepPsf();
        if (uplift)
            midStepPsf *= input.upliftFactor;
        f = psfToTsf(c * midStepPsf);
        if (layer.type != SoilType::Gravel)
            f = std::min(f, kMaxBetaUnitSideTsf);
    } else {
        f = psfToTsf(s * c);
    }
    f = limitedByMaxTransferTsf(f, layer.at(layer.TRANLM, d));
    // A negative unit side resistance (effective stress or strength below zero from
    // faulty unit weights or entries) has no meaning: the step then adds nothing.
    out.unitSideResistanceTsf = std::max(f, 0.0);
    return out;
}

SideTotals accumulatedSide(const SideTotals &totals, const SideStep &step, double lrfdSideFactor)
{
    const double stepTons = step.perimeterFt * step.unitSideResistanceTsf;
    return {totals.QS + stepTons, totals.lrfdQS + stepTons * lrfdSideFactor};
}

} // namespace vorna
