#include "model/Solver.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#include "model/SolverEngine.h"

namespace zk {

namespace {

using detail::Arrangement;
using detail::Engine;
using detail::Luby;

bool SameEdges(const LevelRecord& a, const LevelRecord& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (TileEdges(a[i]) != TileEdges(b[i])) {
            return false;
        }
    }
    return true;
}

// What the searches working on one level share: the distinct solutions
// found so far, and whether the question is settled.
struct Shared {
    explicit Shared(int c) : cap(c) {}
    const int cap;
    std::mutex mutex; // guards what follows, up to the atomics
    std::set<Arrangement> found;
    std::vector<Arrangement> order; // in the order they were found
    bool complete = false;          // a search saw every arrangement
    bool capReached = false;
    std::uint64_t effort = 0;
    bool effortSet = false;
    // Set once the cap is reached or a search has seen everything: every
    // other search stops at its next choice.
    std::atomic<bool> settled{false};
    std::atomic<std::uint64_t> finishedNodes{0}; // of finished runs, over all searches

    // The node budget, for all searches together: a run takes its cutoff
    // from it before it starts and gives back what it did not use.
    std::uint64_t budgetLeft = 0; // guarded by mutex
    std::uint64_t Take(std::uint64_t wanted) {
        const std::lock_guard lock(mutex);
        const std::uint64_t got = std::min(wanted, budgetLeft);
        budgetLeft -= got;
        return got;
    }
    void GiveBack(std::uint64_t unused) {
        const std::lock_guard lock(mutex);
        budgetLeft += unused;
    }
    // Stops every search from outside (the caller's cancel flag or its
    // deadline), checked with the question settled.
    const std::atomic<bool>* cancel = nullptr;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

bool NothingFoundYet(Shared& shared) {
    const std::lock_guard lock(shared.mutex);
    return shared.found.empty();
}

// How one search goes about it.
struct Plan {
    bool tuned = true;     // scarce tiles first and probing
    bool plainRuns = true; // every fourth run keeps the fixed order
    std::uint64_t seedBase = 0;
    const std::array<int, CellCount>* preferred = nullptr; // for the first run
    std::uint64_t probeAfter = 8192;                       // choices before the level is probed
    std::uint64_t unit = 512; // the restarts' cutoffs are multiples of this
};

// The second search starts after this many choices of the first, and
// shuffles from seeds this far from the first one's.
constexpr std::uint64_t SecondAfter = 8192;
constexpr std::uint64_t SecondSeeds = std::uint64_t{1} << 32;

// One search: restarts with growing cutoffs, until the question is settled
// or its budget is spent. Answers the choices it tried.
//
// A search that wanders off into a hopeless part of a big board is cut
// short and starts again elsewhere. Three runs in four put the cells that
// failed most first, shuffle ties and place classes of many tiles early, and
// so find solutions on the hardest boards; every fourth run keeps the plain
// fixed order, and as the states it has refuted are remembered, these runs
// together make up one search that proves a level unsolvable. The first run
// tries each cell's preferred class first: a level stored solved is solved
// at once. A run that ends without reaching its cutoff has seen everything.
//
// The runs that shuffle place the last tile of a class before the cell with
// the fewest classes while the tile has at most three times as many cells to
// go to (where a scarce tile goes decides more than what one cell takes),
// and a class of several tiles with at most four cells to spare before
// either. A level still open after the first few thousand choices is probed
// once: every class on every cell, and what fails is struck for good.
std::uint64_t Search(const detail::SolverModel& model, Shared& shared, const Plan& plan,
                     const std::function<void(std::uint64_t)>& betweenRuns) {
    Engine engine(model);
    const std::function<bool(const Arrangement&)> onSolution = [&](const Arrangement& a) {
        const std::lock_guard lock(shared.mutex);
        if (shared.found.insert(a).second) {
            shared.order.push_back(a);
            if (static_cast<int>(shared.found.size()) == std::min(shared.cap, 2)) {
                shared.effort = shared.finishedNodes + engine.nodes();
                shared.effortSet = true;
            }
        }
        if (static_cast<int>(shared.found.size()) >= shared.cap) {
            shared.capReached = true;
            shared.settled = true;
            return true;
        }
        return false;
    };
    const auto ran = [&shared, &engine](std::uint64_t& nodes) {
        nodes += engine.nodes();
        shared.finishedNodes += engine.nodes();
    };
    const auto seenAll = [&shared] {
        const std::lock_guard lock(shared.mutex);
        shared.complete = true;
        shared.settled = true;
    };
    std::uint64_t nodes = 0;
    bool probed = false;
    for (std::uint64_t run = 1; !shared.settled; ++run) {
        if (betweenRuns) {
            betweenRuns(nodes);
        }
        if (plan.tuned && !probed && nodes >= plan.probeAfter) {
            // Probing tries every class on every cell, each a node: it may
            // take at most what a long run would.
            probed = true;
            const std::uint64_t allowed = shared.Take(plan.unit * 64);
            const bool possible = engine.Probe(allowed);
            shared.GiveBack(allowed - std::min(allowed, engine.nodes()));
            ran(nodes);
            if (!possible) {
                seenAll();
                break;
            }
        }
        const std::uint64_t cutoff = shared.Take(plan.unit * Luby(run));
        if (cutoff == 0) {
            break; // the budget is spent
        }
        const bool plain = plan.plainRuns && run % 4 == 1;
        Engine::Options options;
        options.shuffleSeed = plain ? 0 : plan.seedBase + run;
        options.weighted = !plain;
        options.classSlack = plain ? -1 : plan.tuned ? 4 : 2;
        options.tileFactor = plain || !plan.tuned ? 1 : 3;
        options.preferred = run == 1 ? plan.preferred : nullptr;
        options.halt = &shared.settled;
        options.cancel = shared.cancel;
        options.deadline = shared.deadline;
        // The second search checks the crossing parity at every choice as
        // well: on most levels the first one gains too little by it for
        // what it costs, and the two searches differ the more.
        options.parity = plan.tuned && !plan.plainRuns;
        const Engine::End end = engine.Run(options, cutoff, onSolution);
        shared.GiveBack(cutoff - std::min(cutoff, engine.nodes()));
        ran(nodes);
        if (end == Engine::End::Stopped) {
            break;
        }
        if (end == Engine::End::Exhausted) {
            seenAll();
            break;
        }
        if (engine.interrupted()) {
            break;
        }
    }
    return nodes;
}
} // namespace

std::string_view SolvabilityName(Solvability s) {
    switch (s) {
    case Solvability::Solvable:
        return "yes";
    case Solvability::Unsolvable:
        return "no";
    case Solvability::Undecided:
        break;
    }
    return "undecided";
}

int DifficultyGrade(std::uint64_t guesses, int movableTiles) {
    // Tiles to place: one grade step for every eight beyond the first four.
    const int tiles = std::max(0, movableTiles - 4) / 8;
    // Guessing: one step for the first guess and one for every doubling.
    const int guessing = static_cast<int>(std::bit_width(guesses));
    return std::clamp(LowestGrade + tiles + guessing, LowestGrade, HighestGrade);
}

Difficulty RateLevel(const LevelRecord& level, std::uint64_t nodeBudget) {
    Difficulty d;
    const detail::SolverModel model = detail::BuildModel(level);
    if (!model.fixedPartFits) {
        return d;
    }
    Engine engine(model);
    Engine::Options options;
    options.weighted = false;
    int found = 0;
    const std::function<bool(const Arrangement&)> onSolution = [&](const Arrangement&) {
        return ++found >= 2;
    };
    const Engine::End end = engine.Run(options, nodeBudget, onSolution);
    if (engine.firstChoiceCell() >= 0) {
        d.firstGuess = model.boardIndex[static_cast<std::size_t>(engine.firstChoiceCell())];
    }
    if (end == Engine::End::Cutoff || found == 0) {
        return d;
    }
    d.rated = true;
    d.guesses = engine.nodes();
    d.solutions = found;
    d.deductionOnly = found == 1 && d.guesses == 0;
    d.grade = DifficultyGrade(d.guesses, model.movableTiles);
    return d;
}

SolverResult SolveLevel(const LevelRecord& level, const SolverLimits& limits) {
    SolverResult result;
    const detail::SolverModel model = detail::BuildModel(level);
    result.movableCells = model.movableCells;
    result.movableTiles = model.movableTiles;
    result.holdableTiles = model.holdableTiles;
    result.foreignTiles = model.foreignTiles;
    if (!model.fixedPartFits) {
        result.status = Solvability::Unsolvable;
        result.countComplete = true;
        return result;
    }

    std::array<int, CellCount> stored{};
    for (int i = 0; i < model.cellCount; ++i) {
        stored[static_cast<std::size_t>(i)] = model.storedClass[static_cast<std::size_t>(i)];
    }
    Shared shared(std::max(1, limits.solutionCap));
    shared.budgetLeft = limits.nodeBudget;
    shared.cancel = limits.cancel;
    shared.deadline = limits.deadline;
    Plan plan;
    plan.tuned = !limits.originalOrder;
    plan.preferred = &stored;

    // A level still open after its first runs gets a second search on the
    // other processor: one that only shuffles, from seeds of its own,
    // probes the level at once and restarts sixteen times less often, so that
    // where the first one wanders off the second is likely not to; it also
    // checks the crossing parity at every choice. Whichever settles the
    // question stops the other; the solutions both find count together, and
    // the nodes both spend come out of one budget. The first search's
    // original order stays one search, so that it answers as it always did.
    const bool sideBySide = plan.tuned && limits.sideBySide;
    std::uint64_t helperNodes = 0;
    std::thread helper;
    // Should the first search throw, the second one is stopped and waited for.
    struct Stopper {
        Shared& shared;
        std::thread& helper;
        ~Stopper() {
            if (helper.joinable()) {
                shared.settled = true;
                helper.join();
            }
        }
    } stopper{shared, helper};
    const std::function<void(std::uint64_t)> betweenRuns = [&](std::uint64_t nodes) {
        // Asking for the processors reads a file: once is enough.
        static const bool twoProcessors = std::thread::hardware_concurrency() >= 2;
        if (sideBySide && !helper.joinable() && nodes >= SecondAfter && twoProcessors &&
            NothingFoundYet(shared)) {
            Plan other;
            other.plainRuns = false;
            other.seedBase = SecondSeeds;
            other.probeAfter = 0;
            other.unit = 8192;
            try {
                helper = std::thread([&model, &shared, other, &helperNodes] {
                    helperNodes = Search(model, shared, other, {});
                });
            } catch (const std::system_error&) {
                // No thread to be had: the first search goes on alone.
            }
        }
    };
    result.nodes = Search(model, shared, plan, betweenRuns);
    if (helper.joinable()) {
        // The second search stops at once when the question is settled, and
        // otherwise goes on until the budget both share is spent.
        helper.join();
        result.nodes += helperNodes;
    }

    const int cap = shared.cap;
    const std::vector<Arrangement>& order = shared.order;
    const std::size_t found = shared.found.size();
    result.effort = shared.effortSet ? shared.effort : result.nodes;
    result.solutions = std::min(static_cast<int>(found), cap);
    result.capReached = shared.capReached;
    result.countComplete = shared.complete;
    if (found == 0) {
        result.status = shared.complete ? Solvability::Unsolvable : Solvability::Undecided;
        return result;
    }
    result.status = Solvability::Solvable;
    LevelRecord first = detail::TilesFor(level, model, order[0]);
    std::optional<LevelRecord> second;
    if (order.size() > 1 && cap > 1) {
        second = detail::TilesFor(level, model, order[1]);
    }
    if (IsSolved(level)) {
        // A level stored solved is its own solution; the search may have
        // met another one first, which then serves as the alternative.
        if (second && SameEdges(*second, level)) {
            second = first;
        }
        first = level;
    }
    result.solution = first;
    result.alternative = second;
    return result;
}

} // namespace zk
