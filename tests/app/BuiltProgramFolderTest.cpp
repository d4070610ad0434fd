#include "app/BrimletDlg.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "sim/VersionMarker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const fs::path kProgramFolder = BRIMLET_PROGRAM_DIR;

TEST(BuiltProgramFolder, HoldsTheManualAsAWholePdf) {
    const std::string pdf = ReadFile(kProgramFolder / "FWDownladManual.pdf");
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 32), std::string::npos);
    // The Korean text is set in an embedded font, not left to the viewer.
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
}

// The demo reader reports another version at start, so that a download visibly
// changes it; the lookup finds the sample, and the sample's own marker (which the
// simulated reader reports after flashing) agrees with its file name.
TEST(BuiltProgramFolder, DemoFirmwareIsFoundAndCarriesItsVersion) {
    ASSERT_NE(std::string(BRIMLET_DEMO_FIRMWARE_VERSION), BRIMLET_DEMO_READER_VERSION);
    std::vector<std::string> boxes;
    ScopedMessageBoxResponder responder([&](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDOK;
    });
    ScopedProgramFolder programFolder(kProgramFolder.string());
    CBrimletDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.reader.modelName = BRIMLET_DEMO_MODEL;

    EXPECT_EQ(dialog.CheckFirmwareFile(), 0);

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialog.reader.fileVersion, BRIMLET_DEMO_FIRMWARE_VERSION);
    const std::string image = ReadFile(dialog.firmwareFileField.GetWindowText());
    const std::vector<std::uint8_t> bytes(image.begin(), image.end());
    EXPECT_EQ(sim::FindImageVersion(bytes), std::string(BRIMLET_DEMO_FIRMWARE_VERSION));
    dialog.DestroyWindow();
}

} // namespace
