// A write killed at each of its system calls in turn, by strace in a child
// process, on the path that renames a temporary file over the target and on
// the path that writes in place: a read through the library then gives the
// previous content or the new one, a reader without the writer's journal
// gets that or a failed read, and the start-up clean-up leaves nothing
// behind; the same for the records file, through its own write. Then two
// writers looping on one file: no failure, no torn read; and two games
// adding to the records and the settings at once: every addition kept.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "FaultSupport.h"
#include "TempDir.h"
#include "files/AtomicFile.h"
#include "files/Records.h"
#include "files/Settings.h"

using namespace zk::files;

namespace {

constexpr uid_t Nobody = 65534;

std::vector<std::uint8_t> Content(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
    }
    return bytes;
}

std::string FindProgram(const std::string& name) {
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
    for (std::string dir; std::getline(path, dir, ':');) {
        const std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

pid_t Start(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return child;
}

int Wait(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

struct Call {
    std::string name;
    int invocation; // among the calls of this name since the program started
};

// The system calls of the write in one traced run: those after the first
// getppid() mark, and the second mark itself, the instant after the write.
std::vector<Call> WritePathCalls(const std::string& strace, const std::vector<std::string>& writer,
                                 const std::string& log) {
    std::vector<std::string> args{strace, "-qq", "-o", log, "--"};
    args.insert(args.end(), writer.begin(), writer.end());
    Wait(Start(args));
    std::ifstream in(log);
    std::map<std::string, int> seen;
    std::vector<Call> calls;
    int marks = 0;
    for (std::string line; std::getline(in, line) && marks < 2;) {
        const auto paren = line.find('(');
        if (line.starts_with("+++") || line.starts_with("---") || paren == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(0, paren);
        const int invocation = ++seen[name];
        if (name == "getppid") {
            ++marks;
            if (marks == 1) {
                continue;
            }
        }
        if (marks >= 1) {
            calls.push_back({name, invocation});
        }
    }
    return calls;
}

// Runs the writer under strace, killed at the call.
int KilledAt(const std::string& strace, const Call& call, const std::vector<std::string>& writer) {
    std::vector<std::string> args{
        strace, "-qq",
        "-o",   "/dev/null",
        "-e",   "trace=" + call.name,
        "-e",   "inject=" + call.name + ":signal=KILL:when=" + std::to_string(call.invocation),
        "--"};
    args.insert(args.end(), writer.begin(), writer.end());
    return Wait(Start(args));
}

// A directory for the game's file, one for the writer's state and one for
// a reader who has none of it. As the superuser, the in-place writer is the
// user nobody, for whom the game's directory cannot be written.
struct Scene {
    explicit Scene(bool inPlace) {
        std::filesystem::create_directories(game);
        std::filesystem::create_directories(state);
        std::filesystem::create_directories(elsewhere);
        ::chmod(dir.Dir().c_str(), 0755);
        TempDir::Write(target, Old);
        if (inPlace) {
            ::chmod(target.c_str(), 0666);
            ::chmod(game.c_str(), 0555);
            if (::geteuid() == 0) {
                ::chown(state.c_str(), Nobody, Nobody);
                asUser = {std::to_string(Nobody)};
            }
        }
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    }
    ~Scene() {
        ::chmod(game.c_str(), 0755);
        ::unsetenv("XDG_STATE_HOME");
    }
    std::vector<std::string> Writer(std::size_t size, int seed, int loops) const {
        std::vector<std::string> args{ZK_WRITE_ONCE, target, std::to_string(size),
                                      std::to_string(seed), std::to_string(loops)};
        args.insert(args.end(), asUser.begin(), asUser.end());
        return args;
    }
    std::size_t FilesIn(const std::string& directory) const {
        std::size_t n = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
            n += entry.is_regular_file() ? 1 : 0;
        }
        return n;
    }
    ReadOutcome ReadAs(const std::string& stateHome) const {
        ::setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
        ReadOutcome read = ReadFilePrefix(target, 1 << 20);
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        return read;
    }

    inline static const std::vector<std::uint8_t> Old = Content(40 * 63, 3);
    TempDir dir;
    std::string game = dir.File("game");
    std::string state = dir.File("state");
    std::string elsewhere = dir.File("elsewhere");
    std::string target = game + "/zklv.dat";
    std::vector<std::string> asUser;
};

} // namespace

TEST(CrashPoints, AKillAtAnySystemCallOfAWriteLeavesTheOldContentOrTheNew) {
    const std::string strace = FindProgram("strace");
    ASSERT_FALSE(strace.empty()) << "strace is missing: scripts/install-deps installs it";
    const auto fresh = Content(30 * 63, 100);
    for (const bool inPlace : {false, true}) {
        const Scene scene(inPlace);
        const char* what = inPlace ? "in place" : "renamed";
        const auto writer = scene.Writer(fresh.size(), 100, 1);
        const auto calls = WritePathCalls(strace, writer, scene.dir.File("trace"));
        ASSERT_EQ(TempDir::Read(scene.target), fresh) << what << ": the traced write";
        ASSERT_GT(calls.size(), 5u) << what;
        for (const auto& call : calls) {
            TempDir::Write(scene.target, Scene::Old);
            const auto at = std::string(what) + ", killed at " + call.name + " #" +
                            std::to_string(call.invocation);
            const int status = KilledAt(strace, call, writer);
            ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 128 + SIGKILL) << at;

            const ReadOutcome other = scene.ReadAs(scene.elsewhere);
            EXPECT_TRUE(other.bytes == Scene::Old || other.bytes == fresh ||
                        (other.failed && other.bytes.empty()))
                << at << ": a reader without the journal read " << other.bytes.size() << " bytes";
            const ReadOutcome own = ReadFilePrefix(scene.target, 1 << 20);
            EXPECT_FALSE(own.failed) << at;
            EXPECT_TRUE(own.bytes == Scene::Old || own.bytes == fresh)
                << at << ": read " << own.bytes.size() << " bytes";
            EXPECT_EQ(scene.ReadAs(scene.elsewhere).bytes, own.bytes)
                << at << ": settled for every reader";

            CleanUpInterruptedWrites({scene.target});
            EXPECT_EQ(scene.FilesIn(scene.game), 1u) << at << ": left behind";
            EXPECT_EQ(scene.FilesIn(scene.state), 0u) << at << ": journal left behind";
        }
    }
}

// The records file: a play added and killed at any call leaves the records
// as they were or with the play, every line read, and nothing behind.
TEST(CrashPoints, AKillDuringARecordsWriteLeavesTheRecordsBeforeOrAfter) {
    const std::string strace = FindProgram("strace");
    ASSERT_FALSE(strace.empty()) << "strace is missing: scripts/install-deps installs it";
    TempDir dir;
    ::setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    const std::string path = dir.File("data/zanfor-kelva/records");
    for (std::uint64_t level = 1; level <= 40; ++level) {
        ASSERT_TRUE(
            AddPlay(path,
                    {level, "", level % 3 != 0, 10 + static_cast<int>(level), 0, {2026, 12, 1}})
                .ok);
    }
    const auto old = TempDir::Read(path);
    const Records before = ReadRecords(path).records;
    const std::vector<std::string> writer{ZK_WRITE_ONCE, "--records", path};
    const auto calls = WritePathCalls(strace, writer, dir.File("trace"));
    const Records after = ReadRecords(path).records;
    ASSERT_EQ(after.levels.size(), before.levels.size() + 1);
    ASSERT_GT(calls.size(), 5u);
    for (const auto& call : calls) {
        TempDir::Write(path, old);
        const auto at = "killed at " + call.name + " #" + std::to_string(call.invocation);
        const int status = KilledAt(strace, call, writer);
        ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 128 + SIGKILL) << at;
        const RecordsRead read = ReadRecords(path);
        ASSERT_TRUE(read.ok) << at;
        EXPECT_TRUE(read.records.unread.empty()) << at;
        EXPECT_TRUE(read.records.levels == before.levels || read.records.levels == after.levels)
            << at << ": " << read.records.levels.size() << " levels";
        CleanUpInterruptedWrites({path});
        std::size_t files = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(dir.File("data/zanfor-kelva"))) {
            files += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(files, 1u) << at << ": left behind";
    }
    ::unsetenv("XDG_STATE_HOME");
}

