#include "model/Deducer.h"

#include <algorithm>
#include <bit>

#include "model/DeducerRules.h"

namespace zk {

using namespace deduce;

namespace {

// Cells whose tile was certain before the first step: every movable tile of
// the level has the same edges.
constexpr std::int16_t DecidedFromStart = -2;
constexpr std::int16_t NeverDecided = -1;

// What a step of each rule costs a player, in effort: an end against the
// border is seen at a glance and costs nothing, the hard rules take thought.
constexpr std::array<int, RuleCount + 1> RuleCost = {0, 0, 1, 1, 4, 6, 8, 25};

// Every undecided cell, every tile it may take: put the tile there, apply
// the rules below "what if", and rule the tile out on a contradiction. The
// search stops at the second such tile: a step of this rule is narrow or
// not, and trying every tile would cost the most of all rules.
void FindWhatIf(const Puzzle& p, const State& s, Findings& f, Findings& scratch) {
    for (int x = 0; x < p.cellCount && f.entries.size() < 2; ++x) {
        const ClassMask d = s.domain[U(x)];
        if (IsDecided(d)) {
            continue;
        }
        for (ClassMask m = d; m != 0 && f.entries.size() < 2; m &= m - 1) {
            State branch = s;
            branch.domain[U(x)] = m & ~(m - 1);
            if (!Settle(p, branch, Rule::Pairs, scratch, CellMask{1} << x)) {
                f.Open(Rule::WhatIf, x);
                f.Remove(s, x, m & ~(m - 1));
                f.Close();
            }
        }
    }
}

// The level's own tiles on the decided classes: a cell whose stored tile
// has its class keeps it, the others take the remaining tiles of their class
// in board order.
LevelRecord TilesFor(const LevelRecord& level, const Puzzle& p, const State& s) {
    LevelRecord out = level;
    std::vector<std::vector<TileNumber>> pool(U(p.classCount));
    std::vector<int> cls(U(p.cellCount));
    for (int x = 0; x < p.cellCount; ++x) {
        cls[U(x)] = std::countr_zero(s.domain[U(x)]);
        if (cls[U(x)] != p.storedClass[U(x)]) {
            pool[U(p.storedClass[U(x)])].push_back(level[U(p.boardIndex[U(x)])]);
        }
    }
    std::vector<std::size_t> next(U(p.classCount), 0);
    for (int x = 0; x < p.cellCount; ++x) {
        if (cls[U(x)] != p.storedClass[U(x)]) {
            const auto k = U(cls[U(x)]);
            out[U(p.boardIndex[U(x)])] = pool[k][next[k]++];
        }
    }
    return out;
}

} // namespace

namespace deduce {

RunOutcome Run(const Puzzle& p, State& s, Rule highest, int whatIfLimit, CellMask changed) {
    RunOutcome out;
    if (!p.fixedPartFits) {
        out.outcome = DeductionOutcome::Contradiction;
        return out;
    }
    Findings f;
    Findings scratch;
    const Rule settled = std::min(highest, Rule::Pairs);
    while (true) {
        if (!Settle(p, s, settled, scratch, changed)) {
            out.outcome = DeductionOutcome::Contradiction;
            return out;
        }
        if (std::all_of(s.domain.begin(), s.domain.begin() + p.cellCount,
                        [](ClassMask d) { return IsDecided(d); })) {
            out.outcome = DeductionOutcome::Solved;
            return out;
        }
        if (highest < Rule::WhatIf || (whatIfLimit >= 0 && out.whatIfs >= whatIfLimit)) {
            return out;
        }
        f.Clear();
        FindWhatIf(p, s, f, scratch);
        if (f.entries.empty()) {
            return out;
        }
        ++out.whatIfs;
        const Removal& r = f.removals[f.entries.front().first];
        s.domain[U(r.cell)] &= ~r.classes;
        changed = CellMask{1} << r.cell;
    }
}

} // namespace deduce

std::string_view RuleName(Rule rule) {
    switch (rule) {
    case Rule::Edge:
        return "edge";
    case Rule::Single:
        return "single";
    case Rule::Neighbour:
        return "neighbour";
    case Rule::Count:
        return "count";
    case Rule::Parity:
        return "parity";
    case Rule::Pairs:
        return "pairs";
    case Rule::WhatIf:
        return "what if";
    case Rule::None:
        break;
    }
    return "-";
}

std::string_view RuleSummary(Rule rule) {
    switch (rule) {
    case Rule::Edge:
        return "an end may not lead off the board or into a tile without its twin";
    case Rule::Single:
        return "a cell only one tile fits; a tile that fits only one cell";
    case Rule::Neighbour:
        return "a tile is out where the next cell can take no twin for its end";
    case Rule::Count:
        return "k cells need an end and exactly k tiles have it";
    case Rule::Parity:
        return "the ends of a kind crossing a line have the parity of one side's";
    case Rule::Pairs:
        return "two cells that take only the same two tiles; two-way chains";
    case Rule::WhatIf:
        return "place a tile, apply the rules above, rule it out on a contradiction";
    case Rule::None:
        break;
    }
    return "";
}

Deduction Deduce(const LevelRecord& level, const DeduceOptions& options) {
    Deduction out;
    out.decidedAt.fill(NeverDecided);
    const Puzzle p = BuildPuzzle(level);
    State s = StartState(p);
    Findings f;
    Findings scratch;
    const auto markDecided = [&](std::int16_t step) {
        for (int x = 0; x < p.cellCount; ++x) {
            const auto b = U(p.boardIndex[U(x)]);
            if (out.decidedAt[b] == NeverDecided && IsDecided(s.domain[U(x)])) {
                out.decidedAt[b] = step;
                out.decidedEdges[b] = p.classEdges[U(std::countr_zero(s.domain[U(x)]))];
            }
        }
    };
    const auto contradiction = [&](int cell) {
        out.outcome = DeductionOutcome::Contradiction;
        out.contradictionCell = cell == NoCell ? -1 : p.boardIndex[U(cell)];
        return out;
    };
    if (!p.fixedPartFits) {
        return contradiction(NoCell);
    }
    markDecided(DecidedFromStart);
    int whatIfs = 0;
    while (true) {
        const bool allDecided = std::all_of(s.domain.begin(), s.domain.begin() + p.cellCount,
                                            [](ClassMask d) { return IsDecided(d); });
        if (allDecided) {
            // The last placings must still agree with each other and with
            // the tile counts.
            f.Clear();
            FindEdge(p, s, f);
            FindSingle(p, s, f);
            if (f.contradiction || !f.entries.empty()) {
                return contradiction(f.contradiction ? f.contradictionCell
                                                     : f.removals[f.entries[0].first].cell);
            }
            out.outcome = DeductionOutcome::Solved;
            out.solution = TilesFor(level, p, s);
            return out;
        }
        bool stepped = false;
        for (int r = 1; r <= RuleNumber(options.highest) && !stepped; ++r) {
            const Rule rule = RuleFromNumber(r);
            f.Clear();
            if (rule == Rule::WhatIf) {
                if (options.whatIfLimit >= 0 && whatIfs >= options.whatIfLimit) {
                    break;
                }
                FindWhatIf(p, s, f, scratch);
                whatIfs += f.entries.empty() ? 0 : 1;
            } else {
                Find(rule, p, s, f);
            }
            if (f.contradiction) {
                return contradiction(f.contradictionCell);
            }
            if (f.entries.empty()) {
                continue;
            }
            const Findings::Entry& e = f.entries.front();
            out.steps.push_back({rule, static_cast<int>(f.entries.size()),
                                 e.anchor == NoCell ? -1 : p.boardIndex[U(e.anchor)]});
            int cell = NoCell;
            if (!Apply(p, s, f, 0, cell)) {
                return contradiction(cell);
            }
            markDecided(static_cast<std::int16_t>(out.steps.size() - 1));
            stepped = true;
        }
        if (!stepped) {
            out.outcome = DeductionOutcome::Stuck;
            return out;
        }
    }
}

RuleRating RateDeduction(const Deduction& d) {
    RuleRating r;
    r.solved = d.outcome == DeductionOutcome::Solved;
    r.steps = static_cast<int>(d.steps.size());
    r.profile.reserve(d.steps.size());
    for (const DeductionStep& step : d.steps) {
        const int n = RuleNumber(step.rule);
        ++r.uses[U(n)];
        r.profile.push_back(static_cast<char>('0' + n));
        const bool narrow = step.width == 1;
        r.narrowSteps += narrow ? 1 : 0;
        r.effort += RuleCost[U(n)] * (narrow ? 2 : 1);
        r.hardest = std::max(r.hardest, step.rule);
    }
    r.hardestUses = r.uses[U(RuleNumber(r.hardest))];
    return r;
}

RuleRating RateByRules(const LevelRecord& level) {
    return RateDeduction(Deduce(level));
}

bool HarderThan(const RuleRating& a, const RuleRating& b) {
    if (a.solved != b.solved) {
        return !a.solved;
    }
    if (a.hardest != b.hardest) {
        return a.hardest > b.hardest;
    }
    if (a.hardestUses != b.hardestUses) {
        return a.hardestUses > b.hardestUses;
    }
    return a.effort > b.effort;
}

std::optional<CellReason> ExplainCell(const Deduction& d, Cell cell) {
    if (!IsOnBoard(cell.column, cell.row)) {
        return std::nullopt;
    }
    const auto b = U(CellIndex(cell.column, cell.row));
    const std::int16_t at = d.decidedAt[b];
    if (at == NeverDecided) {
        return std::nullopt;
    }
    CellReason reason;
    reason.edges = d.decidedEdges[b];
    if (at == DecidedFromStart) {
        reason.rule = reason.hardest = Rule::Single;
        return reason;
    }
    reason.step = at;
    reason.rule = d.steps[U(at)].rule;
    for (int i = 0; i <= at; ++i) {
        reason.hardest = std::max(reason.hardest, d.steps[U(i)].rule);
    }
    return reason;
}

std::optional<CellReason> ExplainCell(const LevelRecord& boardInPlay, Cell cell) {
    return ExplainCell(Deduce(boardInPlay), cell);
}

} // namespace zk
