#include "MainFormFixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/Controls.h"

class ClosingTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
    }
};

TEST_F(ClosingTest, NoAtTheExitQuestionChangesNothing) {
    Start();
    const std::size_t mark = seam->Forms().size();
    Answer("EndGameDlg", "CancelBtn");
    CloseWindow();
    EXPECT_EQ(seam->Forms().size(), mark + 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ReadSetting("mode"), "<missing>");
}

TEST_F(ClosingTest, YesOffersTheSaveDialogThenWritesTheNineKeysInOrder) {
    Setting("level", "2");
    Start();
    P().SoundBtn()->SetDown(true);
    // The palette's place was settled at start-up, just right of the window.
    const int paletteLeft = form->x() + form->frameGeometry().width();
    form->move(120, 80);
    const std::size_t mark = seam->Forms().size();
    CloseWindowAnsweringEverything();
    const auto shown = ShownForms();
    const std::vector<QString> after(shown.begin() + static_cast<std::ptrdiff_t>(mark),
                                     shown.end());
    EXPECT_EQ(after, (std::vector<QString>{"EndGameDlg", "SaveDlg"}));
    EXPECT_TRUE(seam->Messages().empty()); // no level question: nothing accepted in the editor
    EXPECT_EQ(help->events.back(), "quit");
    const std::string text = TempDir::ReadText(SettingsFile());
    std::vector<std::string> keys;
    for (const char* key :
         {"tongue", "mode", "sound", "left", "top", "level", "save", "eleft", "etop"}) {
        keys.push_back(key);
        EXPECT_NE(ReadSetting(key), "<missing>") << key;
    }
    EXPECT_EQ(ReadSetting("sound"), "1");
    EXPECT_EQ(ReadSetting("left"), "120");
    EXPECT_EQ(ReadSetting("level"), "2");
    EXPECT_EQ(ReadSetting("mode"), "1");
    EXPECT_EQ(ReadSetting("save"), "");
    // Written in the close's order after the stored ones.
    EXPECT_LT(text.find("mode="), text.find("sound="));
    EXPECT_LT(text.find("save="), text.find("eleft="));
    EXPECT_EQ(std::stoi(ReadSetting("eleft")), paletteLeft);
    EXPECT_EQ(ReadSetting("etop"), "50");
}

TEST_F(ClosingTest, TheLevelQuestionComesOnlyAfterAnAcceptedTakeAndStillAfterASave) {
    Setting("mode", "2");
    Start();
    W().paletteSelection = 40;
    ClickCell(6, 6);
    Answer("TakeDlg", "OKBtn");
    P().levelscroll()->setValue(2); // leaving the edited level: accepted
    ASSERT_TRUE(S().levelsChanged);
    P().Run(zk::Action::Save); // writes the level file; the question still comes
    EXPECT_FALSE(S().edited);
    seam->AnswerMessage(zk::platform::mrYes);
    CloseWindowAnsweringEverything();
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text, " Levels changed. Save?");
    EXPECT_EQ(seam->Messages()[0].request.icon, zk::platform::MessageIcon::Question);
    const auto file = TempDir::Read(programDir.File("zklv.dat"));
    ASSERT_EQ(file.size(), 3u * 63u);
    EXPECT_EQ(file[zk::CellIndex(6, 6)], 40);
    EXPECT_EQ(ReadSetting("mode"), "2");
}

TEST_F(ClosingTest, EditsWithoutAnAcceptedTakeAreOfferedWhileTheFileDiffers) {
    Setting("mode", "2");
    Start();
    W().paletteSelection = 40;
    ClickCell(6, 6);
    CloseWindowAnsweringEverything(); // No to the level question
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text, " Levels changed. Save?");
    EXPECT_EQ(S().levels.LevelAt(1)[zk::CellIndex(6, 6)], 40); // stored in memory
    EXPECT_EQ(TempDir::Read(programDir.File("zklv.dat"))[zk::CellIndex(6, 6)], 120);
}

