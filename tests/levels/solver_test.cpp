#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "Corpus.h"
#include "model/Random.h"
#include "model/Solver.h"
#include "model/SolverEngine.h"

namespace {

using zk::LevelRecord;
using zk::Solvability;

constexpr zk::TileNumber Blank = 91; // fixed, no connection

void Put(LevelRecord& level, int column, int row, zk::TileNumber t) {
    level[static_cast<std::size_t>(zk::CellIndex(column, row))] = t;
}

LevelRecord AllBlankExcept(std::initializer_list<std::pair<std::pair<int, int>, int>> cells) {
    LevelRecord level;
    level.fill(Blank);
    for (const auto& [cell, t] : cells) {
        Put(level, cell.first, cell.second, static_cast<zk::TileNumber>(t));
    }
    return level;
}

int EdgeKey(zk::TileNumber t) {
    const zk::Edges e = zk::TileEdges(t);
    return e[0] | e[1] << 2 | e[2] << 4 | e[3] << 6;
}

// Counts distinct solutions by trying every distinct arrangement of the
// movable edge classes over the movable cells.
int BruteForceCount(const LevelRecord& level) {
    std::vector<std::size_t> cells;
    std::vector<zk::TileNumber> tiles;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (zk::IsMovable(level[i])) {
            cells.push_back(i);
            tiles.push_back(level[i]);
        }
    }
    // One representative tile per edge class, so arrangements that differ
    // only by identical-edge tiles are enumerated once.
    std::vector<zk::TileNumber> representative(256, 0);
    for (int t = 90; t >= 0; --t) {
        representative[static_cast<std::size_t>(EdgeKey(static_cast<zk::TileNumber>(t)))] =
            static_cast<zk::TileNumber>(t);
    }
    for (auto& t : tiles) {
        t = representative[static_cast<std::size_t>(EdgeKey(t))];
    }
    std::sort(tiles.begin(), tiles.end());
    int count = 0;
    LevelRecord trial = level;
    do {
        for (std::size_t k = 0; k < cells.size(); ++k) {
            trial[cells[k]] = tiles[k];
        }
        count += zk::IsSolved(trial) ? 1 : 0;
    } while (std::next_permutation(tiles.begin(), tiles.end()));
    return count;
}

// The code-1 tile with connections on exactly the given sides (bit s: side s).
zk::TileNumber CodeOneTile(unsigned sides) {
    for (int t = 0; t <= 90; ++t) {
        const zk::Edges e = zk::TileEdges(static_cast<zk::TileNumber>(t));
        bool fits = true;
        for (int s = 0; s < 4; ++s) {
            fits = fits && e[s] == ((sides >> s) & 1U ? 1 : 0);
        }
        if (fits) {
            return static_cast<zk::TileNumber>(t);
        }
    }
    return 0;
}

TEST(Solver, CornerBlockIsSolvableAndTheCode2VariantIsNot) {
    LevelRecord level{};
    Put(level, 0, 0, 7);
    Put(level, 1, 0, 6);
    Put(level, 0, 1, 4);
    Put(level, 1, 1, 5);
    const auto solvable = zk::SolveLevel(level);
    EXPECT_EQ(solvable.status, Solvability::Solvable);
    ASSERT_TRUE(solvable.solution);
    EXPECT_TRUE(zk::IsSolved(*solvable.solution));
    EXPECT_EQ(*solvable.solution, level); // already solved: comes back unchanged
    EXPECT_EQ(solvable.movableCells, 63);
    EXPECT_EQ(solvable.movableTiles, 4);
    EXPECT_EQ(solvable.holdableTiles, 4);
    // The loop of four may stand on any 2 x 2 block of the empty board.
    EXPECT_EQ(solvable.solutions, 8 * 6);
    EXPECT_TRUE(solvable.countComplete);

    Put(level, 0, 0, 26);
    const auto unsolvable = zk::SolveLevel(level);
    EXPECT_EQ(unsolvable.status, Solvability::Unsolvable);
    EXPECT_EQ(unsolvable.solutions, 0);
    EXPECT_FALSE(unsolvable.solution);
    EXPECT_FALSE(zk::RateLevel(level).rated);
}

