// Wave sounds: stop whatever plays, play a file in the background. A file
// that cannot be played gives the desktop's beep instead.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace zk::platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound that is playing.
    virtual void Stop() = 0;
    // Starts a wave file and returns at once.
    virtual void PlayAsync(const QString& file) = 0;
};

// Whether a file is a wave file the player can play (RIFF/WAVE with PCM or
// floating-point samples).
bool IsPlayableWave(const QString& file);

// The player over QSoundEffect.
class EffectSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    // beep defaults to the desktop's beep (QApplication::beep).
    explicit EffectSoundPlayer(std::function<void()> beep = {}, QObject* parent = nullptr);
    ~EffectSoundPlayer() override;

    void Stop() override;
    void PlayAsync(const QString& file) override;

private:
    void Beep();

    std::function<void()> beep_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

// The game's sound n: stops what plays; unless n is 0 or the sound is off,
// plays programDirectory + "w<n>.wav".
void PlayNumberedSound(SoundPlayer& player, int n, bool soundOn,
                       const std::string& programDirectory);

} // namespace zk::platform
