#include <gtest/gtest.h>

#include "model/EditorCheck.h"

using namespace zk;

namespace {

LevelRecord With(LevelRecord level, std::initializer_list<std::tuple<int, int, int>> tiles) {
    for (const auto& [c, r, t] : tiles) {
        level[static_cast<std::size_t>(CellIndex(c, r))] = static_cast<TileNumber>(t);
    }
    return level;
}

LevelRecord Walled() {
    LevelRecord level;
    level.fill(120); // a fixed tile without ends
    return level;
}

} // namespace

// Each reason on a small board: named at the cell and side a designer must
// change, the plainest first.
TEST(EditorCheck, TheFirstReasonIsTheOneADesignerCanActOn) {
    using K = FlawKind;
    const auto reason = [](const LevelRecord& level) { return FindEditorReason(level); };
    // Tile 112 is fixed with one end, east; 59 and 61 movable with one end,
    // east and west.
    EXPECT_EQ(reason(With(Walled(), {{8, 3, 112}, {0, 0, 59}, {1, 0, 61}})),
              (LevelFlaw{K::EndOffBoard, Cell{8, 3}, East, 1}));
    EXPECT_EQ(reason(With(Walled(), {{2, 2, 112}, {0, 0, 59}, {1, 0, 61}})),
              (LevelFlaw{K::EndIntoFixed, Cell{2, 2}, East, 1}));
    // A fixed blank east of a fixed west end: told of the tile with the end.
    EXPECT_EQ(reason(With(Walled(), {{3, 2, 100}, {0, 0, 59}, {1, 0, 61}})),
              (LevelFlaw{K::EndIntoFixed, Cell{3, 2}, West, 1}));
    EXPECT_EQ(reason(With(LevelRecord{}, {{4, 4, 59}, {5, 5, 59}, {6, 6, 61}})),
              (LevelFlaw{K::EndsUnpaired, std::nullopt, East, 1}));
    EXPECT_EQ(reason(With(LevelRecord{}, {{4, 4, 60}})),
              (LevelFlaw{K::EndsUnpaired, std::nullopt, North, 1}));
    EXPECT_EQ(reason(With(Walled(), {{0, 0, 0}})),
              (LevelFlaw{K::NothingToHold, std::nullopt, East, 0}));
    EXPECT_EQ(reason(With(Walled(), {{0, 0, 59}, {1, 0, 61}})), std::nullopt);
}

TEST(EditorCheck, VerdictsCountToTwoAndACancelLeavesItUndecided) {
    // One pair walled in place: single; free on an open board: many.
    const EditorVerdict single = CheckForEditor(With(Walled(), {{0, 0, 59}, {1, 0, 61}}));
    EXPECT_EQ(single.status, Solvability::Solvable);
    EXPECT_EQ(single.solutions, 1);
    EXPECT_NE(single.hardest, Rule::None);
    const EditorVerdict many = CheckForEditor(With(LevelRecord{}, {{0, 0, 59}, {1, 0, 61}}));
    EXPECT_EQ(many.status, Solvability::Solvable);
    EXPECT_EQ(many.solutions, 2);
    // Balanced ends that can never meet: neither tile fits the top cell
    // (one leads its end into a fixed tile, the other off the board).
    const EditorVerdict apart = CheckForEditor(With(Walled(), {{0, 0, 59}, {0, 2, 61}}));
    EXPECT_EQ(apart.status, Solvability::Unsolvable);
    ASSERT_TRUE(apart.reason);
    EXPECT_EQ(apart.reason->kind, FlawKind::CellFitsNoTile);
    EXPECT_EQ(apart.reason->cell, (Cell{0, 0}));

    const std::atomic<bool> cancelled{true};
    EXPECT_NE(CheckForEditor(With(LevelRecord{}, {{0, 0, 59}, {1, 0, 61}}), &cancelled).status,
              Solvability::Solvable);
}
