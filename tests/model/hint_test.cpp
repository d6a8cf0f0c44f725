#include <gtest/gtest.h>

#include "ShortestWay.h"
#include "model/Hint.h"

using namespace zk;

namespace {

// The 2 x 2 corner block at (3, 2) among fixed blanks, scrambled.
Board ScrambledCorner(std::uint64_t seed) {
    LevelRecord level;
    level.fill(120);
    level[CellIndex(3, 2)] = 7;
    level[CellIndex(4, 2)] = 6;
    level[CellIndex(3, 3)] = 4;
    level[CellIndex(4, 3)] = 5;
    RandomSource random(seed);
    Board board;
    board.Prepare(level, ChallengeMode, random);
    return board;
}

struct CountingQuery {
    int asked = 0;
    NearestSolutionQuery Query() {
        return [this](const Board& b) {
            ++asked;
            return oracle::ShortestWay(b);
        };
    }
};

} // namespace

TEST(HintGuide, FollowingTheHintsSolvesInTheFewestMovesAskingOnce) {
    int unsolvedStarts = 0;
    for (std::uint64_t seed = 0; seed < 30; ++seed) {
        Board board = ScrambledCorner(seed);
        if (board.IsSolved()) {
            continue;
        }
        ++unsolvedStarts;
        CountingQuery counter;
        HintGuide guide;
        guide.SetQuery(counter.Query());
        const int fewest = oracle::ShortestWay(board)->Moves();
        EXPECT_EQ(guide.FewestMoves(board), fewest);
        int moves = 0;
        while (const auto next = guide.Next(board)) {
            ASSERT_TRUE(board.SwapWithHeld(next->column, next->row).moved);
            ASSERT_LE(++moves, fewest);
        }
        EXPECT_TRUE(board.IsSolved()) << "seed " << seed;
        EXPECT_EQ(moves, fewest);
        EXPECT_EQ(counter.asked, 1) << "the way is kept while it is followed";
    }
    EXPECT_GT(unsolvedStarts, 20);
}

TEST(HintGuide, ABoardOffTheWayAsksAgainAndAStepBackDoesNot) {
    Board board = ScrambledCorner(3);
    ASSERT_FALSE(board.IsSolved());
    CountingQuery counter;
    HintGuide guide;
    guide.SetQuery(counter.Query());
    const Board start = board;
    const Cell first = *guide.Next(board);
    ASSERT_TRUE(board.SwapWithHeld(first.column, first.row).moved);
    // Back to the start, as an undo does: still on the way.
    ASSERT_TRUE(board.SwapWithHeld(start.held.column, start.held.row).moved);
    EXPECT_EQ(guide.Next(board), first);
    EXPECT_EQ(counter.asked, 1);

    // A move the way does not make: the hint is asked for afresh.
    for (int i = 0; i < CellCount; ++i) {
        const Cell c{i / Rows, i % Rows};
        if (c != first && c != board.held && IsMovable(board.At(c.column, c.row))) {
            ASSERT_TRUE(board.SwapWithHeld(c.column, c.row).moved);
            break;
        }
    }
    if (!board.IsSolved()) {
        EXPECT_TRUE(guide.Next(board));
        EXPECT_EQ(counter.asked, 2);
    }
}

TEST(HintGuide, NoQueryNoWayAndUnplayableWaysGiveNoHint) {
    Board board = ScrambledCorner(5);
    ASSERT_FALSE(board.IsSolved());
    HintGuide guide;
    EXPECT_FALSE(guide.CanAsk());
    EXPECT_FALSE(guide.Next(board));

    guide.SetQuery([](const Board&) { return std::nullopt; });
    EXPECT_FALSE(guide.Next(board));
    EXPECT_FALSE(guide.FewestMoves(board));

    // A click on a fixed tile, and a way that stops short of a solution.
    guide.SetQuery([](const Board&) { return WayToSolution{{{0, 0}}}; });
    EXPECT_FALSE(guide.Next(board));
    guide.SetQuery([](const Board&) { return WayToSolution{}; });
    EXPECT_FALSE(guide.Next(board));

    // On a solved Board there is nothing to click.
    guide.SetQuery([](const Board& b) { return oracle::ShortestWay(b); });
    const WayToSolution way = *oracle::ShortestWay(board);
    for (const Cell& c : way.clicks) {
        board.SwapWithHeld(c.column, c.row);
    }
    ASSERT_TRUE(board.IsSolved());
    EXPECT_FALSE(guide.Next(board));
    EXPECT_EQ(guide.FewestMoves(board), 0);
}

// An answer without a way is kept for its Board: pressing H again asks
// nothing until a move changes the Board. An answer found elsewhere (on a
// worker thread) is taken as the query's would be.
TEST(HintGuide, KeepsAnAnswerWithoutAWayUntilTheBoardChanges) {
    Board board = ScrambledCorner(5);
    ASSERT_FALSE(board.IsSolved());
    int asked = 0;
    HintVerdict told = HintVerdict::GaveUp;
    HintGuide guide;
    guide.SetQuery([&](const Board&) {
        ++asked;
        return HintAnswer{told, {}, false};
    });
    for (const HintVerdict verdict : {HintVerdict::GaveUp, HintVerdict::Unsolvable}) {
        told = verdict;
        asked = 0;
        guide.Forget();
        EXPECT_FALSE(guide.Known(board));
        EXPECT_FALSE(guide.Next(board));
        EXPECT_FALSE(guide.Next(board));
        EXPECT_EQ(guide.Verdict(board), verdict);
        EXPECT_EQ(asked, 1);
        Board moved = board;
        for (int i = 0; i < CellCount && moved.cells == board.cells; ++i) {
            moved.SwapWithHeld(i / Rows, i % Rows);
        }
        EXPECT_FALSE(guide.Known(moved));
        EXPECT_FALSE(guide.Next(moved));
        EXPECT_EQ(asked, 2);
    }

    const WayToSolution way = *oracle::ShortestWay(board);
    guide.Accept(board, HintAnswer{HintVerdict::Found, way.clicks, true});
    EXPECT_EQ(guide.Known(board), HintVerdict::Found);
    EXPECT_EQ(guide.Next(board), way.clicks.front());
    EXPECT_EQ(asked, 2);
    // A way that cannot be played is taken as a search that gave up.
    guide.Accept(board, HintAnswer{HintVerdict::Found, {{0, 0}}, true});
    EXPECT_EQ(guide.Known(board), HintVerdict::GaveUp);
}
