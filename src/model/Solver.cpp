#include "model/Solver.h"

#include <algorithm>
#include <bit>
#include <map>
#include <vector>

namespace zk {

namespace {

// Movable cells never exceed the board's 63, so neither do the distinct edge
// records among their tiles: one bit per edge class fits a 64-bit mask.
using ClassMask = std::uint64_t;

constexpr int Opposite(int side) {
    return (side + 2) % 4;
}
constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

struct Problem {
    int cellCount = 0;
    std::array<int, CellCount> boardIndex{}; // board byte of each movable cell
    // Per movable cell and side: the movable neighbour, or -1 when the side
    // faces a fixed tile or the border, whose code is then in required.
    std::array<std::array<int, 4>, CellCount> neighbour{};
    std::array<std::array<EdgeCode, 4>, CellCount> required{};

    int classCount = 0;
    std::array<Edges, CellCount> classEdges{};
    std::array<int, CellCount> classTotal{};
    // Classes showing a code on a side, and showing any of a set of codes.
    std::array<std::array<ClassMask, 4>, 4> withCode{};
    std::array<std::array<ClassMask, 16>, 4> withCodeIn{};
};

class Search {
public:
    Search(const Problem& problem, const SolverLimits& limits)
        : p_(problem), budget_(limits.nodeBudget), cap_(std::max(2, limits.solutionCap)) {
        assigned_.fill(-1);
        for (int c = 0; c < p_.classCount; ++c) {
            remaining_[static_cast<std::size_t>(c)] = p_.classTotal[static_cast<std::size_t>(c)];
            if (remaining_[static_cast<std::size_t>(c)] > 0) {
                available_ |= ClassMask{1} << c;
            }
        }
        unassigned_ = p_.cellCount;
    }

    void Run() {
        Descend();
        if (!effortSet_) {
            effort_ = nodes_;
        }
    }

    std::uint64_t nodes() const { return nodes_; }
    std::uint64_t effort() const { return effort_; }
    int found() const { return found_; }
    bool aborted() const { return aborted_; }
    bool stoppedAtCap() const { return stopped_; }
    const std::array<int, CellCount>& firstSolution() const { return first_; }

private:
    ClassMask Candidates(int cell, const std::array<std::uint8_t, 4>& codesLeft) const {
        ClassMask m = available_;
        const auto& nb = p_.neighbour[static_cast<std::size_t>(cell)];
        for (int s = 0; s < 4; ++s) {
            const auto side = static_cast<std::size_t>(s);
            const int other = nb[side];
            if (other < 0) {
                m &= p_.withCode[side][p_.required[static_cast<std::size_t>(cell)][side]];
                continue;
            }
            const int placed = assigned_[static_cast<std::size_t>(other)];
            if (placed >= 0) {
                m &=
                    p_.withCode[side][p_.classEdges[static_cast<std::size_t>(placed)][Opposite(s)]];
            } else {
                // The neighbour is still open: whatever goes there must show
                // the same code on its facing side.
                m &= p_.withCodeIn[side][codesLeft[static_cast<std::size_t>(Opposite(s))]];
            }
        }
        return m;
    }

    void Descend() {
        if (unassigned_ == 0) {
            ++found_;
            if (found_ == 1) {
                first_ = assigned_;
            }
            if (found_ == 2) {
                effort_ = nodes_;
                effortSet_ = true;
            }
            if (found_ >= cap_) {
                stopped_ = true;
            }
            return;
        }

        // Which codes the remaining tiles show on each side.
        std::array<std::uint8_t, 4> codesLeft{};
        for (std::size_t s = 0; s < 4; ++s) {
            for (std::size_t code = 0; code < 4; ++code) {
                if (available_ & p_.withCode[s][code]) {
                    codesLeft[s] = static_cast<std::uint8_t>(codesLeft[s] | 1U << code);
                }
            }
        }

        // The open cell with the fewest fitting tiles comes next; a cell with
        // none, or a remaining tile that fits no open cell, ends this branch.
        int best = -1;
        ClassMask bestMask = 0;
        int bestCount = 65;
        ClassMask covered = 0;
        for (int cell = 0; cell < p_.cellCount; ++cell) {
            if (assigned_[static_cast<std::size_t>(cell)] >= 0) {
                continue;
            }
            const ClassMask m = Candidates(cell, codesLeft);
            if (m == 0) {
                return;
            }
            covered |= m;
            const int count = std::popcount(m);
            if (count < bestCount) {
                best = cell;
                bestMask = m;
                bestCount = count;
            }
        }
        if (covered != available_) {
            return;
        }

        for (ClassMask m = bestMask; m != 0; m &= m - 1) {
            if (nodes_ >= budget_) {
                aborted_ = true;
                return;
            }
            ++nodes_;
            const int cls = std::countr_zero(m);
            Place(best, cls);
            Descend();
            Unplace(best, cls);
            if (aborted_ || stopped_) {
                return;
            }
        }
    }

