// The editor's additions to the game controller: the test-play of the board
// being drawn, its level line to and from the clipboard, and the live check.
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "BoardView.h"
#include "Controller.h"
#include "EditorTexts.h"
#include "LiveCheck.h"
#include "files/LevelText.h"
#include "platform/Modal.h"

namespace zk {

void GameController::TestPlay() {
    if (state_.boardState != EditingState || testPlay_) {
        return;
    }
    const LevelRecord& cells = state_.board.cells;
    if (std::none_of(cells.begin(), cells.end(), IsHoldable)) {
        platform::ShowError(QString::fromStdString(NothingToTestPlayText(state_.language)),
                            window_);
        return;
    }
    testPlay_ = EditorKept{
        state_.board,  state_.edits, state_.edited, state_.moved, windowState_.paletteSelection,
        view_.Cursor()};
    // Played as practice is: a solve records nothing.
    state_.gameMode = PracticeMode;
    StartTestPlay();
}

void GameController::StartTestPlay() {
    // A level start as any other: the hint's searches run on this board.
    view_.DropMotion();
    BeginLevel(testPlay_->board.cells);
}

void GameController::EndTestPlay() {
    if (!testPlay_) {
        return;
    }
    view_.DropMotion();
    view_.StopPulse();
    ForgetHintSearch();
    EditorKept kept = std::move(*testPlay_);
    testPlay_.reset();
    state_.gameMode = EditorMode;
    StartFewestSearch(); // cancels the test-play's: the editor searches nothing
    state_.board = kept.board;
    state_.edits = std::move(kept.edits);
    state_.edited = kept.edited;
    state_.moved = kept.moved;
    windowState_.paletteSelection = kept.paletteSelection;
    state_.history.Clear();
    state_.hintsUsed = 0;
    state_.solvedInMoves.reset();
    state_.fewestMoves.reset();
    hints_.Forget();
    startBoard_ = state_.board;
    view_.SetCursor(kept.cursor);
    view_.DrawAllCells();
    SetBoardState(EditingState);
}

void GameController::CopyLevel() {
    if (state_.boardState != EditingState) {
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(files::LevelToText(state_.board.cells)));
}

void GameController::PasteLevel() {
    if (state_.boardState != EditingState) {
        return;
    }
    const files::LevelTextRead read =
        files::LevelFromText(QGuiApplication::clipboard()->text().toStdString());
    if (!read.level) {
        platform::ShowError(QString::fromStdString(PasteRefusedText(state_.language, read.error)),
                            window_);
        return;
    }
    if (*read.level == state_.board.cells) {
        return;
    }
    state_.edits.Record(BoardEdit{state_.board.cells, *read.level});
    state_.board.cells = *read.level;
    view_.DrawAllCells();
    state_.edited = true;
    view_.levelboxPaint();
    RefreshCheck();
}

void GameController::RefreshCheck() {
    if (state_.boardState != EditingState) {
        liveCheck_->Cancel(); // the feedback line is not the check's
        return;
    }
    if (!windowState_.connectionMarks) {
        liveCheck_->Cancel();
        view_.ClearStatus();
        return;
    }
    if (const auto known = liveCheck_->Known(state_.board.cells)) {
        liveCheck_->Cancel();
        view_.SetStatus(CheckVerdictText(state_.language, *known));
        return;
    }
    view_.SetStatus(CheckPendingText);
    liveCheck_->Check(state_.board.cells);
}

void GameController::ShowVerdict(const LevelRecord& level, const EditorVerdict& verdict) {
    if (state_.boardState == EditingState && windowState_.connectionMarks &&
        level == state_.board.cells) {
        view_.SetStatus(CheckVerdictText(state_.language, verdict));
    }
}

} // namespace zk
