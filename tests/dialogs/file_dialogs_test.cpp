// The load and save dialogs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ScriptedSeam.h"
#include "dialogs/Load.h"
#include "dialogs/Save.h"
#include "model/GameState.h"

using namespace zk;
using namespace zk::platform;

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(500, '\0'));
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        root = QDir::cleanPath(temp.path());
    }
    QTemporaryDir temp;
    QString root;
    GameState state;
    ScriptedSeam seam;
};

// Double-clicks the row of the named file in the file list.
void DoubleClickFile(TFileListBox* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

TEST_F(FileDialogTest, LoadDialogRereadsAtActivationAndConfirmsByDoubleClick) {
    Tloaddlg load(state.language, nullptr);
    EXPECT_EQ(load.size(), QSize(329, 276));
    Touch(root + "/b.zkv");
    ASSERT_TRUE(load.DirectoryListBox->SetDirectoryFromPath(root + "/b.zkv"));
    Touch(root + "/a.zkv"); // saved after the lists were read

    QStringList listed;
    QWidget* focus = nullptr;
    seam.Then([&](ModalForm&) {
        listed = load.FileListBox->Names();
        focus = load.focusWidget();
        DoubleClickFile(load.FileListBox, QStringLiteral("b.zkv"));
    });
    EXPECT_EQ(load.ShowModal(), mrOk);
    EXPECT_EQ(listed, (QStringList{"a.zkv", "b.zkv"}));
    EXPECT_EQ(focus, load.FileListBox);
    EXPECT_EQ(load.FileListBox->FileName(), root + "/b.zkv");
    EXPECT_EQ(load.windowTitle(), QStringLiteral("Load game"));
    EXPECT_EQ(load.CancelBtn->text(), QStringLiteral("Escape"));

    // Esc and the close box cancel; OK without a selection gives 1 and no file.
    seam.ThenKey(Qt::Key_Escape);
    EXPECT_EQ(load.ShowModal(), mrCancel);
    seam.ThenCloseBox();
    EXPECT_EQ(load.ShowModal(), mrCancel);
    load.FileListBox->clearSelection();
    seam.ThenPress(QStringLiteral("OKBtn"));
    EXPECT_EQ(load.ShowModal(), mrOk);
    EXPECT_TRUE(load.FileListBox->FileName().isEmpty());
}

TEST_F(FileDialogTest, LoadDialogTextsInGerman) {
    Tloaddlg load(state.language, nullptr);
    state.language = German;
    seam.ThenKey(Qt::Key_Escape);
    load.ShowModal();
    EXPECT_EQ(load.windowTitle(), QStringLiteral("Spiel laden"));
    EXPECT_EQ(load.Label1->text(), QStringLiteral("Dateien:"));
    EXPECT_EQ(load.Label2->text(), QStringLiteral("Verzeichnisse:"));
    EXPECT_EQ(load.Label3->text(), QStringLiteral("Laufwerke:"));
    EXPECT_EQ(load.CancelBtn->text(), QStringLiteral("Abbruch"));
    EXPECT_TRUE(load.Label1->font().bold());
}

TEST_F(FileDialogTest, SaveDialogProposesTheSavedGameOrNoname) {
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    EXPECT_EQ(save.size(), QSize(329, 319));
    ASSERT_TRUE(save.DirectoryListBox->SetDirectory(root));

    auto proposal = [&] {
        QString text;
        QWidget* focus = nullptr;
        seam.Then([&](ModalForm& form) {
            text = save.FileEdit->text();
            focus = form.focusWidget();
            form.close();
        });
        save.ShowModal();
        EXPECT_EQ(focus, save.FileEdit);
        return text;
    };
    // No saved game, or one that is gone: "noname.zkv".
    EXPECT_EQ(proposal(), QStringLiteral("noname.zkv"));
    state.savedGamePath = (root + "/gone.zkv").toStdString();
    EXPECT_EQ(proposal(), QStringLiteral("noname.zkv"));
    // An existing saved game: its file name, whatever was typed before.
    Touch(root + "/week1.zkv");
    state.savedGamePath = (root + "/week1.zkv").toStdString();
    save.FileEdit->setText(QStringLiteral("typed.zkv"));
    save.pathedit->setText(QStringLiteral("new"));
    EXPECT_EQ(proposal(), QStringLiteral("week1.zkv"));
    EXPECT_TRUE(save.pathedit->text().isEmpty());

    // Pointing the file list at the saved game selects it; OK confirms.
    ASSERT_TRUE(save.FileListBox->SetFileName(root + "/week1.zkv"));
    seam.ThenKey(Qt::Key_Return);
    EXPECT_EQ(save.ShowModal(), mrOk);
    EXPECT_EQ(save.FileListBox->Directory(), root);
    EXPECT_EQ(save.FileEdit->text(), QStringLiteral("week1.zkv"));
}

TEST_F(FileDialogTest, SaveDialogSelectionFillsTheEditAndDoubleClickConfirms) {
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    Touch(root + "/one.zkv");
    Touch(root + "/two.zkv");
    ASSERT_TRUE(save.DirectoryListBox->SetDirectory(root));
    seam.Then([&](ModalForm&) { DoubleClickFile(save.FileListBox, QStringLiteral("two.zkv")); });
    EXPECT_EQ(save.ShowModal(), mrOk);
    EXPECT_EQ(save.FileEdit->text(), QStringLiteral("two.zkv"));
}

// OK with a name that is no file name keeps the dialog open, the name
// selected in the focused field; a double-click on such a listed file as well.
TEST_F(FileDialogTest, SaveDialogRefusesNamesThatAreNoFileNames) {
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    Touch(root + "/*.zkv"); // written by an earlier version
    ASSERT_TRUE(save.DirectoryListBox->SetDirectory(root));
    for (const QString name : {"", ".zkv", "..", "*.zkv", "week?.zkv", "a/b"}) {
        bool open = false;
        QWidget* focus = nullptr;
        QString selected;
        seam.Then([&](ModalForm& form) {
            save.FileEdit->setText(name);
            save.OKBtn->setFocus();
            ScriptedSeam::SendKey(form, Qt::Key_Return);
            open = form.isVisible();
            focus = form.focusWidget();
            selected = save.FileEdit->selectedText();
            DoubleClickFile(save.FileListBox, QStringLiteral("*.zkv"));
            open = open && form.isVisible();
            save.FileEdit->setText(QStringLiteral("week1"));
            ScriptedSeam::PressButton(form, QStringLiteral("OKBtn"));
        });
        EXPECT_EQ(save.ShowModal(), mrOk) << name.toStdString();
        EXPECT_TRUE(open) << name.toStdString();
        EXPECT_EQ(focus, save.FileEdit) << name.toStdString();
        EXPECT_EQ(selected, name) << name.toStdString();
    }
}

TEST_F(FileDialogTest, NewDirectoryButton) {
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    ASSERT_TRUE(save.DirectoryListBox->SetDirectory(root));
    EXPECT_EQ(save.pathedit->maxLength(), 8);
    EXPECT_EQ(save.newpathbtn->focusPolicy(), Qt::NoFocus);

    // Empty: nothing at all.
    save.newpathbtnClick();
    EXPECT_EQ(save.DirectoryListBox->Directory(), root);
    EXPECT_TRUE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    // A new name: created, and the lists move into it; pathedit keeps its text.
    save.pathedit->setText(QStringLiteral("games"));
    QTest::mouseClick(save.newpathbtn, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(root + "/games").isDir());
    EXPECT_EQ(save.DirectoryListBox->Directory(), root + "/games");
    EXPECT_EQ(save.FileListBox->Directory(), root + "/games");
    EXPECT_EQ(save.pathedit->text(), QStringLiteral("games"));

    // An existing directory: nothing visible, no message.
    ASSERT_TRUE(save.DirectoryListBox->SetDirectory(root));
    const int rows = save.DirectoryListBox->count();
    save.newpathbtnClick();
    EXPECT_EQ(save.DirectoryListBox->Directory(), root);
    EXPECT_EQ(save.DirectoryListBox->count(), rows);
    // A name that is not allowed: nothing either.
    save.pathedit->setText(QStringLiteral("a/b"));
    save.newpathbtnClick();
    save.pathedit->setText(QStringLiteral(".."));
    save.newpathbtnClick();
    EXPECT_EQ(save.DirectoryListBox->Directory(), root);
    EXPECT_TRUE(seam.Messages().empty());
}

TEST_F(FileDialogTest, SaveDialogTextsFollowTheLanguage) {
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    for (Language language : {German, English}) {
        state.language = language;
        seam.ThenKey(Qt::Key_Escape);
        EXPECT_EQ(save.ShowModal(), mrCancel);
        const bool german = language == German;
        EXPECT_EQ(save.windowTitle(), german ? QStringLiteral("Spiel speichern als ...")
                                             : QStringLiteral("Save game as ..."));
        EXPECT_EQ(save.Label4->text(),
                  german ? QStringLiteral("Dateiname:") : QStringLiteral("Filename:"));
        EXPECT_EQ(save.Label8->text(),
                  german ? QStringLiteral("Neues Verzeichnis:") : QStringLiteral("New directory:"));
        EXPECT_EQ(save.newpathbtn->toolTip(), german ? QStringLiteral("Neues Verzeichnis anlegen")
                                                     : QStringLiteral("Create new directory"));
        EXPECT_EQ(save.CancelBtn->text(),
                  german ? QStringLiteral("Abbruch") : QStringLiteral("Escape"));
        EXPECT_EQ(save.OKBtn->text(), QStringLiteral("OK"));
    }
}

TEST_F(FileDialogTest, EnterInTheDirectoryListOpensTheDirectoryAndEnterInTheFileListConfirms) {
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("week")));
    Touch(root + "/week/monday.zkv");
    Tloaddlg load(state.language, nullptr);
    TSaveDlg save(state.language, state.savedGamePath, nullptr);
    for (ModalForm* form : {static_cast<ModalForm*>(&load), static_cast<ModalForm*>(&save)}) {
        auto* dirs = form->findChild<TDirectoryListBox*>(QStringLiteral("DirectoryListBox"));
        auto* files = form->findChild<TFileListBox*>(QStringLiteral("FileListBox"));
        ASSERT_TRUE(dirs->SetDirectory(root));
        bool openAfterEnter = false;
        seam.Then([&](ModalForm& shown) {
            const auto week = dirs->findItems(QStringLiteral("week"), Qt::MatchExactly);
            ASSERT_EQ(week.size(), 1);
            dirs->setFocus();
            dirs->setCurrentItem(week.first());
            QTest::keyClick(dirs, Qt::Key_Return);
            openAfterEnter = shown.isVisible();
            QTest::keyClick(dirs, Qt::Key_Enter, Qt::KeypadModifier); // stays in "week"
            files->setFocus();
            files->setCurrentRow(0);
            QTest::keyClick(files, Qt::Key_Return);
        });
        EXPECT_EQ(form->ShowModal(), mrOk) << form->objectName().toStdString();
        EXPECT_TRUE(openAfterEnter) << form->objectName().toStdString();
        EXPECT_EQ(dirs->Directory(), root + "/week");
        EXPECT_EQ(files->FileName(), root + "/week/monday.zkv");
    }
}
