// The pictures of a scaled screen. At a ratio of device pixels per layout
// pixel other than 1 the game draws its image sheets and compiled-in
// pictures itself, at exactly that ratio, the first time it needs them, and
// keeps them in the cache (platform/ArtCache.h) for the next start. The
// sheets are drawn on other threads from the moment the ratio is known, so
// that they are ready when start-up asks for them after the splash.
#pragma once

#include <QImage>
#include <QString>

namespace zk::platform {

// The image sheet "b1", "b2", "b3" or "b5" at a ratio other than 1, its
// device pixel ratio set to it; null for another name.
QImage DrawnSheet(const QString& name, qreal ratio);

// The compiled-in picture `name` ("numbs1.png") at a ratio other than 1, its
// device pixel ratio set to it; null when there is none of that name at
// other ratios (the window icon comes in pixel sizes instead).
QImage DrawnPicture(const QString& name, qreal ratio);

// Starts making the sheets b1, b2 and b3 of a ratio on other threads: read
// from the cache, or drawn and stored there. Does nothing at 1 or when they
// are under way already.
void PrepareSheets(qreal ratio);

} // namespace zk::platform
