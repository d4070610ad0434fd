// framework/WinApp.h names the record as the program's code knows it; <commctrl.h>
// declares Windows' own, so this file speaks to Windows by the record's fields.
#include "framework/Win32.h"

#include "framework/WinApp.h"

extern "C" __declspec(dllimport) void WINAPI InitCommonControls(void);

// The program's code asks for the classes it uses; the progress bar is one of
// ICC_WIN95_CLASSES, registered by comctl32 with version 6 of the common controls
// chosen by the manifest.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        return FALSE;
    }
    InitCommonControls();
    return TRUE;
}
