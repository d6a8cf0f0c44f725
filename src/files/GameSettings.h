// The settings the game keeps between runs, read once at start-up and written
// once at close: the game's nine keys in the section "Zanfor Kelva", and the
// comforts' own keys beside them in "Zanfor Kelva Extras". Each key is named
// once, in the table of GameSettings.cpp; a new setting is a field here and a
// row there.
#pragma once

#include <optional>
#include <string>

#include "files/Settings.h"
#include "model/Board.h"
#include "model/Language.h"

namespace zk::files {

struct GameSettings {
    // [Zanfor Kelva]
    Language tongue = LanguageNotChosen; // -1 until a language is chosen
    int level = 1;
    std::string save; // the saved game's path; empty: none
    int left = 100;   // the main window's outer top-left corner
    int top = 50;
    GameMode mode = ChallengeMode; // a stored mode outside 0..2 reads as challenge mode
    // The palette window's outer top-left corner; none: just right of the
    // main window, top edges level.
    std::optional<int> eleft;
    std::optional<int> etop;
    bool sound = false; // whether the sound button is down; written, never read back

    // [Zanfor Kelva Extras]
    bool feedback = false; // the marks on open connection ends (F2)
    // Moves slide and a solve shines; off: every picture at once, as the
    // game was designed.
    bool animations = true;
    std::string scale; // the player's display scale (see DisplayScale.h); read only
};

// The key of `scale` in the extras section, read alone before the window is
// made.
inline constexpr char ScaleKey[] = "scale";

// Every key the game reads; a missing key or a value that is not valid gives
// the default above.
GameSettings ReadGameSettings(const SettingsStore& store);

// Writes the game's keys in the order mode, sound, left, top, level, tongue,
// save, eleft, etop, then each extras key whose value differs from
// `asRead`, so that a game that never touched them leaves the file as the
// game's own keys make it. Creates the settings directory when it is
// missing. Throws SettingsWriteError at the first write refused, writing
// nothing after it.
void WriteGameSettings(SettingsStore& store, const GameSettings& settings,
                       const GameSettings& asRead);

} // namespace zk::files
