// The real game in a real window under Xvfb: driven with xdotool, read back
// from screenshots compared with the image sheets of its program directory.
#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "Corpus.h"
#include "Fixture.h"
#include "model/Board.h"

namespace zk::e2e {
namespace {

QByteArray Flags(std::initializer_list<int> solved) {
    QByteArray flags(500, '\0');
    int i = 0;
    for (int f : solved) {
        flags[i++] = static_cast<char>(f);
    }
    return flags;
}

// The keys of one section of an INI text, in file order.
std::vector<std::pair<QByteArray, QByteArray>> Section(const QByteArray& text,
                                                       const QByteArray& name) {
    std::vector<std::pair<QByteArray, QByteArray>> keys;
    bool inside = false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inside = line == "[" + name + "]";
        } else if (inside && line.contains('=')) {
            const qsizetype eq = line.indexOf('=');
            keys.emplace_back(line.left(eq), line.mid(eq + 1));
        }
    }
    return keys;
}

bool Solved(const Record& tiles) {
    zk::Board board;
    board.cells = tiles;
    return board.IsSolved();
}

// The next click that brings the board closer to the level as stored: put the
// tile the held cell should have there, or, when the held tile is at home,
// move it on to a wrong cell that is not another home of the held tile's
// number (between two such homes it would only go back and forth).
std::optional<int> NextClick(const Record& board, int held, const Record& target) {
    if (board == target) {
        return std::nullopt;
    }
    const auto h = static_cast<std::size_t>(held);
    for (std::size_t x = 0; x < board.size(); ++x) {
        if (x == h || board[x] == target[x]) {
            continue;
        }
        if (board[h] != target[h] ? board[x] == target[h] : target[x] != target[h]) {
            return static_cast<int>(x);
        }
    }
    return std::nullopt;
}

// The clicks the solving scenario plays reach the stored level from any
// scramble and any held tile, also when the held tile's number has two homes.
TEST(SolvingClicks, ReachTheStoredLevelFromEveryScramble) {
    const Record target = LoopLevel();
    std::vector<std::size_t> movable;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] <= zk::LastMovableTile) {
            movable.push_back(i);
        }
    }
    std::mt19937 random(2024);
    for (int trial = 0; trial < 2000; ++trial) {
        Record board = target;
        std::vector<std::uint8_t> tiles;
        for (std::size_t i : movable) {
            tiles.push_back(target[i]);
        }
        std::shuffle(tiles.begin(), tiles.end(), random);
        std::vector<int> holdable;
        for (std::size_t k = 0; k < movable.size(); ++k) {
            board[movable[k]] = tiles[k];
            if (tiles[k] >= 1 && tiles[k] <= zk::LastHoldableTile) {
                holdable.push_back(static_cast<int>(movable[k]));
            }
        }
        int held = holdable[random() % holdable.size()];
        int moves = 0;
        while (const auto x = NextClick(board, held, target)) {
            ASSERT_LT(++moves, 64) << "trial " << trial << " goes round in circles";
            ASSERT_LE(board[static_cast<std::size_t>(*x)], zk::LastMovableTile);
            std::swap(board[static_cast<std::size_t>(*x)], board[static_cast<std::size_t>(held)]);
            held = *x;
        }
        ASSERT_EQ(board, target) << "trial " << trial << " stops short";
    }
}

// The first start: the splash shows its picture and closes by itself, then the
// language dialog asks; German makes the caption German and is stored at close.
TEST_F(EndToEnd, FirstStartShowsSplashThenAsksTheLanguage) {
    s.WriteLevels({LoopLevel(), OpenRingLevel()});
    ASSERT_TRUE(s.StartGame());

    // The splash shows b5.bmp, unless a slow start let its time run out the
    // moment it showed (then the event log below still proves it came).
    if (const auto splash = s.WaitForSplash()) {
        // Centred over the main window where the form places it, (292, 297).
        EXPECT_EQ(splash->rect.topLeft(),
                  QPoint(292 + (520 - 200) / 2, 297 + 409 - (409 + 150) / 2));
        // A screenshot shows the splash when the splash is still there after
        // it was taken (it shows once). The picture may land a moment after
        // the window maps; a splash seen for longer without it has none.
        using Clock = std::chrono::steady_clock;
        std::optional<Clock::time_point> firstSeen;
        long long blankFor = 0;
        bool pictureSeen = false;
        WaitUntil(
            [&] {
                const auto taken = Clock::now();
                const QImage shot = s.Screenshot();
                if (!s.IsVisible(splash->id)) {
                    return true;
                }
                if (SameBlock(shot, splash->rect.topLeft(), sheets.b5, QRect(0, 0, 200, 150))) {
                    pictureSeen = true;
                    return true;
                }
                firstSeen = firstSeen.value_or(taken);
                blankFor = std::chrono::duration_cast<std::chrono::milliseconds>(taken - *firstSeen)
                               .count();
                return blankFor >= 1500;
            },
            ScreenTimeoutMs, 20);
        EXPECT_TRUE(pictureSeen || blankFor < 1500)
            << "the splash showed no b5.bmp for " << blankFor << " ms";
        if (!pictureSeen) {
            std::cerr << "note: the splash closed before a screenshot caught its picture\n";
        }
    }

    const auto tongue =
        s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva V2.0")), TongueSize);
    ASSERT_TRUE(tongue) << "no language dialog";
    EXPECT_TRUE(s.FindWindows(QString()).size() == 2u)
        << "the splash is still there: " << s.DescribeWindows().toStdString();
    // The splash was mapped and went away before the language dialog came.
    // The event log is written by a process of its own and may lag behind
    // the screen: it is read once it has the language dialog's mapping.
    int splashMapped = -1, splashGone = -1, tongueMapped = -1;
    WaitUntil(
        [&] {
            const auto events = s.RootEvents();
            splashMapped = splashGone = tongueMapped = -1;
            for (int i = 0; i < static_cast<int>(events.size()); ++i) {
                const RootEvent& e = events[static_cast<std::size_t>(i)];
                if (e.size == QSize(200, 150) && e.type == QLatin1String("MapNotify") &&
                    splashMapped < 0) {
                    splashMapped = i;
                } else if (e.size == QSize(200, 150) && e.type == QLatin1String("UnmapNotify") &&
                           splashMapped >= 0 && splashGone < 0) {
                    splashGone = i;
                } else if (e.size == TongueSize && e.type == QLatin1String("MapNotify") &&
                           tongueMapped < 0) {
                    tongueMapped = i;
                }
            }
            return tongueMapped >= 0;
        },
        WindowTimeoutMs);
    EXPECT_GE(splashMapped, 0);
    EXPECT_GT(splashGone, splashMapped);
    EXPECT_GT(tongueMapped, splashGone);

    // "Ich spreche deutsch." at (84, 48), 221 x 27.
    s.Click(tongue->rect.topLeft() + QPoint(84 + 110, 48 + 13));
    // At the default position, where start-up moves it.
    const auto main = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Wettkampf")),
                                        QRect(QPoint(100, 50), MainSize));
    ASSERT_TRUE(main) << "no German challenge caption at the default position: "
                      << s.DescribeWindows().toStdString();
    const QPoint client = main->rect.topLeft();
    const auto board = WaitPlayBoard(client);
    ASSERT_TRUE(board) << LastProblem();
    EXPECT_TRUE(IsScrambleOf(board->tiles, LoopLevel())) << Describe(board->tiles).toStdString();
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));
    EXPECT_TRUE(WaitProgress(client, 0, 2));

    s.Click(client + ToolButton(ExitBtnX));
    const auto question = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(question) << "no exit question";
    s.Keys(question->id, {QStringLiteral("Return")});
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Spiel speichern als ...")));
    ASSERT_TRUE(save) << "no German save dialog at close";
    s.Keys(save->id, {QStringLiteral("Escape")});
    EXPECT_EQ(s.WaitForExit(WindowTimeoutMs), 0);
    const auto keys = Section(Session::ReadFile(s.SettingsPath()), "Zanfor Kelva");
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::pair<QByteArray, QByteArray>("tongue", "1")),
              keys.end());
}

