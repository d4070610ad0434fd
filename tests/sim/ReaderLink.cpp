#include "tests/sim/ReaderLink.h"

#include "sim/ReplyWire.h"

#include <gtest/gtest.h>

#include <thread>

namespace simtest {

InProcessLink::InProcessLink(sim::ReaderConfig config) : reader_(std::move(config)) {}

LinkResult InProcessLink::Exchange(const Bytes& request, std::chrono::milliseconds timeout) {
    const sim::Reply reply = reader_.Handle(request, now_);
    if (reply.kind == sim::Reply::Kind::Silence || reply.delay >= timeout) {
        now_ += timeout;
        return {VQ_ERR_TIMEOUT, {}};
    }
    now_ += reply.delay;
    switch (reply.kind) {
    case sim::Reply::Kind::Nak:
        return {VQ_ERR_REFUSED, {}};
    case sim::Reply::Kind::BadFrame:
        return {VQ_ERR_MALFORMED, {}};
    default:
        return {VQ_OK, reply.payload};
    }
}

PtyLink::PtyLink(sim::ReaderConfig config, sim::PtyOptions options)
    : library_(folder_.Path()), reader_(std::move(config), [&] {
          options.programFolder = folder_.Path();
          options.port = kPort;
          return options;
      }()) {
    const std::optional<std::string> error = reader_.Open();
    EXPECT_FALSE(error.has_value()) << *error;
    reader_.Start();
    EXPECT_EQ(library_.InitPort(kPort, 115200), kPort);
}

PtyLink::~PtyLink() {
    library_.ClosePort(kPort);
    reader_.Stop();
}

LinkResult PtyLink::Exchange(const Bytes& request, std::chrono::milliseconds timeout) {
    Bytes receive(VQ_RECEIVE_CAPACITY);
    int length = 0;
    const int code = library_.Polling(kPort, static_cast<int>(request.size()), request.data(),
                                      &length, receive.data(), static_cast<int>(timeout.count()));
    receive.resize(static_cast<std::size_t>(std::max(length, 0)));
    return {code, receive};
}

void PtyLink::Wait(std::chrono::milliseconds time) {
    std::this_thread::sleep_for(time);
}

} // namespace simtest
