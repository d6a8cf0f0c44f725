// InfoDialog: the about box. Its language button opens the language dialog,
// refreshes the texts, lets the main window apply the new language, and
// closes the about box.
#pragma once

#include <QPointer>
#include <functional>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TTongueDlg;

class TInfoDialog : public platform::ModalForm {
    Q_OBJECT
public:
    TInfoDialog(const Language& language, QWidget* mainWindow);

    // The language dialog the language button shows (created after the
    // about box at program start).
    void SetLanguageDialog(TTongueDlg* dialog) { tongueDlg_ = dialog; }
    // Run with the language the language dialog chose: the main window
    // takes it over and applies it.
    void SetApplyLanguage(std::function<void(Language)> applyLanguage) {
        applyLanguage_ = std::move(applyLanguage);
    }

    platform::TBevel* Bevel1 = nullptr;
    platform::TImage* Image1 = nullptr;
    platform::TLabel* progname = nullptr;
    platform::TLabel* version = nullptr;
    platform::TLabel* makerlabel = nullptr;
    platform::TImage* Image4 = nullptr;
    platform::TLabel* gamelabel = nullptr;
    platform::TBevel* Bevel4 = nullptr;
    platform::TLabel* makername = nullptr;
    platform::TLabel* makerline = nullptr;
    platform::TBevel* Bevel3 = nullptr;
    platform::TLabel* maillabel = nullptr;
    platform::TLabel* mailaddress = nullptr;
    platform::TLabel* weblabel = nullptr;
    platform::TLabel* webaddress = nullptr;
    platform::TImage* Image2 = nullptr;
    platform::TLabel* circlelabel = nullptr;
    platform::TBitBtn* TongBtn = nullptr;
    platform::TBitBtn* OKBtn = nullptr;

    void TongBtnClick();

protected:
    void FormActivate() override;

private:
    void FormCreate();
    void SetTexts();

    const Language& language_;
    QPointer<TTongueDlg> tongueDlg_;
    std::function<void(Language)> applyLanguage_;
};

} // namespace zk
