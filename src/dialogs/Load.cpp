#include "dialogs/Load.h"

#include "files/SavedGame.h"

namespace zk {

using platform::Place;

Tloaddlg::Tloaddlg(const Language& language, QWidget* mainWindow)
    : ModalForm(mainWindow), language_(language) {
    setObjectName(QStringLiteral("loaddlg"));
    SetClientSize(329, 276);
    setFont(platform::FormFont(11));
    SetPosition(Position::OverMainWindow);
    setWindowTitle(QStringLiteral("Spiel laden"));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Place(GroupBox1, 8, 4, 313, 229);
    const platform::FileGroup lists =
        platform::BuildFileGroup(GroupBox1,
                                 {.fileLabel = {8, 12, 145, 13},
                                  .fileList = {8, 28, 145, 193},
                                  .directoryLabel = {160, 12, 141, 13},
                                  .directoryList = {160, 28, 145, 149},
                                  .driveLabel = {160, 184, 145, 13},
                                  .driveCombo = {160, 202, 145, 19}},
                                 QString::fromLatin1(files::SavedGameMask));
    Label1 = lists.fileLabel;
    FileListBox = lists.fileList;
    Label2 = lists.directoryLabel;
    DirectoryListBox = lists.directoryList;
    Label3 = lists.driveLabel;
    DriveComboBox = lists.driveCombo;

    OKBtn = new platform::TBitBtn(this, QStringLiteral("OKBtn"));
    Place(OKBtn, 84, 240, 77, 27);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(OKBtn, platform::mrOk);
    AddDefaultButton(OKBtn);
    CancelBtn = new platform::TBitBtn(this, QStringLiteral("CancelBtn"));
    Place(CancelBtn, 168, 240, 77, 27);
    CancelBtn->SetGlyph(QStringLiteral("CancelBtn.png"), 2);
    AttachButton(CancelBtn, platform::mrCancel);
    SetCancelButton(CancelBtn);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, FileListBox);
    setTabOrder(FileListBox, DirectoryListBox);
    setTabOrder(DirectoryListBox, DriveComboBox);
    SetFirstFocus(FileListBox);

    connect(FileListBox, &platform::TFileListBox::FileDoubleClicked, this,
            &Tloaddlg::FileListBoxDblClick);
}

void Tloaddlg::FileListBoxDblClick() {
    SetModalResult(platform::mrOk);
}

void Tloaddlg::FormActivate() {
    PlaceOverMainWindow();
    FileListBox->setFocus(Qt::OtherFocusReason);
    DirectoryListBox->Reread();
    const bool german = IsGerman(language_);
    setWindowTitle(german ? QStringLiteral("Spiel laden") : QStringLiteral("Load game"));
    Label1->setText(german ? QStringLiteral("Dateien:") : QStringLiteral("Files:"));
    Label2->setText(german ? QStringLiteral("Verzeichnisse:") : QStringLiteral("Directories:"));
    Label3->setText(german ? QStringLiteral("Laufwerke:") : QStringLiteral("Drives:"));
    CancelBtn->setText(german ? QStringLiteral("Abbruch") : QStringLiteral("Escape"));
}

} // namespace zk
