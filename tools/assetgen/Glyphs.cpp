#include "Glyphs.h"

#include "Art.h"
#include "Surface.h"
#include "Tiles.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace zk::art {
namespace {

constexpr double Pi = std::numbers::pi;

const QColor Ink = Rgb(0x1A1C22);

QImage Glyph(int w, int h, const DrawFn& draw) {
    return Render(w, h, draw, 4);
}

QImage WithDisabled(const QImage& glyph) {
    return SideBySide(glyph, DisabledLook(glyph));
}

void Outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line,
              double width) {
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QRadialGradient Ball(QPointF c, double r, const QColor& light, const QColor& dark) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.3);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

QLinearGradient Down(double top, double bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// An arrow shaft with a head, along a straight line.
QPainterPath ArrowPath(QPointF from, QPointF to, double shaft, double head, double headLength) {
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    const QPointF base = to - d * headLength;
    QPainterPath path;
    path.moveTo(from + n * (shaft / 2));
    path.lineTo(base + n * (shaft / 2));
    path.lineTo(base + n * (head / 2));
    path.lineTo(to);
    path.lineTo(base - n * (head / 2));
    path.lineTo(base - n * (shaft / 2));
    path.lineTo(from - n * (shaft / 2));
    path.closeSubpath();
    return path;
}

// --- digit strip ------------------------------------------------------------------

constexpr std::array<int, 10> Segments = {
    0b0111111, // 0: a b c d e f
    0b0000110, // 1: b c
    0b1011011, // 2: a b d e g
    0b1001111, // 3: a b c d g
    0b1100110, // 4: b c f g
    0b1101101, // 5: a c d f g
    0b1111101, // 6: a c d e f g
    0b0000111, // 7: a b c
    0b1111111, // 8
    0b1101111, // 9: a b c d f g
};

// The dot grid of a digit: 4 columns (x0 + 2, 4, 6, 8) by 9 rows (y 2, 4,
// ..., 18). A segment lights the dots along its side of the grid, corners
// included, so neighbouring segments share their corner dots.
bool SegmentDot(int segment, int col, int row) {
    switch (segment) {
    case 0: // a, top
        return row == 0;
    case 1: // b, upper right
        return col == 3 && row <= 4;
    case 2: // c, lower right
        return col == 3 && row >= 4;
    case 3: // d, bottom
        return row == 8;
    case 4: // e, lower left
        return col == 0 && row >= 4;
    case 5: // f, upper left
        return col == 0 && row <= 4;
    default: // g, middle
        return row == 4;
    }
}

// Lit dots are bright yellow with a dim glow on their four sides, like the
// dots of an LED display; the glow never leaves the digit's cell.
void DigitDots(QImage& strip, int digit, int x0) {
    const int s = Segments[static_cast<std::size_t>(digit)];
    std::vector<QPoint> dots;
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 4; ++col) {
            bool on = false;
            for (int seg = 0; seg < 7; ++seg) {
                on = on || (((s >> seg) & 1) != 0 && SegmentDot(seg, col, row));
            }
            if (on) {
                dots.emplace_back(x0 + 2 + col * 2, 2 + row * 2);
            }
        }
    }
    for (const QPoint& d : dots) {
        for (const QPoint& n : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            strip.setPixel(d + n, qRgb(128, 100, 0));
        }
    }
    for (const QPoint& d : dots) {
        strip.setPixel(d, qRgb(255, 230, 0));
    }
}

QImage Face(bool happy) {
    return Render(13, 20, [happy](QPainter& p) {
        const QPointF c(6.5, 10);
        const QColor fill = happy ? Rgb(0xFFE600) : Rgb(0xE8221E);
        const QColor rim = happy ? Rgb(0x8A6A00) : Rgb(0x6A0A08);
        p.setPen(QPen(rim, 0.9));
        p.setBrush(fill);
        p.drawEllipse(c, 5.9, 5.9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawEllipse(QPointF(4.6, 7.2), 1.6, 1.0);
        p.setBrush(Ink);
        p.drawEllipse(QPointF(4.5, 8.4), 1.0, 1.4);
        p.drawEllipse(QPointF(8.5, 8.4), 1.0, 1.4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.0, Qt::SolidLine, Qt::RoundCap));
        if (happy) {
            p.drawArc(QRectF(3.3, 8.0, 6.4, 5.4), 200 * 16, 140 * 16);
        } else {
            p.drawArc(QRectF(3.6, 12.2, 5.8, 4.4), 30 * 16, 120 * 16);
        }
    });
}

// --- toolbar glyphs ------------------------------------------------------------------

