#include "Generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "Dice.h"
#include "model/LevelSet.h"
#include "model/Random.h"
#include "model/Solver.h"

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
// The shapes of the play area.

enum class Shape {
    Bar,
    Rectangle,
    L,
    T,
    U,
    H,
    Cross,
    Ring,
    Diamond,
    Stairs,
    Blob,
    Rooms,
    Mirror,
    Holes,
    Full
};

const char* ShapeName(Shape s) {
    switch (s) {
    case Shape::Bar:
        return "bar";
    case Shape::Rectangle:
        return "rectangle";
    case Shape::L:
        return "L";
    case Shape::T:
        return "T";
    case Shape::U:
        return "U";
    case Shape::H:
        return "H";
    case Shape::Cross:
        return "cross";
    case Shape::Ring:
        return "ring";
    case Shape::Diamond:
        return "diamond";
    case Shape::Stairs:
        return "stairs";
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

// A bar across the top of a stem down its middle.
Area MakeT(Dice& dice) {
    const int w = dice.Range(3, Columns);
    const int h = dice.Range(3, Rows);
    const int thick = dice.Range(1, std::min(2, h - 2));
    const int stem = dice.Range(1, std::max(1, std::min(3, w - 2)));
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row, w, thick);
    AddRectangle(area, column + (w - stem) / 2, row, stem, h);
    return area;
}

// A rectangle with a notch cut from the middle of its top.
Area MakeU(Dice& dice) {
    const int w = dice.Range(3, Columns);
    const int h = dice.Range(3, Rows);
    const int wall = dice.Range(1, std::max(1, (w - 1) / 2));
    const int floor = dice.Range(1, h - 2);
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row, w, h);
    for (int c = column + wall; c < column + w - wall; ++c) {
        for (int r = row; r < row + h - floor; ++r) {
            area[At(c, r)] = false;
        }
    }
    return area;
}

// Two upright bars joined by a crossbar.
Area MakeH(Dice& dice) {
    const int w = dice.Range(3, Columns);
    const int h = dice.Range(3, Rows);
    const int post = dice.Range(1, std::max(1, (w - 1) / 2));
    const int column = dice.Range(0, Columns - w);
    const int row = dice.Range(0, Rows - h);
    Area area{};
    AddRectangle(area, column, row, post, h);
    AddRectangle(area, column + w - post, row, post, h);
    AddRectangle(area, column, row + dice.Range(1, h - 2), w, 1);
    return area;
}

