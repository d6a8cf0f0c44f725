// The level file "zklv.dat": up to 500 records of 63 bytes, no header.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/GameState.h"

namespace zk::files {

inline constexpr char LevelFileName[] = "zklv.dat";
inline constexpr std::size_t LevelRecordSize = CellCount;
inline constexpr int ShortFileError = 100;

struct LevelFileContents {
    std::vector<LevelRecord> levels; // complete records only, at most 500
    int error = 0;                   // the number the read-error message shows
};

// Reads complete records up to the first short one or the 500th.
LevelFileContents ReadLevelFile(const std::string& path);

// Writes the levels as the file's whole new content. On failure answers the
// number (from 1) of the record that could not be written.
std::optional<int> WriteLevelFile(const std::string& path, const std::vector<LevelRecord>& levels);

std::string LevelReadErrorText(Language language, int number, const std::string& programDirectory);
std::string LevelWriteErrorText(Language language, int failedRecord);

// Start-up reading into the game state. When no complete record could be read
// the set holds one empty level, level 1 is current, and the message to show
// is returned.
std::optional<std::string> LoadLevels(GameState& state, const std::string& programDirectory);

// Stores the Board first when editing, writes every level, clears Edited in
// every case. Returns the message to show when the write failed.
std::optional<std::string> SaveLevels(GameState& state, const std::string& programDirectory);

} // namespace zk::files
