// A seam for tests: forms run their show and activation handlers for real,
// then a script answers them; message boxes are recorded and answered from a
// queue. Installs itself for its lifetime.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/Modal.h"

class QWidget;

namespace zk::platform {

// Failures show a modal result by its number.
inline void PrintTo(ModalResult result, std::ostream* out) {
    *out << static_cast<int>(result);
}

class ScriptedSeam : public ModalSeam {
public:
    // Runs on a form that is shown and activated; it ends the showing by
    // closing the form (a button, a key, the close box). A form still open
    // afterwards is closed as by the close box.
    using FormScript = std::function<void(ModalForm& form)>;

    struct FormShowing {
        ModalForm* form = nullptr;
        QString name; // the form's object name, e.g. "SolvedDlg"
        ModalResult result = mrNone;
        bool scripted = false;
    };
    struct MessageShowing {
        MessageRequest request;
        ModalResult result = mrNone;
    };

    ScriptedSeam();
    ~ScriptedSeam() override;
    ScriptedSeam(const ScriptedSeam&) = delete;
    ScriptedSeam& operator=(const ScriptedSeam&) = delete;

    // Queues the script for the next form shown (first in, first out).
    void Then(FormScript script);
    // Shorthands for the common answers.
    void ThenPress(const QString& buttonName); // clicks the named button
    void ThenKey(int key);                     // a key press on the focused control
    void ThenCloseBox();                       // the title bar's close box
    // Queues the answer to the next message box (mrOk, mrYes or mrNo).
    // Unanswered boxes give mrOk, or mrNo when they ask Yes/No.
    void AnswerMessage(ModalResult result);

    const std::vector<FormShowing>& Forms() const { return forms_; }
    const std::vector<MessageShowing>& Messages() const { return messages_; }
    std::size_t PendingScripts() const { return scripts_.size(); }
    void Clear();

    ModalResult RunForm(ModalForm& form) override;
    ModalResult RunMessage(const MessageRequest& request) override;

    // Helpers for scripts.
    static void PressButton(ModalForm& form, const QString& buttonName);
    static void SendKey(ModalForm& form, int key);

private:
    ModalSeam* previous_ = nullptr;
    std::deque<FormScript> scripts_;
    std::deque<ModalResult> messageAnswers_;
    std::vector<FormShowing> forms_;
    std::vector<MessageShowing> messages_;
};

} // namespace zk::platform
