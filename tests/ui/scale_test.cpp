// The size a player chooses, and the drawing at the window's ratio of device
// pixels to layout pixels. The ratio tests run at 1 with the other UI tests
// and again in a run of their own at 1.5 (QT_SCALE_FACTOR), where the
// pictures are drawn at 1.5 and every block's edges are rounded.
#include "MainFormFixture.h"

#include <QFile>
#include <QImage>
#include <cmath>

#include "DisplayScale.h"
#include "Editor.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Tongdlg.h"
#include "model/Catalogue.h"
#include "platform/Bitmaps.h"
#include "platform/Controls.h"
#include "platform/DrawnArt.h"

TEST(DisplayScale, TheCommandLineOverridesTheSettingsAndOnlyFourSizesCount) {
    TempDir dir;
    const std::string file = dir.File("quillmar.ini");
    std::vector<std::string> told;
    const auto chosen = [&](std::vector<const char*> args) {
        args.insert(args.begin(), "zanfor-kelva");
        return zk::ChosenDisplayScale(static_cast<int>(args.size()), args.data(), file,
                                      [&](const std::string& m) { told.push_back(m); });
    };
    for (const char* good : {"1", "1.5", "2", "3", "2.0", "1.50"}) {
        EXPECT_EQ(zk::ParseDisplayScale(good), std::stod(good)) << good;
    }
    for (const char* bad : {"", "0", "1.25", "4", "-2", "2x", " 2", "1,5", "nan", "inf", "1e0"}) {
        EXPECT_EQ(zk::ParseDisplayScale(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(chosen({}), std::nullopt);
    EXPECT_EQ(chosen({"--scale", "2"}), 2.0);
    EXPECT_EQ(chosen({"--scale=1.5", "--scale", "7"}), 1.5);
    EXPECT_EQ(told.size(), 1u);
    TempDir::WriteText(file,
                       "[Zanfor Kelva]\nscale=2\n[Zanfor Kelva Extras]\nfeedback=1\nscale=3\n");
    EXPECT_EQ(chosen({}), 3.0);
    EXPECT_EQ(chosen({"--scale", "1"}), 1.0);
    EXPECT_EQ(chosen({"--scale"}), 3.0); // a missing value is told and ignored
    TempDir::WriteText(file, "[Zanfor Kelva Extras]\nscale=2.5\n");
    told.clear();
    EXPECT_EQ(chosen({}), std::nullopt);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("scale=2.5"), std::string::npos);
    // A rejected value is told whole, its control characters escaped: a NUL
    // must not cut "2\0.5" down to a "2" that reads as accepted.
    TempDir::WriteText(file, std::string("[Zanfor Kelva Extras]\nscale=2") + '\0' + ".5\x1b[0m\n");
    told.clear();
    EXPECT_EQ(chosen({"--scale", "3\t"}), std::nullopt);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], "--scale 3\\x09 ignored: the scale is 1, 1.5, 2 or 3.");
    EXPECT_EQ(told[1],
              "scale=2\\x00.5\\x1B[0m in " + file + " ignored: the scale is 1, 1.5, 2 or 3.");
}

