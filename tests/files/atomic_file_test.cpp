#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "TempDir.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"

using namespace zk::files;

namespace {
struct FaultGuard {
    explicit FaultGuard(std::size_t k) { fault::FailWritesAfter(k); }
    ~FaultGuard() { fault::FailWritesAfter(std::nullopt); }
};

std::size_t EntriesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}
} // namespace

TEST(AtomicWrite, FailureAfterEveryByteKeepsThePreviousFile) {
    TempDir dir;
    const auto path = dir.File("data.bin");
    const std::vector<std::uint8_t> old{1, 2, 3, 4, 5};
    TempDir::Write(path, old);
    const std::vector<std::uint8_t> fresh(40, 9);
    for (std::size_t k = 0; k < fresh.size(); ++k) {
        FaultGuard fault(k);
        const auto outcome = WriteFileAtomically(path, fresh);
        EXPECT_FALSE(outcome.ok) << k;
        EXPECT_EQ(outcome.bytesWritten, k);
        EXPECT_EQ(TempDir::Read(path), old) << k;
        EXPECT_EQ(EntriesIn(dir.Dir()), 1u) << "temporary file left behind at " << k;
    }
    ASSERT_TRUE(WriteFileAtomically(path, fresh).ok);
    EXPECT_EQ(TempDir::Read(path), fresh);
}

TEST(AtomicWrite, RefusesWriteProtectedFilesDirectoriesAndMissingDirectories) {
    TempDir dir;
    const auto path = dir.File("locked.ini");
    TempDir::WriteText(path, "keep");
    ::chmod(path.c_str(), 0444);
    const std::vector<std::uint8_t> data{1};
    EXPECT_FALSE(WriteFileAtomically(path, data).ok);
    EXPECT_EQ(TempDir::ReadText(path), "keep");

    EXPECT_FALSE(WriteFileAtomically(dir.Dir(), data).ok);
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/dir/file"), data).ok);
}