    void Place(int cell, int cls) {
        assigned_[static_cast<std::size_t>(cell)] = cls;
        if (--remaining_[static_cast<std::size_t>(cls)] == 0) {
            available_ &= ~(ClassMask{1} << cls);
        }
        --unassigned_;
    }

    void Unplace(int cell, int cls) {
        assigned_[static_cast<std::size_t>(cell)] = -1;
        ++remaining_[static_cast<std::size_t>(cls)];
        available_ |= ClassMask{1} << cls;
        ++unassigned_;
    }

    const Problem& p_;
    std::uint64_t budget_;
    int cap_;

    std::array<int, CellCount> assigned_{};
    std::array<int, CellCount> remaining_{};
    ClassMask available_ = 0;
    int unassigned_ = 0;

    std::uint64_t nodes_ = 0;
    std::uint64_t effort_ = 0;
    bool effortSet_ = false;
    int found_ = 0;
    bool aborted_ = false;
    bool stopped_ = false;
    std::array<int, CellCount> first_{};
};

TileNumber At(const LevelRecord& level, int column, int row) {
    return level[static_cast<std::size_t>(CellIndex(column, row))];
}

// Constraints no arrangement of the movable tiles can change: two fixed tiles
// facing each other, a fixed tile facing the border, and the balance of
// connection ends (every east end of a code needs a west end of the same
// code beside it, and likewise north and south).
bool FixedPartCanBeSolved(const LevelRecord& level) {
    std::array<std::array<int, 4>, 4> ends{}; // [side][code]
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            const Edges e = TileEdges(t);
            for (int s = 0; s < 4; ++s) {
                ++ends[static_cast<std::size_t>(s)][e[s]];
                if (IsMovable(t)) {
                    continue;
                }
                const int nc = c + ColumnStep[s];
                const int nr = r + RowStep[s];
                if (!IsOnBoard(nc, nr)) {
                    if (e[s] != 0) {
                        return false;
                    }
                } else if (const TileNumber n = At(level, nc, nr); !IsMovable(n)) {
                    if (TileEdges(n)[Opposite(s)] != e[s]) {
                        return false;
                    }
                }
            }
        }
    }
    for (std::size_t code = 1; code < 4; ++code) {
        if (ends[East][code] != ends[West][code] || ends[North][code] != ends[South][code]) {
            return false;
        }
    }
    return true;
}

// The level's own tiles on the cells of one solution: a cell whose stored
// tile has the edges the solution puts there keeps it, the others take the
// remaining tiles of their edge class in board order.
LevelRecord BuildSolution(const LevelRecord& level, const Problem& p,
                          const std::array<int, CellCount>& classes,
                          const std::array<int, CellCount>& classOfCell) {
    LevelRecord out = level;
    std::vector<std::vector<TileNumber>> pool(static_cast<std::size_t>(p.classCount));
    std::vector<bool> done(static_cast<std::size_t>(p.cellCount), false);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = static_cast<std::size_t>(i);
        if (classOfCell[cell] != classes[cell]) {
            pool[static_cast<std::size_t>(classOfCell[cell])].push_back(
                level[static_cast<std::size_t>(p.boardIndex[cell])]);
        } else {
            done[cell] = true;
        }
    }
    std::vector<std::size_t> next(static_cast<std::size_t>(p.classCount), 0);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = static_cast<std::size_t>(i);
        if (done[cell]) {
            continue;
        }
        const auto cls = static_cast<std::size_t>(classes[cell]);
        out[static_cast<std::size_t>(p.boardIndex[cell])] = pool[cls][next[cls]++];
    }
    return out;
}

} // namespace

