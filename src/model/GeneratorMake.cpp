#include "model/GeneratorMake.h"

#include <algorithm>
#include <bit>

#include "model/DeducerRules.h"
#include "model/GeneratorFill.h"

namespace zk::gen {
namespace {

bool TouchesBorder(const Area& area, int atLeast) {
    int n = 0;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            n += area[At(c, r)] && (c == 0 || r == 0 || c == Columns - 1 || r == Rows - 1) ? 1 : 0;
        }
    }
    return n >= atLeast;
}

// Cells with the most of the area around them keep the background: the
// network goes round them.
bool CutHoles(Area& area, int holes, Dice& dice) {
    for (int h = 0; h < holes; ++h) {
        std::vector<std::size_t> inside;
        int most = 3;
        for (int c = 0; c < Columns; ++c) {
            for (int r = 0; r < Rows; ++r) {
                int around = 0;
                for (int s = 0; s < 4; ++s) {
                    const int nc = c + ColumnStep[s];
                    const int nr = r + RowStep[s];
                    around += IsOnBoard(nc, nr) && area[At(nc, nr)] ? 1 : 0;
                }
                if (!area[At(c, r)] || around < most) {
                    continue;
                }
                if (around > most) {
                    inside.clear();
                    most = around;
                }
                inside.push_back(At(c, r));
            }
        }
        if (inside.empty()) {
            return false;
        }
        area[dice.Pick(inside)] = false;
    }
    return true;
}

// Whether the fill shows what the plan asks of its tiles.
bool FillMeetsPlan(const LevelRecord& level, const Area& area, const Plan& plan) {
    unsigned shown = 0;
    bool mixed = false;
    bool branch = false;
    int empty = 0;
    int movable = 0;
    int holdable = 0;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (!area[i]) {
            continue;
        }
        const Edges e = TileEdges(level[i]);
        ++movable;
        empty += level[i] == EmptyTile ? 1 : 0;
        holdable += IsHoldable(level[i]) ? 1 : 0;
        shown |= CodesOf(e);
        mixed = mixed || std::popcount(CodesOf(e)) >= 2;
        branch = branch || Connections(e) >= 3;
    }
    return movable - empty >= 4 && holdable >= 1 && empty >= plan.minEmpty &&
           empty * 100 <= plan.maxEmptyPercent * movable &&
           (shown & plan.requiredCodes) == plan.requiredCodes && (!plan.needMixed || mixed) &&
           (!plan.needBranch || branch) && IsSolved(level);
}

