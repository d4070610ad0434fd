#include "app/FirmwareNaming.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(FirmwareNaming, PatternForModelRefusesPathsAndWildcards) {
    EXPECT_EQ(FirmwareNamePattern("RVQ-3000-KR1"), "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-*.bin");
    EXPECT_EQ(FirmwareNamePattern("V1.2.KR"), "MakeEncryptFW_RIVI_OIL-V1.2.KR-*.bin");
    EXPECT_EQ(FirmwareNamePattern(""), "MakeEncryptFW_RIVI_OIL--*.bin");
    for (const char* hostile :
         {"BRM/CR1200KR", "BRM\\CR1200KR", "..", "A..B", "*", "BRM-CR1200K?", "BRM-CR1200K[R]"}) {
        EXPECT_EQ(FirmwareNamePattern(hostile), std::nullopt) << hostile;
    }
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
