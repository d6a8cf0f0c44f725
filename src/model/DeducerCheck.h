// What a level designer needs to know about a level: whether it can be
// solved, whether the solution is single, how hard it is by the deducer's
// rules, and for a level that cannot be solved the first reason found that a
// designer can act on: a tile whose end leads off the board or into a fixed
// tile at a named cell, a kind of connection whose ends cannot pair up, a
// cell no tile fits. Reasons are data (a kind, a cell, a side, a code); the
// window puts them into words.
#pragma once

#include <optional>

#include "model/Board.h"
#include "model/Deducer.h"
#include "model/Solver.h"

namespace zk {

enum class FlawKind {
    // A fixed tile's end (side, code) leads off the board.
    EndOffBoard,
    // A fixed tile's end (side, code) meets a fixed tile that has no twin
    // for it on the facing side.
    EndIntoFixed,
    // A kind of connection (code) has more ends facing one way than the
    // other: east against west (side East) or north against south (side
    // North), over every tile of the board. No cell is named.
    EndsUnpaired,
    // A fixed tile's end (side, code) leads into a movable cell, but no
    // movable tile has its twin on the facing side.
    EndUnanswered,
    // A movable cell that no movable tile fits: every one would lead an end
    // off the board or against a fixed tile there.
    CellFitsNoTile,
    // The movable tile in this cell fits no movable cell of the level.
    TileFitsNoCell,
    // The deducer's rules show that no arrangement solves the level; the
    // cell is one that nothing fits any more, where the rules name one.
    RulesContradict,
    // No tile 1..89 on the board: play would have nothing to hold. Only the
    // editor's check names it; any arrangement of such a board may still
    // close every connection.
    NothingToHold,
};

struct LevelFlaw {
    FlawKind kind = FlawKind::RulesContradict;
    std::optional<Cell> cell;
    Side side = East;
    EdgeCode code = 0;
    bool operator==(const LevelFlaw&) const = default;
};

// At most this many "what if" steps keep the rules quick on any board.
inline constexpr int CheckWhatIfLimit = 8;

// The first reason found why the level cannot be solved, checked from the
// plainest (a fixed tile's end) to the deepest (the deducer's rules); none
// when no reason is found, which is every solvable level and may be an
// unsolvable one only a search can refute.
std::optional<LevelFlaw> FindFlaw(const LevelRecord& level, int whatIfLimit = CheckWhatIfLimit);

struct LevelCheck {
    Solvability status = Solvability::Undecided;
    // 1 when the solution is single, 2 for "2 or more"; 0 without one.
    int solutions = 0;
    RuleRating rating; // solved when the deducer alone solves the level
    std::optional<LevelFlaw> flaw;
};

// The whole check: the deducer first (its solve proves a single solution,
// its contradiction an unsolvable level with a reason), the solver only
// where the rules leave the question open.
LevelCheck CheckLevel(const LevelRecord& level, const SolverLimits& limits = {},
                      int whatIfLimit = CheckWhatIfLimit);

} // namespace zk
