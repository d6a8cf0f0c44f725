#include "Controller.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "BoardView.h"
#include "Editor.h"
#include "EditorTexts.h"
#include "LiveCheck.h"
#include "Texts.h"
#include "Toolbar.h"
#include "platform/Modal.h"
#include "platform/Sound.h"

namespace zk {

namespace {

// Whether a question, when its form is there, was answered No, or could not
// ask because it is open already.
bool Declined(TMessageDialog* form) {
    if (!form) {
        return false;
    }
    const platform::ModalResult answer = form->ShowModal();
    return answer == platform::mrNo || answer == platform::mrRefused;
}

} // namespace

GameController::GameController(GameState& state, WindowState& windowState, RandomSource& random,
                               BoardView& view, Toolbar& toolbar, const TForms& forms,
                               platform::SoundPlayer& sound, QWidget* window)
    : state_(state), windowState_(windowState), random_(random), view_(view), toolbar_(toolbar),
      forms_(forms), sound_(sound), window_(window),
      liveCheck_(std::make_unique<LiveCheck>(
          [this](const LevelRecord& level, const EditorVerdict& verdict) {
              ShowVerdict(level, verdict);
          })) {}

GameController::~GameController() = default;

bool GameController::StartLevel(int n) {
    // Another level, from a test-play: the editor comes back first, so that
    // its edits are asked about as ever.
    EndTestPlay();
    // Challenge play with a move asks before the level is given up.
    if (state_.gameMode == ChallengeMode && state_.boardState == PlayState && state_.moved &&
        Declined(forms_.Message(Message::RestartDlg))) {
        return false;
    }
    // An edited Board is taken over into its level only on OK.
    if (state_.boardState == EditingState && state_.edited) {
        TMessageDialog* take = forms_.Message(Message::TakeDlg);
        const platform::ModalResult answer = take ? take->ShowModal() : platform::mrCancel;
        if (answer == platform::mrRefused) {
            return false;
        }
        if (answer == platform::mrOk) {
            state_.levels.StoreBoard(state_.board.cells);
            state_.levelsChanged = true;
        }
        state_.edited = false;
    }
    state_.levels.SetCurrentLevel(n);
    state_.board.Prepare(state_.levels.LevelAt(n), state_.gameMode, random_);
    levelInPlay_ = n;
    startBoard_ = state_.board;
    state_.history.Clear();
    state_.edits.Clear();
    state_.hintsUsed = 0;
    state_.solvedInMoves.reset();
    state_.fewestMoves.reset();
    hints_.Forget();
    view_.DrawAllCells();
    state_.moved = false;
    SetBoardState(state_.gameMode == EditorMode ? EditingState : PlayState);
    UpdateCaption();
    return true;
}

bool GameController::GoToLevel(int n) {
    const bool started = StartLevel(n);
    MoveLevelScroll(state_.levels.CurrentLevel());
    UpdateCaption();
    return started;
}

void GameController::SetBoardState(BoardState s) {
    state_.boardState = s;
    toolbar_.ShowFor(s);
    if (testPlay_) {
        // A test-play keeps the progress and the saved game as they are.
        toolbar_.NewGameBtn->hide();
        toolbar_.LoadBtn->hide();
    }
    if (forms_.editform) {
        forms_.editform->setVisible(s == EditingState);
    }
    ApplyLanguage();
}

void GameController::UpdateCaption() {
    const std::string caption =
        testPlay_ ? TestPlayCaptionText(state_.language)
                  : CaptionText(state_.gameMode, state_.language, state_.savedGamePath);
    view_.levelboxPaint();
    window_->setWindowTitle(QString::fromStdString(caption));
}

void GameController::OnSolved() {
    if (state_.boardState == EditingState) {
        return;
    }
    PlaySound(platform::Sound::Solved);
    // The count the level indicator's hint tells from now on.
    state_.solvedInMoves = state_.history.Moves();
    state_.fewestMoves = hints_.FewestMoves(startBoard_);
    SetBoardState(SolvedState);
    if (TMessageDialog* solved = forms_.Message(Message::SolvedDlg)) {
        solved->ShowModal();
    }
    if (testPlay_) {
        EndTestPlay();
        return;
    }
    if (state_.gameMode == PracticeMode) {
        return;
    }
    const bool allJustSolved = state_.levels.RecordSolve();
    view_.levelboxPaint();
    UpdateCaption();
    view_.DrawProgressBar();
    if (TMessageDialog* allSolved = forms_.Message(Message::AllSolvedDlg);
        allJustSolved && allSolved) {
        allSolved->ShowModal();
    }
}

void GameController::ApplyLanguage() {
    toolbar_.ApplyLanguage(state_.language);
    UpdateCaption();
    RefreshCheck();
}

void GameController::PlaySound(platform::Sound sound) {
    platform::PlayGameSound(sound_, sound, toolbar_.SoundOn(), windowState_.programDirectory);
}

void GameController::Repaint() {
    if (!view_.SheetsLoaded()) {
        return;
    }
    view_.DrawBackground();
    view_.DrawAllCells();
    view_.levelboxPaint();
    UpdateCaption();
    view_.DrawProgressBar();
}

void GameController::BoardClick(Qt::MouseButton button, int x, int y) {
    view_.SetCursor(std::nullopt);
    if (const std::optional<Cell> cell = BoardView::CellAt(x, y)) {
        CellClick(button, *cell);
    }
}

void GameController::CellClick(Qt::MouseButton button, Cell cell) {
    switch (state_.boardState) {
    case PlayState: {
        // Any button moves; the held tile travels to the clicked cell.
        const MoveResult move = state_.board.SwapWithHeld(cell.column, cell.row);
        if (!move.moved) {
            return;
        }
        state_.history.Record({move.previousHeld, cell});
        AfterMove(cell, move.previousHeld);
        break;
    }
    case EditingState:
        EditingClick(button, cell);
        break;
    default:
        break;
    }
}

void GameController::AfterMove(Cell held, Cell previous) {
    PlaySound(platform::Sound::Move);
    view_.DrawCell(held.column, held.row);
    view_.DrawCell(previous.column, previous.row);
    state_.moved = true;
    view_.UpdateLevelHint();
    if (state_.board.IsSolved()) {
        OnSolved();
    }
}

void GameController::EditingClick(Qt::MouseButton button, Cell cell) {
    int& selection = windowState_.paletteSelection;
    // What the click changes is kept for undo and redo.
    const TileNumber tileBefore = state_.board.At(cell.column, cell.row);
    const int selectionBefore = selection;
    if (button == Qt::LeftButton) {
        // The selection is placed.
        state_.board.Set(cell.column, cell.row, static_cast<TileNumber>(selection));
        view_.DrawCell(cell.column, cell.row);
        state_.edited = true;
        state_.edits.Record(Edit{cell, tileBefore, state_.board.At(cell.column, cell.row),
                                 selectionBefore, selection});
    } else if (button == Qt::RightButton) {
        // The tile is lifted off the Board into the selection.
        if (forms_.editform) {
            forms_.editform->DrawPaletteCell(selection);
        }
        selection = state_.board.At(cell.column, cell.row);
        if (forms_.editform) {
            forms_.editform->DrawSelectionCross();
        }
        state_.board.Set(cell.column, cell.row, EmptyTile);
        view_.DrawCell(cell.column, cell.row);
        state_.edited = true;
        state_.edits.Record(Edit{cell, tileBefore, EmptyTile, selectionBefore, selection});
    }
    // The face tells at once whether the Board as drawn is solved.
    view_.levelboxPaint();
    RefreshCheck();
}

void GameController::PalettePick(int n) {
    windowState_.paletteSelection = n;
}

void GameController::Tick() {
    windowState_.animationFrame = (windowState_.animationFrame + 1) % 8;
    view_.DrawHeldCell();
    view_.TickOverlays();
}

void GameController::MoveLevelScroll(int position) {
    const QSignalBlocker quiet(toolbar_.levelscroll);
    toolbar_.levelscroll->setValue(position);
}

void GameController::SetLevelScrollMaximum(int maximum) {
    const QSignalBlocker quiet(toolbar_.levelscroll);
    toolbar_.levelscroll->setMaximum(maximum);
}

void GameController::LevelScrollChange() {
    // Declined, the bar goes back to the level in play.
    GoToLevel(toolbar_.levelscroll->value());
}

void GameController::Restart() {
    if (testPlay_) {
        // The edited board once more, newly scrambled.
        StartTestPlay();
        return;
    }
    if (state_.gameMode == ChallengeMode && state_.boardState == PlayState &&
        Declined(forms_.Message(Message::RestartDlg))) {
        return;
    }
    StartLevel(state_.levels.CurrentLevel());
}

void GameController::NewGame() {
    if (state_.gameMode == ChallengeMode && state_.boardState == PlayState &&
        Declined(forms_.Message(Message::GiveUpDlg))) {
        return;
    }
    auto& levels = state_.levels;
    levels.ResetProgress();
    if (!GoToLevel(1)) {
        // The player kept the level in play: its number stays with it, so a
        // later solve records the level actually solved.
        levels.SetCurrentLevel(levelInPlay_);
        MoveLevelScroll(levelInPlay_);
    }
    UpdateCaption();
    view_.DrawProgressBar();
}

void GameController::ChangeMode() {
    SwitchMode(state_.gameMode == EditorMode ? ChallengeMode : EditorMode);
}

void GameController::EnterPracticeMode() {
    if (state_.gameMode != PracticeMode) {
        SwitchMode(PracticeMode);
    }
}

void GameController::SwitchMode(GameMode next) {
    state_.gameMode = next;
    if (TMessageDialog* change = forms_.Message(Message::ChangeModeDlg)) {
        change->NewMode = state_.gameMode;
        change->ShowModal();
    }
    // The level is left in the old board state (asking what that state
    // asks), then started once more in the new one.
    StartLevel(state_.levels.CurrentLevel());
    SetBoardState(state_.gameMode == EditorMode ? EditingState : PlayState);
    StartLevel(state_.levels.CurrentLevel());
}

void GameController::NextUnsolved() {
    if (const std::optional<int> level = state_.levels.FindNextUnsolved()) {
        GoToLevel(*level);
    }
}

void GameController::PreviousUnsolved() {
    if (const std::optional<int> level = state_.levels.FindPreviousUnsolved()) {
        GoToLevel(*level);
    }
}

void GameController::InsertLevel() {
    auto& levels = state_.levels;
    if (levels.LevelCount() >= MaxLevels) {
        return;
    }
    levels.InsertLevel(state_.board.cells);
    state_.board.Clear();
    view_.DrawAllCells();
    // The new level starts, after the question about the one left.
    SetLevelScrollMaximum(levels.LevelCount());
    GoToLevel(levels.CurrentLevel());
    view_.DrawProgressBar();
    state_.moved = true;
    state_.edited = true;
}

void GameController::DeleteLevel() {
    auto& levels = state_.levels;
    if (levels.LevelCount() == 0) {
        return;
    }
    levels.DeleteLevel();
    state_.board.cells = levels.LevelAt(levels.CurrentLevel());
    state_.edits.Clear();
    levelInPlay_ = levels.CurrentLevel();
    view_.DrawAllCells();
    state_.moved = false;
    // With the last level deleted, the new last one starts once more, after
    // the question about the edits.
    const bool wasLast = toolbar_.levelscroll->value() > levels.LevelCount();
    SetLevelScrollMaximum(levels.LevelCount());
    if (wasLast) {
        GoToLevel(levels.CurrentLevel());
    }
    view_.DrawProgressBar();
    SetBoardState(EditingState);
    state_.edited = true;
}

void GameController::Undo() {
    if (state_.boardState == PlayState) {
        if (const auto move = state_.history.Undo(state_.board)) {
            AfterMove(move->to, move->from);
        }
    } else if (state_.boardState == EditingState) {
        const int selection = windowState_.paletteSelection;
        if (const auto edit = state_.edits.Undo(state_.board, windowState_.paletteSelection)) {
            AfterEdit(*edit, selection);
        }
    }
}

void GameController::Redo() {
    if (state_.boardState == PlayState) {
        if (const auto move = state_.history.Redo(state_.board)) {
            AfterMove(move->to, move->from);
        }
    } else if (state_.boardState == EditingState) {
        const int selection = windowState_.paletteSelection;
        if (const auto edit = state_.edits.Redo(state_.board, windowState_.paletteSelection)) {
            AfterEdit(*edit, selection);
        }
    }
}

void GameController::AfterEdit(const EditStep& step, int selectionBefore) {
    if (const Edit* edit = std::get_if<Edit>(&step)) {
        view_.DrawCell(edit->cell.column, edit->cell.row);
    } else {
        view_.DrawAllCells();
    }
    if (forms_.editform && selectionBefore != windowState_.paletteSelection) {
        forms_.editform->DrawPaletteCell(selectionBefore);
        forms_.editform->DrawSelectionCross();
    }
    state_.edited = true;
    view_.levelboxPaint();
    RefreshCheck();
}

void GameController::MoveCursor(int dc, int dr) {
    Cell at = view_.Cursor().value_or(Cell{Columns / 2, Rows / 2});
    if (!view_.Cursor() && state_.boardState != EditingState && state_.board.hasHeld) {
        at = state_.board.held;
    }
    at.column = std::clamp(at.column + dc, 0, Columns - 1);
    at.row = std::clamp(at.row + dr, 0, Rows - 1);
    view_.SetCursor(at);
}

void GameController::CursorClick(Qt::MouseButton button) {
    if (const std::optional<Cell> cell = view_.Cursor()) {
        CellClick(button, *cell);
    }
}

void GameController::SetNearestSolutionQuery(NearestSolutionQuery query) {
    hints_.SetQuery(std::move(query));
}

void GameController::Hint() {
    if (state_.boardState != PlayState) {
        return;
    }
    const std::optional<Cell> next = hints_.Next(state_.board);
    if (!next) {
        return;
    }
    ++state_.hintsUsed;
    view_.SetCursor(*next);
    view_.Pulse(*next);
    view_.UpdateLevelHint();
}

void GameController::ToggleConnectionMarks() {
    windowState_.connectionMarks = !windowState_.connectionMarks;
    view_.SetConnectionMarks(windowState_.connectionMarks);
    RefreshCheck();
}

void GameController::StepLevel(int delta) {
    // Beyond either end nothing starts.
    const QScrollBar& bar = *toolbar_.levelscroll;
    const int level = std::clamp(bar.value() + delta, bar.minimum(), bar.maximum());
    if (level != bar.value()) {
        GoToLevel(level);
    }
}

} // namespace zk
