#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QTextLayout>
#include <QWidget>

#include <map>

namespace {

using namespace testdialog;

class DialogBuild : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    TestDialog dialog;
};

template <class T> bool IsA(CWnd* wnd) {
    return dynamic_cast<T*>(wnd) != nullptr;
}

TEST_F(DialogBuild, EveryControlHasItsKindVisibilityStateAndText) {
    struct Case {
        int id;
        bool (*isKind)(CWnd*);
        bool visible, enabled;
        const char* text;
    };
    const Case cases[] = {
        {kLabel, IsA<CStatic>, true, true, "Port"},
        {kEdit, IsA<CEdit>, true, true, "7"},
        {kHiddenEdit, IsA<CEdit>, false, true, "secret"},
        {kButton, IsA<CButton>, true, true, "전송"},
        {kCheck, IsA<CButton>, true, true, "포트 자동 검색"},
        {kList, IsA<CListBox>, true, true, ""},
        {kCombo, IsA<CComboBox>, true, true, ""},
        {kProgress, IsA<CProgressCtrl>, true, true, ""},
        {kDisabledButton, IsA<CButton>, true, false, "Open"},
        {kMultiLineStatic, IsA<CStatic>, true, true, "다운로드 절차\r\n1. 확인"},
        {kIconControl, IsA<CStatic>, true, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CWnd* control = dialog.GetDlgItem(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(c.isKind(control));
        EXPECT_EQ(control->GetDlgCtrlID(), c.id);
        EXPECT_EQ(control->IsWindowVisible(), c.visible ? TRUE : FALSE);
        EXPECT_EQ(control->IsWindowEnabled(), c.enabled ? TRUE : FALSE);
        if (c.text != nullptr) {
            EXPECT_EQ(control->GetWindowText(), c.text);
        }
    }
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(kNoControlId), nullptr) << "labels without id are not addressable";
    EXPECT_EQ(dialog.GetWindowText(), "Test");
    auto* label = dynamic_cast<QLabel*>(dialog.GetDlgItem(kMultiLineStatic)->Widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8("다운로드 절차\n1. 확인"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
}

TEST_F(DialogBuild, SizesFollowTheDialogFontBaseUnits) {
    QWidget* window = dialog.Widget();
    // Base units measured here independently: the 52-letter average and the height.
    QFontMetrics metrics(window->font());
    int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int baseX = (alphabet / 26 + 1) / 2;
    int baseY = metrics.ascent() + metrics.descent();
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
    EXPECT_EQ(mapped.bottom, list->y() + list->height());

    dialog.MoveWindow(100, 100, 800, 600);
    EXPECT_TRUE(dialog.SetWindowPos(&CWnd::wndTop, 269, 267, 0, 0, SWP_NOSIZE));
    RECT rect{};
    dialog.GetWindowRect(&rect);
    EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}),
              (std::vector<LONG>{269, 267, 269 + 800, 267 + 600}));
}

// Korean texts must come out as glyphs, never as the empty boxes of a missing glyph
// (glyph index 0), whatever the requested Windows face resolves to.
TEST_F(DialogBuild, KoreanTextHasRealGlyphs) {
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

TEST_F(DialogBuild, DestroyedDialogLeavesControlsInert) {
    EXPECT_FALSE(dialog.Create()) << "created once only";
    dialog.logList.AddString("line");
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.GetDlgItem(kList), nullptr);
    EXPECT_EQ(dialog.logList.GetCount(), LB_ERR) << "the bound control lost its window";
    dialog.logList.AddString("ignored");
    EXPECT_FALSE(dialog.IsAttached());
    EXPECT_EQ(dialog.SetTimer(1, 10), 0u);
}

class BlueLabelDialog : public TestDialog {
public:
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override {
        asked[control->GetDlgCtrlID()] = ctlColor;
        if (control->GetDlgCtrlID() == kLabel) {
            EXPECT_EQ(dc->SetTextColor(RGB(0, 0, 255)), RGB(0, 0, 0));
        }
        return TestDialog::OnCtlColor(dc, control, ctlColor);
    }
    std::map<int, UINT> asked;
};

TEST(DialogColours, TextColourFromOnCtlColorReachesOnlyThatControl) {
    BlueLabelDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItem(kLabel)->Widget()->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    EXPECT_NE(dialog.GetDlgItem(kButton)->Widget()->palette().color(QPalette::ButtonText),
              QColor(0, 0, 255));
    EXPECT_EQ(dialog.asked[kLabel], CTLCOLOR_STATIC);
    EXPECT_EQ(dialog.asked[kEdit], CTLCOLOR_EDIT);
    EXPECT_EQ(dialog.asked[kList], CTLCOLOR_LISTBOX);
    EXPECT_EQ(dialog.asked[kButton], CTLCOLOR_BTN);
}

} // namespace
