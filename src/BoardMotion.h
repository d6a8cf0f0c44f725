// Motion over the board that changes only the time between two designed
// pictures: the slide of a move's two tiles and the shine of a solved board.
// It keeps the clock, works out what each frame shows and which rectangles of
// the board surface each frame puts on screen; the board view draws it. While
// it runs, a press of a mouse button or a key meant for the main window ends
// it before the press acts.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "model/Board.h"
#include "model/OpenEnds.h"

class QWidget;

namespace zk {

class BoardMotion : public QObject {
public:
    // The slide's length, and the frame clock's interval.
    static constexpr int SlideMs = 150;
    static constexpr int FrameMs = 15;
    // The shine lasts from ShineMinMs to ShineMaxMs, whatever the board.
    static constexpr int ShineMinMs = 500;
    static constexpr int ShineMaxMs = 950;

    // show puts a rectangle of the board surface on screen again.
    explicit BoardMotion(std::function<void(const QRect&)> show);
    ~BoardMotion() override;

    // While motion runs, every mouse press, key press or wheel turn meant
    // for `window` calls onInput before it acts; onInput answers whether the
    // press is used up.
    void WatchInput(QWidget* window, std::function<bool()> onInput);

    // A move's two tiles travel in straight lines, drawn above the other
    // cells: `arriving` (the held tile) from `from` to `to`, `leaving` the
    // other way. A motion still running lands first.
    void Slide(Cell from, Cell to, TileNumber arriving, TileNumber leaving);
    // A light runs along the closed connections of the solved cells, from
    // `start` outward connection by connection, once the slide has landed;
    // done runs when it has gone out or when the motion is finished early.
    void Shine(const LevelRecord& cells, Cell start, std::function<void()> done);
    // Lands the slide and ends the shine at once, running its done. True
    // when a shine's done ran (or was waiting to run).
    bool Finish();
    // Ends everything without running a shine's done.
    void Drop();

    bool Running() const { return slide_.has_value() || static_cast<bool>(done_); }
    bool ShinePending() const { return static_cast<bool>(done_); }

    // What the frame on screen shows.
    struct SlideFrame {
        Cell from, to;
        TileNumber arriving = 0, leaving = 0;
        QPoint arrivingAt, leavingAt; // top-left corners on the board surface
    };
    const std::optional<SlideFrame>& CurrentSlide() const { return slide_; }
    // A lit stretch of a connection: from the centre of the cell the light
    // came from towards the next one.
    struct Glow {
        QPointF from, to;
        EdgeCode code = 0;
        double strength = 0; // 1 while the light runs, fading to 0
        bool head = false;   // the light is still running along it
    };
    const std::vector<Glow>& CurrentShine() const { return glows_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();
    void StartShine();
    void ShineFrame(qint64 ms);
    void Land();
    void Stop();
    void ShowGlows();
    void Listen(bool on);

    std::function<void(const QRect&)> show_;
    QWidget* window_ = nullptr;
    std::function<bool()> onInput_;
    bool listening_ = false;
    QTimer timer_;
    QElapsedTimer clock_;

    std::optional<SlideFrame> slide_;

    std::vector<ClosedConnection> connections_;
    std::function<void()> done_;
    bool shining_ = false;
    int stepMs_ = 0, fadeMs_ = 0, shineMs_ = 0;
    std::vector<Glow> glows_;
};

} // namespace zk
