#include "platform/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace zk::platform {

namespace {

// Rectangles in 64 bits: no sum of two ints can overflow here.
struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;

    std::int64_t Right() const { return left + width; } // one past the last column
    std::int64_t Bottom() const { return top + height; }
};

Box BoxOf(const QRect& r) {
    return {r.left(), r.top(), std::max(r.width(), 0), std::max(r.height(), 0)};
}

// The leftmost/topmost start of a span of `length` inside [from, from + room),
// nearest to `wanted`; `from` when it does not fit.
std::int64_t ClampSpan(std::int64_t wanted, std::int64_t from, std::int64_t room,
                       std::int64_t length) {
    return std::clamp(wanted, from, std::max(from, from + room - length));
}

std::int64_t Overlap(const Box& a, const Box& b) {
    const std::int64_t w = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

QPoint ToPoint(std::int64_t x, std::int64_t y) {
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return {static_cast<int>(std::clamp(x, lo, hi)), static_cast<int>(std::clamp(y, lo, hi))};
}

// Watches a window's moves and showings until its frame is known: the
// corner asked for meanwhile is where the frame goes once it is.
class FrameCornerKeeper : public QObject {
public:
    explicit FrameCornerKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QWindow* handle = window_.windowHandle();
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
            if (watched == &window_ && handle && !Framed(*handle)) {
                corner_ = window_.pos();
                if (!watching_) {
                    handle->installEventFilter(this);
                    watching_ = handle;
                }
            }
            break;
        case QEvent::Expose:
            if (watched == handle && corner_ && handle->isExposed() && Framed(*handle)) {
                const QPoint corner = *corner_;
                corner_.reset();
                if (window_.frameGeometry().topLeft() != corner) {
                    window_.move(corner);
                }
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool Framed(QWindow& handle) { return !handle.frameMargins().isNull(); }

    QWidget& window_;
    QObject* watching_ = nullptr;
    std::optional<QPoint> corner_;
};

} // namespace

void KeepFrameCorner(QWidget& window) {
    new FrameCornerKeeper(window);
}

OuterGeometry OuterGeometryOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    OuterGeometry g;
    g.left = outer.left();
    g.top = outer.top();
    g.width = outer.width();
    g.height = outer.height();
    g.clientHeight = window.geometry().height();
    return g;
}

void PlaceFormOver(QWidget& form, const QWidget& mainWindow) {
    const QRect outer = form.frameGeometry();
    form.move(PlaceOver(OuterGeometryOf(mainWindow), outer.width(), outer.height()));
}

void PlaceFormAtScreenCentre(QWidget& form) {
    QScreen* screen = form.screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QRect outer = form.frameGeometry();
    form.move(area.left() + (area.width() - outer.width()) / 2,
              area.top() + (area.height() - outer.height()) / 2);
}

} // namespace zk::platform

namespace zk::platform {

QPoint KeepOnScreen(QPoint wanted, QSize size, const QList<QRect>& areas) {
    const std::int64_t w = std::clamp(size.width(), 1, ReachablePart.width());
    const std::int64_t h = std::clamp(size.height(), 1, ReachablePart.height());
    const Box part{wanted.x(), wanted.y(), w, h};

    QRegion covered;
    Box bounds{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 0, 0};
    std::int64_t right = std::numeric_limits<int>::min();
    std::int64_t bottom = std::numeric_limits<int>::min();
    for (const QRect& area : areas) {
        if (area.isValid()) {
            covered += area;
            const Box b = BoxOf(area);
            bounds.left = std::min(bounds.left, b.left);
            bounds.top = std::min(bounds.top, b.top);
            right = std::max(right, b.Right());
            bottom = std::max(bottom, b.Bottom());
        }
    }
    if (covered.isEmpty()) {
        return wanted;
    }
    // Within the screens' bounds the part is a valid rectangle; it counts as
    // reachable when the areas together cover it, across screens too.
    if (part.left >= bounds.left && part.top >= bounds.top && part.Right() <= right &&
        part.Bottom() <= bottom &&
        QRegion(QRect(wanted.x(), wanted.y(), static_cast<int>(w), static_cast<int>(h)))
            .subtracted(covered)
            .isEmpty()) {
        return wanted;
    }
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    QPoint best = wanted;
    for (const QRect& area : areas) {
        if (!area.isValid()) {
            continue;
        }
        const Box b = BoxOf(area);
        const std::int64_t x = ClampSpan(part.left, b.left, b.width, w);
        const std::int64_t y = ClampSpan(part.top, b.top, b.height, h);
        // Both terms are below 2^33, so their sum fits.
        const std::int64_t distance = (x > part.left ? x - part.left : part.left - x) +
                                      (y > part.top ? y - part.top : part.top - y);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = ToPoint(x, y);
        }
    }
    return best;
}

QPoint KeepOnScreen(QPoint wanted, QSize size) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    return KeepOnScreen(wanted, size, areas);
}

QPoint PlaceBeside(const QRect& owner, QSize size, const QRect& area) {
    const Box o = BoxOf(owner);
    const Box a = BoxOf(area);
    const std::int64_t w = std::max(size.width(), 1);
    const std::int64_t h = std::max(size.height(), 1);
    // Right, left, below, above; the other coordinate kept level with the
    // owner's and moved onto the area where needed.
    const std::int64_t levelTop = ClampSpan(o.top, a.top, a.height, h);
    const std::int64_t levelLeft = ClampSpan(o.left, a.left, a.width, w);
    const std::pair<std::int64_t, std::int64_t> sides[] = {{o.Right(), levelTop},
                                                           {o.left - w, levelTop},
                                                           {levelLeft, o.Bottom()},
                                                           {levelLeft, o.top - h}};
    for (const auto& [x, y] : sides) {
        const Box placed{x, y, w, h};
        if (placed.left >= a.left && placed.top >= a.top && placed.Right() <= a.Right() &&
            placed.Bottom() <= a.Bottom()) {
            return ToPoint(x, y);
        }
    }
    // Nowhere wholly: each side pushed onto the area, and the area's corners.
    std::int64_t leastCover = std::numeric_limits<std::int64_t>::max();
    QPoint best;
    auto consider = [&](std::int64_t x, std::int64_t y) {
        x = ClampSpan(x, a.left, a.width, w);
        y = ClampSpan(y, a.top, a.height, h);
        const std::int64_t cover = Overlap({x, y, w, h}, o);
        if (cover < leastCover) {
            leastCover = cover;
            best = ToPoint(x, y);
        }
    };
    for (const auto& [x, y] : sides) {
        consider(x, y);
    }
    consider(a.left, a.top);
    consider(a.Right() - w, a.top);
    consider(a.left, a.Bottom() - h);
    consider(a.Right() - w, a.Bottom() - h);
    return best;
}

} // namespace zk::platform
