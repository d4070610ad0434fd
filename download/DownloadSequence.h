#pragma once

#include "download/DownloadFacts.h"
#include "download/DownloadView.h"
#include "reader/ReaderSession.h"
#include "security/Function.h"

#include <cstdint>
#include <string>
#include <vector>

// The keys and values of the three-step authentication, rebuilt in every download.
struct AuthenticationState {
    unsigned char downloadKey[kDownloadKeyLength] = {};
    unsigned char hostReserved[8] = {};
    unsigned char hostRandom[16] = {};
    unsigned char readerChallenge[8] = {};
    unsigned char readerRandom[16] = {};
    unsigned char authCipherKey[24] = {};
    unsigned char authMacKey[24] = {};
    unsigned char derivedKeyPair[48] = {};
};

// One download, from the reader's detection to its restart with the new firmware.
// Runs on the download worker; reports through the view. Every step that fails
// shows its text and returns the outcome that goes with it.
class DownloadSequence {
public:
    DownloadSequence(ReaderSession& reader, DownloadView& view);

    // RunDownload, then one of the view's two ends, whatever happened: an exception
    // is recorded with its type and message and ends the download as failed.
    void RunToEnd(const ReaderRequest& request);
    // Succeeded when the firmware was sent and its version read back.
    Outcome RunDownload(const ReaderRequest& request);
    // What the last download learnt, for the history.
    const DownloadFacts& Facts() const { return facts; }

private:
    Outcome AuthenticateApplication();
    Outcome AuthenticateBootLoader();
    // False when the system's random source fails: nothing predictable is sent then.
    bool DeriveAuthKeys();
    bool AuthStep1();
    bool AuthStep2();
    bool AuthStep3();
    bool ProveDownloadKey();

    // Reads the file at path, once, into image: the transfer sends these bytes even
    // if the file changes later. Refused: a file the transfer could not send.
    enum class ImageCheck { Ready, Unreadable, Refused };
    ImageCheck ReadFirmwareImage(const std::string& path);
    Outcome RunTransferPhase();
    Outcome AwaitReaderRestart();

    // A failed step: its text as a notice, then the status "다운로드 실패"; when the
    // port was lost, the lost connection is reported instead. Returns what was reported.
    Outcome ReportFailedStep(Outcome outcome, const std::string& text);
    // The port is closed, and the log says how to go on from where the reader is.
    Outcome ReportConnectionLost();
    // Milliseconds since the download started, detection included.
    std::int32_t ElapsedMs() const;

    ReaderSession& reader;
    DownloadView& view;
    CFunction function;
    AuthenticationState auth;
    std::vector<unsigned char> image;
    // The version the restarted reader must report.
    std::string fileVersion;
    DWORD downloadStartTicks = 0;
    DownloadFacts facts;
};

// The status every failed download ends with (except the two MSR exits).
inline constexpr char kDownloadFailedText[] = "다운로드 실패";
// The box of a firmware file the transfer could not send.
inline constexpr char kFileErrorText[] = "File Error!! ";
// The notice when the adapter was pulled out or the device went away.
inline constexpr char kConnectionLostText[] = "리더기 연결이 끊어졌습니다";
