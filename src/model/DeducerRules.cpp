#include "model/DeducerRules.h"

#include <algorithm>
#include <bit>
#include <map>

namespace zk::deduce {

namespace {

constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

// The bits set, without a call into the runtime library where the
// processor's own instruction is not enabled.
int Count(std::uint64_t bits) {
    bits = bits - ((bits >> 1) & 0x5555555555555555ULL);
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((bits * 0x0101010101010101ULL) >> 56);
}

// The codes the classes of a domain show on a side, one bit per code.
unsigned CodesShown(const Puzzle& p, ClassMask domain, int side) {
    unsigned codes = 0;
    for (int code = 0; code < 4; ++code) {
        codes |= (domain & p.withCode[U(side)][U(code)]) != 0 ? 1U << code : 0U;
    }
    return codes;
}

// The classes that show one of the codes on a side.
ClassMask WithCodes(const Puzzle& p, int side, unsigned codes) {
    ClassMask out = 0;
    for (int code = 0; code < 4; ++code) {
        out |= (codes & (1U << code)) != 0 ? p.withCode[U(side)][U(code)] : 0;
    }
    return out;
}

int TilesIn(const Puzzle& p, ClassMask group) {
    int n = 0;
    for (ClassMask m = group; m != 0; m &= m - 1) {
        n += p.classTotal[U(std::countr_zero(m))];
    }
    return n;
}

// The counting argument for one group of classes, given the cells that must
// take a tile of the group (all they may take lies in it) and the cells that
// may. More cells that must than tiles, or fewer that may, is a
// contradiction; as many that must as tiles keeps the group's tiles out of
// every other cell; as many that may as tiles gives each of them one.
void CountCells(const State& s, Findings& f, Rule rule, ClassMask group, int tiles, CellMask must,
                CellMask may) {
    const int mustCount = Count(must);
    const int mayCount = Count(may);
    if (mustCount > tiles || mayCount < tiles) {
        f.Contradiction(NoCell);
        return;
    }
    if (must == may) {
        return;
    }
    const int anchor = std::countr_zero(may & ~must);
    if (mustCount == tiles) {
        f.Open(rule, mustCount == 1 ? std::countr_zero(must) : anchor);
        for (CellMask m = may & ~must; m != 0; m &= m - 1) {
            f.Remove(s, std::countr_zero(m), group);
        }
        f.Close();
    } else if (mayCount == tiles) {
        f.Open(rule, anchor);
        for (CellMask m = may & ~must; m != 0; m &= m - 1) {
            f.Remove(s, std::countr_zero(m), ~group);
        }
        f.Close();
    }
}

void CountGroup(const Puzzle& p, const State& s, Findings& f, Rule rule, ClassMask group,
                int tiles) {
    CellMask must = 0;
    CellMask may = 0;
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        if ((d & group) != 0) {
            may |= CellMask{1} << x;
            must |= (d & ~group) == 0 ? CellMask{1} << x : 0;
        }
    }
    CountCells(s, f, rule, group, tiles, must, may);
}

} // namespace

