// The shipped level set: made by the generator with the recorded seed, and
// every promise the set makes to a player holds: twelve opening levels that
// each teach one idea, a single solution from the thirteenth on, deduction
// before guessing, boards and guesses growing together with easier levels
// between, many shapes of area and no level twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>

#include "Generator.h"
#include "files/LevelFile.h"
#include "model/Solver.h"

namespace {

using zk::LevelRecord;

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

TEST(ShippedLevels, AreExactlyWhatTheRecordedSeedGenerates) {
    const auto shipped = ShippedLevels();
    ASSERT_EQ(static_cast<int>(shipped.size()), zk::levels::ShippedCount);
    const auto generated =
        zk::levels::GenerateLevels(zk::levels::ShippedSeed, zk::levels::ShippedCount);
    ASSERT_EQ(generated.size(), shipped.size());
    std::set<std::string> shapes;
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        EXPECT_EQ(generated[k].record, shipped[k]) << "level " << k + 1;
        shapes.insert(generated[k].shape);
    }
    EXPECT_GE(shapes.size(), 12U);
}

TEST(ShippedLevels, EveryLevelIsStoredSolvedPlayableAndItsOwn) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 150U);
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
        const auto r = zk::SolveLevel(level);
        EXPECT_EQ(r.status, zk::Solvability::Solvable);
        EXPECT_GE(r.holdableTiles, 1);
        EXPECT_GE(r.movableTiles, 4);
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
        zk::SolverLimits limits;
        limits.solutionCap = 7;
        const auto r = zk::SolveLevel(level(n), limits);
        EXPECT_TRUE(r.countComplete);
        EXPECT_LE(r.solutions, 6);
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

TEST(ShippedLevels, FromTheThirteenthEveryLevelHasASingleSolution) {
    const auto shipped = ShippedLevels();
    for (std::size_t k = 12; k < shipped.size(); ++k) {
        zk::SolverLimits limits;
        limits.solutionCap = 2;
        const auto r = zk::SolveLevel(shipped[k], limits);
        EXPECT_TRUE(r.countComplete && r.solutions == 1) << "level " << k + 1;
    }
}

// Deduction first, then guesses; the guesses grow with the board; every
// fifth level a smaller one that deduction alone solves gives a rest.
TEST(ShippedLevels, DeductionComesBeforeGuessingAndBothGrowWithTheBoard) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 150U);
    std::vector<zk::Difficulty> rated;
    for (const auto& level : shipped) {
        rated.push_back(zk::RateLevel(level));
        ASSERT_TRUE(rated.back().rated);
    }
    std::size_t firstGuess = 12;
    while (firstGuess < shipped.size() && rated[firstGuess].deductionOnly) {
        ++firstGuess;
    }
    ASSERT_LT(firstGuess, shipped.size() / 2) << "no level needs a guess";
    EXPECT_GT(firstGuess, 30U) << "guessing starts before deduction has been practised";
    int rests = 0;
    for (std::size_t k = firstGuess; k < shipped.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        if (number % 5 == 0) {
            EXPECT_TRUE(rated[k].deductionOnly) << "the rest at level " << number;
            EXPECT_LT(MovableTiles(shipped[k]), MovableTiles(shipped[k - 1])) << number;
            ++rests;
        } else {
            EXPECT_FALSE(rated[k].deductionOnly) << "level " << number << " needs no guess";
        }
    }
    EXPECT_GE(rests, 15);
    // Thirds of the guessing levels, rests left out: each harder and bigger
    // on average than the one before.
    std::vector<std::size_t> guessing;
    for (std::size_t k = firstGuess; k < shipped.size(); ++k) {
        if ((k + 1) % 5 != 0) {
            guessing.push_back(k);
        }
    }
    const std::size_t third = guessing.size() / 3;
    double lastBits = -1;
    double lastTiles = -1;
    for (std::size_t part = 0; part < 3; ++part) {
        double bits = 0;
        double tiles = 0;
        for (std::size_t i = part * third; i < (part + 1) * third; ++i) {
            bits += std::bit_width(rated[guessing[i]].guesses);
            tiles += MovableTiles(shipped[guessing[i]]);
        }
        EXPECT_GT(bits, lastBits) << "third " << part + 1;
        EXPECT_GT(tiles, lastTiles) << "third " << part + 1;
        lastBits = bits;
        lastTiles = tiles;
    }
    // The end: big boards with all three kinds.
    for (std::size_t k = shipped.size() - 10; k < shipped.size(); ++k) {
        if ((k + 1) % 5 != 0) {
            EXPECT_GE(MovableTiles(shipped[k]), 35) << "level " << k + 1;
            EXPECT_EQ(CodesUsed(shipped[k], true), 0b1110U) << "level " << k + 1;
        }
    }
}

TEST(Generator, SameSeedAndCountGiveTheSameLevels) {
    const auto records = [](const std::vector<zk::levels::GeneratedLevel>& g) {
        std::vector<LevelRecord> out;
        for (const auto& level : g) {
            out.push_back(level.record);
        }
        return out;
    };
    const auto a = records(zk::levels::GenerateLevels(7, 5));
    const auto b = records(zk::levels::GenerateLevels(7, 5));
    const auto c = records(zk::levels::GenerateLevels(8, 5));
    ASSERT_EQ(a.size(), 5U);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    for (const auto& level : a) {
        EXPECT_TRUE(zk::IsSolved(level));
    }
    // A single level is the first lesson; the count is kept to 1..500.
    const auto one = zk::levels::GenerateLevels(7, 1);
    ASSERT_EQ(one.size(), 1U);
    EXPECT_EQ(one[0].check.status, zk::Solvability::Solvable);
    EXPECT_LE(one[0].check.movableTiles, 5);
    EXPECT_EQ(zk::levels::GenerateLevels(7, 0).size(), 1U);
}

} // namespace
