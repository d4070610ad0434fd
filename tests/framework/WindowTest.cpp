#include "framework/Font.h"
#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "framework/VirtualKeys.h"
#include "tests/framework/TestDialog.h"
#include "tests/support/ScreenInput.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using namespace testdialog;

class Window : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    template <class T> T& Item(int id) { return *dynamic_cast<T*>(dialog.GetDlgItem(id)); }
    TestDialog dialog;
};

TEST_F(Window, BuiltFromTheTemplateInDialogUnitsOfItsFont) {
    const std::tuple<int, bool, bool, const char*> cases[] = {
        {kLabel, true, true, "Port"},
        {kEdit, true, true, "7"}, // the member's value, put in by the data exchange
        {kHiddenEdit, false, true, "secret"},
        {kButton, true, true, "전송"},
        {kDisabledButton, true, false, "Open"}};
    for (const auto& [id, visible, enabled, text] : cases) {
        SCOPED_TRACE(id);
        EXPECT_EQ(dialog.GetDlgItem(id)->GetDlgCtrlID(), id);
        EXPECT_EQ(dialog.GetDlgItem(id)->IsWindowVisible() != FALSE, visible);
        EXPECT_EQ(dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE, enabled);
        EXPECT_EQ(dialog.GetDlgItem(id)->GetWindowText(), text);
    }
    EXPECT_EQ(dialog.GetDlgItem(kNoControlId), nullptr) << "a control without an id is not an item";
    EXPECT_EQ(dialog.GetWindowText(), "Test") << "a window's text is its caption";
    EXPECT_TRUE(dynamic_cast<QLabel*>(dialog.GetDlgItem(kLabel)->Widget())->wordWrap())
        << "a static breaks a long text into lines";
    const Qt::WindowFlags frame = dialog.Widget()->windowFlags();
    EXPECT_TRUE(frame.testFlags(Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(frame.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.Widget()->font().styleHint(), QFont::SansSerif) << "a missing face's stand-in";
    // Base units measured here on their own: the 52-letter average and the height.
    QFontMetrics metrics(dialog.Widget()->font());
    const int baseX =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
         1) /
        2;
    const int baseY = metrics.ascent() + metrics.descent();
    auto px = [](int du, int base, int divisor) {
        return (du * base * 2 + divisor) / (2 * divisor);
    };
    RECT client{};
    dialog.GetClientRect(&client);
    EXPECT_EQ(client.right, px(210, baseX, 4));
    EXPECT_EQ(client.bottom, px(110, baseY, 8));
}

TEST_F(Window, ControlsKeepWindowsRules) {
    int clicks = 0;
    dialog.OnClicked(kButton, [&] { ++clicks; });
    dialog.OnClicked(kDisabledButton, [&] { clicks += 100; });
    Item<CButton>(kButton).Click();
    Item<CButton>(kDisabledButton).Click();
    EXPECT_EQ(clicks, 1) << "a disabled button gives no command";
    EXPECT_FALSE(Item<CButton>(kButton).EnableWindow(FALSE)) << "answers: was not disabled";
    dialog.combo.AddString("COM1");
    EXPECT_EQ(dialog.combo.GetCurSel(), CB_ERR) << "a new list selects nothing";
    dialog.combo.SetCurSel(0);
    dialog.combo.AddString("COM2");
    EXPECT_EQ(dialog.combo.GetCurSel(), 0) << "adding keeps the choice";
    EXPECT_EQ(dialog.combo.SetCurSel(2), CB_ERR) << "past the end selects nothing";
    EXPECT_EQ(dialog.combo.GetCurSel(), CB_ERR);
}

// Windows' virtual keys and the toolkit's keys name the same keys both ways.
TEST(VirtualKeys, NameTheSameKeysBothWays) {
    const std::pair<int, UINT> keys[] = {{Qt::Key_A, 'A'},
                                         {Qt::Key_Z, 'Z'},
                                         {Qt::Key_0, '0'},
                                         {Qt::Key_9, '9'},
                                         {Qt::Key_F1, VK_F1},
                                         {Qt::Key_F12, VK_F1 + 11},
                                         {Qt::Key_Return, VK_RETURN},
                                         {Qt::Key_Delete, VK_DELETE},
                                         {Qt::Key_Backspace, VK_BACK}};
    for (const auto& [qt, vk] : keys) {
        EXPECT_EQ(VirtualKeyFromQtKey(qt), vk) << qt;
        EXPECT_EQ(QtKeyFromVirtualKey(vk), qt) << vk;
    }
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), VK_RETURN) << "the keypad's Enter";
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F13), 0u);
    for (UINT unnamed : {VK_F1 - 1, VK_F1 + 12, UINT{'a'}}) {
        EXPECT_EQ(QtKeyFromVirtualKey(unnamed), 0) << unnamed;
    }
}

