#include "app/BrimletApp.h"

#include "admin/PasswordStore.h"
#include "app/BrimletDlg.h"

BOOL CBrimletApp::InitInstance() {
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    CWinApp::InitInstance();

    settingsPath = SettingsFilePath();

    CBrimletDlg dialog;
    dialog.DoModal();
    // FALSE: the program ends with its main window.
    return FALSE;
}
