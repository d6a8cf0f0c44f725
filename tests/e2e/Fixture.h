// What the end-to-end scenarios share: the levels they play, the settings
// they start from, and the fixture that runs the real game under Xvfb and
// reads its board, level indicator and progress bar back from the screen.
#pragma once

#include <QDir>
#include <QImage>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Harness.h"
#include "Screen.h"
#include "model/Catalogue.h"

namespace zk::e2e {

inline constexpr QSize MainSize(520, 409);
inline constexpr QSize MessageSize(261, 103); // the seven message dialogs
inline constexpr QSize TongueSize(320, 91);
inline constexpr QSize PaletteSize(480, 240);

inline Record Put(Record level, int c, int r, int t) {
    level[static_cast<std::size_t>(c * 7 + r)] = static_cast<std::uint8_t>(t);
    return level;
}

// A closed loop of code-1 pipes, three wide and two high, and two fixed
// stones without connections. Solved as stored.
inline Record LoopLevel() {
    Record level{};
    level = Put(level, 2, 2, 7); // east and south
    level = Put(level, 3, 2, 2); // east and west
    level = Put(level, 4, 2, 6); // west and south
    level = Put(level, 2, 3, 4); // east and north
    level = Put(level, 3, 3, 2);
    level = Put(level, 4, 3, 5); // north and west
    level = Put(level, 0, 6, 93);
    level = Put(level, 8, 0, 120);
    return level;
}

// A ring of four corners, its lower right corner missing.
inline Record OpenRingLevel() {
    Record level{};
    level = Put(level, 0, 0, 7);
    level = Put(level, 1, 0, 6);
    level = Put(level, 0, 1, 4);
    level = Put(level, 5, 3, 93);
    return level;
}

inline QByteArray SettingsText(const std::map<QByteArray, QByteArray>& keys) {
    QByteArray text = "[Zanfor Kelva]\n";
    for (const auto& [key, value] : keys) {
        text += key + "=" + value + "\n";
    }
    return text;
}

inline bool SameTiles(const Record& a, const Record& b) {
    return a == b;
}

// The tiles of a board sorted, and the fixed tiles where the level has them.
inline bool IsScrambleOf(const Record& board, const Record& level) {
    Record a = board, b = level;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b) {
        return false;
    }
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (level[i] > zk::LastMovableTile && board[i] != level[i]) {
            return false;
        }
    }
    return true;
}