// Windows fonts by their creation arguments; a CFont holds one font until deleted. Out of
// range values are brought into range before the toolkit sees them: it would warn.
std::vector<std::string> toolkitWarnings;

TEST(Font, TakesTheStyleAskedForWithWindowsDefaultsAndLimits) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            toolkitWarnings.push_back(text.toStdString());
        });
    const struct {
        int height, weight;
        BYTE style, pitchAndFamily;
        int pixels, expectedWeight;
        QFont::StyleHint hint;
    } cases[] = {
        {-15, 1500, TRUE, FIXED_PITCH | FF_MODERN, 15, 1000, QFont::TypeWriter},
        {0, FW_DONTCARE, FALSE, FF_SWISS, 12, FW_NORMAL, QFont::SansSerif},
        {0, -5, FALSE, FF_ROMAN, 12, 1, QFont::Serif},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        CFont font;
        const auto create = [&] {
            return font.CreateFont(c.height, 0, 0, 0, c.weight, c.style, c.style, c.style,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, c.pitchAndFamily, "NanumGothic");
        };
        ASSERT_TRUE(create());
        const QFont& made = *font.Font();
        EXPECT_EQ(font.GetPixelHeight(), c.pixels);
        EXPECT_EQ(font.GetWeight(), c.expectedWeight);
        EXPECT_EQ(font.GetFaceName(), "NanumGothic");
        EXPECT_EQ(made.styleHint(), c.hint);
        const bool styled = c.style != FALSE;
        EXPECT_EQ((std::vector<bool>{made.italic(), made.underline(), made.strikeOut()}),
                  std::vector<bool>(3, styled));
        EXPECT_EQ(made.fixedPitch(), (c.pitchAndFamily & FIXED_PITCH) != 0);
        EXPECT_FALSE(create()) << "already holds a font";
        EXPECT_TRUE(font.DeleteObject());
        EXPECT_FALSE(font.DeleteObject());
        EXPECT_TRUE(create());
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(toolkitWarnings, std::vector<std::string>{});
}

// Clicks through the window system, where the toolkit blocks windows for a modal one:
// a modal dialog blocks its owner and nothing else, as a dialog box disables only
// its owner; a window without a parent stays usable.
TEST(ModalDialog, BlocksItsOwnerOnlyAgainstUserClicks) {
    TestDialog owner;
    TestDialog bystander;
    int ownerClicks = 0;
    int bystanderClicks = 0;
    owner.OnClicked(kButton, [&] { ++ownerClicks; });
    bystander.OnClicked(kButton, [&] { ++bystanderClicks; });
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(bystander.Create());
    owner.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE); // three windows side by side
    bystander.SetWindowPos(nullptr, 500, 0, 0, 0, SWP_NOSIZE);
    for (CWnd* parent : {static_cast<CWnd*>(nullptr), static_cast<CWnd*>(&owner)}) {
        SCOPED_TRACE(parent == nullptr ? "without an owner" : "with an owner");
        TestDialog modal(kTemplate, parent);
        modal.onInit = [&] {
            PostToUiThread([&] {
                EXPECT_TRUE(QTest::qWaitForWindowExposed(screeninput::TopLevelOf(modal)));
                modal.SetWindowPos(nullptr, 0, 300, 0, 0, SWP_NOSIZE);
                screeninput::Click(*owner.GetDlgItem(kButton));
                screeninput::Click(*bystander.GetDlgItem(kButton));
                modal.EndDialog(IDOK);
            });
        };
        ownerClicks = bystanderClicks = 0;
        EXPECT_EQ(modal.DoModal(), IDOK);
        EXPECT_EQ(ownerClicks, parent == nullptr ? 1 : 0);
        EXPECT_EQ(bystanderClicks, 1);
    }
}