TEST(Solver, ScrambledLevelIsSolvedWithItsOwnTiles) {
    // A ring of eight code-1 tiles around a fixed centre, stored scrambled,
    // with two identical-edge tiles (3 and 58) among the movable ones.
    LevelRecord level = AllBlankExcept({{{2, 2}, 5},
                                        {{3, 2}, 2},
                                        {{4, 2}, 7},
                                        {{2, 3}, 1},
                                        {{4, 3}, 1},
                                        {{2, 4}, 2},
                                        {{3, 4}, 6},
                                        {{4, 4}, 4}});
    const auto result = zk::SolveLevel(level);
    ASSERT_EQ(result.status, Solvability::Solvable);
    EXPECT_FALSE(zk::IsSolved(level));
    ASSERT_TRUE(result.solution);
    EXPECT_TRUE(zk::IsSolved(*result.solution));
    auto before = std::vector<int>(level.begin(), level.end());
    auto after = std::vector<int>(result.solution->begin(), result.solution->end());
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
    EXPECT_EQ(result.solutions, 1);
    EXPECT_TRUE(result.countComplete);
    // The corners have one place each once the ring is seen: no guess.
    const zk::Difficulty d = zk::RateLevel(level);
    EXPECT_TRUE(d.rated);
    EXPECT_TRUE(d.deductionOnly);
    EXPECT_EQ(d.grade, zk::DifficultyGrade(0, 8));
}

TEST(Solver, ConnectionForcedOffTheBoardIsUnsolvable) {
    // The only movable cells lie on the left edge, and one of the two tiles
    // points west whichever cell it takes.
    LevelRecord level = AllBlankExcept({{{0, 3}, 2}, {{0, 4}, 0}});
    const auto result = zk::SolveLevel(level);
    EXPECT_EQ(result.status, Solvability::Unsolvable);
    EXPECT_TRUE(result.countComplete);

    // A fixed tile leading off the board cannot be mended by any move.
    LevelRecord fixedOff{};
    Put(fixedOff, 8, 0, 94); // east and west code 1, the east side faces the border
    EXPECT_EQ(zk::SolveLevel(fixedOff).status, Solvability::Unsolvable);
}

TEST(Solver, OnlySolutionMovesTheEmptyTile) {
    // Cells (3,3) and (4,3) are movable; (5,3) is fixed tile 100, open to the
    // west. Stored: the end tile 39 (east) left of the empty cell, so only
    // moving the empty tile to (3,3) lets 39 meet the fixed connection.
    LevelRecord level = AllBlankExcept({{{3, 3}, 39}, {{4, 3}, 0}, {{5, 3}, 100}});
    ASSERT_FALSE(zk::IsSolved(level));
    const auto result = zk::SolveLevel(level);
    ASSERT_EQ(result.status, Solvability::Solvable);
    EXPECT_EQ(result.solutions, 1);
    ASSERT_TRUE(result.solution);
    EXPECT_EQ((*result.solution)[static_cast<std::size_t>(zk::CellIndex(3, 3))], 0);
    EXPECT_EQ((*result.solution)[static_cast<std::size_t>(zk::CellIndex(4, 3))], 39);
    EXPECT_EQ(result.holdableTiles, 1);
}

TEST(Solver, FixedTilesThatDisagreeMakeALevelUnsolvable) {
    LevelRecord level = AllBlankExcept({{{3, 3}, 39}, {{4, 3}, 38}});
    EXPECT_EQ(zk::SolveLevel(level).status, Solvability::Solvable);
    Put(level, 6, 6, 94); // a fixed straight between two fixed blanks
    EXPECT_EQ(zk::SolveLevel(level).status, Solvability::Unsolvable);
}

TEST(Solver, IdenticalEdgeTilesCountAsOneTile) {
    // 3 and 58 have the same edges: swapping them is not a new solution.
    LevelRecord level = AllBlankExcept({{{3, 2}, 3},
                                        {{3, 3}, 58},
                                        {{3, 1}, 41},
                                        {{3, 4}, 40},
                                        {{2, 2}, 39},
                                        {{4, 2}, 38},
                                        {{2, 3}, 39},
                                        {{4, 3}, 38}});
    ASSERT_TRUE(zk::IsSolved(level));
    const auto result = zk::SolveLevel(level);
    EXPECT_EQ(result.solutions, BruteForceCount(level));
    EXPECT_EQ(result.solutions, 1);
}

