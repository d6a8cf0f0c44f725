// Where the program finds its files and keeps its settings.
#pragma once

#include <string>

namespace zk::platform {

// The directory of the running executable, ending in "/", taken as bytes
// from the kernel. A directory whose name is not valid UTF-8 is given as
// /proc/self/fd/<n>/, a descriptor held open for the run, since Qt cannot
// name it otherwise.
std::string ProgramDirectory();

// The settings directory, ending in "/": $XDG_CONFIG_HOME when it holds an
// absolute path, else ~/.config, the home being the password database's
// where HOME is unset. It is not created here.
std::string SettingsDirectory();

} // namespace zk::platform
