#include "sim/PtyReader.h"

#include "sim/ReplyWire.h"
#include "sim/WirePace.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

using TimePoint = Responder::TimePoint;
using Clock = Responder::Clock;

// A write the host does not drain within this time is given up: the host has
// gone away with its buffer full.
constexpr std::chrono::seconds kWriteStall{2};
constexpr std::chrono::milliseconds kVanishGrace{1000};

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string HexLine(const char* direction, std::span<const std::uint8_t> bytes) {
    std::string line = direction;
    char pair[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, " %02X", byte);
        line += pair;
    }
    return line;
}

bool IsOurLink(const std::filesystem::path& link, const std::string& target) {
    std::error_code error;
    return std::filesystem::is_symlink(link, error) &&
           std::filesystem::read_symlink(link, error) == target && !error;
}

} // namespace

PtyReader::PtyReader(ReaderConfig config, PtyOptions options)
    : ownReader_(std::make_unique<SimulatedReader>(std::move(config))), responder_(*ownReader_),
      options_(std::move(options)),
      linkPath_(options_.programFolder / "ports" / ("COM" + std::to_string(options_.port))) {}

PtyReader::PtyReader(Responder& responder, PtyOptions options)
    : responder_(responder), options_(std::move(options)),
      linkPath_(options_.programFolder / "ports" / ("COM" + std::to_string(options_.port))) {}

