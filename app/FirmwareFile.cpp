#include "app/BrimletDlg.h"

#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "framework/FileDialog.h"

#include <vector>

namespace {

constexpr const char* kFirmwareFilter = "Binary Files(*.bin) | *.bin; |All Files(*.*)| *.*||";

} // namespace

// The search returns names in sorted order, so when several files match, the
// last in name order is the one sent, on every machine.
void CBrimletDlg::FindFirmwareFile() {
    const std::vector<FoundFile> matches = FindFirmwareFilesFor(reader.modelName);
    if (matches.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        if (!EarlierFileServes(firmwareOrigin, reader.modelName)) {
            firmwareFileField.SetWindowText("");
        }
        return;
    }
    firmwareOrigin.foundFor = reader.modelName;
    for (const FoundFile& match : matches) {
        reader.fileVersion = VersionFromFirmwarePath(match.fullPath);
        firmwareFileField.SetWindowText(match.fullPath);
        AppendLogLine(kFoundFileLogPrefix + match.fileName);
    }
}

void CBrimletDlg::LookUpFirmwareFile() {
    FindFirmwareFile();
}

void CBrimletDlg::BrowseFirmwareFile() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER, kFirmwareFilter,
                       this);
    if (dialog.DoModal() == IDOK) {
        UseChosenFirmwareFile(dialog.GetPathName());
    }
}

void CBrimletDlg::UseChosenFirmwareFile(const std::string& path) {
    if (!IsRiviFirmwarePath(path)) {
        ShowNotice(kNotRiviFileNotice);
        return;
    }
    firmwareFileField.SetWindowText(path);
    firmwareOrigin.foundFor.clear();
}