QImage InsertGlyph() {
    return Glyph(16, 16, [](QPainter& p) {
        // rays behind the page
        p.setPen(QPen(Rgb(0xF0B400), 1.1, Qt::SolidLine, Qt::RoundCap));
        const QPointF c(4.5, 4.5);
        for (int i = 0; i < 8; ++i) {
            const double a = i * Pi / 4;
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 2.0,
                       c + QPointF(std::cos(a), std::sin(a)) * (i % 2 == 0 ? 4.4 : 3.4));
        }
        QPainterPath page;
        page.moveTo(5.5, 3.5);
        page.lineTo(11.5, 3.5);
        page.lineTo(14.5, 6.5);
        page.lineTo(14.5, 15.5);
        page.lineTo(5.5, 15.5);
        page.closeSubpath();
        Outlined(p, page, QColor(255, 255, 255), Rgb(0x4A4E58), 1.0);
        QPainterPath fold;
        fold.moveTo(11.5, 3.5);
        fold.lineTo(11.5, 6.5);
        fold.lineTo(14.5, 6.5);
        Outlined(p, fold, Rgb(0xD8DCE4), Rgb(0x4A4E58), 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0xFFE23A));
        p.drawPath(Star(c, 4, 3.0, 1.1, 0));
        p.setBrush(Rgb(0xFFFFFF));
        p.drawEllipse(c, 0.9, 0.9);
    });
}

QImage BombGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        const QPointF c(7.5, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(Ball(c, 6, Rgb(0x6A7080), Rgb(0x050608)));
        p.drawEllipse(c, 6.0, 6.0);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(5.3, 8.6), 1.5, 1.0);
        // the collar and fuse
        p.save();
        p.translate(11.6, 6.6);
        p.rotate(45);
        p.setBrush(Rgb(0x3A3E48));
        p.setPen(QPen(Rgb(0x0A0B0E), 0.6));
        p.drawRect(QRectF(-2, -1.6, 4, 3));
        p.restore();
        QPainterPath fuse;
        fuse.moveTo(12.6, 5.4);
        fuse.cubicTo(13.6, 3.6, 14.2, 4.6, 15.0, 2.8);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Rgb(0x8A6A3A), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(fuse);
        // the spark
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0xFF6A00));
        p.drawPath(Star(QPointF(15.2, 2.6), 6, 2.6, 0.9, 10));
        p.setBrush(Rgb(0xFFF27A));
        p.drawPath(Star(QPointF(15.2, 2.6), 4, 1.5, 0.6, 45));
    });
}

QImage RestartGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        // a thick arc turning back anticlockwise, with the head at its end
        const QPointF c(9, 9.6);
        const double r = 5.6;
        QPainterPath arc;
        arc.arcMoveTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 80);
        arc.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 80, -290);
        QPainterPathStroker stroker;
        stroker.setWidth(3.0);
        stroker.setCapStyle(Qt::FlatCap);
        QPainterPath body = stroker.createStroke(arc);
        // arrow head at the start (pointing left, anticlockwise)
        const double a = 80 * Pi / 180;
        const QPointF tip = c + QPointF(std::cos(a), -std::sin(a)) * r;
        QPainterPath head;
        head.moveTo(tip + QPointF(-4.6, 0.2));
        head.lineTo(tip + QPointF(0.8, -4.0));
        head.lineTo(tip + QPointF(0.8, 4.2));
        head.closeSubpath();
        body = body.united(head);
        Outlined(p, body, Down(2, 16, Rgb(0x8AE07A), Rgb(0x1E8A22)), Rgb(0x0E4A12), 0.9);
    });
}

QImage ScissorsGlyph() {
    return Glyph(20, 20, [](QPainter& p) {
        // blades
        for (int side : {-1, 1}) {
            QPainterPath blade;
            blade.moveTo(10 + side * 1.2, 11);
            blade.lineTo(10 - side * 6.5, 1.5);
            blade.lineTo(10 - side * 5.0, 1.2);
            blade.lineTo(10 + side * 2.6, 10.2);
            blade.closeSubpath();
            QLinearGradient g(QPointF(4, 0), QPointF(16, 0));
            g.setColorAt(0, Rgb(0xF4F6FA));
            g.setColorAt(1, Rgb(0x8A929E));
            Outlined(p, blade, g, Rgb(0x30343C), 0.8);
        }
        // handles
        for (int side : {-1, 1}) {
            QPainterPath arm;
            arm.moveTo(10, 10.5);
            arm.lineTo(10 + side * 3.6, 14.2);
            p.setPen(QPen(Rgb(0x1A1C22), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arm);
            p.setPen(QPen(Rgb(0x30343C), 2.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(10 + side * 4.8, 16), 2.6, 2.6);
            p.setPen(QPen(Rgb(0xE03020), 1.8));
            p.drawEllipse(QPointF(10 + side * 4.8, 16), 2.6, 2.6);
        }
        p.setPen(QPen(Rgb(0x30343C), 0.6));
        p.setBrush(Rgb(0xC8CDD6));
        p.drawEllipse(QPointF(10, 10.6), 1.2, 1.2);
    });
}

void Floppy(QPainter& p, QRectF r) {
    QPainterPath body;
    body.moveTo(r.left(), r.top());
    body.lineTo(r.right() - 2, r.top());
    body.lineTo(r.right(), r.top() + 2);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    Outlined(p, body, Down(r.top(), r.bottom(), Rgb(0x4A6EC0), Rgb(0x1E3A7A)), Rgb(0x0E1A3A), 0.9);
    // shutter
    p.setPen(QPen(Rgb(0x4A505A), 0.6));
    p.setBrush(Down(r.top(), r.top() + 5, Rgb(0xE8ECF2), Rgb(0x9AA2AE)));
    p.drawRect(QRectF(r.left() + 2.5, r.top() + 0.5, r.width() - 6, 4.5));
    p.setBrush(Rgb(0x2A3040));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.right() - 5.6, r.top() + 1.3, 1.6, 3.0));
    // label
    p.setBrush(Rgb(0xFBFBF6));
    p.setPen(QPen(Rgb(0x6A7080), 0.5));
    p.drawRect(QRectF(r.left() + 2, r.bottom() - 6, r.width() - 4, 5.2));
    p.setPen(QPen(Rgb(0x9AA0AA), 0.5));
    p.drawLine(QPointF(r.left() + 3.2, r.bottom() - 4.2),
               QPointF(r.right() - 3.2, r.bottom() - 4.2));
    p.drawLine(QPointF(r.left() + 3.2, r.bottom() - 2.4),
               QPointF(r.right() - 3.2, r.bottom() - 2.4));
}