TEST(Solver, CountsMatchBruteForceOnSmallBoards) {
    zk::RandomSource random(20240611);
    int withSolutions = 0;
    for (int round = 0; round < 60; ++round) {
        LevelRecord level;
        level.fill(static_cast<zk::TileNumber>(Blank + random.RandomBelow(3)));
        // A random area of up to eight cells grown from one start cell.
        std::vector<std::pair<int, int>> area{
            {2 + random.RandomBelow(5), 1 + random.RandomBelow(5)}};
        const int size = 3 + random.RandomBelow(6);
        for (int guard = 0; static_cast<int>(area.size()) < size && guard < 200; ++guard) {
            const auto [c, r] =
                area[static_cast<std::size_t>(random.RandomBelow(static_cast<int>(area.size())))];
            const int side = random.RandomBelow(4);
            const std::pair<int, int> next{c + (side == 0) - (side == 2),
                                           r + (side == 3) - (side == 1)};
            if (zk::IsOnBoard(next.first, next.second) &&
                std::find(area.begin(), area.end(), next) == area.end()) {
                area.push_back(next);
            }
        }
        // Random code-1 connections between neighbours of the area give a
        // solved arrangement; some rounds then spoil one tile.
        std::vector<unsigned> sides(area.size(), 0);
        for (std::size_t a = 0; a < area.size(); ++a) {
            for (std::size_t b = 0; b < area.size(); ++b) {
                const int dc = area[b].first - area[a].first;
                const int dr = area[b].second - area[a].second;
                if (dc == 1 && dr == 0 && random.RandomBelow(3) > 0) {
                    sides[a] |= 1U << zk::East;
                    sides[b] |= 1U << zk::West;
                }
                if (dc == 0 && dr == 1 && random.RandomBelow(3) > 0) {
                    sides[a] |= 1U << zk::South;
                    sides[b] |= 1U << zk::North;
                }
            }
        }
        for (std::size_t a = 0; a < area.size(); ++a) {
            Put(level, area[a].first, area[a].second, CodeOneTile(sides[a]));
        }
        if (round % 4 == 3) {
            Put(level, area[0].first, area[0].second,
                static_cast<zk::TileNumber>(random.RandomBelow(91)));
        }
        // Store the tiles in reverse so the solver starts from a scramble.
        std::vector<zk::TileNumber> tiles;
        for (const auto& [c, r] : area) {
            tiles.push_back(level[static_cast<std::size_t>(zk::CellIndex(c, r))]);
        }
        for (std::size_t a = 0; a < area.size(); ++a) {
            Put(level, area[a].first, area[a].second, tiles[area.size() - 1 - a]);
        }

        const int expected = BruteForceCount(level);
        zk::SolverLimits limits;
        limits.solutionCap = 1'000'000;
        const auto result = zk::SolveLevel(level, limits);
        ASSERT_TRUE(result.countComplete) << "round " << round;
        EXPECT_EQ(result.solutions, expected) << "round " << round;
        EXPECT_EQ(result.status, expected > 0 ? Solvability::Solvable : Solvability::Unsolvable);
        if (result.solution) {
            EXPECT_TRUE(zk::IsSolved(*result.solution)) << "round " << round;
        }
        withSolutions += expected > 0 ? 1 : 0;
    }
    EXPECT_GT(withSolutions, 30);
}

TEST(Solver, CapAndBudgetLimitTheSearch) {
    // An empty board with two end tiles: many places for the pair.
    LevelRecord level{};
    Put(level, 0, 0, 39);
    Put(level, 1, 0, 38);
    zk::SolverLimits capped;
    capped.solutionCap = 5;
    const auto atCap = zk::SolveLevel(level, capped);
    EXPECT_EQ(atCap.status, Solvability::Solvable);
    EXPECT_EQ(atCap.solutions, 5);
    EXPECT_TRUE(atCap.capReached);
    EXPECT_FALSE(atCap.countComplete);
    ASSERT_TRUE(atCap.alternative);
    EXPECT_TRUE(zk::IsSolved(*atCap.alternative));
    EXPECT_NE(*atCap.alternative, *atCap.solution);

    zk::SolverLimits one;
    one.solutionCap = 1;
    const auto first = zk::SolveLevel(level, one);
    EXPECT_EQ(first.solutions, 1);
    EXPECT_TRUE(first.capReached);
    EXPECT_FALSE(first.alternative);

    zk::SolverLimits unlimited;
    unlimited.solutionCap = 1000;
    EXPECT_EQ(zk::SolveLevel(level, unlimited).solutions, 8 * 7);

    // A level without any solution is undecided while the budget is too
    // small to prove that: the cross 3 needs an end pointing south above it
    // and another one above the corner 5 east of it, and there is only one.
    LevelRecord crossed{};
    Put(crossed, 0, 4, 3);
    Put(crossed, 1, 3, 5);
    Put(crossed, 3, 2, 62);
    Put(crossed, 5, 4, 39);
    const auto proven = zk::SolveLevel(crossed);
    EXPECT_EQ(proven.status, Solvability::Unsolvable);
    EXPECT_TRUE(proven.countComplete);
    EXPECT_GT(proven.nodes, 3U);
    zk::SolverLimits tiny;
    tiny.nodeBudget = 3;
    const auto undecided = zk::SolveLevel(crossed, tiny);
    EXPECT_EQ(undecided.status, Solvability::Undecided);
    EXPECT_FALSE(undecided.solution);
    EXPECT_FALSE(undecided.countComplete);
    EXPECT_LE(undecided.nodes, 3U);
    EXPECT_EQ(zk::SolvabilityName(undecided.status), "undecided");
}

