#include "app/FirmwareNaming.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct PatternCase {
    const char* name;
    const char* modelName;
    std::optional<std::string> pattern;
};

class FirmwarePattern : public testing::TestWithParam<PatternCase> {};

TEST_P(FirmwarePattern, ForModel) {
    EXPECT_EQ(FirmwareNamePattern(GetParam().modelName), GetParam().pattern);
}

INSTANTIATE_TEST_SUITE_P(Models, FirmwarePattern,
                         testing::Values(PatternCase{"TwelveCharacters", "BRMCR1200KR1",
                                                     "MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-*.bin"},
                                         PatternCase{"WithHyphens", "RVQ-3000-KR1",
                                                     "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-*.bin"},
                                         PatternCase{"SingleDotsAreNames", "V1.2.KR",
                                                     "MakeEncryptFW_RIVI_OIL-V1.2.KR-*.bin"},
                                         PatternCase{"Empty", "", "MakeEncryptFW_RIVI_OIL--*.bin"},
                                         PatternCase{"Slash", "BRM/CR1200KR", std::nullopt},
                                         PatternCase{"Backslash", "BRM\\CR1200KR", std::nullopt},
                                         PatternCase{"ParentFolder", "..", std::nullopt},
                                         PatternCase{"ParentInside", "A..B", std::nullopt},
                                         PatternCase{"ClimbOut", "x/../../M", std::nullopt},
                                         PatternCase{"Star", "*", std::nullopt},
                                         PatternCase{"QuestionMark", "BRM-CR1200K?", std::nullopt},
                                         PatternCase{"Bracket", "BRM-CR1200K[R]", std::nullopt}),
                         [](const testing::TestParamInfo<PatternCase>& info) {
                             return std::string(info.param.name);
                         });

struct VersionCase {
    const char* name;
    const char* path;
    const char* version;
};

class FirmwareVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(FirmwareVersion, FromPath) {
    EXPECT_EQ(VersionFromFirmwarePath(GetParam().path), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FirmwareVersion,
    testing::Values(
        VersionCase{"Plain", "/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-BRMCR1200KR1-150803.bin",
                    "150803"},
        VersionCase{"ModelWithHyphens",
                    "/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-240705.bin", "240705"},
        VersionCase{"UpToTheLastDot", "/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-1.2.bin", "1.2"},
        VersionCase{"HyphenInTheVersionPart", "/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-1-2.bin", "2"},
        VersionCase{"FolderDotsAndHyphensBefore", "/a-b.c/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-7.bin",
                    "7"},
        VersionCase{"EmptyVersion", "/p/RIVI_OIL/MakeEncryptFW_RIVI_OIL-M-.bin", ""},
        VersionCase{"NoHyphen", "/p/firmware.bin", ""}, VersionCase{"NoDot", "/p/fw-150803", ""},
        VersionCase{"DotOnlyBeforeTheHyphen", "/p.q/fw-150803", ""}),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

struct RiviPathCase {
    const char* name;
    const char* path;
    bool rivi;
};

class RiviPath : public testing::TestWithParam<RiviPathCase> {};

TEST_P(RiviPath, Rule) {
    EXPECT_EQ(IsRiviFirmwarePath(GetParam().path), GetParam().rivi);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RiviPath,
    testing::Values(RiviPathCase{"InTheName", "/tmp/MakeEncryptFW_RIVI_OIL-M-1.bin", true},
                    RiviPathCase{"InAFolderName", "/media/usb/RIVI/fw.bin", true},
                    RiviPathCase{"AtTheEnd", "/tmp/RIVI", true},
                    RiviPathCase{"AnyExtension", "/tmp/fwRIVI.hex", true},
                    RiviPathCase{"LowerCase", "/tmp/rivi_oil/fw.bin", false},
                    RiviPathCase{"MixedCase", "/tmp/Rivi/fw.bin", false},
                    RiviPathCase{"Split", "/tmp/RIV/I.bin", false},
                    RiviPathCase{"Empty", "", false}),
    [](const testing::TestParamInfo<RiviPathCase>& info) { return std::string(info.param.name); });

TEST(FirmwareFolder, IsRiviOilBesideTheProgram) {
    EXPECT_EQ(FirmwareFolder("/opt/brimlet"), "/opt/brimlet/RIVI_OIL");
}

} // namespace