Puzzle BuildPuzzle(const LevelRecord& level) {
    Puzzle p;
    p.cellAt.fill(NoCell);
    // The classes are numbered in the order of their edges, not of where
    // their tiles lie, so that the rules go the same way whatever the
    // arrangement on the board.
    std::map<int, int> classOfKey;
    for (const TileNumber t : level) {
        if (IsMovable(t)) {
            classOfKey.emplace(EdgeKey(TileEdges(t)), 0);
        }
    }
    for (auto& [key, k] : classOfKey) {
        k = p.classCount++;
        p.classEdges[U(k)] = {{static_cast<EdgeCode>(key & 3), static_cast<EdgeCode>(key >> 2 & 3),
                               static_cast<EdgeCode>(key >> 4 & 3),
                               static_cast<EdgeCode>(key >> 6 & 3)}};
    }
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = level[U(CellIndex(c, r))];
            if (!IsMovable(t)) {
                continue;
            }
            const int k = classOfKey.at(EdgeKey(TileEdges(t)));
            p.storedClass[U(p.cellCount)] = k;
            ++p.classTotal[U(k)];
            p.boardIndex[U(p.cellCount)] = CellIndex(c, r);
            p.cellAt[U(CellIndex(c, r))] = p.cellCount;
            ++p.cellCount;
        }
    }
    for (int x = 0; x < p.cellCount; ++x) {
        const int c = p.boardIndex[U(x)] / Rows;
        const int r = p.boardIndex[U(x)] % Rows;
        for (int side = 0; side < 4; ++side) {
            const int nc = c + ColumnStep[side];
            const int nr = r + RowStep[side];
            int other = NoCell;
            int code = 0; // the border shows 0
            if (IsOnBoard(nc, nr)) {
                other = p.cellAt[U(CellIndex(nc, nr))];
                code = other != NoCell ? 0
                                       : TileEdges(level[U(CellIndex(nc, nr))])[OppositeSide(side)];
            }
            p.neighbour[U(x)][U(side)] = other;
            p.fixedCode[U(x)][U(side)] = code;
        }
    }
    for (int k = 0; k < p.classCount; ++k) {
        const Edges& e = p.classEdges[U(k)];
        for (int side = 0; side < 4; ++side) {
            p.withCode[U(side)][e[side]] |= Bit(k);
            p.withKind[e[side]] |= e[side] != 0 ? Bit(k) : 0;
        }
        p.allClasses |= Bit(k);
    }
    for (int b = 0; b < CellCount; ++b) {
        if (p.cellAt[U(b)] != NoCell) {
            continue;
        }
        const Edges e = TileEdges(level[U(b)]);
        for (int side = 0; side < 4; ++side) {
            const int nc = b / Rows + ColumnStep[side];
            const int nr = b % Rows + RowStep[side];
            const bool onBoard = IsOnBoard(nc, nr);
            if ((!onBoard && e[side] != 0) ||
                (onBoard && p.cellAt[U(CellIndex(nc, nr))] == NoCell &&
                 TileEdges(level[U(CellIndex(nc, nr))])[OppositeSide(side)] != e[side])) {
                p.fixedPartFits = false;
            }
        }
    }
    for (int kind = FirstKind; kind <= LastKind; ++kind) {
        const auto slot = U(kind - FirstKind);
        p.movableKinds |= (p.withKind[U(kind)] != 0 ? 1U : 0U) << kind;
        for (int k = 0; k < p.classCount; ++k) {
            p.classFeatures[slot][U(k)] = FeatureSetOf(FeaturesOf(p.classEdges[U(k)], kind));
        }
        for (int b = 0; b < CellCount; ++b) {
            if (p.cellAt[U(b)] == NoCell) {
                p.fixedFeatures[slot][U(b)] = FeatureSetOf(FeaturesOf(level[U(b)], kind));
            }
        }
    }
    for (int x = 0; x < p.cellCount; ++x) {
        p.allCells |= CellMask{1} << x;
        p.staticAllowed[U(x)] = p.allClasses;
        for (int side = 0; side < 4; ++side) {
            if (p.neighbour[U(x)][U(side)] == NoCell) {
                p.staticAllowed[U(x)] &= p.withCode[U(side)][U(p.fixedCode[U(x)][U(side)])];
            }
        }
    }
    return p;
}

State StartState(const Puzzle& p) {
    State s;
    for (int x = 0; x < p.cellCount; ++x) {
        s.domain[U(x)] = p.allClasses;
    }
    return s;
}

bool Apply(const Puzzle& p, State& s, const Findings& f, int entry, int& contradictionCell) {
    const auto apply = [&](const Findings::Entry& e) {
        for (std::size_t i = e.first; i < e.first + e.count; ++i) {
            s.domain[U(f.removals[i].cell)] &= ~f.removals[i].classes;
        }
    };
    if (entry >= 0) {
        apply(f.entries[U(entry)]);
    } else {
        for (const auto& e : f.entries) {
            apply(e);
        }
    }
    for (int x = 0; x < p.cellCount; ++x) {
        if (s.domain[U(x)] == 0) {
            contradictionCell = x;
            return false;
        }
    }
    return true;
}

// An end faces the border, a fixed tile or a placed tile: only the tiles
// that show its twin on that side may stay.
void FindEdge(const Puzzle& p, const State& s, Findings& f) {
    for (int x = 0; x < p.cellCount; ++x) {
        ClassMask allowed = p.staticAllowed[U(x)];
        for (int side = 0; side < 4; ++side) {
            const int y = p.neighbour[U(x)][U(side)];
            if (y != NoCell && IsDecided(s.domain[U(y)])) {
                const int k = std::countr_zero(s.domain[U(y)]);
                allowed &= p.withCode[U(side)][p.classEdges[U(k)][OppositeSide(side)]];
            }
        }
        f.Open(Rule::Edge, x);
        f.Remove(s, x, ~allowed);
        f.Close();
    }
}

