// Levels of codes in the game: Ctrl+N and its form, a level made on the
// worker and played outside the set, its record in the level indicator's
// hint, and every way to another level leading back to the set's level.
#include <QLineEdit>
#include <QTest>

#include "Actions.h"
#include "MainFormFixture.h"
#include "dialogs/CodeDlg.h"
#include "files/Records.h"
#include "model/LevelCode.h"

namespace {

using zk::Action;

class CodeLevelTest : public MainFormTest {
protected:
    // Ctrl+N, the code typed (after a mistyped one, refused), the question
    // of leaving a moved level answered when it comes, the level waited for.
    void PlayCode(const QString& code, bool asks = false) {
        seam->Then([code](zk::platform::ModalForm& f) {
            auto& form = static_cast<zk::TCodeDlg&>(f);
            form.CodeEdit->setText(code + "X"); // one character too many
            zk::platform::ScriptedSeam::PressButton(f, "PlayBtn");
            EXPECT_EQ(form.MessageLabel->text(),
                      "A level code has eight characters, such as 1M-3QX-9FE.");
            form.CodeEdit->setText(code);
            zk::platform::ScriptedSeam::PressButton(f, "PlayBtn");
        });
        if (asks) {
            Answer("RestartDlg", "OKBtn");
        }
        P().Run(Action::NewCodeLevel);
        QTRY_VERIFY_WITH_TIMEOUT(!S().levelCode.empty(), 10000);
    }
    std::string Hint() { return P().levelbox()->toolTip().toStdString(); }
};

TEST_F(CodeLevelTest, ACodeLevelIsPlayedOutsideTheSetAndLeftForTheSetsLevel) {
    Start();
    ASSERT_EQ(S().gameMode, zk::ChallengeMode);
    P().Run(Action::ConnectionMarks); // feedback mode: the hint tells the record
    P().Run(Action::NextLevel);
    ASSERT_EQ(S().levels.CurrentLevel(), 2);
    const QString caption = form->windowTitle();
    const QImage numbered = P().LevelboxImage();
    ClickCell(3, 2); // a move on the set's level: leaving it asks
    ClickCell(4, 3);
    ASSERT_TRUE(S().moved);
    PlayCode("1e-000-008", true);
    EXPECT_EQ(S().levelCode, "1E-000-008");
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(P().levelscroll()->value(), 2);
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_NE(P().LevelboxImage(), numbered); // blank digits
    EXPECT_EQ(Hint(), "Level 1E-000-008: unsolved");

    // Solved: the record, not the set's progress.
    const auto level = zk::GenerateCodeLevel(*zk::ReadLevelCode("1E-000-008").code).record;
    Answer("SolvedDlg", "OKBtn");
    const int moves = SolveByClicks(level);
    ASSERT_EQ(S().boardState, zk::SolvedState);
    EXPECT_FALSE(S().levels.IsLevelSolved(2));
    EXPECT_FALSE(S().levels.IsLevelSolved(1));
    const std::string best = "your best: " + std::to_string(moves) + " moves";
    EXPECT_NE(Hint().find("\n" + best), std::string::npos) << Hint();
    const auto records = zk::files::ReadRecords(zk::files::RecordsPath()).records;
    const auto it = records.levels.find(zk::LevelContentHash(level));
    ASSERT_NE(it, records.levels.end());
    EXPECT_EQ(it->second.code, "1E-000-008");
    EXPECT_EQ(it->second.fewestMoves, moves);

    // Page Down leads back to the set's level 2 (no question: solved), and
    // the same code once more shows its record before a move.
    P().Run(Action::NextLevel);
    EXPECT_TRUE(S().levelCode.empty());
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    PlayCode("1E-000-008");
    EXPECT_EQ(Hint(), "Level 1E-000-008: solved\n" + best);

    // Restart plays the code's level again; a move, then N: the question,
    // declined keeps it, accepted leaves it for level 2.
    P().Run(Action::Restart);
    EXPECT_EQ(S().levelCode, "1E-000-008");
    const zk::Cell held = S().board.held;
    for (int q = 0; q < zk::CellCount && !S().moved; ++q) {
        if (zk::IsMovable(S().board.cells[static_cast<std::size_t>(q)])) {
            ClickCell(q / zk::Rows, q % zk::Rows);
        }
    }
    ASSERT_NE(S().board.held, held);
    Answer("RestartDlg", "CancelBtn");
    P().Run(Action::NextUnsolved);
    EXPECT_EQ(S().levelCode, "1E-000-008");
    Answer("RestartDlg", "OKBtn");
    P().levelscroll()->setValue(3); // the player drags the bar
    EXPECT_TRUE(S().levelCode.empty());
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    EXPECT_EQ(P().levelscroll()->value(), 2);
    EXPECT_EQ(seam->PendingScripts(), 0u);

    // In the editor Ctrl+N is not offered.
    AnswerCloseBox("ChangeModeDlg");
    P().Run(Action::ChangeMode);
    ASSERT_EQ(S().gameMode, zk::EditorMode);
    const std::size_t shown = seam->Forms().size();
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(seam->Forms().size(), shown);
}

} // namespace
