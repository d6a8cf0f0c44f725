#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "Corpus.h"
#include "model/SolverEngine.h"

// The search keeps the room and tiles left of each class, the codes each
// domain shows, the connection ends the remaining tiles must meet and the
// hash of the state up to date as it narrows, places and undoes, and brings
// some of them back whole at a mark. At every node of runs of every kind
// (fixed order, shuffled, scarce tiles first, a bound on cells kept) and of
// probing, on solvable and unsolvable levels, they agree with the same
// worked out afresh from the domains and the placed cells.
TEST(SolverEngine, KeepsItsCountsAndHashInStepWithTheDomains) {
    auto levels = zk::levels::PartialLevels(41, 60);
    const auto full = zk::levels::FullBoards(42, 3);
    levels.insert(levels.end(), full.begin(), full.end());
    const auto changed = zk::levels::ChangedLevels(43, 30, levels);
    levels.insert(levels.end(), changed.begin(), changed.end());

    std::uint64_t checks = 0;
    int solutions = 0;
    for (const auto& level : levels) {
        const auto model = zk::detail::BuildModel(level.record);
        if (!model.fixedPartFits) {
            continue;
        }
        std::array<int, zk::CellCount> stored{};
        for (std::size_t i = 0; i < stored.size(); ++i) {
            stored[i] = model.storedClass[i];
        }
        zk::detail::Engine::Options plain;
        plain.weighted = false;
        zk::detail::Engine::Options shuffled;
        shuffled.shuffleSeed = 5;
        shuffled.classSlack = 4;
        shuffled.tileFactor = 3;
        zk::detail::Engine::Options keeping;
        keeping.preferred = &stored;
        keeping.keepAtLeast = model.cellCount / 2;

        zk::detail::Engine engine(model);
        engine.CheckEveryNode(true);
        const std::function<bool(const zk::detail::Arrangement&)> onSolution =
            [&](const zk::detail::Arrangement&) { return ++solutions % 3 == 0; };
        for (const auto* options : {&plain, &shuffled, &keeping}) {
            engine.Run(*options, 3000, onSolution);
        }
        engine.Probe();
        engine.Run(shuffled, 3000, onSolution);
        EXPECT_EQ(engine.checksFailed(), 0U) << level.kind;
        checks += engine.checksDone();
    }
    EXPECT_GT(checks, 50000U);
    EXPECT_GT(solutions, 50);
}
