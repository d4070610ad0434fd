#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/Menu.h"
#include "resources/ResourceIds.h"

namespace {

// The controls that could reach the reader while a download owns it.
constexpr int kReaderControls[] = {IDC_PORT_NUMBER_FIELD, IDC_AUTO_SEARCH_CHECK,
                                   IDC_TRANSFER_BUTTON, IDC_READER_INFO_BUTTON};

} // namespace

void CBrimletDlg::DisableMainControls() {
    SetMainControlsEnabled(FALSE);
}

void CBrimletDlg::EnableMainControls() {
    SetMainControlsEnabled(TRUE);
}

void CBrimletDlg::SetMainControlsEnabled(BOOL enable) {
    for (int id : kReaderControls) {
        GetDlgItem(id)->EnableWindow(enable);
    }
    // Closing the window mid-download would leave the reader half flashed.
    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        systemMenu->EnableMenuItem(SC_CLOSE,
                                   MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    }
}

void CBrimletDlg::OnTimer(UINT_PTR id) {
    if (id == TIMER_DOWNLOAD_OK || id == TIMER_DOWNLOAD_FAILED) {
        KillTimer(id);
        if (noticeDialog) {
            if (id == TIMER_DOWNLOAD_OK) {
                noticeDialog->ShowWindow(SW_HIDE);
            } else {
                // The failure text stays until the user has read it and pressed 확인.
                noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->ShowWindow(SW_SHOW);
            }
        }
        noticeMode = false;
        EnableMainControls();
        reader.ClosePort();
        downloadBusy = false;
    }
    CDialog::OnTimer(id);
}
