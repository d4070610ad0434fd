#pragma once

// A fake reader on a pseudo-terminal: the slave side is linked as
// <programFolder>/ports/COM<n>, so the reader-link library opens it like any
// serial port, and a peer thread on the master side records every request frame
// and answers it from a script.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// The bytes the fake writes back for one request.
struct FakeReply {
    std::vector<std::vector<std::uint8_t>> pieces; // written one after another
    std::chrono::milliseconds delay{0};            // before the first piece
    std::chrono::milliseconds pieceGap{0};         // between two pieces

    // One well-formed frame around payload (response code first).
    static FakeReply Answer(std::span<const std::uint8_t> payload);
    static FakeReply Refuse();
    static FakeReply Silence();
    static FakeReply Raw(std::vector<std::uint8_t> bytes);
    static FakeReply Pieces(std::vector<std::vector<std::uint8_t>> pieces,
                            std::chrono::milliseconds gap);

    FakeReply After(std::chrono::milliseconds wait) const;
};

class FakeReaderPty {
public:
    // Answers a request when the queue of scripted replies is empty.
    using Responder = std::function<FakeReply(std::span<const std::uint8_t> request)>;

    // Creates the pair, links the slave and starts answering (silence until told).
    FakeReaderPty(std::filesystem::path programFolder, int comPort);
    ~FakeReaderPty();
    FakeReaderPty(const FakeReaderPty&) = delete;
    FakeReaderPty& operator=(const FakeReaderPty&) = delete;

    // Replies for the next requests, in order.
    void Enqueue(FakeReply reply);
    void SetResponder(Responder responder);

    // Payloads of the well-formed request frames received so far.
    std::vector<std::vector<std::uint8_t>> Requests() const;
    // Every byte received, frames and all.
    std::vector<std::uint8_t> ReceivedBytes() const;
    // True once count requests arrived; false if limit passed first.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const;

    // Hangs up: the master side closes, as when a reader is unplugged. The link
    // stays and points to a terminal that is gone.
    void Stop();
    // A fresh pair, the link pointing to its slave, answering again. Recorded
    // requests and the script are kept.
    void Start();

    std::filesystem::path LinkPath() const { return linkPath_; }

private:
    void Serve();
    void HandleRequest(std::span<const std::uint8_t> payload);
    FakeReply NextReply(std::span<const std::uint8_t> payload);
    bool Send(const FakeReply& reply);
    // Sleeps unless Stop() comes first; false when it did.
    bool Pause(std::chrono::milliseconds wait);

    std::filesystem::path linkPath_;
    int master_ = -1;
    int slave_ = -1; // kept open so the master never sees a hang-up between opens
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread peer_;

    mutable std::mutex lock_;
    mutable std::condition_variable requestArrived_;
    std::deque<FakeReply> script_;
    Responder responder_;
    std::vector<std::vector<std::uint8_t>> requests_;
    std::vector<std::uint8_t> received_;
};

} // namespace testsupport
