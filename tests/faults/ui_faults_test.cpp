// The write paths through the real main window: saving a game through the
// save dialog, saving the levels in the editor, and the settings written at
// close, each with a write that fails after every possible number of bytes.
// The player sees the game's own message, the old file stays as it was, and
// the game goes on.
#include <sys/stat.h>

#include "FaultSupport.h"
#include "MainFormFixture.h"
#include "dialogs/Save.h"
#include "files/LevelFile.h"
#include "platform/FileLists.h"

using zk::platform::MessageIcon;
using zk::platform::ModalForm;

namespace {

constexpr char Section[] = "Zanfor Kelva";

std::string Text(const zk::platform::ScriptedSeam::MessageShowing& m) {
    return m.request.text.toStdString();
}

} // namespace

class UiFaultsTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
        gamesDir = programDir.File("games");
        std::filesystem::create_directories(gamesDir);
    }

    void SaveAs(const std::string& directory, const std::string& name) {
        seam->Then([directory, name](ModalForm& f) {
            auto& dlg = dynamic_cast<zk::TSaveDlg&>(f);
            ASSERT_TRUE(dlg.DirectoryListBox->SetDirectory(QString::fromStdString(directory)));
            dlg.FileEdit->setText(QString::fromStdString(name));
            zk::platform::ScriptedSeam::PressButton(f, "OKBtn");
        });
    }

    std::string gamesDir;
};

TEST_F(UiFaultsTest, SavingAGameThatFailsAfterAnyByteReportsItAndKeepsTheOldGame) {
    const auto path = gamesDir + "/full.zkv";
    std::vector<std::uint8_t> old(500);
    for (std::size_t i = 0; i < old.size(); ++i) {
        old[i] = static_cast<std::uint8_t>(i % 5 == 0);
    }
    TempDir::Write(path, old);
    Start();
    S().levels.Flags().fill(0);
    S().levels.Flags()[1] = 1;
    S().levels.Flags()[499] = 1;
    const zk::SolvedFlags flags = S().levels.Flags();

    for (std::size_t k = 0; k < 500; ++k) {
        seam->Clear();
        SaveAs(gamesDir, "full");
        seam->AnswerMessage(zk::platform::mrYes); // overwrite
        {
            FailWritesAfter fail(k);
            P().Run(zk::Action::Save);
        }
        ASSERT_EQ(seam->Messages().size(), 2u) << k;
        EXPECT_EQ(Text(seam->Messages()[1]),
                  "Cannot save game full.zkv. Drive full or not writable.")
            << k;
        EXPECT_EQ(seam->Messages()[1].request.icon, MessageIcon::Error);
        ASSERT_EQ(TempDir::Read(path), old) << k;
        ASSERT_TRUE(LeftoverTemporaries(gamesDir).empty()) << k;
    }
    EXPECT_EQ(S().savedGamePath, path);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game full.zkv - Challenge mode");

    // The whole file may be written: the save goes through.
    seam->Clear();
    SaveAs(gamesDir, "full");
    seam->AnswerMessage(zk::platform::mrYes);
    {
        FailWritesAfter fail(500);
        P().Run(zk::Action::Save);
    }
    ASSERT_EQ(seam->Messages().size(), 1u);
    const auto written = TempDir::Read(path);
    EXPECT_EQ(written, std::vector<std::uint8_t>(flags.begin(), flags.end()));
}

TEST_F(UiFaultsTest, SavingLevelsInTheEditorThatFailsAfterAnyByteKeepsTheLevelFile) {
    Setting("mode", "2");
    Start();
    const auto levelFile = programDir.File(zk::files::LevelFileName);
    const auto old = TempDir::Read(levelFile);
    ASSERT_EQ(old.size(), 3 * 63u);
    W().paletteSelection = 40;
    ClickCell(6, 6);

    for (std::size_t k = 0; k < old.size(); ++k) {
        seam->Clear();
        {
            FailWritesAfter fail(k);
            P().Run(zk::Action::Save);
        }
        ASSERT_EQ(seam->Messages().size(), 1u) << k;
        EXPECT_EQ(Text(seam->Messages()[0]),
                  "Cannot create ZKLV.DAT. (" + std::to_string(k / 63 + 1) + ")")
            << k;
        EXPECT_EQ(seam->Messages()[0].request.icon, MessageIcon::Error);
        ASSERT_EQ(TempDir::Read(levelFile), old) << k;
        ASSERT_TRUE(LeftoverTemporaries(programDir.Dir()).empty()) << k;
    }
    // Still editing, the change still on the board; the next save works.
    EXPECT_EQ(S().boardState, zk::EditingState);
    EXPECT_EQ(S().board.At(6, 6), 40);
    seam->Clear();
    {
        FailWritesAfter fail(old.size());
        P().Run(zk::Action::Save);
    }
    EXPECT_TRUE(seam->Messages().empty());
    const auto written = TempDir::Read(levelFile);
    ASSERT_EQ(written.size(), old.size());
    EXPECT_EQ(written[zk::CellIndex(6, 6)], 40);
}

