// The paced level set: the lessons, then each rule of the deducer brought
// in by levels that need it and nothing harder, then mixed with the rules
// before it; easier levels after hard stretches; the last ten the hardest.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "model/Generator.h"
#include "model/GeneratorMake.h"
#include "model/LevelSet.h"

namespace zk {

namespace {

using gen::Candidate;
using gen::Plan;
using gen::Shape;

constexpr int Lessons = 12;

// The twelve levels that open the set, each teaching one idea with a few
// tiles, and the first three rules on the way.
Plan Lesson(int index) {
    Plan p;
    p.codeWeight = {0, 10, 0, 0};
    // Before the lesson on fixed tiles with connections, none is pinned.
    p.maxPins = index < 4 ? 0 : 6;
    p.maxWhatIfs = 0;
    p.minRule = Rule::Edge;
    p.rule = Rule::Neighbour;
    switch (index) {
    case 0: // a connection meets its twin
        p.minSize = p.maxSize = 4;
        p.shape = Shape::Rectangle;
        p.rule = Rule::Edge;
        break;
    case 1: // nothing leads off the board
        p.minSize = 5;
        p.maxSize = 6;
        p.shape = Shape::Bar;
        p.alongBorder = true;
        p.rule = Rule::Edge;
        break;
    case 2: // a second kind of connection
        p.minSize = p.maxSize = 6;
        p.shape = Shape::Rectangle;
        p.codeWeight = {0, 6, 8, 0};
        p.requiredCodes = 1U << 2;
        p.minRule = p.rule = Rule::Single;
        break;
    case 3: // a third kind
        p.minSize = 6;
        p.maxSize = 7;
        p.shape = Shape::Blob;
        p.codeWeight = {0, 6, 0, 8};
        p.requiredCodes = 1U << 3;
        p.minRule = p.rule = Rule::Single;
        break;
    case 4: // a fixed tile whose connection the network must reach
        p.minSize = 6;
        p.maxSize = 7;
        p.shape = Shape::T;
        p.codeWeight = {0, 8, 5, 0};
        p.minAnchors = p.maxAnchors = 1;
        p.rule = Rule::Single;
        break;
    case 5: // a hole in the area
        p.minSize = 8;
        p.maxSize = 9;
        p.shape = Shape::Rectangle;
        p.codeWeight = {0, 8, 5, 0};
        p.holes = 1;
        p.minRule = Rule::Neighbour;
        break;
    case 6: // two rooms scrambled together
        p.minSize = 8;
        p.maxSize = 9;
        p.shape = Shape::Rooms;
        p.codeWeight = {0, 8, 0, 6};
        break;
    case 7: // empty cells move too
        p.minSize = 8;
        p.maxSize = 9;
        p.shape = Shape::L;
        p.codeWeight = {0, 8, 0, 5};
        p.emptyWeight = 8;
        p.minEmpty = 2;
        p.maxEmptyPercent = 40;
        p.minRule = Rule::Neighbour;
        break;
    case 8: // two kinds in one tile
        p.minSize = 8;
        p.maxSize = 9;
        p.shape = Shape::U;
        p.codeWeight = {0, 7, 7, 0};
        p.needMixed = true;
        break;
    case 9: // branches and crossings
        p.minSize = 9;
        p.maxSize = 10;
        p.shape = Shape::Cross;
        p.codeWeight = {0, 8, 0, 6};
        p.needBranch = true;
        break;
    case 10: // a ring around a fixed centre
        p.minSize = 8;
        p.maxSize = 10;
        p.shape = Shape::Ring;
        p.codeWeight = {0, 0, 7, 7};
        break;
    default: // all three kinds together
        p.minSize = 9;
        p.maxSize = 10;
        p.shape = Shape::Blob;
        p.codeWeight = {0, 6, 6, 6};
        p.requiredCodes = 0b1110;
        p.maxAnchors = 1;
        break;
    }
    return p;
}

// Where each part of the set begins, on the scale of the shipped set's
// levels: the hardest rule it may use, whether it introduces that rule, and
// how many "what if" steps a level may take.
struct Part {
    int from;
    Rule top;
    bool introduces;
    int whatIfs;
};
constexpr Part Parts[] = {
    {13, Rule::Neighbour, false, 0}, {23, Rule::Count, true, 0},   {26, Rule::Count, false, 0},
    {46, Rule::Parity, true, 0},     {49, Rule::Parity, false, 0}, {71, Rule::Pairs, true, 0},
    {74, Rule::Pairs, false, 0},     {101, Rule::WhatIf, true, 1}, {104, Rule::WhatIf, false, 1},
    {141, Rule::WhatIf, false, 2},
};
// The last levels: the only ones that need "what if" three times, so each is
// harder than every level before them; the finale takes the most effort.
constexpr int FinalStretch = 10;
constexpr int MostWhatIfs = 3;
// Movable cells: never more; and before the final stretch, at most.
constexpr int MostCells = 45;
constexpr int MostCellsBefore = 36;

int Interpolate(int at, std::initializer_list<std::pair<int, int>> keys) {
    const std::pair<int, int>* previous = nullptr;
    for (const auto& key : keys) {
        if (at <= key.first) {
            if (previous == nullptr) {
                return key.second;
            }
            return previous->second + (key.second - previous->second) * (at - previous->first) /
                                          std::max(1, key.first - previous->first);
        }
        previous = &key;
    }
    return previous->second;
}

// The kinds of connection, weighted per code.
std::array<int, 4> DrawCodes(Dice& dice, int position, Rule rule) {
    if (position < 30) {
        return dice.Chance(50) ? std::array<int, 4>{0, 8, 6, 0} : std::array<int, 4>{0, 8, 4, 6};
    }
    // The parity is easiest to see with one or two kinds.
    const int first = rule == Rule::Parity ? 5 : 0;
    return gen::CodeMixes[static_cast<std::size_t>(
        dice.Range(first, static_cast<int>(gen::CodeMixes.size()) - 1))];
}

// A shape for about this many cells: not the last level's, the least used
// first, pictures more and more often as the set goes on.
Shape DrawShape(Dice& dice, int position, int cells, std::optional<Shape> last,
                const std::array<int, gen::ShapeCount>& used) {
    const int picturePercent = position < 30 ? 0 : Interpolate(position, {{30, 20}, {200, 75}});
    const bool picture = dice.Chance(picturePercent);
    std::vector<Shape> shapes;
    std::vector<int> weights;
    for (int s = 0; s < gen::ShapeCount; ++s) {
        const auto shape = static_cast<Shape>(s);
        if (shape == last || gen::IsPicture(shape) != picture) {
            continue;
        }
        if (picture && std::abs(gen::PictureCells(shape) - cells) > 8) {
            continue;
        }
        shapes.push_back(shape);
        weights.push_back(12 / (1 + used[static_cast<std::size_t>(s)]) + 1);
    }
    if (shapes.empty()) {
        return last == Shape::Blob ? Shape::Rectangle : Shape::Blob;
    }
    return shapes[static_cast<std::size_t>(dice.Weighted(weights))];
}

struct Pace {
    int strain = 0;    // hardness since the last breather
    int threshold = 0; // the strain that calls for one
    int lastSize = -1; // 0 small, 1 middling, 2 large
    std::optional<Shape> lastShape;
    std::array<int, gen::ShapeCount> used{};
    std::set<std::pair<gen::Area, std::vector<TileNumber>>> seen;
};

struct Target {
    Plan plan;
    bool breather = false;
    int size = -1;
};

// What the level at this position of the shipped scale is to be.
Target Aim(int position, int count, int number, const Pace& pace, std::optional<Rule>& drawn,
           Dice& dice) {
    Target t;
    Plan& p = t.plan;
    const Part* part = &Parts[0];
    for (const Part& candidate : Parts) {
        part = position >= candidate.from ? &candidate : part;
    }
    const bool finalStretch = number > count - FinalStretch && count >= 2 * FinalStretch + Lessons;
    const bool introducing = part->introduces && position < part->from + 3;
    const bool breather = !finalStretch && !introducing && pace.strain >= pace.threshold;
    t.breather = breather;
    const int base =
        Interpolate(position, {{13, 11}, {40, 15}, {70, 19}, {100, 22}, {150, 26}, {190, 30}});
    int size = dice.Below(3);
    if (size == pace.lastSize) {
        size = (size + 1 + dice.Below(2)) % 3;
    }
    t.size = size;
    p.minCells = base - 5 + 5 * size;
    p.maxCells = std::min(MostCellsBefore, p.minCells + 6);
    p.maxWhatIfs = 0;
    if (breather) {
        p.minRule = Rule::Single;
        p.rule = Rule::Neighbour;
        p.minCells = std::max(8, base * 3 / 5 - 2);
        p.maxCells = p.minCells + 5;
    } else if (introducing) {
        p.minRule = p.rule = part->top;
        p.minWhatIfs = p.maxWhatIfs = part->whatIfs;
        p.minCells = base - 4;
        p.maxCells = base + 3;
    } else if (finalStretch) {
        p.minRule = p.rule = Rule::WhatIf;
        p.minWhatIfs = p.maxWhatIfs = MostWhatIfs;
        // Sizes alternate between two bands six cells apart, the finale
        // among the larger ones, so that no seven in a row look alike.
        const bool larger = (count - number) % 2 == 0;
        p.minCells = larger ? 35 : 24;
        p.maxCells = larger ? 40 : 29;
    } else {
        // The newest rule most often, the one before it next, the others
        // now and then; "what if" at most as often as the part allows.
        // The easiest rules come back in the breathers once the rules with
        // some thought to them are there. The rule drawn stays the level's
        // while the dice try shapes and sizes for it.
        if (!drawn) {
            std::vector<int> weights(RuleCount + 1, 0);
            const int top = RuleNumber(part->top);
            for (int r = RuleNumber(Rule::Single); r <= top; ++r) {
                const bool easy = r <= RuleNumber(Rule::Neighbour);
                weights[static_cast<std::size_t>(r)] = r == top                                 ? 5
                                                       : r == top - 1                           ? 3
                                                       : r == top - 2                           ? 2
                                                       : easy && top > RuleNumber(Rule::Parity) ? 0
                                                                                                : 1;
            }
            drawn = RuleFromNumber(dice.Weighted(weights));
        }
        const Rule rule = *drawn;
        p.minRule = p.rule = rule;
        if (rule == Rule::WhatIf) {
            p.minWhatIfs = 1;
            p.maxWhatIfs = part->whatIfs;
        }
    }
    p.minCells = std::max(p.minCells, 6);
    p.minSize = p.minCells + 1;
    p.maxSize = p.maxCells + 4;
    p.codeWeight = DrawCodes(dice, position, p.rule);
    p.emptyWeight = position < 60 ? 4 : 3;
    p.minAnchors = position < 40 ? 0 : position < 100 ? 0 : 1;
    p.maxAnchors = position < 40 ? 1 : position < 100 ? 2 : 3;
    p.shape =
        DrawShape(dice, position, (p.minCells + p.maxCells) / 2 + 2, pace.lastShape, pace.used);
    return t;
}

// Whether the level may follow the ones before it: not the same shape as
// the last, not a seventh in a row with the same hardest rule and movable
// cells within 5 of each other, not a level the set has already.
bool MayFollow(const Candidate& c, const std::vector<GeneratedLevel>& levels, const Pace& pace) {
    if (!levels.empty() && levels.back().shape == c.level.shape) {
        return false;
    }
    if (pace.seen.count({c.area, c.tiles}) != 0) {
        return false;
    }
    constexpr int LongestRun = 6;
    if (static_cast<int>(levels.size()) >= LongestRun) {
        int low = c.level.movableCells;
        int high = low;
        bool same = true;
        for (std::size_t i = levels.size() - LongestRun; i < levels.size() && same; ++i) {
            same = levels[i].rating.hardest == c.level.rating.hardest;
            low = std::min(low, levels[i].movableCells);
            high = std::max(high, levels[i].movableCells);
        }
        if (same && high - low <= 5) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count) {
    count = std::clamp(count, 1, MaxLevels);
    Dice dice(seed);
    std::vector<GeneratedLevel> levels;
    Pace pace;
    pace.threshold = dice.Range(12, 20);
    const auto positionOf = [count](int number) {
        return count <= Lessons + 1 ? number
                                    : Lessons + 1 +
                                          (number - 1 - Lessons) * (ShippedCount - Lessons - 1) /
                                              (count - Lessons - 1);
    };
    // A level for the place: the first the dice give that may follow the
    // levels before it and stays within the effort asked (the finale: the
    // hardest of a few).
    const auto make = [&](int number, int candidates, int maxEffort, std::optional<Shape> avoid,
                          Target& target) {
        std::optional<Rule> drawn;
        std::optional<Candidate> best;
        int valid = 0;
        for (int attempt = 0; attempt < 3000 && valid < candidates; ++attempt) {
            // A new aim now and then, so that no draw of the dice holds up
            // the set; a lesson keeps its own.
            if (attempt % 40 == 0) {
                target = number <= Lessons
                             ? Target{Lesson(number - 1)}
                             : Aim(positionOf(number), count, number, pace, drawn, dice);
                // Where the dice will not give what was asked, ask for less.
                if (attempt >= 1000) {
                    target.plan.minRule = std::min(target.plan.minRule, Rule::Single);
                }
            }
            std::optional<Candidate> c = gen::MakeCandidate(target.plan, dice);
            const bool fits = c && c->level.rating.effort <= maxEffort &&
                              (!avoid || c->level.shape != gen::ShapeName(*avoid)) &&
                              (candidates == 1 ? MayFollow(*c, levels, pace)
                                               : pace.seen.count({c->area, c->tiles}) == 0);
            if (!fits) {
                continue;
            }
            ++valid;
            if (!best || c->level.rating.effort > best->level.rating.effort) {
                best = std::move(c);
            }
        }
        if (!best) {
            throw std::runtime_error("no level could be generated for place " +
                                     std::to_string(number));
        }
        return std::move(*best);
    };
    const auto keep = [&](Candidate c, const Target& target) {
        pace.seen.insert({c.area, c.tiles});
        if (target.breather) {
            pace.strain = 0;
            pace.threshold = dice.Range(12, 20);
        }
        pace.lastSize = target.size;
        pace.strain += std::max(0, RuleNumber(c.level.rating.hardest) - 2);
        pace.lastShape = target.plan.shape;
        ++pace.used[static_cast<std::size_t>(target.plan.shape)];
        levels.push_back(std::move(c.level));
    };
    // The finale is made as the final stretch begins, the hardest of a
    // few; the levels of the stretch then stay below its effort.
    const bool stretch = count >= 2 * FinalStretch + Lessons;
    std::optional<std::pair<Candidate, Target>> finale;
    for (int number = 1; number <= count; ++number) {
        if (stretch && number == count - FinalStretch + 1) {
            Target target;
            Candidate c = make(count, 3, INT_MAX, std::nullopt, target);
            pace.seen.insert({c.area, c.tiles});
            finale.emplace(std::move(c), target);
        }
        if (finale && number == count) {
            keep(std::move(finale->first), finale->second);
            break;
        }
        Target target;
        const bool beforeFinale = finale.has_value();
        Candidate c = make(
            number, 1, beforeFinale ? finale->first.level.rating.effort - 1 : INT_MAX,
            beforeFinale && number == count - 1 ? std::optional<Shape>(finale->second.plan.shape)
                                                : std::nullopt,
            target);
        keep(std::move(c), target);
    }
    return levels;
}

} // namespace zk
