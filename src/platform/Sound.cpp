#include "platform/Sound.h"

#include <QApplication>

namespace zk::platform {

ModuleSoundPlayer::ModuleSoundPlayer(QString moduleFile, std::function<void()> beep)
    : moduleFile_(std::move(moduleFile)), beep_(std::move(beep)) {
    if (!beep_) {
        beep_ = [] { QApplication::beep(); };
    }
}

// The player goes before the module that holds its code; the module itself
// is never unloaded.
ModuleSoundPlayer::~ModuleSoundPlayer() = default;

bool ModuleSoundPlayer::Load() {
    if (tried_) {
        return player_ != nullptr;
    }
    tried_ = true;
    module_.setFileName(moduleFile_);
    auto create =
        reinterpret_cast<CreateSoundPlayerFunction>(module_.resolve(CreateSoundPlayerSymbol));
    if (!create) {
        loadError_ = module_.errorString();
        return false;
    }
    player_.reset(create(&beep_));
    if (!player_) {
        loadError_ = QStringLiteral("the sound module made no player");
    }
    return player_ != nullptr;
}

void ModuleSoundPlayer::Stop() {
    if (player_) {
        player_->Stop();
    }
}

void ModuleSoundPlayer::PlayAsync(const QString& file) {
    if (!Load()) {
        beep_();
        return;
    }
    player_->PlayAsync(file);
}

void PlayGameSound(SoundPlayer& player, Sound sound, bool soundOn,
                   const std::string& programDirectory) {
    player.Stop();
    if (sound == Sound::None || !soundOn) {
        return;
    }
    const std::string file =
        programDirectory + "w" + std::to_string(static_cast<int>(sound)) + ".wav";
    player.PlayAsync(QString::fromStdString(file));
}

} // namespace zk::platform
