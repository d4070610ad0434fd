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
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.AddString("장비 확인 중..."), 0);
    EXPECT_EQ(list.AddString("second"), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    std::string text;
    EXPECT_EQ(list.GetText(0, text), static_cast<int>(std::string("장비 확인 중...").size()));
    EXPECT_EQ(text, "장비 확인 중...");
    EXPECT_EQ(list.GetText(2, text), LB_ERR);
    EXPECT_EQ(list.GetText(-1), "");
    EXPECT_EQ(list.SetCurSel(5), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR) << "a bad index clears the selection";
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(Controls, BoundMemberAndGetDlgItemReachTheSameList) {
    dialog.logList.AddString("via member");
    EXPECT_EQ(Item<CListBox>(kList).GetText(0), "via member");
}

TEST_F(Controls, ComboBoxStartsUnselected) {
    CComboBox& combo = Item<CComboBox>(kCombo);
    EXPECT_EQ(combo.AddString("COM1"), 0);
    EXPECT_EQ(combo.AddString("COM7"), 1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetWindowText(), "COM7");
    EXPECT_EQ(combo.GetLBText(0), "COM1");
    std::string text;
    EXPECT_EQ(combo.GetLBText(9, text), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

// CBN_SELCHANGE comes from the user's choice only, never from SetCurSel.
TEST_F(Controls, SelectionChangeHandlerHearsTheUserOnly) {
    CComboBox& combo = Item<CComboBox>(kCombo);
    combo.AddString("9600");
    combo.AddString("115200");
    int changes = 0;
    dialog.OnSelChange(kCombo, [&] { ++changes; });
    combo.SetCurSel(1);
    EXPECT_EQ(changes, 0);
    auto* widget = dynamic_cast<QComboBox*>(combo.Widget());
    widget->setCurrentIndex(0);
    emit widget->activated(0);
    EXPECT_EQ(changes, 1);
}

struct ProgressCase {
    const char* name;
    int lower, upper, position;
    int expectedPosition;
    int shownValue, shownMaximum;
};

class Progress : public Controls, public testing::WithParamInterface<ProgressCase> {};

// A transfer overshoots its total by one block; the bar must then show full, not
// keep its last in-range value.
TEST_P(Progress, HoldsPositionInRange) {
    const ProgressCase& c = GetParam();
    CProgressCtrl& bar = Item<CProgressCtrl>(kProgress);
    bar.SetRange32(c.lower, c.upper);
    bar.SetPos(c.position);
    EXPECT_EQ(bar.GetPos(), c.expectedPosition);
    auto* widget = dynamic_cast<QProgressBar*>(bar.Widget());
    EXPECT_EQ(widget->value(), c.shownValue);
    EXPECT_EQ(widget->maximum(), c.shownMaximum);
    EXPECT_NE(widget->minimum(), widget->maximum()) << "never the busy animation";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Progress,
    testing::Values(ProgressCase{"Inside", 0, 65536, 256, 256, 256, 65536},
                    ProgressCase{"PastTheEnd", 0, 65536, 65792, 65536, 65536, 65536},
                    ProgressCase{"BeforeTheStart", 10, 20, 3, 10, 10, 20},
                    ProgressCase{"EmptyRange", 0, 0, 256, 0, 0, 1}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return info.param.name; });

TEST_F(Controls, ProgressStartsAtWindowsDefaults) {
    CProgressCtrl& bar = Item<CProgressCtrl>(kProgress);
    int lower = -1;
    int upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100);
    EXPECT_EQ(bar.SetPos(40), 0);
    EXPECT_EQ(bar.SetPos(50), 40) << "SetPos answers the previous position";
}

TEST_F(Controls, CheckBoxAndButtonClick) {
    CButton& check = Item<CButton>(kCheck);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED) << "set from the bound member at start";
    check.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);

    int clicks = 0;
    dialog.OnClicked(kButton, [&] { ++clicks; });
    dialog.OnClicked(kDisabledButton, [&] { clicks += 100; });
    Item<CButton>(kButton).Click();
    Item<CButton>(kDisabledButton).Click();
    EXPECT_EQ(clicks, 1) << "a disabled button gives no command";
    check.Click();
    EXPECT_EQ(check.GetCheck(), BST_CHECKED) << "a click toggles the automatic check box";
}

TEST_F(Controls, EditLimitsAndTexts) {
    CEdit& edit = Item<CEdit>(kEdit);
    auto* line = dynamic_cast<QLineEdit*>(edit.Widget());
    EXPECT_EQ(line->maxLength(), 5) << "the template's limit";
    edit.SetLimitText(2);
    line->setText("12345");
    EXPECT_EQ(edit.GetWindowText(), "12");
    edit.SetLimitText(0);
    edit.SetWindowText("한글 텍스트");
    EXPECT_EQ(edit.GetWindowText(), "한글 텍스트");
    edit.SetReadOnly();
    EXPECT_TRUE(line->isReadOnly());
}

TEST_F(Controls, EnableAndShowReportThePreviousState) {
    CWnd& button = *dialog.GetDlgItem(kButton);
    EXPECT_FALSE(button.EnableWindow(FALSE)) << "was enabled";
    EXPECT_FALSE(button.IsWindowEnabled());
    EXPECT_TRUE(button.EnableWindow(TRUE)) << "was disabled";
    EXPECT_TRUE(button.ShowWindow(SW_HIDE)) << "was visible";
    EXPECT_FALSE(button.IsWindowVisible());
    EXPECT_FALSE(button.ShowWindow(SW_SHOW));
    EXPECT_TRUE(button.IsWindowVisible());
}

TEST_F(Controls, DataExchangeBothWays) {
    dialog.editText = "15";
    dialog.checked = BST_UNCHECKED;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.GetDlgItem(kEdit)->GetWindowText(), "15");
    EXPECT_EQ(Item<CButton>(kCheck).GetCheck(), BST_UNCHECKED);
    dialog.GetDlgItem(kEdit)->SetWindowText("42");
    Item<CButton>(kCheck).SetCheck(BST_CHECKED);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.editText, "42");
    EXPECT_EQ(dialog.checked, BST_CHECKED);
}

} // namespace
