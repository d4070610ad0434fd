#include "admin/PasswordChangeFlow.h"
#include "admin/PasswordStore.h"
#include "framework/ProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace {

struct ScriptedAdmin : AdminDialogs {
    LoginAnswer ShowLogin() override { return {true, "1111", "2222"}; }
    ChangeAnswer ShowSetAdmin1() override { return {true, "3333"}; }
    ChangeAnswer ShowSetAdmin2() override { return {true, "4444"}; }
};

// No file this process writes may grow past 0 bytes: every settings write fails,
// even for root, while reading still works.
class ScopedNoFileGrowth {
public:
    ScopedNoFileGrowth() {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~ScopedNoFileGrowth() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

std::string ReadWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SettingsWriteFailure, UnwrittenChangeSaysSoAndKeepsTheOldPasswords) {
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable ? "writable" : "not writable");
        const testsupport::TempFolder folder;
        const std::filesystem::path settings = folder.Path() / "Brimlet.ini";
        const ScopedSettingsPath seam(settings.string());
        const std::string before = "[CONFIG]\r\nA=" + EncodeAdminPassword("1111") +
                                   "\r\nB=" + EncodeAdminPassword("2222") + "\r\n";
        std::ofstream(settings, std::ios::binary) << before;

        ScriptedAdmin dialogs;
        std::vector<std::string> notices;
        {
            std::optional<ScopedNoFileGrowth> limit;
            if (!writable) {
                limit.emplace();
            }
            RunPasswordChangeFlow(dialogs,
                                  [&](const std::string& text) { notices.push_back(text); });
        }
        if (writable) {
            EXPECT_TRUE(notices.empty());
            EXPECT_TRUE(IsAdminPasswordCorrect("3333", kAdminKeyA, kLoginReadSize));
            EXPECT_TRUE(IsAdminPasswordCorrect("4444", kAdminKeyB, kLoginReadSize));
        } else {
            EXPECT_EQ(notices,
                      std::vector<std::string>{kSettingsNotWrittenNotice + settings.string()});
            EXPECT_EQ(ReadWhole(settings), before);
        }
    }
}

} // namespace
