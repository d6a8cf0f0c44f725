#include "MainFormFixture.h"

#include <QScrollBar>

#include "dialogs/MessageDialog.h"
#include "platform/Controls.h"

namespace {
std::vector<QString> Since(const std::vector<QString>& all, std::size_t from) {
    return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
}

// The face the level indicator shows, by its place in the digit strip.
std::string Face(TMainFormProbe p) {
    const QImage shown = p.LevelboxImage().copy(42, 0, 13, 20);
    return shown == p.numbs1().copy(122, 0, 13, 20)   ? "solved"
           : shown == p.numbs1().copy(135, 0, 13, 20) ? "unsolved"
                                                      : "none";
}
} // namespace

class PlayTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
    }
};

TEST_F(PlayTest, ClicksOutsideTheCellsAndOnRefusedCellsDoNothing) {
    Start();
    const auto before = S().board;
    for (auto [x, y] : {std::pair{21, 100}, {100, 19}, {454, 100}, {100, 356}}) {
        P().boxMouseDown(Qt::LeftButton, x, y);
    }
    ClickCell(S().board.held.column, S().board.held.row); // the held cell
    ClickCell(8, 6);                                      // a fixed tile
    EXPECT_EQ(S().board.cells, before.cells);
    EXPECT_EQ(S().board.held, before.held);
    EXPECT_FALSE(S().moved);
    EXPECT_TRUE(sound->events.empty());
}

TEST_F(PlayTest, AnyButtonMovesAndTheMoveSoundIsStoppedThenPlayedWhenSoundIsOn) {
    Start();
    P().SoundBtn()->SetDown(true);
    const zk::Cell held = S().board.held;
    // Another movable cell of the corner block.
    zk::Cell other{held.column == 0 ? 1 : 0, held.row};
    P().boxMouseDown(Qt::RightButton, 22 + 48 * other.column, 20 + 48 * other.row);
    EXPECT_EQ(S().board.held, other);
    EXPECT_TRUE(S().moved);
    ASSERT_GE(sound->events.size(), 2u);
    EXPECT_EQ(sound->events[0], "stop");
    EXPECT_EQ(sound->events[1], "play w2.wav");

    P().SoundBtn()->SetDown(false);
    sound->events.clear();
    P().boxMouseDown(Qt::MiddleButton, 22 + 48 * held.column, 20 + 48 * held.row);
    EXPECT_EQ(sound->events, (std::vector<std::string>{"stop"}));
}

TEST_F(PlayTest, SolvingInChallengeModeRecordsFreezesAndAnnouncesAllSolvedOnce) {
    TempDir::Write(programDir.File("g.zkv"), std::vector<std::uint8_t>{0, 1, 1});
    Setting("save", programDir.File("g.zkv"));
    Start();
    P().SoundBtn()->SetDown(true);
    const std::size_t before = seam->Forms().size();
    SolveByClicks();
    ASSERT_EQ(S().boardState, zk::SolvedState);
    const auto played = sound->Played();
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ(played[played.size() - 2], "w2.wav");
    EXPECT_EQ(played.back(), "w1.wav");
    EXPECT_EQ(Since(ShownForms(), before), (std::vector<QString>{"SolvedDlg", "AllSolvedDlg"}));
    EXPECT_TRUE(S().levels.IsLevelSolved(1));
    EXPECT_TRUE(S().levels.AllSolved());
    EXPECT_EQ(Face(P()), "solved");
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: solved");

    // Frozen: clicks do nothing.
    const auto frozen = S().board;
    ClickCell(0, 0);
    ClickCell(1, 1);
    EXPECT_EQ(S().board.cells, frozen.cells);

    // A new game (nothing asked in the solved state) and every level again:
    // the all-solved dialog never comes back in this run.
    std::size_t asked = seam->Forms().size();
    P().Run(zk::Action::NewGame);
    EXPECT_EQ(seam->Forms().size(), asked);
    EXPECT_EQ(S().levels.SolvedCount(), 0);
    for (int level = 1; level <= 3; ++level) {
        ASSERT_EQ(S().levels.CurrentLevel(), level);
        const std::size_t mark = seam->Forms().size();
        SolveByClicks();
        EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"SolvedDlg"}));
        P().Run(zk::Action::NextUnsolved);
    }
    EXPECT_EQ(S().levels.SolvedCount(), 3);
    // Solved, the level starts anew with nothing asked.
    asked = seam->Forms().size();
    P().Run(zk::Action::Restart);
    EXPECT_EQ(seam->Forms().size(), asked);
    EXPECT_EQ(S().boardState, zk::PlayState);
}

