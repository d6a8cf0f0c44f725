#include "files/SavedGame.h"

#include <algorithm>
#include <string>

#include "files/AtomicFile.h"

namespace zk::files {

bool ReadSavedGame(const std::filesystem::path& path, SolvedFlags& flags) {
    const ReadOutcome read = ReadFilePrefix(path.string(), SavedGameSize);
    if (!read.opened || read.failed) {
        return false; // the flags stay as the caller cleared them
    }
    std::copy(read.bytes.begin(), read.bytes.end(), flags.begin());
    return true;
}

bool WriteSavedGame(const std::filesystem::path& path, const SolvedFlags& flags) {
    return WriteFileAtomically(path.string(), flags).ok;
}

std::filesystem::path WithSavedGameExtension(const std::filesystem::path& path) {
    // The rule's own: a name such as ".week" counts its dot, where the
    // library's extension would not.
    std::string name = path.filename().string();
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return path.parent_path() / (name + SavedGameExtension);
}

} // namespace zk::files
