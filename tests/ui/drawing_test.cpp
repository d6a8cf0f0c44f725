#include "MainFormFixture.h"

#include <QImage>

#include "model/Catalogue.h"
#include "platform/Bitmaps.h"

namespace {

QImage Sheet(const TempDir& dir, const char* name) {
    QImage image;
    EXPECT_TRUE(zk::platform::LoadBitmap(QString::fromStdString(dir.File(name)), image));
    return image;
}

bool SameBlock(const QImage& a, int ax, int ay, const QImage& b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (a.pixel(ax + x, ay + y) != b.pixel(bx + x, by + y)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class DrawingTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
    }
};

TEST_F(DrawingTest, EveryCellShowsItsTilesPicture) {
    Start();
    const QImage b1 = Sheet(programDir, "b1.bmp");
    const QImage& surface = P().Surface();
    for (int c = 0; c < zk::Columns; ++c) {
        for (int r = 0; r < zk::Rows; ++r) {
            const zk::Point cell = zk::SheetCell(S().board.At(c, r));
            EXPECT_TRUE(
                SameBlock(surface, 22 + 48 * c, 20 + 48 * r, b1, cell.x * 48, cell.y * 48, 48, 48))
                << c << "," << r;
        }
    }
}

TEST_F(DrawingTest, HeldCellComposesSpriteThroughMaskAndVanishesWhenSolved) {
    Start();
    const QImage b1 = Sheet(programDir, "b1.bmp");
    const QImage b2 = Sheet(programDir, "b2.bmp");
    for (int tick = 0; tick < 3; ++tick) {
        P().TimerTimer();
    }
    ASSERT_EQ(W().animationFrame, 3);
    const zk::Cell held = S().board.held;
    const zk::TileNumber t = S().board.HeldTile();
    const zk::Point anchor = zk::SpriteAnchor(t);
    const zk::Point cell = zk::SheetCell(t);
    const int sx = 30 + 20 * 3;
    const QImage& surface = P().Surface();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            QRgb expected = b1.pixel(cell.x * 48 + x, cell.y * 48 + y);
            const int dx = x - anchor.x;
            const int dy = y - anchor.y;
            if (dx >= 0 && dx < 20 && dy >= 0 && dy < 20) {
                expected = (expected & b2.pixel(sx + dx, 50 + dy)) | b2.pixel(sx + dx, 30 + dy);
            }
            ASSERT_EQ(surface.pixel(22 + 48 * held.column + x, 20 + 48 * held.row + y) | 0xff000000,
                      expected | 0xff000000)
                << x << "," << y;
        }
    }

    SolveByClicks();
    ASSERT_EQ(S().boardState, zk::SolvedState);
    P().TimerTimer();
    const zk::Cell last = S().board.held;
    const zk::Point lastCell = zk::SheetCell(S().board.HeldTile());
    EXPECT_TRUE(SameBlock(surface, 22 + 48 * last.column, 20 + 48 * last.row, b1, lastCell.x * 48,
                          lastCell.y * 48, 48, 48));
}

TEST_F(DrawingTest, ProgressBarFillsTwoHundredTenRowsForTwoOfThree) {
    TempDir::Write(programDir.File("g.zkv"), std::vector<std::uint8_t>{1, 1, 0});
    Setting("save", programDir.File("g.zkv"));
    Start();
    P().boxPaint(); // the full repaint the window system asks for
    const QImage b2 = Sheet(programDir, "b2.bmp");
    const QImage& surface = P().Surface();
    EXPECT_TRUE(SameBlock(surface, 469, 32, b2, 415, 32, 31, 315 - 210));
    EXPECT_TRUE(SameBlock(surface, 469, 347 - 210, b2, 469, 347 - 210, 31, 376 - 137));

    S().levels.Flags().fill(0);
    P().DrawProgressBar();
    EXPECT_TRUE(SameBlock(surface, 469, 32, b2, 415, 32, 31, 315));
    S().levels.Flags().fill(1);
    P().DrawProgressBar();
    EXPECT_TRUE(SameBlock(surface, 469, 32, b2, 469, 32, 31, 315));
}

TEST_F(DrawingTest, LevelIndicatorDigitsFaceAndHint) {
    std::vector<zk::LevelRecord> many(500, CornerLevel(0, 0));
    WriteLevels(many);
    Start();
    const QImage& box = P().LevelboxImage();
    const QImage& strip = P().numbs1();
    ASSERT_EQ(strip.size(), QSize(148, 20));
    auto shows = [&](int level, int d0, int d1, int d2) {
        S().levels.SetCurrentLevel(level);
        P().levelboxPaint();
        const int sources[3] = {d0 < 0 ? 110 : 11 * d0, d1 < 0 ? 110 : 11 * d1, 11 * d2};
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(SameBlock(box, 13 * i, 0, strip, sources[i], 0, 11, 20))
                << "level " << level << " position " << i;
        }
    };
    shows(7, -1, -1, 7);
    shows(70, -1, 7, 0);
    shows(105, 1, 0, 5);
    shows(500, 5, 0, 0);
    shows(10, -1, 1, 0);
    EXPECT_TRUE(SameBlock(box, 42, 0, strip, 135, 0, 13, 20)); // unsolved face
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 10: unsolved");
    S().levels.Flags()[9] = 1;
    P().levelboxPaint();
    EXPECT_TRUE(SameBlock(box, 42, 0, strip, 122, 0, 13, 20));
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 10: solved");
}

TEST_F(DrawingTest, EditingFaceFollowsTheBoardWhileTheHintFollowsTheFlag) {
    Setting("mode", "2");
    Start();
    const QImage& box = P().LevelboxImage();
    const QImage& strip = P().numbs1();
    EXPECT_TRUE(SameBlock(box, 42, 0, strip, 122, 0, 13, 20)); // stored level is solved
    W().paletteSelection = 2;
    ClickCell(6, 3); // a straight facing blanks: not a solution
    EXPECT_TRUE(SameBlock(box, 42, 0, strip, 135, 0, 13, 20));
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
}

TEST_F(DrawingTest, TimerAnimatesOnlyTheHeldCell) {
    Start();
    QImage before = P().Surface().copy();
    for (int i = 0; i < 8; ++i) {
        P().TimerTimer();
    }
    EXPECT_EQ(W().animationFrame, 0);
    const zk::Cell held = S().board.held;
    QImage after = P().Surface().copy();
    // Outside the held cell nothing changed.
    QRect heldRect(22 + 48 * held.column, 20 + 48 * held.row, 48, 48);
    for (int y = 0; y < after.height(); y += 3) {
        for (int x = 0; x < after.width(); x += 3) {
            if (!heldRect.contains(x, y)) {
                ASSERT_EQ(before.pixel(x, y), after.pixel(x, y)) << x << "," << y;
            }
        }
    }
}
