#include "Generator.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "model/LevelSet.h"
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

class Dice {
public:
    explicit Dice(std::uint64_t seed) : random_(seed) {}
    int Below(int n) { return random_.RandomBelow(n); }
    int Range(int low, int high) { return low + Below(high - low + 1); } // inclusive
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    // An index drawn with the given integer weights; -1 when all are 0.
    int Weighted(const std::vector<int>& weights) {
        int total = 0;
        for (int w : weights) {
            total += w;
        }
        if (total <= 0) {
            return -1;
        }
        int draw = Below(total);
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (draw < weights[i]) {
                return static_cast<int>(i);
            }
            draw -= weights[i];
        }
        return -1;
    }

private:
    RandomSource random_;
};

int CountCells(const Area& area) {
    return static_cast<int>(std::count(area.begin(), area.end(), true));
}

int Connections(const Edges& e) {
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        n += e[s] != 0 ? 1 : 0;
    }
    return n;
}

unsigned CodesOf(const Edges& e) {
    unsigned codes = 0;
    for (int s = 0; s < 4; ++s) {
        codes |= e[s] != 0 ? 1U << e[s] : 0U;
    }
    return codes;
}

// Fixed tiles without a connection. The walls, floors and plain stones make
// the background around the play area; the ornaments (gems, emblems, tools)
// are scattered over it sparingly.
const std::vector<TileNumber> BackgroundTiles = {91,  92,  93,  98,  99,  101, 102, 106, 111, 130,
                                                 131, 138, 139, 166, 167, 176, 177, 178, 179, 192};
const std::vector<TileNumber> OrnamentTiles = {
    105, 110, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 132, 133, 134,
    135, 136, 137, 150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 162, 193};

// Fixed tiles with connections, using only the given codes (bit c: code c).
std::vector<TileNumber> AnchorTiles(unsigned codes) {
    std::vector<TileNumber> out;
    for (int t = LastMovableTile + 1; t < TileTypeCount; ++t) {
        const unsigned used = CodesOf(TileEdges(static_cast<TileNumber>(t)));
        if (used != 0 && (used & ~codes) == 0) {
            out.push_back(static_cast<TileNumber>(t));
        }
    }
    return out;
}

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

// For each edge record, the fixed tiles that show it: a movable tile can be
// turned into a fixed one with the same edges without changing the solution.
const std::array<std::vector<TileNumber>, 256>& FixedTwins() {
    static const std::array<std::vector<TileNumber>, 256> twins = [] {
        std::array<std::vector<TileNumber>, 256> out;
        for (int t = LastMovableTile + 1; t < TileTypeCount; ++t) {
            const auto tile = static_cast<TileNumber>(t);
            out[static_cast<std::size_t>(EdgeKey(TileEdges(tile)))].push_back(tile);
        }
        return out;
    }();
    return twins;
}

bool CanPin(TileNumber t) {
    return !FixedTwins()[static_cast<std::size_t>(EdgeKey(TileEdges(t)))].empty();
}

// ---------------------------------------------------------------------------
// What a level at a given point of the set looks like.

enum class Shape { Bar, Rectangle, L, Cross, Ring, Diamond, Blob, Rooms, Mirror, Holes, Full };

const char* ShapeName(Shape s) {
    switch (s) {
    case Shape::Bar:
        return "bar";
    case Shape::Rectangle:
        return "rectangle";
    case Shape::L:
        return "L";
    case Shape::Cross:
        return "cross";
    case Shape::Ring:
        return "ring";
    case Shape::Diamond:
        return "diamond";
    case Shape::Blob:
        return "blob";
    case Shape::Rooms:
        return "rooms";
    case Shape::Mirror:
        return "mirror";
    case Shape::Holes:
        return "holes";
    case Shape::Full:
        break;
    }
    return "full";
}

struct Plan {
    int minSize = 5;
    int maxSize = 6;
    std::vector<Shape> shapes;
    std::array<int, 4> codeWeight{}; // per code 1..3; 0 keeps a code out
    int emptyWeight = 0;
    int minAnchors = 0;
    int maxAnchors = 0;
    bool unique = false;     // the level must have exactly one solution
    int maxEmptyPercent = 0; // of the movable cells
    int targetGrade = 1;
    int maxSolutions = 20; // more solutions make the deductions too loose
    int maxPins = 0;       // movable tiles that may be fixed to make the solution single
    int candidates = 8;    // levels made to choose from
    // Search nodes a level with a single solution may take at most: beyond
    // that more tiles are fixed, so the end stays a matter of deduction.
    std::uint64_t maxEffort = 0;
};

