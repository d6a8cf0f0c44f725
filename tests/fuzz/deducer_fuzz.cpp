// The deducer on any 63-byte record, with a few "what if" steps at most: it
// ends, and what it says holds. A solve is an arrangement of the level's own
// tiles that passes the solution check, and the reason it gives for every
// cell names the tile the solve put there. A level stored solved is never
// refuted, nor given a reason why it cannot be solved, and no cell of it is
// decided against the tile it holds. The check of a level agrees.
#include <algorithm>
#include <cstring>

#include "FuzzSupport.h"
#include "model/Board.h"
#include "model/Deducer.h"
#include "model/DeducerCheck.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LevelRecord level{};
    std::memcpy(level.data(), data, std::min<std::size_t>(size, level.size()));

    DeduceOptions options;
    options.whatIfLimit = 2;
    const Deduction d = Deduce(level, options);
    const RuleRating rating = RateDeduction(d);
    ZK_REQUIRE(rating.profile.size() == d.steps.size());
    ZK_REQUIRE(rating.solved == (d.outcome == DeductionOutcome::Solved));
    ZK_REQUIRE(rating.uses[RuleNumber(Rule::WhatIf)] <= options.whatIfLimit);
    ZK_REQUIRE(!RuleName(rating.hardest).empty());

    if (d.outcome == DeductionOutcome::Solved) {
        ZK_REQUIRE(d.solution && IsSolved(*d.solution));
        ZK_REQUIRE(IsArrangementOf(*d.solution, level));
    }
    const bool storedSolved = IsSolved(level);
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const auto i = static_cast<std::size_t>(CellIndex(c, r));
            const auto reason = ExplainCell(d, Cell{c, r});
            ZK_REQUIRE(!reason || IsMovable(level[i]));
            ZK_REQUIRE(!reason || reason->rule <= reason->hardest);
            if (reason && d.solution) {
                ZK_REQUIRE(reason->edges == TileEdges((*d.solution)[i]));
            }
            if (reason && storedSolved) {
                ZK_REQUIRE(reason->edges == TileEdges(level[i]));
            }
        }
    }
    if (storedSolved) {
        ZK_REQUIRE(d.outcome != DeductionOutcome::Contradiction);
        ZK_REQUIRE(!FindFlaw(level, options.whatIfLimit));
    }
    ZK_REQUIRE(!ExplainCell(d, Cell{-1, 0}) && !ExplainCell(d, Cell{Columns, Rows}));
    return 0;
}
