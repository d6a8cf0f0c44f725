// A test oracle for the hint: the shortest way from a Board to any solved
// arrangement by breadth-first search over every Board the clicks reach.
// Only for levels of a handful of movable tiles.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <utility>

#include "model/Hint.h"

namespace zk::oracle {

inline std::optional<WayToSolution> ShortestWay(const Board& start) {
    using Key = std::pair<LevelRecord, int>;
    auto key = [](const Board& b) { return Key{b.cells, CellIndex(b.held.column, b.held.row)}; };
    std::map<Key, std::pair<Key, Cell>> cameFrom;
    std::deque<Board> queue{start};
    cameFrom.emplace(key(start), std::pair{key(start), Cell{-1, -1}});
    while (!queue.empty()) {
        const Board board = queue.front();
        queue.pop_front();
        if (board.IsSolved()) {
            WayToSolution way;
            for (Key at = key(board); at != key(start);) {
                const auto& [previous, click] = cameFrom.at(at);
                way.clicks.insert(way.clicks.begin(), click);
                at = previous;
            }
            return way;
        }
        for (int i = 0; i < CellCount; ++i) {
            Board next = board;
            if (next.SwapWithHeld(i / Rows, i % Rows).moved &&
                cameFrom.emplace(key(next), std::pair{key(board), Cell{i / Rows, i % Rows}})
                    .second) {
                queue.push_back(next);
            }
        }
    }
    return std::nullopt;
}

} // namespace zk::oracle
