// Pictures compiled into the program (":/zk/<name>"), the window icon, glyphs
// and the forms' fonts. A missing picture gives a null pixmap, never an error.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace zk::platform {

// Makes the compiled-in pictures available; safe to call any number of times.
void InitPictures();

// The picture ":/zk/<name>", e.g. Picture("OKBtn.png"); null when missing.
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
// The 32 x 32 icon that forms show in their pictures.
QPixmap IconPicture();

// The forms' fonts: "MS Sans Serif" and "Arial" of height -h become the
// program's sans-serif family at a pixel height of h.
inline constexpr char FormFontFamily[] = "DejaVu Sans";
QFont FormFont(int pixelHeight, bool bold = false);

} // namespace zk::platform
