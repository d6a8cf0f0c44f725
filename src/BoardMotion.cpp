#include "BoardMotion.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

#include "Layout.h"

namespace zk {

namespace {

QPoint TopLeft(Cell cell) {
    return CellRect(cell).topLeft();
}

QPointF Centre(Cell cell) {
    return QRectF(CellRect(cell)).center();
}

// Fast at first, settling gently into the cell.
double EaseOut(double u) {
    const double rest = 1 - std::clamp(u, 0.0, 1.0);
    return 1 - rest * rest * rest;
}

QPoint Between(QPoint a, QPoint b, double p) {
    return {static_cast<int>(std::lround(a.x() + (b.x() - a.x()) * p)),
            static_cast<int>(std::lround(a.y() + (b.y() - a.y()) * p))};
}

QRect TileAt(QPoint topLeft) {
    return {topLeft, QSize(layout::CellSize, layout::CellSize)};
}

// The light's glow reaches this far beside its line.
constexpr int GlowReach = 7;

QRect GlowRect(const BoardMotion::Glow& glow) {
    return QRectF(glow.from, glow.to)
        .normalized()
        .toAlignedRect()
        .adjusted(-GlowReach, -GlowReach, GlowReach, GlowReach);
}

// ZK_MOTION_STRETCH=n in the environment makes every motion n times slower
// (1 to 100), so that each of its frames can be looked at.
int Stretch() {
    static const int stretch = [] {
        const int n = qEnvironmentVariableIntValue("ZK_MOTION_STRETCH");
        return std::clamp(n, 1, 100);
    }();
    return stretch;
}

} // namespace

BoardMotion::BoardMotion(std::function<void(const QRect&)> show) : show_(std::move(show)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(FrameMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

BoardMotion::~BoardMotion() {
    Listen(false);
}

void BoardMotion::WatchInput(QWidget* window, std::function<bool()> onInput) {
    window_ = window;
    onInput_ = std::move(onInput);
}

void BoardMotion::Listen(bool on) {
    if (on == listening_ || !QCoreApplication::instance()) {
        return;
    }
    listening_ = on;
    if (on) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool BoardMotion::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    if (!Running() || !onInput_ || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window_) {
        return false;
    }
    return onInput_();
}

void BoardMotion::Slide(Cell from, Cell to, TileNumber arriving, TileNumber leaving) {
    Finish();
    slide_ = SlideFrame{from, to, arriving, leaving, TopLeft(from), TopLeft(to)};
    show_(CellRect(from));
    show_(CellRect(to));
    clock_.restart();
    timer_.start();
    Listen(true);
}

void BoardMotion::Shine(const LevelRecord& cells, Cell start, std::function<void()> done) {
    connections_ = ConnectionsOutward(cells, start);
    done_ = std::move(done);
    if (!slide_) {
        StartShine();
    }
    Listen(true);
}

void BoardMotion::StartShine() {
    if (connections_.empty()) {
        // Nothing to light: the solve goes on at once.
        Finish();
        return;
    }
    // The light takes one step per connection, all steps together at most
    // 700 ms and none longer than 90 ms; then it fades, so that the whole
    // shine lasts half a second to just under one.
    const int steps = connections_.back().step + 1;
    stepMs_ = std::max(1, std::min(90, 700 / steps));
    fadeMs_ = std::max(250, ShineMinMs - steps * stepMs_);
    shineMs_ = std::min(ShineMaxMs, steps * stepMs_ + fadeMs_);
    stepMs_ *= Stretch();
    fadeMs_ *= Stretch();
    shineMs_ *= Stretch();
    shining_ = true;
    glows_.clear();
    clock_.restart();
    timer_.start();
}

void BoardMotion::Tick() {
    const qint64 ms = clock_.elapsed();
    if (slide_) {
        const int slideMs = SlideMs * Stretch();
        if (ms >= slideMs) {
            Land();
            if (done_) {
                StartShine();
            } else {
                Stop();
            }
            return;
        }
        // The rectangles the tiles covered in the frame before and in this one.
        show_(TileAt(slide_->arrivingAt));
        show_(TileAt(slide_->leavingAt));
        const double p = EaseOut(static_cast<double>(ms) / slideMs);
        slide_->arrivingAt = Between(TopLeft(slide_->from), TopLeft(slide_->to), p);
        slide_->leavingAt = Between(TopLeft(slide_->to), TopLeft(slide_->from), p);
        show_(TileAt(slide_->arrivingAt));
        show_(TileAt(slide_->leavingAt));
        return;
    }
    if (shining_) {
        if (ms >= shineMs_) {
            Finish();
            return;
        }
        ShineFrame(ms);
    }
}

void BoardMotion::ShineFrame(qint64 ms) {
    ShowGlows(); // what the frame before lit
    glows_.clear();
    for (const ClosedConnection& c : connections_) {
        const qint64 begins = qint64{c.step} * stepMs_;
        if (ms < begins) {
            break; // sorted by step: the light has not got further yet
        }
        const double lit = std::min(1.0, static_cast<double>(ms - begins) / stepMs_);
        const qint64 ran = begins + stepMs_;
        const double strength =
            ms < ran ? 1.0 : 1.0 - static_cast<double>(ms - ran) / static_cast<double>(fadeMs_);
        if (strength <= 0) {
            continue;
        }
        const Cell next{c.cell.column + (c.side == East   ? 1
                                         : c.side == West ? -1
                                                          : 0),
                        c.cell.row + (c.side == South   ? 1
                                      : c.side == North ? -1
                                                        : 0)};
        const QPointF a = Centre(c.cell), b = Centre(next);
        glows_.push_back({a, a + (b - a) * lit, c.code, strength, lit < 1});
    }
    ShowGlows();
}

void BoardMotion::ShowGlows() {
    for (const Glow& glow : glows_) {
        show_(GlowRect(glow));
    }
}

void BoardMotion::Land() {
    if (!slide_) {
        return;
    }
    show_(TileAt(slide_->arrivingAt));
    show_(TileAt(slide_->leavingAt));
    show_(CellRect(slide_->from));
    show_(CellRect(slide_->to));
    slide_.reset();
}

bool BoardMotion::Finish() {
    Land();
    if (!done_) {
        Stop();
        return false;
    }
    ShowGlows();
    glows_.clear();
    connections_.clear();
    shining_ = false;
    // The solve goes on with nothing of the motion left running: its
    // questions run event loops of their own.
    std::function<void()> done = std::move(done_);
    done_ = nullptr;
    Stop();
    done();
    return true;
}

void BoardMotion::Drop() {
    Land();
    ShowGlows();
    glows_.clear();
    connections_.clear();
    shining_ = false;
    done_ = nullptr;
    Stop();
}

void BoardMotion::Stop() {
    timer_.stop();
    Listen(false);
}

} // namespace zk
