#include "admin/AdminDialogsFactory.h"
#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/Menu.h"
#include "framework/UserInput.h"
#include "tests/app/ExpectedMainWindow.h"
#include "tests/app/WindowWatcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class MainWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    void TearDown() override { dialog.DestroyWindow(); }

    CBrimletDlg dialog;
};

bool HasKind(CWnd* control, ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return dynamic_cast<CStatic*>(control) != nullptr;
    case ControlKind::Edit:
        return dynamic_cast<CEdit*>(control) != nullptr;
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return dynamic_cast<CButton*>(control) != nullptr;
    case ControlKind::ListBox:
        return dynamic_cast<CListBox*>(control) != nullptr;
    case ControlKind::DropDownList:
        return dynamic_cast<CComboBox*>(control) != nullptr;
    case ControlKind::ProgressBar:
        return dynamic_cast<CProgressCtrl*>(control) != nullptr;
    case ControlKind::Icon:
        return false;
    }
    return false;
}

std::vector<ExpectedControl> NamedControls() {
    std::vector<ExpectedControl> named;
    for (const ExpectedControl& row : ExpectedMainControls()) {
        if (row.id != kNoControlId) {
            named.push_back(row);
        }
    }
    return named;
}

class MainWindowControl : public MainWindow, public testing::WithParamInterface<ExpectedControl> {};

TEST_P(MainWindowControl, AsBuilt) {
    const ExpectedControl& expected = GetParam();
    CWnd* control = dialog.GetDlgItem(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(HasKind(control, expected.kind));
    EXPECT_EQ(control->IsWindowVisible() != FALSE, expected.shown);
    EXPECT_EQ(control->IsWindowEnabled() != FALSE, expected.enabled);
    if (expected.kind != ControlKind::DropDownList && expected.kind != ControlKind::ListBox) {
        EXPECT_EQ(control->GetWindowText(), expected.shownText);
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, MainWindowControl, testing::ValuesIn(NamedControls()),
                         [](const testing::TestParamInfo<ExpectedControl>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainWindow, TitleBannerAndProcedure) {
    EXPECT_EQ(dialog.GetWindowText(), kExpectedTitle);
    EXPECT_EQ(dialog.bannerLine.GetWindowText(), kExpectedBanner);
    EXPECT_EQ(dialog.GetDlgItem(1053)->GetWindowText(), kExpectedProcedureText);
}

TEST_F(MainWindow, StartsIdleWithSearchTicked) {
    EXPECT_EQ(static_cast<CButton*>(dialog.GetDlgItem(1056))->GetCheck(), BST_CHECKED);
    EXPECT_EQ(dialog.reader.autoPortSearch, 1);
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.reader.rxLength, 0);
    EXPECT_EQ(dialog.reader.versionMismatch, 0);
    EXPECT_TRUE(dialog.reader.readerInfo.empty());
    EXPECT_TRUE(dialog.reader.modelName.empty());
    EXPECT_TRUE(dialog.reader.fileVersion.empty());
    EXPECT_EQ(dialog.noticeMode, 0);
    EXPECT_EQ(dialog.noticeDialog, nullptr);
    EXPECT_EQ(downloadBusy.load(), 0);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
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

TEST_F(MainWindow, UnticksSearchIntoTheReaderState) {
    static_cast<CButton*>(dialog.GetDlgItem(1056))->SetCheck(BST_UNCHECKED);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.reader.autoPortSearch, 0);
}

TEST_F(MainWindow, FontsAskedFor) {
    struct FontCase {
        const char* name;
        const CFont& font;
    };
    for (const FontCase& c :
         {FontCase{"large", dialog.largeFont}, FontCase{"small", dialog.smallFont}}) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.font.IsCreated());
        EXPECT_EQ(c.font.GetFaceName(), "굴림체");
        EXPECT_EQ(c.font.GetWeight(), 700);
    }
    EXPECT_GT(dialog.largeFont.GetPixelHeight(), dialog.smallFont.GetPixelHeight());
}

struct KeyCase {
    const char* name;
    UINT message;
    UINT key;
    BOOL swallowed;
};

class MainWindowKeyFilter : public MainWindow, public testing::WithParamInterface<KeyCase> {};

TEST_P(MainWindowKeyFilter, DecidesByMessageAndKey) {
    MSG msg{};
    msg.message = GetParam().message;
    msg.wParam = GetParam().key;
    EXPECT_EQ(dialog.PreTranslateMessage(&msg), GetParam().swallowed);
}

constexpr UINT kKeyUp = 0x0101;

INSTANTIATE_TEST_SUITE_P(Keys, MainWindowKeyFilter,
                         testing::Values(KeyCase{"Return", WM_KEYDOWN, VK_RETURN, TRUE},
                                         KeyCase{"Escape", WM_KEYDOWN, VK_ESCAPE, TRUE},
                                         KeyCase{"Tab", WM_KEYDOWN, VK_TAB, FALSE},
                                         KeyCase{"LetterA", WM_KEYDOWN, 'A', FALSE},
                                         KeyCase{"Space", WM_KEYDOWN, VK_SPACE, FALSE},
                                         KeyCase{"ReturnReleased", kKeyUp, VK_RETURN, FALSE},
                                         KeyCase{"AltReturn", WM_SYSKEYDOWN, VK_RETURN, FALSE}),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.name);
                         });

struct KeyTarget {
    const char* name;
    int id; // 0: the dialog itself
};

class MainWindowKeys : public MainWindow, public testing::WithParamInterface<KeyTarget> {};

