// The language rule: German exactly when Language is 1; every other value,
// -1 (not chosen) included, gives English.
#pragma once

namespace zk {

inline constexpr int LanguageNotChosen = -1;
inline constexpr int English = 0;
inline constexpr int German = 1;

constexpr bool IsGerman(int language) {
    return language == German;
}

// Picks the German or the English literal for the current language.
constexpr const char* Tr(int language, const char* german, const char* english) {
    return IsGerman(language) ? german : english;
}

} // namespace zk
