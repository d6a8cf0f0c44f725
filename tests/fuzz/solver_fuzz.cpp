// The solver on any 63-byte record with a small node budget: it ends within
// the budget, and what it reports holds: a solution is an arrangement of the
// level's own tiles that passes the solution check, a second one differs from
// it, and the counts agree with the status. The rating agrees with the
// solver, and the nearest solution's clicks, played from the record with a
// held cell the input chooses, reach a solved board of the same tiles.
#include <algorithm>
#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "model/Board.h"
#include "model/Catalogue.h"
#include "model/Nearest.h"
#include "model/Solver.h"

using namespace zk;

namespace {

constexpr std::uint64_t Budget = 20'000;
constexpr int Cap = 3;

bool SameEdgesEverywhere(const LevelRecord& a, const LevelRecord& b) {
    for (int i = 0; i < CellCount; ++i) {
        if (!(TileEdges(a[i]) == TileEdges(b[i]))) {
            return false;
        }
    }
    return true;
}

int Count(const LevelRecord& r, bool (*pred)(TileNumber)) {
    return static_cast<int>(std::count_if(r.begin(), r.end(), pred));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LevelRecord level{};
    std::memcpy(level.data(), data, std::min<std::size_t>(size, level.size()));

    SolverLimits limits;
    limits.nodeBudget = Budget;
    limits.solutionCap = Cap;
    const SolverResult result = SolveLevel(level, limits);

    ZK_REQUIRE(result.nodes <= Budget);
    ZK_REQUIRE(result.effort <= result.nodes);
    ZK_REQUIRE(result.movableCells == Count(level, [](TileNumber t) { return IsMovable(t); }));
    ZK_REQUIRE(result.movableTiles ==
               Count(level, [](TileNumber t) { return t >= 1 && IsMovable(t); }));
    ZK_REQUIRE(result.holdableTiles == Count(level, [](TileNumber t) { return IsHoldable(t); }));
    ZK_REQUIRE(result.foreignTiles ==
               Count(level, [](TileNumber t) { return t >= TileTypeCount; }));
    ZK_REQUIRE(result.solutions >= 0 && result.solutions <= Cap);
    ZK_REQUIRE(!result.capReached || result.solutions == Cap);
    ZK_REQUIRE(!SolvabilityName(result.status).empty());

    switch (result.status) {
    case Solvability::Solvable:
        ZK_REQUIRE(result.solution.has_value());
        ZK_REQUIRE(IsSolved(*result.solution));
        ZK_REQUIRE(IsArrangementOf(*result.solution, level));
        if (IsSolved(level)) {
            ZK_REQUIRE(*result.solution == level);
        }
        ZK_REQUIRE(result.solutions >= 1);
        if (result.alternative) {
            ZK_REQUIRE(IsSolved(*result.alternative));
            ZK_REQUIRE(IsArrangementOf(*result.alternative, level));
            ZK_REQUIRE(!SameEdgesEverywhere(*result.alternative, *result.solution));
            ZK_REQUIRE(result.solutions >= 2);
        }
        if (result.solutions >= 2) {
            ZK_REQUIRE(result.alternative.has_value());
        }
        if (result.countComplete && !result.capReached && result.solutions == 1) {
            ZK_REQUIRE(!result.alternative.has_value());
        }
        break;
    case Solvability::Unsolvable:
        ZK_REQUIRE(!IsSolved(level));
        ZK_REQUIRE(!result.solution && !result.alternative);
        ZK_REQUIRE(result.solutions == 0);
        break;
    case Solvability::Undecided:
        ZK_REQUIRE(!result.solution && !result.alternative);
        ZK_REQUIRE(result.solutions == 0);
        ZK_REQUIRE(!result.countComplete);
        break;
    }

    // A rated level has a solution; its grade keeps to its range.
    const Difficulty d = RateLevel(level, Budget);
    if (d.rated) {
        ZK_REQUIRE(result.status != Solvability::Unsolvable);
        ZK_REQUIRE(d.grade >= LowestGrade && d.grade <= HighestGrade);
        ZK_REQUIRE(d.solutions == 1 || d.solutions == 2);
        ZK_REQUIRE(!d.deductionOnly || (d.guesses == 0 && d.solutions == 1));
    } else {
        ZK_REQUIRE(d.grade == 0);
    }

    // The nearest solution from the record, holding one of its tiles 1..89
    // chosen by the sum of its bytes.
    Board board;
    board.cells = level;
    std::vector<int> holdable;
    unsigned sum = 0;
    for (int i = 0; i < CellCount; ++i) {
        sum += level[static_cast<std::size_t>(i)];
        if (IsHoldable(level[static_cast<std::size_t>(i)])) {
            holdable.push_back(i);
        }
    }
    if (!holdable.empty()) {
        const int held = holdable[sum % holdable.size()];
        board.held = {held / Rows, held % Rows};
        board.hasHeld = true;
    }
    NearestLimits nearLimits;
    nearLimits.nodeBudget = Budget;
    nearLimits.timeBudget = std::chrono::milliseconds{0};
    const NearestResult near = FindNearestSolution(board, nearLimits);
    ZK_REQUIRE(near.nodes <= Budget);
    if (near.found) {
        ZK_REQUIRE(board.hasHeld);
        ZK_REQUIRE(result.status != Solvability::Unsolvable);
        Board play = board;
        for (const Cell& c : near.clicks) {
            ZK_REQUIRE(play.SwapWithHeld(c.column, c.row).moved);
        }
        ZK_REQUIRE(play.cells == near.target);
        ZK_REQUIRE(IsSolved(near.target));
        ZK_REQUIRE(IsArrangementOf(near.target, level));
        ZK_REQUIRE(near.inPlace >= 0 && near.inPlace <= near.movableCells);
        ZK_REQUIRE(near.clicks.size() <= static_cast<std::size_t>(2 * near.movableCells));
    } else {
        ZK_REQUIRE(near.clicks.empty());
    }
    return 0;
}
