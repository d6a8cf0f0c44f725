#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "model/Catalogue.h"

using namespace zk;

namespace {
Edges E(int e, int n, int w, int s) {
    return Edges{{static_cast<EdgeCode>(e), static_cast<EdgeCode>(n), static_cast<EdgeCode>(w),
                  static_cast<EdgeCode>(s)}};
}
} // namespace

TEST(Catalogue, EdgesOfTheDescribedGroups) {
    EXPECT_EQ(TileEdges(0), E(0, 0, 0, 0));
    EXPECT_EQ(TileEdges(1), E(0, 1, 0, 1)); // N and S
    EXPECT_EQ(TileEdges(2), E(1, 0, 1, 0)); // E and W
    EXPECT_EQ(TileEdges(4), E(1, 1, 0, 0)); // corner E+N
    EXPECT_EQ(TileEdges(7), E(1, 0, 0, 1)); // corner E+S
    EXPECT_EQ(TileEdges(8), E(0, 1, 0, 2));
    EXPECT_EQ(TileEdges(26), E(2, 0, 0, 2));
    EXPECT_EQ(TileEdges(42), E(0, 3, 1, 3)); // branch W
    EXPECT_EQ(TileEdges(45), E(3, 1, 3, 0)); // branch N
    EXPECT_EQ(TileEdges(90), E(1, 1, 1, 3)); // code 3 on S
    EXPECT_EQ(TileEdges(94), TileEdges(2));
    EXPECT_EQ(TileEdges(104), TileEdges(71));
    EXPECT_EQ(TileEdges(199), E(0, 0, 0, 0));
}

TEST(Catalogue, FixedTilesRepeatMovableShapes) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(TileEdges(static_cast<TileNumber>(186 + i)),
                  TileEdges(static_cast<TileNumber>(4 + i)));
        EXPECT_EQ(TileEdges(static_cast<TileNumber>(172 + i)),
                  TileEdges(static_cast<TileNumber>(34 + i)));
    }
}

TEST(Catalogue, IdenticalEdgeRecords) {
    EXPECT_EQ(TileEdges(3), TileEdges(58));
    EXPECT_EQ(TileEdges(33), TileEdges(48));
    EXPECT_EQ(TileEdges(33), TileEdges(49));
    EXPECT_EQ(TileEdges(59), TileEdges(39));
    EXPECT_EQ(TileEdges(60), TileEdges(40));
    EXPECT_EQ(TileEdges(61), TileEdges(38));
    EXPECT_EQ(TileEdges(62), TileEdges(41));
}

TEST(Catalogue, FiftyFiveFixedTilesWithoutConnection) {
    int blank = 0;
    for (int t = 91; t < 200; ++t) {
        if (TileEdges(static_cast<TileNumber>(t)) == Edges{}) {
            ++blank;
        }
    }
    EXPECT_EQ(blank, 55);
}

TEST(Catalogue, EveryCodeIsInRangeAndMovableTilesOtherThanZeroConnect) {
    for (int t = 0; t < 256; ++t) {
        const Edges e = TileEdges(static_cast<TileNumber>(t));
        for (int side = 0; side < 4; ++side) {
            EXPECT_LE(e[side], 3) << "tile " << t;
        }
        if (t >= 1 && t <= 90) {
            EXPECT_NE(e, Edges{}) << "movable tile " << t << " has no connection";
        }
    }
}

TEST(Catalogue, Classes) {
    EXPECT_TRUE(IsMovable(0));
    EXPECT_TRUE(IsMovable(90));
    EXPECT_FALSE(IsMovable(91));
    EXPECT_FALSE(IsMovable(255));
    EXPECT_FALSE(IsHoldable(0));
    EXPECT_TRUE(IsHoldable(1));
    EXPECT_TRUE(IsHoldable(89));
    EXPECT_FALSE(IsHoldable(90));
    EXPECT_FALSE(IsHoldable(200));
}

TEST(Catalogue, SheetCells) {
    EXPECT_EQ(SheetCell(19), (Point{19, 0}));
    EXPECT_EQ(SheetCell(20), (Point{0, 1}));
    EXPECT_EQ(SheetCell(199), (Point{19, 9}));
    EXPECT_TRUE(HasPicture(199));
    EXPECT_FALSE(HasPicture(200));
}

TEST(Catalogue, SpriteAnchors) {
    EXPECT_EQ(SpriteAnchor(1), (Point{13, 13}));
    EXPECT_EQ(SpriteAnchor(4), (Point{19, 7}));
    EXPECT_EQ(SpriteAnchor(45), (Point{13, 7}));
    EXPECT_EQ(SpriteAnchor(90), (Point{13, 13}));
    EXPECT_EQ(SpriteAnchor(57), (Point{7, 7}));
    EXPECT_EQ(SpriteAnchor(84), (Point{7, 19}));
    EXPECT_EQ(SpriteAnchor(255), (Point{13, 13}));
    int special = 0;
    for (int t = 0; t < 200; ++t) {
        if (SpriteAnchor(static_cast<TileNumber>(t)) != Point{13, 13}) {
            ++special;
        }
    }
    EXPECT_EQ(special, 40);
}

TEST(Catalogue, CornerAnchorsPointIntoTheCornersArms) {
    // A corner tile's marker sits toward the corner it connects.
    for (int t = 1; t < 90; ++t) {
        const Point a = SpriteAnchor(static_cast<TileNumber>(t));
        if (a == Point{19, 7}) {
            EXPECT_NE(TileEdges(static_cast<TileNumber>(t))[East], 0) << t;
            EXPECT_NE(TileEdges(static_cast<TileNumber>(t))[North], 0) << t;
        }
        if (a == Point{7, 19}) {
            EXPECT_NE(TileEdges(static_cast<TileNumber>(t))[West], 0) << t;
            EXPECT_NE(TileEdges(static_cast<TileNumber>(t))[South], 0) << t;
        }
    }
}

TEST(Catalogue, EveryTileMatchesTheTranscribedTables) {
    std::ifstream tables(ZK_TILE_TABLES);
    ASSERT_TRUE(tables) << ZK_TILE_TABLES;
    std::string line;
    int tiles = 0;
    while (std::getline(tables, line)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream fields(line);
        int t = 0, e = 0, n = 0, w = 0, s = 0, x = 0, y = 0;
        ASSERT_TRUE(fields >> t >> e >> n >> w >> s >> x >> y) << line;
        ASSERT_EQ(t, tiles) << "tiles out of order";
        EXPECT_EQ(TileEdges(static_cast<TileNumber>(t)), E(e, n, w, s)) << "tile " << t;
        EXPECT_EQ(SpriteAnchor(static_cast<TileNumber>(t)), (Point{x, y})) << "tile " << t;
        ++tiles;
    }
    EXPECT_EQ(tiles, TileTypeCount);
}
