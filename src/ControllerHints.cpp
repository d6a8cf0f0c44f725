// The game controller's hint and feedback: the searches off the window's
// thread, what H shows, and the feedback mode's line in the board's frame.
#include <QWidget>

#include "BoardView.h"
#include "Controller.h"
#include "Texts.h"
#include "model/Catalogue.h"
#include "model/Deducer.h"
#include "model/Nearest.h"
#include "model/OpenEnds.h"

namespace zk {

namespace {

bool SameBoard(const Board& a, const Board& b) {
    return a.cells == b.cells && a.held == b.held && a.hasHeld == b.hasHeld;
}

// An answer this quick needs no busy cursor; the window waits for it.
constexpr std::chrono::milliseconds QuickAnswer{25};

HintAnswer FromWay(const std::optional<WayToSolution>& way) {
    HintAnswer answer;
    if (way) {
        answer.verdict = HintVerdict::Found;
        answer.clicks = way->clicks;
        answer.nearest = true;
    }
    return answer;
}

} // namespace

void GameController::SetNearestSolutionQuery(NearestSolutionQuery query) {
    query_ = std::move(query);
}

HintWorker::Search GameController::HintSearch() const {
    if (query_) {
        return [query = query_](const Board& board, const std::atomic<bool>&) {
            return FromWay(query(board));
        };
    }
    return [](const Board& board, const std::atomic<bool>& cancel) {
        HintLimits limits;
        limits.cancel = &cancel;
        return FindHint(board, limits);
    };
}

HintWorker::Search GameController::FewestSearch() const {
    if (query_) {
        return HintSearch();
    }
    // Only the nearest solution's way counts as the fewest moves.
    return [](const Board& board, const std::atomic<bool>& cancel) {
        NearestLimits limits;
        limits.cancel = &cancel;
        const NearestResult nearest = FindNearestSolution(board, limits);
        HintAnswer answer;
        if (nearest.found) {
            answer.verdict = HintVerdict::Found;
            answer.clicks = nearest.clicks;
            answer.nearest = true;
        } else if (nearest.optimal) {
            answer.verdict = HintVerdict::Unsolvable;
        }
        return answer;
    };
}

void GameController::StartFewestSearch() {
    startSearch_.Cancel();
    fewestFromStart_.reset();
    fewestSearched_ = false;
    if (state_.gameMode == EditorMode || !state_.board.hasHeld) {
        return;
    }
    deduction_.reset();
    // The rules' deduction depends on the level's tiles alone; it is worked
    // out once per level, on the worker, after the fewest moves.
    auto deduction = std::make_shared<Deduction>();
    HintWorker::Search search = [fewest = FewestSearch(),
                                 deduction](const Board& board, const std::atomic<bool>& cancel) {
        HintAnswer answer = fewest(board, cancel);
        if (!cancel) {
            DeduceOptions options;
            options.whatIfLimit = 8;
            *deduction = Deduce(board.cells, options);
        }
        return answer;
    };
    startSearch_.Ask(startBoard_, std::move(search),
                     [this, deduction](const Board& board, const HintAnswer& a) {
                         deduction_ = deduction;
                         FewestFound(board, a);
                     });
}

void GameController::FewestFound(const Board& board, const HintAnswer& answer) {
    fewestSearched_ = true;
    if (answer.verdict == HintVerdict::Found && answer.nearest) {
        fewestFromStart_ = static_cast<int>(answer.clicks.size());
    }
    // The way serves the hint too while the Board is still the start's.
    if (answer.verdict == HintVerdict::Found && state_.boardState == PlayState &&
        SameBoard(board, state_.board) && !hints_.Known(board)) {
        hints_.Accept(board, answer);
    }
    if (state_.boardState == SolvedState && state_.solvedInMoves && !state_.fewestMoves) {
        state_.fewestMoves = fewestFromStart_;
        view_.UpdateLevelHint();
    }
    RefreshStatus();
}

void GameController::Hint() {
    if (state_.boardState != PlayState || state_.board.IsSolved()) {
        return;
    }
    if (const std::optional<HintVerdict> known = hints_.Known(state_.board)) {
        ShowHint(*known);
        return;
    }
    if (const std::optional<Board> asking = hintSearch_.Asking();
        asking && SameBoard(*asking, state_.board)) {
        return; // still thinking about this Board
    }
    hintSearch_.Ask(state_.board, HintSearch(),
                    [this](const Board& board, const HintAnswer& a) { HintAnswered(board, a); });
    if (!hintSearch_.Wait(QuickAnswer)) {
        window_->setCursor(Qt::BusyCursor);
    }
}

void GameController::HintAnswered(const Board& board, const HintAnswer& answer) {
    window_->unsetCursor();
    if (state_.boardState != PlayState || !SameBoard(board, state_.board)) {
        return;
    }
    hints_.Accept(board, answer);
    ShowHint(hints_.Known(board).value_or(HintVerdict::GaveUp));
}

void GameController::ShowHint(HintVerdict verdict) {
    if (verdict == HintVerdict::Found) {
        const std::optional<Cell> next = hints_.Next(state_.board);
        if (!next) {
            return;
        }
        ++state_.hintsUsed;
        state_.hintVerdict.reset();
        state_.hintReason = ReasonFor(state_.board, *next);
        view_.SetCursor(*next);
        view_.Pulse(*next);
        view_.UpdateLevelHint();
        RefreshStatus();
        return;
    }
    // No way to show: the level indicator's hint says why, at once.
    state_.hintVerdict = verdict;
    view_.UpdateLevelHint();
    view_.ShowLevelHint();
    RefreshStatus();
}

void GameController::ForgetHintSearch() {
    hintSearch_.Cancel();
    window_->unsetCursor();
    state_.hintVerdict.reset();
    state_.hintReason.reset();
}

std::optional<Rule> GameController::ReasonFor(const Board& board, Cell next) const {
    if (!deduction_) {
        return std::nullopt;
    }
    // The click swaps the held tile with next's: either tile may be the one
    // the rules put where it lands.
    const auto decides = [&](Cell cell, TileNumber tile) -> std::optional<Rule> {
        const std::optional<CellReason> reason = ExplainCell(*deduction_, cell);
        if (reason && reason->rule != Rule::None && reason->edges == TileEdges(tile)) {
            return reason->rule;
        }
        return std::nullopt;
    };
    if (const auto rule = decides(board.held, board.At(next.column, next.row))) {
        return rule;
    }
    return decides(next, board.HeldTile());
}

void GameController::RefreshStatus() {
    if (state_.boardState == EditingState) {
        return;
    }
    if (!windowState_.connectionMarks) {
        view_.ClearStatus();
        return;
    }
    const std::optional<int> shortest = fewestSearched_ ? fewestFromStart_ : std::nullopt;
    const std::optional<Rule> reason =
        state_.boardState == PlayState ? state_.hintReason : std::nullopt;
    view_.SetStatus(FeedbackStatusText(state_.language, state_.history.Moves(), shortest,
                                       OpenEndCount(state_.board.cells), reason));
}

} // namespace zk
