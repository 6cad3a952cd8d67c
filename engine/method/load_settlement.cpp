#include "method/load_settlement.h"

#include "input/si_input.h"
#include "method/units.h"
#include "vornacalc/engine.h"

#include <algorithm>
#include <cassert>
#include <cmath>
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
    const auto it =
        std::lower_bound(curve.begin(), curve.end(), movementIn,
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
    {}

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
    {}
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
        return interpolate(depth, depthIn[k - 1], stiffnessLb[k - 1], depthIn[k], stiffnessLb[k]);
    }
};

// The stations that serve one segment: a single one (weight 0) or two stations with the
// depth weight of the lower.
struct StationPair {
    std::size_t upper = 0;
    std::size_t lower = 0;
    double lowerWeight = 0.0;
};

StationPair stationsAround(const std::vector<CurveStation> &stations, const FirstReaching &search,
                           double depth)
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

// A side curve at movement W: linear between the points around W, the first value before
// them and the last beyond. k is the first point beyond W; the curve's movements rise, so
// the k of the previous pass, when W still lies between its points, is the one a binary
// search would find, and from one pass to the next it nearly always does.
double sideTransferAt(const TransferCurve &curve, double movementIn, std::size_t &k)
{
    const std::size_t n = curve.size();
    const bool fits = (k == 0 || !(movementIn < curve[k - 1].movementIn)) &&
                      (k == n || movementIn < curve[k].movementIn);
    if (!fits) {
        k = static_cast<std::size_t>(
            std::upper_bound(curve.begin(), curve.end(), movementIn,
                             [](double w, const TransferPoint &p) { return w < p.movementIn; }) -
            curve.begin());
    }
    if (k == n)
        return curve.back().value;
    if (k == 0)
        return curve[0].value;
    const TransferPoint &lo = curve[k - 1];
    const TransferPoint &hi = curve[k];
    return interpolate(movementIn, lo.movementIn, lo.value, hi.movementIn, hi.value);
}

double sideTransferAt(const std::vector<CurveStation> &stations, const StationPair &pair,
                      double movementIn, std::size_t &upperK, std::size_t &lowerK)
{
    const double upper = sideTransferAt(stations[pair.upper].curve, movementIn, upperK);
    if (pair.upper == pair.lower)
        return upper;
    const double lower = sideTransferAt(stations[pair.lower].curve, movementIn, lowerK);
    return upper + pair.lowerWeight * (lower - upper);
}

struct Segment {
    StationPair stations;
    double stiffnessLb = 0.0;
    bool transfersSide = true;
};

} // namespace

std::vector<std::array<double, 2>>
consistentLayerLimitsIn(const std::vector<LoadSettlementLayer> &layers)
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
        return {p.topLoad * kiloNewtonsPerLb, p.topMovement / kInPerM, p.tipLoad * kiloNewtonsPerLb,
                p.tipMovement / kInPerM};
    }
    return {p.topLoad / kLbPerTon, p.topMovement, p.tipLoad / kLbPerTon, p.tipMovement};
}

namespace {

// Step 3 and 4 of a run: the stations with their fmax and curves. Returns the status.
int placeStations(LoadSettlementRun &run, const LoadSettlementInput &input, CurveCase curveCase,
                  const LayerProfile &layerProfile, const std::vector<double> &depths)
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
    const double modulusPsi = enteredConcreteModulusPsi(input.Ec, input.unitSystem);
    const double sideEndIn = (input.shaftLengthFt - input.lengthWithoutSideFt) * kInPerFt;
    const double stemStiffness = kQuarterPi * diameterIn * diameterIn * modulusPsi;
    const StiffnessTable stiffness{
        {0.0, sideEndIn, lengthIn},
        {stemStiffness, stemStiffness, kQuarterPi * baseDiameterIn * baseDiameterIn * modulusPsi}};

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

// The tip movements start independent chains, one per point of the curve. A node settles
// by iterating the movement at mid-segment until it agrees with the side transfer it
// produces; every chain's pass at a segment is done before any chain's next one, so the
// processor overlaps the chains' dependent divisions instead of waiting out each chain's
// iteration. Each chain still does the same operations in the same order as alone.
template <std::size_t N> class NodeChains {
public:
    NodeChains(const std::vector<CurveStation> &stations, double segmentIn, double perimeterIn)
        : m_stations(stations), m_segmentIn(segmentIn), m_halfSegmentIn(0.5 * segmentIn),
          m_transferWidthIn(segmentIn * perimeterIn)
    {}

    void start(std::size_t chain, NodeState tip) { m_nodes[chain] = tip; }

    // The nodes above `segment`, for the chains still running. A chain whose node does not
    // settle within the pass cap (or whose movement stops being finite) fails at `node`.
    void climb(const Segment &segment, int node)
    {
        std::array<std::size_t, N> running{};
        std::size_t count = 0;
        for (std::size_t c = 0; c < N; ++c) {
            if (m_failedNode[c] == 0) {
                m_estimate[c] = m_nodes[c].movementIn;
                running[count++] = c;
            }
        }
        for (int pass = 1; pass <= kMaxNodePasses && count > 0; ++pass) {
            std::size_t kept = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t c = running[i];
                switch (step(segment, c)) {
                case Pass::Again:
                    running[kept++] = c;
                    break;
                case Pass::Failed:
                    m_failedNode[c] = node;
                    break;
                case Pass::Settled:
                    break;
                }
            }
            count = kept;
        }
        for (std::size_t i = 0; i < count; ++i)
            m_failedNode[running[i]] = node;
    }

