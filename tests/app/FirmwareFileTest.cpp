#include "app/BrimletDlg.h"
#include "app/FirmwareNaming.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr const char* kNoFileNotice = "F/W 파일이 실행 프로그램과 같은 폴더 없습니다.\r\n"
                                      "같은 폴더에 F/W 파일을 넣고 다시 실행해 주세요.";
constexpr const char* kEarlierPath = "/earlier/RIVI_OIL/MakeEncryptFW_RIVI_OIL-OLD-111111.bin";
constexpr const char* kEarlierVersion = "111111";
constexpr const char* kFirmware = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin";

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
        dialog.reader.modelName = "BRM-CR1200KR";
    }
    void TearDown() override { dialog.DestroyWindow(); }

    fs::path FirmwareFolder() const { return programFolder.Path() / "RIVI_OIL"; }

    // What an earlier lookup of the same run left behind.
    void LeaveEarlierLookup(const std::string& path) {
        dialog.firmwareFileField.SetWindowText(path);
        dialog.reader.fileVersion = kEarlierVersion;
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
    dialog.reader.modelName = c.modelName;

    dialog.FindFirmwareFile();

    const bool found = c.foundFile != nullptr;
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(),
              found ? (FirmwareFolder() / c.foundFile).string() : kEarlierPath);
    EXPECT_EQ(dialog.reader.fileVersion, found ? c.foundVersion : kEarlierVersion);
    EXPECT_EQ(boxes, found ? Lines{} : Lines{kNoFileNotice});
    EXPECT_EQ(LogLines(), c.logLines);
    // The lookup logs without moving the selection.
    EXPECT_EQ(dialog.logList.GetCurSel(), LB_ERR);
}

constexpr const char* kLogged = "전송할 파일명 : ";
const std::string kOther = "MakeEncryptFW_RIVI_OIL-BRM-CR1200KX-150803.bin";