// A level solved by clicks computed from the board read off the screen.
TEST_F(EndToEnd, SolvingALevelFreezesTheBoardAndRecordsTheSolve) {
    s.WriteLevels({OpenRingLevel(), LoopLevel(), OpenRingLevel()});
    s.WriteSettings(SettingsText(
        {{"tongue", "0"}, {"level", "2"}, {"mode", "1"}, {"left", "20"}, {"top", "20"}}));
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    auto read = WaitPlayBoard(client);
    ASSERT_TRUE(read) << LastProblem();
    ASSERT_TRUE(IsScrambleOf(read->tiles, LoopLevel())) << Describe(read->tiles).toStdString();
    ASSERT_FALSE(Solved(read->tiles)) << "the scramble left the level solved";
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));
    EXPECT_TRUE(WaitLevel(client, 2));
    EXPECT_TRUE(WaitProgress(client, 0, 3));

    Record board = read->tiles;
    int held = *read->held;
    int moves = 0;
    bool solved = false;
    while (!solved) {
        const auto x = NextClick(board, held, LoopLevel());
        ASSERT_TRUE(x) << "no click left, board:\n" << Describe(board).toStdString();
        ASSERT_LT(++moves, 64);
        std::swap(board[static_cast<std::size_t>(*x)], board[static_cast<std::size_t>(held)]);
        held = *x;
        solved = Solved(board);
        s.Click(client + CellOf(held));
        if (!solved) {
            ASSERT_TRUE(WaitBoardEquals(client, board, held))
                << "move " << moves << " not shown: " << LastProblem();
            ASSERT_TRUE(s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva"))).empty())
                << "a dialog before the level was solved";
        }
    }

    const auto dialog = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(dialog) << "no solved dialog";
    // The marker is gone: every cell, the held one too, shows its plain tile.
    EXPECT_TRUE(WaitBoardEquals(client, board, std::nullopt)) << LastProblem();
    // The solve is recorded once the dialog is answered.
    EXPECT_EQ(FaceNow(client), Face::Unsolved);
    s.Keys(dialog->id, {QStringLiteral("Return")});
    EXPECT_TRUE(s.WaitUntilGone(dialog->id));
    EXPECT_TRUE(WaitFace(client, Face::Solved));
    EXPECT_TRUE(WaitProgress(client, 1, 3)); // 105 of the bar's 315 rows
    EXPECT_TRUE(s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode")),
                                  main->rect))
        << s.DescribeWindows().toStdString();

    // The frozen board ignores a click; the save dialog that follows proves
    // that the click has been handled.
    const int other = held == 0 ? 1 : 0;
    s.Click(client + CellOf(other));
    s.Click(client + ToolButton(SaveBtnX));
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save);
    s.Keys(save->id, {QStringLiteral("Escape")});
    EXPECT_TRUE(s.WaitUntilGone(save->id));
    EXPECT_TRUE(WaitBoardEquals(client, board, std::nullopt)) << LastProblem();
}

