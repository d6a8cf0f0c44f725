// Saved games: exactly 500 bytes, the solved flags of levels 1..500.
#pragma once

#include <string>

#include "model/Language.h"
#include "model/LevelSet.h"

namespace zk::files {

inline constexpr char SavedGameExtension[] = ".zkv";
inline constexpr char SavedGameMask[] = "*.zkv";
inline constexpr std::size_t SavedGameSize = MaxLevels;

// Reads up to 500 bytes into the flags, from the flag of level 1 on; flags
// beyond a short file keep their values. False when the file cannot be
// opened or a read fails.
bool ReadSavedGame(const std::string& path, SolvedFlags& flags);

// Writes all 500 flags as the file's whole new content.
bool WriteSavedGame(const std::string& path, const SolvedFlags& flags);

// The last component of a path: the text after its last "/".
std::string FileNameOf(const std::string& path);

// Joins a directory and a name, inserting "/" unless the directory ends in one.
std::string JoinPath(const std::string& directory, const std::string& name);

// The extension rule: the text from the last "." of the last component on is
// replaced by ".zkv"; a last component without "." gets ".zkv" appended.
std::string WithSavedGameExtension(const std::string& path);

std::string GameLoadErrorText(Language language, const std::string& path);
std::string GameExistsQuestionText(Language language, const std::string& name);
std::string GameSaveErrorText(Language language, const std::string& name);

} // namespace zk::files
