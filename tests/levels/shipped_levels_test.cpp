// The shipped level set: made by the generator with the recorded seed, and
// every promise the set makes to a player holds: twelve opening levels that
// each teach one idea, the deducer's rules alone solving every level, each
// rule brought in by levels that need it and then mixed, easier levels after
// hard stretches, the hardest at the end, many shapes of area and no level
// twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>

#include "files/LevelFile.h"
#include "model/Deducer.h"
#include "model/Generator.h"
#include "model/Solver.h"

namespace {

using zk::LevelRecord;
using zk::Rule;

std::vector<LevelRecord> ShippedLevels() {
    return zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
}

unsigned CodesUsed(const LevelRecord& level, bool movableOnly) {
    unsigned codes = 0;
    for (const zk::TileNumber t : level) {
        if (movableOnly && !zk::IsMovable(t)) {
            continue;
        }
        const zk::Edges e = zk::TileEdges(t);
        for (int s = 0; s < 4; ++s) {
            codes |= e[s] != 0 ? 1U << e[s] : 0U;
        }
    }
    return codes;
}

unsigned TileCodes(zk::TileNumber t) {
    const zk::Edges e = zk::TileEdges(t);
    unsigned codes = 0;
    for (int s = 0; s < 4; ++s) {
        codes |= e[s] != 0 ? 1U << e[s] : 0U;
    }
    return codes;
}

int Connections(zk::TileNumber t) {
    const zk::Edges e = zk::TileEdges(t);
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        n += e[s] != 0 ? 1 : 0;
    }
    return n;
}

int MovableTiles(const LevelRecord& level) {
    return static_cast<int>(std::count_if(level.begin(), level.end(), [](zk::TileNumber t) {
        return zk::IsMovable(t) && t != zk::EmptyTile;
    }));
}

// Movable cells side by side, counted as groups.
int Rooms(const LevelRecord& level) {
    std::array<bool, zk::CellCount> seen{};
    int rooms = 0;
    for (int start = 0; start < zk::CellCount; ++start) {
        if (seen[static_cast<std::size_t>(start)] ||
            !zk::IsMovable(level[static_cast<std::size_t>(start)])) {
            continue;
        }
        ++rooms;
        std::vector<int> stack{start};
        seen[static_cast<std::size_t>(start)] = true;
        while (!stack.empty()) {
            const int cell = stack.back();
            stack.pop_back();
            const int c = cell / zk::Rows;
            const int r = cell % zk::Rows;
            const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
            for (const auto& n : next) {
                if (!zk::IsOnBoard(n[0], n[1])) {
                    continue;
                }
                const auto i = static_cast<std::size_t>(zk::CellIndex(n[0], n[1]));
                if (!seen[i] && zk::IsMovable(level[i])) {
                    seen[i] = true;
                    stack.push_back(static_cast<int>(i));
                }
            }
        }
    }
    return rooms;
}

// A fixed tile with movable tiles on three or four sides: a hole in the area.
bool HasHole(const LevelRecord& level) {
    for (int c = 0; c < zk::Columns; ++c) {
        for (int r = 0; r < zk::Rows; ++r) {
            if (zk::IsMovable(level[static_cast<std::size_t>(zk::CellIndex(c, r))])) {
                continue;
            }
            int around = 0;
            const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
            for (const auto& n : next) {
                around += zk::IsOnBoard(n[0], n[1]) &&
                          zk::IsMovable(level[static_cast<std::size_t>(zk::CellIndex(n[0], n[1]))]);
            }
            if (around >= 3) {
                return true;
            }
        }
    }
    return false;
}

