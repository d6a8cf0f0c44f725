// The language rule: German exactly when Language is 1; every other value,
// -1 (not chosen) included, gives English. A value read from the settings
// that is none of the three is kept as it is and written back unchanged.
#pragma once

namespace zk {

enum class Language : int { NotChosen = -1, English = 0, German = 1 };

inline constexpr Language LanguageNotChosen = Language::NotChosen;
inline constexpr Language English = Language::English;
inline constexpr Language German = Language::German;

constexpr bool IsGerman(Language language) {
    return language == German;
}

// Picks the German or the English literal for the current language.
constexpr const char* Tr(Language language, const char* german, const char* english) {
    return IsGerman(language) ? german : english;
}

// The settings file keeps the language as an integer.
constexpr Language LanguageFromInt(int value) {
    return static_cast<Language>(value);
}
constexpr int ToInt(Language language) {
    return static_cast<int>(language);
}

} // namespace zk
