// zk-levels as a level designer meets it: its reports, its exit statuses and
// its answers to bad arguments and strange files.
#include <gtest/gtest.h>

#include <sstream>

#include "Commands.h"
#include "TempDir.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"
#include "model/Board.h"
#include "model/Deducer.h"

namespace {

using zk::levels::ExitOk;
using zk::levels::ExitUndecided;
using zk::levels::ExitUnplayable;
using zk::levels::ExitUsage;

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun r;
    r.status = zk::levels::RunLevelsTool(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::uint8_t> Bytes(const std::vector<zk::LevelRecord>& levels) {
    std::vector<std::uint8_t> out;
    for (const auto& l : levels) {
        out.insert(out.end(), l.begin(), l.end());
    }
    return out;
}

zk::LevelRecord PairLevel() {
    zk::LevelRecord level{};
    level[static_cast<std::size_t>(zk::CellIndex(3, 3))] = 39; // east end
    level[static_cast<std::size_t>(zk::CellIndex(4, 3))] = 38; // west end
    return level;
}

TEST(LevelsTool, CheckReportsEveryLevelAndASummary) {
    TempDir dir;
    const std::string path = dir.File("zklv.dat");
    zk::LevelRecord scrambled = PairLevel();
    std::swap(scrambled[static_cast<std::size_t>(zk::CellIndex(3, 3))],
              scrambled[static_cast<std::size_t>(zk::CellIndex(4, 3))]);
    TempDir::Write(path, Bytes({PairLevel(), scrambled}));
    const ToolRun r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Level  Movable  Holdable  Stored  Solvable")) << r.out;
    EXPECT_TRUE(Contains(r.out, "stored unsolved")) << r.out;
    EXPECT_TRUE(Contains(
        r.out, "Summary: 2 levels, 2 playable, 0 unplayable, 0 undecided; 1 stored solved"))
        << r.out;
    // The pair fits side by side in 8 x 7 places; with a cap counting stops.
    EXPECT_TRUE(Contains(r.out, "yes               56  no")) << r.out;
    EXPECT_TRUE(Contains(Tool({"check", "--cap", "3", path}).out, ">=3"));
}

TEST(LevelsTool, CheckFailsOnUnplayableLevels) {
    TempDir dir;
    const std::string path = dir.File("zklv.dat");
    zk::LevelRecord unsolvable = PairLevel();
    unsolvable[static_cast<std::size_t>(zk::CellIndex(4, 3))] = 40; // a north end instead
    zk::LevelRecord nothingToHold{};                                // empty: no tile 1..89
    zk::LevelRecord onlyNinety{};
    onlyNinety[0] = 90;
    TempDir::Write(path, Bytes({PairLevel(), unsolvable, nothingToHold, onlyNinety}));
    const ToolRun r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitUnplayable);
    EXPECT_TRUE(Contains(r.out, "UNPLAYABLE: not solvable")) << r.out;
    EXPECT_TRUE(Contains(r.out, "UNPLAYABLE: no tile 1..89 to hold")) << r.out;
    EXPECT_TRUE(Contains(r.out, "1 playable, 3 unplayable, 0 undecided")) << r.out;

    // Too small a budget proves nothing either way: undecided, with its own
    // word and exit status, and a proven unplayable level still wins.
    zk::LevelRecord crossed{};
    crossed[static_cast<std::size_t>(zk::CellIndex(0, 4))] = 3;
    crossed[static_cast<std::size_t>(zk::CellIndex(1, 3))] = 5;
    crossed[static_cast<std::size_t>(zk::CellIndex(3, 2))] = 62;
    crossed[static_cast<std::size_t>(zk::CellIndex(5, 4))] = 39;
    TempDir::Write(path, Bytes({crossed}));
    const ToolRun undecided = Tool({"check", "--budget", "3", path});
    EXPECT_EQ(undecided.status, ExitUndecided) << undecided.out;
    EXPECT_TRUE(Contains(undecided.out, "undecided")) << undecided.out;
    EXPECT_TRUE(Contains(undecided.out, "UNDECIDED: no answer within 3 nodes")) << undecided.out;
    EXPECT_TRUE(Contains(undecided.out, "0 playable, 0 unplayable, 1 undecided")) << undecided.out;
    EXPECT_FALSE(Contains(undecided.out, "UNPLAYABLE")) << undecided.out;
    EXPECT_EQ(Tool({"check", path}).status, ExitUnplayable);
    TempDir::Write(path, Bytes({crossed, nothingToHold}));
    EXPECT_EQ(Tool({"check", "--budget", "3", path}).status, ExitUnplayable);
}

TEST(LevelsTool, StrangeFilesAreReportedNotCrashedOn) {
    TempDir dir;
    const std::string path = dir.File("zklv.dat");

    TempDir::Write(path, {});
    ToolRun r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitUnplayable);
    EXPECT_TRUE(Contains(r.out, "the file is empty")) << r.out;

