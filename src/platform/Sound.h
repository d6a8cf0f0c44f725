// Wave sounds: stop whatever plays, play a file in the background. A file
// that cannot be played gives the desktop's beep instead.
//
// The player itself, and Qt Multimedia with it, lives in a module of the
// program directory that is loaded on the first sound: a game played without
// sound never maps the audio libraries.
#pragma once

#include <QLibrary>
#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace zk::platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound that is playing.
    virtual void Stop() = 0;
    // Starts a wave file and returns at once.
    virtual void PlayAsync(const QString& file) = 0;
};

// The module's file name in the program directory.
inline constexpr const char* SoundModuleName = "libzk-sound.so";

// The entry point the module exports: a new player that calls beep for a
// file it cannot play.
using CreateSoundPlayerFunction = SoundPlayer* (*)(const std::function<void()>* beep);
inline constexpr const char* CreateSoundPlayerSymbol = "zk_create_sound_player";

// The player the game uses: loads the module on the first sound and hands
// every call on to the player made there. A module that cannot be loaded
// leaves the beep for every sound.
class ModuleSoundPlayer : public SoundPlayer {
public:
    // beep defaults to the desktop's beep (QApplication::beep).
    explicit ModuleSoundPlayer(QString moduleFile, std::function<void()> beep = {});
    ~ModuleSoundPlayer() override;

    void Stop() override;
    void PlayAsync(const QString& file) override;

    // Whether the module has been loaded (it is tried once, on the first
    // sound that plays).
    bool Loaded() const { return player_ != nullptr; }
    // Why loading failed; empty before the first try and after success.
    QString LoadError() const { return loadError_; }

private:
    bool Load();

    QString moduleFile_;
    std::function<void()> beep_;
    // The module stays loaded for the rest of the run: the player's code is
    // in it.
    QLibrary module_;
    bool tried_ = false;
    QString loadError_;
    std::unique_ptr<SoundPlayer> player_;
};

// The game's sounds; the number names the wave file "w<n>.wav".
enum class Sound : int { None = 0, Solved = 1, Move = 2 };

// Stops what plays; unless the sound is None or the sound is off, plays the
// sound's file in the program directory.
void PlayGameSound(SoundPlayer& player, Sound sound, bool soundOn,
                   const std::string& programDirectory);

} // namespace zk::platform
