#include "Actions.h"

#include <algorithm>
#include <cassert>

#include "Controller.h"
#include "Session.h"

namespace zk {

namespace {

using To = const ActionTargets&;
using Tool = ToolbarControl;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

// InsertBtn and NewGameBtn share one place, as do DeleteBtn and RestartBtn;
// the board state shows one of each pair.
const ActionRow Table[] = {
    {Action::NewGame,
     Tool{"NewGameBtn", 4, 4, 25, 25, "NewGameBtn.png", 1, nullptr, "Ich fang ein neues Spiel an.",
          "I want to play a new game.", &Toolbar::NewGameBtn},
     {},
     Offered::OutsideEditor,
     [](To to) { to.controller.NewGame(); }},
    {Action::InsertLevel,
     Tool{"InsertBtn", 4, 4, 25, 25, "InsertBtn.png", 2, "Neue Stufe", "Neue Stufe einfügen",
          "Insert new level", &Toolbar::InsertBtn},
     {},
     Offered::InEditor,
     [](To to) { to.controller.InsertLevel(); }},
    {Action::Restart,
     Tool{"RestartBtn", 28, 4, 25, 25, "RestartBtn.png", 2, nullptr, "Ich probier's nochmal.",
          "I try it again.", &Toolbar::RestartBtn},
     {{{Qt::Key_R}}},
     Offered::OutsideEditor,
     [](To to) { to.controller.Restart(); }},
    {Action::DeleteLevel,
     Tool{"DeleteBtn", 28, 4, 25, 25, "DeleteBtn.png", 2, "Stufe löschen", "Stufe entfernen",
          "Delete level", &Toolbar::DeleteBtn},
     {},
     Offered::InEditor,
     [](To to) { to.controller.DeleteLevel(); }},
    {Action::Load,
     Tool{"LoadBtn", 52, 4, 25, 25, "LoadBtn.png", 2, nullptr,
          "Ich hol mir einen alten Spielstand.", "I want to continue an old game.",
          &Toolbar::LoadBtn},
     {{{Qt::Key_O, Ctrl}}},
     Offered::OutsideEditor,
     [](To to) { to.session.LoadGame(); }},
    {Action::Save,
     Tool{"SaveBtn", 76, 4, 25, 25, "SaveBtn.png", 2, nullptr,
          "Einmal zu oft gesichert ist besser als einmal zuwenig", "Save often, save always.",
          &Toolbar::SaveBtn},
     {{{Qt::Key_S, Ctrl}}},
     Offered::Always,
     [](To to) { to.session.Save(); }},
    {Action::Sound,
     Tool{"SoundBtn", 100, 4, 25, 25, "SoundBtn.png", 2, nullptr,
          "Die Geräusche mag ich nicht immer.", "I dont like the sound always.", &Toolbar::SoundBtn,
          true},
     {},
     Offered::Always,
     nullptr},
    {Action::ChangeMode,
     Tool{"OptionBtn", 124, 4, 25, 25, "OptionBtn.png", 1, nullptr, "Spielmodus", "Game mode",
          &Toolbar::OptionBtn},
     {},
     Offered::Always,
     [](To to) { to.controller.ChangeMode(); }},
    {Action::Exit,
     Tool{"ExitBtn", 148, 4, 25, 25, "ExitBtn.png", 1, nullptr, "Ich hab genug!", "I have enough!",
          &Toolbar::ExitBtn},
     {{{Qt::Key_Q, Ctrl}}},
     Offered::Always,
     [](To to) { to.session.RequestClose(); }},
    {Action::PreviousUnsolved,
     Tool{"sDownBtn", 292, 7, 20, 20, "sDownBtn.png", 2, nullptr, "nächstniedere ungelöste Stufe",
          "Previous unsolved level", &Toolbar::sDownBtn},
     {{{Qt::Key_P}}},
     Offered::Always,
     [](To to) { to.controller.PreviousUnsolved(); }},
    {Action::ChooseLevel,
     Tool{"levelscroll", 313, 8, 101, 19, nullptr, 0, nullptr, "Stufe wählen", "Select level",
          nullptr},
     {},
     Offered::Always,
     [](To to) { to.controller.LevelScrollChange(); }},
    {Action::NextUnsolved,
     Tool{"sUpBtn", 413, 7, 20, 20, "sUpBtn.png", 2, nullptr, "nächsthöhere ungelöste Stufe",
          "Next unsolved level", &Toolbar::sUpBtn},
     {{{Qt::Key_N}}},
     Offered::Always,
     [](To to) { to.controller.NextUnsolved(); }},
    {Action::Rules,
     Tool{"RulesBtn", 437, 4, 25, 25, "RulesBtn.png", 1, "Spielregeln",
          "Worum geht's da eigentlich?", "What's to do here?", &Toolbar::RulesBtn},
     {{{Qt::Key_F1}}},
     Offered::Always,
     [](To to) { to.session.ShowHelp("ZKLV.HLP", "Das_Spiel", "The_game"); }},
    {Action::Info,
     Tool{"InfoBtn", 461, 4, 25, 25, "InfoBtn.png", 1, "Info",
          "Wer hat diese Spiele nur verbrochen?", "Who did these ZANFOR GAME?", &Toolbar::InfoBtn},
     {},
     Offered::Always,
     [](To to) { to.session.ShowInfo(); }},
    {Action::OtherGames,
     Tool{"ZanforBtn", 485, 4, 30, 25, "ZanforBtn.png", 1, "Zanfor Games",
          "Hurra, es gibt noch mehr Zanfor Games.", "Hurrah, there are more ZANFOR GAMES.",
          &Toolbar::ZanforBtn},
     {},
     Offered::Always,
     [](To to) { to.session.ShowHelp("ZMRX.HLP", "Zanfor_Games_d", "Zanfor_Games_e"); }},

    {Action::Undo,
     std::nullopt,
     {{{Qt::Key_Z, Ctrl}}},
     Offered::Always,
     [](To to) { to.controller.Undo(); }},
    {Action::Redo,
     std::nullopt,
     {{{Qt::Key_Y, Ctrl}, {Qt::Key_Z, Ctrl | Qt::ShiftModifier}}},
     Offered::Always,
     [](To to) { to.controller.Redo(); }},
    {Action::Hint,
     std::nullopt,
     {{{Qt::Key_H}}},
     Offered::Always,
     [](To to) { to.controller.Hint(); }},
    {Action::ConnectionMarks,
     std::nullopt,
     {{{Qt::Key_F2}}},
     Offered::Always,
     [](To to) { to.controller.ToggleConnectionMarks(); }},
    {Action::PracticeMode,
     std::nullopt,
     {{{Qt::Key_P, Ctrl}}},
     Offered::Always,
     [](To to) { to.controller.EnterPracticeMode(); }},
    {Action::PreviousLevel,
     std::nullopt,
     {{{Qt::Key_PageUp}}},
     Offered::Always,
     [](To to) { to.controller.StepLevel(-1); }},
    {Action::NextLevel,
     std::nullopt,
     {{{Qt::Key_PageDown}}},
     Offered::Always,
     [](To to) { to.controller.StepLevel(1); }},
    {Action::CursorLeft,
     std::nullopt,
     {{{Qt::Key_Left}}},
     Offered::Always,
     [](To to) { to.controller.MoveCursor(-1, 0); }},
    {Action::CursorRight,
     std::nullopt,
     {{{Qt::Key_Right}}},
     Offered::Always,
     [](To to) { to.controller.MoveCursor(1, 0); }},
    {Action::CursorUp,
     std::nullopt,
     {{{Qt::Key_Up}}},
     Offered::Always,
     [](To to) { to.controller.MoveCursor(0, -1); }},
    {Action::CursorDown,
     std::nullopt,
     {{{Qt::Key_Down}}},
     Offered::Always,
     [](To to) { to.controller.MoveCursor(0, 1); }},
    // A left click on the cursor's cell: a move, or in the editor a placing.
    {Action::CursorClick,
     std::nullopt,
     {{{Qt::Key_Space}, {Qt::Key_Return}, {Qt::Key_Enter}}},
     Offered::Always,
     [](To to) { to.controller.CursorClick(Qt::LeftButton); }},
    // The editor's right click on the cursor's cell: the pick-up.
    {Action::CursorPickUp,
     std::nullopt,
     {{{Qt::Key_Delete}, {Qt::Key_Backspace}}},
     Offered::InEditor,
     [](To to) { to.controller.CursorClick(Qt::RightButton); }},
    // The editor's board played as in practice mode, and back.
    {Action::TestPlay,
     std::nullopt,
     {{{Qt::Key_T, Ctrl}}},
     Offered::InEditor,
     [](To to) { to.controller.TestPlay(); }},
    {Action::EndTestPlay,
     std::nullopt,
     {{{Qt::Key_Escape}}},
     Offered::Always,
     [](To to) { to.controller.EndTestPlay(); }},
    // The editor's board as a level line, to and from the clipboard.
    {Action::CopyLevel,
     std::nullopt,
     {{{Qt::Key_C, Ctrl}}},
     Offered::InEditor,
     [](To to) { to.controller.CopyLevel(); }},
    {Action::PasteLevel,
     std::nullopt,
     {{{Qt::Key_V, Ctrl}}},
     Offered::InEditor,
     [](To to) { to.controller.PasteLevel(); }},
    // A level outside the set: a new one of a difficulty, the level of the
    // day, or a typed code.
    {Action::NewCodeLevel,
     std::nullopt,
     {{{Qt::Key_N, Ctrl}}},
     Offered::OutsideEditor,
     [](To to) { to.controller.NewCodeLevel(); }},
};

const ActionRow* Find(int key, Qt::KeyboardModifiers modifiers) {
    for (const ActionRow& row : Table) {
        for (const KeyChord& chord : row.keys) {
            if (chord.key != 0 && chord.key == key && chord.modifiers == modifiers) {
                return &row;
            }
        }
    }
    return nullptr;
}

} // namespace

std::span<const ActionRow> ActionTable() {
    return Table;
}

const ActionRow& RowOf(Action action) {
    const auto* row = std::find_if(std::begin(Table), std::end(Table),
                                   [action](const ActionRow& r) { return r.action == action; });
    assert(row != std::end(Table));
    return *row;
}

const ActionRow* RowForKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (const ActionRow* exact = Find(key, held)) {
        return exact;
    }
    return held.testFlag(Qt::ShiftModifier) ? Find(key, held & ~Qt::ShiftModifier) : nullptr;
}

bool KeepsTestPlay(Action action) {
    switch (action) {
    case Action::Restart:
    case Action::Sound:
    case Action::Exit:
    case Action::Rules:
    case Action::Info:
    case Action::OtherGames:
    case Action::Undo:
    case Action::Redo:
    case Action::Hint:
    case Action::ConnectionMarks:
    case Action::CursorLeft:
    case Action::CursorRight:
    case Action::CursorUp:
    case Action::CursorDown:
    case Action::CursorClick:
        return true;
    default:
        return false;
    }
}

void RunAction(const ActionRow& row, BoardState state, const ActionTargets& to) {
    if (row.run && IsOffered(row.offered, state)) {
        row.run(to);
    }
}

} // namespace zk
