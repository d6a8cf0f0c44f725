// SaveDlg: picks a directory and a file name for a saved game, and may
// create a new directory on the way. Returns 1 (OK, Enter, a double-click on
// a file) or 2 (cancel, Esc, close box).
#pragma once

#include <QGroupBox>
#include <QLineEdit>

#include <string>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/FileLists.h"
#include "platform/Form.h"

namespace zk {

class TSaveDlg : public platform::ModalForm {
    Q_OBJECT
public:
    // The dialog offers the saved game in play, when there is one.
    TSaveDlg(const Language& language, const std::string& savedGamePath, QWidget* mainWindow);

    QGroupBox* GroupBox1 = nullptr;
    platform::TLabel* Label4 = nullptr;
    QLineEdit* FileEdit = nullptr;
    platform::TLabel* Label1 = nullptr;
    platform::TFileListBox* FileListBox = nullptr;
    platform::TLabel* Label2 = nullptr;
    platform::TDirectoryListBox* DirectoryListBox = nullptr;
    platform::TLabel* Label3 = nullptr;
    platform::TDriveComboBox* DriveComboBox = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    platform::TLabel* Label8 = nullptr;
    QLineEdit* pathedit = nullptr;
    platform::TSpeedButton* newpathbtn = nullptr;
    platform::TBitBtn* OKBtn = nullptr;
    platform::TBitBtn* CancelBtn = nullptr;

    // OK, Enter and a double-click on a file close the dialog only with a
    // name to save under; otherwise a beep, and the name field keeps the
    // focus with its text selected.
    void OKBtnClick();
    void FileListBoxDblClick();
    // Whether a name can be saved under: not empty, not hidden (a leading
    // dot), no wildcard and no directory separator.
    static bool IsFileName(const QString& name);
    // Creates the directory named in pathedit inside the current one and
    // moves there; silent when that fails.
    void newpathbtnClick();

protected:
    void FormActivate() override;

private:
    // True for a name to save under; otherwise a beep and the name selected.
    bool AcceptName();

    const Language& language_;
    const std::string& savedGamePath_;
};

} // namespace zk
