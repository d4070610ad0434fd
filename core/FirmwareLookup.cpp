// see FirmwareLookup.h
#include "core/FirmwareLookup.h"

#include "core/FirmwareNaming.h"
#include "framework/ProgramFolder.h"

#include <optional>

std::vector<FoundFile> FindFirmwareFilesFor(const std::string& modelName) {
    const std::optional<std::string> pattern = FirmwareNamePattern(modelName);
    if (!pattern) {
        return {};
    }
    for (const std::string& folder : GetFirmwareSearchFolders()) {
        std::vector<FoundFile> matches = FindFiles(FirmwareFolder(folder), *pattern);
        std::erase_if(matches, [&](const FoundFile& match) {
            return !IsFirmwareFileOfModel(match.fileName, modelName);
        });
        if (!matches.empty()) {
            return matches;
        }
    }
    return {};
}

std::string LookUpFirmwareFor(const std::string& modelName,
                              const std::function<void(const std::string&)>& logLine) {
    std::string path;
    for (const FoundFile& match : FindFirmwareFilesFor(modelName)) {
        logLine(kFoundFileLogPrefix + match.fileName);
        path = match.fullPath;
    }
    return path;
}

bool EarlierFileServes(const FirmwareOrigin& origin, const std::string& modelName) {
    return origin.foundFor.empty() || origin.foundFor == modelName;
}
