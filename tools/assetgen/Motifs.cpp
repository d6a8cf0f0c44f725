#include "Motifs.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zk::art {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr QPointF Mid(24.0, 24.0);

std::uint32_t U(int v) {
    return static_cast<std::uint32_t>(v);
}

QColor Grain(const QColor& c, int x, int y, std::uint32_t seed, int amount) {
    const int g = static_cast<int>(Unit(Hash(U(x), U(y), seed)) * (2 * amount + 1)) - amount;
    return QColor(std::clamp(c.red() + g, 0, 255), std::clamp(c.green() + g, 0, 255),
                  std::clamp(c.blue() + g, 0, 255));
}

// Wraps texel coordinates so that patterns with a period of 48 join
// seamlessly with the same piece placed beside them.
int Wrap(int v) {
    return ((v % 48) + 48) % 48;
}

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

// Relief: a raised shape casts a shadow to the lower right and catches the
// light on its upper left; a carved one does the opposite.
void Relief(QPainter& p, const QPainterPath& path, const QBrush& face, bool raised,
            double depth = 0.8) {
    const double s = raised ? 1.0 : -1.0;
    Fill(p, path.translated(s * depth, s * depth), QColor(0, 0, 0, 120));
    Fill(p, path.translated(-s * depth * 0.7, -s * depth * 0.7), QColor(255, 255, 255, 95));
    Fill(p, path, face);
}

QPainterPath Circle(QPointF c, double r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

QPainterPath Ring(QPointF c, double r1, double r2) {
    QPainterPath path;
    path.addEllipse(c, r2, r2);
    path.addEllipse(c, r1, r1);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath Poly(std::initializer_list<QPointF> pts) {
    QPainterPath path;
    path.addPolygon(QPolygonF(pts));
    path.closeSubpath();
    return path;
}

QRadialGradient Dome(QPointF c, double r, const QColor& light, const QColor& dark) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.35);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

// --- base textures ------------------------------------------------------------

struct StoneTone {
    QColor light;
    QColor dark;
};

constexpr std::uint32_t GraniteLight = 0x9DA0A6, GraniteDark = 0x75797F;
const StoneTone Granite{Rgb(GraniteLight), Rgb(GraniteDark)};
const StoneTone Slate{Rgb(0x6F737B), Rgb(0x50535A)};
const StoneTone Sandstone{Rgb(0xB9AA91), Rgb(0x978870)};
const StoneTone Marble{Rgb(0xE2E1DC), Rgb(0xC4C3BD)};
const StoneTone GreenMarble{Rgb(0x8FA596), Rgb(0x60786A)};

QImage Stone(std::uint32_t seed, const StoneTone& tone, double scale = 9.0) {
    return StoneTexture(seed, tone.light, tone.dark, scale);
}

// The slab every ornament sits on: stone texture, chiselled rim, bolts.
struct Slab {
    StoneTone tone = Granite;
    bool bolts = true;
};

// --- walls and floors drawn texel by texel -------------------------------------

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
        const double tint = Unit(Hash(U(row), U(Wrap(bx * brickLength) / brickLength), seed));
        const double n = Fbm(x / 5.0, y / 5.0, seed + U(bx * 31 + row), 2);
        return Grain(Mix(a, b, tint * 0.7 + n * 0.3), x, y, seed + 1, 6);
    });
}

void BrickRelief(QPainter& p, int rowHeight, int brickLength) {
    for (int row = 0; row * rowHeight < 48; ++row) {
        const int offset = (row % 2) * (brickLength / 2);
        const double top = row * rowHeight;
        p.setPen(QPen(QColor(255, 255, 255, 60), 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, top + 1.5), QPointF(48, top + 1.5));
        p.setPen(QPen(QColor(0, 0, 0, 70), 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, top + rowHeight - 0.5), QPointF(48, top + rowHeight - 0.5));
        for (int x = -offset; x < 48; x += brickLength) {
            if (x <= 0) {
                continue;
            }
            p.setPen(QPen(QColor(0, 0, 0, 70), 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(x - 0.5, top + 1), QPointF(x - 0.5, top + rowHeight));
            p.setPen(QPen(QColor(255, 255, 255, 50), 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(x + 1.5, top + 1), QPointF(x + 1.5, top + rowHeight));
        }
    }
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
            const double jx = (Unit(Hash(U(wi), U(wj), seed)) - 0.5) * jitter;
            const double jy = (Unit(Hash(U(wi), U(wj), seed + 17)) - 0.5) * jitter;
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

QImage CobbleTexture(std::uint32_t seed, int grid, const StoneTone& tone, const QColor& mortar,
                     double jitter) {
    return Texture(48, 48, [&](int x, int y) {
        const double fx = x + 0.5;
        const double fy = y + 0.5;
        const Cell c = Voronoi(fx, fy, grid, seed, jitter);
        const double edge = c.d2 - c.d1;
        if (edge < 1.6) {
            return Grain(mortar, x, y, seed, 4);
        }
        const double tint = Unit(Hash(U(c.id), seed, 5));
        QColor base = Mix(tone.dark, tone.light, 0.25 + tint * 0.75);
        // domed shading: light from the upper left
        const double dx = (fx - c.site.x()) / grid;
        const double dy = (fy - c.site.y()) / grid;
        const double light =
            std::clamp(1.0 - (dx + dy) * 0.35 - std::min(edge, 6.0) * 0.0, 0.7, 1.25);
        base = Shade(base, light > 1.0 ? 1.0 + (light - 1.0) * 0.6 : light);
        if (edge < 2.6) {
            base = Shade(base, 0.8);
        }
        return Grain(base, x, y, seed + 3, 5);
    });
}

QImage HexTexture(std::uint32_t seed, const StoneTone& tone) {
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
        const double tint = Unit(Hash(U(id), seed));
        return Grain(Mix(tone.dark, tone.light, 0.3 + 0.6 * tint), x, y, seed + 9, 5);
    });
}

QImage MarbleTexture(std::uint32_t seed, const StoneTone& tone, const QColor& vein) {
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
        const double ring = std::sin((x + Fbm(x / 10.0, y / 4.0, seed + U(plank), 3) * 30.0) / 2.2);
        QColor c =
            Mix(Rgb(0x7A5434), Rgb(0x9C7048), 0.5 + ring * 0.25 + Unit(Hash(U(plank), seed)) * 0.2);
        if (joint) {
            c = Rgb(0x3A2616);
        }
        return Grain(c, x, y, seed, 4);
    });
}

void SlabRim(QPainter& p, const Slab& slab) {
    DrawStoneRim(p);
    if (slab.bolts) {
        DrawCornerBolts(p);
    }
}

// A recessed round panel in the middle of a slab, where ornaments sit.
void Panel(QPainter& p, double r, const QColor& floor) {
    Fill(p, Circle(Mid, r + 1.5), QColor(255, 255, 255, 70));
    Fill(p, Circle(Mid + QPointF(-0.6, -0.6), r + 0.6), QColor(0, 0, 0, 120));
    QRadialGradient g(Mid + QPointF(2, 2), r * 1.3);
    g.setColorAt(0, floor);
    g.setColorAt(1, Shade(floor, 0.75));
    Fill(p, Circle(Mid, r), g);
}

// --- ornaments ------------------------------------------------------------------

