// The level file's flows of the session: start-up's reading, the editor's
// Save and the close's, with their messages.
#include <gtest/gtest.h>

#include "Session.h"
#include "TempDir.h"
#include "Texts.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"

using namespace zk;
using namespace zk::files;

namespace {

std::vector<std::uint8_t> Bytes(std::size_t n) {
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>((i * 7 + i / 63) % 256);
    }
    return b;
}

// The game state with the program directory its level file lies in.
struct StateWithDirectory : GameState {
    std::string programDirectory;
};
std::optional<std::string> LoadLevels(StateWithDirectory& s) {
    return zk::LoadLevels(s, files::LevelFilePlaces(s.programDirectory));
}
std::optional<std::string> SaveLevels(StateWithDirectory& s) {
    return zk::SaveLevels(s, files::LevelFilePlaces(s.programDirectory));
}

StateWithDirectory StateIn(const TempDir& dir, Language language = English) {
    StateWithDirectory s;
    s.programDirectory = dir.Dir();
    s.language = language;
    s.levels.SetCurrentLevel(4);
    return s;
}

} // namespace

TEST(LevelFileFlows, MissingOrShortFilesGiveOneEmptyLevelAndTheMessage) {
    for (int size : {-1, 0, 1, 62}) {
        TempDir dir;
        if (size >= 0) {
            TempDir::Write(dir.File(LevelFileName), Bytes(static_cast<std::size_t>(size)));
        }
        StateWithDirectory s = StateIn(dir);
        const auto message = LoadLevels(s);
        ASSERT_TRUE(message) << size;
        const std::string n = size < 0 ? "2" : "100";
        EXPECT_EQ(*message, "Fileerror " + n + " with file " + dir.Dir() + "ZKLV.DAT.");
        EXPECT_EQ(s.levels.LevelCount(), 1);
        EXPECT_EQ(s.levels.CurrentLevel(), 1);
        EXPECT_EQ(s.levels.LevelAt(1), LevelRecord{});
    }
}

TEST(LevelFileFlows, GermanReadMessage) {
    TempDir dir;
    StateWithDirectory s = StateIn(dir, German);
    EXPECT_EQ(*LoadLevels(s), "Dateifehler 2 bei Datei " + dir.Dir() + "ZKLV.DAT.");
}

TEST(LevelFileFlows, DamagedTailIsDroppedSilentlyAndVanishesAtTheNextWrite) {
    TempDir dir;
    const auto path = dir.File(LevelFileName);
    const auto bytes = Bytes(63 * 3 + 20);
    TempDir::Write(path, bytes);
    StateWithDirectory s = StateIn(dir);
    EXPECT_FALSE(LoadLevels(s));
    EXPECT_EQ(s.levels.LevelCount(), 3);
    EXPECT_EQ(s.levels.CurrentLevel(), 4); // left for the controller to bring into range
    EXPECT_EQ(s.levels.LevelAt(2)[0], bytes[63]);
    EXPECT_FALSE(SaveLevels(s));
    EXPECT_EQ(TempDir::Read(path), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 189));
}

TEST(LevelFileFlows, AtMostFiveHundredRecordsAndByteIdenticalRoundTrips) {
    for (std::size_t records : {1u, 62u, 499u, 500u}) {
        TempDir dir;
        const auto path = dir.File(LevelFileName);
        const auto bytes = Bytes(63 * records);
        TempDir::Write(path, bytes);
        StateWithDirectory s = StateIn(dir);
        ASSERT_FALSE(LoadLevels(s));
        EXPECT_EQ(s.levels.LevelCount(), static_cast<int>(records));
        ASSERT_FALSE(SaveLevels(s));
        EXPECT_EQ(TempDir::Read(path), bytes) << records;
    }
    TempDir dir;
    TempDir::Write(dir.File(LevelFileName), Bytes(63 * 503 + 5));
    StateWithDirectory s = StateIn(dir);
    EXPECT_FALSE(LoadLevels(s));
    EXPECT_EQ(s.levels.LevelCount(), 500);
}

TEST(LevelFileFlows, SaveStoresTheBoardOnlyWhenEditingAndAlwaysClearsEdited) {
    TempDir dir;
    TempDir::Write(dir.File(LevelFileName), Bytes(63 * 2));
    StateWithDirectory s = StateIn(dir);
    LoadLevels(s);
    s.levels.SetCurrentLevel(2);
    s.board.cells.fill(33);

    s.boardState = PlayState; // a scrambled Board is never written
    s.edited = true;
    s.levelsChanged = true;
    ASSERT_FALSE(SaveLevels(s));
    EXPECT_FALSE(s.edited);
    EXPECT_TRUE(s.levelsChanged);
    EXPECT_EQ(TempDir::Read(dir.File(LevelFileName)), Bytes(63 * 2));

    s.boardState = EditingState;
    ASSERT_FALSE(SaveLevels(s));
    const auto written = TempDir::Read(dir.File(LevelFileName));
    ASSERT_EQ(written.size(), 126u);
    EXPECT_EQ(written[63], 33);
    EXPECT_EQ(written[125], 33);
    EXPECT_EQ(s.levels.CurrentLevel(), 2);
}

