#pragma once

#include "framework/Clock.h"

// The process's GetTickCount and Sleep as a Clock: whatever clock a ScopedClock
// installed (virtual time in tests), the real one otherwise.
class SeamClock : public Clock {
public:
    DWORD TickCount() override { return ::GetTickCount(); }
    void SleepFor(DWORD ms) override { ::Sleep(ms); }
};
