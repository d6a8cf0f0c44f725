#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "TempDir.h"
#include "files/AtomicFile.h"

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
