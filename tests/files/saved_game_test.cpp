#include <gtest/gtest.h>

#include "TempDir.h"
#include "files/AtomicFile.h"
#include "files/SavedGame.h"
#include "model/Language.h"

using namespace zk;
using namespace zk::files;

TEST(SavedGame, ShortLongAndExactFiles) {
    TempDir dir;
    const auto path = dir.File("week1.zkv");
    SolvedFlags flags{};
    TempDir::Write(path, std::vector<std::uint8_t>(10, 1));
    ASSERT_TRUE(ReadSavedGame(path, flags));
    EXPECT_EQ(flags[9], 1);
    EXPECT_EQ(flags[10], 0);

    std::vector<std::uint8_t> long600(600, 0);
    long600[499] = 5;
    long600[500] = 9;
    TempDir::Write(path, long600);
    ASSERT_TRUE(ReadSavedGame(path, flags));
    EXPECT_EQ(flags[499], 5);
    EXPECT_EQ(flags[0], 0);

    SolvedFlags empty{};
    TempDir::Write(path, {});
    EXPECT_TRUE(ReadSavedGame(path, empty));
    EXPECT_EQ(empty, SolvedFlags{});
}

TEST(SavedGame, UnreadableFilesFailAndLeaveTheFlags) {
    TempDir dir;
    SolvedFlags flags{};
    flags[3] = 1;
    EXPECT_FALSE(ReadSavedGame(dir.File("missing.zkv"), flags));
    EXPECT_FALSE(ReadSavedGame(dir.Dir(), flags));
    EXPECT_EQ(flags[3], 1);
}

TEST(SavedGame, WritesExactlyFiveHundredBytesAtomically) {
    TempDir dir;
    const auto path = dir.File("g.zkv");
    SolvedFlags flags{};
    flags[0] = 1;
    flags[499] = 1;
    ASSERT_TRUE(WriteSavedGame(path, flags));
    const auto written = TempDir::Read(path);
    ASSERT_EQ(written.size(), 500u);
    EXPECT_EQ(written[499], 1);
    SolvedFlags back{};
    ASSERT_TRUE(ReadSavedGame(path, back));
    EXPECT_EQ(back, flags);

    fault::FailWritesAfter(250);
    SolvedFlags other{};
    EXPECT_FALSE(WriteSavedGame(path, other));
    fault::FailWritesAfter(std::nullopt);
    EXPECT_EQ(TempDir::Read(path), written);
}

TEST(SavedGame, ExtensionRule) {
    EXPECT_EQ(WithSavedGameExtension("/games/week1"), "/games/week1.zkv");
    EXPECT_EQ(WithSavedGameExtension("/games/week1.txt"), "/games/week1.zkv");
    EXPECT_EQ(WithSavedGameExtension("/games/week1.zkv"), "/games/week1.zkv");
    EXPECT_EQ(WithSavedGameExtension("/my.games/week1"), "/my.games/week1.zkv");
    EXPECT_EQ(WithSavedGameExtension("/games/a.b.c"), "/games/a.b.zkv");
    EXPECT_EQ(WithSavedGameExtension("/games/"), "/games/.zkv");
}
