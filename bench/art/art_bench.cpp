// The pictures the game draws on a scaled screen (run by `make bench`,
// offscreen): at each ratio, a first start (the sheets drawn on two threads and
// stored in the cache), a start with the cache filled, and, side by side, what
// the build before this one did instead: read the 2x or 3x sheets from BMP
// files of the program directory (at 1.5 the 2x ones, scaled down). Then the
// drawing of the splash and of the compiled-in pictures alone.
// Wall time and the process's CPU time over all its threads.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "Output.h"
#include "art/Art.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "platform/Bitmaps.h"
#include "platform/art/ArtCache.h"
#include "platform/art/DrawnArtModule.h"

namespace {

using namespace zk;

const char* const Sheets[] = {"b1", "b2", "b3"};

double Ratio(const benchmark::State& state) {
    return static_cast<double>(state.range(0)) / 100.0;
}

void LoadAll(double ratio) {
    for (const char* name : Sheets) {
        const QImage sheet = platform::drawn::Sheet(QString::fromLatin1(name), ratio);
        if (sheet.isNull()) {
            std::abort();
        }
        benchmark::DoNotOptimize(sheet.constBits());
    }
}

void RemoveEntries(double ratio) {
    for (const char* name : Sheets) {
        QFile::remove(QString::fromStdString(
            platform::ArtCacheFile(platform::ArtCacheDirectory(), name, ratio)));
    }
}

void BM_FirstStart(benchmark::State& state) {
    const double ratio = Ratio(state);
    for (auto _ : state) {
        state.PauseTiming();
        RemoveEntries(ratio);
        state.ResumeTiming();
        platform::drawn::PrepareSheets(ratio);
        LoadAll(ratio);
    }
}

void BM_CacheFilled(benchmark::State& state) {
    const double ratio = Ratio(state);
    LoadAll(ratio); // fills the cache
    for (auto _ : state) {
        platform::drawn::PrepareSheets(ratio);
        LoadAll(ratio);
    }
}

// The build before: b1@2x.bmp ... in the program directory, read and, for a
// ratio between the sets, scaled down once.
void BM_PreviousBuild(benchmark::State& state) {
    const double ratio = Ratio(state);
    const int set = ratio <= 2 ? 2 : 3;
    const QTemporaryDir dir;
    const QImage b1 = art::TileSheet(set);
    const std::vector<std::pair<QString, QImage>> files = {
        {"b1", b1}, {"b2", art::SurfaceSheet(set)}, {"b3", art::PaletteSheetFrom(b1, set)}};
    for (const auto& [name, image] : files) {
        art::WriteIfChanged(
            QDir(dir.path()).filePath(name + QStringLiteral("@%1x.bmp").arg(set)).toStdString(),
            art::EncodeBmp(image));
    }
    for (auto _ : state) {
        for (const auto& file : files) {
            QImage sheet;
            if (!platform::LoadBitmap(
                    QDir(dir.path()).filePath(file.first + QStringLiteral("@%1x.bmp").arg(set)),
                    sheet)) {
                std::abort();
            }
            sheet = platform::AtRatio(sheet, set, ratio);
            benchmark::DoNotOptimize(sheet.constBits());
        }
    }
}

void BM_DrawSplash(benchmark::State& state) {
    const double ratio = Ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(art::SplashPicture(ratio).constBits());
    }
}

void BM_DrawPictures(benchmark::State& state) {
    const double ratio = Ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(art::ResourcePictures(ratio).size());
    }
}

void Ratios(benchmark::internal::Benchmark* b) {
    b->ArgName("ratio%")->Arg(125)->Arg(150)->Arg(200)->Arg(300);
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

BENCHMARK(BM_FirstStart)->Apply(Ratios)->Iterations(3);
BENCHMARK(BM_CacheFilled)->Apply(Ratios)->Iterations(10);
BENCHMARK(BM_PreviousBuild)
    ->ArgName("ratio%")
    ->Arg(150)
    ->Arg(200)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(10);
BENCHMARK(BM_DrawSplash)->Apply(Ratios)->Iterations(5);
BENCHMARK(BM_DrawPictures)->Apply(Ratios)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    art::LoadFonts();
    // A cache of the run's own.
    const QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
