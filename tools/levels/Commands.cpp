#include "Commands.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "CodeCommand.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"
#include "files/LevelText.h"
#include "model/Deducer.h"
#include "model/Generator.h"
#include "model/LevelSet.h"
#include "model/Solver.h"

namespace zk::levels {

namespace {

constexpr char MainHelp[] = R"(zk-levels: generates, checks and grades Zanfor Kelva level files.

Usage:
  zk-levels check [--cap N] [--budget N] [--what-if N] FILE
  zk-levels stats [--budget N] [--what-if N] FILE
  zk-levels gen --seed S [--count N] -o FILE
  zk-levels show FILE [LEVEL]
  zk-levels import LINE... -o FILE
  zk-levels code CODE -o FILE
  zk-levels code --daily [DATE]
  zk-levels help [COMMAND]

Commands:
  check   proves every level playable with the solver; exits with 1 when one is
          proven unplayable, with 2 when the search could not decide one
  stats   shows the difficulty curve of a level file, per block of ten levels
  gen     generates a level set, the same bytes for the same seed and count
  show    draws levels as text: the tile numbers of each cell and the level line
  import  writes level lines (as the editor's Ctrl+C copies them) into a level file
  code    writes the level a level code names; prints the level of the day's code

The rules of the deducer, which rates a level by the hardest rule a player
needs, easiest first:
@RULES@
"zk-levels COMMAND --help" describes one command.
)";

constexpr char CheckHelp[] = R"(Usage: zk-levels check [--cap N] [--budget N] [--what-if N] FILE

Checks every level of a level file (63 bytes a level, at most 500 levels) and
prints one line per level:
  Level     the level number
  Movable   cells holding a movable tile (0..90, the empty tile included)
  Holdable  tiles 1..89, the ones a level can start holding
  Stored    whether the level as stored passes the solution check
  Solvable  whether some arrangement of its movable tiles does: yes, no (the
            whole search found none), or undecided (the search ran out of its
            budget before it could tell)
  Solutions distinct solutions, tiles with identical edges counting as one;
            ">=N" when counting stopped at the cap or the budget
  Deduced   yes when deductions alone place every tile, without a guess
  Guesses   the choices a plain search tried before the solution, and its
            being the only one, were certain
  Grade     difficulty 1..10, from the tiles and the guesses
  Rule      the hardest of the deducer's rules the level needs (1 to 7, see
            "zk-levels help"); "-" when the rules alone do not solve it
  Nodes     search nodes used
A level is unplayable when it has no tile 1..89 to hold or is proven not
solvable; a level whose search ran out of its budget is undecided, neither
playable nor unplayable. Bytes 200..255 (no tile of that number exists) are
reported.

Options:
  --cap N     stop counting solutions at N (default 100)
  --budget N  give up a level after N search nodes (default 1000000)
  --what-if N let the deducer take at most N "what if" steps a level (by
              default as many as it needs)

Exit status: 0 every level playable; 1 some level proven unplayable, or no
level in the file; 2 no level unplayable but some undecided; 3 bad arguments
or the file cannot be read.
)";

constexpr char StatsHelp[] = R"(Usage: zk-levels stats [--budget N] [--what-if N] FILE

Shows the difficulty curve of a level file as a table, one row per block of
ten levels: the movable cells, the tiles to place, the kinds of connection
used, the fixed tiles with connections (anchors), how many levels have a
single solution, how many the deducer's rules alone solve, how many levels
have each rule as their hardest (the rule profile, rules 1 to 7), the
hardest rules, the "what if" steps, the narrow steps (where only one
deduction was open) and the mean effort of the solve, with a bar.

Options:
  --budget N  give up counting a level's solutions after N search nodes
              (default 100000)
  --what-if N let the deducer take at most N "what if" steps a level

Exit status: 0 the table was shown; 1 no level in the file; 3 bad arguments
or the file cannot be read.
)";

constexpr char GenHelp[] = R"(Usage: zk-levels gen --seed S [--count N] -o FILE

Generates a level set and writes it to FILE (replacing it whole). The first
twelve levels each teach one idea with a few tiles; from the thirteenth on
the deducer's rules alone solve every level, so its solution is single. Each
rule comes in with two or three levels that need it and nothing harder, then
mixes with the rules before it; easier levels follow hard stretches; the
last ten are the only ones that need "what if" three times, and the last
takes the most effort. Every level is stored solved. The same seed and
count always give the same bytes with one version of the generator.

