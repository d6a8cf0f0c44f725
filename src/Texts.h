// The texts of the main window in both languages: the level label, the
// window caption, the level indicator's hint and the main window's questions.
// The toolbar's hints stand in the toolbar's table.
#pragma once

#include <string>

#include "model/Board.h"
#include "model/Language.h"

namespace zk {

std::string LevelLabelText(Language language);

// "Zanfor Kelva V2.0", the saved game's file name outside the editor, and
// the mode.
std::string CaptionText(GameMode gameMode, Language language, const std::string& savedGamePath);

// "Level 12: unsolved" / "Stufe 12: ungelöst".
std::string LevelHintText(Language language, int level, bool solved);

std::string LevelsChangedQuestionText(Language language);
std::string SheetsFailedText(Language language);

} // namespace zk
