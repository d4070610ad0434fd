#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

namespace {

using namespace testdialog;

class Controls : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    template <class T> T& Item(int id) { return *dynamic_cast<T*>(dialog.GetDlgItem(id)); }
    TestDialog dialog;
};

TEST_F(Controls, ListBoxAddsSelectsAndEmpties) {
    CListBox& list = Item<CListBox>(kList);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(dialog.logList.AddString("장비 확인 중..."), 0) << "the bound member is that list";
    EXPECT_EQ(list.AddString("second"), 1);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    std::string text;
    EXPECT_EQ(list.GetText(0, text), static_cast<int>(std::string("장비 확인 중...").size()));
    EXPECT_EQ(text, "장비 확인 중...");
    EXPECT_EQ(list.GetText(2, text), LB_ERR);
    EXPECT_EQ(list.SetCurSel(5), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR) << "a bad index clears the selection";
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

// CBN_SELCHANGE comes from the user's choice only, never from SetCurSel.
TEST_F(Controls, ComboBoxStartsUnselectedAndHearsTheUserOnly) {
    CComboBox& combo = Item<CComboBox>(kCombo);
    EXPECT_EQ(combo.AddString("COM1"), 0);
    EXPECT_EQ(combo.AddString("COM7"), 1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    int changes = 0;
    dialog.OnSelChange(kCombo, [&] { ++changes; });
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetWindowText(), "COM7");
    EXPECT_EQ(combo.GetLBText(0), "COM1");
    EXPECT_EQ(changes, 0);
    auto* widget = dynamic_cast<QComboBox*>(combo.Widget());
    widget->setCurrentIndex(0);
    emit widget->activated(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

// A transfer overshoots its total by one block; the bar must then show full, not
// keep its last in-range value.
TEST_F(Controls, ProgressHoldsPositionInRange) {
    CProgressCtrl& bar = Item<CProgressCtrl>(kProgress);
    EXPECT_EQ(bar.SetPos(40), 0);
    EXPECT_EQ(bar.SetPos(50), 40) << "SetPos answers the previous position";
    struct Case {
        int lower, upper, position, expectedPosition, shownMaximum;
    };
    auto* widget = dynamic_cast<QProgressBar*>(bar.Widget());
    for (const Case& c :
         {Case{0, 65536, 65792, 65536, 65536}, Case{10, 20, 3, 10, 20}, Case{0, 0, 256, 0, 1}}) {
        SCOPED_TRACE(c.position);
        bar.SetRange32(c.lower, c.upper);
        bar.SetPos(c.position);
        EXPECT_EQ(bar.GetPos(), c.expectedPosition);
        EXPECT_EQ(widget->value(), c.expectedPosition);
        EXPECT_EQ(widget->maximum(), c.shownMaximum) << "never the busy animation";
    }
}

TEST_F(Controls, ButtonsEditsAndWindowStates) {
    CButton& check = Item<CButton>(kCheck);
    int clicks = 0;
    dialog.OnClicked(kButton, [&] { ++clicks; });
    dialog.OnClicked(kDisabledButton, [&] { clicks += 100; });
    Item<CButton>(kButton).Click();
    Item<CButton>(kDisabledButton).Click();
    EXPECT_EQ(clicks, 1) << "a disabled button gives no command";
    check.Click();
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED) << "a click toggles the automatic check box";

    CEdit& edit = Item<CEdit>(kEdit);
    auto* line = dynamic_cast<QLineEdit*>(edit.Widget());
    EXPECT_EQ(line->maxLength(), 5) << "the template's limit";
    edit.SetLimitText(2);
    line->setText("12345");
    EXPECT_EQ(edit.GetWindowText(), "12");
    edit.SetReadOnly();
    EXPECT_TRUE(line->isReadOnly());

    EXPECT_FALSE(edit.EnableWindow(FALSE)) << "was enabled";
    EXPECT_FALSE(edit.IsWindowEnabled());
    EXPECT_TRUE(edit.EnableWindow(TRUE)) << "was disabled";
    EXPECT_TRUE(edit.ShowWindow(SW_HIDE)) << "was visible";
    EXPECT_FALSE(edit.IsWindowVisible());
    EXPECT_FALSE(edit.ShowWindow(SW_SHOW));
}

TEST_F(Controls, DataExchangeBothWays) {
    EXPECT_EQ(Item<CButton>(kCheck).GetCheck(), BST_CHECKED) << "set from the member at start";
    dialog.editText = "15";
    dialog.checked = BST_UNCHECKED;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.GetDlgItem(kEdit)->GetWindowText(), "15");
    EXPECT_EQ(Item<CButton>(kCheck).GetCheck(), BST_UNCHECKED);
    dialog.GetDlgItem(kEdit)->SetWindowText("한글 42");
    Item<CButton>(kCheck).SetCheck(BST_CHECKED);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.editText, "한글 42");
    EXPECT_EQ(dialog.checked, BST_CHECKED);
}

} // namespace
