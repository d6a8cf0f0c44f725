#include <gtest/gtest.h>

#include <vector>

#include "model/LevelSet.h"

using namespace zk;

namespace {

LevelRecord Marked(TileNumber t) {
    LevelRecord r{};
    r[0] = t;
    return r;
}

// Levels 1..n, level k marked with tile k; flags as given; current level.
LevelSet Make(std::vector<std::uint8_t> flags, int current) {
    LevelSet set;
    std::vector<LevelRecord> levels;
    for (std::size_t k = 1; k <= flags.size(); ++k) {
        levels.push_back(Marked(static_cast<TileNumber>(k)));
    }
    set.ReplaceLevels(levels);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        set.Flags()[i] = flags[i];
    }
    set.SetCurrentLevel(current);
    return set;
}

std::vector<int> Marks(const LevelSet& set) {
    std::vector<int> marks;
    for (int n = 1; n <= set.LevelCount(); ++n) {
        marks.push_back(set.LevelAt(n)[0]);
    }
    return marks;
}

} // namespace

TEST(Search, WrapAroundAndNone) {
    EXPECT_FALSE(Make({1, 1, 0, 1, 1}, 3).FindNextUnsolved());
    EXPECT_FALSE(Make({1, 1, 0, 1, 1}, 3).FindPreviousUnsolved());

    EXPECT_EQ(Make({0, 1, 1, 1, 1}, 3).FindNextUnsolved(), 1);
    EXPECT_EQ(Make({0, 1, 1, 1, 1}, 3).FindPreviousUnsolved(), 1);

    EXPECT_EQ(Make({1, 1, 1, 1, 0}, 2).FindPreviousUnsolved(), 5);
    EXPECT_EQ(Make({1, 1, 1, 1, 0}, 2).FindNextUnsolved(), 5);

    EXPECT_FALSE(Make({0}, 1).FindNextUnsolved());
    EXPECT_FALSE(Make({1}, 1).FindPreviousUnsolved());
}

TEST(Search, NearestInEachDirectionAndFlagsBeyondCountIgnored) {
    LevelSet set = Make({0, 0, 1, 1, 0, 0}, 3);
    set.Flags()[6] = 0; // level 7 does not exist
    EXPECT_EQ(set.FindNextUnsolved(), 5);
    EXPECT_EQ(set.FindPreviousUnsolved(), 2);
    set.SetCurrentLevel(6);
    EXPECT_EQ(set.FindNextUnsolved(), 1);
    EXPECT_EQ(set.FindPreviousUnsolved(), 5);
}

TEST(Insert, MovesLevelsAndFlagsUp) {
    LevelSet set = Make({1, 1, 0, 1}, 2);
    ASSERT_TRUE(set.InsertLevel(Marked(42)));
    EXPECT_EQ(set.LevelCount(), 5);
    EXPECT_EQ(set.CurrentLevel(), 3);
    EXPECT_EQ(Marks(set), (std::vector<int>{1, 42, 0, 3, 4})); // the board was stored into 2
    EXPECT_EQ(set.LevelAt(3), LevelRecord{});
    const std::vector<std::uint8_t> flags(set.Flags().begin(), set.Flags().begin() + 5);
    EXPECT_EQ(flags, (std::vector<std::uint8_t>{1, 1, 0, 0, 1}));
}

TEST(Insert, AppendsAfterTheLastAndRefusesAtFiveHundred) {
    LevelSet set = Make({1, 0, 1}, 3);
    ASSERT_TRUE(set.InsertLevel(set.LevelAt(3)));
    EXPECT_EQ(set.LevelCount(), 4);
    EXPECT_EQ(set.CurrentLevel(), 4);
    EXPECT_EQ(set.Flags()[3], 0);

    LevelSet full = Make(std::vector<std::uint8_t>(500, 1), 250);
    EXPECT_FALSE(full.InsertLevel(Marked(9)));
    EXPECT_EQ(full.LevelCount(), 500);
    EXPECT_EQ(full.CurrentLevel(), 250);
    EXPECT_EQ(full.LevelAt(250)[0], 250 % 256);

    LevelSet almost = Make(std::vector<std::uint8_t>(499, 1), 1);
    ASSERT_TRUE(almost.InsertLevel(almost.LevelAt(1)));
    EXPECT_EQ(almost.LevelCount(), 500);
    EXPECT_EQ(almost.Flags()[499], 1); // the old level 499 moved to 500 with its flag
    EXPECT_EQ(almost.Flags()[1], 0);
}