// Per class: its copies all placed, or only as many cells left for it as it
// has copies.
void FindSingle(const Puzzle& p, const State& s, Findings& f) {
    std::array<CellMask, CellCount> may{};
    std::array<CellMask, CellCount> placed{};
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        for (ClassMask m = d; m != 0; m &= m - 1) {
            may[U(std::countr_zero(m))] |= CellMask{1} << x;
        }
        if (IsDecided(d)) {
            placed[U(std::countr_zero(d))] |= CellMask{1} << x;
        }
    }
    for (int k = 0; k < p.classCount && !f.contradiction; ++k) {
        CountCells(s, f, Rule::Single, Bit(k), p.classTotal[U(k)], placed[U(k)], may[U(k)]);
    }
}

// An end of a tile whose neighbour cannot take any tile with its twin.
void FindNeighbour(const Puzzle& p, const State& s, Findings& f) {
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        if (IsDecided(d)) {
            continue;
        }
        ClassMask allowed = p.allClasses;
        for (int side = 0; side < 4; ++side) {
            const int y = p.neighbour[U(x)][U(side)];
            if (y == NoCell || IsDecided(s.domain[U(y)])) {
                continue;
            }
            allowed &= WithCodes(p, side, CodesShown(p, s.domain[U(y)], OppositeSide(side)));
        }
        f.Open(Rule::Neighbour, x);
        f.Remove(s, x, ~allowed);
        f.Close();
    }
}

// The counting argument over the tiles that show a code on a side, and over
// the tiles with an end of a kind anywhere.
void FindCount(const Puzzle& p, const State& s, Findings& f) {
    std::array<ClassMask, 19> groups{};
    std::size_t n = 0;
    for (int side = 0; side < 4; ++side) {
        for (int code = 0; code < 4; ++code) {
            groups[n++] = p.withCode[U(side)][U(code)];
        }
    }
    for (int code = 1; code < 4; ++code) {
        groups[n++] = p.withKind[U(code)];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ClassMask g = groups[i];
        bool seen = g == 0 || g == p.allClasses || IsDecided(g); // single classes: rule 2
        for (std::size_t j = 0; j < i && !seen; ++j) {
            seen = groups[j] == g;
        }
        if (!seen) {
            CountGroup(p, s, f, Rule::Count, g, TilesIn(p, g));
        }
    }
}

// Pairs of classes counted together, then chains from the cells with two
// choices: what each choice forces along its neighbours (edges and used-up
// tiles), and what both rule out.
void FindPairs(const Puzzle& p, const State& s, Findings& f) {
    // The cells each class may go to; the cells with at most two choices.
    std::array<CellMask, CellCount> may{};
    std::array<CellMask, CellCount> placed{};
    ClassMask open = 0;
    std::array<int, CellCount> narrow{};
    std::size_t narrowCount = 0;
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        for (ClassMask m = d; m != 0; m &= m - 1) {
            may[U(std::countr_zero(m))] |= CellMask{1} << x;
        }
        if (IsDecided(d)) {
            placed[U(std::countr_zero(d))] |= CellMask{1} << x;
        } else {
            open |= d;
            if (Count(d) == 2) {
                narrow[narrowCount++] = x;
            }
        }
    }
    const auto countPair = [&](int ka, int kb) {
        const ClassMask pair = Bit(ka) | Bit(kb);
        // The cells that must take one of the two: those with no other
        // choice, and those already holding one.
        CellMask must = placed[U(ka)] | placed[U(kb)];
        for (std::size_t i = 0; i < narrowCount; ++i) {
            must |= (s.domain[U(narrow[i])] & ~pair) == 0 ? CellMask{1} << narrow[i] : 0;
        }
        CountCells(s, f, Rule::Pairs, pair, p.classTotal[U(ka)] + p.classTotal[U(kb)], must,
                   may[U(ka)] | may[U(kb)]);
    };
    // Two cells that can take only the same two tiles: the pairs the cells
    // with two choices show.
    ClassMask shown[CellCount]{};
    std::size_t shownCount = 0;
    for (std::size_t i = 0; i < narrowCount && !f.contradiction; ++i) {
        const ClassMask pair = s.domain[U(narrow[i])];
        if (std::find(shown, shown + shownCount, pair) == shown + shownCount) {
            shown[shownCount++] = pair;
            countPair(std::countr_zero(pair), 63 - std::countl_zero(pair));
        }
    }
    // Two tiles that only as many cells can take: a pair needs each of its
    // classes to have no more cells than the two have tiles.
    for (ClassMask a = open; a != 0 && !f.contradiction; a &= a - 1) {
        const int ka = std::countr_zero(a);
        for (ClassMask b = a & (a - 1); b != 0 && !f.contradiction; b &= b - 1) {
            const int kb = std::countr_zero(b);
            const int tiles = p.classTotal[U(ka)] + p.classTotal[U(kb)];
            if (Count(may[U(ka)]) <= tiles && Count(may[U(kb)]) <= tiles &&
                std::find(shown, shown + shownCount, Bit(ka) | Bit(kb)) == shown + shownCount) {
                countPair(ka, kb);
            }
        }
    }
    if (f.contradiction) {
        return;
    }
    Findings scratch;
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        if (Count(d) != 2) {
            continue;
        }
        std::array<State, 2> branch{s, s};
        std::array<bool, 2> holds{};
        ClassMask choice = d;
        for (std::size_t i = 0; i < 2; ++i, choice &= choice - 1) {
            branch[i].domain[U(x)] = choice & ~(choice - 1);
            holds[i] = Settle(p, branch[i], Rule::Single, scratch, CellMask{1} << x);
        }
        f.Open(Rule::Pairs, x);
        if (!holds[0] || !holds[1]) {
            // One choice leads nowhere: the other is the tile.
            f.Remove(s, x, holds[0] ? ~branch[0].domain[U(x)] : ~branch[1].domain[U(x)]);
            if (!holds[0] && !holds[1]) {
                f.Contradiction(x);
            }
        } else {
            for (int y = 0; y < p.cellCount; ++y) {
                f.Remove(s, y, ~(branch[0].domain[U(y)] | branch[1].domain[U(y)]));
            }
        }
        f.Close();
    }
}

