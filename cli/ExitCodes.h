#pragma once

#include <span>
#include <string>

// The exit codes of brimlet-cli, one per class of failure, so that a script can
// tell a missing reader from a refused authentication without reading the text.
enum class ExitCode {
    Success = 0,
    OtherFailure = 1, // a failure without a text of its own
    Usage = 2,
    NoReader = 3,
    FirmwareFile = 4,
    Authentication = 5,
    VersionCheck = 6,
    Transfer = 7,
    Restart = 8,
    PortInUse = 9,
    Interrupted = 10,
    ConnectionLost = 11,
};

struct ExitCodeMeaning {
    ExitCode code;
    const char* meaning;
};

// Every code with what it means, in order, for --help and the manual.
std::span<const ExitCodeMeaning> ExitCodeMeanings();

// The class of a failed run, from the texts it showed in order (notices and boxes):
// the first text that names a class decides, as later texts only follow from it
// (a wrong version after the restart also ends with "버전 조회 실패").
ExitCode ExitCodeForFailure(std::span<const std::string> shownTexts);

int ToInt(ExitCode code);
