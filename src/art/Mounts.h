// What holds a tile in place and gives it depth: the raised bevel of a
// movable tile, the recessed rim of the floor, the chiselled rim of a stone
// slab, bolts, a carved frame, the recessed panel an ornament sits in and
// the relief of brick courses. All drawing is in 48 x 48 tile units.
#pragma once

#include "art/Art.h"

namespace zk::art {

void DrawRaisedBevel(QPainter& p);
void DrawFloorRim(QPainter& p);
void DrawStoneRim(QPainter& p, double width = 3.0);
void DrawBolt(QPainter& p, QPointF centre, double radius);
void DrawCornerBolts(QPainter& p);

// A carved frame inside the rim with corner stops: a slab set in stone
// rather than bolted.
void DrawCarvedFrame(QPainter& p);

// A recessed round panel of radius r in the middle of a slab.
void DrawPanel(QPainter& p, double r, const QColor& floor);

// Light upper and dark lower edges of brick courses, matching BrickTexture.
void DrawBrickRelief(QPainter& p, int rowHeight, int brickLength);

// The stone base of fixed tiles with connections: granite, slate or
// sandstone (stone 0, 1, 2), with a grain seeded by the tile number.
QImage FixedBaseTexture(int t, int stone, double scale);

} // namespace zk::art
