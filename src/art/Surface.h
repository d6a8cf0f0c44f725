// The board surface sheet "b2.bmp" (520 x 376 units): the background with
// the frame around the 9 x 7 board and the progress bar, the full bar in
// place, the empty bar under column 8, and the marker sprite's eight frames
// and masks under the board's first rows. The areas below are in units; at
// scale s every area lies at Scaled(area, s).
#pragma once

#include "art/Art.h"

#include <QImage>
#include <QRect>

namespace zk::art {

inline constexpr int SurfaceWidth = 520;
inline constexpr int SurfaceHeight = 376;
inline constexpr QRect BoardArea(22, 20, 432, 336);
inline constexpr QRect FullBarArea(469, 32, 31, 315);
inline constexpr QRect EmptyBarArea(415, 32, 31, 315);
inline constexpr int SpriteFrames = 8;
inline constexpr int SpriteSize = 20;

inline constexpr QRect SpriteFrameArea(int f) {
    return {30 + 20 * f, 30, 20, 20};
}
inline constexpr QRect SpriteMaskArea(int f) {
    return {30 + 20 * f, 50, 20, 20};
}

// One frame of the marker sprite: its colours on pure black (RGB32), of the
// size its area takes on the sheet.
QImage SpriteFrame(int f, double scale);

// The mask of a frame: pure black where the frame is not black, pure white
// elsewhere.
QImage SpriteMask(const QImage& frame);

// The progress bar art, 31 x 315 units each (RGB32), of the size its area
// takes on the sheet.
QImage FullBar(double scale);
QImage EmptyBar(double scale);

// The whole sheet (RGB32).
QImage SurfaceSheet(double scale);

} // namespace zk::art
