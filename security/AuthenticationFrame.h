#pragma once

// Layout shared by the host and reader halves of the authentication messages.

constexpr unsigned char authCommandCode = 0xFF;
constexpr unsigned char authCommandSubcode = 0x09;
constexpr int authRequestHeaderLength = 3;  // FF 09 <step>
constexpr int authResponseHeaderLength = 1; // the response code
constexpr unsigned char readerSuccessCode = 0x00;

inline void WriteAuthRequestHeader(unsigned char step, unsigned char* request) {
    request[0] = authCommandCode;
    request[1] = authCommandSubcode;
    request[2] = step;
}

inline bool HasAuthRequestHeader(const unsigned char* request, int requestLength,
                                 int expectedLength, unsigned char step) {
    return requestLength == expectedLength && request[0] == authCommandCode &&
           request[1] == authCommandSubcode && request[2] == step;
}