int Interpolate(int at, const std::vector<std::pair<int, int>>& keys) {
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (at <= keys[i].first) {
            const auto [x0, y0] = keys[i - 1];
            const auto [x1, y1] = keys[i];
            return y0 + (y1 - y0) * (at - x0) / std::max(1, x1 - x0);
        }
    }
    return keys.back().second;
}

// permille: the level's place in the set, 0 for the first, 1000 for the last.
Plan PlanFor(int permille, Dice& dice) {
    Plan plan;
    plan.minSize = Interpolate(
        permille,
        {{0, 5}, {80, 6}, {200, 9}, {350, 14}, {500, 20}, {650, 28}, {840, 40}, {1000, 50}});
    plan.maxSize = Interpolate(
        permille,
        {{0, 6}, {80, 9}, {200, 14}, {350, 22}, {500, 30}, {650, 40}, {840, 56}, {1000, 58}});
    plan.targetGrade = 1 + (9 * permille + 500) / 1000;

    if (permille < 100) {
        plan.shapes = {Shape::Bar, Shape::Rectangle, Shape::L, Shape::Blob};
    } else if (permille < 350) {
        plan.shapes = {Shape::Rectangle, Shape::L,    Shape::Cross, Shape::Ring,
                       Shape::Diamond,   Shape::Blob, Shape::Rooms, Shape::Mirror};
    } else if (permille < 850) {
        plan.shapes = {Shape::Rectangle, Shape::L,     Shape::Cross,  Shape::Ring, Shape::Diamond,
                       Shape::Blob,      Shape::Rooms, Shape::Mirror, Shape::Holes};
    } else {
        plan.shapes = {Shape::Full};
        plan.minSize = plan.maxSize = CellCount;
    }

    // The kinds of connection: code 1 alone, then code 2 joins, then code 3;
    // from the middle on each level mixes them in its own proportions.
    if (permille < 150) {
        plan.codeWeight = {0, 10, 0, 0};
    } else if (permille < 330) {
        plan.codeWeight = {0, 8, 3 + (permille - 150) / 36, 0};
    } else if (permille < 450) {
        plan.codeWeight = {0, 6, 3, 8};
    } else {
        static constexpr std::array<std::array<int, 4>, 5> Mixes = {
            {{0, 6, 6, 6}, {0, 8, 2, 7}, {0, 3, 7, 7}, {0, 7, 7, 3}, {0, 5, 4, 8}}};
        plan.codeWeight = Mixes[static_cast<std::size_t>(dice.Below(5))];
    }

    plan.emptyWeight = permille < 150 ? 6 : permille < 500 ? 4 : 3;
    plan.maxEmptyPercent = permille < 150 ? 40 : permille < 500 ? 30 : permille < 850 ? 25 : 12;
    if (permille < 100) {
        plan.maxAnchors = 0;
    } else if (permille < 330) {
        plan.maxAnchors = 1;
    } else if (permille < 600) {
        plan.minAnchors = 1;
        plan.maxAnchors = 2;
    } else if (permille < 850) {
        plan.minAnchors = 1;
        plan.maxAnchors = 3;
    } else {
        plan.minAnchors = 2;
        plan.maxAnchors = 5;
    }
    plan.unique = permille >= 700;
    plan.maxSolutions = permille < 400 ? 20 : plan.unique ? 1 : 6;
    plan.maxPins = permille >= 850 ? 16 : 6;
    plan.candidates = permille >= 850 ? 3 : 8;
    plan.maxEffort = permille >= 850 ? 4000 : 1500;
    return plan;
}

// ---------------------------------------------------------------------------
// Areas of movable cells.

void AddRectangle(Area& area, int column, int row, int width, int height) {
    for (int c = column; c < column + width; ++c) {
        for (int r = row; r < row + height; ++r) {
            if (IsOnBoard(c, r)) {
                area[At(c, r)] = true;
            }
        }
    }
}

