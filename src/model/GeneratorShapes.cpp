#include "model/GeneratorShapes.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace zk::gen {

namespace {

constexpr std::array<std::string_view, ShapeCount> Names = {
    "bar",      "rectangle", "L",        "T",        "U",         "H",        "cross",
    "ring",     "diamond",   "stairs",   "blob",     "rooms",     "mirror",   "holes",
    "house",    "arrow",     "heart",    "tree",     "boat",      "key",      "fish",
    "star",     "crown",     "mushroom", "bell",     "hourglass", "anchor",   "spiral",
    "comb",     "bridge",    "letter A", "letter C", "letter E",  "letter F", "letter K",
    "letter M", "letter S",  "letter X", "letter Y", "letter Z"};

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

} // namespace

std::string_view ShapeName(Shape shape) {
    return Names[static_cast<std::size_t>(shape)];
}

int CountCells(const Area& area) {
    return static_cast<int>(std::count(area.begin(), area.end(), true));
}

int Rooms(const Area& area) {
    Area seen{};
    int rooms = 0;
    for (int start = 0; start < CellCount; ++start) {
        if (seen[static_cast<std::size_t>(start)] || !area[static_cast<std::size_t>(start)]) {
            continue;
        }
        ++rooms;
        std::vector<int> stack{start};
        seen[static_cast<std::size_t>(start)] = true;
        while (!stack.empty()) {
            const int cell = stack.back();
            stack.pop_back();
            for (int s = 0; s < 4; ++s) {
                const int nc = cell / Rows + ColumnStep[s];
                const int nr = cell % Rows + RowStep[s];
                if (IsOnBoard(nc, nr) && area[At(nc, nr)] && !seen[At(nc, nr)]) {
                    seen[At(nc, nr)] = true;
                    stack.push_back(CellIndex(nc, nr));
                }
            }
        }
    }
    return rooms;
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
    default:
        return DrawPicture(shape, dice);
    }
}

} // namespace zk::gen
