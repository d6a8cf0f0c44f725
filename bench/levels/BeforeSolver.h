// The level solver as it was before the rewrite, kept for the benchmark alone
// so that before and after are measured side by side in one run.
//
// The level solver: which arrangements of a level's movable tiles pass the
// solution check. Fixed tiles (91..255) stay where they are; the movable tiles
// (0..90, the empty tile included) may be put in any order on the cells that
// hold movable tiles, which is exactly what the player's swaps can reach.
//
// Tiles with the same four edges cannot be told apart by the solution check,
// so they count as one tile: two arrangements are the same solution when every
// cell shows the same edges in both.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Board.h"

namespace zk::before {

enum class Solvability {
    Solvable,   // an arrangement passing the solution check was found
    Unsolvable, // the whole search ran and found none
    Unknown,    // the node budget ran out before either was shown
};

std::string_view SolvabilityName(Solvability s);

struct SolverLimits {
    // Search nodes (tile placements tried) before the search gives up: a
    // few seconds at most, whatever the level.
    std::uint64_t nodeBudget = 1'000'000;
    // Counting stops once this many distinct solutions are found (at least 1).
    int solutionCap = 100;
};

inline constexpr int LowestGrade = 1;
inline constexpr int HighestGrade = 10;

struct SolverResult {
    Solvability status = Solvability::Unknown;
    // Distinct solutions found. Exact when countComplete; otherwise a lower
    // bound (the cap was reached or the budget ran out while counting).
    int solutions = 0;
    bool countComplete = false;
    bool capReached = false;
    // Every node the search visited, and the nodes it took to find the first
    // solution and to settle whether a second exists: the measure of effort.
    std::uint64_t nodes = 0;
    std::uint64_t effort = 0;
    // One solving arrangement of the level's own tiles. Cells whose stored
    // tile already fits keep it, so a solved level comes back unchanged.
    std::optional<LevelRecord> solution;
    // A second, different solution when the level has more than one and the
    // cap allows counting beyond one.
    std::optional<LevelRecord> alternative;

    int movableCells = 0;  // cells holding 0..90
    int movableTiles = 0;  // of those, the non-empty ones (1..90)
    int holdableTiles = 0; // tiles 1..89
    int foreignTiles = 0;  // bytes 200..255: no catalogue entry, fixed and blank
    // 1..10 for a solvable level, 0 otherwise.
    int grade = 0;
};

SolverResult SolveLevel(const LevelRecord& level, const SolverLimits& limits = {});

// The difficulty grade of a solvable level from the search effort and the
// number of movable non-empty tiles: more tiles and more trial and error
// before the answer is certain make a harder level.
int DifficultyGrade(std::uint64_t effort, int movableCells, int movableTiles);

} // namespace zk::before
