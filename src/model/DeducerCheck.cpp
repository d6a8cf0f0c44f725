#include "model/DeducerCheck.h"

#include <algorithm>
#include <bit>

#include "model/DeducerRules.h"

namespace zk {

using namespace deduce;

namespace {

constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};

Cell CellOf(int boardIndex) {
    return {boardIndex / Rows, boardIndex % Rows};
}

LevelFlaw Flaw(FlawKind kind, std::optional<Cell> cell, int side = East, EdgeCode code = 0) {
    return {kind, cell, static_cast<Side>(side), code};
}

// A fixed tile's ends: off the board, against a fixed tile without the
// twin, or into a movable cell that no movable tile can answer.
std::optional<LevelFlaw> FixedTileFlaw(const LevelRecord& level, const Puzzle& p, bool answered) {
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = level[U(CellIndex(c, r))];
            if (IsMovable(t)) {
                continue;
            }
            const Edges e = TileEdges(t);
            for (int side = 0; side < 4; ++side) {
                const int nc = c + ColumnStep[side];
                const int nr = r + RowStep[side];
                if (e[side] == 0 && (!answered || !IsOnBoard(nc, nr))) {
                    continue;
                }
                if (!IsOnBoard(nc, nr)) {
                    return Flaw(FlawKind::EndOffBoard, Cell{c, r}, side, e[side]);
                }
                const TileNumber n = level[U(CellIndex(nc, nr))];
                const int facing = OppositeSide(side);
                if (!IsMovable(n)) {
                    if (!answered && TileEdges(n)[facing] != e[side]) {
                        return Flaw(FlawKind::EndIntoFixed, Cell{c, r}, side, e[side]);
                    }
                } else if (answered && e[side] != 0 &&
                           (p.withCode[U(facing)][e[side]] & p.allClasses) == 0) {
                    return Flaw(FlawKind::EndUnanswered, Cell{c, r}, side, e[side]);
                }
            }
        }
    }
    return std::nullopt;
}

// Every east end of a kind meets a west end of that kind, every north end a
// south end: over the whole board the counts must agree.
std::optional<LevelFlaw> BalanceFlaw(const LevelRecord& level) {
    std::array<std::array<int, 4>, 4> ends{}; // [side][code]
    for (const TileNumber t : level) {
        const Edges e = TileEdges(t);
        for (int side = 0; side < 4; ++side) {
            ++ends[U(side)][e[side]];
        }
    }
    for (EdgeCode code = 1; code < 4; ++code) {
        if (ends[East][code] != ends[West][code]) {
            return Flaw(FlawKind::EndsUnpaired, std::nullopt, East, code);
        }
        if (ends[North][code] != ends[South][code]) {
            return Flaw(FlawKind::EndsUnpaired, std::nullopt, North, code);
        }
    }
    return std::nullopt;
}

// A movable cell no tile fits, or a movable tile no cell takes, by the
// border and the fixed tiles alone.
std::optional<LevelFlaw> FitFlaw(const Puzzle& p) {
    ClassMask fitting = 0;
    for (int x = 0; x < p.cellCount; ++x) {
        if (p.staticAllowed[U(x)] == 0) {
            return Flaw(FlawKind::CellFitsNoTile, CellOf(p.boardIndex[U(x)]));
        }
        fitting |= p.staticAllowed[U(x)];
    }
    if (const ClassMask homeless = p.allClasses & ~fitting; homeless != 0) {
        const int k = std::countr_zero(homeless);
        for (int x = 0; x < p.cellCount; ++x) {
            if (p.storedClass[U(x)] == k) {
                return Flaw(FlawKind::TileFitsNoCell, CellOf(p.boardIndex[U(x)]));
            }
        }
    }
    return std::nullopt;
}

std::optional<LevelFlaw> PlainFlaw(const LevelRecord& level, const Puzzle& p) {
    if (auto f = FixedTileFlaw(level, p, false)) {
        return f;
    }
    if (auto f = BalanceFlaw(level)) {
        return f;
    }
    if (auto f = FixedTileFlaw(level, p, true)) {
        return f;
    }
    return FitFlaw(p);
}

LevelFlaw ContradictionFlaw(const Deduction& d) {
    return Flaw(FlawKind::RulesContradict, d.contradictionCell >= 0
                                               ? std::optional<Cell>(CellOf(d.contradictionCell))
                                               : std::nullopt);
}

} // namespace

std::optional<LevelFlaw> FindFlaw(const LevelRecord& level, int whatIfLimit) {
    if (auto f = PlainFlaw(level, BuildPuzzle(level))) {
        return f;
    }
    DeduceOptions options;
    options.whatIfLimit = whatIfLimit;
    const Deduction d = Deduce(level, options);
    if (d.outcome == DeductionOutcome::Contradiction) {
        return ContradictionFlaw(d);
    }
    return std::nullopt;
}

LevelCheck CheckLevel(const LevelRecord& level, const SolverLimits& limits, int whatIfLimit) {
    LevelCheck check;
    if (auto f = PlainFlaw(level, BuildPuzzle(level))) {
        check.status = Solvability::Unsolvable;
        check.flaw = f;
        return check;
    }
    DeduceOptions options;
    options.whatIfLimit = whatIfLimit;
    const Deduction d = Deduce(level, options);
    check.rating = RateDeduction(d);
    if (d.outcome == DeductionOutcome::Solved) {
        check.status = Solvability::Solvable;
        check.solutions = 1;
        return check;
    }
    if (d.outcome == DeductionOutcome::Contradiction) {
        check.status = Solvability::Unsolvable;
        check.flaw = ContradictionFlaw(d);
        return check;
    }
    SolverLimits counted = limits;
    counted.solutionCap = 2;
    const SolverResult r = SolveLevel(level, counted);
    check.status = r.status;
    check.solutions = r.status == Solvability::Solvable ? std::min(r.solutions, 2) : 0;
    return check;
}

} // namespace zk
