#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using enum ControlKind;

// Several hidden controls share the parking spot 333, 305, 15, 14: they exist for
// their handlers but are never shown in the window as built.
constexpr ControlTemplate kControls[] = {
    {IDC_PORT_LABEL, Static, 334, 299, 14, 8, kMultiLine, "Port"},
    {IDC_PORT_COMBO, DropDownList, 273, 307, 16, 64, 0, ""},
    {IDC_OPEN_BUTTON, Button, 333, 305, 15, 14, 0, "Open"},
    {IDC_REFRESH_BUTTON, Button, 333, 305, 15, 14, 0, "Refresh"},
    {kNoControlId, Static, 333, 305, 15, 14, kMultiLine, "Baud"},
    {IDC_BAUD_COMBO, DropDownList, 273, 307, 16, 73, 0, ""},
    {IDC_TRANSFER_BUTTON, Button, 210, 119, 138, 32, kVisible, "전송"},
    {kNoControlId, Static, 124, 66, 26, 8, kMultiLine, "F/W File"},
    {IDC_FIRMWARE_FILE_FIELD, Edit, 123, 75, 225, 14, kReadOnly | kBorder, ""},
    {IDC_FIRMWARE_FILE_BUTTON, Button, 293, 127, 55, 14, 0, "FW 파일 선택"},
    {IDC_LOG_LIST, ListBox, 7, 155, 341, 72, kVisible | kVScroll, ""},
    {IDC_KEY_FILE_LABEL, Static, 8, 285, 72, 8, kMultiLine, "Offline F/W Key"},
    {IDC_KEY_FILE_FIELD, Edit, 333, 305, 15, 14, kBorder, ""},
    {IDC_KEY_FILE_BUTTON, Button, 333, 305, 15, 14, 0, "..."},
    {IDC_ADMIN_PASSWORD_BUTTON, Button, 259, 38, 89, 16, 0, "Admin Password Change"},
    {IDC_CLEAR_BUTTON, Button, 333, 305, 15, 14, 0, "Clear"},
    {IDC_VERSION_BUTTON, Button, 333, 305, 15, 14, 0, "Version"},
    {IDC_READER_INFO_BUTTON, Button, 283, 286, 65, 24, kVisible, "리더기 정보 조회"},
    {IDC_READER_INFO_LINE, Static, 7, 287, 274, 20, kVisible | kMultiLine, ""},
    {IDC_DEBUG_LEVEL_BUTTON, Button, 333, 305, 15, 14, 0, "Set debug level"},
    {IDC_DEBUG_LEVEL_FIELD, Edit, 333, 305, 15, 14, kBorder, ""},
    {IDC_BANNER_LINE, Static, 7, 7, 341, 31, kVisible | kMultiLine, ""},
    {IDC_PROCEDURE_TEXT, Static, 11, 34, 246, 74, kVisible | kMultiLine, ""},
    {IDC_PROGRESS_COUNTER, Edit, 289, 229, 59, 14, kVisible | kBorder | kDisabled, ""},
    {IDC_PROGRESS_BAR, ProgressBar, 7, 229, 281, 14, kVisible, ""},
    {IDC_STATUS_LINE, Static, 7, 257, 341, 23, kVisible | kCentred | kMultiLine, ""},
    {kNoControlId, Static, 7, 311, 274, 8, kVisible | kMultiLine,
     "리더기 정보 설명 : VAN=VAN사 정보_리더기 시리얼 번호_인증버전_리더기버전_모델명"},
    {kNoControlId, Static, 7, 107, 272, 8, kVisible | kMultiLine,
     "- 포트 번호를 직접 입력하시려면 [포트 자동 검색] 체크를 제거 후 번호를 입력해주세요."},
    {IDC_PORT_NUMBER_LABEL, Static, 143, 137, 21, 8, kMultiLine, "PORT:"},
    {IDC_PORT_NUMBER_FIELD, Edit, 166, 134, 40, 14, kBorder, ""},
    {IDC_AUTO_SEARCH_CHECK, CheckBox, 150, 120, 57, 10, kVisible, "포트 자동 검색"},
    {IDC_MODEL_NAME_FIELD, Edit, 258, 63, 82, 16, kVisible | kBorder, ""},
    {kNoControlId, Static, 258, 35, 82, 27, kVisible | kMultiLine,
     "* 다운로드 중 실패하면, 해당 리더기의 모델명을 반드시 재입력 후 시도해 주세요."},
    {IDC_MANUAL_BUTTON, Button, 286, 90, 55, 16, kVisible, "매뉴얼"},
    {IDC_USB_VERSION_LABEL, Static, 314, 7, 34, 9, kMultiLine, "USB 버전"},
};

constexpr DialogTemplate kMainDialog{
    IDD_BRIMLET_DIALOG,
    "",
    355,
    320,
    "MS Shell Dlg",
    9,
    kCaption | kSystemMenu | kMinimizeBox | kModalFrame | kTaskBar,
    kControls,
};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}
