#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/UiThread.h"
#include "framework/UserFolders.h"
#include "resources/ResourceIds.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr const char* kNoFileNotice = "F/W 파일이 실행 프로그램과 같은 폴더 없습니다.\r\n"
                                      "같은 폴더에 F/W 파일을 넣고 다시 실행해 주세요.";
constexpr const char* kEarlierPath = "/earlier/RIVI_OIL/MakeEncryptFW_RIVI_OIL-OLD-111111.bin";
constexpr const char* kEarlierVersion = "111111";
constexpr const char* kFirmware = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin";

void Plant(const fs::path& file, std::size_t size = 16) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << std::string(size, '\x5A');
}

// A program folder of its own with an empty RIVI_OIL/, a main window on it, and
// every message box recorded instead of shown.
class FirmwareWindow : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(FirmwareFolder());
        ASSERT_TRUE(dialog.Create());
    }
    void TearDown() override { dialog.DestroyWindow(); }

    fs::path FirmwareFolder() const { return programFolder.Path() / "RIVI_OIL"; }

    // What an earlier lookup of the same run left behind.
    void LeaveEarlierLookup(const std::string& path) {
        dialog.firmwareFileField.SetWindowText(path);
        dialog.firmwareVersion = kEarlierVersion;
    }

    Lines LogLines() const {
        Lines lines;
        for (int i = 0; i < dialog.logList.GetCount(); ++i) {
            lines.push_back(dialog.logList.GetText(i));
        }
        return lines;
    }

    testsupport::TempFolder programFolder;
    ScopedProgramFolder programFolderSeam{programFolder.Path().string()};
    Lines boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDOK;
    }};
    CBrimletDlg dialog;
    std::string model = "BRM-CR1200KR"; // as detection settled it
};

// Files are planted relative to RIVI_OIL/, in this order. A model name comes from
// the reader: the hostile ones plant what a search that took the name literally (as
// part of a path, or as a pattern) would find.
struct LookupCase : testsupport::NamedCase {
    const char* modelName;
    Lines files;
    const char* foundFile = nullptr; // null: nothing matches
    const char* foundVersion = nullptr;
    Lines logLines = {};
};

class Lookup : public FirmwareWindow, public testing::WithParamInterface<LookupCase> {};

TEST_P(Lookup, FieldVersionLogAndNotice) {
    const LookupCase& c = GetParam();
    for (const std::string& name : c.files) {
        Plant(FirmwareFolder() / name);
    }
    LeaveEarlierLookup(kEarlierPath);
    model = c.modelName;

    dialog.FindFirmwareFile(model);

    const bool found = c.foundFile != nullptr;
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(),
              found ? (FirmwareFolder() / c.foundFile).string() : kEarlierPath);
    EXPECT_EQ(dialog.firmwareVersion, found ? c.foundVersion : kEarlierVersion);
    EXPECT_EQ(boxes, found ? Lines{} : Lines{kNoFileNotice});
    EXPECT_EQ(LogLines(), c.logLines);
    // The lookup logs without moving the selection.
    EXPECT_EQ(dialog.logList.GetCurSel(), LB_ERR);
}

constexpr const char* kLogged = "전송할 파일명 : ";
const std::string kOther = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KX-150803.bin";

