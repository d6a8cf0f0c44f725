// The shipped level set: made by the generator with the recorded seed, and
// every promise the set makes to a player holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Generator.h"
#include "files/LevelFile.h"
#include "model/Solver.h"

namespace {

using zk::LevelRecord;

std::vector<LevelRecord> ShippedLevels() {
    return zk::files::ReadLevelFile(ZK_SHIPPED_LEVELS).levels;
}

std::vector<LevelRecord> Records(const std::vector<zk::levels::GeneratedLevel>& generated) {
    std::vector<LevelRecord> out;
    for (const auto& g : generated) {
        out.push_back(g.record);
    }
    return out;
}

unsigned CodesUsed(const LevelRecord& level) {
    unsigned codes = 0;
    for (const zk::TileNumber t : level) {
        const zk::Edges e = zk::TileEdges(t);
        for (int s = 0; s < 4; ++s) {
            codes |= e[s] != 0 ? 1U << e[s] : 0U;
        }
    }
    return codes;
}

bool HasConnection(zk::TileNumber t) {
    return zk::TileEdges(t) != zk::Edges{};
}

TEST(ShippedLevels, AreExactlyWhatTheRecordedSeedGenerates) {
    const auto shipped = ShippedLevels();
    ASSERT_EQ(static_cast<int>(shipped.size()), zk::levels::ShippedCount);
    const auto generated =
        Records(zk::levels::GenerateLevels(zk::levels::ShippedSeed, zk::levels::ShippedCount));
    ASSERT_EQ(generated.size(), shipped.size());
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        EXPECT_EQ(generated[k], shipped[k]) << "level " << k + 1;
    }
}

TEST(ShippedLevels, EveryLevelIsStoredSolvedAndPlayable) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 120U);
    std::set<LevelRecord> seen;
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        const LevelRecord& level = shipped[k];
        SCOPED_TRACE("level " + std::to_string(k + 1));
        EXPECT_TRUE(zk::IsSolved(level));
        EXPECT_TRUE(seen.insert(level).second) << "two levels alike";
        const auto r = zk::SolveLevel(level);
        EXPECT_EQ(r.status, zk::Solvability::Solvable);
        EXPECT_GE(r.holdableTiles, 1);
        EXPECT_GE(r.movableTiles, 4);
        EXPECT_EQ(r.foreignTiles, 0);
    }
}

TEST(ShippedLevels, FormACurveFromGentleToFullSingleSolutionBoards) {
    const auto shipped = ShippedLevels();
    ASSERT_GE(shipped.size(), 120U);
    // The first levels: a handful of tiles with code 1 only, the rest of the
    // board fixed tiles without connections.
    for (std::size_t k = 0; k < 10; ++k) {
        SCOPED_TRACE("level " + std::to_string(k + 1));
        EXPECT_EQ(CodesUsed(shipped[k]), 1U << 1);
        const auto r = zk::SolveLevel(shipped[k]);
        EXPECT_LE(r.movableTiles, 8);
        EXPECT_LE(r.grade, 2);
        for (const zk::TileNumber t : shipped[k]) {
            EXPECT_TRUE(zk::IsMovable(t) || !HasConnection(t)) << int(t);
        }
    }
    // The second and third kinds of connection and fixed anchors come in.
    const auto firstWith = [&](auto predicate) {
        for (std::size_t k = 0; k < shipped.size(); ++k) {
            if (predicate(shipped[k])) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    const int code2 = firstWith([](const LevelRecord& l) { return (CodesUsed(l) & 4U) != 0; });
    const int code3 = firstWith([](const LevelRecord& l) { return (CodesUsed(l) & 8U) != 0; });
    const int anchor = firstWith([](const LevelRecord& l) {
        return std::any_of(l.begin(), l.end(),
                           [](zk::TileNumber t) { return !zk::IsMovable(t) && HasConnection(t); });
    });
    EXPECT_GT(code2, 9);
    EXPECT_GT(code3, code2);
    EXPECT_GT(anchor, 9);
    EXPECT_LT(code3, 60);
    // The end: boards used in full, each with a single solution.
    for (std::size_t k = shipped.size() - 10; k < shipped.size(); ++k) {
        SCOPED_TRACE("level " + std::to_string(k + 1));
        zk::SolverLimits limits;
        limits.solutionCap = 2;
        const auto r = zk::SolveLevel(shipped[k], limits);
        EXPECT_TRUE(r.countComplete);
        EXPECT_EQ(r.solutions, 1);
        EXPECT_GE(r.movableTiles, 40);
        EXPECT_GE(r.grade, 8);
        EXPECT_EQ(CodesUsed(shipped[k]), 0b1110U);
    }
}

TEST(Generator, SameSeedAndCountGiveTheSameLevels) {
    const auto a = Records(zk::levels::GenerateLevels(7, 5));
    const auto b = Records(zk::levels::GenerateLevels(7, 5));
    const auto c = Records(zk::levels::GenerateLevels(8, 5));
    ASSERT_EQ(a.size(), 5U);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    for (const auto& level : a) {
        EXPECT_TRUE(zk::IsSolved(level));
    }
    // A single level is the gentle first one; the count is kept to 1..500.
    const auto one = zk::levels::GenerateLevels(7, 1);
    ASSERT_EQ(one.size(), 1U);
    EXPECT_EQ(one[0].check.status, zk::Solvability::Solvable);
    EXPECT_LE(one[0].check.movableTiles, 8);
    EXPECT_EQ(zk::levels::GenerateLevels(7, 0).size(), 1U);
}

} // namespace
