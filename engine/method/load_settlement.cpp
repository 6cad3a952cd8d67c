#include "method/load_settlement.h"

#include "input/si_input.h"
#include "method/units.h"
#include "vornacalc/engine.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <optional>
#include <span>
#include <tuple>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VORNA_VECTOR_CHAINS 1
#define VORNA_VECTOR_TARGET __attribute__((target("avx512f")))
#else
#define VORNA_VECTOR_CHAINS 0
#endif

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

using CurveMovements = std::array<double, kTransferCurvePoints>;

CurveMovements curveMovements(const NormalizedCurve &normalized, double diameterIn)
{
    CurveMovements movements{};
    for (std::size_t j = 0; j < movements.size(); ++j)
        movements[j] = diameterIn * normalized.movementPercent[j] / 100.0;
    return movements;
}

TransferCurve scaledCurve(const NormalizedCurve &normalized, const CurveMovements &movements,
                          double scale)
{
    TransferCurve curve{};
    for (std::size_t j = 0; j < curve.size(); ++j)
        curve[j] = {movements[j], scale * normalized.fraction[j]};
    return curve;
}

TransferCurve scaledCurve(const NormalizedCurve &normalized, double diameterIn, double scale)
{
    return scaledCurve(normalized, curveMovements(normalized, diameterIn), scale);
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

// Step 3 of a run: the stations' depths, soils and fmax, the same for every curve case.
struct StationPlaces {
    int status = kStatusOk;
    double failedDepthIn = 0.0;         // beyond the layer profile
    std::vector<CurveStation> stations; // curves not yet drawn
};

StationPlaces placeStations(const LoadSettlementInput &input, const LayerProfile &layerProfile,
                            const std::vector<double> &depths)
{
    const DepthProfile depthProfile(input.sideProfile);
    StationPlaces places;
    places.stations.reserve(depths.size());
    for (std::size_t s = 0; s < depths.size(); ++s) {
        const double z = depths[s];
        const std::optional<std::size_t> k = layerProfile.intervalEnd(z, true);
        if (!k) {
            places.status = kStatusBeyondLayerProfile;
            places.failedDepthIn = z;
            places.stations.clear();
            return places;
        }
        const SoilType soil = input.layers[s / 5].soil;
        const double fmax =
            s + 1 < depths.size() ? depthProfile.valueAt(z) : layerProfile.valueAt(z, *k);
        places.stations.push_back({z, soil, fmax, {}});
    }
    return places;
}

// Step 4: the stations with the curves of a case.
std::vector<CurveStation> stationsWithCurves(const std::vector<CurveStation> &placed,
                                             double diameterIn, CurveCase curveCase)
{
    // The movements of a curve depend on its soil alone: worked out once for the stations.
    std::vector<std::pair<const NormalizedCurve *, CurveMovements>> movements;
    const auto movementsOf = [&](const NormalizedCurve &normalized) -> const CurveMovements & {
        for (const auto &[curve, known] : movements)
            if (curve == &normalized)
                return known;
        return movements.emplace_back(&normalized, curveMovements(normalized, diameterIn)).second;
    };
    std::vector<CurveStation> stations = placed;
    for (CurveStation &station : stations) {
        const NormalizedCurve &normalized = sideTransferCurve(station.soil, curveCase);
        station.curve = scaledCurve(normalized, movementsOf(normalized), station.maxTransferPsi);
    }
    return stations;
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

#if VORNA_VECTOR_CHAINS
// A side curve laid out for loading into registers: movements and values, points 0 to 7
// and 8 on.
struct VectorCurve {
    double movement[16] = {};
    double value[16] = {};
};

// The same passes eight chains to a vector (AVX-512, chosen at run time): the chains'
// divisions go through the divider together. Every lane does the scalar operations in the
// scalar order (the engine is built without contraction into fused multiply-adds), so the
// results are the same to the bit. A side curve is read at the position upper_bound gives,
// found by counting the points not beyond the movement, which is the same for curves whose
// movements rise and are numbers (`vectorReadable`).
template <std::size_t N> class VectorNodeChains {
public:
    // The chains of up to kMaxSets curve cases at once, each case with its own stations (at
    // the same depths) and the same segments: more packs to interleave.
    static constexpr std::size_t kMaxSets = 3;

    VectorNodeChains(std::span<const std::vector<CurveStation> *const> sets, double segmentIn,
                     double perimeterIn)
        : m_sets(sets.size()), m_stationCount(sets.empty() ? 0 : sets[0]->size()),
          m_segmentIn(segmentIn), m_halfSegmentIn(0.5 * segmentIn),
          m_transferWidthIn(segmentIn * perimeterIn)
    {
        assert(m_sets <= kMaxSets);
        m_curves.resize(m_sets * m_stationCount);
        for (std::size_t set = 0; set < m_sets; ++set) {
            const std::vector<CurveStation> &stations = *sets[set];
            assert(stations.size() == m_stationCount);
            for (std::size_t s = 0; s < m_stationCount; ++s) {
                VectorCurve &curve = m_curves[set * m_stationCount + s];
                for (std::size_t j = 0; j < kTransferCurvePoints; ++j) {
                    curve.movement[j] = stations[s].curve[j].movementIn;
                    curve.value[j] = stations[s].curve[j].value;
                }
            }
        }
        // Lanes past the last chain never run.
        for (std::size_t g = 0; g < m_sets * kGroups; ++g)
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                if ((g % kGroups) * kLanes + lane < N)
                    m_alive[g] = static_cast<__mmask8>(m_alive[g] | (1u << lane));
    }

    void start(std::size_t set, std::size_t chain, NodeState tip)
    {
        m_loadLb[set * kPadded + chain] = tip.loadLb;
        m_movementIn[set * kPadded + chain] = tip.movementIn;
    }

    VORNA_VECTOR_TARGET void climb(const Segment &segment, int node)
    {
        const std::size_t upper = segment.stations.upper;
        const std::size_t lower = segment.stations.lower;
        const bool twoStations = upper != lower;
        const __m512d weight = _mm512_set1_pd(segment.stations.lowerWeight);
        const __m512d width = _mm512_set1_pd(m_transferWidthIn);
        const __m512d half = _mm512_set1_pd(0.5);
        const __m512d halfSegment = _mm512_set1_pd(m_halfSegmentIn);
        const __m512d wholeSegment = _mm512_set1_pd(m_segmentIn);
        const __m512d stiffness = _mm512_set1_pd(segment.stiffnessLb);
        const __m512d tolerance = _mm512_set1_pd(kNodeToleranceIn);
        const __m512d infinity = _mm512_set1_pd(HUGE_VAL);
        // The groups' passes interleave, so that one group's divisions overlap another's.
        Group groups[kMaxSets * kGroups];
        const std::size_t groupCount = m_sets * kGroups;
        int anyRunning = 0;
        for (std::size_t g = 0; g < groupCount; ++g) {
            Group &group = groups[g];
            group.curves = &m_curves[g / kGroups * m_stationCount];
            group.running = m_alive[g];
            anyRunning |= group.running;
            group.failed = 0;
            group.upperK = m_upperK[g];
            group.lowerK = m_lowerK[g];
            group.belowLoad = group.loadLb = _mm512_loadu_pd(&m_loadLb[g * kLanes]);
            group.belowMovement = group.movementIn = group.estimate =
                _mm512_loadu_pd(&m_movementIn[g * kLanes]);
        }
        for (int pass = 1; pass <= kMaxNodePasses && anyRunning != 0; ++pass) {
            anyRunning = 0;
            for (std::size_t g = 0; g < groupCount; ++g) {
                Group &group = groups[g];
                if (group.running == 0)
                    continue;
                __m512d transferPsi = _mm512_setzero_pd();
                if (segment.transfersSide) {
                    transferPsi = transferAt(group.curves[upper], group.estimate, group.running,
                                             group.upperK);
                    if (twoStations) {
                        const __m512d below = transferAt(group.curves[lower], group.estimate,
                                                         group.running, group.lowerK);
                        transferPsi = _mm512_add_pd(
                            transferPsi, _mm512_mul_pd(weight, _mm512_sub_pd(below, transferPsi)));
                    }
                }
                const __m512d transferredLb = _mm512_mul_pd(width, transferPsi);
                const __m512d load = _mm512_add_pd(group.belowLoad, transferredLb);
                const __m512d lowerHalfLoad = _mm512_mul_pd(
                    half, _mm512_add_pd(group.belowLoad,
                                        _mm512_mul_pd(half, _mm512_add_pd(load, group.belowLoad))));
                const __m512d midMovement = _mm512_add_pd(
                    group.belowMovement,
                    _mm512_div_pd(_mm512_mul_pd(halfSegment, lowerHalfLoad), stiffness));
                const __mmask8 finite = _mm512_mask_cmp_pd_mask(
                    group.running, _mm512_abs_pd(midMovement), infinity, _CMP_LT_OQ);
                group.failed = static_cast<__mmask8>(group.failed | (group.running & ~finite));
                const __mmask8 agrees = _mm512_mask_cmp_pd_mask(
                    finite, _mm512_abs_pd(_mm512_sub_pd(midMovement, group.estimate)), tolerance,
                    _CMP_LE_OQ);
                if (agrees != 0) {
                    const __m512d meanLoad =
                        _mm512_add_pd(group.belowLoad, _mm512_mul_pd(half, transferredLb));
                    const __m512d settledMovement = _mm512_add_pd(
                        group.belowMovement,
                        _mm512_div_pd(_mm512_mul_pd(wholeSegment, meanLoad), stiffness));
                    group.loadLb = _mm512_mask_blend_pd(agrees, group.loadLb, load);
                    group.movementIn =
                        _mm512_mask_blend_pd(agrees, group.movementIn, settledMovement);
                }
                group.running = static_cast<__mmask8>(finite & ~agrees);
                group.estimate = _mm512_mask_blend_pd(group.running, group.estimate, midMovement);
                anyRunning |= group.running;
            }
        }
        for (std::size_t g = 0; g < groupCount; ++g) {
            const Group &group = groups[g];
            m_upperK[g] = group.upperK;
            m_lowerK[g] = group.lowerK;
            _mm512_storeu_pd(&m_loadLb[g * kLanes], group.loadLb);
            _mm512_storeu_pd(&m_movementIn[g * kLanes], group.movementIn);
            // Lanes that failed, or that were still running when the passes ran out.
            const auto stopped = static_cast<__mmask8>(group.failed | group.running);
            if (stopped == 0)
                continue;
            m_alive[g] = static_cast<__mmask8>(m_alive[g] & ~stopped);
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                if ((stopped >> lane) & 1u)
                    m_failedNode[g * kLanes + lane] = node;
        }
    }

    NodeState node(std::size_t set, std::size_t chain) const
    {
        return {m_loadLb[set * kPadded + chain], m_movementIn[set * kPadded + chain]};
    }
    int failedNode(std::size_t set, std::size_t chain) const
    {
        return m_failedNode[set * kPadded + chain];
    }

private:
    static constexpr std::size_t kLanes = 8;
    static constexpr std::size_t kGroups = (N + kLanes - 1) / kLanes;
    static constexpr std::size_t kPadded = kGroups * kLanes;

    struct Group {
        __m512d belowLoad, belowMovement, estimate, loadLb, movementIn;
        __m512i upperK, lowerK;    // curve positions of the last look-up at either station
        const VectorCurve *curves; // of the group's case, by station
        __mmask8 running, failed;
    };

    // The two points interpolated between for k points not beyond the movement: k clamped
    // to 1..n-1 (the masked forms: the plain ones warn in this compiler's headers).
    static VORNA_VECTOR_TARGET void around(__m512i k, __m512i &lo, __m512i &hi)
    {
        const __m512i one = _mm512_set1_epi64(1);
        hi = _mm512_maskz_max_epi64(
            0xFF, one,
            _mm512_maskz_min_epi64(0xFF, k, _mm512_set1_epi64(kTransferCurvePoints - 1)));
        lo = _mm512_sub_epi64(hi, one);
    }

    // sideTransferAt of each running lane's movement; the other lanes' values are not used.
    // `k` comes in as the position of an earlier look-up (the count of the curve's points
    // not beyond the movement) and goes out as this one's. Movements change little from one
    // pass to the next, so the earlier count is checked against the two points around it
    // first and the points are counted again only when it no longer holds for every lane.
    static VORNA_VECTOR_TARGET __m512d transferAt(const VectorCurve &curve, __m512d movementIn,
                                                  __mmask8 running, __m512i &k)
    {
        const double *points = curve.movement;
        const __m512d last = _mm512_set1_pd(curve.value[kTransferCurvePoints - 1]);
        // Past the last point every lane takes its value: long shafts spend many passes there.
        const __mmask8 pastLast = _mm512_cmp_pd_mask(
            movementIn, _mm512_set1_pd(points[kTransferCurvePoints - 1]), _CMP_NLT_UQ);
        if (static_cast<__mmask8>(pastLast | ~running) == 0xFF) {
            k = _mm512_set1_epi64(kTransferCurvePoints);
            return last;
        }
        const __m512i one = _mm512_set1_epi64(1);
        const __m512i count = _mm512_set1_epi64(kTransferCurvePoints);
        const __m512d movementLow = _mm512_loadu_pd(curve.movement);
        const __m512d movementHigh = _mm512_loadu_pd(curve.movement + 8);
        __m512i lo, hi;
        around(k, lo, hi);
        __m512d x0 = _mm512_permutex2var_pd(movementLow, lo, movementHigh);
        __m512d x1 = _mm512_permutex2var_pd(movementLow, hi, movementHigh);
        // The count k holds when the movement is not below point k-1 (or k is 0) and below
        // point k (or k is n); with rising movements those points are x0 and x1, except that
        // k = 0 must lie below x0 and k = n not below x1.
        const __mmask8 notBelowX0 = _mm512_cmp_pd_mask(movementIn, x0, _CMP_NLT_UQ);
        const __mmask8 notBelowX1 = _mm512_cmp_pd_mask(movementIn, x1, _CMP_NLT_UQ);
        const __mmask8 first = _mm512_cmpeq_epi64_mask(k, _mm512_setzero_si512());
        const __mmask8 beyondAll = _mm512_cmpeq_epi64_mask(k, count);
        const auto holds = static_cast<__mmask8>((first & ~notBelowX0) | (beyondAll & notBelowX1) |
                                                 (~first & ~beyondAll & notBelowX0 & ~notBelowX1));
        if (static_cast<__mmask8>(holds | ~running) != 0xFF) {
            // The points not beyond the movement, counted in two sums to keep the chains short.
            __m512i even = _mm512_setzero_si512();
            __m512i odd = _mm512_setzero_si512();
            for (std::size_t j = 0; j < kTransferCurvePoints; j += 2) {
                even = _mm512_mask_add_epi64(
                    even, _mm512_cmp_pd_mask(movementIn, _mm512_set1_pd(points[j]), _CMP_NLT_UQ),
                    even, one);
                odd = _mm512_mask_add_epi64(
                    odd, _mm512_cmp_pd_mask(movementIn, _mm512_set1_pd(points[j + 1]), _CMP_NLT_UQ),
                    odd, one);
            }
            k = _mm512_add_epi64(even, odd);
            around(k, lo, hi);
            x0 = _mm512_permutex2var_pd(movementLow, lo, movementHigh);
            x1 = _mm512_permutex2var_pd(movementLow, hi, movementHigh);
        }
        const __m512d valueLow = _mm512_loadu_pd(curve.value);
        const __m512d valueHigh = _mm512_loadu_pd(curve.value + 8);
        const __m512d y0 = _mm512_permutex2var_pd(valueLow, lo, valueHigh);
        const __m512d y1 = _mm512_permutex2var_pd(valueLow, hi, valueHigh);
        __m512d value = _mm512_add_pd(
            y0, _mm512_div_pd(_mm512_mul_pd(_mm512_sub_pd(movementIn, x0), _mm512_sub_pd(y1, y0)),
                              _mm512_sub_pd(x1, x0)));
        const __mmask8 before = _mm512_cmpeq_epi64_mask(k, _mm512_setzero_si512());
        const __mmask8 beyond = _mm512_cmpeq_epi64_mask(k, count);
        value = _mm512_mask_blend_pd(before, value, _mm512_set1_pd(curve.value[0]));
        return _mm512_mask_blend_pd(beyond, value, last);
    }

    const std::size_t m_sets;
    const std::size_t m_stationCount;
    const double m_segmentIn;
    const double m_halfSegmentIn;
    const double m_transferWidthIn;
    std::vector<VectorCurve> m_curves; // by set, then station
    std::array<double, kMaxSets * kPadded> m_loadLb{};
    std::array<double, kMaxSets * kPadded> m_movementIn{};
    std::array<int, kMaxSets * kPadded> m_failedNode{}; // 0 while the chain runs
    std::array<__mmask8, kMaxSets * kGroups> m_alive{}; // the lanes still running, by group
    std::array<__m512i, kMaxSets * kGroups> m_upperK{}, m_lowerK{};
};

// Whether counting a curve's points finds what upper_bound finds: movements that are numbers
// and do not fall.
bool vectorReadable(const std::vector<CurveStation> &stations)
{
    for (const CurveStation &station : stations) {
        for (std::size_t j = 0; j < kTransferCurvePoints; ++j) {
            const double m = station.curve[j].movementIn;
            if (std::isnan(m) || (j > 0 && m < station.curve[j - 1].movementIn))
                return false;
        }
    }
    return true;
}

bool vectorUnitPresent()
{
    static const bool present = __builtin_cpu_supports("avx512f");
    return present;
}
#endif

} // namespace

bool fasterNodeKernelPresent()
{
#if VORNA_VECTOR_CHAINS
    return vectorUnitPresent();
#else
    return false;
#endif
}

std::vector<LoadSettlementRun> computeLoadSettlements(const LoadSettlementInput &input,
                                                      std::span<const CurveCase> curveCases,
                                                      NodeKernel kernel)
{
    assert(!input.layers.empty() && "the load-settlement analysis needs at least one layer");
    const double diameterIn = input.stemDiameterFt * kInPerFt;
    const double lengthIn = input.shaftLengthFt * kInPerFt;
    const LayerProfile layerProfile(input.layers);
    const std::vector<double> depths = stationDepthsIn(input.layers);
    const SoilType deepest = input.layers.back().soil;
    const double largestDiameterIn = std::max(diameterIn, input.baseDiameterFt * kInPerFt);
    const auto tipMovements = assumedTipMovementsIn(diameterIn);
    constexpr std::size_t kChains = std::tuple_size_v<decltype(tipMovements)>;

    // Steps up to the node iteration, case by case; the runs that get that far climb.
    std::vector<LoadSettlementRun> runs(curveCases.size());
    std::vector<std::size_t> climbing;
    const StationPlaces places = placeStations(input, layerProfile, depths);
    for (std::size_t i = 0; i < curveCases.size(); ++i) {
        LoadSettlementRun &run = runs[i];
        run.status = places.status;
        if (run.status != kStatusOk) {
            run.failedDepthIn = places.failedDepthIn;
            continue;
        }
        run.stations = stationsWithCurves(places.stations, diameterIn, curveCases[i]);
        // The strength profile and the maximum-load-transfer profile of a non-sand base share
        // the layer limits, so one depth check stands for both.
        if (deepest != SoilType::Sand && !layerProfile.intervalEnd(lengthIn, false)) {
            run.status = kStatusBeyondStrengthCurve;
            run.failedDepthIn = lengthIn;
            continue;
        }
        run.baseCurve = scaledCurve(baseTransferCurve(deepest, curveCases[i]), largestDiameterIn,
                                    input.baseResistanceTons * kLbPerTon);
        run.hasBaseCurve = true;
        climbing.push_back(i);
    }
    if (climbing.empty())
        return runs;

    // A shaft has at least one segment. The stations of every case lie at the same depths,
    // so the segments are the same for all.
    const int segmentCount = std::max(1, input.segmentCount);
    const double segmentIn = lengthIn / segmentCount;
    const double perimeterIn = kPiFine * diameterIn;
    const std::vector<Segment> segments =
        buildSegments(input, runs[climbing.front()].stations, depths, segmentCount, segmentIn);
    std::vector<std::array<NodeState, kChains>> top(curveCases.size());
    std::vector<std::array<int, kChains>> failedNode(curveCases.size());
    const auto tip = [&](std::size_t i, std::size_t point) {
        return NodeState{baseLoadAt(runs[i].baseCurve, tipMovements[point]), tipMovements[point]};
    };
    bool vector = false;
#if VORNA_VECTOR_CHAINS
    vector = kernel == NodeKernel::Fastest && vectorUnitPresent() &&
             std::all_of(climbing.begin(), climbing.end(),
                         [&](std::size_t i) { return vectorReadable(runs[i].stations); });
    using Vector = VectorNodeChains<kChains>;
    for (std::size_t first = 0; vector && first < climbing.size(); first += Vector::kMaxSets) {
        const std::size_t count = std::min(Vector::kMaxSets, climbing.size() - first);
        std::array<const std::vector<CurveStation> *, Vector::kMaxSets> sets{};
        for (std::size_t set = 0; set < count; ++set)
            sets[set] = &runs[climbing[first + set]].stations;
        Vector chains(std::span(sets.data(), count), segmentIn, perimeterIn);
        for (std::size_t set = 0; set < count; ++set)
            for (std::size_t point = 0; point < kChains; ++point)
                chains.start(set, point, tip(climbing[first + set], point));
        for (std::size_t n = 0; n < segments.size(); ++n)
            chains.climb(segments[n], static_cast<int>(n) + 2);
        for (std::size_t set = 0; set < count; ++set) {
            for (std::size_t point = 0; point < kChains; ++point) {
                top[climbing[first + set]][point] = chains.node(set, point);
                failedNode[climbing[first + set]][point] = chains.failedNode(set, point);
            }
        }
    }
#endif
    for (std::size_t i : vector ? std::span<const std::size_t>() : std::span(climbing)) {
        NodeChains<kChains> chains(runs[i].stations, segmentIn, perimeterIn);
        for (std::size_t point = 0; point < kChains; ++point)
            chains.start(point, tip(i, point));
        for (std::size_t n = 0; n < segments.size(); ++n)
            chains.climb(segments[n], static_cast<int>(n) + 2);
        for (std::size_t point = 0; point < kChains; ++point) {
            top[i][point] = chains.node(point);
            failedNode[i][point] = chains.failedNode(point);
        }
    }

    for (std::size_t i : climbing) {
        LoadSettlementRun &run = runs[i];
        // The first chain that failed is reported, with the points before it kept, as when
        // the chains ran one after another.
        for (std::size_t point = 0; point < kChains; ++point) {
            if (failedNode[i][point] != 0) {
                run.status = kStatusNoConvergence;
                run.failedPoint = static_cast<int>(point) + 1;
                run.failedNode = failedNode[i][point];
                break;
            }
            const double tipMovementIn = tipMovements[point];
            const SettlementPoint working{top[i][point].loadLb, top[i][point].movementIn,
                                          baseLoadAt(run.baseCurve, tipMovementIn), tipMovementIn};
            run.workingPoints[point] = working;
            run.points[point] = toOutputUnits(working, input.unitSystem);
        }
    }
    return runs;
}

LoadSettlementRun computeLoadSettlement(const LoadSettlementInput &input, CurveCase curveCase,
                                        NodeKernel kernel)
{
    return std::move(computeLoadSettlements(input, std::span(&curveCase, 1), kernel).front());
}

} // namespace vorna