QImage FloppyGlyph(bool leaving) {
    return Glyph(18, 18, [leaving](QPainter& p) {
        Floppy(p, QRectF(1.5, 5.5, 12, 12));
        QPainterPath arrow = leaving
                                 ? ArrowPath(QPointF(9.5, 10), QPointF(16.5, 1.2), 2.6, 6.6, 4.2)
                                 : ArrowPath(QPointF(16.8, 0.8), QPointF(9.2, 10.2), 2.6, 6.6, 4.2);
        Outlined(p, arrow, Down(0, 11, Rgb(0xFF7A6A), Rgb(0xC8140E)), Rgb(0x5A0604), 0.8);
    });
}

QImage SpeakerGlyph() {
    return Glyph(16, 16, [](QPainter& p) {
        QPainterPath box;
        box.addRect(QRectF(1.5, 5.5, 3, 5));
        QPainterPath cone;
        cone.moveTo(4.5, 5.5);
        cone.lineTo(8.5, 2.0);
        cone.lineTo(8.5, 14.0);
        cone.lineTo(4.5, 10.5);
        cone.closeSubpath();
        Outlined(p, box, Down(5, 11, Rgb(0x9AA2AE), Rgb(0x4A505A)), Ink, 0.9);
        Outlined(p, cone, Down(2, 14, Rgb(0x8A929E), Rgb(0x30343C)), Ink, 0.9);
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            const double r = 2.4 + i * 2.2;
            p.setPen(QPen(Rgb(0x1E6ACC), 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(8.8 - r, 8 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
    });
}

QImage KnightGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        // lance with pennant behind the knight
        p.setPen(QPen(Rgb(0x6A4A22), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.6, 1.2), QPointF(14.6, 17));
        QPainterPath pennant;
        pennant.moveTo(15.0, 1.2);
        pennant.lineTo(17.8, 2.6);
        pennant.lineTo(15.0, 4.4);
        pennant.closeSubpath();
        Outlined(p, pennant, Rgb(0xE0281E), Rgb(0x5A0604), 0.5);
        // helmet
        QPainterPath helmet;
        helmet.moveTo(3.0, 10.5);
        helmet.lineTo(3.0, 5.5);
        helmet.cubicTo(3.0, 2.0, 11.4, 2.0, 11.4, 5.5);
        helmet.lineTo(11.4, 10.5);
        helmet.closeSubpath();
        QLinearGradient steel(QPointF(3, 0), QPointF(11.4, 0));
        steel.setColorAt(0, Rgb(0xF2F4F8));
        steel.setColorAt(0.6, Rgb(0xA4ACB8));
        steel.setColorAt(1, Rgb(0x5A626E));
        Outlined(p, helmet, steel, Ink, 0.8);
        p.setPen(QPen(Ink, 1.1, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(4.2, 6.8), QPointF(10.2, 6.8)); // visor slit
        p.setPen(QPen(Ink, 0.5));
        p.drawLine(QPointF(7.2, 2.8), QPointF(7.2, 5.8));
        // plume
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0xE0281E));
        p.drawEllipse(QPointF(6.4, 1.9), 2.4, 1.2);
        // shield in front
        QPainterPath shield;
        shield.moveTo(5.6, 9.0);
        shield.lineTo(13.2, 9.0);
        shield.lineTo(13.2, 12.6);
        shield.cubicTo(13.2, 15.2, 11.0, 16.4, 9.4, 17.2);
        shield.cubicTo(7.8, 16.4, 5.6, 15.2, 5.6, 12.6);
        shield.closeSubpath();
        Outlined(p, shield, Down(9, 17, Rgb(0x4A80E0), Rgb(0x14348A)), Ink, 0.8);
        p.setPen(QPen(Rgb(0xFFD84A), 1.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(9.4, 9.8), QPointF(9.4, 16.0));
        p.drawLine(QPointF(6.6, 12.2), QPointF(12.2, 12.2));
    });
}

