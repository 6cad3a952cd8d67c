// Cost of one load-transfer run on long shafts: it should grow linearly with the number of
// segments, since stations and curve points are found by position or binary search.
#include "method/load_settlement.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vorna;

// One row per foot of shaft, as the capacity table gives them. Longer shafts put more of
// their length on the plateau of the curves, where a node settles in fewer passes.
// A 3 ft shaft of `segments` one-foot segments through 20 layers, alternately clay and
// sand, with the unit side resistance rising with depth.
LoadSettlementInput longShaft(int segments)
{
    LoadSettlementInput input;
    input.stemDiameterFt = 3.0;
    input.baseDiameterFt = 3.0;
    input.shaftLengthFt = segments;
    input.Ec = 4.0e6;
    input.baseResistanceTons = 300.0;
    input.segmentCount = segments;
    const int layerCount = 20;
    const double thickness = static_cast<double>(segments) / layerCount;
    for (int i = 0; i < layerCount; ++i) {
        const double top = i == 0 ? 1.0 : i * thickness + 1.0;
        const double bottom = (i + 1) * thickness;
        input.layers.push_back({i % 2 == 0 ? SoilType::Clay : SoilType::Sand, top, bottom,
                                0.5 + 0.001 * top, 0.5 + 0.001 * bottom});
    }
    input.layers.back().soil = SoilType::Sand;
    for (int k = 1; k <= segments; ++k)
        input.sideProfile.push_back({static_cast<double>(k), 0.5 + 0.001 * k});
    return input;
}

void BM_LoadSettlementTrend(benchmark::State &state)
{
    const LoadSettlementInput input = longShaft(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
        benchmark::DoNotOptimize(run);
        if (run.status != 0)
            state.SkipWithError("the load-settlement run failed");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadSettlementTrend)
    ->DenseRange(100, 1000, 100)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The same 100 ft shaft cut ever finer: the curves and the passes per node stay alike, so
// the time per segment should stay flat.
void BM_LoadSettlementFinerSegments(benchmark::State &state)
{
    LoadSettlementInput input = longShaft(100);
    input.segmentCount = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LoadSettlementRun run = computeLoadSettlement(input, CurveCase::Trend);
        benchmark::DoNotOptimize(run);
        if (run.status != 0)
            state.SkipWithError("the load-settlement run failed");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadSettlementFinerSegments)
    ->DenseRange(100, 1000, 100)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The three curve cases of a soil tip worked out together, as the analysis does.
void BM_LoadSettlementThreeCases(benchmark::State &state)
{
    const LoadSettlementInput input = longShaft(static_cast<int>(state.range(0)));
    const CurveCase cases[] = {CurveCase::Trend, CurveCase::UpperBound, CurveCase::LowerBound};
    for (auto _ : state) {
        std::vector<LoadSettlementRun> runs = computeLoadSettlements(input, cases);
        benchmark::DoNotOptimize(runs);
        for (const LoadSettlementRun &run : runs)
            if (run.status != 0)
                state.SkipWithError("the load-settlement run failed");
    }
}
BENCHMARK(BM_LoadSettlementThreeCases)->Arg(250)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