std::string_view SolvabilityName(Solvability s) {
    switch (s) {
    case Solvability::Solvable:
        return "yes";
    case Solvability::Unsolvable:
        return "no";
    case Solvability::Unknown:
        break;
    }
    return "unknown";
}

int DifficultyGrade(std::uint64_t effort, int movableCells, int movableTiles) {
    // Tiles to place: one grade step for every eight beyond the first four.
    const int tiles = std::max(0, movableTiles - 4) / 8;
    // Trial and error: one step for every doubling of the nodes the search
    // needed per cell beyond the one placement each cell takes anyway.
    const std::uint64_t perCell = effort / static_cast<std::uint64_t>(std::max(1, movableCells));
    const int search = std::max(0, static_cast<int>(std::bit_width(perCell)) - 1);
    return std::clamp(LowestGrade + tiles + search, LowestGrade, HighestGrade);
}

SolverResult SolveLevel(const LevelRecord& level, const SolverLimits& limits) {
    SolverResult result;
    Problem p;
    std::array<int, CellCount> classOfCell{};
    std::array<int, CellCount> cellAt{};
    cellAt.fill(-1);
    std::map<int, int> classOfKey;

    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            if (!HasPicture(t)) {
                ++result.foreignTiles;
            }
            if (!IsMovable(t)) {
                continue;
            }
            ++result.movableCells;
            result.movableTiles += t != EmptyTile ? 1 : 0;
            result.holdableTiles += IsHoldable(t) ? 1 : 0;
            const auto cell = static_cast<std::size_t>(p.cellCount);
            const Edges e = TileEdges(t);
            auto [it, added] = classOfKey.try_emplace(EdgeKey(e), p.classCount);
            if (added) {
                p.classEdges[static_cast<std::size_t>(p.classCount)] = e;
                ++p.classCount;
            }
            classOfCell[cell] = it->second;
            ++p.classTotal[static_cast<std::size_t>(it->second)];
            p.boardIndex[cell] = CellIndex(c, r);
            cellAt[static_cast<std::size_t>(CellIndex(c, r))] = p.cellCount;
            ++p.cellCount;
        }
    }

    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = static_cast<std::size_t>(i);
        const int c = p.boardIndex[cell] / Rows;
        const int r = p.boardIndex[cell] % Rows;
        for (int s = 0; s < 4; ++s) {
            const auto side = static_cast<std::size_t>(s);
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            p.neighbour[cell][side] = -1;
            p.required[cell][side] = 0; // the border faces only code 0
            if (IsOnBoard(nc, nr)) {
                const int other = cellAt[static_cast<std::size_t>(CellIndex(nc, nr))];
                p.neighbour[cell][side] = other;
                if (other < 0) {
                    p.required[cell][side] = TileEdges(At(level, nc, nr))[Opposite(s)];
                }
            }
        }
    }

    for (int cls = 0; cls < p.classCount; ++cls) {
        const Edges& e = p.classEdges[static_cast<std::size_t>(cls)];
        for (std::size_t s = 0; s < 4; ++s) {
            p.withCode[s][e[static_cast<int>(s)]] |= ClassMask{1} << cls;
        }
    }
    for (std::size_t s = 0; s < 4; ++s) {
        for (std::size_t set = 0; set < 16; ++set) {
            for (std::size_t code = 0; code < 4; ++code) {
                if (set & (1U << code)) {
                    p.withCodeIn[s][set] |= p.withCode[s][code];
                }
            }
        }
    }

    if (!FixedPartCanBeSolved(level)) {
        result.status = Solvability::Unsolvable;
        result.countComplete = true;
        return result;
    }

    Search search(p, limits);
    search.Run();
    result.nodes = search.nodes();
    result.effort = search.effort();
    const int cap = std::max(1, limits.solutionCap);
    result.solutions = std::min(search.found(), cap);
    result.capReached = search.stoppedAtCap() || search.found() > cap;
    result.countComplete = !search.aborted() && !result.capReached;
    if (search.found() > 0) {
        result.status = Solvability::Solvable;
        result.solution = BuildSolution(level, p, search.firstSolution(), classOfCell);
        result.grade = DifficultyGrade(result.effort, result.movableCells, result.movableTiles);
    } else {
        result.status = search.aborted() ? Solvability::Unknown : Solvability::Unsolvable;
    }
    return result;
}

} // namespace zk
