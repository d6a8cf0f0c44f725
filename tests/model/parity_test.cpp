#include <gtest/gtest.h>

#include <random>

#include "model/Parity.h"

using namespace zk;

namespace {

using State = ParityVerdict::State;
using EdgeBoard = std::array<Edges, CellCount>;

// A solved board of bare edges: every inner edge a random code 0..3 shown
// by both cells, the border 0.
EdgeBoard RandomSolvedEdges(std::mt19937& random) {
    EdgeBoard board{};
    std::uniform_int_distribution<int> code(0, 3);
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            auto& e = board[static_cast<std::size_t>(CellIndex(c, r))].code;
            if (c + 1 < Columns) {
                e[East] = static_cast<EdgeCode>(code(random));
                board[static_cast<std::size_t>(CellIndex(c + 1, r))].code[West] = e[East];
            }
            if (r + 1 < Rows) {
                e[South] = static_cast<EdgeCode>(code(random));
                board[static_cast<std::size_t>(CellIndex(c, r + 1))].code[North] = e[South];
            }
        }
    }
    return board;
}

std::array<ParityCandidates, 3> Exactly(const EdgeBoard& board) {
    std::array<ParityCandidates, 3> out{};
    for (int kind = FirstKind; kind <= LastKind; ++kind) {
        for (std::size_t i = 0; i < board.size(); ++i) {
            out[static_cast<std::size_t>(kind - 1)][i] = FeatureSetOf(FeaturesOf(board[i], kind));
        }
    }
    return out;
}

// A 7 x 5 ring of one kind in the middle of the board, its inside empty.
LevelRecord Ring() {
    LevelRecord r{};
    for (int c = 1; c <= 7; ++c) {
        for (int row = 1; row <= 5; ++row) {
            const bool top = row == 1, bottom = row == 5, left = c == 1, right = c == 7;
            TileNumber t = 0;
            if ((top || bottom) && !left && !right) {
                t = 2; // east-west straight
            } else if ((left || right) && !top && !bottom) {
                t = 1; // north-south straight
            } else if (top) {
                t = left ? 7 : 6; // east-south, west-south
            } else if (bottom) {
                t = left ? 4 : 5; // east-north, north-west
            }
            r[static_cast<std::size_t>(CellIndex(c, row))] = t;
        }
    }
    return r;
}

// Before any choice: every movable cell may take any of the level's tiles,
// the fixed cells show theirs, and the pool is the level's movable tiles.
ParityFinding AtTheRoot(const LevelRecord& level) {
    std::array<ParityCandidates, 3> candidates = CandidatesOf(level);
    std::array<std::optional<ParityPool>, 3> pools;
    for (int kind = FirstKind; kind <= LastKind; ++kind) {
        const auto k = static_cast<std::size_t>(kind - 1);
        ParityPool pool;
        FeatureSet any = 0;
        for (int i = 0; i < CellCount; ++i) {
            const TileNumber t = level[static_cast<std::size_t>(i)];
            if (IsMovable(t)) {
                pool.openCells |= std::uint64_t{1} << i;
                pool.featureSum ^= FeaturesOf(t, kind);
                any |= FeatureSetOf(FeaturesOf(t, kind));
            }
        }
        for (int i = 0; i < CellCount; ++i) {
            if ((pool.openCells >> i & 1U) != 0) {
                candidates[k][static_cast<std::size_t>(i)] = any;
            }
        }
        pools[k] = pool;
    }
    return CheckAllRules(candidates, pools);
}

} // namespace

