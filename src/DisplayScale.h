// The size a player chooses for the game without the desktop's scaling:
// "--scale F" on the command line or "scale=F" in the settings file's extras
// section. It is applied before the application object is made, and
// multiplies with whatever scaling the desktop applies itself.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

// 1, 1.5, 2 or 3, written as a decimal number ("2", "2.0", "1.50"); none
// for anything else.
std::optional<double> ParseDisplayScale(std::string_view text);

// The scale a run is to use: the last "--scale F" or "--scale=F" of the
// command line, else "scale=F" in the extras section of the settings file;
// none when neither gives an accepted value. Every rejected value is told to
// `rejected` in a sentence of its own and then ignored.
std::optional<double> ChosenDisplayScale(int argc, const char* const* argv,
                                         const std::string& settingsFile,
                                         const std::function<void(const std::string&)>& rejected);

// Makes the scale the factor the application object will scale by. Answers
// what to call once that object is made: it puts the environment back, so
// that programs the game starts do not inherit the factor.
std::function<void()> ApplyDisplayScale(double scale);

} // namespace zk
