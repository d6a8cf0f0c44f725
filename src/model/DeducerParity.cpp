// The deducer's parity rule: the crossing parity of every kind over every
// line between two columns or rows, as the shared parity rules state it,
// checked over what each cell may still show.
#include <bit>

#include "model/DeducerRules.h"

namespace zk::deduce {

namespace {

// The feature sets that add an odd bit to a rule counting these features.
constexpr std::array<FeatureSet, ParityFeatureCount> OddUnder = [] {
    std::array<FeatureSet, ParityFeatureCount> odd{};
    for (unsigned counted = 0; counted < odd.size(); ++counted) {
        for (unsigned f = 0; f < ParityFeatureCount; ++f) {
            odd[counted] |= std::popcount(counted & f) % 2 == 1 ? FeatureSet{1} << f : 0;
        }
    }
    return odd;
}();

// Whether the rule can decide anything at all: some way of counting it (as
// it stands, or with the features of the tiles still to place taken in sum)
// leaves at most one cell that may go either way. A rule that cannot stays
// open whatever the check says, so it need not be checked.
bool MayDecide(const ParityRule& rule, const std::vector<int>& varied,
               const ParityCandidates& candidates, std::uint64_t open) {
    std::uint32_t shifts = 1;
    for (std::uint64_t m = open; m != 0; m &= m - 1) {
        shifts |= std::uint32_t{1} << rule.counts[U(std::countr_zero(m))];
    }
    for (; shifts != 0; shifts &= shifts - 1) {
        const auto shift = static_cast<ParityFeatures>(std::countr_zero(shifts));
        int undecided = 0;
        for (std::size_t i = 0; i < varied.size() && undecided < 2; ++i) {
            const FeatureSet may = candidates[U(varied[i])];
            const FeatureSet odd = OddUnder[rule.counts[U(varied[i])] ^ shift];
            undecided += (may & odd) != 0 && (may & ~odd) != 0 ? 1 : 0;
        }
        if (undecided < 2) {
            return true;
        }
    }
    return false;
}

} // namespace

// The crossing parity of each kind over every line between two columns or
// rows: what each cell may still show, and the tiles still to place counted
// in sum. A rule that one cell decides keeps there only the tiles that make
// it even.
void FindParity(const Puzzle& p, const State& s, Findings& f) {
    std::array<ParityCandidates, 3> candidates = p.fixedFeatures;
    std::array<std::optional<ParityPool>, 3> pools;
    std::array<int, CellCount> left{};
    std::uint64_t open = 0;
    for (int k = 0; k < p.classCount; ++k) {
        left[U(k)] = p.classTotal[U(k)];
    }
    for (int x = 0; x < p.cellCount; ++x) {
        const ClassMask d = s.domain[U(x)];
        if (IsDecided(d)) {
            --left[U(std::countr_zero(d))];
        } else {
            open |= std::uint64_t{1} << p.boardIndex[U(x)];
        }
    }
    for (std::size_t slot = 0; slot < 3; ++slot) {
        ParityFeatures sum = 0;
        for (int k = 0; k < p.classCount; ++k) {
            if (left[U(k)] % 2 != 0) {
                sum ^= static_cast<ParityFeatures>(std::countr_zero(p.classFeatures[slot][U(k)]));
            }
        }
        pools[slot] = ParityPool{open, sum};
        for (int x = 0; x < p.cellCount; ++x) {
            FeatureSet shown = 0;
            for (ClassMask m = s.domain[U(x)]; m != 0; m &= m - 1) {
                shown |= p.classFeatures[slot][U(std::countr_zero(m))];
            }
            candidates[slot][U(p.boardIndex[U(x)])] = shown;
        }
    }
    // The cells that may still show more than one set of features, per
    // kind: only they can leave a rule open. A kind without any cannot
    // force anything.
    std::array<std::vector<int>, 3> varied;
    for (std::size_t slot = 0; slot < 3; ++slot) {
        for (int x = 0; x < p.cellCount; ++x) {
            const FeatureSet shown = candidates[slot][U(p.boardIndex[U(x)])];
            if ((shown & (shown - 1)) != 0 && (p.movableKinds >> (slot + 1) & 1U) != 0) {
                varied[slot].push_back(p.boardIndex[U(x)]);
            }
        }
    }
    for (const ParityRule& rule : ParityRules()) {
        if (varied[U(rule.kind - FirstKind)].empty() ||
            !MayDecide(rule, varied[U(rule.kind - FirstKind)], candidates[U(rule.kind - FirstKind)],
                       open)) {
            continue;
        }
        const auto slot = U(rule.kind - FirstKind);
        const ParityVerdict v = CheckRule(rule, candidates[slot], pools[slot]);
        if (v.state == ParityVerdict::State::Broken) {
            f.Contradiction(NoCell);
            return;
        }
        if (v.state != ParityVerdict::State::Forced) {
            continue;
        }
        const int x = p.cellAt[U(v.cellIndex)];
        if (x == NoCell) {
            continue;
        }
        ClassMask out = 0;
        for (ClassMask m = s.domain[U(x)]; m != 0; m &= m - 1) {
            const int k = std::countr_zero(m);
            out |= (p.classFeatures[slot][U(k)] & v.allowed) == 0 ? Bit(k) : 0;
        }
        f.Open(Rule::Parity, x);
        f.Remove(s, x, out);
        f.Close();
    }
}

} // namespace zk::deduce