Options:
  --seed S    the seed, a whole number 0..18446744073709551615
  --count N   the number of levels, 1..500 (default 200)
  -o FILE     the file to write

Exit status: 0 written; 3 bad arguments or the file cannot be written.
)";

constexpr char ShowHelp[] = R"(Usage: zk-levels show FILE [LEVEL]

Prints levels as a grid of tile numbers, 9 columns by 7 rows; movable tiles
are shown as they are, fixed tiles in brackets. Without LEVEL every level is
shown. Above each grid stands the level line, the level as one line of text
that the editor's Ctrl+V and "zk-levels import" read.

Exit status: 0 shown; 1 no level in the file; 3 bad arguments or the file
cannot be read.
)";

constexpr char ImportHelp[] = R"(Usage: zk-levels import LINE... -o FILE

Writes the levels of one or more level lines, in the order given, to FILE as
a level file (replacing it whole). A level line is the level as one line of
text, as the editor's Ctrl+C copies it and "zk-levels show" prints it:
"ZK1-", the 63 cells, "-" and a check symbol. When any line is mistyped or
not a level line nothing is written.

Options:
  -o FILE     the file to write

Exit status: 0 written; 3 bad arguments, a line that is no level line, or
the file cannot be written.
)";

struct Options {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    bool help = false;
};

// Splits arguments into options with a value and positional ones. Fails with
// a message on an unknown option or a missing value.
std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    const std::vector<std::string>& known, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            continue;
        }
        if (a.size() > 1 && a[0] == '-') {
            std::string name = a;
            std::optional<std::string> value;
            if (const auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            }
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                error = "unknown option " + name;
                return std::nullopt;
            }
            if (!value) {
                if (i + 1 >= args.size()) {
                    error = "option " + name + " needs a value";
                    return std::nullopt;
                }
                value = args[++i];
            }
            if (o.values.count(name)) {
                error = "option " + name + " given twice";
                return std::nullopt;
            }
            o.values[name] = *value;
            continue;
        }
        o.positional.push_back(a);
    }
    return o;
}

std::optional<std::uint64_t> ParseNumber(const std::string& text, std::uint64_t low,
                                         std::uint64_t high) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

int UsageError(std::ostream& err, const std::string& command, const std::string& message) {
    err << "zk-levels " << command << ": " << message << "\n"
        << "Try \"zk-levels " << command << " --help\".\n";
    return ExitUsage;
}

bool NumberOption(const Options& o, const std::string& name, std::uint64_t low, std::uint64_t high,
                  std::uint64_t& value, std::string& error) {
    const auto it = o.values.find(name);
    if (it == o.values.end()) {
        return true;
    }
    const auto parsed = ParseNumber(it->second, low, high);
    if (!parsed) {
        error = "option " + name + " needs a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not \"" + it->second + "\"";
        return false;
    }
    value = *parsed;
    return true;
}

struct LoadedFile {
    std::vector<LevelRecord> levels;
    std::size_t bytes = 0;
    bool tooLong = false; // more than 500 whole levels: the game reads only 500
};

// Reads a level file as the game does, remembering what the game would
// silently drop. Answers nothing (after a message) when it cannot be read.
std::optional<LoadedFile> LoadFile(const std::string& path, std::ostream& err,
                                   const std::string& command) {
    const std::size_t limit = files::LevelRecordSize * MaxLevels;
    // One record more than the game reads tells a 501st level from a tail.
    const files::ReadOutcome read = files::ReadFilePrefix(path, limit + files::LevelRecordSize);
    if (!read.opened || read.failed) {
        err << "zk-levels " << command << ": cannot read " << path << ": "
            << (read.error != 0 ? std::strerror(read.error) : "read failed") << "\n";
        return std::nullopt;
    }
    LoadedFile file;
    file.bytes = read.bytes.size();
    file.tooLong = file.bytes >= limit + files::LevelRecordSize;
    const std::size_t whole = std::min(file.bytes, limit) / files::LevelRecordSize;
    file.levels.resize(whole);
    for (std::size_t k = 0; k < whole; ++k) {
        std::copy_n(read.bytes.begin() + static_cast<std::ptrdiff_t>(k * files::LevelRecordSize),
                    files::LevelRecordSize, file.levels[k].begin());
    }
    return file;
}

