// The search behind the solver and the nearest solution: the level's movable
// cells and the edge classes of its movable tiles, and a depth-first search
// that puts one class on one cell at a time and deduces all it can between
// two choices. Used by Solver.cpp and Nearest.cpp only.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "model/Board.h"
#include "model/SolverModel.h"

namespace zk::detail {

// The Luby sequence 1, 1, 2, 1, 1, 2, 4, 1, 1, 2, ... (from 1): the cutoffs
// of the restarts, in units.
std::uint64_t Luby(std::uint64_t i);

// A count per class from 0 to 63, kept as six bit planes (plane k holds bit
// k of every class's count), so that a domain losing or regaining many
// classes changes all their counts in a few word operations, and all counts
// compare with others at once.
class ClassCounts {
public:
    void Clear() { plane_.fill(0); }
    // Sets the count of a class that is at 0.
    void Put(int cls, int n) {
        for (std::size_t k = 0; k < plane_.size(); ++k) {
            plane_[k] |= ClassMask{(static_cast<unsigned>(n) >> k & 1U) != 0} << cls;
        }
    }
    // One more for every class in m.
    void Add(ClassMask m) {
#pragma GCC unroll 6
        for (ClassMask& p : plane_) {
            const ClassMask carry = p & m;
            p ^= m;
            m = carry;
        }
    }
    // One less for every class in m; none of them may be at 0.
    void Remove(ClassMask m) {
#pragma GCC unroll 6
        for (ClassMask& p : plane_) {
            const ClassMask borrow = ~p & m;
            p ^= m;
            m = borrow;
        }
    }
    int operator[](int cls) const {
        int n = 0;
#pragma GCC unroll 6
        for (std::size_t k = plane_.size(); k-- > 0;) {
            n = n << 1 | static_cast<int>(plane_[k] >> cls & 1U);
        }
        return n;
    }
    // The classes whose count here is at most their count in other.
    ClassMask AtMost(const ClassCounts& other) const {
        ClassMask less = 0;
        ClassMask equal = AllClasses;
#pragma GCC unroll 6
        for (std::size_t k = plane_.size(); k-- > 0;) {
            less |= equal & ~plane_[k] & other.plane_[k];
            equal &= ~(plane_[k] ^ other.plane_[k]);
        }
        return less | equal;
    }

private:
    std::array<ClassMask, 6> plane_{};
};

class Engine {
public:
    enum class End {
        Exhausted, // every arrangement under the starting point was seen
        Stopped,   // the solution callback asked to stop
        Cutoff,    // the node limit of this run was reached
    };

    struct Options {
        // 0: the fixed order (fewest choices first, ties by cell and class
        // number). Otherwise ties and the order of choices are shuffled from
        // this seed, so a restart explores elsewhere.
        std::uint64_t shuffleSeed = 0;
        // Per cell the class to try first (-1: none). With keepAtLeast > 0,
        // arrangements that keep fewer cells on their preferred class are
        // not searched.
        const std::array<int, CellCount>* preferred = nullptr;
        int keepAtLeast = 0;
        // Whether cells that failed often are chosen earlier.
        bool weighted = true;
        // Whether a class with several tiles and at most this many spare
        // cells is placed before the cell with the fewest classes (-1: no).
        int classSlack = -1;
        // The last tile of a class is placed before the open cell with the
        // fewest classes while it has fewer than this many times as many
        // cells to go to as that cell has classes.
        int tileFactor = 1;
        // Set by another search that settled the question: this one stops
        // as at its node limit.
        const std::atomic<bool>* halt = nullptr;
        // Whether the crossing parity is part of the deductions.
        bool parity = false;
        // Set by the caller to give up; and the time at which to give up.
        // Both end the run as its node limit does, and interrupted() then
        // tells why.
        const std::atomic<bool>* cancel = nullptr;
        std::chrono::steady_clock::time_point deadline =
            std::chrono::steady_clock::time_point::max();
    };

    // The engine keeps what it learns about the level (which cells fail
    // most, which states have no solution) from one run to the next.
    explicit Engine(const SolverModel& model);

    // Searches from the empty arrangement. onSolution sees every solution
    // the search meets; it returns true to stop. At most nodeLimit choices
    // are tried.
    End Run(const Options& options, std::uint64_t nodeLimit,
            const std::function<bool(const Arrangement&)>& onSolution);

    // Tries every class on every open cell of the starting point and
    // strikes those whose deductions fail, for this and every later run,
    // until no more go. False when the level has no solution at all. Each
    // class tried counts as a node; probing stops, having struck what it
    // found so far, after nodeLimit of them.
    bool Probe(std::uint64_t nodeLimit = ~std::uint64_t{0});

    // Choices tried during the last run.
    std::uint64_t nodes() const { return nodes_; }
    // Whether the last run ended on the caller's cancel flag or deadline.
    bool interrupted() const { return interrupted_; }
    // The movable cell of the first choice of the last run, -1 when none.
    int firstChoiceCell() const { return firstChoice_; }
    // Cells on their preferred class in the solution just reported.
    int keptInSolution() const { return kept_; }
    // Raises the bound during a run (from the solution callback).
    void SetKeepAtLeast(int n) { options_.keepAtLeast = n; }

