#include "MainFormFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include "platform/Controls.h"
#include "platform/Pictures.h"

using zk::platform::ScriptedSeam;

TEST_F(MainFormTest, FirstRunShowsSplashThenLanguageAndStartsInChallengeMode) {
    Start("GermanBtn");
    const auto shown = ShownForms();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Splash");
    EXPECT_EQ(shown[1], "TongueDlg");
    EXPECT_EQ(S().language, zk::German);
    EXPECT_EQ(S().gameMode, zk::ChallengeMode);
    EXPECT_EQ(S().boardState, zk::PlayState);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Wettkampf");
    EXPECT_EQ(form->x(), 100);
    EXPECT_EQ(form->y(), 50);
    EXPECT_FALSE(P().SoundBtn()->Down());
    EXPECT_EQ(S().levels.SolvedCount(), 0);
    EXPECT_TRUE(P().Timer()->isActive());
    EXPECT_EQ(P().Timer()->interval(), 75);
    EXPECT_EQ(P().levelscroll()->maximum(), 3);
    EXPECT_EQ(P().levellabel()->text(), "Stufe:");
    EXPECT_EQ(P().levelscroll()->toolTip(), "Stufe wählen");
    EXPECT_TRUE(exits.empty());
}

TEST_F(MainFormTest, LanguageDialogClosedWithoutChoiceKeepsEnglishAndAsksAgainNextRun) {
    Start("");
    EXPECT_EQ(S().language, zk::Language{-1});
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Challenge mode");
    CloseWindowAnsweringEverything();
    EXPECT_EQ(ReadSetting("tongue"), "-1");
}

TEST_F(MainFormTest, StoredLanguageOtherThanMinusOneAsksNothing) {
    Setting("tongue", "2");
    Start();
    EXPECT_EQ(ShownForms(), (std::vector<QString>{"Splash"}));
    EXPECT_EQ(S().language, zk::Language{2});
    EXPECT_EQ(P().levellabel()->text(), "Level:");
}

TEST_F(MainFormTest, StoredLevelIsBroughtIntoRangeAndOddModesBecomeChallenge) {
    WriteLevels(std::vector<zk::LevelRecord>(120, CornerLevel(2, 2)));
    Setting("tongue", "0");
    Setting("level", "600");
    Setting("mode", "7");
    Start();
    EXPECT_EQ(S().levels.CurrentLevel(), 120);
    EXPECT_EQ(P().levelscroll()->value(), 120);
    EXPECT_EQ(P().levelscroll()->maximum(), 120);
    EXPECT_EQ(S().gameMode, zk::ChallengeMode);
}

TEST_F(MainFormTest, StoredLevelZeroStartsLevelOneAndHexValuesAreRead) {
    Setting("tongue", "0");
    Setting("level", "0");
    Setting("left", "0x20");
    Setting("mode", "0");
    Start();
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_EQ(form->x(), 32);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Practice mode");
}

TEST_F(MainFormTest, StoredEditorModeStartsEditingWithThePalette) {
    Setting("tongue", "0");
    Setting("mode", "2");
    Setting("level", "2");
    Start();
    EXPECT_EQ(S().boardState, zk::EditingState);
    EXPECT_EQ(S().board.cells, CornerLevel(3, 2)); // unscrambled
    EXPECT_TRUE(P().InsertBtn()->isVisibleTo(form.get()));
    EXPECT_FALSE(P().NewGameBtn()->isVisibleTo(form.get()));
    EXPECT_FALSE(P().LoadBtn()->isVisibleTo(form.get()));
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Editor");
}

TEST_F(MainFormTest, MissingLevelFileGivesOneEmptyLevelAfterTheMessage) {
    std::filesystem::remove(programDir.File("zklv.dat"));
    Setting("tongue", "0");
    Setting("level", "5");
    Start();
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text.toStdString(),
              "Fileerror 2 with file " + programDir.Dir() + "ZKLV.DAT.");
    EXPECT_EQ(S().levels.LevelCount(), 1);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_FALSE(S().board.hasHeld); // nothing to hold, nothing moves
    ClickCell(4, 4);
    EXPECT_TRUE(sound->events.empty());
}