// In challenge play the restart asks once, and after a move twice; a No to the
// second question leaves the level as it was.
TEST_F(EndToEnd, ChallengeRestartAsksTwiceAfterAMove) {
    const auto playing = StartChallenge({LoopLevel()});
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;

    // One move, to a cell whose tile differs from the held one.
    Record board = start.tiles;
    int held = *start.held;
    auto moveTo = [&](int x) {
        std::swap(board[static_cast<std::size_t>(x)], board[static_cast<std::size_t>(held)]);
        held = x;
        s.Click(client + CellOf(x));
    };
    auto differentCell = [&] {
        for (int x = 0; x < 63; ++x) {
            const auto t = board[static_cast<std::size_t>(x)];
            if (t <= zk::LastMovableTile && t != board[static_cast<std::size_t>(held)]) {
                return x;
            }
        }
        return -1;
    };
    moveTo(differentCell());
    ASSERT_TRUE(WaitBoardEquals(client, board, held)) << LastProblem();

    auto questions = [&] { return s.CountRootEvents(QStringLiteral("MapNotify"), MessageSize); };
    auto answer = [&](int expectedQuestions, const QString& key) {
        const bool asked =
            WaitUntil([&] { return questions() == expectedQuestions; }, WindowTimeoutMs);
        const auto dialog =
            s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
        if (!asked || !dialog) {
            return false;
        }
        s.Keys(dialog->id, {key});
        return s.WaitUntilGone(dialog->id);
    };

    // Yes, then No to the second question: nothing changes. A move that
    // follows shows on the board as it was.
    s.Click(client + ToolButton(RestartBtnX));
    ASSERT_TRUE(answer(1, QStringLiteral("Return")));
    ASSERT_TRUE(answer(2, QStringLiteral("Escape"))) << "no second question after a move";
    moveTo(differentCell());
    ASSERT_TRUE(WaitBoardEquals(client, board, held)) << "the level changed: " << LastProblem();
    EXPECT_EQ(questions(), 2);

    // Yes twice: a fresh scramble of the level.
    s.Click(client + ToolButton(RestartBtnX));
    ASSERT_TRUE(answer(3, QStringLiteral("Return")));
    ASSERT_TRUE(answer(4, QStringLiteral("Return")));
    const Record moved = board;
    auto fresh =
        WaitBoard(client, [&](const BoardRead& b) { return b.held && !SameTiles(b.tiles, moved); });
    ASSERT_TRUE(fresh) << "no restart: " << LastProblem();
    EXPECT_TRUE(IsScrambleOf(fresh->tiles, LoopLevel()));

    // Without a move the restart asks once.
    s.Click(client + ToolButton(RestartBtnX));
    ASSERT_TRUE(answer(5, QStringLiteral("Return")));
    const Record before = fresh->tiles;
    const auto again = WaitBoard(
        client, [&](const BoardRead& b) { return b.held && !SameTiles(b.tiles, before); });
    ASSERT_TRUE(again) << "no restart without a move: " << LastProblem();
    EXPECT_EQ(questions(), 5);
    EXPECT_TRUE(s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva"))).empty());
}

// Closing: No to the exit question changes nothing; Yes offers the save
// dialog and writes the nine keys, keeping what else the file holds.
TEST_F(EndToEnd, CloseSequenceWritesTheNineKeys) {
    s.WriteLevels({LoopLevel(), OpenRingLevel(), LoopLevel()});
    const QString saved = QDir(s.GamesDir()).filePath(QStringLiteral("start.zkv"));
    Session::WriteFile(saved, Flags({1}));
    const QByteArray before = "; kept\n[Other]\nkeep=1\n[Zanfor Kelva]\ntongue=0\nlevel=2\n"
                              "left=20\ntop=20\neleft=700\netop=30\nsave=" +
                              saved.toUtf8() + "\n";
    s.WriteSettings(before);
    const auto main =
        StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Game start.zkv - Challenge mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    ASSERT_TRUE(WaitPlayBoard(client)) << LastProblem();
    EXPECT_TRUE(WaitProgress(client, 1, 3));

    // The sound on, and the window moved.
    s.Click(client + ToolButton(SoundBtnX));
    s.Tool(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QString::number(main->id),
                                       QStringLiteral("40"), QStringLiteral("60")});
    const QPoint moved(40, 60);
    ASSERT_TRUE(s.WaitForWindowAt(
        ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Game start.zkv - Challenge mode")),
        QRect(moved, MainSize)))
        << "the window did not move: " << s.DescribeWindows().toStdString();

    s.Click(moved + ToolButton(ExitBtnX));
    auto question = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(question);
    s.Keys(question->id, {QStringLiteral("Escape")});
    ASSERT_TRUE(s.WaitUntilGone(question->id));
    EXPECT_TRUE(s.GameRunning());
    EXPECT_EQ(Session::ReadFile(s.SettingsPath()), before);

    s.Click(moved + ToolButton(ExitBtnX));
    question = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(question);
    s.Keys(question->id, {QStringLiteral("Return")});
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save) << "no save dialog at close";
    s.Keys(save->id, {QStringLiteral("Escape")});
    ASSERT_EQ(s.WaitForExit(WindowTimeoutMs), 0);

    const QByteArray after = Session::ReadFile(s.SettingsPath());
    const auto keys = Section(after, "Zanfor Kelva");
    const std::map<QByteArray, QByteArray> expected = {
        {"mode", "1"},   {"sound", "1"},           {"left", "40"},   {"top", "60"}, {"level", "2"},
        {"tongue", "0"}, {"save", saved.toUtf8()}, {"eleft", "700"}, {"etop", "30"}};
    EXPECT_EQ(keys.size(), expected.size()) << after.toStdString();
    for (const auto& [key, value] : keys) {
        const auto it = expected.find(key);
        ASSERT_NE(it, expected.end()) << "unexpected key " << key.toStdString();
        EXPECT_EQ(value, it->second) << key.toStdString();
    }
    // The keys not there before follow in the order they are written.
    EXPECT_EQ(keys[keys.size() - 2].first, "mode");
    EXPECT_EQ(keys.back().first, "sound");
    EXPECT_TRUE(after.startsWith("; kept\n[Other]\nkeep=1\n")) << after.toStdString();
    EXPECT_EQ(Session::ReadFile(saved), Flags({1}));
}

