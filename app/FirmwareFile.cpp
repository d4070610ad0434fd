#include "app/BrimletDlg.h"

#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "framework/FileDialog.h"

namespace {

constexpr const char* kFirmwareFilter = "Binary Files(*.bin) | *.bin; |All Files(*.*)| *.*||";

} // namespace

void CBrimletDlg::FindFirmwareFile() {
    const std::string path = LookUpFirmwareFor(
        reader.modelName, [this](const std::string& line) { AppendLogLine(line); });
    if (path.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        if (!EarlierFileServes(firmwareOrigin, reader.modelName)) {
            firmwareFileField.SetWindowText("");
        }
        return;
    }
    firmwareOrigin.foundFor = reader.modelName;
    reader.fileVersion = VersionFromFirmwarePath(path);
    firmwareFileField.SetWindowText(path);
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
