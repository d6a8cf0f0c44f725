// The sound module's entry point: the program loads this module on its first
// sound and asks it for a player.
#include <QtGlobal>

#include "platform/sound/EffectSound.h"

extern "C" Q_DECL_EXPORT zk::platform::SoundPlayer*
zk_create_sound_player(const std::function<void()>* beep) {
    return new zk::platform::EffectSoundPlayer(beep ? *beep : std::function<void()>{});
}

// The entry point has the type the program expects of it.
static_assert(
    std::is_same_v<decltype(&zk_create_sound_player), zk::platform::CreateSoundPlayerFunction>);
