// The solution nearest to a board in play, for hints: the arrangement of the
// board's own tiles that passes the solution check while keeping as many
// cells as it can find as they are, and the clicks that reach it.
//
// A move clicks a movable tile, which changes places with the held tile; the
// held tile keeps its number and travels. Tiles with identical edges cannot
// be told apart by the solution check, so a cell whose tile shows the edges
// the solution puts there counts as in place, and any tile of the right edges
// may be brought to a cell.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Board.h"
#include "model/Hint.h"

namespace zk {

struct NearestLimits {
    // Search nodes over all attempts; the search is deterministic for a
    // given board as long as this, not the time, ends it.
    std::uint64_t nodeBudget = 200'000;
    // Wall-clock time after which the best solution found so far is taken,
    // checked within the search (a run ends within a millisecond of it).
    // Zero: no time limit.
    std::chrono::milliseconds timeBudget{50};
    // Set from another thread to stop at once, as the time limit does.
    const std::atomic<bool>* cancel = nullptr;
};

struct NearestResult {
    // A solution was found. False when the level has none, when nothing can
    // be moved (no held tile), or when the budget ran out first.
    bool found = false;
    // The search saw every arrangement: no solution keeps more cells in
    // place than target does (and, when found is false, there is none).
    bool optimal = false;
    // The board after the clicks: solved, made of the board's own tiles,
    // fixed tiles where they were.
    LevelRecord target{};
    // Where the held tile is once the clicks are made.
    Cell held;
    // Movable cells whose tile already shows the edges target puts there.
    int inPlace = 0;
    int movableCells = 0;
    // The cells to click, in order; clicks.size() moves reach target, the
    // fewest for this target. The first click is the one a hint shows.
    std::vector<Cell> clicks;
    std::uint64_t nodes = 0;
};

// The nearest solution to the board as it stands, its held cell included.
NearestResult FindNearestSolution(const Board& board, const NearestLimits& limits = {});

// The fewest clicks that turn board into one whose every cell shows the same
// edges as target, and the clicks themselves, shortest first: the misplaced
// tiles go round in as few cycles as the edge classes allow, the held tile
// opening and closing each cycle. target must hold the board's fixed tiles
// where the board has them and the same tiles (by edges) in all; the held
// tile must be one the board can hold. Empty when the boards already agree.
std::vector<Cell> ClicksToReach(const Board& board, const LevelRecord& target);

// The hint's whole question, for one board: the nearest solution within
// the nearest limits; when that search runs out, any solution the solver
// finds within the fallback's limits and the fewest clicks to it; and
// whether the board was proven to have none. A pure function of its copy of
// the board, sharing nothing: it may run on a worker thread, and the cancel
// flag (or the fallback's time) ends it with GaveUp.
struct HintLimits {
    NearestLimits nearest;
    // The fallback: the solver's node budget and time.
    std::uint64_t solverBudget = 1'000'000;
    std::chrono::milliseconds solverTime{2000};
    const std::atomic<bool>* cancel = nullptr; // for both searches
};
HintAnswer FindHint(Board board, const HintLimits& limits = {});

// The hint guide's question (a NearestSolutionQuery): FindHint's clicks
// within the default limits, none when it found no solution.
std::optional<WayToSolution> WayToNearestSolution(const Board& board);

} // namespace zk
