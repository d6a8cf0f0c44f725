// Saved games: exactly 500 bytes, the solved flags of levels 1..500, in files
// with the extension ".zkv".
#pragma once

#include <filesystem>

#include "model/LevelSet.h"

namespace zk::files {

inline constexpr char SavedGameExtension[] = ".zkv";
inline constexpr char SavedGameMask[] = "*.zkv";
inline constexpr std::size_t SavedGameSize = MaxLevels;

// Reads up to 500 bytes into the flags, from the flag of level 1 on; flags
// beyond a short file keep their values. False when the file cannot be
// opened or a read fails.
bool ReadSavedGame(const std::filesystem::path& path, SolvedFlags& flags);

// Writes all 500 flags as the file's whole new content.
bool WriteSavedGame(const std::filesystem::path& path, const SolvedFlags& flags);

// The extension rule: the text from the last "." of the last component on is
// replaced by ".zkv"; a last component without "." gets ".zkv" appended.
std::filesystem::path WithSavedGameExtension(const std::filesystem::path& path);

} // namespace zk::files
