#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "resources/ResourceIds.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The shell's opener is the xdg-open that PATH names first: a stand-in records the
// path it was handed, the rename making the record appear whole.
class ManualButton : public testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        const fs::path opener = tools.Path() / "xdg-open";
        std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << Record()
                              << ".part\" && mv \"" << Record() << ".part\" \"" << Record()
                              << "\"\n";
        fs::permissions(opener, fs::perms::owner_all);
        ::setenv("PATH", (tools.Path().string() + ":" + savedPath).c_str(), 1);
        ASSERT_TRUE(dialog.Create());
    }
    void TearDown() override {
        dialog.DestroyWindow();
        ::setenv("PATH", savedPath.c_str(), 1);
    }

    std::string Record() const { return (tools.Path() / "opened").string(); }

    // The opener runs detached from the program; wait, boundedly, for its record.
    std::string WaitForRecord() const {
        for (int i = 0; i < 1000 && !fs::exists(Record()); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return ReadFile(Record());
    }

    CButton& Button() { return *static_cast<CButton*>(dialog.GetDlgItem(IDC_MANUAL_BUTTON)); }

    testsupport::TempFolder tools;
    testsupport::TempFolder programFolder;
    ScopedProgramFolder programFolderSeam{programFolder.Path().string()};
    std::string savedPath;
    std::vector<std::string> boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDOK;
    }};
    CBrimletDlg dialog;
};

TEST_F(ManualButton, OpensTheManualBesideTheProgram) {
    const fs::path manual = programFolder.Path() / "FWDownladManual.pdf";
    std::ofstream(manual) << "%PDF-1.4\n";
    Button().Click();
    EXPECT_EQ(WaitForRecord(), manual.string());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ManualButton, MissingManualSaysNothing) {
    Button().Click();
    // The opener is never started for a missing file, so there is nothing to wait for.
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ManualButton, StaysEnabledDuringADownload) {
    dialog.DisableMainControls();
    EXPECT_TRUE(Button().IsWindowEnabled());
    dialog.EnableMainControls();
}

} // namespace
