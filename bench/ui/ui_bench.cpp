// Speed of the main window's drawing, offscreen: a move from the click to
// both cells on screen, one tick of the marker's timer, and a full repaint of
// the board surface. The main window is the UI tests' one, with every form,
// in its own temporary program and settings directories.
#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <vector>

#include "Corpus.h"
#include "MainFormFixture.h"
#include "files/Settings.h"
#include "model/Catalogue.h"

namespace {

void EnsureApplication() {
    if (QApplication::instance()) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zk-bench-ui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process
}

// Counts the paint events a widget receives and the pixels they cover.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    long paints = 0;
    long pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<long>(r.width()) * r.height();
            }
        }
        return false;
    }
};

// A level of movable tiles only, so every click is a move and no move
// solves it.
zk::LevelRecord FullLevel() {
    zk::LevelRecord level{};
    for (int i = 0; i < zk::CellCount; ++i) {
        zk::TileNumber t = static_cast<zk::TileNumber>(1 + (i * 7) % 89);
        level[static_cast<std::size_t>(i)] = t;
    }
    return level;
}

// The running main window in challenge mode at level 1, English.
class Window : public MainFormTest {
public:
    // marks: the open connection ends marked, as F2 leaves them.
    explicit Window(bool marks = false, bool withMotion = false,
                    const zk::LevelRecord& level = FullLevel()) {
        EnsureApplication();
        SetUp();
        motion = withMotion;
        WriteLevels({level});
        Setting("tongue", "0");
        Setting("mode", "1");
        Setting("level", "1");
        if (marks) {
            zk::files::SettingsStore(SettingsFile())
                .WriteString(zk::files::ExtrasSection, "feedback", "1");
        }
        Start();
        QApplication::processEvents();
        counter = std::make_unique<PaintCounter>(P().box());
    }
    ~Window() override {
        counter.reset();
        TearDown();
    }
    void TestBody() override {}

    TMainFormProbe Form() { return P(); }
    void ForgetSounds() { sound->events.clear(); }
    // The window system's turn: posted updates become paint events.
    static void Flush() { QApplication::processEvents(); }

    std::unique_ptr<PaintCounter> counter;
};

// A movable cell other than the held one, and the held one.
std::pair<zk::Cell, zk::Cell> TwoCells(TMainFormProbe form) {
    const zk::Cell held = form.State().board.held;
    zk::Cell other{held.column == 4 ? 5 : 4, held.row == 3 ? 4 : 3};
    return {other, held};
}

void ClickAt(TMainFormProbe form, zk::Cell cell) {
    form.boxMouseDown(Qt::LeftButton, 22 + 48 * cell.column + 24, 20 + 48 * cell.row + 24);
}

