// The game on a screen of twice the pixels, by each of the three ways to ask
// for it: everything it draws is drawn at 2x, pixel for pixel what the art
// gives at that scale, not the 1x pictures enlarged.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "model/Catalogue.h"

namespace zk::e2e {
namespace {

enum class AskedBy { Environment, CommandLine, Settings };

struct Start {
    QStringList arguments;
    QList<QPair<QString, QString>> environment;
    QByteArray extras; // the settings file's extras section
};

Start StartAskedBy(AskedBy way) {
    switch (way) {
    case AskedBy::Environment:
        return {{}, {{QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2")}}, {}};
    case AskedBy::CommandLine:
        return {{QStringLiteral("--scale"), QStringLiteral("2")}, {}, {}};
    case AskedBy::Settings:
        break;
    }
    return {{}, {}, "[Zanfor Kelva Extras]\nscale=2\n"};
}

// The left part of a glyph strip of `count` images, at a scale.
QImage FirstGlyph(const QString& name, int count, int scale) {
    const QImage all = PictureAt(name, scale);
    return all.copy(0, 0, all.width() / count, all.height());
}

class AtTwice : public EndToEnd {
protected:
    // Room for the main window and the palette side by side at 2x.
    AtTwice() { s.SetScreenSize(QSize(2560, 1280)); }
    void SetUp() override {
        EndToEnd::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(sheets.Load(s.ProgramDir(), 2)) << sheets.problem.toStdString();
        s.SetScale(2);
    }
};

class CrispAtTwice : public AtTwice, public ::testing::WithParamInterface<AskedBy> {};

TEST_P(CrispAtTwice, BoardMarkerDigitsAndGlyphsAreDrawnAtTwicePixelForPixel) {
    const Start start = StartAskedBy(GetParam());
    s.WriteLevels({LoopLevel(), OpenRingLevel()});
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"level", "1"},
                                  {"mode", "1"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"sound", "0"}}) +
                    start.extras);
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode"),
                                        {20, 20}, start.arguments, start.environment);
    ASSERT_TRUE(main) << "no main window of 1040 x 818 at (40, 40)";
    const QPoint client = main->rect.topLeft();
    const QPoint board = client + BoardInClient * 2;

    // Every cell is its tile's 96-pixel cell of b1 drawn at 2x; the held one
    // carries the marker composed from b2's sprite and mask drawn at 2x.
    auto read = WaitPlayBoard(client);
    ASSERT_TRUE(read) << LastProblem();
    ASSERT_TRUE(IsScrambleOf(read->tiles, LoopLevel())) << Describe(read->tiles).toStdString();
    const auto composedAt = [&](const Record& tiles, int held) {
        return WaitUntil(
            [&] {
                return ShowsComposedMarker(s.Screenshot(), board, sheets, held,
                                           tiles[static_cast<std::size_t>(held)]);
            },
            ScreenTimeoutMs, 20);
    };
    EXPECT_TRUE(composedAt(read->tiles, *read->held));
    EXPECT_TRUE(WaitLevel(client, 1)) << "the digits are not numbs1.png's drawn at 2x";
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));

    // The toolbar's glyphs are drawn at 2x, not the 1x ones doubled.
    const QImage shot = s.Screenshot();
    struct Button {
        const char* name;
        int x, width, glyphs;
    };
    for (const Button& b : {Button{"NewGameBtn", 4, 25, 1}, Button{"RestartBtn", 28, 25, 2},
                            Button{"ExitBtn", 148, 25, 1}, Button{"RulesBtn", 437, 25, 1},
                            Button{"ZanforBtn", 485, 30, 1}}) {
        const QString name = QString::fromLatin1(b.name);
        const QImage big = FirstGlyph(name + QStringLiteral(".png"), b.glyphs, 2);
        const QImage small = FirstGlyph(name + QStringLiteral(".png"), b.glyphs, 1);
        ASSERT_FALSE(big.isNull()) << b.name;
        const QRect button(client + QPoint(b.x, 4) * 2, QSize(b.width, 25) * 2);
        EXPECT_EQ(GlyphDiffers(shot, button, big, small).toStdString(), "") << b.name;
    }

    // A click at the cell's place in layout pixels, doubled, makes a move;
    // the board stays exact and the marker goes along.
    Record after = read->tiles;
    const int held = *read->held;
    int other = 0;
    while (after[static_cast<std::size_t>(other)] > zk::LastMovableTile ||
           after[static_cast<std::size_t>(other)] == after[static_cast<std::size_t>(held)]) {
        ++other;
    }
    std::swap(after[static_cast<std::size_t>(other)], after[static_cast<std::size_t>(held)]);
    s.Click(client + CellOf(other) * 2);
    ASSERT_TRUE(WaitBoardEquals(client, after, other)) << LastProblem();
    EXPECT_TRUE(composedAt(after, other));
}

INSTANTIATE_TEST_SUITE_P(Ways, CrispAtTwice,
                         ::testing::Values(AskedBy::Environment, AskedBy::CommandLine,
                                           AskedBy::Settings),
                         [](const auto& info) {
                             switch (info.param) {
                             case AskedBy::Environment:
                                 return std::string("QtScaleFactor");
                             case AskedBy::CommandLine:
                                 return std::string("ScaleOption");
                             case AskedBy::Settings:
                                 break;
                             }
                             return std::string("ScaleSetting");
                         });

// The editor at 2x: the palette is b3's drawn at 2x with the cross on the
// selection, and a tile chosen there is placed as b1 drawn at 2x shows it.
TEST_F(AtTwice, EditorPaletteAndPlacingAreDrawnAtTwice) {
    s.WriteLevels({LoopLevel()});
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"mode", "2"},
                                  {"level", "1"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"eleft", "600"},
                                  {"etop", "20"}}));
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Editor"), {20, 20},
                                        {QStringLiteral("--scale"), QStringLiteral("2")});
    const auto palette = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva")),
                                           QRect(QPoint(600, 20) * 2, PaletteSize * 2));
    ASSERT_TRUE(main && palette) << s.DescribeWindows().toStdString();
    const QPoint client = main->rect.topLeft();
    const QPoint at = palette->rect.topLeft();
    ASSERT_TRUE(WaitBoardEquals(client, LoopLevel(), std::nullopt)) << LastProblem();
    EXPECT_TRUE(WaitUntil([&] { return PaletteCross(at, 0); }, ScreenTimeoutMs));

    s.Click(at + QPoint(93 % 20 * 24 + 12, 93 / 20 * 24 + 12) * 2);
    EXPECT_TRUE(WaitUntil([&] { return PaletteCross(at, 93); }, ScreenTimeoutMs));
    s.Click(client + CellCentre(6, 1) * 2);
    EXPECT_TRUE(WaitBoardEquals(client, Put(LoopLevel(), 6, 1, 93), std::nullopt)) << LastProblem();
}

} // namespace
} // namespace zk::e2e