// A saved game written through the save dialog and loaded again through the
// load dialog, with another game loaded in between.
TEST_F(EndToEnd, SavedGameWrittenAndLoadedThroughTheDialogs) {
    s.WriteLevels({LoopLevel(), OpenRingLevel(), LoopLevel()});
    const QDir games(s.GamesDir());
    const QString start = games.filePath(QStringLiteral("start.zkv"));
    Session::WriteFile(start, Flags({1, 0, 0}));
    Session::WriteFile(games.filePath(QStringLiteral("other.zkv")), Flags({1, 1, 1}));
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"level", "2"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"save", start.toUtf8()}}));
    const auto main =
        StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Game start.zkv - Challenge mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    ASSERT_TRUE(WaitPlayBoard(client)) << LastProblem();
    EXPECT_TRUE(WaitProgress(client, 1, 3));
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));

    // Save as "week1": the dialog opens in the saved game's directory.
    s.Click(client + ToolButton(SaveBtnX));
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save);
    // Placed over the main window: centred across it, and over its client area.
    EXPECT_EQ(save->rect,
              QRect(client + QPoint((520 - 329) / 2, 409 - (409 + 319) / 2), QSize(329, 319)));
    s.Keys(save->id, {QStringLiteral("ctrl+a")});
    s.Type(save->id, QStringLiteral("week1"));
    s.Keys(save->id, {QStringLiteral("Return")});
    ASSERT_TRUE(s.WaitForWindow(
        ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Game week1.zkv - Challenge mode")),
        MainSize));
    const QString week1 = games.filePath(QStringLiteral("week1.zkv"));
    EXPECT_EQ(Session::ReadFile(week1), Flags({1, 0, 0}));
    EXPECT_EQ(games.entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("other.zkv"), QStringLiteral("start.zkv"),
                           QStringLiteral("week1.zkv")}));

    // Load the first file listed, other.zkv: every level solved.
    auto load = [&](const QStringList& keys, const QString& name) {
        s.Click(client + ToolButton(LoadBtnX));
        const auto dialog = s.WaitForWindow(ExactTitle(QStringLiteral("Load game")));
        if (!dialog) {
            return false;
        }
        EXPECT_EQ(dialog->rect,
                  QRect(client + QPoint((520 - 329) / 2, 409 - (409 + 276) / 2), QSize(329, 276)));
        s.Keys(dialog->id, keys + QStringList{QStringLiteral("Return")});
        return s
            .WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Game ") + name +
                                      QStringLiteral(" - Challenge mode")),
                           MainSize)
            .has_value();
    };
    // The list's focus rests on the first file without selecting it.
    ASSERT_TRUE(load({QStringLiteral("Down"), QStringLiteral("Up")}, QStringLiteral("other.zkv")));
    EXPECT_TRUE(WaitProgress(client, 3, 3));
    EXPECT_TRUE(WaitFace(client, Face::Solved));

    // And the game written before, the last one listed.
    ASSERT_TRUE(load({QStringLiteral("End")}, QStringLiteral("week1.zkv")));
    EXPECT_TRUE(WaitProgress(client, 1, 3));
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));
    EXPECT_EQ(Session::ReadFile(week1), Flags({1, 0, 0}));
}

// The editor: a tile chosen in the palette, placed on the board, the level
// file written by Save; a close without accepted changes leaves the file.
TEST_F(EndToEnd, EditorPlacesATileAndSaveWritesTheLevelFile) {
    s.WriteLevels({OpenRingLevel(), LoopLevel()});
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
    // The palette shows with the editor and moves to its stored place after.
    const auto palette = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva")),
                                           QRect(QPoint(560, 20), PaletteSize));
    ASSERT_TRUE(palette) << "no palette window at its stored place: "
                         << s.DescribeWindows().toStdString();

    // The level as stored, without a marker; the palette with the cross on tile 0.
    Record level = OpenRingLevel();
    EXPECT_TRUE(WaitBoardEquals(client, level, std::nullopt)) << LastProblem();
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));
    EXPECT_TRUE(WaitLevel(client, 1));
    auto crossOn = [&](int selected) { return PaletteCross(palette->rect.topLeft(), selected); };
    EXPECT_TRUE(WaitUntil([&] { return crossOn(0); }, ScreenTimeoutMs));

    // Tile 5 closes the ring: the face turns to the solved face at once.
    s.Click(palette->rect.topLeft() + QPoint(5 * 24 + 12, 12));
    EXPECT_TRUE(WaitUntil([&] { return crossOn(5); }, ScreenTimeoutMs));
    s.Click(client + CellCentre(1, 1));
    level = Put(level, 1, 1, 5);
    EXPECT_TRUE(WaitBoardEquals(client, level, std::nullopt)) << LastProblem();
    EXPECT_TRUE(WaitFace(client, Face::Solved));

    // Save writes the whole level set.
    s.Click(client + ToolButton(SaveBtnX));
    std::vector<Record> written = {level, LoopLevel()};
    QByteArray expected;
    for (const Record& r : written) {
        expected.append(reinterpret_cast<const char*>(r.data()), 63);
    }
    EXPECT_TRUE(WaitUntil([&] { return Session::ReadFile(s.LevelFilePath()) == expected; },
                          WindowTimeoutMs));
    // Written whole and renamed: no temporary file is left beside the level file.
    QStringList programFiles = QDir(s.ProgramDir()).entryList(QDir::Files | QDir::Hidden);
    QStringList expectedFiles = s.CopiedFiles() << QLatin1String(LevelFileName);
    programFiles.sort();
    expectedFiles.sort();
    EXPECT_EQ(programFiles, expectedFiles) << programFiles.join(QLatin1Char(' ')).toStdString();

    // A right click lifts a tile into the selection, a left click puts it down.
    s.Click(client + CellCentre(0, 0), 3);
    EXPECT_TRUE(WaitUntil([&] { return crossOn(7); }, ScreenTimeoutMs));
    s.Click(client + CellCentre(6, 2));
    level = Put(Put(level, 0, 0, 0), 6, 2, 7);
    EXPECT_TRUE(WaitBoardEquals(client, level, std::nullopt)) << LastProblem();
    EXPECT_TRUE(WaitFace(client, Face::Unsolved));

    // Closing: the level question (the file lacks the last edits), No, the
    // save dialog, and the level file as Save wrote it.
    s.Click(client + ToolButton(ExitBtnX));
    const auto question = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(question);
    s.Keys(question->id, {QStringLiteral("Return")});
    const auto levelQuestion = s.WaitForWindow(QStringLiteral("^Best"));
    ASSERT_TRUE(levelQuestion) << "no level question: " << s.DescribeWindows().toStdString();
    s.Keys(levelQuestion->id, {QStringLiteral("Escape")}); // No
    const auto save = s.WaitForWindow(ExactTitle(QStringLiteral("Save game as ...")));
    ASSERT_TRUE(save) << "no save dialog at close";
    s.Keys(save->id, {QStringLiteral("Escape")});
    ASSERT_EQ(s.WaitForExit(WindowTimeoutMs), 0);
    EXPECT_EQ(Session::ReadFile(s.LevelFilePath()), expected);
    const auto keys = Section(Session::ReadFile(s.SettingsPath()), "Zanfor Kelva");
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::pair<QByteArray, QByteArray>("mode", "2")),
              keys.end());
}

