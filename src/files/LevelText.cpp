#include "files/LevelText.h"

#include <cctype>

namespace zk::files {

namespace {

constexpr std::string_view Symbols = "0123456789ABCDEFGHJKMNPQRSTVWXY";
constexpr int Base = 31;
constexpr int PairLeads = 9;                    // symbols 0..8 begin a tile's pair
constexpr int LongestRepeat = Base - PairLeads; // a repeat symbol stands for 1..22 tiles

int ValueOf(char c) {
    const auto at = Symbols.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

char CheckSymbol(std::string_view cells) {
    int sum = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int weight = static_cast<int>(i % (Base - 1)) + 1;
        sum = (sum + weight * ValueOf(cells[i])) % Base;
    }
    return Symbols[static_cast<std::size_t>(sum)];
}

// The cells of well-formed symbols; none when they do not make 63 tiles.
std::optional<LevelRecord> DecodeCells(std::string_view cells) {
    LevelRecord level{};
    std::size_t filled = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int v = ValueOf(cells[i]);
        if (v < PairLeads) {
            if (i + 1 >= cells.size() || filled >= level.size()) {
                return std::nullopt;
            }
            const int tile = v * Base + ValueOf(cells[++i]);
            if (tile > 255) {
                return std::nullopt;
            }
            level[filled++] = static_cast<TileNumber>(tile);
            continue;
        }
        const std::size_t repeats = static_cast<std::size_t>(v - PairLeads + 1);
        if (filled == 0 || filled + repeats > level.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 0; k < repeats; ++k, ++filled) {
            level[filled] = level[filled - 1];
        }
    }
    if (filled != level.size()) {
        return std::nullopt;
    }
    return level;
}

LevelTextRead Refused(LevelTextProblem problem) {
    LevelTextRead read;
    read.error.problem = problem;
    return read;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string LevelToText(const LevelRecord& level) {
    std::string cells;
    for (std::size_t i = 0; i < level.size();) {
        const TileNumber t = level[i++];
        cells += Symbols[t / Base];
        cells += Symbols[t % Base];
        int repeats = 0;
        while (i < level.size() && level[i] == t) {
            ++i;
            if (++repeats == LongestRepeat) {
                cells += Symbols[PairLeads + repeats - 1];
                repeats = 0;
            }
        }
        if (repeats > 0) {
            cells += Symbols[static_cast<std::size_t>(PairLeads + repeats - 1)];
        }
    }
    return LevelTextPrefix + cells + '-' + CheckSymbol(cells);
}

LevelTextRead LevelFromText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    // "ZK", a version number and a hyphen.
    const auto upper = [&](std::size_t i) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    };
    if (text.size() < 2 || upper(0) != 'Z' || upper(1) != 'K') {
        return Refused(LevelTextProblem::NotALevel);
    }
    std::size_t hyphen = 2;
    while (hyphen < text.size() && std::isdigit(static_cast<unsigned char>(text[hyphen]))) {
        ++hyphen;
    }
    if (hyphen == 2 || hyphen >= text.size() || text[hyphen] != '-') {
        return Refused(LevelTextProblem::NotALevel);
    }
    if (text.substr(2, hyphen - 1) != std::string_view(LevelTextPrefix).substr(2)) {
        LevelTextRead read = Refused(LevelTextProblem::OtherVersion);
        read.error.version = "ZK" + std::string(text.substr(2, hyphen - 1));
        return read;
    }
    // The cells, a hyphen, the check symbol.
    const std::size_t start = hyphen + 1;
    const std::size_t last = text.rfind('-');
    for (std::size_t i = start; i < text.size(); ++i) {
        if (i != last && ValueOf(text[i]) < 0) {
            LevelTextRead read = Refused(LevelTextProblem::BadCharacter);
            read.error.position = i + 1;
            read.error.character = text[i];
            return read;
        }
    }
    if (last < start || last + 2 != text.size()) {
        return Refused(LevelTextProblem::Damaged);
    }
    const std::string_view cells = text.substr(start, last - start);
    if (ValueOf(text.back()) != ValueOf(CheckSymbol(cells))) {
        return Refused(LevelTextProblem::Damaged);
    }
    LevelTextRead read;
    read.level = DecodeCells(cells);
    if (!read.level) {
        read.error.problem = LevelTextProblem::Damaged;
    }
    return read;
}

std::string DescribeLevelTextError(const LevelTextError& error) {
    switch (error.problem) {
    case LevelTextProblem::NotALevel:
        break;
    case LevelTextProblem::OtherVersion:
        return "a level line of another version (" + error.version +
               "), which this one cannot read";
    case LevelTextProblem::BadCharacter: {
        const unsigned char c = static_cast<unsigned char>(error.character);
        const std::string shown =
            std::isprint(c) ? "\"" + std::string(1, error.character) + "\"" : "a character";
        return shown + " at position " + std::to_string(error.position) +
               " does not belong in a level line";
    }
    case LevelTextProblem::Damaged:
        return "the level line is mistyped or incomplete: its check symbol does not match";
    }
    return std::string("not a level line (a level line begins with ") + LevelTextPrefix + ")";
}

} // namespace zk::files