TEST_F(PlayTest, PracticeModeRecordsNothingAndNeverAsks) {
    Setting("mode", "0");
    Start();
    EXPECT_EQ(Face(P()), "unsolved");
    SolveByClicks();
    EXPECT_EQ(S().boardState, zk::SolvedState);
    EXPECT_FALSE(S().levels.IsLevelSolved(1));
    EXPECT_EQ(ShownForms().back(), "SolvedDlg");
    // The face and the hint keep telling the level's stored flag.
    EXPECT_EQ(Face(P()), "unsolved");
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
    const std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::Restart);
    ClickCell(S().board.held.column == 0 ? 1 : 0, S().board.held.row);
    P().Run(zk::Action::Restart);
    P().Run(zk::Action::NewGame);
    P().levelscroll()->setValue(3);
    EXPECT_EQ(seam->Forms().size(), mark);
    EXPECT_EQ(S().levels.CurrentLevel(), 3);

    // The mode button leaves practice for the editor, and the editor for
    // challenge mode; each change is announced with the mode entered.
    const auto announced = [&] {
        EXPECT_EQ(ShownForms().back(), "ChangeModeDlg");
        return static_cast<zk::TMessageDialog*>(seam->Forms().back().form)->NewMode;
    };
    P().Run(zk::Action::ChangeMode);
    EXPECT_EQ(S().gameMode, zk::EditorMode);
    EXPECT_EQ(announced(), zk::EditorMode);
    EXPECT_EQ(S().board.cells, CornerLevel(7, 5)); // level 3 as stored
    P().Run(zk::Action::ChangeMode);
    EXPECT_EQ(S().gameMode, zk::ChallengeMode);
    EXPECT_EQ(announced(), zk::ChallengeMode);
    EXPECT_EQ(S().boardState, zk::PlayState);
}

TEST_F(PlayTest, RestartAsksOnceBeforeAMoveAndTwiceAfter) {
    Start();
    std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::Restart); // unanswered: the close box goes on
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"RestartDlg"}));

    ClickCell(S().board.held.column == 0 ? 1 : 0, S().board.held.row);
    ASSERT_TRUE(S().moved);
    const auto board = S().board;
    mark = seam->Forms().size();
    Answer("RestartDlg", "OKBtn");
    Answer("RestartDlg", "CancelBtn"); // No at the second question
    P().Run(zk::Action::Restart);
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"RestartDlg", "RestartDlg"}));
    EXPECT_EQ(S().board.cells, board.cells);
    EXPECT_EQ(S().board.held, board.held);
    EXPECT_TRUE(S().moved);

    Answer("RestartDlg", "CancelBtn"); // No at the first
    P().Run(zk::Action::Restart);
    EXPECT_EQ(S().board.held, board.held);
    EXPECT_TRUE(S().moved);
}

TEST_F(PlayTest, NewGameAsksThenClearsProgressAndStartsLevelOne) {
    TempDir::Write(programDir.File("g.zkv"), std::vector<std::uint8_t>{1, 1, 0, 1});
    Setting("save", programDir.File("g.zkv"));
    Setting("level", "3");
    Start();
    Answer("GiveUpDlg", "CancelBtn");
    P().Run(zk::Action::NewGame);
    EXPECT_EQ(S().levels.CurrentLevel(), 3);
    EXPECT_EQ(S().levels.SolvedCount(), 2);

    Answer("GiveUpDlg", "OKBtn");
    P().Run(zk::Action::NewGame);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_EQ(P().levelscroll()->value(), 1);
    EXPECT_EQ(S().levels.SolvedCount(), 0);
    EXPECT_EQ(S().levels.Flags()[3], 1); // beyond the level count: kept
    EXPECT_EQ(S().board.held.column < 2, true);
}

TEST_F(PlayTest, NewGameDeclinedAtTheRestartQuestionKeepsTheLevelInPlay) {
    Setting("level", "2");
    Start();
    ClickCell(S().board.held.column == 3 ? 4 : 3, S().board.held.row);
    ASSERT_TRUE(S().moved);
    Answer("GiveUpDlg", "OKBtn");
    Answer("RestartDlg", "CancelBtn");
    const std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::NewGame);
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"GiveUpDlg", "RestartDlg"}));
    EXPECT_EQ(S().levels.SolvedCount(), 0);
    EXPECT_EQ(S().levels.CurrentLevel(), 2); // in step with the Board
    EXPECT_EQ(P().levelscroll()->value(), 2);
    SolveByClicks();
    EXPECT_TRUE(S().levels.IsLevelSolved(2));
    EXPECT_FALSE(S().levels.IsLevelSolved(1));
}