// The harness's click on the splash reaches the splash alone. The splash
// stands over the main window's first place, which the main window keeps
// until start-up has moved it: a click at a screen point right after the
// splash's time ran out would edit the level below.
TEST_F(EndToEnd, AClickForTheSplashNeverReachesTheWindowBelow) {
    Record level{};
    level = Put(level, 4, 3, 93); // the cell below the splash's centre
    s.WriteLevels({level});
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"mode", "2"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"eleft", "560"},
                                  {"etop", "20"}}));
    ASSERT_TRUE(s.StartGame());
    const auto splash = s.WaitForSplash();
    ASSERT_TRUE(splash) << "the splash came and went unseen";
    ASSERT_TRUE(WaitUntil([&] { return !s.IsVisible(splash->id); }, WindowTimeoutMs, 1));
    s.ClickWindow(splash->id);
    const auto main = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva V2.0 - Editor")),
                                        QRect(QPoint(20, 20), MainSize));
    ASSERT_TRUE(main) << s.DescribeWindows().toStdString();
    const auto palette = s.WaitForWindowAt(ExactTitle(QStringLiteral("Zanfor Kelva")),
                                           QRect(QPoint(560, 20), PaletteSize));
    ASSERT_TRUE(palette) << s.DescribeWindows().toStdString();
    // The game takes its clicks in order: once the palette shows a later
    // choice, a click that reached the board has been drawn.
    s.Click(palette->rect.topLeft() + QPoint(5 * 24 + 12, 12));
    ASSERT_TRUE(
        WaitUntil([&] { return PaletteCross(palette->rect.topLeft(), 5); }, ScreenTimeoutMs));
    const auto board =
        WaitBoard(main->rect.topLeft(), [](const BoardRead& b) { return !b.held.has_value(); });
    ASSERT_TRUE(board) << LastProblem();
    EXPECT_EQ(board->tiles, level) << "the click reached the board:\n"
                                   << Describe(board->tiles).toStdString();
}

// A click that moves a tile of the board without solving it: the cell index
// and the board after it.
std::optional<std::pair<int, Record>> NonSolvingMove(const Record& board, int held) {
    for (int x = 0; x < 63; ++x) {
        Record after = board;
        if (x == held || after[static_cast<std::size_t>(x)] > zk::LastMovableTile) {
            continue;
        }
        std::swap(after[static_cast<std::size_t>(x)], after[static_cast<std::size_t>(held)]);
        if (!Solved(after)) {
            return std::pair{x, after};
        }
    }
    return std::nullopt;
}

// A move with the mouse, then Ctrl+Z typed into the window: the board read
// back from the screen is the one before the move, the marker where it was.
TEST_F(EndToEnd, CtrlZRestoresTheBoardAfterAMove) {
    const auto playing = StartChallenge({LoopLevel()});
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;
    const auto move = NonSolvingMove(start.tiles, *start.held);
    ASSERT_TRUE(move);
    s.Click(client + CellOf(move->first));
    ASSERT_TRUE(WaitBoardEquals(client, move->second, move->first)) << LastProblem();
    s.Keys(main.id, {QStringLiteral("ctrl+z")});
    EXPECT_TRUE(WaitBoardEquals(client, start.tiles, start.held)) << LastProblem();
    // Redo brings the move back.
    s.Keys(main.id, {QStringLiteral("ctrl+y")});
    EXPECT_TRUE(WaitBoardEquals(client, move->second, move->first)) << LastProblem();
}

// An arrow key shows the frame beside the held tile, Space swaps that cell
// with the held tile, and a mouse click on the margin hides the frame.
TEST_F(EndToEnd, ArrowKeysAndSpaceMakeAMove) {
    const auto playing = StartChallenge({LoopLevel()});
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;
    const int held = *start.held;
    // A neighbour of the held tile holding a movable tile, whose swap leaves
    // the level unsolved.
    struct Arrow {
        const char* key;
        int dc, dr;
    };
    std::optional<std::pair<QString, int>> step;
    for (const Arrow& a : {Arrow{"Right", 1, 0}, {"Left", -1, 0}, {"Down", 0, 1}, {"Up", 0, -1}}) {
        const int c = held / 7 + a.dc, r = held % 7 + a.dr;
        if (c < 0 || c > 8 || r < 0 || r > 6 || start.tiles[c * 7 + r] > zk::LastMovableTile) {
            continue;
        }
        Record after = start.tiles;
        std::swap(after[static_cast<std::size_t>(c * 7 + r)],
                  after[static_cast<std::size_t>(held)]);
        if (!Solved(after)) {
            step = std::pair{QString::fromLatin1(a.key), c * 7 + r};
            break;
        }
    }
    ASSERT_TRUE(step) << "no movable neighbour: " << Describe(start.tiles).toStdString();
    const int target = step->second;
    s.Keys(main.id, {step->first});
    ASSERT_TRUE(
        WaitUntil([&] { return ShowsCursorFrame(s.Screenshot(), client + BoardInClient, target); },
                  ScreenTimeoutMs))
        << "no frame on cell " << target;
    s.Keys(main.id, {QStringLiteral("space")});
    Record expected = start.tiles;
    std::swap(expected[static_cast<std::size_t>(target)], expected[static_cast<std::size_t>(held)]);
    // The frame stays on the cell, which now holds the held tile.
    s.Click(client + QPoint(5, ToolPanelHeight + 5));
    EXPECT_TRUE(WaitBoardEquals(client, expected, target)) << LastProblem();
}