QImage DoorGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        // frame
        p.setPen(QPen(Rgb(0x3A2A1A), 0.8));
        p.setBrush(Rgb(0x2A2016));
        p.drawRect(QRectF(3.5, 1.5, 11, 15.5));
        // the open doorway shows light
        p.setBrush(Down(2, 17, Rgb(0xFFF2B0), Rgb(0xF0B040)));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(4.3, 2.3, 9.4, 14.7));
        // the door, swung open towards us
        QPainterPath door;
        door.moveTo(4.3, 2.3);
        door.lineTo(10.6, 1.0);
        door.lineTo(10.6, 17.8);
        door.lineTo(4.3, 17.0);
        door.closeSubpath();
        QLinearGradient blue(QPointF(4, 0), QPointF(11, 0));
        blue.setColorAt(0, Rgb(0x1E4AAA));
        blue.setColorAt(1, Rgb(0x5A8CEA));
        Outlined(p, door, blue, Rgb(0x0A1A4A), 0.8);
        p.setPen(QPen(QColor(255, 255, 255, 90), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(6.0, 3.6, 3.2, 5.4));
        p.drawRect(QRectF(6.0, 10.4, 3.2, 5.0));
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0xFFD84A));
        p.drawEllipse(QPointF(9.4, 9.8), 0.8, 0.8);
    });
}

QImage TriangleGlyph(bool right) {
    return Glyph(15, 15, [right](QPainter& p) {
        QPainterPath tri;
        if (right) {
            tri.moveTo(4.0, 2.0);
            tri.lineTo(12.5, 7.5);
            tri.lineTo(4.0, 13.0);
        } else {
            tri.moveTo(11.0, 2.0);
            tri.lineTo(2.5, 7.5);
            tri.lineTo(11.0, 13.0);
        }
        tri.closeSubpath();
        Outlined(p, tri, Down(2, 13, Rgb(0x9AF08A), Rgb(0x1A8A1E)), Rgb(0x0A4A0E), 0.9);
        p.setPen(QPen(QColor(255, 255, 255, 150), 0.7));
        if (right) {
            p.drawLine(QPointF(5.0, 3.8), QPointF(10.4, 7.3));
        } else {
            p.drawLine(QPointF(10.0, 3.8), QPointF(4.6, 7.3));
        }
    });
}

QImage DiscGlyph(const QColor& light, const QColor& dark, const QPainterPath& sign) {
    return Glyph(18, 18, [=](QPainter& p) {
        const QPointF c(9, 9);
        p.setPen(QPen(Shade(dark, 0.5), 0.9));
        p.setBrush(Ball(c, 8, light, dark));
        p.drawEllipse(c, 7.8, 7.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawEllipse(QPointF(7.2, 5.4), 4.2, 2.4);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawPath(sign.translated(0.5, 0.6));
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(sign);
    });
}

QImage RulesGlyph() {
    const QPainterPath sign = CentredTextPath(QStringLiteral("\u00A7"), 12.5, true, 9.0, 13.4);
    return DiscGlyph(Rgb(0xFF8A7A), Rgb(0xB01010), sign);
}

QImage InfoGlyph() {
    QPainterPath sign;
    sign.addEllipse(QPointF(9, 5.0), 1.35, 1.35);
    sign.addRect(QRectF(8.0, 7.4, 2.0, 6.0));
    sign.addRect(QRectF(6.9, 7.4, 2.0, 1.1));
    sign.addRect(QRectF(6.9, 12.6, 4.2, 1.2));
    sign.setFillRule(Qt::WindingFill);
    return DiscGlyph(Rgb(0x8AC0FF), Rgb(0x1446B0), sign.simplified());
}

// The maker's mascot: a cheerful face under a pointed hat with a star.
void Mascot(QPainter& p, QPointF c, double r) {
    // face
    p.setPen(QPen(Rgb(0x5A3A1A), r * 0.09));
    p.setBrush(Ball(c, r, Rgb(0xFFE6C8), Rgb(0xE0A070)));
    p.drawEllipse(c, r, r);
    // hat, tilted, with a star
    QPainterPath hat;
    hat.moveTo(c + QPointF(-r * 1.05, -r * 0.35));
    hat.cubicTo(c + QPointF(-r * 0.4, -r * 0.8), c + QPointF(r * 0.5, -r * 0.8),
                c + QPointF(r * 1.05, -r * 0.4));
    hat.lineTo(c + QPointF(r * 0.75, -r * 1.9));
    hat.closeSubpath();
    Outlined(p, hat, Down(c.y() - 2 * r, c.y() - r * 0.3, Rgb(0x9A5AE0), Rgb(0x4A1A8A)),
             Rgb(0x2A0A4A), r * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xFFD84A));
    p.drawPath(Star(c + QPointF(r * 0.35, -r * 0.95), 5, r * 0.26, r * 0.11, 0));
    // eyes
    for (double s : {-1.0, 1.0}) {
        const QPointF e = c + QPointF(s * r * 0.36, -r * 0.02);
        p.setBrush(QColor(255, 255, 255));
        p.setPen(QPen(Rgb(0x3A2A1A), r * 0.06));
        p.drawEllipse(e, r * 0.22, r * 0.27);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawEllipse(e + QPointF(r * 0.05, r * 0.05), r * 0.11, r * 0.14);
    }
    // cheeks and grin
    p.setBrush(QColor(240, 110, 90, 110));
    p.drawEllipse(c + QPointF(-r * 0.62, r * 0.35), r * 0.16, r * 0.11);
    p.drawEllipse(c + QPointF(r * 0.62, r * 0.35), r * 0.16, r * 0.11);
    QPainterPath grin;
    grin.moveTo(c + QPointF(-r * 0.48, r * 0.3));
    grin.cubicTo(c + QPointF(-r * 0.3, r * 0.85), c + QPointF(r * 0.3, r * 0.85),
                 c + QPointF(r * 0.48, r * 0.3));
    grin.closeSubpath();
    Outlined(p, grin, Rgb(0x8A1A1A), Rgb(0x3A0A0A), r * 0.06);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(c.x() - r * 0.3, c.y() + r * 0.32, r * 0.6, r * 0.13));
}

