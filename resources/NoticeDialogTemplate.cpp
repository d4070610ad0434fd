#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {IDC_NOTICE_TEXT, Static, 3, 12, 302, 18, kVisible | kCentred | kMultiLine,
     "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
     "단말기가 정상 동작하지 않을 수 있습니다."},
    {IDC_NOTICE_OK_BUTTON, Button, 127, 40, 55, 14, kVisible | kDefaultButton, "확인"},
};

// A frameless pop-up: nothing on it lets the user close it while a download runs.
constexpr DialogTemplate kNoticeDialog{
    IDD_INPROGRESS, "", 308, 59, "맑은 고딕", 12, kThinBorder, kControls,
};

} // namespace

const DialogTemplate& NoticeDialogTemplate() {
    return kNoticeDialog;
}
