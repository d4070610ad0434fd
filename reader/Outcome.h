#pragma once

#include <span>

// How a download, an information read or a version read ended: one value per way,
// handed on with the text the technician sees. What follows from the ending (an
// exit code, a reason in a script's output) reads the value, never the text, so a
// reworded message changes nothing else. The numbers are fixed once given.
enum class Outcome {
    Succeeded = 0,
    Unexpected = 1,            // an exception nobody expected ended the run
    NoReader = 2,              // no reader answered, or not one of ours, or no model name
    PortInUse = 3,             // the only port a reader could be on is held elsewhere
    BootLoaderUnreachable = 4, // the port did not open again for the boot loader
    FirmwareFileMissing = 5,   // no firmware file for the model, or one that cannot be read
    FirmwareFileRefused = 6,   // a file the transfer could not send (hex, empty, too large)
    MsrNotAuthenticated = 7,   // the reader's MSR is not authenticated
    DownloadKeyRefused = 8,    // FF 08 or 92 with the download key was refused
    AuthenticationFailed = 9,  // a step of the authentication, or the key proof, failed
    VersionUnread = 10,        // the reader's version (or information) could not be read
    WrongVersion = 11,         // after the flash the reader runs another version than the file's
    TransferRefused = 12,      // a block or the finish was refused too often
    NoRestart = 13,            // the reader did not answer again after its restart
    ConnectionLost = 14,       // the adapter was pulled out or the device went away
    Stopped = 15,              // the technician stopped the run (Ctrl-C)
};

// Every value, in order.
std::span<const Outcome> AllOutcomes();

// A stable name for scripts ("authentication"), never shown to the technician.
const char* ReasonName(Outcome outcome);
