#pragma once

#include <cstddef>
#include <string>

// Texts the reader sends after its response code. They are bytes from a device:
// nothing guarantees a terminating zero, valid UTF-8 or a sane length.

// The text from byte 1 of a receive area up to its first zero byte, never reading
// past areaSize. Bytes that are not valid UTF-8 are kept as they are (they are
// shown replaced when put into a control).
std::string TextAfterResponseCode(const unsigned char* area, std::size_t areaSize);

// "Failed to Read (%02X)": a library error in upper-case hexadecimal, at least two digits.
std::string FailedToReadText(int result);