// Two pairs of ends on an empty board stand on any two of the 56 places a
// pair has that do not overlap: C(56, 2) less the 7 x 7 overlapping ones. The
// count runs over many restarts, each meeting solutions seen before: none
// may be counted twice, none lost.
TEST(Solver, CountsSolutionsOnceAcrossRestarts) {
    LevelRecord level{};
    Put(level, 0, 0, 39);
    Put(level, 1, 0, 38);
    Put(level, 0, 1, 39);
    Put(level, 1, 1, 61); // the edges of 38
    zk::SolverLimits limits;
    limits.solutionCap = 5000;
    const auto result = zk::SolveLevel(level, limits);
    EXPECT_EQ(result.solutions, 56 * 55 / 2 - 49);
    EXPECT_TRUE(result.countComplete);
    ASSERT_TRUE(result.alternative);
    EXPECT_TRUE(zk::IsSolved(*result.alternative));
    EXPECT_GT(result.nodes, 512U) << "one run did it all: no restart was tested";
}

TEST(Solver, ForeignBytesCountAsFixedBlankTiles) {
    LevelRecord level{};
    level[5] = 230;
    level[40] = 255;
    Put(level, 4, 3, 39);
    Put(level, 5, 3, 38);
    const auto result = zk::SolveLevel(level);
    EXPECT_EQ(result.foreignTiles, 2);
    EXPECT_EQ(result.movableCells, 61);
    EXPECT_EQ(result.status, Solvability::Solvable);
}

TEST(Solver, GradeGrowsWithTilesAndGuesses) {
    EXPECT_EQ(zk::DifficultyGrade(0, 4), zk::LowestGrade);
    EXPECT_LT(zk::DifficultyGrade(0, 10), zk::DifficultyGrade(0, 60));
    EXPECT_LT(zk::DifficultyGrade(0, 30), zk::DifficultyGrade(1, 30));
    EXPECT_LT(zk::DifficultyGrade(3, 30), zk::DifficultyGrade(40, 30));
    EXPECT_EQ(zk::DifficultyGrade(~0ULL, 90), zk::HighestGrade);
    EXPECT_EQ(zk::DifficultyGrade(0, 0), zk::LowestGrade);

    // A pair on an empty board: the pair can stand in 56 places, so the
    // first cell is a guess, and the search goes on to a second solution.
    LevelRecord open{};
    Put(open, 0, 0, 39);
    Put(open, 1, 0, 38);
    const zk::Difficulty guessed = zk::RateLevel(open);
    EXPECT_TRUE(guessed.rated);
    EXPECT_FALSE(guessed.deductionOnly);
    EXPECT_GE(guessed.guesses, 1U);
    EXPECT_EQ(guessed.solutions, 2);
    EXPECT_GE(guessed.firstGuess, 0);
    // Too small a budget rates nothing.
    LevelRecord crossed{};
    Put(crossed, 0, 4, 3);
    Put(crossed, 1, 3, 5);
    Put(crossed, 3, 2, 62);
    Put(crossed, 5, 4, 39);
    EXPECT_FALSE(zk::RateLevel(crossed, 1).rated);
}

} // namespace

