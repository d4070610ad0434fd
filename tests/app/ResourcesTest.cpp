#include "framework/WinTypes.h"
#include "resources/DialogTemplates.h"
#include "resources/Icon.h"
#include "resources/ResourceIds.h"
#include "resources/Strings.h"
#include "tests/app/ExpectedMainWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

// Template 102 holds the controls in the documented order, so that the tab order
// and the unnamed labels match the documentation row by row.
class MainTemplateRowTest : public testing::TestWithParam<std::size_t> {};

TEST_P(MainTemplateRowTest, MatchesDocumentedRow) {
    const ExpectedControl& expected = ExpectedMainControls()[GetParam()];
    const DialogTemplate& main = MainDialogTemplate();
    ASSERT_EQ(main.controls.size(), ExpectedMainControls().size());
    const ControlTemplate& actual = main.controls[GetParam()];

    EXPECT_EQ(actual.id, expected.id);
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ((actual.style & kVisible) != 0, expected.shown);
    EXPECT_EQ((actual.style & kDisabled) == 0, expected.enabled);
    EXPECT_STREQ(actual.text, expected.templateText);
}

INSTANTIATE_TEST_SUITE_P(Rows, MainTemplateRowTest,
                         testing::Range<std::size_t>(0, ExpectedMainControls().size()),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             return std::string(ExpectedMainControls()[info.param].name);
                         });

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    const auto found = std::find_if(dialog.controls.begin(), dialog.controls.end(),
                                    [id](const ControlTemplate& c) { return c.id == id; });
    return found == dialog.controls.end() ? nullptr : &*found;
}

TEST(MainTemplate, StylesOfFieldsAndList) {
    const DialogTemplate& main = MainDialogTemplate();
    EXPECT_EQ(main.id, 102);
    EXPECT_EQ(main.width, 355);
    EXPECT_EQ(main.height, 320);
    EXPECT_STREQ(main.fontFace, "MS Shell Dlg");
    EXPECT_EQ(main.fontPoints, 9);
    EXPECT_EQ(main.style, kCaption | kSystemMenu | kMinimizeBox | kModalFrame | kTaskBar);

    EXPECT_EQ(FindControl(main, 1008)->style & (kReadOnly | kBorder), kReadOnly | kBorder);
    EXPECT_NE(FindControl(main, 1014)->style & kVScroll, 0u);
    EXPECT_NE(FindControl(main, 1054)->style & kCentred, 0u);
    for (int field : {1016, 1051, 1049, 1047, 1061}) {
        SCOPED_TRACE(field);
        EXPECT_NE(FindControl(main, field)->style & kBorder, 0u);
        EXPECT_EQ(FindControl(main, field)->style & kReadOnly, 0u);
    }
}

TEST(MainTemplate, NamedIdsAreUnique) {
    const DialogTemplate& main = MainDialogTemplate();
    for (const ControlTemplate& c : main.controls) {
        if (c.id == kNoControlId) {
            continue;
        }
        EXPECT_EQ(std::count_if(main.controls.begin(), main.controls.end(),
                                [&c](const ControlTemplate& o) { return o.id == c.id; }),
                  1)
            << c.id;
    }
}

TEST(AboutTemplate, CaptionIconTextAndOkButton) {
    const DialogTemplate& about = AboutDialogTemplate();
    EXPECT_EQ(about.id, 100);
    EXPECT_EQ(about.width, 170);
    EXPECT_EQ(about.height, 62);
    EXPECT_STREQ(about.caption, "Brimlet 정보");
    ASSERT_EQ(about.controls.size(), 3u);
    EXPECT_EQ(about.controls[0].kind, ControlKind::Icon);
    EXPECT_STREQ(about.controls[0].text, "128");
    EXPECT_STREQ(about.controls[1].text, "Brimlet, 버전 1.0");
    const ControlTemplate* ok = FindControl(about, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->kind, ControlKind::Button);
    EXPECT_STREQ(ok->text, "확인");
}

TEST(NoticeTemplate, FramelessWithTextAndOkButton) {
    const DialogTemplate& notice = NoticeDialogTemplate();
    EXPECT_EQ(notice.id, 132);
    EXPECT_EQ(notice.width, 308);
    EXPECT_EQ(notice.height, 59);
    EXPECT_STREQ(notice.fontFace, "맑은 고딕");
    EXPECT_EQ(notice.fontPoints, 12);
    EXPECT_EQ(notice.style, kThinBorder);

    const ControlTemplate* text = FindControl(notice, 1059);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->kind, ControlKind::Static);
    EXPECT_EQ((std::array{text->x, text->y, text->width, text->height}),
              (std::array{3, 12, 302, 18}));
    EXPECT_NE(text->style & kCentred, 0u);
    EXPECT_STREQ(text->text, "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n단말기가 "
                             "정상 동작하지 않을 수 있습니다.");

    const ControlTemplate* ok = FindControl(notice, 1058);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->kind, ControlKind::Button);
    EXPECT_EQ((std::array{ok->x, ok->y, ok->width, ok->height}), (std::array{127, 40, 55, 14}));
    EXPECT_NE(ok->style & kDefaultButton, 0u);
    EXPECT_STREQ(ok->text, "확인");
}

TEST(Strings, AboutItemAndUnknownIds) {
    EXPECT_STREQ(LoadResourceString(101), "Brimlet 정보(&A)...");
    EXPECT_STREQ(LoadResourceString(0), "");
    EXPECT_STREQ(LoadResourceString(102), "");
    EXPECT_STREQ(LoadResourceString(-1), "");
}

TEST(Icon, IsAPngImage) {
    const auto png = ProgramIconPng();
    ASSERT_GT(png.size(), 8u);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_EQ(std::memcmp(png.data(), signature, sizeof signature), 0);
}

} // namespace
