// The editor's live check as the editor runs it: the window's LiveCheck
// starts a thread per board, the thread runs CheckForEditor under its own
// limits, the verdict comes back through the window's event loop and is put
// into the status text. Timed from the call to the text, per board, in wall
// time and in processor time of the whole process (the solver's second search
// on another thread included).
//
//   shipped  the 200 levels of the shipped level file, as the editor loads them
//   edited   each shipped level with one edit of each kind a designer makes:
//            a palette tile (any of the 200) placed on a cell, a movable tile
//            picked up (the cell left empty), a fixed tile replaced by a
//            movable tile with the same edges. Many of these cannot be solved
//            or have several solutions.
//   several  each shipped level twice with 2 to 6 edits of those kinds drawn
//            at random: a level further into its redrawing.
//   full     not typical: 100 random full boards (all 63 cells movable, each
//            with a solution) as a designer might draw from scratch, from
//            the level tools' corpus maker.
//   untuned, untuned-several  the same from a second seed, chosen after the
//            work on the check was done and never used to tune it; reported
//            separately.
// The edits' seeds are this benchmark's own, apart from the tests' and the
// generator's. Every shipped level must be found solvable with a single
// solution; the program exits with 1 otherwise.
//
//   zk-bench-livecheck [--corpus NAME]... [--slow MS] [--direct] [--before]
// --slow lists every board whose check took at least MS milliseconds of
// processor time or wall time; --direct adds a row per corpus of
// CheckForEditor called on the main thread alone, to show what the thread and
// the event loop add; --before adds a row of the check as it was before the
// rules' "what if" steps waited for the solver (every rule first, as
// CheckLevel runs them), called on the main thread, and counts the verdicts that
// differ from the live ones (only an undecided search may).
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Corpus.h"
#include "EditorTexts.h"
#include "LiveCheck.h"
#include "Timings.h"
#include "files/LevelFile.h"
#include "model/Random.h"

