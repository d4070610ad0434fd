#pragma once

#include "reader/Outcome.h"

// The exit codes of brimlet-cli, one per class of failure, so that a script can
// tell a missing reader from a refused authentication without reading the text.
enum class ExitCode {
    Success = 0,
    OtherFailure = 1, // a failure without a class of its own
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

// The class an ending belongs to.
ExitCode ExitCodeFor(Outcome outcome);

int ToInt(ExitCode code);
