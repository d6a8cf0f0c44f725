#include "dialogs/MessageDialog.h"

#include <array>
#include <cassert>

namespace zk {

using platform::mrCancel;
using platform::mrNo;
using platform::mrOk;
using platform::mrYes;
using platform::Place;

namespace {

// clang-format off
const MessageRow Table[] = {
    // Its "No" is an ordinary cancel button.
    {Message::TakeDlg, "TakeDlg", QRect(52, 24, 197, 17), true, mrOk, mrCancel, 136, true,
     {"Änderungen übernehmen?", "Accept modifications?"}},
    {Message::ChangeModeDlg, "ChangeModeDlg", QRect(68, 20, 165, 29), false, mrOk, mrCancel, 136,
     true, {}},
    {Message::AllSolvedDlg, "AllSolvedDlg", QRect(68, 20, 165, 29), false, mrOk, mrCancel, 136,
     false, {"Gratulation, Du hast alle Stufen gelöst.", "Congratulation, you solved all levels."}},
    {Message::EndGameDlg, "EndGameDlg", QRect(72, 20, 153, 29), true, mrYes, mrNo, 136, false,
     {"Willst Du wirklich schon aufhören?", "Do you really want to exit?"}},
    {Message::GiveUpDlg, "GiveUpDlg", QRect(72, 20, 149, 26), true, mrYes, mrNo, 136, false,
     {"Willst Du das Spiel wirklich aufgeben?", "Do you really want to give up the game?"}},
    {Message::RestartDlg, "RestartDlg", QRect(56, 20, 189, 26), true, mrYes, mrNo, 128, false,
     {"Willst Du die Stufe wirklich aufgeben?", "Do you really want to give up the level?"}},
    {Message::SolvedDlg, "SolvedDlg", QRect(60, 28, 181, 17), false, mrOk, mrCancel, 136,
     false, {"Hurra, geschafft!", "Hurrah, you did it!"}},
};
// clang-format on
static_assert(std::size(Table) == MessageCount);

// ChangeModeDlg's messages, by the mode entered.
const std::array<MessageText, 3> ModeTexts{{
    {"Du wechselst zum Üben-Modus.", "You enter the practice mode."},
    {"Du wechselst zum Wettkampf-Modus.", "You enter the challenge mode."},
    {"Du wechselst zum Editor-Modus.", "You enter the edit mode."},
}};

QString Text(const MessageText& text, Language language) {
    return QString::fromUtf8(Tr(language, text.german, text.english));
}

} // namespace

const MessageRow& MessageRowOf(Message message) {
    const MessageRow& row = Table[static_cast<std::size_t>(message)];
    assert(row.message == message);
    return row;
}

TMessageDialog::TMessageDialog(Message message, const Language& language, QWidget* mainWindow)
    : ModalForm(mainWindow), row_(MessageRowOf(message)), language_(language) {
    setObjectName(QString::fromLatin1(row_.name));
    SetClientSize(261, 103);
    setFont(platform::FormFont(11, !row_.question));
    if (row_.overMainWindow) {
        SetPosition(Position::OverMainWindow);
    }

    Bevel1 = new platform::TBevel(this, QStringLiteral("Bevel1"), platform::TBevel::Shape::Frame);
    Place(Bevel1, 8, 8, 245, 49);
    Image1 = new platform::TImage(this, QStringLiteral("Image1"));
    Place(Image1, 16, 16, 32, 32);
    Label1 = new platform::TLabel(this, QStringLiteral("Label1"), true, true);
    Label1->setGeometry(row_.labelPlace);
    Label1->setFont(platform::FormFont(11, true));

    OKBtn = new platform::TBitBtn(this, QStringLiteral("OKBtn"));
    OKBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(OKBtn, row_.okResult);
    AddDefaultButton(OKBtn);
    SetFirstFocus(OKBtn);
    if (row_.question) {
        Place(OKBtn, 40, 68, 77, 27);
        CancelBtn = new platform::TBitBtn(this, QStringLiteral("CancelBtn"));
        CancelBtn->SetGlyph(QStringLiteral("CancelBtn.png"), 2);
        Place(CancelBtn, row_.cancelLeft, 68, 77, 27);
        AttachButton(CancelBtn, row_.cancelResult);
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

void TMessageDialog::FormShow() {
    if (row_.text.german) {
        return;
    }
    const int mode = ToInt(NewMode);
    if (mode >= 0 && mode < static_cast<int>(ModeTexts.size())) {
        Label1->setText(Text(ModeTexts[static_cast<std::size_t>(mode)], language_));
    }
}

void TMessageDialog::FormActivate() {
    if (row_.overMainWindow) {
        PlaceOverMainWindow();
    }
    if (row_.text.german) {
        Label1->setText(Text(row_.text, language_));
    }
    if (row_.question) {
        OKBtn->setText(German() ? QStringLiteral("Ja") : QStringLiteral("Yes"));
        CancelBtn->setText(German() ? QStringLiteral("Nein") : QStringLiteral("No"));
    }
}

} // namespace zk