Area MakeRectangle(Dice& dice, int size, bool thin) {
    std::vector<std::pair<int, int>> fits;
    for (int w = 1; w <= Columns; ++w) {
        for (int h = 1; h <= Rows; ++h) {
            const bool bar = w == 1 || h == 1;
            if (bar == thin && std::abs(w * h - size) <= size / 6) {
                fits.emplace_back(w, h);
            }
        }
    }
    Area area{};
    if (fits.empty()) {
        return area;
    }
    const auto [w, h] = dice.Pick(fits);
    AddRectangle(area, dice.Range(0, Columns - w), dice.Range(0, Rows - h), w, h);
    return area;
}

Area MakeL(Dice& dice) {
    const int w = dice.Range(3, Columns);
    const int h = dice.Range(3, Rows);
    const int cutW = dice.Range(1, w - 2);
    const int cutH = dice.Range(1, h - 2);
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row, w, h);
    const int cutColumn = dice.Chance(50) ? column : column + w - cutW;
    const int cutRow = dice.Chance(50) ? row : row + h - cutH;
    for (int c = cutColumn; c < cutColumn + cutW; ++c) {
        for (int r = cutRow; r < cutRow + cutH; ++r) {
            area[At(c, r)] = false;
        }
    }
    return area;
}

Area MakeCross(Dice& dice) {
    const int armW = dice.Range(1, 3);
    const int armH = dice.Range(1, 2);
    const int w = dice.Range(armW + 2, Columns);
    const int h = dice.Range(armH + 2, Rows);
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row + dice.Range(1, h - armH - 1), w, armH);
    AddRectangle(area, column + dice.Range(1, w - armW - 1), row, armW, h);
    return area;
}

Area MakeRing(Dice& dice) {
    const int thick = dice.Range(1, 2);
    const int w = dice.Range(2 * thick + 1, Columns);
    const int h = dice.Range(2 * thick + 1, Rows);
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row, w, h);
    for (int c = column + thick; c < column + w - thick; ++c) {
        for (int r = row + thick; r < row + h - thick; ++r) {
            area[At(c, r)] = false;
        }
    }
    return area;
}

Area MakeDiamond(Dice& dice) {
    const int cx = dice.Range(1, Columns - 2);
    const int cy = dice.Range(1, Rows - 2);
    const int stretchX = dice.Range(1, 2);
    const int radius = dice.Range(2, 6);
    Area area{};
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const int dx = std::abs(c - cx);
            const int dy = std::abs(r - cy);
            if (dx + dy * stretchX <= radius) {
                area[At(c, r)] = true;
            }
        }
    }
    return area;
}

