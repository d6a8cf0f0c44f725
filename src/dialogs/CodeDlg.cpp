#include "dialogs/CodeDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>

namespace zk {

using platform::Place;

TCodeDlg::TCodeDlg(const Language& language, QWidget* mainWindow)
    : ModalForm(mainWindow), language_(language) {
    setObjectName(QStringLiteral("CodeDlg"));
    SetClientSize(329, 279);
    setFont(platform::FormFont(11));
    SetPosition(Position::OverMainWindow);
    const QFont bold = platform::FormFont(11, true);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Place(GroupBox1, 8, 4, 313, 89);
    Label1 = new platform::TLabel(GroupBox1, QStringLiteral("Label1"));
    Place(Label1, 12, 12, 289, 13);
    Label1->setFont(bold);
    const auto bandButton = [this](const char* name, int left, Band band) {
        auto* button = new platform::TBitBtn(GroupBox1, QString::fromLatin1(name));
        Place(button, left, 30, 69, 25);
        AttachButton(button, platform::mrOk, [this, band] { BandBtnClick(band); });
        return button;
    };
    EasyBtn = bandButton("EasyBtn", 12, Band::Easy);
    MediumBtn = bandButton("MediumBtn", 87, Band::Medium);
    HardBtn = bandButton("HardBtn", 162, Band::Hard);
    ExpertBtn = bandButton("ExpertBtn", 237, Band::Expert);
    DailyBtn = new platform::TBitBtn(GroupBox1, QStringLiteral("DailyBtn"));
    Place(DailyBtn, 12, 58, 294, 25);
    AttachButton(DailyBtn, platform::mrOk, [this] { DailyBtnClick(); });

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Place(GroupBox2, 8, 96, 313, 93);
    Label2 = new platform::TLabel(GroupBox2, QStringLiteral("Label2"));
    Place(Label2, 12, 12, 289, 13);
    Label2->setFont(bold);
    CodeEdit = new QLineEdit(GroupBox2);
    CodeEdit->setObjectName(QStringLiteral("CodeEdit"));
    Place(CodeEdit, 12, 30, 209, 21);
    CodeEdit->setMaxLength(24);
    PlayBtn = new platform::TBitBtn(GroupBox2, QStringLiteral("PlayBtn"));
    Place(PlayBtn, 229, 28, 77, 25);
    PlayBtn->SetGlyph(QStringLiteral("OKBtn.png"), 2);
    AttachButton(PlayBtn, platform::mrOk, [this] { PlayBtnClick(); });
    AddDefaultButton(PlayBtn);
    MessageLabel = new platform::TLabel(GroupBox2, QStringLiteral("MessageLabel"));
    Place(MessageLabel, 12, 56, 294, 30);
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    GroupBox3 = new QGroupBox(this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    Place(GroupBox3, 8, 192, 313, 45);
    Label3 = new platform::TLabel(GroupBox3, QStringLiteral("Label3"));
    Place(Label3, 12, 16, 81, 13);
    Label3->setFont(bold);
    CurrentEdit = new QLineEdit(GroupBox3);
    CurrentEdit->setObjectName(QStringLiteral("CurrentEdit"));
    Place(CurrentEdit, 96, 12, 125, 21);
    CurrentEdit->setReadOnly(true);
    CopyBtn = new platform::TBitBtn(GroupBox3, QStringLiteral("CopyBtn"));
    Place(CopyBtn, 229, 10, 77, 25);
    connect(CopyBtn, &QPushButton::clicked, this, &TCodeDlg::CopyBtnClick);

    CancelBtn = new platform::TBitBtn(this, QStringLiteral("CancelBtn"));
    Place(CancelBtn, 126, 244, 77, 27);
    CancelBtn->SetGlyph(QStringLiteral("CancelBtn.png"), 2);
    AttachButton(CancelBtn, platform::mrCancel);
    SetCancelButton(CancelBtn);

    setTabOrder(EasyBtn, MediumBtn);
    setTabOrder(MediumBtn, HardBtn);
    setTabOrder(HardBtn, ExpertBtn);
    setTabOrder(ExpertBtn, DailyBtn);
    setTabOrder(DailyBtn, CodeEdit);
    setTabOrder(CodeEdit, PlayBtn);
    setTabOrder(PlayBtn, CurrentEdit);
    setTabOrder(CurrentEdit, CopyBtn);
    setTabOrder(CopyBtn, CancelBtn);
    SetFirstFocus(MediumBtn);
}

void TCodeDlg::BandBtnClick(Band band) {
    chosen_ = LevelCode{band, QRandomGenerator::global()->bounded(CodeSeedCount)};
}

void TCodeDlg::DailyBtnClick() {
    chosen_ = DailyCode(TodayUtc());
}

void TCodeDlg::PlayBtnClick() {
    const CodeReading reading = ReadLevelCode(CodeEdit->text().toStdString());
    if (reading.code) {
        chosen_ = reading.code;
        return;
    }
    SetModalResult(platform::mrNone);
    MessageLabel->setText(QString::fromStdString(CodeProblemText(reading, language_)));
    QApplication::beep();
    CodeEdit->setFocus(Qt::OtherFocusReason);
    CodeEdit->selectAll();
}

void TCodeDlg::CopyBtnClick() {
    if (!codeInPlay_.empty()) {
        QApplication::clipboard()->setText(QString::fromStdString(codeInPlay_));
        CurrentEdit->selectAll();
    }
}

void TCodeDlg::FormShow() {
    chosen_.reset();
    MessageLabel->clear();
    CurrentEdit->setText(QString::fromStdString(codeInPlay_));
    CopyBtn->setEnabled(!codeInPlay_.empty());
}

void TCodeDlg::FormActivate() {
    PlaceOverMainWindow();
    const bool german = IsGerman(language_);
    const auto text = [german](const char* de, const char* en) {
        return QString::fromUtf8(german ? de : en);
    };
    setWindowTitle(text("Eine Stufe aus dem Code", "A level from a code"));
    Label1->setText(text("Eine neue Stufe:", "A new level:"));
    EasyBtn->setText(text("Leicht", "Easy"));
    MediumBtn->setText(text("Mittel", "Medium"));
    HardBtn->setText(text("Schwer", "Hard"));
    ExpertBtn->setText(text("Knifflig", "Expert"));
    DailyBtn->setText(text("Die Stufe des Tages (mittel)", "The level of the day (medium)"));
    Label2->setText(text("Einen Code spielen:", "Play a code:"));
    CodeEdit->setPlaceholderText(QStringLiteral("1M-3QX-9FE"));
    PlayBtn->setText(text("Spielen", "Play"));
    Label3->setText(text("Diese Stufe:", "This level:"));
    CurrentEdit->setPlaceholderText(text("aus der Stufenfolge", "from the level set"));
    CopyBtn->setText(text("Kopieren", "Copy"));
    CancelBtn->setText(text("Abbruch", "Escape"));
}

} // namespace zk
