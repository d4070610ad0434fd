#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kNoFileNotice = "F/W 파일이 실행 프로그램과 같은 폴더 없습니다.\r\n"
                                      "같은 폴더에 F/W 파일을 넣고 다시 실행해 주세요.";
constexpr const char* kNotRiviNotice = "vizuz 전용 프로그램입니다.\r\nRIVI FW파일을 선택해주세요.";
constexpr const char* kEarlierPath = "/earlier/RIVI_OIL/MakeEncryptFW_RIVI_OIL-OLD-111111.bin";
constexpr const char* kEarlierVersion = "111111";

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
        dialog.reader.fileVersion = kEarlierVersion;
    }

    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < dialog.logList.GetCount(); ++i) {
            lines.push_back(dialog.logList.GetText(i));
        }
        return lines;
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }

    testsupport::TempFolder programFolder;
    ScopedProgramFolder programFolderSeam{programFolder.Path().string()};
    std::vector<MessageBoxRequest> boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        boxes.push_back(request);
        return IDOK;
    }};
    CBrimletDlg dialog;
};

struct LookupCase {
    const char* name;
    const char* modelName;
    std::vector<std::string> firmwareFiles; // planted in RIVI_OIL/, in this order
    const char* foundFile;                  // null: nothing matches
    const char* foundVersion;
    std::vector<std::string> logLines;
};

class Lookup : public FirmwareWindow, public testing::WithParamInterface<LookupCase> {};

