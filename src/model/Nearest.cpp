#include "model/Nearest.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

#include "model/Solver.h"
#include "model/SolverEngine.h"

namespace zk {

namespace {

using detail::Arrangement;
using detail::Engine;
using detail::Luby;

int EdgeKey(TileNumber t) {
    const Edges e = TileEdges(t);
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

Cell CellOf(int index) {
    return {index / Rows, index % Rows};
}

// A closed walk through every edge of one part of a multigraph on edge
// classes, each edge a cell whose tile is to be replaced by one of class to,
// the edges left per class in out. Starts with the given edge. Hierholzer's walk: follow
// unused edges until stuck, then back up and splice in the detours.
std::vector<int> Circuit(int start, const std::array<int, CellCount>& to,
                         std::array<std::vector<int>, 256>& out) {
    std::vector<int> circuit;
    std::vector<int> stack{start};
    while (!stack.empty()) {
        const int edge = stack.back();
        auto& next = out[static_cast<std::size_t>(to[static_cast<std::size_t>(edge)])];
        if (!next.empty()) {
            stack.push_back(next.back());
            next.pop_back();
        } else {
            circuit.push_back(edge);
            stack.pop_back();
        }
    }
    std::reverse(circuit.begin(), circuit.end());
    return circuit;
}

} // namespace

std::vector<Cell> ClicksToReach(const Board& board, const LevelRecord& target) {
    std::vector<Cell> clicks;
    if (!board.hasHeld) {
        return clicks;
    }
    const int held = CellIndex(board.held.column, board.held.row);
    // The cells whose tile shows other edges than the target wants there,
    // as edges of a multigraph from the class they hold to the class they
    // need. Every class is left as often as it is entered, so each
    // connected part of the graph is one closed walk: one cycle of moves.
    std::array<int, CellCount> from{};
    std::array<int, CellCount> to{};
    std::vector<int> misplaced;
    for (int i = 0; i < CellCount; ++i) {
        const auto c = static_cast<std::size_t>(i);
        if (!IsMovable(board.cells[c])) {
            continue;
        }
        from[c] = EdgeKey(board.cells[c]);
        to[c] = EdgeKey(target[c]);
        if (from[c] != to[c]) {
            misplaced.push_back(i);
        }
    }
    if (misplaced.empty()) {
        return clicks;
    }
    // The parts: classes joined by the misplaced cells.
    std::array<int, 256> part{};
    std::iota(part.begin(), part.end(), 0);
    const std::function<int(int)> find = [&](int k) {
        while (part[static_cast<std::size_t>(k)] != k) {
            k = part[static_cast<std::size_t>(k)] =
                part[static_cast<std::size_t>(part[static_cast<std::size_t>(k)])];
        }
        return k;
    };
    for (const int cell : misplaced) {
        part[static_cast<std::size_t>(find(from[static_cast<std::size_t>(cell)]))] =
            find(to[static_cast<std::size_t>(cell)]);
    }
    // Outgoing edges per class, the lowest cell taken first.
    std::array<std::vector<int>, 256> out;
    for (auto it = misplaced.rbegin(); it != misplaced.rend(); ++it) {
        out[static_cast<std::size_t>(from[static_cast<std::size_t>(*it)])].push_back(*it);
    }
    const auto take = [&](int cell) {
        auto& list = out[static_cast<std::size_t>(from[static_cast<std::size_t>(cell)])];
        list.erase(std::find(list.begin(), list.end(), cell));
    };

    const int heldClass = from[static_cast<std::size_t>(held)];
    const bool heldMisplaced =
        from[static_cast<std::size_t>(held)] != to[static_cast<std::size_t>(held)];
    int parked = held; // where the held tile waits between cycles
    int heldPart = -1;
    if (heldMisplaced) {
        heldPart = find(heldClass);
    } else {
        for (const int cell : misplaced) {
            if (find(from[static_cast<std::size_t>(cell)]) == find(heldClass)) {
                heldPart = find(heldClass);
                break;
            }
        }
    }
    if (heldPart >= 0) {
        // The held tile's own cycle: it opens it and ends where its class
        // is wanted, one click fewer than a cycle it is not part of. A held
        // tile already in place joins a cycle through its class and saves
        // the click that would bring it back.
        if (heldMisplaced) {
            take(held);
        }
        const std::vector<int> circuit = Circuit(held, to, out);
        for (std::size_t k = 1; k < circuit.size(); ++k) {
            clicks.push_back(CellOf(circuit[k]));
        }
        parked = circuit.back();
    }
    for (const int cell : misplaced) {
        const auto& list = out[static_cast<std::size_t>(from[static_cast<std::size_t>(cell)])];
        if (std::find(list.begin(), list.end(), cell) == list.end()) {
            continue; // already on a cycle
        }
        // Another cycle: the held tile leaves its resting cell for the
        // first tile, goes round, and comes back to it.
        take(cell);
        const std::vector<int> circuit = Circuit(cell, to, out);
        for (const int c : circuit) {
            clicks.push_back(CellOf(c));
        }
        clicks.push_back(CellOf(parked));
    }
    return clicks;
}

NearestResult FindNearestSolution(const Board& board, const NearestLimits& limits) {
    NearestResult result;
    const detail::SolverModel model = detail::BuildModel(board.cells);
    result.movableCells = model.movableCells;
    if (!board.hasHeld || !model.fixedPartFits) {
        result.optimal = !model.fixedPartFits;
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    std::array<int, CellCount> preferred{};
    preferred.fill(-1);
    for (int i = 0; i < model.cellCount; ++i) {
        preferred[static_cast<std::size_t>(i)] = model.storedClass[static_cast<std::size_t>(i)];
    }

    Engine engine(model);
    Arrangement best{};
    int bestKept = -1;
    const std::function<bool(const Arrangement&)> onSolution = [&](const Arrangement& a) {
        const int kept = engine.keptInSolution();
        if (kept > bestKept) {
            best = a;
            bestKept = kept;
            engine.SetKeepAtLeast(kept + 1);
        }
        return bestKept == model.cellCount; // nothing can be nearer
    };

    // Restarts as in the solver, every run trying each cell's own class
    // first and never searching where fewer cells than the best can stay.
    // The time limit and the cancel flag end a run within it.
    constexpr std::uint64_t Unit = 256;
    const auto deadline = limits.timeBudget.count() > 0
                              ? start + limits.timeBudget
                              : std::chrono::steady_clock::time_point::max();
    for (std::uint64_t run = 1; result.nodes < limits.nodeBudget; ++run) {
        Engine::Options options;
        options.shuffleSeed = run == 1 ? 0 : run;
        options.preferred = &preferred;
        options.keepAtLeast = bestKept + 1;
        options.deadline = deadline;
        options.cancel = limits.cancel;
        const std::uint64_t cutoff = std::min(Unit * Luby(run), limits.nodeBudget - result.nodes);
        const Engine::End end = engine.Run(options, cutoff, onSolution);
        result.nodes += engine.nodes();
        if (end != Engine::End::Cutoff) {
            result.optimal = true;
            break;
        }
        if (engine.interrupted()) {
            break;
        }
    }
    if (bestKept < 0) {
        return result;
    }
    result.found = true;
    result.inPlace = bestKept;
    const LevelRecord goal = detail::TilesFor(board.cells, model, best);
    result.clicks = ClicksToReach(board, goal);
    Board play = board;
    for (const Cell& c : result.clicks) {
        play.SwapWithHeld(c.column, c.row);
    }
    result.target = play.cells;
    result.held = play.held;
    return result;
}

HintAnswer FindHint(Board board, const HintLimits& limits) {
    HintAnswer answer;
    if (!board.hasHeld) {
        // Nothing can be moved: solved as it stands, or never.
        answer.verdict = board.IsSolved() ? HintVerdict::Found : HintVerdict::Unsolvable;
        return answer;
    }
    NearestLimits nearestLimits = limits.nearest;
    nearestLimits.cancel = limits.cancel;
    NearestResult nearest = FindNearestSolution(board, nearestLimits);
    if (nearest.found) {
        answer.verdict = HintVerdict::Found;
        answer.nearest = true;
        answer.clicks = std::move(nearest.clicks);
        return answer;
    }
    if (nearest.optimal) {
        answer.verdict = HintVerdict::Unsolvable; // every arrangement was seen
        return answer;
    }
    // The nearest solution took too long to find: any solution will do.
    SolverLimits solverLimits;
    solverLimits.solutionCap = 1;
    solverLimits.nodeBudget = limits.solverBudget;
    solverLimits.cancel = limits.cancel;
    if (limits.solverTime.count() > 0) {
        solverLimits.deadline = std::chrono::steady_clock::now() + limits.solverTime;
    }
    const SolverResult solved = SolveLevel(board.cells, solverLimits);
    if (solved.status == Solvability::Unsolvable) {
        answer.verdict = HintVerdict::Unsolvable;
    } else if (solved.status == Solvability::Solvable && solved.solution) {
        answer.verdict = HintVerdict::Found;
        answer.clicks = ClicksToReach(board, *solved.solution);
    }
    return answer;
}

std::optional<WayToSolution> WayToNearestSolution(const Board& board) {
    HintAnswer answer = FindHint(board);
    if (answer.verdict != HintVerdict::Found) {
        return std::nullopt;
    }
    return WayToSolution{std::move(answer.clicks)};
}

} // namespace zk
