#include "framework/UserInput.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

namespace {

using namespace testdialog;

constexpr UINT kAboutCommand = 16;

class SystemMenu : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        menu = dialog.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->AppendMenu(MF_SEPARATOR));
        ASSERT_TRUE(menu->AppendMenu(MF_STRING, kAboutCommand, "Brimlet 정보(&A)..."));
    }
    void TearDown() override {
        if (QMenu* open = menu != nullptr ? menu->PopupMenu() : nullptr) {
            open->close();
        }
    }
    bool MenuOpen() { return menu->PopupMenu() != nullptr && menu->PopupMenu()->isVisible(); }

    TestDialog dialog;
    CMenu* menu = nullptr;
};

TEST_F(SystemMenu, HoldsCloseThenWhatWasAppended) {
    ASSERT_EQ(menu->GetMenuItemCount(), 3);
    EXPECT_EQ(menu->GetMenuItemID(0), SC_CLOSE);
    EXPECT_EQ(menu->GetMenuString(0), "Close");
    EXPECT_EQ(menu->GetMenuItemID(1), 0u) << "separator";
    EXPECT_EQ(menu->GetMenuItemID(2), kAboutCommand);
    EXPECT_EQ(menu->GetMenuItemID(3), kNoSuchMenuItem);
    EXPECT_FALSE(menu->AppendMenu(MF_STRING, 17, nullptr)) << "a text item needs its text";
    EXPECT_EQ(menu->EnableMenuItem(SC_CLOSE, MF_GRAYED | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(menu->GetMenuState(SC_CLOSE) & (MF_GRAYED | MF_DISABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(menu->EnableMenuItem(SC_CLOSE, MF_ENABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(menu->EnableMenuItem(4242, MF_GRAYED), kNoSuchMenuItem);
}

TEST_F(SystemMenu, RightClickOnBackgroundOpensItAndAChoiceGivesOnSysCommand) {
    QWidget* edit = dialog.GetDlgItem(kEdit)->Widget();
    RightClick(dialog, edit->x() + 2, edit->y() + 2);
    EXPECT_FALSE(MenuOpen()) << "not over an edit";
    RECT client{};
    dialog.GetClientRect(&client);
    RightClick(dialog, client.right - 2, client.bottom - 2);
    ASSERT_TRUE(MenuOpen());
    std::vector<std::string> texts;
    for (QAction* action : menu->PopupMenu()->actions()) {
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Close", "-", "Brimlet 정보(&A)..."}));
    EXPECT_TRUE(ChooseOpenMenuItem(dialog, kAboutCommand));
    EXPECT_EQ(dialog.sysCommands, std::vector<UINT>{kAboutCommand});
    EXPECT_TRUE(dialog.IsWindowVisible()) << "the about command does not close";
}

// While a download runs Close is off, and no way of closing may end the window.
TEST_F(SystemMenu, DisabledCloseIsRefusedEveryWayThenAllowedAgain) {
    const std::pair<const char*, std::function<void()>> attempts[] = {
        {"TitleBarClose", [&] { RequestClose(dialog); }},
        {"AltF4", [&] { PressKey(dialog, VK_F4, true); }},
        {"SysCommand", [&] { dialog.OnSysCommand(SC_CLOSE, 0); }},
        {"MenuItem",
         [&] {
             PressKey(dialog, VK_SPACE, true);
             ChooseOpenMenuItem(dialog, SC_CLOSE);
         }},
    };
    for (const auto& [name, attempt] : attempts) {
        SCOPED_TRACE(name);
        menu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
        attempt();
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(dialog.cancelCount, 0);
        menu->EnableMenuItem(SC_CLOSE, MF_ENABLED);
        attempt();
        EXPECT_FALSE(dialog.IsWindowVisible());
        EXPECT_EQ(dialog.cancelCount, 1);
        dialog.cancelCount = 0;
        dialog.ShowWindow(SW_SHOW);
    }
    menu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
    PressKey(dialog, VK_SPACE, true);
    ASSERT_TRUE(MenuOpen());
    QAction* close = menu->PopupMenu()->actions().value(0);
    EXPECT_FALSE(close->isEnabled()) << "grey in the open menu";
    menu->EnableMenuItem(SC_CLOSE, MF_ENABLED);
    EXPECT_TRUE(close->isEnabled()) << "an open menu follows the change";
}

TEST(SystemMenuAbsent, DialogWithoutSystemMenuHasNoneAndClosesFreely) {
    static constexpr ControlTemplate controls[] = {
        {1059, ControlKind::Static, 3, 12, 302, 18, kVisible | kCentred, "notice"},
    };
    static constexpr DialogTemplate notice{132,         "", 308,         59,
                                           "맑은 고딕", 12, kThinBorder, controls};
    TestDialog dialog(notice);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetSystemMenu(FALSE), nullptr);
    RightClick(dialog, 1, 1); // nothing to open, nothing to crash
    EXPECT_TRUE(RequestClose(dialog));
}

} // namespace
