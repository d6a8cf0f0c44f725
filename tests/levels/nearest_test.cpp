// The nearest solution for hints: the clicks it gives reach a solved board
// made of the board's own tiles, no shorter sequence of clicks reaches any
// board with those edges (checked against a breadth-first search over every
// board the clicks can make), and on small levels no solution keeps more
// cells in place (checked against every arrangement).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <queue>
#include <set>

#include "model/Hint.h"
#include "model/Nearest.h"
#include "model/Random.h"

namespace {

using zk::Board;
using zk::Cell;
using zk::LevelRecord;

std::size_t At(int column, int row) {
    return static_cast<std::size_t>(zk::CellIndex(column, row));
}

int Key(zk::TileNumber t) {
    const zk::Edges e = zk::TileEdges(t);
    return e[0] | e[1] << 2 | e[2] << 4 | e[3] << 6;
}

bool SameEdges(const LevelRecord& a, const LevelRecord& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Key(a[i]) != Key(b[i])) {
            return false;
        }
    }
    return true;
}

Board MakeBoard(const LevelRecord& cells, Cell held) {
    Board b;
    b.cells = cells;
    b.held = held;
    b.hasHeld = zk::IsHoldable(b.HeldTile());
    return b;
}

// Plays the clicks and answers the board they leave; every click must be a
// move.
Board Play(Board board, const std::vector<Cell>& clicks) {
    for (const Cell& c : clicks) {
        EXPECT_TRUE(board.SwapWithHeld(c.column, c.row).moved) << c.column << "," << c.row;
    }
    return board;
}

// The fewest clicks from board to any board with target's edges, by trying
// every sequence of clicks breadth first.
int FewestClicks(const Board& start, const LevelRecord& target) {
    using State = std::pair<LevelRecord, int>; // cells and the held cell's index
    std::set<State> seen;
    std::queue<std::pair<State, int>> queue;
    const State first{start.cells, zk::CellIndex(start.held.column, start.held.row)};
    queue.push({first, 0});
    seen.insert(first);
    while (!queue.empty()) {
        const auto [state, depth] = queue.front();
        queue.pop();
        if (SameEdges(state.first, target)) {
            return depth;
        }
        for (int i = 0; i < zk::CellCount; ++i) {
            Board b;
            b.cells = state.first;
            b.held = {state.second / zk::Rows, state.second % zk::Rows};
            b.hasHeld = true;
            if (!b.SwapWithHeld(i / zk::Rows, i % zk::Rows).moved) {
                continue;
            }
            const State next{b.cells, i};
            if (seen.insert(next).second) {
                queue.push({next, depth + 1});
            }
        }
    }
    return -1;
}

// The most cells any solution keeps in place, by trying every arrangement
// of the movable tiles.
int MostInPlace(const LevelRecord& board) {
    std::vector<std::size_t> cells;
    std::vector<int> keys;
    for (std::size_t i = 0; i < board.size(); ++i) {
        if (zk::IsMovable(board[i])) {
            cells.push_back(i);
            keys.push_back(Key(board[i]));
        }
    }
    std::map<int, zk::TileNumber> tileOf;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        tileOf[keys[k]] = board[cells[k]];
    }
    std::sort(keys.begin(), keys.end());
    int best = -1;
    LevelRecord trial = board;
    do {
        int kept = 0;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            trial[cells[k]] = tileOf[keys[k]];
            kept += Key(board[cells[k]]) == keys[k] ? 1 : 0;
        }
        if (zk::IsSolved(trial)) {
            best = std::max(best, kept);
        }
    } while (std::next_permutation(keys.begin(), keys.end()));
    return best;
}

zk::NearestLimits Deterministic() {
    zk::NearestLimits limits;
    limits.timeBudget = std::chrono::milliseconds{0};
    return limits;
}