// Reports a file that holds no whole level, or bytes the game ignores.
// Answers false when there is no level at all.
bool DescribeFileShape(const std::string& path, const LoadedFile& file, std::ostream& out) {
    if (file.levels.empty()) {
        if (file.bytes == 0) {
            out << path << ": the file is empty; it holds no level (a level is 63 bytes).\n";
        } else {
            out << path << ": " << file.bytes
                << " bytes, shorter than one level (63 bytes); it holds no level.\n";
        }
        out << "The game would start with a single empty level.\n";
        return false;
    }
    if (file.tooLong) {
        out << path << ": more than 500 levels; the game reads only the first 500.\n";
    } else if (const std::size_t tail = file.bytes - file.levels.size() * files::LevelRecordSize;
               tail != 0) {
        out << path << ": " << tail
            << " bytes after the last whole level are not a level; the game ignores them.\n";
    }
    return true;
}

bool WhatIfOption(const Options& o, DeduceOptions& rules, std::string& error) {
    std::uint64_t limit = 0;
    if (!o.values.count("--what-if")) {
        return true;
    }
    if (!NumberOption(o, "--what-if", 0, 1'000'000, limit, error)) {
        return false;
    }
    rules.whatIfLimit = static_cast<int>(limit);
    return true;
}

// The hardest rule's number, "-" when the rules alone do not solve it.
std::string RuleText(const RuleRating& r) {
    return r.solved ? std::to_string(RuleNumber(r.hardest)) : std::string("-");
}

// Proven unplayable: nothing to hold, or no arrangement solves it.
bool IsUnplayable(const SolverResult& r) {
    return r.holdableTiles == 0 || r.status == Solvability::Unsolvable;
}

bool IsUndecided(const SolverResult& r) {
    return !IsUnplayable(r) && r.status == Solvability::Undecided;
}

