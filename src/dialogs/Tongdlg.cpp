#include "dialogs/Tongdlg.h"

namespace zk {

using platform::Place;

TTongueDlg::TTongueDlg(QWidget* mainWindow) : ModalForm(mainWindow) {
    setObjectName(QStringLiteral("TongueDlg"));
    SetClientSize(320, 91);
    setFont(platform::FormFont(11));

    Bevel1 = new platform::TBevel(this, QStringLiteral("Bevel1"), platform::TBevel::Shape::Box);
    Place(Bevel1, 8, 8, 305, 77);
    Image4 = new platform::TImage(this, QStringLiteral("Image4"));
    Place(Image4, 28, 28, 37, 37);

    EnglishBtn = new platform::TBitBtn(this, QStringLiteral("EnglishBtn"));
    Place(EnglishBtn, 84, 16, 221, 27);
    EnglishBtn->setText(QStringLiteral("I speak english."));
    EnglishBtn->SetGlyph(QStringLiteral("flag_en.png"), 1);
    AttachButton(EnglishBtn, platform::mrOk, [this] { EnglishBtnClick(); });
    AddDefaultButton(EnglishBtn);

    GermanBtn = new platform::TBitBtn(this, QStringLiteral("GermanBtn"));
    Place(GermanBtn, 84, 48, 221, 27);
    GermanBtn->setText(QStringLiteral("Ich spreche deutsch."));
    GermanBtn->SetGlyph(QStringLiteral("flag_de.png"), 1);
    AttachButton(GermanBtn, platform::mrOk, [this] { GermanBtnClick(); });
    AddDefaultButton(GermanBtn);

    setTabOrder(EnglishBtn, GermanBtn);
    SetFirstFocus(EnglishBtn);
    FormCreate();
}

void TTongueDlg::FormCreate() {
    setWindowTitle(QStringLiteral("Zanfor Kelva V2.0"));
    Image4->SetPicture(platform::IconPicture());
}

void TTongueDlg::EnglishBtnClick() {
    chosen_ = English;
}

void TTongueDlg::GermanBtnClick() {
    chosen_ = German;
}

} // namespace zk
