// Pictures compiled into the program (":/zk/<name>"), the window icon, glyphs
// and the forms' fonts. A missing picture gives a null pixmap, never an error.
// On a screen of more device pixels than layout pixels the pictures are drawn
// at the screen's resolution (platform/DrawnArt.h).
#pragma once

#include <QByteArray>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <string>

namespace zk::platform {

// Makes the compiled-in pictures available; safe to call any number of times.
void InitPictures();

// The device pixels per layout pixel the pictures are made for. At 1, the
// default, every picture is the compiled-in one as it is. At another ratio
// every picture is drawn at it, by the module of the program directory
// (platform/DrawnArt.h); one the drawing lacks (the window icon's sizes) is
// the 1x one, scaled. Drawing the image sheets of that ratio starts at once.
void UsePictureRatio(qreal ratio, const std::string& programDirectory);
qreal PictureRatio();

// The picture at a ratio, its device pixel ratio set to it; null when
// missing.
QImage PictureImage(const QString& name, qreal ratio);

// The picture ":/zk/<name>", e.g. Picture("OKBtn.png"), at the pictures'
// ratio; null when missing.
QPixmap Picture(const QString& name);

// A glyph of numGlyphs images side by side: the first is the normal look,
// the second (when there is one) the disabled look.
struct Glyph {
    QPixmap normal;
    QPixmap disabled; // null when the glyph has one image
};
Glyph LoadGlyph(const QString& name, int numGlyphs);
QIcon GlyphIcon(const Glyph& glyph);

// The window icon in every size the program carries.
QIcon WindowIcon();
// The 32 x 32 icon that forms show in their pictures, at the pictures'
// ratio from the icon size nearest above it.
QPixmap IconPicture();

// The forms' fonts: "MS Sans Serif" and "Arial" of height -h become the
// program's sans-serif family at a pixel height of h.
inline constexpr char FormFontFamily[] = "DejaVu Sans";
QFont FormFont(int pixelHeight, bool bold = false);

} // namespace zk::platform
