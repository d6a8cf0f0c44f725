#include <gtest/gtest.h>

#include "TempDir.h"
#include "files/LevelFile.h"

using namespace zk::files;

TEST(LevelFile, ThePlayersDirectoryComesFromXdgDataHomeElseHome) {
    EXPECT_EQ(PlayerLevelDirectory("/x/data", "/home/u"), "/x/data/zanfor-kelva/");
    EXPECT_EQ(PlayerLevelDirectory("/x/data/", nullptr), "/x/data/zanfor-kelva/");
    EXPECT_EQ(PlayerLevelDirectory(nullptr, "/home/u"), "/home/u/.local/share/zanfor-kelva/");
    // A relative or empty XDG_DATA_HOME is not used; without a home there is none.
    EXPECT_EQ(PlayerLevelDirectory("data", "/home/u/"), "/home/u/.local/share/zanfor-kelva/");
    EXPECT_EQ(PlayerLevelDirectory("", "/"), "/.local/share/zanfor-kelva/");
    EXPECT_EQ(PlayerLevelDirectory(nullptr, "home"), "");
    EXPECT_EQ(PlayerLevelDirectory(nullptr, nullptr), "");
    // A program directory the player may write keeps its level file.
    TempDir dir;
    EXPECT_EQ(LevelFilePlacesFor(dir.Dir()).playerDirectory, "");
}
