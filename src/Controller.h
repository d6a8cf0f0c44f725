// The game controller: starting levels, the moves and the solve, the modes,
// the level navigation and the editor's board clicks and buttons. It changes
// the game state through the model, has the board view draw it, and asks its
// questions through the forms.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "Forms.h"
#include "HintWorker.h"
#include "WindowState.h"
#include "model/GameState.h"
#include "model/Hint.h"
#include "model/LevelCode.h"
#include "model/Random.h"

namespace zk::platform {
class SoundPlayer;
enum class Sound : int;
} // namespace zk::platform

namespace zk {

class BoardView;
class LiveCheck;
class CodeLevelMaker;
class Toolbar;
struct EditorVerdict;

class GameController {
public:
    // window: the main window, whose caption the controller keeps.
    GameController(GameState& state, WindowState& windowState, RandomSource& random,
                   BoardView& view, Toolbar& toolbar, const TForms& forms,
                   platform::SoundPlayer& sound, QWidget* window);
    ~GameController();

    // Starts level n. False when the player declined to give up the level
    // in play or to leave it, or when that question is open already; nothing
    // has changed then.
    bool StartLevel(int n);
    // Every change of level but a restart or a mode change: starts level n,
    // asking what StartLevel asks, then puts the level scroll bar on the
    // level in play (n, or the one kept when the player declined) without
    // running the bar's handler. False when declined.
    bool GoToLevel(int n);

    // Levels outside the set. Ctrl+N: the code form; the level chosen there
    // is made on a worker thread and started once it is ready.
    void NewCodeLevel();
    void RequestCodeLevel(const LevelCode& code);
    // Starts the level of a code (not in the editor), asking what leaving
    // the level in play asks; the set, its progress, the level number and
    // the scroll bar stay. False when declined.
    bool StartCodeLevel(const LevelCode& code, const LevelRecord& level);
    void SetBoardState(BoardState s);
    void UpdateCaption();
    // The solved sequence; without asking, the solve is counted as if its
    // question had been answered, with no sound and no question.
    void OnSolved(bool asking = true);
    void ApplyLanguage();
    void PlaySound(platform::Sound sound);

    // The full repaint of the board surface.
    void Repaint();
    // A mouse button pressed on the board surface at (x, y); it hides the
    // keyboard's cursor.
    void BoardClick(Qt::MouseButton button, int x, int y);
    // The animation timer's tick.
    void Tick();
    // A press of a mouse button or a key while the board moves: the motion
    // ends at once. True when the press is used up by it: it ended a solve's
    // shine, and the solved sequence has run.
    bool SettleMotion();
    // The window closes: a solve still shining counts, without its question.
    void CountPendingSolve();

    // The toolbar's play buttons and the level scroll bar.
    void Restart();
    void NewGame();
    void ChangeMode();
    // The bar's own change, by the player: the level at its position.
    void LevelScrollChange();
    void NextUnsolved();
    void PreviousUnsolved();
    // The level scroll bar's position and its maximum (the number of levels)
    // as the program sets them: nothing starts.
    void MoveLevelScroll(int position);
    void SetLevelScrollMaximum(int maximum);

    // The editor's buttons and its palette.
    void InsertLevel();
    void DeleteLevel();
    void PalettePick(int n);

    // The comforts of play. Undo and redo: the last move of the level in
    // play, or the last placing or pick-up in the editor.
    void Undo();
    void Redo();
    // An arrow key: the cursor one cell on; a hidden cursor shows up one
    // cell from the held tile (in the editor from where it was last).
    void MoveCursor(int dc, int dr);
    // Space or Enter (the left button), Delete (the right one): a click on
    // the cursor's cell.
    void CursorClick(Qt::MouseButton button);
    // The cursor onto the cell to click next towards the nearest solution,
    // which pulses. The search runs off the window's thread, the mouse
    // cursor busy while it takes longer than a moment; a board without a
    // solution, or without a way found, is told by the level indicator's
    // hint.
    void Hint();
    // A stand-in for the hint's searches (the tests'); empty: the solver's.
    void SetNearestSolutionQuery(NearestSolutionQuery query);
    // Whether a search of the hint or of the level start's fewest moves is
    // still running.
    bool Searching() const { return hintSearch_.Busy() || startSearch_.Busy(); }
    // The marks on open connection ends, on or off.
    void ToggleConnectionMarks();
    // Practice mode the way the mode button changes modes.
    void EnterPracticeMode();
    // The level before or after the scroll bar's, as its arrows step.
    void StepLevel(int delta);