// A row per lookup, its fields in the order of LookupCase.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Folders, Lookup, testing::Values(
    // Planted newest first: the order of the names decides, not the order made.
    LookupCase{{"TwoMatchesBothLoggedLastByNameUsed"}, "BRM-CR1200KR",
        {"MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin", kFirmware},
        "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin", "160101",
        {std::string(kLogged) + kFirmware, std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin"}},
    LookupCase{{"LongerModelsFirmwareIsNotThisModels"}, "RVQ-3000",
        {"MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin", "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin"},
        "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin", "150803",
        {std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin"}},
    LookupCase{{"OnlyOtherModelsAndExtensions"}, "BRM-CR1200KR",
        {kOther, "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR.bin", "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.hex"}},
    LookupCase{{"ClimbsOutWithSlashes"}, "x/../../M", {"../M-150803.bin", "MakeEncryptFW_RIVI_OIL-x/M-150803.bin"}}),
    testsupport::CaseName<LookupCase>);
// clang-format on

// Installed, the user's data folder is searched first; the first folder holding any
// file for the model wins whole, even over a newer packaged one.
TEST_F(FirmwareWindow, InstalledSearchesTheUsersFolderFirst) {
    std::ofstream(programFolder.Path() / kInstallMarkerName);
    const testsupport::TempFolder dataHome;
    ::setenv("XDG_DATA_HOME", dataHome.Path().c_str(), 1);
    const fs::path users = dataHome.Path() / "brimlet" / "RIVI_OIL";
    const std::string newer = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin";
    Plant(FirmwareFolder() / newer);
    Plant(users / kOther);
    dialog.FindFirmwareFile(model);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), (FirmwareFolder() / newer).string());
    Plant(users / kFirmware);
    dialog.FindFirmwareFile(model);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), (users / kFirmware).string());
    EXPECT_EQ(dialog.firmwareVersion, "150803");
    EXPECT_EQ(boxes, Lines{});
    ::unsetenv("XDG_DATA_HOME");
}

// The file dialog of a button (1009 unless told) answered by a user who picks path.
void ChooseInFileDialog(CBrimletDlg& dialog, const fs::path& path,
                        int button = IDC_FIRMWARE_FILE_BUTTON) {
    bool chosen = false;
    std::function<void()> look = [&] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            files->selectFile(QString::fromStdString(path.string()));
            static_cast<QDialog*>(files)->accept(); // as the Open button does
            chosen = true;
        } else {
            PostToUiThread(look);
        }
    };
    PostToUiThread(look);
    dialog.SendCommand(button);
    EXPECT_TRUE(chosen);
}

TEST_F(FirmwareWindow, ChosenFileTakenOnlyWithRivi) {
    LeaveEarlierLookup(kEarlierPath);
    const fs::path other = programFolder.Path() / "rivi_oil" / "fw.bin";
    const fs::path rivi = programFolder.Path() / "RIVI" / "fw.bin";
    Plant(other);
    Plant(rivi);
    ChooseInFileDialog(dialog, other);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), kEarlierPath);
    EXPECT_EQ(boxes, Lines{"vizuz 전용 프로그램입니다.\r\nRIVI FW파일을 선택해주세요."});

    ChooseInFileDialog(dialog, rivi);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), rivi.string());
    ChooseInFileDialog(dialog, other, IDC_KEY_FILE_BUTTON); // the hidden key file: any file
    EXPECT_EQ(dialog.keyFileField.GetWindowText(), other.string());
    EXPECT_EQ(boxes.size(), 1u);
    // The version comes only from a lookup.
    EXPECT_EQ(dialog.firmwareVersion, kEarlierVersion);
}

// After a failed lookup, a file found for another model is never sent; one found for
// this model or chosen by hand stays.
TEST_F(FirmwareWindow, FailedLookupKeepsOnlyThisModelsOrAHandChosenFile) {
    const fs::path found = FirmwareFolder() / kFirmware;
    Plant(found);
    dialog.FindFirmwareFile(model);
    fs::remove(found);
    dialog.FindFirmwareFile(model);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), found.string());
    model = "BRM-CR1200KX";
    dialog.FindFirmwareFile(model);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");

    const fs::path chosen = programFolder.Path() / "RIVI" / "fw.bin";
    Plant(chosen);
    ChooseInFileDialog(dialog, chosen);
    model = "BRM-CR1200KR";
    dialog.FindFirmwareFile(model);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), chosen.string());
    EXPECT_EQ(boxes, Lines(3, kNoFileNotice));
}

} // namespace
