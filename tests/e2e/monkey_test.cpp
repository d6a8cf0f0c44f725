// A player who does everything in any order: random but real input (clicks
// anywhere in the game's windows, keys into whichever window is on top) from
// a seeded generator, while the game must stay alive, answer the window
// manager's ping, keep its memory bounded and leave no question without a
// way out; then the real close and the files it leaves, read back.
// MONKEY_SEED and MONKEY_SECONDS set the run (a seed replays a failure).
#include <QDirIterator>
#include <QFileInfo>
#include <deque>
#include <fstream>
#include <random>

#include "Fixture.h"
#include "files/GameSettings.h"
#include "files/LevelFile.h"
#include "files/SavedGame.h"

namespace zk::e2e {
namespace {

int Setting(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

long ResidentKb(qint64 pid) {
    // Files under /proc tell no size, which Qt's readers rely on.
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

constexpr QSize HelpSize(600, 500);
// The load and save dialogs: their directory list and drive selector (the
// right half of the upper group) would lead out of the test's directories.
bool IsFileDialog(QSize size) {
    return size == QSize(329, 319) || size == QSize(329, 276);
}
constexpr QRect OutOfBounds(160, 0, 170, 236);

const QStringList MainKeys = {
    "h",      "h",      "space",  "space",  "Return",       "Left",      "Right", "Up",
    "Down",   "ctrl+z", "ctrl+z", "ctrl+y", "ctrl+shift+z", "F2",        "Prior", "Next",
    "p",      "n",      "r",      "ctrl+p", "ctrl+s",       "ctrl+o",    "F1",    "ctrl+t",
    "Escape", "ctrl+n", "ctrl+c", "ctrl+v", "Delete",       "BackSpace", "Tab",   "x"};
const QStringList DialogKeys = {"Return", "Escape", "Escape", "space", "Tab",
                                "a",      "k",      "z",      "1",     "F1",
                                "Left",   "Right",  "Down",   "Up",    "BackSpace"};
const QStringList FileDialogKeys = {"Return", "Escape", "a", "q", "7", "BackSpace", "period"};
// The toolbar's buttons but the exit, which the close at the end takes.
const int ToolbarX[] = {4, 28, 52, 76, 100, 124, 124, 292, 413, 437, 461, 461, 485};

class Monkey : public EndToEnd {
protected:
    std::mt19937 rng;
    std::deque<std::string> recent;
    std::map<std::string, int> met; // the windows acted on, by size

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    QPoint Anywhere(QSize size) { return {Pick(size.width()), Pick(size.height())}; }

    void Did(const QString& what) {
        recent.push_back(what.toStdString());
        if (recent.size() > 40) {
            recent.pop_front();
        }
    }
    std::string Recent() const {
        std::string out;
        for (const std::string& line : recent) {
            out += "  " + line + "\n";
        }
        return out;
    }

    void ClickAt(QPoint at, int button, bool twice) {
        s.Click(at, button, twice ? 2 : 1);
        Did(QStringLiteral("click%1 %2 at %3,%4")
                .arg(button)
                .arg(twice ? QStringLiteral("x2") : QString())
                .arg(at.x())
                .arg(at.y()));
    }
    void Press(const Window& w, const QString& key) {
        s.Keys(w.id, {key});
        Did(QStringLiteral("key %1 to %2x%3").arg(key).arg(w.rect.width()).arg(w.rect.height()));
    }

    // A tool tip or a list's popup: a window the window manager never sees.
    bool Passing(const Window& w) const {
        return s.Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(w.id)})
            .out.contains("Override Redirect State: yes");
    }

    // The main window, and the windows over it that ask something: the
    // palette and the help viewer stand beside the game and ask nothing.
    struct Windows {
        std::optional<Window> main;
        std::vector<Window> beside;
        std::vector<Window> asking; // bottom to top
    };
    Windows Look() {
        Windows found;
        for (const Window& w : s.FindWindows(QString())) {
            if (w.rect.size() == MainSize) {
                found.main = w;
            } else if (w.rect.size() == PaletteSize || w.rect.size() == HelpSize) {
                found.beside.push_back(w);
            } else if (!Passing(w)) {
                found.asking.push_back(w);
            }
        }
        return found;
    }

    void OnMain(const Window& main) {
        const QPoint client = main.rect.topLeft();
        const int what = Pick(100);
        if (what < 30) {
            ClickAt(client + CellCentre(Pick(9), Pick(7)), Pick(5) == 0 ? 3 : 1, false);
        } else if (what < 45) {
            ClickAt(client + ToolButton(ToolbarX[Pick(std::size(ToolbarX))]), 1, false);
        } else if (what < 52) {
            ClickAt(client + QPoint(313 + Pick(101), 8 + Pick(19)), 1, false);
        } else if (what < 60) {
            ClickAt(client + Anywhere(MainSize), 1, Pick(4) == 0);
        } else {
            Press(main, MainKeys[Pick(MainKeys.size())]);
        }
    }

    void OnDialog(const Window& dialog) {
        const bool file = IsFileDialog(dialog.rect.size());
        if (Pick(2) == 0) {
            QPoint at = Anywhere(dialog.rect.size());
            if (file && OutOfBounds.contains(at)) {
                at.rx() -= OutOfBounds.left();
            }
            ClickAt(dialog.rect.topLeft() + at, 1, Pick(5) == 0);
        } else {
            const QStringList& keys = file ? FileDialogKeys : DialogKeys;
            Press(dialog, keys[Pick(keys.size())]);
        }
    }

    // Escape, Return and clicks on the top question until none is left;
    // what is left then has no way out.
    bool AnswerAll(bool yes) {
        for (int round = 0; round < 40; ++round) {
            const Windows now = Look();
            if (now.asking.empty()) {
                return true;
            }
            const Window& top = now.asking.back();
            if (round % 4 == 3) {
                OnDialog(top);
            } else {
                Press(top, (round % 2 == 0) == yes ? QStringLiteral("Return")
                                                   : QStringLiteral("Escape"));
            }
            WaitUntil([&] { return !s.IsVisible(top.id) || !s.GameRunning(); }, 3000);
        }
        return Look().asking.empty();
    }

    std::string Report() {
        return "\nlast actions:\n" + Recent() + "windows: " + s.DescribeWindows().toStdString() +
               "\ngame output:\n" + s.GameOutput().toStdString();
    }
};

TEST_F(Monkey, RandomRealInputNeverBreaksTheGame) {
    // The fixed seed of the short run reaches the editor and its palette,
    // the file dialogs, the help and the message boxes within 25 s.
    const int seed = Setting("MONKEY_SEED", 8);
    const int seconds = Setting("MONKEY_SECONDS", 25);
    std::cout << "monkey: seed " << seed << ", " << seconds << " s (MONKEY_SEED=" << seed
              << " replays it)" << std::endl;
    rng.seed(static_cast<unsigned>(seed));

    // Twelve shipped levels, so that hints and solves have real boards.
    QByteArray bytes = Session::ReadFile(QStringLiteral(ZK_SHIPPED_LEVELS)).left(12 * 63);
    Session::WriteFile(s.LevelFilePath(), bytes);
    s.WriteSettings(SettingsText({{"tongue", "0"},
                                  {"left", "20"},
                                  {"top", "20"},
                                  {"eleft", "560"},
                                  {"etop", "20"},
                                  {"level", "1"}}));
    ASSERT_TRUE(StartToMainWindow(QStringLiteral("Zanfor Kelva V2.0 - Challenge mode")));
    const qint64 pid = s.GamePid();

    std::vector<long> resident;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::steady_clock::now() - start; };
    int steps = 0;
    while (elapsed() < std::chrono::seconds(seconds)) {
        ++steps;
        const Windows now = Look();
        ASSERT_TRUE(s.GameRunning()) << "the game died after step " << steps << Report();
        ASSERT_TRUE(now.main) << "the main window is gone after step " << steps << Report();
        const int where = Pick(100);
        if (!now.asking.empty() && where < 60) {
            const QSize size = now.asking.back().rect.size();
            ++met[std::to_string(size.width()) + "x" + std::to_string(size.height())];
            OnDialog(now.asking.back());
        } else if (!now.beside.empty() && where >= 60 && where < 75) {
            const Window& w = now.beside[static_cast<std::size_t>(Pick(now.beside.size()))];
            const bool palette = w.rect.size() == PaletteSize;
            ++met[palette ? "palette" : "help"];
            if (palette || Pick(2) == 0) {
                ClickAt(w.rect.topLeft() + Anywhere(w.rect.size()), Pick(4) ? 1 : 3, false);
            } else {
                Press(w, DialogKeys[Pick(DialogKeys.size())]);
            }
        } else {
            OnMain(*now.main);
        }
        if (steps % 8 == 0) {
            ASSERT_TRUE(s.Answers(now.main->id, WindowTimeoutMs))
                << "the game does not answer the ping after step " << steps << Report();
            resident.push_back(ResidentKb(pid));
        }
    }
    ASSERT_TRUE(s.GameRunning()) << "the game died" << Report();
    std::cout << "monkey: " << steps << " steps; resident kB:";
    for (const long kb : resident) {
        std::cout << " " << kb;
    }
    std::cout << "\nmonkey: windows acted on:";
    for (const auto& [size, times] : met) {
        std::cout << " " << size << " " << times << "x";
    }
    std::cout << std::endl;
    // Memory may grow while caches fill, in the first half: not after.
    if (resident.size() >= 4) {
        const auto half = resident.begin() + static_cast<long>(resident.size() / 2);
        const long first = *std::max_element(resident.begin(), half);
        const long second = *std::max_element(half, resident.end());
        EXPECT_LE(second, first + std::max(32768L, first / 4)) << "memory grows without bound";
    }