    const NodeState &node(std::size_t chain) const { return m_nodes[chain]; }
    int failedNode(std::size_t chain) const { return m_failedNode[chain]; }

private:
    enum class Pass { Again, Settled, Failed };

    // One pass of chain c at the segment.
    Pass step(const Segment &segment, std::size_t c)
    {
        const NodeState &below = m_nodes[c];
        const double estimate = m_estimate[c];
        const double transferPsi =
            segment.transfersSide
                ? sideTransferAt(m_stations, segment.stations, estimate, m_upperK[c], m_lowerK[c])
                : 0.0;
        const double transferredLb = m_transferWidthIn * transferPsi;
        const double loadLb = below.loadLb + transferredLb;
        // Mean load of the lower half of the segment.
        const double lowerHalfLoad = 0.5 * (below.loadLb + 0.5 * (loadLb + below.loadLb));
        const double midMovement =
            below.movementIn + m_halfSegmentIn * lowerHalfLoad / segment.stiffnessLb;
        if (!std::isfinite(midMovement))
            return Pass::Failed;
        if (std::fabs(midMovement - estimate) <= kNodeToleranceIn) {
            const double meanLoad = below.loadLb + 0.5 * transferredLb;
            m_nodes[c] = {loadLb, below.movementIn + m_segmentIn * meanLoad / segment.stiffnessLb};
            return Pass::Settled;
        }
        m_estimate[c] = midMovement;
        return Pass::Again;
    }

    const std::vector<CurveStation> &m_stations;
    const double m_segmentIn;
    const double m_halfSegmentIn;
    const double m_transferWidthIn;
    std::array<NodeState, N> m_nodes{};
    std::array<double, N> m_estimate{};
    std::array<int, N> m_failedNode{};                 // 0 while the chain runs
    std::array<std::size_t, N> m_upperK{}, m_lowerK{}; // curve positions of the last pass
};

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
    const auto tipMovements = assumedTipMovementsIn(diameterIn);
    constexpr std::size_t kChains = std::tuple_size_v<decltype(tipMovements)>;
    NodeChains<kChains> chains(run.stations, segmentIn, perimeterIn);
    for (std::size_t point = 0; point < kChains; ++point)
        chains.start(point, {baseLoadAt(run.baseCurve, tipMovements[point]), tipMovements[point]});
    for (std::size_t n = 0; n < segments.size(); ++n)
        chains.climb(segments[n], static_cast<int>(n) + 2);
    // The first chain that failed is reported, with the points before it kept, as when the
    // chains ran one after another.
    for (std::size_t point = 0; point < kChains; ++point) {
        if (chains.failedNode(point) != 0) {
            run.status = kStatusNoConvergence;
            run.failedPoint = static_cast<int>(point) + 1;
            run.failedNode = chains.failedNode(point);
            return run;
        }
        const double tipMovementIn = tipMovements[point];
        const NodeState &top = chains.node(point);
        const SettlementPoint working{top.loadLb, top.movementIn,
                                      baseLoadAt(run.baseCurve, tipMovementIn), tipMovementIn};
        run.workingPoints[point] = working;
        run.points[point] = toOutputUnits(working, input.unitSystem);
    }
    return run;
}

} // namespace vorna
