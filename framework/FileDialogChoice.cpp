// The part of CFileDialog both back ends share: what was asked and what was chosen.
#include "framework/FileDialog.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : openFileDialog(openFileDialog),
      defaultExtension(defaultExtension != nullptr ? defaultExtension : ""),
      initialName(fileName != nullptr ? fileName : ""), flags(flags),
      filter(filter != nullptr ? filter : ""), parent(parent) {}

std::string CFileDialog::GetPathName() const {
    return chosenPath;
}

std::string CFileDialog::GetFileName() const {
    return chosenPath.substr(chosenPath.rfind('/') + 1);
}
