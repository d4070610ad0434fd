#include "framework/DialogFont.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QTextLayout>
#include <QWidget>

namespace {

using namespace testdialog;

struct ControlCase {
    const char* name;
    int id;
    bool visible;
    bool enabled;
    const char* text;
};

class BuiltControl : public testing::TestWithParam<ControlCase> {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    TestDialog dialog;
};

template <class T> bool IsA(CWnd* wnd) {
    return dynamic_cast<T*>(wnd) != nullptr;
}

TEST_P(BuiltControl, HasKindVisibilityStateAndText) {
    const ControlCase& c = GetParam();
    CWnd* control = dialog.GetDlgItem(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetDlgCtrlID(), c.id);
    EXPECT_EQ(control->IsWindowVisible(), c.visible ? TRUE : FALSE);
    EXPECT_EQ(control->IsWindowEnabled(), c.enabled ? TRUE : FALSE);
    EXPECT_EQ(control->GetWindowText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Template, BuiltControl,
    testing::Values(ControlCase{"Label", kLabel, true, true, "Port"},
                    ControlCase{"Edit", kEdit, true, true, "7"},
                    ControlCase{"HiddenEdit", kHiddenEdit, false, true, "secret"},
                    ControlCase{"Button", kButton, true, true, "전송"},
                    ControlCase{"CheckBox", kCheck, true, true, "포트 자동 검색"},
                    ControlCase{"List", kList, true, true, ""},
                    ControlCase{"Combo", kCombo, true, true, ""},
                    ControlCase{"Progress", kProgress, true, true, ""},
                    ControlCase{"DisabledButton", kDisabledButton, true, false, "Open"},
                    ControlCase{"MultiLineStatic", kMultiLineStatic, true, true,
                                "다운로드 절차\r\n1. 확인"}),
    [](const testing::TestParamInfo<ControlCase>& info) { return info.param.name; });

TEST(DialogBuild, EachIdGivesAnObjectOfItsControlClass) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(IsA<CStatic>(dialog.GetDlgItem(kLabel)));
    EXPECT_TRUE(IsA<CEdit>(dialog.GetDlgItem(kEdit)));
    EXPECT_TRUE(IsA<CButton>(dialog.GetDlgItem(kButton)));
    EXPECT_TRUE(IsA<CButton>(dialog.GetDlgItem(kCheck)));
    EXPECT_TRUE(IsA<CListBox>(dialog.GetDlgItem(kList)));
    EXPECT_TRUE(IsA<CComboBox>(dialog.GetDlgItem(kCombo)));
    EXPECT_TRUE(IsA<CProgressCtrl>(dialog.GetDlgItem(kProgress)));
    EXPECT_TRUE(IsA<CStatic>(dialog.GetDlgItem(kIconControl)));
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(kNoControlId), nullptr) << "labels without id are not addressable";
    EXPECT_EQ(dialog.GetWindowText(), "Test");
}

TEST(DialogBuild, SizesFollowTheDialogFontBaseUnits) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    QWidget* window = dialog.Widget();
    ASSERT_NE(window, nullptr);

    // Base units measured here independently: the 52-letter average and the height.
    QFontMetrics metrics(window->font());
    int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int baseX = (alphabet / 26 + 1) / 2;
    int baseY = metrics.ascent() + metrics.descent();
    ASSERT_GT(baseX, 0);
    EXPECT_EQ(window->font().pixelSize(), 12) << "9 points at 96 pixels per inch";

    auto px = [](int du, int base, int divisor) {
        return (du * base * 2 + divisor) / (2 * divisor);
    };
    RECT client{};
    dialog.GetClientRect(&client);
    EXPECT_EQ(client.right, px(210, baseX, 4));
    EXPECT_EQ(client.bottom, px(110, baseY, 8));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";

    QWidget* list = dialog.GetDlgItem(kList)->Widget();
    EXPECT_EQ(list->geometry(),
              QRect(px(4, baseX, 4), px(50, baseY, 8), px(124, baseX, 4) - px(4, baseX, 4),
                    px(90, baseY, 8) - px(50, baseY, 8)));

    RECT mapped{4, 50, 124, 90};
    dialog.MapDialogRect(&mapped);
    EXPECT_EQ(mapped.left, list->x());
    EXPECT_EQ(mapped.bottom, list->y() + list->height());
}