    // For tests: at every node, after its deductions and after their
    // undoing, checks what the search keeps up to date as it goes (room and
    // tiles left per class, the codes each domain shows, the connection ends
    // still to meet, the hash of the state) against the same worked out
    // afresh from the domains and the placed cells. Slow.
    void CheckEveryNode(bool on) { checking_ = on; }
    std::uint64_t checksDone() const { return checks_; }
    std::uint64_t checksFailed() const { return checksFailed_; }

private:
    bool Start();
    bool Descend();
    void Branch();
    bool Remembered(bool add);
    bool Try(int cell, int cls);
    bool TryWithout(int cell, int cls);
    bool Choose(int cell, ClassMask mask, bool strikes);
    void ClearWork();
    bool Propagate();
    // Inlined into the propagation loop, which does little else.
    [[gnu::always_inline]] inline bool Revise(int cell);
    bool Settle(int cls);
    // Narrows an open cell to the classes in mask. False when nothing is
    // left. Most calls change nothing and return here.
    bool Restrict(int cell, ClassMask mask) {
        const ClassMask old = dom_[U(cell)];
        return (old & mask) == old || Narrow(cell, old, old & mask);
    }
    bool Narrow(int cell, ClassMask old, ClassMask now);
    bool Place(int cell, int cls);
    void SetCode(int cell, int side, int code);
    void ToggleFacing(int cell);
    // A point of the search to come back to: where the log stood, and the
    // room counts and the hash then, which come back whole rather than
    // entry by entry.
    struct Mark {
        std::size_t log;
        ClassCounts room;
        std::uint64_t hashA;
        std::uint64_t hashB;
    };
    Mark Here() const { return {logSize_, room_, hashA_, hashB_}; }
    void UndoTo(const Mark& mark);
    bool EndsBalance() const;
    bool ParityHolds();
    void Blame(int cell);
    void AddKnownEnds(int cell, int sign);
    CellMask CellsWith(int cls) const;
    std::uint64_t NextRandom();

    bool KeptStateAgrees() const;
    void Check();

    void Toggle(std::size_t index);
    bool Failed() const;
    void RememberFailed();

    const SolverModel& m_;
    Options options_;
    std::uint64_t nodeLimit_ = 0;
    const std::function<bool(const Arrangement&)>* onSolution_ = nullptr;

    // The search state. Domains and room counts are kept up to date as the
    // search goes; everything changed is logged so that it can be undone,
    // but for the room counts and the hash, which a mark keeps whole.
    Arrangement assigned_{};
    std::array<ClassMask, CellCount> dom_{}; // classes each cell can still take
    // The codes each domain shows, four bits per side; the spare last slot
    // stands for no neighbour and shows every code.
    std::array<unsigned, CellCount + 1> shows_{};
    ClassCounts room_; // open cells each class can go to
    std::array<int, CellCount> remaining_{};
    ClassCounts left_; // remaining_ again, to compare with room_ at once
    ClassMask available_ = 0;
    CellMask open_ = 0;
    std::array<std::array<int, 4>, CellCount> code_{}; // per cell and side, OpenSide when unknown
    // Per side and code + 1: the remaining tiles' ends less the known codes
    // on that side of open cells, which those tiles must meet. Slot 0 of
    // each side takes the sides whose code is not known and means nothing.
    std::array<std::array<int, 5>, 4> ends_{};
    int kept_ = 0;

    // What changed: a domain (old mask), a placed cell, or a side's code.
    enum class Entry : std::uint8_t { Domain, Placed, Code };
    struct LogEntry {
        Entry kind;
        std::int8_t cell;
        std::int8_t side;
        std::int8_t oldCode;
        std::uint16_t oldShows;
        ClassMask oldMask;
    };
    // Sized once for the longest path: every class struck off every cell,
    // every cell placed and every side of every cell given its code.
    static constexpr std::size_t LogCapacity = CellCount * (CellCount + 1 + 4);
    std::vector<LogEntry> log_;
    std::size_t logSize_ = 0;
    void Log(const LogEntry& entry) { log_[logSize_++] = entry; }

    // Work waiting in the propagation: cells to check against their
    // neighbours, cells down to one class, classes whose room shrank.
    CellMask toRevise_ = 0;
    CellMask toPlace_ = 0;
    ClassMask toSettle_ = 0;

    // The crossing parity (see ParityViews): per combination of a kind and
    // the features counted, the cells whose bit is surely 1 and those that
    // may go either way, as of the domains before the cells in stale_
    // changed; and the cells changed since the views were last looked at.
    std::array<CellMask, 3 * 32> sureOdd_{};
    std::array<CellMask, 3 * 32> unsure_{};
    CellMask stale_ = 0;
    CellMask touched_ = 0;

    // What failures teach: cells that fail often are chosen early.
    std::array<std::uint64_t, CellCount> weight_{};
    // Classes each cell may take at all, as probing showed.
    std::array<ClassMask, CellCount> allowed_{};

    // The state of the search as two 64-bit hashes: the placed cells, the
    // codes their open neighbours face and the tiles left. States whose
    // whole subtree held no solution are remembered.
    std::uint64_t hashA_ = 0;
    std::uint64_t hashB_ = 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> failed_;
    std::size_t failedCount_ = 0;
    std::uint64_t solutionsSeen_ = 0;
    int struck_ = 0; // choices on the current path that struck a class off a cell

    std::uint64_t nodes_ = 0;
    int firstChoice_ = -1;
    std::uint64_t random_ = 0;
    bool cutoff_ = false;
    bool stopped_ = false;
    bool interrupted_ = false;
    bool OutOfTime();

    bool checking_ = false;
    std::uint64_t checks_ = 0;
    std::uint64_t checksFailed_ = 0;
};

} // namespace zk::detail
