// The linked drive, directory and file lists.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>
#include <tuple>

#include "QtPrinters.h"

#include "platform/FileLists.h"

using namespace zk::platform;

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

class FileListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        root = QDir::cleanPath(temp.path());
        dirs.SetFileList(&files);
        combo.SetDirList(&dirs);
        files.SetMask(QStringLiteral("*.zkv"));
        files.SetFileEdit(&edit);
    }

    QTemporaryDir temp;
    QString root;
    QWidget parent;
    TDirectoryListBox dirs{&parent, QStringLiteral("DirectoryListBox")};
    TFileListBox files{&parent, QStringLiteral("FileListBox")};
    TDriveComboBox combo{&parent, QStringLiteral("DriveComboBox")};
    QLineEdit edit{&parent};
};

} // namespace

TEST_F(FileListsTest, ListsOnlyMatchingPlainFilesAlphabetically) {
    Touch(root + "/week2.zkv");
    Touch(root + "/Alpha.ZKV");
    Touch(root + "/beta.zkv");
    Touch(root + "/.hidden.zkv");
    Touch(root + "/notes.txt");
    Touch(root + "/week2.zkv.bak");
    ASSERT_TRUE(QDir(root).mkdir("folder.zkv"));
    ASSERT_TRUE(dirs.SetDirectory(root));
    EXPECT_EQ(files.Names(), (QStringList{"Alpha.ZKV", "beta.zkv", "week2.zkv"}));
    EXPECT_EQ(files.Directory(), root);
    // Nothing selected: no file name, and the edit shows the mask.
    EXPECT_TRUE(files.FileName().isEmpty());
    EXPECT_EQ(edit.text(), QStringLiteral("*.zkv"));
}

