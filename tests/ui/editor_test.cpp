#include "MainFormFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QThread>
#include <algorithm>

#include "Editor.h"
#include "files/LevelFile.h"
#include "files/Records.h"
#include "platform/Bitmaps.h"
#include "platform/Controls.h"

class EditorTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
        Setting("mode", "2");
    }
    Teditform& Palette() { return *P().Forms().editform; }
    void ClickPalette(int n, Qt::MouseButton button = Qt::LeftButton) {
        Palette().FormMouseDown(button, (n % 20) * 24 + 5, (n / 20) * 24 + 5);
    }
};

TEST_F(EditorTest, PaletteWindowGeometryAndSelection) {
    Start();
    EXPECT_EQ(Palette().windowTitle(), "Zanfor Kelva");
    EXPECT_EQ(Palette().size(), QSize(480, 240));
    EXPECT_TRUE(Palette().isVisible());
    EXPECT_EQ(W().paletteSelection, 0);
    ClickPalette(133, Qt::RightButton);
    EXPECT_EQ(W().paletteSelection, 133);
    ClickPalette(7, Qt::MiddleButton);
    EXPECT_EQ(W().paletteSelection, 7);
    Palette().FormMouseDown(Qt::LeftButton, 5, 241); // below the 200 cells
    EXPECT_EQ(W().paletteSelection, 7);
}

TEST_F(EditorTest, PaletteShowsEveryTileAndTheCrossFollowsTheSelection) {
    Start();
    // The palette's sheet is read when the palette is first drawn: its cells
    // are those of the program directory's "b3.bmp".
    Palette().FormPaint();
    QImage b3;
    ASSERT_TRUE(zk::platform::LoadBitmap(QString::fromStdString(programDir.File("b3.bmp")), b3));
    const QImage& canvas = Palette().Canvas();
    // Tile 150's cell shows its picture; the cross of tile 0 shows white.
    EXPECT_EQ(canvas.pixel(10 * 24 + 2, 7 * 24 + 2), b3.pixel(10 * 24 + 2, 7 * 24 + 2));
    EXPECT_EQ(canvas.pixel(12, 12) & 0xffffff, 0xffffffu);
    ClickPalette(150);
    EXPECT_EQ(canvas.pixel(12, 12), b3.pixel(12, 12)); // the old cross is gone
    EXPECT_EQ(canvas.pixel(10 * 24 + 12, 7 * 24 + 12) & 0xffffff, 0xffffffu);
    EXPECT_EQ(canvas.pixel(10 * 24 + 6, 7 * 24 + 6) & 0xffffff, 0xffffffu);
    EXPECT_EQ(canvas.pixel(10 * 24 + 18, 7 * 24 + 6) & 0xffffff, 0xffffffu);
}

TEST_F(EditorTest, RightThenLeftMovesATileAndEmptyCellsSelectTileZero) {
    Start();
    ClickCell(0, 0, Qt::RightButton);
    EXPECT_EQ(W().paletteSelection, 7);
    EXPECT_EQ(S().board.At(0, 0), 0);
    ClickCell(5, 5, Qt::LeftButton);
    EXPECT_EQ(S().board.At(5, 5), 7);
    EXPECT_TRUE(S().edited);

    S().edited = false;
    ClickCell(0, 0, Qt::RightButton); // now empty
    EXPECT_EQ(W().paletteSelection, 0);
    EXPECT_TRUE(S().edited);
    const auto board = S().board.cells;
    ClickCell(2, 2, Qt::MiddleButton);
    EXPECT_EQ(S().board.cells, board);
    EXPECT_TRUE(sound->events.empty()); // editing plays nothing

    // A byte without a tile type (from a level file written elsewhere) is
    // picked up and put down as it stands; the palette has no cell for it.
    S().board.Set(4, 4, 250);
    Palette().FormPaint();
    ClickCell(4, 4, Qt::RightButton);
    EXPECT_EQ(W().paletteSelection, 250);
    Palette().FormPaint();
    ClickCell(6, 6);
    EXPECT_EQ(S().board.At(6, 6), 250);
    ClickPalette(3);
    EXPECT_EQ(W().paletteSelection, 3);
}

