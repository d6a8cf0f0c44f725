#include "files/GameSettings.h"

#include <filesystem>
#include <system_error>
#include <variant>

namespace zk::files {

namespace {

using S = GameSettings;
using Field = std::variant<int S::*, std::optional<int> S::*, std::string S::*, bool S::*,
                           Language S::*, GameMode S::*>;

enum class Use {
    ReadAndWrite,
    WriteOnly,      // kept for the record, never read back
    ReadOnly,       // the player's to set
    WrittenChanged, // written only when the game changed it
};

struct Key {
    const char* section;
    const char* name;
    Field field;
    Use use = Use::ReadAndWrite;
};

// In the order they are written.
const Key Keys[] = {
    {SettingsSection, "mode", &S::mode},
    {SettingsSection, "sound", &S::sound, Use::WriteOnly},
    {SettingsSection, "left", &S::left},
    {SettingsSection, "top", &S::top},
    {SettingsSection, "level", &S::level},
    {SettingsSection, "tongue", &S::tongue},
    {SettingsSection, "save", &S::save},
    {SettingsSection, "eleft", &S::eleft},
    {SettingsSection, "etop", &S::etop},
    {ExtrasSection, "feedback", &S::feedback, Use::WrittenChanged},
    {ExtrasSection, "animations", &S::animations, Use::WrittenChanged},
    {ExtrasSection, ScaleKey, &S::scale, Use::ReadOnly},
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void Read(const SettingsStore& store, const Key& key, S& s) {
    const auto integer = [&](int fallback) {
        return store.ReadInteger(key.section, key.name, fallback);
    };
    std::visit(
        Overloaded{
            [&](int S::*m) { s.*m = integer(s.*m); },
            [&](std::optional<int> S::*m) { s.*m = store.ReadInteger(key.section, key.name); },
            [&](std::string S::*m) { s.*m = store.ReadString(key.section, key.name, s.*m); },
            [&](bool S::*m) { s.*m = integer(s.*m ? 1 : 0) != 0; },
            [&](Language S::*m) { s.*m = LanguageFromInt(integer(ToInt(s.*m))); },
            [&](GameMode S::*m) { s.*m = GameModeFromInt(integer(ToInt(s.*m))); },
        },
        key.field);
}

void Write(SettingsStore& store, const Key& key, const S& s) {
    std::visit(Overloaded{
                   [&](int S::*m) { store.WriteInteger(key.section, key.name, s.*m); },
                   [&](std::optional<int> S::*m) {
                       if (s.*m) {
                           store.WriteInteger(key.section, key.name, *(s.*m));
                       }
                   },
                   [&](std::string S::*m) { store.WriteString(key.section, key.name, s.*m); },
                   [&](bool S::*m) { store.WriteBool(key.section, key.name, s.*m); },
                   [&](Language S::*m) { store.WriteInteger(key.section, key.name, ToInt(s.*m)); },
                   [&](GameMode S::*m) { store.WriteInteger(key.section, key.name, ToInt(s.*m)); },
               },
               key.field);
}

bool SameValue(const Key& key, const S& a, const S& b) {
    return std::visit([&](auto m) { return a.*m == b.*m; }, key.field);
}

} // namespace

GameSettings ReadGameSettings(const SettingsStore& store) {
    GameSettings settings;
    for (const Key& key : Keys) {
        if (key.use != Use::WriteOnly) {
            Read(store, key, settings);
        }
    }
    return settings;
}

void WriteGameSettings(SettingsStore& store, const GameSettings& settings,
                       const GameSettings& asRead) {
    // A fresh account may have no settings directory yet.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(store.FileName()).parent_path(),
                                        ignored);
    for (const Key& key : Keys) {
        if (key.use == Use::ReadOnly ||
            (key.use == Use::WrittenChanged && SameValue(key, settings, asRead))) {
            continue;
        }
        Write(store, key, settings);
    }
}

} // namespace zk::files
