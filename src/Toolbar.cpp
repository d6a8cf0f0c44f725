#include "Toolbar.h"

#include <array>

#include "Texts.h"

namespace zk {

using platform::Place;
using platform::TSpeedButton;

namespace {

// InsertBtn and NewGameBtn share one place, as do DeleteBtn and RestartBtn;
// the board state shows one of each pair.
const std::array<ToolbarControl, 15> Controls{{
    {"NewGameBtn", 4, 4, 25, 25, "NewGameBtn.png", 1, nullptr, "Ich fang ein neues Spiel an.",
     "I want to play a new game.", &Toolbar::NewGameBtn, &ToolbarHandlers::NewGameBtnClick},
    {"InsertBtn", 4, 4, 25, 25, "InsertBtn.png", 2, "Neue Stufe", "Neue Stufe einfügen",
     "Insert new level", &Toolbar::InsertBtn, &ToolbarHandlers::InsertBtnClick},
    {"RestartBtn", 28, 4, 25, 25, "RestartBtn.png", 2, nullptr, "Ich probier's nochmal.",
     "I try it again.", &Toolbar::RestartBtn, &ToolbarHandlers::RestartBtnClick},
    {"DeleteBtn", 28, 4, 25, 25, "DeleteBtn.png", 2, "Stufe löschen", "Stufe entfernen",
     "Delete level", &Toolbar::DeleteBtn, &ToolbarHandlers::DeleteBtnClick},
    {"LoadBtn", 52, 4, 25, 25, "LoadBtn.png", 2, nullptr, "Ich hol mir einen alten Spielstand.",
     "I want to continue an old game.", &Toolbar::LoadBtn, &ToolbarHandlers::LoadBtnClick},
    {"SaveBtn", 76, 4, 25, 25, "SaveBtn.png", 2, nullptr,
     "Einmal zu oft gesichert ist besser als einmal zuwenig", "Save often, save always.",
     &Toolbar::SaveBtn, &ToolbarHandlers::SaveBtnClick},
    {"SoundBtn", 100, 4, 25, 25, "SoundBtn.png", 2, nullptr, "Die Geräusche mag ich nicht immer.",
     "I dont like the sound always.", &Toolbar::SoundBtn, nullptr},
    {"OptionBtn", 124, 4, 25, 25, "OptionBtn.png", 1, nullptr, "Spielmodus", "Game mode",
     &Toolbar::OptionBtn, &ToolbarHandlers::OptionBtnClick},
    {"ExitBtn", 148, 4, 25, 25, "ExitBtn.png", 1, nullptr, "Ich hab genug!", "I have enough!",
     &Toolbar::ExitBtn, &ToolbarHandlers::ExitBtnClick},
    {"sDownBtn", 292, 7, 20, 20, "sDownBtn.png", 2, nullptr, "nächstniedere ungelöste Stufe",
     "Previous unsolved level", &Toolbar::sDownBtn, &ToolbarHandlers::sDownBtnClick},
    {"levelscroll", 313, 8, 101, 19, nullptr, 0, nullptr, "Stufe wählen", "Select level", nullptr,
     &ToolbarHandlers::levelScrollChange},
    {"sUpBtn", 413, 7, 20, 20, "sUpBtn.png", 2, nullptr, "nächsthöhere ungelöste Stufe",
     "Next unsolved level", &Toolbar::sUpBtn, &ToolbarHandlers::sUpBtnClick},
    {"RulesBtn", 437, 4, 25, 25, "RulesBtn.png", 1, "Spielregeln", "Worum geht's da eigentlich?",
     "What's to do here?", &Toolbar::RulesBtn, &ToolbarHandlers::rules},
    {"InfoBtn", 461, 4, 25, 25, "InfoBtn.png", 1, "Info", "Wer hat diese Spiele nur verbrochen?",
     "Who did these ZANFOR GAME?", &Toolbar::InfoBtn, &ToolbarHandlers::info},
    {"ZanforBtn", 485, 4, 30, 25, "ZanforBtn.png", 1, "Zanfor Games",
     "Hurra, es gibt noch mehr Zanfor Games.", "Hurrah, there are more ZANFOR GAMES.",
     &Toolbar::ZanforBtn, &ToolbarHandlers::ZanforBtnClick},
}};

} // namespace

std::span<const ToolbarControl> ToolbarControls() {
    return Controls;
}

const char* HintFor(const ToolbarControl& control, Language language) {
    return Tr(language, control.german, control.english);
}

Toolbar::Toolbar(QWidget* window, ToolbarHandlers handlers) : handlers_(std::move(handlers)) {
    constexpr int PanelWidth = 520, PanelHeight = 33;
    ToolPanel = new QWidget(window);
    ToolPanel->setObjectName("ToolPanel");
    ToolPanel->setAutoFillBackground(true);
    Place(ToolPanel, 0, 0, PanelWidth, PanelHeight);

    // The level display: a frame, its black ground and the yellow label; the
    // board view puts the level indicator on top.
    Bevel2 = new platform::TBevel(ToolPanel, "Bevel2", platform::TBevel::Shape::Box);
    Place(Bevel2, 176, 4, 113, 26);
    Shape1 = new platform::TShape(ToolPanel, "Shape1", Qt::black);
    Place(Shape1, 176, 5, 113, 24);
    levellabel = new QLabel("x", ToolPanel);
    levellabel->setObjectName("levellabel");
    levellabel->setFont(platform::FormFont(12));
    levellabel->setAttribute(Qt::WA_TranslucentBackground);
    QPalette yellow = levellabel->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    levellabel->setPalette(yellow);
    Place(levellabel, 180, 12, 45, 16);

    for (const ToolbarControl& c : Controls) {
        const std::function<void()>* handler = c.handler ? &(handlers_.*c.handler) : nullptr;
        QWidget* control = nullptr;
        if (c.button) {
            auto* button = new TSpeedButton(ToolPanel, c.name);
            button->SetGlyph(c.glyph, c.images);
            if (handler) {
                QObject::connect(button, &QAbstractButton::clicked, ToolPanel,
                                 [handler] { (*handler)(); });
            }
            this->*c.button = button;
            control = button;
        } else {
            levelscroll = new platform::TScrollBar(ToolPanel, c.name);
            levelscroll->setRange(1, 1);
            levelscroll->setSingleStep(1);
            levelscroll->setPageStep(10);
            levelscroll->setFocusPolicy(Qt::NoFocus);
            QObject::connect(levelscroll, &platform::TScrollBar::Changed, ToolPanel,
                             [handler] { (*handler)(); });
            control = levelscroll;
        }
        Place(control, c.left, c.top, c.width, c.height);
        if (c.formHint) {
            control->setToolTip(c.formHint);
        }
    }
    SoundBtn->SetToggle(true);
    InsertBtn->hide();
    DeleteBtn->hide();
}

void Toolbar::ShowFor(BoardState state) {
    const bool editing = state == EditingState;
    LoadBtn->setVisible(!editing);
    SaveBtn->setVisible(true);
    RestartBtn->setVisible(!editing);
    NewGameBtn->setVisible(!editing);
    DeleteBtn->setVisible(editing);
    InsertBtn->setVisible(editing);
    OptionBtn->setEnabled(true);
}

void Toolbar::ApplyLanguage(Language language) {
    for (const ToolbarControl& c : Controls) {
        QWidget* control = c.button ? static_cast<QWidget*>(this->*c.button) : levelscroll;
        control->setToolTip(QString::fromUtf8(HintFor(c, language)));
    }
    levellabel->setText(QString::fromStdString(LevelLabelText(language)));
}

} // namespace zk
