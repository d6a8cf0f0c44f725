// Speed of the solver on the shipped levels: checking the whole set, as
// `zk-levels check data/zklv.dat` does, has to stay well under a second; and
// the nearest solution a hint asks for, on every level just scrambled.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "files/LevelFile.h"
#include "model/Nearest.h"
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

// The hint's question on every shipped level just scrambled (a fixed seed):
// the nearest solution and its clicks, with the hint's own limits. The
// counters say how many were proven nearest and the slowest one.
void BM_NearestOnScrambledShippedLevels(benchmark::State& state) {
    const auto& levels = Shipped();
    if (levels.empty()) {
        state.SkipWithError("no shipped level file");
        return;
    }
    std::vector<zk::Board> boards;
    zk::RandomSource random(5);
    for (const auto& level : levels) {
        zk::Board b;
        b.Prepare(level, zk::PracticeMode, random);
        boards.push_back(b);
    }
    int optimal = 0;
    double slowest = 0;
    for (auto _ : state) {
        optimal = 0;
        for (const auto& b : boards) {
            const auto start = std::chrono::steady_clock::now();
            const zk::NearestResult r = zk::FindNearestSolution(b);
            slowest = std::max(slowest, std::chrono::duration<double, std::milli>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
            optimal += r.optimal ? 1 : 0;
            benchmark::DoNotOptimize(r.clicks.size());
        }
    }
    state.counters["levels"] = static_cast<double>(boards.size());
    state.counters["optimal"] = optimal;
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_NearestOnScrambledShippedLevels)->Unit(benchmark::kMillisecond);

} // namespace
