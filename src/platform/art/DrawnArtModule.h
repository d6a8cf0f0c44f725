// The pictures of a scaled screen, drawn: the image sheets and the
// compiled-in pictures at exactly the screen's ratio, the first time they are
// needed, kept in the cache (ArtCache.h) for the next start. The sheets are
// drawn on other threads from the moment the ratio is known, so that they are
// ready when start-up asks for them after the splash.
//
// This lives in the module libzk-art.so of the program directory with the
// drawing code itself; the program loads it only at a ratio other than 1
// (platform/DrawnArt.h).
#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace zk::platform::drawn {

// The image sheet "b1", "b2", "b3" or "b5" at a ratio other than 1, in the
// sheets' format, its device pixel ratio set to it; null for another name.
QImage Sheet(const QString& name, double ratio);

// The compiled-in picture `name` ("numbs1.png") at a ratio other than 1, its
// device pixel ratio set to it; null when there is none of that name at
// other ratios (the window icon comes in pixel sizes instead).
QImage Picture(const QString& name, double ratio);

// Starts making the sheets b1, b2 and b3 of a ratio on other threads: read
// from the cache, or drawn and stored there. Does nothing at 1 or when they
// are under way already.
void PrepareSheets(double ratio);

// What the pictures are drawn by, the key of the cache's entries: the art's
// version, Qt's, and the stamps of the font files the drawing reads.
std::string CacheKey();

// What the module hands the program: the three functions above.
struct Functions {
    QImage (*sheet)(const QString& name, double ratio);
    QImage (*picture)(const QString& name, double ratio);
    void (*prepareSheets)(double ratio);
};
using EntryFunction = const Functions* (*)();
inline constexpr const char* ModuleName = "libzk-art.so";
inline constexpr const char* EntrySymbol = "zk_drawn_art";

} // namespace zk::platform::drawn