std::string SolutionsText(const SolverResult& r) {
    if (r.status != Solvability::Solvable) {
        return r.status == Solvability::Unsolvable ? "0" : "-";
    }
    return (r.countComplete ? "" : ">=") + std::to_string(r.solutions);
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto o = ParseOptions(args, {"--cap", "--budget", "--what-if"}, error);
    if (!o) {
        return UsageError(err, "check", error);
    }
    if (o->help) {
        out << CheckHelp;
        return ExitOk;
    }
    if (o->positional.size() != 1) {
        return UsageError(err, "check",
                          o->positional.empty() ? "no level file given"
                                                : "only one level file at a time");
    }
    SolverLimits limits;
    std::uint64_t cap = static_cast<std::uint64_t>(limits.solutionCap);
    DeduceOptions rules;
    if (!NumberOption(*o, "--cap", 1, 1'000'000, cap, error) ||
        !NumberOption(*o, "--budget", 1, 1'000'000'000'000ULL, limits.nodeBudget, error) ||
        !WhatIfOption(*o, rules, error)) {
        return UsageError(err, "check", error);
    }
    limits.solutionCap = static_cast<int>(cap);

    const std::string& path = o->positional[0];
    const auto file = LoadFile(path, err, "check");
    if (!file) {
        return ExitUsage;
    }
    if (!DescribeFileShape(path, *file, out)) {
        out << "Summary: 0 levels; nothing to play.\n";
        return ExitUnplayable;
    }

    out << "Level  Movable  Holdable  Stored  Solvable   Solutions  Deduced  Guesses  Grade  Rule  "
           "     Nodes  Notes\n";
    int unplayable = 0;
    int undecided = 0;
    int storedSolved = 0;
    int unique = 0;
    int deduced = 0;
    int foreign = 0;
    std::uint64_t nodes = 0;
    int lowGrade = HighestGrade;
    int highGrade = 0;
    int byRules = 0;
    std::map<LevelRecord, RuleRating> ratings;
    Rule lowRule = Rule::WhatIf;
    Rule highRule = Rule::None;
    for (std::size_t k = 0; k < file->levels.size(); ++k) {
        const LevelRecord& level = file->levels[k];
        const SolverResult r = SolveLevel(level, limits);
        const Difficulty d =
            r.status == Solvability::Solvable
                ? RateLevel(level, std::min<std::uint64_t>(limits.nodeBudget, 100'000))
                : Difficulty{};
        const bool stored = IsSolved(level);
        // A level met before is rated once: a file may repeat a level many times.
        auto [known, added] = ratings.try_emplace(level);
        if (added) {
            known->second = RateDeduction(Deduce(level, rules));
        }
        const RuleRating& rating = known->second;
        std::vector<std::string> notes;
        if (r.holdableTiles == 0) {
            notes.emplace_back("no tile 1..89 to hold");
        }
        if (r.status == Solvability::Unsolvable) {
            notes.emplace_back("not solvable");
        } else if (r.status == Solvability::Undecided) {
            notes.emplace_back("no answer within " + std::to_string(limits.nodeBudget) + " nodes");
        }
        if (r.foreignTiles > 0) {
            notes.push_back(std::to_string(r.foreignTiles) +
                            (r.foreignTiles == 1 ? " byte" : " bytes") +
                            " 200..255 (no such tile; fixed, no connection, no picture)");
        }
        if (r.status == Solvability::Solvable && !stored) {
            notes.emplace_back("stored unsolved (the editor shows it so)");
        }
        std::string noteText;
        for (const auto& n : notes) {
            noteText += (noteText.empty() ? "" : "; ") + n;
        }
        const std::string verdict = IsUnplayable(r)    ? "  UNPLAYABLE: "
                                    : IsUndecided(r)   ? "  UNDECIDED: "
                                    : noteText.empty() ? ""
                                                       : "  ";
        out << std::setw(5) << k + 1 << std::setw(9) << r.movableCells << std::setw(10)
            << r.holdableTiles << "  " << std::left << std::setw(6) << (stored ? "yes" : "no")
            << "  " << std::setw(9) << SolvabilityName(r.status) << std::right << std::setw(11)
            << SolutionsText(r) << "  " << std::left << std::setw(7)
            << (d.rated ? (d.deductionOnly ? "yes" : "no") : "-") << std::right << std::setw(8)
            << (d.rated ? std::to_string(d.guesses) : std::string("-")) << std::setw(7)
            << (d.rated ? std::to_string(d.grade) : std::string("-")) << std::setw(6)
            << RuleText(rating) << std::setw(11) << r.nodes << verdict << noteText << "\n";
        if (rating.solved) {
            ++byRules;
            lowRule = std::min(lowRule, rating.hardest);
            highRule = std::max(highRule, rating.hardest);
        }

        unplayable += IsUnplayable(r) ? 1 : 0;
        undecided += IsUndecided(r) ? 1 : 0;
        storedSolved += stored ? 1 : 0;
        unique += r.status == Solvability::Solvable && r.countComplete && r.solutions == 1;
        deduced += d.deductionOnly ? 1 : 0;
        foreign += r.foreignTiles > 0 ? 1 : 0;
        nodes += r.nodes;
        if (d.rated) {
            lowGrade = std::min(lowGrade, d.grade);
            highGrade = std::max(highGrade, d.grade);
        }
    }
    const auto count = static_cast<int>(file->levels.size());
    out << "Summary: " << count << (count == 1 ? " level, " : " levels, ")
        << count - unplayable - undecided << " playable, " << unplayable << " unplayable, "
        << undecided << " undecided; " << storedSolved << " stored solved, " << unique
        << " with a single solution, " << deduced << " solved by deduction alone";
    if (highGrade > 0) {
        out << ", grades " << lowGrade << ".." << highGrade;
    }
    out << "; " << byRules << " solved by the deducer's rules";
    if (byRules > 0) {
        out << ", hardest rule " << RuleNumber(lowRule) << ".." << RuleNumber(highRule);
    }
    if (foreign > 0) {
        out << "; " << foreign << " with bytes 200..255";
    }
    out << "; " << nodes << " search nodes.\n";
    if (unplayable > 0) {
        return ExitUnplayable;
    }
    return undecided > 0 ? ExitUndecided : ExitOk;
}

std::string CodesText(unsigned codes) {
    std::string text;
    for (int code = 1; code <= 3; ++code) {
        if (codes & (1U << code)) {
            text += (text.empty() ? "" : ",") + std::to_string(code);
        }
    }
    return text.empty() ? "-" : text;
}

std::string RangeText(std::uint64_t low, std::uint64_t high) {
    return low == high ? std::to_string(low) : std::to_string(low) + "-" + std::to_string(high);
}

// Per rule, how many levels of a block have it as their hardest: "." for
// none, a digit, "+" for ten or more.
std::string ProfileText(const std::array<int, RuleCount + 1>& levels) {
    std::string text;
    for (int rule = 1; rule <= RuleCount; ++rule) {
        const int n = levels[static_cast<std::size_t>(rule)];
        text.push_back(n == 0 ? '.' : n >= 10 ? '+' : static_cast<char>('0' + n));
    }
    return text;
}

int Stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto o = ParseOptions(args, {"--budget", "--what-if"}, error);
    if (!o) {
        return UsageError(err, "stats", error);
    }
    if (o->help) {
        out << StatsHelp;
        return ExitOk;
    }
    if (o->positional.size() != 1) {
        return UsageError(err, "stats",
                          o->positional.empty() ? "no level file given"
                                                : "only one level file at a time");
    }
    SolverLimits limits;
    limits.nodeBudget = 100'000;
    limits.solutionCap = 2;
    DeduceOptions rules;
    if (!NumberOption(*o, "--budget", 1, 1'000'000'000'000ULL, limits.nodeBudget, error) ||
        !WhatIfOption(*o, rules, error)) {
        return UsageError(err, "stats", error);
    }
    const std::string& path = o->positional[0];
    const auto file = LoadFile(path, err, "stats");
    if (!file) {
        return ExitUsage;
    }
    if (!DescribeFileShape(path, *file, out)) {
        return ExitUnplayable;
    }

    const int count = static_cast<int>(file->levels.size());
    constexpr int Block = 10;
    out << "Levels    Cells  Tiles  Kinds  Anchors  Single  Solved  Rules    Rule  What if  Narrow "
           " "
           "Effort\n"
           "                                                        1234567\n";
    for (int first = 0; first < count; first += Block) {
        const int last = std::min(count, first + Block);
        int cellsLow = CellCount, cellsHigh = 0, tilesLow = CellCount, tilesHigh = 0;
        int anchors = 0, single = 0, solved = 0, effort = 0;
        int ruleLow = RuleCount, ruleHigh = 0, whatIfLow = CellCount * CellCount, whatIfHigh = 0;
        int narrowLow = CellCount * CellCount, narrowHigh = 0;
        std::array<int, RuleCount + 1> hardest{};
        unsigned codes = 0;
        for (int k = first; k < last; ++k) {
            const LevelRecord& level = file->levels[static_cast<std::size_t>(k)];
            int cells = 0;
            int tiles = 0;
            for (const TileNumber t : level) {
                const Edges e = TileEdges(t);
                bool connected = false;
                for (int s = 0; s < 4; ++s) {
                    codes |= e[s] != 0 ? 1U << e[s] : 0U;
                    connected = connected || e[s] != 0;
                }
                anchors += !IsMovable(t) && connected ? 1 : 0;
                cells += IsMovable(t) ? 1 : 0;
                tiles += IsMovable(t) && t != EmptyTile ? 1 : 0;
            }
            cellsLow = std::min(cellsLow, cells);
            cellsHigh = std::max(cellsHigh, cells);
            tilesLow = std::min(tilesLow, tiles);
            tilesHigh = std::max(tilesHigh, tiles);
            const RuleRating rating = RateDeduction(Deduce(level, rules));
            if (!rating.solved) {
                const SolverResult r = SolveLevel(level, limits);
                single += r.countComplete && r.solutions == 1 ? 1 : 0;
                continue;
            }
            ++single;
            ++solved;
            const int rule = RuleNumber(rating.hardest);
            ++hardest[static_cast<std::size_t>(rule)];
            ruleLow = std::min(ruleLow, rule);
            ruleHigh = std::max(ruleHigh, rule);
            const int whatIfs = rating.uses[static_cast<std::size_t>(RuleNumber(Rule::WhatIf))];
            whatIfLow = std::min(whatIfLow, whatIfs);
            whatIfHigh = std::max(whatIfHigh, whatIfs);
            narrowLow = std::min(narrowLow, rating.narrowSteps);
            narrowHigh = std::max(narrowHigh, rating.narrowSteps);
            effort += rating.effort;
        }
        const auto range = [&](int low, int high) {
            return solved > 0 ? RangeText(static_cast<std::uint64_t>(low),
                                          static_cast<std::uint64_t>(high))
                              : std::string("-");
        };
        std::ostringstream levels;
        levels << first + 1 << "-" << last;
        // The mean effort and a bar of one mark per 25.
        const int mean = solved > 0 ? (effort + solved / 2) / solved : 0;
        std::ostringstream meanText;
        meanText << mean << " "
                 << std::string(static_cast<std::size_t>(std::min(40, mean / 25)), '#');
        out << std::left << std::setw(8) << levels.str() << std::right << std::setw(7)
            << RangeText(static_cast<std::uint64_t>(cellsLow),
                         static_cast<std::uint64_t>(cellsHigh))
            << std::setw(7)
            << RangeText(static_cast<std::uint64_t>(tilesLow),
                         static_cast<std::uint64_t>(tilesHigh))
            << std::setw(7) << CodesText(codes) << std::setw(9) << anchors << std::setw(5) << single
            << "/" << std::left << std::setw(2) << last - first << std::right << std::setw(5)
            << solved << "/" << std::left << std::setw(2) << last - first << "  "
            << ProfileText(hardest) << std::right << std::setw(6) << range(ruleLow, ruleHigh)
            << std::setw(9) << range(whatIfLow, whatIfHigh) << std::setw(8)
            << range(narrowLow, narrowHigh) << "  " << (solved > 0 ? meanText.str() : "-") << "\n";
    }
    out << "Cells: movable cells; Tiles: non-empty movable tiles; Kinds: connection codes;\n"
           "Anchors: fixed tiles with connections; Single: levels with a single solution;\n"
           "Solved: levels the deducer's rules alone solve; Rules: per rule 1 to 7, the levels\n"
           "whose hardest rule it is (\".\" none, \"+\" ten); Rule: the hardest rules; What if:\n"
           "the \"what if\" steps; Narrow: steps where only one deduction was open; Effort:\n"
           "the mean cost of the solve, every step by its rule and a narrow one twice.\n";
    return ExitOk;
}

int Gen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto o = ParseOptions(args, {"--seed", "--count", "-o", "--output"}, error);
    if (!o) {
        return UsageError(err, "gen", error);
    }
    if (o->help) {
        out << GenHelp;
        return ExitOk;
    }
    if (!o->positional.empty()) {
        return UsageError(err, "gen", "unexpected argument \"" + o->positional[0] + "\"");
    }
    if (!o->values.count("--seed")) {
        return UsageError(err, "gen", "--seed is required");
    }
    const bool shortName = o->values.count("-o") > 0;
    if (shortName == (o->values.count("--output") > 0)) {
        return UsageError(err, "gen", shortName ? "-o given twice" : "-o FILE is required");
    }
    std::uint64_t seed = 0;
    std::uint64_t count = ShippedCount;
    if (!NumberOption(*o, "--seed", 0, ~std::uint64_t{0}, seed, error) ||
        !NumberOption(*o, "--count", 1, MaxLevels, count, error)) {
        return UsageError(err, "gen", error);
    }
    const std::string path = o->values.at(shortName ? "-o" : "--output");
    if (path.empty()) {
        return UsageError(err, "gen", "the output file name is empty");
    }

    // A file that cannot be written is found out before the work is done.
    {
        const std::filesystem::path target(path);
        const std::filesystem::path dir =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        std::error_code ec;
        if (!std::filesystem::is_directory(dir, ec) || std::filesystem::is_directory(target, ec)) {
            err << "zk-levels gen: cannot write " << path
                << ": no such directory, or the name is a directory\n";
            return ExitUsage;
        }
    }

    std::vector<GeneratedLevel> generated;
    try {
        generated = GenerateLevels(seed, static_cast<int>(count));
    } catch (const std::exception& e) {
        err << "zk-levels gen: " << e.what() << "\n";
        return ExitUsage;
    }
    std::vector<LevelRecord> records;
    records.reserve(generated.size());
    for (const auto& g : generated) {
        records.push_back(g.record);
    }
    if (const auto failed = files::WriteLevelFile(path, records)) {
        err << "zk-levels gen: cannot write " << path << " (level " << *failed
            << "); the previous file, if any, is unchanged\n";
        return ExitUsage;
    }
    out << "Wrote " << records.size() << (records.size() == 1 ? " level" : " levels") << " to "
        << path << " (seed " << seed << ").\n";
    return ExitOk;
}

