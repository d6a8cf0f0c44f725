// Speed of the main window's drawing, offscreen: a move from the click to
// both cells on screen, one tick of the marker's timer, and a full repaint of
// the board surface. The main window is the UI tests' one, with every form,
// in its own temporary program and settings directories.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

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
    explicit Window(bool marks = false) {
        EnsureApplication();
        SetUp();
        WriteLevels({FullLevel()});
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
