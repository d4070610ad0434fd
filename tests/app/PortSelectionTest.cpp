#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "resources/ResourceIds.h"
#include "sim/PtyReader.h"
#include "tests/support/PrivateProgramFolder.h"
#include "tests/support/ScriptedLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Entries(CComboBox& combo) {
    Lines entries;
    for (int i = 0; i < combo.GetCount(); ++i) {
        entries.push_back(combo.GetLBText(i));
    }
    return entries;
}

// The port list shows what is plugged into this run's program folder: every other
// COM link there points nowhere, so the machine's own serial ports stay out of it.
TEST(PortList, ListsPresentPortsInAscendingOrderWithTheFirstSelected) {
    const std::filesystem::path folder = PrivateProgramFolder();
    ASSERT_FALSE(folder.empty()) << "runs only in a private program folder";
    ScopedProgramFolder folderSeam(folder.string());
    std::filesystem::create_directories(folder / "ports");
    std::vector<std::unique_ptr<sim::PtyReader>> readers;
    for (int port = 1; port <= 101; ++port) {
        const std::filesystem::path link = folder / "ports" / ("COM" + std::to_string(port));
        if (port == 3 || port == 10 || port == 100 || port == 101) {
            readers.push_back(std::make_unique<sim::PtyReader>(
                sim::ReaderConfig{}, sim::PtyOptions{folder, port, false, {}}));
            ASSERT_EQ(readers.back()->Open(), std::nullopt);
        } else {
            std::filesystem::create_symlink(folder / "unplugged", link);
        }
    }
    CBrimletDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(Entries(dialog.baudCombo), (Lines{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(dialog.baudCombo.GetCurSel(), 4);
    dialog.portCombo.AddString("COM99");
    dialog.SendCommand(IDC_REFRESH_BUTTON);
    EXPECT_EQ(Entries(dialog.portCombo), (Lines{"COM3", "COM10", "COM100"}));
    EXPECT_EQ(dialog.portCombo.GetWindowText(), "COM3");
    dialog.DestroyWindow();
}

class PortButtons : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        dialog.portCombo.ResetContent();
        for (const char* entry : {"COM12", "COM15"}) {
            dialog.portCombo.AddString(entry);
        }
        dialog.portCombo.SetCurSel(1);
        link.plugged = {15};
    }
    void TearDown() override { dialog.DestroyWindow(); }
    void OpenOrClose() { dialog.SendCommand(IDC_OPEN_BUTTON); }

    VirtualClock clock;
    testsupport::ScriptedLink link{clock};
    Lines boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return IDOK;
    }};
    CBrimletDlg dialog{nullptr, link.Link()};
};

TEST_F(PortButtons, OpenTakesTheSelectedPortAndPressingAgainClosesIt) {
    dialog.transferButton.EnableWindow(FALSE);
    OpenOrClose();
    EXPECT_EQ(link.initCalls, std::vector<int>{15});
    EXPECT_EQ(link.bauds, std::vector<int>{115200});
    EXPECT_EQ(dialog.reader.port, 15);
    EXPECT_EQ(dialog.reader.portOpen, 1);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Close");
    EXPECT_TRUE(dialog.transferButton.IsWindowEnabled());

    OpenOrClose();
    EXPECT_TRUE(link.open.empty());
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PortButtons, FailedOpenSaysSoAndRefreshClosesThePort) {
    dialog.portCombo.SetCurSel(0);
    OpenOrClose();
    EXPECT_EQ(boxes, Lines{"포트 열기 실패"});
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.reader.port, 12) << "the port keeps the number that failed";

    dialog.portCombo.SetCurSel(1);
    OpenOrClose();
    dialog.SendCommand(IDC_REFRESH_BUTTON);
    EXPECT_TRUE(link.open.empty());
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
}

TEST_F(PortButtons, TheCheckBoxShowsTheManualPortOnlyWhenCleared) {
    auto* check = static_cast<CButton*>(dialog.GetDlgItem(IDC_AUTO_SEARCH_CHECK));
    CWnd* label = dialog.GetDlgItem(IDC_PORT_NUMBER_LABEL);
    for (int autoSearch : {0, 1}) {
        check->Click();
        EXPECT_EQ(dialog.reader.autoPortSearch, autoSearch);
        EXPECT_EQ(label->IsWindowVisible() == FALSE, autoSearch == 1);
        EXPECT_EQ(dialog.portNumberField.IsWindowVisible() == FALSE, autoSearch == 1);
    }
}

} // namespace