    TempDir::Write(path, std::vector<std::uint8_t>(40, 1));
    r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitUnplayable);
    EXPECT_TRUE(Contains(r.out, "40 bytes, shorter than one level")) << r.out;
    EXPECT_EQ(Tool({"stats", path}).status, ExitUnplayable);

    // Bytes 200..255 have no tile; a tail shorter than a level is ignored.
    zk::LevelRecord foreign = PairLevel();
    foreign[0] = 200;
    foreign[62] = 255;
    auto bytes = Bytes({foreign});
    bytes.resize(bytes.size() + 10, 7);
    TempDir::Write(path, bytes);
    r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitOk) << r.out;
    EXPECT_TRUE(Contains(r.out, "2 bytes 200..255")) << r.out;
    EXPECT_TRUE(Contains(r.out, "10 bytes after the last whole level")) << r.out;
    EXPECT_TRUE(Contains(r.out, "1 with bytes 200..255")) << r.out;

    // A level of nothing but bytes 255: nothing to move, nothing to hold.
    zk::LevelRecord all255;
    all255.fill(255);
    TempDir::Write(path, Bytes({all255}));
    r = Tool({"check", path});
    EXPECT_EQ(r.status, ExitUnplayable);
    EXPECT_TRUE(Contains(r.out, "63 bytes 200..255")) << r.out;
    EXPECT_EQ(Tool({"stats", path}).status, ExitOk);
    EXPECT_EQ(Tool({"show", path}).status, ExitOk);

    // More than 500 levels: the game reads 500.
    TempDir::Write(path, Bytes(std::vector<zk::LevelRecord>(501, PairLevel())));
    r = Tool({"check", "--cap", "1", path});
    EXPECT_TRUE(Contains(r.out, "reads only the first 500")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Summary: 500 levels")) << r.out;
    // Exactly 500 levels and a tail: the tail is what the game ignores.
    bytes = Bytes(std::vector<zk::LevelRecord>(500, PairLevel()));
    bytes.resize(bytes.size() + 20, 7);
    TempDir::Write(path, bytes);
    r = Tool({"show", path, "500"});
    EXPECT_TRUE(Contains(r.out, "20 bytes after the last whole level")) << r.out.substr(0, 300);
    EXPECT_FALSE(Contains(r.out, "more than 500")) << r.out.substr(0, 300);

    r = Tool({"check", dir.File("missing.dat")});
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_TRUE(Contains(r.err, "cannot read")) << r.err;
    EXPECT_EQ(Tool({"check", dir.Dir()}).status, ExitUsage);
}

