// Flows under a real mouse: a question opened by the level scroll bar, the
// save dialog's file name, and the level question at close.
#include <QThread>

#include "Fixture.h"

namespace zk::e2e {
namespace {

// The level scroll bar in the client area: 101 x 19 at (313, 8).
constexpr QRect LevelScrollInClient(313, 8, 101, 19);
const QPoint RightArrow = LevelScrollInClient.topLeft() + QPoint(101 - 5, 9);
// On the track well right of the thumb while the thumb stands near the left.
const QPoint TrackRight = LevelScrollInClient.topLeft() + QPoint(80, 9);
// The part between the arrows, where the thumb shows the position.
constexpr QRect LevelScrollTrack(313 + 22, 8, 101 - 44, 19);
// Somewhere no window of the game stands.
constexpr QPoint Away(1200, 1000);

// Thirty levels, the loop and the open ring in turn: level n is the loop when
// n is odd.
std::vector<Record> ThirtyLevels() {
    std::vector<Record> levels;
    for (int n = 1; n <= 30; ++n) {
        levels.push_back(n % 2 == 1 ? LoopLevel() : OpenRingLevel());
    }
    return levels;
}

QByteArray LevelBytes(const std::vector<Record>& levels) {
    QByteArray bytes;
    for (const Record& r : levels) {
        bytes.append(reinterpret_cast<const char*>(r.data()), 63);
    }
    return bytes;
}

class Flows : public EndToEnd {
protected:
    int Questions() const { return s.CountRootEvents(QStringLiteral("MapNotify"), MessageSize); }

    // The one message dialog, once the game has shown `count` of them.
    std::optional<Window> WaitQuestion(int count) {
        if (!WaitUntil([&] { return Questions() >= count; }, WindowTimeoutMs)) {
            return std::nullopt;
        }
        return s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    }

    // The editor on level 1 of `levels`, tile 5 put into cell (1, 1) from
    // the palette; answers the main window's client area's place.
    std::optional<QPoint> EditFirstLevel(std::vector<Record>& levels) {
        s.WriteLevels(levels);
        s.WriteSettings(SettingsText({{"tongue", "0"},
                                      {"mode", "2"},
                                      {"level", "1"},
                                      {"left", "20"},
                                      {"top", "20"},
                                      {"eleft", "560"},
                                      {"etop", "20"}}));
        const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Editor"));
        const auto palette = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva")),
                                               QRect(QPoint(560, 20), PaletteSize));
        if (!main || !palette) {
            ADD_FAILURE() << "no editor: " << s.DescribeWindows().toStdString();
            return std::nullopt;
        }
        const QPoint client = main->rect.topLeft();
        const QPoint at = palette->rect.topLeft();
        s.Click(at + QPoint(5 * 24 + 12, 12));
        if (!WaitBoardEquals(client, levels[0], std::nullopt) ||
            !WaitUntil([&] { return PaletteCross(at, 5); }, ScreenTimeoutMs)) {
            ADD_FAILURE() << "no level 1 or no choice of tile 5: " << LastProblem();
            return std::nullopt;
        }
        s.Click(client + CellCentre(1, 1));
        levels[0] = Put(levels[0], 1, 1, 5);
        if (!WaitBoardEquals(client, levels[0], std::nullopt)) {
            ADD_FAILURE() << "the edit does not show: " << LastProblem();
            return std::nullopt;
        }
        return client;
    }

    QImage Track(QPoint client) {
        s.Tool(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(Away.x()), QString::number(Away.y())});
        return s.Screenshot().copy(LevelScrollTrack.translated(client));
    }

