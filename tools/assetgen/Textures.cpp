#include "Textures.h"

#include "Shapes.h"

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

QImage SandTexture(std::uint32_t seed) {
    return Texture(48, 48, [seed](int x, int y) {
        const double n = Fbm(x / 11.0, y / 11.0, seed * 7u + 3u, 3);
        const QColor c = Mix(Rgb(0xC9B287), Rgb(0xDDCBA5), n);
        return Grain(c, x, y, seed, 4);
    });
}

QImage FloorTexture(std::uint32_t seed) {
    return Texture(48, 48, [seed](int x, int y) {
        const double n = Fbm(x / 10.0, y / 10.0, seed + 11u, 3);
        const QColor c = Mix(Rgb(0x332E28), Rgb(0x48413A), n);
        return Grain(c, x, y, seed + 5u, 4);
    });
}

QImage StoneTexture(std::uint32_t seed, const QColor& light, const QColor& dark, double scale) {
    return Texture(48, 48, [&](int x, int y) {
        const double n = Fbm(x / scale, y / scale, seed + 13u, 4);
        QColor c = Mix(dark, light, n);
        const double speck = Unit(Hash(U32(x), U32(y), seed + 29u));
        if (speck > 0.93) {
            c = Shade(c, 0.78);
        } else if (speck < 0.05) {
            c = Shade(c, 1.12);
        }
        return Grain(c, x, y, seed + 31u, 4);
    });
}

QImage StoneTexture(std::uint32_t seed, Tone tone, double scale) {
    const StoneTone& t = ToneOf(tone);
    return StoneTexture(seed, t.light, t.dark, scale);
}

QImage BrickTexture(std::uint32_t seed, const QColor& a, const QColor& b, const QColor& mortar,
                    int rowHeight, int brickLength) {
    return Texture(48, 48, [&](int x, int y) {
        const int row = y / rowHeight;
        const int offset = (row % 2) * (brickLength / 2);
        const int bx = (x + offset) / brickLength;
        const bool joint = y % rowHeight == 0 || (x + offset) % brickLength == 0;
        if (joint) {
            return Grain(mortar, x, y, seed, 5);
        }
        const double tint = Unit(Hash(U32(row), U32(Wrap(bx * brickLength) / brickLength), seed));
        const double n = Fbm(x / 5.0, y / 5.0, seed + U32(bx * 31 + row), 2);
        return Grain(Mix(a, b, tint * 0.7 + n * 0.3), x, y, seed + 1, 6);
    });
}

QImage CobbleTexture(std::uint32_t seed, int grid, Tone toneName, const QColor& mortar,
                     double jitter) {
    const StoneTone& tone = ToneOf(toneName);
    return Texture(48, 48, [&](int x, int y) {
        const double fx = x + 0.5;
        const double fy = y + 0.5;
        const Cell c = Voronoi(fx, fy, grid, seed, jitter);
        const double edge = c.d2 - c.d1;
        if (edge < 1.6) {
            return Grain(mortar, x, y, seed, 4);
        }
        const double tint = Unit(Hash(U32(c.id), seed, 5));
        QColor base = Mix(tone.dark, tone.light, 0.25 + tint * 0.75);
        // domed shading: light from the upper left
        const double dx = (fx - c.site.x()) / grid;
        const double dy = (fy - c.site.y()) / grid;
        const double light = std::clamp(1.0 - (dx + dy) * 0.35, 0.7, 1.25);
        base = Shade(base, light > 1.0 ? 1.0 + (light - 1.0) * 0.6 : light);
        if (edge < 2.6) {
            base = Shade(base, 0.8);
        }
        return Grain(base, x, y, seed + 3, 5);
    });
}

QImage HexTexture(std::uint32_t seed, Tone toneName) {
    const StoneTone& tone = ToneOf(toneName);
    // flat hexagon columns of basalt, period 48 x 48 (approximate hexes)
    return Texture(48, 48, [&](int x, int y) {
        const double fx = x + 0.5;
        const double fy = y + 0.5;
        // hex centres on a grid of 12 x 12 with every other column shifted by 6
        double best = 1e9, second = 1e9;
        int id = 0;
        for (int i = -1; i <= 4; ++i) {
            for (int j = -1; j <= 4; ++j) {
                const double cx = i * 12.0 + 6.0;
                const double cy = j * 12.0 + ((i % 2 + 2) % 2) * 6.0;
                const double dx = std::abs(fx - cx);
                const double dy = std::abs(fy - cy);
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
            return Grain(Shade(tone.dark, 0.55), x, y, seed, 3);
        }
        const double tint = Unit(Hash(U32(id), seed));
        return Grain(Mix(tone.dark, tone.light, 0.3 + 0.6 * tint), x, y, seed + 9, 5);
    });
}

QImage MarbleTexture(std::uint32_t seed, Tone toneName, const QColor& vein) {
    const StoneTone& tone = ToneOf(toneName);
    return Texture(48, 48, [&](int x, int y) {
        const double n = Fbm(x / 12.0, y / 12.0, seed, 4);
        const double v = std::sin((x * 0.8 + y * 0.45 + n * 26.0) / 4.0);
        QColor c = Mix(tone.dark, tone.light, Fbm(x / 8.0, y / 8.0, seed + 5, 3));
        const double veinAmount = std::clamp(1.0 - std::abs(v) * 5.0, 0.0, 1.0);
        c = Mix(c, vein, veinAmount * 0.75);
        return Grain(c, x, y, seed + 2, 2);
    });
}

QImage MossTexture(std::uint32_t seed, const QImage& stone) {
    QImage out = stone.copy();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const double n = Fbm(x / 9.0, y / 9.0, seed, 4);
            if (n > 0.55) {
                const double a = std::clamp((n - 0.55) * 7.0, 0.0, 1.0);
                const QColor moss =
                    Mix(Rgb(0x4E6B2A), Rgb(0x7C9A3E), Fbm(x / 3.0, y / 3.0, seed + 1, 2));
                out.setPixelColor(x, y, Mix(stone.pixelColor(x, y), Grain(moss, x, y, seed, 8), a));
            }
        }
    }
    return out;
}

QImage PlankTexture(std::uint32_t seed) {
    return Texture(48, 48, [&](int x, int y) {
        const int plank = y / 12;
        const bool joint = y % 12 == 0;
        const double ring =
            std::sin((x + Fbm(x / 10.0, y / 4.0, seed + U32(plank), 3) * 30.0) / 2.2);
        QColor c = Mix(Rgb(0x7A5434), Rgb(0x9C7048),
                       0.5 + ring * 0.25 + Unit(Hash(U32(plank), seed)) * 0.2);
        if (joint) {
            c = Rgb(0x3A2616);
        }
        return Grain(c, x, y, seed, 4);
    });
}

QImage MosaicTexture(std::uint32_t seed) {
    return Texture(48, 48, [&](int x, int y) {
        const int cx = x / 6;
        const int cy = y / 6;
        const bool joint = x % 6 == 0 || y % 6 == 0;
        if (joint) {
            return Grain(Rgb(0x5A544C), x, y, seed, 4);
        }
        // rings of tesserae around the middle four
        const int ring =
            std::abs(cx - 3 + (cx >= 4 ? -1 : 0)) + std::abs(cy - 3 + (cy >= 4 ? -1 : 0));
        const QColor c =
            ring % 3 == 0 ? Rgb(0xE4DCC8) : (ring % 3 == 1 ? Rgb(0x9A6450) : Rgb(0x56697C));
        return Grain(c, x, y, seed + U32(cx * 8 + cy), 6);
    });
}

} // namespace zk::art
