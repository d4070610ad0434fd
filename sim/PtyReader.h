#pragma once

// Serves a Responder (the SimulatedReader, or a test's script) on a
// pseudo-terminal whose slave side is linked as <programFolder>/ports/COM<n>,
// where the reader-link library looks for ports. It reads request frames with the
// library's own parser and writes the responder's answers, optionally at the pace
// of the real wire. Runs on a thread of its own (Start/Stop) or on the caller's
// (Serve).

#include "readerlink/Frame.h"
#include "sim/Responder.h"
#include "sim/SimulatedReader.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace sim {

struct PtyOptions {
    std::filesystem::path programFolder;
    int port = 7;
    // The pace of the real wire in both directions (WirePace.h).
    bool pace = false;
    // Receives one line per frame received or sent ("RX 02 00 02 FF 0C 03 F1"),
    // and one per event (silence, refused frame, vanished port). Empty: no log.
    std::function<void(const std::string&)> log;
    // After vanishing by fault, come back this much later as COM<returnPort>, the
    // reader in the state it had; 0: gone for good.
    int returnPort = 0;
    std::chrono::milliseconds returnAfter{1000};
    // Every answer reaches the host this much later, as through a USB-serial
    // adapter that holds short answers until its latency timer runs out.
    std::chrono::milliseconds replyLatency{0};
};

class PtyReader {
public:
    // Serves a SimulatedReader of its own.
    PtyReader(ReaderConfig config, PtyOptions options);
    // Serves responder, which must outlive the server.
    PtyReader(Responder& responder, PtyOptions options);
    ~PtyReader();
    PtyReader(const PtyReader&) = delete;
    PtyReader& operator=(const PtyReader&) = delete;

    // Creates the pseudo-terminal and the link. An error text when that fails;
    // nothing is left behind then.
    std::optional<std::string> Open();

    // Answers requests until RequestStop, or until the port vanishes by fault for good.
    void Serve();
    // Serve on a thread of its own.
    void Start();
    // Asks Serve to return. Safe to call from a signal handler.
    void RequestStop();
    // RequestStop and wait for the thread; then the link is removed and the
    // pseudo-terminal closed.
    void Stop();

    const std::filesystem::path& LinkPath() const { return linkPath_; }
    const std::string& DevicePath() const { return devicePath_; }
    // True once the port vanished by fault (link removed, pseudo-terminal closed).
    bool Vanished() const { return vanished_; }

private:
    void Feed(std::uint8_t byte, Responder::TimePoint arrival);
    void Answer(std::span<const std::uint8_t> request, Responder::TimePoint frameStart);
    bool Send(std::span<const std::uint8_t> bytes, Responder::TimePoint start);
    void AwaitHostRead();
    bool SleepUntil(Responder::TimePoint when);
    void Log(const char* direction, std::span<const std::uint8_t> bytes) const;
    void Close();
    void ComeBack(std::optional<std::chrono::milliseconds> reenumeratedAfter,
                  Responder::TimePoint answered);

    std::unique_ptr<SimulatedReader> ownReader_;
    Responder& responder_;
    PtyOptions options_;
    std::filesystem::path linkPath_;
    std::string devicePath_;
    int master_ = -1;
    int heldSlave_ = -1; // keeps the terminal alive while the host has it closed
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
    std::atomic<bool> vanished_{false};

    readerlink::FrameParser parser_;
    bool inFrame_ = false;
    Responder::TimePoint frameStart_{};
};

} // namespace sim
