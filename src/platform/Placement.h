// Placing a form over the main window: centred horizontally over the whole
// window, vertically over its client area. Both halvings round toward zero.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace zk::platform {

struct OuterGeometry {
    int left = 0;
    int top = 0;
    int width = 0;  // frame included
    int height = 0; // frame and title bar included
    int clientHeight = 0;
};

// Left := main.Left + (main.Width - width) div 2;
// Top := main.Top + main.Height - (main.ClientHeight + height) div 2.
constexpr QPoint PlaceOver(const OuterGeometry& main, int width, int height) {
    return {main.left + (main.width - width) / 2,
            main.top + main.height - (main.clientHeight + height) / 2};
}

// The main window's outer geometry and client height, as it stands.
OuterGeometry OuterGeometryOf(const QWidget& window);

// Moves the form's outer top-left corner over the main window.
void PlaceFormOver(QWidget& form, const QWidget& mainWindow);
// Moves the form to the centre of the screen it is on.
void PlaceFormAtScreenCentre(QWidget& form);

// The part of a window that must lie on a screen for the player to reach it.
inline constexpr QSize ReachablePart{100, 50};

// The top-left corner for a window of `size` wanted at `wanted`, such that
// its top-left 100 x 50 pixels (all of it, when smaller) lie on the given
// screen areas. A position that already does is kept; any other is moved the
// shortest way onto the nearest area. Computed without overflow for any
// input; with no area the wanted position stays.
QPoint KeepOnScreen(QPoint wanted, QSize size, const QList<QRect>& areas);
// The same against the available geometry of every screen.
QPoint KeepOnScreen(QPoint wanted, QSize size);

// Keeps a top-level window's outer corner (frame included) where the
// program moves it, under a window manager too. A window manager frames a
// window only once it maps it; a move before that, while the window is
// hidden or just shown, puts the client area where the frame was meant to
// go, and the window would stand a title bar lower than asked (and, its
// place being stored from its frame, come back a title bar higher at every
// run). With this, the corner asked for last before the frame was known is
// kept, and the window moved to it once more as soon as it is on screen,
// framed. Without a window manager nothing changes.
void KeepFrameCorner(QWidget& window);

// Where a window of `size` (frame included) goes beside `owner` (its frame
// rectangle) within `area`: right of it, else left of it, below, above,
// wherever it fits wholly, the top or left edges level; where it fits
// nowhere, the place in `area` where it covers the owner least.
QPoint PlaceBeside(const QRect& owner, QSize size, const QRect& area);

} // namespace zk::platform