TEST_F(PlayTest, NextAndPreviousUnsolvedAskOnceAndMoveTheScrollBar) {
    TempDir::Write(programDir.File("g.zkv"), std::vector<std::uint8_t>{0, 1, 0});
    Setting("save", programDir.File("g.zkv"));
    Start();
    ClickCell(S().board.held.column == 0 ? 1 : 0, S().board.held.row);
    std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::NextUnsolved);
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"RestartDlg"}));
    EXPECT_EQ(S().levels.CurrentLevel(), 3);
    EXPECT_EQ(P().levelscroll()->value(), 3);

    mark = seam->Forms().size();
    P().Run(zk::Action::PreviousUnsolved); // level 1 (2 is solved)
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_TRUE(Since(ShownForms(), mark).empty());
}

TEST_F(PlayTest, SearchesDoNothingWhenNoOtherLevelIsUnsolved) {
    TempDir::Write(programDir.File("g.zkv"), std::vector<std::uint8_t>{0, 1, 1});
    Setting("save", programDir.File("g.zkv"));
    Start();
    const auto board = S().board;
    P().Run(zk::Action::NextUnsolved);
    P().Run(zk::Action::PreviousUnsolved);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_EQ(S().board.cells, board.cells);
}

TEST_F(PlayTest, DeclinedScrollBarStartPutsTheBarBackAndStartsNothing) {
    Start();
    ClickCell(S().board.held.column == 0 ? 1 : 0, S().board.held.row);
    const auto board = S().board;
    Answer("RestartDlg", "CancelBtn");
    const std::size_t mark = seam->Forms().size();
    P().levelscroll()->setValue(2);
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"RestartDlg"}));
    EXPECT_EQ(P().levelscroll()->value(), 1);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    EXPECT_EQ(S().board.cells, board.cells);
    EXPECT_TRUE(S().moved);
}

TEST_F(PlayTest, ModeToggleBetweenChallengeAndEditor) {
    Start();
    ClickCell(S().board.held.column == 0 ? 1 : 0, S().board.held.row);
    std::size_t mark = seam->Forms().size();
    P().Run(zk::Action::ChangeMode); // to the editor: no question, the game in progress dropped
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"ChangeModeDlg"}));
    EXPECT_EQ(S().gameMode, zk::EditorMode);
    EXPECT_EQ(S().boardState, zk::EditingState);
    EXPECT_EQ(S().board.cells, CornerLevel(0, 0));
    EXPECT_TRUE(P().Forms().editform->isVisible());

    mark = seam->Forms().size();
    P().Run(zk::Action::ChangeMode); // back, without edits: nothing asked
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"ChangeModeDlg"}));
    EXPECT_EQ(S().gameMode, zk::ChallengeMode);
    EXPECT_EQ(S().boardState, zk::PlayState);
    EXPECT_FALSE(P().Forms().editform->isVisible());
}

TEST_F(PlayTest, LeavingTheEditorWithEditsAsksOnceAndTheAnswerDecides) {
    Setting("mode", "2");
    Start();
    W().paletteSelection = 33;
    ClickCell(5, 5); // a fixed blank becomes tile 33
    ASSERT_TRUE(S().edited);
    std::size_t mark = seam->Forms().size();
    AnswerCloseBox("ChangeModeDlg");
    Answer("TakeDlg", "CancelBtn");
    P().Run(zk::Action::ChangeMode);
    EXPECT_EQ(Since(ShownForms(), mark), (std::vector<QString>{"ChangeModeDlg", "TakeDlg"}));
    EXPECT_EQ(S().levels.LevelAt(1), CornerLevel(0, 0));
    EXPECT_FALSE(S().levelsChanged);

    P().Run(zk::Action::ChangeMode); // to the editor again
    W().paletteSelection = 33;
    ClickCell(5, 5);
    AnswerCloseBox("ChangeModeDlg");
    Answer("TakeDlg", "OKBtn");
    P().Run(zk::Action::ChangeMode);
    EXPECT_EQ(S().levels.LevelAt(1)[zk::CellIndex(5, 5)], 33);
    EXPECT_TRUE(S().levelsChanged);
    EXPECT_EQ(S().boardState, zk::PlayState);
}
