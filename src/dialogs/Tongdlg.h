// TongueDlg: the language dialog. Each button chooses a language and closes
// the dialog with result 1; the close box chooses none.
#pragma once

#include <optional>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TTongueDlg : public platform::ModalForm {
    Q_OBJECT
public:
    explicit TTongueDlg(QWidget* mainWindow);

    // The language chosen at the last showing; none after the close box.
    std::optional<Language> Chosen() const { return chosen_; }

    platform::TBevel* Bevel1 = nullptr;
    platform::TImage* Image4 = nullptr;
    platform::TBitBtn* EnglishBtn = nullptr;
    platform::TBitBtn* GermanBtn = nullptr;

    void EnglishBtnClick();
    void GermanBtnClick();

protected:
    void FormShow() override { chosen_.reset(); }

private:
    void FormCreate();

    std::optional<Language> chosen_;
};

} // namespace zk
