#include "app/BrimletApp.h"
#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/Menu.h"
#include "framework/ProgramFolder.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kTitle[] = "F/W Download Ver 4.7.20240705 by Norvane";

// Acts on a modal window from inside its own event loop: keeps looking (a posted
// call at a time) until find() gives a visible window, then runs act on it, which
// is expected to end it. Gives up after a bounded number of looks.
struct WindowWatcher {
    WindowWatcher(std::function<CWnd*()> find, std::function<void(CWnd&)> act)
        : find(std::move(find)), act(std::move(act)) {
        Look(500);
    }
    // The posted looks hold this object's address.
    WindowWatcher(const WindowWatcher&) = delete;

    void Look(int looksLeft) {
        PostToUiThread([this, looksLeft] {
            CWnd* window = find();
            if (window != nullptr && window->IsWindowVisible()) {
                seen = true;
                act(*window);
                finished = true;
            } else if (looksLeft > 0) {
                Look(looksLeft - 1);
            } else {
                finished = true;
            }
        });
    }

    std::function<CWnd*()> find;
    std::function<void(CWnd&)> act;
    bool seen = false;     // the window was found visible and act ran
    bool finished = false; // seen, or the looks ran out
};

TEST(Application, RunsTheMainWindowModallyAndEndsWithIt) {
    ScopedSettingsPath settings("/nonexistent/brimlet-test/Brimlet.ini");
    CBrimletApp app;
    std::string title;
    WindowWatcher watcher([] { return AfxGetMainWnd(); },
                          [&](CWnd& window) {
                              title = window.GetWindowText();
                              dynamic_cast<CBrimletDlg&>(window).EndDialog(IDCANCEL);
                          });

    EXPECT_EQ(app.InitInstance(), FALSE);

    ASSERT_TRUE(ProcessEventsUntil([&] { return watcher.finished; }));
    EXPECT_TRUE(watcher.seen);
    EXPECT_EQ(title, kTitle);
    EXPECT_EQ(app.settingsPath, "/nonexistent/brimlet-test/Brimlet.ini");
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

class MainWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    void TearDown() override { dialog.DestroyWindow(); }

    CBrimletDlg dialog;
};

TEST_F(MainWindow, TitleBannerProcedureAndIdleState) {
    EXPECT_EQ(dialog.GetWindowText(), kTitle);
    EXPECT_EQ(dialog.bannerLine.GetWindowText(), "Norvane F/W 다운로드(zev주유소)");
    EXPECT_TRUE(dialog.GetDlgItem(1053)->GetWindowText().starts_with("다운로드 절차\r\n1. POS"));
    EXPECT_EQ(dialog.portNumberField.GetWindowText(), "7");
    EXPECT_EQ(dialog.GetDlgItem(1051)->GetWindowText(), "0");
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "");
    EXPECT_EQ(static_cast<CButton*>(dialog.GetDlgItem(1056))->GetCheck(), BST_CHECKED);
    EXPECT_EQ(dialog.reader.autoPortSearch, 1);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.noticeMode, 0);
    EXPECT_EQ(dialog.noticeDialog, nullptr);
    EXPECT_EQ(downloadBusy.load(), 0);
}

TEST_F(MainWindow, StartsWithBothPaymentTablesFilled) {
    CaPublicKeyTable keys{};
    InitCaPublicKeyTable(keys);
    AidTable aids{};
    InitAidTable(aids);
    EXPECT_EQ(dialog.caPublicKeyTable.count, 76u);
    EXPECT_EQ(std::memcmp(&dialog.caPublicKeyTable, &keys, sizeof keys), 0);
    EXPECT_EQ(std::memcmp(&dialog.aidTable, &aids, sizeof aids), 0);
    EXPECT_NE(dialog.aidTable.count, 0u);
}

