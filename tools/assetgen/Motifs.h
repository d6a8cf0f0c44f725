// Tile bases and the wall, stone and ornament pieces of the fixed tiles that
// carry no connection. All drawing is in 48 x 48 tile units.
#pragma once

#include "Art.h"

#include <cstdint>

namespace zk::art {

// Textures (48 x 48 texels) laid under a tile's drawing.
QImage SandTexture(std::uint32_t seed);
QImage FloorTexture(std::uint32_t seed);
QImage StoneTexture(std::uint32_t seed, const QColor& light, const QColor& dark, double scale);

// The raised bevel of a movable tile, the recessed rim of the floor, the
// chiselled rim of a stone slab and the four corner bolts of a fixed tile.
void DrawRaisedBevel(QPainter& p);
void DrawFloorRim(QPainter& p);
void DrawStoneRim(QPainter& p, double width = 3.0);
void DrawBolt(QPainter& p, QPointF centre, double radius);
void DrawCornerBolts(QPainter& p);

// The stone base of fixed tiles with connections: granite, slate or
// sandstone (stone 0, 1, 2), with a grain seeded by the tile number.
QImage FixedBaseTexture(int t, int stone);

// A carved frame inside the rim with corner stops: a slab set in stone
// rather than bolted.
void DrawCarvedFrame(QPainter& p);

struct FixedPiece {
    QImage backdrop;
    DrawFn draw;
};

// The picture of a fixed tile without connections (its wall, stone or
// ornament). t must be one of the 55 such tiles; other numbers get a plain
// bolted slab.
FixedPiece FixedPieceFor(int t);

} // namespace zk::art