// Pins movable tiles, cells the rules leave open drawn at random, until the
// rules up to the plan's hardest solve the level. Answers the board bytes
// pinned, or none when the pins ran out first.
std::optional<std::vector<std::size_t>> PinUntilSolved(const LevelRecord& level, const Plan& plan,
                                                       Dice& dice) {
    using namespace deduce;
    const Puzzle p = BuildPuzzle(level);
    State s = StartState(p);
    const bool whatIf = plan.rule == Rule::WhatIf;
    int whatIfsLeft = whatIf ? plan.maxWhatIfs : 0;
    RunOutcome run = Run(p, s, plan.rule, whatIfsLeft);
    std::vector<std::size_t> pinned;
    while (run.outcome == DeductionOutcome::Stuck &&
           static_cast<int>(pinned.size()) < plan.maxPins) {
        whatIfsLeft = std::max(0, whatIfsLeft - run.whatIfs);
        std::vector<int> open;
        for (int x = 0; x < p.cellCount; ++x) {
            if (!IsDecided(s.domain[U(x)]) && CanPin(level[U(p.boardIndex[U(x)])])) {
                open.push_back(x);
            }
        }
        if (open.empty()) {
            return std::nullopt;
        }
        const int x = dice.Pick(open);
        s.domain[U(x)] = Bit(p.storedClass[U(x)]);
        pinned.push_back(U(p.boardIndex[U(x)]));
        run = Run(p, s, plan.rule, whatIfsLeft, CellMask{1} << x);
    }
    if (run.outcome != DeductionOutcome::Solved) {
        return std::nullopt;
    }
    // Then every pin the rules can do without goes again, in a random
    // order: the level becomes as hard as the plan allows.
    for (std::size_t i = pinned.size(); i > 1; --i) {
        std::swap(pinned[i - 1], pinned[U(dice.Below(static_cast<int>(i)))]);
    }
    for (std::size_t i = 0; i < pinned.size();) {
        State t = StartState(p);
        for (std::size_t j = 0; j < pinned.size(); ++j) {
            const int x = p.cellAt[pinned[j]];
            t.domain[U(x)] = j == i ? t.domain[U(x)] : Bit(p.storedClass[U(x)]);
        }
        if (Run(p, t, plan.rule, whatIf ? plan.maxWhatIfs : 0).outcome ==
            DeductionOutcome::Solved) {
            pinned.erase(pinned.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return pinned;
}

} // namespace

std::optional<Candidate> MakeCandidate(const Plan& plan, Dice& dice) {
    Area area{};
    bool sized = false;
    for (int attempt = 0; attempt < 40 && !sized; ++attempt) {
        area = MakeArea(plan.shape, dice, dice.Range(plan.minSize, plan.maxSize));
        const int cells = CountCells(area);
        sized = (IsPicture(plan.shape) ||
                 (cells >= plan.minSize + plan.holes && cells <= plan.maxSize + plan.holes)) &&
                cells > 0 && (!plan.alongBorder || TouchesBorder(area, 3));
    }
    if (!sized || !CutHoles(area, plan.holes, dice)) {
        return std::nullopt;
    }

    Candidate out;
    LevelRecord& level = out.level.record;
    const TileNumber blank = dice.Pick(BackgroundTiles);
    level.fill(blank);
    unsigned codes = 0;
    for (std::size_t code = 1; code < 4; ++code) {
        codes |= plan.codeWeight[code] > 0 ? 1U << code : 0U;
    }
    const std::vector<TileNumber> anchorTiles = AnchorTiles(codes);
    std::vector<std::size_t> anchors;
    const int anchorCount = dice.Range(plan.minAnchors, plan.maxAnchors);
    for (int a = 0; a < anchorCount; ++a) {
        if (!PlaceAnchor(level, area, anchors, anchorTiles, dice)) {
            return std::nullopt;
        }
    }
    if (!FillArea(level, area, MakePalette(plan.codeWeight, plan.emptyWeight), dice) ||
        !FillMeetsPlan(level, area, plan)) {
        return std::nullopt;
    }

    const auto pinned = PinUntilSolved(level, plan, dice);
    if (!pinned) {
        return std::nullopt;
    }
    for (const std::size_t cell : *pinned) {
        level[cell] = PinnedTile(level[cell], blank, dice);
        area[cell] = false;
    }
    // Rules easier than the plan's must not solve it; the whole ladder must,
    // within the plan's "what if" steps.
    if (plan.minRule > Rule::Edge) {
        const deduce::Puzzle p = deduce::BuildPuzzle(level);
        deduce::State s = deduce::StartState(p);
        if (deduce::Run(p, s, RuleFromNumber(RuleNumber(plan.minRule) - 1), 0).outcome ==
            DeductionOutcome::Solved) {
            return std::nullopt;
        }
    }
    DeduceOptions options;
    options.whatIfLimit = plan.maxWhatIfs;
    const RuleRating rating = RateDeduction(Deduce(level, options));
    const int whatIfs = rating.uses[static_cast<std::size_t>(RuleNumber(Rule::WhatIf))];
    int cells = 0;
    int tiles = 0;
    int holdable = 0;
    for (const TileNumber t : level) {
        cells += IsMovable(t) ? 1 : 0;
        tiles += IsMovable(t) && t != EmptyTile ? 1 : 0;
        holdable += IsHoldable(t) ? 1 : 0;
    }
    if (!rating.solved || rating.hardest < plan.minRule || rating.hardest > plan.rule ||
        whatIfs < plan.minWhatIfs || whatIfs > plan.maxWhatIfs || cells < plan.minCells ||
        cells > plan.maxCells || tiles < 4 || holdable < 1) {
        return std::nullopt;
    }
    out.level.rating = rating;
    out.level.movableCells = cells;
    out.level.shape = std::string(ShapeName(plan.shape));
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (area[i]) {
            out.tiles.push_back(level[i]);
        }
    }
    std::sort(out.tiles.begin(), out.tiles.end());
    out.area = area;

    // A few ornaments on the background, never beside each other.
    std::vector<std::size_t> plain;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (level[i] == blank && !area[i]) {
            plain.push_back(i);
        }
    }
    const int ornaments = std::min(static_cast<int>(plain.size()) / 8, dice.Range(0, 3));
    for (int placed = 0, guard = 0; placed < ornaments && guard < 40; ++guard) {
        const std::size_t cell = dice.Pick(plain);
        const int c = static_cast<int>(cell) / Rows;
        const int r = static_cast<int>(cell) % Rows;
        bool alone = level[cell] == blank;
        for (int dc = -1; dc <= 1 && alone; ++dc) {
            for (int dr = -1; dr <= 1 && alone; ++dr) {
                alone = !IsOnBoard(c + dc, r + dr) ||
                        std::find(OrnamentTiles.begin(), OrnamentTiles.end(),
                                  level[At(c + dc, r + dr)]) == OrnamentTiles.end();
            }
        }
        if (alone) {
            level[cell] = dice.Pick(OrnamentTiles);
            ++placed;
        }
    }
    return out;
}

} // namespace zk::gen
