// zk-app-bench: measures the real game and the floor program side by side in
// one X server. Each run starts the program, watches the X server for its main
// window being mapped and for the first frame that shows the level (probe
// pixels of the board surface), then leaves it idle and reads its CPU time
// and memory from /proc. Runs alternate game, floor, game, ... and every
// figure is the median over the runs.
//
//   zk-app-bench --game-dir DIR --levels FILE --floor PATH --xserver-pid PID
//                [--runs N] [--idle SECONDS] [--settle SECONDS] [--also PATH]
//                [--baseline-game-dir DIR] [--scale F] [--first-start]
// --scale F runs the game (and the baseline) with --scale F (1.5, 2 or 3),
// its window F times the size (the server's screen must hold it). The game
// draws its pictures at that scale the first time and keeps them in its
// cache: each program has a cache of its own, filled by a start before the
// runs. --first-start adds the game once more with an empty cache at every
// run, the first start after an install.
// --also adds a variant of the floor (same window, same probes), measured in
// the same turns and compared with the floor, to price one ingredient.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "art/Art.h"
#include "art/Surface.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int WindowWidth = 520;
constexpr int WindowHeight = 409;
constexpr int PanelHeight = 33;
constexpr double SplashMs = 3000.0;

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "zk-app-bench: %s\n", message.c_str());
    std::exit(2);
}

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// CPU time of every live thread of a process, in nanoseconds.
std::uint64_t ProcessCpuNs(pid_t pid) {
    std::uint64_t total = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        std::uint64_t onCpu = 0;
        if (in >> onCpu) {
            total += onCpu;
        }
    }
    return total;
}

// A value in kB from /proc/PID/status ("VmRSS", "VmHWM").
long StatusKb(pid_t pid, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

struct Probe {
    int x = 0; // window coordinates
    int y = 0;
    QRgb colour = 0;
};

struct Program {
    std::string name;
    std::string executable;
    std::vector<std::string> arguments;
    int width = WindowWidth; // of the main window
    int height = WindowHeight;
    std::vector<std::string> environment; // added to the benchmark's own
    std::vector<Probe> probes;            // all match: the level is drawn
    bool hasSplash = false;
    fs::path emptyCache; // emptied before every start
};

struct RunResult {
    double mappedMs = 0;
    double drawnMs = 0;
    double splashGoneMs = 0;
    double cpuPercent = 0;
    double xCpuPercent = 0;
    double steadyRssMiB = 0;
    double peakRssMiB = 0;
};

class XWatcher {
public:
    XWatcher() {
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            const char* name = std::getenv("DISPLAY");
            Fail("cannot open the display " + std::string(name ? name : "(unset)"));
        }
        int errorBase = 0;
        if (!XDamageQueryExtension(display_, &damageEventBase_, &errorBase)) {
            Fail("the X server has no DAMAGE extension");
        }
        root_ = DefaultRootWindow(display_);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        // Damage on the root window reports drawing into every window.
        damage_ = XDamageCreate(display_, root_, XDamageReportNonEmpty);
        XSync(display_, False);
    }
    ~XWatcher() {
        XDamageDestroy(display_, damage_);
        XCloseDisplay(display_);
    }

    // Starts the program and follows it until its level is drawn.
    RunResult Start(const Program& program, pid_t& pid) {
        Drain();
        if (!program.emptyCache.empty()) {
            std::error_code ec;
            fs::remove_all(program.emptyCache, ec);
        }
        RunResult result;
        const Clock::time_point t0 = Clock::now();
        pid = fork();
        if (pid < 0) {
            Fail("fork failed");
        }
        if (pid == 0) {
            unsetenv("QT_QPA_PLATFORM");
            for (const auto& assignment : program.environment) {
                putenv(const_cast<char*>(assignment.c_str()));
            }
            const int devnull = ::open("/dev/null", O_WRONLY);
            if (devnull >= 0) {
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
            }
            std::vector<char*> argv{const_cast<char*>(program.executable.c_str())};
            for (const auto& argument : program.arguments) {
                argv.push_back(const_cast<char*>(argument.c_str()));
            }
            argv.push_back(nullptr);
            execv(program.executable.c_str(), argv.data());
            _exit(127);
        }

        Window main = 0;
        Window other = 0;
        bool drawn = false;
        int lastCheckMs = 0;
        while (!drawn) {
            if (MsSince(t0) > 60000) {
                Fail(program.name + ": no level drawn within 60 s");
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                Fail(program.name + " ended before its level was drawn (status " +
                     std::to_string(status) + ")");
            }
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, 20);
            bool check = false;
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == MapNotify) {
                    const Window w = event.xmap.window;
                    XWindowAttributes a;
                    if (!main && XGetWindowAttributes(display_, w, &a) &&
                        a.width == program.width && a.height == program.height) {
                        main = w;
                        result.mappedMs = MsSince(t0);
                        check = true;
                    } else if (main && w != main && !other) {
                        other = w;
                    }
                } else if (event.type == UnmapNotify && other && event.xunmap.window == other &&
                           result.splashGoneMs == 0) {
                    result.splashGoneMs = MsSince(t0);
                } else if (event.type == damageEventBase_ + XDamageNotify) {
                    check = true;
                }
            }
            if (check) {
                XDamageSubtract(display_, damage_, None, None);
            }
            // A frame drawn just before the damage was subtracted is seen by
            // the next event; the time-based check is only a safety net.
            const int nowMs = static_cast<int>(MsSince(t0));
            if (main && (check || nowMs - lastCheckMs > 100)) {
                lastCheckMs = nowMs;
                if (ProbesMatch(main, program.probes)) {
                    drawn = true;
                    result.drawnMs = MsSince(t0);
                }
            }
        }
        return result;
    }

    // Keeps the event queue short while a program runs on its own.
    void Drain() {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

private:
    bool ProbesMatch(Window window, const std::vector<Probe>& probes) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display_, window, &a) || a.map_state != IsViewable) {
            return false;
        }
        Window child = 0;
        int rootX = 0;
        int rootY = 0;
        XTranslateCoordinates(display_, window, root_, 0, 0, &rootX, &rootY, &child);
        for (const Probe& p : probes) {
            XImage* image =
                XGetImage(display_, root_, rootX + p.x, rootY + p.y, 1, 1, AllPlanes, ZPixmap);
            if (!image) {
                return false;
            }
            const unsigned long pixel = XGetPixel(image, 0, 0);
            XDestroyImage(image);
            const QRgb got =
                qRgb(static_cast<int>((pixel >> 16) & 0xff), static_cast<int>((pixel >> 8) & 0xff),
                     static_cast<int>(pixel & 0xff));
            if (got != (p.colour | 0xff000000u)) {
                return false;
            }
        }
        return true;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    Damage damage_ = 0;
    int damageEventBase_ = 0;
};

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void IdleWatching(XWatcher& x, double seconds) {
    const Clock::time_point until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                       std::chrono::duration<double>(seconds));
    while (Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        x.Drain();
    }
}

