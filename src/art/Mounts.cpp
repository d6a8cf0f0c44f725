#include "art/Mounts.h"

#include "art/Shapes.h"
#include "art/Textures.h"

namespace zk::art {

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

// A recessed round panel in the middle of a slab, where ornaments sit.
void DrawPanel(QPainter& p, double r, const QColor& floor) {
    Fill(p, Circle(Mid, r + 1.5), QColor(255, 255, 255, 70));
    Fill(p, Circle(Mid + QPointF(-0.6, -0.6), r + 0.6), QColor(0, 0, 0, 120));
    QRadialGradient g(Mid + QPointF(2, 2), r * 1.3);
    g.setColorAt(0, floor);
    g.setColorAt(1, Shade(floor, 0.75));
    Fill(p, Circle(Mid, r), g);
}

void DrawBrickRelief(QPainter& p, int rowHeight, int brickLength) {
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

QImage FixedBaseTexture(int t, int stone, double scale) {
    static constexpr Tone tones[] = {Tone::Granite, Tone::Slate, Tone::Sandstone};
    return StoneTexture(U32(t), tones[stone % 3], scale);
}

} // namespace zk::art