// Without the filter, Escape ends the dialog and Return presses the default
// button; either would hide the window.
TEST_P(MainWindowKeys, ReturnAndEscapeLeaveTheWindowOpen) {
    CWnd* target = GetParam().id == 0 ? &dialog : dialog.GetDlgItem(GetParam().id);
    ASSERT_NE(target, nullptr);
    const std::string textBefore = target->GetWindowText();
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        PressKey(*target, key);
        EXPECT_TRUE(dialog.IsWindowVisible()) << key;
    }
    EXPECT_EQ(target->GetWindowText(), textBefore);
    EXPECT_EQ(downloadBusy.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, MainWindowKeys,
    testing::Values(KeyTarget{"Dialog", 0}, KeyTarget{"ModelNameField", 1061},
                    KeyTarget{"PortNumberField", 1047}, KeyTarget{"ProgressCounter", 1049},
                    KeyTarget{"FirmwareFileField", 1008}, KeyTarget{"KeyFileField", 1016},
                    KeyTarget{"DebugLevelField", 1051}, KeyTarget{"TransferButton", 1005},
                    KeyTarget{"LogList", 1014}, KeyTarget{"AutoSearchCheck", 1056}),
    [](const testing::TestParamInfo<KeyTarget>& info) { return std::string(info.param.name); });

TEST_F(MainWindow, SystemMenuEndsWithSeparatorAndAboutItem) {
    CMenu* menu = dialog.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = menu->GetMenuItemCount();
    ASSERT_GE(count, 3);
    EXPECT_EQ(menu->GetMenuItemID(count - 2), 0u);
    EXPECT_EQ(menu->GetMenuItemID(count - 1), 16u);
    EXPECT_EQ(menu->GetMenuString(count - 1), "Brimlet 정보(&A)...");
    EXPECT_NE(menu->GetMenuState(SC_CLOSE), kNoSuchMenuItem);
}

// The about box as the watcher sees it from inside its modal loop.
WindowWatcher WatchAboutBox(CBrimletDlg& dialog, std::string& caption) {
    return WindowWatcher([&dialog] { return static_cast<CWnd*>(&dialog.aboutBox); },
                         [&dialog, &caption](CWnd& about) {
                             caption = about.GetWindowText();
                             dialog.aboutBox.EndDialog(IDOK);
                         });
}

struct SysCommandCase {
    const char* name;
    UINT id;
    bool showsAbout;
};

class MainWindowSysCommand : public MainWindow,
                             public testing::WithParamInterface<SysCommandCase> {};

TEST_P(MainWindowSysCommand, ShowsTheAboutBoxOnlyForItsCommand) {
    std::string caption;
    WindowWatcher watcher = WatchAboutBox(dialog, caption);
    dialog.OnSysCommand(GetParam().id, 0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return watcher.finished; }));
    EXPECT_EQ(watcher.seen, GetParam().showsAbout);
    if (GetParam().showsAbout) {
        EXPECT_EQ(caption, "Brimlet 정보");
    }
    EXPECT_TRUE(dialog.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Commands, MainWindowSysCommand,
                         testing::Values(SysCommandCase{"About", 16, true},
                                         SysCommandCase{"AboutWithLowBitsSet", 16 | 0xF, true},
                                         SysCommandCase{"NextCommandUp", 32, false},
                                         SysCommandCase{"BelowAbout", 15, false}),
                         [](const testing::TestParamInfo<SysCommandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainWindow, AboutItemChosenFromTheMenuShowsTheAboutBox) {
    RightClick(dialog, 5, 5);
    std::string caption;
    WindowWatcher watcher = WatchAboutBox(dialog, caption);
    ASSERT_TRUE(ChooseOpenMenuItem(dialog, 16));
    ASSERT_TRUE(ProcessEventsUntil([&] { return watcher.finished; }));
    EXPECT_TRUE(watcher.seen);
}

// The administrator dialogs, closed at the login without a word.
class ClosedLogin : public AdminDialogs {
public:
    explicit ClosedLogin(int& logins) : logins(logins) {}
    LoginAnswer ShowLogin() override {
        ++logins;
        return {false, "", ""};
    }
    ChangeAnswer ShowSetAdmin1() override { return {false, ""}; }
    ChangeAnswer ShowSetAdmin2() override { return {false, ""}; }

private:
    int& logins;
};

TEST_F(MainWindow, AdminPasswordButtonStartsTheLogin) {
    int logins = 0;
    ScopedAdminDialogsFactory factory(
        [&logins](CWnd*) { return std::make_unique<ClosedLogin>(logins); });
    dialog.SendCommand(1023);
    EXPECT_EQ(logins, 1);
}

TEST_F(MainWindow, ClearButtonEmptiesTheLog) {
    dialog.AddLogLine("first");
    dialog.AddLogLine("second");
    ASSERT_EQ(dialog.logList.GetCount(), 2);
    dialog.SendCommand(1043);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
}

TEST_F(MainWindow, LogLinesAppendInOrderAndTheLastIsSelected) {
    const std::vector<std::string> lines = {"장비 확인 중...", "Version : 1.00",
                                            "RECV ERR:1003 [CMD:F1]"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        dialog.AddLogLine(lines[i]);
        EXPECT_EQ(dialog.logList.GetCount(), static_cast<int>(i + 1));
        EXPECT_EQ(dialog.logList.GetCurSel(), static_cast<int>(i));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(dialog.logList.GetText(static_cast<int>(i)), lines[i]);
    }
}

} // namespace
