#include "framework/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class RealClock : public Clock {
public:
    DWORD TickCount() override {
        auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
        // DWORD arithmetic wraps like the Windows tick counter.
        return static_cast<DWORD>(
            std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
    }
    void SleepFor(DWORD ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

RealClock realClock;
std::atomic<Clock*> current{&realClock};

} // namespace

DWORD VirtualClock::TickCount() {
    std::lock_guard lock(mutex);
    return ticks;
}

void VirtualClock::SleepFor(DWORD ms) {
    std::lock_guard lock(mutex);
    ticks += ms;
    slept += ms;
}

void VirtualClock::Advance(DWORD ms) {
    std::lock_guard lock(mutex);
    ticks += ms;
}

DWORD VirtualClock::TotalSlept() {
    std::lock_guard lock(mutex);
    return slept;
}

ScopedClock::ScopedClock(Clock& clock) : previous(current.exchange(&clock)) {}

ScopedClock::~ScopedClock() {
    current.store(previous);
}

DWORD GetTickCount() {
    return current.load()->TickCount();
}

void Sleep(DWORD ms) {
    current.load()->SleepFor(ms);
}
