#include "app/BrimletDlg.h"

#include "framework/MessageBox.h"
#include "framework/UiThread.h"

void CBrimletDlg::ShowNotice(const std::string& text) {
    logFile->Write("notice: " + text);
    lastShownText = text;
    if (!noticeMode) {
        AfxMessageBox(text, MB_OK);
        return;
    }
    if (!noticeDialog) {
        // Windows belong to the user-interface thread, whichever thread asks first.
        RunOnUiThread([this] {
            noticeDialog = std::make_unique<CInprogressDlg>(*this);
            noticeDialog->Create(nullptr);
            noticeDialog->ShowWindow(SW_HIDE);
        });
    }
    noticeDialog->PlaceNotice(text);
}
