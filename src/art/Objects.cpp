// Things standing on or let into the slab of a fixed tile.
#include "art/Ornaments.h"

#include "art/Mounts.h"
#include "art/Shapes.h"

#include <array>
#include <cmath>

namespace zk::art {

void Pillar(QPainter& p, const Detail& d, std::uint32_t) {
    const StoneTone& tone = ToneOf(d.tone);
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

void Well(QPainter& p, const Detail&, std::uint32_t) {
    Fill(p, Circle(Mid + QPointF(1.2, 1.6), 17), QColor(0, 0, 0, 110));
    // stone ring made of blocks
    Fill(p, Circle(Mid, 17), Rgb(0x3C3F45));
    for (int i = 0; i < 10; ++i) {
        QPainterPath block;
        block.arcMoveTo(QRectF(7.6, 7.6, 32.8, 32.8), i * 36.0 + 2);
        block.arcTo(QRectF(7.6, 7.6, 32.8, 32.8), i * 36.0 + 2, 32);
        block.arcTo(QRectF(12.5, 12.5, 23, 23), i * 36.0 + 34, -32);
        block.closeSubpath();
        const double tint = Unit(Hash(U32(i), 77));
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

void Bush(QPainter& p, const Detail& d, std::uint32_t seed) {
    const bool flowers = d.n != 0;
    // a stone planter with a round bush
    QPainterPath planter;
    planter.addRoundedRect(QRectF(6, 6, 36, 36), 4, 4);
    Relief(p, planter, Rgb(0x8E9197), true, 1.0);
    Fill(p, Poly({{10, 10}, {38, 10}, {38, 38}, {10, 38}}), Rgb(0x3B2A1C));
    for (int i = 0; i < 26; ++i) {
        const double a = Unit(Hash(U32(i), seed)) * 2 * Pi;
        const double r = std::sqrt(Unit(Hash(U32(i), seed, 1))) * 10.5;
        const QPointF c = Mid + QPointF(std::cos(a), std::sin(a)) * r;
        const double size = 3.6 + Unit(Hash(U32(i), seed, 2)) * 2.6;
        Fill(p, Circle(c + QPointF(0.8, 1.0), size), QColor(0, 0, 0, 60));
        Fill(p, Circle(c, size),
             Dome(c, size, Rgb(0x9CCB52), i % 3 == 0 ? Rgb(0x2E5A18) : Rgb(0x3E6E22)));
    }
    if (flowers) {
        for (int i = 0; i < 9; ++i) {
            const double a = Unit(Hash(U32(i), seed, 9)) * 2 * Pi;
            const double r = 2 + Unit(Hash(U32(i), seed, 10)) * 10;
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

void Pyramid(QPainter& p, const Detail& detail, std::uint32_t) {
    const StoneTone& tone = ToneOf(detail.tone);
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

void Brazier(QPainter& p, const Detail&, std::uint32_t) {
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

void Keyhole(QPainter& p, const Detail&, std::uint32_t) {
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

void Hourglass(QPainter& p, const Detail&, std::uint32_t) {
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

void Lantern(QPainter& p, const Detail&, std::uint32_t) {
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

void Crate(QPainter& p, const Detail&, std::uint32_t) {
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

void Barrel(QPainter& p, const Detail&, std::uint32_t) {
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

void Stairs(QPainter& p, const Detail& d, std::uint32_t) {
    const int facing = d.n;
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
void MosaicQuarter(QPainter& p, const Detail& d, std::uint32_t) {
    const QPointF centre(d.n % 2 == 0 ? 48 : 0, d.n < 2 ? 48 : 0);
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

// A drain grate of five steel bars over a dark shaft.
void Grate(QPainter& p, const Detail&, std::uint32_t) {
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
}

// Raised diamond studs of a steel checker plate, in rows turned alternately.
void CheckerPlates(QPainter& p, const Detail&, std::uint32_t) {
    QPainterPath stud;
    stud.addRoundedRect(QRectF(-2.6, -0.8, 5.2, 1.6), 0.8, 0.8);
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
            const QPointF c(3 + i * 6.0 + (j % 2) * 3.0, 3 + j * 6.0);
            p.save();
            p.translate(c);
            p.rotate(j % 2 == 0 ? 45 : -45);
            Relief(p, stud, Rgb(0xB4BAC3), true, 0.5);
            p.restore();
        }
    }
}

} // namespace zk::art
