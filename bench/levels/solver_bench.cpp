// The solver on corpora of its own, today's solver ("today", a copy kept in
// bench/levels/today) and the model's solver ("new") side by side in one run:
//   full     random full boards (63 movable cells), each with a solution:
//            decided (one solution asked for)
//   partial  random partial levels, fixed tiles inside and around the area:
//            decided and counted up to 2
//   changed  levels with one tile changed so that the connection ends still
//            balance: no count of ends rules them out; most have no
//            solution, some do. Decided. Not filtered by any solver.
//   loops    straights and corners of one kind: solved boards, boards with
//            an odd count of straights along one direction, boards with two
//            tiles changed. Decided.
//   shipped  the shipped level set: decided and counted up to 2
// The corpora come from seeds of their own, apart from the tests' and the
// generator's; --untuned takes a second set of seeds, chosen after the
// solver's tuning was done and never used to tune it, and --fresh a third,
// chosen after the second pass on the hard boards; --seeds N takes N to N + 3
// for the four corpora (the shipped set left out), for a corpus chosen after
// a later round of tuning. Every answer is checked where it can be: a
// solution must be an arrangement of the level's own tiles that passes the
// solution check, a level made solved must not be called unsolvable, a loop
// board with an odd count of straights along one direction (counted here)
// must not be called solvable, and where both solvers answer they must
// agree. Prints one table row per corpus and solver and exits with 1 when
// any answer was wrong.
//
//   zk-bench-solver [--quick] [--untuned|--fresh|--seeds N] [--only today|new|alone]...
//                   [--corpus NAME]... [--slow MS] [--budget N] [--hint]
// Times are processor time per level over every thread of the process (the
// second search included), and wall-clock time beside them; --slow lists
// every level that took at least MS milliseconds of processor time; --only
// alone adds the model's solver without its second search. --hint measures
// the hint instead, on the full boards and partial levels scrambled as the
// game does it: the nearest-solution search under the game's limits (how
// often it finds one, how far past its 50 ms it ends) and the whole hint
// with its fallback (what it answers, and how long it takes).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Corpus.h"
#include "files/LevelFile.h"
#include "model/Nearest.h"
#include "model/Solver.h"
#include "today/Solver.h"

