#include "dialogs/Infodlg.h"

#include "dialogs/Tongdlg.h"

namespace zk {

using platform::Place;
using platform::TLabel;

TInfoDialog::TInfoDialog(const Language& language, QWidget* mainWindow)
    : ModalForm(mainWindow), language_(language) {
    setObjectName(QStringLiteral("InfoDialog"));
    SetClientSize(309, 354);
    setFont(platform::FormFont(11));
    const QFont bold = platform::FormFont(11, true);

    // The upper box: logo, name and version, the icon with a word on the game.
    Bevel1 = new platform::TBevel(this, QStringLiteral("Bevel1"), platform::TBevel::Shape::Box);
    Place(Bevel1, 4, 4, 301, 181);
    Image1 = new platform::TImage(this, QStringLiteral("Image1"));
    Place(Image1, 8, 8, 101, 77);
    progname = new TLabel(this, QStringLiteral("progname"));
    Place(progname, 112, 8, 189, 25);
    progname->setFont(platform::FormFont(19, true));
    version = new TLabel(this, QStringLiteral("version"));
    Place(version, 112, 32, 189, 13);
    makerlabel = new TLabel(this, QStringLiteral("makerlabel"));
    Place(makerlabel, 112, 56, 189, 13);
    Image4 = new platform::TImage(this, QStringLiteral("Image4"));
    Place(Image4, 36, 96, 37, 37);
    gamelabel = new TLabel(this, QStringLiteral("gamelabel"), false, true);
    Place(gamelabel, 84, 92, 213, 86);

    // The middle box: the maker.
    Bevel4 = new platform::TBevel(this, QStringLiteral("Bevel4"), platform::TBevel::Shape::Box);
    Place(Bevel4, 4, 188, 301, 41);
    makername = new TLabel(this, QStringLiteral("makername"));
    Place(makername, 12, 194, 285, 13);
    makername->setFont(bold);
    makerline = new TLabel(this, QStringLiteral("makerline"));
    Place(makerline, 12, 210, 285, 13);

    // The lower box: how to reach the maker, and the circle it belongs to.
    Bevel3 = new platform::TBevel(this, QStringLiteral("Bevel3"), platform::TBevel::Shape::Box);
    Place(Bevel3, 4, 232, 301, 77);
    maillabel = new TLabel(this, QStringLiteral("maillabel"));
    Place(maillabel, 12, 240, 190, 13);
    maillabel->setFont(bold);
    mailaddress = new TLabel(this, QStringLiteral("mailaddress"));
    Place(mailaddress, 12, 254, 190, 13);
    weblabel = new TLabel(this, QStringLiteral("weblabel"));
    Place(weblabel, 12, 272, 190, 13);
    weblabel->setFont(bold);
    webaddress = new TLabel(this, QStringLiteral("webaddress"));
    Place(webaddress, 12, 286, 190, 13);
    Image2 = new platform::TImage(this, QStringLiteral("Image2"));
    Place(Image2, 242, 242, 26, 20);
    circlelabel = new TLabel(this, QStringLiteral("circlelabel"), true, true);
    Place(circlelabel, 206, 266, 96, 39);

    TongBtn = new platform::TBitBtn(this, QStringLiteral("TongBtn"));
    Place(TongBtn, 72, 320, 77, 27);
    TongBtn->SetGlyph(QStringLiteral("TongBtn.png"), 2);
    AttachButton(TongBtn, platform::mrOk, [this] { TongBtnClick(); });
    OKBtn = new platform::TBitBtn(this, QStringLiteral("OKBtn"));
    Place(OKBtn, 156, 320, 77, 27);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(OKBtn, platform::mrOk);
    AddDefaultButton(OKBtn);
    AddDefaultButton(TongBtn);
    setTabOrder(OKBtn, TongBtn);
    SetFirstFocus(OKBtn);

    FormCreate();
}

void TInfoDialog::FormCreate() {
    Image1->SetPicture(platform::Picture(QStringLiteral("logo.png")));
    Image4->SetPicture(platform::IconPicture());
    Image2->SetPicture(platform::Picture(QStringLiteral("ZanforBtn.png")));
    progname->setText(QStringLiteral("Zanfor Kelva"));
    version->setText(QStringLiteral("Version  V2.0"));
    makername->setText(QStringLiteral("Zanfor Games"));
    mailaddress->setText(QStringLiteral("post@zanfor-games.example"));
    webaddress->setText(QStringLiteral("www.zanfor-games.example"));
}

void TInfoDialog::SetTexts() {
    const bool german = IsGerman(language_);
    setWindowTitle(german ? QStringLiteral("Zanfor Games - Info über ...")
                          : QStringLiteral("Zanfor Games - Info about ..."));
    makerlabel->setText(german ? QStringLiteral("ein Spiel von Zanfor Games")
                               : QStringLiteral("a game by Zanfor Games"));
    gamelabel->setText(
        german ? QStringLiteral("Schieb die Kacheln über das Brett, bis jede Verbindung ihr "
                                "Gegenstück findet und kein Weg ins Leere führt. Jeder Klick "
                                "tauscht den markierten Stein mit einem anderen.")
               : QStringLiteral("Slide the tiles across the board until every connection meets "
                                "its partner and no path leads off the board. Every click swaps "
                                "the marked tile with another one."));
    makerline->setText(german ? QStringLiteral("Werkstatt für kleine Knobelspiele")
                              : QStringLiteral("a workshop for small puzzle games"));
    maillabel->setText(german ? QStringLiteral("Post, Fragen und neue Stufen:")
                              : QStringLiteral("Mail, questions, new levels:"));
    weblabel->setText(german ? QStringLiteral("Im Netz:") : QStringLiteral("On the web:"));
    circlelabel->setText(german ? QStringLiteral("Mitglied im Kreis kleiner Spiele")
                                : QStringLiteral("Member of the Small Games Circle"));
    TongBtn->setText(german ? QStringLiteral("Sprache") : QStringLiteral("language"));
}

void TInfoDialog::FormActivate() {
    SetTexts();
}

void TInfoDialog::TongBtnClick() {
    std::optional<Language> chosen;
    if (tongueDlg_) {
        tongueDlg_->ShowModal();
        chosen = tongueDlg_->Chosen();
    }
    // The close box keeps the language; it is applied all the same.
    if (applyLanguage_) {
        applyLanguage_(chosen.value_or(language_));
    }
    SetTexts();
}

} // namespace zk
