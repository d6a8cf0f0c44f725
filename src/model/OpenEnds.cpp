#include "model/OpenEnds.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <deque>

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

int OpenEndCount(const LevelRecord& cells) {
    int count = 0;
    for (const SideMask open : OpenEndsOf(cells)) {
        count += std::popcount(static_cast<unsigned>(open));
    }
    return count;
}

namespace {

constexpr int StepColumn[4] = {1, 0, -1, 0};
constexpr int StepRow[4] = {0, -1, 0, 1};

// The code of the connection across `side` of the cell when its end meets
// its twin there; 0 otherwise.
EdgeCode ClosedCode(const LevelRecord& cells, int column, int row, Side side) {
    const EdgeCode code = TileEdges(cells[static_cast<std::size_t>(CellIndex(column, row))])[side];
    const Side facing = static_cast<Side>((side + 2) % 4);
    const bool meets = code != 0 && FacingCode(cells, column + StepColumn[side],
                                               row + StepRow[side], facing) == code;
    return meets ? code : 0;
}

} // namespace

std::vector<ClosedConnection> ConnectionsOutward(const LevelRecord& cells, Cell start) {
    // The steps of every cell from its network's first lit cell: start's
    // network from start, every other from its cell nearest to start.
    std::array<int, CellCount> step;
    step.fill(-1);
    auto distance = [&](int c, int r) {
        return std::abs(c - start.column) + std::abs(r - start.row);
    };
    // Cells by their distance from start, start first: each cell not yet
    // reached begins a network of its own.
    std::vector<Cell> order;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            order.push_back({c, r});
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](Cell a, Cell b) {
        return distance(a.column, a.row) < distance(b.column, b.row);
    });
    for (const Cell seed : order) {
        auto& seedStep = step[static_cast<std::size_t>(CellIndex(seed.column, seed.row))];
        if (seedStep >= 0) {
            continue;
        }
        seedStep = distance(seed.column, seed.row);
        std::deque<Cell> queue{seed};
        while (!queue.empty()) {
            const Cell at = queue.front();
            queue.pop_front();
            const int here = step[static_cast<std::size_t>(CellIndex(at.column, at.row))];
            for (const Side side : {East, North, West, South}) {
                if (ClosedCode(cells, at.column, at.row, side) == 0) {
                    continue;
                }
                const Cell next{at.column + StepColumn[side], at.row + StepRow[side]};
                auto& nextStep = step[static_cast<std::size_t>(CellIndex(next.column, next.row))];
                if (nextStep < 0) {
                    nextStep = here + 1;
                    queue.push_back(next);
                }
            }
        }
    }
    // Each connection once, from its cell nearer to the light.
    std::vector<ClosedConnection> connections;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            for (const Side side : {East, South}) {
                const EdgeCode code = ClosedCode(cells, c, r, side);
                if (code == 0) {
                    continue;
                }
                const Cell a{c, r}, b{c + StepColumn[side], r + StepRow[side]};
                const int sa = step[static_cast<std::size_t>(CellIndex(a.column, a.row))];
                const int sb = step[static_cast<std::size_t>(CellIndex(b.column, b.row))];
                if (sa <= sb) {
                    connections.push_back({a, side, code, sa});
                } else {
                    connections.push_back({b, static_cast<Side>((side + 2) % 4), code, sb});
                }
            }
        }
    }
    std::stable_sort(
        connections.begin(), connections.end(),
        [](const ClosedConnection& x, const ClosedConnection& y) { return x.step < y.step; });
    return connections;
}

} // namespace zk