namespace {

using zk::LevelRecord;
using zk::levels::CorpusLevel;

struct Seeds {
    std::uint64_t full, partial, changed, loops;
};
constexpr Seeds Tuned = {51011, 51012, 51013, 51014};
constexpr Seeds Untuned = {73121, 73122, 73123, 73124};
// Chosen after the second pass on the hard boards was over (nothing was kept
// from its tuning), never used to tune anything.
constexpr Seeds Fresh = {86431, 86432, 86433, 86434};

enum class Answer { Yes, No, Undecided };

struct Outcome {
    Answer answer = Answer::Undecided;
    int solutions = 0;
    bool complete = false;
    std::uint64_t nodes = 0;
    double ms = 0;
    double cpuMs = 0;
    std::optional<LevelRecord> solution;
    std::optional<LevelRecord> alternative;
};

using Solve = std::function<Outcome(const LevelRecord&, int cap)>;

std::uint64_t budget = zk::SolverLimits{}.nodeBudget;

template <typename Result, typename Status>
Outcome Convert(const Result& r, Status yes, Status no) {
    Outcome o;
    o.answer = r.status == yes ? Answer::Yes : r.status == no ? Answer::No : Answer::Undecided;
    o.solutions = r.solutions;
    o.complete = r.countComplete;
    o.nodes = r.nodes;
    o.solution = r.solution;
    o.alternative = r.alternative;
    return o;
}

Outcome New(const LevelRecord& level, int cap, bool sideBySide) {
    zk::SolverLimits limits;
    limits.solutionCap = cap;
    limits.nodeBudget = budget;
    limits.sideBySide = sideBySide;
    return Convert(zk::SolveLevel(level, limits), zk::Solvability::Solvable,
                   zk::Solvability::Unsolvable);
}

Outcome Today(const LevelRecord& level, int cap) {
    zk::today::SolverLimits limits;
    limits.solutionCap = cap;
    limits.nodeBudget = budget;
    return Convert(zk::today::SolveLevel(level, limits), zk::today::Solvability::Solvable,
                   zk::today::Solvability::Unsolvable);
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Outcome Timed(const Solve& solve, const LevelRecord& level, int cap) {
    const double cpuStart = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    Outcome o = solve(level, cap);
    o.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    o.cpuMs = ProcessCpuMs() - cpuStart;
    return o;
}

bool SolutionHolds(const std::optional<LevelRecord>& s, const LevelRecord& level) {
    return s && zk::IsSolved(*s) && zk::IsArrangementOf(*s, level);
}

enum class Truth { Solvable, Unsolvable, Unknown };

struct Item {
    LevelRecord level;
    Truth truth = Truth::Unknown;
};

struct Corpus {
    std::string name;
    int cap = 2;
    std::vector<Item> items;
};

std::string Check(const Item& item, const Outcome& o, int cap) {
    if (o.answer == Answer::Yes) {
        if (!SolutionHolds(o.solution, item.level)) {
            return "a solution that does not hold";
        }
        if (o.alternative && !SolutionHolds(o.alternative, item.level)) {
            return "a second solution that does not hold";
        }
        if (cap >= 2 && o.solutions >= 2 && !o.alternative) {
            return "two solutions counted, none shown";
        }
        if (item.truth == Truth::Unsolvable) {
            return "called solvable, but it cannot be";
        }
    }
    if (o.answer == Answer::No && item.truth == Truth::Solvable) {
        return "called unsolvable, but it was made solved";
    }
    return {};
}

double Percentile(std::vector<double> v, int percent) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const std::size_t rank = (v.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return v[std::min(v.size(), std::max<std::size_t>(rank, 1)) - 1];
}

struct Row {
    std::vector<double> cpu;
    std::vector<double> wall;
    int yes = 0;
    int no = 0;
    int undecided = 0;
    int wrong = 0;
    int within1s = 0;    // answered within a second of processor time
    int within100 = 0;   // and within 100 ms
    double totalCpu = 0; // ms
};

double slowMs = -1;

std::vector<Outcome> RunCorpus(const Corpus& corpus, const std::string& solverName,
                               const Solve& solve, Row& row) {
    std::vector<Outcome> outcomes;
    for (std::size_t k = 0; k < corpus.items.size(); ++k) {
        const Item& item = corpus.items[k];
        Outcome o = Timed(solve, item.level, corpus.cap);
        row.cpu.push_back(o.cpuMs);
        row.wall.push_back(o.ms);
        row.totalCpu += o.cpuMs;
        const bool answered = o.answer != Answer::Undecided;
        row.yes += o.answer == Answer::Yes;
        row.no += o.answer == Answer::No;
        row.undecided += !answered;
        row.within1s += answered && o.cpuMs <= 1000.0;
        row.within100 += answered && o.cpuMs <= 100.0;
        if (slowMs >= 0 && o.cpuMs >= slowMs) {
            std::cout << "  slow: " << solverName << ", " << corpus.name << " #" << k + 1 << ": "
                      << o.cpuMs << " ms, " << o.nodes << " nodes, "
                      << (o.answer == Answer::Yes  ? "yes"
                          : o.answer == Answer::No ? "no"
                                                   : "undecided")
                      << std::endl;
        }
        if (const std::string fault = Check(item, o, corpus.cap); !fault.empty()) {
            ++row.wrong;
            std::cerr << "WRONG: " << solverName << ", " << corpus.name << " #" << k + 1 << ": "
                      << fault << "\n";
        }
        outcomes.push_back(std::move(o));
    }
    return outcomes;
}

void PrintRow(const std::string& corpus, const std::string& solver, const Row& row) {
    char line[400];
    std::snprintf(line, sizeof line,
                  "| %-8s | %-5s | %5zu | %8.3f | %8.1f | %8.1f | %8.1f | %4d | %4d | %4d | %5d | "
                  "%5d | %3d | %6.1f |",
                  corpus.c_str(), solver.c_str(), row.cpu.size(), Percentile(row.cpu, 50),
                  Percentile(row.cpu, 99), Percentile(row.cpu, 100), Percentile(row.wall, 100),
                  row.yes, row.no, row.undecided, row.within100, row.within1s, row.wrong,
                  row.totalCpu / 1000.0);
    std::cout << line << std::endl;
}

std::vector<Item> Items(const std::vector<CorpusLevel>& levels, Truth truth) {
    std::vector<Item> out;
    for (const auto& l : levels) {
        out.push_back({l.record, truth});
    }
    return out;
}

// A loop board whose straights along one direction are odd in number cannot
// close: every loop crosses each line between two columns (and two rows) an
// even number of times. Counted here, apart from any solver: the east ends
// of the kind over all tiles, and the north ends, are each even on a board
// that closes (the border and the fixed blanks carry none).
Truth LoopTruth(const CorpusLevel& level) {
    if (level.kind == "loop") {
        return Truth::Solvable;
    }
    for (int kind = 1; kind <= 3; ++kind) {
        int east = 0;
        int north = 0;
        for (const zk::TileNumber t : level.record) {
            east += zk::TileEdges(t)[zk::East] == kind;
            north += zk::TileEdges(t)[zk::North] == kind;
        }
        if (east % 2 != 0 || north % 2 != 0) {
            return Truth::Unsolvable;
        }
    }
    return Truth::Unknown;
}

double WallMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// The hint on every board of a corpus, scrambled as the game scrambles it.
void MeasureHint(const std::string& name, const std::vector<CorpusLevel>& levels) {
    int nearestFound = 0;
    int viaFallback = 0;
    int gaveUp = 0;
    int unsolvable = 0;
    int wrong = 0;
    double overshoot = 0;
    double overshootCpu = 0; // the same in the thread's processor time
    std::vector<double> nearestMs;
    std::vector<double> hintMs;
    std::uint64_t seed = 1;
    for (const CorpusLevel& level : levels) {
        zk::RandomSource random(seed++);
        zk::Board board;
        board.Prepare(level.origin, zk::ChallengeMode, random);
        timespec cpu{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        const double cpuStart = static_cast<double>(cpu.tv_sec) * 1e3 + cpu.tv_nsec / 1e6;
        auto start = std::chrono::steady_clock::now();
        const zk::NearestResult nearest = zk::FindNearestSolution(board);
        const double ms = WallMs(start);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        const double cpuMs = static_cast<double>(cpu.tv_sec) * 1e3 + cpu.tv_nsec / 1e6 - cpuStart;
        nearestMs.push_back(ms);
        nearestFound += nearest.found;
        if (!nearest.optimal) {
            overshoot = std::max(overshoot, ms - 50.0);
            overshootCpu = std::max(overshootCpu, cpuMs - 50.0);
        }
        start = std::chrono::steady_clock::now();
        const zk::HintAnswer answer = zk::FindHint(board);
        hintMs.push_back(WallMs(start));
        if (answer.verdict == zk::HintVerdict::Found) {
            viaFallback += !answer.nearest;
            zk::Board played = board;
            for (const zk::Cell& c : answer.clicks) {
                played.SwapWithHeld(c.column, c.row);
            }
            wrong += !played.IsSolved();
        }
        gaveUp += answer.verdict == zk::HintVerdict::GaveUp;
        unsolvable += answer.verdict == zk::HintVerdict::Unsolvable;
    }
    wrong += unsolvable; // every board here has a solution
    char line[400];
    std::snprintf(line, sizeof line,
                  "| %-8s | %5zu | %5d | %8.1f | %8.1f | %8.1f | %5d | %5d | %5d | %8.1f | %8.1f "
                  "| %8.1f | %3d |",
                  name.c_str(), levels.size(), nearestFound, Percentile(nearestMs, 100), overshoot,
                  overshootCpu, viaFallback, gaveUp, unsolvable, Percentile(hintMs, 50),
                  Percentile(hintMs, 99), Percentile(hintMs, 100), wrong);
    std::cout << line << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false;
    bool untuned = false;
    bool fresh = false;
    std::optional<std::uint64_t> seedBase;
    bool hint = false;
    std::vector<std::string> only;
    std::vector<std::string> corpora;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quick") {
            quick = true;
        } else if (a == "--untuned") {
            untuned = true;
        } else if (a == "--fresh") {
            fresh = true;
        } else if (a == "--seeds" && i + 1 < argc) {
            seedBase = std::stoull(argv[++i]);
        } else if (a == "--hint") {
            hint = true;
        } else if (a == "--only" && i + 1 < argc) {
            only.emplace_back(argv[++i]);
        } else if (a == "--slow" && i + 1 < argc) {
            slowMs = std::stod(argv[++i]);
        } else if (a == "--budget" && i + 1 < argc) {
            budget = std::stoull(argv[++i]);
        } else if (a == "--corpus" && i + 1 < argc) {
            corpora.emplace_back(argv[++i]);
        } else {
            std::cerr << "usage: zk-bench-solver [--quick] [--untuned|--fresh|--seeds N] "
                         "[--only today|new|alone] "
                         "[--corpus full|partial|changed|loops|shipped]... [--slow MS] "
                         "[--budget N] [--hint]\n";
            return 2;
        }
    }
    const Seeds seeds = seedBase  ? Seeds{*seedBase, *seedBase + 1, *seedBase + 2, *seedBase + 3}
                        : fresh   ? Fresh
                        : untuned ? Untuned
                                  : Tuned;
    const auto wanted = [](const std::vector<std::string>& list, const std::string& name) {
        return list.empty() || std::find(list.begin(), list.end(), name) != list.end();
    };
    const int scale = quick ? 10 : 1; // --quick: a tenth of each corpus

    std::vector<Corpus> all;
    const auto full = zk::levels::FullBoards(seeds.full, 300 / scale);
    const auto partial = zk::levels::PartialLevels(seeds.partial, 300 / scale);
    if (hint) {
        std::cout << "\n| corpus   | count | nearest found | nearest slowest ms | overshoot ms "
                     "| overshoot CPU ms | by the fallback | gave up | unsolvable | hint median ms "
                     "| hint p99 ms | hint slowest ms | wrong |\n"
                  << "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
                  << std::endl;
        MeasureHint("full", full);
        MeasureHint("partial", partial);
        return 0;
    }
    if (wanted(corpora, "full")) {
        all.push_back({"full", 1, Items(full, Truth::Solvable)});
    }
    if (wanted(corpora, "partial")) {
        all.push_back({"partial", 2, Items(partial, Truth::Solvable)});
    }
    if (wanted(corpora, "changed")) {
        // Half from full boards, half from partial levels of 20 cells or
        // more, so that a search is needed.
        std::vector<CorpusLevel> bigPartial;
        for (const auto& p : partial) {
            if (std::count_if(p.origin.begin(), p.origin.end(), zk::IsMovable) >= 20) {
                bigPartial.push_back(p);
            }
        }
        const auto fromFull = zk::levels::ChangedLevels(seeds.changed, 100 / scale, full, true);
        const auto fromPartial =
            zk::levels::ChangedLevels(seeds.changed + 1, 100 / scale, bigPartial, true);
        std::vector<Item> items = Items(fromFull, Truth::Unknown);
        for (const Item& i : Items(fromPartial, Truth::Unknown)) {
            items.push_back(i);
        }
        all.push_back({"changed", 1, items});
    }
    if (wanted(corpora, "loops")) {
        const auto loops = zk::levels::LoopBoards(seeds.loops, 60 / scale);
        std::vector<Item> items;
        for (const auto& l : loops) {
            items.push_back({l.record, LoopTruth(l)});
        }
        all.push_back({"loops", 1, items});
    }
    if (wanted(corpora, "shipped") && !untuned && !fresh && !seedBase) {
        std::vector<Item> items;
        for (const auto& l : zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels) {
            items.push_back({l, Truth::Solvable});
        }
        all.push_back({"shipped", 2, items});
    }

    std::cout << "\n| corpus   | solver | count | median ms | p99 ms | slowest ms | slowest wall "
                 "| yes | no | undec. | in 100 ms | in 1 s | wrong | CPU s |\n"
              << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
              << std::endl;
    int wrong = 0;
    int disagreements = 0;
    for (const Corpus& corpus : all) {
        std::vector<Outcome> today;
        std::vector<Outcome> now;
        if (wanted(only, "today")) {
            Row row;
            today = RunCorpus(corpus, "today", Today, row);
            PrintRow(corpus.name, "today", row);
            wrong += row.wrong;
        }
        if (std::find(only.begin(), only.end(), "alone") != only.end()) {
            Row row;
            RunCorpus(
                corpus, "alone", [](const LevelRecord& l, int cap) { return New(l, cap, false); },
                row);
            PrintRow(corpus.name, "alone", row);
            wrong += row.wrong;
        }
        if (wanted(only, "new")) {
            Row row;
            now = RunCorpus(
                corpus, "new", [](const LevelRecord& l, int cap) { return New(l, cap, true); },
                row);
            PrintRow(corpus.name, "new", row);
            wrong += row.wrong;
        }
        for (std::size_t k = 0; k < std::min(today.size(), now.size()); ++k) {
            const Outcome& a = today[k];
            const Outcome& b = now[k];
            const bool clash = (a.answer == Answer::Yes && b.answer == Answer::No) ||
                               (a.answer == Answer::No && b.answer == Answer::Yes) ||
                               (a.complete && b.complete && a.solutions != b.solutions);
            if (clash) {
                ++disagreements;
                std::cerr << "DISAGREE: " << corpus.name << " #" << k + 1 << ": today "
                          << a.solutions << (a.complete ? "" : "+") << ", new " << b.solutions
                          << (b.complete ? "" : "+") << "\n";
            }
        }
    }
    std::cout << "\nwrong answers: " << wrong
              << "; disagreements between the solvers: " << disagreements << std::endl;
    return wrong + disagreements > 0 ? 1 : 0;
}
