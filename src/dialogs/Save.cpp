#include "dialogs/Save.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "files/SavedGame.h"

namespace zk {

using platform::Place;

TSaveDlg::TSaveDlg(const Language& language, const std::string& savedGamePath, QWidget* mainWindow)
    : ModalForm(mainWindow), language_(language), savedGamePath_(savedGamePath) {
    setObjectName(QStringLiteral("SaveDlg"));
    SetClientSize(329, 319);
    setFont(platform::FormFont(11));
    SetPosition(Position::OverMainWindow);
    const QFont bold = platform::FormFont(11, true);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Place(GroupBox1, 8, 4, 313, 229);
    Label4 = new platform::TLabel(GroupBox1, QStringLiteral("Label4"));
    Place(Label4, 8, 12, 145, 13);
    Label4->setFont(bold);
    FileEdit = new QLineEdit(GroupBox1);
    FileEdit->setObjectName(QStringLiteral("FileEdit"));
    Place(FileEdit, 8, 28, 145, 21);
    const platform::FileGroup lists =
        platform::BuildFileGroup(GroupBox1,
                                 {.fileLabel = {8, 52, 137, 13},
                                  .fileList = {8, 68, 145, 153},
                                  .directoryLabel = {160, 12, 141, 13},
                                  .directoryList = {160, 28, 145, 153},
                                  .driveLabel = {160, 186, 141, 13},
                                  .driveCombo = {160, 202, 145, 19}},
                                 QString::fromLatin1(files::SavedGameMask));
    Label1 = lists.fileLabel;
    FileListBox = lists.fileList;
    FileListBox->SetFileEdit(FileEdit);
    Label2 = lists.directoryLabel;
    DirectoryListBox = lists.directoryList;
    Label3 = lists.driveLabel;
    DriveComboBox = lists.driveCombo;

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Place(GroupBox2, 8, 236, 313, 41);
    Label8 = new platform::TLabel(GroupBox2, QStringLiteral("Label8"));
    Place(Label8, 12, 16, 145, 13);
    Label8->setFont(bold);
    pathedit = new QLineEdit(GroupBox2);
    pathedit->setObjectName(QStringLiteral("pathedit"));
    Place(pathedit, 160, 13, 113, 21);
    pathedit->setMaxLength(8);
    newpathbtn = new platform::TSpeedButton(GroupBox2, QStringLiteral("newpathbtn"));
    Place(newpathbtn, 280, 12, 25, 21);
    newpathbtn->SetGlyph(QStringLiteral("newpathbtn.png"), 2);
    connect(newpathbtn, &QToolButton::clicked, this, &TSaveDlg::newpathbtnClick);

    OKBtn = new platform::TBitBtn(this, QStringLiteral("OKBtn"));
    Place(OKBtn, 84, 284, 77, 27);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(OKBtn, platform::mrOk, [this] { OKBtnClick(); });
    AddDefaultButton(OKBtn);
    CancelBtn = new platform::TBitBtn(this, QStringLiteral("CancelBtn"));
    Place(CancelBtn, 168, 284, 77, 27);
    CancelBtn->SetGlyph(QStringLiteral("CancelBtn.png"), 2);
    AttachButton(CancelBtn, platform::mrCancel);
    SetCancelButton(CancelBtn);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, FileEdit);
    setTabOrder(FileEdit, FileListBox);
    setTabOrder(FileListBox, DirectoryListBox);
    setTabOrder(DirectoryListBox, DriveComboBox);
    setTabOrder(DriveComboBox, pathedit);
    SetFirstFocus(FileEdit);

    connect(FileListBox, &platform::TFileListBox::FileDoubleClicked, this,
            &TSaveDlg::FileListBoxDblClick);
}

bool TSaveDlg::IsFileName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')) &&
           !name.contains(QLatin1Char('/'));
}

bool TSaveDlg::AcceptName() {
    if (IsFileName(FileEdit->text())) {
        return true;
    }
    QApplication::beep();
    FileEdit->setFocus(Qt::OtherFocusReason);
    FileEdit->selectAll();
    return false;
}

void TSaveDlg::OKBtnClick() {
    if (!AcceptName()) {
        SetModalResult(platform::mrNone);
    }
}

void TSaveDlg::FileListBoxDblClick() {
    if (AcceptName()) {
        SetModalResult(platform::mrOk);
    }
}

void TSaveDlg::newpathbtnClick() {
    const QString name = pathedit->text();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String("..")) {
        return;
    }
    const QString directory = DirectoryListBox->Directory();
    const QString path = directory.endsWith(QLatin1Char('/')) ? directory + name
                                                              : directory + QLatin1Char('/') + name;
    if (!QDir().mkdir(path)) {
        return;
    }
    DirectoryListBox->SetDirectory(path);
}

void TSaveDlg::FormActivate() {
    PlaceOverMainWindow();
    FileEdit->setFocus(Qt::OtherFocusReason);
    pathedit->clear();
    DirectoryListBox->Reread();
    const QString saved = QString::fromStdString(savedGamePath_);
    const QFileInfo savedFile(saved);
    if (!saved.isEmpty() && savedFile.exists() && !savedFile.isDir()) {
        FileEdit->setText(savedFile.fileName());
    } else {
        FileEdit->setText(QStringLiteral("noname.zkv"));
    }
    FileEdit->selectAll();
    const bool german = IsGerman(language_);
    setWindowTitle(german ? QStringLiteral("Spiel speichern als ...")
                          : QStringLiteral("Save game as ..."));
    Label1->setText(german ? QStringLiteral("Dateien:") : QStringLiteral("Files:"));
    Label2->setText(german ? QStringLiteral("Verzeichnisse:") : QStringLiteral("Directories:"));
    Label3->setText(german ? QStringLiteral("Laufwerke:") : QStringLiteral("Drives:"));
    Label4->setText(german ? QStringLiteral("Dateiname:") : QStringLiteral("Filename:"));
    Label8->setText(german ? QStringLiteral("Neues Verzeichnis:")
                           : QStringLiteral("New directory:"));
    CancelBtn->setText(german ? QStringLiteral("Abbruch") : QStringLiteral("Escape"));
    newpathbtn->setToolTip(german ? QStringLiteral("Neues Verzeichnis anlegen")
                                  : QStringLiteral("Create new directory"));
}

} // namespace zk
