// The level file "zklv.dat": up to 500 records of 63 bytes, no header; and
// where it lies: the program directory, or the player's own copy where the
// program directory may not be written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/LevelSet.h"

namespace zk::files {

inline constexpr char LevelFileName[] = "zklv.dat";
inline constexpr std::size_t LevelRecordSize = CellCount;
// The read error of a file too short to hold one level.
inline constexpr int ShortFileError = 100;

struct LevelFileContents {
    std::vector<LevelRecord> levels; // complete records only, at most 500
    int error = 0; // without a level: the system's error number, or ShortFileError
};

// The complete records of a level file's bytes, at most 500; a shorter
// tail is dropped.
std::vector<LevelRecord> ParseLevelRecords(std::span<const std::uint8_t> bytes);
// The bytes of a level file holding the levels.
std::vector<std::uint8_t> LevelFileBytes(const std::vector<LevelRecord>& levels);

// Reads complete records up to the first short one or the 500th.
LevelFileContents ReadLevelFile(const std::filesystem::path& path);

// Writes the levels as the file's whole new content. On failure answers the
// number (from 1) of the record that could not be written.
std::optional<int> WriteLevelFile(const std::filesystem::path& path,
                                  const std::vector<LevelRecord>& levels);

// Where the level file of a directory lies and how messages name it.
struct LevelFileLocation {
    std::filesystem::path path;
    std::string shownName;                // "ZKLV.DAT", or the name as spelled on disk
    std::filesystem::path shownDirectory; // the directory the read-error message names
    bool playersOwn = false;              // the player's copy in the data directory
};

// "zklv.dat" when it is there, or when no file of that name in any letter
// case is; otherwise that file ("ZKLV.DAT" first), read and written under
// its own spelling.
LevelFileLocation LocateLevelFile(const std::filesystem::path& programDirectory);

// The directories the level file may lie in. The program directory alone
// where the player may write the level file there; otherwise the player's
// own copy is kept in playerDirectory and the program directory is only read.
struct LevelFilePlaces {
    LevelFilePlaces(std::filesystem::path program, std::filesystem::path player = {})
        : programDirectory(std::move(program)), playerDirectory(std::move(player)) {}
    std::filesystem::path programDirectory;
    std::filesystem::path playerDirectory; // empty: the program directory is written
};

// The player's data directory for the level file, ending in "/":
// $XDG_DATA_HOME/zanfor-kelva/ when that holds an absolute path, else
// $HOME/.local/share/zanfor-kelva/; empty when neither is known.
std::filesystem::path PlayerLevelDirectory(const char* xdgDataHome, const char* home);

// Whether the player may create and replace files in the directory.
bool DirectoryWritable(const std::filesystem::path& directory);

// The places for a program directory in this environment: the player's
// directory only where neither the program directory nor its level file
// may be written by the player.
LevelFilePlaces LevelFilePlacesFor(const std::filesystem::path& programDirectory);

// The file the levels are read from: the player's copy when it is there,
// else the program directory's.
LevelFileLocation LocateLevelFile(const LevelFilePlaces& places);
// The file a save writes: the player's copy wherever there is a player's
// directory, else the program directory's.
LevelFileLocation LevelFileToWrite(const LevelFilePlaces& places);

// Creates the directory and every missing parent with mode 0700, as data
// directories of a player are made. A failure is left to the write that
// follows to report.
void CreatePrivateDirectories(const std::filesystem::path& directory);

} // namespace zk::files