void BM_MoveClickToBothCellsDrawn(benchmark::State& state) {
    Window w(state.range(0) != 0);
    auto [a, b] = TwoCells(w.Form());
    long moves = 0;
    for (auto _ : state) {
        // Click the other cell: the held tile goes there; the next time the
        // click goes back to where it came from.
        ClickAt(w.Form(), (moves % 2 == 0) ? a : b);
        Window::Flush();
        ++moves;
        w.ForgetSounds();
    }
    if (w.counter->paints < moves) {
        state.SkipWithError("a move was not painted");
    }
    state.counters["paints/move"] =
        static_cast<double>(w.counter->paints) / static_cast<double>(std::max(moves, 1L));
    // The pixels put on screen per move: the two cells are 2 x 48 x 48.
    state.counters["pixels/move"] =
        static_cast<double>(w.counter->pixels) / static_cast<double>(std::max(moves, 1L));
}
// Argument 0: as the game is; 1: with the marks on open connection ends.
BENCHMARK(BM_MoveClickToBothCellsDrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TimerTick(benchmark::State& state) {
    Window w;
    long ticks = 0;
    for (auto _ : state) {
        w.Form().TimerTimer();
        Window::Flush();
        ++ticks;
    }
    if (w.counter->paints < ticks) {
        state.SkipWithError("a tick was not painted");
    }
}
BENCHMARK(BM_TimerTick)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        // The window system asks for the whole surface: it is composed again
        // from the sheets and put on screen.
        w.Form().box()->repaint();
        Window::Flush();
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// Runs the event loop until the board stands still.
void LetMotionEnd(TMainFormProbe form) {
    // Sleeps between the frames' timer events, as the game's own loop does.
    while (form.View().Motion().Running()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The processor time of a move whose tiles slide, from the click until they
// have landed (the wall time is the slide's own 150 ms): against
// BM_MoveClickToBothCellsDrawn/0, what the slide's frames cost.
void BM_MoveWithSlide(benchmark::State& state) {
    Window w(false, true);
    auto [a, b] = TwoCells(w.Form());
    long moves = 0;
    for (auto _ : state) {
        ClickAt(w.Form(), (moves % 2 == 0) ? a : b);
        LetMotionEnd(w.Form());
        ++moves;
        w.ForgetSounds();
    }
    state.counters["paints/move"] =
        static_cast<double>(w.counter->paints) / static_cast<double>(std::max(moves, 1L));
    state.counters["pixels/move"] =
        static_cast<double>(w.counter->pixels) / static_cast<double>(std::max(moves, 1L));
}
BENCHMARK(BM_MoveWithSlide)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The times between the frames of a motion put on screen.
class FrameClock : public QObject {
public:
    explicit FrameClock(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<double> intervals; // ms
    void Restart() { last_ = -1; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const qint64 now = clock_.nsecsElapsed();
            if (last_ >= 0) {
                intervals.push_back(static_cast<double>(now - last_) / 1e6);
            }
            last_ = now;
        }
        return false;
    }

private:
    QElapsedTimer clock_ = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    qint64 last_ = -1;
};

void ReportIntervals(benchmark::State& state, std::vector<double> v) {
    if (v.empty()) {
        state.SkipWithError("no frame was painted");
        return;
    }
    std::sort(v.begin(), v.end());
    state.counters["frames"] = static_cast<double>(v.size());
    state.counters["median_ms"] = v[v.size() / 2];
    state.counters["p95_ms"] = v[std::min(v.size() - 1, v.size() * 95 / 100)];
    state.counters["max_ms"] = v.back();
}

// Argument 0: the frames of slides; 1: of the shine over a board of twelve
// closed rings (the light's longest way on a board this full).
void BM_FrameIntervals(benchmark::State& state) {
    Window w(false, true);
    w.Form().Timer()->stop(); // only the motion's frames
    FrameClock frames(w.Form().box());
    auto [a, b] = TwoCells(w.Form());
    long runs = 0;
    if (state.range(0) == 1) {
        zk::LevelRecord& cells = w.Form().State().board.cells;
        for (int c = 0; c < 8; c += 2) {
            for (int r = 0; r < 6; r += 2) {
                cells[zk::CellIndex(c, r)] = 7;
                cells[zk::CellIndex(c + 1, r)] = 6;
                cells[zk::CellIndex(c, r + 1)] = 4;
                cells[zk::CellIndex(c + 1, r + 1)] = 5;
            }
        }
        w.Form().View().DrawAllCells();
    }
    for (auto _ : state) {
        frames.Restart();
        if (state.range(0) == 0) {
            ClickAt(w.Form(), (runs % 2 == 0) ? a : b);
        } else {
            w.Form().View().ShineSolve([] {});
        }
        LetMotionEnd(w.Form());
        ++runs;
        w.ForgetSounds();
    }
    ReportIntervals(state, frames.intervals);
}
BENCHMARK(BM_FrameIntervals)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The longest time the window's thread is kept from its events by H, on
// hard boards: dense full boards of three kinds and partial levels, seeds
// of this benchmark's own. H asks the worker and waits a moment for a quick
// answer; the answer's arrival shows the frame.
void BM_HintLongestBlock(benchmark::State& state) {
    const auto boards =
        state.range(0) == 0 ? zk::levels::FullBoards(5151, 8) : zk::levels::PartialLevels(5151, 8);
    double longest = 0;
    int framed = 0;
    for (auto _ : state) {
        for (const auto& level : boards) {
            Window w(false, false, level.origin);
            const auto timed = [&](const std::function<void()>& f) {
                QElapsedTimer clock;
                clock.start();
                f();
                longest = std::max(longest, static_cast<double>(clock.nsecsElapsed()) / 1e6);
            };
            timed([&] { w.Form().Run(zk::Action::Hint); });
            QElapsedTimer patience;
            patience.start();
            while (w.Form().Controller().Searching() && patience.elapsed() < 10000) {
                timed([] { QApplication::processEvents(); });
                QThread::msleep(1);
            }
            framed += w.Form().View().Cursor().has_value();
        }
    }
    state.counters["longest_block_ms"] = longest;
    state.counters["framed"] = framed;
    state.counters["boards"] = static_cast<double>(boards.size());
}
// Argument 0: dense full boards; 1: partial levels.
BENCHMARK(BM_HintLongestBlock)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// For comparison: the floor program's tick, a bare widget repainting one
// 48 x 48 cell with a flat colour.
class FloorWidget : public QWidget {
public:
    FloorWidget() {
        setFixedSize(520, 409);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    int frame = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor::fromHsv(45 * frame, 200, 220));
    }
};

void BM_FloorTick(benchmark::State& state) {
    EnsureApplication();
    FloorWidget floor;
    floor.show();
    QApplication::processEvents();
    for (auto _ : state) {
        floor.frame = (floor.frame + 1) % 8;
        floor.update(22, 53, 48, 48);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FloorTick)->Unit(benchmark::kMicrosecond);

} // namespace
