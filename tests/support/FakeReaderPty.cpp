#include "tests/support/FakeReaderPty.h"

#include "readerlink/Frame.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

namespace {

void Fail(const std::string& what) {
    throw std::runtime_error(what + ": errno " + std::to_string(errno));
}

bool WriteFully(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + sent, bytes.size() - sent);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

FakeReply FakeReply::Answer(std::span<const std::uint8_t> payload) {
    return Raw(readerlink::EncodeFrame(payload));
}

FakeReply FakeReply::Refuse() {
    return Raw({readerlink::kNak});
}

FakeReply FakeReply::Silence() {
    return {};
}

FakeReply FakeReply::Raw(std::vector<std::uint8_t> bytes) {
    FakeReply reply;
    reply.pieces.push_back(std::move(bytes));
    return reply;
}

FakeReply FakeReply::Pieces(std::vector<std::vector<std::uint8_t>> pieces,
                            std::chrono::milliseconds gap) {
    FakeReply reply;
    reply.pieces = std::move(pieces);
    reply.pieceGap = gap;
    return reply;
}

FakeReply FakeReply::After(std::chrono::milliseconds wait) const {
    FakeReply reply = *this;
    reply.delay = wait;
    return reply;
}

FakeReaderPty::FakeReaderPty(std::filesystem::path programFolder, int comPort)
    : linkPath_(programFolder / "ports" / ("COM" + std::to_string(comPort))) {
    std::filesystem::create_directories(linkPath_.parent_path());
    Start();
}

FakeReaderPty::~FakeReaderPty() {
    Stop();
    std::error_code ignored;
    std::filesystem::remove(linkPath_, ignored);
}

void FakeReaderPty::Start() {
    Stop();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        Fail("posix_openpt");
    }
    const char* slaveName = ptsname(master_);
    if (slaveName == nullptr) {
        Fail("ptsname");
    }
    const std::string slavePath = slaveName;
    slave_ = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        Fail("open " + slavePath);
    }
    // The terminal starts in cooked mode with echo; until the library sets its
    // own settings nothing may be echoed or translated.
    termios settings{};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave_, TCSANOW, &settings);

    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0) {
        Fail("pipe2");
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];

    std::error_code ignored;
    std::filesystem::remove(linkPath_, ignored);
    std::filesystem::create_symlink(slavePath, linkPath_);
    peer_ = std::thread([this] { Serve(); });
}

void FakeReaderPty::Stop() {
    if (!peer_.joinable()) {
        return;
    }
    const std::uint8_t stop = 1;
    (void)!write(wakeWrite_, &stop, 1);
    peer_.join();
    for (int* fd : {&master_, &slave_, &wakeRead_, &wakeWrite_}) {
        close(*fd);
        *fd = -1;
    }
}

void FakeReaderPty::Enqueue(FakeReply reply) {
    const std::lock_guard<std::mutex> hold(lock_);
    script_.push_back(std::move(reply));
}

void FakeReaderPty::SetResponder(Responder responder) {
    const std::lock_guard<std::mutex> hold(lock_);
    responder_ = std::move(responder);
}

std::vector<std::vector<std::uint8_t>> FakeReaderPty::Requests() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

std::vector<std::uint8_t> FakeReaderPty::ReceivedBytes() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return received_;
}

bool FakeReaderPty::WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock<std::mutex> hold(lock_);
    return requestArrived_.wait_for(hold, limit, [&] { return requests_.size() >= count; });
}

void FakeReaderPty::Serve() {
    readerlink::FrameParser parser;
    std::array<std::uint8_t, 4096> chunk{};
    for (;;) {
        pollfd waits[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (waits[1].revents != 0) {
            return;
        }
        const ssize_t got = read(master_, chunk.data(), chunk.size());
        if (got <= 0) {
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            return;
        }
        {
            const std::lock_guard<std::mutex> hold(lock_);
            received_.insert(received_.end(), chunk.begin(), chunk.begin() + got);
        }
        for (ssize_t i = 0; i < got; ++i) {
            const auto status = parser.Feed(chunk[static_cast<std::size_t>(i)]);
            if (status == readerlink::FrameParser::Status::Complete) {
                const std::vector<std::uint8_t> payload(parser.Payload().begin(),
                                                        parser.Payload().end());
                HandleRequest(payload);
            }
        }
    }
}

void FakeReaderPty::HandleRequest(std::span<const std::uint8_t> payload) {
    FakeReply reply = NextReply(payload);
    {
        const std::lock_guard<std::mutex> hold(lock_);
        requests_.emplace_back(payload.begin(), payload.end());
    }
    requestArrived_.notify_all();
    Send(reply);
}

FakeReply FakeReaderPty::NextReply(std::span<const std::uint8_t> payload) {
    std::unique_lock<std::mutex> hold(lock_);
    if (!script_.empty()) {
        FakeReply reply = std::move(script_.front());
        script_.pop_front();
        return reply;
    }
    Responder responder = responder_;
    hold.unlock();
    return responder ? responder(payload) : FakeReply::Silence();
}

bool FakeReaderPty::Send(const FakeReply& reply) {
    if (!Pause(reply.delay)) {
        return false;
    }
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
        if (i > 0 && !Pause(reply.pieceGap)) {
            return false;
        }
        if (!WriteFully(master_, reply.pieces[i])) {
            return false;
        }
    }
    return true;
}

bool FakeReaderPty::Pause(std::chrono::milliseconds wait) {
    if (wait.count() <= 0) {
        return true;
    }
    pollfd wake{wakeRead_, POLLIN, 0};
    return poll(&wake, 1, static_cast<int>(wait.count())) == 0;
}

} // namespace testsupport
