#include "load_settlement.h"

#include "units.h"
#include "vornacalc/engine.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <optional>
#include <tuple>

namespace vorna {
namespace {

// Finds, among values[from..], the first one that is not below (or that exceeds) a depth,
// in the order of the list. The lists need not be sorted (a thin layer can put its first
// station below its last), so the search runs over the running maximum, which rises
// exactly where a value first reaches the depth: O(log n) instead of a scan from the top.
class FirstReaching {
public:
    FirstReaching(const std::vector<double> &values, std::size_t from) : m_from(from)
    {
        double highest = -HUGE_VAL;
        for (std::size_t i = from; i < values.size(); ++i) {
            highest = std::max(highest, values[i]);
            m_runningMax.push_back(highest);
        }
    }
    // Index of the first value >= depth; values.size() when there is none.
    std::size_t notBelow(double depth) const
    {
        const auto it = std::lower_bound(m_runningMax.begin(), m_runningMax.end(), depth);
        return m_from + static_cast<std::size_t>(it - m_runningMax.begin());
    }
    // Index of the first value > depth; values.size() when there is none.
    std::size_t above(double depth) const
    {
        const auto it = std::upper_bound(m_runningMax.begin(), m_runningMax.end(), depth);
        return m_from + static_cast<std::size_t>(it - m_runningMax.begin());
    }

private:
    std::size_t m_from;
    std::vector<double> m_runningMax;
};

double interpolate(double x, double x0, double y0, double x1, double y1)
{
    return y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

// The base curve at tip movement wt: the first point at or beyond wt and the one before.
double baseLoadAt(const TransferCurve &curve, double movementIn)
{
    const auto it = std::lower_bound(
        curve.begin(), curve.end(), movementIn,
        [](const TransferPoint &p, double w) { return p.movementIn < w; });
    if (it == curve.end())
        return curve.back().value;
    if (it == curve.begin())
        return it->value;
    const TransferPoint &lo = *(it - 1);
    return interpolate(movementIn, lo.movementIn, lo.value, it->movementIn, it->value);
}

// The layer limits as entered (in inches) with their unit side resistance (psi).
struct LayerProfile {
    std::vector<double> depthIn; // XZ: top and bottom of each layer
    std::vector<double> sidePsi; // FS
    FirstReaching search;

    explicit LayerProfile(const std::vector<LoadSettlementLayer> &layers)
        : depthIn(limits(layers)), sidePsi(values(layers)), search(depthIn, 1)
    {
    }

    static std::vector<double> limits(const std::vector<LoadSettlementLayer> &layers)
    {
        std::vector<double> xz;
        for (const LoadSettlementLayer &layer : layers) {
            xz.push_back(layer.topFt * kInPerFt);
            xz.push_back(layer.bottomFt * kInPerFt);
        }
        return xz;
    }
    static std::vector<double> values(const std::vector<LoadSettlementLayer> &layers)
    {
        std::vector<double> fs;
        for (const LoadSettlementLayer &layer : layers) {
            fs.push_back(tsfToPsi(layer.sideTopTsf));
            fs.push_back(tsfToPsi(layer.sideBottomTsf));
        }
        return fs;
    }

    // The interval end k for depth z, or nothing when z lies beyond the deepest limit by
    // more than the margin allows.
    std::optional<std::size_t> intervalEnd(double depth, bool withMargin) const
    {
        const std::size_t k = search.above(depth);
        if (k < depthIn.size())
            return k;
        const double beyond = depth - depthIn.back();
        const bool inside = withMargin ? beyond < 0.1 : beyond <= 0.0;
        if (inside)
            return depthIn.size() - 1;
        return std::nullopt;
    }

    double valueAt(double depth, std::size_t k) const
    {
        const double span = depthIn[k] - depthIn[k - 1];
        if (span <= 0.0)
            return 0.5 * (sidePsi[k - 1] + sidePsi[k]);
        return interpolate(depth, depthIn[k - 1], sidePsi[k - 1], depthIn[k], sidePsi[k]);
    }
};

// The unit side resistance of the capacity rows, preceded by (0, 0).
struct DepthProfile {
    std::vector<double> depthIn;
    std::vector<double> sidePsi;
    FirstReaching search;

    explicit DepthProfile(const std::vector<SideProfilePoint> &points)
        : depthIn(depths(points)), sidePsi(values(points)), search(depthIn, 0)
    {
    }
    static std::vector<double> depths(const std::vector<SideProfilePoint> &points)
    {
        std::vector<double> d{0.0};
        for (const SideProfilePoint &p : points)
            d.push_back(p.depthFt * kInPerFt);
        return d;
    }
    static std::vector<double> values(const std::vector<SideProfilePoint> &points)
    {
        std::vector<double> f{0.0};
        for (const SideProfilePoint &p : points)
            f.push_back(tsfToPsi(p.sideTsf));
        return f;
    }

    double valueAt(double depth) const
    {
        const std::size_t k = search.above(depth);
        if (k >= depthIn.size())
            return sidePsi.back();
        if (k == 0)
            return sidePsi.front();
        return interpolate(depth, depthIn[k - 1], sidePsi[k - 1], depthIn[k], sidePsi[k]);
    }
};

TransferCurve scaledCurve(const NormalizedCurve &normalized, double diameterIn, double scale)
{
    TransferCurve curve{};
    for (int i = 0; i < kTransferCurvePoints; ++i) {
        const auto j = static_cast<std::size_t>(i);
        curve[j] = {diameterIn * normalized.movementPercent[j] / 100.0,
                    scale * normalized.fraction[j]};
    }
    return curve;
}

// Axial stiffness AE (lb) at depth z: the stem's down to the bell zone, rising linearly to
// the base's at the tip.
struct StiffnessTable {
    std::array<double, 3> depthIn;
    std::array<double, 3> stiffnessLb;

    double at(double depth) const
    {
        std::size_t k = 0;
        while (k < 3 && depthIn[k] < depth)
            ++k;
        if (k == 3)
            return stiffnessLb[2];
        if (k == 0 || depthIn[k] <= depthIn[k - 1])
            return stiffnessLb[k];
        return interpolate(depth, depthIn[k - 1], stiffnessLb[k - 1], depthIn[k],
                           stiffnessLb[k]);
    }
};

// The stations that serve one segment: a single one (weight 0) or two stations with the
// depth weight of the lower.
struct StationPair {
    std::size_t upper = 0;
    std::size_t lower = 0;
    double lowerWeight = 0.0;
};

StationPair stationsAround(const std::vector<CurveStation> &stations,
                           const FirstReaching &search, double depth)
{
    const std::size_t k = search.notBelow(depth);
    if (k >= stations.size())
        return {stations.size() - 1, stations.size() - 1, 0.0};
    // Above the first station its curve holds; there is nothing to interpolate from.
    if (k == 0 || stations[k].depthIn == depth)
        return {k, k, 0.0};
    const double top = stations[k - 1].depthIn;
    return {k - 1, k, (depth - top) / (stations[k].depthIn - top)};
}

struct Segment {
    StationPair stations;
    double stiffnessLb = 0.0;
    bool transfersSide = true;
};

} // namespace

std::vector<std::array<double, 2>> consistentLayerLimitsIn(
    const std::vector<LoadSettlementLayer> &layers)
{
    std::vector<std::array<double, 2>> limits;
    for (const LoadSettlementLayer &layer : layers) {
        double top = layer.topFt * kInPerFt;
        double bottom = layer.bottomFt * kInPerFt;
        if (bottom - top < 1e-12)
            bottom = top + 0.1;
        if (!limits.empty())
            top = limits.back()[1];
        limits.push_back({top, bottom});
    }
    return limits;
}

std::vector<double> stationDepthsIn(const std::vector<LoadSettlementLayer> &layers)
{
    std::vector<double> depths;
    bool first = true;
    for (const auto &[top, bottom] : consistentLayerLimitsIn(layers)) {
        const double middle = 0.5 * (top + bottom);
        const double lowest = bottom - 0.01;
        // Below the first layer the top station keeps clear of the boundary by one foot.
        depths.push_back(first ? top : top + 12.01);
        depths.push_back(0.5 * (top + middle));
        depths.push_back(middle);
        depths.push_back(0.5 * (middle + lowest));
        depths.push_back(lowest);
        first = false;
    }
    return depths;
}

SettlementPoint toOutputUnits(const SettlementPoint &p, UnitSystem unitSystem)
{
    if (unitSystem == UnitSystem::SI) {
        const double kiloNewtonsPerLb = kNPerLb / kNPerKN;
        return {p.topLoad * kiloNewtonsPerLb, p.topMovement / kInPerM,
                p.tipLoad * kiloNewtonsPerLb, p.tipMovement / kInPerM};
    }
    return {p.topLoad / kLbPerTon, p.topMovement, p.tipLoad / kLbPerTon, p.tipMovement};
}

namespace {

// Step 3 and 4 of a run: the stations with their fmax and curves. Returns the status.
int placeStations(LoadSettlementRun &run, const LoadSettlementInput &input,
                  CurveCase curveCase, const LayerProfile &layerProfile,
                  const std::vector<double> &depths)
{
    const DepthProfile depthProfile(input.sideProfile);
    const double diameterIn = input.stemDiameterFt * kInPerFt;
    std::vector<CurveStation> stations;
    for (std::size_t s = 0; s < depths.size(); ++s) {
        const double z = depths[s];
        const std::optional<std::size_t> k = layerProfile.intervalEnd(z, true);
        if (!k) {
            run.failedDepthIn = z;
            return kStatusBeyondLayerProfile;
        }
        const SoilType soil = input.layers[s / 5].soil;
        const double fmax =
            s + 1 < depths.size() ? depthProfile.valueAt(z) : layerProfile.valueAt(z, *k);
        stations.push_back(
            {z, soil, fmax, scaledCurve(sideTransferCurve(soil, curveCase), diameterIn, fmax)});
    }
    run.stations = std::move(stations);
    return kStatusOk;
}

// Segments from the base up, with the stations and stiffness of their mid-depth.
std::vector<Segment> buildSegments(const LoadSettlementInput &input,
                                   const std::vector<CurveStation> &stations,
                                   const std::vector<double> &depths, int segmentCount,
                                   double segmentIn)
{
    const double diameterIn = input.stemDiameterFt * kInPerFt;
    const double baseDiameterIn = input.baseDiameterFt * kInPerFt;
    const double lengthIn = input.shaftLengthFt * kInPerFt;
    const double modulusPsi =
        input.unitSystem == UnitSystem::SI ? input.Ec / kKPaPerPsiConcrete : input.Ec;
    const double sideEndIn = (input.shaftLengthFt - input.lengthWithoutSideFt) * kInPerFt;
    const double stemStiffness = kQuarterPi * diameterIn * diameterIn * modulusPsi;
    const StiffnessTable stiffness{
        {0.0, sideEndIn, lengthIn},
        {stemStiffness, stemStiffness,
         kQuarterPi * baseDiameterIn * baseDiameterIn * modulusPsi}};

    const FirstReaching stationSearch(depths, 0);
    std::vector<Segment> segments(static_cast<std::size_t>(segmentCount));
    double z = lengthIn - 0.5 * segmentIn;
    for (Segment &segment : segments) {
        segment.stations = stationsAround(stations, stationSearch, z);
        segment.stiffnessLb = stiffness.at(z);
        segment.transfersSide = z <= sideEndIn; // no side load in the bell zone
        z -= segmentIn;
    }
    return segments;
}

struct NodeState {
    double loadLb = 0.0;
    double movementIn = 0.0;
};

// The chains of a load-transfer curve are iterated in packs of lanes: GCC's vector types
// where the compiler has them (two doubles, SSE2 on x86-64), plain doubles elsewhere. Every
// lane does the operations of the scalar iteration in the same order, with no contraction,
// so each chain's values are the same bits as when it ran alone. Masks are all ones in a
// lane where they hold.
#if defined(__GNUC__)
using Pack = double __attribute__((vector_size(16)));
using PackMask = long long __attribute__((vector_size(16)));
constexpr std::size_t kPackWidth = 2;

template <class F>
Pack packOf(F lane)
{
    return Pack{lane(0), lane(1)};
}
template <class F>
PackMask maskOf(F lane)
{
    return PackMask{lane(0) ? -1LL : 0LL, lane(1) ? -1LL : 0LL};
}
double laneOf(const Pack &p, std::size_t lane)
{
    return p[lane];
}
bool holdsIn(const PackMask &m, std::size_t lane)
{
    return m[lane] != 0;
}
bool anyOf(const PackMask &m)
{
    return (m[0] | m[1]) != 0;
}
PackMask notBeyond(Pack a, Pack b) // a <= b
{
    return a <= b;
}
Pack absolute(Pack a) // std::fabs: the sign bit cleared
{
    return (Pack)((PackMask)a & ~(PackMask)Pack{-0.0, -0.0});
}
PackMask finite(Pack a) // std::isfinite: inf - inf and NaN - NaN are NaN
{
    return (a - a) == 0.0;
}
Pack select(PackMask m, Pack a, Pack b)
{
    return m ? a : b;
}
#else
using Pack = double;
using PackMask = long long;
constexpr std::size_t kPackWidth = 1;

template <class F>
Pack packOf(F lane)
{
    return lane(0);
}
template <class F>
PackMask maskOf(F lane)
{
    return lane(0) ? -1LL : 0LL;
}
double laneOf(const Pack &p, std::size_t) { return p; }
bool holdsIn(const PackMask &m, std::size_t) { return m != 0; }
bool anyOf(const PackMask &m) { return m != 0; }
PackMask notBeyond(Pack a, Pack b) { return a <= b ? -1LL : 0LL; }
Pack absolute(Pack a) { return std::fabs(a); }
PackMask finite(Pack a) { return std::isfinite(a) ? -1LL : 0LL; }
Pack select(PackMask m, Pack a, Pack b) { return m != 0 ? a : b; }
#endif

// The points of a side curve around movement w: the first point beyond w (index k) and the
// one before it, linear between them. Before the first point and beyond the last the curve
// holds: both points are the same one, and `holds` is set. The curve's movements rise, so
// the k of the previous pass, when w still lies between its points, is the one a binary
// search would find; from one pass to the next it nearly always does.
struct CurveBracket {
    const TransferPoint *low;
    const TransferPoint *high;
    bool holds;
};

CurveBracket bracketOf(const TransferCurve &curve, double w, std::size_t &k)
{
    const std::size_t n = curve.size();
    const bool fits = (k == 0 || !(w < curve[k - 1].movementIn)) &&
                      (k == n || w < curve[k].movementIn);
    if (!fits) {
        k = static_cast<std::size_t>(
            std::upper_bound(curve.begin(), curve.end(), w,
                             [](double movementIn, const TransferPoint &p) {
                                 return movementIn < p.movementIn;
                             }) -
            curve.begin());
    }
    const std::size_t high = std::min(k, n - 1);
    const std::size_t low = std::max<std::size_t>(k, 1) - 1;
    return {&curve[low], &curve[high], k == 0 || k == n};
}

// interpolate() lane by lane, or the curve's value where it holds.
Pack sideTransferAt(const TransferCurve &curve, Pack w, std::size_t *k)
{
    std::array<CurveBracket, kPackWidth> b;
    for (std::size_t i = 0; i < kPackWidth; ++i)
        b[i] = bracketOf(curve, laneOf(w, i), k[i]);
    const Pack x0 = packOf([&](std::size_t i) { return b[i].low->movementIn; });
    const Pack y0 = packOf([&](std::size_t i) { return b[i].low->value; });
    const Pack x1 = packOf([&](std::size_t i) { return b[i].high->movementIn; });
    const Pack y1 = packOf([&](std::size_t i) { return b[i].high->value; });
    const PackMask holds = maskOf([&](std::size_t i) { return b[i].holds; });
    return select(holds, y1, y0 + (w - x0) * (y1 - y0) / (x1 - x0));
}

// The chains from the base up, segment by segment: each node above is iterated as for one
// chain, the movement at mid-segment until it agrees with the side transfer it produces. A
// chain that does not settle within the pass cap, or whose movement is no longer finite,
// stops there: failedNode gets the number of the node it could not reach.
template <std::size_t Lanes>
void walkChains(const std::vector<Segment> &segments, const std::vector<CurveStation> &stations,
                double segmentIn, double perimeterIn, std::array<NodeState, Lanes> &nodes,
                std::array<int, Lanes> &failedNode, std::size_t chains)
{
    static_assert(Lanes % kPackWidth == 0);
    constexpr std::size_t kPacks = Lanes / kPackWidth;
    std::array<Pack, kPacks> belowLoad, belowMovement, estimate, loadAbove, movementAbove;
    std::array<PackMask, kPacks> alive, running, broken;
    for (std::size_t j = 0; j < kPacks; ++j) {
        const std::size_t l = j * kPackWidth;
        belowLoad[j] = packOf([&](std::size_t i) { return nodes[l + i].loadLb; });
        belowMovement[j] = packOf([&](std::size_t i) { return nodes[l + i].movementIn; });
        alive[j] = maskOf([&](std::size_t i) { return l + i < chains; });
    }
    std::array<std::size_t, Lanes> upperK{}, lowerK{}; // last curve positions, see bracketOf
    const double sideFactor = segmentIn * perimeterIn;
    const double halfSegmentIn = 0.5 * segmentIn;
    for (std::size_t n = 0; n < segments.size(); ++n) {
        const Segment &segment = segments[n];
        const StationPair &pair = segment.stations;
        const bool twoStations = pair.upper != pair.lower;
        bool anyRunning = false;
        for (std::size_t j = 0; j < kPacks; ++j) {
            estimate[j] = belowMovement[j];
            loadAbove[j] = belowLoad[j];
            movementAbove[j] = belowMovement[j];
            running[j] = alive[j];
            broken[j] = PackMask{};
            anyRunning = anyRunning || anyOf(running[j]);
        }
        for (int pass = 1; pass <= kMaxNodePasses && anyRunning; ++pass) {
            anyRunning = false;
            for (std::size_t j = 0; j < kPacks; ++j) {
                if (!anyOf(running[j]))
                    continue;
                const std::size_t l = j * kPackWidth;
                const Pack w = estimate[j];
                Pack transferPsi{}; // no side load in the bell zone
                if (segment.transfersSide) {
                    const Pack u = sideTransferAt(stations[pair.upper].curve, w, &upperK[l]);
                    if (twoStations) {
                        const Pack v = sideTransferAt(stations[pair.lower].curve, w, &lowerK[l]);
                        transferPsi = u + pair.lowerWeight * (v - u);
                    } else {
                        transferPsi = u;
                    }
                }
                const Pack bl = belowLoad[j];
                const Pack bm = belowMovement[j];
                const Pack transferredLb = sideFactor * transferPsi;
                const Pack loadLb = bl + transferredLb;
                const Pack meanLoad = bl + 0.5 * transferredLb;
                const Pack movementIn = bm + segmentIn * meanLoad / segment.stiffnessLb;
                // Mean load of the lower half of the segment.
                const Pack lowerHalfLoad = 0.5 * (bl + 0.5 * (loadLb + bl));
                const Pack mid = bm + halfSegmentIn * lowerHalfLoad / segment.stiffnessLb;

                const PackMask notFinite = running[j] & ~finite(mid);
                const PackMask settled = running[j] & ~notFinite &
                                         notBeyond(absolute(mid - w), Pack{} + kNodeToleranceIn);
                loadAbove[j] = select(settled, loadLb, loadAbove[j]);
                movementAbove[j] = select(settled, movementIn, movementAbove[j]);
                broken[j] = broken[j] | notFinite;
                running[j] = running[j] & ~(notFinite | settled);
                estimate[j] = select(running[j], mid, w);
                anyRunning = anyRunning || anyOf(running[j]);
            }
        }
        for (std::size_t j = 0; j < kPacks; ++j) {
            const PackMask stopped = broken[j] | running[j];
            if (anyOf(stopped)) {
                for (std::size_t i = 0; i < kPackWidth; ++i) {
                    if (holdsIn(stopped, i))
                        failedNode[j * kPackWidth + i] = static_cast<int>(n) + 2;
                }
                alive[j] = alive[j] & ~stopped;
            }
            belowLoad[j] = loadAbove[j];
            belowMovement[j] = movementAbove[j];
        }
    }
    for (std::size_t j = 0; j < kPacks; ++j) {
        for (std::size_t i = 0; i < kPackWidth; ++i)
            nodes[j * kPackWidth + i] = {laneOf(belowLoad[j], i), laneOf(belowMovement[j], i)};
    }
}

} // namespace

LoadSettlementRun computeLoadSettlement(const LoadSettlementInput &input, CurveCase curveCase)
{
    assert(!input.layers.empty() && "the load-settlement analysis needs at least one layer");
    LoadSettlementRun run;
    const double diameterIn = input.stemDiameterFt * kInPerFt;
    const double lengthIn = input.shaftLengthFt * kInPerFt;

    const LayerProfile layerProfile(input.layers);
    const std::vector<double> depths = stationDepthsIn(input.layers);
    run.status = placeStations(run, input, curveCase, layerProfile, depths);
    if (run.status != kStatusOk)
        return run;

    const SoilType deepest = input.layers.back().soil;
    // The strength profile and the maximum-load-transfer profile of a non-sand base share
    // the layer limits, so one depth check stands for both.
    if (deepest != SoilType::Sand && !layerProfile.intervalEnd(lengthIn, false)) {
        run.status = kStatusBeyondStrengthCurve;
        run.failedDepthIn = lengthIn;
        return run;
    }
    const double largestDiameterIn = std::max(diameterIn, input.baseDiameterFt * kInPerFt);
    run.baseCurve = scaledCurve(baseTransferCurve(deepest, curveCase), largestDiameterIn,
                                input.baseResistanceTons * kLbPerTon);
    run.hasBaseCurve = true;

    // A shaft has at least one segment.
    const int segmentCount = std::max(1, input.segmentCount);
    const double segmentIn = lengthIn / segmentCount;
    const double perimeterIn = kPiFine * diameterIn;
    const std::vector<Segment> segments =
        buildSegments(input, run.stations, depths, segmentCount, segmentIn);
    // The tip movements start independent chains of dependent divisions, walked together
    // segment by segment in packs of lanes. Each chain still does the same operations in the
    // same order, and the first chain that fails is reported, with the points before it
    // kept, as when the chains ran one after another.
    const auto tipMovements = assumedTipMovementsIn(diameterIn);
    constexpr std::size_t kChains = std::tuple_size_v<decltype(tipMovements)>;
    constexpr std::size_t kLanes = (kChains + kPackWidth - 1) / kPackWidth * kPackWidth;
    std::array<NodeState, kLanes> nodes{};
    std::array<int, kLanes> failedNode{}; // 0 while the chain runs
    for (std::size_t point = 0; point < kChains; ++point)
        nodes[point] = {baseLoadAt(run.baseCurve, tipMovements[point]), tipMovements[point]};
    walkChains(segments, run.stations, segmentIn, perimeterIn, nodes, failedNode, kChains);
    for (std::size_t point = 0; point < kChains; ++point) {
        if (failedNode[point] != 0) {
            run.status = kStatusNoConvergence;
            run.failedPoint = static_cast<int>(point) + 1;
            run.failedNode = failedNode[point];
            return run;
        }
        const double tipMovementIn = tipMovements[point];
        const SettlementPoint working{nodes[point].loadLb, nodes[point].movementIn,
                                      baseLoadAt(run.baseCurve, tipMovementIn), tipMovementIn};
        run.workingPoints[point] = working;
        run.points[point] = toOutputUnits(working, input.unitSystem);
    }
    return run;
}

} // namespace vorna
