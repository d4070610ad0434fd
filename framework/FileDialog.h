#pragma once

#include "framework/WinTypes.h"

#include <string>

class CWnd;

// The open/save file dialog. filter in the Windows form "name|pattern||" (FileFilter.h).
class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);

    INT_PTR DoModal(); // IDOK when the user chose a file, IDCANCEL otherwise; UI thread
    std::string GetPathName() const; // the full path chosen
    std::string GetFileName() const; // its name without folder

private:
    BOOL openFileDialog;
    std::string defaultExtension;
    std::string initialName;
    DWORD flags;
    std::string filter;
    CWnd* parent;
    std::string chosenPath;
};
