#include "framework/AtomicFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>

static bool preadFails = false;

// The program's own calls to pread end here first: a test can make the disk fail under them.
extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    using Pread = ssize_t (*)(int, void*, size_t, off_t);
    static const auto real = reinterpret_cast<Pread>(dlsym(RTLD_NEXT, "pread"));
    if (preadFails) {
        errno = EIO;
        return -1;
    }
    return real(fd, buffer, count, offset);
}

namespace {

// A program started with its standard input closed gets descriptor 0 for its first file.
TEST(Files, DescriptorZeroIsAFileLikeAnyOther) {
    const testsupport::TempFolder folder;
    const int savedInput = ::dup(STDIN_FILENO);
    ::close(STDIN_FILENO);
    const bool appended = AppendLineDurably(folder.File("history.jsonl"), "one\n");
    const bool replaced = ReplaceFileAtomically(folder.File("Brimlet.ini"), "two");
    const FileContent read = ReadWholeFile(folder.File("Brimlet.ini"));
    ::dup2(savedInput, STDIN_FILENO);
    ::close(savedInput);
    EXPECT_TRUE(appended && replaced);
    EXPECT_EQ(folder.Read("history.jsonl"), "one\n");
    EXPECT_EQ(read.bytes, "two");
}

// When the last byte cannot be read, whether it ends a line is unknown: nothing is appended
// rather than risk joining a record to a torn one.
TEST(Files, AppendRefusedWhenTheLastByteCannotBeRead) {
    const testsupport::TempFolder folder;
    folder.Write("history.jsonl", "one\n");
    preadFails = true;
    const bool appended = AppendLineDurably(folder.File("history.jsonl"), "two\n");
    preadFails = false;
    EXPECT_FALSE(appended);
    EXPECT_EQ(folder.Read("history.jsonl"), "one\n");
}

} // namespace
