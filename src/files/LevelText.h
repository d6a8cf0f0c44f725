// A level as one line of text, to share it by mail, chat or clipboard:
//
//   ZK1-<cells>-<check>
//
// "ZK1-" names the form (version 1). The cells are the level's 63 tile
// numbers in the level file's order (column by column, each from the top),
// written with 31 symbols, "0123456789ABCDEFGHJKMNPQRSTVWXY" (no I, L, O, U
// or Z; lower case reads as upper case), symbol s having the value of its
// place in that list:
//   - a tile unlike the one before it: two symbols a b, the tile a x 31 + b
//     (a is 0..8);
//   - a symbol of value v from 9 up: the tile before it v - 8 more times.
// The check symbol is the sum of every cell symbol's value times its weight,
// modulo 31, the weights running 1, 2, ... 30, 1, 2, ...: a single wrong
// symbol changes the sum by a multiple of its weight that 31 does not
// divide, and so does an exchange of two neighbours.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Board.h"

namespace zk::files {

inline constexpr char LevelTextPrefix[] = "ZK1-";

std::string LevelToText(const LevelRecord& level);

enum class LevelTextProblem {
    NotALevel,    // does not begin as a level line does
    OtherVersion, // a level line of another form ("ZK2-...")
    BadCharacter, // a character outside the symbols, at `position`
    Damaged,      // the check symbol does not match, or the cells do not add up to 63
};

struct LevelTextError {
    LevelTextProblem problem = LevelTextProblem::NotALevel;
    std::size_t position = 0; // of a bad character, from 1, in the text as given
    char character = 0;       // the bad character's first byte
    std::string version;      // of another form: its prefix, "ZK2-"
};

struct LevelTextRead {
    std::optional<LevelRecord> level;
    LevelTextError error; // when there is no level
};

// Reads one level line; blanks before and after it are ignored.
LevelTextRead LevelFromText(std::string_view text);

// The problem told in English, for the level tool.
std::string DescribeLevelTextError(const LevelTextError& error);

} // namespace zk::files
