// Shared by the fault-injection tests: a scoped write failure and a look at
// what a failed write may have left in a directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/AtomicFile.h"

// Every write fails once this many bytes have reached its temporary file,
// until the guard ends.
class FailWritesAfter {
public:
    explicit FailWritesAfter(std::size_t bytes) { zk::files::fault::FailWritesAfter(bytes); }
    ~FailWritesAfter() { zk::files::fault::FailWritesAfter(std::nullopt); }
    FailWritesAfter(const FailWritesAfter&) = delete;
    FailWritesAfter& operator=(const FailWritesAfter&) = delete;
};

// Temporary files of the atomic writer still lying in the directory.
inline std::vector<std::string> LeftoverTemporaries(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const auto name = entry.path().filename().string();
        if (name.rfind(".zk-", 0) == 0) {
            names.push_back(name);
        }
    }
    return names;
}
