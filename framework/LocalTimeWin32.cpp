// see LocalTime.h
#include "framework/LocalTime.h"

#include <windows.h>

#include <cstdio>

std::string LocalTimeNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    // The bias is UTC minus local time in minutes, daylight saving included.
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = GetTimeZoneInformation(&zone);
    long bias = zone.Bias;
    if (kind == TIME_ZONE_ID_DAYLIGHT) {
        bias += zone.DaylightBias;
    } else if (kind == TIME_ZONE_ID_STANDARD) {
        bias += zone.StandardBias;
    }
    const long offsetMinutes = -bias;
    const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03u%c%02ld:%02ld", local.wYear,
                  local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                  local.wMilliseconds, offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return text;
}
