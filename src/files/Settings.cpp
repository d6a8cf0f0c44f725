#include "files/Settings.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

#include "files/AtomicFile.h"

namespace zk::files {

namespace {

struct IniText {
    std::vector<std::string> lines;
    bool crlf = false;
    bool byteOrderMark = false; // the file starts with the UTF-8 mark, and keeps it
};

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    const auto key = Trim(line.substr(0, eq));
    if (key.empty()) {
        return std::nullopt;
    }
    return KeyValue{key, Trim(line.substr(eq + 1))};
}

enum class LoadResult { Ok, Missing, Unusable };

LoadResult Load(const std::filesystem::path& file, IniText& ini) {
    const ReadOutcome read = ReadFilePrefix(file.string(), MaxSettingsFileSize + 1);
    if (!read.opened) {
        return read.error == ENOENT || read.error == ENOTDIR ? LoadResult::Missing
                                                             : LoadResult::Unusable;
    }
    if (read.failed || read.bytes.size() > MaxSettingsFileSize) {
        return LoadResult::Unusable;
    }
    std::string_view text(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
    if (text.starts_with(Utf8ByteOrderMark)) {
        text.remove_prefix(Utf8ByteOrderMark.size());
        ini.byteOrderMark = true;
    }
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            ini.crlf = true;
        }
        ini.lines.emplace_back(line);
        if (nl == std::string_view::npos) {
            break;
        }
        text.remove_prefix(nl + 1);
    }
    return LoadResult::Ok;
}

// As the platform's profile reader: the first section of the name, the first
// of its lines with the key; nothing after the section's end.
std::optional<std::string> Lookup(const IniText& ini, std::string_view section,
                                  std::string_view key) {
    bool inSection = false;
    for (const auto& line : ini.lines) {
        if (const auto name = SectionName(line)) {
            if (inSection) {
                break;
            }
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto kv = SplitKeyValue(line); kv && SameName(kv->key, key)) {
            std::string_view value = kv->value;
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return std::string(value);
        }
    }
    return std::nullopt;
}

bool IsDecimal(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDecimal(c)) {
        return c - '0';
    }
    c = Lower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// Leading zeros say nothing about the value; at least one digit stays.
std::string_view WithoutLeadingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return digits;
}

// Hexadecimal digits, all of them, at most 32 bits; the bits are taken as a
// signed 32-bit value, so FFFFFFFF is -1.
std::optional<std::int64_t> ParseHex(std::string_view digits) {
    digits = WithoutLeadingZeros(digits);
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = HexValue(c);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

SettingsWriteError::SettingsWriteError(const std::filesystem::path& path)
    : std::runtime_error("cannot write " + path.string()), path_(path) {}

std::string EscapedForMessage(std::string_view value) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int ParseProfileInteger(std::string_view text, int fallback) {
    return ParseProfileInteger(text).value_or(fallback);
}

std::optional<int> ParseProfileInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto value = ParseHex(text.substr(2));
        return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
    }
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    if (!text.empty() && text.front() == '$') {
        const auto value = ParseHex(text.substr(1));
        if (!value) {
            return std::nullopt;
        }
        magnitude = *value;
    } else {
        text = WithoutLeadingZeros(text);
        if (text.empty() || text.size() > 10) {
            return std::nullopt;
        }
        for (char c : text) {
            if (!IsDecimal(c)) {
                return std::nullopt;
            }
            magnitude = magnitude * 10 + (c - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    return ReadInteger(section, key).value_or(fallback);
}

std::optional<int> SettingsStore::ReadInteger(std::string_view section,
                                              std::string_view key) const {
    IniText ini;
    if (Load(fileName_, ini) != LoadResult::Ok) {
        return std::nullopt;
    }
    const auto value = Lookup(ini, section, key);
    return value ? ParseProfileInteger(*value) : std::nullopt;
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view key,
                                      const std::string& fallback) const {
    IniText ini;
    if (Load(fileName_, ini) != LoadResult::Ok) {
        return fallback;
    }
    auto value = Lookup(ini, section, key);
    if (!value) {
        return fallback;
    }
    if (value->size() > MaxSettingsValue) {
        value->resize(MaxSettingsValue);
    }
    return *value;
}

void SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    // Another game's key written meanwhile stays.
    const ChangeLock lock(fileName_.string());
    IniText ini;
    const LoadResult loaded = Load(fileName_, ini);
    if (loaded == LoadResult::Unusable || fileName_.empty()) {
        throw SettingsWriteError(fileName_);
    }
    // A line break would end the value and start a line of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::optional<std::size_t> sectionLine;
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        const auto name = SectionName(ini.lines[i]);
        if (name && SameName(*name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (!sectionLine) {
        if (!ini.lines.empty() && !Trim(ini.lines.back()).empty()) {
            ini.lines.emplace_back();
        }
        ini.lines.push_back("[" + std::string(section) + "]");
        ini.lines.push_back(entry);
    } else {
        std::size_t insertAt = *sectionLine + 1;
        bool replaced = false;
        for (std::size_t i = *sectionLine + 1; i < ini.lines.size(); ++i) {
            if (SectionName(ini.lines[i])) {
                break;
            }
            if (const auto kv = SplitKeyValue(ini.lines[i]); kv && SameName(kv->key, key)) {
                ini.lines[i] = entry;
                replaced = true;
                break;
            }
            if (!Trim(ini.lines[i]).empty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced) {
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        }
    }

    const char* eol = ini.crlf ? "\r\n" : "\n";
    std::string text(ini.byteOrderMark ? Utf8ByteOrderMark : std::string_view());
    for (const auto& line : ini.lines) {
        text += line;
        text += eol;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!WriteFileAtomically(fileName_.string(), {data, text.size()}).ok) {
        throw SettingsWriteError(fileName_);
    }
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace zk::files
