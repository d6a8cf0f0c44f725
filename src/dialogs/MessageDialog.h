// The seven message dialogs: a 261 x 103 form captioned "Zanfor Kelva" with
// the icon in a frame, a centred message and one or two buttons at y = 68.
// Each is a row of one table, named by the form's designer name, and made
// at program start in the table's order; a new question is a row there and
// its name here.
#pragma once

#include <QRect>
#include <QString>
#include <cstddef>

#include "model/Board.h"
#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

// In the order the designer's forms are made.
enum class Message : int {
    TakeDlg,
    ChangeModeDlg,
    AllSolvedDlg,
    EndGameDlg,
    GiveUpDlg,
    RestartDlg,
    SolvedDlg,
};
inline constexpr std::size_t MessageCount = 7;

struct MessageText {
    const char* german;
    const char* english;
};

struct MessageRow {
    Message message;
    const char* name; // the form's designer name
    QRect labelPlace;
    // Two buttons "Ja" and "Nein" with only the message bold; otherwise one
    // "OK" button and the whole form bold.
    bool question;
    platform::ModalResult okResult;     // what OKBtn answers
    platform::ModalResult cancelResult; // what CancelBtn answers, in a question
    int cancelLeft;                     // x of CancelBtn
    bool
        overMainWindow; // placed over the main window at each activation, else at the screen centre
    // The message, set at each activation; none where it follows NewMode.
    MessageText text;
};

const MessageRow& MessageRowOf(Message message);

class TMessageDialog : public platform::ModalForm {
    Q_OBJECT
public:
    // language: the game's, read at each showing.
    TMessageDialog(Message message, const Language& language, QWidget* mainWindow);

    // The mode ChangeModeDlg announces; the caller sets it before showing.
    // A value outside 0..2 keeps the message of the previous showing.
    GameMode NewMode = PracticeMode;

    platform::TBevel* Bevel1 = nullptr;
    platform::TImage* Image1 = nullptr;
    platform::TLabel* Label1 = nullptr;
    platform::TBitBtn* OKBtn = nullptr;
    platform::TBitBtn* CancelBtn = nullptr; // none in one-button dialogs

protected:
    // The message by NewMode, in ChangeModeDlg.
    void FormShow() override;
    // The placement over the main window where the row asks for it, the
    // message and a question's captions, from the Language.
    void FormActivate() override;

private:
    // Icon and caption, once at creation.
    void Create();
    bool German() const { return IsGerman(language_); }

    const MessageRow& row_;
    const Language& language_;
};

} // namespace zk
