// The firmware file naming rule on any model names and versions: a model's search
// pattern never leaves the firmware folder, and a file found with it is taken only
// when it names that model. Input: model NUL other model NUL version NUL folder.

#include "core/FirmwareNaming.h"
#include "fuzz/Check.h"
#include "fuzz/Split.h"

#include <fnmatch.h>

namespace {

std::string FileName(const std::string& model, const std::string& version) {
    return "MakeEncryptFW_RIVI_OIL-" + model + "-" + version + ".bin";
}

bool IsFileNamePart(const std::string& text) {
    return text.find('/') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = SplitAtNul(data, size, 4);
    const std::string& model = parts[0];
    const std::string& otherModel = parts[1];
    const std::string& version = parts[2];
    const std::string folder = FirmwareFolder(parts[3]);

    const std::optional<std::string> pattern = FirmwareNamePattern(model);
    const std::string otherFile = FileName(otherModel, version);
    IsRiviFirmwarePath(folder + "/" + otherFile);
    if (!pattern || !IsFileNamePart(otherModel) || !IsFileNamePart(version) ||
        version.find('-') != std::string::npos) {
        return 0;
    }
    FUZZ_CHECK(pattern->find_first_of("/\\") == std::string::npos);
    FUZZ_CHECK(pattern->find("..") == std::string::npos);

    // The model's own file is found, taken, and gives its version.
    const std::string ownFile = FileName(model, version);
    FUZZ_CHECK(fnmatch(pattern->c_str(), ownFile.c_str(), 0) == 0);
    FUZZ_CHECK(IsFirmwareFileOfModel(ownFile, model));
    FUZZ_CHECK(VersionFromFirmwarePath(folder + "/" + ownFile) == version);

    // Another model's file may match the wildcard, but is never taken.
    if (otherModel != model && fnmatch(pattern->c_str(), otherFile.c_str(), 0) == 0) {
        FUZZ_CHECK(!IsFirmwareFileOfModel(otherFile, model));
    }
    return 0;
}
