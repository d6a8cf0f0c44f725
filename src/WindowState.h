// What the main window keeps beside the rules' state: where the program's
// files lie, the marker's animation frame and the editor's palette selection.
#pragma once

#include <string>

namespace zk {

struct WindowState {
    std::string programDirectory; // always ends in "/"
    int animationFrame = 0;       // the marker sprite's frame, 0..7
    int paletteSelection = 0;     // the tile a left click places in the editor
};

} // namespace zk
