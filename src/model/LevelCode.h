// Level codes: a short, typeable name for one generated level, such as
// "1M-3QX-9F2". The eight characters are, in order: the generator's version,
// the difficulty band (E easy, M medium, H hard, X expert), five characters of
// the seed, and a check character. The dashes only help the eye.
//
// The characters are the digits and the capital letters without I, L, O, U
// and Z: 31 of them, a prime number. The check character makes the weighted
// sum of all eight values (weights 1 to 8) divisible by 31, so every single
// wrong character (the difference times a weight below 31 is never a multiple
// of 31) and every swap of two neighbouring characters (the difference times
// 1) is found. Reading forgives lower case, spaces, dashes anywhere, and O, I
// and L typed for 0, 1 and 1.
//
// A code makes its level with GenerateLevel(band, seed) of the version it
// names; the same code gives the same bytes on every machine and build of that
// version. A code of another version is refused: its level is not this
// generator's to make.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Board.h"
#include "model/Generator.h"
#include "model/Language.h"

namespace zk {

inline constexpr std::string_view CodeAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXY";
inline constexpr int CodeBase = 31;
inline constexpr int CodeLength = 8; // without the dashes
inline constexpr int CodeSeedLength = 5;
// Seeds a code can name: 0 .. 31^5 - 1.
inline constexpr std::uint32_t CodeSeedCount = 28'629'151;

struct LevelCode {
    Band band = Band::Medium;
    std::uint32_t seed = 0; // below CodeSeedCount
    bool operator==(const LevelCode&) const = default;
};

// The code of this generator version, with its dashes: "1M-3QX-9F2".
std::string FormatLevelCode(const LevelCode& code);

// Why a typed code was refused, in the order the checks are made.
enum class CodeProblem {
    None,
    Length,     // not eight characters besides dashes and spaces
    Character,  // a character no code has (`character`)
    Check,      // the check character does not fit: a character is mistyped
    Version,    // a code of generator version `version`, not this one
    Difficulty, // the second character names no difficulty
};

struct CodeReading {
    CodeProblem problem = CodeProblem::None;
    std::optional<LevelCode> code; // set exactly when problem is None
    char character = 0;            // Character: the first character refused
    int version = 0;               // Version: the version the code names
};

CodeReading ReadLevelCode(std::string_view text);

// Why a code was refused, in the player's words ("" when it was not).
std::string CodeProblemText(const CodeReading& reading, Language language);

// The band's name in lower case: "easy" / "leicht".
const char* BandName(Band band, Language language);

// The level a code names (the generator's own work; up to a few hundred
// milliseconds for an expert level, so the game calls it off the window's
// thread).
GeneratedLevel GenerateCodeLevel(const LevelCode& code);

// A calendar day (the proleptic Gregorian calendar).
struct Date {
    int year = 1970;
    int month = 1;
    int day = 1;
    bool operator==(const Date&) const = default;
};

// "2026-12-09"; none for text that is not such a date, or a day that does not
// exist (2026-02-30), or a year outside 1970..9999.
std::optional<Date> ParseDate(std::string_view text);
std::string FormatDate(const Date& date);
// Today's date in UTC.
Date TodayUtc();

// The level of the day: a medium level whose seed comes from the date alone,
// so everyone gets the same level on the same day wherever they are.
LevelCode DailyCode(const Date& date);

// FNV-1a over the level's 63 bytes: the key of a level's record, the same
// for a level wherever it stands in a set and whatever code made it.
std::uint64_t LevelContentHash(const LevelRecord& level);

} // namespace zk
