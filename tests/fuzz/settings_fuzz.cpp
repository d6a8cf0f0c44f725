// The settings file: any text. The input up to its first NUL byte is the
// file; the rest (or, without a NUL, the whole input) is a value to write.
// Every read keeps to its limits and agrees with the others; a written value
// reads back as stored (cut at a line break and at 1023 characters) and
// leaves every other key as it was.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "files/Settings.h"

using namespace zk;

namespace {

constexpr std::string_view Section = files::SettingsSection;

constexpr std::array<std::string_view, 4> Sections = {Section, "zanfor kelva", "Other", ""};
constexpr std::array<std::string_view, 10> Keys = {"level",   "tongue", "mode", "save", "SAVE",
                                                   " level ", "",       "=",    "[",    "Save\r"};

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

// Longer than any value a read gives, so it tells a missing key apart.
const std::string& Missing() {
    static const std::string text(files::MaxSettingsValue + 1, '?');
    return text;
}

// What a profile read gives for a stored value: blanks around it dropped,
// one pair of matching quotes taken off, then at most 1023 characters.
std::string AsRead(std::string_view written) {
    written = written.substr(0, written.find_first_of("\r\n"));
    while (!written.empty() && (written.front() == ' ' || written.front() == '\t')) {
        written.remove_prefix(1);
    }
    while (!written.empty() && (written.back() == ' ' || written.back() == '\t')) {
        written.remove_suffix(1);
    }
    if (written.size() >= 2 && (written.front() == '"' || written.front() == '\'') &&
        written.back() == written.front()) {
        written = written.substr(1, written.size() - 2);
    }
    return std::string(written.substr(0, files::MaxSettingsValue));
}

struct Probe {
    std::string_view section;
    std::string_view key;
    std::string text;
    int number;
};

std::vector<Probe> ReadAll(const files::SettingsStore& store) {
    std::vector<Probe> probes;
    for (const auto section : Sections) {
        for (const auto key : Keys) {
            Probe p{section, key, store.ReadString(section, key, Missing()),
                    store.ReadInteger(section, key, -77)};
            ZK_REQUIRE(p.text == Missing() || p.text.size() <= files::MaxSettingsValue);
            if (p.text == Missing()) {
                ZK_REQUIRE(p.number == -77);
            } else if (p.text.size() < files::MaxSettingsValue) {
                ZK_REQUIRE(p.number == files::ParseProfileInteger(p.text, -77));
            }
            probes.push_back(std::move(p));
        }
    }
    return probes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    const std::string_view fileText = input.substr(0, nul);
    const std::string_view value = nul == std::string_view::npos ? input : input.substr(nul + 1);

    (void)files::ParseProfileInteger(input, 0);
    (void)files::ParseProfileInteger(value, 0);

    const auto& scratch = fuzz::Scratch();
    const std::string path = scratch.Put(files::SettingsFileName, data, fileText.size());
    files::SettingsStore store(path);
    const std::vector<Probe> before = ReadAll(store);

    try {
        store.WriteString(Section, "save", value);
    } catch (const files::SettingsWriteError&) {
        ZK_REQUIRE(!"a small settings file could not be rewritten");
    }
    ZK_REQUIRE(store.ReadString(Section, "save", Missing()) == AsRead(value));
    const std::vector<Probe> after = ReadAll(store);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const Probe& b = before[i];
        const Probe& a = after[i];
        if (SameName(b.section, Section) && SameName(b.key, "save")) {
            continue;
        }
        ZK_REQUIRE(a.text == b.text);
        ZK_REQUIRE(a.number == b.number);
    }

    // Any integer written reads back as itself.
    int number = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 4); ++i) {
        number = static_cast<int>(static_cast<unsigned>(number) << 8 | data[i]);
    }
    try {
        store.WriteInteger(Section, "level", number);
        store.WriteBool(Section, "sound", size % 2 == 0);
    } catch (const files::SettingsWriteError&) {
        ZK_REQUIRE(!"a small settings file could not be rewritten");
    }
    ZK_REQUIRE(store.ReadInteger(Section, "level", number ^ 1) == number);
    ZK_REQUIRE(store.ReadInteger(Section, "sound", 7) == (size % 2 == 0 ? 1 : 0));
    ZK_REQUIRE(store.ReadString(Section, "save", Missing()) == AsRead(value));
    return 0;
}
