// The seven message dialogs: results of Enter, Esc, the buttons and the close
// box; texts by Language at activation; fonts; placement.
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "QtPrinters.h"
#include "ScriptedSeam.h"
#include "dialogs/MessageDialog.h"
#include "model/GameState.h"

using namespace zk;
using namespace zk::platform;

namespace {

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<TMessageDialog>(GameState&)> make;
    ModalResult enter;        // Enter, OKBtn
    ModalResult escape;       // Esc; mrNone: Esc leaves the dialog open
    ModalResult cancelButton; // CancelBtn; mrNone: there is none
    const char* german;
    const char* english;
    int cancelLeft;
};

std::function<std::unique_ptr<TMessageDialog>(GameState&)> Maker(Message message) {
    return [message](GameState& state) {
        return std::make_unique<TMessageDialog>(message, state.language, nullptr);
    };
}

const DialogCase Cases[] = {
    {"SolvedDlg", Maker(Message::SolvedDlg), mrOk, mrNone, mrNone, "Hurra, geschafft!",
     "Hurrah, you did it!", 0},
    {"AllSolvedDlg", Maker(Message::AllSolvedDlg), mrOk, mrNone, mrNone,
     "Gratulation, Du hast alle Stufen gelöst.", "Congratulation, you solved all levels.", 0},
    {"GiveUpDlg", Maker(Message::GiveUpDlg), mrYes, mrNo, mrNo,
     "Willst Du das Spiel wirklich aufgeben?", "Do you really want to give up the game?", 136},
    {"RestartDlg", Maker(Message::RestartDlg), mrYes, mrNo, mrNo,
     "Willst Du die Stufe wirklich aufgeben?", "Do you really want to give up the level?", 128},
    {"EndGameDlg", Maker(Message::EndGameDlg), mrYes, mrNo, mrNo,
     "Willst Du wirklich schon aufhören?", "Do you really want to exit?", 136},
    {"TakeDlg", Maker(Message::TakeDlg), mrOk, mrCancel, mrCancel, "Änderungen übernehmen?",
     "Accept modifications?", 136},
};

class MessageDialogTest : public ::testing::TestWithParam<DialogCase> {};

} // namespace

TEST_P(MessageDialogTest, EnterEscapeButtonsAndCloseBoxGiveTheTabledResults) {
    const DialogCase& c = GetParam();
    GameState state;
    ScriptedSeam seam;
    auto dialog = c.make(state);
    EXPECT_EQ(dialog->objectName(), QString::fromLatin1(c.name));
    EXPECT_EQ(dialog->size(), QSize(261, 103));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zanfor Kelva"));

    seam.ThenKey(Qt::Key_Return);
    EXPECT_EQ(dialog->ShowModal(), c.enter);
    seam.ThenPress(QStringLiteral("OKBtn"));
    EXPECT_EQ(dialog->ShowModal(), c.enter);
    seam.ThenCloseBox();
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    bool openAfterEscape = false;
    seam.Then([&](ModalForm& form) {
        ScriptedSeam::SendKey(form, Qt::Key_Escape);
        openAfterEscape = form.isVisible();
        form.close();
    });
    const ModalResult afterEscape = dialog->ShowModal();
    if (c.escape == mrNone) {
        EXPECT_TRUE(openAfterEscape);
        EXPECT_EQ(afterEscape, mrCancel); // closed by the close box afterwards
        EXPECT_EQ(dialog->CancelBtn, nullptr);
        EXPECT_EQ(dialog->OKBtn->geometry(), QRect(92, 68, 77, 27));
    } else {
        EXPECT_EQ(afterEscape, c.escape);
        seam.ThenPress(QStringLiteral("CancelBtn"));
        EXPECT_EQ(dialog->ShowModal(), c.cancelButton);
        EXPECT_EQ(dialog->OKBtn->geometry(), QRect(40, 68, 77, 27));
        EXPECT_EQ(dialog->CancelBtn->geometry(), QRect(c.cancelLeft, 68, 77, 27));
    }
}

