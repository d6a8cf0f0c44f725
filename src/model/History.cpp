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

namespace {

// Makes a step on the Board: forwards puts each cell as it is after the step,
// else as it was before. False for a cell off the Board.
bool Apply(const EditStep& step, Board& board, int& selection, bool forwards) {
    if (const auto* whole = std::get_if<BoardEdit>(&step)) {
        board.cells = forwards ? whole->after : whole->before;
        return true;
    }
    const Edit& edit = std::get<Edit>(step);
    if (!IsOnBoard(edit.cell.column, edit.cell.row)) {
        return false;
    }
    board.Set(edit.cell.column, edit.cell.row, forwards ? edit.after : edit.before);
    // Only a pick-up changed the selection; a placing leaves it to the palette.
    if (edit.selectionBefore != edit.selectionAfter) {
        selection = forwards ? edit.selectionAfter : edit.selectionBefore;
    }
    return true;
}

} // namespace

std::optional<EditStep> EditHistory::Undo(Board& board, int& selection) {
    const EditStep* last = steps_.LastDone();
    if (!last || !Apply(*last, board, selection, false)) {
        return std::nullopt;
    }
    const EditStep step = *last;
    steps_.MarkUndone();
    return step;
}

std::optional<EditStep> EditHistory::Redo(Board& board, int& selection) {
    const EditStep* next = steps_.NextRedo();
    if (!next || !Apply(*next, board, selection, true)) {
        return std::nullopt;
    }
    const EditStep step = *next;
    steps_.MarkRedone();
    return step;
}

} // namespace zk
