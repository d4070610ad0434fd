#pragma once

#include <cstdint>
#include <string_view>

// A number typed by the user (port number, debug level), read the way C's atoi
// reads it: leading white space, an optional sign, then decimal digits up to the
// first other character; a text without digits gives 0. Unlike atoi, a value
// beyond 32 bits is defined: it saturates at INT32_MAX or INT32_MIN (as strtol
// does), so "99999999999" reads as 2147483647, a port no reader can sit on.
std::int32_t DecimalTextValue(std::string_view text);