// A level stored solved comes back as its own solution, even when the search
// meets another arrangement first (here the block fits the empty room too).
TEST(Solver, ASolvedLevelIsItsOwnSolution) {
    using namespace zk;
    LevelRecord level;
    level.fill(120);
    for (int c = 2; c <= 3; ++c) {
        for (int r = 0; r < Rows; ++r) {
            level[static_cast<std::size_t>(CellIndex(c, r))] = EmptyTile;
        }
    }
    level[static_cast<std::size_t>(CellIndex(4, 1))] = 7;
    level[static_cast<std::size_t>(CellIndex(5, 1))] = 6;
    level[static_cast<std::size_t>(CellIndex(4, 2))] = 4;
    level[static_cast<std::size_t>(CellIndex(5, 2))] = 5;
    ASSERT_TRUE(IsSolved(level));
    SolverLimits limits;
    limits.solutionCap = 5;
    const SolverResult result = SolveLevel(level, limits);
    ASSERT_EQ(result.status, Solvability::Solvable);
    EXPECT_EQ(*result.solution, level);
    ASSERT_TRUE(result.alternative);
    EXPECT_NE(*result.alternative, level);
    EXPECT_TRUE(IsSolved(*result.alternative));
}

namespace {

// How many distinct arrangements of its movable tiles a level has: the
// multinomial of its edge classes.
double Arrangements(const zk::LevelRecord& level) {
    std::map<int, int> counts;
    int n = 0;
    for (const zk::TileNumber t : level) {
        if (zk::IsMovable(t)) {
            ++counts[EdgeKey(t)];
            ++n;
        }
    }
    double a = 1;
    for (int k = 2; k <= n; ++k) {
        a *= k;
    }
    for (const auto& [key, c] : counts) {
        for (int k = 2; k <= c; ++k) {
            a /= k;
        }
    }
    return a;
}

} // namespace

// Random partial levels of every kind mix, with fixed tiles on the rim and
// inside, and the same levels with one tile changed: wherever trying every
// arrangement is feasible the counts agree, so no "no" is ever wrong and no
// solution is lost.
TEST(Solver, AgreesWithEveryArrangementOnSmallRandomLevels) {
    const auto partial = zk::levels::PartialLevels(99, 600);
    std::vector<zk::levels::CorpusLevel> small;
    for (const auto& level : partial) {
        if (Arrangements(level.record) <= 40000) {
            small.push_back(level);
        }
    }
    ASSERT_GE(small.size(), 40U);
    const auto changed = zk::levels::ChangedLevels(100, 80, small);
    int unsolvable = 0;
    int balancedUnsolvable = 0;
    const std::vector<zk::levels::CorpusLevel>* sets[] = {&small, &changed};
    for (const auto* set : sets) {
        for (const auto& level : *set) {
            if (Arrangements(level.record) > 40000) {
                continue;
            }
            const int expected = BruteForceCount(level.record);
            zk::SolverLimits limits;
            limits.solutionCap = 1'000'000;
            const auto r = zk::SolveLevel(level.record, limits);
            ASSERT_TRUE(r.countComplete);
            EXPECT_EQ(r.solutions, expected) << level.kind;
            EXPECT_EQ(r.status, expected > 0 ? Solvability::Solvable : Solvability::Unsolvable);
            if (r.solution) {
                EXPECT_TRUE(zk::IsSolved(*r.solution));
                EXPECT_TRUE(zk::IsArrangementOf(*r.solution, level.record));
            }
            if (level.unbalanced) {
                EXPECT_EQ(expected, 0) << "a level whose ends do not balance was solved";
            }
            unsolvable += expected == 0 ? 1 : 0;
            balancedUnsolvable += expected == 0 && !level.unbalanced ? 1 : 0;
        }
    }
    EXPECT_GE(unsolvable, 20);
    EXPECT_GE(balancedUnsolvable, 3) << "no unsolvable level that only a search could tell";
}

// Full boards, where the search has to restart and learn: each is solved
// with its own tiles.
TEST(Solver, SolvesRandomFullBoards) {
    for (const auto& board : zk::levels::FullBoards(20262, 4)) {
        zk::SolverLimits limits;
        limits.solutionCap = 1;
        const auto r = zk::SolveLevel(board.record, limits);
        ASSERT_EQ(r.status, Solvability::Solvable);
        ASSERT_TRUE(r.solution);
        EXPECT_TRUE(zk::IsSolved(*r.solution));
        EXPECT_TRUE(zk::IsArrangementOf(*r.solution, board.record));
        EXPECT_EQ(r.movableCells, zk::CellCount);
    }
}