// Without an accepted "Accept modifications?" the question comes exactly when
// the run changed the level set and the file does not hold it.
TEST_F(ClosingTest, TheLevelQuestionComesWhenTheFileDoesNotHoldTheChangedSet) {
    auto closingAsks = [&](const std::function<void()>& work) {
        form.reset();
        seam->Clear();
        Start();
        work();
        CloseWindowAnsweringEverything();
        const auto& shown = seam->Messages();
        return std::count_if(shown.begin(), shown.end(), [](const auto& m) {
                   return m.request.text == " Levels changed. Save?";
               }) == 1;
    };
    Setting("mode", "2");
    const auto file = TempDir::Read(programDir.File("zklv.dat"));
    // Inserting and deleting change the set; saving puts it into the file.
    EXPECT_TRUE(closingAsks([&] { P().Run(zk::Action::InsertLevel); }));
    EXPECT_TRUE(closingAsks([&] { P().Run(zk::Action::DeleteLevel); }));
    EXPECT_EQ(TempDir::Read(programDir.File("zklv.dat")), file);
    EXPECT_FALSE(closingAsks([&] {
        P().Run(zk::Action::InsertLevel);
        P().Run(zk::Action::Save);
    }));
    EXPECT_EQ(TempDir::Read(programDir.File("zklv.dat")).size(), 4u * 63u);
    // An edit undone by hand leaves the set as it was.
    EXPECT_FALSE(closingAsks([&] {
        const int tile = S().board.At(6, 6);
        W().paletteSelection = 40;
        ClickCell(6, 6);
        W().paletteSelection = tile;
        ClickCell(6, 6);
    }));
    // A file changed by someone else meanwhile is left alone.
    EXPECT_FALSE(closingAsks([&] { WriteLevels({CornerLevel(1, 1)}); }));
    // A level file that start-up could not read: its stand-in level is not
    // offered, a changed one is (the file holds nothing).
    std::filesystem::remove(programDir.File("zklv.dat"));
    EXPECT_FALSE(closingAsks([] {}));
    EXPECT_TRUE(closingAsks([&] {
        W().paletteSelection = 40;
        ClickCell(6, 6);
    }));
}

// A level file that cannot be written: the failed Save keeps the Board
// edited, so leaving the level asks again; the failed write at close stops
// the close with the window and the edit kept; once the file can be written,
// the next close asks again and saves.
TEST_F(ClosingTest, AFailedLevelSaveKeepsTheWorkAndStopsTheClose) {
    Setting("mode", "2");
    Start();
    const std::string file = programDir.File("zklv.dat");
    const auto before = TempDir::Read(file);
    ::chmod(file.c_str(), 0444);
    W().paletteSelection = 40;
    ClickCell(6, 6);
    P().Run(zk::Action::Save);
    ASSERT_EQ(seam->Messages().size(), 1u);
    const QString error = seam->Messages()[0].request.text;
    EXPECT_TRUE(error.startsWith("Cannot create ZKLV.DAT.")) << error.toStdString();
    EXPECT_TRUE(S().edited);
    Answer("TakeDlg", "OKBtn");
    P().levelscroll()->setValue(2);
    ASSERT_EQ(ShownForms().back(), "TakeDlg");

    seam->AnswerMessage(zk::platform::mrYes);
    Answer("EndGameDlg", "OKBtn");
    CloseWindow();
    ASSERT_EQ(seam->Messages().size(), 3u);
    EXPECT_EQ(seam->Messages()[1].request.text, " Levels changed. Save?");
    EXPECT_EQ(seam->Messages()[2].request.text, error);
    EXPECT_EQ(ShownForms().back(), "EndGameDlg"); // no save dialog
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ReadSetting("left"), "<missing>");
    EXPECT_EQ(TempDir::Read(file), before);
    EXPECT_EQ(S().levels.LevelAt(1)[zk::CellIndex(6, 6)], 40);

    ::chmod(file.c_str(), 0644);
    seam->AnswerMessage(zk::platform::mrYes);
    CloseWindowAnsweringEverything();
    ASSERT_EQ(seam->Messages().size(), 4u);
    EXPECT_EQ(seam->Messages()[3].request.text, " Levels changed. Save?");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(TempDir::Read(file)[zk::CellIndex(6, 6)], 40);
}

TEST_F(ClosingTest, SettingsThatCannotBeWrittenAreReportedAndTheCloseCompletes) {
    Start();
    TempDir::WriteText(SettingsFile(), "[Zanfor Kelva]\ntongue=0\n");
    ::chmod(SettingsFile().c_str(), 0444);
    CloseWindowAnsweringEverything();
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text.toStdString(),
              "Kann nicht nach " + SettingsFile() + " schreiben");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(TempDir::ReadText(SettingsFile()), "[Zanfor Kelva]\ntongue=0\n");
}

TEST_F(ClosingTest, AMissingSettingsDirectoryIsCreatedAtClose) {
    Start();
    std::filesystem::remove_all(configDir.Dir());
    CloseWindowAnsweringEverything();
    EXPECT_TRUE(seam->Messages().empty());
    EXPECT_EQ(ReadSetting("mode"), "1");
}
