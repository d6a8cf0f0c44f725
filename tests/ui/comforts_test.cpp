// Undo and redo, keyboard play, the hint, the connection marks and the move
// count, through real key events on the main window.
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTest>

#include "MainFormFixture.h"
#include "ShortestWay.h"
#include "files/Settings.h"
#include "model/OpenEnds.h"
#include "platform/Controls.h"

namespace {

// Collects the region of every paint event the board surface receives.
class PaintRegions : public QObject {
public:
    explicit PaintRegions(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

using zk::CellRect;

} // namespace

class ComfortsTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "0");
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), m);
    }
    // The hint's and the fewest moves' searches run on a worker: their
    // answers arrive through the event loop.
    void Settle() {
        QElapsedTimer clock;
        clock.start();
        while (P().Controller().Searching() && clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents();
    }
    // A movable cell of the level's corner block other than the held one.
    zk::Cell OtherMovable() {
        for (int i = 0; i < zk::CellCount; ++i) {
            const zk::Cell c{i / zk::Rows, i % zk::Rows};
            if (c != S().board.held && zk::IsMovable(S().board.At(c.column, c.row))) {
                return c;
            }
        }
        return {};
    }
    zk::Board startBoard; // the level's start, for its fewest moves
    // What the board surface shows on screen, overlays included.
    QImage Screen() { return P().box()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(ComfortsTest, CtrlZUndoesMovesBackToTheStartAndRedoMakesThemAgain) {
    Start();
    P().SoundBtn()->SetDown(true);
    std::vector<zk::Board> seen{S().board};
    for (int i = 0; i < 3; ++i) {
        const zk::Cell c = OtherMovable();
        ClickCell(c.column, c.row);
        if (S().boardState != zk::PlayState) {
            break; // solved by chance: fewer moves to undo
        }
        seen.push_back(S().board);
    }
    ASSERT_EQ(S().boardState, zk::PlayState);
    sound->events.clear();
    for (auto it = seen.rbegin() + 1; it != seen.rend(); ++it) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(S().board.cells, it->cells);
        EXPECT_EQ(S().board.held, it->held);
    }
    // Each undo sounds as a move; nothing more to undo at the start.
    EXPECT_EQ(sound->Played(), std::vector<std::string>(seen.size() - 1, "w2.wav"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(S().board.cells, seen.front().cells);
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");

    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(S().board.cells, seen[2].cells);
    EXPECT_EQ(S().board.held, seen[2].held);
    // The level indicator's hint counts the moves in feedback mode only.
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
    Key(Qt::Key_F2);
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: 2 moves");
    Key(Qt::Key_F2);
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
    // The screen follows: both cells of the last redo are drawn again.
    EXPECT_EQ(Screen(), P().Surface());

    // A level start forgets the history.
    P().Run(zk::Action::Restart); // challenge: asks before the level is given up
    EXPECT_EQ(S().boardState, zk::PlayState);
    const zk::Board fresh = S().board;
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(S().board.cells, fresh.cells);
    EXPECT_EQ(S().board.held, fresh.held);
}

TEST_F(ComfortsTest, ASolvedLevelStaysFrozenAndTellsItsMoves) {
    // Without a fewest count (the search found none) the hint stops there.
    nearestSolution = [](const zk::Board&) { return std::optional<zk::WayToSolution>{}; };
    Setting("mode", "0");
    Start();
    const int clicks = SolveByClicks();
    ASSERT_EQ(S().boardState, zk::SolvedState);
    const zk::Board solved = S().board;
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Space);
    EXPECT_EQ(S().board.cells, solved.cells);
    EXPECT_EQ(S().board.held, solved.held);
    const std::string moves = std::to_string(clicks) + (clicks == 1 ? " move" : " moves");
    // Practice records no solve: the hint reads as it always has, and in
    // feedback mode tells the moves and, on a second line, the player's record.
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
    Key(Qt::Key_F2);
    EXPECT_EQ(P().levelbox()->toolTip().toStdString(),
              "Level 1: solved in " + moves + "\nyour best: " + moves);
}

TEST_F(ComfortsTest, EditorUndoesPlacingAndPickingUpWithThePaletteSelection) {
    Setting("mode", "2");
    Start();
    const zk::LevelRecord stored = S().board.cells;
    W().paletteSelection = 33;
    ClickCell(5, 5);                  // 33 placed on a blank
    ClickCell(0, 0, Qt::RightButton); // 7 picked up
    ASSERT_EQ(W().paletteSelection, 7);
    // The cursor's Delete is the right click, Space the left one.
    Key(Qt::Key_Right); // shown at the middle cell, then one to the right
    Key(Qt::Key_Delete);
    EXPECT_EQ(S().board.At(5, 3), 0);
    EXPECT_EQ(W().paletteSelection, 120);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(S().board.At(5, 3), 120);
    EXPECT_EQ(W().paletteSelection, 7);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(S().board.cells, stored);
    EXPECT_EQ(W().paletteSelection, 33);
    // Typed into the palette window, the keys act on the board all the same.
    QTest::keyClick(P().Forms().editform, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(S().board.At(5, 5), 33);
    EXPECT_TRUE(S().edited);
}

TEST_F(ComfortsTest, KeysReachTheButtonsHandlersWithTheirQuestions) {
    Start();
    // The window takes the keys; its buttons take no focus from it.
    EXPECT_EQ(form->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(P().ExitBtn()->focusPolicy(), Qt::NoFocus);
    const zk::Cell c = OtherMovable();
    ClickCell(c.column, c.row);
    ASSERT_EQ(S().boardState, zk::PlayState);
    std::size_t shown = seam->Forms().size();
    auto since = [&] {
        std::vector<QString> names;
        for (std::size_t i = shown; i < seam->Forms().size(); ++i) {
            names.push_back(seam->Forms()[i].name);
        }
        shown = seam->Forms().size();
        return names;
    };

    // Page Down in challenge play after a move: the scroll bar's question.
    Answer("RestartDlg", "CancelBtn");
    Key(Qt::Key_PageDown);
    EXPECT_EQ(since(), std::vector<QString>{"RestartDlg"});
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    Answer("RestartDlg", "OKBtn");
    P().levelscroll()->setValue(1); // back where the level is, nothing asked
    Key(Qt::Key_PageDown);
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    Key(Qt::Key_PageUp); // before the first level: nothing
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    Key(Qt::Key_N);
    EXPECT_EQ(S().levels.CurrentLevel(), 2);
    Key(Qt::Key_P);
    EXPECT_EQ(S().levels.CurrentLevel(), 1);
    since();

    // R asks as the Restart button does; F1 opens the rules.
    Answer("RestartDlg", "CancelBtn");
    Key(Qt::Key_R);
    EXPECT_EQ(since(), std::vector<QString>{"RestartDlg"});
    Key(Qt::Key_F1);
    EXPECT_EQ(help->events.back(), "jump The_game");

    // Ctrl+P: practice mode through the mode button's path and announcement.
    ClickCell(OtherMovable().column, OtherMovable().row);
    AnswerCloseBox("ChangeModeDlg");
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(since(), std::vector<QString>{"ChangeModeDlg"});
    EXPECT_EQ(S().gameMode, zk::PracticeMode);
    EXPECT_EQ(S().boardState, zk::PlayState);
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Practice mode");
    Key(Qt::Key_P, Qt::ControlModifier); // already there: nothing
    EXPECT_TRUE(since().empty());

    // Ctrl+S, Ctrl+O and Ctrl+Q: the save and load dialogs, the exit question.
    AnswerCloseBox("SaveDlg");
    Key(Qt::Key_S, Qt::ControlModifier);
    AnswerCloseBox("loaddlg");
    Key(Qt::Key_O, Qt::ControlModifier);
    Answer("EndGameDlg", "CancelBtn");
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(since(), (std::vector<QString>{"SaveDlg", "loaddlg", "EndGameDlg"}));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ComfortsTest, HAndSpaceRepeatedSolveInTheFewestMovesAndCountTheHints) {
    WriteLevels({CornerLevel(3, 2)});
    nearestSolution = [](const zk::Board& b) { return zk::oracle::ShortestWay(b); };
    Start();
    ASSERT_FALSE(S().board.IsSolved());
    const int fewest = zk::oracle::ShortestWay(S().board)->Moves();
    int presses = 0;
    while (S().boardState == zk::PlayState && presses < 20) {
        Key(Qt::Key_H);
        Settle();
        ASSERT_TRUE(P().View().Cursor());
        Key(Qt::Key_Space);
        ++presses;
    }
    EXPECT_EQ(S().boardState, zk::SolvedState);
    EXPECT_EQ(presses, fewest);
    const auto forms = ShownForms();
    EXPECT_NE(std::find(forms.begin(), forms.end(), "SolvedDlg"), forms.end());
    const std::string m = std::to_string(fewest);
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: solved");
    Key(Qt::Key_F2);
    EXPECT_EQ(P().levelbox()->toolTip().toStdString(),
              "Level 1: solved in " + m + (fewest == 1 ? " move" : " moves") +
                  "; it can be done in " + m + "; " + m + (fewest == 1 ? " hint" : " hints") +
                  "\nyour best: " + m + (fewest == 1 ? " move" : " moves"));
}

TEST_F(ComfortsTest, MarksFollowMovesUndoAndLevelStartsAndAreKeptInTheirOwnSection) {
    WriteLevels({CornerLevel(3, 2), CornerLevel(0, 0)});
    Start();
    ASSERT_FALSE(S().board.IsSolved());
    Key(Qt::Key_F2);
    auto marksMatchTheBoard = [&] { return P().View().Marks() == zk::OpenEndsOf(S().board.cells); };
    EXPECT_TRUE(marksMatchTheBoard());
    // On screen a white cross at the middle of an open side.
    const auto open = std::find_if(P().View().Marks().begin(), P().View().Marks().end(),
                                   [](zk::SideMask m) { return zk::HasSide(m, zk::East); });
    ASSERT_NE(open, P().View().Marks().end());
    const int i = static_cast<int>(open - P().View().Marks().begin());
    const QPoint east = CellRect({i / zk::Rows, i % zk::Rows}).topLeft() + QPoint(40, 24);
    EXPECT_EQ(Screen().pixel(east) & 0xffffff, 0xffffffu);

    const zk::Cell other = OtherMovable();
    ClickCell(other.column, other.row);
    EXPECT_TRUE(marksMatchTheBoard());
    if (S().boardState == zk::PlayState) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(marksMatchTheBoard());
    }
    Key(Qt::Key_PageDown);
    EXPECT_TRUE(marksMatchTheBoard());

    // Off: the screen is the surface again, the choice is written at close.
    Key(Qt::Key_F2);
    EXPECT_EQ(Screen(), P().Surface());
    Key(Qt::Key_F2);
    CloseWindowAnsweringEverything();
    EXPECT_EQ(zk::files::SettingsStore(SettingsFile())
                  .ReadString(zk::files::ExtrasSection, "feedback", "<missing>"),
              "1");
}

TEST_F(ComfortsTest, WithoutTheMarksTouchedNothingIsWrittenForThem) {
    Start();
    CloseWindowAnsweringEverything();
    EXPECT_EQ(zk::files::SettingsStore(SettingsFile())
                  .ReadString(zk::files::ExtrasSection, "feedback", "<missing>"),
              "<missing>");
}

TEST_F(ComfortsTest, AMoveWithMarksOnRepaintsOnlyItsTwoCellsAndTheirNeighbours) {
    zk::files::SettingsStore(SettingsFile()).WriteString(zk::files::ExtrasSection, "feedback", "1");
    WriteLevels({CornerLevel(3, 2)});
    Start();
    P().Timer()->stop(); // the marker's ticks paint the held cell besides
    QApplication::processEvents();
    ASSERT_TRUE(P().View().Marks() == zk::OpenEndsOf(S().board.cells));
    for (int move = 0; move < 3 && S().boardState == zk::PlayState; ++move) {
        PaintRegions regions(P().box());
        const zk::Cell from = S().board.held, to = OtherMovable();
        ClickCell(to.column, to.row);
        QApplication::processEvents();
        QRegion allowed = zk::BoardView::StatusRect(); // the feedback line's count
        for (const zk::Cell c : {from, to}) {
            for (const auto& [dc, dr] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                allowed += CellRect({c.column + dc, c.row + dr});
            }
        }
        EXPECT_GE(regions.paints, 1);
        EXPECT_TRUE((regions.painted - allowed).isEmpty()) << "move " << move;
        EXPECT_TRUE(regions.painted.intersects(CellRect(to)));
    }
}

TEST_F(ComfortsTest, FeedbackLineCountsMovesShortestAndOpenEndsBelowTheCells) {
    WriteLevels({CornerLevel(3, 2), CornerLevel(0, 0)});
    nearestSolution = [](const zk::Board& b) { return zk::oracle::ShortestWay(b); };
    Start();
    ASSERT_FALSE(S().board.IsSolved());
    auto expected = [&](const std::string& moves) {
        const int ends = zk::OpenEndCount(S().board.cells);
        return moves + " \u00b7 shortest " +
               std::to_string(zk::oracle::ShortestWay(startBoard)->Moves()) + " \u00b7 " +
               std::to_string(ends) + (ends == 1 ? " open end" : " open ends");
    };
    startBoard = S().board;
    EXPECT_EQ(P().View().Status(), "");
    Key(Qt::Key_F2);
    Settle();
    EXPECT_EQ(P().View().Status(), expected("0 moves"));
    const QRect strip = zk::BoardView::StatusRect();
    EXPECT_NE(Screen().copy(strip), P().Surface().copy(strip));
    // H tells the rule that decides the tile its click settles: here every
    // other corner would leave an end open against the stones around.
    Key(Qt::Key_H);
    Settle();
    const std::string reason = "Other tiles would leave an end open";
    EXPECT_EQ(P().View().Status(), expected("0 moves") + " \u00b7 " + reason);
    EXPECT_TRUE(P().levelbox()->toolTip().endsWith(QString::fromStdString("; " + reason)));
    const zk::Cell other = OtherMovable();
    ClickCell(other.column, other.row);
    if (S().boardState == zk::PlayState) {
        EXPECT_EQ(P().View().Status(), expected("1 move"));
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(P().View().Status(), expected("0 moves"));
    }
    Key(Qt::Key_PageDown);
    startBoard = S().board;
    Settle();
    EXPECT_EQ(P().View().Status(), expected("0 moves"));
    Key(Qt::Key_F2);
    EXPECT_EQ(P().View().Status(), "");
    EXPECT_EQ(Screen(), P().Surface());
}

TEST_F(ComfortsTest, MovesSlideAPressLandsThemAndTheSolveShinesUntilAPressOrTheClose) {
    motion = true;
    Setting("mode", "1");
    WriteLevels({CornerLevel(3, 2), CornerLevel(0, 0)});
    Start();
    const auto since = [&, shown = ShownForms().size()] {
        const auto forms = ShownForms();
        return std::vector<QString>(forms.begin() + static_cast<std::ptrdiff_t>(shown),
                                    forms.end());
    };
    const zk::BoardMotion& m = P().View().Motion();
    auto settle = [&] {
        QElapsedTimer clock;
        clock.start();
        while (m.Running() && clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    };
    // A move slides its two tiles from the picture before into the final one.
    const zk::Cell held = S().board.held, other = OtherMovable();
    ClickCell(other.column, other.row);
    ASSERT_FALSE(S().board.IsSolved()); // the scramble is the seed's, the same every run
    ASSERT_TRUE(m.CurrentSlide());
    EXPECT_EQ(m.CurrentSlide()->from, held);
    EXPECT_EQ(m.CurrentSlide()->to, other);
    EXPECT_NE(Screen(), P().Surface());
    settle();
    EXPECT_EQ(Screen(), P().Surface());
    // Undo slides back; a click during the slide lands it and moves.
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(m.CurrentSlide());
    EXPECT_EQ(m.CurrentSlide()->to, held);
    ClickCell(other.column, other.row);
    EXPECT_EQ(S().history.Moves(), 1);
    EXPECT_EQ(m.CurrentSlide()->to, other);
    // The solving move shines; the board takes no move and the question
    // waits until a press ends the shine.
    Key(Qt::Key_Right);
    SolveByClicks();
    ASSERT_TRUE(S().board.IsSolved());
    EXPECT_TRUE(m.ShinePending());
    EXPECT_FALSE(P().View().Cursor());
    EXPECT_TRUE(since().empty());
    AnswerCloseBox("SolvedDlg");
    ClickCell(0, 0);
    EXPECT_EQ(since(), std::vector<QString>{"SolvedDlg"});
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(S().boardState, zk::SolvedState);
    EXPECT_TRUE(S().levels.IsLevelSolved(1));
    EXPECT_EQ(Screen(), P().Surface());

    // Closed while the next solve shines: it counts as if answered.
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(P().View().Cursor());
    SolveByClicks();
    ASSERT_TRUE(m.ShinePending());
    CloseWindowAnsweringEverything();
    EXPECT_TRUE(S().levels.IsLevelSolved(2));
    EXPECT_EQ(since(), (std::vector<QString>{"SolvedDlg", "EndGameDlg", "SaveDlg"}));
}

TEST_F(ComfortsTest, HOnTilesWithoutSolutionSaysSoUntilTheNextMove) {
    zk::LevelRecord three = CornerLevel(3, 2);
    three[zk::CellIndex(4, 3)] = 120;
    WriteLevels({three});
    Start(); // the solver's own hint, not a stand-in
    Key(Qt::Key_H);
    Settle();
    EXPECT_FALSE(P().View().Cursor());
    const QString told = P().levelbox()->toolTip();
    EXPECT_TRUE(told.endsWith("; these tiles have no solution")) << told.toStdString();
    // Known for this Board: H asks nothing again; a move forgets it.
    Key(Qt::Key_H);
    EXPECT_FALSE(P().Controller().Searching());
    const zk::Cell other = OtherMovable();
    ClickCell(other.column, other.row);
    EXPECT_FALSE(P().levelbox()->toolTip().contains("no solution"));
}
