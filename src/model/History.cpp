#include "model/History.h"

namespace zk {

void MoveHistory::Clear() {
    steps_.Clear();
    moves_ = 0;
}

void MoveHistory::Record(const Move& move) {
    steps_.Push(move);
    ++moves_;
}

std::optional<Move> MoveHistory::Undo(Board& board) {
    const Move* last = steps_.LastDone();
    if (!last || board.held != last->to) {
        return std::nullopt;
    }
    const Move move = *last;
    // Clicking the cell the held tile came from swaps the two tiles back.
    if (!board.SwapWithHeld(move.from.column, move.from.row).moved) {
        return std::nullopt;
    }
    steps_.MarkUndone();
    --moves_;
    return Move{move.to, move.from};
}

std::optional<Move> MoveHistory::Redo(Board& board) {
    const Move* next = steps_.NextRedo();
    if (!next || board.held != next->from) {
        return std::nullopt;
    }
    const Move move = *next;
    if (!board.SwapWithHeld(move.to.column, move.to.row).moved) {
        return std::nullopt;
    }
    steps_.MarkRedone();
    ++moves_;
    return move;
}

std::optional<Edit> EditHistory::Undo(Board& board, int& selection) {
    const Edit* last = steps_.LastDone();
    if (!last || !IsOnBoard(last->cell.column, last->cell.row)) {
        return std::nullopt;
    }
    const Edit edit = *last;
    board.Set(edit.cell.column, edit.cell.row, edit.before);
    // Only a pick-up changed the selection; a placing leaves it to the palette.
    if (edit.selectionBefore != edit.selectionAfter) {
        selection = edit.selectionBefore;
    }
    steps_.MarkUndone();
    return edit;
}

std::optional<Edit> EditHistory::Redo(Board& board, int& selection) {
    const Edit* next = steps_.NextRedo();
    if (!next || !IsOnBoard(next->cell.column, next->cell.row)) {
        return std::nullopt;
    }
    const Edit edit = *next;
    board.Set(edit.cell.column, edit.cell.row, edit.after);
    if (edit.selectionBefore != edit.selectionAfter) {
        selection = edit.selectionAfter;
    }
    steps_.MarkRedone();
    return edit;
}

} // namespace zk