TEST_F(EditorTest, InsertAfterTheLastAndInTheMiddle) {
    Setting("level", "3");
    Start();
    S().levels.Flags()[1] = 1;
    P().Run(zk::Action::InsertLevel);
    EXPECT_EQ(S().levels.LevelCount(), 4);
    EXPECT_EQ(S().levels.CurrentLevel(), 4);
    EXPECT_EQ(P().levelscroll()->maximum(), 4);
    EXPECT_EQ(P().levelscroll()->value(), 4);
    EXPECT_EQ(S().board.cells, zk::LevelRecord{});
    EXPECT_TRUE(S().edited);
    EXPECT_TRUE(S().moved);

    P().levelscroll()->setValue(1); // leaving the new level asks: unanswered = discard
    EXPECT_EQ(ShownForms().back(), "TakeDlg");
    P().Run(zk::Action::InsertLevel);
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(S().levels.LevelCount(), 5);
    EXPECT_EQ(S().levels.Flags()[2], 1); // the old level 2's flag moved with it
    EXPECT_EQ(S().levels.LevelAt(3), CornerLevel(3, 2));

    // Insert takes the edited Board into the level it leaves before it asks
    // about that level: No keeps the drawing, and only OK marks the set as
    // changed for the close.
    W().paletteSelection = 33;
    ClickCell(5, 5);
    Answer("TakeDlg", "CancelBtn");
    const std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::InsertLevel);
    EXPECT_EQ(ShownForms().size(), mark + 1);
    EXPECT_EQ(ShownForms().back(), "TakeDlg");
    EXPECT_EQ(S().levels.LevelAt(2)[zk::CellIndex(5, 5)], 33);
    EXPECT_EQ(S().levels.CurrentLevel(), 3);
    EXPECT_EQ(S().board.cells, zk::LevelRecord{});
    EXPECT_FALSE(S().levelsChanged);
    EXPECT_TRUE(S().edited);
    Answer("TakeDlg", "OKBtn");
    P().Run(zk::Action::InsertLevel);
    EXPECT_EQ(S().levels.LevelCount(), 7);
    EXPECT_EQ(S().levels.LevelAt(3), zk::LevelRecord{});
    EXPECT_TRUE(S().levelsChanged);
}

TEST_F(EditorTest, InsertWithFiveHundredLevelsChangesNothing) {
    WriteLevels(std::vector<zk::LevelRecord>(500, CornerLevel(0, 0)));
    Start();
    P().Run(zk::Action::InsertLevel);
    EXPECT_EQ(S().levels.LevelCount(), 500);
    EXPECT_FALSE(S().edited);
}

TEST_F(EditorTest, DeleteLastAndMiddleLevels) {
    Setting("level", "3");
    Start();
    P().Run(zk::Action::DeleteLevel);
    EXPECT_EQ(S().levels.LevelCount(), 2);
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(P().levelscroll()->value(), 2);
    EXPECT_EQ(P().levelscroll()->maximum(), 2);
    EXPECT_EQ(S().board.cells, CornerLevel(3, 2));
    EXPECT_TRUE(S().edited);
    EXPECT_EQ(S().boardState, zk::EditingState);

    P().levelscroll()->setValue(1); // after Delete, leaving asks
    EXPECT_EQ(ShownForms().back(), "TakeDlg");
    P().Run(zk::Action::DeleteLevel);
    EXPECT_EQ(S().levels.LevelCount(), 1);
    EXPECT_EQ(S().board.cells, CornerLevel(3, 2));
    P().Run(zk::Action::DeleteLevel); // the only level is emptied, never removed
    EXPECT_EQ(S().levels.LevelCount(), 1);
    EXPECT_EQ(P().levelscroll()->maximum(), 1);
    EXPECT_EQ(S().board.cells, zk::LevelRecord{});
}

TEST_F(EditorTest, AfterSaveChangingLevelAsksNothing) {
    Start();
    ClickCell(5, 5);
    P().Run(zk::Action::Save);
    const std::size_t mark = seam->Forms().size();
    P().levelscroll()->setValue(2);
    EXPECT_EQ(seam->Forms().size(), mark);
}

