#include "model/SolverModel.h"

#include <algorithm>
#include <bit>
#include <map>
#include <unordered_set>
#include <vector>

#include "model/Parity.h"

namespace zk::detail {

namespace {

constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

TileNumber At(const LevelRecord& level, int column, int row) {
    return level[static_cast<std::size_t>(CellIndex(column, row))];
}

// Constraints no arrangement of the movable tiles can change: two fixed tiles
// facing each other, a fixed tile facing the border, and the balance of
// connection ends (every east end of a code needs a west end of the same
// code beside it, and likewise north and south).
bool FixedPartFits(const LevelRecord& level) {
    std::array<std::array<int, 4>, 4> ends{}; // [side][code]
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            const Edges e = TileEdges(t);
            for (int s = 0; s < 4; ++s) {
                ++ends[U(s)][e[s]];
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

// The views of every parity rule over the level's movable cells. False when
// one of them fails whatever the arrangement.
bool BuildParity(const LevelRecord& level, SolverModel& p) {
    ParityViews& out = p.parity;
    constexpr int Counted = ParityFeatureCount;
    // Per kind and features counted: the classes whose bit is 1, and the
    // combination made of them (-1 until used).
    std::array<std::array<ClassMask, Counted>, 3> oddClasses{};
    std::array<std::array<int, Counted>, 3> comboOf{};
    std::array<ParityFeatures, 3> poolSum{};
    std::array<bool, 3> kindPresent{};
    ClassMask present = 0;
    for (int cls = 0; cls < p.classCount; ++cls) {
        present |= ClassMask{1} << cls;
        for (int kind = FirstKind; kind <= LastKind; ++kind) {
            const auto k = U(kind - FirstKind);
            const ParityFeatures f = FeaturesOf(p.classEdges[U(cls)], kind);
            poolSum[k] ^= p.classTotal[U(cls)] % 2 != 0 ? f : 0;
            kindPresent[k] = kindPresent[k] || f != 0;
            for (std::size_t counted = 0; counted < Counted; ++counted) {
                if (std::popcount(counted & f) % 2 != 0) {
                    oddClasses[k][counted] |= ClassMask{1} << cls;
                }
            }
        }
    }
    for (auto& row : comboOf) {
        row.fill(-1);
    }
    // The fixed tiles' features per kind; the movable cells count none.
    std::array<std::array<ParityFeatures, CellCount>, 3> fixedFeatures{};
    std::array<bool, CellCount> movable{};
    for (int i = 0; i < p.cellCount; ++i) {
        movable[U(p.boardIndex[U(i)])] = true;
    }
    for (int b = 0; b < CellCount; ++b) {
        for (int kind = FirstKind; kind <= LastKind; ++kind) {
            fixedFeatures[U(kind - FirstKind)][U(b)] =
                movable[U(b)] ? 0 : FeaturesOf(level[U(b)], kind);
        }
    }
    // Views already made, by a hash of their groups: a view met again (or,
    // rarely, one whose hash another shares) is left out, which only means
    // less to check.
    std::unordered_set<std::uint64_t> seen;
    std::array<CellMask, 3 * Counted> byCombo{};
    std::vector<std::pair<int, CellMask>> groups;
    for (const ParityRule& rule : ParityRules()) {
        const auto k = U(rule.kind - FirstKind);
        bool fixedOdd = false;
        for (int b = 0; b < CellCount; ++b) {
            fixedOdd ^= ParityBit(rule, b, fixedFeatures[k][U(b)]);
        }
        if (!kindPresent[k]) {
            if (fixedOdd) {
                return false;
            }
            continue;
        }
        // The plain rule, and the rule shifted by each value its movable
        // cells count.
        std::uint32_t shifts = 1; // bit per value; 0 is the plain rule
        for (int i = 0; i < p.cellCount; ++i) {
            shifts |= std::uint32_t{1} << rule.counts[U(p.boardIndex[U(i)])];
        }
        for (; shifts != 0; shifts &= shifts - 1) {
            const auto shift = static_cast<unsigned>(std::countr_zero(shifts));
            bool odd = fixedOdd ^ (std::popcount(shift & poolSum[k]) % 2 != 0);
            groups.clear();
            for (int i = 0; i < p.cellCount; ++i) {
                const unsigned counted = rule.counts[U(p.boardIndex[U(i)])] ^ shift;
                const ClassMask ones = oddClasses[k][counted];
                if (ones == 0) {
                    continue; // always even here
                }
                if (ones == present) {
                    odd = !odd; // always odd here
                    continue;
                }
                int& combo = comboOf[k][counted];
                if (combo < 0) {
                    combo = static_cast<int>(out.comboOdd.size());
                    out.comboOdd.push_back(ones);
                }
                if (byCombo[U(combo)] == 0) {
                    groups.push_back({combo, 0});
                }
                byCombo[U(combo)] |= CellMask{1} << i;
            }
            for (auto& [combo, cells] : groups) {
                cells = byCombo[U(combo)];
                byCombo[U(combo)] = 0;
            }
            if (groups.empty()) {
                if (odd) {
                    return false;
                }
                continue;
            }
            std::sort(groups.begin(), groups.end());
            std::uint64_t hash = odd ? 0x9E3779B97F4A7C15ULL : 0x632BE59BD9B4E019ULL;
            for (const auto& [combo, cells] : groups) {
                hash = (hash ^ cells) * 0xBF58476D1CE4E5B9ULL + static_cast<std::uint64_t>(combo);
                hash ^= hash >> 29;
            }
            if (!seen.insert(hash).second) {
                continue;
            }
            ParityViews::View view;
            view.first = static_cast<std::uint16_t>(out.groups.size());
            view.count = static_cast<std::uint16_t>(groups.size());
            view.odd = odd;
            for (const auto& [combo, cells] : groups) {
                out.groups.push_back({combo, cells});
                view.cells |= cells;
            }
            out.views.push_back(view);
        }
    }
    return true;
}

} // namespace

SolverModel BuildModel(const LevelRecord& level) {
    SolverModel p;
    std::array<int, CellCount> cellAt{};
    cellAt.fill(-1);
    std::map<int, int> classOfKey;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            p.foreignTiles += HasPicture(t) ? 0 : 1;
            if (!IsMovable(t)) {
                continue;
            }
            ++p.movableCells;
            p.movableTiles += t != EmptyTile ? 1 : 0;
            p.holdableTiles += IsHoldable(t) ? 1 : 0;
            const auto cell = U(p.cellCount);
            const Edges e = TileEdges(t);
            auto [it, added] = classOfKey.try_emplace(EdgeKey(e), p.classCount);
            if (added) {
                p.classEdges[U(p.classCount)] = e;
                ++p.classCount;
            }
            p.storedClass[cell] = it->second;
            ++p.classTotal[U(it->second)];
            p.boardIndex[cell] = CellIndex(c, r);
            cellAt[U(CellIndex(c, r))] = p.cellCount;
            ++p.cellCount;
        }
    }
    for (int i = 0; i < p.cellCount; ++i) {
        const int c = p.boardIndex[U(i)] / Rows;
        const int r = p.boardIndex[U(i)] % Rows;
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            int other = -1;
            int code = 0; // the border faces only code 0
            if (IsOnBoard(nc, nr)) {
                other = cellAt[U(CellIndex(nc, nr))];
                code = other >= 0 ? OpenSide : TileEdges(At(level, nc, nr))[Opposite(s)];
            }
            p.neighbour[U(i)][U(s)] = other;
            p.sideCode[U(i)][U(s)] = code;
            p.neighbourBit[U(i)][U(s)] = other >= 0 ? CellMask{1} << other : 0;
            p.facing[U(i)][U(s)] = other >= 0 ? static_cast<std::uint8_t>(other) : NoNeighbour;
        }
    }
    for (int cls = 0; cls < p.classCount; ++cls) {
        const Edges& e = p.classEdges[U(cls)];
        for (int s = 0; s < 4; ++s) {
            p.withCode[U(s)][e[s]] |= ClassMask{1} << cls;
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
    std::array<std::uint16_t, 64> classShows{}; // bit 4 * side + code
    for (int cls = 0; cls < p.classCount; ++cls) {
        const Edges& e = p.classEdges[U(cls)];
        for (int s = 0; s < 4; ++s) {
            classShows[U(cls)] |= static_cast<std::uint16_t>(1U << (4 * s + e[s]));
        }
    }
    for (std::size_t b = 0; 8 * b < U(p.classCount); ++b) {
        auto& row = p.showsByByte[b];
        for (std::size_t bits = 1; bits < row.size(); ++bits) {
            const std::size_t lowest = 8 * b + U(std::countr_zero(bits));
            row[bits] = row[bits & (bits - 1)] | classShows[lowest];
        }
    }
    p.fixedPartFits = FixedPartFits(level) && BuildParity(level, p);
    return p;
}

LevelRecord TilesFor(const LevelRecord& level, const SolverModel& p, const Arrangement& classes) {
    LevelRecord out = level;
    std::vector<std::vector<TileNumber>> pool(U(p.classCount));
    std::vector<bool> done(U(p.cellCount), false);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = U(i);
        if (p.storedClass[cell] != classes[cell]) {
            pool[U(p.storedClass[cell])].push_back(level[U(p.boardIndex[cell])]);
        } else {
            done[cell] = true;
        }
    }
    std::vector<std::size_t> next(U(p.classCount), 0);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = U(i);
        if (done[cell]) {
            continue;
        }
        const auto cls = U(classes[cell]);
        out[U(p.boardIndex[cell])] = pool[cls][next[cls]++];
    }
    return out;
}

} // namespace zk::detail
