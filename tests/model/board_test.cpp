#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "model/Board.h"

using namespace zk;

namespace {

LevelRecord CornerBlock(TileNumber topLeft = 7) {
    LevelRecord r{};
    r[CellIndex(0, 0)] = topLeft;
    r[CellIndex(1, 0)] = 6;
    r[CellIndex(0, 1)] = 4;
    r[CellIndex(1, 1)] = 5;
    return r;
}

std::array<int, 256> Histogram(const LevelRecord& r) {
    std::array<int, 256> h{};
    for (auto t : r) {
        ++h[t];
    }
    return h;
}

// A level with movable tiles of several kinds, fixed anchors and empty cells.
LevelRecord MixedLevel() {
    LevelRecord r{};
    for (int i = 0; i < CellCount; ++i) {
        r[static_cast<std::size_t>(i)] = static_cast<TileNumber>((i * 37) % 200);
    }
    r[5] = 0;
    r[6] = 90;
    r[40] = 250; // a byte without catalogue entry counts as fixed
    return r;
}

} // namespace

TEST(Solution, EmptyBoardAndCornerBlock) {
    EXPECT_TRUE(IsSolved(LevelRecord{}));
    EXPECT_TRUE(IsSolved(CornerBlock()));
    EXPECT_FALSE(IsSolved(CornerBlock(26))); // code 2 meets code 1 twice
}

TEST(Solution, ConnectionFacingTheBorderIsUnsolved) {
    LevelRecord r{};
    r[CellIndex(0, 3)] = 2; // E and W: W faces the border
    EXPECT_FALSE(IsSolved(r));
    r[CellIndex(0, 3)] = 1; // N and S in column 0: both neighbours are empty
    EXPECT_FALSE(IsSolved(r));
}

TEST(Solution, BlockMovedAnywhereStaysSolvedAndBytesAbove199CountAsBlank) {
    LevelRecord r{};
    r[CellIndex(7, 5)] = 7;
    r[CellIndex(8, 5)] = 6;
    r[CellIndex(7, 6)] = 4;
    r[CellIndex(8, 6)] = 5;
    r[CellIndex(3, 3)] = 230;
    EXPECT_TRUE(IsSolved(r));
    r[CellIndex(8, 6)] = 1;
    EXPECT_FALSE(IsSolved(r));
}

TEST(Solution, FixedTilesTakePart) {
    LevelRecord r{};
    r[CellIndex(2, 2)] = 186; // fixed corner E+N like tile 4
    r[CellIndex(3, 2)] = 5;   // N+W
    r[CellIndex(2, 1)] = 7;   // E+S
    r[CellIndex(3, 1)] = 6;   // W+S
    EXPECT_TRUE(IsSolved(r));
}

TEST(Prepare, EditorCopiesAndKeepsHeldCell) {
    Board board;
    board.held = {4, 5};
    board.hasHeld = true;
    RandomSource random(1);
    const LevelRecord level = MixedLevel();
    board.Prepare(level, EditorMode, random);
    EXPECT_EQ(board.cells, level);
    EXPECT_EQ(board.held, (Cell{4, 5}));
    EXPECT_TRUE(board.hasHeld);
}

TEST(Prepare, ScrambleInvariantsOverManySeeds) {
    const LevelRecord level = MixedLevel();
    const auto before = Histogram(level);
    for (std::uint64_t seed = 0; seed < 300; ++seed) {
        RandomSource random(seed);
        Board board;
        board.Prepare(level, seed % 2 ? ChallengeMode : PracticeMode, random);
        EXPECT_EQ(Histogram(board.cells), before) << "seed " << seed;
        for (int i = 0; i < CellCount; ++i) {
            if (!IsMovable(level[static_cast<std::size_t>(i)])) {
                EXPECT_EQ(board.cells[static_cast<std::size_t>(i)],
                          level[static_cast<std::size_t>(i)])
                    << "fixed tile moved, seed " << seed;
            }
        }
        ASSERT_TRUE(board.hasHeld);
        EXPECT_TRUE(IsHoldable(board.HeldTile())) << "seed " << seed;
    }
}

// The solver's tests and the fuzz targets judge every reported solution by
// this check: it must tell a rearrangement from a level changed otherwise.
TEST(Arrangement, AScrambleIsOneAndAMovedFixedTileOrAnExchangedTileIsNot) {
    const LevelRecord level = MixedLevel();
    RandomSource random(3);
    Board board;
    board.Prepare(level, PracticeMode, random);
    EXPECT_TRUE(IsArrangementOf(board.cells, level));
    EXPECT_TRUE(IsArrangementOf(level, level));

    LevelRecord movedFixed = level; // the same tiles, the fixed one elsewhere
    std::swap(movedFixed[40], movedFixed[1]);
    ASSERT_TRUE(IsMovable(level[1]));
    EXPECT_FALSE(IsArrangementOf(movedFixed, level));

    LevelRecord exchanged = level; // a movable tile the level does not have there
    exchanged[1] = static_cast<TileNumber>(level[1] + 1);
    EXPECT_FALSE(IsArrangementOf(exchanged, level));
}

