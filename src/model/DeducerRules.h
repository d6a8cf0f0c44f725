// The deducer's view of a level and its rules, one finder each. A finder
// looks at what every cell may still take and reports what its rule shows:
// tiles (edge classes) ruled out of cells, or that nothing fits any more.
// Only the deducer's driver (Deducer.cpp) and its tests use this header.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Board.h"
#include "model/Deducer.h"
#include "model/Parity.h"

namespace zk::deduce {

// One bit per edge class (at most 63 movable cells, so at most 63 classes)
// and one bit per movable cell.
using ClassMask = std::uint64_t;
using CellMask = std::uint64_t;

inline constexpr int NoCell = -1;

template <typename T>
constexpr std::size_t U(T i) {
    return static_cast<std::size_t>(i);
}
constexpr int OppositeSide(int side) {
    return (side + 2) % 4;
}
constexpr ClassMask Bit(int i) {
    return ClassMask{1} << i;
}

// The level as the rules see it: its movable cells, what each side faces,
// and the classes of its movable tiles with their counts.
struct Puzzle {
    int cellCount = 0;
    int classCount = 0;
    std::array<int, CellCount> boardIndex{}; // the board byte of each movable cell
    std::array<int, CellCount> cellAt{};     // the movable cell of each board byte, or NoCell
    // Per movable cell and side: the movable neighbour, or NoCell when the
    // side faces the border (code 0) or a fixed tile, whose code is then in
    // fixedCode.
    std::array<std::array<int, 4>, CellCount> neighbour{};
    std::array<std::array<int, 4>, CellCount> fixedCode{};
    std::array<Edges, CellCount> classEdges{};
    std::array<int, CellCount> classTotal{};
    std::array<int, CellCount> storedClass{};           // the class of the tile stored on each cell
    std::array<std::array<ClassMask, 4>, 4> withCode{}; // [side][code]
    std::array<ClassMask, 4> withKind{};                // [code]: an end of that kind anywhere
    ClassMask allClasses = 0;
    CellMask allCells = 0;
    // Per movable cell: the classes whose ends agree with the border and the
    // fixed tiles around it.
    std::array<ClassMask, CellCount> staticAllowed{};
    // The parity features of each class for each kind (slot kind - 1), and
    // what every fixed cell shows for each kind (movable cells left 0).
    std::array<std::array<FeatureSet, CellCount>, 3> classFeatures{};
    std::array<ParityCandidates, 3> fixedFeatures{};
    // The kinds some movable tile shows (bit per code): the parity of a
    // kind no movable tile shows cannot change.
    unsigned movableKinds = 0;
    // False when fixed tiles lead an end off the board or into each other
    // without its twin: then no arrangement of the movable tiles helps.
    bool fixedPartFits = true;
};

Puzzle BuildPuzzle(const LevelRecord& level);

// What every movable cell may still take.
struct State {
    std::array<ClassMask, CellCount> domain{};
};

State StartState(const Puzzle& puzzle);

inline bool IsDecided(ClassMask domain) {
    return domain != 0 && (domain & (domain - 1)) == 0;
}

// What the rule finders report. An entry is one deduction a player could
// make: some classes ruled out of some cells, about one cell (anchor) or
// about a group of tiles (anchor NoCell). A contradiction ends the search:
// the level as it stands has no solution.
struct Removal {
    int cell = 0;
    ClassMask classes = 0;
};

struct Findings {
    struct Entry {
        Rule rule = Rule::None;
        int anchor = NoCell;
        std::size_t first = 0; // into removals
        std::size_t count = 0;
    };
    std::vector<Entry> entries;
    std::vector<Removal> removals;
    bool contradiction = false;
    int contradictionCell = NoCell; // the movable cell nothing fits, where one is known

    void Clear() {
        entries.clear();
        removals.clear();
        contradiction = false;
        contradictionCell = NoCell;
    }
    void Contradiction(int cell) {
        if (!contradiction) {
            contradiction = true;
            contradictionCell = cell;
        }
    }
    // Opens an entry; Remove adds to it; Close drops it when it removes
    // nothing the cells still had.
    void Open(Rule rule, int anchor) { entries.push_back({rule, anchor, removals.size(), 0}); }
    void Remove(const State& state, int cell, ClassMask classes) {
        if ((state.domain[U(cell)] & classes) != 0) {
            removals.push_back({cell, state.domain[U(cell)] & classes});
        }
    }
    void Close() {
        Entry& e = entries.back();
        e.count = removals.size() - e.first;
        if (e.count == 0) {
            entries.pop_back();
        }
    }
};

// Applies one entry (all when entry is negative); false when a cell is left
// with nothing, and then contradictionCell names it.
bool Apply(const Puzzle& puzzle, State& state, const Findings& findings, int entry,
           int& contradictionCell);

// The finders, one per rule but the last (the driver tries "what if"
// itself). Each adds what its rule shows on the state to findings.
void FindEdge(const Puzzle& puzzle, const State& state, Findings& findings);
void FindSingle(const Puzzle& puzzle, const State& state, Findings& findings);
void FindNeighbour(const Puzzle& puzzle, const State& state, Findings& findings);
void FindCount(const Puzzle& puzzle, const State& state, Findings& findings);
void FindParity(const Puzzle& puzzle, const State& state, Findings& findings);
void FindPairs(const Puzzle& puzzle, const State& state, Findings& findings);

void Find(Rule rule, const Puzzle& puzzle, const State& state, Findings& findings);

inline constexpr CellMask AllCells = ~CellMask{0};

// Applies every rule up to highest (never "what if") until none shows
// anything more; false on a contradiction. changed: the cells narrowed since
// the state last settled under these rules, or AllCells for a state that
// never did (the border and the fixed tiles are then applied too).
bool Settle(const Puzzle& puzzle, State& state, Rule highest, Findings& scratch,
            CellMask changed = AllCells);

// The ladder without its record, from a state whose narrowing since it
// last settled is `changed`: the rules up to highest settle, and where
// "what if" is among them it is tried until the level is solved, no rule
// shows anything more, or whatIfLimit steps are spent (negative: no
// limit). The outcome and the "what if" steps taken are those Deduce
// records from the same state.
struct RunOutcome {
    DeductionOutcome outcome = DeductionOutcome::Stuck;
    int whatIfs = 0;
};
RunOutcome Run(const Puzzle& puzzle, State& state, Rule highest, int whatIfLimit,
               CellMask changed = AllCells);

} // namespace zk::deduce
