// The level file "zklv.dat": up to 500 records of 63 bytes, no header.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
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

// The complete records of a level file's bytes, at most 500; a shorter
// tail is dropped.
std::vector<LevelRecord> ParseLevelRecords(std::span<const std::uint8_t> bytes);
// The bytes of a level file holding the levels.
std::vector<std::uint8_t> LevelFileBytes(const std::vector<LevelRecord>& levels);

// Reads complete records up to the first short one or the 500th.
LevelFileContents ReadLevelFile(const std::string& path);

// Writes the levels as the file's whole new content. On failure answers the
// number (from 1) of the record that could not be written.
std::optional<int> WriteLevelFile(const std::string& path, const std::vector<LevelRecord>& levels);

// Where the level file of a program directory lies and how messages name it.
struct LevelFileLocation {
    std::string path;
    std::string shownName; // "ZKLV.DAT", or the name as spelled on disk
};

// "zklv.dat" when it is there, or when no file of that name in any letter
// case is; otherwise that file ("ZKLV.DAT" first), read and written under
// its own spelling.
LevelFileLocation LocateLevelFile(const std::string& programDirectory);

std::string LevelReadErrorText(Language language, int number, const std::string& programDirectory,
                               const std::string& shownName = "ZKLV.DAT");
std::string LevelWriteErrorText(Language language, int failedRecord,
                                const std::string& shownName = "ZKLV.DAT");

// Start-up reading into the game state. When no complete record could be read
// the set holds one empty level, level 1 is current, and the message to show
// is returned.
std::optional<std::string> LoadLevels(GameState& state, const std::string& programDirectory);

// Stores the Board first when editing, writes every level, clears Edited in
// every case. Returns the message to show when the write failed.
std::optional<std::string> SaveLevels(GameState& state, const std::string& programDirectory);

} // namespace zk::files
