// The state of the rules: the level set, the Board with its held cell, the
// mode, the board state, the language and the flags of a run. The model and
// the file operations change it; the view only reads it. What only the
// window needs (the animation frame, the palette selection, the program
// directory) is kept by the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Board.h"
#include "model/Deducer.h"
#include "model/Hint.h"
#include "model/History.h"
#include "model/Language.h"
#include "model/LevelSet.h"

namespace zk {

enum class BoardState : std::uint8_t { Play = 0, Solved = 1, Editing = 3 };

inline constexpr BoardState PlayState = BoardState::Play;
inline constexpr BoardState SolvedState = BoardState::Solved;
inline constexpr BoardState EditingState = BoardState::Editing;

struct GameState {
    LevelSet levels;
    Board board;
    GameMode gameMode = PracticeMode;
    BoardState boardState = PlayState;
    Language language = English;
    bool moved = false;         // a move was made since the level started
    bool edited = false;        // the editor changed the Board since it was loaded
    bool levelsChanged = false; // the level set is offered for writing at close
    std::string savedGamePath;

    // The level on the Board, from its start: the moves for undo, redo and
    // the move count, the editor's clicks, the hints asked for, and once it
    // is solved, in how many moves and in how few it could have been.
    MoveHistory history;
    EditHistory edits;
    int hintsUsed = 0;
    std::optional<int> solvedInMoves;
    std::optional<int> fewestMoves;
    // What the last hint found when it found no way: the Board has no
    // solution, or the search gave up. Kept until the Board changes.
    std::optional<HintVerdict> hintVerdict;
    // The rule by which the level's tiles decide the tile the hint's click
    // settles, when they do. Kept until the Board changes.
    std::optional<Rule> hintReason;

    // A level played outside the set, made from a level code: its code; empty
    // for a level of the set. The set, its progress and its level number stay
    // as they were while it is played.
    std::string levelCode;
    // The fewest moves of the player's solves of the level in play, from the
    // records; none before the first solve.
    std::optional<int> bestMoves;
};

} // namespace zk
