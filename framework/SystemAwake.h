#pragma once

// Keeps the computer from going to sleep while a download runs: from construction
// until destruction, on the thread that constructed it (a sleeping PC would cut the
// reader off half flashed). Where the system offers nothing of the kind it does nothing.
class ScopedSystemAwake {
public:
    ScopedSystemAwake();
    ~ScopedSystemAwake();
    ScopedSystemAwake(const ScopedSystemAwake&) = delete;
    ScopedSystemAwake& operator=(const ScopedSystemAwake&) = delete;
};
