#include "security/ProfileText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

TEST(ReadProfileText, ReturnsTheValueCutToSizeOrTheDefault) {
    // a random folder name keeps parallel runs apart
    const auto folder = std::filesystem::temp_directory_path() /
                        ("brimlet-profile-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "Brimlet.ini").string();
    std::ofstream(file) << "[CONFIG]\nA=0123456789ABCDEF0123\nB=short\n";
    const struct {
        const char* section;
        const char* key;
        int size;
        const char* expected;
    } cases[] = {{"CONFIG", "A", 100, "0123456789ABCDEF0123"},
                 {"CONFIG", "A", 17, "0123456789ABCDEF"},
                 {"CONFIG", "B", 17, "short"},
                 {"CONFIG", "C", 100, "fallback"},
                 {"OTHER", "A", 100, "fallback"},
                 {"CONFIG", "C", 5, "fall"},
                 {"CONFIG", "A", 1, ""},
                 {"CONFIG", "A", 0, ""},
                 {"CONFIG", "A", -3, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReadProfileText(c.section, c.key, "fallback", file, c.size), c.expected)
            << c.section << " " << c.key << " " << c.size;
    }
    EXPECT_EQ(ReadProfileText("CONFIG", "A", "fallback", (folder / "absent.ini").string(), 100),
              "fallback");
    std::filesystem::remove_all(folder);
}

} // namespace