void ShowLevel(std::ostream& out, std::size_t number, const LevelRecord& level) {
    out << "Level " << number << "\n" << files::LevelToText(level) << "\n";
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            const int t = level[static_cast<std::size_t>(CellIndex(c, r))];
            if (IsMovable(static_cast<TileNumber>(t))) {
                out << std::setw(4) << t << " ";
            } else {
                out << " [" << std::setw(3) << t << "]";
            }
        }
        out << "\n";
    }
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto o = ParseOptions(args, {}, error);
    if (!o) {
        return UsageError(err, "show", error);
    }
    if (o->help) {
        out << ShowHelp;
        return ExitOk;
    }
    if (o->positional.empty() || o->positional.size() > 2) {
        return UsageError(err, "show",
                          o->positional.empty() ? "no level file given" : "too many arguments");
    }
    const auto file = LoadFile(o->positional[0], err, "show");
    if (!file) {
        return ExitUsage;
    }
    if (!DescribeFileShape(o->positional[0], *file, out)) {
        return ExitUnplayable;
    }
    if (o->positional.size() == 2) {
        const auto n = ParseNumber(o->positional[1], 1, file->levels.size());
        if (!n) {
            return UsageError(err, "show",
                              "level \"" + o->positional[1] + "\" is not a number from 1 to " +
                                  std::to_string(file->levels.size()));
        }
        ShowLevel(out, *n, file->levels[*n - 1]);
        return ExitOk;
    }
    for (std::size_t k = 0; k < file->levels.size(); ++k) {
        ShowLevel(out, k + 1, file->levels[k]);
    }
    return ExitOk;
}

