// The hint: the cell to click next on a shortest way from the Board to its
// nearest solution. The way is the solver's answer; the guide keeps it while
// the player follows it (or steps back along it) and asks again once the
// Board has left it. An answer without a way (the board has no solution, or
// the search gave up) is kept for its Board too, until a move changes it.
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

// The hint's answer for a Board, telling apart the three ends of the search.
enum class HintVerdict {
    Found,      // clicks lead to a solution (none on a solved Board)
    Unsolvable, // proven: no arrangement of the tiles passes the check
    GaveUp,     // the search ran out of its limits, or was cancelled
};
struct HintAnswer {
    HintVerdict verdict = HintVerdict::GaveUp;
    std::vector<Cell> clicks; // when Found
    // When Found: the way leads to the nearest solution the search found,
    // rather than to the first the solver met.
    bool nearest = false;
};
using HintQuery = std::function<HintAnswer(const Board&)>;

class HintGuide {
public:
    void SetQuery(NearestSolutionQuery query);
    void SetQuery(HintQuery query);
    bool CanAsk() const { return static_cast<bool>(query_); }

    // What the guide knows of this Board without asking: the way kept, or
    // the answer kept for it. None when it would have to ask.
    std::optional<HintVerdict> Known(const Board& board) const;
    // Takes an answer found elsewhere (a worker thread's) for a Board, as
    // if the query had given it. A way that cannot be played from the Board
    // counts as GaveUp.
    void Accept(const Board& board, const HintAnswer& answer);

    // The cell to click next; none on a solved Board, without a way, or
    // without a query to ask.
    std::optional<Cell> Next(const Board& board);
    // The moves of the shortest way from the Board; none without a way.
    std::optional<int> FewestMoves(const Board& board);
    // The verdict for the Board, asking when it is not known.
    HintVerdict Verdict(const Board& board);
    // Forgets the way and the answer kept (a level starts).
    void Forget();

private:
    // Asks for the way from the Board (unless the answer is known) and
    // keeps every Board along it; false when there is none.
    bool Follow(const Board& board);
    // Keeps the way of a Found answer; false when it cannot be played.
    bool Keep(const Board& board, const HintAnswer& answer);
    // The step of the kept way at which the Board stands.
    std::optional<std::size_t> StepAt(const Board& board) const;

    HintQuery query_;
    std::vector<Board> boards_; // the Board before each click, then the solution
    std::vector<Cell> clicks_;
    // The Board of the last answer without a way, and that answer.
    std::optional<Board> settled_;
    HintVerdict settledVerdict_ = HintVerdict::GaveUp;
};

} // namespace zk