TEST(AtomicWrite, KeepsModeAndFollowsSymbolicLinks) {
    TempDir dir;
    const auto real = dir.File("real.dat");
    TempDir::WriteText(real, "old");
    ::chmod(real.c_str(), 0600);
    const auto link = dir.File("link.dat");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    const std::vector<std::uint8_t> data{'n', 'e', 'w'};
    ASSERT_TRUE(WriteFileAtomically(link, data).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::ReadText(real), "new");
    struct stat st {};
    ::stat(real.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(BoundedRead, ReadsOnlyRegularFilesAndOnlyUpToTheLimit) {
    TempDir dir;
    const auto path = dir.File("big");
    TempDir::Write(path, std::vector<std::uint8_t>(1000, 7));
    auto read = ReadFilePrefix(path, 100);
    EXPECT_TRUE(read.opened);
    EXPECT_FALSE(read.failed);
    EXPECT_EQ(read.bytes.size(), 100u);

    read = ReadFilePrefix(dir.File("missing"), 100);
    EXPECT_FALSE(read.opened);
    EXPECT_EQ(read.error, ENOENT);

    read = ReadFilePrefix(dir.Dir(), 100);
    EXPECT_FALSE(read.opened);

    const auto fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    read = ReadFilePrefix(fifo, 100); // must not block
    EXPECT_FALSE(read.opened);
    EXPECT_FALSE(FileExists(fifo));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FileExists(path));
}

namespace {

// Runs `body` as a user other than the owner of the files the test made:
// as root, in a child process that has become nobody; otherwise in this
// process (files the test made are then the user's own). The body's result
// is 0 for success, anything else names the first failed check.
int AsAnotherUser(const std::function<int()>& body) {
    if (::geteuid() != 0) {
        return body();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(90);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

const std::vector<std::uint8_t> Fresh{'n', 'e', 'w'};

} // namespace

TEST(AtomicWrite, NewFilesTakeTheUmaskAndReplacedFilesKeepTheirMode) {
    TempDir dir;
    const mode_t saved = ::umask(077);
    ASSERT_TRUE(WriteFileAtomically(dir.File("private.zkv"), Fresh).ok);
    ::umask(002);
    ASSERT_TRUE(WriteFileAtomically(dir.File("shared.zkv"), Fresh).ok);
    ::umask(saved);
    EXPECT_EQ(ModeOf(dir.File("private.zkv")), 0600u);
    EXPECT_EQ(ModeOf(dir.File("shared.zkv")), 0664u);

    ::chmod(dir.File("shared.zkv").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(dir.File("shared.zkv"), Fresh).ok);
    EXPECT_EQ(ModeOf(dir.File("shared.zkv")), 0640u);
}

TEST(AtomicWrite, AFileTheUserCannotWriteInPlaceIsNeverReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a file of another user: run as root";
    }
    TempDir dir;
    ::chmod(dir.Dir().c_str(), 0777); // anyone may create and rename here
    const auto theirs = dir.File("theirs.zkv");
    TempDir::WriteText(theirs, "keep");
    ::chmod(theirs.c_str(), 0644);
    const int result = AsAnotherUser([&] {
        const auto outcome = WriteFileAtomically(theirs, Fresh);
        if (outcome.ok || outcome.error != EACCES) {
            return 1;
        }
        // Their own file beside it is written as usual.
        return WriteFileAtomically(dir.File("mine.zkv"), Fresh).ok ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TempDir::ReadText(theirs), "keep");
    struct stat st {};
    ::stat(theirs.c_str(), &st);
    EXPECT_EQ(st.st_uid, 0u) << "the file changed owner";
    EXPECT_EQ(TempDir::ReadText(dir.File("mine.zkv")), "new");
}

// The player's state directory, where writes in place keep their journal,
// in a temporary directory any user may write to.
struct StateHome {
    StateHome() {
        ::chmod(dir.Dir().c_str(), 0777);
        ::setenv("XDG_STATE_HOME", dir.Dir().c_str(), 1);
    }
    ~StateHome() { ::unsetenv("XDG_STATE_HOME"); }
    TempDir dir;
};

TEST(AtomicWrite, AnotherUsersFileKeepsItsOwnerAndModeAndIsWrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a file of another user: run as root";
    }
    const StateHome state;
    // A directory anyone may write to, and one where only owners may
    // replace their files (sticky, as /tmp).
    for (const mode_t directoryMode : {0777, 01777}) {
        TempDir dir;
        ::chmod(dir.Dir().c_str(), directoryMode);
        const auto theirs = dir.File("theirs.zkv");
        TempDir::WriteText(theirs, "old content");
        ::chmod(theirs.c_str(), 0666);
        struct stat before {};
        ::stat(theirs.c_str(), &before);
        const int result =
            AsAnotherUser([&] { return WriteFileAtomically(theirs, Fresh).ok ? 0 : 1; });
        EXPECT_EQ(result, 0) << std::oct << directoryMode;
        struct stat after {};
        ::stat(theirs.c_str(), &after);
        EXPECT_EQ(after.st_uid, before.st_uid) << "the file changed hands";
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode & 07777, 0666u);
        EXPECT_EQ(TempDir::ReadText(theirs), "new");
        EXPECT_EQ(EntriesIn(dir.Dir()), 1u);
    }
}

TEST(AtomicWrite, AReadOnlyDirectoryWithAWritableFileIsWrittenInPlace) {
    const StateHome state;
    TempDir dir;
    const auto path = dir.File("week.zkv");
    TempDir::WriteText(path, "old content");
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.Dir().c_str(), 0555);
    const int result = AsAnotherUser([&] {
        // A write failing part-way puts the previous content back.
        for (std::size_t k = 0; k < Fresh.size(); ++k) {
            fault::FailWritesAfter(k);
            const auto failed = WriteFileAtomically(path, Fresh);
            fault::FailWritesAfter(std::nullopt);
            if (failed.ok || failed.bytesWritten != k || TempDir::ReadText(path) != "old content") {
                return 1;
            }
        }
        if (!WriteFileAtomically(path, Fresh).ok) {
            return 2;
        }
        // A new file cannot be made here at all.
        return WriteFileAtomically(dir.File("other.zkv"), Fresh).ok ? 3 : 0;
    });
    ::chmod(dir.Dir().c_str(), 0755);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TempDir::ReadText(path), "new");
    EXPECT_EQ(EntriesIn(dir.Dir()), 1u);
}

