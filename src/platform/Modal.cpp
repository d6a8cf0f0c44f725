#include "platform/Modal.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Controls.h"

namespace zk::platform {

namespace {
ModalSeam* installedSeam = nullptr;
} // namespace

QString MessageTitle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QStringLiteral("Fehler");
    case MessageIcon::Warning:
        return QStringLiteral("Warnung");
    case MessageIcon::Question:
        break;
    }
    return QStringLiteral("Bestätigen");
}

ModalSeam& ModalSeam::Current() {
    static QtModalSeam windowSystem;
    return installedSeam ? *installedSeam : windowSystem;
}

ModalSeam* ModalSeam::Install(ModalSeam* seam) {
    ModalSeam* previous = installedSeam;
    installedSeam = seam;
    return previous;
}

ModalResult QtModalSeam::RunMessage(const MessageRequest& request) {
    QMessageBox::Icon icon = QMessageBox::Critical;
    if (request.icon == MessageIcon::Warning) {
        icon = QMessageBox::Warning;
    } else if (request.icon == MessageIcon::Question) {
        icon = QMessageBox::Question;
    }
    QMessageBox box(icon, request.title, request.text, QMessageBox::NoButton, request.owner);
    // Messages name files the player chose; a name that looks like markup is
    // shown as it stands.
    box.setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::Ok) {
        QPushButton* ok = box.addButton(QString::fromLatin1(OkCaption), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return mrOk;
    }
    QPushButton* yes = box.addButton(QString::fromUtf8(YesCaption), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8(NoCaption), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? mrYes : mrNo;
}

ModalResult ShowMessage(MessageIcon icon, MessageButtons buttons, const QString& text,
                        QWidget* owner) {
    MessageRequest request;
    request.icon = icon;
    request.buttons = buttons;
    request.title = MessageTitle(icon);
    request.text = text;
    request.owner = owner;
    CancelPresses();
    return ModalSeam::Current().RunMessage(request);
}

void ShowError(const QString& text, QWidget* owner) {
    ShowMessage(MessageIcon::Error, MessageButtons::Ok, text, owner);
}

} // namespace zk::platform