TEST(Prepare, ScrambleActuallyMixesAndDependsOnTheSeed) {
    const LevelRecord level = MixedLevel();
    RandomSource a(7), b(7), c(8);
    Board ba, bb, bc;
    ba.Prepare(level, ChallengeMode, a);
    bb.Prepare(level, ChallengeMode, b);
    bc.Prepare(level, ChallengeMode, c);
    EXPECT_EQ(ba.cells, bb.cells);
    EXPECT_EQ(ba.held, bb.held);
    EXPECT_NE(ba.cells, level);
    EXPECT_NE(ba.cells, bc.cells);
}

TEST(Prepare, HeldCellIsEveryHoldableCellAlike) {
    LevelRecord level{};
    std::fill(level.begin(), level.end(), TileNumber{150});
    level[CellIndex(0, 0)] = 90; // movable, never held
    level[CellIndex(4, 3)] = 1;
    level[CellIndex(8, 6)] = 89;
    int counts[2] = {0, 0};
    for (std::uint64_t seed = 0; seed < 400; ++seed) {
        RandomSource random(seed);
        Board board;
        board.Prepare(level, ChallengeMode, random);
        ASSERT_TRUE(board.hasHeld);
        ASSERT_NE(board.HeldTile(), 90);
        ++counts[board.HeldTile() == 1 ? 0 : 1];
    }
    EXPECT_GT(counts[0], 140);
    EXPECT_GT(counts[1], 140);
}

TEST(Prepare, DegenerateLevelsDoNotHang) {
    RandomSource random(3);
    Board board;
    LevelRecord allFixed{};
    std::fill(allFixed.begin(), allFixed.end(), TileNumber{120});
    board.Prepare(allFixed, ChallengeMode, random);
    EXPECT_EQ(board.cells, allFixed);
    EXPECT_FALSE(board.hasHeld);

    board.Prepare(LevelRecord{}, PracticeMode, random); // empty level from the editor
    EXPECT_FALSE(board.hasHeld);
    EXPECT_FALSE(board.SwapWithHeld(3, 3).moved);

    LevelRecord onlyNinety{};
    std::fill(onlyNinety.begin(), onlyNinety.end(), TileNumber{90});
    board.Prepare(onlyNinety, ChallengeMode, random);
    EXPECT_FALSE(board.hasHeld);

    LevelRecord oneMovable = allFixed;
    oneMovable[CellIndex(8, 6)] = 33;
    board.Prepare(oneMovable, ChallengeMode, random);
    EXPECT_EQ(board.cells, oneMovable);
    EXPECT_EQ(board.held, (Cell{8, 6}));
}

TEST(Move, RefusalsAndMoves) {
    Board board;
    board.cells[CellIndex(0, 0)] = 12;
    board.cells[CellIndex(1, 0)] = 91;
    board.cells[CellIndex(2, 0)] = 90;
    board.held = {0, 0};
    board.hasHeld = true;

    EXPECT_FALSE(board.SwapWithHeld(0, 0).moved); // the held cell
    EXPECT_FALSE(board.SwapWithHeld(1, 0).moved); // fixed
    EXPECT_FALSE(board.SwapWithHeld(9, 0).moved); // off the board
    EXPECT_EQ(board.held, (Cell{0, 0}));

    auto m = board.SwapWithHeld(2, 0); // tile 90 moves
    ASSERT_TRUE(m.moved);
    EXPECT_EQ(m.previousHeld, (Cell{0, 0}));
    EXPECT_EQ(board.At(0, 0), 90);
    EXPECT_EQ(board.At(2, 0), 12);
    EXPECT_EQ(board.held, (Cell{2, 0}));

    m = board.SwapWithHeld(5, 5); // an empty cell far away
    ASSERT_TRUE(m.moved);
    EXPECT_EQ(board.At(2, 0), 0);
    EXPECT_EQ(board.At(5, 5), 12);
}