TEST(Writers, TwoWritersLoopingOnOneFileNeverFailAndNoReadIsTorn) {
    const auto first = Content(30 * 63, 5);
    const auto second = Content(35 * 63, 77);
    for (const bool inPlace : {false, true}) {
        const Scene scene(inPlace);
        const char* what = inPlace ? "in place" : "renamed";
        // A write in place flushes five times: fewer of them take as long.
        const int loops = inPlace ? 50 : 150;
        const pid_t a = Start(scene.Writer(first.size(), 5, loops));
        const pid_t b = Start(scene.Writer(second.size(), 77, loops));
        int statusA = -1;
        int statusB = -1;
        int reads = 0;
        int torn = 0;
        while (statusA == -1 || statusB == -1) {
            for (auto [pid, status] : {std::pair{a, &statusA}, std::pair{b, &statusB}}) {
                if (*status == -1 && ::waitpid(pid, status, WNOHANG) == 0) {
                    *status = -1;
                }
            }
            const ReadOutcome read = ReadFilePrefix(scene.target, 1 << 20);
            ++reads;
            if (read.failed ||
                (read.bytes != Scene::Old && read.bytes != first && read.bytes != second)) {
                ++torn;
            }
        }
        EXPECT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0)
            << what << ": the first writer's failures: " << WEXITSTATUS(statusA);
        EXPECT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0)
            << what << ": the second writer's failures: " << WEXITSTATUS(statusB);
        EXPECT_EQ(torn, 0) << what << " of " << reads << " reads";
        const auto last = TempDir::Read(scene.target);
        EXPECT_TRUE(last == first || last == second) << what;
        EXPECT_EQ(scene.FilesIn(scene.game), 1u) << what;
    }
}

// Two games adding plays to the records, or keys to the settings, at the
// same moment: each reads the file, adds its own and writes it whole, and
// neither undoes what the other added meanwhile.
TEST(Writers, TwoGamesAddingToOneFileAtOnceKeepEveryAddition) {
    TempDir dir;
    ::setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    constexpr int Count = 120;
    for (const std::string kind : {"--records", "--settings"}) {
        const std::string path = dir.File(kind.substr(2));
        const pid_t a = Start({ZK_WRITE_ONCE, kind, path, "1000", std::to_string(Count)});
        const pid_t b = Start({ZK_WRITE_ONCE, kind, path, "5000", std::to_string(Count)});
        for (const pid_t writer : {a, b}) {
            const int status = Wait(writer);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kind;
        }
        std::size_t kept = 0;
        if (kind == "--records") {
            kept = ReadRecords(path).records.levels.size();
        } else {
            const SettingsStore store(path);
            for (const int first : {1000, 5000}) {
                for (int key = first; key < first + Count; ++key) {
                    kept += store.ReadInteger(SettingsSection, "k" + std::to_string(key), 0) == key;
                }
            }
        }
        EXPECT_EQ(kept, 2u * Count) << kind;
    }
    ::unsetenv("XDG_STATE_HOME");
}
