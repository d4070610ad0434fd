// see ExitCodes.h
#include "cli/ExitCodes.h"

// A new way to end is one case here; the compiler names any outcome left out.
ExitCode ExitCodeFor(Outcome outcome) {
    switch (outcome) {
    case Outcome::Succeeded:
        return ExitCode::Success;
    case Outcome::Unexpected:
        return ExitCode::OtherFailure;
    case Outcome::NoReader:
    case Outcome::BootLoaderUnreachable:
        return ExitCode::NoReader;
    case Outcome::PortInUse:
        return ExitCode::PortInUse;
    case Outcome::FirmwareFileMissing:
    case Outcome::FirmwareFileRefused:
        return ExitCode::FirmwareFile;
    case Outcome::MsrNotAuthenticated:
    case Outcome::DownloadKeyRefused:
    case Outcome::AuthenticationFailed:
        return ExitCode::Authentication;
    case Outcome::VersionUnread:
    case Outcome::WrongVersion:
        return ExitCode::VersionCheck;
    case Outcome::TransferRefused:
        return ExitCode::Transfer;
    case Outcome::NoRestart:
        return ExitCode::Restart;
    case Outcome::ConnectionLost:
        return ExitCode::ConnectionLost;
    case Outcome::Stopped:
        return ExitCode::Interrupted;
    }
    return ExitCode::OtherFailure; // a value no outcome has
}

int ToInt(ExitCode code) {
    return static_cast<int>(code);
}
