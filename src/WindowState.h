// What the main window keeps beside the rules' state: where the program's
// files and the player's own level file lie, the marker's animation frame, the editor's palette
// selection and whether the open connection ends are marked.
#pragma once

#include <string>

namespace zk {

struct WindowState {
    std::string programDirectory; // always ends in "/"
    // Where the player keeps an own level file when the program directory
    // may not be written; empty: the level file is the program directory's.
    std::string playerLevelDirectory;
    int animationFrame = 0;       // the marker sprite's frame, 0..7
    int paletteSelection = 0;     // the tile a left click places in the editor
    bool connectionMarks = false; // F2: open connection ends carry a mark
};

} // namespace zk
