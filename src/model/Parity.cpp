#include "model/Parity.h"

#include <bit>

namespace zk {

namespace {

// Per choice of counted features: the feature combinations whose counted
// bits add up to an odd number.
constexpr std::array<FeatureSet, ParityFeatureCount> OddUnder = [] {
    std::array<FeatureSet, ParityFeatureCount> odd{};
    for (unsigned counted = 0; counted < odd.size(); ++counted) {
        for (unsigned f = 0; f < ParityFeatureCount; ++f) {
            if (std::popcount(counted & f) % 2 == 1) {
                odd[counted] |= FeatureSet{1} << f;
            }
        }
    }
    return odd;
}();

bool OddSum(ParityFeatures counted, ParityFeatures features) {
    return std::popcount(static_cast<unsigned>(counted & features)) % 2 == 1;
}

Cell CellAt(int index) {
    return {index / Rows, index % Rows};
}

// The side of a cell facing the line from the near side, and from the far.
int NearFacing(const ParityLine& line) {
    return line.axis == LineAxis::BetweenColumns ? East : South;
}
int FarFacing(const ParityLine& line) {
    return line.axis == LineAxis::BetweenColumns ? West : North;
}

bool BesideLine(const ParityLine& line, Cell cell, bool near) {
    const int at = line.axis == LineAxis::BetweenColumns ? cell.column : cell.row;
    return at == (near ? line.index : line.index + 1);
}

ParityRule SideRule(int kind, const ParityLine& line, bool near) {
    ParityRule rule;
    rule.family = near ? RuleFamily::NearSide : RuleFamily::FarSide;
    rule.kind = kind;
    rule.line = line;
    const int facing = near ? NearFacing(line) : FarFacing(line);
    for (int i = 0; i < CellCount; ++i) {
        const Cell cell = CellAt(i);
        if (OnNearSide(line, cell) != near) {
            continue;
        }
        // Every end of the kind counts but the one crossing the line: an odd
        // count of ends, less one when the crossing end is of the kind.
        ParityFeatures f = ParityOdd;
        if (BesideLine(line, cell, near)) {
            f ^= ParityEnd(facing);
        }
        rule.counts[static_cast<std::size_t>(i)] = f;
    }
    return rule;
}

// The sum of the near-side rules of every line of an axis and of the far
// border, where nothing crosses: a cell lies on the near side of as many of
// them as there are lines from it to the far border, and beside exactly one.
ParityRule SumRule(int kind, LineAxis axis) {
    ParityRule rule;
    rule.family = axis == LineAxis::BetweenColumns ? RuleFamily::AllColumns : RuleFamily::AllRows;
    rule.kind = kind;
    for (int i = 0; i < CellCount; ++i) {
        const Cell cell = CellAt(i);
        const int at = axis == LineAxis::BetweenColumns ? cell.column : cell.row;
        const int last = axis == LineAxis::BetweenColumns ? Columns - 1 : Rows - 1;
        const bool oddTimes = (last - at + 1) % 2 == 1;
        const int facing = axis == LineAxis::BetweenColumns ? East : South;
        rule.counts[static_cast<std::size_t>(i)] =
            static_cast<ParityFeatures>((oddTimes ? ParityOdd : 0) | ParityEnd(facing));
    }
    return rule;
}

std::vector<ParityRule> MakeRules() {
    std::vector<ParityRule> rules;
    for (int kind = FirstKind; kind <= LastKind; ++kind) {
        for (const ParityLine& line : ParityLines()) {
            rules.push_back(SideRule(kind, line, true));
            rules.push_back(SideRule(kind, line, false));
        }
        rules.push_back(SumRule(kind, LineAxis::BetweenColumns));
        rules.push_back(SumRule(kind, LineAxis::BetweenRows));
    }
    return rules;
}

enum class ViewState { Known, OneLeft, Open, Broken };

struct View {
    ViewState state = ViewState::Open;
    int cell = -1;
    FeatureSet allowed = 0;
    bool odd = false; // the sum of the known bits, when Known
};

// The rule with `shift` added to what every open cell counts, and the
// pool's sum of the shift's features on the other side of the balance.
View Evaluate(const ParityRule& rule, const ParityCandidates& candidates,
              const std::optional<ParityPool>& pool, ParityFeatures shift) {
    View view;
    bool odd = pool && OddSum(shift, pool->featureSum);
    int undecided = 0;
    for (int i = 0; i < CellCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        ParityFeatures counted = rule.counts[index];
        if (pool && (pool->openCells >> i & 1U) != 0) {
            counted ^= shift;
        }
        const FeatureSet may = candidates[index];
        if (may == 0) {
            view.state = ViewState::Broken;
            return view;
        }
        const FeatureSet may1 = may & OddUnder[counted];
        const FeatureSet may0 = may & ~OddUnder[counted];
        if (may1 != 0 && may0 != 0) {
            ++undecided;
            view.cell = i;
        } else {
            odd ^= may1 != 0;
        }
    }
    if (undecided == 0) {
        view.state = odd ? ViewState::Broken : ViewState::Known;
    } else if (undecided == 1) {
        const auto index = static_cast<std::size_t>(view.cell);
        ParityFeatures counted = rule.counts[index];
        if (pool && (pool->openCells >> view.cell & 1U) != 0) {
            counted ^= shift;
        }
        // The last cell must make the sum even.
        view.allowed = candidates[index] & (odd ? OddUnder[counted] : ~OddUnder[counted]);
        view.state = ViewState::OneLeft;
    }
    return view;
}

} // namespace

ParityFeatures FeaturesOf(const Edges& edges, int kind) {
    ParityFeatures f = 0;
    for (int side = 0; side < 4; ++side) {
        if (edges[side] == kind) {
            f ^= static_cast<ParityFeatures>(ParityOdd | ParityEnd(side));
        }
    }
    return f;
}

std::array<ParityLine, ParityLineCount> ParityLines() {
    std::array<ParityLine, ParityLineCount> lines{};
    std::size_t n = 0;
    for (int c = 0; c < ColumnLineCount; ++c) {
        lines[n++] = {LineAxis::BetweenColumns, c};
    }
    for (int r = 0; r < RowLineCount; ++r) {
        lines[n++] = {LineAxis::BetweenRows, r};
    }
    return lines;
}

bool OnNearSide(const ParityLine& line, Cell cell) {
    return (line.axis == LineAxis::BetweenColumns ? cell.column : cell.row) <= line.index;
}

bool ParityBit(const ParityRule& rule, int cellIndex, ParityFeatures features) {
    return OddSum(rule.counts[static_cast<std::size_t>(cellIndex)], features);
}

const std::vector<ParityRule>& ParityRules() {
    static const std::vector<ParityRule> rules = MakeRules();
    return rules;
}

ParityVerdict CheckRule(const ParityRule& rule, const ParityCandidates& candidates,
                        const std::optional<ParityPool>& pool) {
    // The plain rule, and with a pool the rule shifted by what each open
    // cell counts: cells counting the same drop out and their sum comes
    // from the pool.
    std::array<ParityFeatures, ParityFeatureCount> shifts{};
    std::size_t shiftCount = 1;
    if (pool) {
        FeatureSet seen = 1;
        for (int i = 0; i < CellCount; ++i) {
            const ParityFeatures counted = rule.counts[static_cast<std::size_t>(i)];
            if ((pool->openCells >> i & 1U) != 0 && (seen >> counted & 1U) == 0) {
                seen |= FeatureSet{1} << counted;
                shifts[shiftCount++] = counted;
            }
        }
    }
    ParityVerdict verdict;
    bool known = false;
    for (std::size_t s = 0; s < shiftCount; ++s) {
        const View view = Evaluate(rule, candidates, pool, shifts[s]);
        if (view.state == ViewState::Broken) {
            verdict = {ParityVerdict::State::Broken, -1, 0};
            return verdict;
        }
        known = known || view.state == ViewState::Known;
        if (view.state == ViewState::OneLeft && verdict.state != ParityVerdict::State::Forced &&
            view.allowed != candidates[static_cast<std::size_t>(view.cell)]) {
            verdict = {ParityVerdict::State::Forced, view.cell, view.allowed};
        }
    }
    if (verdict.state != ParityVerdict::State::Forced) {
        verdict.state = known ? ParityVerdict::State::Holds : ParityVerdict::State::Open;
    }
    return verdict;
}

ParityFinding CheckAllRules(const std::array<ParityCandidates, 3>& candidates,
                            const std::array<std::optional<ParityPool>, 3>& pools) {
    ParityFinding forced;
    bool allHold = true;
    for (const ParityRule& rule : ParityRules()) {
        const auto k = static_cast<std::size_t>(rule.kind - FirstKind);
        const ParityVerdict v = CheckRule(rule, candidates[k], pools[k]);
        switch (v.state) {
        case ParityVerdict::State::Broken:
            return {v, &rule};
        case ParityVerdict::State::Forced:
            if (forced.rule == nullptr) {
                forced = {v, &rule};
            }
            allHold = false;
            break;
        case ParityVerdict::State::Open:
            allHold = false;
            break;
        case ParityVerdict::State::Holds:
            break;
        }
    }
    if (forced.rule != nullptr) {
        return forced;
    }
    ParityFinding none;
    none.verdict.state = allHold ? ParityVerdict::State::Holds : ParityVerdict::State::Open;
    return none;
}

std::array<ParityCandidates, 3> CandidatesOf(const LevelRecord& cells) {
    std::array<ParityCandidates, 3> out{};
    for (int kind = FirstKind; kind <= LastKind; ++kind) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out[static_cast<std::size_t>(kind - FirstKind)][i] =
                FeatureSetOf(FeaturesOf(cells[i], kind));
        }
    }
    return out;
}

} // namespace zk
