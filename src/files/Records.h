// The player's records: for every level played, whether it was solved, the
// fewest moves and the fewest hints of its solves, and the day of its first
// solve. Kept in $XDG_DATA_HOME/zanfor-kelva/records (else
// ~/.local/share/zanfor-kelva/records), apart from the saved games and the
// settings.
//
// The file is text, one level a line, keyed by the hash of the level's 63
// bytes (so a level keeps its record wherever the editor moves it in the set,
// and a code's level is the same level in any set):
//
//   zanfor-kelva records 1
//   # level        state   moves hints first-solve code
//   7e8694a2f222fc48 solved 23 0 2026-12-09 1M-XF2-BAW
//   0991b582a0b6287d played - - - -
//
// Fields are separated by spaces: the hash in 16 lower-case hex digits;
// "solved" or "played" (played, never solved); the fewest moves and the
// fewest hints of a solve, "-" before the first; the date of the first solve
// (YYYY-MM-DD, UTC), "-" before it; the level code that made the level, "-"
// for a level of a set. Lines starting with "#" and empty lines are notes.
// A line this version cannot read is kept as it stands and written back, so
// a damaged line or one of a later version is never lost.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/LevelCode.h"

namespace zk::files {

struct PlayRecord {
    bool solved = false;
    int fewestMoves = -1; // -1: no solve yet
    int fewestHints = -1;
    std::optional<Date> firstSolve;
    std::string code; // empty for a level of a set
    bool operator==(const PlayRecord&) const = default;
};

struct Records {
    std::map<std::uint64_t, PlayRecord> levels; // by LevelContentHash
    std::vector<std::string> unread;            // lines kept as they stand
};

// The directory of the player's data, ending in "/": $XDG_DATA_HOME/
// zanfor-kelva/ when that holds an absolute path, else <home>/.local/share/
// zanfor-kelva/; empty without a home. Not created here.
std::string DataDirectory();
// DataDirectory() + "records"; empty without a home.
std::string RecordsPath();

Records ParseRecords(std::string_view text);
std::string FormatRecords(const Records& records);

struct RecordsRead {
    Records records;
    bool ok = true; // false: the file exists but could not be read whole
    int error = 0;  // errno of the failure
};

// A missing file reads as no records.
RecordsRead ReadRecords(const std::string& path);

// One play of a level: solved or not, with its moves and hints when solved.
struct Play {
    std::uint64_t level = 0;
    std::string code; // the level's code, empty for a level of a set
    bool solved = false;
    int moves = 0;
    int hints = 0;
    Date day; // today, UTC
};

// The record after the play: the better of the two on each count.
PlayRecord WithPlay(const PlayRecord& before, const Play& play);

struct RecordsWrite {
    bool ok = false;
    int error = 0;     // errno of a failed read or write
    PlayRecord record; // the level's record after the play
};

// Adds a play to the file: read again (another game may have written it
// since), the play merged in, the whole file written safely (the old file or
// the new one survives a crash at any instant). A file that cannot be read
// is not written over. The directory is created where missing.
RecordsWrite AddPlay(const std::string& path, const Play& play);

} // namespace zk::files