QImage ZanforGlyph() {
    return Glyph(26, 20, [](QPainter& p) { Mascot(p, QPointF(13, 12.2), 6.8); });
}

QImage CheckGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        QPainterPath tick;
        tick.moveTo(2.0, 9.6);
        tick.lineTo(4.8, 7.0);
        tick.lineTo(7.4, 10.0);
        tick.lineTo(14.4, 2.6);
        tick.lineTo(16.6, 5.0);
        tick.lineTo(7.4, 15.2);
        tick.closeSubpath();
        Outlined(p, tick, Down(2, 15, Rgb(0x8AF07A), Rgb(0x149A1E)), Rgb(0x0A4A0E), 0.9);
    });
}

QImage CrossGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        QPainterPath cross;
        QPainterPath bar;
        bar.addRoundedRect(QRectF(-7, -1.6, 14, 3.2), 1.0, 1.0);
        for (double a : {45.0, -45.0}) {
            QTransform t;
            t.translate(9, 9);
            t.rotate(a);
            cross = cross.united(t.map(bar));
        }
        Outlined(p, cross, Down(2, 16, Rgb(0xFF8A7A), Rgb(0xC0100C)), Rgb(0x5A0604), 0.9);
    });
}

void Folder(QPainter& p, bool open, double scale = 1.0) {
    p.save();
    p.scale(scale, scale);
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    Outlined(p, back, Down(3, 14, Rgb(0xE8B84A), Rgb(0xA8741A)), Rgb(0x5A3A08), 0.8);
    if (open) {
        p.setPen(QPen(Rgb(0xB8BEC8), 0.5));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(3.0, 4.6, 9.5, 6.0));
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(4.0, 7.5);
        front.lineTo(16.0, 7.5);
        front.lineTo(13.5, 13.5);
        front.closeSubpath();
        Outlined(p, front, Down(7, 14, Rgb(0xFFE08A), Rgb(0xE0A030)), Rgb(0x5A3A08), 0.8);
    } else {
        QPainterPath front;
        front.addRect(QRectF(1.5, 6.5, 13, 7));
        Outlined(p, front, Down(6, 14, Rgb(0xFFD870), Rgb(0xD89A2A)), Rgb(0x5A3A08), 0.8);
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
        p.drawLine(QPointF(2.4, 7.4), QPointF(13.6, 7.4));
    }
    p.restore();
}

QImage FolderGlyph(bool open) {
    return Glyph(16, 16, [open](QPainter& p) { Folder(p, open); });
}

QImage NewFolderGlyph() {
    return Glyph(16, 16, [](QPainter& p) {
        p.translate(0, 1.5);
        Folder(p, false);
        p.translate(0, -1.5);
        p.setPen(QPen(Rgb(0x8A5A00), 0.7));
        p.setBrush(Rgb(0xFFE23A));
        p.drawPath(Star(QPointF(12.2, 4.0), 5, 3.9, 1.7, 0));
    });
}

QImage DriveGlyph() {
    return Glyph(16, 16, [](QPainter& p) {
        QPainterPath top;
        top.moveTo(3.0, 4.5);
        top.lineTo(13.0, 4.5);
        top.lineTo(15.0, 8.0);
        top.lineTo(1.0, 8.0);
        top.closeSubpath();
        Outlined(p, top, Down(4, 8, Rgb(0xF0F2F6), Rgb(0xB8BEC8)), Rgb(0x3A3F48), 0.8);
        QPainterPath body;
        body.addRect(QRectF(1.0, 8.0, 14, 4.5));
        Outlined(p, body, Down(8, 12.5, Rgb(0xA8AFBA), Rgb(0x6A717C)), Rgb(0x3A3F48), 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0x3ADA3A));
        p.drawRect(QRectF(11.4, 9.6, 2.0, 1.4));
        p.setBrush(Rgb(0x4A505A));
        p.drawRect(QRectF(2.6, 9.8, 6.0, 1.0));
    });
}

QImage BubbleGlyph() {
    return Glyph(18, 18, [](QPainter& p) {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(1.5, 2.0, 15, 10.5), 4.0, 4.0);
        QPainterPath tail;
        tail.moveTo(4.5, 11.0);
        tail.lineTo(3.8, 16.4);
        tail.lineTo(9.0, 11.0);
        tail.closeSubpath();
        Outlined(p, bubble.united(tail), Down(2, 16, Rgb(0xFFFFFF), Rgb(0xD4E4F8)), Rgb(0x2A4A8A),
                 1.0);
        p.setPen(QPen(Rgb(0x2A6ACC), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.6, 5.6), QPointF(13.4, 5.6));
        p.drawLine(QPointF(4.6, 8.6), QPointF(10.8, 8.6));
    });
}

// --- flags ------------------------------------------------------------------------------

