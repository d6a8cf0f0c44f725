#include "Corpus.h"

#include <algorithm>
#include <array>
#include <optional>

#include "Dice.h"
#include "model/Random.h"

namespace zk::levels {

namespace {

using Area = std::array<bool, CellCount>;

constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};
constexpr int Opposite(int side) {
    return (side + 2) % 4;
}
constexpr std::size_t At(int column, int row) {
    return static_cast<std::size_t>(CellIndex(column, row));
}

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

unsigned CodesOf(const Edges& e) {
    unsigned codes = 0;
    for (int s = 0; s < 4; ++s) {
        codes |= e[s] != 0 ? 1U << e[s] : 0U;
    }
    return codes;
}

int Connections(const Edges& e) {
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        n += e[s] != 0 ? 1 : 0;
    }
    return n;
}

// What a tile adds to the balance of ends: per kind, east minus west and
// north minus south.
std::array<int, 6> Balance(const Edges& e) {
    std::array<int, 6> b{};
    for (int code = 1; code <= 3; ++code) {
        const auto k = static_cast<std::size_t>(code - 1);
        b[k] = (e[East] == code) - (e[West] == code);
        b[k + 3] = (e[North] == code) - (e[South] == code);
    }
    return b;
}

std::vector<TileNumber> FixedWith(bool connected) {
    std::vector<TileNumber> out;
    for (int t = LastMovableTile + 1; t < TileTypeCount; ++t) {
        const bool has = TileEdges(static_cast<TileNumber>(t)) != Edges{};
        if (has == connected) {
            out.push_back(static_cast<TileNumber>(t));
        }
    }
    return out;
}

// The tile numbers to draw from with their weights: kinds of connection by
// the mix, more connections for denser networks, the empty tile by its own
// weight. Tiles sharing an edge record share its weight.
struct Palette {
    std::vector<TileNumber> tiles;
    std::vector<int> weights;
};

Palette RandomPalette(Dice& dice, bool dense) {
    // Kinds mixes: one, two or all three kinds.
    static constexpr std::array<std::array<int, 4>, 8> Mixes = {{{0, 10, 0, 0},
                                                                 {0, 6, 6, 0},
                                                                 {0, 6, 0, 6},
                                                                 {0, 0, 6, 6},
                                                                 {0, 6, 6, 6},
                                                                 {0, 8, 3, 5},
                                                                 {0, 3, 7, 7},
                                                                 {0, 7, 7, 3}}};
    const auto& mix = Mixes[static_cast<std::size_t>(dice.Below(static_cast<int>(Mixes.size())))];
    std::array<int, 5> byConnections = {0, 2, 9, 5, 2};
    if (dense) {
        byConnections = {0, dice.Range(1, 3), dice.Range(5, 10), dice.Range(3, 8),
                         dice.Range(1, 5)};
    }
    const int empty = dense ? dice.Range(0, 4) : dice.Range(1, 8);
    std::array<int, 256> sharing{};
    for (int t = 0; t <= LastMovableTile; ++t) {
        ++sharing[static_cast<std::size_t>(EdgeKey(TileEdges(static_cast<TileNumber>(t))))];
    }
    Palette p;
    for (int t = 0; t <= LastMovableTile; ++t) {
        const Edges e = TileEdges(static_cast<TileNumber>(t));
        int weight = 0;
        if (t == EmptyTile) {
            weight = empty * 36;
        } else {
            int sum = 0;
            int kinds = 0;
            bool allowed = true;
            for (std::size_t code = 1; code < 4; ++code) {
                if (CodesOf(e) & (1U << code)) {
                    allowed = allowed && mix[code] > 0;
                    sum += mix[code];
                    ++kinds;
                }
            }
            if (allowed) {
                weight = byConnections[static_cast<std::size_t>(Connections(e))] * sum * 6 / kinds /
                         sharing[static_cast<std::size_t>(EdgeKey(e))];
            }
        }
        if (weight > 0) {
            p.tiles.push_back(static_cast<TileNumber>(t));
            p.weights.push_back(weight);
        }
    }
    return p;
}

