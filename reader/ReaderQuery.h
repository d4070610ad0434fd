#pragma once

#include <cstddef>
#include <span>
#include <string>

// The commands that read a text from the reader (information, version, debug
// level) all go the same way: straight to VQ_Polling with a time-out of 3000 ms,
// into a receive area of their own filled with zero, leaving rxBuffer alone.
struct ReaderAnswer {
    int result = 0;   // VQ_Polling's result
    int received = 0; // response bytes stored
    std::string text; // from the byte after the response code up to the first zero
};

// areaSize: the receive area the command is written for (1024 or 2048 bytes).
ReaderAnswer AskReader(int port, std::span<const unsigned char> command, std::size_t areaSize);
