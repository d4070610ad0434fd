// see ExitCodes.h
#include "cli/ExitCodes.h"

#include "core/FirmwareLookup.h"
#include "download/DownloadSequence.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr ExitCodeMeaning kMeanings[] = {
    {ExitCode::Success, "success (download: sent, and the reader reports the file's version)"},
    {ExitCode::OtherFailure, "failed without a reason of its own"},
    {ExitCode::Usage, "bad usage: unknown option, missing or malformed value"},
    {ExitCode::NoReader, "no reader found (or not one of ours, or the model not confirmed)"},
    {ExitCode::FirmwareFile, "no firmware file, or one that cannot be read or sent"},
    {ExitCode::Authentication, "download key or authentication refused"},
    {ExitCode::VersionCheck,
     "the reader's version could not be read, or is not the file's after the download"},
    {ExitCode::Transfer, "a block or the finish was refused"},
    {ExitCode::Restart, "the reader did not come back after its restart"},
    {ExitCode::PortInUse, "the port is held by another program"},
    {ExitCode::Interrupted, "stopped by Ctrl-C"},
    {ExitCode::ConnectionLost, "the connection was lost: adapter pulled out or device gone"},
};

struct FailureText {
    std::string_view text;
    ExitCode code;
};

// The texts the reader session and the download show when they fail. A new class
// of failure is one row here and one code above.
constexpr FailureText kFailureTexts[] = {
    {"단말기 연결 확인 실패", ExitCode::NoReader},
    {"바이오스 연결 실패", ExitCode::NoReader},
    {kNoFirmwareFileNotice, ExitCode::FirmwareFile},
    {kNotRiviFileNotice, ExitCode::FirmwareFile},
    {"FW File을 확인하십시오.", ExitCode::FirmwareFile},
    {"bin 파일만 다운로드 가능합니다", ExitCode::FirmwareFile},
    {kFileErrorText, ExitCode::FirmwareFile},
    {"MSR 인증 실패", ExitCode::Authentication},
    {"Offline F/W Download Key 데이터를 확인하십시오.", ExitCode::Authentication},
    {"단말기의 Offline F/W Download Key를 확인하십시오.", ExitCode::Authentication},
    {"리더기 인증 실패", ExitCode::Authentication},
    {"인증 실패", ExitCode::Authentication},
    {"단말기 버전 조회 실패", ExitCode::VersionCheck},
    {"FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 파일입니다.\r\n관리자에게 문의하세요.",
     ExitCode::VersionCheck},
    {kDownloadFailedText, ExitCode::Transfer},
    {"버전 조회 실패", ExitCode::Restart},
    {kConnectionLostText, ExitCode::ConnectionLost},
};

} // namespace

std::span<const ExitCodeMeaning> ExitCodeMeanings() {
    return kMeanings;
}

ExitCode ExitCodeForFailure(std::span<const std::string> shownTexts) {
    for (const std::string& shown : shownTexts) {
        const auto* row = std::find_if(std::begin(kFailureTexts), std::end(kFailureTexts),
                                       [&](const FailureText& f) { return f.text == shown; });
        if (row != std::end(kFailureTexts)) {
            return row->code;
        }
    }
    return ExitCode::OtherFailure;
}

int ToInt(ExitCode code) {
    return static_cast<int>(code);
}