namespace {

using zk::bench::ProcessorMs;
using zk::bench::Spread;
using zk::bench::SpreadOf;

using zk::EditorVerdict;
using zk::LevelRecord;

constexpr std::uint64_t EditSeed = 88431;
// Full boards, beyond the typical: 63 movable cells.
constexpr std::uint64_t FullSeed = 88433;
// Chosen after the work on the check was done.
constexpr std::uint64_t UntunedSeed = 90577;
constexpr double Target = 200.0; // milliseconds

double WallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Board {
    LevelRecord level{};
    int source = 0;   // the shipped level, 1..200
    std::string edit; // what was changed, empty for a shipped level
};

struct Timing {
    double wall = 0;
    double cpu = 0;
    EditorVerdict verdict;
};

// A movable tile with the edges of a fixed one, the lowest numbered; none
// when no movable tile has them.
std::optional<zk::TileNumber> MovableTwin(zk::TileNumber fixed) {
    for (int t = 1; t <= zk::LastMovableTile; ++t) {
        const auto tile = static_cast<zk::TileNumber>(t);
        if (zk::TileEdges(tile) == zk::TileEdges(fixed)) {
            return tile;
        }
    }
    return std::nullopt;
}

std::string CellName(int index) {
    return "c" + std::to_string(index / zk::Rows + 1) + "r" + std::to_string(index % zk::Rows + 1);
}

// A random cell among those that pass; none when none does.
template <class Pass>
std::optional<int> CellWhere(zk::RandomSource& random, const LevelRecord& level, Pass pass) {
    std::vector<int> cells;
    for (int i = 0; i < zk::CellCount; ++i) {
        if (pass(level[static_cast<std::size_t>(i)])) {
            cells.push_back(i);
        }
    }
    if (cells.empty()) {
        return std::nullopt;
    }
    return cells[static_cast<std::size_t>(random.RandomBelow(static_cast<int>(cells.size())))];
}

enum class EditKind { Place, PickUp, Unfix };

// One edit of the kind on the board; false when the board has no cell for it.
bool Edit(zk::RandomSource& random, EditKind kind, Board& board) {
    LevelRecord& level = board.level;
    const std::string sep = board.edit.empty() ? "" : ", ";
    switch (kind) {
    case EditKind::Place: { // another tile than the cell's
        const int cell = random.RandomBelow(zk::CellCount);
        auto& at = level[static_cast<std::size_t>(cell)];
        auto tile = static_cast<zk::TileNumber>(random.RandomBelow(zk::TileTypeCount - 1));
        if (tile >= at) {
            ++tile;
        }
        board.edit += sep + "place " + std::to_string(tile) + " on " + CellName(cell) + " (was " +
                      std::to_string(at) + ")";
        at = tile;
        return true;
    }
    case EditKind::PickUp:
        if (const auto cell = CellWhere(random, level, [](zk::TileNumber t) {
                return t != zk::EmptyTile && zk::IsMovable(t);
            })) {
            auto& at = level[static_cast<std::size_t>(*cell)];
            board.edit += sep + "pick up " + std::to_string(at) + " from " + CellName(*cell);
            at = zk::EmptyTile;
            return true;
        }
        return false;
    case EditKind::Unfix:
        if (const auto cell = CellWhere(random, level, [](zk::TileNumber t) {
                return !zk::IsMovable(t) && MovableTwin(t);
            })) {
            auto& at = level[static_cast<std::size_t>(*cell)];
            const zk::TileNumber twin = *MovableTwin(at);
            board.edit += sep + "fixed " + std::to_string(at) + " on " + CellName(*cell) +
                          " made " + std::to_string(twin);
            at = twin;
            return true;
        }
        return false;
    }
    return false;
}

// Each shipped level with one edit of each kind (a level without a cell for
// a kind gives no board of it).
std::vector<Board> EditedBoards(const std::vector<LevelRecord>& shipped, std::uint64_t seed) {
    zk::RandomSource random(seed);
    std::vector<Board> boards;
    for (std::size_t n = 0; n < shipped.size(); ++n) {
        for (const EditKind kind : {EditKind::Place, EditKind::PickUp, EditKind::Unfix}) {
            Board board{shipped[n], static_cast<int>(n) + 1, {}};
            if (Edit(random, kind, board)) {
                boards.push_back(board);
            }
        }
    }
    return boards;
}

// Each shipped level twice with 2 to 6 edits of kinds drawn at random: a
// level further into its redrawing.
std::vector<Board> SeveralEditsBoards(const std::vector<LevelRecord>& shipped, std::uint64_t seed) {
    zk::RandomSource random(seed);
    std::vector<Board> boards;
    for (std::size_t n = 0; n < shipped.size(); ++n) {
        for (int copy = 0; copy < 2; ++copy) {
            Board board{shipped[n], static_cast<int>(n) + 1, {}};
            const int edits = 2 + random.RandomBelow(5);
            for (int e = 0; e < edits; ++e) {
                Edit(random, static_cast<EditKind>(random.RandomBelow(3)), board);
            }
            boards.push_back(board);
        }
    }
    return boards;
}

// The editor's arrangement: LiveCheck's thread, its answer through the event
// loop, the status text.
class Editor {
public:
    Editor()
        : check_([this](const LevelRecord&, const EditorVerdict& verdict) {
              verdict_ = verdict;
              text_ = zk::CheckVerdictText(zk::English, verdict);
              loop_.quit();
          }) {}

