// The solver on a corpus made from a fixed seed, the solver as it was before
// ("before", a copy kept in this directory) and the model's solver ("after")
// side by side in one run:
//   partial   random partial levels, fixed tiles inside and around the area:
//             decided and counted up to 2
//   full      random full boards (63 movable tiles), each with a solution:
//             decided (one solution asked for)
//   broken    levels made unsolvable by changing one tile of a solvable one:
//             decided
//   shipped   the shipped level set: decided and counted up to 2
// Every answer is checked: a solution must be an arrangement of the level's
// own tiles that passes the solution check, levels made solvable must not be
// called unsolvable, levels whose change unbalanced the connection ends must
// not be called solvable, and where both solvers finish their counts must
// agree. Prints one table row per corpus and solver (times in milliseconds)
// and exits with 1 when any answer was wrong.
//
//   zk-bench-solver [--quick] [--only after|before|original|alone]...
//                   [--corpus NAME]... [--slow MS]
// --slow lists every level that took at least MS milliseconds; --only original
// adds the model's solver in the order the shipped levels were made with, and
// --only alone the model's solver without its second search. Times are wall
// clock per level; the last column is the processor time of the whole corpus,
// over every thread, so that a second search shows what it costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "BeforeSolver.h"
#include "Corpus.h"
#include "files/LevelFile.h"
#include "model/Solver.h"

