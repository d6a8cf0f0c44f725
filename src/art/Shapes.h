// Paths and fills shared by the tile pieces, the glyphs and the brand
// pictures: circles, rings and polygons, the relief of a raised or carved
// shape, domed and vertical gradients, outlined shapes and arrows.
#pragma once

#include "art/Art.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cstdint>
#include <initializer_list>
#include <numbers>

namespace zk::art {

inline constexpr double Pi = std::numbers::pi;

// The middle of a 48-unit tile.
inline constexpr QPointF Mid(24.0, 24.0);

inline std::uint32_t U32(int v) {
    return static_cast<std::uint32_t>(v);
}

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush);

// A raised shape casts a shadow to the lower right and catches the light on
// its upper left; a carved one does the opposite.
void Relief(QPainter& p, const QPainterPath& path, const QBrush& face, bool raised,
            double depth = 0.8);

// The shape filled and stroked with a round-jointed outline.
void Outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line,
              double width);

QPainterPath Circle(QPointF c, double r);
// The ring between radius r1 and r2.
QPainterPath Ring(QPointF c, double r1, double r2);
QPainterPath Poly(std::initializer_list<QPointF> pts);

// An arrow along a straight line: a shaft `shaft` wide and a head `head` wide
// and `headLength` long ending at `to`.
QPainterPath ArrowPath(QPointF from, QPointF to, double shaft, double head, double headLength);

// A ball lit from the upper left: light at the highlight, dark `spread` radii
// away from it.
QRadialGradient Dome(QPointF c, double r, const QColor& light, const QColor& dark,
                     double spread = 1.35);

// A vertical gradient from `a` at `top` to `b` at `bottom`.
QLinearGradient Down(double top, double bottom, const QColor& a, const QColor& b);

} // namespace zk::art
