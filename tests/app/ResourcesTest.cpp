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

namespace {

// Template 102 holds the controls in the documented order, so that the tab order
// and the unnamed labels match the documentation row by row.
TEST(MainTemplate, MatchesTheDocumentedRows) {
    const DialogTemplate& main = MainDialogTemplate();
    EXPECT_EQ(main.id, 102);
    EXPECT_EQ((std::array{main.width, main.height, main.fontPoints}), (std::array{355, 320, 9}));
    EXPECT_EQ(main.style, kCaption | kSystemMenu | kMinimizeBox | kModalFrame | kTaskBar);
    ASSERT_EQ(main.controls.size(), ExpectedMainControls().size());
    for (std::size_t i = 0; i < main.controls.size(); ++i) {
        const ExpectedControl& expected = ExpectedMainControls()[i];
        const ControlTemplate& actual = main.controls[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(actual.id, expected.id);
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ((std::array{actual.x, actual.y, actual.width, actual.height}),
                  (std::array{expected.x, expected.y, expected.width, expected.height}));
        EXPECT_EQ((actual.style & kVisible) != 0, expected.shown);
        EXPECT_EQ((actual.style & kDisabled) == 0, expected.enabled);
        EXPECT_STREQ(actual.text, expected.templateText);
    }
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    const auto found = std::find_if(dialog.controls.begin(), dialog.controls.end(),
                                    [id](const ControlTemplate& c) { return c.id == id; });
    return found == dialog.controls.end() ? nullptr : &*found;
}

TEST(AboutAndNoticeTemplates, CaptionTextAndOkButton) {
    const DialogTemplate& about = AboutDialogTemplate();
    EXPECT_EQ((std::array{about.id, about.width, about.height}), (std::array{100, 170, 62}));
    EXPECT_STREQ(about.caption, "Brimlet 정보");
    ASSERT_EQ(about.controls.size(), 3u);
    EXPECT_EQ(about.controls[0].kind, ControlKind::Icon);
    EXPECT_STREQ(about.controls[1].text, "Brimlet, 버전 1.0");
    ASSERT_NE(FindControl(about, IDOK), nullptr);
    EXPECT_STREQ(FindControl(about, IDOK)->text, "확인");

    const DialogTemplate& notice = NoticeDialogTemplate();
    EXPECT_EQ((std::array{notice.id, notice.width, notice.height}), (std::array{132, 308, 59}));
    EXPECT_STREQ(notice.fontFace, "맑은 고딕");
    EXPECT_EQ(notice.style, kThinBorder);
    const ControlTemplate* text = FindControl(notice, 1059);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text, "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n단말기가 "
                             "정상 동작하지 않을 수 있습니다.");
    const ControlTemplate* ok = FindControl(notice, 1058);
    ASSERT_NE(ok, nullptr);
    EXPECT_NE(ok->style & kDefaultButton, 0u);
    EXPECT_STREQ(ok->text, "확인");
}

TEST(Resources, AboutItemStringAndPngIcon) {
    EXPECT_STREQ(LoadResourceString(101), "Brimlet 정보(&A)...");
    EXPECT_STREQ(LoadResourceString(102), "");
    const auto png = ProgramIconPng();
    ASSERT_GT(png.size(), 8u);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_EQ(std::memcmp(png.data(), signature, sizeof signature), 0);
}

} // namespace
