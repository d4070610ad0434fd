#include "admin/AdminDialogsFactory.h"
#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

// AddLogLine selects the new line, a plain append leaves the selection, Clear empties.
TEST(MainWindow, LogAppendsSelectsTheLastAndClears) {
    CBrimletDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.bannerLine.GetWindowText(), "Norvane F/W 다운로드(zev주유소)");
    EXPECT_TRUE(dialog.smallFont.IsCreated());
    dialog.reader.AddLogLine("장비 확인 중...");
    dialog.reader.AppendLogLine("RECV ERR:1003 [CMD:F1]");
    ASSERT_EQ(dialog.logList.GetCount(), 2);
    EXPECT_EQ(dialog.logList.GetCurSel(), 0);
    EXPECT_EQ(dialog.logList.GetText(1), "RECV ERR:1003 [CMD:F1]");
    dialog.SendCommand(1043);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
    // The search starts on; unticked, the typed port number shows instead.
    auto& autoSearch = *static_cast<CButton*>(dialog.GetDlgItem(IDC_AUTO_SEARCH_CHECK));
    EXPECT_EQ(autoSearch.GetCheck(), BST_CHECKED);
    autoSearch.Click();
    EXPECT_EQ(dialog.autoPortSearch, 0);
    EXPECT_TRUE(dialog.portNumberField.IsWindowVisible());
    dialog.DestroyWindow();
}

// The hidden button 1023 runs the password change over this window: a wrong login is
// told in a box, a cancelled one ends it.
TEST(MainWindow, AdminPasswordButtonRunsTheChangeOverTheWindow) {
    struct Dialogs : AdminDialogs {
        explicit Dialogs(int& logins) : logins(logins) {}
        LoginAnswer ShowLogin() override { return {++logins == 1, "wrong", "wrong"}; }
        ChangeAnswer ShowSetAdmin1() override { return {false, ""}; }
        ChangeAnswer ShowSetAdmin2() override { return {false, ""}; }
        int& logins;
    };
    int logins = 0;
    CWnd* owner = nullptr;
    ScopedAdminDialogsFactory factory([&](CWnd* parent) {
        owner = parent;
        return std::make_unique<Dialogs>(logins);
    });
    std::vector<std::string> boxes;
    ScopedMessageBoxResponder responder([&](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return IDOK;
    });
    CBrimletDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SendCommand(IDC_ADMIN_PASSWORD_BUTTON);
    EXPECT_EQ(owner, &dialog);
    EXPECT_EQ(logins, 2);
    EXPECT_EQ(boxes, std::vector<std::string>{kWrongLoginNotice});
    dialog.DestroyWindow();
}

} // namespace
