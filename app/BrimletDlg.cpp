#include "app/BrimletDlg.h"

#include "app/KeyFilter.h"
#include "app/ProgramIcon.h"
#include "core/WireTraceSwitch.h"
#include "framework/FileDialog.h"
#include "framework/Menu.h"
#include "framework/UserFolders.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Strings.h"

namespace {

constexpr const char* kWindowTitle = "F/W Download Ver 4.7.20240705 by Norvane";
constexpr const char* kBannerText = "Norvane F/W 다운로드"
                                    "(zev주유소)";
constexpr const char* kProcedureText =
    "다운로드 절차\r\n"
    "1. POS 프로그램이 종료 되었는지 확인해 주세요.\r\n"
    "2. [전송] 버튼을 눌러 주세요.\r\n"
    "3. 단말기로 FW 파일이 모두 전송될때까지 기다려 주세요.\r\n"
    "\r\n"
    "4. 반드시 다운로드 성공 메시지가 화면에 표시 된 후에 프로그램을 종료해 주세요.\r\n"
    "\r\n"
    "5. 포스를 재실행하여 거래 테스트 해주세요.";
constexpr const char* kKeyFileFilter = "Text Files(*.txt) | *.txt; | All Files(*.*)| *.*||";

// The window's two faces: banner and status in the large one, the reader
// information in the small one.
void CreateWindowFont(CFont& font, int height) {
    font.CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, "굴림체");
}

} // namespace

CBrimletDlg::CBrimletDlg(CWnd* parent, ReaderLink link)
    : CDialog(MainDialogTemplate(), parent), logFile(OpenRotatingLogFile(UserLogFilePath())),
      reader(TracedWhen(WireTraceSwitchedOn(), std::move(link), *logFile), *this, clock),
      download(reader, *this), aboutBox(this) {
    OnClicked(IDC_KEY_FILE_BUTTON, [this] { OnKeyFileButton(); });
    OnClicked(IDC_ADMIN_PASSWORD_BUTTON, [this] { OnAdminPasswordChange(); });
    OnClicked(IDC_CLEAR_BUTTON, [this] { ClearLog(); });
    OnClicked(IDC_OPEN_BUTTON, [this] { OnOpenButton(); });
    OnClicked(IDC_REFRESH_BUTTON, [this] { OnRefreshButton(); });
    OnClicked(IDC_AUTO_SEARCH_CHECK, [this] { OnAutoSearchCheck(); });
    OnClicked(IDC_READER_INFO_BUTTON, [this] { OnReaderInfoButton(); });
    OnClicked(IDC_VERSION_BUTTON, [this] { OnVersionButton(); });
    OnClicked(IDC_DEBUG_LEVEL_BUTTON, [this] { OnDebugLevelButton(); });
    OnClicked(IDC_FIRMWARE_FILE_BUTTON, [this] { BrowseFirmwareFile(); });
    OnClicked(IDC_MANUAL_BUTTON, [this] { OpenManual(); });
    OnClicked(IDC_TRANSFER_BUTTON, [this] { StartDownload(); });
}

CBrimletDlg::~CBrimletDlg() = default;

void CBrimletDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PORT_COMBO, portCombo);
    DDX_Control(dx, IDC_OPEN_BUTTON, openButton);
    DDX_Control(dx, IDC_BAUD_COMBO, baudCombo);
    DDX_Control(dx, IDC_LOG_LIST, logList);
    DDX_Control(dx, IDC_KEY_FILE_FIELD, keyFileField);
    DDX_Control(dx, IDC_FIRMWARE_FILE_FIELD, firmwareFileField);
    DDX_Control(dx, IDC_TRANSFER_BUTTON, transferButton);
    DDX_Control(dx, IDC_PROGRESS_BAR, progressBar);
    DDX_Control(dx, IDC_PROGRESS_COUNTER, progressCounter);
    DDX_Control(dx, IDC_BANNER_LINE, bannerLine);
    DDX_Control(dx, IDC_STATUS_LINE, statusLine);
    DDX_Control(dx, IDC_READER_INFO_LINE, readerInfoLine);
    DDX_Control(dx, IDC_PORT_NUMBER_FIELD, portNumberField);
    DDX_Control(dx, IDC_MODEL_NAME_FIELD, modelNameField);
    DDX_Check(dx, IDC_AUTO_SEARCH_CHECK, autoPortSearch);
}

BOOL CBrimletDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    const std::string aboutItem = LoadResourceString(IDS_ABOUTBOX);
    CMenu* systemMenu = GetSystemMenu(FALSE);
    if (systemMenu != nullptr && !aboutItem.empty()) {
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutItem.c_str());
    }

    SetIcon(ProgramIcon(), ICON_BIG);
    SetIcon(ProgramIcon(), ICON_SMALL);
    SetWindowText(kWindowTitle);
    SetUpPortLists();

    portNumberField.SetWindowText("7");
    InitCaPublicKeyTable(caPublicKeyTable);
    InitAidTable(aidTable);
    noticeDialog.reset();
    noticeMode = false;
    GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->SetWindowText("0");

    CreateWindowFont(largeFont, 30);
    bannerLine.SetFont(&largeFont);
    statusLine.SetFont(&largeFont);
    CreateWindowFont(smallFont, 18);
    readerInfoLine.SetFont(&smallFont);

    GetDlgItem(IDC_PROCEDURE_TEXT)->SetWindowText(kProcedureText);
    bannerLine.SetWindowText(kBannerText);
    modelNameField.SetWindowText("");
    return TRUE;
}

BOOL CBrimletDlg::PreTranslateMessage(MSG* msg) {
    if (IsSwallowedKey(msg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CBrimletDlg::OnSysCommand(UINT id, LPARAM lParam) {
    // The low four bits of a system command are used by the window manager itself.
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        aboutBox.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

void CBrimletDlg::ClearLog() {
    logList.ResetContent();
}

// The chosen path goes into the hidden key file field; nothing reads it.
void CBrimletDlg::OnKeyFileButton() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kKeyFileFilter, this);
    if (dialog.DoModal() == IDOK) {
        keyFileField.SetWindowText(dialog.GetPathName());
    }
}
