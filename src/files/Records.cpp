#include "files/Records.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "files/AtomicFile.h"
#include "files/AtomicFileSupport.h"
#include "files/UserDirectories.h"

namespace zk::files {

namespace {

constexpr std::string_view Header = "zanfor-kelva records 1";
constexpr std::size_t ReadLimit = 16u << 20;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
            ++at;
        }
        const std::size_t end = line.find_first_of(" \t", at);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > at) {
            fields.push_back(line.substr(at, stop - at));
        }
        at = stop;
    }
    return fields;
}

// A count 0..1,000,000, or -1 for "-"; none for anything else.
std::optional<int> Count(std::string_view text) {
    if (text == "-") {
        return -1;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 1'000'000) {
        return std::nullopt;
    }
    return value;
}

// One level's line; none when it is not one this version writes.
std::optional<std::pair<std::uint64_t, PlayRecord>> ParseLine(std::string_view line) {
    const auto f = Fields(line);
    if (f.size() != 6 || f[0].size() != 16) {
        return std::nullopt;
    }
    std::uint64_t hash = 0;
    const auto [end, ec] = std::from_chars(f[0].data(), f[0].data() + 16, hash, 16);
    if (ec != std::errc() || end != f[0].data() + 16 || f[0].find_first_of("ABCDEF") != f[0].npos) {
        return std::nullopt;
    }
    PlayRecord r;
    if (f[1] != "solved" && f[1] != "played") {
        return std::nullopt;
    }
    r.solved = f[1] == "solved";
    const auto moves = Count(f[2]);
    const auto hints = Count(f[3]);
    if (!moves || !hints) {
        return std::nullopt;
    }
    r.fewestMoves = *moves;
    r.fewestHints = *hints;
    if (f[4] != "-") {
        r.firstSolve = ParseDate(f[4]);
        if (!r.firstSolve) {
            return std::nullopt;
        }
    }
    // A solved level has all three; a level only played has none.
    const bool counted = r.fewestMoves >= 0 && r.fewestHints >= 0 && r.firstSolve;
    const bool blank = r.fewestMoves < 0 && r.fewestHints < 0 && !r.firstSolve;
    if (r.solved ? !counted : !blank) {
        return std::nullopt;
    }
    if (f[5] != "-") {
        if (!ReadLevelCode(f[5]).code) {
            return std::nullopt;
        }
        r.code = std::string(f[5]);
    }
    return std::make_pair(hash, r);
}

std::string CountText(int n) {
    return n < 0 ? "-" : std::to_string(n);
}

} // namespace

std::string DataDirectory() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
        std::string dir = data;
        return dir + (dir.back() == '/' ? "" : "/") + "zanfor-kelva/";
    }
    std::string home = HomeDirectory();
    if (home.empty()) {
        return {};
    }
    return home + (home.back() == '/' ? "" : "/") + ".local/share/zanfor-kelva/";
}

std::string RecordsPath() {
    const std::string dir = DataDirectory();
    return dir.empty() ? std::string() : dir + "records";
}

Records ParseRecords(std::string_view text) {
    Records records;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        std::string_view line =
            text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == '#' || line == Header) {
            continue;
        }
        const auto parsed = ParseLine(line);
        if (parsed && records.levels.emplace(parsed->first, parsed->second).second) {
            continue;
        }
        records.unread.emplace_back(line);
    }
    return records;
}

std::string FormatRecords(const Records& records) {
    std::string text =
        std::string(Header) + "\n# level        state   moves hints first-solve code\n";
    for (const auto& [hash, r] : records.levels) {
        char key[17];
        std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
        text += std::string(key) + (r.solved ? " solved " : " played ") + CountText(r.fewestMoves) +
                " " + CountText(r.fewestHints) + " " +
                (r.firstSolve ? FormatDate(*r.firstSolve) : "-") + " " +
                (r.code.empty() ? "-" : r.code) + "\n";
    }
    for (const auto& line : records.unread) {
        text += line + "\n";
    }
    return text;
}

RecordsRead ReadRecords(const std::string& path) {
    RecordsRead out;
    const ReadOutcome read = ReadFilePrefix(path, ReadLimit);
    if (!read.opened && (!read.failed || read.error == ENOENT)) {
        return out; // no file yet
    }
    if (read.failed || read.bytes.size() >= ReadLimit) {
        out.ok = false;
        out.error = read.failed ? (read.error != 0 ? read.error : EIO) : EFBIG;
        return out;
    }
    out.records = ParseRecords(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
    return out;
}

PlayRecord WithPlay(const PlayRecord& before, const Play& play) {
    PlayRecord r = before;
    if (!play.code.empty()) {
        r.code = play.code;
    }
    if (!play.solved) {
        return r;
    }
    const auto fewer = [](int old, int now) { return old < 0 ? now : std::min(old, now); };
    r.fewestMoves = fewer(r.fewestMoves, play.moves);
    r.fewestHints = fewer(r.fewestHints, play.hints);
    if (!r.solved) {
        r.firstSolve = play.day;
    }
    r.solved = true;
    return r;
}

RecordsWrite AddPlay(const std::string& path, const Play& play) {
    RecordsWrite out;
    if (path.empty()) {
        out.error = ENOENT;
        return out;
    }
    const auto slash = path.rfind('/');
    errno = 0;
    if (slash != std::string::npos && slash > 0 &&
        !detail::CreatePrivateDirectories(path.substr(0, slash + 1))) {
        out.error = errno != 0 ? errno : ENOENT;
        return out;
    }
    // Another game's play added meanwhile stays.
    const ChangeLock lock(path);
    RecordsRead read = ReadRecords(path);
    if (!read.ok) {
        out.error = read.error;
        return out;
    }
    PlayRecord& record = read.records.levels[play.level];
    record = WithPlay(record, play);
    out.record = record;
    const std::string text = FormatRecords(read.records);
    const WriteOutcome written = WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    out.ok = written.ok;
    out.error = written.error;
    return out;
}

} // namespace zk::files
