// see ExitCodes.h
#include "cli/ExitCodes.h"

namespace {

constexpr ExitCodeMeaning kMeanings[] = {
    {ExitCode::Success, "success (download: sent, and the reader reports the file's version)"},
    {ExitCode::OtherFailure, "failed without a reason of its own"},
    {ExitCode::Usage, "bad usage: unknown option, missing or malformed value"},
    {ExitCode::NoReader, "no reader found (or not one of ours, or the model not confirmed)"},
    {ExitCode::FirmwareFile, "no firmware file, or one that cannot be read or sent"},
    {ExitCode::Authentication, "download key or authentication refused"},
    {ExitCode::VersionCheck,
     "the reader's version or information could not be read, or the version is not the "
     "file's after the download"},
    {ExitCode::Transfer, "a block or the finish was refused"},
    {ExitCode::Restart, "the reader did not come back after its restart"},
    {ExitCode::PortInUse, "the port is held by another program"},
    {ExitCode::Interrupted, "stopped by Ctrl-C"},
    {ExitCode::ConnectionLost, "the connection was lost: adapter pulled out or device gone"},
};

} // namespace

std::span<const ExitCodeMeaning> ExitCodeMeanings() {
    return kMeanings;
}

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
