// see Interruption.h
#include "cli/Interruption.h"

Interruption::Press Interruption::Pressed() {
    const std::lock_guard lock(mutex);
    const auto at = now();
    if (!inBootLoader || (warned && at - warnedAt <= kConfirmWindow)) {
        stop = true;
        stopped.notify_all();
        return Press::Stops;
    }
    warned = true;
    warnedAt = at;
    return Press::Warns;
}

void Interruption::ReaderMayBeInBootLoader() {
    const std::lock_guard lock(mutex);
    inBootLoader = true;
}

bool Interruption::ReaderLeftInBootLoader() {
    const std::lock_guard lock(mutex);
    return inBootLoader;
}

bool Interruption::Stopped() {
    const std::lock_guard lock(mutex);
    return stop;
}

void Interruption::ThrowIfStopped() {
    if (Stopped()) {
        throw Stop{};
    }
}

void Interruption::SleepFor(DWORD ms) {
    std::unique_lock lock(mutex);
    if (stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop; })) {
        throw Stop{};
    }
}

StoppableLink::StoppableLink(ReaderLink library, Interruption& interruption) : library(library) {
    link.initPort = [init = library.initPort, open = openPorts, &interruption](int port, int baud) {
        interruption.ThrowIfStopped();
        const int result = init(port, baud);
        if (result == port) {
            open->insert(port);
        }
        return result;
    };
    link.polling = [polling = library.polling,
                    &interruption](int port, int sendLength, const unsigned char* sendData,
                                   int* receiveLength, unsigned char* receiveData, int timeoutMs) {
        interruption.ThrowIfStopped();
        return polling(port, sendLength, sendData, receiveLength, receiveData, timeoutMs);
    };
    link.closePort = [close = library.closePort, open = openPorts](int port) {
        open->erase(port);
        return close(port);
    };
}

void StoppableLink::CloseOpenPorts() {
    for (const int port : *openPorts) {
        library.closePort(port);
    }
    openPorts->clear();
}

DWORD StoppableClock::TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
