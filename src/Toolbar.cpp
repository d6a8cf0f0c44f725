#include "Toolbar.h"

#include "Texts.h"

namespace zk {

using platform::Place;
using platform::TSpeedButton;

const char* HintFor(const ToolbarControl& control, Language language) {
    return Tr(language, control.german, control.english);
}

Toolbar::Toolbar(QWidget* window) {
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
}

void Toolbar::Add(const ToolbarControl& c, Offered offered, std::function<void()> clicked) {
    QWidget* control = nullptr;
    if (c.button) {
        auto* button = new TSpeedButton(ToolPanel, c.name);
        button->SetGlyph(c.glyph, c.images);
        button->SetToggle(c.toggle);
        if (clicked) {
            QObject::connect(button, &QAbstractButton::clicked, ToolPanel,
                             [clicked = std::move(clicked)] { clicked(); });
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
                         [clicked = std::move(clicked)] { clicked(); });
        control = levelscroll;
    }
    Place(control, c.left, c.top, c.width, c.height);
    if (c.formHint) {
        control->setToolTip(c.formHint);
    }
    // The editor's controls wait for the editing state.
    if (!IsOffered(offered, PlayState)) {
        control->hide();
    }
    entries_.push_back({&c, offered, control});
}

void Toolbar::ShowFor(BoardState state) {
    for (const Entry& entry : entries_) {
        if (entry.offered != Offered::Always) {
            entry.widget->setVisible(IsOffered(entry.offered, state));
        }
    }
    OptionBtn->setEnabled(true);
}

void Toolbar::ApplyLanguage(Language language) {
    for (const Entry& entry : entries_) {
        entry.widget->setToolTip(QString::fromUtf8(HintFor(*entry.control, language)));
    }
    levellabel->setText(QString::fromStdString(LevelLabelText(language)));
}

} // namespace zk
