// CodeDlg: a level outside the set. Four buttons make a new level of a
// difficulty, one the level of the day (medium, the same for everyone on a
// day in UTC); a field takes a typed level code; and the code of the level in
// play stands ready to copy. Returns 1 with a code chosen, 2 (Escape, Esc,
// close box) without.
#pragma once

#include <QGroupBox>
#include <QLineEdit>

#include <optional>
#include <string>

#include "model/Language.h"
#include "model/LevelCode.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TCodeDlg : public platform::ModalForm {
    Q_OBJECT
public:
    TCodeDlg(const Language& language, QWidget* mainWindow);

    // The code of the level in play, shown to copy ("" for a level of the set).
    void SetCodeInPlay(const std::string& code) { codeInPlay_ = code; }
    // The code chosen at the last showing; none after Escape.
    std::optional<LevelCode> Chosen() const { return chosen_; }

    QGroupBox* GroupBox1 = nullptr;
    platform::TLabel* Label1 = nullptr;
    platform::TBitBtn* EasyBtn = nullptr;
    platform::TBitBtn* MediumBtn = nullptr;
    platform::TBitBtn* HardBtn = nullptr;
    platform::TBitBtn* ExpertBtn = nullptr;
    platform::TBitBtn* DailyBtn = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    platform::TLabel* Label2 = nullptr;
    QLineEdit* CodeEdit = nullptr;
    platform::TBitBtn* PlayBtn = nullptr;
    platform::TLabel* MessageLabel = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    platform::TLabel* Label3 = nullptr;
    QLineEdit* CurrentEdit = nullptr;
    platform::TBitBtn* CopyBtn = nullptr;
    platform::TBitBtn* CancelBtn = nullptr;

    // A new level of the band, from a seed drawn at random.
    void BandBtnClick(Band band);
    void DailyBtnClick();
    // The typed code; refused with its reason in MessageLabel, the form
    // staying open with the code selected.
    void PlayBtnClick();
    // The code in play onto the clipboard.
    void CopyBtnClick();

protected:
    void FormShow() override;
    void FormActivate() override;

private:
    const Language& language_;
    std::string codeInPlay_;
    std::optional<LevelCode> chosen_;
};

} // namespace zk
