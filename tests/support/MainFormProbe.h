// The tests' one way into the main window: its controls, its handlers, the
// state it keeps and what its board view shows.
#pragma once

#include <QTimer>

#include "Actions.h"
#include "BoardView.h"
#include "Controller.h"
#include "Main.h"
#include "Session.h"
#include "Toolbar.h"
#include "platform/Sound.h"

class TMainFormProbe {
public:
    explicit TMainFormProbe(TMainForm& form) : f_(form) {}

    zk::GameState& State() { return f_.state_; }
    zk::WindowState& Window() { return f_.windowState_; }
    const TForms& Forms() const { return f_.forms_; }
    const std::string& HelpFile() const { return f_.session_->HelpFile(); }

    // The handlers.
    void boxPaint() { f_.boxPaint(); }
    void boxMouseDown(Qt::MouseButton b, int x, int y) { f_.boxMouseDown(b, x, y); }
    void TimerTimer() { f_.TimerTimer(); }
    // A toolbar control's click or a key's action, as the action table runs it.
    void Run(zk::Action action) { f_.Run(zk::RowOf(action)); }
    void PlaySound(zk::platform::Sound s) { f_.controller_->PlaySound(s); }
    void levelboxPaint() { f_.view_->levelboxPaint(); }
    void DrawProgressBar() { f_.view_->DrawProgressBar(); }
    bool FormKeyDown(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return f_.FormKeyDown(key, m);
    }
    zk::BoardView& View() { return *f_.view_; }
    zk::GameController& Controller() { return *f_.controller_; }

    // The controls, by their designer names.
    QWidget* box() { return f_.view_->Box(); }
    QWidget* levelbox() { return f_.view_->Levelbox(); }
    QTimer* Timer() { return f_.Timer; }
    QScrollBar* levelscroll() { return f_.toolbar_->levelscroll; }
    QLabel* levellabel() { return f_.toolbar_->levellabel; }
    zk::platform::TSpeedButton* NewGameBtn() { return f_.toolbar_->NewGameBtn; }
    zk::platform::TSpeedButton* InsertBtn() { return f_.toolbar_->InsertBtn; }
    zk::platform::TSpeedButton* LoadBtn() { return f_.toolbar_->LoadBtn; }
    zk::platform::TSpeedButton* SoundBtn() { return f_.toolbar_->SoundBtn; }
    zk::platform::TSpeedButton* ExitBtn() { return f_.toolbar_->ExitBtn; }

    // What the board view draws and draws from.
    const QImage& Surface() const { return f_.view_->Surface(); }
    const QImage& LevelboxImage() const { return f_.view_->LevelboxImage(); }
    const QImage& numbs1() const { return f_.view_->DigitStrip(); }
    const QImage& PaletteSheet() const { return f_.view_->PaletteSheet(); }

private:
    TMainForm& f_;
};
