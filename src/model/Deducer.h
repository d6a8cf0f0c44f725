// The deducer: solves a level the way a player reasons, with named rules a
// player can see on the board, never by trying arrangements. It keeps, for
// every movable cell, the tiles (edge classes: tiles with identical edges
// count as one) that may still go there, and at every step applies the
// easiest rule that shows something new. Each step records its rule and its
// width: how many deductions of that rule were open at that moment. A level
// the deducer solves has exactly one solution, since every rule only rules
// out what no solution can have.
//
// The rules, easiest first:
//   1 edge       an end may not lead off the board, nor into a fixed or a
//                placed tile that has no twin for it
//   2 single     a tile whose copies are all placed fits nowhere else; the
//                tiles of a kind that fit only as many cells as there are
//                tiles go there
//   3 neighbour  a tile is ruled out where the cell next door can take no
//                tile with the twin of its end
//   4 count      k cells need an end of a kind on a side and exactly k tiles
//                have it: those tiles go nowhere else (and k tiles that only
//                k cells can take fill them)
//   5 parity     the ends of a kind crossing a line between two columns or
//                rows have the parity of that kind's ends on one side
//   6 pairs      two cells that can take only the same two tiles keep them;
//                a cell with two choices, followed along the cells each one
//                forces, rules out what both forbid
//   7 what if    put a tile in a cell, apply the rules above, and rule it
//                out when that leads to a contradiction
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Board.h"

namespace zk {

enum class Rule : std::uint8_t {
    None = 0,
    Edge = 1,
    Single = 2,
    Neighbour = 3,
    Count = 4,
    Parity = 5,
    Pairs = 6,
    WhatIf = 7,
};

inline constexpr int RuleCount = 7;

constexpr int RuleNumber(Rule rule) {
    return static_cast<int>(rule);
}
constexpr Rule RuleFromNumber(int number) {
    return number >= 1 && number <= RuleCount ? static_cast<Rule>(number) : Rule::None;
}

// A short name ("edge", "what if") and one short line that says what the
// rule sees, in English, for the level tool.
std::string_view RuleName(Rule rule);
std::string_view RuleSummary(Rule rule);

struct DeductionStep {
    Rule rule = Rule::None;
    int width = 0; // deductions of this rule open when the step was made
    int cell = -1; // the board byte the step is about, -1 for a group of tiles
};

enum class DeductionOutcome {
    Solved,        // every movable cell has its tile: the single solution
    Stuck,         // no rule shows anything more, cells are still open
    Contradiction, // the rules show that no arrangement solves the level
};

struct Deduction {
    DeductionOutcome outcome = DeductionOutcome::Stuck;
    std::vector<DeductionStep> steps;
    // Per board byte: the step after which the cell's tile was certain, -1
    // where it never was (or the cell is fixed).
    std::array<std::int16_t, CellCount> decidedAt{};
    // Per board byte: the edges that belong there where decidedAt >= 0.
    std::array<Edges, CellCount> decidedEdges{};
    // When solved: the level's own tiles in their places (a cell whose
    // stored tile fits keeps it, so a level stored solved comes back as it
    // is).
    std::optional<LevelRecord> solution;
    // On a contradiction: the board byte of a movable cell that nothing fits
    // any more, -1 when the rules ran out of tiles or of ends instead.
    int contradictionCell = -1;
};

struct DeduceOptions {
    // The hardest rule the deducer may use.
    Rule highest = Rule::WhatIf;
    // At most this many "what if" steps, then the deducer stops (stuck);
    // negative for no limit.
    int whatIfLimit = -1;
};

Deduction Deduce(const LevelRecord& level, const DeduceOptions& options = {});

// How hard a level is for a person: the hardest rule it needs and how often,
// the steps where only one deduction was open (narrow), and the shape of the
// whole solve as one character per step (the rule's number).
struct RuleRating {
    bool solved = false; // the deducer alone solves the level
    Rule hardest = Rule::None;
    int hardestUses = 0;
    int narrowSteps = 0;
    int steps = 0;
    std::array<int, RuleCount + 1> uses{}; // per rule number
    std::string profile;                   // "1112131...", one digit a step
    // One number that orders levels of the same hardest rule: every step
    // costs by its rule, a narrow step twice.
    int effort = 0;
};

RuleRating RateDeduction(const Deduction& deduction);
RuleRating RateByRules(const LevelRecord& level);

// Whether a is harder than b: a harder hardest rule, or the same rule
// needed more often, or as often and more effort. Unsolved levels rank
// above every solved one.
bool HarderThan(const RuleRating& a, const RuleRating& b);

// The hint's reason: the rule by which the deducer decides which tile
// belongs in a cell. The deduction depends only on the level's tiles, not
// on where they lie on the Board in play, so any arrangement may be asked.
struct CellReason {
    Rule rule = Rule::None;    // the rule of the step that decided the cell
    Rule hardest = Rule::None; // the hardest rule needed up to that step
    Edges edges;               // the edges of the tile that belongs there
    int step = 0;              // that step's number, from 0
};

// None for a fixed cell, a cell off the board, or a cell the rules do not
// decide (a level with several solutions leaves some open).
std::optional<CellReason> ExplainCell(const Deduction& deduction, Cell cell);
std::optional<CellReason> ExplainCell(const LevelRecord& boardInPlay, Cell cell);

} // namespace zk
