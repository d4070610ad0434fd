#pragma once

#include "framework/Clock.h"
#include "reader/ReaderLink.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

// What Ctrl-C does. Before the reader may have entered its boot loader, the first
// press stops the run. From then on, a stopped run leaves the reader in its boot
// loader until a new download, so the first press only warns and the transfer goes
// on; a second press within kConfirmWindow stops it.
class Interruption {
public:
    using TimeSource = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds kConfirmWindow{3};

    enum class Press { Stops, Warns };

    explicit Interruption(TimeSource now = std::chrono::steady_clock::now) : now(std::move(now)) {}

    // Ctrl-C; safe from any thread.
    Press Pressed();
    // From here on the reader may be in its boot loader.
    void ReaderMayBeInBootLoader();
    bool ReaderLeftInBootLoader();
    bool Stopped();

    // Throws Stop when the run is stopped, before anything more reaches the reader.
    void ThrowIfStopped();
    // Waits ms, or throws Stop as soon as the run is stopped.
    void SleepFor(DWORD ms);

    struct Stop {};

private:
    TimeSource now;
    std::mutex mutex;
    std::condition_variable stopped;
    bool stop = false;
    bool inBootLoader = false;
    bool warned = false;
    std::chrono::steady_clock::time_point warnedAt;
};

// The library's calls, refusing to open or send anything once the run is stopped.
// It remembers the ports it opened, so that a stopped run closes even the port a
// search was probing when the run stopped.
struct StoppableLink {
    StoppableLink(ReaderLink library, Interruption& interruption);
    void CloseOpenPorts();

    ReaderLink link;

private:
    ReaderLink library;
    std::shared_ptr<std::set<int>> openPorts = std::make_shared<std::set<int>>();
};

// The real time, whose waits end early (with Interruption::Stop) when the run stops.
class StoppableClock : public Clock {
public:
    explicit StoppableClock(Interruption& interruption) : interruption(interruption) {}
    DWORD TickCount() override;
    void SleepFor(DWORD ms) override { interruption.SleepFor(ms); }

private:
    Interruption& interruption;
};
