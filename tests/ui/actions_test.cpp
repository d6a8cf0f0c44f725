// The action table: one row per action, no key claimed twice, and the
// modifier rule the key handling reads it by.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <utility>

#include "Actions.h"

using namespace zk;

TEST(ActionTable, EachActionHasOneRowAndEachKeyOneAction) {
    std::set<Action> actions;
    std::map<std::pair<int, int>, Action> keys;
    bool controlsDone = false;
    for (const ActionRow& row : ActionTable()) {
        EXPECT_TRUE(actions.insert(row.action).second) << static_cast<int>(row.action);
        EXPECT_EQ(&RowOf(row.action), &row);
        // The toolbar's controls come first, left to right.
        EXPECT_FALSE(row.control && controlsDone) << row.control->name;
        controlsDone = !row.control;
        EXPECT_TRUE(row.run || (row.control && row.control->toggle));
        for (const KeyChord& chord : row.keys) {
            if (chord.key != 0) {
                const auto [at, added] =
                    keys.emplace(std::pair{chord.key, chord.modifiers.toInt()}, row.action);
                EXPECT_TRUE(added) << "key " << chord.key << " claimed twice";
                EXPECT_EQ(RowForKey(chord.key, chord.modifiers), &row);
            }
        }
    }
}

TEST(ActionTable, ShiftCountsOnlyWhereARowNamesIt) {
    const auto action = [](int key, Qt::KeyboardModifiers m) {
        const ActionRow* row = RowForKey(key, m);
        return row ? std::optional<Action>(row->action) : std::nullopt;
    };
    EXPECT_EQ(action(Qt::Key_Z, Qt::ControlModifier), Action::Undo);
    EXPECT_EQ(action(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), Action::Redo);
    EXPECT_EQ(action(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier), Action::Save);
    EXPECT_EQ(action(Qt::Key_N, Qt::ShiftModifier), Action::NextUnsolved);
    EXPECT_EQ(action(Qt::Key_Enter, Qt::KeypadModifier), Action::CursorClick);
    EXPECT_EQ(action(Qt::Key_P, Qt::ControlModifier), Action::PracticeMode);
    EXPECT_EQ(action(Qt::Key_S, Qt::NoModifier), std::nullopt);
    EXPECT_EQ(action(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier), std::nullopt);
    EXPECT_EQ(action(Qt::Key_R, Qt::MetaModifier), std::nullopt);
}
