// Load-settlement of a shaft whose tip lies in soil, by the load-transfer (t-z) method:
// the shaft is cut into segments loaded through normalized side and base curves, and
// shortens elastically. One call computes one curve family; it does no I/O.
#pragma once

#include "input/input_data.h"
#include "method/load_transfer_curves.h"
#include "method/settlement_curve.h"
#include "method/soil_type.h"

#include <array>
#include <span>
#include <vector>

namespace vorna {

// One layer as the capacity driver summarises it, down to the tip layer. Its limits are
// the shaft lengths (tip positions) at the first and the last depth step in the layer, so
// that the stations, the depth profile and the base share one coordinate; the tip layer
// ends at the design length. Layers without any depth step are left out.
struct LoadSettlementLayer {
    SoilType soil = SoilType::Sand;
    double topFt = 0.0;
    double bottomFt = 0.0;
    double sideTopTsf = 0.0;    // unit side resistance f at the first step of the layer
    double sideBottomTsf = 0.0; // and at its last step; the tip layer's at the design length
};

// The unit side resistance f of one row of the capacity table, at the row's length.
struct SideProfilePoint {
    double depthFt = 0.0;
    double sideTsf = 0.0;
};

// Everything the capacity driver hands over for the design length of one diameter,
// in the driver's units (ft, tons, tsf).
struct LoadSettlementInput {
    UnitSystem unitSystem = UnitSystem::English; // output units and labels only
    double stemDiameterFt = 0.0;                 // D
    double baseDiameterFt = 0.0;                 // Db (D for a straight shaft)
    double shaftLengthFt = 0.0;                  // L, the depth of the base
    double lengthWithoutSideFt = 0.0;            // Lx: bell height plus `BS`
    double Ec = 0.0;                             // as entered: psi (English) or kPa (SI)
    double baseResistanceTons = 0.0;             // Qb of the design row
    int segmentCount = 0;                        // NSEG: rows of the capacity table
    std::vector<LoadSettlementLayer> layers;     // NL layers, top down
    std::vector<SideProfilePoint> sideProfile;   // one point per row, top down
};

// A curve in working units: movement in inches; load transfer in psi (side) or load in
// pounds (base).
struct TransferPoint {
    double movementIn = 0.0;
    double value = 0.0;
};
using TransferCurve = std::array<TransferPoint, kTransferCurvePoints>;

struct CurveStation {
    double depthIn = 0.0;
    SoilType soil = SoilType::Sand;
    double maxTransferPsi = 0.0; // fmax
    TransferCurve curve{};
};

// The node iteration gives up after this many passes at one node.
inline constexpr int kMaxNodePasses = 200;
// Convergence tolerance of a node's mid-segment movement.
inline constexpr double kNodeToleranceIn = 0.0001;

// Outcome of one run. On a positive status the run stopped where it failed: the fields
// filled before that point are kept for the diagnostic listing, the points are not valid.
struct LoadSettlementRun {
    int status = 0;                     // RunStatus: Ok, 2, 4, 5 or NoConvergence
    double failedDepthIn = 0.0;         // statuses 2, 4, 5: the depth beyond the profile
    int failedPoint = 0;                // NoConvergence: tip movement 1..15
    int failedNode = 0;                 // NoConvergence: node 2..NSEG+1
    std::vector<CurveStation> stations; // filled once the station checks pass
    bool hasBaseCurve = false;
    TransferCurve baseCurve{};       // movement in, load lb
    SettlementCurve workingPoints{}; // pounds and inches
    SettlementCurve points{};        // output units
};

// How the nodes are iterated: the fastest way the processor offers, or the portable one.
// Both give the same results to the bit; the choice is there for the tests that show it.
enum class NodeKernel { Fastest, Portable };

LoadSettlementRun computeLoadSettlement(const LoadSettlementInput &input, CurveCase curveCase,
                                        NodeKernel kernel = NodeKernel::Fastest);

// The runs of several curve cases of one shaft, as computeLoadSettlement gives each; worked
// out together, which lets the processor overlap their iterations.
std::vector<LoadSettlementRun> computeLoadSettlements(const LoadSettlementInput &input,
                                                      std::span<const CurveCase> curveCases,
                                                      NodeKernel kernel = NodeKernel::Fastest);

// Whether NodeKernel::Fastest has more than the portable kernel on this processor.
bool fasterNodeKernelPresent();

// Pieces of the computation, exposed for their own tests.

// Layer limits in inches made consistent: a layer thinner than 1e-12 in is widened to
// 0.1 in, then each layer starts where the one above ends. Returns (top, bottom) pairs.
std::vector<std::array<double, 2>>
consistentLayerLimitsIn(const std::vector<LoadSettlementLayer> &layers);

// The five station depths of each layer, in inches, top down.
std::vector<double> stationDepthsIn(const std::vector<LoadSettlementLayer> &layers);

// Results in output units: tons and inches (English), kN and metres (SI).
SettlementPoint toOutputUnits(const SettlementPoint &workingPoint, UnitSystem unitSystem);

} // namespace vorna