inline QPoint CellOf(int index) {
    return CellCentre(index / 7, index % 7);
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(s.Ready()) << s.Problem().toStdString();
        ASSERT_TRUE(sheets.Load(s.ProgramDir())) << sheets.problem.toStdString();
        for (int t : {0, 2, 4, 5, 6, 7, 93, 120}) {
            ASSERT_TRUE(PictureIsUnique(sheets, t)) << "tile " << t << " has no picture of its own";
        }
        ASSERT_TRUE(s.StartDisplay()) << s.Problem().toStdString();
        ASSERT_TRUE(s.StartEventLog()) << "xev does not listen";
    }

    void TearDown() override {
        if (HasFailure()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            const QString dir = QStringLiteral(ZK_E2E_ARTIFACTS);
            QDir().mkpath(dir);
            const QString shot = QDir(dir).filePath(QString::fromLatin1(info->name()) + ".png");
            s.SaveScreenshot(shot);
            std::cerr << "last screenshot: " << shot.toStdString() << "\ngame output:\n"
                      << s.GameOutput().toStdString() << std::endl;
        }
        s.Stop();
    }

    // Starts the game, clicks the splash away and waits for the main window
    // with that caption at its stored place (at the sheets' scale).
    std::optional<Window>
    StartToMainWindow(const QString& caption, QPoint at = {20, 20},
                      const QStringList& arguments = {},
                      const QList<QPair<QString, QString>>& environment = {}) {
        if (!s.StartGame(arguments, environment)) {
            return std::nullopt;
        }
        s.SkipSplash();
        const int scale = sheets.scale;
        const auto main =
            s.WaitForWindowAt(ExactTitle(caption), QRect(at * scale, MainSize * scale));
        if (!main) {
            std::cerr << "no main window \"" << caption.toStdString() << "\" at " << at.x() << ","
                      << at.y() << ": " << s.DescribeWindows().toStdString() << std::endl;
        }
        return main;
    }

    // Polls screenshots until the board read off the screen is accepted.
    std::optional<BoardRead> WaitBoard(QPoint client,
                                       const std::function<bool(const BoardRead&)>& accept,
                                       int timeoutMs = ScreenTimeoutMs) {
        std::optional<BoardRead> found;
        WaitUntil(
            [&] {
                last = ReadBoard(s.Screenshot(), client + BoardInClient * sheets.scale, sheets);
                if (last.ok && accept(last)) {
                    found = last;
                    return true;
                }
                return false;
            },
            timeoutMs, 50);
        return found;
    }

    // A board in play: every cell identified and the marker on the held cell.
    std::optional<BoardRead> WaitPlayBoard(QPoint client) {
        return WaitBoard(client, [](const BoardRead& b) { return b.held.has_value(); });
    }

    // The game in challenge mode, English, on `levels`, its main window at
    // (20, 20) and the first level's board read off the screen.
    struct Playing {
        Window main;
        QPoint client;
        BoardRead start;
    };
    // `extras` follow the settings, `environment` is added to the game's.
    std::optional<Playing> StartChallenge(const std::vector<Record>& levels,
                                          const QByteArray& extras = {},
                                          const QList<QPair<QString, QString>>& environment = {}) {
        s.WriteLevels(levels);
        s.WriteSettings(SettingsText({{"tongue", "0"}, {"left", "20"}, {"top", "20"}}) + extras);
        const auto main = StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode"),
                                            {20, 20}, {}, environment);
        if (!main) {
            return std::nullopt;
        }
        const QPoint client = main->rect.topLeft();
        const auto start = WaitPlayBoard(client);
        if (!start) {
            std::cerr << "no board in play: " << LastProblem() << std::endl;
            return std::nullopt;
        }
        return Playing{*main, client, *start};
    }

    // Presses H, waits for the keyboard's frame and answers the cell framed;
    // none when no frame came within `withinMs`.
    std::optional<int> HintedCell(const Window& main, int withinMs = ScreenTimeoutMs) {
        s.Keys(main.id, {QStringLiteral("h")});
        const QPoint origin = main.rect.topLeft() + BoardInClient;
        int hinted = -1;
        WaitUntil(
            [&] {
                const QImage shot = s.Screenshot();
                for (int i = 0; i < 63 && hinted < 0; ++i) {
                    hinted = ShowsCursorFrame(shot, origin, i) ? i : -1;
                }
                return hinted >= 0;
            },
            withinMs, 50);
        return hinted >= 0 ? std::optional<int>(hinted) : std::nullopt;
    }

    // H then Space until the level is solved: each H frames a cell, Space
    // moves there. Answers the solved level's question and the moves made,
    // or why there is none after `limit` moves.
    struct Solve {
        std::optional<Window> dialog;
        int moves = 0;
        std::string problem;
    };
    Solve SolveWithHints(const Window& main, int limit = 64) {
        const QPoint client = main.rect.topLeft();
        Solve solve;
        for (int moves = 1; moves <= limit; ++moves) {
            const auto hinted = HintedCell(main);
            if (!hinted) {
                solve.problem = "H framed no cell before move " + std::to_string(moves);
                return solve;
            }
            // Space makes the move; a click on the margin then hides the frame
            // (a solved level's question takes no click on the window below).
            s.Keys(main.id, {QStringLiteral("space")});
            s.Click(client + QPoint(5, ToolPanelHeight + 5));
            if (!WaitUntil(
                    [&] {
                        const auto found =
                            s.FindWindows(ExactTitle(QStringLiteral("Zanfor Kelva")));
                        if (!found.empty()) {
                            solve.dialog = found.front();
                            return true;
                        }
                        last = ReadBoard(s.Screenshot(), client + BoardInClient, sheets);
                        return last.ok && last.held == *hinted;
                    },
                    ScreenTimeoutMs)) {
                solve.problem = "move " + std::to_string(moves) + " not shown: " + LastProblem();
                return solve;
            }
            solve.moves = moves;
            if (solve.dialog) {
                return solve;
            }
        }
        solve.problem = "the hints go round in circles";
        return solve;
    }

    // What the board shows in one frame: its tiles and the cell carrying the
    // marker.
    struct Picture {
        Record tiles;
        std::optional<int> held;
    };

    // Whether the board in `shot` is that picture (with a cross on every
    // open end and nowhere else when `marks`); why not in `frameProblem`.
    bool FrameShows(const QImage& shot, QPoint client, const Picture& picture, bool marks) {
        frameProblem = BoardWithMarksDiffers(shot, client + BoardInClient, sheets, picture.tiles,
                                             picture.held, marks);
        return frameProblem.isEmpty();
    }

    // Screenshots one after another, as fast as they come, each handed to
    // `frame` until it answers true or `withinMs` have passed: what catches
    // the frames of a motion. Answers whether `frame` did.
    bool WatchFrames(const std::function<bool(const QImage&)>& frame, int withinMs) {
        return WaitUntil([&] { return frame(s.Screenshot()); }, withinMs, 20);
    }

    bool WaitFrame(QPoint client, const Picture& picture, bool marks) {
        return WatchFrames(
            [&](const QImage& shot) { return FrameShows(shot, client, picture, marks); },
            ScreenTimeoutMs);
    }

    // Frames until `done` takes one (it is then not looked at): each before
    // shows one of `pictures`. Empty when so, else how the first other
    // frame differs from the last picture, or that `done` never came.
    QString OnlyFrames(QPoint client, const std::vector<Picture>& pictures, bool marks,
                       const std::function<bool(const QImage&)>& done) {
        QString odd;
        const bool ended = WatchFrames(
            [&](const QImage& shot) {
                if (done(shot)) {
                    return true;
                }
                if (std::none_of(pictures.begin(), pictures.end(), [&](const Picture& p) {
                        return FrameShows(shot, client, p, marks);
                    })) {
                    odd = QStringLiteral("a frame of none of the pictures: ") + frameProblem;
                    return true;
                }
                return false;
            },
            ScreenTimeoutMs);
        return !odd.isEmpty() ? odd : ended ? QString() : QStringLiteral("no end in sight");
    }

    std::optional<BoardRead> WaitBoardEquals(QPoint client, const Record& tiles,
                                             std::optional<int> held) {
        return WaitBoard(client, [&](const BoardRead& b) {
            return SameTiles(b.tiles, tiles) && b.held == held;
        });
    }

    Face FaceNow(QPoint client) {
        return ReadFace(s.Screenshot(), client + LevelboxInClient * sheets.scale, sheets);
    }

    bool WaitFace(QPoint client, Face face) {
        return WaitUntil([&] { return FaceNow(client) == face; }, ScreenTimeoutMs);
    }

    // The level indicator is repainted after the board: its digits are waited for.
    bool WaitLevel(QPoint client, int level) {
        return WaitUntil(
            [&] {
                return ShowsLevel(s.Screenshot(), client + LevelboxInClient * sheets.scale, sheets,
                                  level);
            },
            ScreenTimeoutMs);
    }

    bool WaitProgress(QPoint client, int solved, int count) {
        return WaitUntil(
            [&] { return ProgressBarShows(s.Screenshot(), client, sheets, solved, count); },
            ScreenTimeoutMs);
    }

    // The palette at `palette` shows every tile plain but the selected one.
    bool PaletteCross(QPoint palette, int selected) {
        const QImage shot = s.Screenshot();
        const int k = sheets.scale;
        for (int n = 0; n < 200; ++n) {
            const QRect cell((n % 20) * 24 * k, (n / 20) * 24 * k, 24 * k, 24 * k);
            const bool plain = SameBlock(shot, palette + cell.topLeft(), sheets.b3, cell);
            if (plain == (n == selected)) {
                return false;
            }
        }
        return true;
    }

    std::string LastProblem() const {
        return (last.problem + QStringLiteral("\n") + Describe(last.tiles)).toStdString();
    }

    Session s;
    Sheets sheets;
    BoardRead last;
    QString frameProblem;
};

} // namespace zk::e2e
