#include "readerlink/Frame.h"
#include "readerlink/Polling.h"
#include "readerlink/VexilonDll.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

enum class AfterScript { Silence, DeviceGone, NoiseForever };
// How the request's write goes: a device seen gone before it is never written to.
enum class Write { Works, Fails, FailsDeviceGone, DeviceGoneBefore };

struct ExchangeCase {
    const char* name;
    std::deque<Bytes> incoming; // one piece per read
    int code;
    Bytes stored;
    AfterScript after = AfterScript::Silence;
    Bytes stale = {}; // waiting before the request: read first unless discarded
    Write write = Write::Works;
    std::chrono::milliseconds timeout = 200ms;
};

class ScriptedTransport : public readerlink::ByteTransport {
public:
    explicit ScriptedTransport(ExchangeCase script) : script_(std::move(script)) {}
    Bytes wire; // everything written

    void DiscardInput() override { script_.stale.clear(); }

    bool WriteAll(std::span<const std::uint8_t> bytes) override {
        wire.insert(wire.end(), bytes.begin(), bytes.end());
        if (!script_.stale.empty()) {
            script_.incoming.push_front(std::exchange(script_.stale, {}));
        }
        gone_ = script_.write == Write::FailsDeviceGone;
        return script_.write == Write::Works;
    }

    ReadResult ReadSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override {
        if (script_.incoming.empty()) {
            const bool noise = script_.after == AfterScript::NoiseForever;
            std::fill_n(buffer.begin(), noise ? buffer.size() : 0, 0xFF);
            return {noise ? buffer.size() : 0, script_.after == AfterScript::DeviceGone};
        }
        Bytes& piece = script_.incoming.front();
        const std::size_t count = std::min(piece.size(), buffer.size());
        std::copy_n(piece.begin(), count, buffer.begin());
        piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
        if (piece.empty()) {
            script_.incoming.pop_front();
        }
        return {count, false};
    }

    bool Gone() const override { return gone_ || script_.write == Write::DeviceGoneBefore; }

private:
    ExchangeCase script_;
    bool gone_ = false;
};

Bytes Numbered(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return bytes;
}

// Response 00 'V' 'A' 'N': LRC 04^00^56^41^4E^03 = 5E.
const Bytes kVan = {0x00, 0x56, 0x41, 0x4E};
const Bytes kVanFrame = {0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x03, 0x5E};
const Bytes kStaleAnswer = {0x02, 0x00, 0x01, 0x00, 0x03, 0x02}; // to an earlier request
constexpr auto kGone = AfterScript::DeviceGone;
constexpr auto kNoise = AfterScript::NoiseForever;
constexpr auto kQuiet = AfterScript::Silence;

TEST(Exchange, SendsTheFrameOnceAndStoresOnlyWhatTheAnswerAllows) {
    const ExchangeCase cases[] = {
        {"whole frame", {kVanFrame}, VQ_OK, kVan},
        {"split reads", {{0x02}, {0x00, 0x04, 0x00, 0x56}, {0x41, 0x4E, 0x03, 0x5E}}, VQ_OK, kVan},
        {"garbage before STX", {{0xFF, 0x00, 0x03, 0x7E}, kVanFrame}, VQ_OK, kVan},
        {"bad LRC", {{0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x03, 0x5F}}, VQ_ERR_MALFORMED, {}},
        {"bad ETX", {{0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x04, 0x5E}}, VQ_ERR_MALFORMED, {}},
        {"length over 4096", {{0x02, 0x10, 0x01}}, VQ_ERR_MALFORMED, {}},
        {"zero length", {{0x02, 0x00, 0x00}}, VQ_ERR_MALFORMED, {}},
        {"LRC taken over STX", {{0x02, 0x00, 0x01, 0x00, 0x03, 0x00}}, VQ_ERR_MALFORMED, {}},
        {"NAK", {{0x15}}, VQ_ERR_REFUSED, {}},
        {"NAK after garbage", {{0xAA, 0x15}}, VQ_ERR_REFUSED, {}},
        {"NAK inside a payload is data", {{0x02, 0x00, 0x01, 0x15, 0x03, 0x17}}, VQ_OK, {0x15}},
        {"silence", {}, VQ_ERR_TIMEOUT, {}},
        {"stops mid-frame", {{0x02, 0x00, 0x04, 0x00, 0x56}}, VQ_ERR_TIMEOUT, {}},
        {"1000 bytes", {readerlink::EncodeFrame(Numbered(1000))}, VQ_OK, Numbered(1000)},
        {"1001 bytes", {readerlink::EncodeFrame(Numbered(1001))}, VQ_ERR_TOO_LONG, Numbered(1000)},
        {"device gone", {{0x02, 0x00}}, VQ_ERR_PORT_LOST, {}, kGone},
        {"endless noise ends in time", {}, VQ_ERR_TIMEOUT, {}, kNoise, {}, Write::Works, 20ms},
        {"stale input dropped", {kVanFrame}, VQ_OK, kVan, kQuiet, kStaleAnswer},
        {"write fails", {kVanFrame}, VQ_ERR_WRITE_FAILED, {}, kQuiet, {}, Write::Fails},
        {"write finds the device gone",
         {kVanFrame},
         VQ_ERR_PORT_LOST,
         {},
         kQuiet,
         {},
         Write::FailsDeviceGone},
        {"gone before the request",
         {kVanFrame},
         VQ_ERR_PORT_LOST,
         {},
         kQuiet,
         {},
         Write::DeviceGoneBefore},
        {"zero time-out, answer there", {kVanFrame}, VQ_OK, kVan, kQuiet, {}, Write::Works, 0ms}};
    constexpr std::uint8_t kUntouched = 0xA5;
    for (const ExchangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransport transport(c);
        // Room past the 1000 bytes the caller provides, to see nothing lands there.
        Bytes area(VQ_RECEIVE_CAPACITY + 64, kUntouched);
        const Bytes request = {0xFF, 0x0C};
        const readerlink::ExchangeResult result = readerlink::Exchange(
            transport, request, std::span(area).first(VQ_RECEIVE_CAPACITY), c.timeout);
        EXPECT_EQ(result.code, c.code);
        ASSERT_EQ(result.stored, c.stored.size());
        EXPECT_TRUE(std::equal(c.stored.begin(), c.stored.end(), area.begin()));
        EXPECT_EQ(
            std::count(area.begin() + static_cast<long>(result.stored), area.end(), kUntouched),
            static_cast<long>(area.size() - result.stored));
        const Bytes frame = {0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2};
        EXPECT_EQ(transport.wire, c.write == Write::DeviceGoneBefore ? Bytes{} : frame);
    }
}

} // namespace
