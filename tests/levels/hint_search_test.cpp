// The solver's answers on loop boards and within its budget, and the hint
// on boards whose nearest solution takes long to find: under the game's own
// limits it always answers on a solvable board, and it tells a proven
// unsolvable board from one it gave up on.
#include <gtest/gtest.h>

#include <atomic>

#include "Corpus.h"
#include "model/Nearest.h"
#include "model/Solver.h"

namespace {

using zk::Board;
using zk::HintVerdict;
using zk::Solvability;

// The level scrambled as the game does it, a held tile chosen.
Board InPlay(const zk::LevelRecord& level, std::uint64_t seed) {
    zk::RandomSource random(seed);
    Board board;
    board.Prepare(level, zk::ChallengeMode, random);
    return board;
}

bool Solves(Board board, const std::vector<zk::Cell>& clicks) {
    for (const zk::Cell& c : clicks) {
        if (!board.SwapWithHeld(c.column, c.row).moved) {
            return false;
        }
    }
    return board.IsSolved();
}

} // namespace

// A loop board with an odd count of straights along one direction is
// refuted before a single choice; solved loop boards are solved and those
// with two tiles changed are decided, all within a small budget.
TEST(SolverParity, DecidesLoopBoardsAtOnce) {
    int odd = 0;
    for (const auto& level : zk::levels::LoopBoards(61, 24)) {
        zk::SolverLimits limits;
        limits.nodeBudget = 20'000;
        limits.solutionCap = 1;
        const zk::SolverResult r = zk::SolveLevel(level.record, limits);
        ASSERT_NE(r.status, Solvability::Undecided) << level.kind;
        if (level.kind == "loop") {
            ASSERT_EQ(r.status, Solvability::Solvable);
            EXPECT_TRUE(zk::IsSolved(*r.solution) &&
                        zk::IsArrangementOf(*r.solution, level.record));
        } else if (level.kind == "loop odd") {
            ++odd;
            EXPECT_EQ(r.status, Solvability::Unsolvable);
            EXPECT_EQ(r.nodes, 0U) << "refuted before any choice";
        }
        // The hint says the same of a loop board that cannot close.
        if (r.status == Solvability::Unsolvable) {
            EXPECT_EQ(zk::FindHint(InPlay(level.record, 3)).verdict, HintVerdict::Unsolvable);
        }
    }
    EXPECT_GE(odd, 5);
}

// Both searches draw on one budget: a level left undecided has spent it
// exactly, never more, whether the second search ran or not.
TEST(SolverParity, BothSearchesTogetherKeepToTheNodeBudget) {
    int undecided = 0;
    for (const auto& level : zk::levels::FullBoards(63, 40)) {
        for (const bool sideBySide : {false, true}) {
            zk::SolverLimits limits;
            limits.nodeBudget = 6'000;
            limits.solutionCap = 1;
            limits.sideBySide = sideBySide;
            const zk::SolverResult r = zk::SolveLevel(level.record, limits);
            EXPECT_LE(r.nodes, limits.nodeBudget);
            if (r.status == Solvability::Undecided) {
                ++undecided;
                EXPECT_GE(r.nodes, limits.nodeBudget - 64);
            }
        }
    }
    EXPECT_GT(undecided, 0);
}

// Under the game's own limits the hint finds a way on every scrambled full
// board, falling back to the solver where the nearest solution is not found
// in time; a hint cancelled from outside gives up.
TEST(Hint, AnswersOnEverySolvableBoardUnderTheShippedLimits) {
    int fellBack = 0;
    int gaveUp = 0;
    for (const auto& level : zk::levels::FullBoards(64, 12)) {
        const Board board = InPlay(level.origin, 7);
        const zk::HintAnswer answer = zk::FindHint(board);
        ASSERT_EQ(answer.verdict, HintVerdict::Found);
        EXPECT_TRUE(Solves(board, answer.clicks));

        zk::HintLimits noNearest;
        noNearest.nearest.nodeBudget = 1;
        const zk::HintAnswer fallback = zk::FindHint(board, noNearest);
        if (!fallback.nearest) {
            ++fellBack;
            ASSERT_EQ(fallback.verdict, HintVerdict::Found);
            EXPECT_TRUE(Solves(board, fallback.clicks));
        }

        const std::atomic<bool> cancelled{true};
        zk::HintLimits cancel;
        cancel.cancel = &cancelled;
        const HintVerdict verdict = zk::FindHint(board, cancel).verdict;
        EXPECT_NE(verdict, HintVerdict::Unsolvable);
        gaveUp += verdict == HintVerdict::GaveUp;
    }
    EXPECT_GT(fellBack, 6);
    EXPECT_GT(gaveUp, 6);
}