TEST_F(MainWindow, FontsAskedFor) {
    for (const CFont* font : {&dialog.largeFont, &dialog.smallFont}) {
        EXPECT_TRUE(font->IsCreated());
        EXPECT_EQ(font->GetFaceName(), "굴림체");
        EXPECT_EQ(font->GetWeight(), 700);
    }
    EXPECT_GT(dialog.largeFont.GetPixelHeight(), dialog.smallFont.GetPixelHeight());
}

TEST_F(MainWindow, OnlyReturnAndEscapeKeyDownsAreSwallowed) {
    constexpr UINT kKeyUp = 0x0101;
    struct KeyCase {
        UINT message, key;
        BOOL swallowed;
    };
    for (const KeyCase& c :
         {KeyCase{WM_KEYDOWN, VK_RETURN, TRUE}, KeyCase{WM_KEYDOWN, VK_ESCAPE, TRUE},
          KeyCase{WM_KEYDOWN, VK_TAB, FALSE}, KeyCase{WM_KEYDOWN, 'A', FALSE},
          KeyCase{kKeyUp, VK_RETURN, FALSE}, KeyCase{WM_SYSKEYDOWN, VK_RETURN, FALSE}}) {
        MSG msg{};
        msg.message = c.message;
        msg.wParam = c.key;
        EXPECT_EQ(dialog.PreTranslateMessage(&msg), c.swallowed) << c.message << " " << c.key;
    }
    // Without the filter, Escape ends the dialog and Return presses the default button.
    for (int id : {0, 1061, 1005, 1014}) {
        CWnd* target = id == 0 ? &dialog : dialog.GetDlgItem(id);
        for (UINT key : {VK_RETURN, VK_ESCAPE}) {
            PressKey(*target, key);
            EXPECT_TRUE(dialog.IsWindowVisible()) << id << " " << key;
        }
    }
    EXPECT_EQ(downloadBusy.load(), 0);
}

TEST_F(MainWindow, SystemMenuEndsWithSeparatorAndAboutItem) {
    CMenu* menu = dialog.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = menu->GetMenuItemCount();
    ASSERT_GE(count, 3);
    EXPECT_EQ(menu->GetMenuItemID(count - 2), 0u);
    EXPECT_EQ(menu->GetMenuItemID(count - 1), 16u);
    EXPECT_EQ(menu->GetMenuString(count - 1), "Brimlet 정보(&A)...");
}

TEST_F(MainWindow, AboutBoxOnlyForItsCommand) {
    struct Case {
        UINT command; // 0: the about item chosen from the opened menu
        bool showsAbout;
    };
    for (const Case& c : {Case{0, true}, Case{16 | 0xF, true}, Case{32, false}, Case{15, false}}) {
        std::string caption;
        WindowWatcher watcher([this] { return static_cast<CWnd*>(&dialog.aboutBox); },
                              [&](CWnd& about) {
                                  caption = about.GetWindowText();
                                  dialog.aboutBox.EndDialog(IDOK);
                              });
        if (c.command == 0) {
            RightClick(dialog, 5, 5);
            ASSERT_TRUE(ChooseOpenMenuItem(dialog, 16));
        } else {
            dialog.OnSysCommand(c.command, 0);
        }
        ASSERT_TRUE(ProcessEventsUntil([&] { return watcher.finished; }));
        EXPECT_EQ(watcher.seen, c.showsAbout) << c.command;
        EXPECT_EQ(caption, c.showsAbout ? "Brimlet 정보" : "") << c.command;
        EXPECT_TRUE(dialog.IsWindowVisible());
    }
}

TEST_F(MainWindow, LogAppendsSelectsTheLastAndClears) {
    const std::vector<std::string> lines = {"장비 확인 중...", "RECV ERR:1003 [CMD:F1]"};
    for (const std::string& line : lines) {
        dialog.reader.AddLogLine(line);
    }
    ASSERT_EQ(dialog.logList.GetCount(), 2);
    EXPECT_EQ(dialog.logList.GetCurSel(), 1);
    EXPECT_EQ(dialog.logList.GetText(0), lines[0]);
    EXPECT_EQ(dialog.logList.GetText(1), lines[1]);
    dialog.SendCommand(1043);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
}

} // namespace
