#include "art/Art.h"

#include <QFont>
#include <QFontDatabase>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zk::art {

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = 0x9E3779B9u ^ a;
    h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
    h ^= b * 0xC2B2AE35u;
    h = (h ^ (h >> 13)) * 0x27D4EB2Fu;
    h ^= c * 0x165667B1u;
    h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
    h = (h ^ (h >> 13)) * 0xC2B2AE35u;
    return h ^ (h >> 16);
}

double Unit(std::uint32_t h) {
    return static_cast<double>(h >> 8) / static_cast<double>(1u << 24);
}

namespace {
double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

double Lattice(int x, int y, std::uint32_t seed) {
    return Unit(Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed));
}
} // namespace

double ValueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double a = Lattice(ix, iy, seed);
    const double b = Lattice(ix + 1, iy, seed);
    const double c = Lattice(ix, iy + 1, seed);
    const double d = Lattice(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Fbm(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 7919u);
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        amplitude *= 0.5;
    }
    return sum / total;
}

int Px(double units, double scale) {
    return static_cast<int>(std::lround(units * scale));
}

QRect Scaled(const QRect& units, double scale) {
    const int left = Px(units.x(), scale);
    const int top = Px(units.y(), scale);
    return {left, top, Px(units.x() + units.width(), scale) - left,
            Px(units.y() + units.height(), scale) - top};
}

QImage Render(int w, int h, double scale, const DrawFn& draw, int factor, const QImage* backdrop) {
    return RenderInto(QSize(Px(w, scale), Px(h, scale)), w, h, scale, draw, factor, backdrop);
}

QImage RenderInto(QSize pixels, int w, int h, double scale, const DrawFn& draw, int factor,
                  const QImage* backdrop) {
    // Samples per pixel along each side: at a whole scale s, (factor + s - 1) / s.
    const int samples = std::max(1, static_cast<int>(std::ceil(factor / scale - 1e-9)));
    const int bigW = pixels.width() * samples;
    const int bigH = pixels.height() * samples;
    QImage big(bigW, bigH, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        if (backdrop != nullptr) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(QRect(0, 0, bigW, bigH),
                        backdrop->convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(static_cast<double>(bigW) / w, static_cast<double>(bigH) / h);
        draw(p);
    }
    return Downsample(big, samples);
}

void PutInto(QImage& sheet, const QRect& units, double scale, const QImage& image) {
    const QRect to = Scaled(units, scale);
    QImage fitted = image;
    if (image.size() != to.size()) {
        // Cut, then repeat the last column and row where the place is larger.
        fitted = image.copy(0, 0, to.width(), to.height());
        const int w = std::min(image.width(), to.width());
        const int h = std::min(image.height(), to.height());
        for (int y = 0; y < fitted.height(); ++y) {
            for (int x = 0; x < fitted.width(); ++x) {
                if (x >= w || y >= h) {
                    fitted.setPixel(x, y, image.pixel(std::min(x, w - 1), std::min(y, h - 1)));
                }
            }
        }
    }
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(to.topLeft(), fitted);
}

QImage Downsample(const QImage& source, int factor) {
    const QImage big = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = big.width() / factor;
    const int h = big.height() / factor;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int sa = 0, sr = 0, sg = 0, sb = 0;
            for (int j = 0; j < factor; ++j) {
                const auto* src = reinterpret_cast<const QRgb*>(big.constScanLine(y * factor + j));
                for (int i = 0; i < factor; ++i) {
                    const QRgb px = src[x * factor + i];
                    sa += qAlpha(px);
                    sr += qRed(px);
                    sg += qGreen(px);
                    sb += qBlue(px);
                }
            }
            dst[x] = qRgba((sr + n / 2) / n, (sg + n / 2) / n, (sb + n / 2) / n, (sa + n / 2) / n);
        }
    }
    return out;
}

QImage Opaque(const QImage& image) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    p.end();
    return out;
}

QImage DisabledLook(const QImage& glyph, double scale) {
    const QImage src = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage grey(src.size(), QImage::Format_ARGB32);
    QImage light(src.size(), QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* g = reinterpret_cast<QRgb*>(grey.scanLine(y));
        auto* l = reinterpret_cast<QRgb*>(light.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(s[x]);
            const int lum = (qRed(s[x]) * 299 + qGreen(s[x]) * 587 + qBlue(s[x]) * 114) / 1000;
            const int v = 112 + lum * 96 / 255;
            g[x] = qRgba(v, v, v, a);
            l[x] = qRgba(255, 255, 255, a * 3 / 4);
        }
    }
    QImage out(src.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage(Px(1, scale), Px(1, scale), light);
    p.drawImage(0, 0, grey);
    p.end();
    return out;
}

QImage SideBySide(const QImage& left, const QImage& right) {
    QImage out(left.width() + right.width(), std::max(left.height(), right.height()),
               QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, left);
    p.drawImage(left.width(), 0, right);
    p.end();
    return out;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int u, int v) { return static_cast<int>(std::lround(u + (v - u) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor Shade(const QColor& c, double factor) {
    if (factor >= 1.0) {
        return Mix(c, QColor(255, 255, 255, c.alpha()), factor - 1.0);
    }
    return Mix(QColor(0, 0, 0, c.alpha()), c, factor);
}

QColor Rgb(std::uint32_t rgb, int alpha) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF), alpha);
}

QImage Texture(int w, int h, double scale, const std::function<QColor(const Texel&)>& colourAt) {
    QImage out(Px(w, scale), Px(h, scale), QImage::Format_ARGB32_Premultiplied);
    const double unit = scale;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const Texel t{x, y, x / unit, y / unit, (x + 0.5) / unit, (y + 0.5) / unit};
            line[x] = qPremultiply(colourAt(t).rgba());
        }
    }
    return out;
}

namespace {
QFont PathFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100); // outlines are scaled afterwards; the size only picks the outline
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    font.setStyleStrategy(QFont::PreferOutline);
    (void)pixelSize;
    return font;
}
} // namespace

QPainterPath TextPath(const QString& text, double pixelSize, bool bold, QPointF baseline) {
    QPainterPath raw;
    raw.addText(QPointF(0, 0), PathFont(pixelSize, bold), text);
    QTransform t;
    t.translate(baseline.x(), baseline.y());
    t.scale(pixelSize / 100.0, pixelSize / 100.0);
    return t.map(raw);
}

QPainterPath CentredTextPath(const QString& text, double pixelSize, bool bold, double centreX,
                             double baselineY) {
    QPainterPath path = TextPath(text, pixelSize, bold, QPointF(0, baselineY));
    const QRectF box = path.boundingRect();
    return path.translated(centreX - box.center().x(), 0);
}

bool LoadFonts() {
    bool ok = true;
    for (const char* file : FontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0) {
            ok = false;
        }
    }
    return ok;
}

QPainterPath Star(QPointF centre, int points, double outer, double inner, double rotationDeg) {
    QPainterPath path;
    const double step = std::numbers::pi / points;
    const double start = rotationDeg * std::numbers::pi / 180.0 - std::numbers::pi / 2;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = start + i * step;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0) {
            path.moveTo(pt);
        } else {
            path.lineTo(pt);
        }
    }
    path.closeSubpath();
    return path;
}

} // namespace zk::art
