// The fixed tiles that carry no connection: walls, floors, stones and
// ornaments, each described by one row of a table (ground, frame, ornament).
#pragma once

#include "art/Art.h"

namespace zk::art {

// A tile's texture (48 x 48 units at the scale asked for) and what is drawn
// over it, in units.
struct FixedPiece {
    QImage backdrop;
    DrawFn draw;
};

// The picture of a fixed tile without connections. t must be one of the 55
// such tiles; other numbers get a plain bolted granite slab.
FixedPiece FixedPieceFor(int t, double scale);

} // namespace zk::art
