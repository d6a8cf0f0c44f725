// The records file as a player's games meet it: plays merged into the file
// (the better count kept, the first solve's day kept), lines it cannot read
// kept as they stand, and a file it cannot read never written over.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "TempDir.h"
#include "files/Records.h"

using namespace zk::files;

namespace {
std::string TextOf(const std::string& path) {
    const auto bytes = TempDir::Read(path);
    return std::string(bytes.begin(), bytes.end());
}
} // namespace

TEST(Records, PlaysAreMergedIntoTheFileAndNothingUnreadIsLost) {
    TempDir dir;
    ::setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    const std::string path = RecordsPath();
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(path, dir.File("data") + "/zanfor-kelva/records");

    const zk::Date first{2026, 12, 9};
    const zk::Date later{2026, 12, 11};
    Play play{0x7e8694a2f222fc48ULL, "1M-XF2-BAW", false, 0, 0, first};
    const RecordsWrite made = AddPlay(path, play);
    ASSERT_TRUE(made.ok) << made.error; // the directories are made
    play.solved = true;
    play.moves = 30;
    play.hints = 0;
    play.day = later;
    EXPECT_EQ(AddPlay(path, play).record, (PlayRecord{true, 30, 0, later, "1M-XF2-BAW"}));
    play.moves = 23;
    play.hints = 2;
    play.day = {2027, 1, 2};
    EXPECT_EQ(AddPlay(path, play).record, (PlayRecord{true, 23, 0, later, "1M-XF2-BAW"}));
    // A level of the set, and a play that is not a solve changes no count.
    ASSERT_TRUE(AddPlay(path, {0x0991b582a0b6287dULL, "", false, 0, 0, first}).ok);
    play.solved = false;
    EXPECT_EQ(AddPlay(path, play).record.fewestMoves, 23);

    const std::string text = "zanfor-kelva records 1\n"
                             "# level        state   moves hints first-solve code\n"
                             "0991b582a0b6287d played - - - -\n"
                             "7e8694a2f222fc48 solved 23 0 2026-12-11 1M-XF2-BAW\n";
    std::string read = TextOf(path);
    EXPECT_EQ(read, text);

    // Lines of another kind (damaged, of a later version, a second line for
    // one level) are kept as they stand, after the records.
    const std::string odd[] = {"00000000000000aa solved 5 1 2026-02-30 -", // no such day
                               "00000000000000ab played 5 - - -",          // counts without a solve
                               "00000000000000AC played - - - -",          // upper case
                               "00000000000000ad solved 3 0 2026-12-01 2M-3QX-9FA extra",
                               "0991b582a0b6287d solved 9 9 2026-12-01 -", // the level again
                               "something else entirely"};
    std::string damaged = text;
    for (const auto& line : odd) {
        damaged += line + "\n";
    }
    TempDir::WriteText(path, damaged);
    const RecordsRead again = ReadRecords(path);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.records.levels.size(), 2u);
    EXPECT_EQ(again.records.unread, std::vector<std::string>(std::begin(odd), std::end(odd)));
    ASSERT_TRUE(AddPlay(path, {0x1ULL, "", true, 4, 1, first}).ok);
    read = TextOf(path);
    EXPECT_NE(read.find("0000000000000001 solved 4 1 2026-12-09 -\n0991b582"), std::string::npos);
    EXPECT_NE(read.find("\nsomething else entirely\n"), std::string::npos) << read;

    // A records file that cannot be read whole is not written over.
    const std::string huge = read + std::string(16u << 20, '#');
    TempDir::WriteText(path, huge);
    const RecordsWrite refused = AddPlay(path, {0x2ULL, "", true, 4, 1, first});
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, EFBIG);
    EXPECT_EQ(TextOf(path).size(), huge.size());
    TempDir::WriteText(dir.File("blocker"), "");
    EXPECT_FALSE(AddPlay(dir.File("blocker/records"), play).ok);
}