// The set regenerates byte for byte, and its areas take many shapes, some
// drawing something, never the same shape twice in a row.
TEST(ShippedLevels, AreExactlyWhatTheRecordedSeedGenerates) {
    const auto shipped = ShippedLevels();
    ASSERT_EQ(static_cast<int>(shipped.size()), zk::ShippedCount);
    const auto generated = zk::GenerateLevels(zk::ShippedSeed, zk::ShippedCount);
    ASSERT_EQ(generated.size(), shipped.size());
    std::set<std::string> shapes;
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        EXPECT_EQ(generated[k].record, shipped[k]) << "level " << k + 1;
        shapes.insert(generated[k].shape);
        if (k > 0) {
            EXPECT_NE(generated[k].shape, generated[k - 1].shape) << "level " << k + 1;
        }
    }
    EXPECT_GE(shapes.size(), 30U);
    for (const char* picture : {"house", "arrow", "letter Z"}) {
        EXPECT_TRUE(shapes.count(picture)) << picture;
    }
}

TEST(ShippedLevels, EveryLevelIsStoredSolvedPlayableAndItsOwn) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 180U);
    // No two levels with the same area (the movable cells) and the same tiles.
    std::set<std::pair<std::vector<int>, std::vector<int>>> seen;
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        const LevelRecord& level = shipped[k];
        SCOPED_TRACE("level " + std::to_string(k + 1));
        EXPECT_TRUE(zk::IsSolved(level));
        std::vector<int> area;
        std::vector<int> tiles;
        for (std::size_t i = 0; i < level.size(); ++i) {
            if (zk::IsMovable(level[i])) {
                area.push_back(static_cast<int>(i));
                tiles.push_back(level[i]);
            }
        }
        std::sort(tiles.begin(), tiles.end());
        EXPECT_TRUE(seen.insert({area, tiles}).second) << "the area and tiles of another level";
        zk::SolverLimits limits;
        limits.solutionCap = 2;
        const auto r = zk::SolveLevel(level, limits);
        EXPECT_EQ(r.status, zk::Solvability::Solvable);
        EXPECT_TRUE(r.countComplete && r.solutions == 1);
        EXPECT_GE(r.holdableTiles, 1);
        EXPECT_GE(r.movableTiles, 4);
        EXPECT_LE(r.movableCells, 45);
        EXPECT_EQ(r.foreignTiles, 0);
    }
}

TEST(ShippedLevels, OpenWithTwelveLevelsThatEachTeachOneIdea) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 12U);
    const auto level = [&](int n) -> const LevelRecord& {
        return shipped[static_cast<std::size_t>(n - 1)];
    };
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        EXPECT_LE(MovableTiles(level(n)), 10);
        EXPECT_LE(zk::RateByRules(level(n)).hardest, Rule::Neighbour);
    }
    // A connection meets its twin: one kind, nothing fixed to reach.
    EXPECT_EQ(CodesUsed(level(1), false), 1U << 1);
    EXPECT_LE(MovableTiles(level(1)), 5);
    // The second kind comes with level 3, the third with level 4, and by
    // level 12 one level holds all three.
    EXPECT_EQ(CodesUsed(level(2), false), 1U << 1);
    EXPECT_NE(CodesUsed(level(3), true) & (1U << 2), 0U);
    for (int n = 1; n < 4; ++n) {
        EXPECT_EQ(CodesUsed(level(n), false) & (1U << 3), 0U) << n;
    }
    EXPECT_NE(CodesUsed(level(4), true) & (1U << 3), 0U);
    EXPECT_EQ(CodesUsed(level(12), true), 0b1110U);
    // A fixed tile whose connection the network must reach.
    const auto anchored = [](const LevelRecord& l) {
        return std::any_of(l.begin(), l.end(), [](zk::TileNumber t) {
            return !zk::IsMovable(t) && zk::TileEdges(t) != zk::Edges{};
        });
    };
    for (int n = 1; n < 5; ++n) {
        EXPECT_FALSE(anchored(level(n))) << n;
    }
    EXPECT_TRUE(anchored(level(5)));
    EXPECT_TRUE(HasHole(level(6)));
    EXPECT_EQ(Rooms(level(7)), 2);
    EXPECT_GE(std::count(level(8).begin(), level(8).end(), zk::EmptyTile), 2);
    EXPECT_TRUE(std::any_of(level(9).begin(), level(9).end(), [](zk::TileNumber t) {
        return zk::IsMovable(t) && std::popcount(TileCodes(t)) >= 2;
    }));
    EXPECT_TRUE(std::any_of(level(10).begin(), level(10).end(), [](zk::TileNumber t) {
        return zk::IsMovable(t) && Connections(t) >= 3;
    }));
}