void ExpectReaches(const Board& board, const zk::NearestResult& r) {
    ASSERT_TRUE(r.found);
    const Board after = Play(board, r.clicks);
    EXPECT_EQ(after.cells, r.target);
    EXPECT_EQ(after.held, r.held);
    EXPECT_TRUE(zk::IsSolved(r.target));
    auto a = std::vector<int>(board.cells.begin(), board.cells.end());
    auto b = std::vector<int>(r.target.begin(), r.target.end());
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b) << "the target is made of other tiles";
    for (std::size_t i = 0; i < board.cells.size(); ++i) {
        if (!zk::IsMovable(board.cells[i])) {
            EXPECT_EQ(r.target[i], board.cells[i]);
        }
    }
    int inPlace = 0;
    for (std::size_t i = 0; i < board.cells.size(); ++i) {
        inPlace += zk::IsMovable(board.cells[i]) && Key(board.cells[i]) == Key(r.target[i]);
    }
    EXPECT_EQ(inPlace, r.inPlace);
}

TEST(Nearest, ASolvedBoardNeedsNoClick) {
    LevelRecord level{};
    level[At(0, 0)] = 7;
    level[At(1, 0)] = 6;
    level[At(0, 1)] = 4;
    level[At(1, 1)] = 5;
    const Board board = MakeBoard(level, {1, 1});
    const auto r = zk::FindNearestSolution(board, Deterministic());
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(r.optimal);
    EXPECT_TRUE(r.clicks.empty());
    EXPECT_EQ(r.target, level);
    EXPECT_EQ(r.inPlace, r.movableCells);
}

// The cycles with the held tile in them, out of them, and the held tile in
// place but of a class a cycle needs: each case its own count.
TEST(Nearest, ClicksFollowTheCyclesOfTheMisplacedTiles) {
    // Target: a row 39 2 2 38 (end, straight, straight, end) in row 3.
    LevelRecord target;
    target.fill(91);
    target[At(2, 3)] = 39;
    target[At(3, 3)] = 2;
    target[At(4, 3)] = 2; // a second straight
    target[At(5, 3)] = 38;
    ASSERT_TRUE(zk::IsSolved(target));

    // Ends swapped, the held tile an end: one cycle of two holding the held
    // tile, one click.
    LevelRecord swapped = target;
    std::swap(swapped[At(2, 3)], swapped[At(5, 3)]);
    Board board = MakeBoard(swapped, {2, 3});
    std::vector<Cell> clicks = zk::ClicksToReach(board, target);
    EXPECT_EQ(clicks.size(), 1U);
    EXPECT_TRUE(SameEdges(Play(board, clicks).cells, target));
    EXPECT_EQ(static_cast<int>(clicks.size()), FewestClicks(board, target));

    // The same swap with a straight held: the straight is in place and of
    // no class the cycle needs, so the cycle costs its two tiles and one
    // click to bring the held tile home.
    board = MakeBoard(swapped, {3, 3});
    clicks = zk::ClicksToReach(board, target);
    EXPECT_EQ(clicks.size(), 3U);
    EXPECT_TRUE(SameEdges(Play(board, clicks).cells, target));
    EXPECT_EQ(static_cast<int>(clicks.size()), FewestClicks(board, target));

    // A straight and an end swapped, the other straight held: the held tile
    // is in place but a straight is wanted where the end stands, so it
    // joins the cycle and saves the click home.
    LevelRecord mixed = target;
    std::swap(mixed[At(2, 3)], mixed[At(3, 3)]);
    board = MakeBoard(mixed, {4, 3});
    clicks = zk::ClicksToReach(board, target);
    EXPECT_EQ(clicks.size(), 2U);
    EXPECT_TRUE(SameEdges(Play(board, clicks).cells, target));
    EXPECT_EQ(static_cast<int>(clicks.size()), FewestClicks(board, target));
}

