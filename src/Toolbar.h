// The main window's toolbar: its controls, built from one table that says
// where each stands, what it shows, what its hints say and what it runs.
#pragma once

#include <QWidget>
#include <functional>
#include <span>

#include "model/GameState.h"
#include "platform/Controls.h"

namespace zk {

// What the toolbar's controls run; the main window fills these in.
struct ToolbarHandlers {
    std::function<void()> NewGameBtnClick, InsertBtnClick, RestartBtnClick, DeleteBtnClick,
        LoadBtnClick, SaveBtnClick, OptionBtnClick, ExitBtnClick, sDownBtnClick, levelScrollChange,
        sUpBtnClick, rules, info, ZanforBtnClick;
};

class Toolbar;

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
    // What a click runs; none for the sound button, a toggle.
    std::function<void()> ToolbarHandlers::*handler;
};

// The fifteen controls with hints, from left to right.
std::span<const ToolbarControl> ToolbarControls();
const char* HintFor(const ToolbarControl& control, Language language);

class Toolbar {
public:
    // Creates the tool panel in the window and every control in it.
    Toolbar(QWidget* window, ToolbarHandlers handlers);

    // Shows the buttons of a board state: the editor's Insert and Delete
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
    ToolbarHandlers handlers_;
};

} // namespace zk
