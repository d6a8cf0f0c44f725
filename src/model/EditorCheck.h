// What the editor tells a level designer about the board being drawn: whether
// some arrangement of its movable tiles solves it, whether that solution is
// the only one, the hardest of the deducer's rules it needs, and for a level
// that cannot be solved the first reason found that the designer can act on.
// Reasons are data (a kind, a cell, a side, a code); the window puts them
// into words.
#pragma once

#include <atomic>
#include <optional>

#include "model/Board.h"
#include "model/DeducerCheck.h"
#include "model/Solver.h"

namespace zk {

struct EditorVerdict {
    Solvability status = Solvability::Undecided;
    // 1 when the solution is single, 2 for two or more; 0 without one, or
    // when the search could not tell whether there is a second.
    int solutions = 0;
    // The hardest rule the deducer needs to solve the level; None when its
    // rules alone do not solve it.
    Rule hardest = Rule::None;
    std::optional<LevelFlaw> reason;
    bool operator==(const EditorVerdict&) const = default;
};

// The first reason found that the level cannot be played, from the plainest:
// a fixed tile's end, the ends of a kind, a cell or tile that fits nowhere,
// the deducer's rules, then a board without a tile to hold. None for a level
// none of these rule out.
std::optional<LevelFlaw> FindEditorReason(const LevelRecord& level);

// The flaw of a board without a tile to hold, which cannot be played
// whatever else holds; none when it has one.
std::optional<LevelFlaw> NothingToHold(const LevelRecord& level);

// The whole check: the deducer, the solver (counting to two) where the rules
// leave the question open; the rules' "what if" steps only where the solver
// has not found two solutions. The verdict is the one of running every rule
// first. cancel, when set from another thread, ends the
// search within about a millisecond with an undecided verdict.
EditorVerdict CheckForEditor(const LevelRecord& level, const std::atomic<bool>* cancel = nullptr);

} // namespace zk
