#include "Harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <map>
#include <sys/prctl.h>
#include <unistd.h>

#ifndef ZK_GAME_DIR
#error "ZK_GAME_DIR names the built program directory"
#endif

namespace zk::e2e {

namespace {

using Clock = std::chrono::steady_clock;

QString GameDirectory() {
    const QString fromEnv = qEnvironmentVariable("ZK_GAME_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(ZK_GAME_DIR) : fromEnv;
}

// A child that outlives the harness would hold a display: it dies with it.
void DieWithParent() {
    // SIGTERM lets Xvfb remove its lock file.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

int LockOwner(int display) {
    QFile lock(QStringLiteral("/tmp/.X%1-lock").arg(display));
    if (!lock.open(QIODevice::ReadOnly)) {
        return -1;
    }
    bool ok = false;
    const int pid = lock.readAll().trimmed().toInt(&ok);
    return ok ? pid : -1;
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int intervalMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        QThread::msleep(static_cast<unsigned long>(intervalMs));
    }
}

QString ExactTitle(const QString& title) {
    static const QString special = QStringLiteral(".[]()*+?{}|^$\\");
    QString out = QStringLiteral("^");
    for (const QChar c : title) {
        if (special.contains(c)) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out + QLatin1Char('$');
}

Session::Session() {
    if (!root_.isValid()) {
        problem_ = QStringLiteral("no temporary directory");
        return;
    }
    const QDir root(root_.path());
    for (const char* sub : {"program", "config", "home", "runtime", "games"}) {
        root.mkpath(QString::fromLatin1(sub));
    }
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The program directory: every file of the build's, the executable, its
    // data and its modules, but the level file, which is the test's own.
    const QDir game(GameDirectory());
    const QFileInfoList entries = game.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // Regular files, and links to them as copies of what they name.
        if (!entry.isFile() || entry.fileName() == QLatin1String(LevelFileName)) {
            continue;
        }
        const QString to = QDir(ProgramDir()).filePath(entry.fileName());
        if (!QFile::copy(entry.absoluteFilePath(), to)) {
            problem_ = QStringLiteral("cannot copy %1 from %2").arg(entry.fileName(), game.path());
            return;
        }
        // The build's files may be read-only; the copies must be the test's to change.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
        copied_ += entry.fileName();
    }
    if (!copied_.contains(QLatin1String(ExecutableName))) {
        problem_ = QStringLiteral("no %1 in %2").arg(QLatin1String(ExecutableName), game.path());
        return;
    }
    ready_ = true;
}

Session::~Session() {
    Stop();
}

QString Session::ProgramDir() const {
    return QDir(root_.path()).filePath(QStringLiteral("program"));
}

QString Session::ConfigDir() const {
    return QDir(root_.path()).filePath(QStringLiteral("config"));
}

QString Session::DataDir() const {
    return QDir(root_.path()).filePath(QStringLiteral("home/.local"));
}

QString Session::GamesDir() const {
    return QDir(root_.path()).filePath(QStringLiteral("games"));
}

QString Session::SettingsPath() const {
    return QDir(ConfigDir()).filePath(QStringLiteral("quillmar.ini"));
}

QString Session::LevelFilePath() const {
    return QDir(ProgramDir()).filePath(QLatin1String(LevelFileName));
}

void Session::WriteLevels(const std::vector<Record>& levels) const {
    QByteArray bytes;
    for (const Record& level : levels) {
        bytes.append(reinterpret_cast<const char*>(level.data()),
                     static_cast<qsizetype>(level.size()));
    }
    WriteFile(LevelFilePath(), bytes);
}

void Session::WriteSettings(const QByteArray& text) const {
    WriteFile(SettingsPath(), text);
}

QByteArray Session::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void Session::WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

bool Session::StartProcess(QProcess& process, const QString& program, const QStringList& args,
                           const QString& outputFile, const QString& workingDir) {
    process.setChildProcessModifier(DieWithParent);
    process.setProgram(program);
    process.setArguments(args);
    process.setWorkingDirectory(workingDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(outputFile);
    process.setStandardErrorFile(outputFile, QIODevice::Append);
    process.start();
    return process.waitForStarted(ToolTimeoutMs);
}

void Session::StopProcess(QProcess& process) const {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    const auto pid = static_cast<pid_t>(process.processId());
    if (pid > 0) {
        ::kill(pid, SIGTERM);
    }
    if (!process.waitForFinished(5000) && pid > 0) {
        ::kill(pid, SIGKILL);
        process.waitForFinished(5000);
    }
}

bool Session::StartDisplay() {
    const QString log = QDir(root_.path()).filePath(QStringLiteral("xvfb.log"));
    for (int n = 200; n < 300; ++n) {
        // A lock whose server has gone is stale: Xvfb replaces it.
        const bool locked = QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n));
        const int owner = LockOwner(n);
        if (locked && (owner <= 0 || ::kill(owner, 0) == 0 || errno != ESRCH)) {
            continue;
        }
        if (!locked && QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
            continue;
        }
        auto xvfb = std::make_unique<QProcess>();
        const QString display = QStringLiteral(":%1").arg(n);
        if (!StartProcess(
                *xvfb, QStringLiteral("Xvfb"),
                {display, QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("%1x%2x24").arg(screenSize_.width()).arg(screenSize_.height()),
                 QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")},
                log, root_.path())) {
            problem_ = QStringLiteral("Xvfb does not start");
            return false;
        }
        const qint64 pid = xvfb->processId();
        // Ours once the lock names our server and the display answers;
        // another run that took the number first makes our server give up.
        bool lost = false;
        const bool up = WaitUntil(
            [&] {
                if (xvfb->state() == QProcess::NotRunning || xvfb->waitForFinished(0)) {
                    lost = true;
                    return true;
                }
                if (LockOwner(n) != pid) {
                    return false;
                }
                display_ = display;
                return Tool(QStringLiteral("xdpyinfo"), {}).status == 0;
            },
            WindowTimeoutMs, 50);
        if (up && !lost) {
            xvfb_ = std::move(xvfb);
            return true;
        }
        display_.clear();
        StopProcess(*xvfb);
    }
    problem_ = QStringLiteral("no free display from :200 to :299");
    return false;
}

bool Session::StartWindowManager() {
    auto openbox = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    // No configuration of the user's: the package's own.
    env.insert(QStringLiteral("HOME"), QDir(root_.path()).filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"),
               QDir(root_.path()).filePath(QStringLiteral("wm")));
    openbox->setProcessEnvironment(env);
    const QString log = QDir(root_.path()).filePath(QStringLiteral("openbox.log"));
    if (!StartProcess(*openbox, QStringLiteral("openbox"), {QStringLiteral("--sm-disable")}, log,
                      root_.path())) {
        problem_ = QStringLiteral("openbox does not start");
        return false;
    }
    windowManager_ = std::move(openbox);
    // Running once it names its check window on the root.
    const bool running = WaitUntil(
        [&] {
            return Tool(QStringLiteral("xprop"),
                        {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .out.contains("window id");
        },
        WindowTimeoutMs);
    if (!running) {
        problem_ = QStringLiteral("openbox does not manage the display");
    }
    return running;
}

bool Session::StartEventLog() {
    events_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    events_->setProcessEnvironment(env);
    const QString log = QDir(root_.path()).filePath(QStringLiteral("events.log"));
    if (!StartProcess(
            *events_, QStringLiteral("xev"),
            {QStringLiteral("-root"), QStringLiteral("-event"), QStringLiteral("substructure")},
            log, root_.path())) {
        return false;
    }
    // xev announces nothing: a window of a second xev, seen in the log,
    // proves that the log listens.
    return WaitUntil(
        [&] {
            QProcess probe;
            probe.setProcessEnvironment(env);
            if (!StartProcess(probe, QStringLiteral("xev"),
                              {QStringLiteral("-geometry"), QStringLiteral("1x1+0+0")},
                              QProcess::nullDevice(), root_.path())) {
                return false;
            }
            const bool seen =
                WaitUntil([&] { return ReadFile(log).contains("CreateNotify"); }, 5000, 20);
            StopProcess(probe);
            return seen;
        },
        WindowTimeoutMs, 10);
}

bool Session::StartGame(const QStringList& arguments,
                        const QList<QPair<QString, QString>>& environment) {
    game_ = std::make_unique<QProcess>();
    const QDir root(root_.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Nothing of the user's session: its own display, settings, home, runtime.
    for (const char* name : {"WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER",
                             "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "XAUTHORITY"}) {
        env.remove(QString::fromLatin1(name));
    }
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
    env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigDir());
    env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("home/.cache")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("home/.local")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    for (const auto& [name, value] : environment) {
        env.insert(name, value);
    }
    game_->setProcessEnvironment(env);
    return StartProcess(*game_, QDir(ProgramDir()).filePath(QLatin1String(ExecutableName)),
                        arguments, root.filePath(QStringLiteral("game.log")), GamesDir());
}

bool Session::GameRunning() const {
    return game_ && game_->state() != QProcess::NotRunning && !game_->waitForFinished(0);
}

qint64 Session::GamePid() const {
    return GameRunning() ? game_->processId() : 0;
}

std::optional<int> Session::WaitForExit(int timeoutMs) {
    if (!game_ || !game_->waitForFinished(timeoutMs)) {
        if (game_ && game_->state() == QProcess::NotRunning &&
            game_->exitStatus() == QProcess::NormalExit) {
            return game_->exitCode();
        }
        return std::nullopt;
    }
    if (game_->exitStatus() != QProcess::NormalExit) {
        return std::nullopt;
    }
    return game_->exitCode();
}

QString Session::GameOutput() const {
    return QString::fromUtf8(ReadFile(QDir(root_.path()).filePath(QStringLiteral("game.log"))));
}

void Session::Stop() {
    if (game_) {
        StopProcess(*game_);
    }
    if (events_) {
        StopProcess(*events_);
    }
    if (windowManager_) {
        StopProcess(*windowManager_);
    }
    if (xvfb_) {
        StopProcess(*xvfb_);
        xvfb_.reset();
    }
}

RunResult Session::Tool(const QString& program, const QStringList& args, int timeoutMs) const {
    RunResult result;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    process.setProcessEnvironment(env);
    process.setChildProcessModifier(DieWithParent);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(ToolTimeoutMs)) {
        return result;
    }
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (qEnvironmentVariableIsSet("ZK_E2E_DEBUG")) {
        qWarning("%s %s -> %d %s %s", qPrintable(program), qPrintable(args.join(QLatin1Char(' '))),
                 result.status, result.out.left(200).constData(), result.err.left(200).constData());
    }
    return result;
}

std::vector<Window> Session::FindWindows(const QString& titleRegex) const {
    // A window whose title the program left empty has an empty WM_NAME, which
    // is what xdotool matches; such windows are found by the program's class.
    // A window manager puts each window into a frame of its own.
    const bool any = titleRegex.isEmpty();
    std::vector<Window> windows;
    const RunResult found = Tool(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--maxdepth"),
                                  HasWindowManager() ? QStringLiteral("2") : QStringLiteral("1"),
                                  any ? QStringLiteral("--classname") : QStringLiteral("--name"),
                                  any ? QStringLiteral("^zanfor-kelva$") : titleRegex});
    if (found.status != 0) {
        return windows;
    }
    for (const QByteArray& line : found.out.split('\n')) {
        bool ok = false;
        const quint64 id = line.trimmed().toULongLong(&ok);
        if (!ok) {
            continue;
        }
        const auto rect = HasWindowManager() ? FramedGeometry(id) : Geometry(id);
        if (!rect) {
            continue; // gone meanwhile
        }
        windows.push_back({id, rect->first, rect->second});
    }
    return windows;
}

std::optional<std::pair<QRect, QRect>> Session::Geometry(quint64 id) const {
    const RunResult geometry =
        Tool(QStringLiteral("xdotool"),
             {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(id)});
    if (geometry.status != 0) {
        return std::nullopt;
    }
    int x = 0, y = 0, w = 0, h = 0;
    for (const QByteArray& pair : geometry.out.split('\n')) {
        const QList<QByteArray> kv = pair.split('=');
        if (kv.size() != 2) {
            continue;
        }
        const int value = kv[1].trimmed().toInt();
        if (kv[0] == "X") {
            x = value;
        } else if (kv[0] == "Y") {
            y = value;
        } else if (kv[0] == "WIDTH") {
            w = value;
        } else if (kv[0] == "HEIGHT") {
            h = value;
        }
    }
    const QRect rect(x, y, w, h);
    return std::pair{rect, rect};
}

std::optional<std::pair<QRect, QRect>> Session::FramedGeometry(quint64 id) const {
    // xdotool counts the frame's offset twice for a window in a frame: the
    // client's place on the root comes from xwininfo, the frame's extents
    // from the window manager's _NET_FRAME_EXTENTS (left, right, top, bottom).
    const RunResult info =
        Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    if (info.status != 0) {
        return std::nullopt;
    }
    static const QRegularExpression field(
        QStringLiteral("(Absolute upper-left X|Absolute upper-left Y|Width|Height):\\s+(-?\\d+)"));
    std::map<QString, int> values;
    for (auto it = field.globalMatch(QString::fromLatin1(info.out)); it.hasNext();) {
        const auto m = it.next();
        values[m.captured(1)] = m.captured(2).toInt();
    }
    const QRect client(values[QStringLiteral("Absolute upper-left X")],
                       values[QStringLiteral("Absolute upper-left Y")],
                       values[QStringLiteral("Width")], values[QStringLiteral("Height")]);
    const RunResult extents =
        Tool(QStringLiteral("xprop"),
             {QStringLiteral("-id"), QString::number(id), QStringLiteral("_NET_FRAME_EXTENTS")});
    static const QRegularExpression numbers(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const auto m = numbers.match(QString::fromLatin1(extents.out));
    if (!m.hasMatch()) {
        return std::pair{client, client}; // not framed (yet)
    }
    const QMargins frame(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(),
                         m.captured(4).toInt());
    return std::pair{client, client.marginsAdded(frame)};
}

std::optional<Window> Session::WaitForWindowWhere(const QString& titleRegex,
                                                  const std::function<bool(const Window&)>& accept,
                                                  int timeoutMs) const {
    std::optional<Window> result;
    WaitUntil(
        [&] {
            for (const Window& w : FindWindows(titleRegex)) {
                if (accept(w)) {
                    result = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return result;
}

std::optional<Window> Session::WaitForWindow(const QString& titleRegex, QSize size,
                                             int timeoutMs) const {
    return WaitForWindowWhere(
        titleRegex, [&](const Window& w) { return !size.isValid() || w.rect.size() == size; },
        timeoutMs);
}

std::optional<Window> Session::WaitForWindowAt(const QString& titleRegex, QRect rect,
                                               int timeoutMs) const {
    return WaitForWindowWhere(
        titleRegex, [&](const Window& w) { return w.rect == rect; }, timeoutMs);
}

QString Session::DescribeWindows() const {
    QStringList out;
    for (const Window& w : FindWindows(QString())) {
        const RunResult name = Tool(QStringLiteral("xdotool"),
                                    {QStringLiteral("getwindowname"), QString::number(w.id)});
        out += QStringLiteral("\"%1\" at %2,%3 size %4x%5")
                   .arg(QString::fromUtf8(name.out.trimmed()))
                   .arg(w.rect.x())
                   .arg(w.rect.y())
                   .arg(w.rect.width())
                   .arg(w.rect.height());
    }
    return out.isEmpty() ? QStringLiteral("no visible window of the game")
                         : out.join(QStringLiteral("; "));
}

bool Session::IsVisible(quint64 id) const {
    // Qt destroys a dialog's window when it closes; a destroyed window is not visible.
    const RunResult info =
        Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    return info.status == 0 && info.out.contains("Map State: IsViewable");
}

bool Session::WaitUntilGone(quint64 id, int timeoutMs) const {
    return WaitUntil([&] { return !IsVisible(id); }, timeoutMs);
}

void Session::Click(QPoint screen, int button, int times) const {
    QStringList args = {QStringLiteral("mousemove"), QString::number(screen.x()),
                        QString::number(screen.y()), QStringLiteral("click")};
    if (times > 1) {
        args += {QStringLiteral("--repeat"), QString::number(times), QStringLiteral("--delay"),
                 QStringLiteral("60")};
    }
    args += QString::number(button);
    Tool(QStringLiteral("xdotool"), args);
}

void Session::ClickWindow(quint64 window) const {
    // xdotool sends the press and release to that window by its id; a window
    // destroyed meanwhile makes the call fail, and a hidden one ignores it.
    Tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("--window"),
                                     QString::number(window), QStringLiteral("1")});
}

void Session::Keys(quint64 window, const QStringList& keys) const {
    QStringList args = {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                        QString::number(window),       QStringLiteral("key"),
                        QStringLiteral("--delay"),     QStringLiteral("40")};
    args += keys;
    Tool(QStringLiteral("xdotool"), args);
}

void Session::Type(quint64 window, const QString& text) const {
    Tool(QStringLiteral("xdotool"),
         {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window),
          QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
}

QImage Session::Screenshot() const {
    const RunResult shot =
        Tool(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"),
                                        QStringLiteral("root"), QStringLiteral("png:-")});
    QImage image;
    if (shot.status == 0) {
        image.loadFromData(shot.out, "PNG");
    }
    if (!image.isNull()) {
        image = image.convertToFormat(QImage::Format_RGB32);
        lastShot_ = image;
    }
    return image;
}

std::vector<RootEvent> Session::RootEvents() const {
    std::vector<RootEvent> events;
    const QByteArray log = ReadFile(QDir(root_.path()).filePath(QStringLiteral("events.log")));
    static const QRegularExpression head(QStringLiteral("^(\\w+Notify) event"));
    static const QRegularExpression window(QStringLiteral("\\bwindow (0x[0-9a-f]+)"));
    static const QRegularExpression size(QStringLiteral("width (\\d+), height (\\d+)"));
    std::vector<std::pair<quint64, QSize>> sizes;
    // Events are blocks of lines separated by an empty line; the last
    // "window" of a block is the window the event is about.
    const QStringList lines = QString::fromLatin1(log).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto h = head.match(lines[i]);
        if (!h.hasMatch()) {
            continue;
        }
        QString text = lines[i];
        for (qsizetype j = i + 1; j < lines.size() && !lines[j].trimmed().isEmpty(); ++j) {
            text += QLatin1Char(' ') + lines[j];
        }
        RootEvent event;
        event.type = h.captured(1);
        auto it = window.globalMatch(text);
        while (it.hasNext()) {
            event.window = it.next().captured(1).toULongLong(nullptr, 16);
        }
        const auto s = size.match(text);
        if (s.hasMatch()) {
            const QSize known(s.captured(1).toInt(), s.captured(2).toInt());
            sizes.emplace_back(event.window, known);
        }
        for (auto k = sizes.rbegin(); k != sizes.rend(); ++k) {
            if (k->first == event.window) {
                event.size = k->second;
                break;
            }
        }
        events.push_back(event);
    }
    return events;
}

int Session::CountRootEvents(const QString& type, QSize size) const {
    int n = 0;
    for (const RootEvent& e : RootEvents()) {
        if (e.type == type && e.size == size) {
            ++n;
        }
    }
    return n;
}

std::optional<Window> Session::WaitForSplash() const {
    // On a slow start the splash's time may run out the moment it shows; the
    // event log still tells that it came and went.
    const QSize size = QSize(200, 150) * scale_;
    std::optional<Window> splash;
    WaitUntil(
        [&] {
            for (const Window& w : FindWindows(QString())) {
                if (w.rect.size() == size) {
                    splash = w;
                    return true;
                }
            }
            return CountRootEvents(QStringLiteral("UnmapNotify"), size) > 0;
        },
        WindowTimeoutMs, 50);
    return splash;
}

void Session::SkipSplash() const {
    if (const auto splash = WaitForSplash()) {
        ClickWindow(splash->id);
    }
}

void Session::SaveScreenshot(const QString& path) const {
    if (!lastShot_.isNull()) {
        lastShot_.save(path);
    }
}

} // namespace zk::e2e
