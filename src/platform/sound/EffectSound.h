// The sound player over QSoundEffect, built into the sound module (and into
// the tests that check it directly).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "platform/Sound.h"

class QSoundEffect;

namespace zk::platform {

// Whether a file is a wave file the player can play (RIFF/WAVE with PCM or
// floating-point samples).
bool IsPlayableWave(const QString& file);

class EffectSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    // beep is called for a file that cannot be played; the game passes the
    // desktop's beep.
    explicit EffectSoundPlayer(std::function<void()> beep, QObject* parent = nullptr);
    ~EffectSoundPlayer() override;

    void Stop() override;
    void PlayAsync(const QString& file) override;

private:
    void Beep();

    std::function<void()> beep_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

} // namespace zk::platform
