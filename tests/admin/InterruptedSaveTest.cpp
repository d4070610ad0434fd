#include "admin/PasswordStore.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kOldSettings = "[PORT]\r\n"
                                 "Number=7\r\n"
                                 "[CONFIG]\r\n"
                                 "A=AFAEE11809A05232\r\n"
                                 "B=9F9839FC2ACB378C\r\n";

// Runs a save in a child process that the kernel stops with SIGXFSZ as soon as
// it writes past `fileSizeLimit` bytes into any file: the save dies while
// writing, before it could put a new file in place.
int SaveKilledAfterWriting(rlim_t fileSizeLimit) {
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        SaveAdminPasswords("1234567890ABCDEF", "12AB");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

class InterruptedSave : public testing::TestWithParam<rlim_t> {};

TEST_P(InterruptedSave, LeavesTheOldFileWhole) {
    TempSettingsFile settings;
    settings.Write(kOldSettings);
    ASSERT_EQ(SaveKilledAfterWriting(GetParam()), SIGXFSZ);
    EXPECT_EQ(settings.Read(), kOldSettings);
    EXPECT_TRUE(IsAdminPasswordCorrect("12AB", "A", kLoginReadSize));
    EXPECT_TRUE(IsAdminPasswordCorrect("", "B", kLoginReadSize));
}

// The new file is as long as the old one (68 bytes): killed at its start, middle and end.
INSTANTIATE_TEST_SUITE_P(FileSizeLimits, InterruptedSave, testing::Values(1, 20, 60));

TEST(InterruptedSave, ChildWithoutLimitCompletesTheSave) {
    TempSettingsFile settings;
    settings.Write(kOldSettings);
    ASSERT_EQ(SaveKilledAfterWriting(RLIM_INFINITY), 0);
    EXPECT_TRUE(IsAdminPasswordCorrect("1234567890ABCDEF", "A", kLoginReadSize));
    EXPECT_TRUE(IsAdminPasswordCorrect("12AB", "B", kLoginReadSize));
}

} // namespace