// Fills the cells of the area row by row so that the whole board is solved,
// backtracking where a choice leads nowhere. False when no filling was found
// within a few thousand steps.
bool Fill(LevelRecord& level, const Area& area, const Palette& palette, Dice& dice) {
    std::vector<std::size_t> cells;
    std::array<int, CellCount> order{};
    order.fill(-1);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            if (area[At(c, r)]) {
                order[At(c, r)] = static_cast<int>(cells.size());
                cells.push_back(At(c, r));
            }
        }
    }
    std::vector<std::vector<TileNumber>> choices(cells.size());
    std::vector<std::size_t> next(cells.size(), 0);
    const auto prepare = [&](std::size_t i) {
        const int c = static_cast<int>(cells[i]) / Rows;
        const int r = static_cast<int>(cells[i]) % Rows;
        std::array<int, 4> need{};
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            if (!IsOnBoard(nc, nr)) {
                need[static_cast<std::size_t>(s)] = 0;
            } else if (const int o = order[At(nc, nr)]; o >= 0 && o >= static_cast<int>(i)) {
                need[static_cast<std::size_t>(s)] = -1; // filled later
            } else {
                need[static_cast<std::size_t>(s)] = TileEdges(level[At(nc, nr)])[Opposite(s)];
            }
        }
        std::vector<TileNumber> fitting;
        std::vector<int> weights;
        for (std::size_t k = 0; k < palette.tiles.size(); ++k) {
            const Edges e = TileEdges(palette.tiles[k]);
            bool fits = true;
            for (int s = 0; s < 4 && fits; ++s) {
                const int n = need[static_cast<std::size_t>(s)];
                fits = n < 0 || n == e[s];
            }
            if (fits) {
                fitting.push_back(palette.tiles[k]);
                weights.push_back(palette.weights[k]);
            }
        }
        choices[i].clear();
        for (int pick = dice.Weighted(weights); pick >= 0; pick = dice.Weighted(weights)) {
            choices[i].push_back(fitting[static_cast<std::size_t>(pick)]);
            weights[static_cast<std::size_t>(pick)] = 0;
        }
        next[i] = 0;
    };
    if (cells.empty()) {
        return true;
    }
    prepare(0);
    std::size_t i = 0;
    for (int steps = 0; i < cells.size(); ++steps) {
        if (steps > 20000) {
            return false;
        }
        if (next[i] >= choices[i].size()) {
            if (i == 0) {
                return false;
            }
            --i;
            continue;
        }
        level[cells[i]] = choices[i][next[i]++];
        if (++i < cells.size()) {
            prepare(i);
        }
    }
    return IsSolved(level);
}

// An area of about size cells grown from one cell; compact or straggling.
Area GrowArea(Dice& dice, int size, const Area& avoid) {
    Area area{};
    for (int guard = 0; guard < 100; ++guard) {
        const std::size_t start = At(dice.Below(Columns), dice.Below(Rows));
        if (!avoid[start]) {
            area[start] = true;
            break;
        }
    }
    const int power = dice.Range(0, 3);
    for (int n = 1; n < size; ++n) {
        std::vector<std::size_t> frontier;
        std::vector<int> weights;
        for (int c = 0; c < Columns; ++c) {
            for (int r = 0; r < Rows; ++r) {
                if (area[At(c, r)] || avoid[At(c, r)]) {
                    continue;
                }
                int inside = 0;
                bool nearAvoided = false;
                for (int s = 0; s < 4; ++s) {
                    const int nc = c + ColumnStep[s];
                    const int nr = r + RowStep[s];
                    inside += IsOnBoard(nc, nr) && area[At(nc, nr)] ? 1 : 0;
                    nearAvoided = nearAvoided || (IsOnBoard(nc, nr) && avoid[At(nc, nr)]);
                }
                if (inside > 0 && !nearAvoided) {
                    int w = 1;
                    for (int k = 0; k < power; ++k) {
                        w *= inside;
                    }
                    frontier.push_back(At(c, r));
                    weights.push_back(w);
                }
            }
        }
        const int pick = dice.Weighted(weights);
        if (pick < 0) {
            break;
        }
        area[frontier[static_cast<std::size_t>(pick)]] = true;
    }
    return area;
}

