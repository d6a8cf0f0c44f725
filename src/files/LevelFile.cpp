#include "files/LevelFile.h"

#include <algorithm>
#include <cstring>

#include "files/AtomicFile.h"

namespace zk::files {

LevelFileContents ReadLevelFile(const std::string& path) {
    LevelFileContents out;
    const ReadOutcome read = ReadFilePrefix(path, LevelRecordSize * MaxLevels);
    const std::size_t complete = read.bytes.size() / LevelRecordSize;
    out.levels.resize(complete);
    for (std::size_t k = 0; k < complete; ++k) {
        std::memcpy(out.levels[k].data(), read.bytes.data() + k * LevelRecordSize, LevelRecordSize);
    }
    if (complete == 0) {
        // The operating system's error number; a file that opened but is
        // too short to hold one level reports the classic read error 100.
        out.error = read.error != 0 ? read.error : ShortFileError;
    }
    return out;
}

std::optional<int> WriteLevelFile(const std::string& path, const std::vector<LevelRecord>& levels) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(levels.size() * LevelRecordSize);
    for (const auto& level : levels) {
        bytes.insert(bytes.end(), level.begin(), level.end());
    }
    const WriteOutcome written = WriteFileAtomically(path, bytes);
    if (written.ok) {
        return std::nullopt;
    }
    // The record whose write failed; a failure after the last byte (the
    // flush or the rename) is charged to the last record, and a file that
    // could not be created at all to the first.
    const auto record = static_cast<int>(written.bytesWritten / LevelRecordSize) + 1;
    return std::clamp(record, 1, std::max(1, static_cast<int>(levels.size())));
}

std::string LevelReadErrorText(Language language, int number, const std::string& programDirectory) {
    return std::string(Tr(language, "Dateifehler ", "Fileerror ")) + std::to_string(number) +
           Tr(language, " bei Datei ", " with file ") + programDirectory + "ZKLV.DAT.";
}

std::string LevelWriteErrorText(Language language, int failedRecord) {
    return std::string(Tr(language, "Datei ZKLV.DAT kann nicht angelegt werden.",
                          "Cannot create ZKLV.DAT.")) +
           " (" + std::to_string(failedRecord) + ")";
}

std::optional<std::string> LoadLevels(GameState& state, const std::string& programDirectory) {
    LevelFileContents contents = ReadLevelFile(programDirectory + LevelFileName);
    if (contents.levels.empty()) {
        state.levels.ReplaceLevels({LevelRecord{}});
        state.levels.SetCurrentLevel(1);
        return LevelReadErrorText(state.language, contents.error, programDirectory);
    }
    state.levels.ReplaceLevels(std::move(contents.levels));
    return std::nullopt;
}

std::optional<std::string> SaveLevels(GameState& state, const std::string& programDirectory) {
    if (state.boardState == EditingState) {
        state.levels.StoreBoard(state.board.cells);
    }
    const auto failed = WriteLevelFile(programDirectory + LevelFileName, state.levels.Levels());
    state.edited = false;
    if (failed) {
        return LevelWriteErrorText(state.language, *failed);
    }
    return std::nullopt;
}

} // namespace zk::files