    // Challenge play on level 5 after one move; a click at `inBar` asks to
    // give the level up, and No keeps everything as it was.
    void DeclinedClickChangesNothing(QPoint inBar) {
        s.WriteLevels(ThirtyLevels());
        s.WriteSettings(SettingsText(
            {{"tongue", "0"}, {"level", "5"}, {"mode", "1"}, {"left", "20"}, {"top", "20"}}));
        const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode"));
        ASSERT_TRUE(main);
        const QPoint client = main->rect.topLeft();
        const auto start = WaitPlayBoard(client);
        ASSERT_TRUE(start) << LastProblem();
        ASSERT_TRUE(WaitLevel(client, 5));

        Record board = start->tiles;
        int held = *start->held;
        int other = 0;
        while (board[static_cast<std::size_t>(other)] > zk::LastMovableTile ||
               board[static_cast<std::size_t>(other)] == board[static_cast<std::size_t>(held)]) {
            ++other;
        }
        std::swap(board[static_cast<std::size_t>(other)], board[static_cast<std::size_t>(held)]);
        held = other;
        s.Click(client + CellOf(held));
        ASSERT_TRUE(WaitBoardEquals(client, board, held)) << LastProblem();
        const QImage trackBefore = Track(client);

        s.Click(client + inBar);
        const auto question = WaitQuestion(1);
        ASSERT_TRUE(question) << "no question: " << s.DescribeWindows().toStdString();
        s.Keys(question->id, {QStringLiteral("Escape")}); // No
        ASSERT_TRUE(s.WaitUntilGone(question->id));

        QThread::sleep(3);
        EXPECT_EQ(Questions(), 1);
        EXPECT_TRUE(s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva"))).empty())
            << s.DescribeWindows().toStdString();
        EXPECT_TRUE(WaitLevel(client, 5));
        EXPECT_TRUE(WaitBoardEquals(client, board, held)) << LastProblem();
        // The bar is back on level 5.
        EXPECT_TRUE(WaitUntil([&] { return Track(client) == trackBefore; }, ScreenTimeoutMs));
        EXPECT_FALSE(s.GameOutput().contains(QStringLiteral("Recursive")))
            << s.GameOutput().toStdString();

        // The level goes on: a move back shows at once.
        std::swap(board[static_cast<std::size_t>(*start->held)],
                  board[static_cast<std::size_t>(held)]);
        held = *start->held;
        s.Click(client + CellOf(held));
        EXPECT_TRUE(WaitBoardEquals(client, board, held)) << LastProblem();
        EXPECT_EQ(Questions(), 1);
    }
};

TEST_F(Flows, DeclinedQuestionFromTheScrollBarArrowChangesNothing) {
    DeclinedClickChangesNothing(RightArrow);
}

TEST_F(Flows, DeclinedQuestionFromTheScrollBarTrackChangesNothing) {
    DeclinedClickChangesNothing(TrackRight);
}

// The editor: an edit, one click on the arrow, Yes: the edit goes into its
// level, the next level shows, and Save writes both.
TEST_F(Flows, EditAcceptedFromTheScrollBarIsStoredAndSaved) {
    std::vector<Record> levels = ThirtyLevels();
    const auto edited = EditFirstLevel(levels);
    ASSERT_TRUE(edited);
    const QPoint client = *edited;

    s.Click(client + RightArrow);
    const auto question = WaitQuestion(1);
    ASSERT_TRUE(question) << "no question: " << s.DescribeWindows().toStdString();
    s.Keys(question->id, {QStringLiteral("Return")}); // Yes
    ASSERT_TRUE(s.WaitUntilGone(question->id));
    EXPECT_TRUE(WaitLevel(client, 2));
    EXPECT_TRUE(WaitBoardEquals(client, levels[1], std::nullopt)) << LastProblem();

    QThread::sleep(3);
    EXPECT_EQ(Questions(), 1);
    EXPECT_TRUE(WaitLevel(client, 2));
    EXPECT_TRUE(WaitBoardEquals(client, levels[1], std::nullopt)) << LastProblem();

    s.Click(client + ToolButton(SaveBtnX));
    EXPECT_TRUE(
        WaitUntil([&] { return Session::ReadFile(s.LevelFilePath()) == LevelBytes(levels); },
                  WindowTimeoutMs))
        << "the level file does not hold the accepted edit";
    EXPECT_FALSE(s.GameOutput().contains(QStringLiteral("Recursive")))
        << s.GameOutput().toStdString();
}

// The save dialog refuses an empty name and the mask "*.zkv" (which a new
// directory puts into the name field) and stays open; a plain name saves.
TEST_F(Flows, SaveDialogRefusesNamesThatAreNoFileNames) {
    const auto playing = StartChallenge({LoopLevel()});
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;

    s.Click(client + ToolButton(SaveBtnX));
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save);
    const QPoint dialog = save->rect.topLeft();
    // An empty name.
    s.Keys(save->id,
           {QStringLiteral("ctrl+a"), QStringLiteral("BackSpace"), QStringLiteral("Return")});
    // A new directory "sub": the lists move there and the name field shows
    // the mask. pathedit at (160, 13) and newpathbtn at (280, 12) in
    // GroupBox2 at (8, 236).
    s.Click(dialog + QPoint(8 + 160 + 50, 236 + 13 + 10));
    s.Type(save->id, QStringLiteral("sub"));
    s.Click(dialog + QPoint(8 + 280 + 12, 236 + 12 + 10));
    const QDir games(s.GamesDir());
    ASSERT_TRUE(WaitUntil([&] { return games.exists(QStringLiteral("sub")); }, WindowTimeoutMs))
        << "no new directory: the dialog closed at the empty name";
    s.Keys(save->id, {QStringLiteral("Return")});
    // The refused name keeps the focus, selected: typing replaces it.
    s.Type(save->id, QStringLiteral("week"));
    s.Keys(save->id, {QStringLiteral("Return")});
    ASSERT_TRUE(s.WaitForWindow(
        ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Game week.zkv - Challenge mode")), MainSize))
        << s.DescribeWindows().toStdString();

    EXPECT_EQ(games.entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    EXPECT_EQ(QDir(games.filePath(QStringLiteral("sub")))
                  .entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("week.zkv")});
}

// The editor, an edit, then closing: the level question comes although no
// change was accepted, and Yes writes the level file.
TEST_F(Flows, EditorWorkIsOfferedAtClose) {
    std::vector<Record> levels = {OpenRingLevel(), LoopLevel()};
    const auto edited = EditFirstLevel(levels);
    ASSERT_TRUE(edited);
    const QPoint client = *edited;

    s.Click(client + ToolButton(ExitBtnX));
    const auto exit = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(exit);
    s.Keys(exit->id, {QStringLiteral("Return")});
    // The level question ("Bestätigen") comes before the save dialog.
    std::vector<Window> asked, saving;
    ASSERT_TRUE(WaitUntil(
        [&] {
            asked = s.FindWindows(QStringLiteral("^Best"));
            saving = s.FindWindows(ExactTitle(QStringLiteral("Save game as ...")));
            return !asked.empty() || !saving.empty();
        },
        WindowTimeoutMs));
    ASSERT_EQ(asked.size(), 1u) << "no level question: " << s.DescribeWindows().toStdString();
    s.Keys(asked[0].id, {QStringLiteral("Return")}); // Yes
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save) << "no save dialog at close";
    s.Keys(save->id, {QStringLiteral("Escape")});
    ASSERT_EQ(s.WaitForExit(WindowTimeoutMs), 0);
    EXPECT_EQ(Session::ReadFile(s.LevelFilePath()), LevelBytes(levels));
}

} // namespace
} // namespace zk::e2e