// Flags are drawn texel-exact (no antialiasing) where their stripes fall on
// whole pixels, with a dark rim and a soft gloss.
void FlagFinish(QPainter& p, const QRect& r) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient gloss(QPointF(0, r.top()), QPointF(0, r.bottom() + 1));
    gloss.setColorAt(0, QColor(255, 255, 255, 70));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 40));
    p.fillRect(r, gloss);
    p.setPen(QPen(QColor(20, 22, 28, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void UsFlag(QPainter& p, const QRect& r) {
    // 13 stripes of one pixel each
    for (int i = 0; i < 13; ++i) {
        p.fillRect(QRect(r.left(), r.top() + i, r.width(), 1),
                   i % 2 == 0 ? Rgb(0xC8102E) : Rgb(0xFFFFFF));
    }
    const QRect canton(r.left(), r.top(), 11, 7);
    p.fillRect(canton, Rgb(0x1A2A6C));
    for (int y = 0; y < 7; y += 2) {
        for (int x = (y / 2) % 2; x < 11; x += 2) {
            p.fillRect(QRect(canton.left() + x, canton.top() + y, 1, 1),
                       QColor(255, 255, 255, 220));
        }
    }
    FlagFinish(p, r);
}

void UkFlag(QPainter& p, const QRect& r) {
    p.fillRect(r, Rgb(0x012169));
    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF tl = r.topLeft(), br = QPointF(r.right() + 1, r.bottom() + 1);
    const QPointF tr(r.right() + 1, r.top()), bl(r.left(), r.bottom() + 1);
    p.setPen(QPen(Rgb(0xFFFFFF), 3.0));
    p.drawLine(tl, br);
    p.drawLine(tr, bl);
    p.setPen(QPen(Rgb(0xC8102E), 1.0));
    p.drawLine(tl + QPointF(0, -0.6), br + QPointF(0, -0.6));
    p.drawLine(tr + QPointF(0, 0.6), bl + QPointF(0, 0.6));
    p.restore();
    const QPointF c(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
    p.fillRect(QRectF(c.x() - 2.5, r.top(), 5, r.height()), Rgb(0xFFFFFF));
    p.fillRect(QRectF(r.left(), c.y() - 2.5, r.width(), 5), Rgb(0xFFFFFF));
    p.fillRect(QRectF(c.x() - 1.5, r.top(), 3, r.height()), Rgb(0xC8102E));
    p.fillRect(QRectF(r.left(), c.y() - 1.5, r.width(), 3), Rgb(0xC8102E));
    FlagFinish(p, r);
}

void Stripes(QPainter& p, const QRect& r, std::initializer_list<QColor> colours) {
    const int n = static_cast<int>(colours.size());
    int i = 0;
    for (const QColor& c : colours) {
        const int top = r.top() + r.height() * i / n;
        const int bottom = r.top() + r.height() * (i + 1) / n;
        p.fillRect(QRect(r.left(), top, r.width(), bottom - top), c);
        ++i;
    }
    FlagFinish(p, r);
}

void SwissFlag(QPainter& p, const QRect& r) {
    p.fillRect(r, Rgb(0xDA291C));
    const int cx = r.left() + r.width() / 2;
    const int cy = r.top() + r.height() / 2;
    p.fillRect(QRect(cx - 1, cy - 5, 3, 11), Rgb(0xFFFFFF));
    p.fillRect(QRect(cx - 5, cy - 1, 11, 3), Rgb(0xFFFFFF));
    FlagFinish(p, r);
}

QImage FlagsEnglish() {
    QImage img(53, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    UsFlag(p, QRect(1, 3, 24, 13));
    UkFlag(p, QRect(28, 3, 24, 13));
    p.end();
    return img;
}

QImage FlagsGerman() {
    QImage img(80, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Stripes(p, QRect(1, 3, 23, 15), {Rgb(0xED2939), Rgb(0xFFFFFF), Rgb(0xED2939)});
    Stripes(p, QRect(28, 3, 24, 15), {Rgb(0x000000), Rgb(0xDD0000), Rgb(0xFFCE00)});
    SwissFlag(p, QRect(60, 3, 15, 15));
    p.end();
    return img;
}

// --- icon and logo -------------------------------------------------------------------------

void IconArt(QPainter& p, int size) {
    // A rounded sand tile carrying the three connection kinds into a steel
    // hub, with the marker star; drawn in a 64-unit box.
    const bool tiny = size <= 16;
    const bool small = size <= 24;
    p.scale(size / 64.0, size / 64.0);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(3, 3, 58, 58), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(tile.translated(1.5, 2.0));
    Outlined(p, tile, Down(3, 61, Rgb(0xEBDDBE), Rgb(0xC2A878)), Rgb(0x5A4020), tiny ? 2.4 : 1.6);
    if (!tiny) {
        p.setPen(QPen(QColor(255, 255, 255, 120), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(5.5, 5.5, 53, 53), 7, 7);
    }
    const QPointF c(32, 33);
    p.save();
    p.setClipPath(tile);
    // band to the left, rails down, pipe up, band to the right
    auto stroke = [&](QPointF a, double w, const QColor& col) {
        p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, c);
    };
    const double k = tiny ? 1.35 : (small ? 1.15 : 1.0);
    stroke(QPointF(0, 33), 20 * k, Rgb(0x5E3F06));
    stroke(QPointF(0, 33), 16 * k, Rgb(0xE0B02A));
    stroke(QPointF(0, 33), 6 * k, Rgb(0xFBE48A));
    stroke(QPointF(64, 33), 20 * k, Rgb(0x5E3F06));
    stroke(QPointF(64, 33), 16 * k, Rgb(0xE0B02A));
    stroke(QPointF(64, 33), 6 * k, Rgb(0xFBE48A));
    stroke(QPointF(32, 64), 15 * k, Rgb(0x4B0F15));
    if (!tiny) {
        for (double s : {-4.2, 4.2}) {
            p.setPen(QPen(Rgb(0xD0302A), 3.4 * k, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(32 + s * k, 64), QPointF(32 + s * k, 33));
        }
    } else {
        stroke(QPointF(32, 64), 7, Rgb(0xD0302A));
    }
    stroke(QPointF(32, 0), 10 * k, Rgb(0x123570));
    stroke(QPointF(32, 0), 7.4 * k, Rgb(0x2468CC));
    stroke(QPointF(32, 0), 2.4 * k, Rgb(0xC4E2FF));
    p.restore();
    // hub
    p.setPen(QPen(Rgb(0x24272D), 1.4));
    p.setBrush(Ball(c, 12, Rgb(0xF4F6F9), Rgb(0x59606B)));
    p.drawEllipse(c, 11.5 * k, 11.5 * k);
    if (!tiny) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Rgb(0x3A3F47), 1.2));
        p.drawEllipse(c, 6.5, 6.5);
    }
    // the marker star
    if (!tiny) {
        const QPointF s(49, 15);
        p.setPen(QPen(Rgb(0x5A0A68), small ? 1.8 : 1.2));
        QRadialGradient g(s, 12);
        g.setColorAt(0, Rgb(0xFFFFFF));
        g.setColorAt(0.45, Rgb(0xFFE0F8));
        g.setColorAt(1, Rgb(0xFF46D2));
        p.setBrush(g);
        p.drawPath(Star(s, 4, small ? 13 : 12, small ? 4.2 : 3.4, 0));
    }
}

QImage LogoArt() {
    return Render(100, 75, [](QPainter& p) {
        // a plum badge with a gilt rim
        QPainterPath badge;
        badge.addRoundedRect(QRectF(1, 1, 98, 73), 9, 9);
        QLinearGradient plum(QPointF(0, 0), QPointF(0, 75));
        plum.setColorAt(0, Rgb(0x5A2A8A));
        plum.setColorAt(1, Rgb(0x24103E));
        Outlined(p, badge, plum, Rgb(0xD8A840), 1.8);
        p.setPen(QPen(QColor(255, 230, 160, 90), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(4, 4, 92, 67), 7, 7);
        // sparkles
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 150, 200));
        for (const auto& [x, y, r] : std::array<std::array<double, 3>, 5>{
                 {{14, 14, 2.6}, {86, 12, 2.0}, {80, 38, 1.6}, {18, 40, 1.8}, {66, 8, 1.3}}}) {
            p.drawPath(Star(QPointF(x, y), 4, r * 1.6, r * 0.45, 0));
        }
        Mascot(p, QPointF(50, 30), 13.5);
        // the name
        const QPainterPath name = CentredTextPath(QStringLiteral("Zanfor"), 17, true, 50, 60);
        p.setPen(QPen(Rgb(0x1A0A2A), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(name);
        p.setPen(Qt::NoPen);
        p.setBrush(Down(46, 60, Rgb(0xFFF2B0), Rgb(0xE0A020)));
        p.drawPath(name);
        QPainterPath games;
        const QString letters = QStringLiteral("GAMES");
        for (int i = 0; i < letters.size(); ++i) {
            games.addPath(CentredTextPath(letters.mid(i, 1), 8, true, 34 + i * 8, 70));
        }
        p.setBrush(Rgb(0xE8D8FF));
        p.drawPath(games);
    });
}

} // namespace

int DigitSegments(int digit) {
    return Segments[static_cast<std::size_t>(digit % 10)];
}

QImage DigitStrip() {
    QImage strip(148, 20, QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int d = 0; d < 10; ++d) {
        DigitDots(strip, d, 11 * d);
    }
    QPainter p(&strip);
    p.drawImage(122, 0, Face(true));
    p.drawImage(135, 0, Face(false));
    p.end();
    return strip;
}

QImage Icon(int size) {
    return Render(
        size, size, [size](QPainter& p) { IconArt(p, size); }, 4);
}

QImage Logo() {
    return LogoArt();
}

std::vector<NamedPicture> ResourcePictures() {
    std::vector<NamedPicture> out;
    auto add = [&out](const char* name, QImage image) {
        out.push_back({QString::fromLatin1(name), std::move(image)});
    };
    add("numbs1.png", DigitStrip());
    add("InsertBtn.png", WithDisabled(InsertGlyph()));
    add("NewGameBtn.png", BombGlyph());
    add("RestartBtn.png", WithDisabled(RestartGlyph()));
    add("DeleteBtn.png", WithDisabled(ScissorsGlyph()));
    add("LoadBtn.png", WithDisabled(FloppyGlyph(true)));
    add("SaveBtn.png", WithDisabled(FloppyGlyph(false)));
    add("SoundBtn.png", WithDisabled(SpeakerGlyph()));
    add("OptionBtn.png", KnightGlyph());
    add("ExitBtn.png", DoorGlyph());
    add("sDownBtn.png", WithDisabled(TriangleGlyph(false)));
    add("sUpBtn.png", WithDisabled(TriangleGlyph(true)));
    add("RulesBtn.png", RulesGlyph());
    add("InfoBtn.png", InfoGlyph());
    add("ZanforBtn.png", ZanforGlyph());
    add("OKBtn.png", WithDisabled(CheckGlyph()));
    add("CancelBtn.png", WithDisabled(CrossGlyph()));
    add("newpathbtn.png", WithDisabled(NewFolderGlyph()));
    add("TongBtn.png", WithDisabled(BubbleGlyph()));
    add("folder_closed.png", FolderGlyph(false));
    add("folder_open.png", FolderGlyph(true));
    add("drive.png", DriveGlyph());
    add("flag_en.png", FlagsEnglish());
    add("flag_de.png", FlagsGerman());
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        out.push_back({QStringLiteral("icon%1.png").arg(size), Icon(size)});
    }
    add("logo.png", Logo());
    return out;
}

std::vector<QString> ResourceNames() {
    std::vector<QString> names;
    for (const NamedPicture& p : ResourcePictures()) {
        names.push_back(p.name);
    }
    return names;
}

QImage SplashPicture() {
    const QImage sheet = TileSheet();
    auto tile = [&sheet](int t) { return sheet.copy((t % 20) * 48, (t / 20) * 48, 48, 48); };
    QImage out = Opaque(Render(
        200, 150,
        [&](QPainter& p) {
            // night-blue ground with a glow behind the tiles
            QLinearGradient sky(QPointF(0, 0), QPointF(0, 150));
            sky.setColorAt(0, Rgb(0x1A2238));
            sky.setColorAt(1, Rgb(0x0A0D16));
            p.fillRect(QRectF(0, 0, 200, 150), sky);
            QRadialGradient glow(QPointF(100, 92), 80);
            glow.setColorAt(0, QColor(255, 200, 90, 90));
            glow.setColorAt(1, QColor(255, 200, 90, 0));
            p.fillRect(QRectF(0, 0, 200, 150), glow);
            for (int i = 0; i < 40; ++i) {
                const double x = Unit(Hash(static_cast<std::uint32_t>(i), 808)) * 200;
                const double y = Unit(Hash(static_cast<std::uint32_t>(i), 809)) * 60;
                const double a = 80 + Unit(Hash(static_cast<std::uint32_t>(i), 810)) * 150;
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, static_cast<int>(a)));
                p.drawEllipse(QPointF(x, y), 0.5, 0.5);
            }
            // three tiles, one of each kind, fanned out
            const std::array<int, 3> tiles = {3, 14, 33};
            const std::array<double, 3> angle = {-9.0, 0.0, 9.0};
            const std::array<QPointF, 3> centre = {QPointF(50, 96), QPointF(100, 90),
                                                   QPointF(150, 96)};
            for (int i : {0, 2, 1}) {
                p.save();
                p.translate(centre[static_cast<std::size_t>(i)]);
                p.rotate(angle[static_cast<std::size_t>(i)]);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, 120));
                p.drawRoundedRect(QRectF(-22, -21, 48, 48), 2, 2);
                p.setRenderHint(QPainter::SmoothPixmapTransform, true);
                p.drawImage(QRectF(-24, -24, 48, 48), tile(tiles[static_cast<std::size_t>(i)]));
                p.restore();
            }
            // the marker on the middle tile
            const QImage frame = SpriteFrame(2);
            const QImage mask = SpriteMask(frame);
            QImage sprite(20, 20, QImage::Format_ARGB32);
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 20; ++x) {
                    const bool on = qRed(mask.pixel(x, y)) == 0;
                    sprite.setPixel(x, y, on ? frame.pixel(x, y) : qRgba(0, 0, 0, 0));
                }
            }
            p.drawImage(QPointF(90, 80), sprite);
            // the title
            const QPainterPath title =
                CentredTextPath(QStringLiteral("Zanfor Kelva"), 27, true, 100, 40);
            p.setPen(QPen(QColor(0, 0, 0, 150), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(title.translated(1, 2));
            p.setPen(QPen(Rgb(0x3A2204), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(title);
            p.setPen(Qt::NoPen);
            p.setBrush(Down(18, 40, Rgb(0xFFF6C0), Rgb(0xE09A18)));
            p.drawPath(title);
            p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
            p.setBrush(Qt::NoBrush);
            p.drawPath(title.translated(0, -0.4));
            // the maker and the version
            p.setPen(Qt::NoPen);
            p.setBrush(Rgb(0xC8D0E4));
            p.drawPath(CentredTextPath(QStringLiteral("Zanfor Games  \u00B7  Version 2.0"), 8.5,
                                       false, 100, 143));
        },
        4));
    return out.convertToFormat(QImage::Format_RGB32);
}

} // namespace zk::art
