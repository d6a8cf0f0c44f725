#include "art/Shapes.h"

#include <cmath>

namespace zk::art {

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

void Relief(QPainter& p, const QPainterPath& path, const QBrush& face, bool raised, double depth) {
    const double s = raised ? 1.0 : -1.0;
    Fill(p, path.translated(s * depth, s * depth), QColor(0, 0, 0, 120));
    Fill(p, path.translated(-s * depth * 0.7, -s * depth * 0.7), QColor(255, 255, 255, 95));
    Fill(p, path, face);
}

void Outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line,
              double width) {
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
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

QRadialGradient Dome(QPointF c, double r, const QColor& light, const QColor& dark, double spread) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * spread);
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

} // namespace zk::art
