// The editor's check runs the rules' "what if" steps only where its answer
// still needs them; its verdicts must be those of the whole check that runs
// them first.
#include <gtest/gtest.h>

#include <algorithm>

#include "Corpus.h"
#include "model/EditorCheck.h"

using namespace zk;

namespace {

// The verdict as the whole check gives it: every rule first, the solver
// after.
EditorVerdict WholeCheckVerdict(const LevelRecord& level) {
    SolverLimits limits;
    limits.solutionCap = 2;
    const LevelCheck check = CheckLevel(level, limits);
    EditorVerdict verdict;
    verdict.status = check.status;
    if (check.flaw) {
        verdict.status = Solvability::Unsolvable;
        verdict.reason = FindEditorReason(level);
    } else if (const auto nothing = NothingToHold(level)) {
        verdict.status = Solvability::Unsolvable;
        verdict.reason = nothing;
    } else if (check.status == Solvability::Solvable) {
        verdict.solutions = check.solutions;
        verdict.hardest = check.rating.solved ? check.rating.hardest : Rule::None;
    }
    return verdict;
}

} // namespace

// Levels the rules solve with and without "what if" steps, refute, or leave
// to the solver with one, two or no solutions: the same verdict every time.
TEST(LiveCheck, VerdictsAreTheWholeChecks) {
    std::vector<levels::CorpusLevel> corpus = levels::PartialLevels(60611, 60);
    const auto full = levels::FullBoards(60612, 3);
    corpus.insert(corpus.end(), full.begin(), full.end());
    const auto changed = levels::ChangedLevels(60613, 40, corpus, true);
    corpus.insert(corpus.end(), changed.begin(), changed.end());
    const auto loops = levels::LoopBoards(60614, 12);
    corpus.insert(corpus.end(), loops.begin(), loops.end());
    int whatIf = 0, refuted = 0, several = 0, searched = 0;
    for (const auto& level : corpus) {
        const EditorVerdict verdict = CheckForEditor(level.record);
        ASSERT_EQ(verdict, WholeCheckVerdict(level.record)) << level.kind;
        whatIf += verdict.hardest == Rule::WhatIf;
        refuted += verdict.reason && verdict.reason->kind == FlawKind::RulesContradict;
        several += verdict.solutions == 2;
        searched += verdict.status == Solvability::Unsolvable && !verdict.reason;
    }
    // Every way through the check was taken.
    EXPECT_GT(whatIf, 0);
    EXPECT_GT(refuted, 0);
    EXPECT_GT(several, 0);
    EXPECT_GT(searched, 0);
}
