#pragma once

#include "framework/Clock.h"

#include <chrono>

// Every wait, time-out and retry count of the conversation with a reader, in one
// place. The readers in the field were built and tested against exactly these
// numbers: a shorter wait can catch a reader still busy, a longer one only slows
// every download down. The download tests assert the waits on virtual time.

// How long one exchange waits for the reader's answer.
// A command of the download (blocks, finish, key hand-over, key proof); callers
// retry on their own, so no single exchange waits longer.
inline constexpr std::chrono::milliseconds kCommandTimeout{5000};
// A question the reader answers from memory (information, version, MSR state,
// debug level).
inline constexpr std::chrono::milliseconds kAnswerTimeout{3000};
// FF 08: the application firmware only keeps 16 bytes.
inline constexpr std::chrono::milliseconds kStoreKeyTimeout{3000};
// Authentication steps 1 and 2: the reader checks and computes a MAC.
inline constexpr std::chrono::milliseconds kAuthStepTimeout{5000};
// Step 3: the reader writes the new key pair into its flash before it answers.
inline constexpr std::chrono::milliseconds kAuthStep3Timeout{150000};

// Pauses the host takes between messages.
// Before each version query and before the port is opened again for the boot loader.
inline constexpr std::chrono::milliseconds kQueryPause{100};
// Before each message of the authentication, and before the second key proof.
inline constexpr std::chrono::milliseconds kAuthStepPause{100};
// After step 3 the reader restarts into its boot loader.
inline constexpr std::chrono::milliseconds kAfterAuthentication{5000};
// A silent FF 97 means a reader still busy with its MSR: it is given this long.
inline constexpr std::chrono::milliseconds kSilentMsrWait{4000};
// Before the first block: the boot loader has just taken the key proof.
inline constexpr std::chrono::milliseconds kBeforeLoad{100};
// After a refused block, before the same block is tried again.
inline constexpr std::chrono::milliseconds kFailedBlockPause{200};
// Before F2, once the last block was taken.
inline constexpr std::chrono::milliseconds kBeforeFinish{30};
// After F2 the reader writes the image into its flash and restarts.
inline constexpr std::chrono::milliseconds kRestartWait{7000};
// Between two tries to reach the restarted reader; a reader on a USB link of its
// own is off the bus meanwhile.
inline constexpr std::chrono::milliseconds kReconnectPause{500};

// How often a step is tried before the download gives up.
// Every block, counted again for the next one: a refusal is mostly one damaged
// frame, which the next try mends.
inline constexpr int kBlockTries = 6;
inline constexpr int kFinishTries = 5;
// 16 tries 500 ms apart after the 7000 ms wait: 15 s, longer than any restart.
inline constexpr int kReconnectTries = 16;

// The clock and the reader-link library count whole milliseconds.
inline void Wait(Clock& clock, std::chrono::milliseconds wait) {
    clock.SleepFor(static_cast<DWORD>(wait.count()));
}
inline int TimeoutArgument(std::chrono::milliseconds timeout) {
    return static_cast<int>(timeout.count());
}
