#include "Controller.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "BoardView.h"
#include "CodeLevels.h"
#include "Editor.h"
#include "EditorTexts.h"
#include "LiveCheck.h"
#include "Texts.h"
#include "Toolbar.h"
#include "dialogs/CodeDlg.h"
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
          })),
      maker_(
          std::make_unique<CodeLevelMaker>([this](const LevelCode& code, const LevelRecord& level) {
              StartCodeLevel(code, level);
          })) {}

GameController::~GameController() = default;

bool GameController::MayLeaveLevel() {
    // A solve still shining counts before the level is left.
    CountPendingSolve();
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
    return true;
}

bool GameController::StartLevel(int n) {
    if (!MayLeaveLevel()) {
        return false;
    }
    state_.levels.SetCurrentLevel(n);
    levelInPlay_ = n;
    codeInPlay_.reset();
    state_.levelCode.clear();
    BeginLevel(state_.levels.LevelAt(n));
    return true;
}

bool GameController::StartCodeLevel(const LevelCode& code, const LevelRecord& level) {
    if (state_.gameMode == EditorMode || testPlay_ || !MayLeaveLevel()) {
        return false;
    }
    codeInPlay_ = code;
    state_.levelCode = FormatLevelCode(code);
    BeginLevel(level);
    return true;
}

void GameController::BeginLevel(const LevelRecord& level) {
    levelRecord_ = level;
    state_.board.Prepare(level, state_.gameMode, random_);
    startBoard_ = state_.board;
    state_.history.Clear();
    state_.edits.Clear();
    state_.hintsUsed = 0;
    state_.solvedInMoves.reset();
    state_.fewestMoves.reset();
    // A test-play of the editor's board records nothing and tells no record.
    state_.bestMoves =
        state_.gameMode == EditorMode || testPlay_ ? std::nullopt : RecordedBest(levelRecord_);
    hints_.Forget();
    ForgetHintSearch();
    // The frames of the keyboard and the hint wait for an arrow key or H.
    view_.SetCursor(std::nullopt);
    view_.StopPulse();
    view_.DrawAllCells();
    state_.moved = false;
    StartFewestSearch();
    SetBoardState(state_.gameMode == EditorMode ? EditingState : PlayState);
    UpdateCaption();
}

int GameController::LevelAfterCode(int n) const {
    return codeInPlay_ ? state_.levels.CurrentLevel() : n;
}

void GameController::NewCodeLevel() {
    TCodeDlg* form = forms_.CodeDlg.Get();
    if (!form || state_.gameMode == EditorMode) {
        return;
    }
    form->SetCodeInPlay(state_.levelCode);
    if (form->ShowModal() == platform::mrOk && form->Chosen()) {
        RequestCodeLevel(*form->Chosen());
    }
}

void GameController::RequestCodeLevel(const LevelCode& code) {
    maker_->Request(code);
}

bool GameController::GoToLevel(int n) {
    const bool started = StartLevel(n);
    MoveLevelScroll(state_.levels.CurrentLevel());
    UpdateCaption();
    return started;
}

void GameController::SetBoardState(BoardState s) {
    state_.boardState = s;
    if (s == EditingState) {
        view_.ClearStatus(); // the editor's own line, when it has one
    }
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

void GameController::OnSolved(bool asking) {
    if (state_.boardState == EditingState) {
        return;
    }
    ForgetHintSearch();
    if (asking) {
        PlaySound(platform::Sound::Solved);
    }
    // The count the level indicator's hint tells from now on; the fewest
    // count follows when its search ends later.
    state_.solvedInMoves = state_.history.Moves();
    if (!fewestSearched_) {
        startSearch_.Wait(std::chrono::milliseconds(40));
    }
    state_.fewestMoves = fewestFromStart_;
    if (!testPlay_) {
        state_.bestMoves =
            NotePlay(levelRecord_, state_.levelCode, true, *state_.solvedInMoves, state_.hintsUsed);
    }
    SetBoardState(SolvedState);
    RefreshStatus();
    if (TMessageDialog* solved = forms_.Message(Message::SolvedDlg); asking && solved) {
        solved->ShowModal();
    }
    if (testPlay_) {
        EndTestPlay();
        return;
    }
    // A level of a code is outside the set: its progress stays.
    if (state_.gameMode == PracticeMode || codeInPlay_) {
        return;
    }
    const bool allJustSolved = state_.levels.RecordSolve();
    view_.levelboxPaint();
    UpdateCaption();
    view_.DrawProgressBar();
    if (TMessageDialog* allSolved = forms_.Message(Message::AllSolvedDlg);
        asking && allJustSolved && allSolved) {
        allSolved->ShowModal();
    }
}

bool GameController::SettleMotion() {
    return view_.FinishMotion();
}

void GameController::CountPendingSolve() {
    if (view_.Motion().ShinePending()) {
        view_.DropMotion();
        OnSolved(false);
    }
    view_.DropMotion();
}

void GameController::ApplyLanguage() {
    toolbar_.ApplyLanguage(state_.language);
    RefreshStatus();
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
    if (!state_.moved && !testPlay_) { // the level counts as played from its first move
        state_.bestMoves = NotePlay(levelRecord_, state_.levelCode, false, 0, 0);
    }
    // The final picture is drawn; the tiles slide into it.
    view_.SlideMove(previous, held);
    state_.moved = true;
    ForgetHintSearch();
    view_.UpdateLevelHint();
    RefreshStatus();
    if (state_.board.IsSolved()) {
        // Nothing of the keyboard or the hint stays on the solved board,
        // which shines before the solved sequence goes on.
        view_.SetCursor(std::nullopt);
        view_.StopPulse();
        view_.ShineSolve([this] { OnSolved(); });
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
    GoToLevel(LevelAfterCode(toolbar_.levelscroll->value()));
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
    if (codeInPlay_) {
        BeginLevel(levelRecord_);
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
    if (codeInPlay_) {
        GoToLevel(state_.levels.CurrentLevel());
    } else if (const std::optional<int> level = state_.levels.FindNextUnsolved()) {
        GoToLevel(*level);
    }
}

void GameController::PreviousUnsolved() {
    if (codeInPlay_) {
        GoToLevel(state_.levels.CurrentLevel());
    } else if (const std::optional<int> level = state_.levels.FindPreviousUnsolved()) {
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

void GameController::ToggleConnectionMarks() {
    windowState_.connectionMarks = !windowState_.connectionMarks;
    view_.SetConnectionMarks(windowState_.connectionMarks);
    RefreshStatus();
    RefreshCheck();
}

void GameController::StepLevel(int delta) {
    // Beyond either end nothing starts.
    const QScrollBar& bar = *toolbar_.levelscroll;
    const int level = std::clamp(bar.value() + delta, bar.minimum(), bar.maximum());
    if (codeInPlay_ || level != bar.value()) {
        GoToLevel(LevelAfterCode(level));
    }
}

} // namespace zk
