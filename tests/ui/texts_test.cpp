#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Actions.h"
#include "Texts.h"
#include "model/Board.h"
#include "model/Language.h"

using namespace zk;

TEST(Texts, CaptionByModeLanguageAndSavedGame) {
    EXPECT_EQ(CaptionText(ChallengeMode, English, ""), "Zanfor Kelva V2.0 - Challenge mode");
    EXPECT_EQ(CaptionText(ChallengeMode, German, ""), "Zanfor Kelva V2.0 - Wettkampf");
    EXPECT_EQ(CaptionText(PracticeMode, German, ""), "Zanfor Kelva V2.0 - Üben");
    EXPECT_EQ(CaptionText(PracticeMode, Language{-1}, ""), "Zanfor Kelva V2.0 - Practice mode");
    EXPECT_EQ(CaptionText(ChallengeMode, English, "/home/ann/WEEK1.zkv"),
              "Zanfor Kelva V2.0 - Game WEEK1.zkv - Challenge mode");
    EXPECT_EQ(CaptionText(PracticeMode, German, "/g/a.zkv"),
              "Zanfor Kelva V2.0 - Spiel a.zkv - Üben");
    EXPECT_EQ(CaptionText(EditorMode, German, "/home/ann/WEEK1.zkv"), "Zanfor Kelva V2.0 - Editor");
}

TEST(Texts, LevelHintAndLabel) {
    EXPECT_EQ(LevelHintText(English, 12, false), "Level 12: unsolved");
    EXPECT_EQ(LevelHintText(German, 3, true), "Stufe 3: gelöst");
    EXPECT_EQ(LevelLabelText(German), "Stufe:");
    EXPECT_EQ(LevelLabelText(Language{2}), "Level:");
}

TEST(Texts, FifteenHintsWithTheirOddSpellings) {
    std::set<std::string> controls;
    for (const auto& row : ActionTable()) {
        if (row.control) {
            controls.insert(row.control->name);
        }
    }
    EXPECT_EQ(controls.size(), 15u);
    auto find = [](const char* control) {
        for (const auto& row : ActionTable()) {
            if (row.control && std::string(row.control->name) == control) {
                return *row.control;
            }
        }
        return ToolbarControl{};
    };
    EXPECT_STREQ(HintFor(find("SaveBtn"), German),
                 "Einmal zu oft gesichert ist besser als einmal zuwenig");
    EXPECT_STREQ(HintFor(find("SoundBtn"), English), "I dont like the sound always.");
    EXPECT_STREQ(HintFor(find("levelscroll"), German), "Stufe wählen");
    EXPECT_STREQ(HintFor(find("InfoBtn"), Language{-1}), "Who did these ZANFOR GAME?");
    EXPECT_EQ(LevelsChangedQuestionText(English), " Levels changed. Save?");
}

TEST(Texts, FeedbackLineAndTheHintsVerdicts) {
    EXPECT_EQ(FeedbackStatusText(English, 7, 5, 4), "7 moves \u00b7 shortest 5 \u00b7 4 open ends");
    EXPECT_EQ(FeedbackStatusText(German, 1, std::nullopt, 1),
              "1 Zug \u00b7 kürzester Weg \u2026 \u00b7 1 offenes Ende");
    GameState state;
    state.language = English;
    state.boardState = PlayState;
    state.hintVerdict = HintVerdict::GaveUp;
    const std::string plain = LevelHintText(English, state.levels.CurrentLevel(), false);
    EXPECT_EQ(LevelIndicatorHint(state, false), plain + "; no hint found");
    state.hintVerdict = HintVerdict::Unsolvable;
    EXPECT_EQ(LevelIndicatorHint(state, false), plain + "; these tiles have no solution");
    EXPECT_EQ(HintReasonText(German, Rule::Single), "Hier passt nur ein Stein");
    EXPECT_EQ(FeedbackStatusText(English, 0, 2, 0, Rule::Single),
              "0 moves \u00b7 shortest 2 \u00b7 0 open ends \u00b7 Only one tile fits here");
    state.boardState = SolvedState; // a verdict is of the Board in play only
    EXPECT_EQ(LevelIndicatorHint(state, false), plain);
}

TEST(Texts, SavedGameMessages) {
    EXPECT_EQ(GameLoadErrorText(English, "/g/a.zkv"), "Error occured while loading file /g/a.zkv!");
    EXPECT_EQ(GameLoadErrorText(German, "/g/a.zkv"), "Fehler beim Laden des Spiels /g/a.zkv!");
    EXPECT_EQ(GameExistsQuestionText(English, "a.zkv"), "Game a.zkv already existing. Overwrite?");
    EXPECT_EQ(GameExistsQuestionText(German, "a.zkv"),
              "Spiel a.zkv existiert bereits. Überschreiben?");
    EXPECT_EQ(GameSaveErrorText(English, "a.zkv"),
              "Cannot save game a.zkv. Drive full or not writable.");
    EXPECT_EQ(GameSaveErrorText(German, "a.zkv"),
              "Kann Spiel a.zkv nicht speichern. Datenträger voll oder nicht beschreibbar.");
    EXPECT_EQ(GameSaveErrorText(Language{-1}, "a.zkv"), GameSaveErrorText(English, "a.zkv"));
}
