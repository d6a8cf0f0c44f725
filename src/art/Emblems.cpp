// Emblems carved, inlaid or set into the slab of a fixed tile.
#include "art/Ornaments.h"

#include "art/Mounts.h"
#include "art/Shapes.h"

#include <array>
#include <cmath>

namespace zk::art {

void Rosette(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor face = Rgb(d.colour[0]);
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

void GoldStar(QPainter& p, const Detail& d, std::uint32_t) {
    const int points = d.n;
    const double outer = 14;
    const double inner = 6;
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

void Gem(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor light = Rgb(d.colour[0]);
    const QColor mid = Rgb(d.colour[1]);
    const QColor dark = Rgb(d.colour[2]);
    const int cut = d.n;
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

void Compass(QPainter& p, const Detail&, std::uint32_t) {
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

void KnotRings(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor band = Rgb(d.colour[0]);
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

void SunDisc(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor face = Rgb(d.colour[0]);
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

void Moon(QPainter& p, const Detail&, std::uint32_t) {
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

void Runes(QPainter& p, const Detail&, std::uint32_t seed) {
    // a carved tablet with invented rune strokes
    QPainterPath tablet;
    tablet.addRoundedRect(QRectF(11, 9, 26, 30), 3, 3);
    Relief(p, tablet, Rgb(0x8C8F95), true, 0.9);
    p.setPen(QPen(Rgb(0x34363B), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const double x = 15.0 + col * 7.0;
            const double y = 13.0 + row * 8.5;
            const std::uint32_t h = Hash(U32(row), U32(col), seed);
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

void Shield(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor field = Rgb(d.colour[0]);
    const QColor charge = Rgb(d.colour[1]);
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

void Spiral(QPainter& p, const Detail& d, std::uint32_t) {
    const QColor groove = Rgb(d.colour[0]);
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

void Sword(QPainter& p, const Detail&, std::uint32_t) {
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

void Crown(QPainter& p, const Detail&, std::uint32_t) {
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

void Bell(QPainter& p, const Detail&, std::uint32_t) {
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

void Key(QPainter& p, const Detail&, std::uint32_t) {
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

// A crack across the slab from the upper left, with one branch, its path
// hashed from the seed.
void Crack(QPainter& p, const Detail&, std::uint32_t seed) {
    QPainterPath crack;
    QPointF pt(6 + Unit(Hash(seed, 1)) * 8, 8 + Unit(Hash(seed, 2)) * 6);
    crack.moveTo(pt);
    for (int i = 0; i < 7; ++i) {
        pt += QPointF(3.5 + Unit(Hash(seed, U32(i), 3)) * 2.5,
                      2.5 + (Unit(Hash(seed, U32(i), 4)) - 0.3) * 5);
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

} // namespace zk::art