void Rosette(QPainter& p, const QColor& face) {
    QPainterPath petals;
    for (int i = 0; i < 8; ++i) {
        QPainterPath petal;
        petal.addEllipse(QPointF(0, -9), 3.6, 8.2);
        QTransform t;
        t.translate(24, 24);
        t.rotate(i * 45.0);
        petals = petals.united(t.map(petal));
    }
    Relief(p, petals, face, true, 0.9);
    QPainterPath inner;
    for (int i = 0; i < 8; ++i) {
        QPainterPath petal;
        petal.addEllipse(QPointF(0, -7), 1.8, 5.0);
        QTransform t;
        t.translate(24, 24);
        t.rotate(22.5 + i * 45.0);
        inner = inner.united(t.map(petal));
    }
    Relief(p, inner, Shade(face, 1.12), true, 0.6);
    Relief(p, Circle(Mid, 4.2), Shade(face, 0.85), true, 0.7);
    Fill(p, Circle(Mid, 1.6), Shade(face, 0.6));
}

void GoldStar(QPainter& p, int points, double outer, double inner) {
    const QPainterPath star = Star(Mid, points, outer, inner, 0);
    Fill(p, star.translated(1.0, 1.2), QColor(0, 0, 0, 120));
    QLinearGradient g(QPointF(10, 10), QPointF(38, 38));
    g.setColorAt(0, Rgb(0xFFF0A8));
    g.setColorAt(0.5, Rgb(0xE4AE28));
    g.setColorAt(1, Rgb(0x9A680A));
    p.setPen(QPen(Rgb(0x5E3F06), 0.9));
    p.setBrush(g);
    p.drawPath(star);
    // the bevel lines of a cut star
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.6));
    for (int i = 0; i < points; ++i) {
        const double a = -Pi / 2 + i * 2 * Pi / points;
        p.drawLine(Mid, Mid + QPointF(std::cos(a), std::sin(a)) * outer * 0.92);
    }
}

void Gem(QPainter& p, const QColor& light, const QColor& mid, const QColor& dark, int cut) {
    // gold setting
    Fill(p, Circle(Mid + QPointF(0.8, 1.0), 12.0), QColor(0, 0, 0, 110));
    Fill(p, Circle(Mid, 12.0), Dome(Mid, 12, Rgb(0xFFF0A8), Rgb(0x8A5E0A)));
    Fill(p, Circle(Mid, 10.2), Rgb(0x5E3F06));
    for (int i = 0; i < 4; ++i) {
        const double a = Pi / 4 + i * Pi / 2;
        Fill(p, Circle(Mid + QPointF(std::cos(a), std::sin(a)) * 10.6, 1.7),
             Dome(Mid + QPointF(std::cos(a), std::sin(a)) * 10.6, 1.7, Rgb(0xFFF6C8),
                  Rgb(0xA87810)));
    }
    QPainterPath stone;
    const int sides = cut == 0 ? 8 : 6;
    for (int i = 0; i < sides; ++i) {
        const double a = -Pi / 2 + Pi / sides + i * 2 * Pi / sides;
        const QPointF pt = Mid + QPointF(std::cos(a), std::sin(a)) * 9.2;
        i == 0 ? stone.moveTo(pt) : stone.lineTo(pt);
    }
    stone.closeSubpath();
    QLinearGradient g(QPointF(15, 15), QPointF(33, 33));
    g.setColorAt(0, light);
    g.setColorAt(0.45, mid);
    g.setColorAt(1, dark);
    p.setPen(QPen(Shade(dark, 0.6), 0.8));
    p.setBrush(g);
    p.drawPath(stone);
    // table facet
    QPainterPath table;
    for (int i = 0; i < sides; ++i) {
        const double a = -Pi / 2 + Pi / sides + i * 2 * Pi / sides;
        const QPointF pt = Mid + QPointF(std::cos(a), std::sin(a)) * 5.0;
        i == 0 ? table.moveTo(pt) : table.lineTo(pt);
    }
    table.closeSubpath();
    QLinearGradient tg(QPointF(20, 20), QPointF(29, 29));
    tg.setColorAt(0, Shade(light, 1.2));
    tg.setColorAt(1, mid);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.6));
    p.setBrush(tg);
    p.drawPath(table);
    for (int i = 0; i < sides; ++i) {
        const double a = -Pi / 2 + Pi / sides + i * 2 * Pi / sides;
        p.drawLine(Mid + QPointF(std::cos(a), std::sin(a)) * 5.0,
                   Mid + QPointF(std::cos(a), std::sin(a)) * 9.2);
    }
    Fill(p, Circle(Mid + QPointF(-2.6, -3.2), 1.4), QColor(255, 255, 255, 230));
}

void Compass(QPainter& p) {
    p.setPen(QPen(Rgb(0x3B3024), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Mid, 14.5, 14.5);
    p.drawEllipse(Mid, 12.5, 12.5);
    for (int i = 0; i < 16; ++i) {
        const double a = i * Pi / 8;
        const double r1 = i % 2 == 0 ? 12.5 : 13.5;
        p.drawLine(Mid + QPointF(std::cos(a), std::sin(a)) * r1,
                   Mid + QPointF(std::cos(a), std::sin(a)) * 14.5);
    }
    const QPainterPath minor = Star(Mid, 4, 10.0, 2.6, 45);
    Fill(p, minor.translated(0.7, 0.9), QColor(0, 0, 0, 100));
    p.setPen(QPen(Rgb(0x3B3024), 0.7));
    p.setBrush(Rgb(0x8A7A66));
    p.drawPath(minor);
    // the major points, each half light, half dark
    for (int i = 0; i < 4; ++i) {
        const double a = -Pi / 2 + i * Pi / 2;
        const QPointF tip = Mid + QPointF(std::cos(a), std::sin(a)) * 15.5;
        const QPointF l = Mid + QPointF(std::cos(a - Pi / 2), std::sin(a - Pi / 2)) * 3.2;
        const QPointF r = Mid + QPointF(std::cos(a + Pi / 2), std::sin(a + Pi / 2)) * 3.2;
        p.setPen(QPen(Rgb(0x2A2118), 0.6));
        p.setBrush(i == 0 ? Rgb(0xB8322A) : Rgb(0xEDE6D8));
        p.drawPolygon(QPolygonF({Mid, l, tip}));
        p.setBrush(i == 0 ? Rgb(0x7A1A14) : Rgb(0x6B5F50));
        p.drawPolygon(QPolygonF({Mid, tip, r}));
    }
    Fill(p, Circle(Mid, 1.8), Rgb(0xD4A32A));
}

void KnotRings(QPainter& p, const QColor& band) {
    // three interlaced rings, drawn over and under
    std::array<QPointF, 3> centres;
    for (int i = 0; i < 3; ++i) {
        const double a = -Pi / 2 + i * 2 * Pi / 3;
        centres[static_cast<std::size_t>(i)] = Mid + QPointF(std::cos(a), std::sin(a)) * 5.5;
    }
    auto ring = [&](QPointF c) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Shade(band, 0.45), 3.6));
        p.drawEllipse(c, 8.5, 8.5);
        p.setPen(QPen(band, 2.4));
        p.drawEllipse(c, 8.5, 8.5);
        p.setPen(QPen(Shade(band, 1.35), 0.7));
        p.drawEllipse(c, 8.5, 8.5);
    };
    for (const QPointF& c : centres) {
        ring(c);
    }
    // re-draw a piece of the first ring to weave it over the last
    p.save();
    p.setClipRect(QRectF(centres[0].x() - 12, centres[0].y(), 9, 10));
    ring(centres[0]);
    p.restore();
    Fill(p, Circle(Mid, 1.6), Shade(band, 0.5));
}

