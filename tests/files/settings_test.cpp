#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

#include "TempDir.h"
#include "files/AtomicFile.h"
#include "files/GameSettings.h"
#include "files/Settings.h"

using namespace zk::files;

namespace {
constexpr const char* S = SettingsSection;
}

TEST(ProfileInteger, AcceptedForms) {
    EXPECT_EQ(ParseProfileInteger("10", 1), 10);
    EXPECT_EQ(ParseProfileInteger("-1", 1), -1);
    EXPECT_EQ(ParseProfileInteger("+7", 1), 7);
    EXPECT_EQ(ParseProfileInteger("  42", 1), 42);
    EXPECT_EQ(ParseProfileInteger("0x0A", 1), 10);
    EXPECT_EQ(ParseProfileInteger("0XfF", 1), 255);
    EXPECT_EQ(ParseProfileInteger("$1F", 1), 31);
    EXPECT_EQ(ParseProfileInteger("-$10", 1), -16);
    EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF", 1), -1);
    EXPECT_EQ(ParseProfileInteger("2147483647", 1), 2147483647);
    EXPECT_EQ(ParseProfileInteger("-2147483648", 1), -2147483647 - 1);
}

TEST(ProfileInteger, RejectedFormsGiveTheDefault) {
    for (const char* bad : {"", "abc", "12abc", "1 2", "0x", "0xG1", "$", "$XY", "--1", "+",
                            "2147483648", "99999999999", "0x123456789", "1.5", "0x-1"}) {
        EXPECT_EQ(ParseProfileInteger(bad, 77), 77) << bad;
    }
}

TEST(Settings, MissingFileSectionOrKeyGivesDefaultsAndReadingCreatesNothing) {
    TempDir dir;
    SettingsStore store(dir.File(SettingsFileName));
    EXPECT_EQ(store.ReadInteger(S, "tongue", -1), -1);
    EXPECT_EQ(store.ReadString(S, "save", ""), "");
    EXPECT_FALSE(std::filesystem::exists(dir.File(SettingsFileName)));

    TempDir::WriteText(dir.File(SettingsFileName), "[Other]\nlevel=5\n");
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 1);
}

TEST(Settings, WindowsFilesAnyCaseAndOddValues) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    TempDir::WriteText(path, "; made on another machine\r\n[zanfor KELVA]\r\nLEVEL = 0x0A\r\n"
                             "Mode=abc\r\nsave=\"C:\\GAMES\\WEEK1.zkv\"\r\ntop=$1F\r\n"
                             "left=   -12   \r\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 10);
    EXPECT_EQ(store.ReadInteger(S, "mode", 1), 1);
    EXPECT_EQ(store.ReadString(S, "save", ""), "C:\\GAMES\\WEEK1.zkv");
    EXPECT_EQ(store.ReadInteger(S, "top", 50), 31);
    EXPECT_EQ(store.ReadInteger(S, "left", 100), -12);

    store.WriteInteger(S, "level", 3);
    const auto text = TempDir::ReadText(path);
    EXPECT_NE(text.find("; made on another machine\r\n"), std::string::npos);
    EXPECT_NE(text.find("level=3\r\n"), std::string::npos);
    EXPECT_EQ(text.find("0x0A"), std::string::npos);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 3);
}

TEST(Settings, OtherSectionsKeysAndCommentsAreKept) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    const std::string before = "[Before]\nx=1\n\n[Zanfor Kelva]\n; keep me\nlevel=4\nextra=yes\n\n"
                               "[After]\nlevel=9\n";
    TempDir::WriteText(path, before);
    SettingsStore store(path);
    store.WriteInteger(S, "level", 12);
    store.WriteBool(S, "sound", true);
    store.WriteString(S, "save", "/home/ann/week1.zkv");
    EXPECT_EQ(TempDir::ReadText(path),
              "[Before]\nx=1\n\n[Zanfor Kelva]\n; keep me\nlevel=12\nextra=yes\nsound=1\n"
              "save=/home/ann/week1.zkv\n\n[After]\nlevel=9\n");
    SettingsStore again(path);
    EXPECT_EQ(again.ReadInteger("After", "level", 0), 9);
}

