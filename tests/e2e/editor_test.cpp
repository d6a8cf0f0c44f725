// The editor's additions with real keys: the test-play and back, a level line
// copied and pasted, and the live check's status line.
#include <QPainter>

#include "BoardView.h"
#include "Fixture.h"
#include "model/Board.h"

namespace zk::e2e {
namespace {

// The status strip in the main window's client area (the board box starts
// below the tool panel).
QRect StripInClient() {
    return BoardView::StatusRect().translated(0, ToolPanelHeight);
}

// The strip as the game draws a text over the empty strip.
QImage StripWith(const QImage& empty, const QString& text) {
    const QRect strip = BoardView::StatusRect();
    QImage box(strip.right() + 1, strip.bottom() + 1, QImage::Format_RGB32);
    box.fill(Qt::black);
    QPainter painter(&box);
    painter.drawImage(strip.topLeft(), empty);
    BoardView::DrawStatusLine(painter, text);
    painter.end();
    return box.copy(strip);
}

TEST_F(EndToEnd, EditorTestPlaysCopiesPastesAndTellsWhyALevelCannotBeSolved) {
    const Record loop = LoopLevel(), ring = OpenRingLevel();
    s.WriteLevels({loop, ring});
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"mode", "2"},
                                  {"level", "1"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"eleft", "560"},
                                  {"etop", "20"}}));
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Editor"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    const auto palette = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva")),
                                           QRect(QPoint(560, 20), PaletteSize));
    ASSERT_TRUE(palette) << s.DescribeWindows().toStdString();
    ASSERT_TRUE(WaitBoardEquals(client, loop, std::nullopt)) << LastProblem();
    const QImage emptyStrip = s.Screenshot().copy(StripInClient().translated(client));

    // Ctrl+T: the board scrambled with the marker, the palette gone.
    s.Keys(main->id, {QStringLiteral("ctrl+t")});
    const auto played = WaitPlayBoard(client);
    ASSERT_TRUE(played) << LastProblem();
    EXPECT_TRUE(IsScrambleOf(played->tiles, loop)) << Describe(played->tiles).toStdString();
    EXPECT_TRUE(
        s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Editor - Test play"))));
    EXPECT_TRUE(WaitUntil([&] { return !s.IsVisible(palette->id); }, ScreenTimeoutMs));
    // A move that leaves it unsolved.
    std::optional<std::pair<int, Record>> move;
    for (int x = 0; x < 63 && !move; ++x) {
        Record after = played->tiles;
        std::swap(after[static_cast<std::size_t>(x)],
                  after[static_cast<std::size_t>(*played->held)]);
        zk::Board board;
        board.cells = after;
        if (x != *played->held && after != played->tiles && !board.IsSolved() &&
            played->tiles[static_cast<std::size_t>(x)] <= zk::LastMovableTile) {
            move = std::pair{x, after};
        }
    }
    ASSERT_TRUE(move);
    s.Click(client + CellOf(move->first));
    ASSERT_TRUE(WaitBoardEquals(client, move->second, move->first)) << LastProblem();

    // Esc: the editor as it was.
    s.Keys(main->id, {QStringLiteral("Escape")});
    EXPECT_TRUE(WaitBoardEquals(client, loop, std::nullopt)) << LastProblem();
    EXPECT_TRUE(s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Editor"))));
    EXPECT_TRUE(WaitUntil([&] { return s.IsVisible(palette->id); }, ScreenTimeoutMs));

    // Ctrl+C, the next level, Ctrl+V: the copied board; Ctrl+Z takes it back.
    s.Keys(main->id, {QStringLiteral("ctrl+c")});
    s.Keys(main->id, {QStringLiteral("Next")});
    ASSERT_TRUE(WaitLevel(client, 2));
    ASSERT_TRUE(WaitBoardEquals(client, ring, std::nullopt)) << LastProblem();
    s.Keys(main->id, {QStringLiteral("ctrl+v")});
    EXPECT_TRUE(WaitBoardEquals(client, loop, std::nullopt)) << LastProblem();
    s.Keys(main->id, {QStringLiteral("ctrl+z")});
    EXPECT_TRUE(WaitBoardEquals(client, ring, std::nullopt)) << LastProblem();
    s.Keys(main->id, {QStringLiteral("ctrl+y")});
    ASSERT_TRUE(WaitBoardEquals(client, loop, std::nullopt)) << LastProblem();

    // F2, then a fixed tile whose only end, east, leads off the board: the
    // status line names the cell.
    s.Keys(main->id, {QStringLiteral("F2")});
    s.Click(palette->rect.topLeft() + QPoint((112 % 20) * 24 + 12, (112 / 20) * 24 + 12));
    s.Click(client + CellCentre(8, 3));
    const QString reason =
        QStringLiteral("Unsolvable: an end of the tile in column 9, row 4 leads off the board");
    const QImage expected = StripWith(emptyStrip, reason);
    const QImage others[] = {emptyStrip, StripWith(emptyStrip, QStringLiteral("…")),
                             StripWith(emptyStrip, QStringLiteral("Solvable · single solution"))};
    int seen = 0;
    const bool shown = WaitUntil(
        [&] {
            const QImage strip = s.Screenshot().copy(StripInClient().translated(client));
            seen = Differing(strip, expected);
            for (const QImage& other : others) {
                if (Differing(strip, other) <= seen) {
                    return false;
                }
            }
            return seen < 20;
        },
        ScreenTimeoutMs);
    EXPECT_TRUE(shown) << "the status strip differs from the reason in " << seen << " pixels";
}

} // namespace
} // namespace zk::e2e
