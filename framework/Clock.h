#pragma once

#include "framework/WinTypes.h"

#include <mutex>

// GetTickCount and Sleep go through a clock so that tests can run the program's
// fixed waits (seconds long) on virtual time that costs nothing.

class Clock {
public:
    virtual ~Clock() = default;
    virtual DWORD TickCount() = 0;       // milliseconds, wrapping like Windows after 49.7 days
    virtual void SleepFor(DWORD ms) = 0; // returns after ms milliseconds of this clock
};

// Virtual time: SleepFor advances the clock at once. Safe to use from several threads.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(DWORD startTicks = 0) : ticks(startTicks) {}
    DWORD TickCount() override;
    void SleepFor(DWORD ms) override;
    void Advance(DWORD ms);
    DWORD TotalSlept(); // sum of every SleepFor, for tests asserting the waits taken

private:
    std::mutex mutex;
    DWORD ticks;
    DWORD slept = 0;
};

// Installs clock for GetTickCount and Sleep until the object goes out of scope,
// then the previous one comes back. Install before starting threads that use it.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous;
};

DWORD GetTickCount();
void Sleep(DWORD ms);