TEST(LevelFileFlows, FailedWritesReportTheRecordAndKeepTheOldFile) {
    TempDir dir;
    const auto path = dir.File(LevelFileName);
    const auto old = Bytes(63 * 4);
    TempDir::Write(path, old);
    StateWithDirectory s = StateIn(dir);
    LoadLevels(s);
    s.levels.SetCurrentLevel(1);
    ASSERT_TRUE(s.levels.InsertLevel(s.levels.LevelAt(1)));
    for (std::size_t k = 0; k < 63 * 5; k += 31) {
        fault::FailWritesAfter(k);
        s.edited = true;
        const auto message = SaveLevels(s);
        fault::FailWritesAfter(std::nullopt);
        ASSERT_TRUE(message);
        EXPECT_EQ(*message, "Cannot create ZKLV.DAT. (" + std::to_string(k / 63 + 1) + ")");
        EXPECT_FALSE(s.edited);
        EXPECT_EQ(TempDir::Read(path), old) << k;
    }
    s.language = German;
    fault::FailWritesAfter(130);
    const auto german = SaveLevels(s);
    fault::FailWritesAfter(std::nullopt);
    EXPECT_EQ(*german, "Datei ZKLV.DAT kann nicht angelegt werden. (3)");
}

TEST(LevelFileFlows, DirectoryThatCannotBeWritten) {
    TempDir dir;
    StateWithDirectory s = StateIn(dir);
    s.programDirectory = dir.Dir() + "gone/";
    s.levels.ReplaceLevels({LevelRecord{}, LevelRecord{}});
    const auto message = SaveLevels(s);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Cannot create ZKLV.DAT. (1)");
}

TEST(LevelFileFlows, ANameInAnotherLetterCaseIsReadWrittenAndNamedAsOnDisk) {
    TempDir dir;
    const auto bytes = Bytes(63 * 3);
    TempDir::Write(dir.File("ZKLV.DAT"), bytes);
    auto s = StateIn(dir);
    EXPECT_FALSE(LoadLevels(s));
    EXPECT_EQ(s.levels.LevelCount(), 3);
    s.levels.SetCurrentLevel(1);
    ASSERT_TRUE(s.levels.DeleteLevel());
    EXPECT_FALSE(SaveLevels(s));
    EXPECT_EQ(TempDir::Read(dir.File("ZKLV.DAT")).size(), 63u * 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File(LevelFileName)));

    // A short file of another spelling is named as it is spelled; a
    // directory of the name is no level file.
    TempDir other;
    TempDir::Write(other.File("Zklv.Dat"), Bytes(10));
    std::filesystem::create_directory(other.File("zKLV.dat"));
    auto t = StateIn(other);
    EXPECT_EQ(LoadLevels(t), "Fileerror 100 with file " + other.Dir() + "Zklv.Dat.");
    EXPECT_EQ(LevelWriteErrorText(German, 2, "Zklv.Dat"),
              "Datei Zklv.Dat kann nicht angelegt werden. (2)");
    EXPECT_EQ(LevelWriteErrorText(English, 2, "Zklv.Dat"), "Cannot create Zklv.Dat. (2)");

    // The usual name comes first when both are there.
    TempDir::Write(other.File(LevelFileName), bytes);
    EXPECT_EQ(LocateLevelFile(other.Dir()).path, other.File(LevelFileName));
    EXPECT_EQ(LocateLevelFile(other.Dir()).shownName, "ZKLV.DAT");
}

// With a player's directory the shipped file is read until the player has
// a copy; every save writes the copy, created with its directories, and the
// shipped file is never touched. Messages name the copy with its directory.
TEST(LevelFileFlows, ThePlayersCopyIsReadOnceThereAndEverySaveWritesIt) {
    TempDir program, data;
    const auto shipped = Bytes(63 * 3);
    TempDir::Write(program.File(LevelFileName), shipped);
    const std::string own = data.Dir() + "a/b/zanfor-kelva/";
    const LevelFilePlaces places(program.Dir(), own);

    GameState s;
    s.language = English;
    EXPECT_FALSE(LoadLevels(s, places));
    EXPECT_EQ(s.levels.LevelCount(), 3);
    EXPECT_EQ(LocateLevelFile(places).path, program.File(LevelFileName));
    s.levels.SetCurrentLevel(1);
    ASSERT_TRUE(s.levels.DeleteLevel());
    EXPECT_FALSE(SaveLevels(s, places));
    EXPECT_EQ(TempDir::Read(program.File(LevelFileName)), shipped);
    EXPECT_EQ(TempDir::Read(own + "zklv.dat"),
              std::vector<std::uint8_t>(shipped.begin() + 63, shipped.end()));
    for (const std::string& made : {data.Dir() + "a", data.Dir() + "a/b", own}) {
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all)
            << made;
    }

    GameState again;
    EXPECT_FALSE(LoadLevels(again, places));
    EXPECT_EQ(again.levels.LevelCount(), 2);
    TempDir::Write(own + "zklv.dat", Bytes(5));
    EXPECT_EQ(LoadLevels(again, places), "Fileerror 100 with file " + own + "zklv.dat.");

    // A copy that cannot be made is named in full; the shipped file stays.
    TempDir::Write(data.File("blocked"), Bytes(1));
    const LevelFilePlaces blocked(program.Dir(), data.Dir() + "blocked/zanfor-kelva/");
    EXPECT_EQ(SaveLevels(s, blocked),
              "Cannot create " + data.Dir() + "blocked/zanfor-kelva/zklv.dat. (1)");
    EXPECT_EQ(TempDir::Read(program.File(LevelFileName)), shipped);
}