// Fixed tiles with connections on the rim of the area, each pointing only
// into the area and never beside another one.
void PlaceRimTiles(LevelRecord& level, const Area& area, int count, Dice& dice) {
    static const std::vector<TileNumber> connected = FixedWith(true);
    for (int placed = 0, guard = 0; placed < count && guard < 200; ++guard) {
        const int c = dice.Below(Columns);
        const int r = dice.Below(Rows);
        if (area[At(c, r)] || TileEdges(level[At(c, r)]) != Edges{}) {
            continue;
        }
        const TileNumber t =
            connected[static_cast<std::size_t>(dice.Below(static_cast<int>(connected.size())))];
        const Edges e = TileEdges(t);
        bool fits = true;
        for (int s = 0; s < 4 && fits; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            if (IsOnBoard(nc, nr) && !area[At(nc, nr)] && TileEdges(level[At(nc, nr)]) != Edges{}) {
                fits = false; // beside another rim tile
            } else if (e[s] != 0) {
                fits = IsOnBoard(nc, nr) && area[At(nc, nr)];
            }
        }
        if (fits) {
            level[At(c, r)] = t;
            ++placed;
        }
    }
}

// A fixed tile showing the same edges as a movable one, if the catalogue has
// one.
std::optional<TileNumber> FixedTwin(TileNumber t, const std::vector<TileNumber>& blanks,
                                    Dice& dice) {
    const Edges e = TileEdges(t);
    if (e == Edges{}) {
        return blanks[static_cast<std::size_t>(dice.Below(static_cast<int>(blanks.size())))];
    }
    std::vector<TileNumber> twins;
    for (int f = LastMovableTile + 1; f < TileTypeCount; ++f) {
        if (TileEdges(static_cast<TileNumber>(f)) == e) {
            twins.push_back(static_cast<TileNumber>(f));
        }
    }
    if (twins.empty()) {
        return std::nullopt;
    }
    return twins[static_cast<std::size_t>(dice.Below(static_cast<int>(twins.size())))];
}

CorpusLevel Finish(const LevelRecord& solved, std::uint64_t shuffleSeed, const char* kind) {
    CorpusLevel out;
    out.origin = solved;
    out.record = Shuffled(solved, shuffleSeed);
    out.kind = kind;
    return out;
}

std::optional<CorpusLevel> MakePartial(Dice& dice) {
    static const std::vector<TileNumber> blanks = FixedWith(false);
    LevelRecord level;
    level.fill(blanks[static_cast<std::size_t>(dice.Below(static_cast<int>(blanks.size())))]);
    const int size = dice.Range(4, 48);
    Area area = GrowArea(dice, size, Area{});
    if (dice.Chance(20)) {
        // A second room apart from the first: their tiles are shuffled
        // together.
        const Area second = GrowArea(dice, dice.Range(3, std::max(3, size / 2)), area);
        for (std::size_t i = 0; i < area.size(); ++i) {
            area[i] = area[i] || second[i];
        }
    }
    PlaceRimTiles(level, area, dice.Range(0, 4), dice);
    if (!Fill(level, area, RandomPalette(dice, false), dice)) {
        return std::nullopt;
    }
    // A few cells inside the area become fixed tiles with the same edges.
    const int inside = dice.Range(0, 3);
    for (int k = 0, guard = 0; k < inside && guard < 20; ++guard) {
        const std::size_t cell = At(dice.Below(Columns), dice.Below(Rows));
        if (!area[cell]) {
            continue;
        }
        if (const auto twin = FixedTwin(level[cell], blanks, dice)) {
            level[cell] = *twin;
            area[cell] = false;
            ++k;
        }
    }
    int movable = 0;
    int tiles = 0;
    for (std::size_t i = 0; i < area.size(); ++i) {
        movable += area[i] ? 1 : 0;
        tiles += area[i] && level[i] != EmptyTile ? 1 : 0;
    }
    if (movable < 3 || tiles < 2) {
        return std::nullopt;
    }
    return Finish(level, static_cast<std::uint64_t>(dice.Below(1 << 30)), "partial");
}

std::optional<CorpusLevel> MakeFull(Dice& dice) {
    LevelRecord level{};
    Area area;
    area.fill(true);
    if (!Fill(level, area, RandomPalette(dice, true), dice)) {
        return std::nullopt;
    }
    return Finish(level, static_cast<std::uint64_t>(dice.Below(1 << 30)), "full");
}

} // namespace

