#pragma once

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
// Runs on the download worker; reports through the view.
class DownloadSequence {
public:
    DownloadSequence(ReaderSession& reader, DownloadView& view);

    // RunDownload, then one of the view's two ends, whatever happened.
    void RunToEnd();
    // True when the firmware was sent and its version read back.
    bool RunDownload();

    bool AuthenticateApplication();
    bool AuthenticateBootLoader();
    // False when the system's random source fails: nothing predictable is sent then.
    bool DeriveAuthKeys();
    bool AuthStep1();
    bool AuthStep2();
    bool AuthStep3();
    bool ProveDownloadKey();

    // Reads the file the view names, once, into image: the transfer sends these bytes
    // even if the file changes later. Refused: a file the transfer could not send.
    enum class ImageCheck { Ready, Unreadable, Refused };
    ImageCheck ReadFirmwareImage();
    bool RunTransferPhase();
    bool AwaitReaderRestart();

    AuthenticationState auth;
    std::vector<unsigned char> image;
    DWORD downloadStartTicks = 0;

private:
    // A failed step: its text as a notice, then the status "다운로드 실패"; when the
    // port was lost, the lost connection is reported instead.
    void ReportFailedStep(const std::string& text);
    // The port is closed, and the log says how to go on from where the reader is.
    void ReportConnectionLost();

    ReaderSession& reader;
    DownloadView& view;
    CFunction function;
};

// The status every failed download ends with (except the two MSR exits).
inline constexpr char kDownloadFailedText[] = "다운로드 실패";
// The box of a firmware file the transfer could not send.
inline constexpr char kFileErrorText[] = "File Error!! ";
// The notice when the adapter was pulled out or the device went away.
inline constexpr char kConnectionLostText[] = "리더기 연결이 끊어졌습니다";
