// loaddlg: picks a saved game from linked drive, directory and file lists.
// Returns 1 (OK, Enter, a double-click on a file) or 2 (cancel, Esc, close box).
#pragma once

#include <QGroupBox>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/FileLists.h"
#include "platform/Form.h"

namespace zk {

class Tloaddlg : public platform::ModalForm {
    Q_OBJECT
public:
    Tloaddlg(const Language& language, QWidget* mainWindow);

    QGroupBox* GroupBox1 = nullptr;
    platform::TLabel* Label1 = nullptr;
    platform::TFileListBox* FileListBox = nullptr;
    platform::TLabel* Label2 = nullptr;
    platform::TDirectoryListBox* DirectoryListBox = nullptr;
    platform::TLabel* Label3 = nullptr;
    platform::TDriveComboBox* DriveComboBox = nullptr;
    platform::TBitBtn* OKBtn = nullptr;
    platform::TBitBtn* CancelBtn = nullptr;

    void FileListBoxDblClick();

protected:
    void FormActivate() override;

private:
    const Language& language_;
};

} // namespace zk