    // The editor's board played, scrambled, as in practice mode: nothing is
    // recorded and the level set stays as it is. Solving it or ending it
    // brings the editor back exactly as it was: its board, the palette's
    // selection and the undo history.
    void TestPlay();
    void EndTestPlay();
    bool TestPlaying() const { return testPlay_.has_value(); }
    // The editor's board to the clipboard as a level line; a level line
    // from the clipboard onto the board, as an edit undo takes back.
    void CopyLevel();
    void PasteLevel();

private:
    void CellClick(Qt::MouseButton button, Cell cell);
    void EditingClick(Qt::MouseButton button, Cell cell);
    // After a move, an undo or a redo swapped the tiles of two cells.
    void AfterMove(Cell held, Cell previous);
    void AfterEdit(const EditStep& step, int selectionBefore);
    void SwitchMode(GameMode next);
    // The live check's verdict on the board being drawn, in the status line
    // while the editor shows the marks; else the status line is empty.
    void RefreshCheck();
    void ShowVerdict(const LevelRecord& level, const EditorVerdict& verdict);
    // The kept editor's board, scrambled, in play.
    void StartTestPlay();

    // The editor as a test-play found it.
    struct EditorKept {
        Board board;
        EditHistory edits;
        bool edited = false;
        bool moved = false;
        int paletteSelection = 0;
        std::optional<Cell> cursor;
    };
    // The searches: the hint's from the Board, the fewest moves from the
    // level's start.
    HintWorker::Search HintSearch() const;
    HintWorker::Search FewestSearch() const;
    void StartFewestSearch();
    void FewestFound(const Board& board, const HintAnswer& answer);
    void HintAnswered(const Board& board, const HintAnswer& answer);
    void ShowHint(HintVerdict verdict);
    // The searches for the Board are of no use any more (a move, a start).
    void ForgetHintSearch();
    // The feedback mode's line in the board's frame, from the Board.
    void RefreshStatus();
    // The questions of leaving the level in play; false when declined.
    bool MayLeaveLevel();
    // The level onto the Board, its start, its counts and its record.
    void BeginLevel(const LevelRecord& level);
    // The set's level the player was on, when a level of a code is in play
    // (every way to another level leads back there first); else n.
    int LevelAfterCode(int n) const;

    GameState& state_;
    WindowState& windowState_;
    RandomSource& random_;
    BoardView& view_;
    Toolbar& toolbar_;
    const TForms& forms_;
    platform::SoundPlayer& sound_;
    QWidget* window_;
    int levelInPlay_ = 0; // the level the Board was last prepared from
    Board startBoard_;    // the Board as the level started
    HintGuide hints_;     // asks nothing itself: the workers search
    NearestSolutionQuery query_;
    HintWorker hintSearch_;
    HintWorker startSearch_;
    // The fewest moves from the level's start, once its search has ended
    // and found the nearest solution.
    std::optional<int> fewestFromStart_;
    // What the level's rules decide, worked out beside the fewest moves.
    std::shared_ptr<const Deduction> deduction_;
    // The rule that decides the tile the click on next settles.
    std::optional<Rule> ReasonFor(const Board& board, Cell next) const;
    bool fewestSearched_ = false;
    std::optional<EditorKept> testPlay_;
    std::unique_ptr<LiveCheck> liveCheck_;
    LevelRecord levelRecord_{};             // the level in play as stored (solved)
    std::optional<LevelCode> codeInPlay_;   // the code of a level outside the set
    std::unique_ptr<CodeLevelMaker> maker_; // makes the levels of codes
};

} // namespace zk