// A dialog object that goes takes its window off the screen, timers and all.
TEST(Dialog, LeavesTheScreenWithItsObject) {
    {
        TestDialog gone;
        ASSERT_TRUE(gone.Create());
        gone.ShowWindow(SW_SHOW);
        gone.SetTimer(1, 1);
    }
    ProcessEventsUntil([] { return false; }, 50);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(
        std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }));
}

// While a download runs Close is off, and no way of closing may end the window.
TEST_F(Window, DisabledCloseIsRefusedEveryWayThenAllowedAgain) {
    CMenu& menu = *dialog.GetSystemMenu(FALSE);
    const std::pair<const char*, std::function<void()>> attempts[] = {
        {"TitleBarClose", [&] { screeninput::TopLevelOf(dialog)->close(); }},
        {"AltF4", [&] { screeninput::Press(dialog, Qt::Key_F4, Qt::AltModifier); }},
        {"ToolkitReject", [&] { qobject_cast<QDialog*>(dialog.Widget())->reject(); }},
        {"MenuItem",
         [&] {
             PressKey(dialog, VK_SPACE, true);
             ChooseOpenMenuItem(dialog, SC_CLOSE);
         }},
    };
    for (const auto& [name, attempt] : attempts) {
        SCOPED_TRACE(name);
        EXPECT_EQ(menu.EnableMenuItem(SC_CLOSE, MF_GRAYED | MF_DISABLED), MF_ENABLED);
        attempt();
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(menu.EnableMenuItem(SC_CLOSE, MF_ENABLED), MF_GRAYED | MF_DISABLED);
        attempt();
        EXPECT_FALSE(dialog.IsWindowVisible());
        EXPECT_EQ(std::exchange(dialog.cancelCount, 0), 1);
        dialog.ShowWindow(SW_SHOW);
    }
}

// Each press reaches PreTranslateMessage once; what it does not consume gets the
// dialog defaults: Escape is Cancel, Return the focused button, else OK.
TEST_F(Window, KeysPassTheRuleThenTheDialogDefaults) {
    dialog.preTranslate = [](const MSG& msg) { return msg.wParam == 'X' ? TRUE : FALSE; };
    CWnd& edit = *dialog.GetDlgItem(kEdit);
    edit.SetWindowText("");
    for (const UINT key : {UINT{'A'}, UINT{'X'}, UINT{'1'}, VK_F1 + 1}) { // F2 types nothing
        PressKey(edit, key);
    }
    EXPECT_EQ(edit.GetWindowText(), "a1");
    ASSERT_EQ(dialog.translated.size(), 4u) << "once per press, not once per parent";
    EXPECT_EQ(dialog.translated[0].hwnd, edit.Widget());
    int pressed = 0;
    dialog.OnClicked(kButton, [&] { ++pressed; });
    PressKey(*dialog.GetDlgItem(kButton), VK_RETURN);
    EXPECT_EQ(pressed, 1);
    edit.SetWindowText("99");
    edit.SetFocus();
    screeninput::Press(dialog, Qt::Key_Return); // the focus decides, as for a user
    EXPECT_EQ(dialog.okCount, 1);
    EXPECT_EQ(dialog.editText, "99") << "OnOK reads the fields into the members";
    dialog.ShowWindow(SW_SHOW);
    PressKey(edit, VK_ESCAPE);
    EXPECT_EQ(dialog.cancelCount, 1);
}

