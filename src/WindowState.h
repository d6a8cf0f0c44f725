// What the main window keeps beside the rules' state: where the program's
// files lie, the marker's animation frame, the editor's palette selection and
// whether the open connection ends are marked.
#pragma once

#include <string>

namespace zk {

struct WindowState {
    std::string programDirectory; // always ends in "/"
    int animationFrame = 0;       // the marker sprite's frame, 0..7
    int paletteSelection = 0;     // the tile a left click places in the editor
    bool connectionMarks = false; // F2: open connection ends carry a mark
};

} // namespace zk