int Import(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto o = ParseOptions(args, {"-o", "--output"}, error);
    if (!o) {
        return UsageError(err, "import", error);
    }
    if (o->help) {
        out << ImportHelp;
        return ExitOk;
    }
    const bool shortName = o->values.count("-o") > 0;
    if (shortName == (o->values.count("--output") > 0)) {
        return UsageError(err, "import", shortName ? "-o given twice" : "-o FILE is required");
    }
    if (o->positional.empty() || o->positional.size() > MaxLevels) {
        return UsageError(err, "import",
                          o->positional.empty() ? "no level line given"
                                                : "more than 500 level lines");
    }
    std::vector<LevelRecord> levels;
    for (std::size_t k = 0; k < o->positional.size(); ++k) {
        const files::LevelTextRead read = files::LevelFromText(o->positional[k]);
        if (!read.level) {
            return UsageError(err, "import",
                              "line " + std::to_string(k + 1) + ": " +
                                  files::DescribeLevelTextError(read.error) +
                                  "; nothing was written");
        }
        levels.push_back(*read.level);
    }
    const std::string path = o->values.at(shortName ? "-o" : "--output");
    if (path.empty() || std::filesystem::is_directory(path)) {
        return UsageError(err, "import", "cannot write \"" + path + "\"");
    }
    if (const auto failed = files::WriteLevelFile(path, levels)) {
        err << "zk-levels import: cannot write " << path << " (level " << *failed
            << "); the previous file, if any, is unchanged\n";
        return ExitUsage;
    }
    out << "Wrote " << levels.size() << (levels.size() == 1 ? " level" : " levels") << " to "
        << path << ".\n";
    return ExitOk;
}