// Small random levels scrambled: the nearest solution is the nearest there
// is, and its clicks are the fewest there are.
TEST(Nearest, MatchesEveryArrangementAndEveryClickSequenceOnSmallLevels) {
    zk::RandomSource random(77);
    // The movable tiles showing given edges: code 1 has every pattern, some
    // of them on two tile numbers.
    std::map<int, std::vector<zk::TileNumber>> tilesWith;
    for (int t = 0; t <= zk::LastMovableTile; ++t) {
        tilesWith[Key(static_cast<zk::TileNumber>(t))].push_back(static_cast<zk::TileNumber>(t));
    }
    int checked = 0;
    for (int round = 0; round < 400 && checked < 40; ++round) {
        // A solved 3 x 2 area: a random code on each edge between its cells,
        // then the tiles showing those edges, then shuffled.
        std::array<std::array<int, 4>, 6> edges{};
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 2; ++r) {
                const int i = c * 2 + r;
                if (c < 2) {
                    const int code = random.RandomBelow(3) == 0 ? 0 : 1;
                    edges[static_cast<std::size_t>(i)][zk::East] = code;
                    edges[static_cast<std::size_t>(i + 2)][zk::West] = code;
                }
                if (r == 0) {
                    const int code = random.RandomBelow(3) == 0 ? 0 : 1;
                    edges[static_cast<std::size_t>(i)][zk::South] = code;
                    edges[static_cast<std::size_t>(i + 1)][zk::North] = code;
                }
            }
        }
        LevelRecord level;
        level.fill(91);
        std::vector<zk::TileNumber> tiles;
        for (const auto& e : edges) {
            const auto& numbers = tilesWith[e[0] | e[1] << 2 | e[2] << 4 | e[3] << 6];
            tiles.push_back(numbers[static_cast<std::size_t>(
                random.RandomBelow(static_cast<int>(numbers.size())))]);
        }
        for (std::size_t k = tiles.size(); k > 1; --k) {
            std::swap(tiles[k - 1],
                      tiles[static_cast<std::size_t>(random.RandomBelow(static_cast<int>(k)))]);
        }
        for (int i = 0; i < 6; ++i) {
            level[At(3 + i / 2, 2 + i % 2)] = tiles[static_cast<std::size_t>(i)];
        }
        std::vector<Cell> holdable;
        for (int c = 3; c < 6; ++c) {
            for (int r = 2; r < 4; ++r) {
                if (zk::IsHoldable(level[At(c, r)])) {
                    holdable.push_back({c, r});
                }
            }
        }
        if (holdable.empty()) {
            continue;
        }
        const Board board = MakeBoard(level, holdable[static_cast<std::size_t>(random.RandomBelow(
                                                 static_cast<int>(holdable.size())))]);
        const int most = MostInPlace(level);
        ASSERT_GE(most, 0);
        const auto r = zk::FindNearestSolution(board, Deterministic());
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_TRUE(r.optimal);
        ExpectReaches(board, r);
        EXPECT_EQ(r.inPlace, most);
        EXPECT_EQ(static_cast<int>(r.clicks.size()), FewestClicks(board, r.target));
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

// The hint guide asks the nearest solution its way and follows it to the end.
TEST(Nearest, GuidesTheHintToASolvedBoard) {
    LevelRecord level;
    level.fill(91);
    const zk::TileNumber loop[4] = {7, 6, 4, 5};
    for (int i = 0; i < 4; ++i) {
        level[At(3 + i % 2, 2 + i / 2)] = loop[(i + 1) % 4]; // every tile one place on
    }
    Board board = MakeBoard(level, {3, 2});
    zk::HintGuide guide;
    guide.SetQuery(zk::WayToNearestSolution);
    const auto moves = guide.FewestMoves(board);
    ASSERT_TRUE(moves);
    EXPECT_EQ(*moves, FewestClicks(board, zk::FindNearestSolution(board).target));
    for (int step = 0; step < *moves; ++step) {
        const auto next = guide.Next(board);
        ASSERT_TRUE(next);
        ASSERT_TRUE(board.SwapWithHeld(next->column, next->row).moved);
    }
    EXPECT_TRUE(board.IsSolved());
    EXPECT_FALSE(guide.Next(board));
}

TEST(Nearest, RefusesWhatCannotBePlayed) {
    LevelRecord level{};
    level[At(3, 3)] = 39;
    level[At(4, 3)] = 40; // a north end: no arrangement closes both
    Board board = MakeBoard(level, {3, 3});
    auto r = zk::FindNearestSolution(board, Deterministic());
    EXPECT_FALSE(r.found);
    EXPECT_TRUE(r.optimal);

    // Nothing to hold: no click is possible.
    LevelRecord empty{};
    board = MakeBoard(empty, {0, 0});
    r = zk::FindNearestSolution(board, Deterministic());
    EXPECT_FALSE(r.found);
    EXPECT_TRUE(r.clicks.empty());
}

} // namespace
