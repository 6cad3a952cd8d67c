#include "method/rock_tip.h"

#include "method/rock_socket_charts.h"
#include "method/units.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vorna {
namespace {

constexpr double kSmallestSocketFt = 0.001;

// The socket diameter scales with the stem diameter; with none entered the first diameter
// stands in.
double socketDiameterFt(double bdsFt, double stemDiameterFt, double DSTART)
{
    const double socket = bdsFt * stemDiameterFt / DSTART;
    return socket < kSmallestSocketFt ? DSTART : socket;
}

// The socket series shared by the two socket methods: a geometric start, then three
// fixed ratios.
std::array<double, kSettlementPoints> socketRatios(double first, const double (&last)[3])
{
    std::array<double, kSettlementPoints> ratios{};
    for (int i = 0; i < 12; ++i)
        ratios[static_cast<std::size_t>(i)] = first * std::pow(1.5, i);
    for (int i = 0; i < 3; ++i)
        ratios[static_cast<std::size_t>(12 + i)] = last[i];
    return ratios;
}

SettlementCurve inOutputUnits(SettlementCurve curve, UnitSystem unitSystem)
{
    for (SettlementPoint &p : curve)
        p = rockTipOutputUnits(p, unitSystem);
    return curve;
}

} // namespace

double valueAtDepth(const TopBottom &values, double topFt, double bottomFt, double depthFt)
{
    const double thickness = bottomFt - topFt;
    if (thickness <= 0.0)
        return values[kTop];
    return values[kTop] + (values[kBottom] - values[kTop]) * (depthFt - topFt) / thickness;
}

SettlementPoint rockTipOutputUnits(const SettlementPoint &p, UnitSystem unitSystem)
{
    if (unitSystem == UnitSystem::SI)
        return {p.topLoad * kKNPerTon, p.topMovement / kFtPerM, p.tipLoad * kKNPerTon,
                p.tipMovement / kFtPerM};
    return {p.topLoad, p.topMovement * kInPerFt, p.tipLoad, p.tipMovement * kInPerFt};
}

// ---- Decomposed rock: elastic pile in a cohesionless geomaterial --------------------

DecomposedRockModulus decomposedRockModulus(const TipLayerValues &layer, double N)
{
    const double bottomTsf = layer.modulusTsf[kBottom];
    if (bottomTsf > 0.001)
        return {tsfToPsf(bottomTsf), 0.5 * (layer.modulusTsf[kTop] + bottomTsf) / bottomTsf};
    // A profile without N at its bottom is taken as uniform.
    const double nBottom = layer.BLOWS[kBottom];
    return {46545.4 * std::pow(N, 0.82), nBottom > 0.0 ? layer.BLOWS[kTop] / nBottom : 1.0};
}

SettlementCurve decomposedRockCurve(const DecomposedRockTipInput &input)
{
    const TipLayerValues &layer = input.tipLayer;
    const double depth = input.referenceDepthFt;
    const double socket =
        socketDiameterFt(valueAtDepth(layer.BDS, layer.topFt, layer.bottomFt, depth),
                         input.stemDiameterFt, input.DSTART);
    const double stressPsf = input.deepestWalkDepthFt < depth + 2.0 * socket
                                 ? input.walkStressPsf
                                 : input.midLayerStressPsf;
    const double N = valueAtDepth(layer.BLOWS, layer.topFt, layer.bottomFt, depth);
    const double poisson = 0.4;
    const DecomposedRockModulus modulus = decomposedRockModulus(layer, N);
    SettlementCurve curve{};
    // Without stiffness or stress the elastic solution has nothing to work with.
    if (!(modulus.EsPsf > 0.0) || !(stressPsf > 0.0))
        return curve;
    const double Es = modulus.EsPsf;
    const double rho = modulus.ratio;

    double socketLength = depth - layer.topFt;
    if (socketLength < 0.0001)
        socketLength = layer.bottomFt;
    const double R = socketLength / socket;

    const double lambda = 2.6 * tsfToPsf(input.EcTsf) / Es;
    // A socket too short for the elastic solution would make zeta zero or negative.
    const double zeta =
        std::max(0.1, std::log((0.25 + 2.5 * (2.5 * rho * (1.0 - poisson) - 0.25)) * 2.0 * R));
    const double muL = 2.0 * R * std::sqrt(2.0 / (zeta * lambda));
    const double tanhMuL = std::tanh(muL);
    const double F = 4.0 * (1.0 + poisson) *
                     (1.0 + 8.0 * tanhMuL * R / (2.5 * (1.0 - poisson) * kPiFine * lambda * muL)) /
                     (16.0 / (1.0 - poisson) + 4.0 * kPiFine * rho * tanhMuL * R / (zeta * muL));

    const double sideLb = input.sideResistanceTons * kLbPerTon;
    const double yieldLb =
        sideLb / (1.0 - F / ((1.0 + poisson) * 2.5 * std::cosh(muL) * (1.0 - poisson)));
    const double yieldFt = F * yieldLb / (Es * socket);
    for (int i = 1; i <= 10; ++i) {
        SettlementPoint &p = curve[static_cast<std::size_t>(i - 1)];
        p.topMovement = yieldFt * i / 10.0;
        p.topLoad = yieldLb * i / 10.0 / kLbPerTon;
    }

    const double pa = kPsfAtmosphereGeomaterial;
    const double qmaxPsf = 2.1459 * stressPsf * std::pow(0.2 * N * pa / stressPsf, 0.8);
    const double ultimateLb = qmaxPsf * kPiFine * socket * socket / 4.0 + sideLb;
    const double extraFt =
        (1.0 - poisson) * (1.0 + poisson) * (ultimateLb - yieldLb) / (socket * 0.4 * Es);
    for (int i = 11; i <= 14; ++i) {
        SettlementPoint &p = curve[static_cast<std::size_t>(i - 1)];
        p.topMovement = yieldFt + extraFt * (i - 10) / 4.0;
        p.topLoad = (yieldLb + (ultimateLb - yieldLb) * (i - 10) / 4.0) / kLbPerTon;
    }
    curve[14].topMovement = 1.2 * (yieldFt + extraFt);
    curve[14].topLoad = curve[13].topLoad;
    return inOutputUnits(curve, input.unitSystem);
}

