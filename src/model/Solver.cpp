#include "model/Solver.h"

#include <algorithm>
#include <bit>
#include <set>

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

    const int cap = std::max(1, limits.solutionCap);
    std::set<Arrangement> found;
    std::vector<Arrangement> order; // in the order they were found
    bool complete = false;
    bool effortSet = false;
    Engine engine(model);
    std::array<int, CellCount> stored{};
    for (int i = 0; i < model.cellCount; ++i) {
        stored[static_cast<std::size_t>(i)] = model.storedClass[static_cast<std::size_t>(i)];
    }
    const std::function<bool(const Arrangement&)> onSolution = [&](const Arrangement& a) {
        if (found.insert(a).second) {
            order.push_back(a);
            const std::uint64_t now = result.nodes + engine.nodes();
            if (static_cast<int>(found.size()) == std::min(cap, 2)) {
                result.effort = now;
                effortSet = true;
            }
        }
        return static_cast<int>(found.size()) >= cap;
    };

    // Restarts with growing cutoffs: a search that wanders off into a
    // hopeless part of a big board is cut short and starts again elsewhere.
    // Three runs in four put the cells that failed most first, shuffle ties
    // and place classes of many tiles early, and so find solutions on the
    // hardest boards; every fourth run keeps the plain fixed order, and as
    // the states it has refuted are remembered, these runs together make up
    // one search that proves a level unsolvable. The first run tries each
    // cell's stored tile first: a level stored solved is solved at once. A
    // run that ends without reaching its cutoff has seen everything.
    //
    // The runs that shuffle place the last tile of a class before the cell
    // with the fewest classes while the tile has at most three times as many
    // cells to go to (where a scarce tile goes decides more than what one
    // cell takes), and a class of several tiles with at most four cells to
    // spare before either. A level still open after the first few thousand
    // choices is probed once: every class on every cell, and what fails is
    // struck for good.
    constexpr std::uint64_t Unit = 512;
    constexpr std::uint64_t ProbeAfter = 8192;
    const bool tuned = !limits.originalOrder;
    bool stopped = false;
    bool probed = false;
    for (std::uint64_t run = 1; result.nodes < limits.nodeBudget; ++run) {
        if (tuned && !probed && result.nodes >= ProbeAfter) {
            probed = true;
            const bool possible = engine.Probe();
            result.nodes += engine.nodes();
            if (!possible) {
                complete = true;
                break;
            }
        }
        const bool plain = run % 4 == 1;
        Engine::Options options;
        options.shuffleSeed = plain ? 0 : run;
        options.weighted = !plain;
        options.classSlack = plain ? -1 : tuned ? 4 : 2;
        options.tileFactor = plain || !tuned ? 1 : 3;
        options.preferred = run == 1 ? &stored : nullptr;
        const std::uint64_t cutoff = std::min(Unit * Luby(run), limits.nodeBudget - result.nodes);
        const Engine::End end = engine.Run(options, cutoff, onSolution);
        result.nodes += engine.nodes();
        if (end == Engine::End::Stopped) {
            stopped = true;
            break;
        }
        if (end == Engine::End::Exhausted) {
            complete = true;
            break;
        }
    }
    if (!effortSet) {
        result.effort = result.nodes;
    }

    result.solutions = std::min(static_cast<int>(found.size()), cap);
    result.capReached = stopped;
    result.countComplete = complete;
    if (found.empty()) {
        result.status = complete ? Solvability::Unsolvable : Solvability::Undecided;
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
