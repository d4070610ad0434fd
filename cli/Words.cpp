// see Words.h
#include "cli/Words.h"

namespace {

constexpr Words kEnglish = {
    "Brimlet: firmware download to RIVI card readers",
    {"list the COM ports present", "read the reader's information text",
     "read the reader's firmware version", "download the firmware into the reader",
     "list the downloads made on this computer, newest first"},
    "one JSON object per line: events, then result",
    "COM port number; without it, port 7 and then 1 to 100 are searched",
    "model name, for a reader waiting in its boot loader",
    "firmware file to send instead of the one found in RIVI_OIL/ (its path must hold \"RIVI\")",
    "only the records of the reader with this serial number",
    "only the records started at or after this local time (2026-12-07 or 2026-12-07T17:05)",
    "write the records into this file as CSV for a spreadsheet instead of listing them",
    "write every frame to and from the reader into the log file ",
    " (keys masked); BRIMLET_TRACE=1 does the same",
    "print this help and exit",
    "Usage",
    "OPTIONS",
    "SUBCOMMAND",
    "REQUIRED",
    "Exit codes:",

    "Status: ",
    "Notice: ",
    "Confirm: ",
    "Reader information: ",
    "Warning: ",
    "Error: ",
    "Sent: ",
    "Version: ",
    "Exit code ",
    "left",

    "bytes",
    " records written to ",
    ": cannot be read",
    ": cannot be written",
    "not a local date or time such as 2026-12-07 or 2026-12-07T17:05",
    ": cannot be written; this download is not in the history",

    "Transferring. Stopping now leaves the reader in its boot loader until it is downloaded "
    "again. To stop anyway, press Ctrl-C again within 3 seconds.",
    "Stopped. The reader was not changed.",
    "Stopped. The reader may be left in its boot loader: keep it connected and run the download "
    "again with brimlet-cli download --model <model name>.",

    {"success", "failed without a reason of its own",
     "bad usage: unknown option, missing or malformed value",
     "no reader found (or not one of ours, or the model not confirmed)",
     "no firmware file, or one that cannot be read or sent",
     "download key or authentication refused",
     "the reader's version or information could not be read, or the version is not the file's "
     "after the download",
     "a block or the finish was refused", "the reader did not come back after its restart",
     "the port is held by another program", "stopped by Ctrl-C",
     "the connection was lost: adapter pulled out or device gone"},
    {"success: the COM ports present are listed", "success: the reader's information was read",
     "success: the reader's firmware version was read",
     "success: the firmware was sent, and the reader reports the file's version",
     "success: the history was listed"},
};

constexpr Words kKorean = {
    "Brimlet: RIVI 카드 리더기 펌웨어 다운로드",
    {"있는 COM 포트 목록", "리더기 정보 읽기", "리더기 펌웨어 버전 읽기",
     "리더기에 펌웨어 다운로드", "이 컴퓨터에서 한 다운로드 기록, 최근 것부터"},
    "한 줄에 JSON 객체 하나: 이벤트, 마지막에 결과",
    "COM 포트 번호; 없으면 7번, 그다음 1~100번 포트를 찾습니다",
    "모델명: 부트 로더에서 기다리는 리더기에 필요합니다",
    "RIVI_OIL/에서 찾은 파일 대신 보낼 펌웨어 파일 (경로에 \"RIVI\"가 있어야 합니다)",
    "이 일련번호 리더기의 기록만",
    "이 현지 시각 이후에 시작한 기록만 (2026-12-07 또는 2026-12-07T17:05)",
    "기록을 나열하지 않고 스프레드시트용 CSV 파일로 씁니다",
    "리더기와 주고받는 모든 프레임을 로그 파일 ",
    "에 씁니다 (키는 가립니다); BRIMLET_TRACE=1 도 같습니다",
    "이 도움말을 보여 주고 끝냅니다",
    "사용법",
    "옵션",
    "명령",
    "필수",
    "종료 코드:",

    "상태: ",
    "알림: ",
    "확인: ",
    "리더기 정보: ",
    "경고: ",
    "오류: ",
    "전송: ",
    "버전: ",
    "종료 코드 ",
    "남음",

    "바이트",
    "개 기록을 썼습니다: ",
    ": 읽을 수 없습니다",
    ": 쓸 수 없습니다",
    "2026-12-07 이나 2026-12-07T17:05 같은 현지 날짜나 시각이 아닙니다",
    ": 쓸 수 없어 이 다운로드는 기록에 남지 않았습니다",

    "전송 중입니다. 지금 멈추면 리더기가 부트 로더에 남아 다시 다운로드해야 합니다. 그래도 "
    "멈추려면 3초 안에 Ctrl-C를 한 번 더 누르십시오.",
    "중단되었습니다. 리더기는 바뀌지 않았습니다.",
    "중단되었습니다. 리더기가 부트 로더에 남아 있을 수 있습니다: 리더기를 분리하지 말고 "
    "brimlet-cli download --model <모델명> 으로 다운로드를 다시 실행하십시오.",

    {"성공", "따로 분류되지 않은 실패", "잘못된 사용: 모르는 옵션, 빠졌거나 잘못된 값",
     "리더기를 찾지 못함 (우리 리더기가 아니거나 모델명이 확인되지 않음)",
     "펌웨어 파일이 없거나 읽을 수 없거나 보낼 수 없음", "다운로드 키나 인증이 거부됨",
     "리더기의 버전이나 정보를 읽지 못했거나, 다운로드 뒤의 버전이 파일의 버전과 다름",
     "블록이나 마침 명령이 거부됨", "리더기가 재시작 뒤 돌아오지 않음",
     "다른 프로그램이 포트를 쓰고 있음", "Ctrl-C로 중단됨",
     "연결이 끊어짐: 어댑터가 뽑혔거나 장치가 사라짐"},
    {"성공: 있는 COM 포트를 나열했습니다", "성공: 리더기 정보를 읽었습니다",
     "성공: 리더기 펌웨어 버전을 읽었습니다",
     "성공: 펌웨어를 보냈고 리더기가 파일의 버전을 알려 줍니다", "성공: 기록을 나열했습니다"},
};

// Every code has its meaning in every language.
static_assert(static_cast<std::size_t>(ExitCode::ConnectionLost) + 1 == kExitCodeCount);
static_assert(static_cast<std::size_t>(Subcommand::History) + 1 == kSubcommandCount);

} // namespace

const Words& WordsFor(Language language) {
    return language == Language::Korean ? kKorean : kEnglish;
}

const char* ClosingMeaning(const Words& words, Subcommand subcommand, ExitCode code) {
    if (code == ExitCode::Success) {
        return words.succeeded[static_cast<std::size_t>(subcommand)];
    }
    return words.meanings[static_cast<std::size_t>(ToInt(code))];
}
