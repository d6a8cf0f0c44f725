// Speed of the rules of play and of the file formats.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "files/LevelFile.h"
#include "files/Settings.h"
#include "model/Board.h"

namespace {

zk::LevelRecord SampleLevel() {
    // A full board of movable tiles with a few fixed anchors.
    zk::LevelRecord level{};
    for (int i = 0; i < zk::CellCount; ++i) {
        level[static_cast<std::size_t>(i)] = static_cast<zk::TileNumber>(1 + i % 89);
    }
    level[10] = 94;
    level[30] = 104;
    return level;
}

void BM_PrepareBoard(benchmark::State& state) {
    zk::RandomSource random(42);
    zk::Board board;
    const auto level = SampleLevel();
    for (auto _ : state) {
        board.Prepare(level, zk::ChallengeMode, random);
        benchmark::DoNotOptimize(board.cells);
    }
}
BENCHMARK(BM_PrepareBoard);

void BM_IsSolved(benchmark::State& state) {
    zk::Board board; // all empty: solved, so every requirement is checked
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.IsSolved());
    }
}
BENCHMARK(BM_IsSolved);

std::filesystem::path BenchDir() {
    auto dir = std::filesystem::temp_directory_path() / "zk-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

void BM_WriteLevelFile500(benchmark::State& state) {
    const std::vector<zk::LevelRecord> levels(zk::MaxLevels, SampleLevel());
    const auto path = (BenchDir() / "zklv.dat").string();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::files::WriteLevelFile(path, levels));
    }
}
BENCHMARK(BM_WriteLevelFile500)->Unit(benchmark::kMicrosecond);

void BM_ReadLevelFile500(benchmark::State& state) {
    const std::vector<zk::LevelRecord> levels(zk::MaxLevels, SampleLevel());
    const auto path = (BenchDir() / "zklv.dat").string();
    zk::files::WriteLevelFile(path, levels);
    for (auto _ : state) {
        auto contents = zk::files::ReadLevelFile(path);
        benchmark::DoNotOptimize(contents.levels.data());
    }
}
BENCHMARK(BM_ReadLevelFile500)->Unit(benchmark::kMicrosecond);

void BM_SettingsRead(benchmark::State& state) {
    const auto path = (BenchDir() / zk::files::SettingsFileName).string();
    zk::files::SettingsStore store(path);
    for (const char* key : {"tongue", "level", "save", "left", "top", "mode", "eleft", "etop"}) {
        store.WriteInteger(zk::files::SettingsSection, key, 7);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.ReadInteger(zk::files::SettingsSection, "etop", 0));
    }
}
BENCHMARK(BM_SettingsRead)->Unit(benchmark::kMicrosecond);

} // namespace