void SunDisc(QPainter& p, const QColor& face) {
    QPainterPath rays = Star(Mid, 12, 15.5, 9.5, 0);
    Relief(p, rays, Shade(face, 0.92), true, 0.8);
    Relief(p, Circle(Mid, 8.8), face, true, 0.8);
    p.setPen(QPen(Shade(face, 0.55), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // a calm face
    p.drawArc(QRectF(19.5, 19.5, 4, 3), 20 * 16, 140 * 16);
    p.drawArc(QRectF(24.5, 19.5, 4, 3), 20 * 16, 140 * 16);
    p.drawArc(QRectF(20.5, 23.0, 7, 5), 200 * 16, 140 * 16);
}

void Moon(QPainter& p) {
    QPainterPath crescent =
        Circle(Mid + QPointF(-1, 0), 11.5).subtracted(Circle(Mid + QPointF(5, -3), 10));
    Fill(p, crescent.translated(0.8, 1.0), QColor(0, 0, 0, 130));
    QLinearGradient g(QPointF(14, 14), QPointF(30, 34));
    g.setColorAt(0, Rgb(0xF4F6FA));
    g.setColorAt(1, Rgb(0x9AA3B2));
    p.setPen(QPen(Rgb(0x4A5260), 0.7));
    p.setBrush(g);
    p.drawPath(crescent);
    for (const auto& [c, r] : std::array<std::pair<QPointF, double>, 3>{
             {{{31.5, 17.0}, 2.6}, {{35.0, 27.0}, 1.8}, {{27.5, 31.5}, 1.4}}}) {
        p.setBrush(Rgb(0xF4F6FA));
        p.drawPath(Star(c, 4, r, r * 0.35, 0));
    }
}

void Runes(QPainter& p, std::uint32_t seed) {
    // a carved tablet with invented rune strokes
    QPainterPath tablet;
    tablet.addRoundedRect(QRectF(11, 9, 26, 30), 3, 3);
    Relief(p, tablet, Rgb(0x8C8F95), true, 0.9);
    p.setPen(QPen(Rgb(0x34363B), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const double x = 15.0 + col * 7.0;
            const double y = 13.0 + row * 8.5;
            const std::uint32_t h = Hash(U(row), U(col), seed);
            QPainterPath r;
            r.moveTo(x + 2, y);
            r.lineTo(x + 2, y + 6);
            if (h & 1) {
                r.moveTo(x + 2, y + 1);
                r.lineTo(x + 4.5, y + 3);
            }
            if (h & 2) {
                r.moveTo(x + 2, y + 3);
                r.lineTo(x - 0.5, y + 5);
            }
            if (h & 4) {
                r.moveTo(x - 0.5, y + 1);
                r.lineTo(x + 2, y + 3);
            }
            if ((h & 7) == 0) {
                r.moveTo(x + 4.5, y + 6);
                r.lineTo(x + 2, y + 3.5);
            }
            p.drawPath(r);
        }
    }
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.6));
    p.drawLine(QPointF(12, 38.2), QPointF(36.2, 38.2));
}