// On solved boards every rule holds; take away what is known of some cells
// and the rules never break and force only what the board shows; change a
// single end and some rule breaks.
TEST(Parity, RulesHoldOnSolvedBoardsForceOnlyTheTruthAndCatchAnyChangedEnd) {
    std::mt19937 random(77);
    int forcedSeen = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const EdgeBoard board = RandomSolvedEdges(random);
        const auto exact = Exactly(board);
        ASSERT_EQ(CheckAllRules(exact).verdict.state, State::Holds);

        auto loose = exact;
        std::array<std::optional<ParityPool>, 3> pools;
        std::bernoulli_distribution open(trial % 2 == 0 ? 0.1 : 0.6);
        std::uint64_t openCells = 0;
        for (int i = 0; i < CellCount; ++i) {
            openCells |= std::uint64_t{open(random)} << i;
        }
        for (int kind = FirstKind; kind <= LastKind; ++kind) {
            const auto k = static_cast<std::size_t>(kind - 1);
            ParityPool pool{openCells, 0};
            for (int i = 0; i < CellCount; ++i) {
                if ((openCells >> i & 1U) != 0) {
                    const auto index = static_cast<std::size_t>(i);
                    pool.featureSum ^= FeaturesOf(board[index], kind);
                    loose[k][index] |= static_cast<FeatureSet>(random());
                }
            }
            if (trial % 3 != 0) {
                pools[k] = pool;
            }
        }
        const ParityFinding found = CheckAllRules(loose, pools);
        ASSERT_NE(found.verdict.state, State::Broken) << trial;
        if (found.verdict.state == State::Forced) {
            ++forcedSeen;
            const auto k = static_cast<std::size_t>(found.rule->kind - 1);
            const auto cell = static_cast<std::size_t>(found.verdict.cellIndex);
            EXPECT_EQ(found.verdict.allowed & exact[k][cell], exact[k][cell]);
            EXPECT_NE(found.verdict.allowed, loose[k][cell]);
        }

        EdgeBoard changed = board;
        auto& code = changed[static_cast<std::size_t>(random() % CellCount)].code[random() % 4];
        code = static_cast<EdgeCode>((code + 1 + random() % 3) % 4);
        EXPECT_EQ(CheckAllRules(Exactly(changed)).verdict.state, State::Broken) << trial;
    }
    EXPECT_GT(forcedSeen, 20);
}

// A ring has an even count of straights; with one of them taken away it
// has an odd count and can never close, which shows before any tile is
// placed. The ends still balance, so no count of ends sees it.
TEST(Parity, ALoopBoardWithAnOddCountOfStraightsIsRefutedAtTheRoot) {
    LevelRecord ring = Ring();
    EXPECT_EQ(AtTheRoot(ring).verdict.state, State::Open);

    ring[static_cast<std::size_t>(CellIndex(3, 1))] = EmptyTile; // an east-west straight
    const ParityFinding found = AtTheRoot(ring);
    ASSERT_EQ(found.verdict.state, State::Broken);
    EXPECT_TRUE(found.rule->family == RuleFamily::AllColumns ||
                found.rule->family == RuleFamily::AllRows);
    EXPECT_EQ(found.rule->kind, 1);
}

// Along a line, the last open cell of a side takes the bit its side needs.
TEST(Parity, TheLastOpenCellBesideALineIsForced) {
    LevelRecord ring = Ring();
    auto candidates = CandidatesOf(ring);
    // Column 7 of the ring may hold a straight or a corner facing west.
    const auto cell = static_cast<std::size_t>(CellIndex(7, 3));
    candidates[0][cell] =
        FeatureSetOf(FeaturesOf(TileNumber{1}, 1)) | FeatureSetOf(FeaturesOf(TileNumber{5}, 1));
    const ParityLine line{LineAxis::BetweenColumns, 6};
    int matching = 0;
    for (const ParityRule& rule : ParityRules()) {
        if (rule.kind == 1 && rule.family == RuleFamily::FarSide && rule.line == line) {
            ++matching;
            const ParityVerdict v = CheckRule(rule, candidates[0]);
            ASSERT_EQ(v.state, State::Forced);
            EXPECT_EQ(v.cellIndex, CellIndex(7, 3));
            EXPECT_EQ(v.allowed, FeatureSetOf(FeaturesOf(TileNumber{1}, 1)));
        }
    }
    EXPECT_EQ(matching, 1);
}
