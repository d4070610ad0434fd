#pragma once

#include "framework/Clock.h"
#include "reader/Outcome.h"
#include "reader/ReaderConstants.h"
#include "reader/ReaderLink.h"
#include "reader/ReaderRequest.h"
#include "reader/ReaderView.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Which version a query asks for and how its answer is judged.
enum class VersionQuery {
    Application,    // FF 04
    Reader16,       // 16: the boot loader answers it too
    AgainstFile,    // FF 04, its version code compared with the file's version
    MsrCheck,       // FF 97; a library error counts as no version, after 1003 a 4000 ms wait
    MsrCheckLinkOk, // FF 97; a library error is reported as such
};

enum class VersionResult {
    Valid,     // a version text ("D" or "K" first), equal to the file's when compared
    NotValid,  // another text, or (MsrCheck) a library error
    Differs,   // AgainstFile: the version code differs from the file's version
    LinkError, // the library reported an error
};

// The two forms in which the download key reaches the reader.
enum class DownloadKeyForm {
    Application, // FF 08 <key>, straight to the library, 3000 ms
    BootLoader,  // 92 <key> through SendCommand, 5000 ms
};

inline constexpr std::size_t kDownloadKeyLength = 16;

// SendCommand refuses data longer than this, a negative length, or missing data,
// without sending anything; its result is then kSendCommandRefused, which differs
// from every result of the reader-link library.
inline constexpr int kMaxCommandDataLength = 99999;
inline constexpr int kSendCommandRefused = -1;

// How a detection that found no reader of ours ends; Succeeded when it found one.
Outcome DetectionOutcome(ProbeResult found);

// One reader on one port: the commands that talk to it and the state they share.
// Calls come from one thread at a time (the user-interface thread, or the download
// worker while the window's reader controls are disabled).
class ReaderSession {
public:
    ReaderSession(ReaderLink link, ReaderView& view, Clock& clock);

    // One command: code, then data; the response lands in rxBuffer/rxLength. Returns
    // the library's result; a failure adds "RECV ERR:%d [CMD:%02X]".
    int SendCommand(unsigned char code, const unsigned char* data, int dataLength);
    // SendCommand judged by the response alone: at most 255 bytes with code 00 or BE.
    bool SendAccepted(unsigned char code, const unsigned char* data, int dataLength);
    // One request straight to the library, into the caller's areas (no log line).
    int Exchange(const unsigned char* request, int requestLength, unsigned char* response,
                 int& responseLength, std::chrono::milliseconds timeout);
    // Adds a line and scrolls the log to it.
    void AddLogLine(const std::string& line);
    // Adds a line without scrolling.
    void AppendLogLine(const std::string& line);

    // The Open button: port is the one in use from now on, open or not; the
    // session remembers whether it opened.
    bool OpenPortByHand(int port);
    // Opens the port in use again without closing it first; a device that has
    // vanished meanwhile marks the port lost, one that is there clears the mark.
    bool OpenPortInUse();
    // Closes the port in use and opens it again: the reader now in its boot loader.
    bool ReopenPort();
    // Closes port, forgets it and tells the window.
    void ClosePort();

    // The information text, or "Failed to Read (%02X)".
    std::string ReadReaderInfo(int port);
    // One port; a reader in its boot loader takes the request's model name.
    ProbeResult ProbePort(int port, const ReaderRequest& request);
    // Empties the log and finds the reader on the request's port, or searches; on
    // Application or BootLoader, Port() is the port it answered on, still open.
    ProbeResult DetectReader(const ReaderRequest& request);
    // fileVersion: what AgainstFile compares the reader's version code with.
    VersionResult QueryVersion(VersionQuery query, std::string_view fileVersion = {});
    bool SendDownloadKey(DownloadKeyForm form,
                         std::span<const unsigned char, kDownloadKeyLength> key);

    // The buttons "리더기 정보 조회", "Version" and "Set debug level"; the first two
    // say how the read ended.
    Outcome ShowReaderInfo(const ReaderRequest& request);
    Outcome ShowVersion();
    void SetDebugLevel();

    // COM port number in use; 0 when none is.
    int Port() const { return port; }
    // Whether the port in use was opened with the Open button.
    bool PortOpenedByHand() const { return portOpenedByHand; }
    // The device behind the port in use went away (the library's 1008, or gone on
    // a reopen): retrying cannot help until the reader is connected again. Cleared
    // when detection settles a port.
    bool PortLost() const { return portLost; }
    // The model of the reader detection found: from its information text, or the
    // request's for a reader in its boot loader.
    const std::string& ModelName() const { return modelName; }
    // The information text detection read from the reader it settled on.
    const std::string& ReaderInfo() const { return readerInfo; }
    // The last version text a query read, whatever it was compared with.
    const std::string& VersionText() const { return versionText; }
    // Whether the last comparison with a file's version found another (kept for the
    // record: nothing acts on it).
    bool VersionMismatch() const { return versionMismatch; }

    Clock& clock;

private:
    struct Answer {
        int result = 0;   // the library's result
        int received = 0; // response bytes stored
        std::string text; // from the byte after the response code up to the first zero
    };
    // Straight to the library with 3000 ms, into an area of its own filled with zero.
    Answer Ask(int onPort, std::span<const unsigned char> command, std::size_t areaSize);
    ProbeResult SettleBootLoaderModel(const std::string& typed);
    void SettlePort(int found);
    // Notes a lost port in result, which it returns.
    int Noted(int result);

    ReaderLink link;
    ReaderView& view;

    int port = 0;
    // Response of the last SendCommand: byte 0 the response code.
    unsigned char rxBuffer[1000] = {};
    std::int32_t rxLength = 0;
    bool portOpenedByHand = false;
    bool versionMismatch = false;
    bool portLost = false;
    std::string readerInfo;
    std::string versionText;
    std::string modelName;
};
