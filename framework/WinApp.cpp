#include "framework/WinApp.h"

#include "framework/UiSession.h"

namespace {

CWinApp* theApp = nullptr;

} // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) {
        theApp = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::Run(int argc, char** argv) {
    UiSession session(argc, argv);
    if (InitInstance()) {
        UiSession::RunEventLoop();
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(int resourceId) const {
    return LoadIconResource(resourceId);
}

CWinApp* AfxGetApp() {
    return theApp;
}