TEST(DialogBuild, StaticBreaksLinesAndShowsNoMarkup) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* label = dynamic_cast<QLabel*>(dialog.GetDlgItem(kMultiLineStatic)->Widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8("다운로드 절차\n1. 확인"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
}

// Korean texts must come out as glyphs, never as the empty boxes of a missing glyph
// (glyph index 0), whatever the requested Windows face resolves to.
TEST(DialogBuild, KoreanTextHasRealGlyphs) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    QWidget* button = dialog.GetDlgItem(kButton)->Widget();
    QTextLayout layout(QString::fromUtf8("전송 다운로드 실패"), button->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            EXPECT_NE(index, 0u) << "missing glyph in " << run.rawFont().familyName().toStdString();
            ++glyphs;
        }
    }
    EXPECT_GE(glyphs, 8);
}

TEST(DialogBuild, DestroyedDialogLeavesControlsInert) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.logList.AddString("line");
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.GetDlgItem(kList), nullptr);
    EXPECT_EQ(dialog.logList.GetCount(), LB_ERR) << "the bound control lost its window";
    dialog.logList.AddString("ignored");
    EXPECT_FALSE(dialog.IsAttached());
    EXPECT_EQ(dialog.SetTimer(1, 10), 0u);
}

TEST(DialogBuild, CreateTwiceIsRefused) {
    TestDialog dialog;
    EXPECT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.Create());
}

TEST(DialogGeometry, MoveAndPlaceKeepTheSize) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.MoveWindow(100, 100, 800, 600);
    RECT rect{};
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);

    EXPECT_TRUE(dialog.SetWindowPos(&CWnd::wndTop, 269, 267, 0, 0, SWP_NOSIZE));
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 269);
    EXPECT_EQ(rect.top, 267);
    EXPECT_EQ(rect.right - rect.left, 800);
}

} // namespace

namespace {

class BlueLabelDialog : public TestDialog {
public:
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override {
        asked.emplace_back(control->GetDlgCtrlID(), ctlColor);
        if (control->GetDlgCtrlID() == testdialog::kLabel) {
            EXPECT_EQ(dc->SetTextColor(RGB(0, 0, 255)), RGB(0, 0, 0));
        }
        return TestDialog::OnCtlColor(dc, control, ctlColor);
    }
    std::vector<std::pair<int, UINT>> asked;
};

TEST(DialogColours, TextColourFromOnCtlColorReachesOnlyThatControl) {
    BlueLabelDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(
        dialog.GetDlgItem(testdialog::kLabel)->Widget()->palette().color(QPalette::WindowText),
        QColor(0, 0, 255));
    EXPECT_NE(
        dialog.GetDlgItem(testdialog::kButton)->Widget()->palette().color(QPalette::ButtonText),
        QColor(0, 0, 255));
    auto kindOf = [&](int id) {
        for (const auto& [askedId, kind] : dialog.asked) {
            if (askedId == id) {
                return kind;
            }
        }
        return 0u;
    };
    EXPECT_EQ(kindOf(testdialog::kLabel), CTLCOLOR_STATIC);
    EXPECT_EQ(kindOf(testdialog::kEdit), CTLCOLOR_EDIT);
    EXPECT_EQ(kindOf(testdialog::kList), CTLCOLOR_LISTBOX);
    EXPECT_EQ(kindOf(testdialog::kButton), CTLCOLOR_BTN);
}

TEST(DialogColours, RgbPacksRedFirst) {
    EXPECT_EQ(RGB(0, 0, 255), 0x00FF0000u);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
}

} // namespace
