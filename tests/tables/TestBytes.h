#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Test-side byte helpers, written apart from the program's own hex conversion so
// that the expectations do not lean on the code under test.

std::vector<unsigned char> ParseHex(std::string_view hex);
std::string ToHex(const unsigned char* bytes, size_t length);
std::string ToUpper(std::string_view text);

using Sha1Digest = std::array<unsigned char, 20>;

// The independent oracle: libcrypto's SHA-1.
Sha1Digest OpenSslSha1(const unsigned char* data, size_t length);
