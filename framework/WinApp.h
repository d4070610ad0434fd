#pragma once

#include "framework/Icon.h"
#include "framework/Object.h"
#include "framework/WinTypes.h"

// The application object; exactly one exists. Run starts the user interface and
// calls InitInstance; when that returns FALSE the program ends (a dialog program
// runs its main window modally inside InitInstance).
class CWinApp : public CObject {
public:
    explicit CWinApp(const char* appName = nullptr); // null: the program file's name
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance(); // TRUE: keep running the event loop
    virtual int ExitInstance();  // the process exit code
    int Run(int argc, char** argv);

    HICON LoadIcon(int resourceId) const;

    const char* m_pszAppName;
};

CWinApp* AfxGetApp();

// Common controls need no initialisation here; kept so start-up reads as on Windows.
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init); // FALSE for a bad record
