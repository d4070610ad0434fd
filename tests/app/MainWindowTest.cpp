#include "app/BrimletDlg.h"

#include <gtest/gtest.h>

namespace {

// The window's side of the log: AddLogLine selects the new line, a plain append
// leaves the selection, the hidden Clear button empties the list.
TEST(MainWindow, LogAppendsSelectsTheLastAndClears) {
    CBrimletDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.reader.AddLogLine("장비 확인 중...");
    dialog.reader.AppendLogLine("RECV ERR:1003 [CMD:F1]");
    ASSERT_EQ(dialog.logList.GetCount(), 2);
    EXPECT_EQ(dialog.logList.GetCurSel(), 0);
    EXPECT_EQ(dialog.logList.GetText(1), "RECV ERR:1003 [CMD:F1]");
    dialog.SendCommand(1043);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
    dialog.DestroyWindow();
}

} // namespace