TEST_P(MessageDialogTest, TextsFollowTheLanguageAtEachActivation) {
    const DialogCase& c = GetParam();
    GameState state;
    ScriptedSeam seam;
    auto dialog = c.make(state);
    const bool question = dialog->CancelBtn != nullptr;

    for (Language language : {German, English, LanguageNotChosen, Language{2}, German}) {
        state.language = language;
        QString message, ok, cancel;
        seam.Then([&](ModalForm&) {
            message = dialog->Label1->text();
            ok = dialog->OKBtn->text();
            cancel = question ? dialog->CancelBtn->text() : QString();
            dialog->Close();
        });
        dialog->ShowModal();
        const bool german = language == German;
        EXPECT_EQ(message, QString::fromUtf8(german ? c.german : c.english)) << ToInt(language);
        if (question) {
            EXPECT_EQ(ok, german ? QStringLiteral("Ja") : QStringLiteral("Yes"));
            EXPECT_EQ(cancel, german ? QStringLiteral("Nein") : QStringLiteral("No"));
        } else {
            EXPECT_EQ(ok, QStringLiteral("OK"));
        }
    }
}

TEST_P(MessageDialogTest, OneButtonDialogsAreBoldThroughoutQuestionsOnlyInTheLabel) {
    const DialogCase& c = GetParam();
    GameState state;
    auto dialog = c.make(state);
    const bool question = dialog->CancelBtn != nullptr;
    EXPECT_TRUE(dialog->Label1->font().bold());
    EXPECT_EQ(dialog->Label1->font().pixelSize(), 11);
    EXPECT_EQ(dialog->OKBtn->font().bold(), !question);
    EXPECT_EQ(dialog->Bevel1->geometry(), QRect(8, 8, 245, 49));
    EXPECT_EQ(dialog->Image1->geometry(), QRect(16, 16, 32, 32));
    EXPECT_TRUE(dialog->Label1->wordWrap());
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, MessageDialogTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeModeDlgTest, MessageByNewModeAndOutOfRangeKeepsThePrevious) {
    GameState state;
    ScriptedSeam seam;
    TMessageDialog dialog(Message::ChangeModeDlg, state.language, nullptr);
    auto show = [&](int mode) {
        dialog.NewMode = static_cast<GameMode>(mode);
        QString text;
        seam.Then([&](ModalForm& form) {
            text = dialog.Label1->text();
            ScriptedSeam::SendKey(form, Qt::Key_Return);
        });
        EXPECT_EQ(dialog.ShowModal(), mrOk);
        return text;
    };
    EXPECT_EQ(show(7), QString()); // empty the first time
    EXPECT_EQ(show(1), QStringLiteral("You enter the challenge mode."));
    EXPECT_EQ(show(-1), QStringLiteral("You enter the challenge mode."));
    EXPECT_EQ(show(0), QStringLiteral("You enter the practice mode."));
    EXPECT_EQ(show(2), QStringLiteral("You enter the edit mode."));
    state.language = German;
    EXPECT_EQ(show(0), QStringLiteral("Du wechselst zum Üben-Modus."));
    EXPECT_EQ(show(1), QStringLiteral("Du wechselst zum Wettkampf-Modus."));
    EXPECT_EQ(show(2), QStringLiteral("Du wechselst zum Editor-Modus."));
    EXPECT_EQ(show(3), QStringLiteral("Du wechselst zum Editor-Modus."));
}

TEST(PlacementOverMainWindowTest, ChangeModeAndTakeStandOverTheMainWindow) {
    GameState state;
    ScriptedSeam seam;
    QWidget main;
    main.setGeometry(292, 297, 520, 409);
    main.show();
    TMessageDialog change(Message::ChangeModeDlg, state.language, &main);
    TMessageDialog take(Message::TakeDlg, state.language, &main);
    for (ModalForm* dialog : {static_cast<ModalForm*>(&change), static_cast<ModalForm*>(&take)}) {
        // Moved away between showings, the dialog follows the main window.
        main.move(main.pos() + QPoint(13, 7));
        QPoint at;
        seam.Then([&](ModalForm& form) {
            at = form.frameGeometry().topLeft();
            form.close();
        });
        dialog->ShowModal();
        const QRect outer = main.frameGeometry();
        const QRect own = dialog->frameGeometry();
        EXPECT_EQ(at.x(), outer.left() + (outer.width() - own.width()) / 2);
        EXPECT_EQ(at.y(), outer.top() + outer.height() - (main.height() + own.height()) / 2);
    }
}