TEST(AtomicWrite, LinksAreWrittenThroughAndAMissingTargetIsCreated) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    // settings.ini -> hop -> real/settings.ini, which does not exist yet.
    ASSERT_EQ(::symlink("real/settings.ini", dir.File("hop").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("hop").c_str(), dir.File("settings.ini").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("settings.ini"), Fresh).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("settings.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("hop")));
    EXPECT_EQ(TempDir::ReadText(dir.File("real/settings.ini")), "new");
    EXPECT_EQ(EntriesIn(dir.File("real")), 1u);

    ASSERT_EQ(::symlink("loop-b", dir.File("loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", dir.File("loop-b").c_str()), 0);
    const auto loop = WriteFileAtomically(dir.File("loop-a"), Fresh);
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.error, ELOOP);
}

TEST(AtomicWrite, StaleTemporariesOfTheSameTargetAreRemoved) {
    TempDir dir;
    const auto prefix = TemporaryPrefixFor("zklv.dat");
    EXPECT_EQ(prefix, ".zk-zklv.dat.");
    // Left by a crash during an earlier save, by a save of another file, and
    // by a save still running (it holds its lock).
    TempDir::WriteText(dir.File(prefix + "Ab12Cd"), "stale");
    TempDir::WriteText(dir.File(TemporaryPrefixFor("week.zkv") + "Ab12Cd"), "other file");
    const auto running = dir.File(prefix + "Xy34Zw");
    TempDir::WriteText(running, "running");
    const int lock = ::open(running.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    // At start-up, before any write: the stale ones of the files named go.
    CleanUpInterruptedWrites({dir.File("zklv.dat"), dir.File("missing/week.zkv")});
    EXPECT_FALSE(std::filesystem::exists(dir.File(prefix + "Ab12Cd")));
    EXPECT_TRUE(std::filesystem::exists(dir.File(TemporaryPrefixFor("week.zkv") + "Ab12Cd")));
    EXPECT_TRUE(std::filesystem::exists(running));

    TempDir::WriteText(dir.File(prefix + "Ef56Gh"), "stale");
    ASSERT_TRUE(WriteFileAtomically(dir.File("zklv.dat"), Fresh).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.File(prefix + "Ef56Gh")));
    EXPECT_TRUE(std::filesystem::exists(running));
    ::close(lock);
    EXPECT_EQ(EntriesIn(dir.Dir()), 3u);
    // A long name still leaves room for the six characters.
    EXPECT_LE(TemporaryPrefixFor(std::string(255, 'n')).size() + 6, 255u);
}

// Without HOME, a player who may not write the program's level file keeps a
// copy under the home the password database gives, not under /.local/share.
TEST(PlayersLevelFile, WithoutHomeLiesUnderThePasswordDatabasesHome) {
    TempDir dir;
    TempDir::Write(dir.File("zklv.dat"), Fresh);
    ::chmod(dir.File("zklv.dat").c_str(), 0444);
    ::chmod(dir.Dir().c_str(), 0555);
    const char* home = std::getenv("HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = home ? home : "";
    const std::string savedData = data ? data : "";
    const int result = AsAnotherUser([&] {
        ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        const passwd* entry = ::getpwuid(::geteuid());
        const std::string own = entry ? entry->pw_dir : "?";
        const std::string player = LevelFilePlacesFor(dir.Dir()).playerDirectory.string();
        return player == own + (own.back() == '/' ? "" : "/") + ".local/share/zanfor-kelva/" ? 0
                                                                                             : 1;
    });
    if (home) {
        ::setenv("HOME", savedHome.c_str(), 1);
    }
    if (data) {
        ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    }
    ::chmod(dir.Dir().c_str(), 0755);
    EXPECT_EQ(result, 0);
}
