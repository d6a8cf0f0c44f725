#include "ScriptedSeam.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

#include "platform/Form.h"

namespace zk::platform {

ScriptedSeam::ScriptedSeam() : previous_(ModalSeam::Install(this)) {}

ScriptedSeam::~ScriptedSeam() {
    ModalSeam::Install(previous_);
}

void ScriptedSeam::Then(FormScript script) {
    scripts_.push_back(std::move(script));
}

void ScriptedSeam::ThenPress(const QString& buttonName) {
    Then([buttonName](ModalForm& form) { PressButton(form, buttonName); });
}

void ScriptedSeam::ThenKey(int key) {
    Then([key](ModalForm& form) { SendKey(form, key); });
}

void ScriptedSeam::ThenCloseBox() {
    Then([](ModalForm& form) { form.close(); });
}

void ScriptedSeam::AnswerMessage(ModalResult result) {
    messageAnswers_.push_back(result);
}

void ScriptedSeam::Clear() {
    scripts_.clear();
    messageAnswers_.clear();
    forms_.clear();
    messages_.clear();
}

ModalResult ScriptedSeam::RunForm(ModalForm& form) {
    // Recorded in the order of showing; nested showings come after it.
    const std::size_t index = forms_.size();
    forms_.push_back({&form, form.objectName(), mrNone, false});
    if (form.OpenForModal()) {
        if (!scripts_.empty()) {
            FormScript script = std::move(scripts_.front());
            scripts_.pop_front();
            forms_[index].scripted = true;
            script(form);
        }
        if (form.isVisible()) {
            form.close();
        }
    }
    forms_[index].result = form.Result();
    return form.Result();
}

ModalResult ScriptedSeam::RunMessage(const MessageRequest& request) {
    ModalResult result = request.buttons == MessageButtons::YesNo ? mrNo : mrOk;
    if (!messageAnswers_.empty()) {
        result = messageAnswers_.front();
        messageAnswers_.pop_front();
    }
    messages_.push_back({request, result});
    return result;
}

void ScriptedSeam::PressButton(ModalForm& form, const QString& buttonName) {
    if (auto* button = form.findChild<QAbstractButton*>(buttonName)) {
        button->click();
    }
}

void ScriptedSeam::SendKey(ModalForm& form, int key) {
    QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace zk::platform
