// What the search learns from its failures: the choices a failure follows
// from cannot all hold, whatever else is chosen. Each such set is kept for
// this and later runs and checked as cells are placed: when every choice of
// a set but one is made, the cell of the last one loses that class.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>

#include "model/SolverEngine.h"

namespace zk::detail {

namespace {

// Sets of more choices than this hardly ever come true again: not kept.
constexpr std::uint32_t MaxNogoodSize = 24;
// At most this many sets; at the start of a run, past it, the older half
// is forgotten.
constexpr std::size_t MaxNogoods = 8192;

std::size_t WatchKey(std::pair<std::int8_t, std::int8_t> choice) {
    return U(choice.first) * 64 + U(choice.second);
}

} // namespace

// SCRATCH stats
std::uint64_t gFail[8];
std::uint64_t gLeaf[8];
struct LearnStats {
    std::uint64_t learns = 0, sizeSum = 0, levelSum = 0, units = 0, unknown = 0;
    ~LearnStats() {
        if (std::getenv("ZK_STATS")) {
            std::fprintf(stderr, "learn %llu avg size %.2f avg level %.2f units %llu unknown %llu\n",
                         (unsigned long long)learns, learns ? double(sizeSum) / learns : 0.0,
                         learns ? double(levelSum) / learns : 0.0, (unsigned long long)units,
                         (unsigned long long)unknown);
            std::fprintf(stderr, "leaves %llu avg size %.2f avg level %.2f not-own %llu avg gap %.2f\n", (unsigned long long)gLeaf[0], gLeaf[0] ? double(gLeaf[1]) / gLeaf[0] : 0.0, gLeaf[0] ? double(gLeaf[2]) / gLeaf[0] : 0.0, (unsigned long long)gLeaf[3], gLeaf[0] ? double(gLeaf[4]) / gLeaf[0] : 0.0);
            std::fprintf(stderr, "fails: empty %llu settle %llu ends %llu parity %llu nogood %llu remembered %llu jumps %llu skipped %llu\n",
                         (unsigned long long)gFail[0], (unsigned long long)gFail[1], (unsigned long long)gFail[2],
                         (unsigned long long)gFail[3], (unsigned long long)gFail[4], (unsigned long long)gFail[5], (unsigned long long)gFail[6], (unsigned long long)gFail[7]);
        }
    }
};
static LearnStats stats;

void Engine::Learn(Levels conflict) {
    if ((conflict & 1U) != 0) {
        ++stats.unknown;
        return; // no reason known
    }
    ++stats.learns;
    stats.sizeSum += std::popcount(conflict);
    stats.levelSum += level_;
    const auto size = static_cast<std::uint32_t>(std::popcount(conflict));
    if (size == 0) {
        refuted_ = true; // fails whatever is chosen: the level has no solution
        return;
    }
    if (size == 1) {
        const auto [cell, cls] = decision_[U(std::countr_zero(conflict))];
        allowed_[U(cell)] &= ~(ClassMask{1} << cls);
        return;
    }
    if (size > MaxNogoodSize || nogoods_.size() >= 2 * MaxNogoods) {
        return;
    }
    if (watches_.empty()) {
        watches_.resize(CellCount * 64);
    }
    const auto first = static_cast<std::uint32_t>(literals_.size());
    // Deepest first: the two watched choices are undone first.
    for (Levels c = conflict; c != 0;) {
        const int level = 63 - std::countl_zero(c);
        c &= ~(Levels{1} << level);
        literals_.push_back(decision_[U(level)]);
    }
    const auto index = static_cast<std::uint32_t>(nogoods_.size());
    nogoods_.push_back({first, size});
    watches_[WatchKey(literals_[first])].push_back(index);
    watches_[WatchKey(literals_[first + 1])].push_back(index);
}

void Engine::Forget() {
    if (nogoods_.size() <= MaxNogoods) {
        return;
    }
    std::vector<Nogood> kept;
    std::vector<std::pair<std::int8_t, std::int8_t>> literals;
    for (std::size_t n = nogoods_.size() - MaxNogoods / 2; n < nogoods_.size(); ++n) {
        const Nogood& ng = nogoods_[n];
        kept.push_back({static_cast<std::uint32_t>(literals.size()), ng.size});
        literals.insert(literals.end(), literals_.begin() + ng.first,
                        literals_.begin() + ng.first + ng.size);
    }
    nogoods_.swap(kept);
    literals_.swap(literals);
    for (auto& list : watches_) {
        list.clear();
    }
    for (std::uint32_t n = 0; n < nogoods_.size(); ++n) {
        watches_[WatchKey(literals_[nogoods_[n].first])].push_back(n);
        watches_[WatchKey(literals_[nogoods_[n].first + 1])].push_back(n);
    }
}

bool Engine::RulesOut(const Arrangement& a) const {
    bool out = refuted_;
    for (int cell = 0; cell < m_.cellCount; ++cell) {
        out = out || (allowed_[U(cell)] >> a[U(cell)] & 1U) == 0;
    }
    for (const Nogood& ng : nogoods_) {
        bool all = true;
        for (std::uint32_t k = 0; k < ng.size && all; ++k) {
            const auto [cell, cls] = literals_[ng.first + k];
            all = a[U(cell)] == cls;
        }
        out = out || all;
    }
    return out;
}

// The cell was just placed with the class: every set watching that choice
// finds another choice not made to watch, or, when all the others are
// made, fails (its last choice is made too) or strikes its last choice.
bool Engine::NogoodsHold(int cell, int cls) {
    const std::pair<std::int8_t, std::int8_t> placed{static_cast<std::int8_t>(cell),
                                                     static_cast<std::int8_t>(cls)};
    std::vector<std::uint32_t>& list = watches_[WatchKey(placed)];
    const auto made = [this](std::pair<std::int8_t, std::int8_t> c) {
        return assigned_[U(c.first)] == c.second;
    };
    for (std::size_t w = 0; w < list.size();) {
        const Nogood ng = nogoods_[list[w]];
        auto* lits = &literals_[ng.first];
        if (lits[0] == placed) {
            std::swap(lits[0], lits[1]);
        }
        // Watched: lits[1], now made, and lits[0].
        if ((dom_[U(lits[0].first)] >> lits[0].second & 1U) == 0) {
            ++w; // can no longer be made: the set holds
            continue;
        }
        std::uint32_t k = 2;
        while (k < ng.size && made(lits[k])) {
            ++k;
        }
        if (k < ng.size) {
            std::swap(lits[1], lits[k]);
            watches_[WatchKey(lits[1])].push_back(list[w]);
            list[w] = list.back();
            list.pop_back();
            continue;
        }
        Levels why = 0;
        for (k = 1; k < ng.size; ++k) {
            why |= isWhy_[U(lits[k].first)];
        }
        if (made(lits[0])) {
            ++gFail[4];
            conflict_ = why | isWhy_[U(lits[0].first)];
            return false;
        }
        ++stats.units;
        if (!Restrict(lits[0].first, ~(ClassMask{1} << lits[0].second), why)) {
            return false;
        }
        ++w;
    }
    return true;
}

} // namespace zk::detail
