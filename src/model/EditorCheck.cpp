#include "model/EditorCheck.h"

#include <algorithm>
#include <array>

namespace zk {

namespace {

constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};

TileNumber TileAt(const LevelRecord& level, int c, int r) {
    return level[static_cast<std::size_t>(CellIndex(c, r))];
}

// A fixed tile never moves: an end of it that leads off the board, or into a
// fixed tile without the twin, stays open in every arrangement.
std::optional<EditorReason> FixedTileReason(const LevelRecord& level) {
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = TileAt(level, c, r);
            if (IsMovable(t)) {
                continue;
            }
            const Edges edges = TileEdges(t);
            for (const Side side : {East, North, West, South}) {
                const EdgeCode code = edges[side];
                const int nc = c + ColumnStep[side], nr = r + RowStep[side];
                if (!IsOnBoard(nc, nr)) {
                    if (code != 0) {
                        return EditorReason{EditorReasonKind::EndOffBoard, Cell{c, r}, side, code};
                    }
                    continue;
                }
                const TileNumber next = TileAt(level, nc, nr);
                const Side facing = static_cast<Side>((side + 2) % 4);
                if (!IsMovable(next) && TileEdges(next)[facing] != code) {
                    // Told of the tile whose end it is.
                    if (code != 0) {
                        return EditorReason{EditorReasonKind::EndIntoFixed, Cell{c, r}, side, code};
                    }
                    return EditorReason{EditorReasonKind::EndIntoFixed, Cell{nc, nr}, facing,
                                        TileEdges(next)[facing]};
                }
            }
        }
    }
    return std::nullopt;
}

// Every east end of a kind meets a west end of it, every north end a south
// end: over the whole board the counts must agree, wherever tiles lie.
std::optional<EditorReason> BalanceReason(const LevelRecord& level) {
    std::array<std::array<int, 4>, 4> ends{}; // [side][code]
    for (const TileNumber t : level) {
        const Edges edges = TileEdges(t);
        for (const Side side : {East, North, West, South}) {
            ++ends[static_cast<std::size_t>(side)][edges[side]];
        }
    }
    for (EdgeCode code = 1; code < 4; ++code) {
        if (ends[East][code] != ends[West][code]) {
            return EditorReason{EditorReasonKind::EndsUnpaired, std::nullopt, East, code};
        }
        if (ends[North][code] != ends[South][code]) {
            return EditorReason{EditorReasonKind::EndsUnpaired, std::nullopt, North, code};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<EditorReason> FindEditorReason(const LevelRecord& level) {
    if (auto reason = FixedTileReason(level)) {
        return reason;
    }
    if (auto reason = BalanceReason(level)) {
        return reason;
    }
    if (std::none_of(level.begin(), level.end(), IsHoldable)) {
        return EditorReason{EditorReasonKind::NothingToHold, std::nullopt, East, 0};
    }
    return std::nullopt;
}

EditorVerdict CheckForEditor(const LevelRecord& level, const std::atomic<bool>* cancel) {
    EditorVerdict verdict;
    verdict.reason = FindEditorReason(level);
    if (verdict.reason) {
        verdict.status = Solvability::Unsolvable;
        return verdict;
    }
    SolverLimits limits;
    limits.solutionCap = 2;
    limits.cancel = cancel;
    const SolverResult solved = SolveLevel(level, limits);
    verdict.status = solved.status;
    if (solved.status != Solvability::Solvable) {
        return verdict;
    }
    // A count cut short by the budget leaves open whether the one found is the only one.
    verdict.solutions = solved.solutions >= 2 ? 2 : solved.countComplete ? 1 : 0;
    if (cancel && cancel->load()) {
        return verdict;
    }
    const Difficulty difficulty = RateLevel(level);
    verdict.grade = difficulty.rated ? difficulty.grade : 0;
    return verdict;
}

} // namespace zk