// F2 marks every open connection end with a white cross; the marks follow
// each move, and on the solved board there are none.
TEST_F(EndToEnd, F2MarksOpenConnectionsAndNoneOnASolvedBoard) {
    const auto playing = StartChallenge({LoopLevel()});
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;
    ASSERT_FALSE(Solved(start.tiles));
    QString problem;
    auto shows = [&](const Record& tiles, std::optional<int> heldCell) {
        return WaitUntil(
            [&] {
                problem = BoardWithMarksDiffers(s.Screenshot(), client + BoardInClient, sheets,
                                                tiles, heldCell, true);
                return problem.isEmpty();
            },
            ScreenTimeoutMs, 50);
    };
    s.Keys(main.id, {QStringLiteral("F2")});
    ASSERT_TRUE(shows(start.tiles, start.held)) << problem.toStdString();

    Record board = start.tiles;
    int held = *start.held;
    for (int moves = 1; !Solved(board); ++moves) {
        const auto x = NextClick(board, held, LoopLevel());
        ASSERT_TRUE(x);
        ASSERT_LT(moves, 64);
        std::swap(board[static_cast<std::size_t>(*x)], board[static_cast<std::size_t>(held)]);
        held = *x;
        s.Click(client + CellOf(held));
        if (!Solved(board)) {
            ASSERT_TRUE(shows(board, held)) << "move " << moves << ": " << problem.toStdString();
        }
    }
    const auto dialog = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(dialog) << "no solved dialog";
    EXPECT_TRUE(WaitBoardEquals(client, board, std::nullopt)) << LastProblem();
    s.Keys(dialog->id, {QStringLiteral("Return")});
    EXPECT_TRUE(s.WaitUntilGone(dialog->id));
    EXPECT_TRUE(WaitBoardEquals(client, board, std::nullopt)) << LastProblem();
}

// An image sheet that cannot be loaded ends the program with its error box
// and a failure status; no level is drawn and nothing is written.
class MissingSheet : public EndToEnd {
protected:
    void EndsTheProgram(const QString& name, bool remove) {
        s.WriteLevels({LoopLevel()});
        const QString sheet = QDir(s.ProgramDir()).filePath(name);
        if (remove) {
            ASSERT_TRUE(QFile::remove(sheet));
        } else {
            Session::WriteFile(sheet, "BM not a picture");
        }
        const QByteArray settings = SettingsText({{"tongue", "0"}, {"left", "20"}, {"top", "20"}});
        s.WriteSettings(settings);
        ASSERT_TRUE(s.StartGame());
        const auto error = s.WaitForWindow(ExactTitle(QStringLiteral("Fehler")));
        ASSERT_TRUE(error) << "no error box";
        // The error box is the only one; the main window never took its
        // stored place and shows no board.
        const auto windows = s.FindWindows(QString());
        EXPECT_EQ(windows.size(), 2u);
        for (const Window& w : windows) {
            if (w.rect.size() == MainSize) {
                EXPECT_NE(w.rect.topLeft(), QPoint(20, 20));
                EXPECT_FALSE(
                    ReadBoard(s.Screenshot(), w.rect.topLeft() + BoardInClient, sheets).ok);
            }
        }
        s.Keys(error->id, {QStringLiteral("Return")});
        const auto status = s.WaitForExit(WindowTimeoutMs);
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_NE(*status, 0);
        EXPECT_EQ(Session::ReadFile(s.SettingsPath()), settings);
    }
};

TEST_F(MissingSheet, BackgroundSheetMissing) {
    EndsTheProgram(QStringLiteral("b2.bmp"), true);
}

TEST_F(MissingSheet, TileSheetUnreadable) {
    EndsTheProgram(QStringLiteral("b1.bmp"), false);
}

// The hint's scenarios, by the name of their own.
class Hints : public EndToEnd {};

// H and Space, again and again, solve the first shipped level: H frames the
// cell to click next, Space makes that move, until the solved dialog comes.
TEST_F(Hints, HAndSpaceRepeatedSolveTheFirstShippedLevel) {
    Session::WriteFile(s.LevelFilePath(), Session::ReadFile(QStringLiteral(ZK_SHIPPED_LEVELS)));
    // Practice mode: R starts the level again without a question, for the
    // few scrambles of its four tiles that leave it solved.
    s.WriteSettings(SettingsText(
        {{"tongue", "0"}, {"level", "1"}, {"mode", "0"}, {"left", "20"}, {"top", "20"}}));
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Practice mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    auto start = WaitPlayBoard(client);
    for (int again = 0; start && Solved(start->tiles) && again < 20; ++again) {
        s.Keys(main->id, {QStringLiteral("r")});
        start = WaitPlayBoard(client);
    }
    ASSERT_TRUE(start) << LastProblem();
    ASSERT_FALSE(Solved(start->tiles)) << "every scramble left the level solved";
    const Solve solve = SolveWithHints(*main);
    ASSERT_TRUE(solve.dialog) << solve.problem;
    s.Keys(solve.dialog->id, {QStringLiteral("Return")});
    // Nothing of the hint stays on the solved board.
    ASSERT_TRUE(s.WaitUntilGone(solve.dialog->id));
    const auto solved = WaitBoard(client, [](const BoardRead& b) { return !b.held.has_value(); });
    ASSERT_TRUE(solved) << LastProblem();
    EXPECT_TRUE(Solved(solved->tiles)) << Describe(solved->tiles).toStdString();
    EXPECT_TRUE(IsScrambleOf(solved->tiles, start->tiles));
    const QImage shot = s.Screenshot();
    for (int i = 0; i < 63; ++i) {
        EXPECT_FALSE(ShowsCursorFrame(shot, client + BoardInClient, i)) << "a frame on " << i;
    }
}

