// Modal results, message boxes and the one seam every modal showing passes.
//
// Forms and message boxes never open a nested event loop on their own: they
// ask the installed ModalSeam. The window system's seam (QtModalSeam) runs the
// real modal loop; a test installs a seam of its own and answers instead.
#pragma once

#include <QString>

class QWidget;

namespace zk::platform {

// The modal results callers test for.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2; // also the close box
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
// What showing a form that is open already answers: it is not shown again,
// nothing was asked, and the caller goes no further.
inline constexpr int mrRefused = -1;

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
    virtual int RunForm(ModalForm& form) = 0;
    // Shows a message box and returns mrOk, mrYes or mrNo.
    virtual int RunMessage(const MessageRequest& request) = 0;

    // The seam in force: the installed one, else the window system's.
    static ModalSeam& Current();
    // Installs a seam (nullptr: back to the window system's) and returns the
    // one it replaces.
    static ModalSeam* Install(ModalSeam* seam);
};

// The window system's seam: a real nested event loop for each showing.
class QtModalSeam : public ModalSeam {
public:
    int RunForm(ModalForm& form) override;
    int RunMessage(const MessageRequest& request) override;
};

// A message box through the seam. Returns mrOk, mrYes or mrNo.
int ShowMessage(MessageIcon icon, MessageButtons buttons, const QString& text,
                QWidget* owner = nullptr);
// The error box of file errors: error icon, OK.
void ShowError(const QString& text, QWidget* owner = nullptr);

} // namespace zk::platform
