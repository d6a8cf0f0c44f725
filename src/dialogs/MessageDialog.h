// What the seven message dialogs share: a 261 x 103 form captioned
// "Zanfor Kelva" with the icon in a frame, a centred message and one or two
// buttons at y = 68.
#pragma once

#include <QRect>
#include <QString>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TMessageDialog : public platform::ModalForm {
    Q_OBJECT
public:
    platform::TBevel* Bevel1 = nullptr;
    platform::TImage* Image1 = nullptr;
    platform::TLabel* Label1 = nullptr;
    platform::TBitBtn* OKBtn = nullptr;
    platform::TBitBtn* CancelBtn = nullptr; // none in one-button dialogs

protected:
    struct Design {
        const char* formName;
        QRect labelPlace;
        bool question;                      // two buttons, only the label bold
        platform::ModalResult okResult;     // what OKBtn answers
        platform::ModalResult cancelResult; // what CancelBtn answers (question dialogs)
        int cancelLeft = 136;               // x of CancelBtn
    };

    TMessageDialog(const Language& language, QWidget* mainWindow, const Design& design);

    // The question dialogs' captions, from the Language.
    void SetQuestionCaptions();
    bool German() const { return IsGerman(language_); }

    // The game's language, read at each showing.
    const Language& language_;

private:
    // Icon and caption, once at creation.
    void Create();
};

} // namespace zk
