// The texts of the editor's additions in both languages: the live check of
// the board being drawn, the level lines that copy and paste levels, and the
// test-play.
#pragma once

#include <optional>
#include <string>

#include "files/LevelText.h"
#include "model/EditorCheck.h"
#include "model/Language.h"

namespace zk {

// While the check runs.
inline constexpr char CheckPendingText[] = "…";

// "Solvable · single solution · hardest rule: count" / "Lösbar · eine
// einzige Lösung · schwerste Regel: Zählen"; for a level that cannot be solved the reason:
// "Unsolvable: an end of the tile in column 9, row 4 leads off the board".
std::string CheckVerdictText(Language language, const EditorVerdict& verdict);

// Why a pasted text was not put on the board.
std::string PasteRefusedText(Language language, const files::LevelTextError& error);

// Why the board cannot be test-played.
std::string NothingToTestPlayText(Language language);

// The window caption during a test-play.
std::string TestPlayCaptionText(Language language);

} // namespace zk