// The close writes nine keys one after the other. Whichever write fails first
// is reported once, the file keeps what the writes before it left, and the
// window closes. (The file layer's tests fail the settings writes after every
// single byte count.)
TEST_F(UiFaultsTest, SettingsAtCloseThatFailAfterAnyByteAreReportedOnceAndTheCloseCompletes) {
    const std::string initial = TempDir::ReadText(SettingsFile());

    // The writes of an undisturbed close, replayed one by one on a copy, give
    // the file after each of them.
    Start();
    CloseWindowAnsweringEverything();
    ASSERT_TRUE(seam->Messages().empty());
    const std::string complete = TempDir::ReadText(SettingsFile());
    form.reset();
    TempDir replay;
    const auto copy = replay.File("quillmar.ini");
    TempDir::WriteText(copy, initial);
    zk::files::SettingsStore finalStore(SettingsFile());
    zk::files::SettingsStore copyStore(copy);
    std::vector<std::string> states = {initial};
    for (const char* key :
         {"mode", "sound", "left", "top", "level", "tongue", "save", "eleft", "etop"}) {
        copyStore.WriteString(Section, key, finalStore.ReadString(Section, key, "<missing>"));
        states.push_back(TempDir::ReadText(copy));
    }
    ASSERT_EQ(states.back(), complete);

    // Between two of these sizes every byte count gives the same outcome, so
    // the counts at and just below each size cover them all.
    std::vector<std::size_t> counts = {0};
    for (std::size_t i = 1; i < states.size(); ++i) {
        counts.push_back(states[i].size() - 1);
        counts.push_back(states[i].size());
    }
    for (const std::size_t k : counts) {
        TempDir::WriteText(SettingsFile(), initial);
        seam->Clear();
        Start();
        {
            FailWritesAfter fail(k);
            CloseWindowAnsweringEverything();
        }
        std::size_t done = 0;
        while (done + 1 < states.size() && states[done + 1].size() <= k) {
            ++done;
        }
        const bool failed = done + 1 < states.size();
        ASSERT_EQ(seam->Messages().size(), failed ? 1u : 0u) << k;
        if (failed) {
            EXPECT_EQ(Text(seam->Messages()[0]), "Kann nicht nach " + SettingsFile() + " schreiben")
                << k;
        }
        EXPECT_FALSE(form->isVisible()) << k;
        ASSERT_EQ(TempDir::ReadText(SettingsFile()), states[done]) << k;
        ASSERT_TRUE(LeftoverTemporaries(configDir.Dir()).empty()) << k;
        form.reset();
    }
}

TEST_F(MainFormTest, ATruncatedOrDamagedSheetEndsTheProgramLikeAMissingOne) {
    const std::vector<std::uint8_t> whole = TempDir::Read(programDir.File("b1.bmp"));
    std::vector<std::uint8_t> damaged = whole;
    damaged[28] = 7; // no such colour depth
    for (const auto& bytes :
         {std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2), damaged}) {
        TempDir::Write(programDir.File("b1.bmp"), bytes);
        form.reset();
        seam->Clear();
        exits.clear();
        Setting("tongue", "0");
        Start();
        ASSERT_EQ(seam->Messages().size(), 1u);
        EXPECT_EQ(seam->Messages()[0].request.text, "Not enough memory! Program aborted.");
        EXPECT_EQ(exits, (std::vector<int>{1}));
        EXPECT_FALSE(P().Timer()->isActive());
    }
}
