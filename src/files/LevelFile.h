// The level file "zklv.dat": up to 500 records of 63 bytes, no header.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
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

// Where the level file of a directory lies and how messages name it.
struct LevelFileLocation {
    std::string path;
    std::string shownName;      // "ZKLV.DAT", or the name as spelled on disk
    std::string shownDirectory; // the directory the read-error message names
    bool playersOwn = false;    // the player's copy in the data directory
};

// "zklv.dat" when it is there, or when no file of that name in any letter
// case is; otherwise that file ("ZKLV.DAT" first), read and written under
// its own spelling.
LevelFileLocation LocateLevelFile(const std::string& programDirectory);

// The directories the level file may lie in. The program directory alone
// where the player may write the level file there; otherwise the player's
// own copy is kept in playerDirectory and the program directory is only read.
struct LevelFilePlaces {
    LevelFilePlaces(std::string program, std::string player = {})
        : programDirectory(std::move(program)), playerDirectory(std::move(player)) {}
    std::string programDirectory; // ends in "/"
    std::string playerDirectory;  // ends in "/"; empty: the program directory is written
};

// The player's data directory for the level file, ending in "/":
// $XDG_DATA_HOME/zanfor-kelva/ when that holds an absolute path, else
// $HOME/.local/share/zanfor-kelva/; empty when neither is known.
std::string PlayerLevelDirectory(const char* xdgDataHome, const char* home);

// Whether the player may create and replace files in the directory.
bool DirectoryWritable(const std::string& directory);

// The places for a program directory in this environment: the player's
// directory only where neither the program directory nor its level file
// may be written by the player.
LevelFilePlaces LevelFilePlacesFor(const std::string& programDirectory);

// The file the levels are read from: the player's copy when it is there,
// else the program directory's.
LevelFileLocation LocateLevelFile(const LevelFilePlaces& places);
// The file a save writes: the player's copy wherever there is a player's
// directory, else the program directory's.
LevelFileLocation LevelFileToWrite(const LevelFilePlaces& places);

std::string LevelReadErrorText(Language language, int number, const std::string& programDirectory,
                               const std::string& shownName = "ZKLV.DAT");
std::string LevelWriteErrorText(Language language, int failedRecord,
                                const std::string& shownName = "ZKLV.DAT");

// Start-up reading into the game state. When no complete record could be read
// the set holds one empty level, level 1 is current, and the message to show
// is returned.
std::optional<std::string> LoadLevels(GameState& state, const LevelFilePlaces& places);

// Stores the Board first when editing, writes every level, clears Edited in
// every case. The player's directory is created (mode 0700) when it is
// missing. Returns the message to show when the write failed.
std::optional<std::string> SaveLevels(GameState& state, const LevelFilePlaces& places);

} // namespace zk::files
