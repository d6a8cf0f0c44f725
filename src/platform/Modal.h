// Modal results, message boxes and the one seam every modal showing passes.
//
// Forms and message boxes never open a nested event loop on their own: they
// ask the installed ModalSeam. The window system's seam (QtModalSeam) runs the
// real modal loop; a test installs a seam of its own and answers instead.
#pragma once

#include <QString>

class QWidget;

namespace zk::platform {

// The modal results callers test for, by the numbers the forms' buttons
// carry.
enum class ModalResult : int {
    None = 0,
    Ok = 1,
    Cancel = 2, // also the close box
    Yes = 6,
    No = 7,
    // What showing a form that is open already answers: it is not shown
    // again, nothing was asked, and the caller goes no further.
    Refused = -1,
};

inline constexpr ModalResult mrNone = ModalResult::None;
inline constexpr ModalResult mrOk = ModalResult::Ok;
inline constexpr ModalResult mrCancel = ModalResult::Cancel;
inline constexpr ModalResult mrYes = ModalResult::Yes;
inline constexpr ModalResult mrNo = ModalResult::No;
inline constexpr ModalResult mrRefused = ModalResult::Refused;

enum class MessageIcon { Error, Warning, Question };
enum class MessageButtons { Ok, YesNo };

struct MessageRequest {
    MessageIcon icon = MessageIcon::Error;
    MessageButtons buttons = MessageButtons::Ok;
    QString title; // "Fehler", "Warnung" or "Bestätigen", by the icon
    QString text;
    QWidget* owner = nullptr;
};

// The platform's own titles and button captions; always German.
QString MessageTitle(MessageIcon icon);
inline constexpr char OkCaption[] = "OK";
inline constexpr char YesCaption[] = "&Ja";
inline constexpr char NoCaption[] = "&Nein";

class ModalForm;

class ModalSeam {
public:
    virtual ~ModalSeam() = default;

    // Shows the form modally and returns its modal result.
    virtual ModalResult RunForm(ModalForm& form) = 0;
    // Shows a message box and returns mrOk, mrYes or mrNo.
    virtual ModalResult RunMessage(const MessageRequest& request) = 0;

    // The seam in force: the installed one, else the window system's.
    static ModalSeam& Current();
    // Installs a seam (nullptr: back to the window system's) and returns the
    // one it replaces.
    static ModalSeam* Install(ModalSeam* seam);
};

// The window system's seam: a real nested event loop for each showing.
class QtModalSeam : public ModalSeam {
public:
    ModalResult RunForm(ModalForm& form) override;
    ModalResult RunMessage(const MessageRequest& request) override;
};

// A message box through the seam. Returns mrOk, mrYes or mrNo.
ModalResult ShowMessage(MessageIcon icon, MessageButtons buttons, const QString& text,
                        QWidget* owner = nullptr);
// The error box of file errors: error icon, OK.
void ShowError(const QString& text, QWidget* owner = nullptr);

} // namespace zk::platform
