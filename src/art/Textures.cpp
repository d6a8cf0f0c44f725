#include "art/Textures.h"

#include "art/Shapes.h"

#include <algorithm>
#include <cmath>

namespace zk::art {
namespace {

// Wraps texel coordinates so that patterns with a period of 48 join
// seamlessly with the same piece placed beside them.
int Wrap(int v) {
    return ((v % 48) + 48) % 48;
}

struct Cell {
    double d1 = 1e9, d2 = 1e9;
    int id = 0;
    QPointF site;
};

// Voronoi cells on a jittered grid that repeats every 48 texels.
Cell Voronoi(double x, double y, int grid, std::uint32_t seed, double jitter) {
    const int n = 48 / grid;
    Cell c;
    const int gx = static_cast<int>(std::floor(x / grid));
    const int gy = static_cast<int>(std::floor(y / grid));
    for (int j = gy - 1; j <= gy + 1; ++j) {
        for (int i = gx - 1; i <= gx + 1; ++i) {
            const int wi = ((i % n) + n) % n;
            const int wj = ((j % n) + n) % n;
            const double jx = (Unit(Hash(U32(wi), U32(wj), seed)) - 0.5) * jitter;
            const double jy = (Unit(Hash(U32(wi), U32(wj), seed + 17)) - 0.5) * jitter;
            const QPointF site((i + 0.5 + jx) * grid, (j + 0.5 + jy) * grid);
            const double d = std::hypot(site.x() - x, site.y() - y);
            if (d < c.d1) {
                c.d2 = c.d1;
                c.d1 = d;
                c.id = wj * n + wi;
                c.site = site;
            } else if (d < c.d2) {
                c.d2 = d;
            }
        }
    }
    return c;
}

} // namespace

const StoneTone& ToneOf(Tone tone) {
    static const StoneTone tones[] = {
        {Rgb(0x9DA0A6), Rgb(0x75797F)}, // granite
        {Rgb(0x6F737B), Rgb(0x50535A)}, // slate
        {Rgb(0xB9AA91), Rgb(0x978870)}, // sandstone
        {Rgb(0xE2E1DC), Rgb(0xC4C3BD)}, // white marble
        {Rgb(0x8FA596), Rgb(0x60786A)}, // green marble
        {Rgb(0xA3A9B2), Rgb(0x868C96)}, // steel
    };
    return tones[static_cast<int>(tone)];
}

QColor Grain(const QColor& c, int x, int y, std::uint32_t seed, int amount) {
    const int g = static_cast<int>(Unit(Hash(U32(x), U32(y), seed)) * (2 * amount + 1)) - amount;
    return QColor(std::clamp(c.red() + g, 0, 255), std::clamp(c.green() + g, 0, 255),
                  std::clamp(c.blue() + g, 0, 255));
}

QImage SandTexture(std::uint32_t seed, double scale) {
    return Texture(48, 48, scale, [seed](const Texel& t) {
        const double n = Fbm(t.x / 11.0, t.y / 11.0, seed * 7u + 3u, 3);
        const QColor c = Mix(Rgb(0xC9B287), Rgb(0xDDCBA5), n);
        return Grain(c, t.px, t.py, seed, 4);
    });
}

QImage FloorTexture(std::uint32_t seed, double scale) {
    return Texture(48, 48, scale, [seed](const Texel& t) {
        const double n = Fbm(t.x / 10.0, t.y / 10.0, seed + 11u, 3);
        const QColor c = Mix(Rgb(0x332E28), Rgb(0x48413A), n);
        return Grain(c, t.px, t.py, seed + 5u, 4);
    });
}

QImage StoneTexture(std::uint32_t seed, const QColor& light, const QColor& dark, double size,
                    double scale) {
    return Texture(48, 48, scale, [&](const Texel& t) {
        const double n = Fbm(t.x / size, t.y / size, seed + 13u, 4);
        QColor c = Mix(dark, light, n);
        const double speck = Unit(Hash(U32(t.px), U32(t.py), seed + 29u));
        if (speck > 0.93) {
            c = Shade(c, 0.78);
        } else if (speck < 0.05) {
            c = Shade(c, 1.12);
        }
        return Grain(c, t.px, t.py, seed + 31u, 4);
    });
}

QImage StoneTexture(std::uint32_t seed, Tone tone, double scale, double size) {
    const StoneTone& t = ToneOf(tone);
    return StoneTexture(seed, t.light, t.dark, size, scale);
}

QImage BrickTexture(std::uint32_t seed, const QColor& a, const QColor& b, const QColor& mortar,
                    int rowHeight, int brickLength, double scale) {
    return Texture(48, 48, scale, [&](const Texel& t) {
        const int row = static_cast<int>(std::floor(t.y / rowHeight));
        const int offset = (row % 2) * (brickLength / 2);
        const double along = t.x + offset;
        const int bx = static_cast<int>(std::floor(along / brickLength));
        const bool joint = t.y - row * rowHeight < 1.0 || along - bx * brickLength < 1.0;
        if (joint) {
            return Grain(mortar, t.px, t.py, seed, 5);
        }
        const double tint = Unit(Hash(U32(row), U32(Wrap(bx * brickLength) / brickLength), seed));
        const double n = Fbm(t.x / 5.0, t.y / 5.0, seed + U32(bx * 31 + row), 2);
        return Grain(Mix(a, b, tint * 0.7 + n * 0.3), t.px, t.py, seed + 1, 6);
    });
}

QImage CobbleTexture(std::uint32_t seed, int grid, Tone toneName, const QColor& mortar,
                     double jitter, double scale) {
    const StoneTone& tone = ToneOf(toneName);
    return Texture(48, 48, scale, [&](const Texel& t) {
        const Cell c = Voronoi(t.cx, t.cy, grid, seed, jitter);
        const double edge = c.d2 - c.d1;
        if (edge < 1.6) {
            return Grain(mortar, t.px, t.py, seed, 4);
        }
        const double tint = Unit(Hash(U32(c.id), seed, 5));
        QColor base = Mix(tone.dark, tone.light, 0.25 + tint * 0.75);
        // domed shading: light from the upper left
        const double dx = (t.cx - c.site.x()) / grid;
        const double dy = (t.cy - c.site.y()) / grid;
        const double light = std::clamp(1.0 - (dx + dy) * 0.35, 0.7, 1.25);
        base = Shade(base, light > 1.0 ? 1.0 + (light - 1.0) * 0.6 : light);
        if (edge < 2.6) {
            base = Shade(base, 0.8);
        }
        return Grain(base, t.px, t.py, seed + 3, 5);
    });
}

QImage HexTexture(std::uint32_t seed, Tone toneName, double scale) {
    const StoneTone& tone = ToneOf(toneName);
    // flat hexagon columns of basalt, period 48 x 48 (approximate hexes)
    return Texture(48, 48, scale, [&](const Texel& t) {
        // hex centres on a grid of 12 x 12 with every other column shifted by 6
        double best = 1e9, second = 1e9;
        int id = 0;
        for (int i = -1; i <= 4; ++i) {
            for (int j = -1; j <= 4; ++j) {
                const double cx = i * 12.0 + 6.0;
                const double cy = j * 12.0 + ((i % 2 + 2) % 2) * 6.0;
                const double dx = std::abs(t.cx - cx);
                const double dy = std::abs(t.cy - cy);
                const double d = std::max(dx * 0.866 + dy * 0.5, dy);
                if (d < best) {
                    second = best;
                    best = d;
                    id = ((i % 4 + 4) % 4) * 4 + ((j % 4 + 4) % 4);
                } else if (d < second) {
                    second = d;
                }
            }
        }
        if (second - best < 1.2) {
            return Grain(Shade(tone.dark, 0.55), t.px, t.py, seed, 3);
        }
        const double tint = Unit(Hash(U32(id), seed));
        return Grain(Mix(tone.dark, tone.light, 0.3 + 0.6 * tint), t.px, t.py, seed + 9, 5);
    });
}

QImage MarbleTexture(std::uint32_t seed, Tone toneName, const QColor& vein, double scale) {
    const StoneTone& tone = ToneOf(toneName);
    return Texture(48, 48, scale, [&](const Texel& t) {
        const double n = Fbm(t.x / 12.0, t.y / 12.0, seed, 4);
        const double v = std::sin((t.x * 0.8 + t.y * 0.45 + n * 26.0) / 4.0);
        QColor c = Mix(tone.dark, tone.light, Fbm(t.x / 8.0, t.y / 8.0, seed + 5, 3));
        const double veinAmount = std::clamp(1.0 - std::abs(v) * 5.0, 0.0, 1.0);
        c = Mix(c, vein, veinAmount * 0.75);
        return Grain(c, t.px, t.py, seed + 2, 2);
    });
}

QImage MossTexture(std::uint32_t seed, const QImage& stone, double scale) {
    QImage out = stone.copy();
    const double unit = scale;
    for (int py = 0; py < stone.height(); ++py) {
        for (int px = 0; px < stone.width(); ++px) {
            const double x = px / unit;
            const double y = py / unit;
            const double n = Fbm(x / 9.0, y / 9.0, seed, 4);
            if (n > 0.55) {
                const double a = std::clamp((n - 0.55) * 7.0, 0.0, 1.0);
                const QColor moss =
                    Mix(Rgb(0x4E6B2A), Rgb(0x7C9A3E), Fbm(x / 3.0, y / 3.0, seed + 1, 2));
                out.setPixelColor(px, py,
                                  Mix(stone.pixelColor(px, py), Grain(moss, px, py, seed, 8), a));
            }
        }
    }
    return out;
}

QImage PlankTexture(std::uint32_t seed, double scale) {
    return Texture(48, 48, scale, [&](const Texel& t) {
        const int plank = static_cast<int>(std::floor(t.y / 12));
        const bool joint = t.y - plank * 12 < 1.0;
        const double ring =
            std::sin((t.x + Fbm(t.x / 10.0, t.y / 4.0, seed + U32(plank), 3) * 30.0) / 2.2);
        QColor c = Mix(Rgb(0x7A5434), Rgb(0x9C7048),
                       0.5 + ring * 0.25 + Unit(Hash(U32(plank), seed)) * 0.2);
        if (joint) {
            c = Rgb(0x3A2616);
        }
        return Grain(c, t.px, t.py, seed, 4);
    });
}

QImage MosaicTexture(std::uint32_t seed, double scale) {
    return Texture(48, 48, scale, [&](const Texel& t) {
        const int cx = static_cast<int>(std::floor(t.x / 6));
        const int cy = static_cast<int>(std::floor(t.y / 6));
        const bool joint = t.x - cx * 6 < 1.0 || t.y - cy * 6 < 1.0;
        if (joint) {
            return Grain(Rgb(0x5A544C), t.px, t.py, seed, 4);
        }
        // rings of tesserae around the middle four
        const int ring =
            std::abs(cx - 3 + (cx >= 4 ? -1 : 0)) + std::abs(cy - 3 + (cy >= 4 ? -1 : 0));
        const QColor c =
            ring % 3 == 0 ? Rgb(0xE4DCC8) : (ring % 3 == 1 ? Rgb(0x9A6450) : Rgb(0x56697C));
        return Grain(c, t.px, t.py, seed + U32(cx * 8 + cy), 6);
    });
}

} // namespace zk::art
