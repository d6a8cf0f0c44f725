#include "model/Generator.h"

#include "model/GeneratorMake.h"

namespace zk {

namespace {

using gen::Plan;
using gen::Shape;

// What a level of the band is to be: its rules and "what if" steps, its
// size, and a shape drawn at random, a picture only where it has about as
// many cells.
Plan BandPlan(Band band, Dice& dice) {
    Plan p;
    switch (band) {
    case Band::Easy:
        p.minRule = Rule::Single;
        p.rule = Rule::Neighbour;
        p.minCells = 8;
        p.maxCells = 18;
        break;
    case Band::Medium:
        p.minRule = Rule::Count;
        p.rule = Rule::Pairs;
        p.minCells = 14;
        p.maxCells = 26;
        break;
    case Band::Hard:
        p.minRule = p.rule = Rule::WhatIf;
        p.minWhatIfs = p.maxWhatIfs = 1;
        p.minCells = 16;
        p.maxCells = 30;
        break;
    case Band::Expert:
        p.minRule = p.rule = Rule::WhatIf;
        p.minWhatIfs = 2;
        p.maxWhatIfs = 3;
        p.minCells = 20;
        p.maxCells = 34;
        break;
    }
    if (p.rule < Rule::WhatIf) {
        p.maxWhatIfs = 0;
    }
    p.minSize = p.minCells + 1;
    p.maxSize = p.maxCells + 4;
    p.codeWeight = gen::CodeMixes[static_cast<std::size_t>(
        dice.Below(static_cast<int>(gen::CodeMixes.size())))];
    p.emptyWeight = 3;
    p.maxAnchors = dice.Range(0, 2);
    std::vector<Shape> shapes;
    for (int s = 0; s < gen::ShapeCount; ++s) {
        const auto shape = static_cast<Shape>(s);
        const int cells = gen::PictureCells(shape);
        if (!gen::IsPicture(shape) || (cells >= p.minCells && cells <= p.maxCells + 6)) {
            shapes.push_back(shape);
        }
    }
    p.shape = dice.Pick(shapes);
    return p;
}

} // namespace

std::optional<Band> BandOf(const RuleRating& rating) {
    const int whatIfs = rating.uses[static_cast<std::size_t>(RuleNumber(Rule::WhatIf))];
    if (!rating.solved || whatIfs > 3) {
        return std::nullopt;
    }
    if (rating.hardest <= Rule::Neighbour) {
        return Band::Easy;
    }
    if (rating.hardest < Rule::WhatIf) {
        return Band::Medium;
    }
    return whatIfs == 1 ? Band::Hard : Band::Expert;
}

GeneratedLevel GenerateLevel(Band band, std::uint64_t seed) {
    Dice dice(seed * BandCount + static_cast<std::uint64_t>(band));
    // Within a band about one level in twenty made comes out right; the
    // bound only keeps a freak of the dice from running on, and the easy
    // band, which nearly every draw gives, closes it.
    constexpr int Attempts = 20'000;
    for (int attempt = 0;; ++attempt) {
        const Band aim = attempt < Attempts ? band : Band::Easy;
        const Plan plan = BandPlan(aim, dice);
        for (int i = 0; i < 20; ++i, ++attempt) {
            const auto c = gen::MakeCandidate(plan, dice);
            if (c && BandOf(c->level.rating) == aim) {
                return c->level;
            }
        }
    }
}

} // namespace zk
