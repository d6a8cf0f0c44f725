#include "model/Hint.h"

namespace zk {

namespace {

bool SameBoard(const Board& a, const Board& b) {
    return a.cells == b.cells && a.held == b.held && a.hasHeld == b.hasHeld;
}

} // namespace

void HintGuide::SetQuery(NearestSolutionQuery query) {
    if (!query) {
        SetQuery(HintQuery{});
        return;
    }
    SetQuery([query = std::move(query)](const Board& board) {
        HintAnswer answer;
        if (std::optional<WayToSolution> way = query(board)) {
            answer.verdict = HintVerdict::Found;
            answer.clicks = std::move(way->clicks);
        }
        return answer;
    });
}

void HintGuide::SetQuery(HintQuery query) {
    query_ = std::move(query);
    Forget();
}

void HintGuide::Forget() {
    boards_.clear();
    clicks_.clear();
    settled_.reset();
}

std::optional<std::size_t> HintGuide::StepAt(const Board& board) const {
    for (std::size_t i = 0; i < boards_.size(); ++i) {
        if (SameBoard(boards_[i], board)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<HintVerdict> HintGuide::Known(const Board& board) const {
    if (StepAt(board)) {
        return HintVerdict::Found;
    }
    if (settled_ && SameBoard(*settled_, board)) {
        return settledVerdict_;
    }
    return std::nullopt;
}

bool HintGuide::Keep(const Board& board, const HintAnswer& answer) {
    Forget();
    if (answer.verdict == HintVerdict::Found) {
        Board walked = board;
        boards_.push_back(walked);
        bool playable = true;
        for (const Cell& click : answer.clicks) {
            if (!walked.SwapWithHeld(click.column, click.row).moved) {
                playable = false; // a way that cannot be played is no way
                break;
            }
            boards_.push_back(walked);
            clicks_.push_back(click);
        }
        if (playable && walked.IsSolved()) {
            return true;
        }
        boards_.clear();
        clicks_.clear();
    }
    settled_ = board;
    settledVerdict_ =
        answer.verdict == HintVerdict::Unsolvable ? HintVerdict::Unsolvable : HintVerdict::GaveUp;
    return false;
}

void HintGuide::Accept(const Board& board, const HintAnswer& answer) {
    Keep(board, answer);
}

bool HintGuide::Follow(const Board& board) {
    if (const std::optional<HintVerdict> known = Known(board)) {
        return *known == HintVerdict::Found;
    }
    if (!query_) {
        return false;
    }
    return Keep(board, query_(board));
}

HintVerdict HintGuide::Verdict(const Board& board) {
    Follow(board);
    return Known(board).value_or(HintVerdict::GaveUp);
}

std::optional<Cell> HintGuide::Next(const Board& board) {
    if (!Follow(board)) {
        return std::nullopt;
    }
    const std::size_t step = *StepAt(board);
    if (step >= clicks_.size()) {
        return std::nullopt; // the way's end: solved
    }
    return clicks_[step];
}

std::optional<int> HintGuide::FewestMoves(const Board& board) {
    if (!Follow(board)) {
        return std::nullopt;
    }
    return static_cast<int>(clicks_.size() - *StepAt(board));
}

} // namespace zk