    // Every question has a way out, then the real close, saying yes to all.
    ASSERT_TRUE(AnswerAll(false)) << "a question with no way out" << Report();
    const bool closed = WaitUntil(
        [&] {
            const Windows now = Look();
            if (!s.GameRunning()) {
                return true;
            }
            if (now.asking.empty() && now.main) {
                ClickAt(now.main->rect.topLeft() + ToolButton(ExitBtnX), 1, false);
            }
            AnswerAll(true);
            return !s.GameRunning();
        },
        WindowTimeoutMs, 200);
    ASSERT_TRUE(closed) << "the game does not close" << Report();
    ASSERT_EQ(s.WaitForExit(WindowTimeoutMs), 0) << Report();
    for (const char* fault : {"AddressSanitizer", "LeakSanitizer", "runtime error:"}) {
        EXPECT_FALSE(s.GameOutput().contains(QLatin1String(fault))) << Report();
    }

    // What it leaves loads: the level file, the settings, every saved game.
    const auto levels = files::ReadLevelFile(s.LevelFilePath().toStdString());
    EXPECT_EQ(levels.error, 0);
    EXPECT_FALSE(levels.levels.empty());
    const files::SettingsStore store(s.SettingsPath().toStdString());
    const files::GameSettings settings = files::ReadGameSettings(store);
    EXPECT_TRUE(settings.tongue == English || settings.tongue == German);
    EXPECT_GE(settings.level, 1);
    EXPECT_LE(settings.level, static_cast<int>(levels.levels.size()));
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(QPoint(settings.left, settings.top)));
    QStringList games;
    if (!settings.save.empty()) {
        games += QString::fromStdString(settings.save);
    }
    for (QDirIterator it(s.GamesDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        games += it.next();
    }
    for (const QString& game : games) {
        SolvedFlags flags{};
        EXPECT_FALSE(QFileInfo(game).fileName().startsWith(".zk-"))
            << "left behind: " << game.toStdString();
        EXPECT_TRUE(files::ReadSavedGame(game.toStdString(), flags)) << game.toStdString();
        EXPECT_EQ(QFileInfo(game).size(), 500) << game.toStdString();
    }
}

} // namespace
} // namespace zk::e2e