// Probing strikes a class off a cell for good, in every later run: it must
// never strike one that a solution puts there. On levels made solved, the
// search after probing still finds the arrangement they were made from when
// asked to keep every cell on it.
TEST(Solver, ProbingKeepsEverySolution) {
    auto levels = zk::levels::PartialLevels(31, 150);
    const auto full = zk::levels::FullBoards(32, 12);
    levels.insert(levels.end(), full.begin(), full.end());
    int probed = 0;
    for (const auto& level : levels) {
        const auto model = zk::detail::BuildModel(level.record);
        // The made-from arrangement as classes of the shuffled level.
        std::map<int, int> classOf;
        for (int c = 0; c < model.classCount; ++c) {
            const zk::Edges e = model.classEdges[static_cast<std::size_t>(c)];
            classOf[e[0] | e[1] << 2 | e[2] << 4 | e[3] << 6] = c;
        }
        std::array<int, zk::CellCount> origin{};
        origin.fill(-1);
        for (int i = 0; i < model.cellCount; ++i) {
            const auto cell = static_cast<std::size_t>(i);
            origin[cell] =
                classOf[EdgeKey(level.origin[static_cast<std::size_t>(model.boardIndex[cell])])];
        }
        zk::detail::Engine engine(model);
        ASSERT_TRUE(engine.Probe()) << level.kind;
        probed += engine.nodes() > 0 ? 1 : 0;
        zk::detail::Engine::Options keepAll;
        keepAll.preferred = &origin;
        keepAll.keepAtLeast = model.cellCount;
        bool found = false;
        const std::function<bool(const zk::detail::Arrangement&)> onSolution =
            [&](const zk::detail::Arrangement& a) {
                for (int i = 0; i < model.cellCount; ++i) {
                    const auto cell = static_cast<std::size_t>(i);
                    found = a[cell] == origin[cell];
                    if (!found) {
                        break;
                    }
                }
                return true;
            };
        engine.Run(keepAll, 1'000'000, onSolution);
        EXPECT_TRUE(found) << level.kind << ": a probed class was part of a solution";
    }
    EXPECT_GT(probed, 100) << "hardly anything was probed";
}

// The hardest levels among random partial ones and levels with one tile
// changed, where probing, the placing of scarce tiles first and the second
// search come in: counted to the end, the search the shipped set was made
// with, the solver as one search and the solver with its second search find
// the same solutions, and a level without any is proven to have none.
TEST(Solver, HardLevelsCountTheSameWhicheverSearch) {
    auto levels = zk::levels::PartialLevels(20261, 300);
    const auto broken = zk::levels::ChangedLevels(77, 100, levels);
    levels.insert(levels.end(), broken.begin(), broken.end());
    int hard = 0;
    int none = 0;
    int probed = 0;
    for (const auto& level : levels) {
        zk::SolverLimits original;
        original.originalOrder = true;
        original.solutionCap = 50;
        original.nodeBudget = 100'000;
        const auto reference = zk::SolveLevel(level.record, original);
        if (reference.nodes < 2048 || !reference.countComplete) {
            continue;
        }
        ++hard;
        none += reference.solutions == 0 ? 1 : 0;
        for (const bool sideBySide : {false, true}) {
            zk::SolverLimits limits = original;
            limits.originalOrder = false;
            limits.sideBySide = sideBySide;
            const auto r = zk::SolveLevel(level.record, limits);
            ASSERT_TRUE(r.countComplete) << level.kind;
            EXPECT_EQ(r.solutions, reference.solutions) << level.kind;
            EXPECT_EQ(r.status, reference.status) << level.kind;
            for (const auto& s : {r.solution, r.alternative}) {
                if (s) {
                    EXPECT_TRUE(zk::IsSolved(*s));
                    EXPECT_TRUE(zk::IsArrangementOf(*s, level.record));
                }
            }
            if (r.alternative) {
                EXPECT_NE(*r.alternative, *r.solution);
            }
            probed += !sideBySide && r.nodes > 8192 ? 1 : 0;
        }
    }
    EXPECT_GE(hard, 10) << "too few hard levels to compare";
    EXPECT_GE(none, 1) << "no unsolvable level among them";
    EXPECT_GE(probed, 1) << "no level was searched long enough to be probed";
}
