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
    return LevelHintText(language, std::to_string(level), solved);
}

std::string LevelHintText(Language language, const std::string& level, bool solved) {
    return std::string(Tr(language, "Stufe ", "Level ")) + level + ": " +
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
    return PlayHintText(language, std::to_string(level), count);
}

std::string BestText(Language language, int moves) {
    return Tr(language, "dein Bestes: ", "your best: ") + Moves(language, moves);
}

std::string PlayHintText(Language language, const std::string& level, const PlayCount& count) {
    std::string text = std::string(Tr(language, "Stufe ", "Level ")) + level + ": ";
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

std::string LevelIndicatorHint(const GameState& state, bool feedback) {
    const int level = state.levels.CurrentLevel();
    // The counts are told in feedback mode only: without it the hint reads as
    // it always has, whatever the player does.
    const bool solvedNow = feedback && state.boardState == SolvedState && state.solvedInMoves;
    const bool counting = feedback && state.boardState == PlayState &&
                          (state.history.Moves() != 0 || state.hintsUsed != 0);
    // A level of a code is named by its code.
    const std::string name = state.levelCode.empty() ? std::to_string(level) : state.levelCode;
    std::string hint;
    if (solvedNow || counting) {
        // The hints used are told in challenge mode, where they could matter.
        const int hints = state.gameMode == ChallengeMode ? state.hintsUsed : 0;
        hint = PlayHintText(state.language, name,
                            {state.history.Moves(), solvedNow ? state.solvedInMoves : std::nullopt,
                             solvedNow ? state.fewestMoves : std::nullopt, hints});
    } else {
        const bool solved = state.levelCode.empty() ? state.levels.IsLevelSolved(level)
                                                    : state.bestMoves.has_value();
        hint = LevelHintText(state.language, name, solved);
    }
    if (state.boardState == PlayState && state.hintVerdict) {
        hint += "; ";
        hint += *state.hintVerdict == HintVerdict::Unsolvable
                    ? Tr(state.language, "diese Steine haben keine Lösung",
                         "these tiles have no solution")
                    : Tr(state.language, "kein Tipp gefunden", "no hint found");
    }
    if (state.boardState == PlayState && state.hintReason) {
        hint += "; " + HintReasonText(state.language, *state.hintReason);
    }
    // The player's record of the level, on a line of its own.
    if (feedback && state.bestMoves && state.boardState != EditingState) {
        hint += "\n" + BestText(state.language, *state.bestMoves);
    }
    return hint;
}

std::string HintReasonText(Language language, Rule rule) {
    switch (rule) {
    case Rule::Edge:
        return Tr(language, "Andere Steine ließen ein Ende offen",
                  "Other tiles would leave an end open");
    case Rule::Single:
        return Tr(language, "Hier passt nur ein Stein", "Only one tile fits here");
    case Rule::Neighbour:
        return Tr(language, "Der Nachbar lässt nur diesen zu",
                  "The neighbour allows only this one");
    case Rule::Count:
        return Tr(language, "Das Zählen der Enden entscheidet", "Counting the ends decides it");
    case Rule::Parity:
        return Tr(language, "Die Enden paaren sich über die Linien",
                  "The ends pair up across the lines");
    case Rule::Pairs:
        return Tr(language, "Ein Zellenpaar nimmt die anderen", "A pair of cells takes the others");
    case Rule::WhatIf:
        return Tr(language, "Jeder andere führt zum Widerspruch",
                  "Any other leads to a contradiction");
    case Rule::None:
        break;
    }
    return {};
}

std::string FeedbackStatusText(Language language, int moves, std::optional<int> shortest,
                               int openEnds, std::optional<Rule> reason) {
    const std::string dot = " \u00b7 ";
    const std::string fewest = shortest ? std::to_string(*shortest) : "\u2026";
    const std::string ends =
        std::to_string(openEnds) + (openEnds == 1 ? Tr(language, " offenes Ende", " open end")
                                                  : Tr(language, " offene Enden", " open ends"));
    std::string text = Moves(language, moves) + dot + Tr(language, "kürzester Weg ", "shortest ") +
                       fewest + dot + ends;
    if (reason) {
        text += dot + HintReasonText(language, *reason);
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