TEST_P(Lookup, FieldVersionLogAndNotice) {
    const LookupCase& c = GetParam();
    for (const std::string& name : c.firmwareFiles) {
        Plant(FirmwareFolder() / name);
    }
    LeaveEarlierLookup(kEarlierPath);
    dialog.reader.modelName = c.modelName;

    dialog.FindFirmwareFile();

    EXPECT_EQ(LogLines(), c.logLines);
    if (c.foundFile != nullptr) {
        EXPECT_EQ(dialog.firmwareFileField.GetWindowText(),
                  (FirmwareFolder() / c.foundFile).string());
        EXPECT_EQ(dialog.reader.fileVersion, c.foundVersion);
        EXPECT_TRUE(boxes.empty());
    } else {
        EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), kEarlierPath);
        EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
    }
    // The lookup logs without moving the selection.
    EXPECT_EQ(dialog.logList.GetCurSel(), LB_ERR);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, Lookup,
    testing::Values(LookupCase{"TwelveCharacterModel",
                               "BRMCR1200KR1",
                               {"MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin"},
                               "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin",
                               "150803",
                               {"전송할 파일명 : MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin"}},
                    // Planted newest first: the order of the names decides, not the order made.
                    LookupCase{"TwoMatchesBothLoggedLastByNameUsed",
                               "BRMCR1200KR1",
                               {"MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-160101.bin",
                                "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin"},
                               "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-160101.bin",
                               "160101",
                               {"전송할 파일명 : MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin",
                                "전송할 파일명 : MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-160101.bin"}},
                    LookupCase{"ModelWithHyphens",
                               "RVQ-3000-KR1",
                               {"MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin",
                                "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR2-999999.bin"},
                               "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin",
                               "240705",
                               {"전송할 파일명 : MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin"}},
                    LookupCase{"OnlyOtherModelsAndExtensions",
                               "BRM-CR1200KR",
                               {"MakeEncryptFW_RIVI_OIL-BRM-CR1200KX-150803.bin",
                                "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR.bin",
                                "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.hex",
                                "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin.old"},
                               nullptr,
                               nullptr,
                               {}},
                    LookupCase{"EmptyFolder", "BRM-CR1200KR", {}, nullptr, nullptr, {}}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST_F(FirmwareWindow, MissingFirmwareFolderIsNoMatch) {
    fs::remove(FirmwareFolder());
    Plant(programFolder.Path() / "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin");
    dialog.reader.modelName = "BRM-CR1200KR";
    dialog.FindFirmwareFile();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");
}

TEST_F(FirmwareWindow, FolderWithAFirmwareNameIsNoMatch) {
    fs::create_directory(FirmwareFolder() / "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin");
    dialog.reader.modelName = "BRM-CR1200KR";
    EXPECT_EQ(dialog.CheckFirmwareFile(), 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");
}

// A model name comes from the reader. Each case plants what a search that took the
// name literally (as part of a path, or as a pattern) would find.
struct EscapeCase {
    const char* name;
    const char* modelName;
    std::vector<std::string> folders; // relative to the program folder
    std::vector<std::string> files;
};

class HostileModelName : public FirmwareWindow, public testing::WithParamInterface<EscapeCase> {};

TEST_P(HostileModelName, NeverLeavesTheFirmwareFolderNorMatchesOthers) {
    const EscapeCase& c = GetParam();
    for (const std::string& folder : c.folders) {
        fs::create_directories(programFolder.Path() / folder);
    }
    for (const std::string& file : c.files) {
        Plant(programFolder.Path() / file);
    }
    LeaveEarlierLookup(kEarlierPath);
    dialog.reader.modelName = c.modelName;

    dialog.FindFirmwareFile();

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), kEarlierPath);
    EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
    EXPECT_EQ(dialog.logList.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileModelName,
    testing::Values(
        EscapeCase{"ClimbsOutWithSlashes",
                   "x/../../M",
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-x"},
                   {"M-150803.bin", "RIVI_OIL/MakeEncryptFW_RIVI_OIL-x/M-150803.bin"}},
        EscapeCase{"IntoASubfolder",
                   "sub/MakeEncryptFW_RIVI_OIL-M",
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-sub"},
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-sub/MakeEncryptFW_RIVI_OIL-M-150803.bin"}},
        EscapeCase{"Backslashes",
                   "..\\M",
                   {},
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-..\\M-150803.bin", "M-150803.bin"}},
        EscapeCase{
            "ParentFolderAlone", "..", {}, {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-..-150803.bin"}},
        EscapeCase{"StarMatchesEveryModel",
                   "*",
                   {},
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin"}},
        EscapeCase{"QuestionMarkMatchesASibling",
                   "BRM-CR1200K?",
                   {},
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin"}},
        EscapeCase{"BracketEvenWhenNamedSo",
                   "BRM-CR1200K[R]",
                   {},
                   {"RIVI_OIL/MakeEncryptFW_RIVI_OIL-BRM-CR1200K[R]-150803.bin",
                    "RIVI_OIL/MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin"}}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST_F(FirmwareWindow, CheckReadsTheFoundFile) {
    const fs::path image = FirmwareFolder() / "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin";
    // Larger than one read, so every pass of the read loop runs.
    Plant(image, 200'000);
    dialog.reader.modelName = "BRM-CR1200KR";
    EXPECT_EQ(dialog.CheckFirmwareFile(), 0);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), image.string());
    EXPECT_EQ(dialog.reader.fileVersion, "150803");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FirmwareWindow, NoMatchAtTheFirstDownloadFails) {
    dialog.reader.modelName = "BRM-CR1200KR";
    EXPECT_EQ(dialog.CheckFirmwareFile(), 1);
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), "");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
}

struct EarlierPathCase {
    const char* name;
    bool plant;    // the earlier file still exists
    bool asFolder; // ... but is a folder
    int checkResult;
};

class NoMatchAfterAnEarlierLookup : public FirmwareWindow,
                                    public testing::WithParamInterface<EarlierPathCase> {};

TEST_P(NoMatchAfterAnEarlierLookup, UsesTheEarlierPathOnlyWhenItReads) {
    const EarlierPathCase& c = GetParam();
    const fs::path earlier = programFolder.Path() / "earlier" / "RIVI_OIL" / "earlier.bin";
    if (c.asFolder) {
        fs::create_directories(earlier);
    } else if (c.plant) {
        Plant(earlier);
    }
    LeaveEarlierLookup(earlier.string());
    dialog.reader.modelName = "BRM-CR1200KR";

    EXPECT_EQ(dialog.CheckFirmwareFile(), c.checkResult);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoFileNotice});
    EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), earlier.string());
    EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
}

INSTANTIATE_TEST_SUITE_P(EarlierPaths, NoMatchAfterAnEarlierLookup,
                         testing::Values(EarlierPathCase{"StillReadable", true, false, 0},
                                         EarlierPathCase{"Vanished", false, false, 1},
                                         EarlierPathCase{"NowAFolder", false, true, 1}),
                         [](const testing::TestParamInfo<EarlierPathCase>& info) {
                             return std::string(info.param.name);
                         });

// The download sequence calls the check on its worker with notices going into the
// notice dialog; the user-interface thread keeps its events running meanwhile.
TEST_F(FirmwareWindow, CheckOnTheWorkerDuringADownload) {
    Plant(FirmwareFolder() / "MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin");
    dialog.noticeMode = 1;
    struct Run {
        const char* modelName;
        int expected;
    };
    for (const Run run : {Run{"BRM-CR1200KR", 0}, Run{"OTHER-MODEL1", 0}}) {
        dialog.reader.modelName = run.modelName;
        std::atomic<bool> done{false};
        std::int32_t result = -1;
        std::thread worker([&] {
            result = dialog.CheckFirmwareFile();
            done = true;
        });
        EXPECT_TRUE(ProcessEventsUntil([&] { return done.load(); }));
        worker.join();
        EXPECT_EQ(result, run.expected) << run.modelName;
    }
    // The second run found nothing but still had the first run's readable file.
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), kNoFileNotice);
    EXPECT_EQ(dialog.reader.fileVersion, "150803");
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "전송할 파일명 : MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-150803.bin"});
    EXPECT_TRUE(boxes.empty());
}

struct ChosenFileCase {
    const char* name;
    const char* path;
    bool taken;
};

class ChosenFile : public FirmwareWindow, public testing::WithParamInterface<ChosenFileCase> {};

TEST_P(ChosenFile, TakenOnlyWithRivi) {
    const ChosenFileCase& c = GetParam();
    LeaveEarlierLookup(kEarlierPath);
    dialog.UseChosenFirmwareFile(c.path);
    if (c.taken) {
        EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), c.path);
        EXPECT_TRUE(boxes.empty());
    } else {
        EXPECT_EQ(dialog.firmwareFileField.GetWindowText(), kEarlierPath);
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{kNotRiviNotice});
        EXPECT_EQ(boxes[0].buttons, MB_OK);
    }
    // The version comes only from a lookup.
    EXPECT_EQ(dialog.reader.fileVersion, kEarlierVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ChosenFile,
    testing::Values(ChosenFileCase{"FirmwareName",
                                   "/home/tech/MakeEncryptFW_RIVI_OIL-BRM-CR1200KR-1.bin", true},
                    ChosenFileCase{"RiviFolder", "/media/usb/RIVI/fw.bin", true},
                    ChosenFileCase{"LowerCase", "/media/usb/rivi_oil/fw.bin", false},
                    ChosenFileCase{"OtherFirmware", "/media/usb/fw.bin", false}),
    [](const testing::TestParamInfo<ChosenFileCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
