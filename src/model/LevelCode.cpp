#include "model/LevelCode.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace zk {

namespace {

constexpr char BandLetters[BandCount] = {'E', 'M', 'H', 'X'};

int ValueOf(char c) {
    const auto at = CodeAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The character typed, as the code's own: capitals, and the three letters
// a reader may take for digits read as those digits.
char Normalised(char c) {
    if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
    }
    switch (c) {
    case 'O':
        return '0';
    case 'I':
    case 'L':
        return '1';
    default:
        return c;
    }
}

// The sum of value times weight (weight = position + 1) over the first n
// characters, modulo 31.
int WeightedSum(const int* values, int n) {
    int sum = 0;
    for (int i = 0; i < n; ++i) {
        sum = (sum + (i + 1) * values[i]) % CodeBase;
    }
    return sum;
}

// Days from 1970-01-01 to the date (a civil-calendar count that needs no
// time zone data).
std::int64_t DaysFromCivil(const Date& d) {
    const std::int64_t y = d.year - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = y / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (d.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::uint64_t SplitMix64(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

std::string FormatLevelCode(const LevelCode& code) {
    int values[CodeLength];
    values[0] = GeneratorVersion;
    values[1] = ValueOf(BandLetters[static_cast<int>(code.band)]);
    std::uint32_t seed = code.seed % CodeSeedCount;
    for (int i = CodeSeedLength; i >= 1; --i) {
        values[1 + i] = static_cast<int>(seed % CodeBase);
        seed /= CodeBase;
    }
    // The check value c at weight 8 makes the whole sum 0 modulo 31.
    const int partial = WeightedSum(values, CodeLength - 1);
    values[CodeLength - 1] = 0;
    while ((partial + CodeLength * values[CodeLength - 1]) % CodeBase != 0) {
        ++values[CodeLength - 1];
    }
    std::string text;
    for (int i = 0; i < CodeLength; ++i) {
        if (i == 2 || i == 5) {
            text += '-';
        }
        text += CodeAlphabet[static_cast<std::size_t>(values[i])];
    }
    return text;
}

CodeReading ReadLevelCode(std::string_view text) {
    CodeReading reading;
    std::string chars;
    for (const char raw : text) {
        if (raw == '-' || raw == ' ' || raw == '\t') {
            continue;
        }
        chars += Normalised(raw);
    }
    int values[CodeLength];
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const int v = ValueOf(chars[i]);
        if (v < 0) {
            reading.problem = CodeProblem::Character;
            reading.character = chars[i];
            return reading;
        }
        if (i < CodeLength) {
            values[i] = v;
        }
    }
    if (chars.size() != CodeLength) {
        reading.problem = CodeProblem::Length;
        return reading;
    }
    if (WeightedSum(values, CodeLength) != 0) {
        reading.problem = CodeProblem::Check;
        return reading;
    }
    if (values[0] != GeneratorVersion) {
        reading.problem = CodeProblem::Version;
        reading.version = values[0];
        return reading;
    }
    LevelCode code;
    bool banded = false;
    for (int b = 0; b < BandCount; ++b) {
        if (chars[1] == BandLetters[b]) {
            code.band = static_cast<Band>(b);
            banded = true;
        }
    }
    if (!banded) {
        reading.problem = CodeProblem::Difficulty;
        return reading;
    }
    for (int i = 2; i < 2 + CodeSeedLength; ++i) {
        code.seed = code.seed * CodeBase + static_cast<std::uint32_t>(values[i]);
    }
    reading.code = code;
    return reading;
}

std::string CodeProblemText(const CodeReading& reading, Language language) {
    switch (reading.problem) {
    case CodeProblem::None:
        return {};
    case CodeProblem::Length:
        return Tr(language, "Ein Levelcode hat acht Zeichen, etwa 1M-3QX-9FE.",
                  "A level code has eight characters, such as 1M-3QX-9FE.");
    case CodeProblem::Character:
        if (reading.character > ' ' && reading.character < 127) {
            return std::string(Tr(language, "Das Zeichen „", "The character \"")) +
                   reading.character +
                   Tr(language, "“ kommt in Levelcodes nicht vor.",
                      "\" does not occur in level codes.");
        }
        return Tr(language, "Der Code enthält ein Zeichen, das in Levelcodes nicht vorkommt.",
                  "The code holds a character that does not occur in level codes.");
    case CodeProblem::Check:
        return Tr(language, "Dieser Code ist vertippt: Bitte die Zeichen prüfen.",
                  "This code is mistyped: please check its characters.");
    case CodeProblem::Version:
        return Tr(language, "Dieser Code stammt von Version ", "This code was made by version ") +
               std::to_string(reading.version) +
               Tr(language, " des Levelgenerators; dieses Spiel macht Level der Version ",
                  " of the level generator; this game makes levels of version ") +
               std::to_string(GeneratorVersion) + ".";
    case CodeProblem::Difficulty:
        return Tr(language, "Das ist kein Levelcode: Sein zweites Zeichen nennt keinen Grad.",
                  "This is not a level code: its second character names no difficulty.");
    }
    return {};
}

const char* BandName(Band band, Language language) {
    switch (band) {
    case Band::Easy:
        return Tr(language, "leicht", "easy");
    case Band::Medium:
        return Tr(language, "mittel", "medium");
    case Band::Hard:
        return Tr(language, "schwer", "hard");
    case Band::Expert:
        return Tr(language, "knifflig", "expert");
    }
    return "";
}

GeneratedLevel GenerateCodeLevel(const LevelCode& code) {
    return GenerateLevel(code.band, code.seed);
}

std::optional<Date> ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto number = [&](std::size_t from, std::size_t n) {
        int v = 0;
        for (std::size_t i = from; i < from + n; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return -1;
            }
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const Date d{number(0, 4), number(5, 2), number(8, 2)};
    if (d.year < 1970 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month)) {
        return std::nullopt;
    }
    return d;
}

std::string FormatDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

Date TodayUtc() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    return Date{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

LevelCode DailyCode(const Date& date) {
    // The day number, mixed so that neighbouring days are far apart.
    const auto days = static_cast<std::uint64_t>(DaysFromCivil(date));
    const std::uint64_t mixed = SplitMix64(days ^ 0x7a6b2d6461696c79ULL);
    return LevelCode{Band::Medium, static_cast<std::uint32_t>(mixed % CodeSeedCount)};
}

std::uint64_t LevelContentHash(const LevelRecord& level) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const TileNumber t : level) {
        hash ^= static_cast<std::uint8_t>(t);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace zk
