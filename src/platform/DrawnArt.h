// The image sheets at any ratio, and the pictures of a scaled screen. At a
// ratio of device pixels per layout pixel other than 1 the game draws its
// image sheets and compiled-in pictures itself, at exactly that ratio, and
// keeps them in a cache for the next start; the drawing lives in the module
// libzk-art.so of the program directory (platform/art/DrawnArtModule.h),
// loaded at the first need, so that a game at 1x holds none of it. Where the
// module cannot be loaded, the 1x pictures are scaled instead.
#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace zk::platform {

// The image sheet `name` (e.g. "b1") at a ratio of device pixels per layout
// pixel: at 1 the file of a directory ending in "/" ("b1.bmp"), at any other
// ratio drawn at that ratio. False, leaving the target untouched, when it
// does not load.
bool LoadSheet(const QString& directory, const QString& name, qreal ratio, QImage& target);

// The compiled-in picture `name` ("numbs1.png") drawn at a ratio other than
// 1, its device pixel ratio set to it; null when the drawing has none of
// that name (the window icon comes in pixel sizes instead) or the module of
// the program directory cannot be loaded.
QImage DrawnPicture(const std::string& programDirectory, const QString& name, qreal ratio);

// Starts making the sheets b1, b2 and b3 of a ratio on other threads, so
// that LoadSheet finds them ready. Does nothing at 1.
void PrepareSheets(const std::string& programDirectory, qreal ratio);

} // namespace zk::platform
