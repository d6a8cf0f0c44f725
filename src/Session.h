// A session of play from start-up to close: the settings, the image sheets,
// the saved game and the level set read at start-up; the saved-game and
// level-file flows of the Load and Save buttons with their messages; the
// help and the about box; and the closing sequence with its questions and
// the settings written at close.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Forms.h"
#include "WindowState.h"
#include "files/GameSettings.h"
#include "files/LevelFile.h"
#include "files/Settings.h"
#include "model/GameState.h"

namespace zk::platform {
class HelpService;
}

namespace zk {

class BoardView;
class GameController;
class Toolbar;

// The level file read into the game state at start-up. When no complete
// record could be read the set holds one empty level, level 1 is current,
// and the message to show is returned.
std::optional<std::string> LoadLevels(GameState& state, const files::LevelFilePlaces& places);

// The editor's Save and the close's Yes: stores the Board first when
// editing, writes every level, clears Edited in every case. The player's
// directory is created (mode 0700) when it is missing. Returns the message to
// show when the write failed.
std::optional<std::string> SaveLevels(GameState& state, const files::LevelFilePlaces& places);

class Session {
public:
    // window: the main window, which start-up sizes and places and whose
    // position is written at close; timer: its animation timer, started last
    // at start-up. exit ends the program with a status.
    Session(GameState& state, WindowState& windowState, files::SettingsStore& settings,
            GameController& controller, BoardView& view, Toolbar& toolbar, const TForms& forms,
            platform::HelpService& help, QWidget* window, QTimer& timer,
            std::function<void(int)> exit);

    // Start-up at the first activation of the main window.
    void StartUp();

    // The Load button: a saved game through the load dialog.
    void LoadGame();
    // The saved-game flow: the save dialog, the overwrite question, the file.
    void SaveGame();
    // The Save button: the level file while editing, else the saved game.
    void Save();

    // The help file at its contents, then at the topic of the language.
    void ShowHelp(const char* file, const char* germanTopic, const char* englishTopic);
    const std::string& HelpFile() const { return helpFile_; }
    // The about box.
    void ShowInfo();

    // The exit button: the same request to close as the window's close box.
    void RequestClose();

    // The exit question: true when the window may close.
    bool CloseQuery();
    // The closing sequence once the window closes. False when the level set
    // could not be written: the close stops there, after the message, and the
    // window stays with everything in memory, so the player can close again.
    bool Close();

private:
    // Just right of the main window, top edges level.
    QPoint EditFormPosition() const;
    // Whether the close offers to write the level file.
    bool LevelsToOffer() const;
    // The program directory, and the player's where the level file is the player's own.
    files::LevelFilePlaces LevelFiles() const;
    // The files the game writes: the level file (the one read and the one
    // written), the saved game and the settings.
    std::vector<std::string> FilesWritten() const;
    // Writes the level set. A failed write shows its message and keeps the
    // work marked unsaved: the Board stays edited and the close offers the set.
    bool WriteLevels();
    void WriteSettings();

    GameState& state_;
    WindowState& windowState_;
    files::SettingsStore& settings_;
    GameController& controller_;
    BoardView& view_;
    Toolbar& toolbar_;
    const TForms& forms_;
    platform::HelpService& help_;
    QWidget* window_;
    QTimer& timer_;
    std::function<void(int)> exit_;
    std::string helpFile_;
    std::vector<LevelRecord> levelsAtStart_; // the level set as start-up read it
    files::GameSettings stored_;             // the settings as the file holds them
};

} // namespace zk
