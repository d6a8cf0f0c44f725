// The level generator behind `zk-levels gen`: a set of levels that grows from
// a handful of tiles with one kind of connection to full boards with all three
// kinds and a single solution. Every level is stored solved and checked by the
// solver. The same seed and count always give the same bytes: every draw comes
// from zk::RandomSource and no decision depends on floating point.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Board.h"
#include "model/Solver.h"

namespace zk::levels {

// The seed and count of the level set shipped as data/zklv.dat.
inline constexpr std::uint64_t ShippedSeed = 2024;
inline constexpr int ShippedCount = 120;

struct GeneratedLevel {
    LevelRecord record{};
    std::string shape; // the kind of area the movable tiles cover
    SolverResult check;
};

// Levels 1..count in playing order. count is 1..500.
std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count);

} // namespace zk::levels