// ---- Weak rock: cohesive intermediate geomaterial socket ---------------------------

std::array<double, kSettlementPoints> weakRockSocketMovementsFt(double socketDiameterFt)
{
    auto movements = socketRatios(0.00009, {0.0125, 0.025, 0.05});
    for (double &m : movements)
        m *= socketDiameterFt;
    return movements;
}

SettlementCurve weakRockCurve(const WeakRockTipInput &input)
{
    assert(input.method && "the weak-rock curve needs the weak-rock side method");
    const TipLayerValues &layer = input.tipLayer;
    const double socket = socketDiameterFt(
        valueAtDepth(layer.BDS, layer.topFt, layer.bottomFt, input.referenceDepthFt),
        input.stemDiameterFt, input.DSTART);
    const double socketLength = input.referenceDepthFt - input.weakRockTopFt;
    const double maxSideLb = input.sideResistanceTons * kLbPerTon;
    const double concretePsi = tsfToPsi(input.EcTsf);
    const double socketAreaSqIn = socket * socket * kQuarterPi * kSqInPerSqFt;

    SettlementCurve curve{};
    const auto movements = weakRockSocketMovementsFt(socket);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const double movementFt = movements[i];
        const WeakRockStress stress = input.method(socketLength, movementFt);
        const double sideLb = std::min(input.firstWeakRockSideTons * kLbPerTon +
                                           stress.sideStressPsf * kPiFine * socket * socketLength,
                                       maxSideLb);
        const double baseLb = kPiFine * socket * socket / 4.0 * stress.baseStressPsf;
        const double loadLb = sideLb + baseLb;
        // Elastic shortening of the shaft above the socket, inches.
        const double shorteningIn =
            loadLb * input.weakRockTopFt * kInPerFt / (concretePsi * socketAreaSqIn);
        SettlementPoint &p = curve[i];
        // The method gives its own output units; no further conversion follows.
        if (input.unitSystem == UnitSystem::SI) {
            p.topLoad = loadLb / kLbPerTon * kKNPerTon;
            p.topMovement = movementFt / kFtPerM + shorteningIn * kMPerIn;
        } else {
            p.topLoad = loadLb / kLbPerTon;
            p.topMovement = movementFt * kInPerFt + shorteningIn;
        }
    }
    return curve;
}

// ---- Strong rock: socket under soil ------------------------------------------------

RockZone strongRockZone(const std::vector<RockTipLayer> &layers)
{
    assert(!layers.empty() && "the rock zone needs the tip layer");
    std::size_t first = layers.size() - 1;
    while (first > 0 && isRockOrGeomaterial(layers[first - 1].soil))
        --first;
    RockZone zone;
    zone.firstLayer = first;
    zone.topFt = first > 0 ? layers[first - 1].depthFt : 0.0;
    zone.lengthFt = layers.back().depthFt - zone.topFt;
    double rqdSum = 0.0;
    double modulusSum = 0.0;
    double previousDepth = zone.topFt;
    for (std::size_t j = first; j < layers.size(); ++j) {
        const double thickness = layers[j].depthFt - previousDepth;
        rqdSum += thickness * 0.5 * (layers[j].RQD[kTop] + layers[j].RQD[kBottom]);
        modulusSum += thickness * 0.5 *
                      (layers[j].intactModulusTsf[kTop] + layers[j].intactModulusTsf[kBottom]);
        previousDepth = layers[j].depthFt;
    }
    if (zone.lengthFt > 0.0) {
        zone.meanRqd = rqdSum / zone.lengthFt;
        zone.meanIntactModulusTsf = modulusSum / zone.lengthFt;
    } else {
        // A rock zone without length: the tip layer's own mean values.
        const RockTipLayer &tip = layers.back();
        zone.meanRqd = 0.5 * (tip.RQD[kTop] + tip.RQD[kBottom]);
        zone.meanIntactModulusTsf =
            0.5 * (tip.intactModulusTsf[kTop] + tip.intactModulusTsf[kBottom]);
    }
    return zone;
}

