#include <gtest/gtest.h>

#include "model/OpenEnds.h"

using namespace zk;

namespace {

SideMask Sides(std::initializer_list<Side> sides) {
    SideMask m = 0;
    for (Side s : sides) {
        m = static_cast<SideMask>(m | (1u << s));
    }
    return m;
}

// A level of four 2 x 2 corner blocks at random places: solved as built.
LevelRecord BlocksLevel(RandomSource& random) {
    LevelRecord r{};
    for (int k = 0; k < 4; ++k) {
        const int c = random.RandomBelow(Columns - 1), row = random.RandomBelow(Rows - 1);
        if (r[CellIndex(c, row)] || r[CellIndex(c + 1, row)] || r[CellIndex(c, row + 1)] ||
            r[CellIndex(c + 1, row + 1)]) {
            continue;
        }
        r[CellIndex(c, row)] = 7;
        r[CellIndex(c + 1, row)] = 6;
        r[CellIndex(c, row + 1)] = 4;
        r[CellIndex(c + 1, row + 1)] = 5;
    }
    return r;
}

} // namespace

TEST(OpenEnds, TheCornerBlockWithAForeignTileOpensBothSidesOfEachMismatch) {
    LevelRecord r{};
    r[CellIndex(0, 0)] = 26; // code 2 east and south, facing the code-1 tiles
    r[CellIndex(1, 0)] = 6;
    r[CellIndex(0, 1)] = 4;
    r[CellIndex(1, 1)] = 5;
    EXPECT_EQ(OpenEnds(r, 0, 0), Sides({East, South}));
    EXPECT_EQ(OpenEnds(r, 1, 0), Sides({West}));
    EXPECT_EQ(OpenEnds(r, 0, 1), Sides({North}));
    EXPECT_EQ(OpenEnds(r, 1, 1), 0);
    // A pipe facing the border or an empty cell is open on that side only.
    LevelRecord edge{};
    edge[CellIndex(0, 3)] = 2; // east and west
    EXPECT_EQ(OpenEnds(edge, 0, 3), Sides({East, West}));
    edge[CellIndex(1, 3)] = 2;
    EXPECT_EQ(OpenEnds(edge, 0, 3), Sides({West}));
    EXPECT_EQ(OpenEnds(edge, 1, 3), Sides({East}));
    EXPECT_EQ(OpenEnds(edge, 9, 3), 0);
}

// Marks show exactly where the solution check fails: none on a solved board,
// and on any other board at least one, each on a side with a connection.
TEST(OpenEnds, NoneExactlyWhenTheBoardIsSolvedOnRandomBoards) {
    RandomSource random(2024);
    int solvedSeen = 0, unsolvedSeen = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        Board board;
        board.cells = BlocksLevel(random);
        board.ChooseHeldCell(random);
        // From none to many random swaps: solved boards and nearly solved ones.
        const int swaps = trial % 4 == 0 ? 0 : random.RandomBelow(6);
        for (int s = 0; s < swaps; ++s) {
            board.SwapWithHeld(random.RandomBelow(Columns), random.RandomBelow(Rows));
        }
        if (trial % 7 == 0) {
            // Any byte at all, those without a catalogue entry included.
            board.cells[static_cast<std::size_t>(random.RandomBelow(CellCount))] =
                static_cast<TileNumber>(random.RandomBelow(256));
        }
        const OpenEndMap map = OpenEndsOf(board.cells);
        bool any = false;
        for (int c = 0; c < Columns; ++c) {
            for (int r = 0; r < Rows; ++r) {
                const SideMask m = map[static_cast<std::size_t>(CellIndex(c, r))];
                ASSERT_EQ(m, OpenEnds(board.cells, c, r));
                const Edges e = TileEdges(board.At(c, r));
                for (Side s : {East, North, West, South}) {
                    if (HasSide(m, s)) {
                        ASSERT_NE(e[s], 0) << "a mark on a side without a connection";
                    }
                }
                any = any || m != 0;
            }
        }
        ASSERT_EQ(any, !board.IsSolved()) << "trial " << trial;
        (any ? unsolvedSeen : solvedSeen) += 1;
    }
    EXPECT_GT(solvedSeen, 500);
    EXPECT_GT(unsolvedSeen, 500);
}