TEST(LevelsTool, GenWritesTheSameBytesForTheSameSeed) {
    TempDir dir;
    const ToolRun first = Tool({"gen", "--seed", "11", "--count", "4", "-o", dir.File("a.dat")});
    ASSERT_EQ(first.status, ExitOk) << first.err;
    EXPECT_TRUE(Contains(first.out, "Wrote 4 levels")) << first.out;
    ASSERT_EQ(Tool({"gen", "--count=4", "--seed=11", "--output", dir.File("b.dat")}).status,
              ExitOk);
    const auto a = TempDir::Read(dir.File("a.dat"));
    EXPECT_EQ(a.size(), 4U * 63U);
    EXPECT_EQ(a, TempDir::Read(dir.File("b.dat")));
    EXPECT_EQ(Tool({"check", dir.File("a.dat")}).status, ExitOk);
    const ToolRun stats = Tool({"stats", dir.File("a.dat")});
    EXPECT_EQ(stats.status, ExitOk);
    EXPECT_TRUE(Contains(stats.out, "Effort")) << stats.out;
    EXPECT_TRUE(Contains(stats.out, "1-4 ")) << stats.out;
}

// The curve in blocks of ten: the levels of each block, how many the rules
// alone solve, and the profile of their hardest rules.
TEST(LevelsTool, StatsShowTheCurveInBlocksOfTen) {
    TempDir dir;
    const std::string path = dir.File("zklv.dat");
    zk::LevelRecord open{};
    open[static_cast<std::size_t>(zk::CellIndex(0, 0))] = 39;
    open[static_cast<std::size_t>(zk::CellIndex(1, 0))] = 38;
    zk::LevelRecord walled = PairLevel(); // two cells only, nothing to guess
    for (std::size_t i = 0; i < walled.size(); ++i) {
        walled[i] = zk::IsMovable(walled[i]) && walled[i] == zk::EmptyTile ? 91 : walled[i];
    }
    std::vector<zk::LevelRecord> levels(10, walled);
    levels.insert(levels.end(), 3, open);
    TempDir::Write(path, Bytes(levels));
    const ToolRun r = Tool({"stats", path});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Solved  Rules")) << r.out;
    EXPECT_TRUE(Contains(r.out, "1-10 ")) << r.out;
    EXPECT_TRUE(Contains(r.out, "11-13 ")) << r.out;
    EXPECT_TRUE(Contains(r.out, "10/10  +......")) << r.out; // the edges alone, every one
    EXPECT_TRUE(Contains(r.out, " 0/3   .......")) << r.out; // the open pair has many solutions
    const ToolRun check = Tool({"check", path});
    EXPECT_TRUE(Contains(check.out, "Grade  Rule")) << check.out;
    EXPECT_TRUE(Contains(check.out, "      1     1")) << check.out; // grade 1, rule 1
    EXPECT_TRUE(Contains(check.out, "      7     -")) << check.out; // not by the rules
    EXPECT_TRUE(Contains(check.out, "10 solved by the deducer's rules, hardest rule 1..1"))
        << check.out;
}

TEST(LevelsTool, BadArgumentsGetClearErrors) {
    TempDir dir;
    const std::string out = dir.File("x.dat");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{}, "Usage:"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"check"}, "no level file given"},
        {{"check", "a", "b"}, "only one level file"},
        {{"check", "--cap", "0", "f"}, "--cap needs a whole number from 1"},
        {{"check", "--budget"}, "--budget needs a value"},
        {{"check", "--fast", "f"}, "unknown option --fast"},
        {{"gen", "-o", out}, "--seed is required"},
        {{"gen", "--seed", "1"}, "-o FILE is required"},
        {{"gen", "--seed", "-3", "-o", out}, "--seed needs a whole number"},
        {{"gen", "--seed", "12x", "-o", out}, "--seed needs a whole number"},
        {{"gen", "--seed", "1", "--count", "0", "-o", out}, "from 1 to 500"},
        {{"gen", "--seed", "1", "--count", "501", "-o", out}, "from 1 to 500"},
        {{"gen", "--seed", "1", "--seed", "2", "-o", out}, "--seed given twice"},
        {{"gen", "--seed", "1", "-o", out, "extra"}, "unexpected argument"},
        {{"gen", "--seed", "1", "-o", dir.File("no/such/dir/x.dat")}, "cannot write"},
        {{"gen", "--seed", "1", "-o", dir.Dir()}, "cannot write"},
        {{"show", out, "zero"}, "cannot read"},
    };
    for (const auto& c : cases) {
        const ToolRun r = Tool(c.args);
        EXPECT_EQ(r.status, ExitUsage) << c.message;
        EXPECT_TRUE(Contains(r.err, c.message)) << "expected \"" << c.message << "\" in\n" << r.err;
    }
    EXPECT_FALSE(zk::files::FileExists(out));

    TempDir::Write(out, Bytes({PairLevel()}));
    const ToolRun level = Tool({"show", out, "2"});
    EXPECT_EQ(level.status, ExitUsage);
    EXPECT_TRUE(Contains(level.err, "not a number from 1 to 1")) << level.err;
    EXPECT_TRUE(Contains(Tool({"show", out, "1"}).out, "  39   38 "));
}

