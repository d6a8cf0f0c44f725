// Modal forms: results of buttons, keys and the close box; activation at
// every showing; the seam's record of forms and message boxes; placement.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "ScriptedSeam.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Placement.h"

using namespace zk::platform;

namespace {

class ProbeForm : public ModalForm {
public:
    ProbeForm(QWidget* mainWindow, bool withCancel) : ModalForm(mainWindow) {
        setObjectName(QStringLiteral("ProbeForm"));
        SetClientSize(240, 100);
        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edit"));
        Place(edit, 8, 8, 100, 21);
        ok = new TBitBtn(this, QStringLiteral("OKBtn"));
        Place(ok, 8, 60, 77, 27);
        AttachButton(ok, mrYes, [this] {
            resultSeenByHandler = Result();
            visibleInHandler = isVisible();
        });
        AddDefaultButton(ok);
        SetFirstFocus(ok);
        if (withCancel) {
            cancel = new TBitBtn(this, QStringLiteral("CancelBtn"));
            Place(cancel, 100, 60, 77, 27);
            AttachButton(cancel, mrNo);
            SetCancelButton(cancel);
        }
    }

    QLineEdit* edit = nullptr;
    TBitBtn* ok = nullptr;
    TBitBtn* cancel = nullptr;
    int shows = 0;
    int activations = 0;
    ModalResult resultSeenByHandler = mrNone;
    bool visibleInHandler = false;

protected:
    void FormShow() override { ++shows; }
    void FormActivate() override { ++activations; }
};

} // namespace

TEST(ModalFormTest, ButtonsKeysAndCloseBoxGiveTheirResults) {
    ScriptedSeam seam;
    ProbeForm form(nullptr, true);

    seam.ThenPress(QStringLiteral("OKBtn"));
    EXPECT_EQ(form.ShowModal(), mrYes);
    seam.ThenPress(QStringLiteral("CancelBtn"));
    EXPECT_EQ(form.ShowModal(), mrNo);
    // Enter presses the focused button; OKBtn has the focus when the form opens.
    seam.ThenKey(Qt::Key_Return);
    EXPECT_EQ(form.ShowModal(), mrYes);
    // With the focus on another button, Enter presses that one.
    seam.Then([&](ModalForm& f) {
        form.cancel->setFocus();
        ScriptedSeam::SendKey(f, Qt::Key_Enter);
    });
    EXPECT_EQ(form.ShowModal(), mrNo);
    // With the focus on an edit, Enter presses the default button.
    seam.Then([&](ModalForm& f) {
        form.edit->setFocus();
        ScriptedSeam::SendKey(f, Qt::Key_Return);
    });
    EXPECT_EQ(form.ShowModal(), mrYes);
    seam.ThenKey(Qt::Key_Escape);
    EXPECT_EQ(form.ShowModal(), mrNo);
    seam.ThenCloseBox();
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.isVisible());
}

