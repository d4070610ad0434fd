#pragma once

// What the host and a RIVI reader agree on, in one place: the line speed, the
// command codes and what a probe of one port can find.

// Every open of the port, whatever the baud list of the window shows.
inline constexpr int kReaderBaud = 115200;

inline constexpr unsigned char kInfoCommand[] = {0xFF, 0x0C};
// Asked when FF 0C brought only the response code; also a version query.
inline constexpr unsigned char kQuery16Command[] = {0x16};
inline constexpr unsigned char kApplicationVersionCommand[] = {0xFF, 0x04};
inline constexpr unsigned char kMsrStateCommand[] = {0xFF, 0x97};
inline constexpr unsigned char kDebugLevelCommand[] = {0xFF, 0x98};
inline constexpr unsigned char kStoreKeyCommand[] = {0xFF, 0x08};
inline constexpr unsigned char kHandOverKeyCode = 0x92;
inline constexpr unsigned char kKeyProofCode = 0x8E;
inline constexpr unsigned char kBlockCode = 0xF1;
inline constexpr unsigned char kFinishCode = 0xF2;

// The search's line for a port another program (or another copy) holds, after "COM<n> => ".
inline constexpr char kPortInUseText[] = "다른 프로그램에서 사용 중인 포트입니다.";

// What one probed port holds (and, for the last two, what detection found).
enum class ProbeResult {
    Nothing,     // the port did not open, or the information could not be read
    Busy,        // another program (or another copy of ours) holds the port
    Refused,     // a reader answered but is not ours, or its model was not settled
    Application, // a RIVI reader in its application firmware; the port stays open
    BootLoader,  // a reader in its boot loader, model name settled; the port stays open
};

inline bool IsReaderFound(ProbeResult result) {
    return result == ProbeResult::Application || result == ProbeResult::BootLoader;
}
