#include "tests/support/ScriptedLink.h"

#include "readerlink/VexilonDll.h"

#include <algorithm>

namespace testsupport {

ReaderLink ScriptedLink::Link() {
    return ReaderLink{[this](int port, int baud) {
                          PlugBackWhatIsDue();
                          initCalls.push_back(port);
                          bauds.push_back(baud);
                          if (busy.contains(port)) {
                              return static_cast<int>(VQ_INIT_BUSY);
                          }
                          if (!plugged.contains(port)) {
                              return static_cast<int>(VQ_INIT_NO_DEVICE);
                          }
                          open.insert(port);
                          return port;
                      },
                      [this](int port, int sendLength, const unsigned char* sendData,
                             int* receiveLength, unsigned char* receiveData, int timeoutMs) {
                          return Polling(port, sendLength, sendData, receiveLength, receiveData,
                                         timeoutMs);
                      },
                      [this](int port) {
                          ++closings;
                          return open.erase(port) == 1 ? static_cast<int>(VQ_OK)
                                                       : static_cast<int>(VQ_ERR_PORT_NOT_OPEN);
                      }};
}

int ScriptedLink::Polling(int port, int sendLength, const unsigned char* sendData,
                          int* receiveLength, unsigned char* receiveData, int timeoutMs) {
    *receiveLength = 0;
    PlugBackWhatIsDue();
    if (!open.contains(port)) {
        return VQ_ERR_PORT_NOT_OPEN;
    }
    if (!plugged.contains(port)) {
        return VQ_ERR_PORT_LOST;
    }
    delivered.emplace_back(sendData, sendData + sendLength);
    answered.emplace_back();
    timeouts.push_back(timeoutMs);
    const sim::Reply reply = responder(delivered.back());
    if (reply.dropLink) {
        plugged.erase(port);
        if (reply.backAfter) {
            backAt[port] = clock.TickCount() + static_cast<DWORD>(reply.backAfter->count());
        }
    }
    if (reply.kind == sim::Reply::Kind::Silence || reply.delay.count() > timeoutMs) {
        clock.Advance(static_cast<DWORD>(timeoutMs));
        return VQ_ERR_TIMEOUT;
    }
    clock.Advance(static_cast<DWORD>(reply.delay.count()));
    if (reply.kind == sim::Reply::Kind::Nak) {
        return VQ_ERR_REFUSED;
    }
    if (reply.kind == sim::Reply::Kind::BadFrame) {
        return VQ_ERR_MALFORMED;
    }
    const std::size_t stored = std::min<std::size_t>(reply.payload.size(), VQ_RECEIVE_CAPACITY);
    std::copy_n(reply.payload.begin(), stored, receiveData);
    *receiveLength = static_cast<int>(stored);
    answered.back().assign(receiveData, receiveData + stored);
    return stored < reply.payload.size() ? VQ_ERR_TOO_LONG : VQ_OK;
}

void ScriptedLink::PlugBackWhatIsDue() {
    for (auto it = backAt.begin(); it != backAt.end();) {
        // Signed difference: the ticks may wrap while the port is away.
        if (static_cast<std::int32_t>(clock.TickCount() - it->second) >= 0) {
            plugged.insert(it->first);
            it = backAt.erase(it);
        } else {
            ++it;
        }
    }
}

void ScriptedLink::Serve(sim::SimulatedReader& reader) {
    responder = [this, &reader](const Bytes& request) {
        // Ticks since the start, so that a clock near its wrap still moves forward.
        const std::chrono::milliseconds elapsed(static_cast<DWORD>(clock.TickCount() - startTicks));
        return reader.Handle(request, sim::SimulatedReader::TimePoint(elapsed));
    };
}

std::vector<Bytes> ScriptedLink::Requests(const Bytes& prefix) const {
    std::vector<Bytes> found;
    for (const Bytes& request : delivered) {
        if (request.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), request.begin())) {
            found.push_back(request);
        }
    }
    return found;
}

sim::Reply TextReply(const std::string& text, std::uint8_t code) {
    sim::Reply reply{sim::Reply::Kind::Response,
                     std::vector<std::uint8_t>(text.size() + 1, code),
                     {},
                     false,
                     {}};
    std::copy(text.begin(), text.end(), reply.payload.begin() + 1);
    return reply;
}

} // namespace testsupport
