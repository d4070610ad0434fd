#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/WaitCursor.h"

void CBrimletDlg::OnReaderInfoButton() {
    CWaitCursor waitCursor;
    if (downloadBusy) {
        return;
    }
    reader.ShowReaderInfo(TechnicianRequest());
}

void CBrimletDlg::OnVersionButton() {
    reader.ShowVersion();
}

void CBrimletDlg::OnDebugLevelButton() {
    reader.SetDebugLevel();
}
