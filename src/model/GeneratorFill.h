// Filling a play area with a network of connections for the level
// generator: the tiles it draws from, the fill itself, fixed tiles with
// connections for the network to reach (anchors), and fixed twins for
// movable tiles that are to stay where they are (pins).
#pragma once

#include <array>
#include <vector>

#include "model/Board.h"
#include "model/Dice.h"
#include "model/GeneratorShapes.h"

namespace zk::gen {

int Connections(const Edges& e);
// The kinds of connection a tile shows, bit c for code c.
unsigned CodesOf(const Edges& e);

// Fixed tiles without a connection: the walls, floors and plain stones of
// the background, and the ornaments scattered sparingly over it.
extern const std::vector<TileNumber> BackgroundTiles;
extern const std::vector<TileNumber> OrnamentTiles;

// Fixed tiles with connections of the given codes only (bit c: code c).
std::vector<TileNumber> AnchorTiles(unsigned codes);

// Whether a movable tile has a fixed twin with the same edges (the empty
// tile's twin is the background), and one of them.
bool CanPin(TileNumber t);
TileNumber PinnedTile(TileNumber t, TileNumber blank, Dice& dice);

// The movable tiles a fill draws from, with their weights: per code 1..3 a
// weight (0 keeps the code out), and a weight for the empty tile.
struct Palette {
    std::vector<TileNumber> tiles;
    std::vector<int> weights;
};
Palette MakePalette(const std::array<int, 4>& codeWeight, int emptyWeight);

// Fills the movable cells row by row so that the whole board is solved,
// backtracking where a choice leads nowhere; false when none was found.
bool FillArea(LevelRecord& level, const Area& area, const Palette& palette, Dice& dice);

// A fixed tile with connections on the rim of the area, every connection
// leading into it; the cell leaves the area. False when none fitted.
bool PlaceAnchor(LevelRecord& level, Area& area, std::vector<std::size_t>& anchors,
                 const std::vector<TileNumber>& tiles, Dice& dice);

} // namespace zk::gen
