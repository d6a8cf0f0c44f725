// The glyphs of the toolbar buttons.
#include "art/GlyphArt.h"

#include <cmath>

namespace zk::art {

namespace {

// A floppy disk filling r, with its shutter and label.
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

// A glossy disc with a white sign on it.
void Disc(QPainter& p, const QColor& light, const QColor& dark, const QPainterPath& sign) {
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
}

} // namespace

void DrawInsert(QPainter& p) {
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
}

void DrawBomb(QPainter& p) {
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
}

void DrawRestart(QPainter& p) {
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
}

void DrawScissors(QPainter& p) {
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
}

void DrawFloppy(QPainter& p, bool leaving) {
    Floppy(p, QRectF(1.5, 5.5, 12, 12));
    QPainterPath arrow = leaving ? ArrowPath(QPointF(9.5, 10), QPointF(16.5, 1.2), 2.6, 6.6, 4.2)
                                 : ArrowPath(QPointF(16.8, 0.8), QPointF(9.2, 10.2), 2.6, 6.6, 4.2);
    Outlined(p, arrow, Down(0, 11, Rgb(0xFF7A6A), Rgb(0xC8140E)), Rgb(0x5A0604), 0.8);
}

void DrawSpeaker(QPainter& p) {
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
}

void DrawKnight(QPainter& p) {
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
}

void DrawDoor(QPainter& p) {
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
}

void DrawTriangle(QPainter& p, bool right) {
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
}

void DrawRules(QPainter& p) {
    const QPainterPath sign = CentredTextPath(QStringLiteral("\u00A7"), 12.5, true, 9.0, 13.4);
    Disc(p, Rgb(0xFF8A7A), Rgb(0xB01010), sign);
}

void DrawInfo(QPainter& p) {
    QPainterPath sign;
    sign.addEllipse(QPointF(9, 5.0), 1.35, 1.35);
    sign.addRect(QRectF(8.0, 7.4, 2.0, 6.0));
    sign.addRect(QRectF(6.9, 7.4, 2.0, 1.1));
    sign.addRect(QRectF(6.9, 12.6, 4.2, 1.2));
    sign.setFillRule(Qt::WindingFill);
    Disc(p, Rgb(0x8AC0FF), Rgb(0x1446B0), sign.simplified());
}

} // namespace zk::art