TEST_F(EditorTest, ALevelDrawnAndSavedIsReadBackByteForByte) {
    Start();
    P().Run(zk::Action::InsertLevel); // level 2, empty
    const int picks[][3] = {{2, 2, 7}, {3, 2, 6}, {2, 3, 4}, {3, 3, 5}, {0, 0, 150}};
    for (const auto& p : picks) {
        ClickPalette(p[2]);
        ClickCell(p[0], p[1]);
    }
    EXPECT_TRUE(S().board.IsSolved());
    P().Run(zk::Action::Save);
    const auto expected = S().board.cells;
    CloseWindowAnsweringEverything();
    form.reset();

    seam->Clear();
    Setting("level", "2");
    Start();
    EXPECT_EQ(S().levels.LevelCount(), 4);
    EXPECT_EQ(S().levels.LevelAt(2), expected);
    const auto file = TempDir::Read(programDir.File("zklv.dat"));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + 63));
}

// Where the program directory may not be written, the editor's work goes to
// the player's own level file, made from the set in memory; the program's
// file stays as shipped, the next start reads the player's, and messages
// name it.
TEST_F(EditorTest, WithAReadOnlyProgramDirectoryTheLevelsAreThePlayersOwnFile) {
    TempDir data;
    const std::string own = data.Dir() + "share/zanfor-kelva/";
    playerLevelDirectory = own;
    const auto shipped = TempDir::Read(programDir.File("zklv.dat"));
    Start();
    P().Run(zk::Action::InsertLevel);
    ClickPalette(7);
    ClickCell(2, 2);
    P().Run(zk::Action::Save);
    EXPECT_TRUE(seam->Messages().empty());
    EXPECT_EQ(TempDir::Read(programDir.File("zklv.dat")), shipped);
    const auto copy = TempDir::Read(own + "zklv.dat");
    ASSERT_EQ(copy.size(), 4u * 63u);
    EXPECT_EQ(copy[63 + zk::CellIndex(2, 2)], 7);
    EXPECT_EQ(std::filesystem::status(own).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    CloseWindowAnsweringEverything(); // the player's file holds the set: no level question
    EXPECT_TRUE(seam->Messages().empty());
    form.reset();

    seam->Clear();
    Setting("level", "2");
    Start();
    EXPECT_EQ(S().levels.LevelCount(), 4);
    EXPECT_EQ(S().levels.LevelAt(2)[zk::CellIndex(2, 2)], 7);
    CloseWindowAnsweringEverything();
    form.reset();

    TempDir::Write(own + "zklv.dat", std::vector<std::uint8_t>(10));
    seam->Clear();
    Start();
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].request.text,
              QString::fromStdString("Fileerror 100 with file " + own + "zklv.dat."));
    EXPECT_EQ(TempDir::Read(programDir.File("zklv.dat")), shipped);
}

// Ctrl+T plays the board being drawn, scrambled, as practice; Esc, another
// level, or solving it brings the editor back exactly as it was: the board,
// the palette's selection, and the undo history both ways. Nothing of the
// play is recorded.
TEST_F(EditorTest, TestPlayIsPracticeAndBringsTheEditorBackAsItWas) {
    Start();
    const zk::LevelRecord stored = S().levels.LevelAt(1);
    ClickCell(3, 3, Qt::RightButton); // a fixed blank lifted: the cell is empty
    ClickCell(4, 4, Qt::RightButton);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Z, Qt::ControlModifier)); // (4, 4) back
    ClickPalette(150);
    const zk::Board drawn = S().board;
    const auto flags = S().levels.Flags();
    auto editorAsDrawn = [&] {
        EXPECT_EQ(S().boardState, zk::EditingState);
        EXPECT_EQ(S().gameMode, zk::EditorMode);
        EXPECT_EQ(S().board.cells, drawn.cells);
        EXPECT_EQ(W().paletteSelection, 150);
        EXPECT_TRUE(Palette().isVisible());
        EXPECT_TRUE(S().edited);
        EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Editor");
        EXPECT_EQ(S().levels.LevelAt(1), stored);
        EXPECT_EQ(S().levels.Flags(), flags);
        EXPECT_FALSE(S().levelsChanged);
    };

    ASSERT_TRUE(P().FormKeyDown(Qt::Key_T, Qt::ControlModifier));
    EXPECT_EQ(S().boardState, zk::PlayState);
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Editor - Test play");
    zk::LevelRecord a = S().board.cells, b = drawn.cells;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_NE(S().board.cells, drawn.cells);
    EXPECT_TRUE(P().NewGameBtn()->isHidden());
    EXPECT_TRUE(P().LoadBtn()->isHidden());
    ClickCell(S().board.held.column == 0 ? 1 : 0, 0);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Escape));
    editorAsDrawn();

    // The undo history is the editor's: one step back, one forward.
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Y, Qt::ControlModifier));
    EXPECT_EQ(S().board.At(4, 4), 0);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Z, Qt::ControlModifier));
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(S().board.cells, stored);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Y, Qt::ControlModifier));
    ClickPalette(150);
    ASSERT_EQ(S().board.cells, drawn.cells);

    // Solved, after the solved message: the editor, nothing recorded.
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_T, Qt::ControlModifier));
    EXPECT_GT(SolveByClicks(drawn.cells), 0);
    EXPECT_EQ(ShownForms().back(), "SolvedDlg");
    editorAsDrawn();
    EXPECT_TRUE(zk::files::ReadRecords(zk::files::RecordsPath()).records.levels.empty());

    // Another level from a test-play asks about the edits as the editor does.
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_T, Qt::ControlModifier));
    Answer("TakeDlg", "CancelBtn");
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_PageDown));
    EXPECT_EQ(ShownForms().back(), "TakeDlg");
    EXPECT_EQ(S().boardState, zk::EditingState);
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(S().levels.LevelAt(1), stored);
    EXPECT_EQ(S().levels.Flags(), flags);
}

