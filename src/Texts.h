// The texts of the main window and the session in both languages: the level
// label, the window caption, the level indicator's hint, the questions and
// the messages of the file flows. The toolbar's hints stand in the action
// table, the message dialogs' texts in their table.
#pragma once

#include <optional>
#include <string>

#include "model/Board.h"
#include "model/GameState.h"
#include "model/Language.h"

namespace zk {

std::string LevelLabelText(Language language);

// "Zanfor Kelva V2.0", the saved game's file name outside the editor, and
// the mode.
std::string CaptionText(GameMode gameMode, Language language, const std::string& savedGamePath);

// "Level 12: unsolved" / "Stufe 12: ungelöst".
std::string LevelHintText(Language language, int level, bool solved);

// The count of the level in play, for the level indicator's hint.
struct PlayCount {
    int moves = 0;
    std::optional<int> solvedIn; // the moves of this play's solve
    std::optional<int> fewest;   // the fewest the level needed from its start
    int hints = 0;               // told only when not 0
};
// "Level 12: 7 moves" / "Stufe 12: 7 Züge" in play; after the solve "Level
// 12: solved in 9 moves; it can be done in 7" / "Stufe 12: in 9 Zügen
// gelöst; es geht in 7". The hints used follow: ", 2 hints" in play, "; 2
// hints" after the solve.
std::string PlayHintText(Language language, int level, const PlayCount& count);
// The same for a level named otherwise: a level of a code by its code.
std::string LevelHintText(Language language, const std::string& level, bool solved);
std::string PlayHintText(Language language, const std::string& level, const PlayCount& count);
// The player's record of a level: "your best: 7 moves" / "dein Bestes: 7 Züge".
std::string BestText(Language language, int moves);

// The level indicator's whole hint for the state of play: the level's flag,
// or in feedback mode the count of the level in play and the player's record,
// and what the last hint found out.
std::string LevelIndicatorHint(const GameState& state, bool feedback);

// The feedback mode's line in the board's frame: "7 moves · shortest 5 · 4
// open ends" / "7 Züge · kürzester Weg 5 · 4 offene Enden"; "…" for a
// shortest count not known (yet).
std::string FeedbackStatusText(Language language, int moves, std::optional<int> shortest,
                               int openEnds, std::optional<Rule> reason = std::nullopt);

// Why the tile the hint's click settles belongs there, one line per rule:
// "Only one tile fits here" / "Hier passt nur ein Stein".
std::string HintReasonText(Language language, Rule rule);

std::string LevelsChangedQuestionText(Language language);
std::string SheetsFailedText(Language language);

// The level file: "Fileerror 2 with file /games/zk/ZKLV.DAT." with the
// error number; "Cannot create ZKLV.DAT. (3)" with the record that failed.
std::string LevelReadErrorText(Language language, int number, const std::string& file);
std::string LevelWriteErrorText(Language language, int failedRecord,
                                const std::string& shownName = "ZKLV.DAT");

// Saved games: the read error names the whole path, the other two the name.
std::string GameLoadErrorText(Language language, const std::string& path);
std::string GameExistsQuestionText(Language language, const std::string& name);
std::string GameSaveErrorText(Language language, const std::string& name);

// The settings file could not be written; the same in both languages.
std::string SettingsWriteErrorText(const std::string& path);

} // namespace zk
