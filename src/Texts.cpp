#include "Texts.h"

#include <array>

#include "files/SavedGame.h"
#include "model/Board.h"
#include "model/Language.h"

namespace zk {

namespace {

constexpr std::array<ToolbarHint, 15> Hints{{
    {"NewGameBtn", "Ich fang ein neues Spiel an.", "I want to play a new game."},
    {"InsertBtn", "Neue Stufe einfügen", "Insert new level"},
    {"RestartBtn", "Ich probier's nochmal.", "I try it again."},
    {"DeleteBtn", "Stufe entfernen", "Delete level"},
    {"LoadBtn", "Ich hol mir einen alten Spielstand.", "I want to continue an old game."},
    {"SaveBtn", "Einmal zu oft gesichert ist besser als einmal zuwenig",
     "Save often, save always."},
    {"SoundBtn", "Die Geräusche mag ich nicht immer.", "I dont like the sound always."},
    {"OptionBtn", "Spielmodus", "Game mode"},
    {"ExitBtn", "Ich hab genug!", "I have enough!"},
    {"sDownBtn", "nächstniedere ungelöste Stufe", "Previous unsolved level"},
    {"levelscroll", "Stufe wählen", "Select level"},
    {"sUpBtn", "nächsthöhere ungelöste Stufe", "Next unsolved level"},
    {"RulesBtn", "Worum geht's da eigentlich?", "What's to do here?"},
    {"InfoBtn", "Wer hat diese Spiele nur verbrochen?", "Who did these ZANFOR GAME?"},
    {"ZanforBtn", "Hurra, es gibt noch mehr Zanfor Games.", "Hurrah, there are more ZANFOR GAMES."},
}};

} // namespace

std::span<const ToolbarHint> ToolbarHints() {
    return Hints;
}

const char* HintFor(const ToolbarHint& hint, int language) {
    return Tr(language, hint.german, hint.english);
}

std::string LevelLabelText(int language) {
    return Tr(language, "Stufe:", "Level:");
}

std::string CaptionText(int gameMode, int language, const std::string& savedGamePath) {
    std::string caption = "Zanfor Kelva V2.0";
    if (gameMode != EditorMode && !savedGamePath.empty()) {
        caption += Tr(language, " - Spiel ", " - Game ");
        caption += files::FileNameOf(savedGamePath);
    }
    switch (gameMode) {
    case PracticeMode:
        caption += Tr(language, " - Üben", " - Practice mode");
        break;
    case ChallengeMode:
        caption += Tr(language, " - Wettkampf", " - Challenge mode");
        break;
    case EditorMode:
        caption += " - Editor";
        break;
    default:
        break;
    }
    return caption;
}

std::string LevelHintText(int language, int level, bool solved) {
    return std::string(Tr(language, "Stufe ", "Level ")) + std::to_string(level) + ": " +
           (solved ? Tr(language, "gelöst", "solved") : Tr(language, "ungelöst", "unsolved"));
}

std::string LevelsChangedQuestionText(int language) {
    return Tr(language, "Stufen wurden verändert. Speichern?", " Levels changed. Save?");
}

std::string SheetsFailedText(int language) {
    return Tr(language, "Zuwenig Speicher! Programm wird beendet.",
              "Not enough memory! Program aborted.");
}

} // namespace zk
