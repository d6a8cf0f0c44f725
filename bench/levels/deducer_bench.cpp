// The deducer and the level generator, in processor time: the deducer on
// every shipped level and on partial levels from a corpus of its own; the
// generator making the whole shipped set; and one level of each difficulty
// band from many seeds, as a level code will ask for it. The seeds here are
// the benchmark's own, apart from the tests' and the shipped set's; a second
// run of band seeds was chosen after the generator was tuned.
//
// Then level codes as the player types them: N codes a band drawn at random
// (a seed of this benchmark's), each read and its level made, and the levels
// of the day of a whole year, chosen after the tuning.
//
//   zk-bench-deducer [--codes N] [--codes-only]   N seeds a band (default 1000)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "Corpus.h"
#include "Timings.h"
#include "files/LevelFile.h"
#include "model/Deducer.h"
#include "model/Dice.h"
#include "model/Generator.h"
#include "model/LevelCode.h"

namespace {

using zk::bench::ProcessorMs;
using zk::bench::Spread;
using zk::bench::SpreadOf;

double Timed(const std::function<void()>& work) {
    const double start = ProcessorMs();
    work();
    return ProcessorMs() - start;
}

void Row(const char* what, std::size_t n, const Spread& s, const std::string& note = "") {
    std::printf("| %-52s | %5zu | %8.2f | %8.2f | %8.2f | %8.2f | %9.0f | %s\n", what, n, s.median,
                s.p90, s.p99, s.slowest, s.total, note.c_str());
}

const char* BandName(zk::Band band) {
    switch (band) {
    case zk::Band::Easy:
        return "easy";
    case zk::Band::Medium:
        return "medium";
    case zk::Band::Hard:
        return "hard";
    case zk::Band::Expert:
        break;
    }
    return "expert";
}

void Bands(const char* corpus, std::uint64_t firstSeed, int seeds) {
    for (int b = 0; b < zk::BandCount; ++b) {
        const auto band = static_cast<zk::Band>(b);
        std::vector<double> ms;
        int inBand = 0;
        int cells = 0;
        for (int i = 0; i < seeds; ++i) {
            zk::GeneratedLevel level;
            ms.push_back(Timed([&] {
                level = zk::GenerateLevel(band, firstSeed + static_cast<std::uint64_t>(i));
            }));
            inBand += zk::BandOf(zk::RateByRules(level.record)) == band ? 1 : 0;
            cells += level.movableCells;
        }
        const std::string label = std::string("one level, ") + BandName(band) + " (" + corpus + ")";
        Row(label.c_str(), ms.size(), SpreadOf(ms),
            std::to_string(inBand) + " of " + std::to_string(seeds) + " in the band, " +
                std::to_string(cells / std::max(1, seeds)) + " cells on average");
    }
}

// A level from each of n codes of every band, as the game makes it: the typed
// code read, then its level generated; the band checked by an independent
// rating of the level made.
void Codes(std::uint64_t diceSeed, int n) {
    zk::Dice dice(diceSeed);
    for (int b = 0; b < zk::BandCount; ++b) {
        const auto band = static_cast<zk::Band>(b);
        std::vector<double> ms;
        int inBand = 0;
        for (int i = 0; i < n; ++i) {
            const zk::LevelCode drawn{band, static_cast<std::uint32_t>(dice.Below(1 << 30)) %
                                                zk::CodeSeedCount};
            const std::string text = zk::FormatLevelCode(drawn);
            zk::GeneratedLevel level;
            ms.push_back(
                Timed([&] { level = zk::GenerateCodeLevel(*zk::ReadLevelCode(text).code); }));
            inBand += zk::BandOf(zk::RateByRules(level.record)) == band ? 1 : 0;
        }
        const std::string label = std::string("code level, ") + BandName(band) + " (random codes)";
        Row(label.c_str(), ms.size(), SpreadOf(ms),
            std::to_string(inBand) + " of " + std::to_string(n) + " in the band");
    }
    std::vector<double> ms;
    int inBand = 0;
    zk::Date day{2027, 1, 1};
    for (int d = 0; d < 365; ++d, ++day.day) {
        if (!zk::ParseDate(zk::FormatDate(day))) {
            day = day.month == 12 ? zk::Date{day.year + 1, 1, 1}
                                  : zk::Date{day.year, day.month + 1, 1};
        }
        zk::GeneratedLevel level;
        ms.push_back(Timed([&] { level = zk::GenerateCodeLevel(zk::DailyCode(day)); }));
        inBand += zk::BandOf(zk::RateByRules(level.record)) == zk::Band::Medium ? 1 : 0;
    }
    Row("level of the day, every day of 2027", ms.size(), SpreadOf(ms),
        std::to_string(inBand) + " of 365 in the band (medium)");
}

} // namespace

int main(int argc, char** argv) {
    int seeds = 1000;
    bool codesOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--codes") == 0 && i + 1 < argc) {
            seeds = std::max(1, std::atoi(argv[i + 1]));
        }
        codesOnly = codesOnly || std::strcmp(argv[i], "--codes-only") == 0;
    }
    std::printf("| What | n | median ms | p90 ms | p99 ms | slowest ms | total ms | notes\n");
    std::printf("|---|---|---|---|---|---|---|---\n");
    if (codesOnly) {
        Codes(5'262'026, seeds);
        return 0;
    }

    const auto shipped = zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
    std::vector<double> ms;
    int whatIfs = 0;
    for (const auto& level : shipped) {
        zk::RuleRating r;
        ms.push_back(Timed([&] { r = zk::RateByRules(level); }));
        whatIfs += r.uses[static_cast<std::size_t>(zk::RuleNumber(zk::Rule::WhatIf))];
    }
    Row("deducer, each shipped level", ms.size(), SpreadOf(ms),
        std::to_string(whatIfs) + " \"what if\" steps in all");

    // Partial levels of the solver's corpus kind from a seed of this
    // benchmark, the deducer as the editor's check runs it.
    const auto partial = zk::levels::PartialLevels(818181, 300);
    ms.clear();
    int solved = 0;
    zk::DeduceOptions options;
    options.whatIfLimit = 8;
    for (const auto& level : partial) {
        zk::Deduction d;
        ms.push_back(Timed([&] { d = zk::Deduce(level.record, options); }));
        solved += d.outcome == zk::DeductionOutcome::Solved ? 1 : 0;
    }
    Row("deducer, partial levels (at most 8 \"what if\")", ms.size(), SpreadOf(ms),
        std::to_string(solved) + " solved by the rules alone");

    std::vector<zk::GeneratedLevel> set;
    const double whole =
        Timed([&] { set = zk::GenerateLevels(zk::ShippedSeed, zk::ShippedCount); });
    Row("generator, the whole shipped set", 1, SpreadOf({whole}),
        std::to_string(set.size()) + " levels");

    Bands("benchmark seeds", 7'000'000, seeds);
    Bands("seeds chosen after the tuning", 9'100'000, std::max(1, seeds / 10));
    Codes(5'262'026, seeds);
    return 0;
}