// The rules alone solve every level; each rule comes in with two or three
// levels that need it and nothing harder (the rules in their order), then
// mixes; "what if" at most three times a level, three times only in the
// last ten, which are the hardest by rating, the finale the hardest of all;
// easier levels come after hard stretches, not at a fixed period; no more
// than six levels in a row with the same hardest rule and sizes within 5.
TEST(ShippedLevels, ArePacedByTheRulesTheyNeed) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 180U);
    std::vector<zk::RuleRating> rated;
    std::vector<int> cells;
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        rated.push_back(zk::RateByRules(shipped[k]));
        ASSERT_TRUE(rated.back().solved) << "level " << k + 1;
        cells.push_back(
            static_cast<int>(std::count_if(shipped[k].begin(), shipped[k].end(),
                                           [](zk::TileNumber t) { return zk::IsMovable(t); })));
    }
    const auto whatIfs = [&](std::size_t k) {
        return rated[k].uses[static_cast<std::size_t>(zk::RuleNumber(Rule::WhatIf))];
    };
    std::size_t lastFirst = 0;
    for (int r = zk::RuleNumber(Rule::Single); r <= zk::RuleCount; ++r) {
        const Rule rule = zk::RuleFromNumber(r);
        std::vector<std::size_t> at;
        for (std::size_t k = 0; k < rated.size(); ++k) {
            if (rated[k].hardest == rule) {
                at.push_back(k);
            }
        }
        ASSERT_GE(at.size(), 5U) << zk::RuleName(rule);
        EXPECT_GT(at[0], lastFirst) << zk::RuleName(rule) << " before an easier rule";
        EXPECT_LE(at[1] - at[0], 2U) << zk::RuleName(rule) << " not brought in by two levels";
        lastFirst = at[0];
        for (std::size_t k = 0; k < at[0]; ++k) {
            EXPECT_LT(rated[k].hardest, rule) << "level " << k + 1;
        }
    }
    const std::size_t count = shipped.size();
    for (std::size_t k = 0; k < count; ++k) {
        EXPECT_LE(whatIfs(k), 3) << "level " << k + 1;
        EXPECT_EQ(whatIfs(k) == 3, k >= count - 10) << "level " << k + 1;
        if (k >= count - 10) {
            for (std::size_t j = 0; j < count - 10; ++j) {
                EXPECT_TRUE(zk::HarderThan(rated[k], rated[j])) << k + 1 << " over " << j + 1;
            }
        }
        if (k + 1 < count) {
            EXPECT_TRUE(zk::HarderThan(rated[count - 1], rated[k])) << "the finale over " << k + 1;
        }
        if (k >= 6) {
            const auto [low, high] = std::minmax_element(cells.begin() + static_cast<long>(k) - 6,
                                                         cells.begin() + static_cast<long>(k) + 1);
            bool same = true;
            for (std::size_t j = k - 6; j < k; ++j) {
                same = same && rated[j].hardest == rated[k].hardest;
            }
            EXPECT_FALSE(same && *high - *low <= 5) << "seven alike up to level " << k + 1;
        }
    }
    // Breathers: once "what if" is in, easy levels (nothing past the
    // neighbour rule) follow stretches that need more, at varying gaps.
    std::vector<std::size_t> breathers;
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0 && rated[k].hardest <= Rule::Neighbour &&
            rated[k - 1].hardest > Rule::Neighbour && rated[k].hardest >= Rule::Single &&
            k > static_cast<std::size_t>(100)) {
            breathers.push_back(k);
        }
    }
    ASSERT_GE(breathers.size(), 10U);
    std::set<std::size_t> gaps;
    for (std::size_t i = 1; i < breathers.size(); ++i) {
        gaps.insert(breathers[i] - breathers[i - 1]);
    }
    EXPECT_GE(gaps.size(), 3U);
}

