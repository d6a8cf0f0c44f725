// The settings store: a profile (INI) file read and written key by key. It
// keeps no copy of the contents; every write is in the file when it returns.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zk::files {

inline constexpr char SettingsFileName[] = "quillmar.ini";
inline constexpr char SettingsSection[] = "Zanfor Kelva";
// The comforts' own choices, beside the game's nine keys.
inline constexpr char ExtrasSection[] = "Zanfor Kelva Extras";
inline constexpr std::size_t MaxSettingsValue = 1023;
// Larger files are not ours to rewrite: reads give defaults, writes refuse.
inline constexpr std::size_t MaxSettingsFileSize = 4 * 1024 * 1024;

// A refused write of the settings file at Path().
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::filesystem::path& path);
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The integer rule of the profile values: "0x"/"0X" with more than two
// characters is hexadecimal; otherwise leading blanks, an optional sign and
// decimal digits, or "$" and hexadecimal digits. Leading zeros do not count
// toward any length. Anything else, an empty value and values beyond 32 bits
// give the default.
int ParseProfileInteger(std::string_view text, int fallback);
// The same, with none for what gives the default.
std::optional<int> ParseProfileInteger(std::string_view text);

// A value as a message tells it: whole, with every control character
// (NUL included) and the backslash written as an escape ("\x00", "\\"),
// so that nothing cuts it short or hides part of it.
std::string EscapedForMessage(std::string_view value);

class SettingsStore {
public:
    SettingsStore() = default;
    explicit SettingsStore(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

    void Open(std::filesystem::path fileName) { fileName_ = std::move(fileName); }
    const std::filesystem::path& FileName() const { return fileName_; }

    // Reads look in the first section of the name only and take the first
    // line with the key, as the platform's profile reader does. A UTF-8
    // byte-order mark at the start of the file is skipped, and kept by writes.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // None where the other gives the default.
    std::optional<int> ReadInteger(std::string_view section, std::string_view key) const;
    // At most 1023 characters; a missing key gives the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& fallback) const;

    // Each throws SettingsWriteError when the file cannot be written.
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    std::filesystem::path fileName_;
};

} // namespace zk::files
