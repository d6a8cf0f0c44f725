// The end-to-end harness: a program directory, a settings directory and a
// display of the test's own, the real game in it, and the X tools that drive
// it (xdotool) and read it back (ImageMagick's import, xev, xwininfo).
// ZK_E2E_DEBUG=1 in the environment logs every tool call and its answer.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zk::e2e {

// Every wait is a poll with a deadline, generous for a loaded machine: a
// wait ends as soon as its condition holds, so only a failure takes this long.
inline constexpr int WindowTimeoutMs = 90000;
inline constexpr int ScreenTimeoutMs = 60000;
inline constexpr int ToolTimeoutMs = 30000;

// Polls until the condition holds or the time is up; answers whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int intervalMs = 100);

// A title as a POSIX extended regular expression matching exactly it.
QString ExactTitle(const QString& title);

struct RunResult {
    bool finished = false;
    int status = -1;
    QByteArray out;
    QByteArray err;
};

struct Window {
    quint64 id = 0;
    QRect rect;  // the client area's screen position and size
    QRect frame; // the outer rectangle, the window manager's frame included
};

// One structure event of a top-level window, as xev saw it on the root.
struct RootEvent {
    QString type; // CreateNotify, MapNotify, UnmapNotify, DestroyNotify, ConfigureNotify
    quint64 window = 0;
    QSize size; // the window's size at that moment, when known
};

using Record = std::array<std::uint8_t, 63>;

inline constexpr char ExecutableName[] = "zanfor-kelva";
inline constexpr char LevelFileName[] = "zklv.dat";

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Set up before the game starts.
    bool Ready() const { return ready_; }
    QString Problem() const { return problem_; }
    QString ProgramDir() const;
    // The names of the build's files copied into the program directory.
    QStringList CopiedFiles() const { return copied_; }
    QString ConfigDir() const;
    QString GamesDir() const;
    // $XDG_DATA_HOME of the game: the player's records are under it.
    QString DataDir() const;
    QString SettingsPath() const;
    QString LevelFilePath() const;
    void WriteLevels(const std::vector<Record>& levels) const;
    void WriteSettings(const QByteArray& text) const;
    static QByteArray ReadFile(const QString& path);
    static void WriteFile(const QString& path, const QByteArray& bytes);

    // Xvfb on the first free display from :200 upward, of 1280 x 1024 pixels
    // unless another size is set before.
    void SetScreenSize(QSize size) { screenSize_ = size; }
    bool StartDisplay();
    QString Display() const { return display_; }
    // Openbox on the display, with the configuration its package installs:
    // windows are then framed, and found below their frames.
    bool StartWindowManager();
    bool HasWindowManager() const { return windowManager_ != nullptr; }
    // xev on the root window: every top-level window's creation, mapping and
    // unmapping, from now on.
    bool StartEventLog();
    // The game with these arguments, and these variables added to its
    // environment.
    bool StartGame(const QStringList& arguments = {},
                   const QList<QPair<QString, QString>>& environment = {});
    // The device pixels per layout pixel the game is expected at: the
    // splash is that many times its size.
    void SetScale(int scale) { scale_ = scale; }
    bool GameRunning() const;
    // The game's process id; 0 when it is not running.
    qint64 GamePid() const;
    // Whether the window's event loop answers the window manager's ping
    // (_NET_WM_PING, which the toolkit sends back to the root window) within
    // the time: a window that is mapped but never answers is hung.
    bool Answers(quint64 window, int timeoutMs) const;
    // The exit status once the game has ended by itself; none on timeout or crash.
    std::optional<int> WaitForExit(int timeoutMs);
    QString GameOutput() const;
    // Ends the game, the event log and Xvfb, by their process ids.
    void Stop();

    // The X tools on this display.
    RunResult Tool(const QString& program, const QStringList& args,
                   int timeoutMs = ToolTimeoutMs) const;
    // Visible windows whose title matches; an empty pattern finds every
    // visible window of the game, also those without a title.
    std::vector<Window> FindWindows(const QString& titleRegex) const;
    // The first visible window with that title that `accept` takes.
    std::optional<Window> WaitForWindowWhere(const QString& titleRegex,
                                             const std::function<bool(const Window&)>& accept,
                                             int timeoutMs = WindowTimeoutMs) const;
    // The first visible window with that title (and that size, when given).
    std::optional<Window> WaitForWindow(const QString& titleRegex, QSize size = {},
                                        int timeoutMs = WindowTimeoutMs) const;
    // A window is mapped before the program may move it to its stored place:
    // the window with that title once it stands exactly at `rect`.
    std::optional<Window> WaitForWindowAt(const QString& titleRegex, QRect rect,
                                          int timeoutMs = WindowTimeoutMs) const;
    // The visible windows of the game, for a failure message.
    QString DescribeWindows() const;
    bool IsVisible(quint64 id) const;
    bool WaitUntilGone(quint64 id, int timeoutMs = WindowTimeoutMs) const;
    void Click(QPoint screen, int button = 1, int times = 1) const;
    // A click sent to that window alone: when the window has gone meanwhile,
    // nothing else gets it.
    void ClickWindow(quint64 window) const;
    // Focuses the window, then types keys into it (xdotool key names).
    void Keys(quint64 window, const QStringList& keys) const;
    void Type(quint64 window, const QString& text) const;
    QImage Screenshot() const;
    std::vector<RootEvent> RootEvents() const;
    int CountRootEvents(const QString& type, QSize size) const;

    // The splash while it shows; none once it has come and gone unseen.
    std::optional<Window> WaitForSplash() const;
    // Closes the splash with a click as soon as it shows. The click goes to
    // the splash alone: at a screen point it would land on the main window
    // below when the splash's own time ran out first.
    void SkipSplash() const;

    // Keeps the last screenshot for the failure report.
    void SaveScreenshot(const QString& path) const;

private:
    bool StartProcess(QProcess& process, const QString& program, const QStringList& args,
                      const QString& outputFile, const QString& workingDir);
    void StopProcess(QProcess& process) const;
    // The client area and the outer rectangle of a window: without a window
    // manager both the same; none once the window has gone.
    std::optional<std::pair<QRect, QRect>> Geometry(quint64 id) const;
    std::optional<std::pair<QRect, QRect>> FramedGeometry(quint64 id) const;

    QTemporaryDir root_;
    bool ready_ = false;
    int scale_ = 1;
    QSize screenSize_{1280, 1024};
    QString problem_;
    QStringList copied_;
    QString display_;
    std::unique_ptr<QProcess> xvfb_;
    std::unique_ptr<QProcess> windowManager_;
    std::unique_ptr<QProcess> events_;
    std::unique_ptr<QProcess> game_;
    mutable QImage lastShot_;
};

} // namespace zk::e2e
