#pragma once

// One table of request/response scenarios, run both against the exchange over a
// scripted transport and against the library over a real pseudo-terminal.

#include "readerlink/Frame.h"
#include "readerlink/VexilonDll.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct ExchangeCase {
    const char* name;
    Bytes request;
    Bytes requestFrame;             // what the reader must see, worked out by hand
    std::vector<Bytes> replyPieces; // what the reader answers, piece by piece
    int code;
    Bytes response; // what must be stored
};

// What one run produced: result code, the receive area after the call and the
// bytes the reader side received.
struct ExchangeOutcome {
    int code = -1;
    std::size_t stored = 0;
    Bytes area;
    Bytes wire;
};

inline constexpr std::size_t kAreaGuard = 64;
inline constexpr std::uint8_t kUntouched = 0xA5;

inline Bytes FreshReceiveArea() {
    return Bytes(VQ_RECEIVE_CAPACITY + kAreaGuard, kUntouched);
}

std::vector<ExchangeCase> ExchangeCases();

// Checks code, stored bytes, that nothing past them was written and that the
// request went out exactly once, byte for byte.
void ExpectOutcome(const ExchangeCase& expected, const ExchangeOutcome& outcome);

inline std::string CaseName(const ExchangeCase& c) {
    return c.name;
}

// Keeps test names readable: ctest shows the printed parameter.
inline void PrintTo(const ExchangeCase& c, std::ostream* out) {
    *out << c.name;
}
