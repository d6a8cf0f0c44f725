#include <gtest/gtest.h>

#include <vector>

#include "model/History.h"

using namespace zk;

namespace {

// A level of many kinds of movable tiles, a few fixed ones and empty cells,
// scrambled with a held tile.
Board PlayedBoard(std::uint64_t seed) {
    LevelRecord level{};
    for (int i = 0; i < CellCount; ++i) {
        level[static_cast<std::size_t>(i)] = static_cast<TileNumber>((i * 29) % 120);
    }
    RandomSource random(seed);
    Board board;
    board.Prepare(level, ChallengeMode, random);
    return board;
}

// Random clicks, refused ones included, each move recorded.
std::vector<Board> PlayRandomly(Board& board, MoveHistory& history, RandomSource& random,
                                int clicks) {
    std::vector<Board> seen{board};
    for (int i = 0; i < clicks; ++i) {
        const int c = random.RandomBelow(Columns), r = random.RandomBelow(Rows);
        const MoveResult m = board.SwapWithHeld(c, r);
        if (m.moved) {
            history.Record({m.previousHeld, {c, r}});
            seen.push_back(board);
        }
    }
    return seen;
}

bool Same(const Board& a, const Board& b) {
    return a.cells == b.cells && a.held == b.held;
}

} // namespace

TEST(MoveHistory, UndoWalksBackThroughEveryBoardAndRedoForward) {
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
        Board board = PlayedBoard(seed);
        MoveHistory history;
        RandomSource random(seed + 100);
        const std::vector<Board> seen = PlayRandomly(board, history, random, 60);
        const int made = static_cast<int>(seen.size()) - 1;
        ASSERT_EQ(history.Moves(), made);

        for (int k = made; k > 0; --k) {
            const Board before = board;
            const auto undone = history.Undo(board);
            ASSERT_TRUE(undone) << "seed " << seed << " move " << k;
            // The swap reported is the one made: from the held cell to the new one.
            EXPECT_EQ(undone->from, before.held);
            EXPECT_EQ(undone->to, board.held);
            ASSERT_TRUE(Same(board, seen[static_cast<std::size_t>(k - 1)])) << "seed " << seed;
            EXPECT_EQ(history.Moves(), k - 1);
        }
        EXPECT_FALSE(history.Undo(board));
        EXPECT_TRUE(Same(board, seen.front()));

        for (int k = 1; k <= made; ++k) {
            ASSERT_TRUE(history.Redo(board));
            ASSERT_TRUE(Same(board, seen[static_cast<std::size_t>(k)])) << "seed " << seed;
        }
        EXPECT_FALSE(history.Redo(board));
        EXPECT_EQ(history.Moves(), made);
    }
}

// A new move forgets what was undone; a Board moved behind the history's back
// is left alone; Clear forgets everything.
TEST(MoveHistory, ANewMoveForgetsTheUndoneAndABoardElsewhereIsLeftAlone) {
    Board board = PlayedBoard(5);
    MoveHistory history;
    RandomSource random(6);
    PlayRandomly(board, history, random, 30);
    ASSERT_TRUE(history.Undo(board) && history.Undo(board));
    const int moves = history.Moves();
    PlayRandomly(board, history, random, 6);
    EXPECT_FALSE(history.Redo(board));
    EXPECT_GT(history.Moves(), moves);

    Board elsewhere = board;
    for (int i = 0; i < CellCount && elsewhere.held == board.held; ++i) {
        elsewhere.SwapWithHeld(i / Rows, i % Rows); // not recorded
    }
    const Board before = elsewhere;
    EXPECT_FALSE(history.Undo(elsewhere));
    EXPECT_TRUE(Same(elsewhere, before));

    history.Clear();
    EXPECT_FALSE(history.Undo(board));
    EXPECT_EQ(history.Moves(), 0);
}

TEST(EditHistory, PlacingsAndPickUpsUndoAndRedoWithTheSelection) {
    Board board;
    board.cells[CellIndex(2, 3)] = 45;
    int selection = 7;
    EditHistory history;
    // Place 7 on (0, 0), then pick 45 up from (2, 3), then place it on (8, 6).
    const std::vector<Edit> edits = {
        {{0, 0}, 0, 7, 7, 7}, {{2, 3}, 45, 0, 7, 45}, {{8, 6}, 0, 45, 45, 45}};
    std::vector<std::pair<LevelRecord, int>> seen{{board.cells, selection}};
    for (const Edit& e : edits) {
        board.Set(e.cell.column, e.cell.row, e.after);
        selection = e.selectionAfter;
        history.Record(e);
        seen.emplace_back(board.cells, selection);
    }
    for (int k = 3; k > 0; --k) {
        const auto undone = history.Undo(board, selection);
        ASSERT_TRUE(undone);
        EXPECT_EQ(std::get<Edit>(*undone), edits[static_cast<std::size_t>(k - 1)]);
        EXPECT_EQ(std::pair(board.cells, selection), seen[static_cast<std::size_t>(k - 1)]);
    }
    EXPECT_FALSE(history.Undo(board, selection));
    ASSERT_TRUE(history.Redo(board, selection));
    ASSERT_TRUE(history.Redo(board, selection));
    EXPECT_EQ(std::pair(board.cells, selection), seen[2]);
    history.Record(Edit{{4, 4}, 0, 45, 45, 45});
    EXPECT_FALSE(history.Redo(board, selection));

    // A tile chosen in the palette meanwhile stays chosen when a placing is
    // undone or redone; a pick-up brings its own selection back.
    selection = 120;
    ASSERT_TRUE(history.Undo(board, selection));
    EXPECT_EQ(board.At(4, 4), 0);
    EXPECT_EQ(selection, 120);
    ASSERT_TRUE(history.Undo(board, selection));
    ASSERT_TRUE(history.Redo(board, selection));
    EXPECT_EQ(selection, 45);

    // A whole level put on the Board comes off whole, the selection kept.
    const LevelRecord before = board.cells;
    LevelRecord pasted{};
    pasted.fill(93);
    board.cells = pasted;
    history.Record(BoardEdit{before, pasted});
    ASSERT_TRUE(history.Undo(board, selection));
    EXPECT_EQ(board.cells, before);
    ASSERT_TRUE(history.Redo(board, selection));
    EXPECT_EQ(board.cells, pasted);
    EXPECT_EQ(selection, 45);
}
