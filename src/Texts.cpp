#include "Texts.h"

#include "files/SavedGame.h"

namespace zk {

std::string LevelLabelText(Language language) {
    return Tr(language, "Stufe:", "Level:");
}

std::string CaptionText(GameMode gameMode, Language language, const std::string& savedGamePath) {
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

std::string LevelHintText(Language language, int level, bool solved) {
    return std::string(Tr(language, "Stufe ", "Level ")) + std::to_string(level) + ": " +
           (solved ? Tr(language, "gelöst", "solved") : Tr(language, "ungelöst", "unsolved"));
}

std::string LevelsChangedQuestionText(Language language) {
    return Tr(language, "Stufen wurden verändert. Speichern?", " Levels changed. Save?");
}

std::string SheetsFailedText(Language language) {
    return Tr(language, "Zuwenig Speicher! Programm wird beendet.",
              "Not enough memory! Program aborted.");
}

} // namespace zk
