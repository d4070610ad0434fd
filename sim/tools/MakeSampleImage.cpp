// make-sample-image: writes a firmware image of a given size that carries a version
// code in the marker the simulated reader reads (sim/VersionMarker.h).

#include "sim/SampleImage.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// The host addresses blocks in 24 bits and sends one all-FF block past the image,
// whose offset must still fit.
constexpr std::size_t kMaxImageSize = 0xFFFF00;

constexpr const char* kUsage =
    "Usage: make-sample-image --size BYTES --version CODE --output FILE\n"
    "\n"
    "Writes BYTES bytes of deterministic filler ending in the marker\n"
    "RIVI-FW-VERSION=<CODE> and a zero byte. CODE is 1-6 letters or digits;\n"
    "BYTES runs from the marker's length to 16776960.\n";

int Refuse(const std::string& message) {
    std::fprintf(stderr, "make-sample-image: %s\n%s", message.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string_view sizeText, version, output;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= argc) {
            return Refuse("\"" + std::string(option) + "\" needs a value or is unknown");
        }
        const std::string_view value = argv[++i];
        if (option == "--size") {
            sizeText = value;
        } else if (option == "--version") {
            version = value;
        } else if (option == "--output") {
            output = value;
        } else {
            return Refuse("unknown option \"" + std::string(option) + "\"");
        }
    }
    if (sizeText.empty() || version.empty() || output.empty()) {
        return Refuse("--size, --version and --output are all required");
    }
    std::size_t size = 0;
    const auto [end, error] =
        std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (error != std::errc() || end != sizeText.data() + sizeText.size() || size > kMaxImageSize) {
        return Refuse("--size: \"" + std::string(sizeText) + "\" is not a size up to 16776960");
    }
    const std::vector<std::uint8_t> image = sim::MakeSampleImage(size, version);
    if (image.empty()) {
        return Refuse("cannot make " + std::string(sizeText) + " bytes with version \"" +
                      std::string(version) + "\": the code must be 1-6 letters or digits and " +
                      "the image at least " + std::to_string(sim::MinimumSampleImageSize(version)) +
                      " bytes");
    }
    // Written beside the target and renamed over it: a failed write leaves no
    // half image that a later run could take for a whole one.
    const std::filesystem::path target{std::string(output)};
    const std::filesystem::path partial = target.string() + ".partial";
    std::ofstream file{partial, std::ios::binary | std::ios::trunc};
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    file.close();
    std::error_code renameError;
    if (file) {
        std::filesystem::rename(partial, target, renameError);
    }
    if (!file || renameError) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        std::fprintf(stderr, "make-sample-image: cannot write %s\n", target.c_str());
        return 1;
    }
    return 0;
}