namespace {

using zk::LevelRecord;
using zk::levels::CorpusLevel;

constexpr std::uint64_t PartialSeed = 20261;
constexpr std::uint64_t FullSeed = 20262;
constexpr std::uint64_t BrokenSeed = 20263;

enum class Answer { Yes, No, Undecided };

struct Outcome {
    Answer answer = Answer::Undecided;
    int solutions = 0;
    bool complete = false;
    std::uint64_t nodes = 0;
    double ms = 0;
    double cpuMs = 0; // over every thread of the process
    std::optional<LevelRecord> solution;
    std::optional<LevelRecord> alternative;
};

using Solve = std::function<Outcome(const LevelRecord&, int cap)>;

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

Outcome Model(const LevelRecord& level, int cap, zk::SolverLimits limits) {
    limits.solutionCap = cap;
    return Convert(zk::SolveLevel(level, limits), zk::Solvability::Solvable,
                   zk::Solvability::Unsolvable);
}

Outcome After(const LevelRecord& level, int cap) {
    return Model(level, cap, {});
}

// The model's solver in the order the shipped levels were made with, which
// is the search as it stood before scarce tiles first and probing.
Outcome Original(const LevelRecord& level, int cap) {
    zk::SolverLimits limits;
    limits.originalOrder = true;
    return Model(level, cap, limits);
}

// The model's solver as one search, without the second one on another thread.
Outcome Alone(const LevelRecord& level, int cap) {
    zk::SolverLimits limits;
    limits.sideBySide = false;
    return Model(level, cap, limits);
}

Outcome Before(const LevelRecord& level, int cap) {
    zk::before::SolverLimits limits;
    limits.solutionCap = cap;
    return Convert(zk::before::SolveLevel(level, limits), zk::before::Solvability::Solvable,
                   zk::before::Solvability::Unsolvable);
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
    std::string question; // what is asked
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
            return "solvable, but its ends do not balance";
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
    // The nearest-rank percentile.
    const std::size_t rank =
        (v.size() * static_cast<std::size_t>(percent) + 99) / 100; // 1-based, rounded up
    return v[std::min(v.size(), std::max<std::size_t>(rank, 1)) - 1];
}

struct Row {
    std::vector<double> ms;
    int yes = 0;
    int no = 0;
    int undecided = 0;
    int wrong = 0;
    int within1s = 0; // answered yes or no within a second
    std::uint64_t nodes = 0;
    double cpuMs = 0;
};

// Levels slower than this are listed with their nodes (--slow MS).
double slowMs = -1;

std::vector<Outcome> RunCorpus(const Corpus& corpus, const std::string& solverName,
                               const Solve& solve, Row& row) {
    std::vector<Outcome> outcomes;
    outcomes.reserve(corpus.items.size());
    for (std::size_t k = 0; k < corpus.items.size(); ++k) {
        const Item& item = corpus.items[k];
        Outcome o = Timed(solve, item.level, corpus.cap);
        row.ms.push_back(o.ms);
        if (slowMs >= 0 && o.ms >= slowMs) {
            std::cout << "  slow: " << solverName << ", " << corpus.name << " #" << k + 1 << ": "
                      << o.ms << " ms, " << o.nodes << " nodes, "
                      << (o.answer == Answer::Yes  ? "yes"
                          : o.answer == Answer::No ? "no"
                                                   : "undecided")
                      << std::endl;
        }
        row.nodes += o.nodes;
        row.cpuMs += o.cpuMs;
        row.yes += o.answer == Answer::Yes;
        row.no += o.answer == Answer::No;
        row.undecided += o.answer == Answer::Undecided;
        row.within1s += o.answer != Answer::Undecided && o.ms <= 1000.0;
        if (const std::string fault = Check(item, o, corpus.cap); !fault.empty()) {
            ++row.wrong;
            std::cerr << "WRONG: " << solverName << ", " << corpus.name << " #" << k + 1 << ": "
                      << fault << "\n";
        }
        outcomes.push_back(std::move(o));
    }
    return outcomes;
}

void PrintRow(const std::string& corpus, const std::string& solver, const Row& row,
              std::size_t size) {
    char line[400];
    std::snprintf(line, sizeof line,
                  "| %-8s | %-6s | %5zu | %9.3f | %9.3f | %9.1f | %5d | %5d | %9d | %6d | %5d | "
                  "%6.1f |",
                  corpus.c_str(), solver.c_str(), size, Percentile(row.ms, 50),
                  Percentile(row.ms, 99), row.ms.empty() ? 0.0 : Percentile(row.ms, 100), row.yes,
                  row.no, row.undecided, row.within1s, row.wrong, row.cpuMs / 1000.0);
    std::cout << line << std::endl;
}

std::vector<Item> Items(const std::vector<CorpusLevel>& levels, Truth truth) {
    std::vector<Item> out;
    for (const auto& l : levels) {
        out.push_back({l.record, truth});
    }
    return out;
}

// Levels with one tile changed, keeping only those no solver can solve: an
// unbalanced change is certainly unsolvable; a balanced one is tried with
// the model's solver and twice its default budget, and dropped when it is
// solved: one it cannot solve stays, and counts as undecided if it is.
std::vector<Item> BrokenItems(int count, const std::vector<CorpusLevel>& partial,
                              const std::vector<CorpusLevel>& full) {
    std::vector<Item> out;
    std::uint64_t seed = BrokenSeed;
    int fromFull = count * 2 / 5;
    int fromPartial = count - fromFull;
    int dropped = 0;
    while (fromFull + fromPartial > 0) {
        const bool takeFull = fromFull > 0;
        const auto candidates = zk::levels::ChangedLevels(seed++, 50, takeFull ? full : partial);
        for (const auto& c : candidates) {
            int& left = takeFull ? fromFull : fromPartial;
            if (left == 0) {
                break;
            }
            if (!c.unbalanced) {
                zk::SolverLimits limits;
                limits.solutionCap = 1;
                limits.nodeBudget = 2'000'000;
                const auto r = zk::SolveLevel(c.record, limits);
                if (r.status == zk::Solvability::Solvable && SolutionHolds(r.solution, c.record)) {
                    ++dropped;
                    continue;
                }
            }
            out.push_back({c.record, c.unbalanced ? Truth::Unsolvable : Truth::Unknown});
            --left;
        }
    }
    int unbalanced = 0;
    for (const auto& i : out) {
        unbalanced += i.truth == Truth::Unsolvable;
    }
    std::cout << "broken corpus: " << out.size() << " levels, " << unbalanced
              << " with unbalanced ends; " << dropped << " changed levels were still solvable"
              << " and left out" << std::endl;
    return out;
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false;
    std::vector<std::string> only;
    std::vector<std::string> corpora;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quick") {
            quick = true;
        } else if (a == "--only" && i + 1 < argc) {
            only.emplace_back(argv[++i]);
        } else if (a == "--slow" && i + 1 < argc) {
            slowMs = std::stod(argv[++i]);
        } else if (a == "--corpus" && i + 1 < argc) {
            corpora.emplace_back(argv[++i]);
        } else {
            std::cerr << "usage: zk-bench-solver [--quick] [--only after|before|original|alone] "
                         "[--corpus partial|full|broken|shipped]... [--slow MS]\n";
            return 2;
        }
    }
    const auto wanted = [](const std::vector<std::string>& list, const std::string& name) {
        return list.empty() || std::find(list.begin(), list.end(), name) != list.end();
    };
    // --quick: a tenth of each corpus, for a look while working.
    const int scale = quick ? 10 : 1;

    const auto partial = zk::levels::PartialLevels(PartialSeed, 1000 / scale);
    const auto full = zk::levels::FullBoards(FullSeed, 200 / scale);
    std::vector<Corpus> all;
    if (wanted(corpora, "partial")) {
        all.push_back({"partial", "count to 2", 2, Items(partial, Truth::Solvable)});
    }
    if (wanted(corpora, "full")) {
        all.push_back({"full", "decide", 1, Items(full, Truth::Solvable)});
    }
    if (wanted(corpora, "broken")) {
        all.push_back({"broken", "decide", 1, BrokenItems(1000 / scale, partial, full)});
    }
    if (wanted(corpora, "shipped")) {
        const auto shipped = zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
        std::vector<Item> items;
        for (const auto& l : shipped) {
            items.push_back({l, Truth::Solvable});
        }
        all.push_back({"shipped", "count to 2", 2, items});
    }

    std::cout << "\n| corpus   | solver | count | median ms |    p99 ms | slowest ms |   yes |    "
                 "no | undecided | in 1 s | wrong |  CPU s |\n"
              << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|" << std::endl;
    int wrong = 0;
    int disagreements = 0;
    for (const Corpus& corpus : all) {
        std::vector<Outcome> before;
        std::vector<Outcome> after;
        if (wanted(only, "before")) {
            Row row;
            before = RunCorpus(corpus, "before", Before, row);
            PrintRow(corpus.name, "before", row, corpus.items.size());
            wrong += row.wrong;
        }
        // Only on request: the model's solver in its original order.
        if (std::find(only.begin(), only.end(), "original") != only.end()) {
            Row row;
            RunCorpus(corpus, "original", Original, row);
            PrintRow(corpus.name, "orig.", row, corpus.items.size());
            wrong += row.wrong;
        }
        // Only on request: the model's solver as one search.
        if (std::find(only.begin(), only.end(), "alone") != only.end()) {
            Row row;
            RunCorpus(corpus, "alone", Alone, row);
            PrintRow(corpus.name, "alone", row, corpus.items.size());
            wrong += row.wrong;
        }
        if (wanted(only, "after")) {
            Row row;
            after = RunCorpus(corpus, "after", After, row);
            PrintRow(corpus.name, "after", row, corpus.items.size());
            wrong += row.wrong;
        }
        // Where both answered, they agree: no "no" against a "yes", and the
        // same count where both counted to the end.
        for (std::size_t k = 0; k < std::min(before.size(), after.size()); ++k) {
            const Outcome& b = before[k];
            const Outcome& a = after[k];
            const bool clash = (b.answer == Answer::Yes && a.answer == Answer::No) ||
                               (b.answer == Answer::No && a.answer == Answer::Yes) ||
                               (b.complete && a.complete && b.solutions != a.solutions);
            if (clash) {
                ++disagreements;
                std::cerr << "DISAGREE: " << corpus.name << " #" << k + 1 << ": before "
                          << b.solutions << (b.complete ? "" : "+") << ", after " << a.solutions
                          << (a.complete ? "" : "+") << "\n";
            }
        }
    }
    std::cout << "\nwrong answers: " << wrong
              << "; disagreements between the solvers: " << disagreements << std::endl;
    return wrong + disagreements > 0 ? 1 : 0;
}
