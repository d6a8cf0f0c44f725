// The splash, the language dialog and the about box.
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ScriptedSeam.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Splasher.h"
#include "dialogs/Tongdlg.h"
#include "model/GameState.h"

using namespace zk;
using namespace zk::platform;

namespace {

struct ProgramDirectory {
    ProgramDirectory() : path(dir.path().toStdString() + "/") {}
    void WriteSplashPicture() {
        QImage picture(200, 150, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        ASSERT_TRUE(picture.save(dir.filePath("b5.bmp"), "BMP"));
    }
    QTemporaryDir dir;
    std::string path;
    GameState state;
};

} // namespace

TEST(SplashTest, ClosesOnItsTimerCountedFromCreation) {
    ProgramDirectory program;
    program.WriteSplashPicture();
    ScriptedSeam seam;
    QWidget main;
    main.setGeometry(292, 297, 520, 409);
    main.show();
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    TSplash splash(program.state.language, program.path, &main);
    EXPECT_EQ(splash.size(), QSize(200, 150));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    QTest::qWait(1000); // start-up takes a while before the splash is shown
    bool picture = false;
    QPoint at;
    seam.Then([&](ModalForm& form) {
        picture = splash.Image1->HasPicture();
        at = form.frameGeometry().topLeft();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 5000));
    });
    EXPECT_EQ(splash.ShowModal(), mrCancel);
    const qint64 elapsed = sinceCreation.elapsed();
    EXPECT_GE(elapsed, TSplash::TimerInterval - 50);
    EXPECT_LT(elapsed, TSplash::TimerInterval + 1500);
    EXPECT_TRUE(picture);
    EXPECT_EQ(at.x(), main.frameGeometry().left() + (main.frameGeometry().width() - 200) / 2);
    EXPECT_TRUE(seam.Messages().empty());
}

TEST(SplashTest, AClickClosesItAndAMissingPictureIsReported) {
    ProgramDirectory program; // no b5.bmp
    ScriptedSeam seam;
    TSplash splash(program.state.language, program.path, nullptr);
    seam.Then([&](ModalForm&) { QTest::mouseClick(splash.Image1, Qt::LeftButton); });
    EXPECT_EQ(splash.ShowModal(), mrCancel);
    ASSERT_EQ(seam.Messages().size(), 1u);
    EXPECT_EQ(seam.Messages()[0].request.icon, MessageIcon::Error);
    EXPECT_EQ(seam.Messages()[0].request.title, QStringLiteral("Fehler"));
    EXPECT_TRUE(seam.Messages()[0].request.text.contains(QStringLiteral("b5.bmp")));
    EXPECT_FALSE(splash.Image1->HasPicture());
    // The picture is loaded again at the next showing.
    program.WriteSplashPicture();
    seam.Then([&](ModalForm& form) { QTest::mouseClick(&form, Qt::LeftButton); });
    EXPECT_EQ(splash.ShowModal(), mrCancel);
    EXPECT_TRUE(splash.Image1->HasPicture());
    EXPECT_EQ(seam.Messages().size(), 1u);
}

TEST(TongueDlgTest, ButtonsSetTheLanguageAndTheCloseBoxLeavesIt) {
    ScriptedSeam seam;
    TTongueDlg dialog(nullptr);
    EXPECT_EQ(dialog.size(), QSize(320, 91));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zanfor Kelva V2.0"));
    EXPECT_EQ(dialog.EnglishBtn->text(), QStringLiteral("I speak english."));
    EXPECT_EQ(dialog.GermanBtn->text(), QStringLiteral("Ich spreche deutsch."));

    // Esc does nothing; the close box answers 2 and chooses nothing.
    bool openAfterEscape = false;
    seam.Then([&](ModalForm& form) {
        ScriptedSeam::SendKey(form, Qt::Key_Escape);
        openAfterEscape = form.isVisible();
        form.close();
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(dialog.Chosen(), std::nullopt);

    seam.ThenPress(QStringLiteral("GermanBtn"));
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Chosen(), German);
    // Enter presses the focused button, EnglishBtn when the dialog opens.
    seam.ThenKey(Qt::Key_Return);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Chosen(), English);
    seam.Then([&](ModalForm& form) {
        dialog.GermanBtn->setFocus();
        ScriptedSeam::SendKey(form, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Chosen(), German);
}

TEST(InfoDialogTest, TextsFollowTheLanguageAndTheFixedOnesStay) {
    GameState state;
    state.language = LanguageNotChosen;
    ScriptedSeam seam;
    TInfoDialog info(state.language, nullptr);
    EXPECT_EQ(info.size(), QSize(309, 354));
    EXPECT_EQ(info.progname->text(), QStringLiteral("Zanfor Kelva"));
    EXPECT_EQ(info.progname->font().pixelSize(), 19);
    EXPECT_TRUE(info.progname->font().bold());
    EXPECT_EQ(info.version->text(), QStringLiteral("Version  V2.0"));

    QString caption, tong;
    auto look = [&](ModalForm& form) {
        caption = form.windowTitle();
        tong = info.TongBtn->text();
        ScriptedSeam::SendKey(form, Qt::Key_Return);
    };
    seam.Then(look);
    EXPECT_EQ(info.ShowModal(), mrOk);
    EXPECT_EQ(caption, QStringLiteral("Zanfor Games - Info about ..."));
    EXPECT_EQ(tong, QStringLiteral("language"));
    state.language = German;
    seam.Then(look);
    EXPECT_EQ(info.ShowModal(), mrOk);
    EXPECT_EQ(caption, QStringLiteral("Zanfor Games - Info über ..."));
    EXPECT_EQ(tong, QStringLiteral("Sprache"));

    // Esc does nothing, the close box gives 2.
    bool openAfterEscape = false;
    seam.Then([&](ModalForm& form) {
        ScriptedSeam::SendKey(form, Qt::Key_Escape);
        openAfterEscape = form.isVisible();
        form.close();
    });
    EXPECT_EQ(info.ShowModal(), mrCancel);
    EXPECT_TRUE(openAfterEscape);
}

TEST(InfoDialogTest, LanguageButtonChoosesAppliesAndClosesBoth) {
    GameState state;
    ScriptedSeam seam;
    TInfoDialog info(state.language, nullptr);
    TTongueDlg tongue(nullptr);
    info.SetLanguageDialog(&tongue);
    int applied = 0;
    Language languageWhenApplied = Language{-5};
    info.SetApplyLanguage([&](Language chosen) {
        ++applied;
        state.language = chosen;
        languageWhenApplied = state.language;
    });
    seam.ThenPress(QStringLiteral("TongBtn"));
    seam.ThenPress(QStringLiteral("GermanBtn"));
    EXPECT_EQ(info.ShowModal(), mrOk);
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(tongue.isVisible());
    EXPECT_EQ(state.language, German);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(languageWhenApplied, German);
    // The about box's texts were set again in the new language.
    EXPECT_EQ(info.TongBtn->text(), QStringLiteral("Sprache"));
    ASSERT_EQ(seam.Forms().size(), 2u);
    EXPECT_EQ(seam.Forms()[1].name, QStringLiteral("TongueDlg"));

    // Closing the language dialog without a choice still closes the about box.
    seam.ThenPress(QStringLiteral("TongBtn"));
    seam.ThenCloseBox();
    EXPECT_EQ(info.ShowModal(), mrOk);
    EXPECT_EQ(state.language, German);
    EXPECT_EQ(applied, 2);
}