bool EndsBalance(const LevelRecord& level) {
    std::array<int, 6> sum{};
    for (const TileNumber t : level) {
        const auto b = Balance(TileEdges(t));
        for (std::size_t k = 0; k < sum.size(); ++k) {
            sum[k] += b[k];
        }
    }
    return sum == std::array<int, 6>{};
}

LevelRecord Shuffled(const LevelRecord& level, std::uint64_t seed) {
    Dice dice(seed);
    std::vector<std::size_t> cells;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (IsMovable(level[i])) {
            cells.push_back(i);
        }
    }
    LevelRecord out = level;
    for (std::size_t k = cells.size(); k > 1; --k) {
        const auto j = static_cast<std::size_t>(dice.Below(static_cast<int>(k)));
        std::swap(out[cells[k - 1]], out[cells[j]]);
    }
    return out;
}

std::vector<CorpusLevel> PartialLevels(std::uint64_t seed, int count) {
    Dice dice(seed);
    std::vector<CorpusLevel> out;
    while (static_cast<int>(out.size()) < count) {
        if (auto level = MakePartial(dice)) {
            out.push_back(std::move(*level));
        }
    }
    return out;
}

std::vector<CorpusLevel> FullBoards(std::uint64_t seed, int count) {
    Dice dice(seed);
    std::vector<CorpusLevel> out;
    while (static_cast<int>(out.size()) < count) {
        if (auto level = MakeFull(dice)) {
            out.push_back(std::move(*level));
        }
    }
    return out;
}

std::vector<CorpusLevel> ChangedLevels(std::uint64_t seed, int count,
                                       const std::vector<CorpusLevel>& sources, bool balancedOnly) {
    Dice dice(seed);
    std::vector<CorpusLevel> out;
    if (sources.empty()) {
        return out;
    }
    while (static_cast<int>(out.size()) < count) {
        const CorpusLevel& source =
            sources[static_cast<std::size_t>(dice.Below(static_cast<int>(sources.size())))];
        std::vector<std::size_t> cells;
        for (std::size_t i = 0; i < source.origin.size(); ++i) {
            if (IsMovable(source.origin[i])) {
                cells.push_back(i);
            }
        }
        const std::size_t cell =
            cells[static_cast<std::size_t>(dice.Below(static_cast<int>(cells.size())))];
        const Edges was = TileEdges(source.origin[cell]);
        const bool keepBalance = dice.Chance(50) || balancedOnly;
        std::vector<TileNumber> options;
        for (int t = 0; t <= LastMovableTile; ++t) {
            const Edges e = TileEdges(static_cast<TileNumber>(t));
            if (e != was && (!keepBalance || Balance(e) == Balance(was))) {
                options.push_back(static_cast<TileNumber>(t));
            }
        }
        if (options.empty()) {
            continue;
        }
        LevelRecord changed = source.origin;
        changed[cell] =
            options[static_cast<std::size_t>(dice.Below(static_cast<int>(options.size())))];
        CorpusLevel level;
        level.origin = source.origin;
        level.record = Shuffled(changed, static_cast<std::uint64_t>(dice.Below(1 << 30)));
        level.unbalanced = !EndsBalance(changed);
        level.kind = source.kind + (level.unbalanced ? " changed, unbalanced" : " changed");
        out.push_back(std::move(level));
    }
    return out;
}