TEST(Generator, SameSeedAndCountGiveTheSameLevels) {
    const auto records = [](const std::vector<zk::GeneratedLevel>& g) {
        std::vector<LevelRecord> out;
        for (const auto& level : g) {
            out.push_back(level.record);
        }
        return out;
    };
    const auto a = records(zk::GenerateLevels(7, 5));
    const auto b = records(zk::GenerateLevels(7, 5));
    const auto c = records(zk::GenerateLevels(8, 5));
    ASSERT_EQ(a.size(), 5U);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    for (const auto& level : a) {
        EXPECT_TRUE(zk::IsSolved(level));
    }
    // A single level is the first lesson; the count is kept to 1..500.
    const auto one = zk::GenerateLevels(7, 1);
    ASSERT_EQ(one.size(), 1U);
    EXPECT_TRUE(one[0].rating.solved);
    EXPECT_LE(one[0].movableCells, 5);
    EXPECT_EQ(zk::GenerateLevels(7, 0).size(), 1U);
}

std::uint64_t Fnv1a(const LevelRecord& level) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const zk::TileNumber t : level) {
        h = (h ^ t) * 0x100000001b3ULL;
    }
    return h;
}

// One level of a band from a seed: the bytes this version of the generator
// gives (fixed here, so that a change which would alter the levels of old
// seeds fails until the version is raised), always within its band, stored
// solved and single, and the same on every call.
TEST(Generator, MakesOneLevelOfABandFromASeed) {
    ASSERT_EQ(zk::GeneratorVersion, 1);
    const struct {
        zk::Band band;
        std::uint64_t seed;
        std::uint64_t hash;
    } pinned[] = {
        {zk::Band::Easy, 1, 0xe96d5c2c9db86fedULL},
        {zk::Band::Easy, 20251209, 0x1e87fed0a5713568ULL},
        {zk::Band::Medium, 1, 0xda038421ab30377cULL},
        {zk::Band::Medium, 20251209, 0x5da7ddb87c7c826eULL},
        {zk::Band::Hard, 1, 0xa821bcf191154394ULL},
        {zk::Band::Hard, 20251209, 0x2f4419c1688b734fULL},
        {zk::Band::Expert, 1, 0x4a911db76e5e7afbULL},
        {zk::Band::Expert, 20251209, 0xb05b6e7c546a2adeULL},
    };
    for (const auto& p : pinned) {
        EXPECT_EQ(Fnv1a(zk::GenerateLevel(p.band, p.seed).record), p.hash)
            << "band " << static_cast<int>(p.band) << ", seed " << p.seed;
    }
    for (int b = 0; b < zk::BandCount; ++b) {
        const auto band = static_cast<zk::Band>(b);
        for (std::uint64_t seed = 100; seed < 106; ++seed) {
            SCOPED_TRACE("band " + std::to_string(b) + ", seed " + std::to_string(seed));
            const zk::GeneratedLevel level = zk::GenerateLevel(band, seed);
            EXPECT_EQ(zk::GenerateLevel(band, seed).record, level.record);
            EXPECT_EQ(zk::BandOf(zk::RateByRules(level.record)), band);
            EXPECT_TRUE(zk::IsSolved(level.record));
            zk::SolverLimits limits;
            limits.solutionCap = 2;
            const auto r = zk::SolveLevel(level.record, limits);
            EXPECT_TRUE(r.countComplete && r.solutions == 1);
            EXPECT_GE(r.movableTiles, 4);
            EXPECT_GE(r.holdableTiles, 1);
            EXPECT_LE(r.movableCells, 45);
        }
    }
}

} // namespace