// The main help, each rule of the deducer named in one line.
std::string MainHelpText() {
    std::string text = MainHelp;
    std::ostringstream rules;
    for (int n = 1; n <= RuleCount; ++n) {
        const Rule rule = RuleFromNumber(n);
        rules << "  " << n << " " << std::left << std::setw(10) << RuleName(rule) << " "
              << RuleSummary(rule) << "\n";
    }
    rules << "\n";
    text.replace(text.find("@RULES@\n"), 8, rules.str());
    return text;
}

} // namespace

int RunLevelsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << MainHelpText();
        return ExitUsage;
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        if (command == "help" && !rest.empty()) {
            return RunLevelsTool({rest[0], "--help"}, out, err);
        }
        out << MainHelpText();
        return ExitOk;
    }
    if (command == "check") {
        return Check(rest, out, err);
    }
    if (command == "stats") {
        return Stats(rest, out, err);
    }
    if (command == "gen") {
        return Gen(rest, out, err);
    }
    if (command == "show") {
        return Show(rest, out, err);
    }
    if (command == "import") {
        return Import(rest, out, err);
    }
    if (command == "code") {
        return CodeCommand(rest, out, err);
    }
    err << "zk-levels: unknown command \"" << command << "\"\n"
        << "Try \"zk-levels --help\".\n";
    return ExitUsage;
}

} // namespace zk::levels