void ShieldEmblem(QPainter& p, const QColor& field, const QColor& charge) {
    QPainterPath shield;
    shield.moveTo(13, 11);
    shield.lineTo(35, 11);
    shield.lineTo(35, 23);
    shield.cubicTo(35, 32, 29, 36, 24, 39);
    shield.cubicTo(19, 36, 13, 32, 13, 23);
    shield.closeSubpath();
    Fill(p, shield.translated(1, 1.2), QColor(0, 0, 0, 130));
    QLinearGradient g(QPointF(13, 11), QPointF(35, 39));
    g.setColorAt(0, Shade(field, 1.25));
    g.setColorAt(1, Shade(field, 0.7));
    p.setPen(QPen(Rgb(0xD8DCE2), 1.6));
    p.setBrush(g);
    p.drawPath(shield);
    p.setPen(QPen(Rgb(0x2A2D33), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    // a cross charge
    QPainterPath cross;
    cross.addRect(QRectF(22, 14, 4, 21));
    cross.addRect(QRectF(16, 20, 16, 4));
    cross.setFillRule(Qt::WindingFill);
    Fill(p, cross.simplified(), charge);
    p.setPen(QPen(QColor(0, 0, 0, 90), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cross.simplified());
}

void Spiral(QPainter& p, const QColor& groove) {
    QPainterPath s;
    for (int i = 0; i <= 160; ++i) {
        const double a = i * 0.12;
        const double r = 1.0 + a * 0.78;
        const QPointF pt = Mid + QPointF(std::cos(a), std::sin(a)) * r;
        i == 0 ? s.moveTo(pt) : s.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(s.translated(0.6, 0.6));
    p.setPen(QPen(groove, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(s);
}

void Pillar(QPainter& p, const StoneTone& tone) {
    Fill(p, Circle(Mid + QPointF(1.6, 2.0), 16.5), QColor(0, 0, 0, 100));
    Fill(p, Circle(Mid, 16.5), Dome(Mid, 16.5, Shade(tone.light, 1.25), Shade(tone.dark, 0.7)));
    p.setBrush(Qt::NoBrush);
    for (double r : {13.5, 10.0}) {
        p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        p.drawEllipse(Mid, r, r);
        p.setPen(QPen(QColor(255, 255, 255, 80), 0.7));
        p.drawEllipse(Mid + QPointF(-0.6, -0.6), r, r);
    }
    Fill(p, Circle(Mid, 6.5), Dome(Mid, 6.5, Shade(tone.light, 1.3), tone.dark));
}

void Well(QPainter& p) {
    Fill(p, Circle(Mid + QPointF(1.2, 1.6), 17), QColor(0, 0, 0, 110));
    // stone ring made of blocks
    Fill(p, Circle(Mid, 17), Rgb(0x3C3F45));
    for (int i = 0; i < 10; ++i) {
        QPainterPath block;
        block.arcMoveTo(QRectF(7.6, 7.6, 32.8, 32.8), i * 36.0 + 2);
        block.arcTo(QRectF(7.6, 7.6, 32.8, 32.8), i * 36.0 + 2, 32);
        block.arcTo(QRectF(12.5, 12.5, 23, 23), i * 36.0 + 34, -32);
        block.closeSubpath();
        const double tint = Unit(Hash(U(i), 77));
        Fill(p, block, Dome(Mid, 17, Mix(Rgb(0xB9BCC2), Rgb(0xD6D8DC), tint), Rgb(0x6C7078)));
    }
    QRadialGradient water(Mid + QPointF(2, 2), 12);
    water.setColorAt(0, Rgb(0x2F6FB8));
    water.setColorAt(0.7, Rgb(0x123A6E));
    water.setColorAt(1, Rgb(0x081A33));
    Fill(p, Circle(Mid, 11.2), water);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 230, 255, 140), 0.8));
    p.drawEllipse(Mid + QPointF(-1, -1), 4.5, 3.0);
    p.drawEllipse(Mid + QPointF(-1, -1), 7.5, 5.0);
}

void Bush(QPainter& p, std::uint32_t seed, bool flowers) {
    // a stone planter with a round bush
    QPainterPath planter;
    planter.addRoundedRect(QRectF(6, 6, 36, 36), 4, 4);
    Relief(p, planter, Rgb(0x8E9197), true, 1.0);
    Fill(p, Poly({{10, 10}, {38, 10}, {38, 38}, {10, 38}}), Rgb(0x3B2A1C));
    for (int i = 0; i < 26; ++i) {
        const double a = Unit(Hash(U(i), seed)) * 2 * Pi;
        const double r = std::sqrt(Unit(Hash(U(i), seed, 1))) * 10.5;
        const QPointF c = Mid + QPointF(std::cos(a), std::sin(a)) * r;
        const double size = 3.6 + Unit(Hash(U(i), seed, 2)) * 2.6;
        Fill(p, Circle(c + QPointF(0.8, 1.0), size), QColor(0, 0, 0, 60));
        Fill(p, Circle(c, size),
             Dome(c, size, Rgb(0x9CCB52), i % 3 == 0 ? Rgb(0x2E5A18) : Rgb(0x3E6E22)));
    }
    if (flowers) {
        for (int i = 0; i < 9; ++i) {
            const double a = Unit(Hash(U(i), seed, 9)) * 2 * Pi;
            const double r = 2 + Unit(Hash(U(i), seed, 10)) * 10;
            const QPointF c = Mid + QPointF(std::cos(a), std::sin(a)) * r;
            const QColor petal =
                i % 3 == 0 ? Rgb(0xF4F0F8) : (i % 3 == 1 ? Rgb(0xE87BB4) : Rgb(0xF2D24A));
            for (int k = 0; k < 5; ++k) {
                const double b = k * 2 * Pi / 5;
                Fill(p, Circle(c + QPointF(std::cos(b), std::sin(b)) * 1.3, 1.1), petal);
            }
            Fill(p, Circle(c, 0.8), Rgb(0xC47A12));
        }
    }
}

void Pyramid(QPainter& p, const StoneTone& tone) {
    const QPointF apex(24, 24);
    const QPointF a(7, 7), b(41, 7), c(41, 41), d(7, 41);
    Fill(p,
         Poly({a + QPointF(1.5, 1.5), b + QPointF(1.5, 1.5), c + QPointF(1.5, 1.5),
               d + QPointF(1.5, 1.5)}),
         QColor(0, 0, 0, 110));
    Fill(p, Poly({a, b, apex}), Shade(tone.light, 1.2));
    Fill(p, Poly({b, c, apex}), tone.dark);
    Fill(p, Poly({c, d, apex}), Shade(tone.dark, 0.75));
    Fill(p, Poly({d, a, apex}), tone.light);
    p.setPen(QPen(QColor(0, 0, 0, 70), 0.6));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < 4; ++i) {
        const double t = i / 4.0;
        p.drawPolygon(QPolygonF({apex + (a - apex) * t, apex + (b - apex) * t,
                                 apex + (c - apex) * t, apex + (d - apex) * t}));
    }
    Fill(p, Circle(apex, 2.0), Dome(apex, 2.0, Rgb(0xFFF0A8), Rgb(0xB07C12)));
}

void Brazier(QPainter& p) {
    Fill(p, Circle(Mid + QPointF(1.2, 1.6), 14), QColor(0, 0, 0, 120));
    Fill(p, Circle(Mid, 14), Dome(Mid, 14, Rgb(0x8A8F98), Rgb(0x2C2F35)));
    Fill(p, Circle(Mid, 11.4), Rgb(0x1A1208));
    QRadialGradient glow(Mid, 11);
    glow.setColorAt(0, Rgb(0xFFF6B0));
    glow.setColorAt(0.35, Rgb(0xFFB23A));
    glow.setColorAt(0.7, Rgb(0xD8461A));
    glow.setColorAt(1, QColor(90, 20, 5));
    QPainterPath flame = Star(Mid, 7, 10.5, 5.0, 10);
    Fill(p, flame, glow);
    Fill(p, Star(Mid, 5, 5.5, 2.8, 30), Rgb(0xFFF6C8));
    for (int i = 0; i < 4; ++i) {
        const double a = Pi / 4 + i * Pi / 2;
        DrawBolt(p, Mid + QPointF(std::cos(a), std::sin(a)) * 12.8, 1.5);
    }
}

void Keyhole(QPainter& p) {
    QPainterPath plate;
    plate.addRoundedRect(QRectF(12, 8, 24, 32), 4, 4);
    Fill(p, plate.translated(1, 1.3), QColor(0, 0, 0, 120));
    QLinearGradient g(QPointF(12, 8), QPointF(36, 40));
    g.setColorAt(0, Rgb(0xF2D88A));
    g.setColorAt(0.5, Rgb(0xB88A2A));
    g.setColorAt(1, Rgb(0x6E4E12));
    p.setPen(QPen(Rgb(0x3E2A08), 0.8));
    p.setBrush(g);
    p.drawPath(plate);
    QPainterPath hole = Circle(QPointF(24, 21), 3.6);
    hole.addPolygon(QPolygonF({{22.2, 22}, {25.8, 22}, {27.0, 32}, {21.0, 32}}));
    hole.setFillRule(Qt::WindingFill);
    Fill(p, hole.simplified(), Rgb(0x120C04));
    for (const QPointF c : {QPointF(16, 12), QPointF(32, 12), QPointF(16, 36), QPointF(32, 36)}) {
        DrawBolt(p, c, 1.4);
    }
}

void Sword(QPainter& p) {
    p.save();
    p.translate(24, 24);
    p.rotate(-45);
    QPainterPath blade = Poly({{-2.4, -6}, {2.4, -6}, {2.4, 13}, {0, 17}, {-2.4, 13}});
    Fill(p, blade.translated(1.2, 0.6), QColor(0, 0, 0, 110));
    QLinearGradient g(QPointF(-2.4, 0), QPointF(2.4, 0));
    g.setColorAt(0, Rgb(0xF2F5F9));
    g.setColorAt(0.5, Rgb(0xC4CBD4));
    g.setColorAt(0.51, Rgb(0x8D96A3));
    g.setColorAt(1, Rgb(0xAEB6C1));
    p.setPen(QPen(Rgb(0x3A3F48), 0.6));
    p.setBrush(g);
    p.drawPath(blade);
    p.setBrush(Rgb(0xC99A2E));
    p.drawRoundedRect(QRectF(-7.5, -8.5, 15, 3), 1.2, 1.2);
    p.setBrush(Rgb(0x5A3418));
    p.drawRect(QRectF(-1.6, -16, 3.2, 7.5));
    p.setBrush(Rgb(0xC99A2E));
    p.drawEllipse(QPointF(0, -17), 2.4, 2.4);
    p.restore();
}

void Crown(QPainter& p) {
    QPainterPath crown =
        Poly({{11, 33}, {9, 16}, {17, 23}, {24, 12}, {31, 23}, {39, 16}, {37, 33}});
    Fill(p, crown.translated(1, 1.3), QColor(0, 0, 0, 120));
    QLinearGradient g(QPointF(10, 12), QPointF(38, 34));
    g.setColorAt(0, Rgb(0xFFF0A8));
    g.setColorAt(0.5, Rgb(0xE2AA26));
    g.setColorAt(1, Rgb(0x8A5E0A));
    p.setPen(QPen(Rgb(0x5E3F06), 0.8));
    p.setBrush(g);
    p.drawPath(crown);
    p.drawRect(QRectF(11, 33, 26, 4));
    for (const QPointF c : {QPointF(9, 16), QPointF(24, 12), QPointF(39, 16)}) {
        Fill(p, Circle(c, 1.9), Dome(c, 1.9, Rgb(0xFFFFFF), Rgb(0xB8BEC8)));
    }
    Fill(p, Circle(QPointF(24, 27), 2.4), Dome(QPointF(24, 27), 2.4, Rgb(0xFFA0B0), Rgb(0x8E0A22)));
    Fill(p, Circle(QPointF(16.5, 29), 1.6),
         Dome(QPointF(16.5, 29), 1.6, Rgb(0xB0E0FF), Rgb(0x10408E)));
    Fill(p, Circle(QPointF(31.5, 29), 1.6),
         Dome(QPointF(31.5, 29), 1.6, Rgb(0xB0FFC0), Rgb(0x0E6E2A)));
}

void Hourglass(QPainter& p) {
    p.setPen(QPen(Rgb(0x3A2410), 0.8));
    p.setBrush(Rgb(0x8A5A2E));
    p.drawRoundedRect(QRectF(13, 8, 22, 4), 1.5, 1.5);
    p.drawRoundedRect(QRectF(13, 36, 22, 4), 1.5, 1.5);
    QPainterPath glass;
    glass.moveTo(16, 12);
    glass.lineTo(32, 12);
    glass.cubicTo(32, 19, 25.5, 21, 25.5, 24);
    glass.cubicTo(25.5, 27, 32, 29, 32, 36);
    glass.lineTo(16, 36);
    glass.cubicTo(16, 29, 22.5, 27, 22.5, 24);
    glass.cubicTo(22.5, 21, 16, 19, 16, 12);
    glass.closeSubpath();
    Fill(p, glass, QColor(220, 235, 245, 150));
    QPainterPath sand;
    sand.moveTo(18.5, 17);
    sand.lineTo(29.5, 17);
    sand.lineTo(24, 23.5);
    sand.closeSubpath();
    sand.addPolygon(QPolygonF({{17, 35.5}, {31, 35.5}, {24, 29}}));
    Fill(p, sand, Rgb(0xE8C46A));
    p.setPen(QPen(Rgb(0xE8C46A), 0.6));
    p.drawLine(QPointF(24, 23), QPointF(24, 30));
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    p.setPen(QPen(Rgb(0x5A3A1A), 1.6));
    p.drawLine(QPointF(14.5, 12), QPointF(14.5, 36));
    p.drawLine(QPointF(33.5, 12), QPointF(33.5, 36));
}

void Bell(QPainter& p) {
    QPainterPath bell;
    bell.moveTo(24, 10);
    bell.cubicTo(31, 10, 32, 16, 32, 24);
    bell.cubicTo(32, 30, 36, 32, 37, 35);
    bell.lineTo(11, 35);
    bell.cubicTo(12, 32, 16, 30, 16, 24);
    bell.cubicTo(16, 16, 17, 10, 24, 10);
    bell.closeSubpath();
    Fill(p, bell.translated(1.2, 1.2), QColor(0, 0, 0, 120));
    QLinearGradient g(QPointF(12, 0), QPointF(36, 0));
    g.setColorAt(0, Rgb(0x8A5E0A));
    g.setColorAt(0.35, Rgb(0xFFF0A8));
    g.setColorAt(1, Rgb(0x7A500A));
    p.setPen(QPen(Rgb(0x4E3404), 0.8));
    p.setBrush(g);
    p.drawPath(bell);
    p.setBrush(Rgb(0x6E4A08));
    p.drawEllipse(QPointF(24, 37), 2.6, 2.2);
    p.drawRoundedRect(QRectF(22, 6.5, 4, 4), 1.5, 1.5);
    p.setPen(QPen(QColor(0, 0, 0, 70), 0.7));
    p.drawLine(QPointF(15, 31), QPointF(33, 31));
}

void Lantern(QPainter& p) {
    QRadialGradient halo(Mid, 17);
    halo.setColorAt(0, QColor(255, 220, 120, 150));
    halo.setColorAt(1, QColor(255, 200, 80, 0));
    Fill(p, Circle(Mid, 17), halo);
    p.setPen(QPen(Rgb(0x1E2024), 1.0));
    p.setBrush(Rgb(0x2E3138));
    p.drawRect(QRectF(16, 13, 16, 4));
    p.drawRect(QRectF(16, 33, 16, 3));
    p.drawRoundedRect(QRectF(21, 8, 6, 5), 2, 2);
    QLinearGradient g(QPointF(17, 0), QPointF(31, 0));
    g.setColorAt(0, Rgb(0xFFB84A));
    g.setColorAt(0.5, Rgb(0xFFF4C0));
    g.setColorAt(1, Rgb(0xF08C28));
    p.setBrush(g);
    p.drawRect(QRectF(17.5, 17, 13, 16));
    p.setPen(QPen(Rgb(0x1E2024), 1.2));
    p.drawLine(QPointF(24, 17), QPointF(24, 33));
    p.drawLine(QPointF(17.5, 25), QPointF(30.5, 25));
}

void Key(QPainter& p) {
    p.save();
    p.translate(24, 24);
    p.rotate(-35);
    QPainterPath key = Ring(QPointF(-9, 0), 3.0, 6.5);
    QPainterPath shaft;
    shaft.addRect(QRectF(-3, -1.6, 17, 3.2));
    shaft.addRect(QRectF(9, 1.6, 2.6, 4.2));
    shaft.addRect(QRectF(13, 1.6, 2.2, 3.0));
    key = key.united(shaft);
    Fill(p, key.translated(1.0, 1.0), QColor(0, 0, 0, 120));
    QLinearGradient g(QPointF(-15, -6), QPointF(15, 6));
    g.setColorAt(0, Rgb(0xFFF0A8));
    g.setColorAt(0.5, Rgb(0xD7A02A));
    g.setColorAt(1, Rgb(0x8A5E0A));
    p.setPen(QPen(Rgb(0x4E3404), 0.7));
    p.setBrush(g);
    p.drawPath(key);
    p.restore();
}

void Crate(QPainter& p) {
    p.setPen(Qt::NoPen);
    // planks come from the texture; iron bands and a cross brace on top
    QPainterPath brace;
    brace.moveTo(6, 9);
    brace.lineTo(9, 6);
    brace.lineTo(42, 39);
    brace.lineTo(39, 42);
    brace.closeSubpath();
    Relief(p, brace, Rgb(0x8C6440), true, 0.8);
    p.setPen(QPen(Rgb(0x2A2C31), 4.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, 42, 42));
    p.setPen(QPen(Rgb(0x6E737C), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawRect(QRectF(3, 3, 42, 42));
    for (const QPointF c :
         {QPointF(5, 5), QPointF(43, 5), QPointF(5, 43), QPointF(43, 43), QPointF(24, 3.5),
          QPointF(24, 44.5), QPointF(3.5, 24), QPointF(44.5, 24)}) {
        DrawBolt(p, c, 1.5);
    }
}

void Barrel(QPainter& p) {
    Fill(p, Circle(Mid + QPointF(1.3, 1.7), 18), QColor(0, 0, 0, 120));
    Fill(p, Circle(Mid, 18), Rgb(0x2A2C31));
    Fill(p, Circle(Mid, 16.5), Dome(Mid, 16.5, Rgb(0xB3B9C2), Rgb(0x4A4E56)));
    Fill(p, Circle(Mid, 14.5), Rgb(0x4A3220));
    p.save();
    p.setClipPath(Circle(Mid, 14.5));
    for (int i = -3; i <= 3; ++i) {
        const double x = 24 + i * 4.4;
        QLinearGradient g(QPointF(x - 2.2, 0), QPointF(x + 2.2, 0));
        g.setColorAt(0, Rgb(0x7C5434));
        g.setColorAt(0.5, Rgb(0xA87A4E));
        g.setColorAt(1, Rgb(0x6A452A));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(QRectF(x - 2.0, 8, 4.0, 32));
    }
    p.restore();
    Fill(p, Circle(QPointF(29, 20), 2.0), Rgb(0x2A1A0E));
}

void Stairs(QPainter& p, int facing) {
    // steps going down towards `facing` (0 E, 1 N, 2 W, 3 S)
    p.save();
    p.translate(24, 24);
    p.rotate(-90.0 * facing);
    p.translate(-24, -24);
    for (int i = 0; i < 6; ++i) {
        const double x = 3 + i * 7.0;
        const QColor top = Mix(Rgb(0xC2C4C8), Rgb(0x55585E), i / 6.0);
        QRectF step(x, 3, 7.0, 42);
        p.setPen(Qt::NoPen);
        p.setBrush(top);
        p.drawRect(step);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawRect(QRectF(x + 5.6, 3, 1.4, 42));
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRect(QRectF(x, 3, 1.0, 42));
    }
    p.setPen(QPen(Rgb(0x3A3D43), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3, 3.5), QPointF(45, 3.5));
    p.drawLine(QPointF(3, 44.5), QPointF(45, 44.5));
    p.restore();
}

// One quarter of a large round mosaic spread over four tiles (2 x 2). The
// quarter is given by the corner of this tile that the mosaic's centre sits on.
void MosaicQuarter(QPainter& p, QPointF centre) {
    p.save();
    p.setClipRect(QRectF(0, 0, 48, 48));
    const std::array<QColor, 6> rings = {Rgb(0x6C7079), Rgb(0xE2E1DC), Rgb(0x7A5C50),
                                         Rgb(0xE2E1DC), Rgb(0x4E6A5A), Rgb(0xD8CFB8)};
    const std::array<double, 6> radii = {40, 37, 31, 27, 21, 17};
    for (std::size_t i = 0; i < rings.size(); ++i) {
        Fill(p, Circle(centre, radii[i]), rings[i]);
    }
    // tesserae joints
    p.setPen(QPen(QColor(40, 36, 30, 120), 0.5));
    p.setBrush(Qt::NoBrush);
    for (double r : radii) {
        p.drawEllipse(centre, r, r);
    }
    for (int i = 0; i < 48; ++i) {
        const double a = i * 2 * Pi / 48;
        p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * 17,
                   centre + QPointF(std::cos(a), std::sin(a)) * 40);
    }
    // an eight-pointed star in the middle of the whole mosaic
    QPainterPath star = Star(centre, 8, 15, 7, 22.5);
    Fill(p, star, Rgb(0x7A5C50));
    QPainterPath inner = Star(centre, 8, 10, 5, 0);
    Fill(p, inner, Rgb(0xD9B24A));
    Fill(p, Circle(centre, 3.5), Rgb(0xF4EEDC));
    p.restore();
}

// --- pieces ---------------------------------------------------------------------

enum class Kind {
    BrickWarm,
    BrickGrey,
    BrickDark,
    BrickSand,
    Ashlar,
    AshlarSand,
    Cobbles,
    CobblesMossy,
    Fieldstone,
    Hexes,
    MarbleWhite,
    MarbleGreen,
    SlabCracked,
    SlabCrackedDark,
    SlabMossy,
    Grate,
    CheckerPlate,
    Mosaic,
    Rosette,
    StarGold,
    Ruby,
    Sapphire,
    Emerald,
    Compass,
    Knot,
    Sun,
    Moon,
    Runes,
    ShieldBlue,
    ShieldRed,
    Spiral,
    PillarRound,
    PillarSand,
    Well,
    Bush,
    Flowers,
    Pyramid,
    Brazier,
    Keyhole,
    Sword,
    Crown,
    Hourglass,
    Bell,
    Lantern,
    Key,
    Crate,
    Barrel,
    StairsE,
    StairsN,
    StairsW,
    StairsS,
    MosaicNW,
    MosaicNE,
    MosaicSW,
    MosaicSE,
};

struct Assignment {
    int tile;
    Kind kind;
};

// The 55 fixed tiles without connections: walls first, then floors and
// stones, then ornaments; four stairs and a 2 x 2 mosaic close the set.
constexpr Assignment Pieces[] = {
    {91, Kind::BrickWarm},   {92, Kind::Ashlar},        {93, Kind::BrickDark},
    {98, Kind::Cobbles},     {99, Kind::Fieldstone},    {101, Kind::SlabCracked},
    {102, Kind::SlabMossy},  {105, Kind::Rosette},      {106, Kind::MarbleWhite},
    {110, Kind::Grate},      {111, Kind::CheckerPlate}, {114, Kind::PillarRound},
    {115, Kind::Well},       {116, Kind::Bush},         {117, Kind::Flowers},
    {118, Kind::Ruby},       {119, Kind::Sapphire},     {120, Kind::Emerald},
    {121, Kind::StarGold},   {122, Kind::Compass},      {123, Kind::Sun},
    {124, Kind::Moon},       {130, Kind::BrickGrey},    {131, Kind::AshlarSand},
    {132, Kind::Mosaic},     {133, Kind::Knot},         {134, Kind::Runes},
    {135, Kind::ShieldBlue}, {136, Kind::ShieldRed},    {137, Kind::Spiral},
    {138, Kind::Hexes},      {139, Kind::MarbleGreen},  {150, Kind::Pyramid},
    {151, Kind::Brazier},    {152, Kind::Keyhole},      {153, Kind::Sword},
    {154, Kind::Crown},      {155, Kind::Hourglass},    {156, Kind::Bell},
    {157, Kind::Lantern},    {158, Kind::Key},          {159, Kind::Crate},
    {162, Kind::Barrel},     {166, Kind::CobblesMossy}, {167, Kind::SlabCrackedDark},
    {176, Kind::StairsE},    {177, Kind::StairsN},      {178, Kind::StairsW},
    {179, Kind::StairsS},    {192, Kind::BrickSand},    {193, Kind::PillarSand},
    {196, Kind::MosaicNW},   {197, Kind::MosaicNE},     {198, Kind::MosaicSW},
    {199, Kind::MosaicSE},
};

FixedPiece SlabWith(int t, const StoneTone& tone, bool bolts, DrawFn ornament) {
    const Slab slab{tone, bolts};
    return {Stone(U(t), tone), [slab, ornament](QPainter& p) {
                SlabRim(p, slab);
                ornament(p);
            }};
}

FixedPiece Wall(QImage texture, DrawFn relief) {
    return {std::move(texture), [relief](QPainter& p) {
                relief(p);
                // a faint outline so that a wall piece still reads as one tile
                p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(0.5, 0.5, 47, 47));
            }};
}

void Crack(QPainter& p, std::uint32_t seed) {
    QPainterPath crack;
    QPointF pt(6 + Unit(Hash(seed, 1)) * 8, 8 + Unit(Hash(seed, 2)) * 6);
    crack.moveTo(pt);
    for (int i = 0; i < 7; ++i) {
        pt += QPointF(3.5 + Unit(Hash(seed, U(i), 3)) * 2.5,
                      2.5 + (Unit(Hash(seed, U(i), 4)) - 0.3) * 5);
        crack.lineTo(pt);
        if (i == 3) {
            QPainterPath branch;
            branch.moveTo(pt);
            branch.lineTo(pt + QPointF(-2, 7));
            branch.lineTo(pt + QPointF(1, 12));
            p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
            p.drawPath(branch.translated(0.6, 0.6));
            p.setPen(QPen(QColor(20, 20, 24, 200), 0.8));
            p.drawPath(branch);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 80), 1.2));
    p.drawPath(crack.translated(0.7, 0.7));
    p.setPen(QPen(QColor(20, 20, 24, 220), 1.0));
    p.drawPath(crack);
}

FixedPiece Build(int t, Kind kind) {
    const std::uint32_t seed = U(t) * 101u;
    switch (kind) {
    case Kind::BrickWarm:
        return Wall(BrickTexture(seed, Rgb(0x8E5F4A), Rgb(0xA8755A), Rgb(0xB2AA9C), 12, 24),
                    [](QPainter& p) { BrickRelief(p, 12, 24); });
    case Kind::BrickGrey:
        return Wall(BrickTexture(seed, Rgb(0x7A7C80), Rgb(0x979A9F), Rgb(0xC2BFB8), 12, 24),
                    [](QPainter& p) { BrickRelief(p, 12, 24); });
    case Kind::BrickDark:
        return Wall(BrickTexture(seed, Rgb(0x4D4A48), Rgb(0x67625C), Rgb(0x8E8A82), 8, 16),
                    [](QPainter& p) { BrickRelief(p, 8, 16); });
    case Kind::BrickSand:
        return Wall(BrickTexture(seed, Rgb(0xA99574), Rgb(0xC2AD88), Rgb(0x7E7466), 8, 24),
                    [](QPainter& p) { BrickRelief(p, 8, 24); });
    case Kind::Ashlar:
        return Wall(BrickTexture(seed, Rgb(0x858990), Rgb(0xA2A6AC), Rgb(0x4E5158), 16, 32),
                    [](QPainter& p) { BrickRelief(p, 16, 32); });
    case Kind::AshlarSand:
        return Wall(BrickTexture(seed, Rgb(0xA89A80), Rgb(0xC4B79C), Rgb(0x6A6050), 16, 24),
                    [](QPainter& p) { BrickRelief(p, 16, 24); });
    case Kind::Cobbles:
        return Wall(CobbleTexture(seed, 12, Granite, Rgb(0x4A4640), 0.7), [](QPainter&) {});
    case Kind::CobblesMossy:
        return Wall(MossTexture(seed, CobbleTexture(seed, 12, Slate, Rgb(0x3A3832), 0.8)),
                    [](QPainter&) {});
    case Kind::Fieldstone:
        return Wall(CobbleTexture(seed, 16, Sandstone, Rgb(0x5A5246), 0.9), [](QPainter&) {});
    case Kind::Hexes:
        return Wall(HexTexture(seed, Slate), [](QPainter&) {});
    case Kind::MarbleWhite:
        return {MarbleTexture(seed, Marble, Rgb(0x8E8C88)),
                [](QPainter& p) { DrawStoneRim(p, 2.0); }};
    case Kind::MarbleGreen:
        return {MarbleTexture(seed, GreenMarble, Rgb(0xDCE6DE)),
                [](QPainter& p) { DrawStoneRim(p, 2.0); }};
    case Kind::SlabCracked:
        return SlabWith(t, Granite, false, [seed](QPainter& p) { Crack(p, seed); });
    case Kind::SlabCrackedDark:
        return SlabWith(t, Slate, false, [seed](QPainter& p) { Crack(p, seed); });
    case Kind::SlabMossy:
        return {MossTexture(seed, Stone(seed, Granite)), [](QPainter& p) { DrawStoneRim(p); }};
    case Kind::Grate:
        return SlabWith(t, Slate, true, [](QPainter& p) {
            Fill(p, Poly({{9, 9}, {39, 9}, {39, 39}, {9, 39}}), Rgb(0x0E0F12));
            for (int i = 0; i < 5; ++i) {
                const double x = 12.5 + i * 5.75;
                p.setPen(QPen(Rgb(0x1A1B1F), 2.6, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(x + 0.5, 9), QPointF(x + 0.5, 39));
                p.setPen(QPen(Rgb(0x7B818B), 2.0, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(x, 9), QPointF(x, 39));
                p.setPen(QPen(Rgb(0xC8CED6), 0.6, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(x - 0.5, 9), QPointF(x - 0.5, 39));
            }
            p.setPen(QPen(Rgb(0x3A3D44), 2.0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(9, 9, 30, 30));
        });
    case Kind::CheckerPlate: {
        QImage steel = Stone(seed, StoneTone{Rgb(0xA3A9B2), Rgb(0x868C96)}, 14.0);
        return {steel, [](QPainter& p) {
                    for (int j = 0; j < 8; ++j) {
                        for (int i = 0; i < 8; ++i) {
                            const QPointF c(3 + i * 6.0 + (j % 2) * 3.0, 3 + j * 6.0);
                            p.save();
                            p.translate(c);
                            p.rotate(j % 2 == 0 ? 45 : -45);
                            Relief(
                                p,
                                [] {
                                    QPainterPath r;
                                    r.addRoundedRect(QRectF(-2.6, -0.8, 5.2, 1.6), 0.8, 0.8);
                                    return r;
                                }(),
                                Rgb(0xB4BAC3), true, 0.5);
                            p.restore();
                        }
                    }
                    DrawStoneRim(p, 2.0);
                    DrawCornerBolts(p);
                }};
    }
    case Kind::Mosaic: {
        QImage tiles = Texture(48, 48, [&](int x, int y) {
            const int cx = x / 6;
            const int cy = y / 6;
            const bool joint = x % 6 == 0 || y % 6 == 0;
            if (joint) {
                return Grain(Rgb(0x5A544C), x, y, seed, 4);
            }
            const int d = std::abs(cx - 3) + std::abs(cy - 3);
            const int dd =
                std::abs(cx - 3 + (cx >= 4 ? -1 : 0)) + std::abs(cy - 3 + (cy >= 4 ? -1 : 0));
            (void)d;
            const QColor c =
                dd % 3 == 0 ? Rgb(0xE4DCC8) : (dd % 3 == 1 ? Rgb(0x9A6450) : Rgb(0x56697C));
            return Grain(c, x, y, seed + U(cx * 8 + cy), 6);
        });
        return {tiles, [](QPainter& p) { DrawStoneRim(p, 2.0); }};
    }
    case Kind::Rosette:
        return SlabWith(t, Granite, true, [](QPainter& p) { Rosette(p, Rgb(0xA7AAB0)); });
    case Kind::StarGold:
        return SlabWith(t, Slate, true, [](QPainter& p) {
            Panel(p, 16, Rgb(0x3C3F46));
            GoldStar(p, 5, 14, 6);
        });
    case Kind::Ruby:
        return SlabWith(t, Granite, true, [](QPainter& p) {
            Gem(p, Rgb(0xFFB6C4), Rgb(0xD21F44), Rgb(0x5E0618), 0);
        });
    case Kind::Sapphire:
        return SlabWith(t, Slate, true, [](QPainter& p) {
            Gem(p, Rgb(0xC8E6FF), Rgb(0x2A6FE0), Rgb(0x0A2260), 1);
        });
    case Kind::Emerald:
        return SlabWith(t, Sandstone, true, [](QPainter& p) {
            Gem(p, Rgb(0xC8FFD8), Rgb(0x1FA855), Rgb(0x064A22), 0);
        });
    case Kind::Compass:
        return SlabWith(t, Sandstone, true, [](QPainter& p) {
            Panel(p, 16.5, Rgb(0xD8CCB4));
            Compass(p);
        });
    case Kind::Knot:
        return SlabWith(t, Granite, true, [](QPainter& p) {
            Panel(p, 17, Rgb(0x6B6F77));
            KnotRings(p, Rgb(0xC9CDD3));
        });
    case Kind::Sun:
        return SlabWith(t, Sandstone, false, [](QPainter& p) { SunDisc(p, Rgb(0xD8C39A)); });
    case Kind::Moon:
        return SlabWith(t, Slate, true, [](QPainter& p) {
            Panel(p, 16.5, Rgb(0x1C2440));
            Moon(p);
        });
    case Kind::Runes:
        return SlabWith(t, Granite, false, [seed](QPainter& p) { Runes(p, seed); });
    case Kind::ShieldBlue:
        return SlabWith(t, Granite, true,
                        [](QPainter& p) { ShieldEmblem(p, Rgb(0x2452A6), Rgb(0xF0E6C8)); });
    case Kind::ShieldRed:
        return SlabWith(t, Sandstone, true,
                        [](QPainter& p) { ShieldEmblem(p, Rgb(0xA82424), Rgb(0xF2D060)); });
    case Kind::Spiral:
        return SlabWith(t, Sandstone, false, [](QPainter& p) { Spiral(p, Rgb(0x5E5444)); });
    case Kind::PillarRound:
        return SlabWith(t, Granite, false, [](QPainter& p) { Pillar(p, Marble); });
    case Kind::PillarSand:
        return SlabWith(t, Slate, false, [](QPainter& p) { Pillar(p, Sandstone); });
    case Kind::Well:
        return SlabWith(t, Granite, false, [](QPainter& p) { Well(p); });
    case Kind::Bush:
        return {Stone(seed, Granite), [seed](QPainter& p) {
                    DrawStoneRim(p, 2.0);
                    Bush(p, seed, false);
                }};
    case Kind::Flowers:
        return {Stone(seed, Sandstone), [seed](QPainter& p) {
                    DrawStoneRim(p, 2.0);
                    Bush(p, seed, true);
                }};
    case Kind::Pyramid:
        return SlabWith(t, Slate, false, [](QPainter& p) { Pyramid(p, Sandstone); });
    case Kind::Brazier:
        return SlabWith(t, Slate, false, [](QPainter& p) { Brazier(p); });
    case Kind::Keyhole:
        return SlabWith(t, Granite, false, [](QPainter& p) { Keyhole(p); });
    case Kind::Sword:
        return SlabWith(t, Slate, true, [](QPainter& p) {
            Panel(p, 17, Rgb(0x4A3A2E));
            Sword(p);
        });
    case Kind::Crown:
        return SlabWith(t, Granite, true, [](QPainter& p) {
            Panel(p, 17, Rgb(0x5A1E3A));
            Crown(p);
        });
    case Kind::Hourglass:
        return SlabWith(t, Sandstone, true, [](QPainter& p) { Hourglass(p); });
    case Kind::Bell:
        return SlabWith(t, Granite, true, [](QPainter& p) {
            Panel(p, 17, Rgb(0x3A3F4A));
            Bell(p);
        });
    case Kind::Lantern:
        return SlabWith(t, Slate, true, [](QPainter& p) { Lantern(p); });
    case Kind::Key:
        return SlabWith(t, Sandstone, true, [](QPainter& p) {
            Panel(p, 17, Rgb(0x5E5040));
            Key(p);
        });
    case Kind::Crate:
        return {PlankTexture(seed), [](QPainter& p) { Crate(p); }};
    case Kind::Barrel:
        return SlabWith(t, Granite, false, [](QPainter& p) { Barrel(p); });
    case Kind::StairsE:
    case Kind::StairsN:
    case Kind::StairsW:
    case Kind::StairsS: {
        const int facing = static_cast<int>(kind) - static_cast<int>(Kind::StairsE);
        return SlabWith(t, Granite, false, [facing](QPainter& p) { Stairs(p, facing); });
    }
    case Kind::MosaicNW:
    case Kind::MosaicNE:
    case Kind::MosaicSW:
    case Kind::MosaicSE: {
        const int q = static_cast<int>(kind) - static_cast<int>(Kind::MosaicNW);
        const QPointF centre(q % 2 == 0 ? 48 : 0, q < 2 ? 48 : 0);
        return SlabWith(t, Granite, true, [centre](QPainter& p) { MosaicQuarter(p, centre); });
    }
    }
    return SlabWith(t, Granite, true, [](QPainter&) {});
}

} // namespace

// --- public bases ---------------------------------------------------------------

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
        const double speck = Unit(Hash(U(x), U(y), seed + 29u));
        if (speck > 0.93) {
            c = Shade(c, 0.78);
        } else if (speck < 0.05) {
            c = Shade(c, 1.12);
        }
        return Grain(c, x, y, seed + 31u, 4);
    });
}

void DrawRaisedBevel(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawPolygon(QPolygonF({{0, 0}, {48, 0}, {46, 2}, {2, 2}, {2, 46}, {0, 48}}));
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawPolygon(QPolygonF({{2, 2}, {46, 2}, {45, 3}, {3, 3}, {3, 45}, {2, 46}}));
    p.setBrush(QColor(60, 40, 20, 120));
    p.drawPolygon(QPolygonF({{48, 0}, {48, 48}, {0, 48}, {2, 46}, {46, 46}, {46, 2}}));
    p.setBrush(QColor(60, 40, 20, 45));
    p.drawPolygon(QPolygonF({{46, 2}, {46, 46}, {2, 46}, {3, 45}, {45, 45}, {45, 3}}));
    p.setBrush(QColor(30, 20, 10, 90));
    p.drawRect(QRectF(0, 47, 48, 1));
    p.drawRect(QRectF(47, 0, 1, 47));
}

void DrawFloorRim(QPainter& p) {
    p.setPen(Qt::NoPen);
    QLinearGradient top(QPointF(0, 0), QPointF(0, 5));
    top.setColorAt(0, QColor(0, 0, 0, 150));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(top);
    p.drawRect(QRectF(0, 0, 48, 5));
    QLinearGradient left(QPointF(0, 0), QPointF(5, 0));
    left.setColorAt(0, QColor(0, 0, 0, 130));
    left.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(left);
    p.drawRect(QRectF(0, 0, 5, 48));
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRect(QRectF(0, 47, 48, 1));
    p.drawRect(QRectF(47, 0, 1, 48));
}

void DrawStoneRim(QPainter& p, double w) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 80));
    p.drawPolygon(
        QPolygonF({{1, 1}, {47, 1}, {47 - w, 1 + w}, {1 + w, 1 + w}, {1 + w, 47 - w}, {1, 47}}));
    p.setBrush(QColor(0, 0, 0, 95));
    p.drawPolygon(QPolygonF(
        {{47, 1}, {47, 47}, {1, 47}, {1 + w, 47 - w}, {47 - w, 47 - w}, {47 - w, 1 + w}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(25, 26, 30, 200), 1.0));
    p.drawRect(QRectF(0.5, 0.5, 47, 47));
}

