#include "files/LevelFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "files/AtomicFile.h"
#include "files/UserDirectories.h"

namespace zk::files {

std::vector<LevelRecord> ParseLevelRecords(std::span<const std::uint8_t> bytes) {
    const std::size_t complete = std::min<std::size_t>(bytes.size() / LevelRecordSize, MaxLevels);
    std::vector<LevelRecord> levels(complete);
    for (std::size_t k = 0; k < complete; ++k) {
        std::memcpy(levels[k].data(), bytes.data() + k * LevelRecordSize, LevelRecordSize);
    }
    return levels;
}

std::vector<std::uint8_t> LevelFileBytes(const std::vector<LevelRecord>& levels) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(levels.size() * LevelRecordSize);
    for (const auto& level : levels) {
        bytes.insert(bytes.end(), level.begin(), level.end());
    }
    return bytes;
}

LevelFileContents ReadLevelFile(const std::filesystem::path& path) {
    LevelFileContents out;
    const ReadOutcome read = ReadFilePrefix(path.string(), LevelRecordSize * MaxLevels);
    out.levels = ParseLevelRecords(read.bytes);
    if (out.levels.empty()) {
        // The operating system's error number; a file that opened but is
        // too short to hold one level reports the classic read error 100.
        out.error = read.error != 0 ? read.error : ShortFileError;
    }
    return out;
}

std::optional<int> WriteLevelFile(const std::filesystem::path& path,
                                  const std::vector<LevelRecord>& levels) {
    const WriteOutcome written = WriteFileAtomically(path.string(), LevelFileBytes(levels));
    if (written.ok) {
        return std::nullopt;
    }
    // The record whose write failed; a failure after the last byte (the
    // flush or the rename) is charged to the last record, and a file that
    // could not be created at all to the first.
    const auto record = static_cast<int>(written.bytesWritten / LevelRecordSize) + 1;
    return std::clamp(record, 1, std::max(1, static_cast<int>(levels.size())));
}

LevelFileLocation LocateLevelFile(const std::filesystem::path& programDirectory) {
    const std::filesystem::path usual = programDirectory / LevelFileName;
    struct stat st {};
    if (::lstat(usual.c_str(), &st) == 0) {
        return {usual, "ZKLV.DAT", programDirectory};
    }
    // Another spelling of the name, as a copy from another system may have.
    std::string found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(programDirectory, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool sameName = std::equal(
            name.begin(), name.end(), std::begin(LevelFileName), std::end(LevelFileName) - 1,
            [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
        std::error_code typeError;
        if (sameName && it->is_regular_file(typeError) &&
            (found.empty() || name == "ZKLV.DAT" || (found != "ZKLV.DAT" && name < found))) {
            found = name;
        }
    }
    if (found.empty()) {
        return {usual, "ZKLV.DAT", programDirectory};
    }
    return {programDirectory / found, found, programDirectory};
}

std::filesystem::path PlayerLevelDirectory(const char* xdgDataHome, const char* home) {
    // Relative paths are not to be trusted: they would depend on where the
    // program was started.
    std::string base;
    if (xdgDataHome && xdgDataHome[0] == '/') {
        base = xdgDataHome;
    } else if (home && home[0] == '/') {
        base = std::string(home);
        base += base.back() == '/' ? ".local/share" : "/.local/share";
    } else {
        return {};
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base + "zanfor-kelva/";
}

bool DirectoryWritable(const std::filesystem::path& directory) {
    return ::access(directory.c_str(), W_OK | X_OK) == 0;
}

LevelFilePlaces LevelFilePlacesFor(const std::filesystem::path& programDirectory) {
    if (DirectoryWritable(programDirectory)) {
        return {programDirectory};
    }
    // A level file the player may write where it lies is written there in
    // place, as it always was.
    const std::filesystem::path here = LocateLevelFile(programDirectory).path;
    struct stat st {};
    if (::stat(here.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::access(here.c_str(), W_OK) == 0) {
        return {programDirectory};
    }
    std::filesystem::path player =
        PlayerLevelDirectory(std::getenv("XDG_DATA_HOME"), HomeDirectory().c_str());
    if (player.empty()) {
        return {programDirectory}; // nowhere else to keep it: a save reports its failure
    }
    return {programDirectory, std::move(player)};
}

namespace {

LevelFileLocation PlayersCopy(const std::filesystem::path& playerDirectory) {
    LevelFileLocation file = LocateLevelFile(playerDirectory);
    // Messages name the file itself, so that the player finds it.
    file.shownName = file.path.filename().string();
    file.playersOwn = true;
    return file;
}

} // namespace

void CreatePrivateDirectories(const std::filesystem::path& directory) {
    std::filesystem::path part;
    for (const std::filesystem::path& component : directory) {
        part /= component;
        if (component.empty() || part == part.root_path()) {
            continue;
        }
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return; // the write that follows reports the failure
        }
    }
}

LevelFileLocation LocateLevelFile(const LevelFilePlaces& places) {
    if (!places.playerDirectory.empty()) {
        LevelFileLocation own = PlayersCopy(places.playerDirectory);
        struct stat st {};
        if (::lstat(own.path.c_str(), &st) == 0) {
            return own;
        }
    }
    return LocateLevelFile(places.programDirectory);
}

LevelFileLocation LevelFileToWrite(const LevelFilePlaces& places) {
    if (!places.playerDirectory.empty()) {
        return PlayersCopy(places.playerDirectory);
    }
    return LocateLevelFile(places.programDirectory);
}

} // namespace zk::files
