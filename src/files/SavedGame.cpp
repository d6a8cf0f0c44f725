#include "files/SavedGame.h"

#include <algorithm>

#include "files/AtomicFile.h"
#include "model/Language.h"

namespace zk::files {

bool ReadSavedGame(const std::string& path, SolvedFlags& flags) {
    const ReadOutcome read = ReadFilePrefix(path, SavedGameSize);
    if (!read.opened || read.failed) {
        return false; // the flags stay as the caller cleared them
    }
    std::copy(read.bytes.begin(), read.bytes.end(), flags.begin());
    return true;
}

bool WriteSavedGame(const std::string& path, const SolvedFlags& flags) {
    return WriteFileAtomically(path, flags).ok;
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || directory.back() == '/') {
        return directory + name;
    }
    return directory + "/" + name;
}

std::string WithSavedGameExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto componentStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < componentStart) {
        return path + SavedGameExtension;
    }
    return path.substr(0, dot) + SavedGameExtension;
}

std::string GameLoadErrorText(Language language, const std::string& path) {
    return std::string(
               Tr(language, "Fehler beim Laden des Spiels ", "Error occured while loading file ")) +
           path + "!";
}

std::string GameExistsQuestionText(Language language, const std::string& name) {
    return std::string(Tr(language, "Spiel ", "Game ")) + name +
           Tr(language, " existiert bereits. Überschreiben?", " already existing. Overwrite?");
}

std::string GameSaveErrorText(Language language, const std::string& name) {
    return std::string(Tr(language, "Kann Spiel ", "Cannot save game ")) + name +
           Tr(language, " nicht speichern. Datenträger voll oder nicht beschreibbar.",
              ". Drive full or not writable.");
}

} // namespace zk::files
