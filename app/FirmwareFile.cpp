#include "app/BrimletDlg.h"

#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "framework/FileDialog.h"

namespace {

constexpr const char* kFirmwareFilter = "Binary Files(*.bin) | *.bin; |All Files(*.*)| *.*||";

} // namespace

void CBrimletDlg::FindFirmwareFile(const std::string& modelName) {
    const std::string path =
        LookUpFirmwareFor(modelName, [this](const std::string& line) { AppendLogLine(line); });
    if (path.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        if (!EarlierFileServes(firmwareOrigin, modelName)) {
            firmwareFileField.SetWindowText("");
        }
        return;
    }
    firmwareOrigin.foundFor = modelName;
    firmwareVersion = VersionFromFirmwarePath(path);
    firmwareFileField.SetWindowText(path);
}

// The window's file chooser writes the field: a download always looks up, and sends
// what the field then holds.
FirmwareChoice CBrimletDlg::LookUpFirmwareFile(const std::string& modelName,
                                               const std::optional<std::string>&) {
    FindFirmwareFile(modelName);
    return {firmwareFileField.GetWindowText(), firmwareVersion};
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
