#pragma once

#include <cstdint>
#include <string>

// What one download learnt about the reader and the firmware file, kept for the
// download history. Never the download key nor anything derived from it.
struct DownloadFacts {
    int port = 0;               // the COM port the reader answered on; 0: none found
    std::string infoText;       // its information text, as detection read it
    std::string model;          // its model: from that text, or typed for a boot loader
    std::string versionBefore;  // the application firmware's version, before the transfer
    std::string versionAfter;   // the version the restarted reader reported
    std::string fileName;       // the firmware file sent, without its folder
    std::int64_t fileSize = 0;  // its size in bytes
    std::string fileSha256;     // the SHA-256 of its bytes, lower-case hexadecimal
    std::int64_t elapsedMs = 0; // from the start of the detection to the end
};
