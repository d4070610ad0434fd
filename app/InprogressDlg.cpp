#include "app/InprogressDlg.h"

#include "app/KeyFilter.h"
#include "app/NoticePlacement.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

CInprogressDlg::CInprogressDlg(CWnd& mainWindow)
    : CDialog(NoticeDialogTemplate()), mainWindow(mainWindow) {
    OnClicked(IDC_NOTICE_OK_BUTTON, [this] { OnOkButton(); });
}

void CInprogressDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_NOTICE_TEXT, noticeText);
}

BOOL CInprogressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    noticeFont.CreateFont(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          VARIABLE_PITCH | FF_SWISS, "굴림");
    noticeText.SetFont(&noticeFont);
    return TRUE;
}

BOOL CInprogressDlg::PreTranslateMessage(MSG* msg) {
    if (IsSwallowedKey(msg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

// The warning and the failure texts stand out in blue.
HBRUSH CInprogressDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, control, ctlColor);
    if (control->GetDlgCtrlID() == IDC_NOTICE_TEXT) {
        dc->SetTextColor(RGB(0, 0, 255));
    }
    return brush;
}

void CInprogressDlg::PlaceNotice(const std::string& text) {
    CRect mainRect;
    mainWindow.GetWindowRect(&mainRect);
    CRect client;
    GetClientRect(&client);
    const POINT at = NoticePosition(mainRect, client.Width(), client.Height());
    SetWindowPos(&CWnd::wndTop, at.x, at.y, 0, 0, SWP_NOSIZE);
    noticeText.SetWindowText(text);
}

void CInprogressDlg::OnOkButton() {
    ShowWindow(SW_HIDE);
}
