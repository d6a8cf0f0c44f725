// The connection ends that do not meet their twin: a side carrying a
// connection whose neighbour shows a different code on the facing side, or
// that faces the border. A Board passes the solution check exactly when it
// has none.
#pragma once

#include <array>
#include <cstdint>

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

} // namespace zk