RunResult Measure(XWatcher& x, const Program& program, pid_t xserver, double settle, double idle) {
    pid_t pid = 0;
    RunResult r = x.Start(program, pid);
    IdleWatching(x, settle);
    const std::uint64_t cpu0 = ProcessCpuNs(pid);
    const std::uint64_t x0 = xserver > 0 ? ProcessCpuNs(xserver) : 0;
    const Clock::time_point t0 = Clock::now();
    IdleWatching(x, idle);
    const std::uint64_t cpu1 = ProcessCpuNs(pid);
    const std::uint64_t x1 = xserver > 0 ? ProcessCpuNs(xserver) : 0;
    const double wallNs = std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
    r.cpuPercent = 100.0 * static_cast<double>(cpu1 - cpu0) / wallNs;
    r.xCpuPercent = 100.0 * static_cast<double>(x1 - x0) / wallNs;
    r.steadyRssMiB = static_cast<double>(StatusKb(pid, "VmRSS")) / 1024.0;
    r.peakRssMiB = static_cast<double>(StatusKb(pid, "VmHWM")) / 1024.0;
    Stop(pid);
    return r;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

struct Stat {
    double median = 0;
    double min = 0;
    double max = 0;
};

template <typename F>
Stat Summary(const std::vector<RunResult>& runs, F field) {
    std::vector<double> v;
    for (const auto& r : runs) {
        v.push_back(field(r));
    }
    return {Median(v), *std::min_element(v.begin(), v.end()),
            *std::max_element(v.begin(), v.end())};
}

std::string Fmt(double v, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

std::string Cell(const Stat& s, int decimals) {
    return Fmt(s.median, decimals) + " (" + Fmt(s.min, decimals) + "–" + Fmt(s.max, decimals) + ")";
}

void Row(const std::string& what, const Stat& game, const Stat& floor, int decimals,
         std::optional<double> target) {
    const double ratio = game.median / floor.median;
    std::string verdict = "–";
    if (target) {
        verdict = Fmt(*target, 1) + "x " + (ratio <= *target ? "met" : "**missed**");
    }
    std::printf("| %s | %s | %s | %s | %s |\n", what.c_str(), Cell(game, decimals).c_str(),
                Cell(floor, decimals).c_str(), Fmt(ratio, 2).c_str(), verdict.c_str());
}

std::string Argument(int argc, char** argv, const std::string& name, const std::string& fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) {
            return argv[i + 1];
        }
    }
    if (fallback.empty()) {
        Fail("missing " + name);
    }
    return fallback;
}

