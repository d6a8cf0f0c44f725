// The crossing parity of the connections of one kind.
//
// Draw a line between two columns (or two rows) of the board. On a solved
// board every connection end of a kind on one side of the line either meets
// its twin on the same side or crosses the line, so the ends that do not
// cross pair up among themselves: their count is even. Loops, for instance,
// cross every line an even number of times. Each such statement is a rule:
// per board cell, the ends of a kind that count are a choice among five
// features of the tile there (an odd number of ends of the kind; an end of
// the kind on the east, north, west or south side), and the rule holds when
// the counted features over all cells add up to an even number.
//
// Sums of rules are rules too. Adding up every column line (and the border)
// gives a rule over the whole board: the tiles with an odd number of ends of
// a kind in the even columns, together with every east end of the kind,
// are even in number. The east ends of all tiles are known before any is
// placed, so this refutes a level whose tiles can never close, a loop board
// with an odd count of straights among them, before a single choice.
//
// Rules are checked over what a cell may still show: the caller keeps its
// own candidates (tiles, or edge classes) and tells, per cell, which feature
// combinations they show. Where every cell but one shows a known bit, the
// last one's bit is forced; where all are known, the rule holds or fails.
// When the caller also knows which cells are still to be filled and the
// tiles that will fill them, the check sees more: those tiles' features are
// known in sum, so a feature that every open cell counts alike drops out.
// Plain C++; the solver and the deducer share it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Board.h"

namespace zk {

// A tile's parity features for one kind: bit ParityOdd is set when the tile
// has an odd number of ends of the kind, bit ParityEnd(side) when that
// side's end is of the kind.
using ParityFeatures = std::uint8_t;
inline constexpr ParityFeatures ParityOdd = 1;
constexpr ParityFeatures ParityEnd(int side) {
    return static_cast<ParityFeatures>(2U << side);
}
inline constexpr int ParityFeatureCount = 32; // combinations of the five bits

// The connection kinds the rules are about.
inline constexpr int FirstKind = 1;
inline constexpr int LastKind = 3;

ParityFeatures FeaturesOf(const Edges& edges, int kind);
inline ParityFeatures FeaturesOf(TileNumber tile, int kind) {
    return FeaturesOf(TileEdges(tile), kind);
}

// The feature combinations a cell may still show: bit f set when some
// candidate shows features f.
using FeatureSet = std::uint32_t;
constexpr FeatureSet FeatureSetOf(ParityFeatures f) {
    return FeatureSet{1} << f;
}

// A line between column index and index + 1 (index 0..7), or between row
// index and index + 1 (index 0..5). Row 0 is the top row.
enum class LineAxis : std::uint8_t { BetweenColumns, BetweenRows };
struct ParityLine {
    LineAxis axis = LineAxis::BetweenColumns;
    int index = 0;
    bool operator==(const ParityLine&) const = default;
};
inline constexpr int ColumnLineCount = Columns - 1;
inline constexpr int RowLineCount = Rows - 1;
inline constexpr int ParityLineCount = ColumnLineCount + RowLineCount;

// Every line, the column lines first, left to right, then the row lines,
// top to bottom.
std::array<ParityLine, ParityLineCount> ParityLines();

// Whether a cell lies on the near side of the line: left of a column line,
// above a row line.
bool OnNearSide(const ParityLine& line, Cell cell);

// Which rule it is, in words a player could use.
enum class RuleFamily : std::uint8_t {
    NearSide,   // the kind's ends left of (above) the line that do not cross it
    FarSide,    // the same right of (below) the line
    AllColumns, // every column line and the right border summed up
    AllRows,    // every row line and the bottom border summed up
};

struct ParityRule {
    RuleFamily family = RuleFamily::NearSide;
    int kind = FirstKind;
    ParityLine line; // for NearSide and FarSide
    // Per board cell (column x 7 + row): the features that count there.
    std::array<ParityFeatures, CellCount> counts{};
};

// The parity bit a tile with these features adds to the rule at a cell.
bool ParityBit(const ParityRule& rule, int cellIndex, ParityFeatures features);

// Every rule for the 9 x 7 board, by kind: the near and the far side of
// every line, then the two sums. The same list every call.
const std::vector<ParityRule>& ParityRules();

// What one cell may still show, for one kind, over the whole board. A cell
// the caller knows nothing about may show everything (AnyFeatures).
inline constexpr FeatureSet AnyFeatures = ~FeatureSet{0};
using ParityCandidates = std::array<FeatureSet, CellCount>;

// The cells still to be filled (bit per board cell index) and the sum of
// the features of the tiles that will fill them (each bit the parity of the
// count of those tiles with that feature).
struct ParityPool {
    std::uint64_t openCells = 0;
    ParityFeatures featureSum = 0;
};

struct ParityVerdict {
    enum class State {
        Holds,  // every bit the rule counts is known and they add up to even
        Open,   // two or more cells may still go either way
        Forced, // one cell decides it: it must show one of `allowed`
        Broken, // no way to satisfy the rule: the position has no solution
    };
    State state = State::Open;
    int cellIndex = -1;     // the forced cell
    FeatureSet allowed = 0; // what the forced cell may show
};

// Checks one rule against the candidates of its kind. With a pool, the
// tiles still to come are counted in sum as well. A cell with no candidate
// at all (an empty set) breaks every rule that counts anything there.
ParityVerdict CheckRule(const ParityRule& rule, const ParityCandidates& candidates,
                        const std::optional<ParityPool>& pool = std::nullopt);

// Every rule at once, per kind the candidates and optionally the pool (slot
// kind - 1): the first broken rule, else the first forcing one, else Holds
// or Open.
struct ParityFinding {
    ParityVerdict verdict;
    const ParityRule* rule = nullptr; // the rule that broke or forced
};
ParityFinding CheckAllRules(const std::array<ParityCandidates, 3>& candidates,
                            const std::array<std::optional<ParityPool>, 3>& pools = {});

// The candidates of a board whose every cell is known.
std::array<ParityCandidates, 3> CandidatesOf(const LevelRecord& cells);

} // namespace zk
