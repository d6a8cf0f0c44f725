#include "BeforeSolver.h"

#include <algorithm>
#include <bit>
#include <map>
#include <vector>

namespace zk::before {

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
            for (int k = 0; k < remaining_[static_cast<std::size_t>(c)]; ++k) {
                CountEnds(c, 1);
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
    const std::array<int, CellCount>& secondSolution() const { return second_; }

private:
    void Descend() {
        if (unassigned_ == 0) {
            ++found_;
            if (found_ == 1) {
                first_ = assigned_;
            }
            if (found_ == 2) {
                second_ = assigned_;
                effort_ = nodes_;
                effortSet_ = true;
            }
            if (found_ >= cap_) {
                stopped_ = true;
            }
            return;
        }

        Domains d;
        if (!NarrowDomains(d)) {
            return;
        }

        // Branch where the fewest choices remain: the open cell with the
        // fewest fitting tiles, or the last tile of a class with the fewest
        // cells that can take it.
        int bestCell = -1;
        int bestCount = 65;
        for (int cell = 0; cell < p_.cellCount; ++cell) {
            const auto i = static_cast<std::size_t>(cell);
            if (assigned_[i] < 0) {
                const int count = std::popcount(d.masks[i]);
                if (count < bestCount) {
                    bestCell = cell;
                    bestCount = count;
                }
            }
        }
        int bestClass = -1;
        for (ClassMask m = available_; m != 0; m &= m - 1) {
            const int cls = std::countr_zero(m);
            const auto c = static_cast<std::size_t>(cls);
            if (remaining_[c] == 1 && d.room[c] < bestCount) {
                bestClass = cls;
                bestCount = d.room[c];
            }
        }

        if (bestClass >= 0) {
            const ClassMask bit = ClassMask{1} << bestClass;
            for (int cell = 0; cell < p_.cellCount; ++cell) {
                const auto i = static_cast<std::size_t>(cell);
                if (assigned_[i] >= 0 || !(d.masks[i] & bit)) {
                    continue;
                }
                if (!Try(cell, bestClass)) {
                    return;
                }
            }
            return;
        }
        for (ClassMask m = d.masks[static_cast<std::size_t>(bestCell)]; m != 0; m &= m - 1) {
            if (!Try(bestCell, std::countr_zero(m))) {
                return;
            }
        }
    }

    // Places a tile and searches on; false when the search is to stop.
    bool Try(int cell, int cls) {
        if (nodes_ >= budget_) {
            aborted_ = true;
            return false;
        }
        ++nodes_;
        Place(cell, cls);
        Descend();
        Unplace(cell, cls);
        return !aborted_ && !stopped_;
    }

    struct Domains {
        std::array<ClassMask, CellCount> masks{}; // the classes each open cell can take
        std::array<int, CellCount> room{};        // the open cells each class can go to
        // The codes each open cell's classes show on each side (bit c: code c).
        std::array<std::array<unsigned, 4>, CellCount> codes{};
    };

    void SetMask(Domains& d, std::size_t cell, ClassMask m) const {
        d.masks[cell] = m;
        for (std::size_t s = 0; s < 4; ++s) {
            const auto& with = p_.withCode[s];
            d.codes[cell][s] = ((m & with[0]) ? 1U : 0U) | ((m & with[1]) ? 2U : 0U) |
                               ((m & with[2]) ? 4U : 0U) | ((m & with[3]) ? 8U : 0U);
        }
    }

    // The classes each open cell can still take, narrowed until nothing
    // changes. False when some cell or some remaining tile has no place.
    bool NarrowDomains(Domains& d) const {
        // Which codes the remaining tiles show on each side.
        std::array<std::uint8_t, 4> codesLeft{};
        for (std::size_t s = 0; s < 4; ++s) {
            for (std::size_t code = 0; code < 4; ++code) {
                if (tileEnds_[s][code] > 0) {
                    codesLeft[s] = static_cast<std::uint8_t>(codesLeft[s] | 1U << code);
                }
            }
        }

        // Each open cell against its known neighbours, fixed tiles and the
        // border; the codes the known sides ask for are counted.
        std::array<std::array<int, 4>, 4> knownEnds{}; // [side][code]
        std::array<int, CellCount + 1> queue{};        // a ring that never fills up
        std::array<bool, CellCount> queued{};
        int head = 0;
        int tail = 0;
        // A cell whose classes narrowed sends its open neighbours back to
        // the queue.
        auto queueOpenNeighbours = [&](std::size_t i) {
            for (int s = 0; s < 4; ++s) {
                const int other = p_.neighbour[i][static_cast<std::size_t>(s)];
                if (other >= 0 && assigned_[static_cast<std::size_t>(other)] < 0 &&
                    !queued[static_cast<std::size_t>(other)]) {
                    queued[static_cast<std::size_t>(other)] = true;
                    queue[static_cast<std::size_t>(tail)] = other;
                    tail = (tail + 1) % (CellCount + 1);
                }
            }
        };
        for (int cell = 0; cell < p_.cellCount; ++cell) {
            const auto i = static_cast<std::size_t>(cell);
            if (assigned_[i] >= 0) {
                continue;
            }
            ClassMask m = available_;
            for (int s = 0; s < 4; ++s) {
                const auto side = static_cast<std::size_t>(s);
                const int other = p_.neighbour[i][side];
                int code = -1;
                if (other < 0) {
                    code = p_.required[i][side];
                } else if (const int placed = assigned_[static_cast<std::size_t>(other)];
                           placed >= 0) {
                    code = p_.classEdges[static_cast<std::size_t>(placed)][Opposite(s)];
                }
                if (code >= 0) {
                    ++knownEnds[side][static_cast<std::size_t>(code)];
                    m &= p_.withCode[side][static_cast<std::size_t>(code)];
                } else {
                    // An open neighbour: whatever goes there shows the same
                    // code on its facing side.
                    m &= p_.withCodeIn[side][codesLeft[static_cast<std::size_t>(Opposite(s))]];
                }
            }
            if (m == 0) {
                return false;
            }
            SetMask(d, i, m);
            queue[static_cast<std::size_t>(tail)] = cell;
            tail = (tail + 1) % (CellCount + 1);
            queued[i] = true;
        }

        // Connection ends balance: the remaining tiles' east sides show the
        // codes the known east neighbours ask for, and the rest pair up with
        // west sides of the same codes between open cells; likewise north
        // and south.
        for (std::size_t code = 0; code < 4; ++code) {
            const int east = tileEnds_[East][code] - knownEnds[East][code];
            const int west = tileEnds_[West][code] - knownEnds[West][code];
            const int north = tileEnds_[North][code] - knownEnds[North][code];
            const int south = tileEnds_[South][code] - knownEnds[South][code];
            if (east < 0 || east != west || north < 0 || north != south) {
                return false;
            }
        }

        for (;;) {
            // Neighbouring open cells must agree: a cell keeps the classes
            // whose side shows a code that some class still possible next
            // door shows on the facing side.
            while (head != tail) {
                const int cell = queue[static_cast<std::size_t>(head)];
                head = (head + 1) % (CellCount + 1);
                const auto i = static_cast<std::size_t>(cell);
                queued[i] = false;
                ClassMask m = d.masks[i];
                for (int s = 0; s < 4; ++s) {
                    const int other = p_.neighbour[i][static_cast<std::size_t>(s)];
                    if (other < 0 || assigned_[static_cast<std::size_t>(other)] >= 0) {
                        continue;
                    }
                    const auto facing = static_cast<std::size_t>(Opposite(s));
                    m &= p_.withCodeIn[static_cast<std::size_t>(s)]
                                      [d.codes[static_cast<std::size_t>(other)][facing]];
                }
                if (m == d.masks[i]) {
                    continue;
                }
                if (m == 0) {
                    return false;
                }
                SetMask(d, i, m);
                queueOpenNeighbours(i);
            }

            // Every remaining tile needs a cell: a class with fewer cells
            // than tiles left fails, one with exactly as many fills them.
            d.room.fill(0);
            for (int cell = 0; cell < p_.cellCount; ++cell) {
                if (assigned_[static_cast<std::size_t>(cell)] >= 0) {
                    continue;
                }
                for (ClassMask m = d.masks[static_cast<std::size_t>(cell)]; m != 0; m &= m - 1) {
                    ++d.room[static_cast<std::size_t>(std::countr_zero(m))];
                }
            }
            ClassMask forced = 0;
            for (ClassMask m = available_; m != 0; m &= m - 1) {
                const auto cls = static_cast<std::size_t>(std::countr_zero(m));
                if (d.room[cls] < remaining_[cls]) {
                    return false;
                }
                if (d.room[cls] == remaining_[cls]) {
                    forced |= ClassMask{1} << cls;
                }
            }
            bool changed = false;
            for (int cell = 0; cell < p_.cellCount && forced != 0; ++cell) {
                const auto i = static_cast<std::size_t>(cell);
                if (assigned_[i] >= 0) {
                    continue;
                }
                const ClassMask must = d.masks[i] & forced;
                if (must == 0 || must == d.masks[i]) {
                    continue;
                }
                if (std::popcount(must) > 1) {
                    return false; // two classes both need this cell
                }
                SetMask(d, i, must);
                changed = true;
                queueOpenNeighbours(i);
            }
            if (!changed) {
                return true;
            }
        }
    }

    void CountEnds(int cls, int delta) {
        const Edges& e = p_.classEdges[static_cast<std::size_t>(cls)];
        for (int s = 0; s < 4; ++s) {
            tileEnds_[static_cast<std::size_t>(s)][e[s]] += delta;
        }
    }

    void Place(int cell, int cls) {
        CountEnds(cls, -1);
        assigned_[static_cast<std::size_t>(cell)] = cls;
        if (--remaining_[static_cast<std::size_t>(cls)] == 0) {
            available_ &= ~(ClassMask{1} << cls);
        }
        --unassigned_;
    }

    void Unplace(int cell, int cls) {
        CountEnds(cls, 1);
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
    std::array<std::array<int, 4>, 4> tileEnds_{}; // [side][code] over the remaining tiles

    std::uint64_t nodes_ = 0;
    std::uint64_t effort_ = 0;
    bool effortSet_ = false;
    int found_ = 0;
    bool aborted_ = false;
    bool stopped_ = false;
    std::array<int, CellCount> first_{};
    std::array<int, CellCount> second_{};
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
        LevelRecord first = BuildSolution(level, p, search.firstSolution(), classOfCell);
        std::optional<LevelRecord> second;
        if (search.found() > 1 && cap > 1) {
            second = BuildSolution(level, p, search.secondSolution(), classOfCell);
        }
        if (IsSolved(level)) {
            // A level stored solved is its own solution; the search may have
            // met another one first, which then serves as the alternative.
            const auto sameEdges = [](const LevelRecord& a, const LevelRecord& b) {
                for (std::size_t i = 0; i < a.size(); ++i) {
                    if (TileEdges(a[i]) != TileEdges(b[i])) {
                        return false;
                    }
                }
                return true;
            };
            if (second && sameEdges(*second, level)) {
                second = first;
            }
            first = level;
        }
        result.solution = first;
        result.alternative = second;
        result.grade = DifficultyGrade(result.effort, result.movableCells, result.movableTiles);
    } else {
        result.status = search.aborted() ? Solvability::Unknown : Solvability::Unsolvable;
    }
    return result;
}

} // namespace zk::before
