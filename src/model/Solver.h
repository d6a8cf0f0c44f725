// The level solver: which arrangements of a level's movable tiles pass the
// solution check. Fixed tiles (91..255) stay where they are; the movable tiles
// (0..90, the empty tile included) may be put in any order on the cells that
// hold movable tiles, which is exactly what the player's swaps can reach.
//
// Tiles with the same four edges cannot be told apart by the solution check,
// so they count as one tile: two arrangements are the same solution when every
// cell shows the same edges in both.
//
// The search puts one edge class on one cell at a time. Between two choices
// it deduces all it can: every open cell keeps the classes that fit its
// known neighbours and that the open cells next door can still answer, a cell
// with one class left takes it, a class with as many cells left as tiles
// fills them, and the connection ends of the remaining tiles must balance
// with those the known sides ask for. It restarts with growing cutoffs,
// remembering which cells failed most and which states held no solution, so
// that it neither wanders off on a big board nor repeats itself; every fourth
// run keeps a fixed order, and those runs together prove a level unsolvable.
// The other runs place scarce tiles before deciding single cells, and a level
// still open after a few thousand choices is probed once: every class is
// tried on every cell and those whose deductions fail are struck for good.
// A level that takes more than a few thousand choices without a solution
// gets a second search on another processor, shuffled differently and
// checking the crossing parity (Parity.h) at every choice; the first to
// settle the question stops the other, and both draw on one node budget.
// The crossing parity is checked before any choice too: it refutes a loop
// board with an odd count of straights at once. Nothing is guessed: a
// search that runs out of its budget says so.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Board.h"

namespace zk {

enum class Solvability {
    Solvable,   // an arrangement passing the solution check was found
    Unsolvable, // the whole search ran and found none
    Undecided,  // the node budget ran out before either was shown
};

std::string_view SolvabilityName(Solvability s);

struct SolverLimits {
    // Search nodes (choices tried) before the search gives up: a few seconds
    // at most, whatever the level. Both searches together spend at most
    // this many.
    std::uint64_t nodeBudget = 1'000'000;
    // Counting stops once this many distinct solutions are found (at least 1).
    int solutionCap = 100;
    // The search as the shipped level set was made with it: no probing, no
    // scarce tiles first, classes of several tiles placed early only when
    // they have at most two cells to spare (see SolveLevel). The level
    // generator asks for it so that a seed keeps giving the same levels
    // byte for byte.
    bool originalOrder = false;
    // Whether a level still open after its first runs may get a second
    // search on another processor (never with originalOrder). Each search
    // draws on the one node budget; the first to settle the question
    // stops the other.
    bool sideBySide = true;
    // Gives up, as the budget does, when the flag is set (from another
    // thread) or the deadline passes: the answer is then Undecided, unless
    // a solution was found already. Checked within a millisecond.
    const std::atomic<bool>* cancel = nullptr;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

inline constexpr int LowestGrade = 1;
inline constexpr int HighestGrade = 10;

struct SolverResult {
    Solvability status = Solvability::Undecided;
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
};

SolverResult SolveLevel(const LevelRecord& level, const SolverLimits& limits = {});

// How a player gets to the solution: by deduction alone, or by guessing too.
// A plain search (fewest choices first, in a fixed order, deducing between
// choices as the solver does) looks for the solution and then for a second
// one; every choice it tries is a guess.
struct Difficulty {
    // The search finished within its budget and found a solution.
    bool rated = false;
    // Deductions alone place every tile: no guess is needed, and the solution
    // is the only one.
    bool deductionOnly = false;
    // Choices tried before the solution and its being the only one (or the
    // second solution) were certain.
    std::uint64_t guesses = 0;
    int solutions = 0; // 1 or 2: a second one ends the search
    // 1..10 from the tiles and the guesses; 0 when not rated.
    int grade = 0;
    // The board byte of the cell the first guess was made on, -1 when none:
    // the cell where deduction got stuck.
    int firstGuess = -1;
};

Difficulty RateLevel(const LevelRecord& level, std::uint64_t nodeBudget = 100'000);

// The grade of a level with this many non-empty movable tiles that needs this
// many guesses: more tiles and more guessing make a harder level. A level of
// four tiles solved by deduction is grade 1.
int DifficultyGrade(std::uint64_t guesses, int movableTiles);

} // namespace zk