// The result timers kill themselves in their handler: exactly one call each.
TEST_F(Window, TimersFireWithTheirIdsUntilKilled) {
    dialog.onTimer = [&](UINT_PTR id) {
        if (id == 10000) {
            dialog.KillTimer(id);
        }
    };
    EXPECT_EQ(dialog.SetTimer(10000, 10), 10000u);
    EXPECT_EQ(dialog.SetTimer(8, 1), 8u);
    std::vector<int> intervals;
    for (const auto& timer :
         QAbstractEventDispatcher::instance()->registeredTimers(dialog.Widget())) {
        intervals.push_back(timer.interval);
    }
    EXPECT_EQ(intervals, (std::vector<int>{10, 10})) << "1 ms is raised to Windows' 10 ms minimum";
    const auto count = [&](UINT_PTR id) {
        return std::count(dialog.timerIds.begin(), dialog.timerIds.end(), id);
    };
    ASSERT_TRUE(ProcessEventsUntil([&] { return count(8) >= 3; }));
    EXPECT_EQ(count(10000), 1);
    EXPECT_TRUE(dialog.KillTimer(8));
    EXPECT_FALSE(dialog.KillTimer(8)) << "one timer per id";
    const QWidget* destroyed = dialog.Widget(); // deleted once events run again
    dialog.DestroyWindow();
    EXPECT_FALSE(destroyed->isVisible());
    EXPECT_EQ(dialog.GetSystemMenu(FALSE), nullptr) << "nothing of the window is left";
    for (auto get : {&CWnd::GetWindowRect, &CWnd::GetClientRect}) {
        RECT area{1, 1, 1, 1};
        (dialog.*get)(&area);
        EXPECT_EQ(area.left | area.top | area.right | area.bottom, 0) << "no window, no area";
    }
    EXPECT_EQ(dialog.SetTimer(1, 10), 0u) << "no window";
}

// The download worker changes controls, asks questions and arms its result timer;
// all of it runs on the UI thread, in order, with exceptions carried back.
TEST_F(Window, WorkerHandsEverythingToTheUiThread) {
    std::vector<MessageBoxRequest> boxes;
    ScopedMessageBoxResponder responder([&](const MessageBoxRequest& request) {
        boxes.push_back(request);
        EXPECT_TRUE(IsUiThread());
        return IDCANCEL;
    });
    int answer = 0;
    bool rethrown = false;
    std::atomic<bool> finished{false};
    std::jthread worker([&] {
        for (int i = 0; i < 50; ++i) {
            dialog.logList.AddString("block " + std::to_string(i)); // each in order
        }
        answer = dialog.MessageBox("계속할까요?", "확인", MB_OKCANCEL | MB_ICONEXCLAMATION);
        try {
            RunOnUiThread([] { throw std::runtime_error("fails on the UI thread"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
        dialog.SetTimer(10001, 10);
        finished = true;
    });
    ASSERT_TRUE(ProcessEventsUntil([&] { return finished.load(); }));
    EXPECT_EQ(dialog.logList.GetCount(), 50);
    EXPECT_EQ(dialog.logList.GetText(49), "block 49");
    EXPECT_EQ(dialog.logList.SetCurSel(50), LB_ERR) << "past the end";
    EXPECT_EQ(answer, IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text + "|" + boxes[0].caption, "계속할까요?|확인");
    EXPECT_EQ(boxes[0].owner, &dialog);
    AfxMessageBox("끝");
    EXPECT_EQ(boxes.back().caption, "framework_ui_tests") << "the program's name by default";
    EXPECT_TRUE(rethrown);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.timerIds.empty(); }));
}

} // namespace
