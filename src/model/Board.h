// The 9 x 7 play field, the held cell, and the rules of play: preparing a
// level, the move, and the solution check.
#pragma once

#include <array>
#include <cstdint>

#include "model/Catalogue.h"
#include "model/Random.h"

namespace zk {

inline constexpr int Columns = 9;
inline constexpr int Rows = 7;
inline constexpr int CellCount = Columns * Rows;

// One level: a TileNumber per cell, column by column (byte c x 7 + r).
using LevelRecord = std::array<TileNumber, CellCount>;

constexpr int CellIndex(int column, int row) {
    return column * Rows + row;
}
constexpr bool IsOnBoard(int column, int row) {
    return column >= 0 && column < Columns && row >= 0 && row < Rows;
}

// The game modes; the settings file keeps them as 0, 1 and 2.
enum class GameMode : int { Practice = 0, Challenge = 1, Editor = 2 };

inline constexpr GameMode PracticeMode = GameMode::Practice;
inline constexpr GameMode ChallengeMode = GameMode::Challenge;
inline constexpr GameMode EditorMode = GameMode::Editor;

// A stored mode outside 0..2 becomes challenge mode.
constexpr GameMode GameModeFromInt(int value) {
    return value >= 0 && value <= 2 ? static_cast<GameMode>(value) : ChallengeMode;
}
constexpr int ToInt(GameMode mode) {
    return static_cast<int>(mode);
}

struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell&) const = default;
};

struct MoveResult {
    bool moved = false;
    Cell previousHeld; // where the held tile came from, valid when moved
};

class Board {
public:
    LevelRecord cells{};
    Cell held;
    // False when the level offers no tile 1..89 to hold: then nothing can be
    // moved and no marker is drawn.
    bool hasHeld = false;

    TileNumber At(int column, int row) const { return cells[Index(column, row)]; }
    void Set(int column, int row, TileNumber t) { cells[Index(column, row)] = t; }
    TileNumber HeldTile() const { return At(held.column, held.row); }
    void Clear() { cells.fill(EmptyTile); }

    // Copies the level in; outside the editor scrambles it and chooses the
    // held cell. In the editor the held cell keeps its value.
    void Prepare(const LevelRecord& record, GameMode gameMode, RandomSource& random);

    // The player's move: the clicked movable tile and the held tile change
    // places. No move on the held cell itself, on a fixed tile, or when the
    // level has no held tile.
    MoveResult SwapWithHeld(int column, int row);

    // Every pair of facing edges is equal and every edge along the border is 0.
    bool IsSolved() const;

    // The scramble alone: 2000 exchanges of two randomly drawn movable cells.
    // A level without a movable tile is left as it is.
    void Scramble(RandomSource& random);

    // Draws cells until one holds a tile 1..89; hasHeld is false when the
    // Board holds no such tile.
    void ChooseHeldCell(RandomSource& random);

private:
    static std::size_t Index(int column, int row) {
        return static_cast<std::size_t>(CellIndex(column, row));
    }
};

inline constexpr int ScrambleExchanges = 2000;

// The solution check on a bare record, as the level tools need it.
bool IsSolved(const LevelRecord& record);

// Whether a record is the level with its movable tiles rearranged: every
// fixed tile where the level has it, and the same tiles in all.
bool IsArrangementOf(const LevelRecord& arrangement, const LevelRecord& level);

} // namespace zk