INSTANTIATE_TEST_SUITE_P(
    Folders, Lookup,
    testing::Values(
        LookupCase{{"TwelveCharacterModel"},
                   "BRMCR1200KR1",
                   {"MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin"},
                   "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin",
                   "150803",
                   {std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin"}},
        // Planted newest first: the order of the names decides, not the order made.
        LookupCase{{"TwoMatchesBothLoggedLastByNameUsed"},
                   "BRM-CR1200KR",
                   {"MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin", kFirmware},
                   "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin",
                   "160101",
                   {std::string(kLogged) + kFirmware,
                    std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-160101.bin"}},
        LookupCase{{"ModelWithHyphens"},
                   "RVQ-3000-KR1",
                   {"MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin",
                    "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR2-999999.bin"},
                   "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin",
                   "240705",
                   {std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin"}},
        LookupCase{{"LongerModelsFirmwareIsNotThisModels"},
                   "RVQ-3000",
                   {"MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin",
                    "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin"},
                   "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin",
                   "150803",
                   {std::string(kLogged) + "MakeEncryptFW_RIVI_OIL-RVQ-3000-150803.bin"}},
        LookupCase{{"OnlyOtherModelsAndExtensions"},
                   "BRM-CR1200KR",
                   {kOther, "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR.bin",
                    "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.hex"}},
        LookupCase{{"ClimbsOutWithSlashes"},
                   "x/../../M",
                   {"../M-150803.bin", "MakeEncryptFW_RIVI_OIL-x/M-150803.bin"}},
        LookupCase{{"IntoASubfolder"},
                   "sub/MakeEncryptFW_RIVI_OIL-M",
                   {"MakeEncryptFW_RIVI_OIL-sub/MakeEncryptFW_RIVI_OIL-M-150803.bin"}},
        LookupCase{{"Backslashes"},
                   "..\\M",
                   {"MakeEncryptFW_RIVI_OIL-..\\M-150803.bin", "../M-150803.bin"}},
        LookupCase{{"StarMatchesEveryModel"}, "*", {kOther}},
        LookupCase{{"BracketEvenWhenNamedSo"},
                   "BRM-CR1200K[R]",
                   {"MakeEncryptFW_RIVI_OIL-BRM-CR1200K[R]-150803.bin", kFirmware}}),
    testsupport::CaseName<LookupCase>);

// Even a folder carrying a firmware file's name is no match.
TEST_F(FirmwareWindow, NoMatchAtTheFirstDownloadFails) {
    fs::create_directory(FirmwareFolder() / kFirmware);
    EXPECT_FALSE(dialog.CheckFirmwareFile());
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");
    EXPECT_EQ(boxes, Lines{kNoFileNotice});
}

// The earlier path is used only while it still reads as a regular file: a device
// reads to its end too, but is no firmware.
TEST_F(FirmwareWindow, NoMatchAfterAnEarlierLookup) {
    const fs::path earlier = programFolder.Path() / "earlier" / "RIVI_OIL" / "earlier.bin";
    for (const std::string shape : {"file", "vanished", "folder", "device"}) {
        fs::remove_all(earlier);
        if (shape == "file") {
            Plant(earlier);
        } else if (shape == "folder") {
            fs::create_directories(earlier);
        }
        const fs::path path = shape == "device" ? fs::path("/dev/null") : earlier;
        boxes.clear();
        LeaveEarlierLookup(path.string());
        EXPECT_EQ(dialog.CheckFirmwareFile(), shape == "file") << shape;
        EXPECT_EQ(boxes, Lines{kNoFileNotice});
        EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), path.string());
        EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
    }
}

// The download sequence calls the check on its worker with notices going into the
// notice dialog; the second run finds nothing but still has the first run's file,
// larger than one read so that every pass of the read loop runs.
TEST_F(FirmwareWindow, CheckOnTheWorkerDuringADownload) {
    Plant(FirmwareFolder() / kFirmware, 200'000);
    dialog.noticeMode = 1;
    for (const char* model : {"BRM-CR1200KR", "OTHER-MODEL1"}) {
        dialog.reader.modelName = model;
        std::atomic<bool> done{false};
        bool result = false;
        std::thread worker([&] {
            result = dialog.CheckFirmwareFile();
            done = true;
        });
        EXPECT_TRUE(ProcessEventsUntil([&] { return done.load(); }));
        worker.join();
        EXPECT_TRUE(result) << model;
    }
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), kNoFileNotice);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), (FirmwareFolder() / kFirmware).string());
    EXPECT_EQ(dialog.reader.fileVersion, "150803");
    EXPECT_TRUE(boxes.empty());
}

// The file dialog of button 1009 answered by a user who picks path.
void ChooseInFileDialog(CBrimletDlg& dialog, const fs::path& path) {
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
    dialog.BrowseFirmwareFile();
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
    EXPECT_EQ(boxes.size(), 1u);
    // The version comes only from a lookup.
    EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
}

// The shell's opener is the xdg-open that PATH names first: a stand-in records the
// path it was handed, the rename making the record appear whole.
TEST_F(FirmwareWindow, ManualButtonOpensTheManualBesideTheProgramOnlyIfThere) {
    testsupport::TempFolder tools;
    const std::string record = (tools.Path() / "opened").string();
    std::ofstream(tools.Path() / "xdg-open")
        << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << record << ".part\" && mv \"" << record
        << ".part\" \"" << record << "\"\n";
    fs::permissions(tools.Path() / "xdg-open", fs::perms::owner_all);
    const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    ::setenv("PATH", (tools.Path().string() + ":" + savedPath).c_str(), 1);
    CButton& button = *static_cast<CButton*>(dialog.GetDlgItem(IDC_MANUAL_BUTTON));
    dialog.DisableMainControls();
    EXPECT_TRUE(button.IsWindowEnabled()) << "stays enabled during a download";

    // The opener is never started for a missing file, so there is nothing to wait for.
    button.Click();
    EXPECT_FALSE(fs::exists(record));

    const fs::path manual = programFolder.Path() / "FWDownladManual.pdf";
    std::ofstream(manual) << "%PDF-1.4\n";
    button.Click();
    // The opener runs detached from the program; wait, boundedly, for its record.
    for (int i = 0; i < 1000 && !fs::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(ReadFile(record), manual.string());
    EXPECT_TRUE(boxes.empty());
}

const fs::path kBuiltProgramFolder = BRIMLET_PROGRAM_DIR;

TEST(BuiltProgramFolder, HoldsTheManualAsAWholePdf) {
    const std::string pdf = ReadFile(kBuiltProgramFolder / "FWDownladManual.pdf");
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 32), std::string::npos);
    // The Korean text is set in an embedded font, not left to the viewer.
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
}

TEST(FirmwareNaming, VersionFromPath) {
    struct Case {
        const char* path;
        const char* version;
    };
    for (const Case& c :
         {Case{"/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin", "240705"},
          Case{"/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-1.2.bin", "1.2"},
          Case{"/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-1-2.bin", "2"},
          Case{"/a-b.c/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-7.bin", "7"},
          Case{"/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-.bin", ""}, Case{"/p/firmware.bin", ""},
          Case{"/p/fw-150803", ""}, Case{"/p.q/fw-150803", ""}}) {
        EXPECT_EQ(VersionFromFirmwarePath(c.path), c.version) << c.path;
    }
}

TEST(FirmwareNaming, RiviPathRuleAndFolder) {
    for (const char* path :
         {"/tmp/MakeEncryptFW_RIVI_OIL-M-1.bin", "/tmp/RIVI", "/tmp/fwRIVI.hex"}) {
        EXPECT_TRUE(IsRiviFirmwarePath(path)) << path;
    }
    for (const char* path : {"/tmp/rivi_oil/fw.bin", "/tmp/Rivi/fw.bin", "/tmp/RIV/I.bin", ""}) {
        EXPECT_FALSE(IsRiviFirmwarePath(path)) << path;
    }
    EXPECT_EQ(FirmwareFolder("/opt/brimlet"), "/opt/brimlet/RIVI_OIL");
}

} // namespace