TEST(Settings, NewFileWithAllNineKeys) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    SettingsStore store(path);
    store.WriteInteger(S, "mode", 2);
    store.WriteBool(S, "sound", false);
    store.WriteInteger(S, "left", 100);
    store.WriteInteger(S, "top", 50);
    store.WriteInteger(S, "level", 1);
    store.WriteInteger(S, "tongue", -1);
    store.WriteString(S, "save", "");
    store.WriteInteger(S, "eleft", 626);
    store.WriteInteger(S, "etop", 50);
    EXPECT_EQ(TempDir::ReadText(path), "[Zanfor Kelva]\nmode=2\nsound=0\nleft=100\ntop=50\n"
                                       "level=1\ntongue=-1\nsave=\neleft=626\netop=50\n");
    EXPECT_EQ(store.ReadInteger(S, "tongue", 5), -1);
    EXPECT_EQ(store.ReadString(S, "save", "default"), "");
}

TEST(Settings, LongStringsAreCutAndLineBreaksCannotInjectKeys) {
    TempDir dir;
    SettingsStore store(dir.File(SettingsFileName));
    store.WriteString(S, "save", std::string(2000, 'a'));
    EXPECT_EQ(store.ReadString(S, "save", "").size(), 1023u);
    store.WriteString(S, "save", "/tmp/x\nmode=0");
    EXPECT_EQ(store.ReadString(S, "save", ""), "/tmp/x");
    EXPECT_EQ(store.ReadInteger(S, "mode", 1), 1);
}

TEST(Settings, RefusedWritesRaiseTheErrorAndKeepTheFile) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    TempDir::WriteText(path, "[Zanfor Kelva]\nlevel=4\n");
    ::chmod(path.c_str(), 0444);
    SettingsStore store(path);
    try {
        store.WriteInteger(S, "mode", 1);
        FAIL() << "write-protected file was written";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(e.Path(), path);
    }
    EXPECT_EQ(TempDir::ReadText(path), "[Zanfor Kelva]\nlevel=4\n");

    SettingsStore nowhere(dir.File("missing/dir/quillmar.ini"));
    EXPECT_THROW(nowhere.WriteInteger(S, "mode", 1), SettingsWriteError);

    ::chmod(path.c_str(), 0644);
    for (std::size_t k = 0; k < 30; k += 3) {
        fault::FailWritesAfter(k);
        EXPECT_THROW(store.WriteInteger(S, "mode", 1), SettingsWriteError);
        fault::FailWritesAfter(std::nullopt);
        EXPECT_EQ(TempDir::ReadText(path), "[Zanfor Kelva]\nlevel=4\n");
    }
}

TEST(Settings, HugeOrUnreadableFilesAreNeverRewritten) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    std::string huge = "[Zanfor Kelva]\nlevel=4\n" + std::string(MaxSettingsFileSize, ';');
    TempDir::WriteText(path, huge);
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 1);
    EXPECT_THROW(store.WriteInteger(S, "level", 2), SettingsWriteError);
    EXPECT_EQ(std::filesystem::file_size(path), huge.size());

    SettingsStore onDirectory(dir.Dir());
    EXPECT_EQ(onDirectory.ReadInteger(S, "level", 1), 1);
    EXPECT_THROW(onDirectory.WriteInteger(S, "level", 2), SettingsWriteError);
}

TEST(ProfileInteger, LeadingZerosDoNotCountTowardTheLength) {
    EXPECT_EQ(ParseProfileInteger("000000000042", 1), 42);
    EXPECT_EQ(ParseProfileInteger("-00000000000007", 1), -7);
    EXPECT_EQ(ParseProfileInteger("00000000000", 1), 0);
    EXPECT_EQ(ParseProfileInteger("0x0000000000FF", 1), 255);
    EXPECT_EQ(ParseProfileInteger("0x00000000FFFFFFFF", 1), -1);
    EXPECT_EQ(ParseProfileInteger("$000000000010", 1), 16);
    // Still beyond 32 bits after the zeros.
    EXPECT_EQ(ParseProfileInteger("0x000100000000", 77), 77);
    EXPECT_EQ(ParseProfileInteger("0002147483648", 77), 77);
}

