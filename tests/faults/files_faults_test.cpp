// The three write paths of the game (level file, saved game, settings) with a
// write that fails after every possible number of bytes, and into places that
// cannot be written: the message is the game's own, the previous file stays
// byte for byte, nothing is left behind, and the next write works.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "FaultSupport.h"
#include "Session.h"
#include "TempDir.h"
#include "Texts.h"
#include "files/LevelFile.h"
#include "files/SavedGame.h"
#include "files/Settings.h"
#include "model/GameState.h"

using namespace zk;
using namespace zk::files;

namespace {

constexpr char S[] = "Zanfor Kelva";

std::vector<LevelRecord> Levels(int count, std::uint8_t salt) {
    std::vector<LevelRecord> levels(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        for (int i = 0; i < CellCount; ++i) {
            levels[static_cast<std::size_t>(n)][static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(salt + n * 7 + i);
        }
    }
    return levels;
}

std::vector<std::uint8_t> Flatten(const std::vector<LevelRecord>& levels) {
    std::vector<std::uint8_t> bytes;
    for (const auto& level : levels) {
        bytes.insert(bytes.end(), level.begin(), level.end());
    }
    return bytes;
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

StateWithDirectory StateIn(const std::string& programDirectory, Language language = English) {
    StateWithDirectory s;
    s.programDirectory = programDirectory;
    s.language = language;
    return s;
}

std::string SettingsMessage(const std::function<void()>& write) {
    try {
        write();
    } catch (const SettingsWriteError& e) {
        return SettingsWriteErrorText(e.Path().string());
    }
    return "<written>";
}

} // namespace

TEST(LevelFileFaults, AWriteFailingAfterAnyByteReportsTheRecordAndKeepsTheOldFile) {
    TempDir dir;
    const auto path = dir.File(LevelFileName);
    const auto old = Flatten(Levels(3, 1));
    TempDir::Write(path, old);
    const auto levels = Levels(4, 100);
    const auto size = levels.size() * LevelRecordSize;

    for (Language language : {English, German}) {
        StateWithDirectory s = StateIn(dir.Dir(), language);
        s.levels.ReplaceLevels(levels);
        for (std::size_t k = 0; k < size; ++k) {
            FailWritesAfter fail(k);
            s.edited = true;
            const auto message = SaveLevels(s);
            ASSERT_TRUE(message) << k;
            EXPECT_EQ(*message, LevelWriteErrorText(language, static_cast<int>(k / 63 + 1))) << k;
            EXPECT_FALSE(s.edited);
            ASSERT_EQ(TempDir::Read(path), old) << k;
            ASSERT_TRUE(LeftoverTemporaries(dir.Dir()).empty()) << k;
        }
    }
    EXPECT_EQ(LevelWriteErrorText(German, 4), "Datei ZKLV.DAT kann nicht angelegt werden. (4)");

    // Exactly the whole file may be written: the write goes through, and the
    // game goes on with what it wrote.
    StateWithDirectory s = StateIn(dir.Dir());
    s.levels.ReplaceLevels(levels);
    {
        FailWritesAfter fail(size);
        EXPECT_FALSE(SaveLevels(s));
    }
    EXPECT_EQ(TempDir::Read(path), Flatten(levels));
    StateWithDirectory again = StateIn(dir.Dir());
    EXPECT_FALSE(LoadLevels(again));
    EXPECT_EQ(again.levels.Levels(), levels);
}

TEST(LevelFileFaults, AFailedFirstWriteLeavesNoFileAtAll) {
    TempDir dir;
    StateWithDirectory s = StateIn(dir.Dir());
    s.levels.ReplaceLevels(Levels(2, 9));
    for (std::size_t k = 0; k < 2 * LevelRecordSize; k += 5) {
        FailWritesAfter fail(k);
        ASSERT_TRUE(SaveLevels(s));
        ASSERT_FALSE(std::filesystem::exists(dir.File(LevelFileName))) << k;
        ASSERT_TRUE(LeftoverTemporaries(dir.Dir()).empty()) << k;
    }
}

TEST(SavedGameFaults, AWriteFailingAfterAnyByteKeepsTheOldGame) {
    TempDir dir;
    const auto path = dir.File("week.zkv");
    std::vector<std::uint8_t> old(SavedGameSize);
    for (std::size_t i = 0; i < old.size(); ++i) {
        old[i] = static_cast<std::uint8_t>(i % 3 == 0);
    }
    TempDir::Write(path, old);
    SolvedFlags flags{};
    flags.fill(1);
    flags[7] = 0;

    for (std::size_t k = 0; k < SavedGameSize; ++k) {
        FailWritesAfter fail(k);
        ASSERT_FALSE(WriteSavedGame(path, flags)) << k;
        ASSERT_EQ(TempDir::Read(path), old) << k;
        ASSERT_TRUE(LeftoverTemporaries(dir.Dir()).empty()) << k;
    }
    {
        FailWritesAfter fail(SavedGameSize);
        EXPECT_TRUE(WriteSavedGame(path, flags));
    }
    SolvedFlags back{};
    ASSERT_TRUE(ReadSavedGame(path, back));
    EXPECT_EQ(back, flags);
    EXPECT_EQ(GameSaveErrorText(English, "week.zkv"),
              "Cannot save game week.zkv. Drive full or not writable.");
}

TEST(SettingsFaults, EveryWriteFailingAfterAnyByteRaisesTheMessageAndKeepsTheFile) {
    TempDir dir;
    TempDir model;
    const auto path = dir.File(SettingsFileName);
    // Windows line endings, a comment and a section of another program: all
    // of it must come through a failed write untouched.
    const std::string old = "; written by hand\r\n[Other]\r\nlevel=9\r\n\r\n"
                            "[Zanfor Kelva]\r\nmode=1\r\nlevel=3\r\nsave=/home/p/a.zkv\r\n";
    const std::string message = "Kann nicht nach " + path + " schreiben";

    const std::vector<std::pair<const char*, std::function<void(SettingsStore&)>>> writes = {
        {"integer replacing a key", [](SettingsStore& s) { s.WriteInteger(S, "level", 412); }},
        {"integer adding a key", [](SettingsStore& s) { s.WriteInteger(S, "etop", -20); }},
        {"bool", [](SettingsStore& s) { s.WriteBool(S, "sound", true); }},
        {"string", [](SettingsStore& s) { s.WriteString(S, "save", "/tmp/other game.zkv"); }},
        {"new section", [](SettingsStore& s) { s.WriteString("Fresh", "a", "b"); }},
    };
    for (const auto& [what, write] : writes) {
        // What the write produces when nothing fails, and so its size.
        const auto expectedPath = model.File(SettingsFileName);
        TempDir::WriteText(expectedPath, old);
        SettingsStore expectedStore(expectedPath);
        write(expectedStore);
        const std::string expected = TempDir::ReadText(expectedPath);
        ASSERT_NE(expected, old) << what;

        TempDir::WriteText(path, old);
        SettingsStore store(path);
        for (std::size_t k = 0; k < expected.size(); ++k) {
            FailWritesAfter fail(k);
            ASSERT_EQ(SettingsMessage([&] { write(store); }), message) << what << " " << k;
            ASSERT_EQ(TempDir::ReadText(path), old) << what << " " << k;
            ASSERT_TRUE(LeftoverTemporaries(dir.Dir()).empty()) << what << " " << k;
        }
        {
            FailWritesAfter fail(expected.size());
            EXPECT_EQ(SettingsMessage([&] { write(store); }), "<written>") << what;
        }
        EXPECT_EQ(TempDir::ReadText(path), expected) << what;
    }
}

TEST(SettingsFaults, AFailedFirstWriteCreatesNoFile) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    SettingsStore store(path);
    const std::string first = "[Zanfor Kelva]\nmode=1\n";
    for (std::size_t k = 0; k < first.size(); ++k) {
        FailWritesAfter fail(k);
        ASSERT_THROW(store.WriteInteger(S, "mode", 1), SettingsWriteError) << k;
        ASSERT_FALSE(std::filesystem::exists(path)) << k;
    }
    store.WriteInteger(S, "mode", 1);
    EXPECT_EQ(TempDir::ReadText(path), first);
}

// Places no file can be written to, for every format: the game's message,
// nothing changed, and the next write to a good place works.
TEST(UnwritablePlaces, EveryFormatReportsAndTheNextWriteWorks) {
    TempDir dir;
    TempDir::WriteText(dir.File("plain"), "not a directory");
    std::filesystem::create_directories(dir.File("locked"));
    ::chmod(dir.File("locked").c_str(), 0555);
    // The superuser writes into a directory without write permission.
    const bool lockedHolds = ::access(dir.File("locked").c_str(), W_OK) != 0;

    struct Place {
        const char* what;
        std::string directory;
    };
    std::vector<Place> places = {
        {"missing directory", dir.Dir() + "gone/"},
        {"missing directory below a missing one", dir.Dir() + "gone/deeper/"},
        {"a file where a directory belongs", dir.Dir() + "plain/"},
        {"a path running through a file", dir.File("plain") + "/x/"},
    };
    if (lockedHolds) {
        places.push_back({"a directory without write permission", dir.Dir() + "locked/"});
    }

    for (const auto& place : places) {
        StateWithDirectory s = StateIn(place.directory);
        s.levels.ReplaceLevels(Levels(2, 3));
        const auto levelMessage = SaveLevels(s);
        ASSERT_TRUE(levelMessage) << place.what;
        EXPECT_EQ(*levelMessage, "Cannot create ZKLV.DAT. (1)") << place.what;

        SolvedFlags flags{};
        EXPECT_FALSE(WriteSavedGame(place.directory + "g.zkv", flags)) << place.what;

        const auto settingsPath = place.directory + SettingsFileName;
        SettingsStore store(settingsPath);
        EXPECT_EQ(SettingsMessage([&] { store.WriteInteger(S, "level", 2); }),
                  "Kann nicht nach " + settingsPath + " schreiben")
            << place.what;
    }
    EXPECT_EQ(TempDir::ReadText(dir.File("plain")), "not a directory");
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("locked")));

    // A directory standing where the file belongs is never replaced.
    std::filesystem::create_directories(dir.File(LevelFileName));
    std::filesystem::create_directories(dir.File("g.zkv"));
    std::filesystem::create_directories(dir.File(SettingsFileName));
    StateWithDirectory s = StateIn(dir.Dir());
    s.levels.ReplaceLevels(Levels(1, 3));
    EXPECT_EQ(SaveLevels(s), "Cannot create ZKLV.DAT. (1)");
    EXPECT_FALSE(WriteSavedGame(dir.File("g.zkv"), SolvedFlags{}));
    SettingsStore onDirectory(dir.File(SettingsFileName));
    EXPECT_THROW(onDirectory.WriteBool(S, "sound", true), SettingsWriteError);
    for (const char* name : {LevelFileName, "g.zkv", SettingsFileName}) {
        EXPECT_TRUE(std::filesystem::is_directory(dir.File(name))) << name;
    }

    // Write-protected files are refused, also for the superuser, and kept.
    TempDir shut;
    const std::vector<std::uint8_t> kept = {1, 2, 3};
    for (const char* name : {LevelFileName, "g.zkv", SettingsFileName}) {
        TempDir::Write(shut.File(name), kept);
        ::chmod(shut.File(name).c_str(), 0444);
    }
    StateWithDirectory protectedState = StateIn(shut.Dir());
    protectedState.levels.ReplaceLevels(Levels(1, 3));
    EXPECT_EQ(SaveLevels(protectedState), "Cannot create ZKLV.DAT. (1)");
    EXPECT_FALSE(WriteSavedGame(shut.File("g.zkv"), SolvedFlags{}));
    SettingsStore protectedStore(shut.File(SettingsFileName));
    EXPECT_THROW(protectedStore.WriteInteger(S, "level", 2), SettingsWriteError);
    for (const char* name : {LevelFileName, "g.zkv", SettingsFileName}) {
        EXPECT_EQ(TempDir::Read(shut.File(name)), kept) << name;
    }
    EXPECT_TRUE(LeftoverTemporaries(shut.Dir()).empty());

    // The game goes on: the same writes into a good place work.
    TempDir good;
    StateWithDirectory fine = StateIn(good.Dir());
    fine.levels.ReplaceLevels(Levels(2, 3));
    EXPECT_FALSE(SaveLevels(fine));
    EXPECT_TRUE(WriteSavedGame(good.File("g.zkv"), SolvedFlags{}));
    SettingsStore goodStore(good.File(SettingsFileName));
    EXPECT_NO_THROW(goodStore.WriteInteger(S, "level", 2));
    EXPECT_EQ(goodStore.ReadInteger(S, "level", 0), 2);
}
