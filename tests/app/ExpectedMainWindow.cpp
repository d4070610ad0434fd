#include "tests/app/ExpectedMainWindow.h"

const char* const kExpectedProcedureText =
    "다운로드 절차\r\n1. POS 프로그램이 종료 되었는지 확인해 주세요.\r\n2. [전송] 버튼을 눌러 "
    "주세요.\r\n3. 단말기로 FW 파일이 모두 전송될때까지 기다려 주세요.\r\n\r\n4. 반드시 다운로드 "
    "성공 메시지가 화면에 표시 된 후에 프로그램을 종료해 주세요.\r\n\r\n5. 포스를 재실행하여 거래 "
    "테스트 해주세요.";
const char* const kExpectedBanner = "Norvane F/W 다운로드(zev주유소)";
const char* const kExpectedTitle = "F/W Download Ver 4.7.20240705 by Norvane";

namespace {

constexpr int none = kNoControlId;
using enum ControlKind;

const char* const kReaderInfoHint =
    "리더기 정보 설명 : VAN=VAN사 정보_리더기 시리얼 번호_인증버전_리더기버전_모델명";
const char* const kPortHint =
    "- 포트 번호를 직접 입력하시려면 [포트 자동 검색] 체크를 제거 후 번호를 입력해주세요.";
const char* const kModelHint =
    "* 다운로드 중 실패하면, 해당 리더기의 모델명을 반드시 재입력 후 시도해 주세요.";

} // namespace

const std::vector<ExpectedControl>& ExpectedMainControls() {
    static const std::vector<ExpectedControl> rows = {
        {"PortLabel", 1000, Static, 334, 299, 14, 8, false, true, "Port", "Port"},
        {"PortCombo", 1001, DropDownList, 273, 307, 16, 64, false, true, "", ""},
        {"OpenButton", 1002, Button, 333, 305, 15, 14, false, true, "Open", "Open"},
        {"RefreshButton", 1003, Button, 333, 305, 15, 14, false, true, "Refresh", "Refresh"},
        {"BaudLabel", none, Static, 333, 305, 15, 14, false, true, "Baud", "Baud"},
        {"BaudCombo", 1004, DropDownList, 273, 307, 16, 73, false, true, "", ""},
        {"TransferButton", 1005, Button, 210, 119, 138, 32, true, true, "전송", "전송"},
        {"FirmwareFileLabel", none, Static, 124, 66, 26, 8, false, true, "F/W File", "F/W File"},
        {"FirmwareFileField", 1008, Edit, 123, 75, 225, 14, false, true, "", ""},
        {"FirmwareFileButton", 1009, Button, 293, 127, 55, 14, false, true, "FW 파일 선택",
         "FW 파일 선택"},
        {"LogList", 1014, ListBox, 7, 155, 341, 72, true, true, "", ""},
        {"KeyFileLabel", 1018, Static, 8, 285, 72, 8, false, true, "Offline F/W Key",
         "Offline F/W Key"},
        {"KeyFileField", 1016, Edit, 333, 305, 15, 14, false, true, "", ""},
        {"KeyFileButton", 1017, Button, 333, 305, 15, 14, false, true, "...", "..."},
        {"AdminPasswordButton", 1023, Button, 259, 38, 89, 16, false, true, "Admin Password Change",
         "Admin Password Change"},
        {"ClearButton", 1043, Button, 333, 305, 15, 14, false, true, "Clear", "Clear"},
        {"VersionButton", 1044, Button, 333, 305, 15, 14, false, true, "Version", "Version"},
        {"ReaderInfoButton", 1045, Button, 283, 286, 65, 24, true, true, "리더기 정보 조회",
         "리더기 정보 조회"},
        {"ReaderInfoLine", 1050, Static, 7, 287, 274, 20, true, true, "", ""},
        {"DebugLevelButton", 1046, Button, 333, 305, 15, 14, false, true, "Set debug level",
         "Set debug level"},
        {"DebugLevelField", 1051, Edit, 333, 305, 15, 14, false, true, "", "0"},
        {"BannerLine", 1052, Static, 7, 7, 341, 31, true, true, "", kExpectedBanner},
        {"ProcedureText", 1053, Static, 11, 34, 246, 74, true, true, "", kExpectedProcedureText},
        {"ProgressCounter", 1049, Edit, 289, 229, 59, 14, true, false, "", ""},
        {"ProgressBar", 1048, ProgressBar, 7, 229, 281, 14, true, true, "", ""},
        {"StatusLine", 1054, Static, 7, 257, 341, 23, true, true, "", ""},
        {"ReaderInfoHint", none, Static, 7, 311, 274, 8, true, true, kReaderInfoHint,
         kReaderInfoHint},
        {"PortHint", none, Static, 7, 107, 272, 8, true, true, kPortHint, kPortHint},
        {"PortNumberLabel", 1057, Static, 143, 137, 21, 8, false, true, "PORT:", "PORT:"},
        {"PortNumberField", 1047, Edit, 166, 134, 40, 14, false, true, "", "7"},
        {"AutoSearchCheck", 1056, CheckBox, 150, 120, 57, 10, true, true, "포트 자동 검색",
         "포트 자동 검색"},
        {"ModelNameField", 1061, Edit, 258, 63, 82, 16, true, true, "", ""},
        {"ModelHint", none, Static, 258, 35, 82, 27, true, true, kModelHint, kModelHint},
        {"ManualButton", 1062, Button, 286, 90, 55, 16, true, true, "매뉴얼", "매뉴얼"},
        {"UsbVersionLabel", 1063, Static, 314, 7, 34, 9, false, true, "USB 버전", "USB 버전"},
    };
    return rows;
}