// Boards whose nearest solution is slow to find, of seeds of this test's
// own: on a dense full board and on the partial level with the most movable
// tiles of three, H frames a cell within a second, and H and Space repeated
// solve the partial level.
TEST_F(Hints, HAnswersWithinASecondOnHardBoards) {
    const auto full = zk::levels::FullBoards(4242, 1).front().origin;
    auto partial = zk::levels::PartialLevels(4242, 3);
    const auto hardest =
        std::max_element(partial.begin(), partial.end(), [](const auto& a, const auto& b) {
            const auto tiles = [](const zk::LevelRecord& r) {
                return std::count_if(r.begin(), r.end(), [](zk::TileNumber t) {
                    return t != 0 && t <= zk::LastMovableTile;
                });
            };
            return tiles(a.origin) < tiles(b.origin);
        });
    Record fullRecord, partialRecord;
    std::copy(full.begin(), full.end(), fullRecord.begin());
    std::copy(hardest->origin.begin(), hardest->origin.end(), partialRecord.begin());
    s.WriteLevels({fullRecord, partialRecord});
    s.WriteSettings(SettingsText(
        {{"tongue", "0"}, {"level", "1"}, {"mode", "0"}, {"left", "20"}, {"top", "20"}}));
    const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Practice mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    ASSERT_TRUE(WaitPlayBoard(client)) << LastProblem();
    // A screenshot begun within a second of the key shows the frame (the
    // X tools' own time under load is not the game's).
    EXPECT_TRUE(HintedCell(*main, 1000)) << "no frame within a second on the full board";

    s.Keys(main->id, {QStringLiteral("Next")}); // Page Down: the partial level
    ASSERT_TRUE(WaitPlayBoard(client)) << LastProblem();
    EXPECT_TRUE(HintedCell(*main, 1000)) << "no frame within a second on the partial level";
    const Solve solve = SolveWithHints(*main, 120);
    ASSERT_TRUE(solve.dialog) << solve.problem;
    s.Keys(solve.dialog->id, {QStringLiteral("Return")});
    EXPECT_TRUE(s.WaitUntilGone(solve.dialog->id));
}

// Every motion twenty times slower, so that screenshots catch its frames.
const QList<QPair<QString, QString>> SlowMotion = {{"ZK_MOTION_STRETCH", "20"}};

// With the motion stretched twenty times, so that screenshots catch its
// frames: with feedback on, a click slides the two tiles between their cells
// and the line below the board changes; the solving click shines before its
// question, the board taking no move, and a click ends the shine at once.
TEST_F(EndToEnd, AMoveSlidesAndTheSolveShinesBeforeItsQuestion) {
    const auto playing = StartChallenge({LoopLevel()}, {}, SlowMotion);
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;
    const QRect strip(client + QPoint(22, ToolPanelHeight + 362), QSize(9 * Cell, 14));
    const QImage plainStrip = s.Screenshot().copy(strip);
    s.Keys(main.id, {QStringLiteral("F2")});
    ASSERT_TRUE(WaitFrame(client, {start.tiles, start.held}, true)) << frameProblem.toStdString();
    QImage status = s.Screenshot().copy(strip);
    EXPECT_NE(status, plainStrip) << "no status line with feedback on";

    const auto move = NonSolvingMove(start.tiles, *start.held);
    ASSERT_TRUE(move);
    s.Click(client + CellOf(move->first));
    // The three seconds of the stretched slide: a frame that is neither the
    // board before nor the board after.
    EXPECT_TRUE(WatchFrames(
        [&](const QImage& shot) {
            return !FrameShows(shot, client, {start.tiles, start.held}, true) &&
                   !FrameShows(shot, client, {move->second, move->first}, true);
        },
        2500))
        << "no frame between the two pictures";
    ASSERT_TRUE(WaitFrame(client, {move->second, move->first}, true)) << frameProblem.toStdString();
    EXPECT_NE(s.Screenshot().copy(strip), status) << "the status did not follow the move";

    // The remaining clicks, each landing the slide before; the last solves.
    Record board = move->second;
    int held = move->first;
    while (!Solved(board)) {
        const auto x = NextClick(board, held, LoopLevel());
        ASSERT_TRUE(x) << Describe(board).toStdString();
        std::swap(board[static_cast<std::size_t>(*x)], board[static_cast<std::size_t>(held)]);
        held = *x;
        s.Click(client + CellOf(held));
    }
    // Once the last slide has landed, the light runs over the solved board:
    // more than its tiles and the marker show, and no question yet.
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    EXPECT_FALSE(FrameShows(s.Screenshot(), client, {board, held}, true))
        << "no light on the solved board";
    ASSERT_TRUE(s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva"))).empty());
    const auto clicked = std::chrono::steady_clock::now();
    s.Click(client + QPoint(5, ToolPanelHeight + 5));
    const auto dialog = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(dialog) << "no solved dialog";
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, std::chrono::seconds(2));
    EXPECT_TRUE(WaitFrame(client, {board, std::nullopt}, true)) << frameProblem.toStdString();
    s.Keys(dialog->id, {QStringLiteral("Return")});
    EXPECT_TRUE(s.WaitUntilGone(dialog->id));
    EXPECT_TRUE(WaitFace(client, Face::Solved));
}

// With animations=0 the designed timing, the motion stretched as above all
// the same: every frame of every move is the board before it or the board
// after it, and on the solving move the question comes with no light on the
// board before it.
TEST_F(EndToEnd, WithoutAnimationsAMoveJumpsAndTheQuestionComesAtOnce) {
    const auto playing =
        StartChallenge({LoopLevel()}, "[Zanfor Kelva Extras]\nanimations=0\n", SlowMotion);
    ASSERT_TRUE(playing);
    const auto& [main, client, start] = *playing;

    Record board = start.tiles;
    int held = *start.held;
    for (int moves = 1; !Solved(board); ++moves) {
        const auto x = NextClick(board, held, LoopLevel());
        ASSERT_TRUE(x) << Describe(board).toStdString();
        ASSERT_LT(moves, 64);
        const Picture before{board, held};
        std::swap(board[static_cast<std::size_t>(*x)], board[static_cast<std::size_t>(held)]);
        held = *x;
        const Picture after{board, held};
        const auto clicked = std::chrono::steady_clock::now();
        s.Click(client + CellOf(held));
        if (!Solved(board)) {
            const QString odd = OnlyFrames(client, {before}, false, [&](const QImage& shot) {
                return FrameShows(shot, client, after, false);
            });
            ASSERT_TRUE(odd.isEmpty()) << "move " << moves << ": " << odd.toStdString();
            continue;
        }
        // The solved board, its marker gone or not yet, until the question.
        const QString odd =
            OnlyFrames(client, {before, after, {board, std::nullopt}}, false, [&](const QImage&) {
                return !s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva"))).empty();
            });
        ASSERT_TRUE(odd.isEmpty()) << "the solving move: " << odd.toStdString();
        EXPECT_LT(std::chrono::steady_clock::now() - clicked, std::chrono::seconds(2));
    }
    const auto dialog = s.WaitForWindow(ExactTitle(QStringLiteral("Zanfor Kelva")), MessageSize);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitFrame(client, {board, std::nullopt}, false)) << frameProblem.toStdString();
    s.Keys(dialog->id, {QStringLiteral("Return")});
    EXPECT_TRUE(s.WaitUntilGone(dialog->id));
    EXPECT_TRUE(WaitFace(client, Face::Solved));
}

