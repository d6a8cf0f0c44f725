// The search: runs with their restarts, probing, the choice of the next cell
// and class, the states remembered as failed, and the tries of one choice.
#include "model/SolverEngine.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "model/SolverKeys.h"

namespace zk::detail {

namespace {

// The states remembered as failed: at most this many (2 x 16 bytes each).
constexpr std::size_t MaxRemembered = std::size_t{1} << 20;

} // namespace

std::uint64_t Luby(std::uint64_t i) {
    for (;;) {
        std::uint64_t k = 1;
        while ((std::uint64_t{1} << k) - 1 < i) {
            ++k;
        }
        if ((std::uint64_t{1} << k) - 1 == i) {
            return std::uint64_t{1} << (k - 1);
        }
        i -= (std::uint64_t{1} << (k - 1)) - 1;
    }
}

std::uint64_t Engine::NextRandom() {
    // splitmix64: small, fast and the same everywhere.
    std::uint64_t z = (random_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool Engine::Failed() const {
    if (failed_.empty()) {
        return false;
    }
    const std::size_t mask = failed_.size() - 1;
    for (std::size_t i = hashA_ & mask;; i = (i + 1) & mask) {
        const auto& slot = failed_[i];
        if (slot.first == 0 && slot.second == 0) {
            return false;
        }
        if (slot.first == hashA_ && slot.second == hashB_) {
            return true;
        }
    }
}

void Engine::RememberFailed() {
    if ((hashA_ == 0 && hashB_ == 0) || failedCount_ >= MaxRemembered) {
        return;
    }
    if (failedCount_ * 2 >= failed_.size()) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> grown(
            std::max<std::size_t>(1024, failed_.size() * 2));
        const std::size_t mask = grown.size() - 1;
        for (const auto& slot : failed_) {
            if (slot.first != 0 || slot.second != 0) {
                std::size_t i = slot.first & mask;
                while (grown[i].first != 0 || grown[i].second != 0) {
                    i = (i + 1) & mask;
                }
                grown[i] = slot;
            }
        }
        failed_.swap(grown);
    }
    const std::size_t mask = failed_.size() - 1;
    for (std::size_t i = hashA_ & mask;; i = (i + 1) & mask) {
        auto& slot = failed_[i];
        if (slot.first == 0 && slot.second == 0) {
            slot = {hashA_, hashB_};
            ++failedCount_;
            return;
        }
        if (slot.first == hashA_ && slot.second == hashB_) {
            return;
        }
    }
}

void Engine::Blame(int cell) {
    ++weight_[U(cell)];
    for (int s = 0; s < 4; ++s) {
        const int other = m_.neighbour[U(cell)][U(s)];
        if (other >= 0) {
            ++weight_[U(other)];
        }
    }
}

Engine::End Engine::Run(const Options& options, std::uint64_t nodeLimit,
                        const std::function<bool(const Arrangement&)>& onSolution) {
    options_ = options;
    nodeLimit_ = nodeLimit;
    onSolution_ = &onSolution;
    random_ = options.shuffleSeed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL;
    nodes_ = 0;
    firstChoice_ = -1;
    cutoff_ = false;
    stopped_ = false;
    interrupted_ = false;
    if (Start()) {
        Descend();
    }
    if (stopped_) {
        return End::Stopped;
    }
    return cutoff_ ? End::Cutoff : End::Exhausted;
}

bool Engine::Probe(std::uint64_t nodeLimit) {
    options_ = Options{};
    nodes_ = 0;
    for (bool again = true; again && nodes_ < nodeLimit;) {
        again = false;
        const bool started = Start();
        const Mark start = Here();
        if (!started || !Propagate()) {
            ClearWork();
            UndoTo(start);
            return false;
        }
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const int cell = std::countr_zero(o);
            for (ClassMask m = dom_[U(cell)]; m != 0 && nodes_ < nodeLimit; m &= m - 1) {
                const int cls = std::countr_zero(m);
                const Mark mark = Here();
                ++nodes_;
                const bool fits = Restrict(cell, ClassMask{1} << cls) && Propagate();
                ClearWork();
                UndoTo(mark);
                Check();
                if (!fits) {
                    allowed_[U(cell)] &= ~(ClassMask{1} << cls);
                    again = true;
                }
            }
        }
        UndoTo(start);
    }
    return true;
}

bool Engine::Descend() {
    const Mark mark = Here();
    if (Propagate()) {
        Check();
        if (open_ == 0) {
            ++solutionsSeen_;
            if ((*onSolution_)(assigned_)) {
                stopped_ = true;
            }
        } else if (!Remembered(false)) {
            const std::uint64_t seenBefore = solutionsSeen_;
            Branch();
            if (!cutoff_ && !stopped_ && solutionsSeen_ == seenBefore) {
                Remembered(true);
            }
        }
    }
    UndoTo(mark);
    return !stopped_ && !cutoff_;
}

// Looks the state up among those known to hold no solution, or adds it.
// With a bound on the cells kept, the same cells and codes with another
// count kept are another state. Below a choice that struck a class off a
// cell the state says less than the search knows, so nothing is added.
bool Engine::Remembered(bool add) {
    if (add && struck_ > 0) {
        return false;
    }
    const bool bounded = options_.keepAtLeast > 0;
    if (bounded) {
        Toggle(KeptKey + U(kept_));
    }
    bool known = false;
    if (add) {
        RememberFailed();
    } else {
        known = Failed();
    }
    if (bounded) {
        Toggle(KeptKey + U(kept_));
    }
    return known;
}

void Engine::Branch() {
    // A class with several tiles left and hardly more cells than tiles: one
    // of its cells takes it, or that cell takes another class.
    if (options_.classSlack >= 0) {
        int pick = -1;
        int pickSlack = options_.classSlack + 1;
        for (ClassMask m = available_; m != 0; m &= m - 1) {
            const int cls = std::countr_zero(m);
            if (remaining_[U(cls)] < 2) {
                continue;
            }
            const int slack = room_[cls] - remaining_[U(cls)];
            if (slack < pickSlack) {
                pick = cls;
                pickSlack = slack;
            }
        }
        if (pick >= 0) {
            int cell = -1;
            for (CellMask o = open_; o != 0 && cell < 0; o &= o - 1) {
                if ((dom_[U(std::countr_zero(o))] >> pick & 1U) != 0) {
                    cell = std::countr_zero(o);
                }
            }
            if (Try(cell, pick)) {
                TryWithout(cell, pick);
            }
            return;
        }
    }

    // Otherwise where the fewest choices remain for the cells that failed
    // most: the open cell with the fewest classes for its weight, or the
    // last tile of a class with fewer cells than that cell has classes.
    int bestCell = -1;
    int bestCount = 0;
    std::uint64_t bestWeight = 1;
    int ties = 0;
    for (CellMask o = open_; o != 0; o &= o - 1) {
        const int cell = std::countr_zero(o);
        const int count = std::popcount(dom_[U(cell)]);
        const std::uint64_t weight = options_.weighted ? weight_[U(cell)] : 1;
        const std::uint64_t lhs = static_cast<std::uint64_t>(count) * bestWeight;
        const std::uint64_t rhs = static_cast<std::uint64_t>(bestCount) * weight;
        if (bestCell < 0 || lhs < rhs) {
            bestCell = cell;
            bestCount = count;
            bestWeight = weight;
            ties = 1;
        } else if (lhs == rhs && options_.shuffleSeed != 0 &&
                   NextRandom() % static_cast<std::uint64_t>(++ties) == 0) {
            bestCell = cell;
            bestCount = count;
            bestWeight = weight;
        }
    }
    int bestClass = -1;
    int bestRoom = bestCount * options_.tileFactor;
    for (ClassMask m = available_; m != 0; m &= m - 1) {
        const int cls = std::countr_zero(m);
        if (remaining_[U(cls)] == 1 && room_[cls] < bestRoom) {
            bestClass = cls;
            bestRoom = room_[cls];
        }
    }

    std::array<int, CellCount> order; // written before read, up to count
    int count = 0;
    if (bestClass >= 0) {
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const int cell = std::countr_zero(o);
            if ((dom_[U(cell)] >> bestClass & 1U) != 0) {
                order[U(count++)] = cell;
            }
        }
    } else {
        for (ClassMask m = dom_[U(bestCell)]; m != 0; m &= m - 1) {
            order[U(count++)] = std::countr_zero(m);
        }
    }
    // The order of the choices: the preferred class (or the cell preferring
    // the class) first, then the classes with the least room to spare,
    // shuffled among equals on a restart.
    std::array<std::uint64_t, CellCount> key;
    for (int k = 0; k < count; ++k) {
        const int item = order[U(k)];
        const int cell = bestClass >= 0 ? item : bestCell;
        const int cls = bestClass >= 0 ? bestClass : item;
        std::uint64_t rank = 0;
        if (!(options_.preferred && (*options_.preferred)[U(cell)] == cls)) {
            rank = 1 + static_cast<std::uint64_t>(std::max(0, room_[cls] - remaining_[U(cls)]));
        }
        const std::uint64_t noise = options_.shuffleSeed != 0 ? NextRandom() >> 40 : 0;
        key[U(k)] = rank << 32 | noise << 8 | static_cast<std::uint64_t>(k);
    }
    std::sort(key.begin(), key.begin() + count);
    for (int k = 0; k < count; ++k) {
        const int item = order[U(key[U(k)] & 0xFF)];
        if (!(bestClass >= 0 ? Try(item, bestClass) : Try(bestCell, item))) {
            break;
        }
    }
}

