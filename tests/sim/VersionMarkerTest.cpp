#include "sim/VersionMarker.h"
#include "sim/SampleImage.h"
#include "tests/sim/TestBytes.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

struct MarkerCase {
    const char* name;
    Bytes image;
    std::optional<std::string> version;
};

class ImageVersion : public testing::TestWithParam<MarkerCase> {};

TEST_P(ImageVersion, IsReadFromTheMarker) {
    EXPECT_EQ(sim::FindImageVersion(GetParam().image), GetParam().version);
}

Bytes Around(const char* text) {
    return Concat(Concat(Hex("FF 00 13"), Text(text)), Hex("00 FF"));
}

INSTANTIATE_TEST_SUITE_P(
    All, ImageVersion,
    testing::Values(MarkerCase{"Plain", Around("RIVI-FW-VERSION=160101"), "160101"},
                    MarkerCase{"LettersAndDigits", Around("RIVI-FW-VERSION=aZ09"), "aZ09"},
                    MarkerCase{"EndsAtFirstOtherByte", Around("RIVI-FW-VERSION=12_34"), "12"},
                    MarkerCase{"CutToSixCharacters", Around("RIVI-FW-VERSION=123456789"), "123456"},
                    MarkerCase{"AtTheVeryEnd", Text("xxRIVI-FW-VERSION=7"), "7"},
                    MarkerCase{"EmptyCodeIsNoMarker", Around("RIVI-FW-VERSION=.RIVI-FW-VERSION=42"),
                               "42"},
                    MarkerCase{"FirstOfTwo", Around("RIVI-FW-VERSION=A1 RIVI-FW-VERSION=B2"), "A1"},
                    MarkerCase{"NoMarker", Around("RIVI-FW-VERSION 160101"), std::nullopt},
                    MarkerCase{"CaseMatters", Around("rivi-fw-version=160101"), std::nullopt},
                    MarkerCase{"CutMarker", Text("RIVI-FW-VERS"), std::nullopt},
                    MarkerCase{"Empty", Bytes{}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SampleImage, HasTheSizeCarriesTheVersionAndIsTheSameEveryTime) {
    for (std::size_t size : {23u, 256u, 1000u, 70000u}) {
        const Bytes image = sim::MakeSampleImage(size, "160101");
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(sim::FindImageVersion(image), "160101") << size;
        EXPECT_EQ(image, sim::MakeSampleImage(size, "160101")) << size;
    }
    EXPECT_TRUE(sim::MakeSampleImage(22, "160101").empty()) << "marker does not fit";
    for (const char* invalid : {"1601010", "", "16_01"}) {
        EXPECT_TRUE(sim::MakeSampleImage(1000, invalid).empty()) << invalid;
    }
}

} // namespace
} // namespace simtest