TEST(ModalFormTest, EscapeDoesNothingWithoutCancelButton) {
    ScriptedSeam seam;
    ProbeForm form(nullptr, false);
    bool stillOpen = false;
    seam.Then([&](ModalForm& f) {
        ScriptedSeam::SendKey(f, Qt::Key_Escape);
        stillOpen = f.isVisible();
        f.close();
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(stillOpen);
}

TEST(ModalFormTest, HandlersRunAtEveryShowingAndSeeTheResultFirst) {
    ScriptedSeam seam;
    ProbeForm form(nullptr, true);
    for (int i = 0; i < 3; ++i) {
        seam.ThenPress(QStringLiteral("OKBtn"));
        form.ShowModal();
    }
    EXPECT_EQ(form.shows, 3);
    EXPECT_EQ(form.activations, 3);
    // The click sets the result before its handler runs; the form closes after.
    EXPECT_EQ(form.resultSeenByHandler, mrYes);
    EXPECT_TRUE(form.visibleInHandler);
    ASSERT_EQ(seam.Forms().size(), 3u);
    EXPECT_EQ(seam.Forms()[0].name, QStringLiteral("ProbeForm"));
    EXPECT_EQ(seam.Forms()[0].result, mrYes);
}

TEST(ModalFormTest, UnscriptedShowingIsClosedAsByTheCloseBox) {
    ScriptedSeam seam;
    ProbeForm form(nullptr, true);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    ASSERT_EQ(seam.Forms().size(), 1u);
    EXPECT_FALSE(seam.Forms()[0].scripted);
}

TEST(ModalFormTest, NestedShowingsTakeTheScriptsInOrder) {
    ScriptedSeam seam;
    ProbeForm outer(nullptr, true);
    ProbeForm inner(nullptr, true);
    outer.setObjectName(QStringLiteral("Outer"));
    inner.setObjectName(QStringLiteral("Inner"));
    ModalResult innerResult = mrNone;
    seam.Then([&](ModalForm&) {
        innerResult = inner.ShowModal();
        ScriptedSeam::PressButton(outer, QStringLiteral("OKBtn"));
    });
    seam.ThenPress(QStringLiteral("CancelBtn"));
    EXPECT_EQ(outer.ShowModal(), mrYes);
    EXPECT_EQ(innerResult, mrNo);
    ASSERT_EQ(seam.Forms().size(), 2u);
    EXPECT_EQ(seam.Forms()[0].name, QStringLiteral("Outer"));
    EXPECT_EQ(seam.Forms()[1].name, QStringLiteral("Inner"));
}

TEST(ModalFormTest, AFormShownWhileItIsOpenIsRefused) {
    ScriptedSeam seam;
    ProbeForm form(nullptr, true);
    ModalResult again = mrNone;
    seam.Then([&](ModalForm& open) {
        again = form.ShowModal();
        ScriptedSeam::PressButton(open, QStringLiteral("CancelBtn"));
    });
    EXPECT_EQ(form.ShowModal(), mrNo);
    EXPECT_EQ(again, mrRefused);
    EXPECT_EQ(seam.Forms().size(), 1u);
    // Once closed it shows again.
    seam.ThenPress(QStringLiteral("OKBtn"));
    EXPECT_EQ(form.ShowModal(), mrYes);
}

// The scroll bar reports a program's change at once and the player's once the
// press ends; a form that opens during a press cancels it.
TEST(ScrollBarTest, ThePlayersChangeWaitsForTheEndOfThePressAndAFormCancelsIt) {
    QWidget window;
    TScrollBar bar(&window, QStringLiteral("levelscroll"));
    Place(&bar, 0, 0, 101, 19);
    bar.setRange(1, 30);
    bar.setPageStep(10);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)); // the bar repaints at once
    int reports = 0;
    QObject::connect(&bar, &TScrollBar::Changed, [&] { ++reports; });
    bar.setValue(5);
    EXPECT_EQ(reports, 1);

    const QPoint arrow(101 - 5, 9);
    QTest::mousePress(&bar, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(bar.value(), 6);
    EXPECT_EQ(reports, 1);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(reports, 2);

    ScriptedSeam seam;
    ProbeForm form(&window, true);
    QTest::mousePress(&bar, Qt::LeftButton, {}, arrow);
    ASSERT_EQ(bar.value(), 7);
    seam.Then([&](ModalForm& open) {
        EXPECT_EQ(bar.value(), 6);
        ScriptedSeam::PressButton(open, QStringLiteral("CancelBtn"));
    });
    form.ShowModal();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(bar.value(), 6);
    EXPECT_EQ(reports, 2);
}

TEST(MessageBoxTest, SeamSeesIconButtonsTitleAndText) {
    ScriptedSeam seam;
    ShowError(QStringLiteral("Dateifehler 3"));
    seam.AnswerMessage(mrYes);
    EXPECT_EQ(ShowMessage(MessageIcon::Warning, MessageButtons::YesNo, QStringLiteral("w")), mrYes);
    EXPECT_EQ(ShowMessage(MessageIcon::Question, MessageButtons::YesNo, QStringLiteral("q")), mrNo);
    ASSERT_EQ(seam.Messages().size(), 3u);
    const auto& error = seam.Messages()[0].request;
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_EQ(error.buttons, MessageButtons::Ok);
    EXPECT_EQ(error.title, QStringLiteral("Fehler"));
    EXPECT_EQ(error.text, QStringLiteral("Dateifehler 3"));
    EXPECT_EQ(seam.Messages()[0].result, mrOk);
    EXPECT_EQ(seam.Messages()[1].request.title, QStringLiteral("Warnung"));
    EXPECT_EQ(seam.Messages()[2].request.title, QStringLiteral("Bestätigen"));
}

TEST(MessageBoxTest, WindowSystemBoxHasGermanButtonsAndShowsItsTextAsItStands) {
    // No scripted seam: the real box, answered by a click. A file name in a
    // message that looks like markup is shown as it stands, never as markup.
    const QString text = QStringLiteral("Spiel <table><tr><td><b>x</b> existiert bereits.");
    QStringList captions;
    QString title;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        format = box->textFormat();
        for (QAbstractButton* button : box->buttons()) {
            captions << button->text();
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QStringLiteral("&Ja")) {
                button->click();
            }
        }
    });
    EXPECT_EQ(ShowMessage(MessageIcon::Question, MessageButtons::YesNo, text), mrYes);
    EXPECT_EQ(title, QStringLiteral("Bestätigen"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_TRUE(captions.contains(QStringLiteral("&Ja")));
    EXPECT_TRUE(captions.contains(QStringLiteral("&Nein")));
}

TEST(ModalFormTest, WindowSystemSeamRunsARealModalLoop) {
    ProbeForm form(nullptr, true);
    QTimer::singleShot(0, [&] { ScriptedSeam::SendKey(form, Qt::Key_Escape); });
    EXPECT_EQ(form.ShowModal(), mrNo);
    EXPECT_EQ(form.activations, 1);
}

TEST(PlacementTest, CentresOverTheWindowRoundingTowardZero) {
    // Main window 526 wide, dialog 267 wide: 129 to the right of its left edge.
    const OuterGeometry main{292, 297, 526, 436, 409};
    EXPECT_EQ(PlaceOver(main, 267, 130).x(), 292 + 129);
    // 297 + 436 - (409 + 130) div 2 = 733 - 269.
    EXPECT_EQ(PlaceOver(main, 267, 130).y(), 464);
    // A dialog wider than the window: -5 div 2 = -2.
    const OuterGeometry narrow{100, 0, 100, 50, 50};
    EXPECT_EQ(PlaceOver(narrow, 105, 50).x(), 98);
    EXPECT_EQ(PlaceOver(narrow, 105, 55).y(), 50 - 52);
}

TEST(PlacementTest, FormStandsOverTheMainWindow) {
    ScriptedSeam seam;
    QWidget main;
    main.setGeometry(300, 200, 526, 409);
    main.show();
    QCoreApplication::processEvents(); // the window system reports the frame
    ProbeForm form(&main, true);
    form.SetPosition(ModalForm::Position::OverMainWindow);
    QRect shown;
    seam.Then([&](ModalForm& f) {
        shown = f.frameGeometry();
        f.close();
    });
    form.ShowModal();
    const QRect outer = main.frameGeometry();
    EXPECT_EQ(shown.x(), outer.left() + (outer.width() - shown.width()) / 2);
    EXPECT_EQ(shown.y(),
              outer.top() + outer.height() - (main.geometry().height() + shown.height()) / 2);
}
