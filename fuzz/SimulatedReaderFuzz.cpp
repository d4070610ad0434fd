// The simulated reader's request handling on any sequence of requests. Input: one
// byte choosing how the reader starts, then records of a wait (one byte, tens of
// milliseconds) and a request (two length bytes, big-endian, and its payload). A
// bare 8E stands for the right key proof: no fuzzer finds a triple-DES proof, and
// every block waits for one.

#include "fuzz/Check.h"
#include "readerlink/Frame.h"
#include "security/KeyProof.h"
#include "sim/ReplyWire.h"
#include "sim/SimulatedReader.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kKeyProof = 0x8E;
constexpr std::uint8_t kKeyHandOver = 0x92;
constexpr sim::KeyBytes kReaderKey{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                   0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

sim::ReaderConfig ConfigFrom(std::uint8_t choice) {
    sim::ReaderConfig config;
    config.startIn = (choice & 1) != 0 ? sim::Firmware::BootLoader : sim::Firmware::Application;
    config.bootLoaderHoldsKey = (choice & 2) != 0;
    config.infoCodeOnly = (choice & 4) != 0;
    config.bootInfoDe635 = (choice & 8) != 0;
    config.faults.msrNotAuthenticated = (choice & 16) != 0;
    config.restartTime = std::chrono::milliseconds(100);
    config.downloadKey = kReaderKey;
    return config;
}

// A reply on the wire reads back, through the host's own parser, as what was meant.
void CheckWire(const sim::Reply& reply) {
    const std::vector<std::uint8_t> wire = sim::WireBytes(reply);
    if (reply.kind != sim::Reply::Kind::Response) {
        return;
    }
    FUZZ_CHECK(!reply.payload.empty() && reply.payload.size() <= readerlink::kMaxPayload);
    readerlink::FrameParser parser;
    for (std::size_t i = 0; i < wire.size(); ++i) {
        const bool last = i + 1 == wire.size();
        FUZZ_CHECK((parser.Feed(wire[i]) == readerlink::FrameParser::Status::Complete) == last);
    }
    FUZZ_CHECK(std::equal(reply.payload.begin(), reply.payload.end(), parser.Payload().begin(),
                          parser.Payload().end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    sim::SimulatedReader reader(ConfigFrom(data[0]));
    sim::Responder::TimePoint now{};
    sim::KeyBytes key = kReaderKey; // what the boot loader holds, as far as the host knows
    bool proven = false;
    std::size_t at = 1;
    while (at + 3 <= size) {
        now += std::chrono::milliseconds(10 * data[at]);
        const std::size_t length =
            std::min<std::size_t>((data[at + 1] << 8) | data[at + 2], size - at - 3);
        const std::span<const std::uint8_t> request(data + at + 3, length);
        at += 3 + length;
        // The pty server hands over only what a frame can carry.
        if (length < readerlink::kMinPayload) {
            continue;
        }
        if (request.size() == 1 + keyProofLength && request[0] == kKeyHandOver) {
            std::copy(request.begin() + 1, request.end(), key.begin());
        }
        // A restarting reader is silent, whatever it is sent.
        const bool restarting = !reader.RunningFirmware(now).has_value();
        sim::Reply reply;
        if (request.size() == 1 && request[0] == kKeyProof) {
            std::vector<std::uint8_t> proof(1 + keyProofLength, kKeyProof);
            BuildKeyProof(key.data(), proof.data() + 1);
            reply = reader.Handle(proof, now);
            proven =
                proven || reply == sim::Reply{sim::Reply::Kind::Response, {0x00}, {}, false, {}};
        } else {
            reply = reader.Handle(request, now);
        }
        FUZZ_CHECK(!restarting || reply.kind == sim::Reply::Kind::Silence);
        // Nothing reaches the flash before the host has proven the key.
        FUZZ_CHECK(proven || reader.Flash().BlocksWritten() == 0);
        CheckWire(reply);
    }
    return 0;
}