// The game's program directory, copied, with a settings directory that
// already holds a language, so start-up goes from the splash to the level,
// and a cache directory of its own.
struct GameSetup {
    fs::path root;
    Program program;

    GameSetup(const fs::path& gameDir, const fs::path& levels, double scale) {
        char pattern[] = "/tmp/zk-app-bench-XXXXXX";
        if (!mkdtemp(pattern)) {
            Fail("cannot create a temporary directory");
        }
        root = pattern;
        const fs::path programDir = root / "game";
        const fs::path configDir = root / "config";
        fs::create_directories(programDir);
        fs::create_directories(configDir);
        std::vector<std::string> names{"zanfor-kelva", "b1.bmp",        "b2.bmp", "b3.bmp",
                                       "b5.bmp",       "w1.wav",        "w2.wav", "ZKLV.HLP",
                                       "ZMRX.HLP",     "libzk-sound.so"};
        if (fs::exists(gameDir / "libzk-art.so")) {
            names.push_back("libzk-art.so"); // the drawing for a scaled screen
        }
        for (const auto& name : names) {
            std::error_code ec;
            fs::copy_file(gameDir / name, programDir / name, ec);
            if (ec) {
                Fail("cannot copy " + (gameDir / name).string() + ": " + ec.message());
            }
        }
        // An older build's pictures for scaled screens, where it has them.
        for (const auto& entry : fs::directory_iterator(gameDir)) {
            const std::string name = entry.path().filename().string();
            if (name.find('@') != std::string::npos || entry.path().extension() == ".rcc") {
                fs::copy_file(entry.path(), programDir / name, fs::copy_options::skip_existing);
            }
        }
        std::error_code ec;
        fs::copy_file(levels, programDir / "zklv.dat", ec);
        if (ec) {
            Fail("cannot copy the level file " + levels.string() + ": " + ec.message());
        }
        // Challenge mode, level 1, English, sound off; at 1x the window where
        // the program first puts it, larger near the corner, so that all of it
        // lies on the server's screen and can be read back.
        const std::string place = scale == 1 ? "left=292\r\ntop=297\r\n" : "left=10\r\ntop=10\r\n";
        std::ofstream ini(configDir / "quillmar.ini");
        ini << "[Zanfor Kelva]\r\nmode=1\r\nlevel=1\r\ntongue=0\r\n" << place << "sound=0\r\n";
        ini.close();

        program.name = "zanfor-kelva";
        program.executable = (programDir / "zanfor-kelva").string();
        program.environment = {"XDG_CONFIG_HOME=" + configDir.string(),
                               "XDG_CACHE_HOME=" + (root / "cache").string()};
        program.hasSplash = true;
        const auto px = [scale](int layout) { return zk::art::Px(layout, scale); };
        if (scale != 1) {
            char value[32];
            std::snprintf(value, sizeof value, "%g", scale);
            program.arguments = {"--scale", value};
            program.width = px(WindowWidth);
            program.height = px(WindowHeight);
        }
        // The board's margins show the background sheet b2 at the same
        // place once the level is drawn; before that the box is plain.
        const QImage b2 = scale == 1
                              ? QImage(QString::fromStdString((programDir / "b2.bmp").string()))
                              : zk::art::SurfaceSheet(scale);
        if (b2.isNull()) {
            Fail("cannot read b2.bmp");
        }
        const QRgb plain = qRgb(239, 239, 239);
        for (const auto& [x, y] : {std::pair{5, 5}, {250, 8}, {5, 300}, {460, 365}, {12, 360}}) {
            const QRgb c = b2.pixel(px(x), px(y)) | 0xff000000u;
            if (c != plain) {
                program.probes.push_back({px(x), px(PanelHeight + y), c});
            }
        }
        if (program.probes.size() < 3) {
            Fail("b2.bmp offers too few distinct probe pixels");
        }
    }
    ~GameSetup() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

} // namespace