    Timing Time(const LevelRecord& level) {
        const double wall = WallMs();
        const double cpu = ProcessorMs();
        check_.Check(level);
        loop_.exec();
        Timing timing{WallMs() - wall, ProcessorMs() - cpu, verdict_};
        if (text_.empty()) {
            std::fprintf(stderr, "no status text\n");
        }
        text_.clear();
        return timing;
    }

private:
    QEventLoop loop_;
    zk::LiveCheck check_;
    EditorVerdict verdict_;
    std::string text_;
};

Timing TimeDirect(const LevelRecord& level) {
    const double wall = WallMs();
    const double cpu = ProcessorMs();
    const EditorVerdict verdict = zk::CheckForEditor(level);
    return {WallMs() - wall, ProcessorMs() - cpu, verdict};
}

// The check as it was before the rules' "what if" steps waited for the
// solver: every rule first, then the solver, as CheckLevel runs them.
EditorVerdict CheckBefore(const LevelRecord& level) {
    zk::SolverLimits limits;
    limits.solutionCap = 2;
    const zk::LevelCheck check = zk::CheckLevel(level, limits);
    EditorVerdict verdict;
    verdict.status = check.status;
    if (check.flaw) {
        verdict.status = zk::Solvability::Unsolvable;
        verdict.reason = zk::FindEditorReason(level);
    } else if (const auto nothing = zk::NothingToHold(level)) {
        verdict.status = zk::Solvability::Unsolvable;
        verdict.reason = nothing;
    } else if (check.status == zk::Solvability::Solvable) {
        verdict.solutions = check.solutions;
        verdict.hardest = check.rating.solved ? check.rating.hardest : zk::Rule::None;
    }
    return verdict;
}

Timing TimeBefore(const LevelRecord& level) {
    const double wall = WallMs();
    const double cpu = ProcessorMs();
    const EditorVerdict verdict = CheckBefore(level);
    return {WallMs() - wall, ProcessorMs() - cpu, verdict};
}

const char* ReasonName(zk::FlawKind kind) {
    switch (kind) {
    case zk::FlawKind::NothingToHold:
        return "nothing to hold";
    case zk::FlawKind::EndOffBoard:
        return "end off board";
    case zk::FlawKind::EndIntoFixed:
        return "end into fixed";
    case zk::FlawKind::EndsUnpaired:
        return "ends unpaired";
    case zk::FlawKind::EndUnanswered:
        return "end unanswered";
    case zk::FlawKind::CellFitsNoTile:
        return "cell fits no tile";
    case zk::FlawKind::TileFitsNoCell:
        return "tile fits no cell";
    case zk::FlawKind::RulesContradict:
        return "rules contradict";
    }
    return "?";
}

std::string AnswerOf(const EditorVerdict& verdict) {
    switch (verdict.status) {
    case zk::Solvability::Solvable:
        return verdict.solutions == 1   ? "solvable, single"
               : verdict.solutions == 2 ? "solvable, 2 or more"
                                        : "solvable, count open";
    case zk::Solvability::Unsolvable:
        return verdict.reason ? std::string("unsolvable: ") + ReasonName(verdict.reason->kind)
                              : "unsolvable, no reason found";
    case zk::Solvability::Undecided:
        break;
    }
    return "undecided";
}

void Report(const char* corpus, const char* how, const std::vector<Board>& boards,
            const std::vector<Timing>& timings) {
    std::vector<double> wall, cpu;
    std::map<std::string, int> answers;
    for (const Timing& t : timings) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
        ++answers[AnswerOf(t.verdict)];
    }
    const Spread w = SpreadOf(wall, Target), c = SpreadOf(cpu, Target);
    std::printf("| %-15s | %-6s | %4zu | %7.2f | %7.2f | %7.2f | %8.2f | %4zu | %7.2f | %7.2f | "
                "%7.2f | %8.2f | %4zu |\n",
                corpus, how, boards.size(), c.median, c.p90, c.p99, c.slowest, c.within, w.median,
                w.p90, w.p99, w.slowest, w.within);
    std::string line;
    for (const auto& [answer, count] : answers) {
        line += (line.empty() ? "" : "; ") + answer + " " + std::to_string(count);
    }
    std::printf("|                 | answers: %s\n", line.c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> only;
    double slow = -1;
    bool direct = false;
    bool before = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--corpus") && i + 1 < argc) {
            only.emplace_back(argv[++i]);
        } else if (!std::strcmp(argv[i], "--slow") && i + 1 < argc) {
            slow = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--direct")) {
            direct = true;
        } else if (!std::strcmp(argv[i], "--before")) {
            before = true;
        } else {
            std::fprintf(stderr, "usage: zk-bench-livecheck [--corpus NAME]... "
                                 "[--slow MS] [--direct] [--before]\n");
            return 2;
        }
    }
    const auto wanted = [&](const std::string& name) {
        return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
    };

    const auto shipped = zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
    if (shipped.empty()) {
        std::fprintf(stderr, "no levels in %s\n", ZK_SHIPPED_LEVELS);
        return 1;
    }
    std::vector<std::pair<std::string, std::vector<Board>>> corpora;
    if (wanted("shipped")) {
        std::vector<Board> boards;
        for (std::size_t n = 0; n < shipped.size(); ++n) {
            boards.push_back({shipped[n], static_cast<int>(n) + 1, {}});
        }
        corpora.emplace_back("shipped", boards);
    }
    if (wanted("edited")) {
        corpora.emplace_back("edited", EditedBoards(shipped, EditSeed));
    }
    if (wanted("several")) {
        corpora.emplace_back("several", SeveralEditsBoards(shipped, EditSeed + 1));
    }
    if (wanted("full")) {
        std::vector<Board> boards;
        for (const auto& level : zk::levels::FullBoards(FullSeed, 100)) {
            boards.push_back({level.record, 0, "full board"});
        }
        corpora.emplace_back("full", boards);
    }
    if (wanted("untuned")) {
        corpora.emplace_back("untuned", EditedBoards(shipped, UntunedSeed));
    }
    if (wanted("untuned-several")) {
        corpora.emplace_back("untuned-several", SeveralEditsBoards(shipped, UntunedSeed + 1));
    }

    std::printf("Processor time (whole process) and wall time per board, ms; within: answered "
                "within %.0f ms\n\n",
                Target);
    std::printf("| corpus          | run    | n    | cpu med | cpu p90 | cpu p99 | cpu max  | "
                "≤200 | wall med | wall p90 | wall p99 | wall max | ≤200 |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    Editor editor;
    bool wrong = false;
    std::vector<std::string> slowLines;
    for (const auto& [name, boards] : corpora) {
        std::vector<Timing> timings;
        for (const Board& board : boards) {
            timings.push_back(editor.Time(board.level));
            const Timing& t = timings.back();
            if (name == "shipped" &&
                (t.verdict.status != zk::Solvability::Solvable || t.verdict.solutions != 1)) {
                std::fprintf(stderr, "shipped level %d: %s\n", board.source,
                             AnswerOf(t.verdict).c_str());
                wrong = true;
            }
            if (slow >= 0 && (t.cpu >= slow || t.wall >= slow)) {
                char line[256];
                std::snprintf(line, sizeof line, "%-8s level %3d %-34s cpu %8.1f wall %8.1f  %s",
                              name.c_str(), board.source, board.edit.c_str(), t.cpu, t.wall,
                              AnswerOf(t.verdict).c_str());
                slowLines.emplace_back(line);
            }
        }
        Report(name.c_str(), "live", boards, timings);
        if (direct) {
            std::vector<Timing> alone;
            for (const Board& board : boards) {
                alone.push_back(TimeDirect(board.level));
            }
            Report(name.c_str(), "direct", boards, alone);
        }
        if (before) {
            std::vector<Timing> old;
            int differ = 0;
            for (std::size_t i = 0; i < boards.size(); ++i) {
                old.push_back(TimeBefore(boards[i].level));
                differ += !(old.back().verdict == timings[i].verdict);
            }
            Report(name.c_str(), "before", boards, old);
            if (differ) {
                std::printf("|                 | verdicts differing from before: %d\n", differ);
            }
        }
        std::fflush(stdout);
    }
    if (!slowLines.empty()) {
        std::printf("\nBoards at or over %.0f ms:\n", slow);
        for (const std::string& line : slowLines) {
            std::printf("%s\n", line.c_str());
        }
    }
    return wrong ? 1 : 0;
}
