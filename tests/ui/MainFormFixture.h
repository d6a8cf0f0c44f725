// A main window with every form, in its own temporary program and settings
// directories, with scripted dialogs, a seeded random source, and sound,
// help and exit that record instead of acting.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Editor.h"
#include "Main.h"
#include "MainFormProbe.h"
#include "ScriptedSeam.h"
#include "TempDir.h"
#include "platform/Form.h"
#include "platform/Help.h"
#include "platform/Sound.h"

class RecordingSound : public zk::platform::SoundPlayer {
public:
    void Stop() override { events.push_back("stop"); }
    void PlayAsync(const QString& file) override {
        events.push_back("play " + file.section('/', -1).toStdString());
    }
    std::vector<std::string> Played() const;
    std::vector<std::string> events;
};

class RecordingHelp : public zk::platform::HelpService {
public:
    void Quit() override { events.push_back("quit"); }
    bool OpenContents(const std::string& file) override;
    void JumpToTopic(const std::string& topic) override { events.push_back("jump " + topic); }
    std::vector<std::string> events;
};

// A level: the 2 x 2 corner block (tiles 7, 6 / 4, 5) at (column, row),
// every other cell a fixed blank tile.
zk::LevelRecord CornerLevel(int column, int row);

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the level file of the program directory.
    void WriteLevels(const std::vector<zk::LevelRecord>& levels);
    // Writes one settings key before the start.
    void Setting(const std::string& key, const std::string& value);
    // Creates the window and its forms and runs start-up. The splash is
    // closed, and the language dialog (when it comes) answered with
    // languageButton.
    void Start(const QString& languageButton = "EnglishBtn");
    // Clicks the cells that solve the current level (or the level given),
    // one move at a time. Stops when the Board freezes. Answers nothing itself.
    int SolveByClicks(std::optional<zk::LevelRecord> level = std::nullopt);
    // Clicks a cell of the board as the player does.
    void ClickCell(int c, int r, Qt::MouseButton button = Qt::LeftButton);
    // Closes the window through its close box.
    void CloseWindow();
    // Closes it answering Yes to the exit question and cancelling the save
    // dialog.
    void CloseWindowAnsweringEverything();
    // Queues the answer to the next form, which must be the one named.
    void Answer(const QString& formName, const QString& button);
    void AnswerCloseBox(const QString& formName);

    std::string SettingsFile() const;
    std::string ReadSetting(const std::string& key) const;
    std::vector<QString> ShownForms() const;
    zk::GameState& S() { return P().State(); }
    zk::WindowState& W() { return P().Window(); }
    TMainFormProbe P() { return TMainFormProbe(*form); }

    TempDir programDir;
    TempDir configDir;
    TempDir cacheDir; // $XDG_CACHE_HOME: the pictures drawn at other ratios
    TempDir dataDir;  // $XDG_DATA_HOME: the player's records
    std::unique_ptr<zk::platform::ScriptedSeam> seam;
    std::shared_ptr<RecordingSound> sound;
    std::shared_ptr<RecordingHelp> help;
    std::vector<int> exits;
    zk::NearestSolutionQuery nearestSolution; // the hint's way, when a test gives one
    // The slide and the shine; off unless a test turns them on, so that a
    // move's picture and a solve's question come at once.
    std::optional<bool> motion = false;
    // The player's own level directory, when a test takes the program
    // directory for read-only.
    std::optional<std::string> playerLevelDirectory;
    std::unique_ptr<TMainForm> form;
};
