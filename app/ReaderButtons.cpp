#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/WaitCursor.h"

void CBrimletDlg::OnReaderInfoButton() {
    CWaitCursor waitCursor;
    if (downloadBusy == 1) {
        return;
    }
    reader.ShowReaderInfo();
}

void CBrimletDlg::OnVersionButton() {
    reader.ShowVersion();
}

void CBrimletDlg::OnDebugLevelButton() {
    reader.SetDebugLevel();
}