void DrawBolt(QPainter& p, QPointF centre, double radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(centre + QPointF(0.5, 0.7), radius + 0.3, radius + 0.3);
    QRadialGradient g(centre - QPointF(radius * 0.4, radius * 0.45), radius * 1.5);
    g.setColorAt(0, Rgb(0xFBFCFD));
    g.setColorAt(0.5, Rgb(0xA4ABB5));
    g.setColorAt(1, Rgb(0x474C55));
    p.setBrush(g);
    p.setPen(QPen(Rgb(0x2A2D33), 0.5));
    p.drawEllipse(centre, radius, radius);
}

void DrawCornerBolts(QPainter& p) {
    for (const QPointF c : {QPointF(6, 6), QPointF(42, 6), QPointF(6, 42), QPointF(42, 42)}) {
        DrawBolt(p, c, 2.3);
    }
}

void DrawCarvedFrame(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
    p.drawRect(QRectF(6.5, 6.5, 35, 35));
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.drawRect(QRectF(5.5, 5.5, 35, 35));
    for (const QPointF c : {QPointF(6, 6), QPointF(42, 6), QPointF(6, 42), QPointF(42, 42)}) {
        QPainterPath diamond = Poly(
            {c + QPointF(0, -2.6), c + QPointF(2.6, 0), c + QPointF(0, 2.6), c + QPointF(-2.6, 0)});
        Relief(p, diamond, QColor(120, 124, 130), false, 0.7);
    }
}

QImage FixedBaseTexture(int t, int stone) {
    switch (stone % 3) {
    case 0:
        return Stone(U(t), Granite);
    case 1:
        return Stone(U(t), Slate);
    default:
        return Stone(U(t), Sandstone);
    }
}

FixedPiece FixedPieceFor(int t) {
    for (const Assignment& a : Pieces) {
        if (a.tile == t) {
            return Build(t, a.kind);
        }
    }
    return SlabWith(t, Granite, true, [](QPainter&) {});
}

} // namespace zk::art
