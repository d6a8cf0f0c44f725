// Where the program finds its files and keeps its settings.
#pragma once

#include <string>

namespace zk::platform {

// The directory of the running executable, ending in "/".
std::string ProgramDirectory();

// The settings directory, ending in "/": $XDG_CONFIG_HOME when it holds an
// absolute path, else ~/.config. It is not created here.
std::string SettingsDirectory();

} // namespace zk::platform
