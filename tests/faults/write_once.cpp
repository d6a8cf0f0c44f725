// The child process of the crash-point and writer tests: writes one file
// through the library, once or in a loop, and exits.
//
//   zk-write-once TARGET SIZE SEED [LOOPS [UID]]
//   zk-write-once --records TARGET
//   zk-write-once --records TARGET FIRST COUNT
//   zk-write-once --settings TARGET FIRST COUNT
//
// The content is SIZE bytes, byte i being SEED + 7i (mod 256). As the
// superuser with UID given, the process becomes that user first. The write
// itself stands between two calls of getppid(), so that a trace shows where
// it begins and ends. The exit status is the number of failed writes. The
// second form adds a solve of level 0x2a (code 1M-XF2-BAW, 17 moves, 1 hint,
// 2026-12-24) to the records file TARGET; the third adds solves of COUNT
// levels from FIRST on, one write each, and the fourth writes COUNT keys
// into the settings file TARGET, one write each.
#include <grp.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "files/Records.h"
#include "files/Settings.h"

int main(int argc, char* argv[]) {
    if (argc == 5 &&
        (std::string(argv[1]) == "--records" || std::string(argv[1]) == "--settings")) {
        // One write for each level's solve, or each key, as games make them.
        zk::files::SettingsStore store(argv[2]);
        const long first = std::strtol(argv[3], nullptr, 10);
        int failures = 0;
        for (long n = first; n < first + std::strtol(argv[4], nullptr, 10); ++n) {
            try {
                if (std::string(argv[1]) == "--settings") {
                    store.WriteInteger(zk::files::SettingsSection, "k" + std::to_string(n),
                                       static_cast<int>(n));
                } else {
                    const zk::files::Play play{
                        static_cast<std::uint64_t>(n), "", true, 5, 0, {2026, 12, 24}};
                    failures += zk::files::AddPlay(argv[2], play).ok ? 0 : 1;
                }
            } catch (const zk::files::SettingsWriteError&) {
                ++failures;
            }
        }
        return failures > 99 ? 99 : failures;
    }
    if (argc == 3 && std::string(argv[1]) == "--records") {
        const zk::files::Play play{0x2a, "1M-XF2-BAW", true, 17, 1, {2026, 12, 24}};
        ::getppid();
        const bool ok = zk::files::AddPlay(argv[2], play).ok;
        ::getppid();
        return ok ? 0 : 1;
    }
    if (argc < 4) {
        return 100;
    }
    const std::string target = argv[1];
    const auto size = static_cast<std::size_t>(std::strtoul(argv[2], nullptr, 10));
    const auto seed = static_cast<std::uint8_t>(std::strtoul(argv[3], nullptr, 10));
    const long loops = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 1;
    if (argc > 5 && ::geteuid() == 0) {
        const auto uid = static_cast<uid_t>(std::strtoul(argv[5], nullptr, 10));
        if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0) {
            return 101;
        }
    }
    std::vector<std::uint8_t> content(size);
    for (std::size_t i = 0; i < size; ++i) {
        content[i] = static_cast<std::uint8_t>(seed + 7 * i);
    }
    int failures = 0;
    ::getppid();
    for (long n = 0; n < loops; ++n) {
        failures += zk::files::WriteFileAtomically(target, content).ok ? 0 : 1;
    }
    ::getppid();
    return failures > 99 ? 99 : failures;
}
