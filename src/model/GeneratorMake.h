// One level of the generator from a plan: what it is to look like and the
// hardest of the deducer's rules it is to need.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/Dice.h"
#include "model/Generator.h"
#include "model/GeneratorShapes.h"

namespace zk::gen {

// Mixtures of the kinds of connection, a weight per code 1..3 (0 keeps a
// code out); the last three have only two kinds, where the parity is
// easiest to see.
inline constexpr std::array<std::array<int, 4>, 8> CodeMixes = {{{0, 6, 6, 6},
                                                                 {0, 8, 2, 7},
                                                                 {0, 3, 7, 7},
                                                                 {0, 7, 7, 3},
                                                                 {0, 5, 4, 8},
                                                                 {0, 8, 0, 6},
                                                                 {0, 0, 6, 6},
                                                                 {0, 8, 6, 0}}};

struct Plan {
    Shape shape = Shape::Rectangle;
    int minSize = 4; // movable cells of the area as drawn
    int maxSize = 6;
    std::array<int, 4> codeWeight{0, 10, 0, 0}; // per code 1..3; 0 keeps a code out
    unsigned requiredCodes = 0;                 // codes the movable tiles must show (bit c)
    int emptyWeight = 0;
    int minEmpty = 0;
    int maxEmptyPercent = 30;
    int minAnchors = 0; // fixed tiles with connections on the rim
    int maxAnchors = 0;
    int holes = 0;            // fixed cells inside the area
    bool needMixed = false;   // a tile with two kinds of connection
    bool needBranch = false;  // a tile with three or four connections
    bool alongBorder = false; // the area runs along the board's border
    // The hardest rule the level needs lies in minRule..rule; "what if" is
    // needed minWhatIfs..maxWhatIfs times.
    Rule minRule = Rule::Edge;
    Rule rule = Rule::Single;
    int minWhatIfs = 0;
    int maxWhatIfs = 3;
    int maxPins = 16;
    int minCells = 4; // movable cells once pinned
    int maxCells = 45;
};

struct Candidate {
    GeneratedLevel level;
    Area area{};                   // the movable cells once pinned
    std::vector<TileNumber> tiles; // the movable tiles, sorted
};

// A level made to the plan, or none when this draw of the dice did not
// give one (the caller draws again).
std::optional<Candidate> MakeCandidate(const Plan& plan, Dice& dice);

} // namespace zk::gen