// A band of steps running down from one side.
Area MakeStairs(Dice& dice, int size) {
    const int width = dice.Range(1, 3);
    const int step = dice.Range(1, 2);
    const bool down = dice.Chance(50);
    Area area{};
    int cells = 0;
    int column = dice.Range(0, 2);
    for (int r = 0; r < Rows && cells < size; ++r) {
        const int row = down ? r : Rows - 1 - r;
        for (int c = column; c < column + width + step && cells < size; ++c) {
            if (IsOnBoard(c, row)) {
                area[At(c, row)] = true;
                ++cells;
            }
        }
        column += step;
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
    case Shape::T:
        return MakeT(dice);
    case Shape::U:
        return MakeU(dice);
    case Shape::H:
        return MakeH(dice);
    case Shape::Cross:
        return MakeCross(dice);
    case Shape::Ring:
        return MakeRing(dice);
    case Shape::Diamond:
        return MakeDiamond(dice);
    case Shape::Stairs:
        return MakeStairs(dice, size);
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
// What each level of the set is to be.

struct Plan {
    int minSize = 4; // movable cells
    int maxSize = 6;
    std::vector<Shape> shapes;       // the first is tried most, the others after it
    std::array<int, 4> codeWeight{}; // per code 1..3; 0 keeps a code out
    unsigned requiredCodes = 0;      // codes the movable tiles must show (bit c)
    int emptyWeight = 0;
    int minEmpty = 0;
    int maxEmptyPercent = 30;
    int minAnchors = 0; // fixed tiles with connections on the rim
    int maxAnchors = 0;
    int holes = 0;            // fixed tiles inside the area
    bool needMixed = false;   // a tile with two kinds of connection
    bool needBranch = false;  // a tile with three or four connections
    bool alongBorder = false; // the area runs along the board's border
    int maxSolutions = 100;
    bool unique = false; // a single solution
    int deduction = -1;  // 1: deduction alone solves it; 0: it needs guesses; -1: either
    int guessBits = 0;   // for a level with guesses: the bit width of the guesses aimed at
    int maxPins = 0;     // movable tiles that may be fixed on the way
    int candidates = 6;  // valid levels made to choose from
};

// The twelve levels that open the set, each teaching one idea.
Plan Lesson(int index) {
    Plan p;
    p.codeWeight = {0, 10, 0, 0};
    p.maxSolutions = 6;
    p.deduction = -1;
    p.candidates = 8;
    switch (index) {
    case 0: // a connection meets its twin
        p.minSize = p.maxSize = 4;
        p.shapes = {Shape::Rectangle, Shape::Bar};
        break;
    case 1: // nothing leads off the board
        p.minSize = 5;
        p.maxSize = 6;
        p.shapes = {Shape::L, Shape::Rectangle};
        p.alongBorder = true;
        break;
    case 2: // a second kind of connection
        p.minSize = p.maxSize = 6;
        p.shapes = {Shape::Rectangle, Shape::Bar};
        p.codeWeight = {0, 6, 8, 0};
        p.requiredCodes = 1U << 2;
        break;
    case 3: // a third kind
        p.minSize = 6;
        p.maxSize = 7;
        p.shapes = {Shape::L, Shape::Blob};
        p.codeWeight = {0, 6, 0, 8};
        p.requiredCodes = 1U << 3;
        break;
    case 4: // a fixed tile whose connection the network must reach
        p.minSize = 6;
        p.maxSize = 7;
        p.shapes = {Shape::Rectangle, Shape::Blob};
        p.codeWeight = {0, 8, 5, 0};
        p.minAnchors = p.maxAnchors = 1;
        break;
    case 5: // a hole in the area
        p.minSize = 8;
        p.maxSize = 9;
        p.shapes = {Shape::Rectangle};
        p.codeWeight = {0, 8, 5, 0};
        p.holes = 1;
        break;
    case 6: // two rooms scrambled together
        p.minSize = 8;
        p.maxSize = 9;
        p.shapes = {Shape::Rooms};
        p.codeWeight = {0, 8, 0, 6};
        break;
    case 7: // empty cells move too
        p.minSize = 8;
        p.maxSize = 9;
        p.shapes = {Shape::T, Shape::L};
        p.codeWeight = {0, 8, 0, 5};
        p.emptyWeight = 8;
        p.minEmpty = 2;
        p.maxEmptyPercent = 40;
        break;
    case 8: // two kinds in one tile
        p.minSize = 8;
        p.maxSize = 9;
        p.shapes = {Shape::U, Shape::Blob};
        p.codeWeight = {0, 7, 7, 0};
        p.needMixed = true;
        break;
    case 9: // branches and crossings
        p.minSize = 9;
        p.maxSize = 10;
        p.shapes = {Shape::Cross, Shape::Blob};
        p.codeWeight = {0, 8, 0, 6};
        p.needBranch = true;
        break;
    case 10: // a ring around a fixed centre
        p.minSize = 8;
        p.maxSize = 10;
        p.shapes = {Shape::Ring};
        p.codeWeight = {0, 0, 7, 7};
        break;
    default: // all three kinds together
        p.minSize = 9;
        p.maxSize = 10;
        p.shapes = {Shape::Diamond, Shape::Blob};
        p.codeWeight = {0, 6, 6, 6};
        p.requiredCodes = 0b1110;
        p.minAnchors = 0;
        p.maxAnchors = 1;
        break;
    }
    return p;
}

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

// Every level from the thirteenth: a single solution, deduction first and
// guessing later, boards and guesses growing together, every fifth level an
// easier one. permille: the place among these levels, 0 first, 1000 last.
Plan Curve(int number, int permille, Dice& dice) {
    Plan p;
    p.unique = true;
    p.maxSolutions = 1;
    const bool rest = number % 5 == 0 && permille > 40;
    int size = Interpolate(
        permille,
        {{0, 8}, {250, 16}, {450, 24}, {650, 34}, {800, 44}, {900, 54}, {960, 60}, {1000, 63}});
    if (rest) {
        size = std::max(8, size * 3 / 5);
    }
    p.minSize = std::max(6, size - size / 7);
    p.maxSize = std::min(CellCount, size + size / 7 + 1);

    // The shapes take turns, so that every kind of area comes back; the
    // last boards are whole or nearly whole.
    static constexpr std::array<Shape, 13> Turns = {
        Shape::Rectangle, Shape::L,      Shape::T,      Shape::Cross, Shape::Ring,
        Shape::Diamond,   Shape::U,      Shape::Stairs, Shape::Blob,  Shape::Rooms,
        Shape::H,         Shape::Mirror, Shape::Holes};
    if (size >= 58) {
        p.shapes = {dice.Chance(60) ? Shape::Full : Shape::Holes};
    } else {
        const Shape first = Turns[static_cast<std::size_t>(number) % Turns.size()];
        p.shapes = {first, Shape::Blob, Shape::Rectangle, Shape::Mirror};
        if (size >= 40) {
            p.shapes.push_back(Shape::Holes);
        }
    }

    if (permille < 80) {
        p.codeWeight = {0, 8, 6, 0};
    } else if (permille < 180) {
        p.codeWeight = {0, 8, 4, 6};
    } else {
        static constexpr std::array<std::array<int, 4>, 6> Mixes = {
            {{0, 6, 6, 6}, {0, 8, 2, 7}, {0, 3, 7, 7}, {0, 7, 7, 3}, {0, 5, 4, 8}, {0, 8, 0, 6}}};
        p.codeWeight = Mixes[static_cast<std::size_t>(dice.Below(static_cast<int>(Mixes.size())))];
    }
    p.emptyWeight = permille < 500 ? 4 : 3;
    p.maxEmptyPercent = size >= 50 ? 15 : 30;
    if (permille < 200) {
        p.maxAnchors = 1;
    } else if (permille < 500) {
        p.minAnchors = 1;
        p.maxAnchors = 2;
    } else if (permille < 800) {
        p.minAnchors = 1;
        p.maxAnchors = 3;
    } else {
        p.minAnchors = 2;
        p.maxAnchors = 4;
    }
    if (rest || permille < 330) {
        p.deduction = 1;
    } else {
        p.deduction = 0;
        // One guess at first, a few hundred at the end.
        p.guessBits = 1 + (permille - 330) * 8 / 670;
    }
    p.maxPins = 4 + permille / 80;
    p.candidates = size >= 50 ? 3 : 5;
    return p;
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
    for (int t = 0; t <= LastMovableTile; ++t) {
        ++sharing[static_cast<std::size_t>(EdgeKey(TileEdges(static_cast<TileNumber>(t))))];
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
                         sharing[static_cast<std::size_t>(EdgeKey(e))];
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

// Turns a movable tile into a fixed one with the same edges (the empty tile
// into the background): the solution stays, other arrangements may go.
void Pin(LevelRecord& level, Area& area, std::size_t cell, TileNumber blank, Dice& dice) {
    const auto& twins = FixedTwins()[static_cast<std::size_t>(EdgeKey(TileEdges(level[cell])))];
    level[cell] = level[cell] == EmptyTile ? blank : dice.Pick(twins);
    area[cell] = false;
}

// A pinnable cell at or next to the given one, the given one first.
std::optional<std::size_t> PinNear(const LevelRecord& level, const Area& area, int index,
                                   Dice& dice) {
    if (index < 0) {
        return std::nullopt;
    }
    const auto cell = static_cast<std::size_t>(index);
    if (area[cell] && CanPin(level[cell])) {
        return cell;
    }
    std::vector<std::size_t> near;
    const int c = index / Rows;
    const int r = index % Rows;
    for (int s = 0; s < 4; ++s) {
        const int nc = c + ColumnStep[s];
        const int nr = r + RowStep[s];
        if (IsOnBoard(nc, nr) && area[At(nc, nr)] && CanPin(level[At(nc, nr)])) {
            near.push_back(At(nc, nr));
        }
    }
    if (near.empty()) {
        return std::nullopt;
    }
    return dice.Pick(near);
}

struct Rating {
    SolverResult check;
    Difficulty difficulty;
};

// Fixes movable tiles (keeping their edges) until the level is what the
// plan asks for: a single solution where one is asked for (a cell where a
// second solution differs is fixed), deduction alone where that is asked
// for, and not too much guessing otherwise (the cell where deduction got
// stuck is fixed). Answers the final rating, or nothing when the plan could
// not be met within its pins.
std::optional<Rating> MeetPlan(LevelRecord& level, Area& area, TileNumber blank, const Plan& plan,
                               Dice& dice) {
    SolverLimits limits;
    limits.nodeBudget = 200'000;
    limits.originalOrder = true;
    limits.solutionCap = plan.unique ? 2 : plan.maxSolutions + 1;
    const std::uint64_t guessCeiling =
        plan.deduction == 0 ? (std::uint64_t{1} << (plan.guessBits + 1)) : ~std::uint64_t{0};
    for (int pins = 0; pins <= plan.maxPins; ++pins) {
        Rating rating;
        rating.check = SolveLevel(level, limits);
        const SolverResult& r = rating.check;
        if (r.status != Solvability::Solvable) {
            return std::nullopt;
        }
        std::optional<std::size_t> cell;
        if (plan.unique && !(r.countComplete && r.solutions == 1)) {
            // Fix a cell where the other solution differs from the stored one.
            std::vector<std::size_t> differing;
            if (r.alternative) {
                for (std::size_t i = 0; i < level.size(); ++i) {
                    if (area[i] && CanPin(level[i]) &&
                        TileEdges(level[i]) != TileEdges((*r.alternative)[i])) {
                        differing.push_back(i);
                    }
                }
            }
            if (!differing.empty()) {
                cell = dice.Pick(differing);
            }
        } else if (!plan.unique && r.solutions > plan.maxSolutions) {
            return std::nullopt;
        } else {
            rating.difficulty = RateLevel(level, 20'000);
            const Difficulty& d = rating.difficulty;
            const bool tooHard = !d.rated || (plan.deduction == 1 && !d.deductionOnly) ||
                                 (plan.deduction == 0 && d.guesses >= guessCeiling);
            if (!tooHard) {
                return rating;
            }
            cell = PinNear(level, area, d.firstGuess, dice);
        }
        if (!cell) {
            std::vector<std::size_t> any;
            for (std::size_t i = 0; i < level.size(); ++i) {
                if (area[i] && CanPin(level[i])) {
                    any.push_back(i);
                }
            }
            if (any.empty()) {
                return std::nullopt;
            }
            cell = dice.Pick(any);
        }
        Pin(level, area, *cell, blank, dice);
    }
    return std::nullopt;
}

struct Candidate {
    GeneratedLevel level;
    Area area{};
    std::vector<TileNumber> tiles; // the movable tiles, sorted
};

bool TouchesBorder(const Area& area, int atLeast) {
    int n = 0;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            n += area[At(c, r)] && (c == 0 || r == 0 || c == Columns - 1 || r == Rows - 1) ? 1 : 0;
        }
    }
    return n >= atLeast;
}

std::optional<Candidate> MakeCandidate(const Plan& plan, Dice& dice, bool firstShape) {
    const Shape shape = firstShape ? plan.shapes.front() : dice.Pick(plan.shapes);
    Area area{};
    bool sized = false;
    for (int attempt = 0; attempt < 40 && !sized; ++attempt) {
        area = MakeArea(shape, dice, dice.Range(plan.minSize, plan.maxSize));
        const int cells = CountCells(area);
        sized = cells >= plan.minSize + plan.holes && cells <= plan.maxSize + plan.holes &&
                (plan.holes == 0 || shape != Shape::Holes) &&
                (!plan.alongBorder || TouchesBorder(area, 3));
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
    // Holes: cells well inside the area keep the background, and the
    // network goes round them.
    for (int h = 0; h < plan.holes; ++h) {
        // The cells with the most of the area around them.
        std::vector<std::size_t> inside;
        int most = 3;
        for (int c = 0; c < Columns; ++c) {
            for (int r = 0; r < Rows; ++r) {
                int around = 0;
                for (int s = 0; s < 4; ++s) {
                    const int nc = c + ColumnStep[s];
                    const int nr = r + RowStep[s];
                    around += IsOnBoard(nc, nr) && area[At(nc, nr)] ? 1 : 0;
                }
                if (!area[At(c, r)] || around < most) {
                    continue;
                }
                if (around > most) {
                    inside.clear();
                    most = around;
                }
                inside.push_back(At(c, r));
            }
        }
        if (inside.empty()) {
            return std::nullopt;
        }
        area[dice.Pick(inside)] = false;
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
    unsigned shown = 0;
    bool mixed = false;
    bool branch = false;
    int empty = 0;
    int movable = 0;
    int holdable = 0;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (!area[i]) {
            continue;
        }
        const Edges e = TileEdges(level[i]);
        ++movable;
        empty += level[i] == EmptyTile ? 1 : 0;
        holdable += IsHoldable(level[i]) ? 1 : 0;
        shown |= CodesOf(e);
        mixed = mixed || std::popcount(CodesOf(e)) >= 2;
        branch = branch || Connections(e) >= 3;
    }
    if (movable - empty < 4 || holdable < 1 || empty < plan.minEmpty ||
        empty * 100 > plan.maxEmptyPercent * movable ||
        (shown & plan.requiredCodes) != plan.requiredCodes || (plan.needMixed && !mixed) ||
        (plan.needBranch && !branch) || !IsSolved(level)) {
        return std::nullopt;
    }

    auto rating = MeetPlan(level, area, blank, plan, dice);
    if (!rating || rating->check.movableTiles < 4 || rating->check.holdableTiles < 1) {
        return std::nullopt;
    }
    out.level.check = rating->check;
    out.level.difficulty = rating->difficulty;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (area[i]) {
            out.tiles.push_back(level[i]);
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

// How far a candidate is from what its place asks for: lower is better.
int Distance(const Candidate& c, const Plan& plan) {
    const Difficulty& d = c.level.difficulty;
    const int middle = (plan.minSize + plan.maxSize) / 2;
    int distance = std::abs(c.level.check.movableCells - middle);
    if (plan.deduction == 0) {
        distance += 8 * std::abs(static_cast<int>(std::bit_width(d.guesses)) - plan.guessBits);
    }
    if (!plan.unique) {
        // Opening levels: deduction alone, and few solutions, teach best.
        distance += (d.deductionOnly ? 0 : 4) + 2 * d.solutions;
    }
    return distance;
}

} // namespace

std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count) {
    count = std::clamp(count, 1, MaxLevels);
    Dice dice(seed);
    std::vector<GeneratedLevel> levels;
    std::set<std::pair<Area, std::vector<TileNumber>>> used;
    std::set<LevelRecord> recordsUsed;
    constexpr int Lessons = 12;

    for (int n = 0; n < count; ++n) {
        const int number = n + 1;
        const int permille =
            count <= Lessons + 1 ? 0 : (n - Lessons) * 1000 / (count - Lessons - 1);
        const Plan plan = n < Lessons ? Lesson(n) : Curve(number, std::max(0, permille), dice);
        std::optional<Candidate> best;
        int bestDistance = 0;
        int valid = 0;
        for (int attempt = 0; attempt < 400 && valid < plan.candidates; ++attempt) {
            std::optional<Candidate> c = MakeCandidate(plan, dice, attempt % 3 != 2);
            if (!c || used.count({c->area, c->tiles}) || recordsUsed.count(c->level.record)) {
                continue;
            }
            const Difficulty& d = c->level.difficulty;
            if (plan.deduction == 0 && d.deductionOnly) {
                continue; // a guessing level that deduction alone solves
            }
            ++valid;
            const int distance = Distance(*c, plan);
            if (!best || distance < bestDistance) {
                best = std::move(c);
                bestDistance = distance;
            }
        }
        if (!best) {
            throw std::runtime_error("no level could be generated for place " +
                                     std::to_string(number));
        }
        used.insert({best->area, best->tiles});
        recordsUsed.insert(best->level.record);
        levels.push_back(std::move(best->level));
    }
    return levels;
}

} // namespace zk::levels