namespace {

constexpr int kMaxWalkPasses = 100;

struct HeadState {
    double loadTons = 0.0;
    double movementFt = 0.0;
};

// Carries the socket head's load and movement up through the soil above the rock, from the
// layer just above it to the first layer.
HeadState walkUpThroughSoil(const StrongRockTipInput &input, std::size_t soilLayers,
                            bool upperBound, HeadState head)
{
    const double D = input.stemDiameterFt;
    const double stemStiffness = kQuarterPi * D * D * input.EcTsf;
    const double startRatio = head.movementFt / D;
    double ratio = startRatio;
    double load = head.loadTons;
    for (std::size_t j = soilLayers; j-- > 0;) {
        const RockTipLayer &layer = input.layers[j];
        double sideTons =
            layer.sideResistanceTons - (j > 0 ? input.layers[j - 1].sideResistanceTons : 0.0);
        if (sideTons < 1e-20)
            sideTons = 0.0;
        const double thicknessFt = layer.depthFt - (j > 0 ? input.layers[j - 1].depthFt : 0.0);
        const double bottomFraction = walkTransferFraction(layer.soil, upperBound, ratio);
        const double loadBelow = load;
        load = loadBelow + sideTons * bottomFraction;
        double topRatio = ratio;
        double topLoad = load;
        // The fixed point converges fast; the cap only guards against a hang.
        for (int pass = 0; pass < kMaxWalkPasses; ++pass) {
            topRatio = ratio + thicknessFt * load / stemStiffness / D;
            const double topFraction = walkTransferFraction(layer.soil, upperBound, topRatio);
            topLoad = loadBelow + 0.5 * (bottomFraction + topFraction) * sideTons;
            if (sideTons == 0.0 || std::fabs(topLoad - load) <= 0.1 * bottomFraction * sideTons)
                break;
            load = topLoad;
        }
        ratio = topRatio;
        load = topLoad;
    }
    return {load, ratio * D};
}

} // namespace

SettlementCurve strongRockCurve(const StrongRockTipInput &input)
{
    const RockZone zone = strongRockZone(input.layers);
    const double socket =
        socketDiameterFt(input.tipSocketDiameterFt, input.stemDiameterFt, input.DSTART);
    const double socketArea = kQuarterPi * socket * socket;
    const double R = zone.lengthFt / socket;
    const double Em = zone.meanIntactModulusTsf * rqdModulusFactor(zone.meanRqd);
    const double modulusRatio = Em > 0.0 ? input.EcTsf / Em : HUGE_VAL;
    const double I = socketInfluenceFactor(R, modulusRatio);

    const std::size_t soilLayers = zone.firstLayer;
    const double sideAboveTons =
        soilLayers > 0 ? input.layers[soilLayers - 1].sideResistanceTons : 0.0;
    const double capacityTons =
        input.baseResistanceTons + input.layers.back().sideResistanceTons - sideAboveTons;
    // Beyond this ratio the socket load would exceed its capacity.
    const double limitRatio = Em > 0.0 ? I * capacityTons / (socket * socket * Em) : HUGE_VAL;
    const auto ratios = socketRatios(0.00018, {0.025, 0.05, 0.1});

    SettlementCurve curve{};
    for (const bool upperBound : {false, true}) {
        for (std::size_t i = 0; i < curve.size(); ++i) {
            const double r = std::min(ratios[i], limitRatio);
            const double socketLoad = socket * socket * r * Em / I;
            const double socketHeadFt =
                socketLoad * zone.lengthFt / (input.EcTsf * socketArea) + socket * r;
            // Side resistance of the soil above, mobilised fully at 0.017 ft of movement.
            const double referenceFt = upperBound ? curve[i].topMovement : 0.0;
            const double soilLoad =
                referenceFt <= 0.017 ? sideAboveTons * referenceFt / 0.017 : sideAboveTons;
            HeadState head{soilLoad + socketLoad,
                           zone.topFt * (socketLoad - soilLoad) / (input.EcTsf * socketArea) +
                               socketHeadFt};
            if (soilLayers > 0)
                head = walkUpThroughSoil(input, soilLayers, upperBound, head);
            if (upperBound) {
                curve[i].tipLoad = head.loadTons;
                curve[i].tipMovement = head.movementFt;
            } else {
                curve[i].topLoad = head.loadTons;
                curve[i].topMovement = head.movementFt;
            }
        }
    }
    return inOutputUnits(curve, input.unitSystem);
}

} // namespace vorna