PtyReader::~PtyReader() {
    Stop();
    for (int fd : {wakeRead_, wakeWrite_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::optional<std::string> PtyReader::Open() {
    std::error_code error;
    // A mistyped folder must not turn into a new folder tree.
    if (!std::filesystem::is_directory(options_.programFolder, error)) {
        return "program folder " + options_.programFolder.string() + " is not a folder";
    }
    std::filesystem::create_directories(linkPath_.parent_path(), error);
    if (error) {
        return "cannot create " + linkPath_.parent_path().string() + ": " + error.message();
    }
    // Only a link may be replaced: a file or folder of that name is someone's data.
    if (std::filesystem::exists(std::filesystem::symlink_status(linkPath_, error)) &&
        !std::filesystem::is_symlink(linkPath_, error)) {
        return linkPath_.string() + " exists and is not a link; not replacing it";
    }

    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::string message = SystemError("cannot create a pseudo-terminal");
        Close();
        return message;
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        std::string message = SystemError("cannot name the pseudo-terminal");
        Close();
        return message;
    }
    devicePath_ = name;
    // Held open for the whole run: while no slave is open the master reads EIO, so
    // a host closing the port between exchanges would otherwise end the service.
    heldSlave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (heldSlave_ < 0) {
        std::string message = SystemError("cannot open " + devicePath_);
        Close();
        return message;
    }
    // Raw from the start: until the host sets its own settings, nothing may be
    // echoed back or translated (CR to LF, 0x11/0x13 as XON/XOFF).
    termios settings{};
    tcgetattr(heldSlave_, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B115200);
    tcsetattr(heldSlave_, TCSANOW, &settings);

    // The wake pipe outlives a vanished terminal: a reader that comes back keeps it.
    if (wakeRead_ < 0) {
        int wake[2];
        if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
            std::string message = SystemError("cannot create a pipe");
            Close();
            return message;
        }
        wakeRead_ = wake[0];
        wakeWrite_ = wake[1];
    }

    // A new link under a temporary name renamed over the old one: the port never
    // points nowhere, and a stale link from an earlier run is replaced.
    const std::filesystem::path temporary = linkPath_.string() + ".new";
    std::filesystem::remove(temporary, error);
    std::filesystem::create_symlink(devicePath_, temporary, error);
    if (!error) {
        std::filesystem::rename(temporary, linkPath_, error);
    }
    if (error) {
        std::string message = "cannot link " + linkPath_.string() + ": " + error.message();
        std::filesystem::remove(temporary, error);
        Close();
        return message;
    }
    return std::nullopt;
}

void PtyReader::Serve() {
    std::array<std::uint8_t, 4096> buffer{};
    while (master_ >= 0) {
        pollfd watched[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (watched[1].revents != 0 || (watched[0].revents & (POLLERR | POLLNVAL)) != 0) {
            break;
        }
        if ((watched[0].revents & POLLIN) == 0) {
            // Hang-up without data cannot last while the slave is held open; should
            // it happen all the same, wait instead of spinning.
            if (!SleepUntil(Clock::now() + std::chrono::milliseconds(10))) {
                break;
            }
            continue;
        }
        const ssize_t count = read(master_, buffer.data(), buffer.size());
        if (count <= 0) {
            continue;
        }
        const TimePoint arrival = Clock::now();
        responder_.Heard(std::span(buffer).first(static_cast<std::size_t>(count)));
        for (ssize_t i = 0; i < count && master_ >= 0; ++i) {
            Feed(buffer[static_cast<std::size_t>(i)], arrival);
        }
    }
}

void PtyReader::Start() {
    thread_ = std::thread([this] { Serve(); });
}

void PtyReader::RequestStop() {
    if (wakeWrite_ >= 0) {
        const std::uint8_t stop = 1;
        (void)!write(wakeWrite_, &stop, 1);
    }
}

void PtyReader::Stop() {
    if (thread_.joinable()) {
        RequestStop();
        thread_.join();
    }
    Close();
}

void PtyReader::Feed(std::uint8_t byte, TimePoint arrival) {
    if (!inFrame_ && byte == readerlink::kStx) {
        inFrame_ = true;
        frameStart_ = arrival;
    }
    switch (parser_.Feed(byte)) {
    case readerlink::FrameParser::Status::NeedMore:
        return;
    case readerlink::FrameParser::Status::Complete: {
        const std::vector<std::uint8_t> request(parser_.Payload().begin(), parser_.Payload().end());
        inFrame_ = false;
        Answer(request, frameStart_);
        return;
    }
    case readerlink::FrameParser::Status::Refused:
        inFrame_ = false;
        return;
    default: {
        // A frame that arrives damaged is refused, as a reader does.
        inFrame_ = false;
        const std::uint8_t nak[] = {readerlink::kNak};
        if (options_.log) {
            options_.log("-- malformed request frame, refused");
        }
        Log("TX", nak);
        Send(nak, Clock::now());
        return;
    }
    }
}

void PtyReader::Answer(std::span<const std::uint8_t> request, TimePoint frameStart) {
    Log("RX", readerlink::EncodeFrame(request));
    const TimePoint now = Clock::now();
    const Reply reply = responder_.Handle(request, now);
    if (reply.kind == Reply::Kind::Silence) {
        if (options_.log) {
            options_.log("-- no answer");
        }
        return;
    }
    const TimePoint start =
        (options_.pace ? AnswerStart(frameStart, request.size() + readerlink::kFrameOverhead, now)
                       : now) +
        reply.delay + options_.replyLatency;
    const std::vector<std::uint8_t> bytes = WireBytes(reply);
    if (options_.log && reply.delay.count() > 0) {
        options_.log("-- answering " + std::to_string(reply.delay.count()) + " ms late");
    }
    if (!SleepUntil(start)) {
        return;
    }
    Log("TX", bytes);
    Send(bytes, start);
    if (reply.dropLink) {
        const TimePoint answered = Clock::now();
        AwaitHostRead();
        Close();
        vanished_ = true;
        if (options_.log) {
            options_.log("-- port vanished (fault): link removed, pseudo-terminal closed");
        }
        ComeBack(reply.backAfter, answered);
    }
}

void PtyReader::ComeBack(std::optional<std::chrono::milliseconds> reenumeratedAfter,
                         TimePoint answered) {
    // A reader whose own USB link re-enumerated is back under its old name; one
    // plugged in again comes where it is told.
    const int port = reenumeratedAfter ? options_.port : options_.returnPort;
    const TimePoint back =
        reenumeratedAfter ? answered + *reenumeratedAfter : Clock::now() + options_.returnAfter;
    if (port == 0 || !SleepUntil(back)) {
        return;
    }
    options_.port = port;
    linkPath_ = options_.programFolder / "ports" / ("COM" + std::to_string(options_.port));
    parser_ = readerlink::FrameParser{};
    inFrame_ = false;
    const std::optional<std::string> error = Open();
    if (options_.log) {
        options_.log(error ? "-- cannot come back: " + *error
                           : "-- back as COM" + std::to_string(options_.port));
    }
}

bool PtyReader::Send(std::span<const std::uint8_t> bytes, TimePoint start) {
    std::size_t sent = 0;
    const TimePoint giveUp = Clock::now() + kWriteStall;
    while (sent < bytes.size()) {
        std::size_t chunk = bytes.size() - sent;
        if (options_.pace) {
            if (!SleepUntil(ByteDue(start, sent))) {
                return false;
            }
            chunk = 1;
        }
        const ssize_t written = write(master_, bytes.data() + sent, chunk);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd watched[2] = {{master_, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - Clock::now());
        if (left.count() <= 0 || poll(watched, 2, static_cast<int>(left.count())) <= 0 ||
            watched[1].revents != 0) {
            return false;
        }
    }
    return true;
}

void PtyReader::AwaitHostRead() {
    // Closing the master discards what the host has not read yet, and the terminal
    // does not tell when it has. A host that read the answer sends its next
    // request, so the port goes when that arrives, or after a while without one.
    pollfd watched[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    while (poll(watched, 2, static_cast<int>(kVanishGrace.count())) < 0 && errno == EINTR) {
    }
}

bool PtyReader::SleepUntil(TimePoint when) {
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
        if (left.count() <= 0) {
            return true;
        }
        pollfd wake{wakeRead_, POLLIN, 0};
        // Whole milliseconds are too coarse for the pace of single bytes: the last
        // one is slept precisely.
        if (left.count() <= 1) {
            std::this_thread::sleep_until(when);
            return true;
        }
        const int result = poll(&wake, 1, static_cast<int>(left.count() - 1));
        if (result > 0) {
            return false;
        }
    }
}

void PtyReader::Log(const char* direction, std::span<const std::uint8_t> bytes) const {
    if (options_.log && !bytes.empty()) {
        options_.log(HexLine(direction, bytes));
    }
}

void PtyReader::Close() {
    if (!devicePath_.empty() && IsOurLink(linkPath_, devicePath_)) {
        std::error_code ignored;
        std::filesystem::remove(linkPath_, ignored);
    }
    for (int* fd : {&master_, &heldSlave_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

} // namespace sim