TEST(Settings, AByteOrderMarkIsSkippedOnReadingAndKeptOnWriting) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    TempDir::WriteText(path, "\xEF\xBB\xBF[Zanfor Kelva]\r\nlevel=7\r\ntongue=1\r\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 7);
    EXPECT_EQ(store.ReadInteger(S, "tongue", -1), 1);
    store.WriteInteger(S, "level", 8);
    EXPECT_EQ(TempDir::ReadText(path), "\xEF\xBB\xBF[Zanfor Kelva]\r\nlevel=8\r\ntongue=1\r\n");
}

TEST(Settings, TheFirstOfTwoKeysWinsAndOnlyTheFirstSectionOfTheNameIsRead) {
    TempDir dir;
    const auto path = dir.File(SettingsFileName);
    TempDir::WriteText(path, "[Other]\nmode=0\n[Zanfor Kelva]\nlevel=3\nlevel=7\n"
                             "[After]\nmode=2\nsave=/after.zkv\n[Zanfor Kelva]\ntop=9\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 3);
    EXPECT_EQ(store.ReadInteger(S, "mode", 1), 1);
    EXPECT_EQ(store.ReadString(S, "save", "none"), "none");
    EXPECT_EQ(store.ReadInteger(S, "top", 50), 50);
    // A write changes the line that is read.
    store.WriteInteger(S, "level", 5);
    EXPECT_EQ(store.ReadInteger(S, "level", 1), 5);
    EXPECT_NE(TempDir::ReadText(path).find("level=5\nlevel=7\n"), std::string::npos);
}

TEST(GameSettings, ReadWithTheirDefaultsAndWrittenInTheGamesOrder) {
    TempDir dir;
    const auto path = dir.File("new/dir/" + std::string(SettingsFileName));
    SettingsStore store(path);
    const GameSettings fresh = ReadGameSettings(store);
    EXPECT_EQ(fresh.tongue, zk::LanguageNotChosen);
    EXPECT_EQ(fresh.mode, zk::ChallengeMode);
    EXPECT_EQ(std::tie(fresh.level, fresh.left, fresh.top), std::tuple(1, 100, 50));
    EXPECT_FALSE(fresh.eleft || fresh.etop || fresh.feedback);
    EXPECT_TRUE(fresh.animations);

    GameSettings s = fresh;
    s.tongue = zk::German;
    s.level = 12;
    s.save = "/g/week1.zkv";
    s.left = -3;
    s.mode = zk::EditorMode;
    s.eleft = 626;
    s.etop = 0x10;
    s.sound = true;
    WriteGameSettings(store, s, fresh);
    EXPECT_EQ(TempDir::ReadText(path),
              "[Zanfor Kelva]\nmode=2\nsound=1\nleft=-3\ntop=50\nlevel=12\n"
              "tongue=1\nsave=/g/week1.zkv\neleft=626\netop=16\n");
    // The extras only once changed; "sound" is never read back.
    s.feedback = true;
    WriteGameSettings(store, s, fresh);
    const GameSettings back = ReadGameSettings(store);
    EXPECT_TRUE(back.feedback);
    EXPECT_FALSE(back.sound);
    EXPECT_EQ(std::tie(back.tongue, back.level, back.save, back.left, back.mode, back.eleft),
              std::tie(s.tongue, s.level, s.save, s.left, s.mode, s.eleft));

    TempDir::WriteText(path, "[Zanfor Kelva]\nmode=7\nlevel=abc\netop=x\n[Zanfor Kelva Extras]\n"
                             "scale=1.5\nanimations=0\n");
    const GameSettings odd = ReadGameSettings(store);
    EXPECT_EQ(odd.mode, zk::ChallengeMode);
    EXPECT_EQ(odd.level, 1);
    EXPECT_FALSE(odd.etop);
    EXPECT_EQ(odd.scale, "1.5");
    EXPECT_FALSE(odd.animations);
}
