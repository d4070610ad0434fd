#include "admin/PasswordChangeFlow.h"
#include "admin/PasswordStore.h"
#include "framework/ProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <vector>

namespace {

struct ScriptedAdmin : AdminDialogs {
    LoginAnswer ShowLogin() override { return {true, "1111", "2222"}; }
    ChangeAnswer ShowSetAdmin1() override { return {true, "3333"}; }
    ChangeAnswer ShowSetAdmin2() override { return {true, "4444"}; }
};

// No file this process writes may grow past the given size: a settings write fails at once
// (0) or after a short write, even for root, while reading still works.
class ScopedFileGrowthLimit {
public:
    explicit ScopedFileGrowthLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &none);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~ScopedFileGrowthLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// A change the flow would otherwise write (the change flow tests show it does).
TEST(SettingsWriteFailure, UnwrittenChangeSaysSoAndKeepsTheOldPasswords) {
    const testsupport::TempFolder folder;
    const ScopedSettingsPath seam(folder.File("Brimlet.ini"));
    const std::string before = "[CONFIG]\r\nA=" + EncodeAdminPassword("1111") +
                               "\r\nB=" + EncodeAdminPassword("2222") + "\r\n";
    folder.Write("Brimlet.ini", before);
    ScriptedAdmin dialogs;
    for (const rlim_t limit : {rlim_t{0}, rlim_t{10}}) {
        std::vector<std::string> notices;
        {
            const ScopedFileGrowthLimit growth(limit);
            RunPasswordChangeFlow(dialogs,
                                  [&](const std::string& text) { notices.push_back(text); });
        }
        EXPECT_EQ(notices,
                  std::vector<std::string>{kSettingsNotWrittenNotice + folder.File("Brimlet.ini")});
        EXPECT_EQ(folder.Read("Brimlet.ini"), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
            << "no temporary file is left beside it";
    }
}

} // namespace
