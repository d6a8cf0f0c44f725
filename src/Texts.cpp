#include "Texts.h"

#include <filesystem>

namespace zk {

std::string LevelLabelText(Language language) {
    return Tr(language, "Stufe:", "Level:");
}

std::string CaptionText(GameMode gameMode, Language language, const std::string& savedGamePath) {
    std::string caption = "Zanfor Kelva V2.0";
    if (gameMode != EditorMode && !savedGamePath.empty()) {
        caption += Tr(language, " - Spiel ", " - Game ");
        caption += std::filesystem::path(savedGamePath).filename().string();
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

namespace {

std::string Moves(Language language, int n) {
    return std::to_string(n) +
           (n == 1 ? Tr(language, " Zug", " move") : Tr(language, " Züge", " moves"));
}

std::string Hints(Language language, int n) {
    return std::to_string(n) +
           (n == 1 ? Tr(language, " Tipp", " hint") : Tr(language, " Tipps", " hints"));
}

} // namespace

std::string PlayHintText(Language language, int level, const PlayCount& count) {
    std::string text = std::string(Tr(language, "Stufe ", "Level ")) + std::to_string(level) + ": ";
    if (count.solvedIn) {
        const int n = *count.solvedIn;
        text += IsGerman(language)
                    ? "in " + std::to_string(n) + (n == 1 ? " Zug" : " Zügen") + " gelöst"
                    : "solved in " + Moves(language, n);
        if (count.fewest) {
            text += Tr(language, "; es geht in ", "; it can be done in ") +
                    std::to_string(*count.fewest);
        }
        if (count.hints != 0) {
            text += "; " + Hints(language, count.hints);
        }
        return text;
    }
    text += Moves(language, count.moves);
    if (count.hints != 0) {
        text += ", " + Hints(language, count.hints);
    }
    return text;
}

std::string LevelsChangedQuestionText(Language language) {
    return Tr(language, "Stufen wurden verändert. Speichern?", " Levels changed. Save?");
}

std::string SheetsFailedText(Language language) {
    return Tr(language, "Zuwenig Speicher! Programm wird beendet.",
              "Not enough memory! Program aborted.");
}

std::string LevelReadErrorText(Language language, int number, const std::string& file) {
    return std::string(Tr(language, "Dateifehler ", "Fileerror ")) + std::to_string(number) +
           Tr(language, " bei Datei ", " with file ") + file + ".";
}

std::string LevelWriteErrorText(Language language, int failedRecord, const std::string& shownName) {
    return Tr(language, "Datei ", "Cannot create ") + shownName +
           Tr(language, " kann nicht angelegt werden.", ".") + " (" + std::to_string(failedRecord) +
           ")";
}

std::string GameLoadErrorText(Language language, const std::string& path) {
    return std::string(
               Tr(language, "Fehler beim Laden des Spiels ", "Error occured while loading file ")) +
           path + "!";
}

std::string GameExistsQuestionText(Language language, const std::string& name) {
    return std::string(Tr(language, "Spiel ", "Game ")) + name +
           Tr(language, " existiert bereits. Überschreiben?", " already existing. Overwrite?");
}

std::string GameSaveErrorText(Language language, const std::string& name) {
    return std::string(Tr(language, "Kann Spiel ", "Cannot save game ")) + name +
           Tr(language, " nicht speichern. Datenträger voll oder nicht beschreibbar.",
              ". Drive full or not writable.");
}

std::string SettingsWriteErrorText(const std::string& path) {
    return "Kann nicht nach " + path + " schreiben";
}

} // namespace zk
