#pragma once

#include <functional>

// The three calls of the reader-link library, as a table: the program binds it to
// the library itself, tests bind it to a script or to a simulated reader.
struct ReaderLink {
    // Returns port when the port opened; any other value is a failure.
    std::function<int(int port, int baud)> initPort;
    // 0 on success, otherwise the library's error code; receiveData holds at least
    // VQ_RECEIVE_CAPACITY bytes.
    std::function<int(int port, int sendLength, const unsigned char* sendData, int* receiveLength,
                      unsigned char* receiveData, int timeoutMs)>
        polling;
    std::function<int(int port)> closePort;
};
