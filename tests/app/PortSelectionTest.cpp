#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "tests/support/ScriptedLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The buttons on a reader played by a silent scripted link: COM15 opens, COM12 does not.
TEST(PortButtons, OpenTakesTheSelectedPortOthersUseItPressingAgainClosesAFailureSaysSo) {
    VirtualClock clock;
    testsupport::ScriptedLink link{clock};
    link.plugged = {15};
    link.responder = [](const testsupport::Bytes&) { return sim::Reply{}; }; // silence
    std::vector<std::string> boxes;
    ScopedMessageBoxResponder responder{[&](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return IDOK;
    }};
    CBrimletDlg dialog{nullptr, link.Link()};
    ASSERT_TRUE(dialog.Create());
    dialog.portCombo.ResetContent();
    dialog.portCombo.AddString("COM12");
    dialog.portCombo.AddString("COM15");
    dialog.portCombo.SetCurSel(1);

    dialog.SendCommand(IDC_OPEN_BUTTON);
    EXPECT_EQ(link.bauds, std::vector<int>{115200});
    EXPECT_EQ(dialog.reader.Port(), 15);
    EXPECT_TRUE(dialog.reader.PortOpenedByHand());
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Close");
    // The hidden buttons speak on the open port: the typed debug level's low byte, then
    // the version, asked again with 16 when the reader stays silent.
    dialog.GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->SetWindowText("261");
    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    dialog.SendCommand(IDC_VERSION_BUTTON);
    EXPECT_EQ(link.delivered,
              (std::vector<testsupport::Bytes>{{0xFF, 0x98, 0x05}, {0xFF, 0x04}, {0x16}}));

    dialog.SendCommand(IDC_OPEN_BUTTON);
    EXPECT_TRUE(link.open.empty());
    EXPECT_FALSE(dialog.reader.PortOpenedByHand());
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_TRUE(boxes.empty());

    dialog.portCombo.SetCurSel(0);
    dialog.SendCommand(IDC_OPEN_BUTTON);
    EXPECT_EQ(boxes, std::vector<std::string>{"포트 열기 실패"});
    EXPECT_EQ(dialog.reader.Port(), 12) << "the port keeps the number that failed";
    dialog.portCombo.AddString("COM999"); // the list is rebuilt from COM1 to COM100
    dialog.SendCommand(IDC_REFRESH_BUTTON);
    EXPECT_NE(dialog.portCombo.GetLBText(dialog.portCombo.GetCount() - 1), "COM999");
    link.plugged.clear(); // no reader anywhere: the information button says so
    static_cast<CButton*>(dialog.GetDlgItem(IDC_READER_INFO_BUTTON))->Click();
    EXPECT_EQ(dialog.statusLine.GetWindowText(), "다운로드 실패");
    dialog.DestroyWindow();
}

} // namespace
