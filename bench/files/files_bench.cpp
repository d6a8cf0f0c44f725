// The cost of saving the level file before and after writes in place went
// through a journal, side by side in one run: on the path that renames a
// temporary file over the target and on the path that writes in place (a
// directory the writer may not write to). Each figure is the median of 20
// single saves. Reads and the start-up clean-up are measured beside them.
//
// Run as the superuser, the program becomes the user nobody first, since
// the superuser may write any directory and so never writes in place.
#include <benchmark/benchmark.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "BeforeSafeWrite.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"

namespace {

namespace fs = std::filesystem;
using zk::files::LevelRecordSize;

struct Places {
    std::string renamed; // a file in a directory the writer may write
    std::string inPlace; // a file the writer may write, in a directory it may not
    std::string state;   // the writer's state directory
};
Places places;

std::vector<std::uint8_t> shipped; // the shipped level file
std::vector<std::uint8_t> full;    // 500 levels: the shipped ones over and over

enum class Code { Before, After };
enum class Path { Renamed, InPlace };

void BM_SaveLevelFile(benchmark::State& state, Code code, Path path,
                      const std::vector<std::uint8_t>* bytes) {
    const std::string& target = path == Path::Renamed ? places.renamed : places.inPlace;
    for (auto _ : state) {
        const auto out = code == Code::Before
                             ? zk::files::before::WriteFileAtomically(target, *bytes)
                             : zk::files::WriteFileAtomically(target, *bytes);
        if (!out.ok) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
}

void BM_ReadLevelFile(benchmark::State& state, Code code) {
    zk::files::WriteFileAtomically(places.renamed, full);
    for (auto _ : state) {
        const auto read = code == Code::Before
                              ? zk::files::before::ReadFilePrefix(places.renamed, full.size())
                              : zk::files::ReadFilePrefix(places.renamed, full.size());
        benchmark::DoNotOptimize(read.bytes.data());
    }
}

// The usual start-up: the level file, the saved game and the settings, with
// nothing left behind to clean.
void BM_StartUpCleanUp(benchmark::State& state) {
    const std::vector<std::string> targets{places.renamed, places.inPlace,
                                           fs::path(places.renamed).parent_path() / "week.zkv"};
    for (auto _ : state) {
        zk::files::CleanUpInterruptedWrites(targets);
    }
}

template <typename... Args>
void Save(const char* name, Args... args) {
    benchmark::RegisterBenchmark(name, BM_SaveLevelFile, args...)
        ->Iterations(1)
        ->Repetitions(20)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
}

bool Prepare() {
    const auto read = zk::files::ReadFilePrefix(ZK_SHIPPED_LEVELS, 500 * LevelRecordSize);
    if (read.bytes.size() < LevelRecordSize) {
        std::fprintf(stderr, "cannot read %s\n", ZK_SHIPPED_LEVELS);
        return false;
    }
    shipped = read.bytes;
    while (full.size() < 500 * LevelRecordSize) {
        full.insert(full.end(), shipped.begin(), shipped.end());
    }
    full.resize(500 * LevelRecordSize);

    const fs::path base =
        fs::temp_directory_path() / ("zk-bench-files-" + std::to_string(::getpid()));
    fs::create_directories(base);
    ::chmod(base.c_str(), 0777);
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        std::fprintf(stderr, "cannot become the user nobody\n");
        return false;
    }
    for (const char* dir : {"renamed", "in-place", "state"}) {
        fs::create_directories(base / dir);
    }
    places = {(base / "renamed" / "zklv.dat").string(), (base / "in-place" / "zklv.dat").string(),
              (base / "state").string()};
    zk::files::WriteFileAtomically(places.renamed, full);
    zk::files::WriteFileAtomically(places.inPlace, full);
    ::chmod((base / "in-place").c_str(), 0555);
    ::setenv("XDG_STATE_HOME", places.state.c_str(), 1);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!Prepare()) {
        return 1;
    }
    using enum Code;
    using enum Path;
    Save("SaveLevelFile/renamed/150 levels/before", Before, Renamed, &shipped);
    Save("SaveLevelFile/renamed/150 levels/after", After, Renamed, &shipped);
    Save("SaveLevelFile/renamed/500 levels/before", Before, Renamed, &full);
    Save("SaveLevelFile/renamed/500 levels/after", After, Renamed, &full);
    Save("SaveLevelFile/in place/150 levels/before", Before, InPlace, &shipped);
    Save("SaveLevelFile/in place/150 levels/after", After, InPlace, &shipped);
    Save("SaveLevelFile/in place/500 levels/before", Before, InPlace, &full);
    Save("SaveLevelFile/in place/500 levels/after", After, InPlace, &full);
    benchmark::RegisterBenchmark("ReadLevelFile/500 levels/before", BM_ReadLevelFile, Before);
    benchmark::RegisterBenchmark("ReadLevelFile/500 levels/after", BM_ReadLevelFile, After);
    benchmark::RegisterBenchmark("StartUpCleanUp/3 files", BM_StartUpCleanUp)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const fs::path base = fs::path(places.state).parent_path();
    ::chmod((base / "in-place").c_str(), 0755);
    std::error_code ignored;
    fs::remove_all(base, ignored);
    return 0;
}
