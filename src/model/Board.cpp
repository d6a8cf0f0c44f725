#include "model/Board.h"

#include <algorithm>

namespace zk {

namespace {

TileNumber TileAt(const LevelRecord& record, int column, int row) {
    // A neighbour beyond the border counts as the empty tile.
    return IsOnBoard(column, row) ? record[static_cast<std::size_t>(CellIndex(column, row))]
                                  : EmptyTile;
}

Cell DrawMovableCell(const LevelRecord& cells, RandomSource& random) {
    for (;;) {
        const int column = random.RandomBelow(Columns);
        const int row = random.RandomBelow(Rows);
        if (IsMovable(cells[static_cast<std::size_t>(CellIndex(column, row))])) {
            return {column, row};
        }
    }
}

} // namespace

bool IsSolved(const LevelRecord& record) {
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const Edges e = TileEdges(TileAt(record, c, r));
            if (e[East] != TileEdges(TileAt(record, c + 1, r))[West] ||
                e[West] != TileEdges(TileAt(record, c - 1, r))[East] ||
                e[South] != TileEdges(TileAt(record, c, r + 1))[North] ||
                e[North] != TileEdges(TileAt(record, c, r - 1))[South]) {
                return false;
            }
        }
    }
    return true;
}

bool IsArrangementOf(const LevelRecord& arrangement, const LevelRecord& level) {
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (!IsMovable(level[i]) && arrangement[i] != level[i]) {
            return false;
        }
    }
    LevelRecord a = arrangement;
    LevelRecord b = level;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

bool Board::IsSolved() const {
    return zk::IsSolved(cells);
}

void Board::Scramble(RandomSource& random) {
    // Without a movable tile the draws below would never end.
    if (std::none_of(cells.begin(), cells.end(), [](TileNumber t) { return IsMovable(t); })) {
        return;
    }
    for (int i = 0; i < ScrambleExchanges; ++i) {
        const Cell first = DrawMovableCell(cells, random);
        const Cell second = DrawMovableCell(cells, random);
        std::swap(cells[Index(first.column, first.row)], cells[Index(second.column, second.row)]);
    }
}

void Board::ChooseHeldCell(RandomSource& random) {
    hasHeld = std::any_of(cells.begin(), cells.end(), [](TileNumber t) { return IsHoldable(t); });
    if (!hasHeld) {
        return;
    }
    do {
        held.column = random.RandomBelow(Columns);
        held.row = random.RandomBelow(Rows);
    } while (!IsHoldable(HeldTile()));
}

void Board::Prepare(const LevelRecord& record, GameMode gameMode, RandomSource& random) {
    cells = record;
    if (gameMode == EditorMode) {
        return;
    }
    Scramble(random);
    ChooseHeldCell(random);
}

MoveResult Board::SwapWithHeld(int column, int row) {
    if (!hasHeld || !IsOnBoard(column, row)) {
        return {};
    }
    const Cell target{column, row};
    if (target == held) {
        return {};
    }
    const TileNumber clicked = At(column, row);
    if (!IsMovable(clicked)) {
        return {};
    }
    const Cell previous = held;
    Set(column, row, HeldTile());
    Set(previous.column, previous.row, clicked);
    held = target;
    return {true, previous};
}

} // namespace zk
