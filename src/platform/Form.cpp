#include "platform/Form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopeGuard>

#include "platform/Controls.h"
#include "platform/Pictures.h"
#include "platform/Placement.h"

namespace zk::platform {

ModalForm::ModalForm(QWidget* mainWindow, bool bordered)
    : QDialog(mainWindow), mainWindow_(mainWindow) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (bordered) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    setWindowFlags(flags);
    setModal(true);
    setSizeGripEnabled(false);
    setWindowIcon(WindowIcon());
    // Returning from another application activates the form again.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive && isVisible()) {
                    leftApplication_ = true;
                }
            });
}

ModalResult ModalForm::ShowModal() {
    if (showing_) {
        return mrRefused;
    }
    CancelPresses();
    showing_ = true;
    const auto shown = qScopeGuard([this] { showing_ = false; });
    return ModalSeam::Current().RunForm(*this);
}

void ModalForm::SetModalResult(ModalResult result) {
    modalResult_ = result;
    if (result != mrNone) {
        done(static_cast<int>(result));
    }
}

void ModalForm::Close() {
    SetModalResult(mrCancel);
}

void ModalForm::reject() {
    Close();
}

void ModalForm::SetClientSize(int width, int height) {
    setFixedSize(width, height);
}

void ModalForm::PlaceOverMainWindow() {
    if (mainWindow_) {
        PlaceFormOver(*this, *mainWindow_);
    }
}

void ModalForm::PlaceAtScreenCentre() {
    PlaceFormAtScreenCentre(*this);
}

void ModalForm::PlaceByPosition() {
    if (position_ == Position::OverMainWindow && mainWindow_) {
        PlaceOverMainWindow();
    } else {
        PlaceAtScreenCentre();
    }
}

void ModalForm::AttachButton(QAbstractButton* button, ModalResult modalResult,
                             std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, button, modalResult, handler = std::move(handler)] {
                ButtonClicked(button, modalResult, handler);
            });
}

void ModalForm::ButtonClicked(QAbstractButton*, ModalResult modalResult,
                              const std::function<void()>& handler) {
    modalResult_ = modalResult;
    if (handler) {
        handler();
    }
    if (modalResult_ != mrNone && isVisible()) {
        done(static_cast<int>(modalResult_));
    }
}

void ModalForm::AddDefaultButton(QAbstractButton* button) {
    defaultButtons_.append(button);
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        push->setAutoDefault(true);
        if (defaultButtons_.size() == 1) {
            push->setDefault(true);
        }
    }
}

bool ModalForm::OpenForModal() {
    modalResult_ = mrNone;
    setResult(static_cast<int>(mrNone));
    leftApplication_ = false;
    FormShow();
    // The native window gives the frame its size; then stand where the form
    // belongs before it appears.
    winId();
    PlaceByPosition();
    if (firstFocus_) {
        firstFocus_->setFocus(Qt::OtherFocusReason);
    }
    show();
    // Now that the frame is known, stand exactly there.
    PlaceByPosition();
    FormActivate();
    return isVisible();
}

void ModalForm::keyPressEvent(QKeyEvent* event) {
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        event->accept();
        // The focused button is the default one while it has the focus.
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        if (focused && isAncestorOf(focused) && focused->isVisible() && focused->isEnabled() &&
            focused->focusPolicy() != Qt::NoFocus) {
            focused->click();
            return;
        }
        for (const auto& button : defaultButtons_) {
            if (button && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        }
        return;
    }
    case Qt::Key_Escape:
        event->accept();
        if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled()) {
            cancelButton_->click();
        }
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void ModalForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
        leftApplication_) {
        leftApplication_ = false;
        FormActivate();
    }
}

// The window system's seam runs a form's own modal loop.
ModalResult QtModalSeam::RunForm(ModalForm& form) {
    if (!form.OpenForModal()) {
        return form.Result();
    }
    form.exec();
    return form.Result();
}

} // namespace zk::platform
