// The hint: the cell to click next on a shortest way from the Board to its
// nearest solution. The way is the solver's answer; the guide keeps it while
// the player follows it (or steps back along it) and asks again once the
// Board has left it.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "model/Board.h"

namespace zk {

// The cells to click, in order, from a Board to a solution: as many as the
// moves that way takes.
struct WayToSolution {
    std::vector<Cell> clicks;
    int Moves() const { return static_cast<int>(clicks.size()); }
};

// Asks for the way from a Board to its nearest solution; none when the level
// has no solution or the search gave up.
using NearestSolutionQuery = std::function<std::optional<WayToSolution>(const Board&)>;

class HintGuide {
public:
    void SetQuery(NearestSolutionQuery query);
    bool CanAsk() const { return static_cast<bool>(query_); }

    // The cell to click next; none on a solved Board, without a way, or
    // without a query to ask.
    std::optional<Cell> Next(const Board& board);
    // The moves of the shortest way from the Board; none without a way.
    std::optional<int> FewestMoves(const Board& board);
    // Forgets the way kept (a level starts).
    void Forget();

private:
    // Asks for the way from the Board and keeps every Board along it; false
    // when there is none or one of its clicks is no move.
    bool Follow(const Board& board);
    // The step of the kept way at which the Board stands.
    std::optional<std::size_t> StepAt(const Board& board) const;

    NearestSolutionQuery query_;
    std::vector<Board> boards_; // the Board before each click, then the solution
    std::vector<Cell> clicks_;
};

} // namespace zk
