// The drive selector, directory list and file list of the game file dialogs,
// linked to each other. Paths use "/"; a directory is given without a
// trailing "/" except the root itself.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QRect>
#include <QStringList>

class QKeyEvent;
class QLineEdit;

namespace zk::platform {

class TDirectoryListBox;
class TFileListBox;

// The drives: the filesystem root, the user's home directory and the mounted
// volumes. Choosing one moves the linked directory list there.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    TDriveComboBox(QWidget* parent, const QString& name);

    void SetDirList(TDirectoryListBox* list);
    // Lists the drives anew.
    void Refresh();
    // The root of the drive shown.
    QString Drive() const;
    // Shows the drive a directory lies on, without moving any list.
    void ShowDriveOf(const QString& directory);

    // The drives of this machine, the root first and the home directory second.
    static QStringList ListDrives();
    // The drive of ListDrives() that a directory lies on: the longest root
    // that contains it.
    static QString DriveOf(const QStringList& drives, const QString& directory);

private:
    void Chosen(int index);

    QPointer<TDirectoryListBox> dirList_;
};

// The path of the current directory from the root down, then its
// subdirectories. A double-click on an entry makes it the current directory.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    TDirectoryListBox(QWidget* parent, const QString& name);

    void SetFileList(TFileListBox* list);
    void SetDriveCombo(TDriveComboBox* combo);

    QString Directory() const { return directory_; }
    // Makes an existing directory the current one; the linked lists follow.
    // False, and nothing moves, when it is not a directory.
    bool SetDirectory(const QString& directory);
    // Moves the lists to the directory a path names: a file's directory, or
    // the directory itself. An empty path changes nothing. False, and nothing
    // moves, when the path's directory does not exist or its last part is
    // neither a file nor a directory.
    bool SetDirectoryFromPath(const QString& path);
    // Reads the current directory again.
    void Reread();

    // The full path of the entry in row `row`.
    QString PathAt(int row) const;
    // Enters the directory of an entry, as a double-click does.
    void OpenEntry(int row);

signals:
    void DirectoryChanged(const QString& directory);

protected:
    // Enter opens the current entry, as a double-click does, and goes no
    // further: the dialog's default button does not see it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();

    QString directory_;
    QPointer<TFileListBox> fileList_;
    QPointer<TDriveComboBox> driveCombo_;
};

// The plain files (no directories, no hidden or special files) of a
// directory that match the mask, in alphabetical order; one selection at most.
class TFileListBox : public QListWidget {
    Q_OBJECT
public:
    TFileListBox(QWidget* parent, const QString& name);

    // A file name edit that receives the selected name, or the mask when
    // nothing is selected.
    void SetFileEdit(QLineEdit* edit);
    void SetDirList(TDirectoryListBox* list) { dirList_ = list; }

    // The mask in force: the one set, or the name of the one file it was
    // replaced by.
    QString Mask() const { return oneFile_.isEmpty() ? mask_ : oneFile_; }
    // "*.zkv", a file name, or several patterns separated by ";".
    void SetMask(const QString& mask);

    QString Directory() const { return directory_; }
    // Lists a directory (the linked directory list calls this).
    void SetDirectory(const QString& directory);
    // Reads the directory again; a selected file that is still there stays
    // selected.
    void Reread();

    // The names listed.
    QStringList Names() const;
    // The selected file's full path; empty when nothing is selected.
    QString FileName() const;
    // Moves the lists to the file's directory and selects the file. When the
    // mask hides it, the mask becomes the file's name until the directory
    // changes or the dialog is shown once more. False, and nothing moves,
    // when the directory does not exist.
    bool SetFileName(const QString& path);

    // Whether a name matches a mask, letter case ignored.
    static bool Matches(const QString& mask, const QString& name);

signals:
    void FileDoubleClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(const QString& keepSelected);
    void SelectionChanged();

    QString directory_;
    QString mask_ = QStringLiteral("*.*");
    QString oneFile_;           // the name that replaces the mask, or empty
    bool oneFileShown_ = false; // the dialog has been shown with it
    QPointer<QLineEdit> fileEdit_;
    QPointer<TDirectoryListBox> dirList_;
};

class TLabel;

// The places of the file list, the directory list and the drive selector
// and of the bold labels over them, in their group box.
struct FileGroupLayout {
    QRect fileLabel;
    QRect fileList;
    QRect directoryLabel;
    QRect directoryList;
    QRect driveLabel;
    QRect driveCombo;
};

// The controls of the group, named Label1, FileListBox, Label2,
// DirectoryListBox, Label3 and DriveComboBox.
struct FileGroup {
    TLabel* fileLabel = nullptr;
    TFileListBox* fileList = nullptr;
    TLabel* directoryLabel = nullptr;
    TDirectoryListBox* directoryList = nullptr;
    TLabel* driveLabel = nullptr;
    TDriveComboBox* driveCombo = nullptr;
};

// Builds the linked drive, directory and file lists with their labels in
// `group`, at the places given, the file list filtered by `mask`; the load
// and save dialogs each build theirs with it.
FileGroup BuildFileGroup(QWidget* group, const FileGroupLayout& layout, const QString& mask);

} // namespace zk::platform