TEST(Delete, MovesLevelsAndFlagsDown) {
    LevelSet set = Make({1, 0, 1, 1}, 2);
    ASSERT_TRUE(set.DeleteLevel());
    EXPECT_EQ(set.LevelCount(), 3);
    EXPECT_EQ(set.CurrentLevel(), 2);
    EXPECT_EQ(Marks(set), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(set.Flags()[0], 1);
    EXPECT_EQ(set.Flags()[1], 1);
    EXPECT_EQ(set.Flags()[2], 1);
    EXPECT_EQ(set.Flags()[3], 1); // the old last position keeps its value

    LevelSet last = Make({0, 0, 0, 0}, 4);
    ASSERT_TRUE(last.DeleteLevel());
    EXPECT_EQ(last.LevelCount(), 3);
    EXPECT_EQ(last.CurrentLevel(), 3);
}

TEST(Delete, TheOnlyLevelIsEmptiedNotRemoved) {
    LevelSet set = Make({1}, 1);
    ASSERT_TRUE(set.DeleteLevel());
    EXPECT_EQ(set.LevelCount(), 1);
    EXPECT_EQ(set.CurrentLevel(), 1);
    EXPECT_EQ(set.LevelAt(1), LevelRecord{});
    EXPECT_EQ(set.Flags()[0], 0);

    LevelSet none;
    EXPECT_FALSE(none.DeleteLevel());
    EXPECT_EQ(none.LevelCount(), 0);
}

TEST(Collection, NoOperationReachesALevelThatDoesNotExist) {
    LevelSet set = Make({0, 0}, 7); // a stored level beyond the set
    EXPECT_EQ(set.LevelAt(7), LevelRecord{});
    EXPECT_EQ(set.LevelAt(0), LevelRecord{});
    EXPECT_EQ(set.LevelAt(-3), LevelRecord{});
    set.StoreBoard(Marked(99)); // ignored: no level 7
    EXPECT_EQ(Marks(set), (std::vector<int>{1, 2}));
    set.ClampCurrentLevel();
    EXPECT_EQ(set.CurrentLevel(), 2);
    set.SetCurrentLevel(-5);
    set.ClampCurrentLevel();
    EXPECT_EQ(set.CurrentLevel(), 1);
    EXPECT_FALSE(set.IsLevelSolved(0));
    EXPECT_FALSE(set.IsLevelSolved(501));

    LevelSet many;
    many.ReplaceLevels(std::vector<LevelRecord>(620));
    EXPECT_EQ(many.LevelCount(), 500);
}

TEST(Progress, AllSolvedLatchesOncePerRun) {
    LevelSet set = Make({1, 1, 0}, 3);
    set.InitAllSolved();
    EXPECT_FALSE(set.AllSolved());
    EXPECT_TRUE(set.RecordSolve());
    EXPECT_TRUE(set.AllSolved());
    EXPECT_FALSE(set.RecordSolve()); // solving again announces nothing

    set.ResetProgress();
    EXPECT_EQ(set.CurrentLevel(), 1);
    EXPECT_EQ(set.SolvedCount(), 0);
    EXPECT_TRUE(set.AllSolved()); // a new game does not reset the latch
    for (int n = 1; n <= 3; ++n) {
        set.SetCurrentLevel(n);
        EXPECT_FALSE(set.RecordSolve());
    }
}

TEST(Progress, RunStartingAllSolvedNeverAnnounces) {
    LevelSet set = Make({1, 1}, 1);
    set.InitAllSolved();
    EXPECT_TRUE(set.AllSolved());
    EXPECT_FALSE(set.RecordSolve());
}

TEST(Progress, NonZeroFlagsKeptAndFlagsBeyondCountSurvive) {
    LevelSet set = Make({7, 0, 0}, 1);
    set.Flags()[10] = 1;
    set.InitAllSolved();
    EXPECT_FALSE(set.RecordSolve());
    EXPECT_EQ(set.Flags()[0], 7);
    EXPECT_EQ(set.SolvedCount(), 1);
    EXPECT_TRUE(set.IsLevelSolved(11));
    set.ResetProgress();
    EXPECT_EQ(set.Flags()[0], 0);
    EXPECT_EQ(set.Flags()[10], 1);
    EXPECT_EQ(set.SolvedCount(), 0);
}
