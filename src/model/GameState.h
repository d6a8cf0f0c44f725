// Every value of the running game, owned by the main window's controller.
// The model and file operations change it; the view only reads it.
#pragma once

#include <cstdint>
#include <string>

#include "model/Board.h"
#include "model/Language.h"
#include "model/LevelSet.h"

namespace zk {

inline constexpr std::uint8_t PlayState = 0;
inline constexpr std::uint8_t SolvedState = 1;
inline constexpr std::uint8_t EditingState = 3;

struct GameState {
    LevelSet levels;
    Board board;
    int gameMode = PracticeMode;
    std::uint8_t boardState = PlayState;
    int language = English;
    bool moved = false;         // a move was made since the level started
    bool edited = false;        // the editor changed the Board since it was loaded
    bool levelsChanged = false; // the level set is offered for writing at close
    std::string savedGamePath;
    std::string programDirectory; // always ends in "/"
    int paletteSelection = 0;
    int animationFrame = 0;
};

} // namespace zk
