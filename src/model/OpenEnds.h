// The connection ends that do not meet their twin: a side carrying a
// connection whose neighbour shows a different code on the facing side, or
// that faces the border. A Board passes the solution check exactly when it
// has none.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Board.h"

namespace zk {

// One bit per side of a cell, bit 1 << Side (East, North, West, South).
using SideMask = std::uint8_t;

constexpr bool HasSide(SideMask mask, Side side) {
    return (mask >> side) & 1u;
}

// The open ends of the cell (column, row).
SideMask OpenEnds(const LevelRecord& cells, int column, int row);

// The open ends of every cell, in the Board's layout (byte c x 7 + r).
using OpenEndMap = std::array<SideMask, CellCount>;
OpenEndMap OpenEndsOf(const LevelRecord& cells);

// How many connection ends do not meet their twin.
int OpenEndCount(const LevelRecord& cells);

// A closed connection: the end on `side` of `cell` meets its twin in the
// neighbour there. `step` counts the connections a light needs from its
// start to reach `cell`; it runs on across `side`.
struct ClosedConnection {
    Cell cell;
    Side side = East;
    EdgeCode code = 0;
    int step = 0;
};

// Every closed connection of the cells, each once, in the order a light
// running from `start` along them reaches them: the connections of start
// first, then one step further per connection. A network that start does not
// reach lights from its cell nearest to start, as many steps late as that
// cell is cells away.
std::vector<ClosedConnection> ConnectionsOutward(const LevelRecord& cells, Cell start);

} // namespace zk
