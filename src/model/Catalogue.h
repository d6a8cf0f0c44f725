// The tile catalogue: the 200 tile types, their edges, classes, marker anchors
// and sheet cells. Constant data; every lookup is safe for any byte 0..255.
#pragma once

#include <array>
#include <cstdint>

namespace zk {

using TileNumber = std::uint8_t;
using EdgeCode = std::uint8_t;

inline constexpr int TileTypeCount = 200;
inline constexpr int SheetColumns = 20;
inline constexpr TileNumber EmptyTile = 0;
inline constexpr TileNumber LastMovableTile = 90;
inline constexpr TileNumber LastHoldableTile = 89;

// Edge order is always east, north, west, south.
enum Side : int { East = 0, North = 1, West = 2, South = 3 };

struct Edges {
    std::array<EdgeCode, 4> code{};
    EdgeCode operator[](int side) const { return code[static_cast<std::size_t>(side)]; }
    bool operator==(const Edges&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The four edge codes of a tile. Bytes 200..255 have no catalogue entry and
// answer four zeros.
Edges TileEdges(TileNumber t);

// 0..90: moved by the player and by the scramble. Everything above is fixed.
constexpr bool IsMovable(TileNumber t) {
    return t <= LastMovableTile;
}

// 1..89: only these are chosen as the held tile.
constexpr bool IsHoldable(TileNumber t) {
    return t >= 1 && t <= LastHoldableTile;
}

// Whether the image sheets carry a picture for t (0..199).
constexpr bool HasPicture(TileNumber t) {
    return t < TileTypeCount;
}

// Offset of the 20 x 20 marker sprite inside the tile's 48 x 48 cell.
// Bytes 200..255 answer the common anchor (13, 13).
Point SpriteAnchor(TileNumber t);

// Column and row of the tile's picture in a 20-column sheet. Only meaningful
// where HasPicture(t); callers must check before reading a sheet.
constexpr Point SheetCell(TileNumber t) {
    return {t % SheetColumns, t / SheetColumns};
}

} // namespace zk