TEST_F(FileListsTest, DirectoryListShowsPathThenSubdirectoriesAndFollowsDoubleClicks) {
    ASSERT_TRUE(QDir(root).mkpath("games/old"));
    ASSERT_TRUE(QDir(root).mkdir("Archive"));
    ASSERT_TRUE(QDir(root).mkdir(".secret"));
    Touch(root + "/games/one.zkv");
    ASSERT_TRUE(dirs.SetDirectory(root));
    // The path from "/" down to root, then the subdirectories in order.
    const int depth = root.count('/') + 1;
    ASSERT_EQ(dirs.count(), depth + 2);
    EXPECT_EQ(dirs.PathAt(0), QStringLiteral("/"));
    EXPECT_EQ(dirs.PathAt(depth - 1), root);
    EXPECT_EQ(dirs.item(depth)->text(), QStringLiteral("Archive"));
    EXPECT_EQ(dirs.item(depth + 1)->text(), QStringLiteral("games"));

    // A double-click on a subdirectory enters it; the file list follows.
    dirs.setGeometry(0, 0, 145, 400);
    parent.resize(200, 420);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    dirs.scrollToItem(dirs.item(depth + 1));
    const QRect rect = dirs.visualItemRect(dirs.item(depth + 1));
    // The first click of a double-click comes as a click of its own.
    QTest::mouseClick(dirs.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(dirs.viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(dirs.Directory(), root + "/games");
    EXPECT_EQ(files.Names(), QStringList{"one.zkv"});
    // A double-click on an entry of the path goes back up.
    dirs.OpenEntry(depth - 1);
    EXPECT_EQ(dirs.Directory(), root);
    EXPECT_TRUE(files.Names().isEmpty());
}

TEST_F(FileListsTest, EachDirectoryEntryHintsItsPathAsItStandsWhateverItsName) {
    // Names that look like markup or entities are shown as they stand in the
    // hint, as the hint's label would show them.
    const QString name = QStringLiteral("a&amp;b <table><tr><td>x");
    ASSERT_TRUE(QDir(root).mkdir(name));
    ASSERT_TRUE(dirs.SetDirectory(root + "/" + name));
    const auto shown = [](const QString& hint) {
        return Qt::mightBeRichText(hint) ? QTextDocumentFragment::fromHtml(hint).toPlainText()
                                         : hint;
    };
    ASSERT_GT(dirs.count(), 1);
    for (int i = 0; i < dirs.count(); ++i) {
        EXPECT_EQ(shown(dirs.item(i)->toolTip()), dirs.PathAt(i)) << i;
    }
    EXPECT_EQ(dirs.PathAt(dirs.count() - 1), root + "/" + name);
}

TEST_F(FileListsTest, SettingTheDirectoryFromAPath) {
    ASSERT_TRUE(QDir(root).mkdir("sub"));
    Touch(root + "/sub/game.zkv");
    ASSERT_TRUE(dirs.SetDirectory(root));
    // A file: its directory.
    EXPECT_TRUE(dirs.SetDirectoryFromPath(root + "/sub/game.zkv"));
    EXPECT_EQ(dirs.Directory(), root + "/sub");
    // A directory: itself.
    EXPECT_TRUE(dirs.SetDirectoryFromPath(root));
    EXPECT_EQ(dirs.Directory(), root);
    // Empty: nothing changes, no failure.
    EXPECT_TRUE(dirs.SetDirectoryFromPath(QString()));
    EXPECT_EQ(dirs.Directory(), root);
    // A missing file or directory fails and the lists stay.
    EXPECT_FALSE(dirs.SetDirectoryFromPath(root + "/sub/gone.zkv"));
    EXPECT_FALSE(dirs.SetDirectoryFromPath(root + "/nowhere/game.zkv"));
    EXPECT_FALSE(dirs.SetDirectory(root + "/sub/game.zkv"));
    EXPECT_EQ(dirs.Directory(), root);
    EXPECT_EQ(files.Directory(), root);
}

TEST_F(FileListsTest, SettingTheFileSelectsItAndFillsTheEdit) {
    ASSERT_TRUE(QDir(root).mkdir("sub"));
    Touch(root + "/sub/a.zkv");
    Touch(root + "/sub/b.zkv");
    Touch(root + "/sub/odd.dat");
    EXPECT_TRUE(files.SetFileName(root + "/sub/b.zkv"));
    EXPECT_EQ(dirs.Directory(), root + "/sub");
    EXPECT_EQ(files.FileName(), root + "/sub/b.zkv");
    EXPECT_EQ(edit.text(), QStringLiteral("b.zkv"));
    EXPECT_EQ(edit.selectedText(), QStringLiteral("b.zkv"));
    // A name the mask hides becomes the mask: exactly that file is listed.
    EXPECT_TRUE(files.SetFileName(root + "/sub/odd.dat"));
    EXPECT_EQ(files.Mask(), QStringLiteral("odd.dat"));
    EXPECT_EQ(files.Names(), QStringList{"odd.dat"});
    EXPECT_EQ(files.FileName(), root + "/sub/odd.dat");
    EXPECT_FALSE(files.SetFileName(root + "/missing/x.zkv"));
    EXPECT_EQ(dirs.Directory(), root + "/sub");
    // Brackets in a name stand for themselves when it becomes the mask.
    Touch(root + "/sub/odd[1].dat");
    Touch(root + "/sub/odd1.dat");
    EXPECT_TRUE(files.SetFileName(root + "/sub/odd[1].dat"));
    EXPECT_EQ(files.Names(), QStringList{"odd[1].dat"});
    for (const auto& [mask, name, matches] : {std::tuple{"*.zkv", "GAME.ZKV", true},
                                              {"*.zkv", "game.zkv.bak", false},
                                              {"?.zkv", "a.zkv", true},
                                              {"?.zkv", "ab.zkv", false},
                                              {"*.dat; *.zkv", "x.zkv", true},
                                              {"a*b*c", "aXbYbZc", true},
                                              {"a*b*c", "aXbYbZ", false},
                                              {"*", "", true}}) {
        EXPECT_EQ(TFileListBox::Matches(mask, name), matches) << mask << " " << name;
    }
}

// A mask replaced to show one file serves until the directory changes or the
// dialog is shown once more; a hidden name never sticks for the rest of a run.
TEST_F(FileListsTest, AMaskReplacedForOneFileLastsOneShowingInOneDirectory) {
    ASSERT_TRUE(QDir(root).mkdir("sub"));
    Touch(root + "/a.zkv");
    Touch(root + "/.zkv");
    Touch(root + "/sub/b.zkv");
    EXPECT_TRUE(files.SetFileName(root + "/.zkv"));
    EXPECT_EQ(files.Mask(), QStringLiteral(".zkv"));
    EXPECT_TRUE(files.Names().isEmpty()); // hidden files are never listed
    ASSERT_TRUE(dirs.SetDirectory(root + "/sub"));
    EXPECT_EQ(files.Mask(), QStringLiteral("*.zkv"));
    EXPECT_EQ(files.Names(), QStringList{"b.zkv"});

    // Set before a showing, it serves that showing and ends with the next one.
    Touch(root + "/sub/odd.dat");
    EXPECT_TRUE(files.SetFileName(root + "/sub/odd.dat"));
    parent.show();
    EXPECT_EQ(files.Names(), QStringList{"odd.dat"});
    EXPECT_EQ(files.FileName(), root + "/sub/odd.dat");
    parent.hide();
    EXPECT_EQ(files.Names(), QStringList{"odd.dat"});
    parent.show();
    EXPECT_EQ(files.Mask(), QStringLiteral("*.zkv"));
    EXPECT_EQ(files.Names(), QStringList{"b.zkv"});
    // Set while shown, it ends with the next showing too.
    EXPECT_TRUE(files.SetFileName(root + "/sub/odd.dat"));
    parent.hide();
    parent.show();
    EXPECT_EQ(files.Names(), QStringList{"b.zkv"});
}

TEST_F(FileListsTest, RereadingKeepsTheSelectionAndSurvivesVanishedAndUnreadableDirectories) {
    ASSERT_TRUE(QDir(root).mkpath("sub/deeper"));
    Touch(root + "/sub/a.zkv");
    ASSERT_TRUE(files.SetFileName(root + "/sub/a.zkv"));
    Touch(root + "/sub/0new.zkv");
    dirs.Reread();
    EXPECT_EQ(files.Names(), (QStringList{"0new.zkv", "a.zkv"}));
    EXPECT_EQ(files.FileName(), root + "/sub/a.zkv");

    // An unreadable directory lists nothing (or what it may), without harm.
    ASSERT_TRUE(dirs.SetDirectory(root + "/sub/deeper"));
    Touch(root + "/sub/deeper/z.zkv");
    QFile::setPermissions(root + "/sub/deeper", QFileDevice::Permissions());
    dirs.Reread();
    EXPECT_EQ(dirs.Directory(), root + "/sub/deeper");
    EXPECT_LE(files.Names().size(), 1);
    QFile::setPermissions(root + "/sub/deeper",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A directory removed meanwhile: the nearest one still there.
    ASSERT_TRUE(QDir(root + "/sub").removeRecursively());
    dirs.Reread();
    EXPECT_EQ(dirs.Directory(), root);
    EXPECT_EQ(files.Directory(), root);
}

TEST(DriveTest, DrivesStartWithRootAndHomeAndContainDirectories) {
    const QStringList drives = TDriveComboBox::ListDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first(), QStringLiteral("/"));
    const QStringList someDrives{"/", "/home/pat", "/media/pat/STICK"};
    EXPECT_EQ(TDriveComboBox::DriveOf(someDrives, "/media/pat/STICK/games"),
              QStringLiteral("/media/pat/STICK"));
    EXPECT_EQ(TDriveComboBox::DriveOf(someDrives, "/home/pat"), QStringLiteral("/home/pat"));
    EXPECT_EQ(TDriveComboBox::DriveOf(someDrives, "/home/patricia"), QStringLiteral("/"));
    EXPECT_EQ(TDriveComboBox::DriveOf(someDrives, "/usr"), QStringLiteral("/"));
}

TEST(DriveTest, ChoosingADriveMovesTheDirectoryList) {
    QWidget parent;
    TDirectoryListBox dirs(&parent, QStringLiteral("DirectoryListBox"));
    TDriveComboBox combo(&parent, QStringLiteral("DriveComboBox"));
    combo.SetDirList(&dirs);
    ASSERT_GE(combo.count(), 1);
    emit combo.activated(0);
    EXPECT_EQ(dirs.Directory(), QStringLiteral("/"));
    EXPECT_EQ(combo.Drive(), QStringLiteral("/"));
}
