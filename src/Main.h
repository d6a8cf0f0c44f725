// The main window: it builds the toolbar, the board view and the animation
// timer, makes the other forms, and hands its events on: the board's to the
// game controller, the toolbar's and the keys' through the action table.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Forms.h"
#include "WindowState.h"
#include "files/Settings.h"
#include "model/GameState.h"
#include "model/Hint.h"
#include "model/LevelCode.h"
#include "model/Random.h"

class QTimer;
class TMainFormProbe;

namespace zk {
struct ActionRow;
class BoardView;
class GameController;
class Session;
class Toolbar;
} // namespace zk

namespace zk::platform {
class HelpService;
class SoundPlayer;
} // namespace zk::platform

// How the window finds its surroundings. The defaults are the running
// program's: its directory, the player's data directory where the program
// directory is read-only, the settings directory, a time-of-day seed, the
// desktop's sound and help viewer, and QCoreApplication::exit.
struct TMainFormOptions {
    std::string programDirectory;  // empty: the executable's directory
    std::string settingsDirectory; // empty: $XDG_CONFIG_HOME, else ~/.config
    std::optional<std::uint64_t> seed;
    std::shared_ptr<zk::platform::SoundPlayer> sound;
    std::shared_ptr<zk::platform::HelpService> help;
    std::function<void(int)> exit;            // ends the program with an exit status
    zk::NearestSolutionQuery nearestSolution; // the hint's way; empty: the solver's
    // The player's own level directory, as if the program directory could
    // not be written; none: decided by the program directory's permissions.
    std::optional<std::string> playerLevelDirectory;
    // The slide of a move and the shine of a solve, on or off whatever the
    // player's setting says; none: as the setting says.
    std::optional<bool> motion;
    // The level of a code to play once start-up is done (--code).
    std::optional<zk::LevelCode> startCode;
};

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(TMainFormOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Program start: the splash and the palette are made, owned by this
    // window, the other forms are made when first asked for; then start-up
    // runs at the first activation.
    void CreateForms();
    void FormActivate();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The palette window passes its keys on to this window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TMainFormProbe; // the tests' view of the controls and handlers

    void FormCreate();
    bool FormCloseQuery();
    bool FormClose();
    void FormDestroy();

    // The board surface and the timer.
    void FollowPixelRatio();
    void boxPaint();
    void boxMouseDown(Qt::MouseButton button, int x, int y);
    void TimerTimer();

    // A key pressed in the main window or the palette: the action of its
    // row in the action table. False for a key without a meaning here.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A toolbar control's click or a key: the row's handler, when the board
    // state offers it.
    void Run(const zk::ActionRow& row);

    TMainFormOptions options_;
    zk::GameState state_;
    zk::WindowState windowState_;
    zk::RandomSource random_;
    zk::files::SettingsStore settings_;
    std::shared_ptr<zk::platform::SoundPlayer> sound_;
    std::shared_ptr<zk::platform::HelpService> help_;
    TForms forms_;

    std::unique_ptr<zk::BoardView> view_;
    std::unique_ptr<zk::Toolbar> toolbar_;
    QTimer* Timer = nullptr;
    std::unique_ptr<zk::GameController> controller_;
    std::unique_ptr<zk::Session> session_;

    bool FirstActivation = true;
    bool destroyed_ = false;
};