TEST_F(MainFormTest, MissingSheetEndsTheProgramWithAFailureStatus) {
    // The palette's sheet too, though the game keeps it only for the editor.
    for (const char* sheet : {"b2.bmp", "b3.bmp"}) {
        SCOPED_TRACE(sheet);
        const std::string path = programDir.File(sheet);
        const std::string aside = path + ".aside";
        std::filesystem::rename(path, aside);
        Setting("tongue", "1");
        Start();
        ASSERT_EQ(seam->Messages().size(), 1u);
        EXPECT_EQ(seam->Messages()[0].request.text, "Zuwenig Speicher! Programm wird beendet.");
        EXPECT_EQ(exits, (std::vector<int>{1}));
        EXPECT_FALSE(P().Timer()->isActive());
        EXPECT_FALSE(std::filesystem::exists(SettingsFile()) &&
                     ReadSetting("mode") != "<missing>"); // nothing written
        form.reset();
        seam->Clear();
        exits.clear();
        std::filesystem::rename(aside, path);
    }
}

TEST_F(MainFormTest, TheWindowIconOffersEverySizeOfTheIcon) {
    // Its pictures are decoded when asked for, not held: each size the
    // window system takes is the program's icon of that size.
    Setting("tongue", "0");
    Start();
    const QIcon icon = form->windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), 7);
    for (const QSize& size : sizes) {
        const QImage drawn =
            zk::platform::PictureImage(QStringLiteral("icon%1.png").arg(size.width()), 1);
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  drawn.convertToFormat(QImage::Format_ARGB32))
            << size.width();
    }
    // A size between comes scaled to it.
    EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(40, 40));
    EXPECT_FALSE(icon.pixmap(QSize(40, 40)).isNull());
}

TEST_F(MainFormTest, StoredSavedGameIsLoadedAndAVanishedOneIsNoError) {
    const auto game = programDir.File("week1.zkv");
    TempDir::Write(game, std::vector<std::uint8_t>{1, 0, 1});
    Setting("tongue", "0");
    Setting("save", game);
    Start();
    EXPECT_EQ(S().levels.SolvedCount(), 2);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game week1.zkv - Challenge mode");

    form.reset();
    seam->Clear();
    std::filesystem::remove(game);
    Start();
    EXPECT_TRUE(seam->Messages().empty());
    EXPECT_EQ(S().levels.SolvedCount(), 0);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Game week1.zkv - Challenge mode");
}

TEST_F(MainFormTest, StoredPositionsWhereNoScreenIsComeBackOntoTheScreen) {
    // The main window far left and far up, the palette far right: each comes
    // back with at least its top-left 100 x 50 on the screen, and the close
    // writes positions that are on the screen again, without overflow.
    Setting("tongue", "0");
    Setting("mode", "2");
    Setting("left", "-5000");
    Setting("top", "-2147483648");
    Setting("eleft", "99999");
    Setting("etop", "2147483647");
    Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto reachable = [&](QWidget* w) {
        const QRect corner(w->frameGeometry().topLeft(), QSize(100, 50));
        return screen.contains(corner);
    };
    EXPECT_TRUE(reachable(form.get())) << form->x() << "," << form->y();
    EXPECT_TRUE(reachable(P().Forms().editform));
    CloseWindowAnsweringEverything();
    for (const char* key : {"left", "top", "eleft", "etop"}) {
        const int value = std::stoi(ReadSetting(key));
        EXPECT_GE(value, -100) << key;
        EXPECT_LT(value, 10000) << key;
    }
}

// Temporary files left by writes a crash interrupted in an earlier run go
// once the window is shown, for the level file, the saved game and the
// settings; start-up itself does not wait for the clean-up.
TEST_F(MainFormTest, WritesInterruptedInAnEarlierRunAreCleanedUpAfterStartUp) {
    const auto game = programDir.File("week1.zkv");
    Setting("tongue", "0");
    Setting("save", game);
    const std::vector<std::string> stale = {
        programDir.File(".zk-zklv.dat.a1b2c3"), programDir.File(".zk-week1.zkv.a1b2c3"),
        (std::filesystem::path(SettingsFile()).parent_path() / ".zk-quillmar.ini.a1b2c3")};
    for (const auto& file : stale) {
        TempDir::WriteText(file, "half");
    }
    Start();
    EXPECT_TRUE(std::filesystem::exists(stale[0]));
    QCoreApplication::processEvents();
    for (const auto& file : stale) {
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    }
}