TEST(Move, SameNumberMovesOnlyTheHeldCellAndBackAndForthRestores) {
    Board board;
    board.cells[CellIndex(0, 0)] = 3;
    board.cells[CellIndex(4, 4)] = 3;
    board.cells[CellIndex(6, 2)] = 17;
    board.held = {0, 0};
    board.hasHeld = true;
    const auto cellsBefore = board.cells;
    ASSERT_TRUE(board.SwapWithHeld(4, 4).moved);
    EXPECT_EQ(board.cells, cellsBefore);
    EXPECT_EQ(board.held, (Cell{4, 4}));

    const Board snapshot = board;
    ASSERT_TRUE(board.SwapWithHeld(6, 2).moved);
    ASSERT_TRUE(board.SwapWithHeld(4, 4).moved);
    EXPECT_EQ(board.cells, snapshot.cells);
    EXPECT_EQ(board.held, snapshot.held);
}

TEST(Random, BelowStaysInRangeAndCoversIt) {
    RandomSource random(11);
    std::array<int, 9> seen{};
    for (int i = 0; i < 9000; ++i) {
        const int v = random.RandomBelow(9);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 9);
        ++seen[static_cast<std::size_t>(v)];
    }
    for (int count : seen) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
    EXPECT_EQ(random.RandomBelow(1), 0);
    EXPECT_EQ(random.RandomBelow(0), 0);
}

TEST(Random, TimeSeededSourcesDiffer) {
    RandomSource a;
    RandomSource b;
    b.Seed(12345);
    bool differ = false;
    for (int i = 0; i < 10 && !differ; ++i) {
        differ = a.RandomBelow(1000000) != b.RandomBelow(1000000);
    }
    EXPECT_TRUE(differ);
}

TEST(Solution, EachSideFacingTheBorderIsCheckedOnItsOwn) {
    // A tile whose only connection faces the border, on every side of the
    // board: nothing but that side's own comparison can find it.
    struct Case {
        TileNumber tile; // its one connection: W 38, E 39, N 40, S 41
        int column;
        int row;
    };
    for (const Case& c : {Case{38, 0, 3}, Case{39, 8, 3}, Case{40, 4, 0}, Case{41, 4, 6},
                          Case{61, 0, 0}, Case{62, 8, 6}}) {
        LevelRecord r{};
        r[CellIndex(c.column, c.row)] = c.tile;
        EXPECT_FALSE(IsSolved(r)) << "tile " << int(c.tile) << " at " << c.column << "," << c.row;
    }
}

TEST(Prepare, ScrambleIsTwoThousandExchangesOfCellsDrawnColumnFirst) {
    // Movable tiles everywhere but a few fixed ones, so some draws are redrawn.
    LevelRecord level{};
    for (int i = 0; i < CellCount; ++i) {
        level[static_cast<std::size_t>(i)] = static_cast<TileNumber>(1 + i);
    }
    level[CellIndex(3, 3)] = 150;
    level[CellIndex(0, 6)] = 91;
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        RandomSource random(seed);
        Board board;
        board.Prepare(level, ChallengeMode, random);

        // The same draws made by hand.
        RandomSource byHand(seed);
        LevelRecord expected = level;
        auto movableCell = [&] {
            for (;;) {
                const int c = byHand.RandomBelow(Columns);
                const int r = byHand.RandomBelow(Rows);
                if (expected[CellIndex(c, r)] <= 90) {
                    return CellIndex(c, r);
                }
            }
        };
        for (int exchange = 0; exchange < 2000; ++exchange) {
            const auto first = movableCell();
            const auto second = movableCell();
            std::swap(expected[first], expected[second]);
        }
        Cell held;
        do {
            held.column = byHand.RandomBelow(Columns);
            held.row = byHand.RandomBelow(Rows);
        } while (!IsHoldable(expected[CellIndex(held.column, held.row)]));
        EXPECT_EQ(board.cells, expected) << "seed " << seed;
        EXPECT_EQ(board.held, held) << "seed " << seed;
    }
}

TEST(Random, RejectionKeepsTheRemainderFromFavouringLowValues) {
    // An engine of 256 values in turn: 256 is no multiple of 100, so taking
    // every draw modulo 100 would give 0..55 three times per round, 56..99
    // twice. With the rejection each value comes exactly as often.
    struct Counter {
        using result_type = std::uint64_t;
        static constexpr result_type min() { return 0; }
        static constexpr result_type max() { return 255; }
        result_type operator()() { return next++ % 256; }
        result_type next = 0;
    } engine;
    std::array<int, 100> seen{};
    for (int i = 0; i < 400; ++i) {
        const int v = UniformBelow(engine, 100);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 100);
        ++seen[static_cast<std::size_t>(v)];
    }
    for (int value = 0; value < 100; ++value) {
        EXPECT_EQ(seen[static_cast<std::size_t>(value)], 4) << value;
    }
    EXPECT_EQ(engine.next, 456u) << "the 56 draws beyond the last multiple are drawn again";
}