// The caller's cancel flag at every choice, the clock at every 256th: a
// choice takes microseconds, so the run ends well within a millisecond of
// either.
bool Engine::OutOfTime() {
    const bool due =
        (options_.cancel != nullptr && options_.cancel->load(std::memory_order_relaxed)) ||
        ((nodes_ & 255U) == 0 &&
         options_.deadline != std::chrono::steady_clock::time_point::max() &&
         std::chrono::steady_clock::now() >= options_.deadline);
    interrupted_ = interrupted_ || due;
    return due;
}

void Engine::ClearWork() {
    toRevise_ = 0;
    toSettle_ = 0;
    toPlace_ = 0;
    touched_ = 0;
}

bool Engine::Try(int cell, int cls) {
    return Choose(cell, ClassMask{1} << cls, false);
}

bool Engine::TryWithout(int cell, int cls) {
    return Choose(cell, ~(ClassMask{1} << cls), true);
}

// One choice: the cell narrowed to mask, searched below, and undone. A choice
// that strikes a class off the cell is counted while it lasts.
bool Engine::Choose(int cell, ClassMask mask, bool strikes) {
    if (nodes_ >= nodeLimit_ ||
        (options_.halt != nullptr && options_.halt->load(std::memory_order_relaxed)) ||
        OutOfTime()) {
        cutoff_ = true;
        return false;
    }
    ++nodes_;
    if (firstChoice_ < 0) {
        firstChoice_ = cell;
    }
    const Mark mark = Here();
    struck_ += strikes ? 1 : 0;
    if (Restrict(cell, mask)) {
        Descend();
    } else {
        ClearWork();
    }
    struck_ -= strikes ? 1 : 0;
    UndoTo(mark);
    Check();
    return !stopped_ && !cutoff_;
}

} // namespace zk::detail
