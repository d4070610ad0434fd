#pragma once

#include <cstdint>
#include <string>

// The main window's fields that every reader command shares. The order and the
// widths are those the commands and the download sequence were written for.
struct ReaderState {
    // COM port number in use; 0 when no port is open.
    std::int32_t port = 0;
    unsigned char downloadKey[16] = {};
    unsigned char hostReserved[8] = {};
    unsigned char hostRandom[16] = {};
    unsigned char readerChallenge[8] = {};
    unsigned char readerRandom[16] = {};
    unsigned char authCipherKey[24] = {};
    unsigned char authMacKey[24] = {};
    unsigned char derivedKeyPair[48] = {};
    // Frame under construction by the block transfer: byte 0 the command code.
    unsigned char txBuffer[1000] = {};
    // Response of the last SendCommand: byte 0 the response code.
    unsigned char rxBuffer[1000] = {};
    std::int32_t rxLength = 0;
    // 1 only while the port was opened with the Open button; detection leaves it 0.
    std::int32_t portOpen = 0;
    std::int32_t versionMismatch = 0;
    // Bound to the check box "포트 자동 검색"; searching is on at start.
    std::int32_t autoPortSearch = 1;
    std::string readerInfo;
    std::string modelName;
    std::string fileVersion;
};