void Find(Rule rule, const Puzzle& p, const State& s, Findings& f) {
    switch (rule) {
    case Rule::Edge:
        FindEdge(p, s, f);
        break;
    case Rule::Single:
        FindSingle(p, s, f);
        break;
    case Rule::Neighbour:
        FindNeighbour(p, s, f);
        break;
    case Rule::Count:
        FindCount(p, s, f);
        break;
    case Rule::Parity:
        FindParity(p, s, f);
        break;
    case Rule::Pairs:
        FindPairs(p, s, f);
        break;
    case Rule::None:
    case Rule::WhatIf:
        break;
    }
}

// The same rules as the finders, applied all at once: the edges and the
// neighbours cell by cell as cells change, the rules over groups of tiles
// when those are done. The end is the same whatever the order, since every
// rule only rules out and rules out more on a narrower state.
bool Settle(const Puzzle& p, State& s, Rule highest, Findings& f, CellMask changed) {
    const bool neighbours = highest >= Rule::Neighbour;
    CellMask dirty = changed & p.allCells;
    if (changed == AllCells) {
        for (int x = 0; x < p.cellCount; ++x) {
            s.domain[U(x)] &= p.staticAllowed[U(x)];
            if (s.domain[U(x)] == 0) {
                return false;
            }
        }
    }
    while (true) {
        while (dirty != 0) {
            const int y = std::countr_zero(dirty);
            dirty &= dirty - 1;
            const ClassMask dy = s.domain[U(y)];
            if (!neighbours && !IsDecided(dy)) {
                continue;
            }
            for (int side = 0; side < 4; ++side) {
                const int x = p.neighbour[U(y)][U(side)];
                if (x == NoCell) {
                    continue;
                }
                const int facing = OppositeSide(side);
                const ClassMask d = s.domain[U(x)] & WithCodes(p, facing, CodesShown(p, dy, side));
                if (d != s.domain[U(x)]) {
                    if (d == 0) {
                        return false;
                    }
                    s.domain[U(x)] = d;
                    dirty |= CellMask{1} << x;
                }
            }
        }
        // Parity, the dearest to check, last.
        for (const Rule rule : {Rule::Single, Rule::Count, Rule::Pairs, Rule::Parity}) {
            if (rule > highest) {
                continue;
            }
            f.Clear();
            Find(rule, p, s, f);
            if (f.contradiction) {
                return false;
            }
            for (const Removal& r : f.removals) {
                s.domain[U(r.cell)] &= ~r.classes;
                if (s.domain[U(r.cell)] == 0) {
                    return false;
                }
                dirty |= CellMask{1} << r.cell;
            }
            if (dirty != 0) {
                break;
            }
        }
        if (dirty == 0) {
            return true;
        }
    }
}

} // namespace zk::deduce
