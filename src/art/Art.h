// Drawing helpers shared by every picture of the game: deterministic noise,
// supersampled rendering with an exact box filter, colour arithmetic and the
// disabled look of toolbar glyphs. Nothing here depends on the time, the
// screen or font hinting, so the same source gives the same bytes on every run
// (and in every thread).
//
// A picture is drawn at a scale of pixels per unit: 1 for the files the game
// reads, any other ratio of device pixels per layout pixel for a scaled
// screen. A coordinate or length of u units lies at Px(u, scale) pixels,
// rounded as the game rounds its block transfers, so the parts of a sheet lie
// where the game looks for them at every scale.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>

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

// Pixels of a coordinate or length in units at a scale: rounded half away
// from zero. Exact at whole scales.
int Px(double units, double scale);
// A rectangle in units as pixels at a scale, each edge rounded on its own:
// rectangles that meet in units meet in pixels.
QRect Scaled(const QRect& units, double scale);

// Draws `draw` in logical units of w x h at `scale` pixels per unit,
// rasterised with antialiasing at a further `factor` / `scale` (rounded up)
// times the size, then box-filtered down to Px(w) x Px(h) pixels. The finer
// the scale, the less supersampling it needs: a unit gets about factor x
// factor samples at every scale. The result is ARGB32_Premultiplied;
// unpainted pixels stay transparent. A backdrop (of the result's size) is
// laid under the drawing pixel for pixel.
QImage Render(int w, int h, double scale, const DrawFn& draw, int factor = 4,
              const QImage* backdrop = nullptr);
// The same into exactly `pixels`, the w x h units stretched to fill them
// (for a part of a sheet whose rounded edges make it a pixel wider or
// narrower than Px(w)).
QImage RenderInto(QSize pixels, int w, int h, double scale, const DrawFn& draw, int factor = 4,
                  const QImage* backdrop = nullptr);

// Puts an image into the rectangle `units` of a sheet drawn at `scale`,
// replacing what was there. Where rounding makes the rectangle's pixels
// differ from the image's size, the image's last column or row is repeated,
// or the image is cut.
void PutInto(QImage& sheet, const QRect& units, double scale, const QImage& image);

// Exact box filter by an integer factor; works on premultiplied ARGB.
QImage Downsample(const QImage& big, int factor);

// The image composed over black, as an opaque RGB32 image.
QImage Opaque(const QImage& image);

// The greyed, embossed look of a disabled glyph drawn at `scale`.
QImage DisabledLook(const QImage& glyph, double scale);

// Two images of equal height side by side.
QImage SideBySide(const QImage& left, const QImage& right);

// Colour arithmetic.
QColor Mix(const QColor& a, const QColor& b, double t);
QColor Shade(const QColor& c, double factor); // factor > 1 lightens, < 1 darkens
QColor Rgb(std::uint32_t rgb, int alpha = 255);

// One pixel of a texture drawn at some scale: which pixel it is (hashed grain
// is per pixel, so it stays as fine as the screen), and where its corner and
// its centre lie in units.
struct Texel {
    int px;
    int py;
    double x;
    double y;
    double cx;
    double cy;
};

// A per-pixel texture of Px(w) x Px(h) pixels at `scale` pixels per unit
// from a colour function, e.g. stone mottling. Patterns are functions of the
// unit coordinates, so every scale shows the same texture in finer detail.
QImage Texture(int w, int h, double scale, const std::function<QColor(const Texel&)>& colourAt);

// Text as an outline in DejaVu Sans (bold when asked), without hinting: the
// outline is the same on every machine that has the font.
QPainterPath TextPath(const QString& text, double pixelSize, bool bold, QPointF baseline);
// The same, centred horizontally on centreX.
QPainterPath CentredTextPath(const QString& text, double pixelSize, bool bold, double centreX,
                             double baselineY);

// The font files the text of the pictures is drawn from (fonts-dejavu-core).
inline constexpr const char* FontFiles[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                            "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

// Makes the DejaVu fonts known to the application; call once after the
// QGuiApplication exists. Returns false when the font files are missing.
bool LoadFonts();

// Regular polygon / star helpers.
QPainterPath Star(QPointF centre, int points, double outer, double inner, double rotationDeg);

} // namespace zk::art
