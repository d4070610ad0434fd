#pragma once

// Everything that makes one simulated reader differ from another: its identity,
// its timings and the faults it is told to show.

#include "sim/Command.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

using KeyBytes = std::array<std::uint8_t, 16>;

enum class Firmware { Application, BootLoader };

// A fault that repeats this many times and then stops; kAlways never stops.
inline constexpr int kAlways = -1;

enum class LinkFaultKind {
    Silence,  // the request is lost: no answer, no effect
    Nak,      // the request is refused with NAK: no effect
    BadFrame, // the request takes effect, but the answer's LRC is wrong
    Delay,    // the request takes effect and the answer comes after delay
    Oversize, // the request takes effect and the answer is padded past 1000 bytes
};

struct LinkFault {
    LinkFaultKind kind = LinkFaultKind::Silence;
    std::optional<Command> command; // empty: every command
    int times = kAlways;
    std::chrono::milliseconds delay{0};
};

// How a boot loader turns down a block or the finish: with the response code FF
// (the host's acceptance rule fails) or with NAK (the library reports a refusal).
enum class Refusal { CodeFF, Nak };

struct BlockRefusal {
    std::optional<std::uint32_t> offset; // empty: every block
    int times = 1;                       // per block
    Refusal how = Refusal::CodeFF;
};

// The adapter pulled out: the port disappears once the answer-th answer to
// command (1 = the first) is out.
struct VanishPoint {
    Command command = Command::Block;
    int answer = 1;
};

struct Faults {
    bool msrNotAuthenticated = false;
    int refuseAuthStep = 0; // 1, 2 or 3: that authentication step is refused
    int wrongMacStep = 0;   // 1 or 2: the reader's answer to that step carries a wrong MAC
    int refuseProof = 0;    // the first n key proofs are refused (kAlways: every one)
    std::optional<BlockRefusal> refuseBlocks;
    int refuseFinish = 0; // the first n finish commands are refused
    Refusal finishRefusal = Refusal::CodeFF;
    std::optional<Firmware> neverRestartInto;     // that restart never ends
    std::optional<std::string> versionAfterFlash; // reported instead of the image's version
    std::optional<VanishPoint> vanishAfter;
    // Once the finish is accepted, the reader's own USB link drops off while it
    // restarts, and is back under the same port name this much later.
    std::optional<std::chrono::milliseconds> reenumerateAfterFinish;
    std::vector<LinkFault> link;
};

struct ReaderConfig {
    // Information text of the application firmware:
    // VAN=<network>_<serial>_<certVersion>_<readerVersion>_<model>
    std::string network = "RIVI";
    std::string serial = "RV00012345";
    std::string certVersion = "C0100";
    std::string readerVersion = "R0100";
    std::string model = "RVQ-3000-KR1";
    // Version code of the application firmware (after the last "_" of its version text).
    std::string versionCode = "150803";
    // Version code of the boot loader.
    std::string bootVersion = "200101";

    Firmware startIn = Firmware::Application;
    bool bootInfoDe635 = false; // boot loader information text starts with "DE-635_BIOS"
    bool infoCodeOnly = false;  // FF 0C answers only the response code; 16 gives the text

    std::chrono::milliseconds restartTime{2000};

    // The key this reader's authentication uses; the built-in key when empty.
    std::optional<KeyBytes> downloadKey;
    // Whether the boot loader holds a key before FF 08 or 92 gives it one: the
    // reader's own key when true, none (the host must send 92) when false.
    bool bootLoaderHoldsKey = true;

    // Seeds the reader's challenge and random bytes, so that runs can be repeated.
    std::uint32_t randomSeed = 1;

    Faults faults;
};

} // namespace sim
