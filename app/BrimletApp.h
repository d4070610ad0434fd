#pragma once

#include "framework/WinApp.h"
#include "security/Function.h"

#include <string>

// The application object: runs the main window modally and ends with it.
class CBrimletApp : public CWinApp {
public:
    BOOL InitInstance() override;

    CFunction function;
    // The settings file every administrator password read and write uses.
    std::string settingsPath;
};
