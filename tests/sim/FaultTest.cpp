// The fault switches of the simulated reader as scenarios on virtual time: which
// answers each one spoils, how many times, and what the reader does afterwards.

#include "security/DownloadKey.h"
#include "security/Function.h"
#include "security/KeyProof.h"
#include "sim/SimulatedReader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using namespace sim;
using Bytes = std::vector<std::uint8_t>;

// "NAK", "--" for silence, "BAD " for a garbled frame, the response code in
// hexadecimal, any text, the delay, and whether the port goes.
std::string Shown(const sim::Reply& reply) {
    using Kind = sim::Reply::Kind;
    const Bytes& payload = reply.payload;
    std::string text = reply.kind == Kind::Nak        ? "NAK"
                       : reply.kind == Kind::Silence  ? "--"
                       : reply.kind == Kind::BadFrame ? "BAD "
                                                      : "";
    if (!payload.empty()) {
        text += {"0123456789ABCDEF"[payload[0] >> 4], "0123456789ABCDEF"[payload[0] & 15]};
        text.append(payload.size() > 1 ? " " : "").append(payload.begin() + 1, payload.end());
    }
    if (reply.delay.count() != 0) {
        text += " after " + std::to_string(reply.delay.count()) + "ms";
    }
    return text + (reply.dropLink ? ", then the port goes" : "");
}

// "proof": the key proof under the built-in key; "block <offset>": a block of 5A at
// that hexadecimal offset; otherwise hexadecimal bytes.
Bytes Request(const std::string& step) {
    Bytes bytes;
    if (step == "proof") {
        unsigned char key[16];
        BuildDownloadKey(CFunction(), key);
        bytes.assign(1 + keyProofLength, 0x8E);
        BuildKeyProof(key, bytes.data() + 1);
    } else if (step.starts_with("block ")) {
        const unsigned long offset = std::stoul(step.substr(6), nullptr, 16);
        bytes = {0xF1, std::uint8_t(offset >> 16), std::uint8_t(offset >> 8), std::uint8_t(offset)};
        bytes.resize(260, 0x5A);
    } else {
        for (std::size_t i = 0; i < step.size(); i += 3) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(step.substr(i, 2), nullptr, 16)));
        }
    }
    return bytes;
}

// Faults with one more switch set.
template <auto Switch, typename Value = std::remove_cvref_t<decltype(sim::Faults{}.*Switch)>>
sim::Faults With(Value value, sim::Faults faults = {}) {
    faults.*Switch = std::move(value);
    return faults;
}

using F = sim::Faults;
using K = sim::LinkFaultKind;
const std::string kInfo = "00 VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
const std::string kVersion = "00 KRVQ-3000-KR1_150803";

TEST(Faults, SpoilTheChosenAnswersTheGivenNumberOfTimes) {
    // "request > answer" steps apart by "; "; "wait <ms>" lets time pass instead. A
    // script that starts with the key proof runs on the boot loader.
    const std::pair<sim::Faults, std::string> scenarios[] = {
        {With<&F::link>({{K::Silence, {}, kAlways, {}}}), "FF 0C > --; 16 > --"},
        {With<&F::link>({{K::Nak, Command::Info, 2, {}}}),
         "FF 04 > " + kVersion + "; FF 0C > NAK; FF 0C > NAK; FF 0C > " + kInfo},
        {With<&F::link>({{K::BadFrame, Command::Info, 1, {}}}),
         "FF 0C > BAD " + kInfo + "; FF 0C > " + kInfo},
        {With<&F::link>({{K::Delay, {}, 1, 250ms}}),
         "16 > " + kVersion + " after 250ms; 16 > " + kVersion},
        {With<&F::refuseBlocks>(sim::BlockRefusal{0x100, 2, Refusal::CodeFF}),
         "proof > 00; block 200 > BE; block 100 > FF; block 100 > FF; block 100 > BE"},
        {With<&F::refuseBlocks>(sim::BlockRefusal{{}, 2, Refusal::CodeFF}), // per block
         "proof > 00; block 0 > FF; block 100 > FF; block 0 > FF; block 0 > BE; block 100 > FF"},
        {With<&F::refuseBlocks>(sim::BlockRefusal{0, kAlways, Refusal::Nak}),
         "proof > 00; block 0 > NAK; block 0 > NAK; block 100 > BE"},
        {With<&F::vanishAfter>(sim::VanishPoint{Command::Block, 2}),
         "proof > 00; block 0 > BE; block 0 > BE, then the port goes; block 0 > BE"},
        {With<&F::refuseFinish>(4),
         "proof > 00; F2 00 > FF; F2 00 > FF; F2 00 > FF; F2 00 > FF; F2 00 > 00; wait 8999; "
         "FF 04 > --; wait 1; FF 04 > 00 KRVQ-3000-KR1_999999"},
        {With<&F::finishRefusal>(Refusal::Nak, With<&F::refuseFinish>(1)),
         "proof > 00; F2 00 > NAK; F2 00 > 00"},
        {With<&F::neverRestartInto>(sim::Firmware::Application),
         "proof > 00; F2 00 > 00; wait 86400000; FF 04 > --"}};
    for (const auto& [faults, steps] : scenarios) {
        SCOPED_TRACE(steps);
        sim::ReaderConfig config{};
        config.startIn =
            steps.starts_with("proof") ? sim::Firmware::BootLoader : sim::Firmware::Application;
        config.restartTime = 9000ms;
        config.faults = faults;
        config.faults.versionAfterFlash = "999999";
        sim::SimulatedReader reader(config);
        sim::SimulatedReader::TimePoint now{1h};
        std::string script = steps + "; ";
        for (std::size_t end; (end = script.find("; ")) != std::string::npos;
             script.erase(0, end + 2)) {
            const std::string step = script.substr(0, end);
            if (step.starts_with("wait ")) {
                now += std::chrono::milliseconds(std::stol(step.substr(5)));
                continue;
            }
            const std::size_t arrow = step.find(" > ");
            EXPECT_EQ(Shown(reader.Handle(Request(step.substr(0, arrow)), now)),
                      step.substr(arrow + 3))
                << step;
        }
    }
}

} // namespace
