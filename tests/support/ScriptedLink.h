#pragma once

#include "framework/Clock.h"
#include "reader/ReaderLink.h"
#include "sim/Reply.h"
#include "sim/SimulatedReader.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

// The reader-link calls played in this process: ports in `plugged` open unless `busy`, every
// request on an open port goes to the responder, and its Reply comes back as the
// library would give it (NAK 1005, silence 1003 after the time-out on the clock,
// a spoilt frame 1004, more than 1000 bytes 1006, unplugged while open 1008). A reply
// that drops the link for a while unplugs its port until then on the clock.
// Nothing of a pty or a window.
class ScriptedLink {
public:
    explicit ScriptedLink(VirtualClock& clock) : clock(clock) {}

    ReaderLink Link();
    // Every request goes to reader, at the clock's time.
    void Serve(sim::SimulatedReader& reader);
    // Delivered request payloads starting with prefix (all of them when empty).
    std::vector<Bytes> Requests(const Bytes& prefix = {}) const;

    std::function<sim::Reply(const Bytes& request)> responder;
    std::set<int> plugged;
    std::set<int> busy; // held by another program
    std::set<int> open;
    std::vector<int> initCalls;   // the ports VQ_InitPort was asked for, in order
    std::vector<int> bauds;       // and at which rate
    int closings = 0;             // VQ_ClosePort calls
    std::vector<Bytes> delivered; // request payloads, in order
    std::vector<Bytes> answered;  // the response stored for each (empty when none)
    std::vector<int> timeouts;    // the time-out of each delivered request

private:
    void PlugBackWhatIsDue();
    int Polling(int port, int sendLength, const unsigned char* sendData, int* receiveLength,
                unsigned char* receiveData, int timeoutMs);

    VirtualClock& clock;
    DWORD startTicks = clock.TickCount();
    std::map<int, DWORD> backAt; // unplugged ports and the tick they come back
};

// A reply with response code 00 and text after it.
sim::Reply TextReply(const std::string& text, std::uint8_t code = 0x00);

} // namespace testsupport
