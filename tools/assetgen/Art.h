// Drawing helpers shared by every picture of the asset tool: deterministic
// noise, supersampled rendering with an exact box filter, colour arithmetic and
// the disabled look of toolbar glyphs. Nothing here depends on the time, the
// screen or font hinting, so the same source gives the same bytes on every run.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdint>
#include <functional>

namespace zk::art {

// A 32-bit integer hash (avalanching), the root of every "random" detail.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);

// Hash mapped to [0, 1).
double Unit(std::uint32_t h);

// Smooth value noise in [0, 1) on a unit lattice, and its fractal sum.
double ValueNoise(double x, double y, std::uint32_t seed);
double Fbm(double x, double y, std::uint32_t seed, int octaves);

using DrawFn = std::function<void(QPainter&)>;

// Draws `draw` in logical coordinates of w x h units, rasterised at `factor`
// times the size with antialiasing, then box-filtered down to w x h pixels.
// The result is ARGB32_Premultiplied; unpainted pixels stay transparent.
// A backdrop (w x h pixels) is laid under the drawing texel for texel.
QImage Render(int w, int h, const DrawFn& draw, int factor = 4, const QImage* backdrop = nullptr);

// Exact box filter by an integer factor; works on premultiplied ARGB.
QImage Downsample(const QImage& big, int factor);

// The image composed over black, as an opaque RGB32 image.
QImage Opaque(const QImage& image);

// The greyed, embossed look of a disabled glyph.
QImage DisabledLook(const QImage& glyph);

// Two images of equal height side by side.
QImage SideBySide(const QImage& left, const QImage& right);

// Colour arithmetic.
QColor Mix(const QColor& a, const QColor& b, double t);
QColor Shade(const QColor& c, double factor); // factor > 1 lightens, < 1 darkens
QColor Rgb(std::uint32_t rgb, int alpha = 255);

// A per-pixel texture (w x h) from a colour function, e.g. stone mottling.
QImage Texture(int w, int h, const std::function<QColor(int x, int y)>& colourAt);

// Text as an outline in DejaVu Sans (bold when asked), without hinting: the
// outline is the same on every machine that has the font.
QPainterPath TextPath(const QString& text, double pixelSize, bool bold, QPointF baseline);
// The same, centred horizontally on centreX.
QPainterPath CentredTextPath(const QString& text, double pixelSize, bool bold, double centreX,
                             double baselineY);

// Makes the DejaVu fonts known to the application; call once after the
// QGuiApplication exists. Returns false when the font files are missing.
bool LoadFonts();

// Regular polygon / star helpers.
QPainterPath Star(QPointF centre, int points, double outer, double inner, double rotationDeg);

} // namespace zk::art
