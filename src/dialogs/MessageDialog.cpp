#include "dialogs/MessageDialog.h"

namespace zk {

using platform::Place;

TMessageDialog::TMessageDialog(const Language& language, QWidget* mainWindow, const Design& design)
    : ModalForm(mainWindow), language_(language) {
    setObjectName(QString::fromLatin1(design.formName));
    SetClientSize(261, 103);
    setFont(platform::FormFont(11, !design.question));

    Bevel1 = new platform::TBevel(this, QStringLiteral("Bevel1"), platform::TBevel::Shape::Frame);
    Place(Bevel1, 8, 8, 245, 49);
    Image1 = new platform::TImage(this, QStringLiteral("Image1"));
    Place(Image1, 16, 16, 32, 32);
    Label1 = new platform::TLabel(this, QStringLiteral("Label1"), true, true);
    Label1->setGeometry(design.labelPlace);
    Label1->setFont(platform::FormFont(11, true));

    OKBtn = new platform::TBitBtn(this, QStringLiteral("OKBtn"));
    OKBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(OKBtn, design.okResult);
    AddDefaultButton(OKBtn);
    SetFirstFocus(OKBtn);
    if (design.question) {
        Place(OKBtn, 40, 68, 77, 27);
        CancelBtn = new platform::TBitBtn(this, QStringLiteral("CancelBtn"));
        CancelBtn->SetGlyph(QStringLiteral("CancelBtn.png"), 2);
        Place(CancelBtn, design.cancelLeft, 68, 77, 27);
        AttachButton(CancelBtn, design.cancelResult);
        SetCancelButton(CancelBtn);
        setTabOrder(OKBtn, CancelBtn);
    } else {
        Place(OKBtn, 92, 68, 77, 27);
        OKBtn->setText(QStringLiteral("OK"));
    }
    Create();
}

void TMessageDialog::Create() {
    Image1->SetPicture(platform::IconPicture());
    setWindowTitle(QStringLiteral("Zanfor Kelva"));
}

void TMessageDialog::SetQuestionCaptions() {
    OKBtn->setText(German() ? QStringLiteral("Ja") : QStringLiteral("Yes"));
    if (CancelBtn) {
        CancelBtn->setText(German() ? QStringLiteral("Nein") : QStringLiteral("No"));
    }
}

} // namespace zk
