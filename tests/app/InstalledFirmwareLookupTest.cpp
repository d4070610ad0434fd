#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/UserFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr const char* kOlder = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin";
constexpr const char* kNewer = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin";

void Plant(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "firmware";
}

// An installed program folder (with its marker) and the technician's data folder.
class InstalledLookup : public testing::Test {
protected:
    void SetUp() override {
        std::ofstream(programFolder.Path() / kInstallMarkerName);
        ::setenv("XDG_DATA_HOME", dataHome.Path().c_str(), 1);
        ASSERT_TRUE(dialog.Create());
        dialog.reader.modelName = "BRM-CR1200KR";
    }
    void TearDown() override {
        dialog.DestroyWindow();
        ::unsetenv("XDG_DATA_HOME");
    }

    fs::path PackagedFirmware() const { return programFolder.Path() / "RIVI_OIL"; }
    fs::path UsersFirmware() const { return dataHome.Path() / "brimlet" / "RIVI_OIL"; }

    testsupport::TempFolder programFolder;
    testsupport::TempFolder dataHome;
    ScopedProgramFolder programFolderSeam{programFolder.Path().string()};
    int boxes = 0;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest&) {
        ++boxes;
        return IDOK;
    }};
    CBrimletDlg dialog;
};

TEST_F(InstalledLookup, UsersFolderWinsWholeEvenOverANewerPackagedFile) {
    Plant(PackagedFirmware() / kNewer);
    Plant(UsersFirmware() / kOlder);
    dialog.FindFirmwareFile();
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), (UsersFirmware() / kOlder).string());
    EXPECT_EQ(dialog.reader.fileVersion, "150803");
    EXPECT_EQ(dialog.logList.GetCount(), 1);
    EXPECT_EQ(boxes, 0);
}

TEST_F(InstalledLookup, PackagedFolderServesWhenTheUsersHoldsNothingForTheModel) {
    Plant(PackagedFirmware() / kNewer);
    Plant(UsersFirmware() / "MakeEncryptFW_RIVI_OIL-BRM-CR1200KX-170101.bin");
    dialog.FindFirmwareFile();
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), (PackagedFirmware() / kNewer).string());
    EXPECT_EQ(boxes, 0);
}

TEST_F(InstalledLookup, NeitherFolderHoldingAFileGivesTheNotice) {
    dialog.FindFirmwareFile();
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");
    EXPECT_EQ(boxes, 1);
}

} // namespace
