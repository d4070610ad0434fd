#include "tests/sim/ReaderSession.h"

#include <gtest/gtest.h>

namespace simtest {

namespace {

bool Accepted(const sim::Reply& reply) {
    return reply.kind == sim::Reply::Kind::Response && reply.payload.size() == 1 &&
           (reply.payload[0] == 0x00 || reply.payload[0] == 0xBE);
}

} // namespace

ReaderSession::ReaderSession(sim::ReaderConfig config) : reader_(std::move(config)) {}

sim::Reply ReaderSession::Send(const Bytes& request) {
    return reader_.Handle(request, now_);
}

Bytes ReaderSession::Ask(const Bytes& request) {
    const sim::Reply reply = Send(request);
    EXPECT_EQ(reply.kind, sim::Reply::Kind::Response) << "request " << ToHex(request);
    return reply.payload;
}

bool ReaderSession::Authenticate(TestHost& host) {
    return Ask(host.StoreKeyRequest()) == Hex("00") &&
           host.TakeStep1Response(Ask(host.Step1Request())) &&
           host.TakeStep2Response(Ask(host.Step2Request())) &&
           Ask(host.Step3Request()) == Concat(Hex("00"), Text("O"));
}

bool ReaderSession::Transfer(std::span<const std::uint8_t> image) {
    for (const Bytes& block : TestHost::BlockRequests(image)) {
        if (!Accepted(Send(block))) {
            return false;
        }
    }
    return Accepted(Send(TestHost::FinishRequest(image)));
}

} // namespace simtest
