// The deducer: each rule on a small board that needs it, and its soundness
// against the solver on random levels.
#include <gtest/gtest.h>

#include <bit>

#include "Corpus.h"
#include "model/Deducer.h"
#include "model/DeducerCheck.h"
#include "model/DeducerRules.h"
#include "model/Solver.h"

namespace {

using zk::DeductionOutcome;
using zk::LevelRecord;
using zk::Rule;

struct Placed {
    int column, row, tile;
};

// A board of fixed blank stone with the given movable tiles, stored solved.
LevelRecord Board(std::initializer_list<Placed> tiles) {
    LevelRecord level;
    level.fill(91);
    for (const Placed& p : tiles) {
        level[static_cast<std::size_t>(zk::CellIndex(p.column, p.row))] =
            static_cast<zk::TileNumber>(p.tile);
    }
    return level;
}

zk::Deduction DeduceUpTo(const LevelRecord& level, Rule highest) {
    zk::DeduceOptions options;
    options.highest = highest;
    return zk::Deduce(level, options);
}

struct RuleCase {
    Rule rule;
    LevelRecord level;
};

// Boards found by search, each the smallest seen that the rule solves and
// the rules before it do not.
std::vector<RuleCase> RuleCases() {
    return {
        {Rule::Edge, Board({{0, 3, 41}, {1, 3, 62}, {0, 4, 19}, {1, 4, 22}})},
        {Rule::Single, Board({{1, 0, 59}, {2, 0, 24}, {2, 1, 18}, {3, 1, 61}})},
        {Rule::Neighbour,
         Board({{3, 2, 27}, {4, 2, 61}, {3, 3, 12}, {4, 3, 41}, {3, 4, 18}, {4, 4, 5}})},
        {Rule::Count,
         Board({{1, 1, 27}, {2, 1, 65}, {3, 1, 2}, {4, 1, 38}, {1, 2, 17}, {2, 2, 22}, {3, 2, 0}})},
        {Rule::Parity, Board({{7, 0, 39}, {8, 0, 6}, {8, 1, 1}, {8, 2, 40}, {8, 3, 0}})},
        {Rule::Pairs, Board({{2, 5, 62}, {3, 5, 39}, {4, 5, 61}, {2, 6, 40}, {3, 6, 0}})},
        {Rule::WhatIf,
         Board({{3, 0, 62}, {4, 0, 7}, {5, 0, 61}, {2, 1, 39}, {3, 1, 63}, {4, 1, 5}, {5, 1, 0}})},
    };
}

// Each rule fires on its board where no earlier rule shows anything more:
// the deducer without it stops exactly where the first step of the rule
// comes, and with it solves the board, the stored arrangement being the
// single solution.
TEST(Deducer, EachRuleSolvesABoardThatTheRulesBeforeItCannot) {
    for (const RuleCase& c : RuleCases()) {
        SCOPED_TRACE(std::string(zk::RuleName(c.rule)));
        ASSERT_TRUE(zk::IsSolved(c.level));
        const auto lower = DeduceUpTo(c.level, zk::RuleFromNumber(zk::RuleNumber(c.rule) - 1));
        EXPECT_EQ(lower.outcome, DeductionOutcome::Stuck);
        const auto with = DeduceUpTo(c.level, c.rule);
        ASSERT_EQ(with.outcome, DeductionOutcome::Solved);
        EXPECT_EQ(*with.solution, c.level);
        ASSERT_GT(with.steps.size(), lower.steps.size());
        for (std::size_t i = 0; i < lower.steps.size(); ++i) {
            EXPECT_EQ(with.steps[i].rule, lower.steps[i].rule) << "step " << i;
        }
        EXPECT_EQ(with.steps[lower.steps.size()].rule, c.rule);

        const zk::RuleRating rating = zk::RateDeduction(with);
        EXPECT_TRUE(rating.solved);
        EXPECT_EQ(rating.hardest, c.rule);
        EXPECT_EQ(rating.profile.size(), with.steps.size());
        EXPECT_EQ(rating.profile.find(static_cast<char>('0' + zk::RuleNumber(c.rule))),
                  lower.steps.size());

        // The whole ladder solves it too, by the same rules (the harder
        // rules are never reached).
        EXPECT_EQ(zk::RateByRules(c.level).profile, rating.profile);
    }
}

// The hint's reason does not depend on where the tiles lie: a shuffled
// board gets the reasons of the stored one, and each names the tile the
// solution has there.
TEST(Deducer, ExplainsEveryCellOfASolvedBoardWhereverItsTilesLie) {
    const RuleCase c = RuleCases()[5];
    const LevelRecord shuffled = zk::levels::Shuffled(c.level, 5);
    ASSERT_NE(shuffled, c.level);
    const zk::Deduction d = zk::Deduce(shuffled);
    int pairs = 0;
    for (int column = 0; column < zk::Columns; ++column) {
        for (int row = 0; row < zk::Rows; ++row) {
            const auto i = static_cast<std::size_t>(zk::CellIndex(column, row));
            const auto reason = zk::ExplainCell(d, {column, row});
            ASSERT_EQ(reason.has_value(), zk::IsMovable(c.level[i]));
            if (!reason) {
                continue;
            }
            EXPECT_EQ(reason->edges, zk::TileEdges(c.level[i]));
            EXPECT_LE(reason->rule, reason->hardest);
            EXPECT_EQ(zk::ExplainCell(c.level, {column, row})->rule, reason->rule);
            pairs += reason->hardest == Rule::Pairs ? 1 : 0;
        }
    }
    EXPECT_GE(pairs, 1);
    EXPECT_FALSE(zk::ExplainCell(d, {-1, 0}));
    EXPECT_FALSE(zk::ExplainCell(d, {zk::Columns, 0}));
}

// Soundness on random levels: the rules never rule out the arrangement a
// level was made from, what the deducer solves the solver finds unique, and
// an unsolvable level is never called solved. The rules applied all at once
// (as inside "what if") keep the solution too.
TEST(Deducer, NeverRulesOutASolutionOfRandomLevels) {
    // A few "what if" steps a level keep the test quick.
    zk::DeduceOptions options;
    options.whatIfLimit = 4;
    const auto partial = zk::levels::PartialLevels(24024, 120);
    int solved = 0;
    for (std::size_t n = 0; n < partial.size(); ++n) {
        const auto& level = partial[n];
        SCOPED_TRACE("partial level " + std::to_string(n));
        const zk::Deduction d = zk::Deduce(level.record, options);
        ASSERT_NE(d.outcome, DeductionOutcome::Contradiction);
        for (std::size_t i = 0; i < level.record.size(); ++i) {
            if (d.decidedAt[i] != -1) {
                ASSERT_EQ(d.decidedEdges[i], zk::TileEdges(level.origin[i])) << "cell " << i;
            }
        }
        if (d.outcome == DeductionOutcome::Solved) {
            ++solved;
            EXPECT_TRUE(zk::IsSolved(*d.solution));
            EXPECT_TRUE(zk::IsArrangementOf(*d.solution, level.record));
            zk::SolverLimits limits;
            limits.solutionCap = 2;
            const auto r = zk::SolveLevel(level.record, limits);
            EXPECT_TRUE(r.countComplete && r.solutions == 1);
        }
        namespace dd = zk::deduce;
        const dd::Puzzle p = dd::BuildPuzzle(level.record);
        dd::State s = dd::StartState(p);
        dd::Findings scratch;
        ASSERT_TRUE(dd::Settle(p, s, Rule::Pairs, scratch));
        for (int x = 0; x < p.cellCount; ++x) {
            const auto b = static_cast<std::size_t>(p.boardIndex[static_cast<std::size_t>(x)]);
            const zk::Edges want = zk::TileEdges(level.origin[b]);
            bool kept = false;
            for (dd::ClassMask m = s.domain[static_cast<std::size_t>(x)]; m != 0; m &= m - 1) {
                kept = kept || p.classEdges[static_cast<std::size_t>(std::countr_zero(m))] == want;
            }
            EXPECT_TRUE(kept) << "cell " << b;
        }
    }
    EXPECT_GE(solved, 30);

    // Levels with one tile changed: what the rules refute the solver finds
    // unsolvable, and the check names a reason for it.
    const auto changed = zk::levels::ChangedLevels(24025, 100, partial);
    int refuted = 0;
    for (const auto& level : changed) {
        const zk::Deduction d = zk::Deduce(level.record, options);
        const auto solver = zk::SolveLevel(level.record).status;
        if (d.outcome == DeductionOutcome::Solved) {
            EXPECT_EQ(solver, zk::Solvability::Solvable);
        }
        if (d.outcome == DeductionOutcome::Contradiction) {
            ++refuted;
            EXPECT_EQ(solver, zk::Solvability::Unsolvable);
            EXPECT_TRUE(zk::FindFlaw(level.record, options.whatIfLimit));
        }
        const zk::LevelCheck check = zk::CheckLevel(level.record, {}, options.whatIfLimit);
        if (check.status != zk::Solvability::Undecided) {
            EXPECT_EQ(check.status, solver);
        }
    }
    EXPECT_GE(refuted, 30);
}

// The editor's reasons, from the plainest: a fixed tile's end off the board
// or against a fixed tile, ends of a kind that cannot pair, a fixed tile's
// end no movable tile answers, a cell no tile fits, a tile no cell takes.
TEST(Deducer, NamesTheFirstReasonADesignerCanActOn) {
    using zk::FlawKind;
    struct FlawCase {
        LevelRecord level;
        FlawKind kind;
        std::optional<zk::Cell> cell;
        zk::Side side;
        int code;
    };
    const std::vector<FlawCase> cases = {
        {Board({{2, 3, 59}, {3, 3, 61}, {8, 3, 94}}), FlawKind::EndOffBoard, zk::Cell{8, 3},
         zk::East, 1},
        {Board({{2, 3, 59}, {3, 3, 61}, {5, 3, 94}}), FlawKind::EndIntoFixed, zk::Cell{5, 3},
         zk::East, 1},
        {Board({{2, 3, 39}, {3, 3, 39}, {4, 3, 2}}), FlawKind::EndsUnpaired, std::nullopt, zk::East,
         1},
        {Board({{2, 2, 59}, {3, 2, 61}, {3, 3, 0}, {3, 4, 103}, {5, 2, 0}, {5, 1, 142}}),
         FlawKind::EndUnanswered, zk::Cell{3, 4}, zk::North, 3},
        {Board({{0, 0, 2}, {0, 1, 1}}), FlawKind::CellFitsNoTile, zk::Cell{0, 0}, zk::East, 0},
        {Board({{2, 3, 59}, {3, 3, 2}, {4, 3, 1}, {5, 3, 61}}), FlawKind::TileFitsNoCell,
         zk::Cell{4, 3}, zk::East, 0},
    };
    for (const FlawCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const auto flaw = zk::FindFlaw(c.level);
        ASSERT_TRUE(flaw);
        EXPECT_EQ(flaw->kind, c.kind);
        EXPECT_EQ(flaw->cell, c.cell);
        if (c.code != 0) {
            EXPECT_EQ(flaw->side, c.side);
            EXPECT_EQ(flaw->code, c.code);
        }
        EXPECT_NE(zk::Deduce(c.level).outcome, DeductionOutcome::Solved);
        const zk::LevelCheck check = zk::CheckLevel(c.level);
        EXPECT_EQ(check.status, zk::Solvability::Unsolvable);
        EXPECT_EQ(check.flaw->kind, c.kind);
    }
    // A level the rules solve needs no search and has no flaw.
    const zk::LevelCheck fine = zk::CheckLevel(RuleCases()[3].level);
    EXPECT_EQ(fine.status, zk::Solvability::Solvable);
    EXPECT_EQ(fine.solutions, 1);
    EXPECT_EQ(fine.rating.hardest, Rule::Count);
    EXPECT_FALSE(fine.flaw);
}

} // namespace