int main(int argc, char** argv) {
    // Qt draws the probes' sheet here, offscreen; the programs measured get
    // the display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path gameDir = Argument(argc, argv, "--game-dir", "");
    const fs::path levels = Argument(argc, argv, "--levels", "");
    const std::string floorPath = Argument(argc, argv, "--floor", "");
    const pid_t xserver = std::atoi(Argument(argc, argv, "--xserver-pid", "0").c_str());
    const int runs = std::max(1, std::atoi(Argument(argc, argv, "--runs", "10").c_str()));
    const double idle = std::atof(Argument(argc, argv, "--idle", "20").c_str());
    const double settle = std::atof(Argument(argc, argv, "--settle", "2").c_str());

    const double scale =
        std::clamp(std::atof(Argument(argc, argv, "--scale", "1").c_str()), 1.0, 3.0);
    GameSetup game(gameDir, levels, scale);
    bool firstStart = false;
    for (int i = 1; i < argc; ++i) {
        firstStart = firstStart || std::string(argv[i]) == "--first-start";
    }
    Program first = game.program;
    first.name = "first start";
    first.environment[1] = "XDG_CACHE_HOME=" + (game.root / "first-cache").string();
    first.emptyCache = game.root / "first-cache";
    // Another build of the game, measured in the same alternation: a change
    // is priced against the game before it, side by side.
    const std::string baselineDir = Argument(argc, argv, "--baseline-game-dir", "-");
    std::unique_ptr<GameSetup> baseline;
    if (baselineDir != "-") {
        baseline = std::make_unique<GameSetup>(baselineDir, levels, scale);
        baseline->program.name = "baseline";
    }
    Program floor;
    floor.name = "floor";
    floor.executable = floorPath;
    for (const auto& [x, y] : {std::pair{5, 38}, {250, 41}, {5, 333}, {460, 398}}) {
        floor.probes.push_back({x, y, qRgb(0x2a, 0x5d, 0x8f)});
    }

    const std::string alsoPath = Argument(argc, argv, "--also", "-");
    Program also = floor;
    also.name = fs::path(alsoPath).filename().string();
    also.executable = alsoPath;
    std::vector<Program*> programs{&game.program, &floor};
    if (alsoPath != "-") {
        programs.push_back(&also);
    }
    if (baseline) {
        programs.push_back(&baseline->program);
    }
    if (firstStart) {
        programs.push_back(&first);
    }

    XWatcher x;
    // A start of each before the runs: the caches filled, the files read once.
    for (Program* p : programs) {
        if (p != &first) {
            pid_t pid = 0;
            x.Start(*p, pid);
            Stop(pid);
        }
    }
    std::vector<RunResult> gameRuns;
    std::vector<RunResult> floorRuns;
    std::vector<RunResult> alsoRuns;
    std::vector<RunResult> baselineRuns;
    std::vector<RunResult> firstRuns;
    for (int i = 0; i < runs; ++i) {
        for (Program* p : programs) {
            const RunResult r = Measure(x, *p, xserver, settle, idle);
            (p == &floor                           ? floorRuns
             : p == &also                          ? alsoRuns
             : p == &first                         ? firstRuns
             : baseline && p == &baseline->program ? baselineRuns
                                                   : gameRuns)
                .push_back(r);
            std::fprintf(stderr,
                         "run %2d %-12s mapped %7.1f ms  drawn %7.1f ms  splash gone %7.1f ms  "
                         "cpu %5.2f%%  X %5.2f%%  rss %6.1f MiB  peak %6.1f MiB\n",
                         i + 1, p->name.c_str(), r.mappedMs, r.drawnMs, r.splashGoneMs,
                         r.cpuPercent, r.xCpuPercent, r.steadyRssMiB, r.peakRssMiB);
        }
    }

    const auto mapped = [](const RunResult& r) { return r.mappedMs; };
    const auto drawn = [](const RunResult& r) { return r.drawnMs; };
    const auto drawnWithoutSplash = [](const RunResult& r) { return r.drawnMs - SplashMs; };
    const auto afterSplash = [](const RunResult& r) { return r.drawnMs - r.splashGoneMs; };
    const auto cpu = [](const RunResult& r) { return r.cpuPercent; };
    const auto xcpu = [](const RunResult& r) { return r.xCpuPercent; };
    const auto peak = [](const RunResult& r) { return r.peakRssMiB; };
    const auto steady = [](const RunResult& r) { return r.steadyRssMiB; };

    std::printf("Medians of %d runs each (min–max), idle CPU over %.0f s after %.0f s of "
                "settling.\n\n",
                runs, idle, settle);
    std::printf("| measure | zanfor-kelva | floor | ratio | target |\n");
    std::printf("|---|---|---|---|---|\n");
    Row("exec → main window mapped (ms)", Summary(gameRuns, mapped), Summary(floorRuns, mapped), 1,
        1.3);
    std::printf("| exec → first level drawn, splash included (ms) | %s | – | – | – |\n",
                Cell(Summary(gameRuns, drawn), 1).c_str());
    Row("exec → first level drawn, less the splash's 3000 ms (ms)",
        Summary(gameRuns, drawnWithoutSplash), Summary(floorRuns, drawn), 1, std::nullopt);
    std::printf("| splash closed → level drawn (ms) | %s | – | – | – |\n",
                Cell(Summary(gameRuns, afterSplash), 1).c_str());
    Row("peak RSS (MiB)", Summary(gameRuns, peak), Summary(floorRuns, peak), 1, 1.3);
    Row("steady RSS (MiB)", Summary(gameRuns, steady), Summary(floorRuns, steady), 1, std::nullopt);
    Row("idle CPU, marker animating (% of a core)", Summary(gameRuns, cpu), Summary(floorRuns, cpu),
        3, 1.2);
    if (xserver > 0) {
        Row("X server CPU meanwhile (% of a core)", Summary(gameRuns, xcpu),
            Summary(floorRuns, xcpu), 3, std::nullopt);
    }
    if (!alsoRuns.empty()) {
        std::printf("\n| measure | %s | floor | ratio | target |\n", also.name.c_str());
        std::printf("|---|---|---|---|---|\n");
        Row("exec → main window mapped (ms)", Summary(alsoRuns, mapped), Summary(floorRuns, mapped),
            1, std::nullopt);
        Row("peak RSS (MiB)", Summary(alsoRuns, peak), Summary(floorRuns, peak), 1, std::nullopt);
        Row("idle CPU (% of a core)", Summary(alsoRuns, cpu), Summary(floorRuns, cpu), 3,
            std::nullopt);
    }
    if (!firstRuns.empty()) {
        std::printf("\n| measure | first start, cache empty | cache filled | difference |\n");
        std::printf("|---|---|---|---|\n");
        const auto difference = [&](const char* what, auto field) {
            std::printf(
                "| %s | %s | %s | %s |\n", what, Cell(Summary(firstRuns, field), 1).c_str(),
                Cell(Summary(gameRuns, field), 1).c_str(),
                Fmt(Summary(firstRuns, field).median - Summary(gameRuns, field).median, 1).c_str());
        };
        difference("exec → main window mapped (ms)", mapped);
        difference("exec → first level drawn, splash included (ms)", drawn);
        difference("splash closed → level drawn (ms)", afterSplash);
        difference("peak RSS (MiB)", peak);
        difference("steady RSS (MiB)", steady);
    }
    if (!baselineRuns.empty()) {
        std::printf("\n| measure | zanfor-kelva | baseline | ratio | target |\n");
        std::printf("|---|---|---|---|---|\n");
        Row("exec → main window mapped (ms)", Summary(gameRuns, mapped),
            Summary(baselineRuns, mapped), 1, std::nullopt);
        Row("exec → first level drawn, less the splash's 3000 ms (ms)",
            Summary(gameRuns, drawnWithoutSplash), Summary(baselineRuns, drawnWithoutSplash), 1,
            std::nullopt);
        Row("peak RSS (MiB)", Summary(gameRuns, peak), Summary(baselineRuns, peak), 1,
            std::nullopt);
        Row("idle CPU, marker animating (% of a core)", Summary(gameRuns, cpu),
            Summary(baselineRuns, cpu), 3, std::nullopt);
        if (xserver > 0) {
            Row("X server CPU meanwhile (% of a core)", Summary(gameRuns, xcpu),
                Summary(baselineRuns, xcpu), 3, std::nullopt);
        }
    }
    return 0;
}
