#include "model/OpenEnds.h"

namespace zk {

namespace {

// Beyond the border every side shows 0.
EdgeCode FacingCode(const LevelRecord& cells, int column, int row, Side side) {
    if (!IsOnBoard(column, row)) {
        return 0;
    }
    return TileEdges(cells[static_cast<std::size_t>(CellIndex(column, row))])[side];
}

} // namespace

SideMask OpenEnds(const LevelRecord& cells, int column, int row) {
    if (!IsOnBoard(column, row)) {
        return 0;
    }
    struct Neighbour {
        Side side;
        int dc, dr;
        Side facing;
    };
    static constexpr Neighbour Neighbours[] = {
        {East, 1, 0, West}, {North, 0, -1, South}, {West, -1, 0, East}, {South, 0, 1, North}};
    const Edges edges = TileEdges(cells[static_cast<std::size_t>(CellIndex(column, row))]);
    SideMask open = 0;
    for (const Neighbour& n : Neighbours) {
        const EdgeCode code = edges[n.side];
        if (code != 0 && code != FacingCode(cells, column + n.dc, row + n.dr, n.facing)) {
            open = static_cast<SideMask>(open | (1u << n.side));
        }
    }
    return open;
}

OpenEndMap OpenEndsOf(const LevelRecord& cells) {
    OpenEndMap map{};
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            map[static_cast<std::size_t>(CellIndex(c, r))] = OpenEnds(cells, c, r);
        }
    }
    return map;
}

} // namespace zk
