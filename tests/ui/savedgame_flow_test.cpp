#include "MainFormFixture.h"

#include <QLineEdit>
#include <sys/stat.h>

#include "dialogs/Load.h"
#include "dialogs/Save.h"
#include "files/AtomicFile.h"
#include "platform/FileLists.h"

using zk::platform::ModalForm;

class SavedGameFlowTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
        std::filesystem::create_directories(programDir.File("games"));
        gamesDir = programDir.File("games");
    }

    // Answers the save dialog with a directory and a typed name.
    void SaveAs(const std::string& directory, const std::string& name) {
        seam->Then([directory, name](ModalForm& f) {
            auto& dlg = dynamic_cast<zk::TSaveDlg&>(f);
            ASSERT_TRUE(dlg.DirectoryListBox->SetDirectory(QString::fromStdString(directory)));
            dlg.FileEdit->setText(QString::fromStdString(name));
            zk::platform::ScriptedSeam::PressButton(f, "OKBtn");
        });
    }

    // Answers the load dialog by selecting a file.
    void LoadFile(const std::string& path) {
        seam->Then([path](ModalForm& f) {
            auto& dlg = dynamic_cast<zk::Tloaddlg&>(f);
            ASSERT_TRUE(dlg.FileListBox->SetFileName(QString::fromStdString(path)));
            zk::platform::ScriptedSeam::PressButton(f, "OKBtn");
        });
    }

    std::string gamesDir;
};

TEST_F(SavedGameFlowTest, SaveAddsTheExtensionWritesFiveHundredBytesAndShowsTheName) {
    Start();
    S().levels.Flags()[1] = 1;
    SaveAs(gamesDir, "week1.txt");
    P().Run(zk::Action::Save);
    const auto path = gamesDir + "/week1.zkv";
    EXPECT_EQ(S().savedGamePath, path);
    const auto bytes = TempDir::Read(path);
    ASSERT_EQ(bytes.size(), 500u);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game week1.zkv - Challenge mode");
}

TEST_F(SavedGameFlowTest, OverwriteNoShowsTheDialogAgainAndANewNameAsksNothing) {
    TempDir::Write(gamesDir + "/week1.zkv", std::vector<std::uint8_t>(500, 7));
    Start();
    SaveAs(gamesDir, "week1");
    SaveAs(gamesDir, "week2");
    seam->AnswerMessage(zk::platform::mrNo);
    P().Run(zk::Action::Save);
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text, "Game week1.zkv already existing. Overwrite?");
    EXPECT_EQ(seam->Messages()[0].request.icon, zk::platform::MessageIcon::Warning);
    EXPECT_EQ(TempDir::Read(gamesDir + "/week1.zkv"), std::vector<std::uint8_t>(500, 7));
    EXPECT_EQ(TempDir::Read(gamesDir + "/week2.zkv").size(), 500u);
    EXPECT_EQ(S().savedGamePath, gamesDir + "/week2.zkv");

    SaveAs(gamesDir, "week1");
    seam->AnswerMessage(zk::platform::mrYes);
    P().Run(zk::Action::Save);
    EXPECT_EQ(TempDir::Read(gamesDir + "/week1.zkv"), std::vector<std::uint8_t>(500, 0));
}

TEST_F(SavedGameFlowTest, CancelWritesNothingAndKeepsThePath) {
    Setting("save", gamesDir + "/old.zkv");
    Start();
    AnswerCloseBox("SaveDlg");
    P().Run(zk::Action::Save);
    EXPECT_EQ(S().savedGamePath, gamesDir + "/old.zkv");
    EXPECT_FALSE(std::filesystem::exists(gamesDir + "/old.zkv"));
}

TEST_F(SavedGameFlowTest, FailingWriteReportsAndKeepsTheNewPathAndTheOldFile) {
    TempDir::Write(gamesDir + "/full.zkv", std::vector<std::uint8_t>(500, 1));
    Start();
    SaveAs(gamesDir, "full");
    seam->AnswerMessage(zk::platform::mrYes);
    zk::files::fault::FailWritesAfter(100);
    P().Run(zk::Action::Save);
    zk::files::fault::FailWritesAfter(std::nullopt);
    ASSERT_EQ(seam->Messages().size(), 2u);
    EXPECT_EQ(seam->Messages()[1].request.text,
              "Cannot save game full.zkv. Drive full or not writable.");
    EXPECT_EQ(S().savedGamePath, gamesDir + "/full.zkv");
    EXPECT_EQ(TempDir::Read(gamesDir + "/full.zkv"), std::vector<std::uint8_t>(500, 1));
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game full.zkv - Challenge mode");
}

TEST_F(SavedGameFlowTest, LoadReplacesTheFlagsButNotTheLatchOrTheLevel) {
    std::vector<std::uint8_t> all(500, 1);
    TempDir::Write(gamesDir + "/done.zkv", all);
    Setting("level", "2");
    Start();
    const auto board = S().board;
    LoadFile(gamesDir + "/done.zkv");
    P().Run(zk::Action::Load);
    EXPECT_EQ(S().levels.SolvedCount(), 3);
    EXPECT_FALSE(S().levels.AllSolved());
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(S().board.cells, board.cells);
    EXPECT_EQ(S().savedGamePath, gamesDir + "/done.zkv");
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game done.zkv - Challenge mode");
}

TEST_F(SavedGameFlowTest, LoadOfAVanishedFileKeepsTheProgressAndTakesThePath) {
    TempDir::Write(gamesDir + "/gone.zkv", std::vector<std::uint8_t>(500, 0));
    Start();
    S().levels.Flags()[0] = 1;
    seam->Then([this](ModalForm& f) {
        auto& dlg = dynamic_cast<zk::Tloaddlg&>(f);
        ASSERT_TRUE(dlg.FileListBox->SetFileName(QString::fromStdString(gamesDir + "/gone.zkv")));
        std::filesystem::remove(gamesDir + "/gone.zkv");
        zk::platform::ScriptedSeam::PressButton(f, "OKBtn");
    });
    P().Run(zk::Action::Load);
    EXPECT_TRUE(seam->Messages().empty());
    EXPECT_TRUE(S().levels.IsLevelSolved(1));
    EXPECT_EQ(S().savedGamePath, gamesDir + "/gone.zkv");
}

TEST_F(SavedGameFlowTest, LoadCancelledChangesNothing) {
    Start();
    S().levels.Flags()[0] = 1;
    AnswerCloseBox("loaddlg");
    P().Run(zk::Action::Load);
    EXPECT_TRUE(S().levels.IsLevelSolved(1));
    EXPECT_EQ(S().savedGamePath, "");
}
