#include "tests/support/FakeReaderPty.h"

#include <stdexcept>

namespace testsupport {

void ScriptedResponder::Enqueue(FakeReply reply) {
    const std::lock_guard<std::mutex> hold(lock_);
    script_.push_back(std::move(reply));
}

void ScriptedResponder::SetResponder(Fallback fallback) {
    const std::lock_guard<std::mutex> hold(lock_);
    fallback_ = std::move(fallback);
}

std::vector<std::vector<std::uint8_t>> ScriptedResponder::Requests() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

std::vector<std::uint8_t> ScriptedResponder::ReceivedBytes() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return received_;
}

bool ScriptedResponder::WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock<std::mutex> hold(lock_);
    return requestArrived_.wait_for(hold, limit, [&] { return requests_.size() >= count; });
}

sim::Reply ScriptedResponder::Handle(std::span<const std::uint8_t> request, TimePoint) {
    std::unique_lock<std::mutex> hold(lock_);
    requests_.emplace_back(request.begin(), request.end());
    requestArrived_.notify_all();
    if (!script_.empty()) {
        FakeReply reply = std::move(script_.front());
        script_.pop_front();
        return reply;
    }
    const Fallback fallback = fallback_;
    hold.unlock();
    return fallback ? fallback(request) : FakeReply{};
}

void ScriptedResponder::Heard(std::span<const std::uint8_t> bytes) {
    const std::lock_guard<std::mutex> hold(lock_);
    received_.insert(received_.end(), bytes.begin(), bytes.end());
}

FakeReaderPty::FakeReaderPty(std::filesystem::path programFolder, int comPort)
    : programFolder_(std::move(programFolder)), comPort_(comPort) {
    Start();
}

void FakeReaderPty::Start() {
    server_.emplace(*this, sim::PtyOptions{programFolder_, comPort_, false, {}});
    if (const std::optional<std::string> error = server_->Open()) {
        server_.reset();
        throw std::runtime_error(*error);
    }
    server_->Start();
}

} // namespace testsupport