// Grows an area of exactly size cells from one cell, preferring cells with
// many neighbours inside so that it stays compact without being a rectangle.
Area GrowBlob(Dice& dice, int size, int maxColumn) {
    Area area{};
    area[At(dice.Range(0, maxColumn), dice.Range(0, Rows - 1))] = true;
    for (int n = 1; n < size; ++n) {
        std::vector<std::size_t> frontier;
        std::vector<int> weights;
        for (int c = 0; c <= maxColumn; ++c) {
            for (int r = 0; r < Rows; ++r) {
                if (area[At(c, r)]) {
                    continue;
                }
                int inside = 0;
                for (int s = 0; s < 4; ++s) {
                    const int nc = c + ColumnStep[s];
                    const int nr = r + RowStep[s];
                    inside += IsOnBoard(nc, nr) && area[At(nc, nr)] ? 1 : 0;
                }
                if (inside > 0) {
                    frontier.push_back(At(c, r));
                    weights.push_back(inside * inside * inside);
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

Area MakeMirror(Dice& dice, int size) {
    const Area half = GrowBlob(dice, std::max(2, size / 2), Columns / 2);
    Area area{};
    for (int c = 0; c <= Columns / 2; ++c) {
        for (int r = 0; r < Rows; ++r) {
            if (half[At(c, r)]) {
                area[At(c, r)] = true;
                area[At(Columns - 1 - c, r)] = true;
            }
        }
    }
    return area;
}

Area MakeRooms(Dice& dice, int size) {
    // Two separate rooms: the tiles of both are scrambled together, so the
    // player has to find out which belong where.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const Area a = MakeRectangle(dice, std::max(2, size / 2), false);
        const Area b = MakeRectangle(dice, std::max(2, size - size / 2), false);
        bool apart = true;
        for (int c = 0; c < Columns && apart; ++c) {
            for (int r = 0; r < Rows && apart; ++r) {
                if (!a[At(c, r)]) {
                    continue;
                }
                for (int dc = -1; dc <= 1; ++dc) {
                    for (int dr = -1; dr <= 1; ++dr) {
                        if (IsOnBoard(c + dc, r + dr) && b[At(c + dc, r + dr)]) {
                            apart = false;
                        }
                    }
                }
            }
        }
        if (apart && CountCells(a) > 0 && CountCells(b) > 0) {
            Area both{};
            for (std::size_t i = 0; i < both.size(); ++i) {
                both[i] = a[i] || b[i];
            }
            return both;
        }
    }
    return Area{};
}

Area MakeHoles(Dice& dice, int size) {
    Area area;
    area.fill(true);
    int cells = CellCount;
    for (int guard = 0; cells > size && guard < 500; ++guard) {
        const int c = dice.Below(Columns);
        const int r = dice.Below(Rows);
        if (area[At(c, r)]) {
            area[At(c, r)] = false;
            --cells;
        }
    }
    return area;
}

Area MakeArea(Shape shape, Dice& dice, int size) {
    switch (shape) {
    case Shape::Bar:
        return MakeRectangle(dice, size, true);
    case Shape::Rectangle:
        return MakeRectangle(dice, size, false);
    case Shape::L:
        return MakeL(dice);
    case Shape::Cross:
        return MakeCross(dice);
    case Shape::Ring:
        return MakeRing(dice);
    case Shape::Diamond:
        return MakeDiamond(dice);
    case Shape::Blob:
        return GrowBlob(dice, size, Columns - 1);
    case Shape::Rooms:
        return MakeRooms(dice, size);
    case Shape::Mirror:
        return MakeMirror(dice, size);
    case Shape::Holes:
        return MakeHoles(dice, size);
    case Shape::Full:
        break;
    }
    Area all;
    all.fill(true);
    return all;
}

// ---------------------------------------------------------------------------
// Filling the area with a network of connections.

struct Palette {
    std::vector<TileNumber> tiles;
    std::vector<int> weights;
};

Palette MakePalette(const Plan& plan) {
    // How many tile numbers share each edge record: such tiles split their
    // weight so no shape is favoured for having several pictures.
    std::array<int, 256> sharing{};
    const auto key = [](const Edges& e) {
        return static_cast<std::size_t>(e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6);
    };
    for (int t = 0; t <= LastMovableTile; ++t) {
        ++sharing[key(TileEdges(static_cast<TileNumber>(t)))];
    }
    static constexpr std::array<int, 5> ByConnections = {0, 2, 9, 5, 2};
    Palette palette;
    for (int t = 0; t <= LastMovableTile; ++t) {
        const Edges e = TileEdges(static_cast<TileNumber>(t));
        int weight = 0;
        if (t == EmptyTile) {
            weight = plan.emptyWeight * 6 * 6;
        } else {
            int sum = 0;
            int kinds = 0;
            bool allowed = true;
            for (std::size_t code = 1; code < 4; ++code) {
                if (CodesOf(e) & (1U << code)) {
                    allowed = allowed && plan.codeWeight[code] > 0;
                    sum += plan.codeWeight[code];
                    ++kinds;
                }
            }
            if (allowed) {
                weight = ByConnections[static_cast<std::size_t>(Connections(e))] * sum * 6 / kinds /
                         sharing[key(e)];
            }
        }
        if (weight > 0) {
            palette.tiles.push_back(static_cast<TileNumber>(t));
            palette.weights.push_back(weight);
        }
    }
    return palette;
}

// Fills the movable cells row by row with tiles from the palette so that the
// whole board is solved, backtracking where a choice leads nowhere.
bool FillArea(LevelRecord& level, const Area& area, const Palette& palette, Dice& dice) {
    std::vector<std::pair<int, int>> cells;
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            if (area[At(c, r)]) {
                cells.emplace_back(c, r);
            }
        }
    }
    // What each cell's side must show, or -1 when the neighbour is a movable
    // cell not filled yet.
    const auto needed = [&](int c, int r, int side, std::size_t filledUpTo) -> int {
        const int nc = c + ColumnStep[side];
        const int nr = r + RowStep[side];
        if (!IsOnBoard(nc, nr)) {
            return 0;
        }
        if (area[At(nc, nr)]) {
            const auto order = static_cast<std::size_t>(
                std::find(cells.begin(), cells.end(), std::make_pair(nc, nr)) - cells.begin());
            if (order >= filledUpTo) {
                return -1;
            }
        }
        return TileEdges(level[At(nc, nr)])[Opposite(side)];
    };

    std::vector<std::vector<TileNumber>> choices(cells.size());
    std::vector<std::size_t> next(cells.size(), 0);
    const auto prepare = [&](std::size_t i) {
        const auto [c, r] = cells[i];
        std::vector<TileNumber> fitting;
        std::vector<int> weights;
        for (std::size_t k = 0; k < palette.tiles.size(); ++k) {
            const Edges e = TileEdges(palette.tiles[k]);
            bool fits = true;
            for (int s = 0; s < 4 && fits; ++s) {
                const int need = needed(c, r, s, i);
                fits = need < 0 || need == e[s];
            }
            if (fits) {
                fitting.push_back(palette.tiles[k]);
                weights.push_back(palette.weights[k]);
            }
        }
        // The order in which the fitting tiles are tried: a weighted draw
        // without replacement.
        choices[i].clear();
        while (true) {
            const int pick = dice.Weighted(weights);
            if (pick < 0) {
                break;
            }
            choices[i].push_back(fitting[static_cast<std::size_t>(pick)]);
            weights[static_cast<std::size_t>(pick)] = 0;
        }
        next[i] = 0;
    };

    std::size_t i = 0;
    int steps = 0;
    if (!cells.empty()) {
        prepare(0);
    }
    while (i < cells.size()) {
        if (++steps > 20000) {
            return false;
        }
        if (next[i] >= choices[i].size()) {
            if (i == 0) {
                return false;
            }
            --i;
            continue;
        }
        const auto [c, r] = cells[i];
        level[At(c, r)] = choices[i][next[i]++];
        ++i;
        if (i < cells.size()) {
            prepare(i);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Fixed tiles with connections: anchors the network has to reach.

bool PlaceAnchor(LevelRecord& level, Area& area, std::vector<std::size_t>& anchors,
                 const std::vector<TileNumber>& tiles, Dice& dice) {
    for (int attempt = 0; attempt < 60; ++attempt) {
        const int c = dice.Below(Columns);
        const int r = dice.Below(Rows);
        bool nearArea = area[At(c, r)];
        bool nearAnchor = false;
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            if (IsOnBoard(nc, nr)) {
                nearArea = nearArea || area[At(nc, nr)];
                nearAnchor = nearAnchor ||
                             std::find(anchors.begin(), anchors.end(), At(nc, nr)) != anchors.end();
            }
        }
        if (!nearArea || nearAnchor ||
            std::find(anchors.begin(), anchors.end(), At(c, r)) != anchors.end()) {
            continue;
        }
        const TileNumber t = dice.Pick(tiles);
        const Edges e = TileEdges(t);
        bool fits = true;
        for (int s = 0; s < 4 && fits; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            // Every connection of the anchor leads into the movable area.
            fits = e[s] == 0 || (IsOnBoard(nc, nr) && area[At(nc, nr)]);
        }
        if (!fits) {
            continue;
        }
        area[At(c, r)] = false;
        level[At(c, r)] = t;
        anchors.push_back(At(c, r));
        return true;
    }
    return false;
}

// Turns movable tiles into fixed ones with the same edges until the level
// has a single solution that the solver finds within maxEffort nodes: each
// time a cell where another solution differs from the stored one (or, failing
// that, any cell) becomes fixed, which rules that other solution out. Answers the final check, or
// nothing when no single solution was reached.
std::optional<SolverResult> PinToSingleSolution(LevelRecord& level, Area& area, TileNumber blank,
                                                int maxPins, std::uint64_t maxEffort, Dice& dice) {
    // A search that runs much beyond the effort allowed calls for a pin as
    // surely as a second solution does.
    SolverLimits limits;
    limits.nodeBudget = 3 * maxEffort;
    limits.solutionCap = 2;
    for (int pins = 0; pins <= maxPins; ++pins) {
        SolverResult r = SolveLevel(level, limits);
        if (r.status == Solvability::Unsolvable) {
            return std::nullopt; // cannot happen: the level is stored solved
        }
        const bool single = r.countComplete && r.solutions == 1;
        if (single && r.nodes <= maxEffort) {
            return r;
        }
        std::vector<std::size_t> differing;
        std::vector<std::size_t> near;
        std::vector<std::size_t> any;
        for (const auto& other : {r.solution, r.alternative}) {
            if (!other) {
                continue;
            }
            for (std::size_t i = 0; i < level.size(); ++i) {
                if (area[i] && TileEdges(level[i]) != TileEdges((*other)[i])) {
                    differing.push_back(i);
                }
            }
            if (!differing.empty()) {
                break;
            }
        }
        for (std::size_t i = 0; i < level.size(); ++i) {
            if (!area[i] || !CanPin(level[i])) {
                continue;
            }
            any.push_back(i);
            const int c = static_cast<int>(i) / Rows;
            const int row = static_cast<int>(i) % Rows;
            for (const std::size_t d : differing) {
                const int dc = static_cast<int>(d) / Rows - c;
                const int dr = static_cast<int>(d) % Rows - row;
                if (std::abs(dc) + std::abs(dr) <= 1) {
                    near.push_back(i);
                    break;
                }
            }
        }
        std::vector<std::size_t> exact;
        for (const std::size_t d : differing) {
            if (CanPin(level[d])) {
                exact.push_back(d);
            }
        }
        const std::vector<std::size_t>& choice = !exact.empty()  ? exact
                                                 : !near.empty() ? near
                                                                 : any;
        if (choice.empty()) {
            return std::nullopt;
        }
        const std::size_t cell = dice.Pick(choice);
        const auto& twins = FixedTwins()[static_cast<std::size_t>(EdgeKey(TileEdges(level[cell])))];
        level[cell] = level[cell] == EmptyTile ? blank : dice.Pick(twins);
        area[cell] = false;
    }
    return std::nullopt;
}

struct Candidate {
    GeneratedLevel level;
    Area area{};
    std::vector<TileNumber> tiles; // the movable tiles, sorted
};

std::optional<Candidate> MakeCandidate(const Plan& plan, Dice& dice) {
    const Shape shape = dice.Pick(plan.shapes);
    Area area{};
    bool sized = false;
    for (int attempt = 0; attempt < 40 && !sized; ++attempt) {
        area = MakeArea(shape, dice, dice.Range(plan.minSize, plan.maxSize));
        const int cells = CountCells(area);
        sized = cells >= plan.minSize && cells <= plan.maxSize + plan.maxSize / 8;
    }
    if (!sized) {
        return std::nullopt;
    }

    Candidate out;
    LevelRecord& level = out.level.record;
    const TileNumber blank = dice.Pick(BackgroundTiles);
    level.fill(blank);
    unsigned codes = 0;
    for (std::size_t code = 1; code < 4; ++code) {
        codes |= plan.codeWeight[code] > 0 ? 1U << code : 0U;
    }
    const std::vector<TileNumber> anchorTiles = AnchorTiles(codes);
    std::vector<std::size_t> anchors;
    const int anchorCount = dice.Range(plan.minAnchors, plan.maxAnchors);
    for (int a = 0; a < anchorCount; ++a) {
        if (!PlaceAnchor(level, area, anchors, anchorTiles, dice)) {
            return std::nullopt;
        }
    }
    if (!FillArea(level, area, MakePalette(plan), dice)) {
        return std::nullopt;
    }

    int empty = 0;
    int movable = 0;
    int holdable = 0;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (area[i]) {
            ++movable;
            empty += level[i] == EmptyTile ? 1 : 0;
            holdable += IsHoldable(level[i]) ? 1 : 0;
            out.tiles.push_back(level[i]);
        }
    }
    if (movable - empty < 4 || holdable < 1 || empty * 100 > plan.maxEmptyPercent * movable ||
        !IsSolved(level)) {
        return std::nullopt;
    }
    if (plan.unique) {
        auto pinned = PinToSingleSolution(level, area, blank, plan.maxPins, plan.maxEffort, dice);
        if (!pinned || pinned->movableTiles < 4 || pinned->holdableTiles < 1) {
            return std::nullopt;
        }
        out.level.check = *pinned;
        out.tiles.clear();
        for (std::size_t i = 0; i < level.size(); ++i) {
            if (area[i]) {
                out.tiles.push_back(level[i]);
            }
        }
    }
    // A few ornaments on the background, never beside each other.
    std::vector<std::size_t> plain;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (level[i] == blank && !area[i]) {
            plain.push_back(i);
        }
    }
    const int ornaments = std::min(static_cast<int>(plain.size()) / 8, dice.Range(0, 3));
    for (int placed = 0, guard = 0; placed < ornaments && guard < 40; ++guard) {
        const std::size_t cell = dice.Pick(plain);
        const int c = static_cast<int>(cell) / Rows;
        const int r = static_cast<int>(cell) % Rows;
        bool alone = level[cell] == blank;
        for (int dc = -1; dc <= 1 && alone; ++dc) {
            for (int dr = -1; dr <= 1 && alone; ++dr) {
                alone = !IsOnBoard(c + dc, r + dr) ||
                        std::find(OrnamentTiles.begin(), OrnamentTiles.end(),
                                  level[At(c + dc, r + dr)]) == OrnamentTiles.end();
            }
        }
        if (alone) {
            level[cell] = dice.Pick(OrnamentTiles);
            ++placed;
        }
    }

    std::sort(out.tiles.begin(), out.tiles.end());
    out.area = area;
    out.level.shape = ShapeName(shape);
    return out;
}

} // namespace

std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count) {
    count = std::clamp(count, 1, MaxLevels);
    Dice dice(seed);
    std::vector<GeneratedLevel> levels;
    std::set<Area> areasUsed;
    std::set<std::vector<TileNumber>> tileSetsUsed;
    std::set<LevelRecord> recordsUsed;

    SolverLimits limits;
    limits.nodeBudget = 400'000;
    limits.solutionCap = 20;

    for (int n = 0; n < count; ++n) {
        const int permille = count == 1 ? 0 : n * 1000 / (count - 1);
        const Plan plan = PlanFor(permille, dice);
        std::optional<Candidate> best;
        int bestScore = 0;
        int valid = 0;
        for (int attempt = 0; attempt < 2000 && valid < plan.candidates; ++attempt) {
            std::optional<Candidate> c = MakeCandidate(plan, dice);
            if (!c) {
                continue;
            }
            const bool full = c->level.shape == std::string("full");
            if ((!full && areasUsed.count(c->area)) || tileSetsUsed.count(c->tiles) ||
                recordsUsed.count(c->level.record)) {
                continue;
            }
            if (!plan.unique) {
                c->level.check = SolveLevel(c->level.record, limits);
            }
            const SolverResult& check = c->level.check;
            if (check.status != Solvability::Solvable || check.nodes >= limits.nodeBudget) {
                continue;
            }
            if (check.solutions > plan.maxSolutions ||
                (plan.unique && (check.solutions != 1 || !check.countComplete))) {
                continue;
            }
            ++valid;
            // Nearest to the grade this place in the set calls for; fewer
            // solutions break ties, as they make the deductions sharper.
            const int score = std::abs(check.grade - plan.targetGrade) * 100 + check.solutions;
            if (!best || score < bestScore) {
                best = std::move(c);
                bestScore = score;
            }
        }
        if (!best) {
            // Nothing fitted the plan: loosen it rather than fail the set.
            Plan loose = plan;
            loose.unique = false;
            loose.maxEmptyPercent = 60;
            for (int attempt = 0; attempt < 100000 && !best; ++attempt) {
                best = MakeCandidate(loose, dice);
            }
            if (!best) {
                throw std::runtime_error("no level could be generated for place " +
                                         std::to_string(n + 1));
            }
            best->level.check = SolveLevel(best->level.record, limits);
        }
        areasUsed.insert(best->area);
        tileSetsUsed.insert(best->tiles);
        recordsUsed.insert(best->level.record);
        levels.push_back(std::move(best->level));
    }
    return levels;
}

} // namespace zk::levels
