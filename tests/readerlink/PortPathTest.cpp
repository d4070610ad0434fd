#include "readerlink/PortPath.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct StandardCase {
    const char* name;
    int port;
    const char* device;
};

void PrintTo(const StandardCase& c, std::ostream* out) {
    *out << c.name;
}

class StandardComDeviceTest : public testing::TestWithParam<StandardCase> {};

TEST_P(StandardComDeviceTest, MapsPortToDevice) {
    EXPECT_EQ(readerlink::StandardComDevicePath(GetParam().port), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(Ranges, StandardComDeviceTest,
                         testing::Values(StandardCase{"Com1", 1, "/dev/ttyS0"},
                                         StandardCase{"Com32", 32, "/dev/ttyS31"},
                                         StandardCase{"Com33", 33, "/dev/ttyUSB0"},
                                         StandardCase{"Com64", 64, "/dev/ttyUSB31"},
                                         StandardCase{"Com65", 65, "/dev/ttyACM0"},
                                         StandardCase{"Com96", 96, "/dev/ttyACM31"},
                                         StandardCase{"Com97", 97, ""}, StandardCase{"Com0", 0, ""},
                                         StandardCase{"ComMinus1", -1, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

class ComPortLinkTest : public testing::Test {
protected:
    testsupport::TempFolder folder_;

    std::filesystem::path Link(int port, const std::filesystem::path& target) {
        const auto link = folder_.Path() / "ports" / ("COM" + std::to_string(port));
        std::filesystem::create_directories(link.parent_path());
        std::filesystem::create_symlink(target, link);
        return link;
    }
};

TEST_F(ComPortLinkTest, LinkBesideLibraryWinsOverStandardDevice) {
    const auto link = Link(1, "/dev/null");
    EXPECT_EQ(readerlink::ComPortDevicePath(1, folder_.Path()), link.string());
}

TEST_F(ComPortLinkTest, LinkGivesDeviceToPortWithoutStandardOne) {
    const auto link = Link(200, "/dev/null");
    EXPECT_EQ(readerlink::ComPortDevicePath(200, folder_.Path()), link.string());
}

TEST_F(ComPortLinkTest, DanglingLinkStillNamesThePort) {
    const auto link = Link(5, folder_.Path() / "gone");
    EXPECT_EQ(readerlink::ComPortDevicePath(5, folder_.Path()), link.string());
}

TEST_F(ComPortLinkTest, WithoutLinkStandardDeviceIsUsed) {
    Link(3, "/dev/null");
    EXPECT_EQ(readerlink::ComPortDevicePath(4, folder_.Path()), "/dev/ttyS3");
    EXPECT_EQ(readerlink::ComPortDevicePath(100, folder_.Path()), "");
}

TEST_F(ComPortLinkTest, PortOutsideRangeHasNoDeviceEvenWithLink) {
    Link(256, "/dev/null");
    Link(0, "/dev/null");
    EXPECT_EQ(readerlink::ComPortDevicePath(256, folder_.Path()), "");
    EXPECT_EQ(readerlink::ComPortDevicePath(0, folder_.Path()), "");
}

TEST(ComPortWithoutFolder, UnknownLibraryFolderFallsBackToStandardDevice) {
    EXPECT_EQ(readerlink::ComPortDevicePath(34, {}), "/dev/ttyUSB1");
}

} // namespace
