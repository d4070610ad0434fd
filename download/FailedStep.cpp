#include "download/FailedStep.h"

#include "app/BrimletDlg.h"

int ReportFailedStep(CBrimletDlg& window, const std::string& text) {
    window.ShowNotice(text);
    window.statusLine.SetWindowText(kDownloadFailedText);
    return 1;
}
