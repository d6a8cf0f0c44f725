#include "model/EditorCheck.h"

#include <algorithm>

namespace zk {

std::optional<LevelFlaw> NothingToHold(const LevelRecord& level) {
    if (std::none_of(level.begin(), level.end(), IsHoldable)) {
        return LevelFlaw{FlawKind::NothingToHold, std::nullopt, East, 0};
    }
    return std::nullopt;
}

std::optional<LevelFlaw> FindEditorReason(const LevelRecord& level) {
    if (auto flaw = FindFlaw(level)) {
        return flaw;
    }
    return NothingToHold(level);
}

EditorVerdict CheckForEditor(const LevelRecord& level, const std::atomic<bool>* cancel) {
    SolverLimits limits;
    limits.solutionCap = 2;
    limits.cancel = cancel;
    // The rules up to their first "what if" step are the start of the run
    // with them, so what they solve or refute stands. A level the solver then
    // finds two solutions of is settled as well: no rule solves or refutes
    // it. Only the rest pays for the "what if" steps, a fifth of a second of
    // processor time on a board of movable tiles that the rules leave open.
    LevelCheck check = CheckLevel(level, limits, 0);
    const bool settled = check.flaw || check.rating.solved ||
                         (check.status == Solvability::Solvable && check.solutions >= 2);
    if (!settled && !(cancel && cancel->load())) {
        DeduceOptions options;
        options.whatIfLimit = CheckWhatIfLimit;
        const Deduction d = Deduce(level, options);
        if (d.outcome == DeductionOutcome::Solved) {
            check.status = Solvability::Solvable;
            check.solutions = 1;
            check.rating = RateDeduction(d);
        } else if (d.outcome == DeductionOutcome::Contradiction) {
            check.flaw = LevelFlaw{
                FlawKind::RulesContradict,
                d.contradictionCell >= 0
                    ? std::optional(Cell{d.contradictionCell / Rows, d.contradictionCell % Rows})
                    : std::nullopt,
                East, 0};
        }
    }
    EditorVerdict verdict;
    verdict.status = check.status;
    verdict.reason = check.flaw ? check.flaw : NothingToHold(level);
    if (verdict.reason) {
        verdict.status = Solvability::Unsolvable;
        return verdict;
    }
    if (check.status != Solvability::Solvable) {
        return verdict;
    }
    verdict.solutions = check.solutions;
    if (check.rating.solved) {
        verdict.hardest = check.rating.hardest;
    }
    return verdict;
}

} // namespace zk
