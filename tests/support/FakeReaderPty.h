#pragma once

// A scripted reader: a Responder that answers from a queue of exact replies, served
// on ports/COM<n> of a program folder by the simulated reader's own
// pseudo-terminal server, so the reader-link library opens it like any port.

#include "sim/PtyReader.h"
#include "sim/Responder.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace testsupport {

// The bytes written back for one request: a well-formed frame around payload
// (response code first), raw bytes, or (the default) nothing.
struct FakeReply : sim::Reply {
    static FakeReply Answer(std::span<const std::uint8_t> payload) {
        return {{Kind::Response, {payload.begin(), payload.end()}, {}, false, {}}};
    }
    static FakeReply Raw(std::vector<std::uint8_t> bytes) {
        return {{Kind::Raw, std::move(bytes), {}, false, {}}};
    }
};

class ScriptedResponder : public sim::Responder {
public:
    // Answers a request when the queue of scripted replies is empty; without one the
    // script is silent.
    using Fallback = std::function<FakeReply(std::span<const std::uint8_t> request)>;

    // Replies for the next requests, in order.
    void Enqueue(FakeReply reply);
    void SetResponder(Fallback fallback);

    // Payloads of the well-formed request frames received so far.
    std::vector<std::vector<std::uint8_t>> Requests() const;
    // Every byte received, frames and all.
    std::vector<std::uint8_t> ReceivedBytes() const;
    // True once count requests arrived; false if limit passed first.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const;

    sim::Reply Handle(std::span<const std::uint8_t> request, TimePoint now) override;
    void Heard(std::span<const std::uint8_t> bytes) override;

private:
    mutable std::mutex lock_;
    mutable std::condition_variable requestArrived_;
    std::deque<FakeReply> script_;
    Fallback fallback_;
    std::vector<std::vector<std::uint8_t>> requests_;
    std::vector<std::uint8_t> received_;
};

class FakeReaderPty : public ScriptedResponder {
public:
    // Links ports/COM<comPort> and starts answering (silence until told); throws
    // when the pseudo-terminal cannot be made.
    FakeReaderPty(std::filesystem::path programFolder, int comPort);

    // Unplugged: the link goes and the terminal closes under whoever has it open.
    void Stop() { server_.reset(); }
    // Plugged in again on a fresh terminal; the script and the records are kept.
    void Start();

private:
    std::filesystem::path programFolder_;
    int comPort_;
    std::optional<sim::PtyReader> server_;
};

} // namespace testsupport
