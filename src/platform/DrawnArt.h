// The image sheets at any ratio, and the pictures of a scaled screen. At a
// ratio of device pixels per layout pixel other than 1 the game draws its
// image sheets and compiled-in pictures itself, at exactly that ratio, the
// first time it needs them, and keeps them in the cache (platform/ArtCache.h)
// for the next start. The sheets are drawn on other threads from the moment
// the ratio is known, so that they are ready when start-up asks for them
// after the splash.
#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace zk::platform {

// The image sheet `name` (e.g. "b1") at a ratio of device pixels per layout
// pixel: at 1 the file of a directory ending in "/" ("b1.bmp"), at any other
// ratio drawn at that ratio. False, leaving the target untouched, when the
// file does not load.
bool LoadSheet(const QString& directory, const QString& name, qreal ratio, QImage& target);

// The image sheet "b1", "b2", "b3" or "b5" at a ratio other than 1, in the
// sheets' format, its device pixel ratio set to it; null for another name.
QImage DrawnSheet(const QString& name, qreal ratio);

// The compiled-in picture `name` ("numbs1.png") at a ratio other than 1, its
// device pixel ratio set to it; null when there is none of that name at
// other ratios (the window icon comes in pixel sizes instead).
QImage DrawnPicture(const QString& name, qreal ratio);

// Starts making the sheets b1, b2 and b3 of a ratio on other threads: read
// from the cache, or drawn and stored there. Does nothing at 1 or when they
// are under way already.
void PrepareSheets(qreal ratio);

// What the pictures of this program are drawn by, the key of its cache
// entries: the art's version, Qt's, and the stamps of the font files the
// drawing reads.
std::string ArtCacheKey();

} // namespace zk::platform
