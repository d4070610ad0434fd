#include "app/BrimletApp.h"

#include "app/BrimletDlg.h"
#include "framework/ProgramFolder.h"

BOOL CBrimletApp::InitInstance() {
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    CWinApp::InitInstance();

    settingsPath = GetSettingsPath();

    CBrimletDlg dialog;
    dialog.DoModal();
    // FALSE: the program ends with its main window.
    return FALSE;
}
