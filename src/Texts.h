// The texts of the main window in both languages: the toolbar hints, the
// level label, the window caption and the level indicator's hint.
#pragma once

#include <span>
#include <string>

namespace zk {

struct ToolbarHint {
    const char* control; // the control's designer name
    const char* german;
    const char* english;
};

// The fifteen hints, in toolbar order from left to right.
std::span<const ToolbarHint> ToolbarHints();

const char* HintFor(const ToolbarHint& hint, int language);
std::string LevelLabelText(int language);

// "Zanfor Kelva V2.0", the saved game's file name outside the editor, and
// the mode.
std::string CaptionText(int gameMode, int language, const std::string& savedGamePath);

// "Level 12: unsolved" / "Stufe 12: ungelöst".
std::string LevelHintText(int language, int level, bool solved);

std::string LevelsChangedQuestionText(int language);
std::string SheetsFailedText(int language);

} // namespace zk
