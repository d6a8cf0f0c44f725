// The main window's toolbar: the tool panel with the level display's frame
// and label, and the controls of the actions that have one, each placed,
// drawn and hinted as its row of the action table says.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "model/GameState.h"
#include "platform/Controls.h"

namespace zk {

class Toolbar;

// When an action is offered: its control is shown and its keys act only then.
enum class Offered { Always, OutsideEditor, InEditor };

constexpr bool IsOffered(Offered offered, BoardState state) {
    switch (offered) {
    case Offered::OutsideEditor:
        return state != EditingState;
    case Offered::InEditor:
        return state == EditingState;
    case Offered::Always:
        break;
    }
    return true;
}

// One control of the toolbar.
struct ToolbarControl {
    const char* name; // the designer's name
    int left, top, width, height;
    const char* glyph;    // the glyph's picture; none for the level scroll bar
    int images;           // images side by side in the glyph: normal, disabled
    const char* formHint; // the hint before start-up replaces it, or none
    const char* german;   // the hints from start-up on
    const char* english;
    // The control's field in the toolbar; none for the level scroll bar.
    platform::TSpeedButton* Toolbar::*button;
    bool toggle = false; // a button that stays down until clicked again
};

const char* HintFor(const ToolbarControl& control, Language language);

class Toolbar {
public:
    // Creates the tool panel in the window with the level display.
    explicit Toolbar(QWidget* window);

    // Creates a control, from left to right. A click (for the scroll bar a
    // change of its position) runs `clicked`; a toggle has none.
    void Add(const ToolbarControl& control, Offered offered, std::function<void()> clicked);

    // Shows the controls of a board state: the editor's Insert and Delete
    // take the places of New game and Restart, and Load is hidden.
    void ShowFor(BoardState state);
    // The hints and the level label in the language.
    void ApplyLanguage(Language language);
    bool SoundOn() const { return SoundBtn->Down(); }

    // The controls, by their designer names.
    QWidget* ToolPanel = nullptr;
    platform::TSpeedButton* NewGameBtn = nullptr;
    platform::TSpeedButton* InsertBtn = nullptr;
    platform::TSpeedButton* RestartBtn = nullptr;
    platform::TSpeedButton* DeleteBtn = nullptr;
    platform::TSpeedButton* LoadBtn = nullptr;
    platform::TSpeedButton* SaveBtn = nullptr;
    platform::TSpeedButton* SoundBtn = nullptr;
    platform::TSpeedButton* OptionBtn = nullptr;
    platform::TSpeedButton* ExitBtn = nullptr;
    platform::TBevel* Bevel2 = nullptr;
    platform::TShape* Shape1 = nullptr;
    QLabel* levellabel = nullptr;
    platform::TSpeedButton* sDownBtn = nullptr;
    platform::TScrollBar* levelscroll = nullptr;
    platform::TSpeedButton* sUpBtn = nullptr;
    platform::TSpeedButton* RulesBtn = nullptr;
    platform::TSpeedButton* InfoBtn = nullptr;
    platform::TSpeedButton* ZanforBtn = nullptr;

private:
    struct Entry {
        const ToolbarControl* control;
        Offered offered;
        QWidget* widget;
    };
    std::vector<Entry> entries_;
};

} // namespace zk
