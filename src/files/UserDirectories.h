// The player's own directories as the file layer needs them, without a
// window system: the home directory and the directory of the player's state.
#pragma once

#include <string>

namespace zk::files {

// $HOME when it holds an absolute path, else the home directory the password
// database gives the user (a session started without HOME still writes to
// the player's own places, not to the root of the file system); empty when
// neither is known.
std::string HomeDirectory();

// The game's directory for the player's state, ending in "/":
// $XDG_STATE_HOME/zanfor-kelva/ when that holds an absolute path, else
// <home>/.local/state/zanfor-kelva/; empty without a home. Not created here.
std::string StateDirectory();

} // namespace zk::files
