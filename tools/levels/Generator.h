// The level generator behind `zk-levels gen`: a set paced like one made by
// hand. The first twelve levels each teach one idea with a few tiles (a
// connection meets its twin, nothing leads off the board, a second kind, a
// third kind, a fixed tile to reach, a hole, two rooms scrambled together,
// empty cells, two kinds in one tile, branches, a ring, all kinds at once).
// From the thirteenth every level has a single solution; levels that
// deduction alone solves come first, then levels that need guesses, the
// boards and the guessing growing together, with an easier level every fifth
// one. The areas take many shapes and no two levels share area and tiles.
// Every level is stored solved and checked by the solver. The same seed and
// count always give the same bytes: every draw comes from zk::RandomSource,
// the solver is deterministic and no decision depends on floating point.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Board.h"
#include "model/Solver.h"

namespace zk::levels {

// The seed and count of the level set shipped as data/zklv.dat.
inline constexpr std::uint64_t ShippedSeed = 2024;
inline constexpr int ShippedCount = 150;

struct GeneratedLevel {
    LevelRecord record{};
    std::string shape; // the kind of area the movable tiles cover
    SolverResult check;
    Difficulty difficulty;
};

// Levels 1..count in playing order. count is 1..500.
std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count);

} // namespace zk::levels
