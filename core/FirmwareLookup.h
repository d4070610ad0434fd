#pragma once

#include "framework/FileFind.h"

#include <functional>
#include <string>
#include <vector>

// What the lookup and the file chooser tell the technician.
inline constexpr char kNoFirmwareFileNotice[] = "F/W 파일이 실행 프로그램과 같은 폴더 없습니다.\r\n"
                                                "같은 폴더에 F/W 파일을 넣고 다시 실행해 주세요.";
inline constexpr char kNotRiviFileNotice[] = "vizuz 전용 프로그램입니다.\r\n"
                                             "RIVI FW파일을 선택해주세요.";
// Logged for every file the lookup found, before its name.
inline constexpr char kFoundFileLogPrefix[] = "전송할 파일명 : ";

// The model's firmware files, sorted by name, from the first search folder
// (GetFirmwareSearchFolders) holding any: that folder wins whole. None for a model
// name the naming rule refuses.
std::vector<FoundFile> FindFirmwareFilesFor(const std::string& modelName);

// The file a download sends for modelName: the last file found, in name order, so
// that every machine sends the same one. Each file found is logged first, after
// kFoundFileLogPrefix. Empty when none is found.
std::string LookUpFirmwareFor(const std::string& modelName,
                              const std::function<void(const std::string&)>& logLine);

// Which model the file to send was found for; empty when the technician chose it by
// hand (a hand-chosen file has no model to belong to).
struct FirmwareOrigin {
    std::string foundFor;
};

// Whether the file an earlier lookup or the file chooser left behind may still be
// sent when the lookup for modelName finds nothing: a file found for another model
// never may, as that model's image must never reach this reader.
bool EarlierFileServes(const FirmwareOrigin& origin, const std::string& modelName);
