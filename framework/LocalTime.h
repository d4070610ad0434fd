#pragma once

#include <string>

// The local time now with milliseconds and the offset from UTC, as a record that is
// read weeks later in another time zone needs it: "2026-12-07T17:05:09.123+09:00".
std::string LocalTimeNow();