namespace {

// The loop tiles of one kind: the two straights (east-west, north-south) and
// the four corners, each by the first movable tile with those edges.
struct LoopTiles {
    TileNumber eastWest = 0;
    TileNumber northSouth = 0;
    std::array<TileNumber, 4> corners{}; // east-north, north-west, west-south, south-east
};

LoopTiles LoopTilesOf(int kind) {
    const auto find = [kind](std::array<int, 4> sides) {
        for (int t = 1; t <= LastMovableTile; ++t) {
            const Edges e = TileEdges(static_cast<TileNumber>(t));
            bool match = true;
            for (int s = 0; s < 4; ++s) {
                match = match && e[s] == (sides[static_cast<std::size_t>(s)] != 0 ? kind : 0);
            }
            if (match) {
                return static_cast<TileNumber>(t);
            }
        }
        return EmptyTile;
    };
    LoopTiles tiles;
    tiles.eastWest = find({1, 0, 1, 0});
    tiles.northSouth = find({0, 1, 0, 1});
    tiles.corners = {find({1, 1, 0, 0}), find({0, 1, 1, 0}), find({0, 0, 1, 1}),
                     find({1, 0, 0, 1})};
    return tiles;
}

std::optional<LevelRecord> MakeLoops(Dice& dice, int kind) {
    static const std::vector<TileNumber> blanks = FixedWith(false);
    const LoopTiles tiles = LoopTilesOf(kind);
    LevelRecord level;
    Area area;
    if (dice.Chance(50)) {
        level.fill(EmptyTile);
        area.fill(true);
    } else {
        level.fill(blanks[static_cast<std::size_t>(dice.Below(static_cast<int>(blanks.size())))]);
        area = GrowArea(dice, dice.Range(16, 50), Area{});
    }
    Palette palette;
    palette.tiles = {EmptyTile,        tiles.eastWest,   tiles.northSouth, tiles.corners[0],
                     tiles.corners[1], tiles.corners[2], tiles.corners[3]};
    const int straight = dice.Range(2, 8);
    const int corner = dice.Range(2, 6);
    palette.weights = {dice.Range(2, 10), straight, straight, corner, corner, corner, corner};
    if (!Fill(level, area, palette, dice)) {
        return std::nullopt;
    }
    int tilesPlaced = 0;
    for (std::size_t i = 0; i < level.size(); ++i) {
        tilesPlaced += area[i] && level[i] != EmptyTile ? 1 : 0;
    }
    if (tilesPlaced < 8) {
        return std::nullopt;
    }
    return level;
}

std::vector<std::size_t> CellsHolding(const LevelRecord& level, TileNumber t) {
    std::vector<std::size_t> cells;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (level[i] == t) {
            cells.push_back(i);
        }
    }
    return cells;
}

} // namespace

std::vector<CorpusLevel> LoopBoards(std::uint64_t seed, int count) {
    Dice dice(seed);
    std::vector<CorpusLevel> out;
    while (static_cast<int>(out.size()) < count) {
        const int kind = dice.Range(1, 3);
        const std::optional<LevelRecord> solved = MakeLoops(dice, kind);
        if (!solved) {
            continue;
        }
        const LoopTiles tiles = LoopTilesOf(kind);
        LevelRecord changed = *solved;
        const auto eastWest = CellsHolding(changed, tiles.eastWest);
        const auto northSouth = CellsHolding(changed, tiles.northSouth);
        const char* what = "loop";
        switch (out.size() % 4) {
        case 0:
            break;
        case 1:
            if (eastWest.empty()) {
                continue;
            }
            changed[dice.Pick(eastWest)] = dice.Chance(50) ? tiles.northSouth : EmptyTile;
            what = "loop odd";
            break;
        default: {
            what = "loop changed";
            const auto opposite = [&](std::size_t a, std::size_t b) {
                return std::make_pair(CellsHolding(changed, tiles.corners[a]),
                                      CellsHolding(changed, tiles.corners[b]));
            };
            // East-north with west-south, or north-west with south-east.
            const std::size_t pair = static_cast<std::size_t>(dice.Below(2));
            const auto [first, second] = opposite(pair, pair + 2);
            if (dice.Chance(50) && !first.empty() && !second.empty()) {
                changed[dice.Pick(first)] = tiles.corners[1 - pair];
                changed[dice.Pick(second)] = tiles.corners[3 - pair];
            } else {
                std::vector<std::size_t> straights = eastWest;
                straights.insert(straights.end(), northSouth.begin(), northSouth.end());
                if (straights.size() < 2) {
                    continue;
                }
                const std::size_t a = dice.Pick(straights);
                std::size_t b = a;
                while (b == a) {
                    b = dice.Pick(straights);
                }
                // Both of one direction, or one of each, keep the balance.
                changed[a] = EmptyTile;
                changed[b] = EmptyTile;
            }
            break;
        }
        }
        CorpusLevel level;
        level.origin = *solved;
        level.record = Shuffled(changed, static_cast<std::uint64_t>(dice.Below(1 << 30)));
        level.unbalanced = !EndsBalance(changed);
        level.kind = what;
        out.push_back(std::move(level));
    }
    return out;
}

} // namespace zk::levels
