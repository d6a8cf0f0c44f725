#include "model/Hint.h"

namespace zk {

namespace {

bool SameBoard(const Board& a, const Board& b) {
    return a.cells == b.cells && a.held == b.held && a.hasHeld == b.hasHeld;
}

} // namespace

void HintGuide::SetQuery(NearestSolutionQuery query) {
    query_ = std::move(query);
    Forget();
}

void HintGuide::Forget() {
    boards_.clear();
    clicks_.clear();
}

std::optional<std::size_t> HintGuide::StepAt(const Board& board) const {
    for (std::size_t i = 0; i < boards_.size(); ++i) {
        if (SameBoard(boards_[i], board)) {
            return i;
        }
    }
    return std::nullopt;
}

bool HintGuide::Follow(const Board& board) {
    Forget();
    if (!query_) {
        return false;
    }
    const std::optional<WayToSolution> way = query_(board);
    if (!way) {
        return false;
    }
    Board walked = board;
    boards_.push_back(walked);
    for (const Cell& click : way->clicks) {
        if (!walked.SwapWithHeld(click.column, click.row).moved) {
            Forget(); // a way that cannot be played is no way
            return false;
        }
        boards_.push_back(walked);
        clicks_.push_back(click);
    }
    if (!walked.IsSolved()) {
        Forget();
        return false;
    }
    return true;
}

std::optional<Cell> HintGuide::Next(const Board& board) {
    std::optional<std::size_t> step = StepAt(board);
    if (!step) {
        if (!Follow(board)) {
            return std::nullopt;
        }
        step = 0;
    }
    if (*step >= clicks_.size()) {
        return std::nullopt; // the way's end: solved
    }
    return clicks_[*step];
}

std::optional<int> HintGuide::FewestMoves(const Board& board) {
    if (!StepAt(board) && !Follow(board)) {
        return std::nullopt;
    }
    return static_cast<int>(clicks_.size() - *StepAt(board));
}

} // namespace zk
