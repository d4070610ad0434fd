#include "app/BrimletDlg.h"

#include "app/FirmwareNaming.h"
#include "framework/FileDialog.h"
#include "framework/FileFind.h"
#include "framework/ProgramFolder.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kNoFirmwareFileNotice = "F/W 파일이 실행 프로그램과 같은 폴더 없습니다.\r\n"
                                              "같은 폴더에 F/W 파일을 넣고 다시 실행해 주세요.";
constexpr const char* kNotRiviFileNotice = "vizuz 전용 프로그램입니다.\r\n"
                                           "RIVI FW파일을 선택해주세요.";
constexpr const char* kFirmwareFilter = "Binary Files(*.bin) | *.bin; |All Files(*.*)| *.*||";

std::vector<FoundFile> FindFirmwareFilesFor(const std::string& modelName) {
    const std::optional<std::string> pattern = FirmwareNamePattern(modelName);
    if (!pattern) {
        return {};
    }
    // The first folder holding any file for the model wins whole (GetFirmwareSearchFolders).
    for (const std::string& folder : GetFirmwareSearchFolders()) {
        std::vector<FoundFile> matches = FindFiles(FirmwareFolder(folder), *pattern);
        std::erase_if(matches, [&](const FoundFile& match) {
            return !IsFirmwareFileOfModel(match.fileName, modelName);
        });
        if (!matches.empty()) {
            return matches;
        }
    }
    return {};
}

// Only a regular file counts: a folder "opens" on this system but cannot be read,
// and reading a pipe or a device could wait for ever.
bool ReadsCompletely(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::array<char, 65536> chunk{};
    while (file.read(chunk.data(), chunk.size())) {
    }
    return file.eof() && !file.bad();
}

} // namespace

// The search returns names in sorted order, so when several files match, the
// last in name order is the one sent, on every machine.
void CBrimletDlg::FindFirmwareFile() {
    const std::vector<FoundFile> matches = FindFirmwareFilesFor(reader.modelName);
    if (matches.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        return;
    }
    for (const FoundFile& match : matches) {
        reader.fileVersion = VersionFromFirmwarePath(match.fullPath);
        firmwareFileField.SetWindowText(match.fullPath);
        AppendLogLine("전송할 파일명 : " + match.fileName);
    }
}

bool CBrimletDlg::CheckFirmwareFile() {
    FindFirmwareFile();
    return ReadsCompletely(firmwareFileField.GetWindowText());
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
}
