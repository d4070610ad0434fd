#pragma once

#include <cstdint>

// A response the block transfer can go on with: at least one and at most 255
// bytes, the code 00 or BE. Callers preset rxBuffer[0] to FF, so a
// response the library never stored is refused by its code.
bool IsAcceptedResponse(const unsigned char* rxBuffer, std::int32_t rxLength);
