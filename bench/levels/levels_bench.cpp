// Speed of the solver on the shipped levels: checking the whole set, as
// `zk-levels check data/zklv.dat` does, has to stay well under a second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "files/LevelFile.h"
#include "model/Solver.h"

namespace {

const std::vector<zk::LevelRecord>& Shipped() {
    static const std::vector<zk::LevelRecord> levels =
        zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
    return levels;
}

// Every shipped level with the check's own limits (solutions counted to 100).
void BM_CheckShippedLevels(benchmark::State& state) {
    const auto& levels = Shipped();
    if (levels.empty()) {
        state.SkipWithError("no shipped level file");
        return;
    }
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = 0;
        for (const auto& level : levels) {
            const zk::SolverResult r = zk::SolveLevel(level);
            nodes += r.nodes;
            benchmark::DoNotOptimize(r.status);
        }
    }
    state.counters["levels"] = static_cast<double>(levels.size());
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckShippedLevels)->Unit(benchmark::kMillisecond);

// The hardest kind of level alone: the last one, a full board with a single
// solution that the search has to prove.
void BM_SolveLastShippedLevel(benchmark::State& state) {
    const auto& levels = Shipped();
    if (levels.empty()) {
        state.SkipWithError("no shipped level file");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::SolveLevel(levels.back()).status);
    }
}
BENCHMARK(BM_SolveLastShippedLevel)->Unit(benchmark::kMillisecond);

} // namespace