namespace {

int Px(int layout, qreal ratio) {
    return static_cast<int>(std::lround(layout * ratio));
}

// The block of `a` at device (ax, ay) equals that of `b` at (bx, by), outside `ignore`.
bool SameBlock(const QImage& a, QPoint at, const QImage& b, QRect from, QRect ignore = {}) {
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            if (!ignore.contains(x, y) &&
                a.pixel(at.x() + x, at.y() + y) != b.pixel(from.x() + x, from.y() + y)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class ScaleTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
    }
};

TEST_F(ScaleTest, SurfaceCellsMarkerDigitsPaletteAndGlyphsAreAtTheWindowsRatio) {
    Start();
    P().TimerTimer(); // the marker's next frame onto the held cell
    const qreal r = form->devicePixelRatioF();
    QImage b1;
    ASSERT_TRUE(zk::platform::LoadSheet(QString::fromStdString(programDir.Dir()),
                                        QStringLiteral("b1"), r, b1));
    ASSERT_EQ(b1.size(), QSize(Px(960, r), Px(480, r)));
    if (r != 1) {
        // Drawn at the ratio by the art module, and kept for the next start.
        EXPECT_TRUE(QFile::exists(QString::fromStdString(
            cacheDir.File("zanfor-kelva/b1@" + QString::number(r).toStdString() + "x.zkart"))));
    }

    const QImage& surface = P().Surface();
    EXPECT_EQ(surface.size(), QSize(Px(520, r), Px(376, r)));
    EXPECT_EQ(surface.devicePixelRatio(), r);
    EXPECT_EQ(P().LevelboxImage().size(), QSize(Px(57, r), Px(20, r)));
    EXPECT_EQ(P().numbs1().size(), QSize(Px(148, r), Px(20, r)));
    // Every cell at its rounded place is its tile's cell of the sheet; the
    // held one differs only under the marker, and there it does differ.
    const zk::Cell held = S().board.held;
    for (int c = 0; c < zk::Columns; ++c) {
        for (int row = 0; row < zk::Rows; ++row) {
            const zk::TileNumber t = S().board.At(c, row);
            const zk::Point cell = zk::SheetCell(t);
            const QPoint at(Px(22 + 48 * c, r), Px(20 + 48 * row, r));
            const QRect from(Px(cell.x * 48, r), Px(cell.y * 48, r), Px(48, r), Px(48, r));
            QRect marker;
            if (held.column == c && held.row == row) {
                const zk::Point a = zk::SpriteAnchor(t);
                marker = QRect(Px(a.x, r), Px(a.y, r), Px(a.x + 20, r) - Px(a.x, r),
                               Px(a.y + 20, r) - Px(a.y, r));
                EXPECT_FALSE(SameBlock(surface, at, b1, from));
            }
            EXPECT_TRUE(SameBlock(surface, at, b1, from, marker)) << c << "," << row;
        }
    }

    // The palette's canvas at the ratio, its cells the sheet's.
    Teditform& palette = *P().Forms().editform;
    palette.FormPaint();
    const QImage& canvas = palette.Canvas();
    EXPECT_EQ(canvas.size(), QSize(Px(480, r), Px(240, r)));
    const QImage& b3 = P().PaletteSheet();
    EXPECT_TRUE(SameBlock(canvas, QPoint(Px(24 * 7, r), Px(24 * 3, r)), b3,
                          QRect(Px(24 * 7, r), Px(24 * 3, r), Px(24, r), Px(24, r))));

    // A glyph is a picture of the window's resolution at its layout size
    // (the button takes it when it is first painted).
    P().ExitBtn()->grab();
    const QSize layout = QImage(QStringLiteral(":/zk/ExitBtn.png")).size();
    EXPECT_EQ(P().ExitBtn()->iconSize(), layout);
    const QPixmap pixmap = P().ExitBtn()->icon().pixmap(layout, r);
    EXPECT_EQ(pixmap.size(), QSize(Px(layout.width(), r), Px(layout.height(), r)));

    // So are the dialogs' flags, logo and icon.
    const QSize flag = QImage(QStringLiteral(":/zk/flag_en.png")).size();
    const QPixmap english = P().Forms().TongueDlg.Get()->EnglishBtn->icon().pixmap(flag, r);
    EXPECT_EQ(english.size(), QSize(Px(flag.width(), r), Px(flag.height(), r)));
    for (const QLabel* image :
         {P().Forms().InfoDialog.Get()->Image1, P().Forms().InfoDialog.Get()->Image4}) {
        EXPECT_EQ(image->pixmap().devicePixelRatio(), r) << image->objectName().toStdString();
    }
    EXPECT_EQ(P().Forms().InfoDialog.Get()->Image4->pixmap().size(), QSize(Px(32, r), Px(32, r)));
}
