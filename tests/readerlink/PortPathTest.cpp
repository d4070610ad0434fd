#include "readerlink/PortPath.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ComPortDevicePath, LinkBesideTheLibraryFirstThenTheStandardDevice) {
    testsupport::TempFolder folder;
    const auto ports = folder.Path() / "ports";
    std::filesystem::create_directories(ports);
    for (const char* name : {"COM1", "COM200", "COM0", "COM256"}) {
        std::filesystem::create_symlink("/dev/null", ports / name);
    }
    std::filesystem::create_symlink(folder.Path() / "gone", ports / "COM5");
    const std::pair<int, std::string> cases[] = {{1, (ports / "COM1").string()},
                                                 {5, (ports / "COM5").string()},
                                                 {200, (ports / "COM200").string()},
                                                 {2, "/dev/ttyS1"},
                                                 {32, "/dev/ttyS31"},
                                                 {33, "/dev/ttyUSB0"},
                                                 {64, "/dev/ttyUSB31"},
                                                 {65, "/dev/ttyACM0"},
                                                 {96, "/dev/ttyACM31"},
                                                 {97, ""},
                                                 {0, ""},
                                                 {256, ""},
                                                 {-1, ""}};
    for (const auto& [port, device] : cases) {
        EXPECT_EQ(readerlink::ComPortDevicePath(port, folder.Path()), device) << "COM" << port;
    }
    EXPECT_EQ(readerlink::ComPortDevicePath(34, {}), "/dev/ttyUSB1") << "library folder unknown";
}

} // namespace
