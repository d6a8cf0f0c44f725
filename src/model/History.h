// Undo and redo: the moves made on the level in play, and the editor's
// placings and pick-ups on the Board. Both belong to the level on the Board
// and are cleared when a level starts.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

#include "model/Board.h"

namespace zk {

// Steps done, and steps undone that a redo brings back until the next new
// step. The oldest steps are forgotten beyond a depth no player reaches.
template <class Step>
class UndoStack {
public:
    static constexpr std::size_t MaxDepth = 100'000;

    void Clear() {
        done_.clear();
        undone_.clear();
    }
    void Push(const Step& step) {
        undone_.clear();
        done_.push_back(step);
        if (done_.size() > MaxDepth) {
            done_.pop_front();
        }
    }
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    const Step* LastDone() const { return done_.empty() ? nullptr : &done_.back(); }
    const Step* NextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
    // Moves the last step done over to the redo side.
    void MarkUndone() {
        undone_.push_back(done_.back());
        done_.pop_back();
    }
    // Moves the step to redo back to the done side.
    void MarkRedone() {
        done_.push_back(undone_.back());
        undone_.pop_back();
    }

private:
    std::deque<Step> done_;
    std::vector<Step> undone_;
};

// One move: the held tile travelled from `from` to `to`, the clicked tile
// the other way.
struct Move {
    Cell from;
    Cell to;
    bool operator==(const Move&) const = default;
};

class MoveHistory {
public:
    void Clear();
    // A move just made on the Board; whatever was undone is forgotten.
    void Record(const Move& move);
    // Takes the last move back: the held tile returns where it came from.
    // The answer is the swap made (from the held cell before to after), or
    // none when there is nothing to undo or the Board is not where the
    // history left it.
    std::optional<Move> Undo(Board& board);
    // Makes the last undone move again.
    std::optional<Move> Redo(Board& board);
    bool CanUndo() const { return steps_.CanUndo(); }
    bool CanRedo() const { return steps_.CanRedo(); }
    // The moves on the way from the level's start to the Board: every move
    // made, less those undone.
    int Moves() const { return moves_; }

private:
    UndoStack<Move> steps_;
    int moves_ = 0;
};

// One click of the editor on the Board: the cell's tile and the palette
// selection before and after it. A placing keeps the selection; a pick-up
// takes the cell's tile into the selection and leaves the cell empty.
struct Edit {
    Cell cell;
    TileNumber before = EmptyTile;
    TileNumber after = EmptyTile;
    int selectionBefore = 0;
    int selectionAfter = 0;
    bool operator==(const Edit&) const = default;
};

// A level put on the Board whole, as a pasted level line does: every cell
// before and after it. The selection stays.
struct BoardEdit {
    LevelRecord before{};
    LevelRecord after{};
    bool operator==(const BoardEdit&) const = default;
};

using EditStep = std::variant<Edit, BoardEdit>;

class EditHistory {
public:
    void Clear() { steps_.Clear(); }
    void Record(const EditStep& step) { steps_.Push(step); }
    // Puts the Board back as it was before the last edit, and the selection
    // too when the edit was a pick-up; none when there is nothing to undo.
    std::optional<EditStep> Undo(Board& board, int& selection);
    std::optional<EditStep> Redo(Board& board, int& selection);
    bool CanUndo() const { return steps_.CanUndo(); }
    bool CanRedo() const { return steps_.CanRedo(); }

private:
    UndoStack<EditStep> steps_;
};

} // namespace zk
