// The shapes of the play area the level generator fills with movable tiles:
// plain figures drawn to a size (a bar, an L, a ring, a blob grown cell by
// cell, ...) and pictures that draw something (a house, an arrow, letters,
// a boat, ...), placed anywhere they fit and sometimes mirrored.
#pragma once

#include <array>
#include <string_view>

#include "model/Board.h"
#include "model/Dice.h"

namespace zk::gen {

// Which cells are movable, in the Board's layout.
using Area = std::array<bool, CellCount>;

// The steps to the neighbour on each side: east, north, west, south.
inline constexpr int ColumnStep[4] = {1, 0, -1, 0};
inline constexpr int RowStep[4] = {0, -1, 0, 1};
constexpr std::size_t At(int column, int row) {
    return static_cast<std::size_t>(CellIndex(column, row));
}

enum class Shape : int {
    // Figures drawn to a size.
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
    // Pictures.
    House,
    Arrow,
    Heart,
    Tree,
    Boat,
    Key,
    Fish,
    Star,
    Crown,
    Mushroom,
    Bell,
    Hourglass,
    Anchor,
    Spiral,
    Comb,
    Bridge,
    LetterA,
    LetterC,
    LetterE,
    LetterF,
    LetterK,
    LetterM,
    LetterS,
    LetterX,
    LetterY,
    LetterZ,
};

inline constexpr int ShapeCount = static_cast<int>(Shape::LetterZ) + 1;
inline constexpr Shape FirstPicture = Shape::House;

constexpr bool IsPicture(Shape shape) {
    return shape >= FirstPicture;
}

std::string_view ShapeName(Shape shape);

// An area of the shape with about `size` cells (pictures have their own
// size); all false when the dice found no way to draw it.
Area MakeArea(Shape shape, Dice& dice, int size);

// A picture somewhere it fits, mirrored where that still reads, and the
// cells it has.
Area DrawPicture(Shape shape, Dice& dice);
int PictureCells(Shape shape);

int CountCells(const Area& area);

// Movable cells next to each other, counted as groups.
int Rooms(const Area& area);

} // namespace zk::gen