// Rests the real mouse on the level indicator and waits for its hint: the
// window of the game's other than the main window. Hints show in the active
// window, which the main window is again once the question has gone (a
// window manager would make it so; here the focus is given back).
std::optional<Window> HintOfTheLevelIndicator(const Session& s, const Window& main) {
    const QPoint indicator = main.rect.topLeft() + LevelboxInClient + QPoint(27, 10);
    s.Tool(QStringLiteral("xdotool"),
           {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(main.id),
            QStringLiteral("mousemove"), QString::number(indicator.x()),
            QString::number(indicator.y())});
    std::optional<Window> hint;
    WaitUntil(
        [&] {
            for (const Window& w : s.FindWindows(QString())) {
                hint = w.id != main.id ? std::optional<Window>(w) : hint;
            }
            return hint.has_value();
        },
        ScreenTimeoutMs);
    return hint;
}

QString BestLine(int moves) {
    return QStringLiteral("your best: %1 move%2").arg(moves).arg(moves == 1 ? "" : "s");
}

// The fewest pixels in which a line of the hint at `rect` differs from
// `text` as Qt draws it in the hint's font (the application's own on a
// desktop of no kind), black on the hint's commonest colour.
int HintLineDiffering(const QImage& shot, QRect rect, const QString& text) {
    std::map<QRgb, int> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            ++colours[shot.pixel(x, y)];
        }
    }
    const auto paper = std::max_element(colours.begin(), colours.end(),
                                        [](auto& a, auto& b) { return a.second < b.second; });
    return DifferingAtBest(
        shot, rect,
        TextLine(text, QFont(QStringLiteral("Sans Serif"), 9), QColor(paper->first), Qt::black));
}

// Ctrl+N and the easy button: a level of a code comes in place of the set's,
// H and Space solve it, its record is kept, and Page Down leads back to the
// set's level with its progress unchanged.
TEST_F(EndToEnd, CtrlNPlaysALevelOfACodeOutsideTheSet) {
    s.WriteLevels({LoopLevel(), OpenRingLevel(), LoopLevel()});
    const QString saved = QDir(s.GamesDir()).filePath(QStringLiteral("start.zkv"));
    Session::WriteFile(saved, Flags({1}));
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"level", "2"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"save", saved.toUtf8()}}));
    const auto main =
        StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Game start.zkv - Challenge mode"));
    ASSERT_TRUE(main);
    const QPoint client = main->rect.topLeft();
    ASSERT_TRUE(WaitPlayBoard(client)) << LastProblem();
    ASSERT_TRUE(WaitProgress(client, 1, 3));

    s.Keys(main->id, {QStringLiteral("ctrl+n")});
    const auto form = s.WaitForWindow(ExactTitle(QStringLiteral("A level from a code")));
    ASSERT_TRUE(form) << s.DescribeWindows().toStdString();
    s.Click(form->rect.topLeft() + QPoint(8 + 12 + 34, 4 + 30 + 12)); // Easy
    ASSERT_TRUE(s.WaitUntilGone(form->id));
    const auto coded = WaitBoard(client, [](const BoardRead& b) {
        return b.held.has_value() && !IsScrambleOf(b.tiles, OpenRingLevel());
    });
    ASSERT_TRUE(coded) << "no level of a code: " << LastProblem();

    const Solve solve = SolveWithHints(*main);
    ASSERT_TRUE(solve.dialog) << solve.problem;
    s.Keys(solve.dialog->id, {QStringLiteral("Return")});
    ASSERT_TRUE(s.WaitUntilGone(solve.dialog->id));
    const QByteArray records =
        Session::ReadFile(QDir(s.DataDir()).filePath(QStringLiteral("zanfor-kelva/records")));
    // One hint a move.
    const QByteArray n = QByteArray::number(solve.moves);
    EXPECT_TRUE(records.contains(" solved " + n + " " + n + " ")) << records.toStdString();
    EXPECT_TRUE(records.contains(" 1E-")) << records.toStdString();

    // The real mouse on the level indicator: in feedback mode its hint shows
    // the record line.
    s.Keys(main->id, {QStringLiteral("F2")});
    const auto hint = HintOfTheLevelIndicator(s, *main);
    ASSERT_TRUE(hint) << "no hint: " << s.DescribeWindows().toStdString();
    const QImage shot = s.Screenshot();
    const int fit = HintLineDiffering(shot, hint->rect, BestLine(solve.moves));
    EXPECT_LE(fit, 8) << "the hint shows no \"" << BestLine(solve.moves).toStdString() << "\"";
    for (const int other : {solve.moves - 1, solve.moves + 1}) {
        EXPECT_LT(fit, HintLineDiffering(shot, hint->rect, BestLine(other)))
            << "the hint shows \"" << BestLine(other).toStdString() << "\" as well";
    }

    s.Click(client + QPoint(5, ToolPanelHeight + 5)); // the last hint's frame goes
    s.Keys(main->id, {QStringLiteral("F2"), QStringLiteral("Next")});
    const auto back = WaitBoard(client, [](const BoardRead& b) {
        return b.held.has_value() && IsScrambleOf(b.tiles, OpenRingLevel());
    });
    EXPECT_TRUE(back) << "not back on level 2: " << LastProblem();
    EXPECT_TRUE(WaitLevel(client, 2));
    EXPECT_TRUE(WaitProgress(client, 1, 3));
    EXPECT_EQ(Session::ReadFile(saved), Flags({1}));
}

} // namespace
} // namespace zk::e2e