// Ctrl+C then Ctrl+V on another level gives the same board, as one edit that
// undo takes back; text that is no level line is refused with a message and
// changes nothing.
TEST_F(EditorTest, ALevelLineCopiedAndPastedIsOneUndoableEdit) {
    Start();
    ClickPalette(93);
    ClickCell(8, 6);
    const zk::LevelRecord copied = S().board.cells;
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_C, Qt::ControlModifier));
    const QString line = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(line.startsWith("ZK1-")) << line.toStdString();

    Answer("TakeDlg", "CancelBtn");
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_PageDown));
    const zk::LevelRecord second = S().board.cells;
    ASSERT_NE(second, copied);
    for (const QString& bad : {QString("hello"), QString(line).replace(6, 1, "!"),
                               line.left(line.size() - 1) + (line.endsWith('0') ? "1" : "0")}) {
        QGuiApplication::clipboard()->setText(bad);
        ASSERT_TRUE(P().FormKeyDown(Qt::Key_V, Qt::ControlModifier));
        EXPECT_EQ(S().board.cells, second) << bad.toStdString();
        EXPECT_FALSE(S().edited);
    }
    ASSERT_EQ(seam->Messages().size(), 3u);
    EXPECT_TRUE(seam->Messages()[0].request.text.startsWith("The clipboard holds no level."));
    EXPECT_TRUE(seam->Messages()[1].request.text.contains("\"!\" at position 7"));
    EXPECT_TRUE(seam->Messages()[2].request.text.contains("check symbol does not match"));

    QGuiApplication::clipboard()->setText("  " + line + "\n");
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_V, Qt::ControlModifier));
    EXPECT_EQ(S().board.cells, copied);
    EXPECT_TRUE(S().edited);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(S().board.cells, second);
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Y, Qt::ControlModifier));
    EXPECT_EQ(S().board.cells, copied);
}

// With F2 on the status line tells of the board as drawn, once its check on
// another thread has answered; off, it is empty.
TEST_F(EditorTest, TheLiveCheckTellsTheFirstReasonAndTheVerdict) {
    Start();
    const auto settled = [&] {
        for (int k = 0; k < 500 && P().View().Status() == "…"; ++k) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return P().View().Status();
    };
    EXPECT_EQ(P().View().Status(), "");
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_F2));
    EXPECT_EQ(settled(), "Solvable · single solution · hardest rule: edge");

    ClickPalette(112); // a fixed tile whose one end, east, leads off the board
    ClickCell(8, 3);
    EXPECT_EQ(P().View().Status(), "…");
    EXPECT_EQ(settled(), "Unsolvable: an end of the tile in column 9, row 4 leads off the board");

    ASSERT_TRUE(P().FormKeyDown(Qt::Key_Z, Qt::ControlModifier)); // known: at once
    EXPECT_EQ(P().View().Status(), "Solvable · single solution · hardest rule: edge");
    ASSERT_TRUE(P().FormKeyDown(Qt::Key_F2));
    EXPECT_EQ(P().View().Status(), "");
}
