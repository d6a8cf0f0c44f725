// TongueDlg: the language dialog. Each button sets the Language and closes
// the dialog with result 1; the close box leaves the Language as it was.
#pragma once

#include "model/GameState.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TTongueDlg : public platform::ModalForm {
    Q_OBJECT
public:
    TTongueDlg(GameState& state, QWidget* mainWindow);

    platform::TBevel* Bevel1 = nullptr;
    platform::TImage* Image4 = nullptr;
    platform::TBitBtn* EnglishBtn = nullptr;
    platform::TBitBtn* GermanBtn = nullptr;

    void EnglishBtnClick();
    void GermanBtnClick();

private:
    void FormCreate();

    GameState& state_;
};

} // namespace zk
