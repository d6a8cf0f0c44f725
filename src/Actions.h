// The game's actions, one row each: the toolbar control that runs it where it
// has one, the keys that run it, when it is offered, and the handler of the
// controller or the session that runs it. The toolbar, the key handling and
// the tests read this one table: a new action is a row here and the handler
// its row calls.
#pragma once

#include <Qt>
#include <array>
#include <optional>
#include <span>

#include "Toolbar.h"

namespace zk {

class GameController;
class Session;

enum class Action {
    // With a toolbar control, from left to right.
    NewGame,
    InsertLevel,
    Restart,
    DeleteLevel,
    Load,
    Save,
    Sound,
    ChangeMode,
    Exit,
    PreviousUnsolved,
    ChooseLevel,
    NextUnsolved,
    Rules,
    Info,
    OtherGames,
    // Keys only.
    Undo,
    Redo,
    Hint,
    ConnectionMarks,
    PracticeMode,
    PreviousLevel,
    NextLevel,
    CursorLeft,
    CursorRight,
    CursorUp,
    CursorDown,
    CursorClick,
    CursorPickUp,
    TestPlay,
    EndTestPlay,
    CopyLevel,
    PasteLevel,
    NewCodeLevel,
};

// A key with the modifiers held. Shift held besides is ignored unless a row
// names it: Ctrl+Shift+S saves as Ctrl+S does.
struct KeyChord {
    int key = 0; // none: an unused place of the row
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Who runs the actions.
struct ActionTargets {
    GameController& controller;
    Session& session;
};

struct ActionRow {
    Action action;
    std::optional<ToolbarControl> control;
    std::array<KeyChord, 3> keys;
    Offered offered;
    // None where the control acts by itself (the sound button, a toggle).
    void (*run)(const ActionTargets& to);
};

// Every action, those with a toolbar control first, in the toolbar's order.
std::span<const ActionRow> ActionTable();
const ActionRow& RowOf(Action action);

// The row of a key; none for a key without a meaning here.
const ActionRow* RowForKey(int key, Qt::KeyboardModifiers modifiers);

// Whether the action belongs to the play of a test-play; any other ends the
// test-play first and acts in the editor.
bool KeepsTestPlay(Action action);

// Runs the action when the board state offers it.
void RunAction(const ActionRow& row, BoardState state, const ActionTargets& to);

} // namespace zk