// The lines "show" prints, given to "import", make the same level file; a
// mistyped line writes nothing.
TEST(LevelsTool, ShownLevelLinesImportToTheSameFile) {
    TempDir dir;
    const std::string path = dir.File("zklv.dat");
    zk::LevelRecord fixed = PairLevel();
    fixed[0] = 200;
    fixed.back() = 93;
    TempDir::Write(path, Bytes({PairLevel(), fixed}));
    std::vector<std::string> lines;
    std::istringstream shown(Tool({"show", path}).out);
    for (std::string line; std::getline(shown, line);) {
        if (line.rfind("ZK1-", 0) == 0) {
            lines.push_back(line);
        }
    }
    ASSERT_EQ(lines.size(), 2u);

    const std::string copy = dir.File("copy.dat");
    std::vector<std::string> args = {"import", lines[0], lines[1], "-o", copy};
    const ToolRun imported = Tool(args);
    EXPECT_EQ(imported.status, ExitOk) << imported.err;
    EXPECT_TRUE(Contains(imported.out, "Wrote 2 levels")) << imported.out;
    EXPECT_EQ(TempDir::Read(copy), TempDir::Read(path));

    args[2][6] = args[2][6] == '1' ? '2' : '1';
    const ToolRun mistyped = Tool(args);
    EXPECT_EQ(mistyped.status, ExitUsage);
    EXPECT_TRUE(Contains(mistyped.err, "line 2: the level line is mistyped")) << mistyped.err;
    EXPECT_TRUE(Contains(Tool({"import", "hello", "-o", copy}).err, "line 1: not a level line"));
    EXPECT_EQ(TempDir::Read(copy), TempDir::Read(path));
}

TEST(LevelsTool, EveryCommandHasHelp) {
    for (const std::string command : {"check", "stats", "gen", "show", "import", "code"}) {
        const ToolRun r = Tool({command, "--help"});
        EXPECT_EQ(r.status, ExitOk) << command;
        EXPECT_TRUE(Contains(r.out, "Usage: zk-levels " + command)) << r.out;
        EXPECT_EQ(Tool({"help", command}).out, r.out);
    }
    const ToolRun main = Tool({"--help"});
    EXPECT_EQ(main.status, ExitOk);
    EXPECT_TRUE(Contains(main.out, "zk-levels check")) << main.out;
    for (int n = 1; n <= zk::RuleCount; ++n) { // every rule named in a line of its own
        const zk::Rule rule = zk::RuleFromNumber(n);
        EXPECT_TRUE(
            Contains(main.out, "  " + std::to_string(n) + " " + std::string(zk::RuleName(rule))))
            << main.out;
        EXPECT_TRUE(Contains(main.out, std::string(zk::RuleSummary(rule)) + "\n")) << main.out;
    }
    const ToolRun check = Tool({"check", "--help"});
    EXPECT_TRUE(Contains(check.out, "undecided")) << check.out;
    EXPECT_TRUE(Contains(check.out, "2 no level unplayable but some undecided")) << check.out;
}

} // namespace
